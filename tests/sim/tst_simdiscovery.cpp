// The discovery responder, heard by a socket set up like the console's. Multicast never
// leaves a network namespace the test makes itself: each test function re-runs this
// executable under `unshare --net` with loopback up and a multicast route on it.
#include "sim/simulator.h"
#include "testmain.h"

#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkDatagram>
#include <QProcess>
#include <QUdpSocket>

namespace {

const char *const kInsideVariable = "PELMORA_SIM_NETNS";
const QHostAddress kGroup("239.255.255.250");

bool insideNamespace()
{
    return qEnvironmentVariableIsSet(kInsideVariable);
}

// The console's discovery socket: shared bind on port 5000, group joined, loopback off.
bool openConsoleSocket(QUdpSocket &socket)
{
    if (!socket.bind(QHostAddress::AnyIPv4, 5000, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint))
        return false;
    if (!socket.joinMulticastGroup(kGroup))
        return false;
    socket.setSocketOption(QAbstractSocket::MulticastLoopbackOption, 0);
    return true;
}

void sendFindViewTop(QUdpSocket &socket)
{
    const QJsonObject query{{"Command", "FindViewTop"}, {"IpAddr", "127.0.0.1"}};
    socket.writeDatagram(QJsonDocument(query).toJson(QJsonDocument::Indented), kGroup, 5000);
}

// Datagrams that arrive within `ms` whose "Command" is "ResponseToFind".
QList<QJsonObject> answers(QUdpSocket &socket, int ms, int wanted)
{
    QList<QJsonObject> found;
    pelmora::test::waitFor(
        [&] {
            while (socket.hasPendingDatagrams()) {
                const QJsonObject o = QJsonDocument::fromJson(socket.receiveDatagram().data()).object();
                if (o.value("Command").toString() == "ResponseToFind")
                    found.append(o);
            }
            return found.size() >= wanted;
        },
        ms);
    return found;
}

} // namespace

class TestSimDiscovery : public QObject
{
    Q_OBJECT

private:
    // Runs one test function of this executable again inside a new network namespace.
    void runInNamespace(const char *function)
    {
        if (QProcess::execute("unshare", {"--net", "true"}) != 0)
            QSKIP("unshare --net is not permitted here; discovery is tested only inside a network namespace");
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(kInsideVariable, "1");
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start("unshare", {"--net", "sh", "-c",
                                "ip link set lo up && ip route add 224.0.0.0/4 dev lo && exec \"$0\" \"$@\"",
                                QCoreApplication::applicationFilePath(), QString::fromLatin1(function)});
        QVERIFY(child.waitForFinished(60000));
        const QByteArray output = child.readAll();
        if (child.exitCode() != 0)
            qWarning("%s", output.constData());
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        QVERIFY2(output.contains("PASS   : TestSimDiscovery::" + QByteArray(function)), output.constData());
    }

private slots:
    void answersTheConsolesSearch()
    {
        if (!insideNamespace()) {
            runInNamespace("answersTheConsolesSearch");
            return;
        }
        sim::Options options;
        options.name = "Lobby Controller";
        options.discovery = true;
        sim::Simulator simulator(options);
        QVERIFY2(simulator.start("127.0.0.1", 0), qPrintable(simulator.errorString()));
        QUdpSocket console;
        QVERIFY(openConsoleSocket(console));

        sendFindViewTop(console);
        const QList<QJsonObject> found = answers(console, 5000, 1);
        QCOMPARE(found.size(), 1);
        QCOMPARE(found.first().value("HostIp").toString(), QString("127.0.0.1"));
        QCOMPARE(found.first().value("HostName").toString(), QString("Lobby Controller"));
        QCOMPARE(found.first().value("HostPort").toInt(), simulator.port());

        const QList<sim::RecordedRequest> logged = simulator.requests("FindViewTop");
        QCOMPARE(logged.size(), 1);
        QCOMPARE(logged.first().method, QString("UDP"));
        QCOMPARE(logged.first().json().value("IpAddr").toString(), QString("127.0.0.1"));

        // Anything but a FindViewTop stays unanswered.
        console.writeDatagram(QByteArray("{\"Command\": \"Hello\"}"), kGroup, 5000);
        console.writeDatagram(QByteArray("\x01\x02 not json"), kGroup, 5000);
        QVERIFY(answers(console, 300, 1).isEmpty());
        QCOMPARE(simulator.discoveryAnswers(), 1);

        // A second search gets a second answer.
        sendFindViewTop(console);
        QCOMPARE(answers(console, 5000, 1).size(), 1);
        simulator.stop();
    }

    void silentUnlessAsked()
    {
        if (!insideNamespace()) {
            runInNamespace("silentUnlessAsked");
            return;
        }
        sim::Simulator simulator; // discovery is off by default
        QVERIFY(simulator.start("127.0.0.1", 0));
        QUdpSocket console;
        QVERIFY(openConsoleSocket(console));
        sendFindViewTop(console);
        QVERIFY(answers(console, 500, 1).isEmpty());
        QCOMPARE(simulator.discoveryAnswers(), 0);
        QVERIFY(simulator.requests("FindViewTop").isEmpty());
    }
};

PELMORA_TEST_MAIN(TestSimDiscovery)
#include "tst_simdiscovery.moc"
