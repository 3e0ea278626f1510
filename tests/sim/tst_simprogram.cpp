// The pelmora-sim program: start-up line, command line, config file and a clean stop.
#include "simclient.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <csignal>

namespace {

struct Running
{
    int port = 0;
    QString banner;
};

// Starts the program and reads its start-up line; port 0 picks a free port.
Running launch(QProcess &process, QStringList args)
{
    Running r;
    // The wall streams take a free port too, so parallel runs never meet on 554.
    args << "--port"
         << "0"
         << "--rtsp-port"
         << "0";
    QElapsedTimer timer;
    timer.start();
    process.start(PELMORA_SIM_EXE, args);
    while (!process.canReadLine() && process.state() != QProcess::NotRunning && timer.elapsed() < 30000)
        process.waitForReadyRead(100);
    r.banner = QString::fromLocal8Bit(process.readLine()).trimmed();
    const QRegularExpressionMatch m = QRegularExpression("http://127\\.0\\.0\\.1:(\\d+)").match(r.banner);
    r.port = m.hasMatch() ? m.captured(1).toInt() : 0;
    return r;
}

} // namespace

class TestSimProgram : public QObject
{
    Q_OBJECT

private slots:
    void startsAnnouncesAndStopsCleanly_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
    }

    void startsAnnouncesAndStopsCleanly()
    {
        QFETCH(int, signalNumber);
        QTemporaryDir data;
        QProcess process;
        const Running running = launch(process, {"--data-dir", data.path()});
        QVERIFY2(running.port > 0, qPrintable(running.banner + process.readAllStandardError()));
        // How fast it starts is measured by bench/sim/bench_simstart.
        QVERIFY2(running.banner.contains("users admin/admin (administrator), operator/operator (operator)"),
                 qPrintable(running.banner));

        simtest::Client client(running.port);
        QVERIFY(client.get("GetVersion").isOk());
        QVERIFY(client.login());
        QVERIFY(client.upload("/videos/a.mp4", 0, "data").isOk());
        QVERIFY(QDir(data.filePath("uploads")).entryList(QDir::Files).size() == 1);

        ::kill(pid_t(process.processId()), signalNumber);
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        QVERIFY(process.readAllStandardOutput().contains("pelmora-sim: stopped"));
    }

    void configFileReplacesSections()
    {
        QTemporaryDir dir;
        QFile config(dir.filePath("wall.json"));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(R"({
            "Users": [{"UserName": "boss", "Password": "pw", "Role": 0}],
            "Groups": [{"Name": "Only Wall", "Width": 1920, "Height": 1080, "ScrRows": 1, "ScrCols": 1}]
        })");
        config.close();
        QProcess process;
        const Running running = launch(process, {"--config", config.fileName(), "--name", "Test Wall"});
        QVERIFY2(running.port > 0, qPrintable(running.banner + process.readAllStandardError()));
        QVERIFY(running.banner.contains("boss/pw (administrator)"));
        QVERIFY(running.banner.contains("\"Test Wall\""));
        simtest::Client client(running.port);
        QVERIFY(!client.login());
        QVERIFY(client.login("boss", "pw"));
        QCOMPARE(client.get("GetScrSetting").json().value("ScrList").toArray().size(), 1);
        QCOMPARE(client.get("GetVideoList").json().value("VideoList").toArray().size(), 12); // demo kept
        QCOMPARE(client.get("GetVersion").json().value("HostName").toString(), QString("Test Wall"));
        process.terminate();
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitCode(), 0);
    }

    void refusesBadCommandLines_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("port not a number") << QStringList{"--port", "http"} << 2 << "--port";
        QTest::newRow("missing config")
            << QStringList{"--config", "/nonexistent/wall.json"} << 1 << "/nonexistent/wall.json";
        QTest::newRow("address not on this machine")
            << QStringList{"--bind", "203.0.113.9", "--port", "0"} << 1 << "cannot listen on 203.0.113.9";
    }

    void refusesBadCommandLines()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QProcess process;
        process.start(PELMORA_SIM_EXE, args);
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitCode(), exitCode);
        const QString err = QString::fromLocal8Bit(process.readAllStandardError());
        QVERIFY2(err.contains(message), qPrintable(err));
    }

    void refusesAConfigThatIsNotJson()
    {
        QTemporaryDir dir;
        QFile config(dir.filePath("broken.json"));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write("{ \"Users\": [ ");
        config.close();
        QProcess process;
        process.start(PELMORA_SIM_EXE, {"--config", config.fileName(), "--port", "0"});
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitCode(), 1);
        QVERIFY(process.readAllStandardError().contains("is not a JSON object"));
    }
};

PELMORA_TEST_MAIN(TestSimProgram)
#include "tst_simprogram.moc"
