#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QUdpSocket>

#include <functional>

// Discovery traffic of the tests never leaves the machine: the test executable runs itself
// again inside a network namespace of its own, where only the loopback interface exists and
// the multicast range is routed to it.
namespace netns {

// Call once at start-up. Outside a namespace this replaces the process with
// `unshare --net sh -c '<setup> && exec "$0" "$@"' <self> <args>` and does not return; it
// returns when already inside one, or when no namespace can be made (see available()).
void enter();
bool available();
QString unavailableReason();

// Runs `ip` with the arguments inside the namespace; true when it exits with 0.
bool ip(const QStringList &arguments);

// The network behind one interface of the test's namespace, as if another machine were at
// the end of a cable: a namespace of its own, joined to the test's by a veth pair. Sockets
// and threads made inside() belong to it, so an in-process simulator can stand there.
// Destroying it removes the pair and the namespace.
class Peer
{
public:
    Peer() = default;
    ~Peer();
    Peer(const Peer &) = delete;
    Peer &operator=(const Peer &) = delete;

    // Makes the namespace and the pair: `localName` here with `localAddress` (address/prefix),
    // `peerName` over there with `peerAddress`; both ends up.
    bool open(const QString &localName, const QString &localAddress, const QString &peerName,
              const QString &peerAddress);
    QString errorString() const { return m_error; }

    // Runs `work` with the calling thread inside the peer's network; false when it cannot
    // get there, otherwise what `work` returns.
    bool inside(const std::function<bool()> &work);
    // Runs `ip` with the arguments inside the peer's network.
    bool ip(const QStringList &arguments);

private:
    bool fail(const QString &why);

    QProcess m_holder;
    int m_namespace = -1;
    QString m_localName;
    QString m_error;
};

// Runs one test function of this executable again on a machine whose name resolver never
// answers: fresh network, mount and host name namespaces, the host name "pelmora-console"
// known to no hosts file, and the resolver asking `nameserver` with one attempt of
// `timeoutSeconds`. Loopback is up and multicast is routed to it, as in enter(). True when
// the function passed; `output` holds what the run printed.
bool runWithSilentResolver(const char *testFunction, const QString &nameserver, int timeoutSeconds,
                           QByteArray *output);
// The same with a resolver that knows the host name "pelmora-console" only from the hosts
// file: `hosts` (lines "address name") follows a line for localhost, and nothing else is
// asked. `testFunction` may name a row ("function:row").
bool runWithHostsFile(const char *testFunction, const QByteArray &hosts, QByteArray *output);
// True inside either kind of run.
bool ownResolverRun();

} // namespace netns

#define PELMORA_REQUIRE_NETNS()                                                                              \
    do {                                                                                                     \
        if (!netns::available())                                                                             \
            QSKIP(qPrintable(netns::unavailableReason()));                                                   \
    } while (false)

// The controller side of the search for the tests: a socket on the discovery port, joined to
// the group on one interface (loopback unless told otherwise) with multicast loopback on, so
// what it sends to the group reaches the dialog (and itself).
class Responder : public QObject
{
    Q_OBJECT
public:
    explicit Responder(QObject *parent = nullptr);

    // Joins the group on the named interface and sends out of it.
    bool open(const QString &interfaceName = QStringLiteral("lo"));
    void send(const QByteArray &datagram);
    // Sends a marker to the group and waits until it comes back: every datagram sent to the
    // group before it has then been received here.
    bool sync();
    // The datagrams received so far whose "Command" is `command`.
    QList<QByteArray> received(const QString &command) const;

private:
    void readAll();

    QUdpSocket m_socket;
    QList<QByteArray> m_received;
    int m_markers = 0;
};
