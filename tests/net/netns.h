#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QUdpSocket>

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

} // namespace netns

#define PELMORA_REQUIRE_NETNS()                                                                              \
    do {                                                                                                     \
        if (!netns::available())                                                                             \
            QSKIP(qPrintable(netns::unavailableReason()));                                                   \
    } while (false)

// The controller side of the search for the tests: a socket on the discovery port, joined to
// the group on the loopback interface with multicast loopback on, so what it sends to the
// group reaches the dialog (and itself).
class Responder : public QObject
{
    Q_OBJECT
public:
    explicit Responder(QObject *parent = nullptr);

    bool open();
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
