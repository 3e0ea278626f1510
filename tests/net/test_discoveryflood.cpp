// The connect dialog under a flood of search answers: ten thousand of them, each from a
// sender address of its own, while the dialog is on the screen. It keeps answering its event
// loop, and its list stays short. Answers as large as a datagram or with odd fields are
// dropped or trimmed. The executable runs inside a network namespace of its
// own, where a whole /16 is local to the loopback interface, so the senders never leave it.
#include "net/dialogconnect.h"
#include "net/discovery.h"
#include "netns.h"
#include "platform/platformpaths.h"
#include "testmain.h"
#include "uikit/dialogs.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QSettings>
#include <QTimer>
#include <QUdpSocket>

#include <arpa/inet.h>
#include <atomic>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {
constexpr int kSenders = 10000;
// The senders' addresses: 10.99.0.0/16, local to the loopback interface of the namespace.
constexpr quint32 kSenderNet = (10u << 24) | (99u << 16);

QByteArray answerFrom(quint32 address)
{
    const QString ip = QHostAddress(address).toString();
    QJsonObject object{{"Command", "ResponseToFind"}, {"HostIp", ip}, {"HostName", "Flood " + ip}};
    object.insert(QStringLiteral("HostPort"), 80);
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

// Sends one answer from each of `count` sender addresses to the group, a short burst at a
// time so that a dialog that keeps up receives them all; runs on a thread of its own.
int flood(int count)
{
    const unsigned loopback = if_nametoindex("lo");
    int sent = 0;
    for (int i = 0; i < count; ++i) {
        const quint32 address = kSenderNet + 1 + quint32(i);
        const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
        if (fd < 0)
            continue;
        sockaddr_in from{};
        from.sin_family = AF_INET;
        from.sin_addr.s_addr = htonl(address);
        ip_mreqn through{};
        through.imr_ifindex = int(loopback);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(discovery::kPort);
        to.sin_addr.s_addr = htonl(discovery::groupAddress().toIPv4Address());
        const QByteArray datagram = answerFrom(address);
        if (::bind(fd, reinterpret_cast<sockaddr *>(&from), sizeof from) == 0 &&
            ::setsockopt(fd, IPPROTO_IP, IP_MULTICAST_IF, &through, sizeof through) == 0 &&
            ::sendto(fd, datagram.constData(), size_t(datagram.size()), 0, reinterpret_cast<sockaddr *>(&to),
                     sizeof to) == datagram.size())
            ++sent;
        ::close(fd);
        if (i % 50 == 49)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return sent;
}
} // namespace

class TestDiscoveryFlood : public QObject
{
    Q_OBJECT

public:
    TestDiscoveryFlood() { netns::enter(); }

private slots:
    void init()
    {
        uikit::Dialogs::reset();
        platform::lastConnectSettings()->clear();
    }

    void floodKeepsTheDialogResponsive()
    {
        PELMORA_REQUIRE_NETNS();
        QVERIFY(netns::ip({"route", "add", "local", "10.99.0.0/16", "dev", "lo"}));

        DialogConnect dialog(QString(), QString(), QString(), true, 2, 80);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *list = dialog.findChild<QListWidget *>(QStringLiteral("listHosts"));
        auto *socket = dialog.findChild<QUdpSocket *>(QStringLiteral("discoverySocket"));
        QVERIFY(list && socket);

        // The dialog's event loop is sampled by a 10 ms timer: the longest gap between two
        // of its ticks is how long the dialog was frozen at worst.
        QElapsedTimer clock;
        qint64 last = 0;
        qint64 worstGap = 0;
        QTimer ticks;
        ticks.setInterval(10);
        connect(&ticks, &QTimer::timeout, [&] {
            const qint64 now = clock.elapsed();
            worstGap = qMax(worstGap, now - last);
            last = now;
        });

        std::atomic<int> sent{-1};
        clock.start();
        ticks.start();
        std::thread sender([&] { sent = flood(kSenders); });
        QVERIFY(QTest::qWaitFor([&] { return sent >= 0; }, 120000));
        sender.join();
        // Drained: nothing waits at the socket for a while.
        int quietTurns = 0;
        QVERIFY(QTest::qWaitFor(
            [&] {
                quietTurns = socket->hasPendingDatagrams() ? 0 : quietTurns + 1;
                return quietTurns > 20;
            },
            120000));
        ticks.stop();
        const qint64 floodMs = clock.elapsed();

        qInfo("flood: %d answers sent from %d addresses in %lld ms; worst gap between 10 ms ticks %lld ms; "
              "%d list entries",
              int(sent), kSenders, floodMs, worstGap, list->count());
        QCOMPARE(int(sent), kSenders);
        // Generous for a loaded machine of two cores: a frozen dialog stays away for seconds.
        QVERIFY2(worstGap < 750, qPrintable(QStringLiteral("worst gap %1 ms").arg(worstGap)));
        QCOMPARE(list->count(), DialogConnect::kMaxHostEntries);
    }

    // Answers as large as a datagram can be, one of them cut short as if the answer had not
    // fit, and answers with odd fields: no entry or a trimmed one, and the next good answer
    // still shows.
    void oversizedAndOddAnswers()
    {
        PELMORA_REQUIRE_NETNS();
        Responder responder;
        QVERIFY(responder.open());
        DialogConnect dialog(QString(), QString(), QString(), true, 2, 80);
        auto *list = dialog.findChild<QListWidget *>(QStringLiteral("listHosts"));
        QVERIFY(list);

        constexpr int kLargestDatagram = 65507; // IPv4: 65535 less the IP and UDP headers
        const QByteArray head = "{\"Command\":\"ResponseToFind\",\"HostIp\":\"10.5.0.1\",\"HostName\":\"";
        QByteArray whole = head + QByteArray(kLargestDatagram - head.size() - 2, 'N') + "\"}";
        QCOMPARE(whole.size(), kLargestDatagram);
        const QByteArray cut = whole.left(kLargestDatagram - 1);
        const QList<QByteArray> datagrams{
            cut,
            whole,
            "{\"Command\":\"ResponseToFind\"}",
            "{\"Command\":\"ResponseToFind\",\"HostIp\":{\"a\":1},\"HostName\":\"X\"}",
            "{\"Command\":\"ResponseToFind\",\"HostIp\":\"10.5.0.2\",\"HostPort\":-80}",
            "{\"Command\":\"ResponseToFind\",\"HostIp\":\"10.5.0.3\",\"HostPort\":99999999999}",
            QByteArray(kLargestDatagram, '{'),
        };
        for (const QByteArray &datagram : datagrams)
            responder.send(datagram);
        const QString last = QStringLiteral("10.5.0.9 80 Last");
        responder.send("{\"Command\":\"ResponseToFind\",\"HostIp\":\"10.5.0.9\",\"HostName\":\"Last\"}");
        QVERIFY(QTest::qWaitFor([&] { return !list->findItems(last, Qt::MatchExactly).isEmpty(); }, 20000));

        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(),
                 QStringLiteral("10.5.0.1 80 ") + QString(discovery::kMaxHostNameLength, QLatin1Char('N')));
        QCOMPARE(list->item(1)->text(), last);
    }
};

PELMORA_TEST_MAIN(TestDiscoveryFlood)
#include "test_discoveryflood.moc"
