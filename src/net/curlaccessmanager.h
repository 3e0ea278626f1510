#pragma once

#include <QNetworkAccessManager>

namespace net {

class CurlMulti;

// The console's HTTP engine, behind the QNetworkAccessManager API the transport, the upload
// and the loaders use. Plain-http GET and POST run on libcurl's multi interface, driven from
// the Qt event loop (a socket notifier per socket and one timer), so the replies stay
// asynchronous and nested waits, abort() and the request limit work as with Qt's engine.
//
// On the wire: connections are kept alive and reused, TCP_NODELAY is on, a request is
// written without waiting for "100 Continue", and the headers are the request's own plus
// only what HTTP needs (Host, Content-Length); no proxy is used. A request that went out on
// a kept-alive connection which turns out to have been closed by the peer before a single
// byte of the answer came back is sent once more, whole, on a new connection.
//
// The replies report failures with the QNetworkReply error codes Qt's engine uses (HTTP
// statuses of 400 and above included), carry the HTTP status attribute and emit
// metaDataChanged, readyRead, downloadProgress, uploadProgress, errorOccurred and finished in
// Qt's order. Everything else (https, other verbs, file: URLs, bodies from sequential
// devices) goes to Qt's own engine.
class CurlAccessManager : public QNetworkAccessManager
{
    Q_OBJECT
public:
    explicit CurlAccessManager(QObject *parent = nullptr);
    ~CurlAccessManager() override;

    // Connections the engine opened so far (a reused one counts once).
    int connectionsOpened() const;

protected:
    QNetworkReply *createRequest(Operation op, const QNetworkRequest &request,
                                 QIODevice *outgoingData = nullptr) override;

private:
    CurlMulti *m_multi;
};

} // namespace net
