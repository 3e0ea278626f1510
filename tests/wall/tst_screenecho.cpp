#include "app/connectionflow.h"
#include "app/mainwindow2.h"
#include "app/mainwindow2_form.h"
#include "net/hoststore.h"
#include "sim/simulator.h"
#include "sim/wallpicture.h"
#include "testmain.h"
#include "wall/echoframes.h"
#include "wall/echoplayer.h"
#include "wall/screenecho.h"
#include "wall/screenwidget.h"
#include "wall/windowwidget.h"
#include "walllayout.h"
#include "windowsession.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <memory>

// The screen echo against the simulator's wall streams, with real decoded pictures. The
// simulator serves RTSP on the protocol's port 554 of an address of its own, so the echo
// reaches it with the location the console builds.
namespace {

const QString kHost = QStringLiteral("127.0.0.31");

// Three groups of one 1920 x 1080 monitor: a video window on the left half of the first, an
// Office document over the whole third.
const char *const kGroups = R"({"ScrIndex": 0, "Groups": [
  {"Name": "Lobby", "Width": 1920, "Height": 1080, "ScrRows": 1, "ScrCols": 1, "Windows": [
    {"WindowId": 1, "WindowType": 0, "WindowRect": {"Left": 0, "Top": 0, "Right": 960, "Bottom": 1080},
     "ResList": [{"Name": "Clip.mp4"}]}]},
  {"Name": "Second", "Width": 1920, "Height": 1080, "ScrRows": 1, "ScrCols": 1, "Windows": []},
  {"Name": "Third", "Width": 1920, "Height": 1080, "ScrRows": 1, "ScrCols": 1, "Windows": [
    {"WindowId": 3, "WindowType": 3, "WindowRect": {"Left": 0, "Top": 0, "Right": 1920, "Bottom": 1080},
     "Name": "Plan.pptx"}]}]})";

// Colours survive H.264 within a few steps.
bool near(const QColor &a, const QColor &b)
{
    const int tolerance = 16;
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance &&
           qAbs(a.blue() - b.blue()) <= tolerance;
}

QColor canvasPixel(QWidget *canvas, const QPoint &pos)
{
    return canvas->grab().toImage().pixelColor(pos);
}

S_SCR_LAYOUT oneMonitor()
{
    return pelmora::test::wallLayout(1, 1);
}

bool allFramesFreed()
{
    const wall::EchoFrameCounts counts = wall::echoFrameCounts();
    return counts.made == counts.freed;
}

QImage iconImage(const QIcon &icon)
{
    return icon.pixmap(24, 24).toImage();
}

} // namespace

class TestScreenEcho : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<sim::Simulator> m_controller;
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        sim::Options options;
        options.rtspPort = 554;
        options.streamBound = QSize(640, 360);
        m_controller = std::make_unique<sim::Simulator>(options);
        QVERIFY2(m_controller->start(kHost), qPrintable(m_controller->errorString()));
        m_controller->setState(QJsonDocument::fromJson(kGroups).object());
        qunsetenv("PELMORA_ECHO_PLAYER");
    }

    void cleanupTestCase() { m_controller.reset(); }

    void streamLocation_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("location");
        QTest::newRow("first group") << 0 << "rtsp://192.168.1.10/screenlive0";
        QTest::newRow("third group") << 2 << "rtsp://192.168.1.10/screenlive2";
        QTest::newRow("independent screens") << -1 << "rtsp://192.168.1.10/screenlive-1";
    }

    void streamLocation()
    {
        QFETCH(int, index);
        QFETCH(QString, location);
        QCOMPARE(ScreenEcho::streamLocation(QStringLiteral("192.168.1.10"), index), location);
    }

    // Each player decodes real pictures into the queue: GStreamer the simulator's stream,
    // libVLC (whose Debian build has no RTSP client) an H.264 file made here.
    void playersDecodeRealPictures_data()
    {
        QTest::addColumn<QByteArray>("player");
        QTest::addColumn<QString>("location");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("gstreamer, wall stream")
            << QByteArray("gstreamer") << ScreenEcho::streamLocation(kHost, 2) << sim::windowColor(3);

        const QString file = m_dir.filePath(QStringLiteral("wall.mkv"));
        if (!QFile::exists(file)) {
            QProcess encoder;
            encoder.start(QStringLiteral("gst-launch-1.0"),
                          {"-q", "videotestsrc", "num-buffers=90", "pattern=solid-color",
                           "foreground-color=0xffc86e28", "!",
                           "video/x-raw,width=320,height=180,framerate=30/1", "!", "videoconvert", "!",
                           "x264enc", "!", "matroskamux", "!", "filesink", "location=" + file});
            QVERIFY(encoder.waitForFinished(30000));
            QCOMPARE(encoder.exitCode(), 0);
        }
        QTest::newRow("vlc, H.264 file")
            << QByteArray("vlc") << QUrl::fromLocalFile(file).toString() << QColor(200, 110, 40);
    }

    void playersDecodeRealPictures()
    {
        QFETCH(QByteArray, player);
        QFETCH(QString, location);
        QFETCH(QColor, colour);
        qputenv("PELMORA_ECHO_PLAYER", player);
        QWidget canvas;
        wall::EchoFrameQueue frames(&canvas);
        std::unique_ptr<wall::EchoPlayer> echoPlayer = wall::createEchoPlayer(frames);
        qunsetenv("PELMORA_ECHO_PLAYER");
        QVERIFY(echoPlayer);
        QCOMPARE(QByteArray(echoPlayer->name()), player);

        QVERIFY(echoPlayer->start(location));
        QImage frame;
        QVERIFY(pelmora::test::waitFor(
            [&] {
                const QImage newest = frames.takeNewest();
                if (!newest.isNull())
                    frame = newest;
                return !frame.isNull() &&
                       near(frame.pixelColor(frame.width() / 4, frame.height() * 3 / 4), colour);
            },
            15000));
        QCOMPARE(frame.format(), QImage::Format_RGB32);
        echoPlayer->stop();
        frames.clear();
        frame = QImage();
        QVERIFY(allFramesFreed());
    }

    // Start: the wall's picture shows behind translucent items. Stop: the background is
    // gone and the items are opaque again.
    void startShowsTheWallAndStopClearsIt()
    {
        ScreenWidget canvas;
        canvas.setFixedSize(640, 360);
        canvas.setScreenLayout(wall::kCustomSizeMode, 0, oneMonitor());
        WindowWidget *item = canvas.addWindow(QStringLiteral("Clip.mp4"), 0, 1, 0, QRect(0, 0, 960, 1080));
        canvas.show();
        const QPoint insideWindow(160, 280); // below the name in the middle
        const QColor video = sim::windowColor(0);

        canvas.echo()->startEcho(kHost, 0);
        QVERIFY(canvas.echoRunning());
        QVERIFY(item->echoOn());
        QVERIFY(
            pelmora::test::waitFor([&] { return near(canvasPixel(&canvas, insideWindow), video); }, 15000));
        QVERIFY(canvas.addWindow(QStringLiteral("Later"), 0, 2, 0, QRect(960, 0, 959, 1079))->echoOn());

        canvas.echo()->stopEcho();
        QVERIFY(!canvas.echoRunning());
        QVERIFY(!item->echoOn());
        QVERIFY(!near(canvasPixel(&canvas, insideWindow), video));
        QTest::qWait(300); // nothing arrives after the stop
        QVERIFY(!near(canvasPixel(&canvas, insideWindow), video));
        QVERIFY(allFramesFreed());
    }

    // The main window: the echo button starts and stops the echo and shows it; a group
    // switch restarts it on the new group's stream (group 1 -> 3: stream 2).
    void buttonAndGroupSwitch()
    {
        auto window = pelmora::test::makeWindow();
        QVERIFY(window);
        QVERIFY(pelmora::test::loginTo(*window, *m_controller, QStringLiteral("admin"), 2, kHost));
        Ui::MainWindow2 &form = window->form();
        ScreenEcho *echo = form.labelScreen->echo();
        QVERIFY(!echo->isRunning()); // off unless the demo asks for it
        const QImage play = iconImage(QIcon(QStringLiteral(":/images/newskin/play.png")));
        const QImage pause = iconImage(QIcon(QStringLiteral(":/images/newskin/pause.png")));
        QCOMPARE(iconImage(form.btnScrEcho->icon()), play);
        m_controller->clearRequests();

        QTest::mouseClick(form.btnScrEcho, Qt::LeftButton);
        QVERIFY(echo->isRunning());
        QCOMPARE(echo->streamIndex(), 0);
        QCOMPARE(iconImage(form.btnScrEcho->icon()), pause);
        QVERIFY(pelmora::test::waitFor([&] { return m_controller->requests("/screenlive0").size() == 1; },
                                       10000));

        QTest::mouseClick(form.btnMultiScreen3, Qt::LeftButton);
        QVERIFY(echo->isRunning());
        QCOMPARE(echo->streamIndex(), 2);
        QVERIFY(pelmora::test::waitFor([&] { return m_controller->requests("/screenlive2").size() == 1; },
                                       10000));
        const QPoint inside(form.labelScreen->width() / 4, form.labelScreen->height() * 3 / 4);
        QVERIFY(pelmora::test::waitFor(
            [&] { return near(canvasPixel(form.labelScreen, inside), sim::windowColor(3)); }, 15000));
        QCOMPARE(iconImage(form.btnScrEcho->icon()), pause);

        QTest::mouseClick(form.btnScrEcho, Qt::LeftButton);
        QVERIFY(!echo->isRunning());
        QCOMPARE(iconImage(form.btnScrEcho->icon()), play);
        window.reset();
        QVERIFY(allFramesFreed());
    }

    // An echo that cannot start (no player of that name built in, or no controller host)
    // stays stopped without a word: no state change is announced, so the button keeps its
    // play icon, and the items stay opaque.
    void echoThatCannotStartStaysStopped()
    {
        ScreenWidget canvas;
        canvas.setScreenLayout(wall::kCustomSizeMode, 0, oneMonitor());
        WindowWidget *item = canvas.addWindow(QStringLiteral("Clip.mp4"), 0, 1, 0, QRect(0, 0, 960, 1080));
        QSignalSpy announced(canvas.echo(), &ScreenEcho::runningChanged);
        qputenv("PELMORA_ECHO_PLAYER", "none");
        canvas.echo()->startEcho(kHost, 0);
        qunsetenv("PELMORA_ECHO_PLAYER");
        QVERIFY(!canvas.echoRunning());
        canvas.echo()->startEcho(QString(), 0);
        QVERIFY(!canvas.echoRunning());
        QVERIFY(!item->echoOn());
        QCOMPARE(announced.count(), 0);
    }

    // Toggling fast: each stop interrupts a player that is still connecting or already
    // delivering; every frame is released and the echo ends stopped.
    void toggleTenTimesFast()
    {
        ScreenWidget canvas;
        canvas.setFixedSize(320, 180);
        canvas.setScreenLayout(wall::kCustomSizeMode, 0, oneMonitor());
        canvas.show();
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(canvas.echo()->toggleEcho(kHost, 0), i % 2 == 0);
            QTest::qWait(i * 40);
        }
        QVERIFY(!canvas.echoRunning());
        QTest::qWait(100);
        QVERIFY(allFramesFreed());
    }

    // The canvas goes while pictures are arriving: its player stops first, and no frame
    // or repaint reaches it afterwards.
    void destroyWhileFramesArrive()
    {
        auto canvas = std::make_unique<ScreenWidget>();
        canvas->setFixedSize(320, 180);
        canvas->setScreenLayout(wall::kCustomSizeMode, 0, oneMonitor());
        canvas->show();
        const qint64 before = wall::echoFrameCounts().made;
        canvas->echo()->startEcho(kHost, 0);
        QVERIFY(pelmora::test::waitFor([&] { return wall::echoFrameCounts().made > before + 10; }, 15000));
        canvas.reset();
        QTest::qWait(200);
        QVERIFY(allFramesFreed());
    }
};

PELMORA_TEST_MAIN(TestScreenEcho)
#include "tst_screenecho.moc"
