#include "net/discovery.h"
#include "testmain.h"

#include <QJsonDocument>
#include <QJsonObject>

using discovery::Answer;

namespace {
QList<QHostAddress> addresses(const QStringList &texts)
{
    QList<QHostAddress> list;
    for (const QString &text : texts)
        list.append(QHostAddress(text));
    return list;
}

QStringList texts(const QList<QHostAddress> &list)
{
    QStringList out;
    for (const QHostAddress &address : list)
        out.append(address.toString());
    return out;
}
} // namespace

class TestDiscovery : public QObject
{
    Q_OBJECT

private slots:
    void wireConstants()
    {
        QCOMPARE(discovery::groupAddress(), QHostAddress(QStringLiteral("239.255.255.250")));
        QVERIFY(discovery::groupAddress().isMulticast());
        QCOMPARE(&discovery::groupAddress(), &discovery::groupAddress());
        QCOMPARE(discovery::kPort, quint16(5000));
    }

    void findViewTop_data()
    {
        QTest::addColumn<QString>("localIp");
        QTest::newRow("address") << QStringLiteral("192.168.10.23");
        QTest::newRow("no address") << QString();
    }

    void findViewTop()
    {
        QFETCH(QString, localIp);
        const QByteArray datagram = discovery::buildFindViewTop(localIp);

        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(datagram, &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        const QJsonObject object = document.object();
        QCOMPARE(object.keys(), QStringList({QStringLiteral("Command"), QStringLiteral("IpAddr")}));
        QCOMPARE(object.value(QStringLiteral("Command")).toString(), QStringLiteral("FindViewTop"));
        QVERIFY(object.value(QStringLiteral("IpAddr")).isString());
        QCOMPARE(object.value(QStringLiteral("IpAddr")).toString(), localIp);
        // Indented form, one key per line.
        QVERIFY(datagram.startsWith("{\n    \""));
        QVERIFY(datagram.contains("\n    \"IpAddr\": \""));
    }

    void responseToFind_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("port");

        QTest::newRow("full") << QByteArray("{\"Command\":\"ResponseToFind\",\"HostIp\":\"10.1.2.3\","
                                            "\"HostName\":\"Wall-A\",\"HostPort\":8080}")
                              << true << QStringLiteral("10.1.2.3 8080 Wall-A") << 8080;
        QTest::newRow("port 0 means 80") << QByteArray("{\"Command\":\"ResponseToFind\",\"HostIp\":\"10.1.2."
                                                       "3\",\"HostName\":\"B\",\"HostPort\":0}")
                                         << true << QStringLiteral("10.1.2.3 80 B") << 80;
        QTest::newRow("missing port means 80")
            << QByteArray("{\"Command\":\"ResponseToFind\",\"HostIp\":\"10.1.2.4\",\"HostName\":\"大厅\"}")
            << true << QStringLiteral("10.1.2.4 80 大厅") << 80;
        QTest::newRow("name with spaces") << QByteArray("{\"Command\":\"ResponseToFind\",\"HostIp\":\"10.1.2."
                                                        "5\",\"HostName\":\"Hall 2\",\"HostPort\":81}")
                                          << true << QStringLiteral("10.1.2.5 81 Hall 2") << 81;
        QTest::newRow("other command")
            << QByteArray(
                   "{\"Command\":\"FindViewTop\",\"HostIp\":\"10.1.2.3\",\"HostName\":\"A\",\"HostPort\":80}")
            << false << QString() << 0;
        QTest::newRow("command is case-sensitive")
            << QByteArray("{\"Command\":\"responsetofind\",\"HostIp\":\"10.1.2.3\",\"HostName\":\"A\"}")
            << false << QString() << 0;
        QTest::newRow("no command") << QByteArray("{\"HostIp\":\"10.1.2.3\",\"HostName\":\"A\"}") << false
                                    << QString() << 0;
        QTest::newRow("not json") << QByteArray("ResponseToFind 10.1.2.3") << false << QString() << 0;
        QTest::newRow("truncated json")
            << QByteArray("{\"Command\":\"ResponseToFind\",\"HostIp\":\"10.1") << false << QString() << 0;
        QTest::newRow("json array") << QByteArray("[\"ResponseToFind\"]") << false << QString() << 0;
        QTest::newRow("empty") << QByteArray() << false << QString() << 0;

        // Odd fields from a broken or hostile controller.
        const auto odd = [](const QByteArray &fields) {
            return "{\"Command\":\"ResponseToFind\"," + fields + "}";
        };
        QTest::newRow("no address") << odd("\"HostName\":\"A\"") << false << QString() << 0;
        QTest::newRow("empty address")
            << odd("\"HostIp\":\"\",\"HostName\":\"A\"") << false << QString() << 0;
        QTest::newRow("address not text")
            << odd("\"HostIp\":10,\"HostName\":\"A\"") << false << QString() << 0;
        QTest::newRow("address of two words")
            << odd("\"HostIp\":\"10.1.2.3 9\",\"HostName\":\"A\"") << false << QString() << 0;
        QTest::newRow("address with a line break")
            << odd("\"HostIp\":\"10.1.2.3\\n\",\"HostName\":\"A\"") << false << QString() << 0;
        QTest::newRow("address too long")
            << odd("\"HostIp\":\"" + QByteArray(discovery::kMaxHostIpLength + 1, '1') + "\"") << false
            << QString() << 0;
        QTest::newRow("negative port")
            << odd("\"HostIp\":\"10.1.2.3\",\"HostPort\":-1") << false << QString() << 0;
        QTest::newRow("port past 65535")
            << odd("\"HostIp\":\"10.1.2.3\",\"HostPort\":65536") << false << QString() << 0;
        QTest::newRow("huge port") << odd("\"HostIp\":\"10.1.2.3\",\"HostPort\":1e300") << false << QString()
                                   << 0;
        QTest::newRow("fractional port")
            << odd("\"HostIp\":\"10.1.2.3\",\"HostPort\":80.5") << false << QString() << 0;
        QTest::newRow("highest port") << odd("\"HostIp\":\"10.1.2.3\",\"HostPort\":65535") << true
                                      << QStringLiteral("10.1.2.3 65535 ") << 65535;
        QTest::newRow("port as text means 80") << odd("\"HostIp\":\"10.1.2.3\",\"HostPort\":\"8080\"") << true
                                               << QStringLiteral("10.1.2.3 80 ") << 80;
        QTest::newRow("name not text") << odd("\"HostIp\":\"10.1.2.3\",\"HostName\":[1,2]") << true
                                       << QStringLiteral("10.1.2.3 80 ") << 80;
        QTest::newRow("name on several lines")
            << odd("\"HostIp\":\"10.1.2.3\",\"HostName\":\"Hall\\r\\nX\\u0000Y\"") << true
            << QStringLiteral("10.1.2.3 80 Hall  X Y") << 80;
        QTest::newRow("name as long as a datagram")
            << odd("\"HostIp\":\"10.1.2.3\",\"HostName\":\"" + QByteArray(65000, 'N') + "\"") << true
            << QStringLiteral("10.1.2.3 80 ") + QString(discovery::kMaxHostNameLength, QLatin1Char('N'))
            << 80;
        QTest::newRow("deeply nested")
            << odd("\"HostIp\":\"10.1.2.3\",\"X\":" + QByteArray(5000, '[') + QByteArray(5000, ']')) << false
            << QString() << 0;
    }

    void responseToFind()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(bool, accepted);
        QFETCH(QString, entry);
        QFETCH(int, port);

        const std::optional<Answer> answer = discovery::parseResponseToFind(datagram);
        QCOMPARE(answer.has_value(), accepted);
        if (!accepted)
            return;
        QCOMPARE(answer->port, port);
        QCOMPARE(discovery::entryText(*answer), entry);
    }

    void lastIpv4_data()
    {
        QTest::addColumn<QStringList>("resolved");
        QTest::addColumn<QString>("expected");
        QTest::newRow("last of several")
            << QStringList{"fe80::1", "10.0.0.1", "::1", "192.168.1.7", "fe80::2"}
            << QStringLiteral("192.168.1.7");
        QTest::newRow("loopback only") << QStringList{"127.0.0.1"} << QStringLiteral("127.0.0.1");
        QTest::newRow("no IPv4") << QStringList{"::1", "fe80::1"} << QString();
        QTest::newRow("nothing") << QStringList{} << QString();
    }

    void lastIpv4()
    {
        QFETCH(QStringList, resolved);
        QFETCH(QString, expected);
        QCOMPARE(discovery::lastIpv4Text(addresses(resolved)), expected);
    }

    // "IpAddr" when the operator chose no address: the host name's address unless that is a
    // loopback address and the machine has a real one.
    void announcedAddress_data()
    {
        QTest::addColumn<QStringList>("resolved");
        QTest::addColumn<QStringList>("local");
        QTest::addColumn<QString>("expected");
        QTest::newRow("last resolved IPv4") << QStringList{"10.0.0.1", "fe80::1", "192.168.1.7", "::1"}
                                            << QStringList{"10.9.9.9"} << QStringLiteral("192.168.1.7");
        QTest::newRow("host name on 127.0.1.1 gives way to an interface")
            << QStringList{"127.0.1.1"} << QStringList{"::1", "192.168.1.20", "10.0.0.3"}
            << QStringLiteral("192.168.1.20");
        QTest::newRow("loopback resolved after a real address")
            << QStringList{"10.0.0.1", "127.0.1.1"} << QStringList{"10.9.9.9"} << QStringLiteral("10.0.0.1");
        QTest::newRow("nothing resolved")
            << QStringList{} << QStringList{"127.0.0.1", "10.0.0.3"} << QStringLiteral("10.0.0.3");
        QTest::newRow("only loopback anywhere")
            << QStringList{"127.0.1.1"} << QStringList{"127.0.0.1"} << QStringLiteral("127.0.1.1");
        QTest::newRow("nothing at all") << QStringList{} << QStringList{} << QString();
    }

    void announcedAddress()
    {
        QFETCH(QStringList, resolved);
        QFETCH(QStringList, local);
        QFETCH(QString, expected);
        QCOMPARE(discovery::announcedAddress(addresses(resolved), addresses(local)), expected);
    }

    void bindCandidates_data()
    {
        QTest::addColumn<QStringList>("all");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("one address besides loopback: no choice")
            << QStringList{"127.0.0.1", "192.168.1.20", "::1", "fe80::1c2:3ff:fe04:506"}
            << QStringList{"192.168.1.20"};
        QTest::newRow("two addresses in order") << QStringList{"127.0.0.1", "10.0.0.2", "::1", "192.168.5.3"}
                                                << QStringList{"10.0.0.2", "192.168.5.3"};
        QTest::newRow("loopback and IPv6 only")
            << QStringList{"127.0.0.1", "::1", "::ffff:10.0.0.2"} << QStringList{};
        // Only the exact text 127.0.0.1 is dropped.
        QTest::newRow("other loopback address kept") << QStringList{"127.0.1.1"} << QStringList{"127.0.1.1"};
    }

    void bindCandidates()
    {
        QFETCH(QStringList, all);
        QFETCH(QStringList, expected);
        QCOMPARE(texts(discovery::bindCandidates(addresses(all))), expected);
    }
};

PELMORA_TEST_MAIN(TestDiscovery)
#include "test_discovery.moc"
