// Playback in the simulator's windows on a clock the test moves: positions, the end of a
// video, and the state each control of the media panel changes.
#include "sim/simulator.h"
#include "simclient.h"
#include "testmain.h"

#include <QJsonArray>

using simtest::jsonAt;

namespace {

// One step of a playback script: a "CtrlCmd" for the demo video window 101 (with
// "TimeInSecond" for "SetTime"), or, with an empty command, time passing on the controller.
struct Step
{
    QString ctrl;
    int value = 0;
};

Step wait(int ms)
{
    return {QString(), ms};
}

QJsonObject control(const QString &command, int windowId, const QString &ctrl)
{
    return QJsonObject{{"Command", command}, {"WindowId", windowId}, {"CtrlCmd", ctrl}};
}

} // namespace

Q_DECLARE_METATYPE(QList<Step>)
Q_DECLARE_METATYPE(QList<QJsonObject>)

class TestSimPlayback : public simtest::Suite
{
    Q_OBJECT

private slots:
    // The demo video "Company Intro.mp4" is 185 s long and plays from 0.
    void videoPosition_data()
    {
        QTest::addColumn<QList<Step>>("script");
        QTest::addColumn<int>("curTime");
        QTest::addColumn<int>("isPlaying");

        const Step pause{"Pause"}, resume{"Resume"};
        QTest::newRow("plays in controller time") << QList<Step>{wait(5000)} << 5 << 1;
        QTest::newRow("a pause holds the position") << QList<Step>{wait(3000), pause, wait(5000)} << 3 << 0;
        QTest::newRow("resume goes on from there")
            << QList<Step>{wait(3000), pause, wait(5000), resume, wait(2000)} << 5 << 1;
        QTest::newRow("seek, then plays on") << QList<Step>{{"SetTime", 100}, wait(4000)} << 104 << 1;
        QTest::newRow("stops at its length") << QList<Step>{{"SetTime", 180}, wait(10000)} << 185 << 0;
        QTest::newRow("resume at the end plays it again")
            << QList<Step>{{"SetTime", 180}, wait(10000), resume, wait(2000)} << 2 << 1;
        QTest::newRow("seek back after the end plays on")
            << QList<Step>{{"SetTime", 180}, wait(10000), {"SetTime", 50}, wait(1000)} << 51 << 1;
        QTest::newRow("next item starts at 0") << QList<Step>{wait(7000), {"Next"}, wait(1000)} << 1 << 1;
    }

    void videoPosition()
    {
        QFETCH(QList<Step>, script);
        QFETCH(int, curTime);
        QFETCH(int, isPlaying);
        for (const Step &step : script) {
            if (step.ctrl.isEmpty()) {
                m_sim->advanceClock(step.value);
                continue;
            }
            QJsonObject request = control("VideoCtrl", 101, step.ctrl);
            if (step.ctrl == "SetTime")
                request.insert("TimeInSecond", step.value);
            const simtest::Result r = client().post(request);
            QVERIFY2(r.isOk(), r.body.constData());
        }
        const QJsonObject params = client().get("GetVideoParams&WindowId=101").json();
        QCOMPARE(params.value("CurTime").toInt(-1), curTime);
        QCOMPARE(params.value("IsPlaying").toInt(-1), isPlaying);
        QCOMPARE(jsonAt(m_sim->state(), "Groups/0/Windows/0/Playback/IsPlaying").toInt(-1), isPlaying);
    }

    // What each kind of window keeps, changed by the controls that apply to it; a control a
    // window has no use for is refused with the reason.
    void controlsOfEachKind_data()
    {
        QTest::addColumn<QList<QJsonObject>>("requests");
        QTest::addColumn<QString>("query"); // GET command text, or "state:" + state path
        QTest::addColumn<QString>("path");
        QTest::addColumn<QJsonValue>("expected");
        QTest::addColumn<QString>("refusal"); // part of the last request's "Message"

        auto setTime = [](int windowId, int seconds) {
            QJsonObject o = control("VideoCtrl", windowId, "SetTime");
            o.insert("TimeInSecond", seconds);
            return o;
        };
        QJsonObject volume = control("VideoCtrl", 101, "SetVolume");
        volume.insert("Value", 35);
        QJsonObject pictureVolume = control("VideoCtrl", 102, "SetVolume");
        pictureVolume.insert("Value", 35);
        const QJsonObject office{
            {"Command", "NewWindow"},
            {"WindowId", 7},
            {"Type", 3},
            {"RealRect", QJsonObject{{"Left", 0}, {"Top", 0}, {"Right", 1920}, {"Bottom", 1080}}},
            {"Name", "Strategy.pptx"},
            {"Path", "/office/Strategy.pptx"}};
        const QJsonObject next = control("PptCtrl", 7, "NextPage"), prev = control("PptCtrl", 7, "PrevPage");

        QTest::newRow("video volume") << QList<QJsonObject>{volume} << "GetVideoParams&WindowId=101"
                                      << "Volume" << QJsonValue(35) << QString();
        QTest::newRow("video mute") << QList<QJsonObject>{control("VideoCtrl", 101, "AudioOff")}
                                    << "GetVideoParams&WindowId=101"
                                    << "IsMute" << QJsonValue(1) << QString();
        QTest::newRow("video sound back")
            << QList<QJsonObject>{control("VideoCtrl", 101, "AudioOff"), control("VideoCtrl", 101, "AudioOn")}
            << "GetVideoParams&WindowId=101"
            << "IsMute" << QJsonValue(0) << QString();
        QTest::newRow("picture interval")
            << QList<QJsonObject>{setTime(102, 7)} << "GetPictureParams&WindowId=102"
            << "Interval" << QJsonValue(7) << QString();
        QTest::newRow("picture has no sound to mute")
            << QList<QJsonObject>{control("VideoCtrl", 102, "AudioOff")} << "GetVideoParams&WindowId=102"
            << "IsMute" << QJsonValue(0) << "a picture window has no sound";
        QTest::newRow("picture has no volume")
            << QList<QJsonObject>{pictureVolume} << "GetVideoParams&WindowId=102"
            << "Volume" << QJsonValue(50) << "a picture window has no sound";
        QTest::newRow("live video show time")
            << QList<QJsonObject>{setTime(201, 20)} << "GetVideoParams&WindowId=201"
            << "ShowTime" << QJsonValue(20) << QString();
        QTest::newRow("live video has no position")
            << QList<QJsonObject>{setTime(201, 20)} << "GetVideoParams&WindowId=201"
            << "CurTime" << QJsonValue(0) << QString();
        QTest::newRow("office pages forward")
            << QList<QJsonObject>{office, next, next} << "state:"
            << "Groups/0/Windows/3/Playback/Page" << QJsonValue(3) << QString();
        QTest::newRow("office stays on the first page")
            << QList<QJsonObject>{office, next, prev, prev, prev} << "state:"
            << "Groups/0/Windows/3/Playback/Page" << QJsonValue(1) << QString();
        QTest::newRow("office has no video control")
            << QList<QJsonObject>{office, control("VideoCtrl", 7, "Next")} << "state:"
            << "Groups/0/Windows/3/Playback/Page" << QJsonValue(1) << "Office document window (type 3)";
        QTest::newRow("web zoom out") << QList<QJsonObject>{control("WebCtrl", 103, "ZoomOut")} << "state:"
                                      << "Groups/0/Windows/2/Playback/Zoom" << QJsonValue(90) << QString();
        QTest::newRow("web scrolls down")
            << QList<QJsonObject>{control("WebCtrl", 103, "PageDown")} << "state:"
            << "Groups/0/Windows/2/Playback/Scroll" << QJsonValue(1) << QString();
        QTest::newRow("web restore gives the zoom back")
            << QList<QJsonObject>{control("WebCtrl", 103, "ZoomIn"), control("WebCtrl", 103, "Restore")}
            << "state:"
            << "Groups/0/Windows/2/Playback/Zoom" << QJsonValue(100) << QString();
        QTest::newRow("web unknown control")
            << QList<QJsonObject>{control("WebCtrl", 103, "Reload")} << "state:"
            << "Groups/0/Windows/2/Playback/Zoom" << QJsonValue(100) << "Unknown CtrlCmd \"Reload\"";
    }

    void controlsOfEachKind()
    {
        QFETCH(QList<QJsonObject>, requests);
        QFETCH(QString, query);
        QFETCH(QString, path);
        QFETCH(QJsonValue, expected);
        QFETCH(QString, refusal);
        simtest::Result last;
        for (const QJsonObject &request : requests)
            last = client().post(request);
        if (refusal.isEmpty()) {
            QVERIFY2(last.isOk(), last.body.constData());
        } else {
            QCOMPARE(last.json().value("Status").toString(), QString("Error"));
            QVERIFY2(last.message().contains(refusal), qPrintable(last.message()));
        }
        const QJsonObject source = query == "state:" ? m_sim->state() : client().get(query).json();
        QCOMPARE(jsonAt(source, path), expected);
    }
};

PELMORA_TEST_MAIN(TestSimPlayback)
#include "tst_simplayback.moc"
