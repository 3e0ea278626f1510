#include "curlreply.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>

namespace net {

namespace {

// The texts Qt's own engine shows for the same failures, in Qt's contexts, so that Qt's
// catalogues translate them (they are not the console's own texts: no catalogue of ours
// holds them).
QString qtText(const char *context, const char *text)
{
    return QCoreApplication::translate(context, text);
}

QString httpText(const char *text)
{
    return qtText("QHttp", text);
}

// Qt's codes for HTTP error statuses.
QNetworkReply::NetworkError httpError(int status)
{
    switch (status) {
    case 400:
    case 418:
        return QNetworkReply::ProtocolInvalidOperationError;
    case 401:
        return QNetworkReply::AuthenticationRequiredError;
    case 403:
        return QNetworkReply::ContentAccessDenied;
    case 404:
        return QNetworkReply::ContentNotFoundError;
    case 405:
        return QNetworkReply::ContentOperationNotPermittedError;
    case 407:
        return QNetworkReply::ProxyAuthenticationRequiredError;
    case 409:
        return QNetworkReply::ContentConflictError;
    case 410:
        return QNetworkReply::ContentGoneError;
    case 500:
        return QNetworkReply::InternalServerError;
    case 501:
        return QNetworkReply::OperationNotImplementedError;
    case 503:
        return QNetworkReply::ServiceUnavailableError;
    default:
        return status > 500 ? QNetworkReply::UnknownServerError : QNetworkReply::UnknownContentError;
    }
}

// curl's result as the code and text Qt's engine gives for the same failure.
QNetworkReply::NetworkError transferError(CURLcode code, long osError, QString *text)
{
    const bool closedByPeer = osError == ECONNRESET || osError == EPIPE;
    switch (code) {
    case CURLE_COULDNT_CONNECT:
        if (osError == ECONNREFUSED) {
            *text = httpText("Connection refused");
            return QNetworkReply::ConnectionRefusedError;
        }
        if (osError == ETIMEDOUT) {
            *text = qtText("QAbstractSocket", "Socket operation timed out");
            return QNetworkReply::TimeoutError;
        }
        return QNetworkReply::UnknownNetworkError;
    case CURLE_COULDNT_RESOLVE_HOST:
        return QNetworkReply::HostNotFoundError;
    case CURLE_OPERATION_TIMEDOUT:
        *text = qtText("QAbstractSocket", "Socket operation timed out");
        return QNetworkReply::TimeoutError;
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
        // The peer closed the connection before the answer was complete.
        *text = httpText("Connection closed");
        return QNetworkReply::RemoteHostClosedError;
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
        if (closedByPeer) {
            *text = httpText("Connection closed");
            return QNetworkReply::RemoteHostClosedError;
        }
        return QNetworkReply::UnknownNetworkError;
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_BAD_CONTENT_ENCODING:
    case CURLE_UNSUPPORTED_PROTOCOL: // an answer that is not HTTP ("HTTP/0.9")
        *text = httpText("Data corrupted");
        return QNetworkReply::ProtocolFailure;
    case CURLE_URL_MALFORMAT:
        *text = httpText("Unknown protocol specified");
        return QNetworkReply::ProtocolUnknownError;
    default:
        return QNetworkReply::UnknownNetworkError;
    }
}

} // namespace

CurlReply::CurlReply(CurlMulti *multi, QNetworkAccessManager::Operation operation,
                     const QNetworkRequest &request, const QByteArray &body, QObject *parent)
    : QNetworkReply(parent), m_multi(multi), m_body(body)
{
    setRequest(request);
    setUrl(request.url());
    setOperation(operation);
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);

    m_easy = curl_easy_init();
    const QByteArray url = request.url().toEncoded(QUrl::RemoveFragment | QUrl::RemoveUserInfo);
    curl_easy_setopt(m_easy, CURLOPT_URL, url.constData());
    // The path goes out as the URL holds it, as with Qt's engine: a name of the controller
    // with "../" in it stays inside the path it was put in.
    curl_easy_setopt(m_easy, CURLOPT_PATH_AS_IS, 1L);
    curl_easy_setopt(m_easy, CURLOPT_PRIVATE, this);
    curl_easy_setopt(m_easy, CURLOPT_ERRORBUFFER, m_curlError);
    curl_easy_setopt(m_easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(m_easy, CURLOPT_TCP_NODELAY, 1L);
    curl_easy_setopt(m_easy, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_1));
    // The controller is on the LAN: the proxy variables of the environment do not apply.
    curl_easy_setopt(m_easy, CURLOPT_PROXY, "");
    curl_easy_setopt(m_easy, CURLOPT_BUFFERSIZE, 64L * 1024);
    // A small body goes out with the head in one write; a large one in pieces as large as
    // curl takes (2 MB), so an upload chunk is a few writes.
    if (m_body.size() > 64 * 1024)
        curl_easy_setopt(m_easy, CURLOPT_UPLOAD_BUFFERSIZE, long(qMin(m_body.size(), 2 * 1024 * 1024)));
    curl_easy_setopt(m_easy, CURLOPT_HEADERFUNCTION, &CurlReply::onHeader);
    curl_easy_setopt(m_easy, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(m_easy, CURLOPT_WRITEFUNCTION, &CurlReply::onBody);
    curl_easy_setopt(m_easy, CURLOPT_WRITEDATA, this);

    // The request's own headers as they are ("name;" is curl's way of an empty value), and
    // none of curl's own beyond Host and Content-Length.
    const QList<QByteArray> names = request.rawHeaderList();
    for (const QByteArray &name : names) {
        const QByteArray lower = name.toLower();
        if (lower == "content-length" || lower == "expect" || lower == "host")
            continue;
        const QByteArray value = request.rawHeader(name);
        const QByteArray line = value.isEmpty() ? name + ';' : name + ": " + value;
        m_headers = curl_slist_append(m_headers, line.constData());
    }
    if (!request.hasRawHeader("Accept"))
        m_headers = curl_slist_append(m_headers, "Accept:");
    m_headers = curl_slist_append(m_headers, "Expect:");
    curl_easy_setopt(m_easy, CURLOPT_HTTPHEADER, m_headers);

    if (operation == QNetworkAccessManager::PostOperation) {
        curl_easy_setopt(m_easy, CURLOPT_POST, 1L);
        curl_easy_setopt(m_easy, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(m_body.size()));
        curl_easy_setopt(m_easy, CURLOPT_POSTFIELDS, m_body.constData());
    } else {
        curl_easy_setopt(m_easy, CURLOPT_HTTPGET, 1L);
    }
    multi->add(this);
}

CurlReply::~CurlReply()
{
    stop();
    curl_easy_cleanup(m_easy);
    curl_slist_free_all(m_headers);
}

void CurlReply::stop()
{
    if (m_multi)
        m_multi->remove(this);
}

void CurlReply::detach()
{
    stop();
    m_multi = nullptr;
    if (!m_done) {
        m_done = true;
        m_errorCode = OperationCanceledError;
        m_errorText = qtText("QNetworkReply", "Operation canceled");
        schedule();
    }
}

size_t CurlReply::onHeader(char *data, size_t size, size_t count, void *self)
{
    static_cast<CurlReply *>(self)->headerLine(QByteArray(data, int(size * count)));
    return size * count;
}

void CurlReply::headerLine(QByteArray line)
{
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    if (line.startsWith("HTTP/")) {
        const QList<QByteArray> parts = line.split(' ');
        const int status = parts.value(1).toInt();
        // An interim answer ("100 Continue") is followed by the real one.
        m_interim = status >= 100 && status < 200;
        if (!m_interim) {
            m_status = status;
            setAttribute(QNetworkRequest::HttpStatusCodeAttribute, status);
            const int reason = line.indexOf(' ', line.indexOf(' ') + 1);
            setAttribute(QNetworkRequest::HttpReasonPhraseAttribute,
                         reason > 0 ? line.mid(reason + 1) : QByteArray());
        }
        return;
    }
    if (line.isEmpty()) {
        if (m_interim) {
            m_interim = false;
        } else if (m_status) {
            m_headersDone = true;
            schedule();
        }
        return;
    }
    if (m_interim || m_headersDone)
        return; // trailers of a chunked body are not headers
    const int colon = line.indexOf(':');
    if (colon <= 0)
        return;
    const QByteArray name = line.left(colon).trimmed();
    const QByteArray value = line.mid(colon + 1).trimmed();
    const QByteArray before = rawHeader(name);
    setRawHeader(name, hasRawHeader(name) ? before + ", " + value : value);
    if (name.compare("content-length", Qt::CaseInsensitive) == 0)
        m_contentLength = value.toLongLong();
}

size_t CurlReply::onBody(char *data, size_t size, size_t count, void *self)
{
    auto *reply = static_cast<CurlReply *>(self);
    const size_t bytes = size * count;
    if (reply->m_buffer.isEmpty())
        reply->m_readPos = 0;
    reply->m_buffer.append(data, int(bytes));
    reply->m_received += qint64(bytes);
    reply->schedule();
    return bytes;
}

void CurlReply::transferDone(CURLcode code)
{
    long osError = 0;
    curl_easy_getinfo(m_easy, CURLINFO_OS_ERRNO, &osError);
    stop();
    m_done = true;
    if (code == CURLE_OK && !m_headersDone) {
        // curl takes a connection closed inside the headers for their end; Qt's engine
        // calls it what it is.
        m_errorCode = RemoteHostClosedError;
        m_errorText = httpText("Connection closed");
    } else if (code == CURLE_OK) {
        if (m_status >= 400) {
            m_errorCode = httpError(m_status);
            m_errorText = qtText("QNetworkReply", "Error transferring %1 - server replied: %2")
                              .arg(url().toString(),
                                   QString::fromLatin1(
                                       attribute(QNetworkRequest::HttpReasonPhraseAttribute).toByteArray()));
        }
    } else {
        m_errorCode = transferError(code, osError, &m_errorText);
        if (m_errorText.isEmpty())
            m_errorText = QString::fromLocal8Bit(*m_curlError ? m_curlError : curl_easy_strerror(code));
        if (m_errorCode == HostNotFoundError)
            m_errorText = httpText("Host %1 not found").arg(url().host());
    }
    schedule();
}

void CurlReply::schedule()
{
    // Signals never go out from inside curl: right after it, or from the event loop.
    if (m_scheduled)
        return;
    m_scheduled = true;
    if (!m_multi || !m_multi->deliverAfterAction(this))
        QMetaObject::invokeMethod(this, &CurlReply::deliver, Qt::QueuedConnection);
}

void CurlReply::deliver()
{
    m_scheduled = false;
    // A handler may wait in a nested event loop, where this runs again and tells of what came
    // meanwhile; each step is marked as done before its signal goes out.
    QPointer<CurlReply> self(this);
    auto over = [&] { return !self || isFinished(); };
    if (over())
        return;
    if (m_headersDone && !m_metaDataSent) {
        m_metaDataSent = true;
        if (operation() == QNetworkAccessManager::PostOperation) {
            emit uploadProgress(m_body.size(), m_body.size());
            if (over())
                return;
        }
        emit metaDataChanged();
        if (over())
            return;
    }
    while (m_announced < m_received) {
        m_announced = m_received;
        emit readyRead();
        if (over())
            return;
        emit downloadProgress(m_announced, m_contentLength);
        if (over())
            return;
    }
    if (m_done)
        finish();
}

void CurlReply::finish()
{
    if (isFinished())
        return;
    QPointer<CurlReply> self(this);
    setFinished(true);
    if (m_errorCode != NoError) {
        setError(m_errorCode, m_errorText);
        emit errorOccurred(m_errorCode);
        if (!self)
            return;
    }
    emit readChannelFinished();
    if (!self)
        return;
    emit finished();
}

void CurlReply::abort()
{
    if (isFinished())
        return;
    stop();
    m_done = true;
    m_errorCode = OperationCanceledError;
    m_errorText = qtText("QNetworkReply", "Operation canceled");
    m_buffer.clear();
    m_readPos = 0;
    QNetworkReply::close();
    finish();
}

void CurlReply::close()
{
    if (!isFinished())
        abort();
    else
        QNetworkReply::close();
}

qint64 CurlReply::bytesAvailable() const
{
    return m_buffer.size() - m_readPos + QNetworkReply::bytesAvailable();
}

qint64 CurlReply::readData(char *data, qint64 maxSize)
{
    const qint64 available = m_buffer.size() - m_readPos;
    if (available <= 0)
        return m_done ? -1 : 0;
    const qint64 bytes = qMin(maxSize, available);
    std::memcpy(data, m_buffer.constData() + m_readPos, size_t(bytes));
    m_readPos += bytes;
    if (m_readPos == m_buffer.size()) {
        m_buffer.clear();
        m_readPos = 0;
    }
    return bytes;
}

} // namespace net
