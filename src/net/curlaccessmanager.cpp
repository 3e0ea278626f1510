#include "curlaccessmanager.h"

#include "curlreply.h"

#include <QBuffer>
#include <QEvent>
#include <QSocketNotifier>

#include <functional>
#include <mutex>
#include <utility>

namespace net {

// --- the multi handle on the event loop

namespace {
// Hands its socket's readiness to curl. (The activated signal has overloads in Qt 5 and
// not in Qt 6; the event is the same in both.)
class SocketWatcher : public QSocketNotifier
{
public:
    SocketWatcher(curl_socket_t socket, Type type, std::function<void()> onReady, QObject *parent)
        : QSocketNotifier(qintptr(socket), type, parent), m_onReady(std::move(onReady))
    {}

protected:
    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::SockAct && event->type() != QEvent::SockClose)
            return QSocketNotifier::event(event);
        m_onReady();
        return true;
    }

private:
    const std::function<void()> m_onReady;
};
} // namespace

CurlMulti::CurlMulti(QObject *parent) : QObject(parent)
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    m_multi = curl_multi_init();
    curl_multi_setopt(m_multi, CURLMOPT_SOCKETFUNCTION, &CurlMulti::onSocket);
    curl_multi_setopt(m_multi, CURLMOPT_SOCKETDATA, this);
    curl_multi_setopt(m_multi, CURLMOPT_TIMERFUNCTION, &CurlMulti::onTimer);
    curl_multi_setopt(m_multi, CURLMOPT_TIMERDATA, this);
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] { act(CURL_SOCKET_TIMEOUT, 0); });
}

CurlMulti::~CurlMulti()
{
    // Replies that outlive the manager end as cancelled; they no longer touch curl.
    const QSet<CurlReply *> replies = m_replies;
    for (CurlReply *reply : replies)
        reply->detach();
    // Closes the kept-alive connections.
    curl_multi_cleanup(m_multi);
}

void CurlMulti::add(CurlReply *reply)
{
    m_replies.insert(reply);
    // curl asks for a timer of 0 ms: the transfer starts on the next turn of the event loop.
    curl_multi_add_handle(m_multi, reply->easy());
}

void CurlMulti::remove(CurlReply *reply)
{
    if (!m_replies.remove(reply))
        return;
    long connects = 0;
    if (curl_easy_getinfo(reply->easy(), CURLINFO_NUM_CONNECTS, &connects) == CURLE_OK)
        m_connections += int(connects);
    curl_multi_remove_handle(m_multi, reply->easy());
}

int CurlMulti::onSocket(CURL *, curl_socket_t socket, int what, void *self, void *)
{
    static_cast<CurlMulti *>(self)->watch(socket, what);
    return 0;
}

int CurlMulti::onTimer(CURLM *, long timeoutMs, void *self)
{
    // Only the timer is set here: curl must not be called from its own callback.
    auto *multi = static_cast<CurlMulti *>(self);
    if (timeoutMs < 0)
        multi->m_timer.stop();
    else
        multi->m_timer.start(int(qMin<long>(timeoutMs, 24L * 3600 * 1000)));
    return 0;
}

void CurlMulti::watch(curl_socket_t socket, int what)
{
    // The notifiers of a socket are kept and only switched on and off as curl asks: a
    // kept-alive connection serves request after request on the same socket. (A notifier
    // that is switched off may be the one whose event is being handled.)
    Watch &watch = m_watches[socket];
    auto want = [&](QSocketNotifier *&notifier, QSocketNotifier::Type type, bool wanted, int event) {
        if (!wanted) {
            if (notifier)
                notifier->setEnabled(false);
        } else if (!notifier) {
            notifier = new SocketWatcher(
                socket, type, [this, socket, event] { act(socket, event); }, this);
        } else if (!notifier->isEnabled()) {
            notifier->setEnabled(true);
        }
    };
    const bool removed = what == CURL_POLL_REMOVE;
    want(watch.read, QSocketNotifier::Read, !removed && (what & CURL_POLL_IN), CURL_CSELECT_IN);
    want(watch.write, QSocketNotifier::Write, !removed && (what & CURL_POLL_OUT), CURL_CSELECT_OUT);
}

void CurlMulti::act(curl_socket_t socket, int events)
{
    int running = 0;
    m_acting = true;
    curl_multi_socket_action(m_multi, socket, events, &running);
    takeFinished();
    m_acting = false;
    // curl is done: the replies that have news tell it now. A handler may wait in a nested
    // event loop, where this runs again with a list of its own.
    const QList<QPointer<CurlReply>> ready = std::exchange(m_ready, {});
    for (const QPointer<CurlReply> &reply : ready) {
        if (reply)
            reply->deliver();
    }
}

bool CurlMulti::deliverAfterAction(CurlReply *reply)
{
    if (!m_acting)
        return false;
    m_ready.append(reply);
    return true;
}

void CurlMulti::takeFinished()
{
    int left = 0;
    while (CURLMsg *message = curl_multi_info_read(m_multi, &left)) {
        if (message->msg != CURLMSG_DONE)
            continue;
        CurlReply *reply = nullptr;
        curl_easy_getinfo(message->easy_handle, CURLINFO_PRIVATE, &reply);
        const CURLcode code = message->data.result;
        // The message is invalid once the handle is removed.
        if (reply && m_replies.contains(reply))
            reply->transferDone(code);
    }
}

// --- the manager

CurlAccessManager::CurlAccessManager(QObject *parent)
    : QNetworkAccessManager(parent), m_multi(new CurlMulti(this))
{}

CurlAccessManager::~CurlAccessManager()
{
    // The replies still parented here go first, while curl is there to end their transfers.
    const auto replies = findChildren<CurlReply *>(QString(), Qt::FindDirectChildrenOnly);
    qDeleteAll(replies);
    delete m_multi;
}

int CurlAccessManager::connectionsOpened() const
{
    return m_multi->connectionsOpened();
}

QNetworkReply *CurlAccessManager::createRequest(Operation op, const QNetworkRequest &request,
                                                QIODevice *outgoingData)
{
    const bool verb = op == GetOperation || op == PostOperation;
    const bool plainHttp = request.url().scheme() == QLatin1String("http") && request.url().isValid();
    // A body is taken whole from memory; a stream that may still be growing is Qt's to read.
    const bool bodyInMemory = !outgoingData || !outgoingData->isSequential();
    if (!verb || !plainHttp || !bodyInMemory)
        return QNetworkAccessManager::createRequest(op, request, outgoingData);

    QByteArray body;
    if (op == PostOperation && outgoingData) {
        // QNetworkAccessManager::post(request, QByteArray) hands the bytes over in a QBuffer:
        // they are shared, not copied.
        auto *buffer = qobject_cast<QBuffer *>(outgoingData);
        if (buffer && buffer->pos() == 0)
            body = buffer->data();
        else
            body = outgoingData->readAll();
    }
    return new CurlReply(m_multi, op, request, body, this);
}

} // namespace net
