// Remote mouse and keyboard: how many input events per second the console's ordered path
// delivers to the controller simulator, and how long an event takes to arrive, beside a
// minimal client on a raw socket sending the same requests the same way (one connection,
// one request at a time). The raw client runs twice: writing each request whole with
// TCP_NODELAY (the floor), and writing head and body apart without it, as Qt's own network
// layer does (the console's engine writes each request whole). The path the older design used, one
// asynchronous POST per event with no ordering, is counted for events that arrived out of order.
#include "control/inputevents.h"
#include "control/inputqueue.h"
#include "net/curlaccessmanager.h"
#include "net/loginsession.h"
#include "net/sessionvalues.h"
#include "net/transport.h"
#include "sim/simulator.h"
#include "uikit/messagesink.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>

namespace {

// CPU time of the whole process (console side and simulator threads alike), which a
// shared machine disturbs far less than the elapsed time.
qint64 cpuNs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

class PrintedBoxes : public uikit::MessageSink
{
public:
    void showError(const QString &text) override { std::printf("error box: %s\n", qPrintable(text)); }
    void showInfo(const QString &text) override { std::printf("info box: %s\n", qPrintable(text)); }
};

// One keep-alive HTTP/1.1 connection; each request is written whole (with TCP_NODELAY) or as
// head and body in two writes (without), and its reply read whole (by Content-Length)
// before the next.
class RawPoster
{
public:
    explicit RawPoster(bool splitWrites) : m_split(splitWrites) {}
    ~RawPoster()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool connectTo(int port)
    {
        m_port = port;
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        const int noDelay = m_split ? 0 : 1;
        ::setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof(noDelay));
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(quint16(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return m_fd >= 0 && ::connect(m_fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0;
    }
    bool post(const QByteArray &sessionId, const QByteArray &body)
    {
        const QByteArray head =
            "POST /index2.html HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(m_port) +
            "\r\nConnection: keep-alive\r\nsession_id: " + sessionId +
            "\r\nContent-Type: text/plain; charset=utf-8;\r\nContent-Length: " +
            QByteArray::number(body.size()) + "\r\n\r\n";
        if (m_split ? !writeAll(head) || !writeAll(body) : !writeAll(head + body))
            return false;
        char chunk[4096];
        int headerEnd;
        while ((headerEnd = m_buffer.indexOf("\r\n\r\n")) < 0) {
            const ssize_t n = ::read(m_fd, chunk, sizeof(chunk));
            if (n <= 0)
                return false;
            m_buffer.append(chunk, int(n));
        }
        qint64 length = 0;
        for (const QByteArray &line : m_buffer.left(headerEnd).split('\n')) {
            if (line.toLower().startsWith("content-length:"))
                length = line.mid(15).trimmed().toLongLong();
        }
        while (m_buffer.size() < headerEnd + 4 + length) {
            const ssize_t n = ::read(m_fd, chunk, sizeof(chunk));
            if (n <= 0)
                return false;
            m_buffer.append(chunk, int(n));
        }
        m_buffer.remove(0, int(headerEnd + 4 + length));
        return true;
    }

private:
    bool writeAll(const QByteArray &bytes)
    {
        for (qint64 done = 0; done < bytes.size();) {
            const ssize_t n = ::write(m_fd, bytes.constData() + done, size_t(bytes.size() - done));
            if (n <= 0)
                return false;
            done += n;
        }
        return true;
    }

    const bool m_split;
    int m_fd = -1;
    int m_port = 0;
    QByteArray m_buffer;
};

// Key presses and releases: events no path may merge, so every one must arrive.
QList<S_KB_MOUSE_PARAM> keyEvents(int count)
{
    QList<S_KB_MOUSE_PARAM> events;
    for (int i = 0; i < count; ++i) {
        events.append(control::keyEvent(i % 2 ? control::KeyReleased : control::KeyPressed,
                                        Qt::Key_A + (i / 2) % 26, 0));
    }
    return events;
}

struct Arrivals
{
    QList<QJsonObject> bodies;
    QList<qint64> receivedNs;
};

Arrivals arrivals(const sim::Simulator &simulator)
{
    Arrivals a;
    for (const sim::RecordedRequest &r : simulator.requests(QStringLiteral("MouseKBCtrl"))) {
        a.bodies.append(r.json());
        a.receivedNs.append(r.receivedNs);
    }
    return a;
}

bool inOrder(const Arrivals &a, const QList<S_KB_MOUSE_PARAM> &events)
{
    if (a.bodies.size() != events.size())
        return false;
    for (int i = 0; i < events.size(); ++i) {
        if (a.bodies.at(i) != control::mouseKbRequest(events.at(i)))
            return false;
    }
    return true;
}

double medianMs(QList<qint64> delaysNs)
{
    if (delaysNs.isEmpty())
        return -1;
    std::sort(delaysNs.begin(), delaysNs.end());
    return double(delaysNs.at(delaysNs.size() / 2)) / 1e6;
}

// Serves events until `done`, sleeping while there are none (a busy loop would be counted
// as the console's CPU time); a 50 ms tick wakes it for conditions no event announces.
bool spinUntil(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    QTimer tick;
    tick.start(50);
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

struct Figures
{
    double eventsPerSecond = 0;
    double medianDelayMs = 0;
    double cpuUsPerEvent = 0; // process CPU time of the burst per event
    bool ordered = false;
};

// The console: all events pushed at once for the rate; then one event every `gapMs` for
// the delay, from the moment it is pushed to the moment the simulator has read it.
Figures benchConsole(sim::Simulator &simulator, Transport &transport, int burst, int paced, int gapMs)
{
    Figures f;
    control::InputQueue queue(&transport);
    const QList<S_KB_MOUSE_PARAM> events = keyEvents(burst);
    simulator.clearRequests();
    QElapsedTimer timer;
    timer.start();
    const qint64 cpuStart = cpuNs();
    for (const S_KB_MOUSE_PARAM &e : events)
        queue.push(e);
    spinUntil([&] { return !queue.requestOnItsWay() && queue.waiting().isEmpty(); }, 120000);
    f.eventsPerSecond = burst / (double(timer.nsecsElapsed()) / 1e9);
    f.cpuUsPerEvent = double(cpuNs() - cpuStart) / 1e3 / burst;
    f.ordered = inOrder(arrivals(simulator), events);

    const QList<S_KB_MOUSE_PARAM> slow = keyEvents(paced);
    simulator.clearRequests();
    QList<qint64> pushedNs;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(gapMs);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (pushedNs.size() == slow.size())
            return ticker.stop();
        pushedNs.append(nowNs());
        queue.push(slow.at(pushedNs.size() - 1));
    });
    ticker.start();
    spinUntil([&] { return simulator.requests(QStringLiteral("MouseKBCtrl")).size() == slow.size(); },
              120000);
    const Arrivals a = arrivals(simulator);
    QList<qint64> delays;
    for (int i = 0; i < a.receivedNs.size() && i < pushedNs.size(); ++i)
        delays.append(a.receivedNs.at(i) - pushedNs.at(i));
    f.medianDelayMs = medianMs(delays);
    f.ordered = f.ordered && inOrder(a, slow);
    return f;
}

Figures benchRaw(sim::Simulator &simulator, const QByteArray &sessionId, bool splitWrites, int burst,
                 int paced, int gapMs)
{
    Figures f;
    RawPoster raw(splitWrites);
    if (!raw.connectTo(simulator.port()))
        return f;
    const QList<S_KB_MOUSE_PARAM> events = keyEvents(burst);
    QList<QByteArray> bodies;
    for (const S_KB_MOUSE_PARAM &e : events)
        bodies.append(Transport::toBody(control::mouseKbRequest(e)));
    simulator.clearRequests();
    QElapsedTimer timer;
    timer.start();
    const qint64 cpuStart = cpuNs();
    for (const QByteArray &body : qAsConst(bodies))
        raw.post(sessionId, body);
    f.eventsPerSecond = burst / (double(timer.nsecsElapsed()) / 1e9);
    f.cpuUsPerEvent = double(cpuNs() - cpuStart) / 1e3 / burst;
    f.ordered = inOrder(arrivals(simulator), events);

    const QList<S_KB_MOUSE_PARAM> slow = keyEvents(paced);
    simulator.clearRequests();
    QList<qint64> sentNs;
    auto due = std::chrono::steady_clock::now();
    for (const S_KB_MOUSE_PARAM &e : slow) {
        due += std::chrono::milliseconds(gapMs);
        std::this_thread::sleep_until(due);
        sentNs.append(nowNs());
        raw.post(sessionId, Transport::toBody(control::mouseKbRequest(e)));
    }
    const Arrivals a = arrivals(simulator);
    QList<qint64> delays;
    for (int i = 0; i < a.receivedNs.size(); ++i)
        delays.append(a.receivedNs.at(i) - sentNs.at(i));
    f.medianDelayMs = medianMs(delays);
    f.ordered = f.ordered && inOrder(a, slow);
    return f;
}

// One asynchronous POST per event, all at once: how many arrive after an event that happened
// later. The events are pointer moves numbered by their position, so each is known.
int unorderedArrivals(sim::Simulator &simulator, Transport &transport, int count)
{
    simulator.clearRequests();
    for (int i = 0; i < count; ++i)
        transport.postAsync(
            control::mouseKbRequest(control::pointerEvent(control::PointerMoved, {i % 10000, i / 10000})));
    spinUntil([&] { return simulator.requests(QStringLiteral("MouseKBCtrl")).size() == count; }, 120000);
    int late = 0;
    int latest = -1;
    for (const QJsonObject &body : arrivals(simulator).bodies) {
        const int index =
            body.value(QStringLiteral("Y")).toInt() * 10000 + body.value(QStringLiteral("X")).toInt();
        if (index < latest)
            ++late;
        latest = qMax(latest, index);
    }
    // The last replies come in before anything else is measured.
    spinUntil([] { return false; }, 200);
    return late;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption burstOption("burst", "Events sent at once for the rate.", "N", "300");
    const QCommandLineOption pacedOption("paced", "Events sent one by one for the delay.", "N", "40");
    const QCommandLineOption gapOption("gap-ms", "Milliseconds between the paced events.", "MS", "100");
    parser.addOptions({burstOption, pacedOption, gapOption});
    parser.process(app);
    const int burst = parser.value(burstOption).toInt();
    const int paced = parser.value(pacedOption).toInt();
    const int gapMs = parser.value(gapOption).toInt();

    sim::Simulator simulator;
    if (!simulator.start(QStringLiteral("127.0.0.1"), 0)) {
        std::fprintf(stderr, "cannot start the simulator: %s\n", qPrintable(simulator.errorString()));
        return 1;
    }
    net::CurlAccessManager manager;
    SessionValues session;
    session.hostIp = QStringLiteral("127.0.0.1");
    session.port = simulator.port();
    session.family = 2;
    PrintedBoxes boxes;
    Transport transport(&manager, &session, boxes);
    LoginSession login(&transport, &session);
    if (!login.login(QStringLiteral("admin"), QStringLiteral("admin")).ok()) {
        std::fprintf(stderr, "cannot log in to the simulator\n");
        return 1;
    }
    const QByteArray sessionId = session.sessionId.toLatin1();

    std::printf("== Remote input: %d key events at once, then %d one every %d ms ==\n", burst, paced, gapMs);
    // A first round warms up connections and caches on both sides.
    benchConsole(simulator, transport, 50, 5, gapMs);
    benchRaw(simulator, sessionId, false, 50, 5, gapMs);

    const Figures console = benchConsole(simulator, transport, burst, paced, gapMs);
    const Figures raw = benchRaw(simulator, sessionId, false, burst, paced, gapMs);
    const Figures split = benchRaw(simulator, sessionId, true, burst, paced, gapMs);
    auto print = [](const char *what, const Figures &f) {
        std::printf("%-62s %8.0f events/s, median delay %8.3f ms, CPU %7.1f us/event, %s\n", what,
                    f.eventsPerSecond, f.medianDelayMs, f.cpuUsPerEvent,
                    f.ordered ? "all in order" : "OUT OF ORDER");
    };
    print("console: ordered queue, Transport, one request on its way", console);
    print("raw socket, request written whole, TCP_NODELAY (floor)", raw);
    print("raw socket, head and body in two writes, Nagle on", split);
    std::printf("ratio console / floor: rate %.3f, median delay %.1f, CPU per event %.1f\n",
                console.eventsPerSecond / raw.eventsPerSecond, console.medianDelayMs / raw.medianDelayMs,
                console.cpuUsPerEvent / raw.cpuUsPerEvent);
    std::printf("ratio console / two-write raw: rate %.2f, median delay %.2f\n",
                console.eventsPerSecond / split.eventsPerSecond, console.medianDelayMs / split.medianDelayMs);
    const int late = unorderedArrivals(simulator, transport, burst);
    std::printf(
        "one asynchronous POST per event, unordered (the older path): %d of %d events arrived after a "
        "later one\n",
        late, burst);
    simulator.stop();
    return console.ordered && raw.ordered && split.ordered ? 0 : 2;
}
