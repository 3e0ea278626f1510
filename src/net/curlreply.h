#pragma once

// Internals of the libcurl engine (see curlaccessmanager.h): the multi handle on the Qt event
// loop and the reply of one transfer.

#include <QByteArray>
#include <QHash>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QSet>
#include <QTimer>

#include <curl/curl.h>

class QSocketNotifier;

namespace net {

class CurlReply;

// One libcurl multi handle served by the Qt event loop: curl names the sockets it waits on
// and the time of its next timeout; a QSocketNotifier per socket and direction and one timer
// hand the events back through curl_multi_socket_action. No Qt signal is emitted while curl
// runs (the replies deliver theirs from the event loop), so nothing can call back into curl
// from inside it.
class CurlMulti : public QObject
{
    Q_OBJECT
public:
    explicit CurlMulti(QObject *parent = nullptr);
    ~CurlMulti() override;

    void add(CurlReply *reply);
    void remove(CurlReply *reply);
    // While curl runs, a reply's signals wait until it is done; then they go out at once
    // (true). Outside, false: the reply delivers from the event loop.
    bool deliverAfterAction(CurlReply *reply);
    int connectionsOpened() const { return m_connections; }

private:
    struct Watch
    {
        QSocketNotifier *read = nullptr;
        QSocketNotifier *write = nullptr;
    };

    static int onSocket(CURL *easy, curl_socket_t socket, int what, void *self, void *watch);
    static int onTimer(CURLM *multi, long timeoutMs, void *self);
    void watch(curl_socket_t socket, int what);
    void act(curl_socket_t socket, int events);
    void takeFinished();

    CURLM *m_multi;
    QTimer m_timer;
    QSet<CurlReply *> m_replies;
    QHash<curl_socket_t, Watch> m_watches;
    QList<QPointer<CurlReply>> m_ready;
    bool m_acting = false;
    int m_connections = 0;
};

class CurlReply : public QNetworkReply
{
    Q_OBJECT
public:
    CurlReply(CurlMulti *multi, QNetworkAccessManager::Operation operation, const QNetworkRequest &request,
              const QByteArray &body, QObject *parent);
    ~CurlReply() override;

    void abort() override;
    void close() override;
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

    CURL *easy() const { return m_easy; }
    // Called by the multi handle when curl ends the transfer (outside curl's callbacks).
    void transferDone(CURLcode code);
    // The multi handle goes away before the reply: the transfer ends as cancelled.
    void detach();
    // Emits what happened since the last call, in Qt's order.
    void deliver();

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    static size_t onHeader(char *data, size_t size, size_t count, void *self);
    static size_t onBody(char *data, size_t size, size_t count, void *self);
    void headerLine(QByteArray line);
    void schedule();
    void stop();
    void finish();

    QPointer<CurlMulti> m_multi;
    CURL *m_easy = nullptr;
    curl_slist *m_headers = nullptr;
    QByteArray m_url;
    QByteArray m_body; // the POST body; curl reads it in place
    char m_curlError[CURL_ERROR_SIZE] = {};

    // What came in, and how far the signals have told of it.
    QByteArray m_buffer;
    qint64 m_readPos = 0;
    qint64 m_received = 0;
    qint64 m_announced = 0;
    qint64 m_contentLength = -1;
    int m_status = 0;
    bool m_interim = false;
    bool m_headersDone = false;
    bool m_metaDataSent = false;
    bool m_uploadSent = false;
    bool m_done = false;
    bool m_scheduled = false;
    bool m_delivering = false;
    bool m_again = false;
    NetworkError m_errorCode = NoError;
    QString m_errorText;
};

} // namespace net
