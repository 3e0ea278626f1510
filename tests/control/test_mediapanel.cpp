// The media panel as the main window wires it, against a controller simulator: what each
// control sends to which window, how the panel is set up for each kind of window, the
// position poll of the update timer and the time slider in the operator's hand. Everything
// is read off the simulator's request log.
#include "mediafixture.h"
#include "testmain.h"
#include "uikit/dialogs.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QWheelEvent>

using uikit::Dialogs;
using W = MediaFixture::Window;

namespace {

QString boxTexts()
{
    QStringList texts;
    for (const auto &box : Dialogs::shownBoxes())
        texts << box.text;
    return texts.join(QLatin1Char('|'));
}

// Whether a button shows a picture (its own, undimmed look).
bool shows(const QAbstractButton *button, const QString &picture)
{
    const QImage expected = QPixmap(picture).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage shown =
        button->icon().pixmap(expected.size()).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return !expected.isNull() && shown == expected;
}

QString skin(const char *name)
{
    return QStringLiteral(":/images/newskin/") + QLatin1String(name);
}

// Sends a mouse event to the slider at a fraction of its width, as the operator's hand.
void handOnSlider(QSlider *slider, QEvent::Type type, double fraction)
{
    const QPoint at(int(slider->width() * fraction), slider->height() / 2);
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, slider->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(slider, &event);
}

} // namespace

class TestMediaPanel : public QObject
{
    Q_OBJECT

    std::unique_ptr<MediaFixture> f;

    // The "Playback" values the controller keeps for a window.
    QJsonObject playbackOf(uint windowId) const
    {
        const QJsonObject state = f->simulator.state();
        const QJsonArray windows =
            state.value("Groups").toArray().at(0).toObject().value("Windows").toArray();
        for (const QJsonValue &w : windows) {
            if (w.toObject().value("WindowId").toInt() == int(windowId))
                return w.toObject().value("Playback").toObject();
        }
        return {};
    }

    // The wall as the fixture's controller has it, with a session showing all of it.
    bool freshWall(const QJsonObject &state = MediaFixture::wall())
    {
        f->simulator.setState(state);
        const int windows =
            state.value("Groups").toArray().at(0).toObject().value("Windows").toArray().size();
        if (!f->window->session().loggedIn || f->canvas->windows().size() != windows) {
            if (!f->relogin())
                return false;
        }
        f->simulator.clearRequests();
        return true;
    }

private slots:
    void initTestCase()
    {
        f = std::make_unique<MediaFixture>();
        QVERIFY(f->start());
        QCOMPARE(f->canvas->windows().size(), 9);
    }

    void init()
    {
        Dialogs::reset();
        f->simulator.clearFaults();
        f->window->transport()->setTimeoutMs(10000);
        QVERIFY(freshWall());
    }

    void cleanupTestCase() { f.reset(); }

    // The action table on the wire: every control sends its command to the window selected
    // at the moment of the click (not to the one that set the panel up), or nothing when that
    // window's type has no such control. The listed controls show the wait cursor while
    // their request is under way.
    void actionsOnTheWire_data()
    {
        QTest::addColumn<uint>("first");  // selected before, so that it sets the panel up (0: none)
        QTest::addColumn<uint>("target"); // selected when the control is used
        QTest::addColumn<QByteArray>("slot");
        QTest::addColumn<int>("value");    // of the volume slot; the time slider's value (-1: as loaded)
        QTest::addColumn<QString>("sent"); // "Command CtrlCmd [Key=value]", or empty
        QTest::addColumn<bool>("busy");

        struct Row
        {
            const char *name;
            uint first, target;
            const char *slot;
            int value;
            const char *sent;
            bool busy;
        };
        const Row rows[] = {
            {"video prev", 0, W::Video, "on_btnPrev_clicked", 0, "VideoCtrl Prev", true},
            {"video next", 0, W::Video, "on_btnNext_clicked", 0, "VideoCtrl Next", true},
            {"video play while playing", 0, W::Video, "on_btnPlay_clicked", 0, "VideoCtrl Pause", false},
            {"video volume", 0, W::Video, "on_sliderVolume_valueChanged", 40, "VideoCtrl SetVolume Value=40",
             false},
            {"video mute", 0, W::Video, "on_btnAudioMute_clicked", 0, "VideoCtrl AudioOff", false},
            {"video seek", 0, W::Video, "on_sliderVideoTime_sliderReleased", 3000,
             "VideoCtrl SetTime TimeInSecond=3000", false},
            {"video expand", 0, W::Video, "on_btnExpand_clicked", 0, "VideoCtrl FullScreen Flag=1", true},
            {"video restore", 0, W::Video, "on_btnRestore_clicked", 0, "VideoCtrl FullScreen Flag=0", true},
            {"video zoom in", 0, W::Video, "on_btnZoomIn_clicked", 0, "", false},
            {"video page down", 0, W::Video, "on_btnPageDown_clicked", 0, "", false},
            {"pictures next", 0, W::Pictures, "on_btnNext_clicked", 0, "VideoCtrl Next", true},
            {"pictures keep the video's playing flag", W::Video, W::Pictures, "on_btnPlay_clicked", 0,
             "VideoCtrl Pause", false},
            {"pictures seek sends the interval", 0, W::Pictures, "on_sliderVideoTime_sliderReleased", -1,
             "VideoCtrl SetTime TimeInSecond=7", false},
            {"pictures expand", 0, W::Pictures, "on_btnExpand_clicked", 0, "VideoCtrl FullScreen Flag=1",
             true},
            {"pictures zoom out", 0, W::Pictures, "on_btnZoomOut_clicked", 0, "", false},
            {"web expand", 0, W::Web, "on_btnExpand_clicked", 0, "WebCtrl AutoZoom", true},
            {"web restore", 0, W::Web, "on_btnRestore_clicked", 0, "WebCtrl Restore", true},
            {"web zoom in", 0, W::Web, "on_btnZoomIn_clicked", 0, "WebCtrl ZoomIn", true},
            {"web zoom out", 0, W::Web, "on_btnZoomOut_clicked", 0, "WebCtrl ZoomOut", true},
            {"web page up", 0, W::Web, "on_btnPageUp_clicked", 0, "WebCtrl PageUp", true},
            {"web page down", 0, W::Web, "on_btnPageDown_clicked", 0, "WebCtrl PageDown", true},
            {"web next", 0, W::Web, "on_btnNext_clicked", 0, "", false},
            {"web play", 0, W::Web, "on_btnPlay_clicked", 0, "", false},
            {"web after a video: volume", W::Video, W::Web, "on_sliderVolume_valueChanged", 20, "", false},
            {"office prev", 0, W::Office, "on_btnPrev_clicked", 0, "PptCtrl PrevPage", true},
            {"office next", 0, W::Office, "on_btnNext_clicked", 0, "PptCtrl NextPage", true},
            {"office expand", 0, W::Office, "on_btnExpand_clicked", 0, "", false},
            {"office page up", 0, W::Office, "on_btnPageUp_clicked", 0, "", false},
            {"network video show time", 0, W::NetVideo, "on_sliderVideoTime_sliderReleased", -1,
             "VideoCtrl SetTime TimeInSecond=12", false},
            {"network video volume", 0, W::NetVideo, "on_sliderVolume_valueChanged", 20,
             "VideoCtrl SetVolume Value=20", false},
            {"USB video next", 0, W::Usb, "on_btnNext_clicked", 0, "VideoCtrl Next", true},
            {"USB video show time", 0, W::Usb, "on_sliderVideoTime_sliderReleased", 25,
             "VideoCtrl SetTime TimeInSecond=25", false},
            {"unknown type after a video: prev goes to it", W::Video, W::Unknown, "on_btnPrev_clicked", 0,
             "VideoCtrl Prev", true},
            {"unknown type after a video: seek goes to it", W::Video, W::Unknown,
             "on_sliderVideoTime_sliderReleased", -1, "VideoCtrl SetTime TimeInSecond=65", false},
            {"unknown type after a web page: zoom", W::Web, W::Unknown, "on_btnZoomIn_clicked", 0, "", false},
            {"document after a video: next", W::Video, W::Document, "on_btnNext_clicked", 0, "", false},
            {"document after a video: play", W::Video, W::Document, "on_btnPlay_clicked", 0, "", false},
            {"document after a video: seek", W::Video, W::Document, "on_sliderVideoTime_sliderReleased", -1,
             "", false},
            {"application after a web page: expand", W::Web, W::Application, "on_btnExpand_clicked", 0, "",
             false},
            {"application after a web page: page up", W::Web, W::Application, "on_btnPageUp_clicked", 0, "",
             false},
        };
        for (const Row &row : rows)
            QTest::newRow(row.name) << row.first << row.target << QByteArray(row.slot) << row.value
                                    << QString::fromLatin1(row.sent) << row.busy;
    }

    void actionsOnTheWire()
    {
        QFETCH(uint, first);
        QFETCH(uint, target);
        QFETCH(QByteArray, slot);
        QFETCH(int, value);
        QFETCH(QString, sent);
        QFETCH(bool, busy);

        if (first)
            QVERIFY(f->select(first));
        QVERIFY(f->select(target));
        f->simulator.clearRequests();

        const bool volume = slot.startsWith("on_sliderVolume");
        if (!volume && value >= 0)
            f->ui->sliderVideoTime->setValue(value);
        QString command = sent.section(QLatin1Char(' '), 0, 0);
        const Qt::CursorShape cursor =
            f->cursorWhile(command.isEmpty() ? QStringLiteral("VideoCtrl") : command, [&] {
                QVERIFY(volume ? f->invoke(slot.constData(), value) : f->invoke(slot.constData()));
            });

        const QList<QJsonObject> controls = f->controls();
        if (sent.isEmpty()) {
            QVERIFY2(controls.isEmpty(), qPrintable(QJsonDocument(controls.value(0)).toJson()));
            return;
        }
        QCOMPARE(controls.size(), 1);
        const QJsonObject request = controls.first();
        QCOMPARE(request.value("WindowId").toInt(), int(target));
        QString seen = request.value("Command").toString() + ' ' + request.value("CtrlCmd").toString();
        for (const char *key : {"Value", "TimeInSecond", "Flag"}) {
            if (request.contains(key))
                seen += QStringLiteral(" %1=%2").arg(key).arg(request.value(key).toInt());
        }
        QCOMPARE(seen, sent);
        QCOMPARE(request.size(), sent.count(' ') + 2); // Command, WindowId, CtrlCmd and the key
        // The controller accepted it.
        QVERIFY2(Dialogs::shownBoxes().isEmpty(), qPrintable(boxTexts()));
        QCOMPARE(cursor, busy ? Qt::WaitCursor : Qt::ArrowCursor);
        QCOMPARE(f->window->cursor().shape(), Qt::ArrowCursor);
    }

    // What the panel offers for each kind of window; other documents, applications and unknown
    // types leave the panel as the window before set it up, and ask the controller nothing.
    void panelFollowsTheWindow_data()
    {
        QTest::addColumn<uint>("first");
        QTest::addColumn<uint>("target");
        QTest::addColumn<QJsonObject>("wall");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("enabled"); // of the panel's controls, the usable ones
        QTest::addColumn<bool>("volumeShown");
        QTest::addColumn<bool>("timeShown");
        QTest::addColumn<QList<int>>("slider"); // minimum, maximum, value
        QTest::addColumn<QString>("timeText");
        QTest::addColumn<int>("volume");

        const QJsonObject wall = MediaFixture::wall();
        const QStringList video = {"btnPrev",        "btnNext",      "btnPlay",      "btnExpand",
                                   "btnRestore",     "btnAudioMute", "sliderVolume", "sliderVideoTime",
                                   "labelVideoTime", "labelVideo"};
        QStringList live = video;
        live.removeAll("btnPlay");
        QStringList mutedVideo = video;
        mutedVideo.removeAll("sliderVolume");
        const QStringList pictures = {"btnPrev",    "btnNext",         "btnPlay",       "btnExpand",
                                      "btnRestore", "sliderVideoTime", "labelVideoTime"};
        const QStringList office = {"btnPrev", "btnNext"};
        const QStringList web = {"btnZoomIn",  "btnZoomOut", "btnExpand",
                                 "btnRestore", "btnPageUp",  "btnPageDown"};
        const QString videoTime = "00:01:05/01:02:05";

        QTest::newRow("video") << 0u << uint(W::Video) << wall << "Company Intro.mp4" << video << true << true
                               << QList<int>{0, 3725, 65} << videoTime << 35;
        QTest::newRow("pictures") << 0u << uint(W::Pictures) << wall << "Welcome Banner.jpg" << pictures
                                  << false << true << QList<int>{1, 30, 7} << "切换间隔 7 秒" << 35;
        QTest::newRow("pictures with interval 0")
            << 0u << uint(W::Pictures) << MediaFixture::wall({{W::Pictures, QJsonObject{{"Interval", 0}}}})
            << "Welcome Banner.jpg" << pictures << false << true << QList<int>{1, 30, 1} << "切换间隔 1 秒"
            << 35;
        QTest::newRow("office: left and right only")
            << 0u << uint(W::Office) << wall << "Strategy.pptx" << office << false << false << QList<int>{}
            << QString() << 35;
        QTest::newRow("web page") << 0u << uint(W::Web) << wall << "Company Portal" << web << false << false
                                  << QList<int>{} << QString() << 35;
        QTest::newRow("network video") << 0u << uint(W::NetVideo) << wall << "Gate Camera" << live << true
                                       << true << QList<int>{5, 30, 12} << "切换间隔 12 秒" << 50;
        QTest::newRow("USB video") << 0u << uint(W::Usb) << wall << "USB Capture 1" << live << true << true
                                   << QList<int>{5, 30, 10} << "切换间隔 10 秒" << 50;
        QTest::newRow("muted video: no volume")
            << 0u << uint(W::Video)
            << MediaFixture::wall({{W::Video, QJsonObject{{"IsMute", 1}, {"Volume", 35}}}})
            << "Company Intro.mp4" << mutedVideo << true << true << QList<int>{0, 185, 0}
            << "00:00:00/00:03:05" << 35;
        QTest::newRow("document after a web page")
            << uint(W::Web) << uint(W::Document) << wall << "Company Portal" << web << false << false
            << QList<int>{} << QString() << 35;
        QTest::newRow("application after a video")
            << uint(W::Video) << uint(W::Application) << wall << "Company Intro.mp4" << video << true << true
            << QList<int>{0, 3725, 65} << videoTime << 35;
        QTest::newRow("unknown type after an Office document")
            << uint(W::Office) << uint(W::Unknown) << wall << "Strategy.pptx" << office << false << false
            << QList<int>{} << QString() << 35;
        QTest::newRow("video after pictures: the text follows the mode")
            << uint(W::Pictures) << uint(W::Video)
            << MediaFixture::wall({{W::Video, QJsonObject{{"TotalTime", 3725}, {"CurTime", 7}}}})
            << "Company Intro.mp4" << video << true << true << QList<int>{0, 3725, 7} << "00:00:07/01:02:05"
            << 50;
    }

    void panelFollowsTheWindow()
    {
        QFETCH(uint, first);
        QFETCH(uint, target);
        QFETCH(QJsonObject, wall);
        QFETCH(QString, name);
        QFETCH(QStringList, enabled);
        QFETCH(bool, volumeShown);
        QFETCH(bool, timeShown);
        QFETCH(QList<int>, slider);
        QFETCH(QString, timeText);
        QFETCH(int, volume);

        QVERIFY(freshWall(wall));
        // The panel of the row before must not decide anything here.
        f->ui->sliderVolume->blockSignals(true);
        f->ui->sliderVolume->setValue(35);
        f->ui->sliderVolume->blockSignals(false);
        if (first)
            QVERIFY(f->select(first));
        f->simulator.clearRequests();
        QVERIFY(f->select(target));

        Ui::MainWindow2 &ui = *f->ui;
        QVERIFY(ui.mediaNav->isEnabled());
        QCOMPARE(ui.labelWindowName->text(), name);
        // The controller's name is shown as it is, never as rich text.
        QCOMPARE(ui.labelWindowName->textFormat(), Qt::PlainText);
        const QList<QWidget *> controls = {
            ui.btnPrev,      ui.btnNext,         ui.btnPlay,        ui.btnPageUp,  ui.btnPageDown,
            ui.btnZoomIn,    ui.btnZoomOut,      ui.btnExpand,      ui.btnRestore, ui.btnAudioMute,
            ui.sliderVolume, ui.sliderVideoTime, ui.labelVideoTime, ui.labelVideo};
        for (QWidget *control : controls)
            QVERIFY2(control->isEnabled() == enabled.contains(control->objectName()),
                     qPrintable(control->objectName()));
        QCOMPARE(!ui.widgetVolume->isHidden(), volumeShown);
        QCOMPARE(!ui.widgetVideoCtrl->isHidden(), timeShown);
        if (!slider.isEmpty()) {
            QCOMPARE(ui.sliderVideoTime->minimum(), slider[0]);
            QCOMPARE(ui.sliderVideoTime->maximum(), slider[1]);
            QCOMPARE(ui.sliderVideoTime->value(), slider[2]);
            QCOMPARE(ui.labelVideoTime->text(), timeText);
        }
        QCOMPARE(ui.sliderVolume->value(), volume);
        // Setting the panel up sends nothing back, and a window it does not serve is not asked.
        QVERIFY(f->controls().isEmpty());
        const bool kept =
            first && (target == W::Document || target == W::Application || target == W::Unknown);
        if (kept) {
            QVERIFY(f->simulator.requests("GetVideoParams").isEmpty());
            QVERIFY(f->simulator.requests("GetPictureParams").isEmpty());
        }
    }

    // Selecting a window never changes its volume: not when the controller answers, and not
    // when the query fails and the panel shows the default 0. Only the operator's change of
    // the slider sends "SetVolume".
    void selectingSendsNoVolume_data()
    {
        QTest::addColumn<int>("fault"); // -1: none, else a sim::Fault::Kind for "GetVideoParams"
        QTest::addColumn<int>("volume");
        QTest::newRow("the controller answers") << -1 << 35;
        QTest::newRow("the query is refused") << int(sim::Fault::Refuse) << 0;
        QTest::newRow("no answer in time") << int(sim::Fault::NoReply) << 0;
        QTest::newRow("HTTP error") << int(sim::Fault::HttpError) << 0;
    }

    void selectingSendsNoVolume()
    {
        QFETCH(int, fault);
        QFETCH(int, volume);
        f->ui->sliderVolume->blockSignals(true);
        f->ui->sliderVolume->setValue(77);
        f->ui->sliderVolume->blockSignals(false);
        if (fault >= 0) {
            f->simulator.setFault("GetVideoParams", {sim::Fault::Kind(fault)});
            f->window->transport()->setTimeoutMs(100);
        }
        QVERIFY(f->select(W::Video));
        QCOMPARE(f->ui->sliderVolume->value(), volume);
        QVERIFY(f->simulator.requests("VideoCtrl").isEmpty());
        QVERIFY2(Dialogs::shownBoxes().isEmpty(), qPrintable(boxTexts()));
        f->simulator.clearFaults();

        // The operator's own change goes out: a click on the bar sets the volume there.
        handOnSlider(f->ui->sliderVolume, QEvent::MouseButtonPress, 0.8);
        handOnSlider(f->ui->sliderVolume, QEvent::MouseButtonRelease, 0.8);
        QVERIFY(qAbs(f->ui->sliderVolume->value() - 80) <= 5);
        const QList<QJsonObject> sent = f->controls();
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent.first().value("CtrlCmd").toString(), QStringLiteral("SetVolume"));
        QCOMPARE(sent.first().value("Value").toInt(), f->ui->sliderVolume->value());
    }

    // The play and mute buttons turn their flags over, show them and keep the volume slider
    // out of reach while muted; a refused command leaves the flag turned.
    void playAndMuteFollowTheClicks()
    {
        Ui::MainWindow2 &ui = *f->ui;
        QVERIFY(f->select(W::Video));
        QVERIFY(shows(ui.btnPlay, skin("pause-2.png")));
        QVERIFY(shows(ui.btnAudioMute, skin("audio-big.png")));

        QTest::mouseClick(ui.btnPlay, Qt::LeftButton);
        QVERIFY(shows(ui.btnPlay, skin("play-2.png")));
        QTest::mouseClick(ui.btnAudioMute, Qt::LeftButton);
        QVERIFY(shows(ui.btnAudioMute, skin("mute-big.png")));
        QVERIFY(!ui.sliderVolume->isEnabled());
        QTest::mouseClick(ui.btnAudioMute, Qt::LeftButton);
        QVERIFY(ui.sliderVolume->isEnabled());
        QStringList sent;
        for (const QJsonObject &request : f->controls())
            sent << request.value("CtrlCmd").toString();
        QCOMPARE(sent, (QStringList{"Pause", "AudioOff", "AudioOn"}));
        QCOMPARE(playbackOf(W::Video).value("IsPlaying").toInt(), 0);
        QCOMPARE(playbackOf(W::Video).value("IsMute").toInt(), 0);

        f->simulator.setFault("VideoCtrl", {sim::Fault::Refuse});
        QTest::mouseClick(ui.btnPlay, Qt::LeftButton);
        QVERIFY(shows(ui.btnPlay, skin("pause-2.png")));
        QCOMPARE(Dialogs::shownBoxes().size(), 1);
        QCOMPARE(Dialogs::shownBoxes().first().text,
                 QStringLiteral("操作失败！错误原因：Refused (injected fault)"));
    }

    // With no window selected nothing is sent and nothing changes: neither after the login,
    // nor after the selected window was closed (the panel stays set up for it).
    void nothingSentWithoutSelection()
    {
        QVERIFY(freshWall(MediaFixture::wall({}, {W::Video})));
        auto everyControl = [&] {
            for (const char *slot :
                 {"on_btnPrev_clicked", "on_btnNext_clicked", "on_btnPlay_clicked", "on_btnAudioMute_clicked",
                  "on_sliderVideoTime_sliderReleased", "on_btnExpand_clicked", "on_btnRestore_clicked",
                  "on_btnZoomIn_clicked", "on_btnZoomOut_clicked", "on_btnPageUp_clicked",
                  "on_btnPageDown_clicked"})
                QVERIFY(f->invoke(slot));
            QVERIFY(f->invoke("on_sliderVolume_valueChanged", 60));
        };
        QVERIFY(!f->canvas->selectedWindow());
        QVERIFY(!f->ui->mediaNav->isEnabled());
        f->simulator.clearRequests();
        everyControl();
        QVERIFY(f->controls().isEmpty());

        QVERIFY(f->select(W::Video));
        f->canvas->on_windowButton_clicked(W::Video, WindowWidget::CloseButton);
        QVERIFY(f->canvas->windows().isEmpty());
        QCOMPARE(f->simulator.requests("CloseWindow").size(), 1);
        const bool playing = f->panel->playing(), muted = f->panel->muted();
        f->simulator.clearRequests();
        everyControl();
        QVERIFY(f->controls().isEmpty());
        QCOMPARE(f->panel->playing(), playing);
        QCOMPARE(f->panel->muted(), muted);
        QCOMPARE(f->ui->labelWindowName->text(), QStringLiteral("Company Intro.mp4"));
    }

    // Closing the selected window selects the topmost one left, and the panel follows it.
    void closingTheSelectedWindowSelectsTheNext()
    {
        QVERIFY(f->select(W::Office));
        QVERIFY(f->select(W::Video));
        f->simulator.clearRequests();
        f->canvas->on_windowButton_clicked(W::Video, WindowWidget::CloseButton);
        QCOMPARE(f->canvas->selectedWindow()->windowId(), uint(W::Office));
        QCOMPARE(f->ui->labelWindowName->text(), QStringLiteral("Strategy.pptx"));
        QCOMPARE(f->panel->mode(), control::PanelMode::Office);
        QCOMPARE(f->simulator.requests("SetWindowPos").size(), 1);
    }

    // The position poll of each tick follows a playing video and stands still with a paused
    // one; it asks only about a selected video file.
    void pollFollowsThePlayingVideo()
    {
        UpdateTicker *ticker = f->window->ticker();
        QVERIFY(f->select(W::Video));
        QCOMPARE(f->ui->labelVideoTime->text(), QStringLiteral("00:01:05/01:02:05"));
        f->simulator.advanceClock(1000);
        ticker->tick();
        QCOMPARE(f->ui->labelVideoTime->text(), QStringLiteral("00:01:06/01:02:05"));
        f->simulator.advanceClock(3000);
        ticker->tick();
        QCOMPARE(f->ui->sliderVideoTime->value(), 69);

        QTest::mouseClick(f->ui->btnPlay, Qt::LeftButton);
        f->simulator.advanceClock(5000);
        ticker->tick();
        QCOMPARE(f->ui->labelVideoTime->text(), QStringLiteral("00:01:09/01:02:05"));

        for (uint other : {W::NetVideo, W::Pictures, W::Web}) {
            QVERIFY(f->select(other));
            f->simulator.clearRequests();
            ticker->tick();
            QTRY_COMPARE(f->simulator.requests("GetCpuUsage").size(), 1);
            QVERIFY(f->simulator.requests("GetVideoParams").isEmpty());
        }
    }

    // The time slider in the operator's hand: the press stops the update timer, the release
    // starts it again and seeks to where the handle was let go. A press on the groove takes
    // the handle there; the wheel does not move it.
    void timeSliderInHand_data()
    {
        QTest::addColumn<uint>("windowId");
        QTest::addColumn<double>("pressAt");
        QTest::addColumn<double>("releaseAt");
        QTest::newRow("video: drag") << uint(W::Video) << 0.02 << 0.5;
        QTest::newRow("video: click on the groove") << uint(W::Video) << 0.75 << 0.75;
        QTest::newRow("pictures: click at the end") << uint(W::Pictures) << 0.99 << 0.99;
    }

    void timeSliderInHand()
    {
        QFETCH(uint, windowId);
        QFETCH(double, pressAt);
        QFETCH(double, releaseAt);
        QSlider *slider = f->ui->sliderVideoTime;
        UpdateTicker *ticker = f->window->ticker();
        QVERIFY(f->select(windowId));
        ticker->start();
        const int loaded = slider->value();
        f->simulator.clearRequests();

        QWheelEvent wheel(QPointF(slider->width() / 2, slider->height() / 2),
                          slider->mapToGlobal(QPoint(10, 5)), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(slider, &wheel);
        QCOMPARE(slider->value(), loaded);

        handOnSlider(slider, QEvent::MouseButtonPress, pressAt);
        QVERIFY(slider->isSliderDown());
        QVERIFY(!ticker->timer()->isActive());
        // A tick meanwhile leaves the slider under the hand alone.
        const int held = slider->value();
        f->simulator.advanceClock(2000);
        emit ticker->positionPoll();
        QCOMPARE(slider->value(), held);

        handOnSlider(slider, QEvent::MouseMove, releaseAt);
        handOnSlider(slider, QEvent::MouseButtonRelease, releaseAt);
        QVERIFY(ticker->timer()->isActive());
        const int range = slider->maximum() - slider->minimum();
        const int expected = slider->minimum() + int(range * releaseAt);
        QVERIFY2(qAbs(slider->value() - expected) <= qMax(1, range / 20),
                 qPrintable(QString::number(slider->value())));
        const QList<QJsonObject> sent = f->controls();
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent.first().value("CtrlCmd").toString(), QStringLiteral("SetTime"));
        QCOMPARE(sent.first().value("TimeInSecond").toInt(), slider->value());
        QVERIFY2(Dialogs::shownBoxes().isEmpty(), qPrintable(boxTexts()));
        ticker->stop();
    }

    // With the controller out of reach, each tick's poll goes unanswered and the slider drops
    // to 0; the session lasts through the tenth tick and ends, without a message, on the
    // eleventh.
    void silentControllerEndsTheSessionOnTheEleventhTick()
    {
        UpdateTicker *ticker = f->window->ticker();
        QVERIFY(f->select(W::Video));
        // No answer to an earlier poll may still be on its way.
        QTRY_COMPARE(f->window->session().missedReplies, 0);
        f->simulator.setFault("*", {sim::Fault::CloseConnection});
        for (int tick = 1; tick <= 10; ++tick) {
            ticker->tick();
            QVERIFY2(f->window->session().loggedIn, qPrintable(QString::number(tick)));
            QCOMPARE(f->ui->sliderVideoTime->value(), 0);
        }
        ticker->tick();
        QVERIFY(!f->window->session().loggedIn);
        QVERIFY(!f->ui->frameMediaCtrl->isEnabled());
        QVERIFY(!f->ui->mediaNav->isEnabled());
        QVERIFY(!ticker->timer()->isActive());
        QVERIFY2(Dialogs::shownBoxes().isEmpty(), qPrintable(boxTexts()));
        f->simulator.clearFaults();
    }

    // A held pad button lights its part of the pad; letting go brings the plain pad back.
    void padLightsTheHeldButton_data()
    {
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<QString>("picture");
        QTest::newRow("up") << QByteArray("btnPageUp") << "nav-bg-up.png";
        QTest::newRow("right") << QByteArray("btnNext") << "nav-bg-next.png";
        QTest::newRow("down") << QByteArray("btnPageDown") << "nav-bg-down.png";
        QTest::newRow("left") << QByteArray("btnPrev") << "nav-bg-prev.png";
        QTest::newRow("centre") << QByteArray("btnPlay") << "nav-bg-center.png";
    }

    void padLightsTheHeldButton()
    {
        QFETCH(QByteArray, button);
        QFETCH(QString, picture);
        QVERIFY(f->invoke(QByteArray("on_" + button + "_pressed").constData()));
        QVERIFY2(f->ui->mediaNav->styleSheet().contains(skin("") + picture),
                 qPrintable(f->ui->mediaNav->styleSheet()));
        QVERIFY(f->invoke(QByteArray("on_" + button + "_released").constData()));
        QVERIFY(f->ui->mediaNav->styleSheet().contains(skin("nav-bg.png")));
    }
};

PELMORA_TEST_MAIN(TestMediaPanel)
#include "test_mediapanel.moc"
