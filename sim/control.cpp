// Control endpoints for clients outside the process, under "/sim/" (no controller path
// starts with it): the request log, reset, faults, state and stored files.
#include "sim/simulator_p.h"

#include <httplib.h>

#include <QJsonArray>
#include <QJsonDocument>

namespace sim {

namespace {

void answerJson(httplib::Response &res, const QJsonObject &o, int status = 200)
{
    const QByteArray body = QJsonDocument(o).toJson(QJsonDocument::Indented);
    res.status = status;
    res.set_content(body.constData(), size_t(body.size()), "application/json");
}

QJsonObject ok(const QJsonObject &extra = {})
{
    QJsonObject o = extra;
    o.insert("Status", "Ok");
    return o;
}

QJsonObject failure(const QString &message)
{
    return QJsonObject{{"Status", "Error"}, {"Message", message}};
}

} // namespace

void Simulator::Impl::control(const httplib::Request &req, httplib::Response &res, const RecordedRequest &rec)
{
    const QString &path = rec.path;
    const QString &method = rec.method;
    const bool get = method == QLatin1String("GET");
    const bool post = method == QLatin1String("POST");
    const bool del = method == QLatin1String("DELETE");
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(req.body), &parseError);
    const QJsonObject body = doc.object();

    if (path == QLatin1String("/sim/requests") && get) {
        std::lock_guard<std::mutex> lock(mutex);
        const QString only = rec.query.value("command");
        QJsonArray list;
        for (const RecordedRequest &r : only.isEmpty() ? log : filtered(only))
            list.append(requestToJson(r));
        answerJson(res, ok({{"Requests", list}}));
    } else if ((path == QLatin1String("/sim/requests") && del) ||
               (path == QLatin1String("/sim/requests/clear") && post)) {
        std::lock_guard<std::mutex> lock(mutex);
        log.clear();
        logBodyBytes = 0;
        answerJson(res, ok());
    } else if (path == QLatin1String("/sim/reset") && post) {
        std::lock_guard<std::mutex> lock(mutex);
        resetLocked();
        answerJson(res, ok());
    } else if (path == QLatin1String("/sim/faults") && get) {
        std::lock_guard<std::mutex> lock(mutex);
        QJsonArray list, chunks;
        for (const auto &f : faults)
            list.append(faultToJson(f.first, f.second));
        for (auto it = chunkFaults.constBegin(); it != chunkFaults.constEnd(); ++it)
            chunks.append(QJsonObject{{"UploadChunk", it.key()}, {"HttpStatus", it.value()}});
        answerJson(res, ok({{"Faults", list}, {"UploadChunkFaults", chunks}}));
    } else if (path == QLatin1String("/sim/faults") && post) {
        if (!doc.isObject()) {
            answerJson(res, failure("The body must be a JSON object describing one fault"), 400);
            return;
        }
        if (body.contains("UploadChunk")) {
            std::lock_guard<std::mutex> lock(mutex);
            chunkFaults.insert(body.value("UploadChunk").toInt(), body.value("HttpStatus").toInt(500));
            answerJson(res, ok());
            return;
        }
        QString target, problem;
        Fault fault;
        if (!faultFromJson(body, &target, &fault, &problem)) {
            answerJson(res, failure(problem), 400);
            return;
        }
        std::lock_guard<std::mutex> lock(mutex);
        for (int i = faults.size() - 1; i >= 0; --i) {
            if (faults.at(i).first == target)
                faults.removeAt(i);
        }
        if (fault.remaining != 0)
            faults.append({target, fault});
        answerJson(res, ok());
    } else if ((path == QLatin1String("/sim/faults") && del) ||
               (path == QLatin1String("/sim/faults/clear") && post)) {
        std::lock_guard<std::mutex> lock(mutex);
        faults.clear();
        chunkFaults.clear();
        answerJson(res, ok());
    } else if (path == QLatin1String("/sim/state") && get) {
        std::lock_guard<std::mutex> lock(mutex);
        rotateLocked();
        QJsonObject state = ctrl.state.toJson(nowMs());
        QJsonArray uploads;
        for (const QString &p : ctrl.files.paths())
            uploads.append(QJsonObject{{"Path", p}, {"Size", double(ctrl.files.size(p))}});
        state.insert("Uploads", uploads);
        answerJson(res, state);
    } else if (path == QLatin1String("/sim/state") && post) {
        if (!doc.isObject()) {
            answerJson(res, failure("The body must be a JSON object in the shape of GET /sim/state"), 400);
            return;
        }
        std::lock_guard<std::mutex> lock(mutex);
        ctrl.state.apply(body, nowMs());
        ctrl.pictures.clear();
        changed.notify_all(); // a rotation may have started
        answerJson(res, ok());
    } else if (path == QLatin1String("/sim/file") && get) {
        std::lock_guard<std::mutex> lock(mutex);
        const QString file = rec.query.value("path");
        if (!ctrl.files.contains(file)) {
            answerJson(res, failure(QString("Nothing stored at %1").arg(file)), 404);
            return;
        }
        const QByteArray bytes = ctrl.files.read(file);
        res.set_content(bytes.constData(), size_t(bytes.size()), "application/octet-stream");
    } else {
        answerJson(
            res,
            failure(QString("Unknown control request %1 %2 (see sim/README.md: /sim/requests, /sim/reset, "
                            "/sim/faults, /sim/state, /sim/file)")
                        .arg(method, path)),
            404);
    }
}

} // namespace sim
