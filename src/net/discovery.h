#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QString>
#include <optional>

// Finding controllers on the local network. The console sends one "FindViewTop" datagram
// to a multicast group; every controller that hears it answers with a "ResponseToFind"
// datagram to the same group and port. Everything here is free of widgets and sockets, so
// the connect dialog and the tests share one definition of the wire format.
namespace discovery {

// UDP port bound locally and used as the destination of the search.
constexpr quint16 kPort = 5000;

// The multicast group 239.255.255.250; one address made once for the whole process.
const QHostAddress &groupAddress();

// One controller as announced in a "ResponseToFind" datagram.
struct Answer
{
    QString hostIp;
    QString hostName;
    int port = 80;
};

// The "FindViewTop" datagram: indented UTF-8 JSON with "Command" and "IpAddr".
QByteArray buildFindViewTop(const QString &localIp);

// Reads a "ResponseToFind" datagram; a "HostPort" of 0 or a missing one means 80.
// Empty for anything that is not a JSON object with that "Command".
std::optional<Answer> parseResponseToFind(const QByteArray &datagram);

// Text of a discovery list entry: HostIp + " " + port + " " + HostName.
QString entryText(const Answer &answer);

// The text of the last IPv4 address of the list; empty when there is none.
QString lastIpv4Text(const QList<QHostAddress> &addresses);

// The console's own address as announced in "IpAddr": the last IPv4 address the local host
// name resolves to (lastIpv4Text of that lookup). Blocks for the lookup.
QString localIp();

// The addresses a search may be bound to: the given ones without every address that is not
// IPv4 and without "127.0.0.1", in the given order.
QList<QHostAddress> bindCandidates(const QList<QHostAddress> &addresses);

// bindCandidates of the addresses of all local interfaces.
QList<QHostAddress> localBindCandidates();

} // namespace discovery
