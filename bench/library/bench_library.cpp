// Figures for the command transport and the resource library against the controller
// simulator on loopback, with the console's HTTP engine (libcurl under QNetworkAccessManager):
//  1. the round trip of a small command (a synchronous "MoveWindow" POST), p50 and p90,
//     against a minimal blocking client on a TCP_NODELAY socket, and Qt's own engine;
//  2. logging in and loading every list of a large catalogue (one thumbnail after another)
//     against fetching the same thumbnails with one keep-alive curl invocation;
//  3. the chunked upload of a large file against a minimal blocking client running the same
//     chunk protocol, Qt's own engine, and a single curl POST of a whole file; plus the round
//     trip of a tiny chunk, where a Nagle / delayed-ACK stall would show.
// Usage: bench_library [--commands N] [--entries N] [--upload-mb M] [--curl-mb M] [--small-posts N]
#include "library/backgroundmusic.h"
#include "library/resourceloader.h"
#include "library/uploader.h"
#include "net/curlaccessmanager.h"
#include "net/sessionvalues.h"
#include "net/transport.h"
#include "rawclient.h"
#include "sim/simulator.h"
#include "uikit/helpers.h"
#include "uikit/messagesink.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHostAddress>
#include <QImage>
#include <QJsonArray>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <curl/curl.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using namespace library;

namespace {

QJsonObject named(const QString &name, const QString &path)
{
    return {{QStringLiteral("Name"), name}, {QStringLiteral("Path"), path}};
}

// A catalogue of `entries` thumbnail-carrying entries spread over the categories as a
// busy controller might hold them.
QJsonObject generatedCatalogue(int entries)
{
    struct Share
    {
        const char *resType;
        const char *folder;
        const char *pattern;
        int percent;
    };
    const Share shares[] = {
        {"Video", "/videos/", "Clip %1.mp4", 40},   {"Picture", "/pictures/", "Photo %1.jpg", 30},
        {"Office", "/office/", "Deck %1.pptx", 10}, {"WEB", "", "Page %1", 10},
        {"NetVideo", "", "Camera %1", 5},           {"Other", "/others/", "Notes %1.pdf", 5}};
    QJsonObject resources;
    int made = 0;
    for (const Share &share : shares) {
        const int count = entries * share.percent / 100;
        QJsonArray list;
        for (int i = 0; i < count; ++i) {
            const QString name = QString::fromLatin1(share.pattern).arg(i, 4, 10, QLatin1Char('0'));
            const QString path = *share.folder ? QLatin1String(share.folder) + name : "http://host/" + name;
            list.append(named(name, path));
        }
        made += count;
        resources.insert(QLatin1String(share.resType), list);
    }
    QJsonArray music;
    for (int i = 0; i < 20; ++i)
        music.append(
            named(QStringLiteral("Song %1.mp3").arg(i), QStringLiteral("/audios/Song %1.mp3").arg(i)));
    resources.insert(QStringLiteral("Music"), music);
    resources.insert(QStringLiteral("USB"), QJsonArray{"USB 1", "USB 2"});
    return {{QStringLiteral("Resources"), resources}, {QStringLiteral("Applications"), QJsonArray()}};
}

// A picture with enough detail that its 320x240 thumbnail is about 20 KB as JPEG.
QByteArray detailedPicture(int seed)
{
    QImage image(320, 240, QImage::Format_RGB32);
    quint32 state = quint32(seed) * 2654435761u + 1;
    for (int y = 0; y < image.height(); y += 5) {
        for (int x = 0; x < image.width(); x += 5) {
            state = state * 1664525u + 1013904223u;
            const QRgb colour = qRgb(int(state >> 24), int((state >> 16) & 0xff), (x + y + seed) & 0xff);
            for (int dy = 0; dy < 5 && y + dy < image.height(); ++dy)
                for (int dx = 0; dx < 5 && x + dx < image.width(); ++dx)
                    image.setPixel(x + dx, y + dy, colour);
        }
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 85);
    return jpeg;
}

// The operator's boxes, printed: a benchmark has nobody to show them to.
class PrintedBoxes : public uikit::MessageSink
{
public:
    void showError(const QString &text) override { std::printf("error box: %s\n", qPrintable(text)); }
    void showInfo(const QString &text) override { std::printf("info box: %s\n", qPrintable(text)); }
};

bool login(Transport &transport, SessionValues &session)
{
    const QJsonObject request{{QStringLiteral("Command"), QStringLiteral("Login")},
                              {QStringLiteral("UserName"), QStringLiteral("admin")},
                              {QStringLiteral("Password"), uikit::md5Hex(QStringLiteral("admin"))},
                              {QStringLiteral("Family"), 2}};
    QByteArray reply;
    if (!transport.sendPostCommand(Transport::toBody(request), true, &reply))
        return false;
    session.sessionId = Transport::parseObject(reply).value(QStringLiteral("SessionId")).toString();
    session.loggedIn = !session.sessionId.isEmpty();
    return session.loggedIn;
}

double seconds(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

double cpuSeconds(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// Wall time, the CPU time of this (the client's) thread and of the whole process (client and
// in-process simulator): on a machine shared with others, CPU time is the honest figure.
struct Span
{
    QElapsedTimer timer;
    double thread0 = 0;
    double process0 = 0;
    Span() { restart(); }
    void restart()
    {
        thread0 = cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
        process0 = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
        timer.start();
    }
    double wall() const { return seconds(timer); }
    double thread() const { return cpuSeconds(CLOCK_THREAD_CPUTIME_ID) - thread0; }
    double process() const { return cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - process0; }
};

double childrenCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

constexpr int kRuns = 3;

struct UploadFigure
{
    double wall = 0;
    double thread = 0;
    double process = 0;
};

void printFigure(const char *what, bool ok, const UploadFigure &f, qint64 size)
{
    std::printf("%-62s %s, %6.2f s, %7.1f MB/s; CPU: client %5.2f s, process %5.2f s\n", what,
                ok ? "ok" : "FAILED", f.wall, size / 1e6 / f.wall, f.thread, f.process);
}

UploadFigure printUpload(const char *what, bool ok, const Span &span, qint64 size)
{
    const UploadFigure f{span.wall(), span.thread(), span.process()};
    printFigure(what, ok, f, size);
    return f;
}

// Runs curl with `arguments`; the wall-clock seconds, or -1 when it failed.
double runCurl(const QStringList &arguments, QByteArray *standardOutput = nullptr)
{
    QProcess curl;
    QElapsedTimer timer;
    timer.start();
    curl.start(QStringLiteral("curl"), arguments);
    if (!curl.waitForFinished(120000) || curl.exitStatus() != QProcess::NormalExit || curl.exitCode() != 0) {
        std::fprintf(stderr, "curl failed: %s\n", curl.readAllStandardError().constData());
        return -1;
    }
    if (standardOutput)
        *standardOutput = curl.readAllStandardOutput();
    return seconds(timer);
}

QString snapshotConfig(const QTemporaryDir &dir, Transport &transport, const QStringList &names)
{
    const QString file = dir.filePath(QStringLiteral("urls.txt"));
    QFile config(file);
    if (!config.open(QIODevice::WriteOnly))
        return QString();
    for (const QString &name : names) {
        config.write("url = \"" + transport.pathUrl(snapshotPath(name)).toEncoded() + "\"\n");
        config.write("output = \"/dev/null\"\n");
    }
    return file;
}

bool writeFile(const QString &path, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (int i = 0; i < block.size(); ++i)
        block[i] = char((i * 31) & 0xff);
    for (qint64 left = size; left > 0; left -= block.size())
        file.write(block.constData(), qMin<qint64>(left, block.size()));
    return true;
}

// The same protocol with the body handed to QNetworkAccessManager as a device instead of
// a byte array (another way of building the request).
bool uploadWithDevice(QNetworkAccessManager &manager, ChunkUploader &uploader, const QString &remote,
                      const QString &local)
{
    QFile file(local);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    for (qint64 offset = 0; offset < file.size(); offset += ChunkUploader::kChunkSize) {
        QBuffer body;
        body.setData(file.read(ChunkUploader::kChunkSize));
        body.open(QIODevice::ReadOnly);
        QNetworkReply *reply = manager.post(uploader.chunkRequest(remote, offset, body.size()), &body);
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        if (!reply->isFinished())
            loop.exec();
        const bool ok = reply->error() == QNetworkReply::NoError;
        delete reply;
        if (!ok)
            return false;
    }
    return true;
}

// The same protocol over a QTcpSocket with LowDelayOption (TCP_NODELAY): each chunk is one
// write of headers and body, and the reply is read by its Content-Length inside a local
// event loop, as the console waits for its replies.
bool uploadWithSocket(int port, const QByteArray &sessionId, const QByteArray &path, const QString &local)
{
    QFile file(local);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, quint16(port));
    if (!socket.waitForConnected(5000))
        return false;
    socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    QByteArray pending;
    for (qint64 offset = 0; offset < file.size(); offset += ChunkUploader::kChunkSize) {
        const QByteArray chunk = file.read(ChunkUploader::kChunkSize);
        QByteArray request = "POST " + path + " HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) +
                             "\r\nsession_id: " + sessionId + "\r\noffset: " + QByteArray::number(offset) +
                             "\r\ncurLength: " + QByteArray::number(chunk.size()) +
                             "\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                             QByteArray::number(chunk.size()) + "\r\n\r\n";
        request += chunk;
        socket.write(request);
        QEventLoop loop;
        bool done = false;
        int status = 0;
        auto take = [&] {
            pending += socket.readAll();
            const int end = pending.indexOf("\r\n\r\n");
            if (end < 0)
                return;
            qint64 length = 0;
            for (const QByteArray &line : pending.left(end).split('\n')) {
                if (line.toLower().startsWith("content-length:"))
                    length = line.mid(15).trimmed().toLongLong();
            }
            if (pending.size() < end + 4 + length)
                return;
            status = pending.mid(9, 3).toInt();
            pending.remove(0, int(end + 4 + length));
            done = true;
            loop.quit();
        };
        QObject::connect(&socket, &QTcpSocket::readyRead, &loop, take);
        QObject::connect(&socket, &QTcpSocket::disconnected, &loop, &QEventLoop::quit);
        take();
        if (!done)
            loop.exec();
        if (!done || status != 200)
            return false;
    }
    return true;
}

// The p-th percentile (0..100) of `samples`, in milliseconds.
double percentile(std::vector<double> samples, double p)
{
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const size_t index = std::min(samples.size() - 1, size_t(p / 100 * double(samples.size())));
    return samples[index];
}

void benchRoundTrip(sim::Simulator &simulator, Transport &transport, Transport &qtTransport,
                    SessionValues &session, int count)
{
    std::printf("\n== Small command round trip: synchronous \"MoveWindow\" POSTs, one at a time ==\n");
    simulator.reset();
    session.sessionId.clear();
    if (!login(transport, session))
        return;
    auto move = [](int i) {
        const int left = 10 + i % 50;
        return QJsonObject{{QStringLiteral("Command"), QStringLiteral("MoveWindow")},
                           {QStringLiteral("RealRect"), QJsonObject{{QStringLiteral("Left"), left},
                                                                    {QStringLiteral("Top"), 10},
                                                                    {QStringLiteral("Right"), left + 100},
                                                                    {QStringLiteral("Bottom"), 110}}},
                           {QStringLiteral("WindowId"), 101}};
    };
    std::printf("body: %d bytes of indented JSON\n", int(Transport::toBody(move(0)).size()));

    auto console = [&](Transport &t, int n, int *failed) {
        std::vector<double> ms;
        QElapsedTimer timer;
        for (int i = 0; i < n; ++i) {
            timer.start();
            const Transport::Result r = t.post(move(i));
            ms.push_back(double(timer.nsecsElapsed()) / 1e6);
            if (!r.ok() || !r.statusOk())
                ++*failed;
        }
        return ms;
    };
    auto print = [](const char *what, const std::vector<double> &ms, int failed) {
        std::printf("%-58s p50 %7.3f ms, p90 %7.3f ms (%d requests, %d failed)\n", what, percentile(ms, 50),
                    percentile(ms, 90), int(ms.size()), failed);
    };

    int failed = 0;
    console(transport, 20, &failed); // warm-up: connection made, code paths run once
    failed = 0;
    const std::vector<double> curl = console(transport, count, &failed);
    print("console transport (libcurl engine):", curl, failed);

    RawClient raw;
    raw.connectTo(simulator.port());
    std::vector<double> floor;
    int rawFailed = 0;
    QElapsedTimer timer;
    for (int i = 0; i < count + 20; ++i) {
        const QByteArray body = Transport::toBody(move(i));
        timer.start();
        const int status = raw.postCommand(session.sessionId.toLatin1(), body);
        if (i >= 20)
            floor.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (i >= 20 && status != 200)
            ++rawFailed;
    }
    print("minimal POSIX client (TCP_NODELAY, keep-alive, one write):", floor, rawFailed);

    int qtFailed = 0;
    const int qtCount = qMin(count, 100);
    console(qtTransport, 5, &qtFailed);
    qtFailed = 0;
    const std::vector<double> qt = console(qtTransport, qtCount, &qtFailed);
    print("console transport on Qt's own QNetworkAccessManager:", qt, qtFailed);
    std::printf("ratio console / minimal client: p50 %.2f, p90 %.2f; Qt's engine / console: p50 %.1f\n",
                percentile(curl, 50) / percentile(floor, 50), percentile(curl, 90) / percentile(floor, 90),
                percentile(qt, 50) / percentile(curl, 50));
}

void benchLists(sim::Simulator &simulator, Transport &transport, SessionValues &session, int entries,
                const QTemporaryDir &dir)
{
    std::printf("\n== Logging in and loading every list: %d entries with thumbnails ==\n", entries);
    simulator.setState(generatedCatalogue(entries));
    if (!login(transport, session))
        return;

    // Every picture gets an uploaded file, so its thumbnail is drawn from real picture data.
    {
        RawClient raw;
        raw.connectTo(simulator.port());
        const QJsonArray pictures = generatedCatalogue(entries)
                                        .value(QStringLiteral("Resources"))
                                        .toObject()
                                        .value(QStringLiteral("Picture"))
                                        .toArray();
        for (int i = 0; i < pictures.size(); ++i) {
            const QByteArray jpeg = detailedPicture(i);
            const QString path = pictures.at(i).toObject().value(QStringLiteral("Path")).toString();
            raw.postChunk(transport.pathUrl(path).path(QUrl::FullyEncoded).toLatin1(),
                          session.sessionId.toLatin1(), 0, jpeg.constData(), jpeg.size());
        }
    }

    ResourceCatalogue catalogue;
    ResourceLoader loader(&transport, &catalogue);
    BackgroundMusic music(&transport);
    auto loadAll = [&] {
        loader.getVideoList();
        loader.getUSBVideoList();
        loader.getPicList();
        loader.getDocList();
        loader.getWebList();
        loader.getPptList();
        loader.getNetVideoList();
        music.getBgMusicState(nullptr);
        loader.getAudioList();
    };

    // First pass: the simulator paints and caches every thumbnail; not timed.
    QElapsedTimer warm;
    warm.start();
    loadAll();
    std::printf("warm-up pass (simulator draws the thumbnails): %.2f s\n", seconds(warm));

    QStringList names;
    qint64 bytes = 0;
    for (const ResourceList *list :
         {&catalogue.videoResources, &catalogue.picResources, &catalogue.docResources,
          &catalogue.webResources, &catalogue.officeResources, &catalogue.netVideoResources}) {
        for (const S_RESOURCE &r : *list) {
            if (!r.thumbnail.isEmpty()) {
                names.append(r.name);
                bytes += r.thumbnail.size();
            }
        }
    }
    std::printf("thumbnails: %d, %.1f KB on average\n", int(names.size()),
                names.isEmpty() ? 0.0 : double(bytes) / names.size() / 1024);

    // Each side runs kRuns times and its fastest run is the figure: on a machine busy with
    // other work a run can lose its core for a while.
    double consoleSeconds = 1e9;
    double consoleCpu = 0;
    for (int run = 0; run < kRuns; ++run) {
        session.sessionId.clear();
        const Span span;
        login(transport, session);
        loadAll();
        if (span.wall() < consoleSeconds) {
            consoleSeconds = span.wall();
            consoleCpu = span.thread();
        }
    }

    const QString config = snapshotConfig(dir, transport, names);
    double curlSeconds = 1e9;
    double curlCpu = 0;
    for (int run = 0; run < kRuns; ++run) {
        const double cpu0 = childrenCpuSeconds();
        const double s =
            runCurl({QStringLiteral("-s"), QStringLiteral("--fail"), QStringLiteral("-H"),
                     QStringLiteral("session_id: ") + session.sessionId, QStringLiteral("-K"), config});
        if (s > 0 && s < curlSeconds) {
            curlSeconds = s;
            curlCpu = childrenCpuSeconds() - cpu0;
        }
    }
    std::printf("console (login, 8 list commands, music state, %d thumbnails one after another): %.3f s, "
                "client CPU %.3f s\n",
                int(names.size()), consoleSeconds, consoleCpu);
    std::printf("curl (same %d thumbnails, one invocation, one kept-alive connection):        %.3f s, "
                "curl CPU %.3f s\n",
                int(names.size()), curlSeconds, curlCpu);
    std::printf("ratio console / curl (fastest of %d each): %.2f; CPU %.2f\n", kRuns,
                consoleSeconds / curlSeconds, curlCpu > 0 ? consoleCpu / curlCpu : 0.0);

    // Per thumbnail, which a busy machine disturbs less than the totals.
    std::vector<double> console;
    QElapsedTimer timer;
    for (const QString &name : names) {
        QByteArray thumbnail;
        timer.start();
        transport.fetchPath(snapshotPath(name), &thumbnail);
        console.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    QByteArray times;
    runCurl({QStringLiteral("-s"), QStringLiteral("--fail"), QStringLiteral("-w"),
             QStringLiteral("%{time_total}\\n"), QStringLiteral("-H"),
             QStringLiteral("session_id: ") + session.sessionId, QStringLiteral("-K"), config},
            &times);
    std::vector<double> curl;
    for (const QByteArray &line : times.split('\n')) {
        if (!line.trimmed().isEmpty())
            curl.push_back(line.trimmed().toDouble() * 1000);
    }
    std::printf("one thumbnail: console fetchPath p50 %.3f ms, p90 %.3f ms; curl p50 %.3f ms, p90 %.3f ms; "
                "ratio p50 %.2f\n",
                percentile(console, 50), percentile(console, 90), percentile(curl, 50), percentile(curl, 90),
                percentile(console, 50) / percentile(curl, 50));
}

void benchUpload(sim::Simulator &simulator, QNetworkAccessManager &manager, Transport &transport,
                 Transport &qtTransport, SessionValues &session, qint64 uploadMb, qint64 curlMb,
                 int smallPosts, const QTemporaryDir &dir)
{
    const qint64 size = uploadMb * 1000 * 1000;
    std::printf("\n== Uploading %lld MB in chunks of %lld bytes ==\n", uploadMb, ChunkUploader::kChunkSize);
    const QString local = dir.filePath(QStringLiteral("upload.bin"));
    if (!writeFile(local, size))
        return;
    ChunkUploader uploader(&manager, &transport);
    auto relogin = [&] {
        simulator.reset(); // drops stored files and sessions
        session.sessionId.clear();
        return login(transport, session);
    };

    // The console and the minimal client run kRuns times each; the fastest run is the figure.
    Span span;
    bool ok = true;
    UploadFigure console{1e9, 0, 0};
    for (int run = 0; run < kRuns; ++run) {
        relogin();
        span.restart();
        ok = uploader.uploadFile(QStringLiteral("/videos/bench upload.bin"), local) && ok;
        if (span.wall() < console.wall)
            console = {span.wall(), span.thread(), span.process()};
    }
    printFigure("console uploadFile (libcurl engine, body as byte array):", ok, console, size);

    relogin();
    span.restart();
    const bool deviceOk =
        uploadWithDevice(manager, uploader, QStringLiteral("/videos/bench device.bin"), local);
    printUpload("libcurl engine, body as QBuffer device:", deviceOk, span, size);

    relogin();
    ChunkUploader qtUploader(qtTransport.manager(), &qtTransport);
    span.restart();
    const bool qtOk = qtUploader.uploadFile(QStringLiteral("/videos/bench qt.bin"), local);
    printUpload("uploadFile on Qt's own QNetworkAccessManager:", qtOk, span, size);

    relogin();
    span.restart();
    const bool socketOk = uploadWithSocket(
        simulator.port(), session.sessionId.toLatin1(),
        transport.pathUrl(QStringLiteral("/videos/bench socket.bin")).path(QUrl::FullyEncoded).toLatin1(),
        local);
    printUpload("QTcpSocket with LowDelayOption, one write per chunk:", socketOk, span, size);

    const QByteArray rawPath =
        transport.pathUrl(QStringLiteral("/videos/bench raw.bin")).path(QUrl::FullyEncoded).toLatin1();
    bool rawOk = true;
    UploadFigure floor{1e9, 0, 0};
    std::unique_ptr<RawClient> raw;
    for (int run = 0; run < kRuns; ++run) {
        relogin();
        QFile file(local);
        file.open(QIODevice::ReadOnly);
        raw = std::make_unique<RawClient>();
        bool runOk = raw->connectTo(simulator.port());
        span.restart();
        for (qint64 offset = 0; runOk && offset < size; offset += ChunkUploader::kChunkSize) {
            const QByteArray chunk = file.read(ChunkUploader::kChunkSize);
            runOk = raw->postChunk(rawPath, session.sessionId.toLatin1(), offset, chunk.constData(),
                                   chunk.size()) == 200;
        }
        rawOk = rawOk && runOk;
        if (span.wall() < floor.wall)
            floor = {span.wall(), span.thread(), span.process()};
    }
    printFigure("minimal POSIX client (TCP_NODELAY, keep-alive, one in flight):", rawOk, floor, size);

    // The simulator takes at most 64 MiB in one request: the whole-file reference is smaller.
    relogin();
    const qint64 curlSize = qMin(curlMb, uploadMb) * 1000 * 1000;
    const QString curlFile = dir.filePath(QStringLiteral("whole.bin"));
    writeFile(curlFile, curlSize);
    const QString url =
        QString::fromLatin1(transport.pathUrl(QStringLiteral("/videos/bench curl.bin")).toEncoded());
    const double curlSeconds = runCurl(
        {QStringLiteral("-s"), QStringLiteral("--fail"), QStringLiteral("-o"), QStringLiteral("/dev/null"),
         QStringLiteral("-H"), QStringLiteral("session_id: ") + session.sessionId, QStringLiteral("-H"),
         QStringLiteral("offset: 0"), QStringLiteral("-H"), QStringLiteral("curLength: %1").arg(curlSize),
         QStringLiteral("-H"), QStringLiteral("Content-Type: application/octet-stream"),
         QStringLiteral("--data-binary"), QLatin1Char('@') + curlFile, url});
    const double curlRate = curlSeconds > 0 ? curlSize / 1e6 / curlSeconds : 0;
    std::printf("curl --data-binary of one %lld MB file in one request:           %.2f s, %.1f MB/s\n",
                curlSize / 1000000, curlSeconds, curlRate);
    const double consoleRate = size / 1e6 / console.wall;
    std::printf("ratio console / minimal client (fastest of %d each): rate %.2f, client CPU %.2f, "
                "process CPU %.2f; console / curl rate: %.2f\n",
                kRuns, floor.wall / console.wall, console.thread / floor.thread,
                console.process / floor.process, curlRate > 0 ? consoleRate / curlRate : 0.0);

    std::printf("\n== Round trip of a 1-byte chunk (%d each) ==\n", smallPosts);
    const QString tiny = dir.filePath(QStringLiteral("tiny.bin"));
    writeFile(tiny, 1);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < smallPosts; ++i)
        uploader.uploadFile(QStringLiteral("/videos/tiny.bin"), tiny);
    const double consoleSmall = seconds(timer) * 1000 / smallPosts;
    timer.restart();
    for (int i = 0; i < smallPosts; ++i)
        raw->postChunk(rawPath, session.sessionId.toLatin1(), 0, "x", 1);
    const double rawSmall = seconds(timer) * 1000 / smallPosts;
    std::printf("console uploadFile: %.2f ms per chunk; minimal client: %.2f ms per chunk\n", consoleSmall,
                rawSmall);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption commandsOption("commands", "Small commands timed.", "N", "500");
    const QCommandLineOption entriesOption("entries", "Catalogue entries with thumbnails.", "N", "1000");
    const QCommandLineOption uploadOption("upload-mb", "Size of the uploaded file in MB.", "M", "200");
    const QCommandLineOption curlOption("curl-mb", "Size of the whole-file curl POST in MB (at most 64).",
                                        "M", "60");
    const QCommandLineOption smallOption("small-posts", "Number of 1-byte chunks timed.", "N", "50");
    parser.addOptions({commandsOption, entriesOption, uploadOption, curlOption, smallOption});
    parser.process(app);

    // Files and uploads in memory where the machine has a tmpfs: the figures are then the
    // network path's, not the disk's.
    const QString shm = QStringLiteral("/dev/shm");
    QTemporaryDir dir((QFileInfo(shm).isWritable() ? shm : QDir::tempPath()) +
                      QStringLiteral("/bench_library-XXXXXX"));
    sim::Options options;
    options.dataDir = dir.filePath(QStringLiteral("sim"));
    sim::Simulator simulator(options);
    if (!dir.isValid() || !simulator.start(QStringLiteral("127.0.0.1"), 0)) {
        std::fprintf(stderr, "cannot start the simulator: %s\n", qPrintable(simulator.errorString()));
        return 1;
    }
    std::printf("Qt %s, %s\n", qVersion(), curl_version());
    net::CurlAccessManager manager;
    SessionValues session;
    session.hostIp = QStringLiteral("127.0.0.1");
    session.port = simulator.port();
    session.family = 2;
    PrintedBoxes boxes;
    Transport transport(&manager, &session, boxes);
    // Qt's own engine, for comparison; it shares the session values.
    QNetworkAccessManager qtManager;
    Transport qtTransport(&qtManager, &session, boxes);

    benchRoundTrip(simulator, transport, qtTransport, session, parser.value(commandsOption).toInt());
    benchLists(simulator, transport, session, parser.value(entriesOption).toInt(), dir);
    benchUpload(simulator, manager, transport, qtTransport, session, parser.value(uploadOption).toLongLong(),
                qMin(64ll, parser.value(curlOption).toLongLong()), parser.value(smallOption).toInt(), dir);
    simulator.stop();
    return 0;
}
