#pragma once

#include "sim/commands.h"
#include "sim/discovery.h"
#include "sim/simulator.h"
#include "sim/wallstream.h"

#include <QElapsedTimer>

#include <QTemporaryDir>
#include <atomic>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

namespace sim {

// Request log limits: the oldest entries go first; bodies beyond the byte budget are dropped
// from the oldest entries (their bodySize stays).
constexpr int kLogMaxEntries = 20000;
constexpr qint64 kLogMaxBodyBytes = 256ll * 1024 * 1024;
constexpr int kLogMaxBodyPerRequest = 4 * 1024 * 1024;
constexpr size_t kMaxPayload = 64u * 1024 * 1024;

class Simulator::Impl
{
public:
    explicit Impl(Options o);
    ~Impl();

    bool start(const QString &bindAddress, int port);
    bool startStream();
    void stop();
    void resetLocked(); // back to the initial state; caller holds `mutex`
    // The controller's time: real time, or a clock the tests advance (manualNowMs >= 0).
    qint64 nowMs() const
    {
        const qint64 manual = manualNowMs.load();
        return manual >= 0 ? manual : clock.elapsed();
    }

    // Loads the scenes of a running rotation whose turn has come and logs each load as
    // method "ROTATION", command "LoadModal" with the key "ModalName"; caller holds `mutex`.
    void rotateLocked();
    // The rotation's own clock: wakes when the next scene is due (real time only).
    void rotationLoop();

    void handle(const httplib::Request &req, httplib::Response &res);
    void control(const httplib::Request &req, httplib::Response &res, const RecordedRequest &rec);
    void logLocked(const RecordedRequest &rec);
    bool takeFaultLocked(const RecordedRequest &rec, Fault *fault);
    // Applies a fault to a request that arrived at `arrivedMs` (controller clock); true when
    // it took the place of the answer.
    bool applyFault(const Fault &fault, const RecordedRequest &rec, qint64 arrivedMs,
                    const httplib::Request &req, httplib::Response &res);
    // Waits `ms` from `sinceMs` (-1: until stop()); false when stop() interrupted the wait.
    bool waitUnlessStopping(int ms, qint64 sinceMs);
    Reply route(const RecordedRequest &rec);
    // The answer of an Oversized fault: "Command", "Status" "Ok" and padding, `bytes` long.
    static Reply oversized(const QString &command, qint64 bytes);
    // Sends `reply` as a Drip fault asks: a piece, then a pause, until all is out.
    void drip(const Fault &fault, const Reply &reply, httplib::Response &res);
    QList<RecordedRequest> filtered(const QString &commandOrPath) const;
    QString bannerText() const;

    Options options;
    QJsonObject initial; // demo data, with the config file's sections on top
    Controller ctrl;
    QList<RecordedRequest> log;
    qint64 logBodyBytes = 0;
    QList<QPair<QString, Fault>> faults;
    QHash<int, int> chunkFaults;

    mutable std::mutex mutex;
    mutable std::condition_variable changed; // log grew, or stopping
    bool stopping = false;
    bool started = false; // the config file and the data folder were loaded

    QElapsedTimer clock;
    std::atomic<qint64> manualNowMs{-1};
    std::unique_ptr<QTemporaryDir> tempDir;
    QString dataDir;
    std::unique_ptr<httplib::Server> server;
    std::thread serverThread;
    std::thread rotationThread;
    QString bindAddress;
    int boundPort = 0;
    QString error;
    DiscoveryResponder discovery;
    WallStreamServer stream;
};

// The answer of controller `c` at `nowMs` to one request of the console (not a "/sim/"
// control request): the command page "/index2.html", upload chunks and plain GETs.
// `chunkFaults` as storeChunk takes them.
Reply routeRequest(Controller &c, const RecordedRequest &rec, qint64 nowMs,
                   const QHash<int, int> &chunkFaults);
RecordedRequest recordRequest(const httplib::Request &req);
QJsonObject requestToJson(const RecordedRequest &rec);
bool faultFromJson(const QJsonObject &o, QString *target, Fault *fault, QString *error);
QJsonObject faultToJson(const QString &target, const Fault &fault);
// Shuts down this server's connections: all of them (peerPort < 0) or the one from that peer.
void shutdownConnections(int serverPort, const QString &peerAddress = QString(), int peerPort = -1);

} // namespace sim
