#pragma once

#include <QObject>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;
class Transport;

namespace library {

// Copies a local file to the controller in chunks of at most 1024000 bytes: one POST per
// chunk to the remote path, with the headers "offset" and "curLength" and the session
// header, strictly one after another. Each chunk waits for its reply in a nested event loop
// with a time limit. The file is read chunk by chunk, never whole. While an upload runs the
// session's `uploading` flag is set; it and the progress display are always cleared at the
// end, whatever happened.
class ChunkUploader : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 kChunkSize = 1024000;

    enum class Result { Ok, OpenFailed, EmptyFile, ReadFailed, TimedOut, ChunkFailed };

    ChunkUploader(QNetworkAccessManager *manager, Transport *transport, QObject *parent = nullptr);

    // The per-chunk limit. 0 (the default) uses the transport's request limit (10000 ms).
    void setChunkTimeoutMs(int ms) { m_chunkTimeoutMs = ms; }
    int chunkTimeoutMs() const;

    // Sends `localFile` to `remotePath` (e.g. "/videos/clip.mp4"). True when every chunk was
    // answered without an error within the limit. An empty file sends nothing and fails.
    bool uploadFile(const QString &remotePath, const QString &localFile);
    Result lastResult() const { return m_lastResult; }

    // The request of one chunk; the URL comes from Transport::pathUrl, so "#", "?", "%" and
    // spaces in the remote path are percent-encoded.
    QNetworkRequest chunkRequest(const QString &remotePath, qint64 offset, qint64 length) const;

signals:
    // The progress display: shown at the start, hidden at the end.
    void progressShown(bool shown);
    // 0..100 after each chunk.
    void progress(int percent);

private:
    Result sendFile(const QString &remotePath, const QString &localFile);
    Result sendChunk(const QString &remotePath, qint64 offset, const QByteArray &chunk);

    QNetworkAccessManager *m_manager;
    Transport *m_transport;
    int m_chunkTimeoutMs = 0;
    int m_depth = 0;
    Result m_lastResult = Result::Ok;
};

} // namespace library
