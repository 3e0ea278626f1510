#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QNetworkInterface>
#include <QObject>
#include <QString>
#include <optional>

class QHostInfo;
class QUdpSocket;

// Finding controllers on the local network. The console sends one "FindViewTop" datagram
// to a multicast group; every controller that hears it answers with a "ResponseToFind"
// datagram to the same group and port. Everything here is free of widgets, so the connect
// dialog and the tests share one definition of the wire format and of the search socket.
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

// The longest "HostIp" an answer may give, and the longest "HostName" shown.
constexpr int kMaxHostIpLength = 64;
constexpr int kMaxHostNameLength = 64;

// Reads a "ResponseToFind" datagram; a "HostPort" of 0 or a missing one (or one that is no
// number) means 80. Empty for anything that is not a JSON object with that "Command", and
// for an answer no entry can be made of: a "HostIp" that is missing, empty, longer than
// kMaxHostIpLength or not one word (blanks, control characters), or a "HostPort" that is
// a number but not a port (negative, past 65535, a fraction). The "HostName" is kept to
// one line of kMaxHostNameLength characters: control characters become blanks.
std::optional<Answer> parseResponseToFind(const QByteArray &datagram);

// Text of a discovery list entry: HostIp + " " + port + " " + HostName.
QString entryText(const Answer &answer);

// The text of the last IPv4 address of the list; empty when there is none.
QString lastIpv4Text(const QList<QHostAddress> &addresses);

// The console's own address as announced in "IpAddr" when the operator chose none: the last
// IPv4 address the local host name resolved to (`resolved`) that is not a loopback address;
// without one, the first IPv4 address of this machine (`local`) that is not a loopback
// address; without one either, lastIpv4Text(resolved). A host name resolving to 127.0.1.1
// (usual on Debian) thus gives way to the address of a real interface.
QString announcedAddress(const QList<QHostAddress> &resolved, const QList<QHostAddress> &local);

// Resolves the local host name in the background. The object lives until the answer is in
// and then deletes itself, so whoever asked may go away meanwhile without leaving a lookup
// half-done.
class HostNameLookup : public QObject
{
    Q_OBJECT
public:
    static HostNameLookup *start();

signals:
    // The addresses the name resolved to; empty when it did not resolve.
    void finished(const QList<QHostAddress> &addresses);

private:
    HostNameLookup() = default;
    void resolved(const QHostInfo &info);
};

// The addresses a search may be bound to: the given ones without every address that is not
// IPv4 and without "127.0.0.1", in the given order.
QList<QHostAddress> bindCandidates(const QList<QHostAddress> &addresses);

// bindCandidates of the addresses of all local interfaces.
QList<QHostAddress> localBindCandidates();

// The local interface that carries `address`; an invalid interface when none does.
QNetworkInterface interfaceWithAddress(const QHostAddress &address);

// Where the search socket listens and speaks.
struct SearchRoute
{
    // Bound together with kPort.
    QHostAddress bindAddress{QHostAddress::AnyIPv4};
    // The group is joined on it and the search leaves through it; invalid: the system's
    // default multicast interface.
    QNetworkInterface multicastInterface;
};

// The route for a search on `chosen` (a null address when the operator chose none) among
// the machine's `candidates` (bindCandidates).
// Windows binds to the chosen address and leaves joining and sending to the system's
// default interface; there a socket bound to a unicast address still receives the group.
// Elsewhere a socket bound to a unicast address never sees a datagram sent to the group, so
// the socket binds the wildcard address, and the chosen address (or the only candidate)
// names the interface to join on and send from.
SearchRoute searchRoute(const QHostAddress &chosen, const QList<QHostAddress> &candidates);

// Binds `socket` to the route's address and kPort, shared with other sockets, joins the
// group on the route's interface, switches multicast loopback off and sends group datagrams
// through that interface. False when the bind fails; `joined` tells whether the group was
// joined. Failures are silent: the search then simply hears nothing.
bool openSearchSocket(QUdpSocket &socket, const SearchRoute &route, bool *joined);

} // namespace discovery
