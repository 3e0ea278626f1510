// Figures for the screen echo against the simulator's wall stream (1080p30 H.264 over RTSP),
// each beside a floor measured in the same run:
//  cpu      CPU time per displayed frame through the console's player (and through the whole
//           canvas, painting included) against decoding the same stream to nothing with
//           gst-launch-1.0 (rtspsrc ! decodebin ! fakesink). Goal: at most 1.2 x the floor.
//  memory   resident size after M minutes of echo against after one minute (goal: under 5 MB
//           growth), and frames made minus frames freed at the end (goal: 0).
//  latency  from a window move at the simulator to its picture on the canvas, median over N
//           moves, against the same move seen in the player's own frames (the stream's
//           latency). Goal: the stream's latency plus one frame.
// The simulator runs as a separate process for cpu and memory, so its encoder is not
// counted. Usage: bench_echo cpu [--seconds S] | memory [--minutes M] | latency [--moves N]
#include "sim/simulator.h"
#include "sim/wallpicture.h"
#include "wall/echoframes.h"
#include "wall/echoplayer.h"
#include "wall/screenecho.h"
#include "wall/screenwidget.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QString kHost = QStringLiteral("127.0.0.41");
const int kFps = 30;

QJsonObject wallWithWindowAt(int left)
{
    const QJsonObject window{
        {"WindowId", 1},
        {"WindowType", 0},
        {"WindowRect", QJsonObject{{"Left", left}, {"Top", 0}, {"Right", left + 480}, {"Bottom", 1080}}},
        {"ResList", QJsonArray{QJsonObject{{"Name", "Clip.mp4"}}}}};
    const QJsonObject group{{"Name", "Bench"}, {"Width", 1920}, {"Height", 1080},
                            {"ScrRows", 1},    {"ScrCols", 1},  {"Windows", QJsonArray{window}}};
    return {{"ScrIndex", 0}, {"Groups", QJsonArray{group}}};
}

double selfCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

double processCpuMs(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    const double ticks = fields.value(11).toDouble() + fields.value(12).toDouble(); // utime, stime
    return ticks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

double loadAverage()
{
    double load[1] = {0};
    return getloadavg(load, 1) == 1 ? load[0] : -1;
}

double residentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

// Runs the event loop for `ms` without spinning (the CPU figures count this process).
void spin(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The simulator as a program, streaming a 1080p wall at 30 frames a second.
class SimulatorProcess
{
public:
    bool start(QTemporaryDir &dir)
    {
        QFile config(dir.filePath(QStringLiteral("wall.json")));
        config.open(QIODevice::WriteOnly);
        config.write(QJsonDocument(wallWithWindowAt(100)).toJson());
        config.close();
        m_process.start(QStringLiteral(PELMORA_SIM_EXE),
                        {"--bind", kHost, "--port", "0", "--rtsp-port", "554", "--stream-size", "1920x1080",
                         "--stream-fps", QString::number(kFps), "--config", config.fileName()});
        QElapsedTimer timer;
        timer.start();
        while (!m_process.canReadLine() && m_process.state() != QProcess::NotRunning &&
               timer.elapsed() < 10000)
            m_process.waitForReadyRead(100);
        const QByteArray banner = m_process.readLine();
        if (!banner.contains("rtsp://")) {
            std::fprintf(stderr, "pelmora-sim did not start: %s%s\n", banner.constData(),
                         m_process.readAllStandardError().constData());
            return false;
        }
        return true;
    }
    ~SimulatorProcess()
    {
        m_process.terminate();
        m_process.waitForFinished(5000);
    }

private:
    QProcess m_process;
};

// A widget that takes every decoded picture as soon as it is announced, without painting:
// the player and its queue alone.
class Drain : public QWidget
{
public:
    Drain() : frames(this) { resize(16, 16); }
    wall::EchoFrameQueue frames;
    qint64 taken = 0;
    QImage last;

protected:
    void paintEvent(QPaintEvent *) override
    {
        const QImage frame = frames.takeNewest();
        if (!frame.isNull()) {
            ++taken;
            last = frame;
        }
    }
};

// Counts the canvas's paints that show a new picture.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(ScreenWidget *canvas) : m_canvas(canvas) { canvas->installEventFilter(this); }
    qint64 displayed = 0;
    qint64 lastMs = 0;
    QElapsedTimer clock;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_canvas->echo()->frames().size() > 0) {
            ++displayed;
            lastMs = clock.elapsed();
        }
        return false;
    }

private:
    ScreenWidget *m_canvas;
};

std::unique_ptr<ScreenWidget> makeCanvas(const QSize &size)
{
    auto canvas = std::make_unique<ScreenWidget>();
    S_SCR_GROUP group{QStringLiteral("Bench"), 1920, 1080, 1, 1, {}, {}};
    canvas->setScreenLayout(200, 0, wall::makeScrLayout(group));
    canvas->setFixedSize(size);
    canvas->show();
    return canvas;
}

struct CpuFigure
{
    double cpuMs = 0;
    qint64 frames = 0;
    qint64 decoded = 0; // pictures the player handed to the queue (shown or dropped there)
    double perFrame() const { return frames > 0 ? cpuMs / double(frames) : 0; }
    double perDecoded() const { return decoded > 0 ? cpuMs / double(decoded) : 0; }
};

qint64 framesMade()
{
    return wall::echoFrameCounts().made;
}

// Decodes with gst-launch-1.0; fakesink announces every buffer (-v), which counts the frames.
CpuFigure floorCpu(const QString &location, int seconds)
{
    QProcess gst;
    gst.start(QStringLiteral("gst-launch-1.0"), {"-v", "rtspsrc", "location=" + location, "latency=600", "!",
                                                 "decodebin", "!", "fakesink", "silent=false"});
    gst.waitForStarted();
    qint64 frames = 0;
    const auto count = [&] {
        while (gst.canReadLine()) {
            if (gst.readLine().contains("last-message = chain"))
                ++frames;
        }
    };
    QObject::connect(&gst, &QProcess::readyReadStandardOutput, count);
    spin(3000);
    count();
    const double before = processCpuMs(gst.processId());
    const qint64 framesBefore = frames;
    spin(seconds * 1000);
    count();
    CpuFigure figure{processCpuMs(gst.processId()) - before, frames - framesBefore};
    gst.kill();
    gst.waitForFinished();
    return figure;
}

CpuFigure playerCpu(const QString &location, int seconds)
{
    Drain drain;
    drain.show();
    std::unique_ptr<wall::EchoPlayer> player = wall::createEchoPlayer(drain.frames);
    player->start(location);
    spin(3000);
    const double before = selfCpuMs();
    const qint64 taken = drain.taken;
    const qint64 made = framesMade();
    spin(seconds * 1000);
    CpuFigure figure{selfCpuMs() - before, drain.taken - taken, framesMade() - made};
    player->stop();
    return figure;
}

CpuFigure canvasCpu(int seconds)
{
    std::unique_ptr<ScreenWidget> canvas = makeCanvas(QSize(1280, 720));
    PaintCounter counter(canvas.get());
    canvas->echo()->startEcho(kHost, 0);
    spin(3000);
    const double before = selfCpuMs();
    const qint64 displayed = counter.displayed;
    const qint64 made = framesMade();
    spin(seconds * 1000);
    CpuFigure figure{selfCpuMs() - before, counter.displayed - displayed, framesMade() - made};
    canvas->echo()->stopEcho();
    return figure;
}

int benchCpu(int seconds)
{
    QTemporaryDir dir;
    SimulatorProcess simulator;
    if (!simulator.start(dir))
        return 1;
    const QString location = ScreenEcho::streamLocation(kHost, 0);
    std::printf("CPU time per displayed frame, 1920x1080 H.264 at %d fps over RTSP, %d s each:\n", kFps,
                seconds);
    const CpuFigure floor1 = floorCpu(location, seconds);
    const CpuFigure player = playerCpu(location, seconds);
    const CpuFigure canvas = canvasCpu(seconds);
    const CpuFigure floor2 = floorCpu(location, seconds);
    const double floor = (floor1.perFrame() + floor2.perFrame()) / 2;
    std::printf("  floor  gst-launch rtspsrc ! decodebin ! fakesink: %.2f ms/frame (%.2f over %lld frames, "
                "%.2f over %lld)\n",
                floor, floor1.perFrame(), static_cast<long long>(floor1.frames), floor2.perFrame(),
                static_cast<long long>(floor2.frames));
    std::printf(
        "  player %s into the frame queue:            %.2f ms/frame over %lld frames = %.2f x floor\n",
        "gstreamer", player.perFrame(), static_cast<long long>(player.frames), player.perFrame() / floor);
    std::printf(
        "  canvas player plus painting at 1280x720:       %.2f ms/frame over %lld frames = %.2f x floor\n",
        canvas.perFrame(), static_cast<long long>(canvas.frames), canvas.perFrame() / floor);
    // A busy machine starves the GUI thread: pictures decoded while three wait are dropped, and
    // the decoding they cost is charged to the fewer displayed ones. Per decoded picture the
    // figure compares like with like (the floor decodes every picture).
    std::printf("  per decoded picture: player %.2f ms over %lld (%.2f x floor), canvas %.2f ms over %lld "
                "(%.2f x floor)\n",
                player.perDecoded(), static_cast<long long>(player.decoded), player.perDecoded() / floor,
                canvas.perDecoded(), static_cast<long long>(canvas.decoded), canvas.perDecoded() / floor);
    std::printf("  load average at the end: %.2f\n", loadAverage());
    std::printf("  goal: player at most 1.2 x floor\n");
    return 0;
}

int benchMemory(int minutes)
{
    QTemporaryDir dir;
    SimulatorProcess simulator;
    if (!simulator.start(dir))
        return 1;
    std::unique_ptr<ScreenWidget> canvas = makeCanvas(QSize(1280, 720));
    PaintCounter counter(canvas.get());
    canvas->echo()->startEcho(kHost, 0);
    std::printf("Resident size with the echo running (1080p30 stream, 1280x720 canvas):\n");
    // A 1080p picture is 8 MB, and up to three wait while one is painted, so a single reading
    // moves by whole pictures with the moment it is taken. Each minute's figure is the median
    // of readings twice a second over its last ten seconds, beside their range.
    const auto minuteFigure = [&](double *low, double *high) {
        spin(50 * 1000);
        QList<double> readings;
        for (int i = 0; i < 20; ++i) {
            spin(500);
            readings.append(residentMb());
        }
        std::sort(readings.begin(), readings.end());
        *low = readings.first();
        *high = readings.last();
        return readings.at(readings.size() / 2);
    };
    double atOne = 0;
    double atEnd = 0;
    for (int minute = 1; minute <= minutes; ++minute) {
        double low = 0;
        double high = 0;
        const double rss = minuteFigure(&low, &high);
        if (minute == 1)
            atOne = rss;
        atEnd = rss;
        const wall::EchoFrameCounts counts = wall::echoFrameCounts();
        std::printf("  after %2d min: %.1f MB (%.1f..%.1f; %lld pictures shown, %lld held)\n", minute, rss,
                    low, high, static_cast<long long>(counter.displayed),
                    static_cast<long long>(counts.made - counts.freed));
        std::fflush(stdout);
    }
    canvas->echo()->stopEcho();
    canvas.reset();
    spin(200);
    const wall::EchoFrameCounts counts = wall::echoFrameCounts();
    std::printf("  growth from 1 to %d min: %.1f MB (goal: under 5 MB)\n", minutes, atEnd - atOne);
    std::printf("  frames made %lld, freed %lld, made - freed = %lld (goal: 0)\n",
                static_cast<long long>(counts.made), static_cast<long long>(counts.freed),
                static_cast<long long>(counts.made - counts.freed));
    std::printf("  load average at the end: %.2f\n", loadAverage());
    return 0;
}

bool showsWindowAt(const QImage &picture, int left)
{
    if (picture.isNull())
        return false;
    // Wall x to picture x; the window is 480 wall pixels wide, sampled below its name.
    const auto at = [&](int wallX) {
        return picture.pixelColor(wallX * picture.width() / 1920, picture.height() * 3 / 4);
    };
    const QColor blue = sim::windowColor(0);
    const auto isBlue = [&](const QColor &c) {
        return qAbs(c.red() - blue.red()) < 24 && qAbs(c.green() - blue.green()) < 24 &&
               qAbs(c.blue() - blue.blue()) < 24;
    };
    const int other = left == 0 ? 1440 : 0;
    return isBlue(at(left + 240)) && !isBlue(at(other + 240));
}

double median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// Moves the window between the left edge and the right edge of the wall `moves` times; for
// each move, the milliseconds until `seenAt()` reports a picture showing it (-1 = not seen
// within 5 s). `seenAt(left)` returns the time (on `clock`) the picture was shown, or -1.
template<typename SeenAt>
QList<double> moveLatencies(sim::Simulator &simulator, int moves, const QElapsedTimer &clock, SeenAt seenAt)
{
    QList<double> latencies;
    int left = 720; // away from both places the checks look at
    for (int i = 0; i < moves; ++i) {
        left = left == 0 ? 1440 : 0;
        const double movedAt = clock.nsecsElapsed() / 1e6;
        simulator.setState(wallWithWindowAt(left));
        double seen = -1;
        // Sleeps until the next event (a decoded picture posts one); the timer bounds the wait.
        QTimer tick;
        tick.start(20);
        while (seen < 0 && clock.nsecsElapsed() / 1e6 - movedAt < 5000) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            seen = seenAt(left);
        }
        latencies.append(seen < 0 ? -1 : seen - movedAt);
        spin(200);
    }
    return latencies;
}

void printLatencies(const char *what, const QList<double> &latencies)
{
    QList<double> sorted = latencies;
    std::sort(sorted.begin(), sorted.end());
    std::printf("  %s: median %.0f ms (min %.0f, max %.0f, %lld moves)\n", what, median(latencies),
                sorted.value(0), sorted.value(sorted.size() - 1), static_cast<long long>(latencies.size()));
}

int benchLatency(int moves)
{
    sim::Options options;
    options.rtspPort = 554;
    options.streamBound = QSize(1920, 1080);
    options.streamFps = kFps;
    sim::Simulator simulator(options);
    if (!simulator.start(QStringLiteral("127.0.0.42"))) {
        std::fprintf(stderr, "simulator: %s\n", qPrintable(simulator.errorString()));
        return 1;
    }
    simulator.setState(wallWithWindowAt(720));
    const QString location = ScreenEcho::streamLocation(QStringLiteral("127.0.0.42"), 0);
    QElapsedTimer clock;
    clock.start();

    // The stream's own latency: the move seen in the player's decoded frames.
    QList<double> stream;
    {
        Drain drain;
        drain.show();
        std::unique_ptr<wall::EchoPlayer> player = wall::createEchoPlayer(drain.frames);
        player->start(location);
        spin(3000);
        stream = moveLatencies(simulator, moves, clock, [&](int left) {
            return showsWindowAt(drain.last, left) ? clock.nsecsElapsed() / 1e6 : -1.0;
        });
        player->stop();
    }

    // The canvas: the move seen in a picture the canvas painted.
    std::unique_ptr<ScreenWidget> canvas = makeCanvas(QSize(1280, 720));
    PaintCounter counter(canvas.get());
    counter.clock = clock;
    canvas->echo()->startEcho(QStringLiteral("127.0.0.42"), 0);
    spin(3000);
    qint64 checked = 0;
    const QList<double> shown = moveLatencies(simulator, moves, clock, [&](int left) {
        if (counter.displayed == checked)
            return -1.0;
        checked = counter.displayed;
        const double paintedAt = counter.lastMs;
        return showsWindowAt(canvas->grab().toImage(), left) ? paintedAt : -1.0;
    });
    canvas->echo()->stopEcho();

    std::printf("Latency from a window move at the simulator (1080p at %d fps, one frame = %.0f ms):\n", kFps,
                1000.0 / kFps);
    printLatencies("floor  in the player's decoded frames", stream);
    printLatencies("canvas painted behind the items     ", shown);
    std::printf("  canvas - floor: %.0f ms (goal: at most one frame)\n", median(shown) - median(stream));
    std::printf("  load average at the end: %.2f\n", loadAverage());
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Screen echo benchmarks"));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("what"), QStringLiteral("cpu, memory or latency"));
    const QCommandLineOption secondsOption(QStringLiteral("seconds"),
                                           QStringLiteral("cpu: seconds per figure"), QStringLiteral("S"),
                                           QStringLiteral("20"));
    const QCommandLineOption minutesOption(QStringLiteral("minutes"),
                                           QStringLiteral("memory: minutes of echo"), QStringLiteral("M"),
                                           QStringLiteral("10"));
    const QCommandLineOption movesOption(QStringLiteral("moves"), QStringLiteral("latency: window moves"),
                                         QStringLiteral("N"), QStringLiteral("20"));
    parser.addOptions({secondsOption, minutesOption, movesOption});
    parser.process(app);
    const QString what = parser.positionalArguments().value(0);
    if (what == QLatin1String("cpu"))
        return benchCpu(std::max(1, parser.value(secondsOption).toInt()));
    if (what == QLatin1String("memory"))
        return benchMemory(std::max(2, parser.value(minutesOption).toInt()));
    if (what == QLatin1String("latency"))
        return benchLatency(std::max(1, parser.value(movesOption).toInt()));
    parser.showHelp(2);
}
