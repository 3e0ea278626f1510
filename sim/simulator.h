#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QSize>
#include <QString>

#include <memory>

// A stand-in for the video-wall controller: an HTTP command server with a consistent
// controller state, chunked uploads, thumbnails, an optional discovery responder, a log of
// every request and fault injection. Start it in-process on an ephemeral loopback port, or
// run the executable `pelmora-sim`. Everything here is thread-safe; the server answers on
// threads of its own, so the caller's event loop stays free.
//
// Needs a QGuiApplication (or QApplication) in the process: thumbnails are painted with
// QPainter and QFont.
namespace sim {

struct RecordedRequest
{
    QString method;                       // "GET", "POST", "DELETE", or "UDP" for a discovery datagram
    QString path;                         // decoded path, without the query
    QString command;                      // command name (GET "Command" key, POST body "Command"), else empty
    QMap<QString, QString> query;         // decoded query keys
    QMap<QByteArray, QByteArray> headers; // as received (names keep their case)
    QByteArray body;                      // at most 4 MiB are kept, see bodySize
    qint64 bodySize = 0;                  // length of the body as received
    qint64 receivedNs = 0;                // std::chrono::steady_clock time it was read, in ns
    QJsonObject json() const;             // parsed body, or the GET keys (integers as numbers)
    QByteArray header(const QByteArray &name) const; // case-insensitive lookup
};

struct Fault
{
    enum Kind {
        Delay,
        NoReply,
        HttpError,
        Refuse,
        WrongCommand,
        Malformed,
        EmptyBody,
        CloseConnection,
        Oversized,
        Drip
    };
    Kind kind;
    int delayMs = 0;
    int httpStatus = 500;
    QString message{};
    int remaining = -1;                  // -1 = every time, N = next N requests
    qint64 bodyBytes = 10 * 1024 * 1024; // Oversized: the length of the body
    int dripIntervalMs = 50;             // Drip: the pause after each piece of the answer
    int dripBytes = 1;                   // Drip: the length of each piece
};

struct Options
{
    QString name = "Pelmora-Sim";
    QString configFile; // empty = demo data
    QString dataDir;    // empty = temp dir
    bool discovery = false;
    // The live wall streams (rtsp://<bind address>:<rtspPort>/screenlive<N>): -1 = none,
    // 0 = a free port. Pictures fit streamBound, at streamFps frames a second.
    int rtspPort = -1;
    QSize streamBound{1920, 1080};
    int streamFps = 30;
};

class Simulator
{
public:
    explicit Simulator(Options options = {});
    ~Simulator();
    Simulator(const Simulator &) = delete;
    Simulator &operator=(const Simulator &) = delete;

    bool start(const QString &bindAddress = "127.0.0.1", int port = 0); // port 0 = ephemeral
    void stop();
    int port() const;
    int rtspPort() const;        // 0 while no stream server runs
    QString errorString() const; // why start() failed

    QList<RecordedRequest> requests() const;
    QList<RecordedRequest> requests(const QString &command) const; // only that command (or path)
    void clearRequests();
    // Waits (without an event loop) until `count` requests for `command` (or path) were
    // logged or `timeoutMs` has passed; true when they were.
    bool waitForRequests(const QString &command, int count, int timeoutMs = 5000) const;

    void setFault(const QString &commandOrPath, const Fault &fault);
    void clearFaults();
    void failUploadChunk(int chunkIndex /*0-based*/, int httpStatus = 500);
    void setCpuUsage(int percent);

    // The controller's clock (playback positions, scene rotation, Delay faults) runs in real
    // time unless a test takes it over: from then on it stands still and moves only by
    // advanceClock(), and a delayed request is answered once the clock has moved its delay.
    void useManualClock();
    void advanceClock(qint64 ms);

    // state inspection for tests (snapshots, thread-safe):
    QJsonObject windowList(int group) const;          // same shape as the GetCurWindowList reply
    QJsonObject state() const;                        // whole state as JSON
    QByteArray storedFile(const QString &path) const; // uploaded file content by remote path
    void setState(const QJsonObject &state);          // replace state (same shape as --config files)
    void reset(); // back to the start-up state: demo or config data, no sessions, no uploads

    // Discovery responder (Options::discovery): datagrams answered so far.
    int discoveryAnswers() const;
    // Start-up summary: where it listens and which users it knows.
    QString banner() const;

private:
    class Impl;
    std::unique_ptr<Impl> d;
};

} // namespace sim
