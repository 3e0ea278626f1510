#include "sim/discovery.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace sim {

namespace {

QString systemError(const char *what)
{
    return QString("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(strerror(errno)));
}

bool setIntOption(int fd, int level, int name, int value)
{
    return setsockopt(fd, level, name, &value, sizeof value) == 0;
}

} // namespace

DiscoveryResponder::~DiscoveryResponder()
{
    stop();
}

bool DiscoveryResponder::start(const QString &interfaceAddress, const QString &hostIp,
                               const QString &hostName, int httpPort, QueryLogger logger, QString *error)
{
    stop();
    in_addr iface{};
    if (inet_pton(AF_INET, interfaceAddress.toLatin1().constData(), &iface) != 1) {
        *error = QString("discovery: %1 is not an IPv4 address").arg(interfaceAddress);
        return false;
    }
    m_socket = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (m_socket < 0) {
        *error = systemError("discovery: socket");
        return false;
    }
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_port = htons(kPort);
    any.sin_addr.s_addr = htonl(INADDR_ANY);
    ip_mreq membership{};
    inet_pton(AF_INET, kGroup, &membership.imr_multiaddr);
    membership.imr_interface = iface;
    const char *failed = nullptr;
    if (!setIntOption(m_socket, SOL_SOCKET, SO_REUSEADDR, 1) ||
        !setIntOption(m_socket, SOL_SOCKET, SO_REUSEPORT, 1))
        failed = "discovery: SO_REUSEADDR/SO_REUSEPORT";
    else if (bind(m_socket, reinterpret_cast<sockaddr *>(&any), sizeof any) != 0)
        failed = "discovery: bind 0.0.0.0:5000";
    else if (setsockopt(m_socket, IPPROTO_IP, IP_ADD_MEMBERSHIP, &membership, sizeof membership) != 0)
        failed = "discovery: join 239.255.255.250";
    else if (setsockopt(m_socket, IPPROTO_IP, IP_MULTICAST_IF, &iface, sizeof iface) != 0)
        failed = "discovery: IP_MULTICAST_IF";
    else if (!setIntOption(m_socket, IPPROTO_IP, IP_MULTICAST_LOOP, 1) ||
             !setIntOption(m_socket, IPPROTO_IP, IP_MULTICAST_TTL, 1))
        failed = "discovery: IP_MULTICAST_LOOP/TTL";
    else if (pipe2(m_wake, O_CLOEXEC | O_NONBLOCK) != 0)
        failed = "discovery: pipe";
    if (failed) {
        *error = systemError(failed);
        stop();
        return false;
    }
    const QJsonObject reply{
        {"Command", "ResponseToFind"}, {"HostIp", hostIp}, {"HostName", hostName}, {"HostPort", httpPort}};
    m_reply = QJsonDocument(reply).toJson(QJsonDocument::Indented);
    m_logger = std::move(logger);
    m_thread = std::thread([this] { run(); });
    return true;
}

void DiscoveryResponder::stop()
{
    if (m_thread.joinable()) {
        const char byte = 1;
        if (write(m_wake[1], &byte, 1) < 0) {
            // The pipe is non-blocking and empty here; nothing else can be done.
        }
        m_thread.join();
    }
    for (int *fd : {&m_socket, &m_wake[0], &m_wake[1]}) {
        if (*fd >= 0)
            close(*fd);
        *fd = -1;
    }
}

void DiscoveryResponder::run()
{
    sockaddr_in group{};
    group.sin_family = AF_INET;
    group.sin_port = htons(kPort);
    inet_pton(AF_INET, kGroup, &group.sin_addr);
    QByteArray buffer(65536, Qt::Uninitialized);
    for (;;) {
        pollfd fds[2] = {{m_socket, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[1].revents)
            return;
        if (!(fds[0].revents & POLLIN))
            continue;
        sockaddr_in from{};
        socklen_t fromLength = sizeof from;
        const ssize_t n = recvfrom(m_socket, buffer.data(), size_t(buffer.size()), 0,
                                   reinterpret_cast<sockaddr *>(&from), &fromLength);
        if (n <= 0)
            continue;
        const QByteArray datagram = buffer.left(int(n));
        const QJsonObject query = QJsonDocument::fromJson(datagram).object();
        if (query.value("Command").toString() != QLatin1String("FindViewTop"))
            continue;
        char sender[INET_ADDRSTRLEN] = {};
        inet_ntop(AF_INET, &from.sin_addr, sender, sizeof sender);
        if (m_logger)
            m_logger(datagram, QString("%1:%2").arg(QLatin1String(sender)).arg(ntohs(from.sin_port)));
        if (sendto(m_socket, m_reply.constData(), size_t(m_reply.size()), 0,
                   reinterpret_cast<sockaddr *>(&group), sizeof group) == m_reply.size())
            ++m_answers;
    }
}

} // namespace sim
