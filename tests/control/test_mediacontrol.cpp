// The media panel's rules without widgets: the action table per window type, the panel
// layout per type, the time texts and the playback values read from a reply.
#include "control/mediacontrol.h"
#include "testmain.h"

#include <QJsonDocument>

using control::Action;
using control::Control;
using control::PanelMode;

Q_DECLARE_METATYPE(control::Action)
Q_DECLARE_METATYPE(control::PanelMode)
Q_DECLARE_METATYPE(QList<control::Control>)

namespace {
// The request as compact JSON text, or "-" when nothing is sent.
QString wire(const std::optional<QJsonObject> &request)
{
    return request ? QString::fromUtf8(QJsonDocument(*request).toJson(QJsonDocument::Compact))
                   : QStringLiteral("-");
}

QString expected(const char *command, const char *ctrl, const char *key = nullptr, int value = 0)
{
    QJsonObject o{{"Command", command}, {"WindowId", 42}, {"CtrlCmd", ctrl}};
    if (key)
        o.insert(key, value);
    return wire(o);
}
} // namespace

class TestMediaControl : public QObject
{
    Q_OBJECT

private slots:
    // Every action for every kind of window: the whole action table, and "nothing" where a
    // type has no entry (other documents 5, applications 9, unknown codes).
    void actionTable_data()
    {
        QTest::addColumn<int>("winType");
        QTest::addColumn<Action>("action");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("request");

        const struct
        {
            Action action;
            const char *name;
            int value;
            QString video, office, web;
        } rows[] = {
            {Action::Prev, "Prev", 0, expected("VideoCtrl", "Prev"), expected("PptCtrl", "PrevPage"), "-"},
            {Action::Next, "Next", 0, expected("VideoCtrl", "Next"), expected("PptCtrl", "NextPage"), "-"},
            {Action::Pause, "Pause", 0, expected("VideoCtrl", "Pause"), "-", "-"},
            {Action::Resume, "Resume", 0, expected("VideoCtrl", "Resume"), "-", "-"},
            {Action::Volume, "Volume", 35, expected("VideoCtrl", "SetVolume", "Value", 35), "-", "-"},
            {Action::AudioOff, "AudioOff", 0, expected("VideoCtrl", "AudioOff"), "-", "-"},
            {Action::AudioOn, "AudioOn", 0, expected("VideoCtrl", "AudioOn"), "-", "-"},
            {Action::Seek, "Seek", 65, expected("VideoCtrl", "SetTime", "TimeInSecond", 65), "-", "-"},
            {Action::Expand, "Expand", 0, expected("VideoCtrl", "FullScreen", "Flag", 1), "-",
             expected("WebCtrl", "AutoZoom")},
            {Action::Restore, "Restore", 0, expected("VideoCtrl", "FullScreen", "Flag", 0), "-",
             expected("WebCtrl", "Restore")},
            {Action::ZoomIn, "ZoomIn", 0, "-", "-", expected("WebCtrl", "ZoomIn")},
            {Action::ZoomOut, "ZoomOut", 0, "-", "-", expected("WebCtrl", "ZoomOut")},
            {Action::PageUp, "PageUp", 0, "-", "-", expected("WebCtrl", "PageUp")},
            {Action::PageDown, "PageDown", 0, "-", "-", expected("WebCtrl", "PageDown")},
        };
        for (const auto &row : rows) {
            for (int type : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, -1}) {
                QString request = QStringLiteral("-");
                if (control::isVideoFamily(type))
                    request = row.video;
                else if (type == 3)
                    request = row.office;
                else if (type == 2)
                    request = row.web;
                QTest::addRow("%s type %d", row.name, type) << type << row.action << row.value << request;
            }
        }
    }

    void actionTable()
    {
        QFETCH(int, winType);
        QFETCH(Action, action);
        QFETCH(int, value);
        QFETCH(QString, request);
        QCOMPARE(wire(control::actionRequest(winType, 42, action, value)), request);
    }

    // The panel for each kind of window: mode, groups shown, the controls left usable and the
    // time slider's range; none (the panel stays as it was) for 5, 9 and unknown codes.
    void layouts_data()
    {
        QTest::addColumn<int>("winType");
        QTest::addColumn<bool>("hasLayout");
        QTest::addColumn<PanelMode>("mode");
        QTest::addColumn<bool>("volumeShown");
        QTest::addColumn<bool>("timeShown");
        QTest::addColumn<QList<Control>>("enabled");
        QTest::addColumn<int>("sliderMin");
        QTest::addColumn<int>("sliderMax");

        const QList<Control> video = {
            Control::Prev,   Control::Next,    Control::Play,       Control::AudioMute, Control::Volume,
            Control::Expand, Control::Restore, Control::TimeSlider, Control::TimeText,  Control::VideoIcon};
        QList<Control> live = video;
        live.removeAll(Control::Play);
        QTest::newRow("video") << 0 << true << PanelMode::Video << true << true << video << 0 << 0;
        QTest::newRow("network video")
            << 4 << true << PanelMode::LiveVideo << true << true << live << 5 << 30;
        QTest::newRow("USB video") << 6 << true << PanelMode::LiveVideo << true << true << live << 5 << 30;
        QTest::newRow("pictures") << 1 << true << PanelMode::Picture << false << true
                                  << QList<Control>{Control::Prev,    Control::Next,    Control::Play,
                                                    Control::Expand,  Control::Restore, Control::TimeSlider,
                                                    Control::TimeText}
                                  << 1 << 30;
        QTest::newRow("Office: only left and right")
            << 3 << true << PanelMode::Office << false << false
            << QList<Control>{Control::Prev, Control::Next} << 0 << 0;
        QTest::newRow("web page") << 2 << true << PanelMode::Web << false << false
                                  << QList<Control>{Control::ZoomIn,  Control::ZoomOut, Control::Expand,
                                                    Control::Restore, Control::PageUp,  Control::PageDown}
                                  << 0 << 0;
        for (int type : {5, 9, 7, -1})
            QTest::addRow("type %d keeps the panel", type)
                << type << false << PanelMode::Video << false << false << QList<Control>{} << 0 << 0;
    }

    void layouts()
    {
        QFETCH(int, winType);
        QFETCH(bool, hasLayout);
        QFETCH(PanelMode, mode);
        QFETCH(bool, volumeShown);
        QFETCH(bool, timeShown);
        QFETCH(QList<Control>, enabled);
        QFETCH(int, sliderMin);
        QFETCH(int, sliderMax);

        const std::optional<control::ModeLayout> layout = control::layoutForType(winType);
        QCOMPARE(layout.has_value(), hasLayout);
        if (!layout)
            return;
        QCOMPARE(layout->mode, mode);
        QCOMPARE(layout->volumeShown, volumeShown);
        QCOMPARE(layout->timeShown, timeShown);
        for (int c = 0; c < control::kControlCount; ++c)
            QVERIFY2(layout->isEnabled(Control(c)) == enabled.contains(Control(c)),
                     qPrintable(QString::number(c)));
        if (timeShown && mode != PanelMode::Video) {
            QCOMPARE(layout->sliderMin, sliderMin);
            QCOMPARE(layout->sliderMax, sliderMax);
        }
    }

    void timeTexts_data()
    {
        QTest::addColumn<PanelMode>("mode");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("total");
        QTest::addColumn<QString>("text"); // "-": the text is left as it is
        QTest::newRow("65 s of 3725 s") << PanelMode::Video << 65 << 3725 << "00:01:05/01:02:05";
        QTest::newRow("start of an unknown length") << PanelMode::Video << 0 << 0 << "00:00:00/00:00:00";
        QTest::newRow("past a hundred hours")
            << PanelMode::Video << 360000 << 360001 << "100:00:00/100:00:01";
        QTest::newRow("picture interval") << PanelMode::Picture << 7 << 0 << "切换间隔 7 秒";
        QTest::newRow("live show time") << PanelMode::LiveVideo << 30 << 0 << "切换间隔 30 秒";
        QTest::newRow("web page") << PanelMode::Web << 7 << 0 << "-";
        QTest::newRow("Office") << PanelMode::Office << 7 << 0 << "-";
    }

    void timeTexts()
    {
        QFETCH(PanelMode, mode);
        QFETCH(int, value);
        QFETCH(int, total);
        QFETCH(QString, text);
        QCOMPARE(control::timeText(mode, value, total).value_or(QStringLiteral("-")), text);
    }

    // A reply is read key by key, every value a number with 0 for anything else; the values
    // a failed query leaves are those of a playing, audible window at 0 with volume 0.
    void videoParams()
    {
        const control::VideoParams failed;
        QVERIFY(failed.playing && !failed.muted);
        QCOMPARE(failed.volume, 0);
        QCOMPARE(failed.curTime, 0);
        QCOMPARE(failed.totalTime, 0);
        QVERIFY(failed.showTime >= 5 && failed.showTime <= 30);

        const auto reply = QJsonDocument::fromJson(R"({"IsMute": 1, "IsPlaying": 0, "TotalTime": 3725,
            "CurTime": 65, "Volume": 35, "ShowTime": 12})")
                               .object();
        const control::VideoParams read = control::videoParamsFromReply(reply);
        QVERIFY(read.muted && !read.playing);
        QCOMPARE(read.totalTime, 3725);
        QCOMPARE(read.curTime, 65);
        QCOMPARE(read.volume, 35);
        QCOMPARE(read.showTime, 12);

        const auto texts =
            QJsonDocument::fromJson(R"({"IsMute": true, "IsPlaying": "1", "Volume": "80"})").object();
        const control::VideoParams strict = control::videoParamsFromReply(texts);
        QVERIFY(!strict.muted && !strict.playing);
        QCOMPARE(strict.volume, 0);
        QCOMPARE(control::videoParamsQuery(101), QStringLiteral("GetVideoParams&WindowId=101"));
        QCOMPARE(control::pictureParamsQuery(102), QStringLiteral("GetPictureParams&WindowId=102"));
    }
};

PELMORA_TEST_MAIN(TestMediaControl)
#include "test_mediacontrol.moc"
