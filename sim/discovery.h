#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <functional>
#include <thread>

// Answers the console's "FindViewTop" search on 239.255.255.250, UDP port 5000.
//
// The console binds 0.0.0.0:5000 shared, joins the group and switches multicast loopback
// off. A unicast answer to a shared port reaches only the socket that bound last, and on an
// interface other than loopback a responder on the same host never sees a query sent with
// loopback off. So the responder binds 0.0.0.0:5000 with SO_REUSEADDR and SO_REUSEPORT,
// joins the group on one interface (loopback by default), and sends its "ResponseToFind"
// to the GROUP, port 5000, out of that interface with multicast loopback on: every socket
// of the host that joined the group, the console's included, receives it. Datagrams that
// are not a "FindViewTop" (its own answers among them) are ignored.
namespace sim {

class DiscoveryResponder
{
public:
    using QueryLogger = std::function<void(const QByteArray &datagram, const QString &sender)>;

    DiscoveryResponder() = default;
    ~DiscoveryResponder();
    DiscoveryResponder(const DiscoveryResponder &) = delete;
    DiscoveryResponder &operator=(const DiscoveryResponder &) = delete;

    // `interfaceAddress`: IPv4 address of the interface to join and send on. The answer
    // carries `hostIp`, `hostName` and `httpPort`.
    bool start(const QString &interfaceAddress, const QString &hostIp, const QString &hostName, int httpPort,
               QueryLogger logger, QString *error);
    void stop();
    int answers() const { return m_answers.load(); }

    static constexpr const char *kGroup = "239.255.255.250";
    static constexpr int kPort = 5000;

private:
    void run();

    int m_socket = -1;
    int m_wake[2] = {-1, -1};
    QByteArray m_reply;
    QueryLogger m_logger;
    std::thread m_thread;
    std::atomic<int> m_answers{0};
};

} // namespace sim
