#include "uploader.h"

#include "net/sessionvalues.h"
#include "net/transport.h"
#include "uikit/messagesink.h"

#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace library {

ChunkUploader::ChunkUploader(QNetworkAccessManager *manager, Transport *transport, QObject *parent)
    : QObject(parent), m_manager(manager), m_transport(transport)
{}

int ChunkUploader::chunkTimeoutMs() const
{
    return m_chunkTimeoutMs > 0 ? m_chunkTimeoutMs : m_transport->timeoutMs();
}

QNetworkRequest ChunkUploader::chunkRequest(const QString &remotePath, qint64 offset, qint64 length) const
{
    // Same URL form and session header as the transport's plain-path requests.
    QNetworkRequest request = m_transport->commandRequest(m_transport->pathUrl(remotePath));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/octet-stream"));
    request.setRawHeader("offset", QByteArray::number(offset));
    request.setRawHeader("curLength", QByteArray::number(length));
    return request;
}

bool ChunkUploader::uploadFile(const QString &remotePath, const QString &localFile)
{
    SessionValues *session = m_transport->session();
    ++m_depth;
    session->uploading = true;
    emit progress(0);
    emit progressShown(true);

    m_lastResult = sendFile(remotePath, localFile);

    // Cleared on every way out; an upload started inside another one's wait leaves the
    // outer one's flag and display alone.
    if (--m_depth == 0) {
        session->uploading = false;
        emit progressShown(false);
    }
    return m_lastResult == Result::Ok;
}

ChunkUploader::Result ChunkUploader::sendFile(const QString &remotePath, const QString &localFile)
{
    QFile file(localFile);
    if (!file.open(QIODevice::ReadOnly)) {
        m_transport->boxes().showInfo(file.errorString());
        return Result::OpenFailed;
    }
    const qint64 size = file.size();
    if (size <= 0)
        return Result::EmptyFile;

    qint64 offset = 0;
    qint64 remaining = size;
    while (remaining > 0) {
        const qint64 length = qMin(remaining, kChunkSize);
        const QByteArray chunk = file.read(length);
        if (chunk.size() != length)
            return Result::ReadFailed;
        const Result sent = sendChunk(remotePath, offset, chunk);
        if (sent != Result::Ok)
            return sent;
        offset += length;
        remaining -= length;
        emit progress(int(offset * 100 / size));
    }
    emit progress(100);
    return Result::Ok;
}

ChunkUploader::Result ChunkUploader::sendChunk(const QString &remotePath, qint64 offset,
                                               const QByteArray &chunk)
{
    QNetworkReply *reply = m_manager->post(chunkRequest(remotePath, offset, chunk.size()), chunk);
    switch (m_transport->await(reply, chunkTimeoutMs()).outcome) {
    case Transport::Outcome::Ok:
        return Result::Ok;
    case Transport::Outcome::TimedOut:
        return Result::TimedOut;
    default:
        // A refused chunk leaves a hole in the file: nothing after it may follow.
        return Result::ChunkFailed;
    }
}

} // namespace library
