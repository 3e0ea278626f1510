// The wall the simulator streams shows what each window plays, so that the media panel's
// controls can be seen on the screen echo: every control changes the line under the window's
// name in the next picture.
#include "sim/controllerstate.h"
#include "sim/simulator.h"
#include "sim/wallpicture.h"
#include "simclient.h"
#include "testmain.h"

namespace {

QJsonObject control(const QString &command, int windowId, const QString &ctrl, const char *key = nullptr,
                    int value = 0)
{
    QJsonObject o{{"Command", command}, {"WindowId", windowId}, {"CtrlCmd", ctrl}};
    if (key)
        o.insert(QLatin1String(key), value);
    return o;
}

// A step of a script: a request, or (without "Command") time passing on the controller.
QJsonObject wait(int ms)
{
    return QJsonObject{{"WaitMs", ms}};
}

} // namespace

Q_DECLARE_METATYPE(QList<QJsonObject>)

class TestSimWallPlayback : public QObject, protected simtest::Fixture
{
    Q_OBJECT

private:
    // The playback line of a window in the picture of its group, as the stream draws it now.
    QString statusOf(int group, int windowId)
    {
        sim::ControllerState state;
        state.apply(m_sim->state(), 0);
        const sim::WallSnapshot wall = sim::wallSnapshot(state, group, 0, 0);
        for (const sim::WallSnapshot::Item &item : wall.windows) {
            if (item.id == windowId)
                return item.status;
        }
        return QStringLiteral("(no window %1)").arg(windowId);
    }

private slots:
    void initTestCase()
    {
        const QString error = startSimulator();
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    void init()
    {
        QVERIFY(resetSimulator());
        m_sim->useManualClock();
    }

    void cleanupTestCase() { m_sim->stop(); }

    // The demo wall: video 101 ("Company Intro.mp4", 185 s), pictures 102 (two of them),
    // web page 103 on group 0; the gate camera 201 on group 1; an Office document opened here.
    void playbackShows_data()
    {
        QTest::addColumn<QList<QJsonObject>>("script");
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("windowId");
        QTest::addColumn<QString>("status"); // the line starts with it

        const QJsonObject office{
            {"Command", "NewWindow"},
            {"WindowId", 7},
            {"Type", 3},
            {"RealRect", QJsonObject{{"Left", 0}, {"Top", 0}, {"Right", 1920}, {"Bottom", 1080}}},
            {"Name", "Strategy.pptx"},
            {"Path", "/office/Strategy.pptx"}};

        QTest::newRow("video plays on")
            << QList<QJsonObject>{wait(65000)} << 0 << 101 << "Playing 00:01:05 / 00:03:05 · volume 50";
        QTest::newRow("video paused and muted")
            << QList<QJsonObject>{wait(3000), control("VideoCtrl", 101, "Pause"), wait(5000),
                                  control("VideoCtrl", 101, "AudioOff")}
            << 0 << 101 << "Paused 00:00:03 / 00:03:05 · muted";
        QTest::newRow("video seek and volume")
            << QList<QJsonObject>{control("VideoCtrl", 101, "SetTime", "TimeInSecond", 100),
                                  control("VideoCtrl", 101, "SetVolume", "Value", 35)}
            << 0 << 101 << "Playing 00:01:40 / 00:03:05 · volume 35";
        QTest::newRow("video at its end")
            << QList<QJsonObject>{control("VideoCtrl", 101, "SetTime", "TimeInSecond", 180), wait(10000)} << 0
            << 101 << "Ended 00:03:05 / 00:03:05";
        QTest::newRow("pictures: interval and next")
            << QList<QJsonObject>{control("VideoCtrl", 102, "SetTime", "TimeInSecond", 7),
                                  control("VideoCtrl", 102, "Next")}
            << 0 << 102 << "picture 2 of 2 · every 7 s";
        QTest::newRow("pictures paused") << QList<QJsonObject>{control("VideoCtrl", 102, "Pause")} << 0 << 102
                                         << "Paused · picture 1 of 2";
        QTest::newRow("web page zoomed and scrolled")
            << QList<QJsonObject>{control("WebCtrl", 103, "ZoomIn"), control("WebCtrl", 103, "PageDown")} << 0
            << 103 << "Zoom 110% · scrolled 1";
        QTest::newRow("live video show time")
            << QList<QJsonObject>{control("VideoCtrl", 201, "SetTime", "TimeInSecond", 20)} << 1 << 201
            << "Live · shown 20 s · volume 50";
        QTest::newRow("Office paged")
            << QList<QJsonObject>{office, control("PptCtrl", 7, "NextPage")} << 0 << 7 << "Page 2 of ";
    }

    void playbackShows()
    {
        QFETCH(QList<QJsonObject>, script);
        QFETCH(int, group);
        QFETCH(int, windowId);
        QFETCH(QString, status);
        for (const QJsonObject &step : script) {
            if (!step.contains("Command")) {
                m_sim->advanceClock(step.value("WaitMs").toInt());
                continue;
            }
            const simtest::Result r = client().post(step);
            QVERIFY2(r.isOk(), r.body.constData());
        }
        const QString shown = statusOf(group, windowId);
        QVERIFY2(shown.startsWith(status), qPrintable(shown));
    }
};

PELMORA_TEST_MAIN(TestSimWallPlayback)
#include "tst_simwallplayback.moc"
