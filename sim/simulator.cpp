#include "sim/simulator.h"

#include "sim/demodata.h"
#include "sim/simulator_p.h"

#include <httplib.h>

#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>

#include <chrono>
#include <csignal>

namespace sim {

// --- Impl -----------------------------------------------------------------------------------

Simulator::Impl::Impl(Options o) : options(std::move(o))
{
    clock.start();
    initial = demoState();
    resetLocked();
}

Simulator::Impl::~Impl()
{
    stop();
}

bool Simulator::Impl::start(const QString &address, int port)
{
    if (server) {
        error = "already running";
        return false;
    }
    if (!started) {
        // The config file's sections replace those of the demo data.
        if (!options.configFile.isEmpty()) {
            QFile f(options.configFile);
            if (!f.open(QIODevice::ReadOnly)) {
                error = QString("cannot read config file %1: %2").arg(options.configFile, f.errorString());
                return false;
            }
            QJsonParseError parseError;
            const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &parseError);
            if (!doc.isObject()) {
                error = QString("config file %1 is not a JSON object: %2 at offset %3")
                            .arg(options.configFile, parseError.errorString())
                            .arg(parseError.offset);
                return false;
            }
            const QJsonObject config = doc.object();
            for (auto it = config.constBegin(); it != config.constEnd(); ++it)
                initial.insert(it.key(), it.value());
        }
        dataDir = options.dataDir;
        if (dataDir.isEmpty()) {
            tempDir = std::make_unique<QTemporaryDir>();
            dataDir = tempDir->path();
        }
        if (!ctrl.files.setRoot(dataDir, &error))
            return false;
        std::lock_guard<std::mutex> lock(mutex);
        if (!options.configFile.isEmpty())
            resetLocked();
        started = true;
    }
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = false;
    }

    // Writing to a connection the client (or a fault) closed must not end the process.
    std::signal(SIGPIPE, SIG_IGN);

    server = std::make_unique<httplib::Server>();
    // Connections stay open across a whole console session; each holds a worker while open.
    server->new_task_queue = [] { return new httplib::ThreadPool(48); };
    server->set_keep_alive_max_count(1000000);
    server->set_keep_alive_timeout(30);
    server->set_payload_max_length(kMaxPayload);
    server->set_tcp_nodelay(true); // headers and body go out in two writes: no Nagle delay between them
    const auto handler = [this](const httplib::Request &req, httplib::Response &res) { handle(req, res); };
    const std::string any = "[\\s\\S]*";
    server->Get(any, handler);
    server->Post(any, handler);
    server->Delete(any, handler);
    server->Put(any, handler);

    bindAddress = address.isEmpty() ? QString("127.0.0.1") : address;
    const std::string host = bindAddress.toStdString();
    if (port == 0) {
        boundPort = server->bind_to_any_port(host);
    } else {
        boundPort = server->bind_to_port(host, port) ? port : -1;
    }
    if (boundPort <= 0) {
        error = QString("cannot listen on %1:%2 (address in use, or not an address of this machine)")
                    .arg(bindAddress)
                    .arg(port);
        server.reset();
        boundPort = 0;
        return false;
    }
    serverThread = std::thread([this] { server->listen_after_bind(); });
    rotationThread = std::thread([this] { rotationLoop(); });
    // stop() only ends a server that runs already.
    for (int i = 0; i < 2000 && !server->is_running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));

    if (options.discovery) {
        const QString iface = bindAddress == QLatin1String("0.0.0.0") ? QString("127.0.0.1") : bindAddress;
        auto logger = [this](const QByteArray &datagram, const QString &sender) {
            RecordedRequest rec;
            rec.method = "UDP";
            rec.path = QString("%1:%2")
                           .arg(QLatin1String(DiscoveryResponder::kGroup))
                           .arg(DiscoveryResponder::kPort);
            rec.command = "FindViewTop";
            rec.headers.insert("sender", sender.toLatin1());
            rec.body = datagram;
            rec.bodySize = datagram.size();
            std::lock_guard<std::mutex> lock(mutex);
            logLocked(rec);
        };
        QString discoveryError;
        if (!discovery.start(iface, iface, options.name, boundPort, logger, &discoveryError)) {
            error = discoveryError;
            stop();
            return false;
        }
    }
    if (options.rtspPort >= 0 && !startStream()) {
        stop();
        return false;
    }
    return true;
}

bool Simulator::Impl::startStream()
{
    StreamSettings settings;
    settings.bound = options.streamBound;
    settings.fps = options.streamFps;
    // Every frame is drawn from the state as it is at that moment.
    auto source = [this](int index) {
        std::lock_guard<std::mutex> lock(mutex);
        return wallSnapshot(ctrl.state, index, QDateTime::currentMSecsSinceEpoch(), nowMs());
    };
    // A client starting to play a stream is logged like a request: method "RTSP", command
    // "PLAY", the stream's path, the client's address in the header "peer".
    auto logger = [this](int index, const QString &peer) {
        RecordedRequest rec;
        rec.method = "RTSP";
        rec.path = WallStreamServer::path(index);
        rec.command = "PLAY";
        rec.headers.insert("peer", peer.toLatin1());
        std::lock_guard<std::mutex> lock(mutex);
        logLocked(rec);
    };
    return stream.start(bindAddress, options.rtspPort, settings, source, logger, &error);
}

void Simulator::Impl::stop()
{
    stream.stop();
    discovery.stop();
    if (!server)
        return;
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    changed.notify_all();
    if (rotationThread.joinable())
        rotationThread.join();
    server->stop();
    // Idle keep-alive connections would hold their workers until the keep-alive timeout.
    shutdownConnections(boundPort);
    if (serverThread.joinable())
        serverThread.join();
    server.reset();
}

void Simulator::Impl::resetLocked()
{
    ctrl.state = ControllerState();
    ctrl.state.apply(initial, nowMs());
    ctrl.state.name = options.name;
    ctrl.files.clear();
    ctrl.pictures.clear();
    log.clear();
    logBodyBytes = 0;
    faults.clear();
    chunkFaults.clear();
}

void Simulator::Impl::logLocked(const RecordedRequest &rec)
{
    log.append(rec);
    logBodyBytes += rec.body.size();
    if (log.size() > kLogMaxEntries) {
        for (int i = 0; i < kLogMaxEntries / 10; ++i)
            logBodyBytes -= log.at(i).body.size();
        log.erase(log.begin(), log.begin() + kLogMaxEntries / 10);
    }
    for (int i = 0; logBodyBytes > kLogMaxBodyBytes && i < log.size(); ++i) {
        logBodyBytes -= log[i].body.size();
        log[i].body.clear();
    }
    changed.notify_all();
}

void Simulator::Impl::rotateLocked()
{
    const QStringList loaded = ctrl.state.advanceRotation(nowMs());
    for (const QString &name : loaded) {
        RecordedRequest rec;
        rec.method = "ROTATION";
        rec.path = "/rotation";
        rec.command = "LoadModal";
        rec.query.insert("ModalName", name);
        logLocked(rec);
    }
}

void Simulator::Impl::rotationLoop()
{
    std::unique_lock<std::mutex> lock(mutex);
    while (!stopping) {
        rotateLocked();
        // A test's clock moves only by advanceClock(), which rotates by itself.
        const qint64 waitMs = manualNowMs.load() >= 0 ? -1 : ctrl.state.msToNextRotation(nowMs());
        if (waitMs < 0)
            changed.wait(lock);
        else
            changed.wait_for(lock, std::chrono::milliseconds(waitMs));
    }
}

bool Simulator::Impl::takeFaultLocked(const RecordedRequest &rec, Fault *fault)
{
    for (int i = 0; i < faults.size(); ++i) {
        const QString &target = faults.at(i).first;
        const bool matches = target == QLatin1String("*") ||
                             (!rec.command.isEmpty() && target == rec.command) || target == rec.path ||
                             (target.endsWith('/') && rec.path.startsWith(target));
        if (!matches)
            continue;
        *fault = faults.at(i).second;
        if (faults[i].second.remaining > 0 && --faults[i].second.remaining == 0)
            faults.removeAt(i);
        return true;
    }
    return false;
}

bool Simulator::Impl::waitUnlessStopping(int ms, qint64 sinceMs)
{
    std::unique_lock<std::mutex> lock(mutex);
    if (ms < 0) {
        changed.wait(lock, [this] { return stopping; });
    } else if (manualNowMs.load() >= 0) {
        // The controller's own clock: the wait ends once the test has advanced it far enough
        // past the request's arrival (an advance before the wait began counts too).
        const qint64 until = sinceMs + ms;
        changed.wait(lock, [this, until] { return stopping || nowMs() >= until; });
    } else {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        changed.wait_until(lock, until, [this] { return stopping; });
    }
    return !stopping;
}

bool Simulator::Impl::applyFault(const Fault &fault, const RecordedRequest &rec, qint64 arrivedMs,
                                 const httplib::Request &req, httplib::Response &res)
{
    const auto drop = [&] {
        shutdownConnections(boundPort, QString::fromStdString(req.remote_addr), req.remote_port);
    };
    const auto answer = [&](const Reply &reply) {
        res.status = reply.status;
        res.set_content(reply.body.constData(), size_t(reply.body.size()), reply.contentType.toStdString());
    };
    switch (fault.kind) {
    case Fault::Delay:
        if (waitUnlessStopping(qMax(0, fault.delayMs), arrivedMs))
            return false; // then answered as usual
        drop();
        return true;
    case Fault::NoReply:
        waitUnlessStopping(-1, arrivedMs);
        drop();
        return true;
    case Fault::HttpError: {
        Reply r;
        r.status = fault.httpStatus;
        r.body = (fault.message.isEmpty() ? QString("Injected HTTP error %1").arg(fault.httpStatus)
                                          : fault.message)
                     .toUtf8();
        r.contentType = "text/plain; charset=utf-8";
        answer(r);
        return true;
    }
    case Fault::Refuse:
        answer(envelope(rec.command, false,
                        fault.message.isEmpty() ? QString("Refused (injected fault)") : fault.message));
        return true;
    case Fault::WrongCommand:
        answer(envelope(fault.message.isEmpty() ? QString("WrongCommand") : fault.message, true, QString()));
        return true;
    case Fault::Malformed: {
        Reply r;
        r.body = QString("{\"Command\": \"%1\", \"Status\": \"Ok\", ").arg(rec.command).toUtf8();
        answer(r);
        return true;
    }
    case Fault::EmptyBody:
        answer(Reply());
        return true;
    case Fault::CloseConnection:
        drop();
        return true;
    case Fault::Oversized:
        answer(oversized(rec.command, fault.bodyBytes));
        return true;
    case Fault::Drip:
        return false; // answered as usual, see drip()
    }
    return false;
}

Reply Simulator::Impl::oversized(const QString &command, qint64 bytes)
{
    // A well-formed answer, padded to the length asked for.
    Reply r;
    const QByteArray head =
        QString("{\"Command\": \"%1\", \"Status\": \"Ok\", \"Padding\": \"").arg(command).toUtf8();
    const QByteArray tail = "\"}";
    r.body = head + QByteArray(int(qMax<qint64>(0, bytes - head.size() - tail.size())), 'x') + tail;
    return r;
}

void Simulator::Impl::drip(const Fault &fault, const Reply &reply, httplib::Response &res)
{
    // The whole length is announced, then the body goes out a piece at a time (real time,
    // whatever the controller's clock); stop() or a client that hung up ends it.
    res.status = reply.status;
    const auto body = std::make_shared<QByteArray>(reply.body);
    const int interval = qMax(0, fault.dripIntervalMs);
    const size_t piece = size_t(qMax(1, fault.dripBytes));
    res.set_content_provider(size_t(body->size()), reply.contentType.toStdString(),
                             [this, body, interval, piece](size_t offset, size_t, httplib::DataSink &sink) {
                                 const size_t n = qMin(piece, size_t(body->size()) - offset);
                                 if (!sink.write(body->constData() + offset, n))
                                     return false;
                                 std::unique_lock<std::mutex> lock(mutex);
                                 const auto until =
                                     std::chrono::steady_clock::now() + std::chrono::milliseconds(interval);
                                 return !changed.wait_until(lock, until, [this] { return stopping; });
                             });
}

Reply Simulator::Impl::route(const RecordedRequest &rec)
{
    return routeRequest(ctrl, rec, nowMs(), chunkFaults);
}

Reply routeRequest(Controller &ctrl, const RecordedRequest &rec, qint64 nowMs,
                   const QHash<int, int> &chunkFaults)
{
    const QString session = QString::fromLatin1(rec.header("session_id"));
    if (rec.path == QLatin1String("/index2.html")) {
        if (rec.method == QLatin1String("GET")) {
            if (!rec.query.contains("Command"))
                return envelope(QString(), false, "Missing query key \"Command\" (/index2.html?Command=...)");
            return runCommand(ctrl, rec.command, rec.json(), session, nowMs);
        }
        if (rec.method == QLatin1String("POST")) {
            if (rec.bodySize > rec.body.size())
                return envelope(QString(), false,
                                QString("Command body too large (%1 bytes)").arg(rec.bodySize));
            QJsonParseError parseError;
            const QJsonDocument doc = QJsonDocument::fromJson(rec.body, &parseError);
            if (!doc.isObject()) {
                return envelope(
                    QString(), false,
                    rec.body.trimmed().isEmpty()
                        ? QString("Empty request body: a JSON object with \"Command\" is expected")
                        : QString("Request body is not a JSON object: %1 at offset %2")
                              .arg(parseError.error == QJsonParseError::NoError ? QString("not an object")
                                                                                : parseError.errorString())
                              .arg(parseError.offset));
            }
            const QJsonValue command = doc.object().value("Command");
            if (!command.isString())
                return envelope(QString(), false, "Key \"Command\" must be the command name as a text");
            return runCommand(ctrl, command.toString(), doc.object(), session, nowMs);
        }
    } else if (rec.method == QLatin1String("POST")) {
        return storeChunk(ctrl, rec.path, rec.header("offset"), rec.header("curLength"), rec.body, session,
                          chunkFaults);
    } else if (rec.method == QLatin1String("GET")) {
        return servePath(ctrl, rec.path, session);
    }
    return envelope(rec.command, false, QString("Method %1 is not served on %2").arg(rec.method, rec.path),
                    {}, 405);
}

void Simulator::Impl::handle(const httplib::Request &req, httplib::Response &res)
{
    RecordedRequest rec = recordRequest(req);
    if (rec.path.startsWith("/sim/")) {
        control(req, res, rec);
        return;
    }
    if (rec.bodySize > rec.body.size() && rec.path != QLatin1String("/index2.html")) {
        // An upload chunk larger than the log keeps: the whole body is needed to store it.
        rec.body = QByteArray::fromStdString(req.body);
    }
    Fault fault;
    bool faulty = false;
    qint64 arrivedMs = 0;
    {
        std::lock_guard<std::mutex> lock(mutex);
        RecordedRequest logged = rec;
        logged.body.truncate(kLogMaxBodyPerRequest);
        logLocked(logged);
        faulty = takeFaultLocked(rec, &fault);
        arrivedMs = nowMs();
    }
    if (faulty && applyFault(fault, rec, arrivedMs, req, res))
        return;
    Reply reply;
    {
        // The wall is in step with the rotation before and after every request.
        std::lock_guard<std::mutex> lock(mutex);
        rotateLocked();
        reply = route(rec);
        rotateLocked();
    }
    changed.notify_all(); // a rotation may have started or stopped
    if (faulty && fault.kind == Fault::Drip) {
        drip(fault, reply, res);
        return;
    }
    res.status = reply.status;
    res.set_content(reply.body.constData(), size_t(reply.body.size()), reply.contentType.toStdString());
}

QList<RecordedRequest> Simulator::Impl::filtered(const QString &commandOrPath) const
{
    QList<RecordedRequest> out;
    for (const RecordedRequest &r : log) {
        if (r.command == commandOrPath || r.path == commandOrPath)
            out.append(r);
    }
    return out;
}

QString Simulator::Impl::bannerText() const
{
    std::lock_guard<std::mutex> lock(mutex);
    QStringList users;
    for (const User &u : ctrl.state.users) {
        const QString role = u.role == 0 ? "administrator" : u.role == 1 ? "operator" : "web operator";
        users.append(u.plain.isNull() ? QString("%1 (%2)").arg(u.name, role)
                                      : QString("%1/%2 (%3)").arg(u.name, u.plain, role));
    }
    QString text = QString("pelmora-sim \"%1\" listening on http://%2:%3, users %4")
                       .arg(options.name, bindAddress)
                       .arg(boundPort)
                       .arg(users.isEmpty() ? QString("none") : users.join(", "));
    if (stream.isRunning())
        text +=
            QString(", streaming the wall on rtsp://%1:%2/screenlive<N>").arg(bindAddress).arg(stream.port());
    if (options.discovery)
        text += QString(", answering discovery on %1:%2")
                    .arg(QLatin1String(DiscoveryResponder::kGroup))
                    .arg(DiscoveryResponder::kPort);
    return text;
}

// --- Simulator ------------------------------------------------------------------------------

Simulator::Simulator(Options options) : d(std::make_unique<Impl>(std::move(options))) {}

Simulator::~Simulator()
{
    d->stop();
}

bool Simulator::start(const QString &bindAddress, int port)
{
    return d->start(bindAddress, port);
}

void Simulator::stop()
{
    d->stop();
}

int Simulator::port() const
{
    return d->boundPort;
}

int Simulator::rtspPort() const
{
    return d->stream.port();
}

QString Simulator::errorString() const
{
    return d->error;
}

QList<RecordedRequest> Simulator::requests() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->log;
}

QList<RecordedRequest> Simulator::requests(const QString &command) const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->filtered(command);
}

void Simulator::clearRequests()
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->log.clear();
    d->logBodyBytes = 0;
}

bool Simulator::waitForRequests(const QString &command, int count, int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(d->mutex);
    return d->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                               [&] { return d->filtered(command).size() >= count; });
}

void Simulator::setFault(const QString &commandOrPath, const Fault &fault)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    for (int i = d->faults.size() - 1; i >= 0; --i) {
        if (d->faults.at(i).first == commandOrPath)
            d->faults.removeAt(i);
    }
    if (fault.remaining != 0)
        d->faults.append({commandOrPath, fault});
}

void Simulator::clearFaults()
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->faults.clear();
    d->chunkFaults.clear();
}

void Simulator::failUploadChunk(int chunkIndex, int httpStatus)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->chunkFaults.insert(chunkIndex, httpStatus);
}

void Simulator::useManualClock()
{
    qint64 expected = -1;
    d->manualNowMs.compare_exchange_strong(expected, d->clock.elapsed());
}

void Simulator::advanceClock(qint64 ms)
{
    useManualClock();
    d->manualNowMs += ms;
    // Delays waiting on the clock look again (under the lock, so none misses the change).
    std::lock_guard<std::mutex> lock(d->mutex);
    d->rotateLocked();
    d->changed.notify_all();
}

void Simulator::setCpuUsage(int percent)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->ctrl.state.cpuUsage = percent;
}

QJsonObject Simulator::windowList(int group) const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->rotateLocked();
    QJsonArray windows;
    if (const Group *g = d->ctrl.state.group(group)) {
        for (const Window &w : g->windows)
            windows.append(ControllerState::windowToWire(w));
    }
    return QJsonObject{
        {"Command", "GetCurWindowList"}, {"Status", "Ok"}, {"ScrIndex", group}, {"Windows", windows}};
}

QJsonObject Simulator::state() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->rotateLocked();
    QJsonObject o = d->ctrl.state.toJson(d->nowMs());
    QJsonArray uploads;
    for (const QString &path : d->ctrl.files.paths())
        uploads.append(QJsonObject{{"Path", path}, {"Size", double(d->ctrl.files.size(path))}});
    o.insert("Uploads", uploads);
    return o;
}

QByteArray Simulator::storedFile(const QString &path) const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->ctrl.files.read(path);
}

void Simulator::setState(const QJsonObject &state)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->ctrl.state.apply(state, d->nowMs());
    d->ctrl.pictures.clear();
    d->changed.notify_all();
}

void Simulator::reset()
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->resetLocked();
}

int Simulator::discoveryAnswers() const
{
    return d->discovery.answers();
}

QString Simulator::banner() const
{
    return d->bannerText();
}

} // namespace sim
