// Soak: the console's main window driven in-process against the controller simulator for a
// long time, with seeded random gestures and seeded random controller faults. One line a
// report period (a minute by default) with the resident size; the run fails on a crash, on a
// sanitizer report (the sanitizers stop the process themselves), on a gesture that never
// returns, or when the resident size grew more than 5 MB between minute 5 and the end.
//
//   bench-soak [--minutes N] [--seed S] [--report-every SECONDS] [--address 127.0.0.X] [--reentrant]
//
// --reentrant also makes gestures while the console waits for the controller (in its nested
// event loops, where an operator's input is served too).
//
// Build it with -DPELMORA_SANITIZE=ON for what it is meant for (scripts/soak does).

#include "gestures.h"

#include "app/mainwindow2.h"
#include "sim/simulator.h"
#include "testmain.h"
#include "uikit/dialogs.h"
#include "windowsession.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QTest>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <pthread.h>
#include <thread>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
// From the sanitizers' allocator interface: the bytes the program holds allocated now.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

// The sanitizers' settings when the environment gives none: stop at the first report, with
// stacks; leaks at exit fail the run. The quarantine of freed memory is kept small so that it
// is full long before minute 5 and does not pass for growth.
extern "C" const char *__asan_default_options()
{
    // Freed memory goes back to the system within a second, so that the resident size
    // follows what the program holds and not the allocator's high-water mark.
    return "halt_on_error=1:abort_on_error=1:detect_leaks=1:quarantine_size_mb=32:"
           "allocator_release_to_os_interval_ms=1000:detect_stack_use_after_return=0";
}
extern "C" const char *__ubsan_default_options()
{
    return "halt_on_error=1:print_stacktrace=1";
}
// What the system's libraries keep for the life of the process (caches of fonts, type
// registries of GLib and GStreamer) is not the console's.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n"
           "leak:libglib-2.0.so\n"
           "leak:libgobject-2.0.so\n"
           "leak:libgstreamer-1.0.so\n"
           "leak:libgstbase-1.0.so\n"
           "leak:libgstrtsp\n"
           "leak:libgstapp\n"
           "leak:libgstvideo\n"
           "leak:libgio-2.0.so\n"
           // The flick recognizer QScroller registers for a list is kept by Qt's gesture
           // manager after the list has gone, and with it the offscreen platform's screen
           // (its QScreen, QPlatformScreen, private object and guard).
           "leak:QScroller::grabGesture\n"
           "leak:libqoffscreen.so\n"
           "leak:QScreen::QScreen\n"
           "leak:QPlatformScreen::QPlatformScreen\n"
           "leak:QWindowSystemInterface::handleScreenAdded\n"
           "leak:QtSharedPointer::ExternalRefCountData::getAndRef\n"
           "leak:QObject::QObject\n";
}

namespace {

struct Options
{
    double minutes = 60;
    quint32 seed = 1;
    int reportEverySeconds = 60;
    QString address = QStringLiteral("127.0.0.97");
    bool reentrant = false;
};

bool parse(int argc, char **argv, Options *options)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--minutes" && hasValue)
            options->minutes = QByteArray(argv[++i]).toDouble();
        else if (arg == "--seed" && hasValue)
            options->seed = QByteArray(argv[++i]).toUInt();
        else if (arg == "--report-every" && hasValue)
            options->reportEverySeconds = QByteArray(argv[++i]).toInt();
        else if (arg == "--address" && hasValue)
            options->address = QString::fromLatin1(argv[++i]);
        else if (arg == "--reentrant")
            options->reentrant = true;
        else
            return false;
    }
    return options->minutes > 0 && options->reportEverySeconds > 0;
}

// VmRSS of this process in kB, -1 when it cannot be read.
long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// The heap the program holds (without the allocator's own caches and quarantine), in kB;
// -1 without the sanitizers' allocator.
long heapKb()
{
#if defined(__SANITIZE_ADDRESS__)
    return long(__sanitizer_get_current_allocated_bytes() / 1024);
#else
    return -1;
#endif
}

// With SOAK_HEAP_PROFILE set, each report also lists where the live heap was allocated.
void printHeapProfile()
{
#if defined(__SANITIZE_ADDRESS__)
    if (qEnvironmentVariableIsSet("SOAK_HEAP_PROFILE"))
        __sanitizer_print_memory_profile(90, 15);
#endif
}

// Where the main thread is, printed from inside it when the watchdog asks.
void printStack(int)
{
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_print_stack_trace();
#endif
    std::abort();
}

// Stops the process when no gesture has come back for a long time: a wait that never ends
// is a fault like a crash. The main thread prints its stack first.
class Watchdog
{
public:
    explicit Watchdog(int limitSeconds) : m_limit(limitSeconds)
    {
        std::signal(SIGUSR1, printStack);
        const pthread_t mainThread = pthread_self();
        m_thread = std::thread([this, mainThread] {
            while (!m_stop) {
                std::this_thread::sleep_for(std::chrono::seconds(1));
                if (++m_idle > m_limit) {
                    std::fprintf(stderr, "soak: no gesture returned for %d s; stopping\n", m_limit);
                    std::fflush(stderr);
                    pthread_kill(mainThread, SIGUSR1);
                    std::this_thread::sleep_for(std::chrono::seconds(10));
                    std::abort();
                }
            }
        });
    }
    ~Watchdog()
    {
        m_stop = true;
        m_thread.join();
    }
    void alive() { m_idle = 0; }

private:
    int m_limit;
    std::atomic<int> m_idle{0};
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace

int main(int argc, char **argv)
{
    Options options;
    if (!parse(argc, argv, &options)) {
        std::fprintf(stderr,
                     "usage: %s [--minutes N] [--seed S] [--report-every SECONDS] [--address 127.0.0.X] "
                     "[--reentrant]\n",
                     argv[0]);
        return 2;
    }
    pelmora::test::prepareEnvironment();
    QApplication app(argc, argv);
    pelmora::test::initApplication(app);

    // A loopback address of its own: the console looks for the wall stream on port 554 of the
    // controller's address (binding it needs root).
    const QString address = options.address;
    sim::Options simOptions;
    simOptions.rtspPort = 554;
    simOptions.streamBound = QSize(320, 180);
    simOptions.streamFps = 10;
    auto controller = std::make_unique<sim::Simulator>(simOptions);
    if (!controller->start(address)) {
        std::fprintf(stderr, "soak: no wall stream on %s:554 (%s); the echo will find none\n",
                     qPrintable(address), qPrintable(controller->errorString()));
        simOptions.rtspPort = -1;
        controller = std::make_unique<sim::Simulator>(simOptions);
        if (!controller->start(address)) {
            std::fprintf(stderr, "soak: the simulator does not start: %s\n",
                         qPrintable(controller->errorString()));
            return 1;
        }
    }
    auto window = pelmora::test::makeWindow();
    if (!window) {
        std::fprintf(stderr, "soak: the main window is not shown\n");
        return 1;
    }

    std::printf("soak: %.1f minutes, seed %u, report every %d s, controller %s:%d\n", options.minutes,
                options.seed, options.reportEverySeconds, qPrintable(address), controller->port());
    std::printf("%8s %10s %8s %8s %8s %10s %10s\n", "minute", "gestures", "faults", "boxes", "logins",
                "rss_kb", "heap_kb");
    std::fflush(stdout);

    QMap<int, long> curve; // report number -> kB
    QMap<int, long> heapCurve;
    {
        soak::Gestures gestures(*window, *controller, address, options.seed);
        gestures.setReentrant(options.reentrant);
        std::mt19937 pauses(options.seed ^ 0x5a5a5a5au);
        Watchdog watchdog(180);
        const qint64 total = qint64(options.minutes * 60000);
        const qint64 period = qint64(options.reportEverySeconds) * 1000;
        QElapsedTimer clock;
        clock.start();
        qint64 nextReport = period;
        qint64 nextHarvest = 0;
        while (clock.elapsed() < total) {
            if (clock.elapsed() >= nextHarvest) {
                gestures.harvestCommands();
                nextHarvest = clock.elapsed() + 5000;
            }
            gestures.step();
            watchdog.alive();
            QTest::qWait(20 + int(pauses() % 180));
            watchdog.alive();
            if (clock.elapsed() >= nextReport) {
                const int report = int(nextReport / period);
                const long kb = residentKb();
                curve[report] = kb;
                heapCurve[report] = heapKb();
                const soak::Counts &c = gestures.counts();
                std::printf("%8.4g %10lld %8lld %8lld %8lld %10ld %10ld\n", nextReport / 60000.0, c.gestures,
                            c.faults, c.boxes, c.logins, kb, heapCurve.value(report));
                std::fflush(stdout);
                printHeapProfile();
                nextReport += period;
            }
        }

        const soak::Counts &c = gestures.counts();
        std::printf("\nsoak: %lld gestures (%lld while the console waited), %lld faults injected, %lld boxes "
                    "answered, %lld logins in %.1f min\n",
                    c.gestures, c.nested, c.faults, c.boxes, c.logins, clock.elapsed() / 60000.0);
        std::printf("gestures:");
        for (auto it = c.byGesture.cbegin(); it != c.byGesture.cend(); ++it)
            std::printf(" %s=%lld", qPrintable(it.key()), it.value());
        QMap<QString, qint64> kinds;
        for (auto it = c.byFault.cbegin(); it != c.byFault.cend(); ++it)
            kinds[it.key().section(QLatin1Char(' '), 0, 0)] += it.value();
        std::printf("\nfaults:");
        for (auto it = kinds.cbegin(); it != kinds.cend(); ++it)
            std::printf(" %s=%lld", qPrintable(it.key()), it.value());
        std::printf(" (on %d commands and paths)\n", int(c.byFault.size()));
        controller->clearFaults();
    }

    // The window and the controller go as the program ends; what stays allocated after
    // this is for the leak check at exit.
    window.reset();
    QTest::qWait(200);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    controller.reset();

    int status = 0;
    const int perMinute = 60 / qMax(1, options.reportEverySeconds);
    const int fifth = 5 * qMax(1, perMinute);
    if (!curve.isEmpty()) {
        std::printf("rss_kb: first %ld", curve.first());
        if (curve.contains(fifth))
            std::printf(", minute 5 %ld", curve.value(fifth));
        std::printf(", last %ld\n", curve.last());
        std::printf("heap_kb: first %ld", heapCurve.first());
        if (heapCurve.contains(fifth))
            std::printf(", minute 5 %ld", heapCurve.value(fifth));
        std::printf(", last %ld\n", heapCurve.last());
    }
    if (options.minutes >= 6 && curve.contains(fifth)) {
        const long growth = curve.last() - curve.value(fifth);
        std::printf("growth from minute 5 to the end: %ld kB (limit 5120 kB)\n", growth);
        if (growth > 5120) {
            std::printf("soak: FAIL: resident size grew by more than 5 MB\n");
            status = 1;
        }
    }
    if (status == 0)
        std::printf("soak: PASS (leaks are checked as the process exits)\n");
    std::fflush(stdout);
    return status;
}
