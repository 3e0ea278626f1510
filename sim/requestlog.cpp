// Recorded requests, fault descriptions and the socket helpers of the server.
#include "sim/simulator_p.h"

#include <httplib.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <sys/socket.h>

namespace sim {

namespace {

const char *const kFaultNames[] = {"Delay",     "NoReply",   "HttpError",       "Refuse",    "WrongCommand",
                                   "Malformed", "EmptyBody", "CloseConnection", "Oversized", "Drip"};
constexpr int kFaultKinds = int(sizeof kFaultNames / sizeof kFaultNames[0]);

} // namespace

QJsonObject RecordedRequest::json() const
{
    if (method == QLatin1String("GET") || body.isEmpty()) {
        QJsonObject o;
        static const QRegularExpression integer("^-?\\d{1,9}$");
        for (auto it = query.constBegin(); it != query.constEnd(); ++it) {
            if (integer.match(it.value()).hasMatch())
                o.insert(it.key(), it.value().toInt());
            else
                o.insert(it.key(), it.value());
        }
        return o;
    }
    return QJsonDocument::fromJson(body).object();
}

QByteArray RecordedRequest::header(const QByteArray &name) const
{
    for (auto it = headers.constBegin(); it != headers.constEnd(); ++it) {
        if (it.key().compare(name, Qt::CaseInsensitive) == 0)
            return it.value();
    }
    return QByteArray();
}

RecordedRequest recordRequest(const httplib::Request &req)
{
    RecordedRequest rec;
    rec.receivedNs = std::chrono::duration_cast<std::chrono::nanoseconds>(
                         std::chrono::steady_clock::now().time_since_epoch())
                         .count();
    rec.method = QString::fromStdString(req.method);
    rec.path = QString::fromStdString(req.path);
    // The query of the URL only (httplib also mixes in form fields of a body). Values are
    // percent-decoded; "+" stays "+", as the console never encodes it.
    const QByteArray target = QByteArray::fromStdString(req.target);
    const int question = target.indexOf('?');
    if (question >= 0) {
        const QList<QByteArray> pairs = target.mid(question + 1).split('&');
        for (const QByteArray &pair : pairs) {
            if (pair.isEmpty())
                continue;
            const int equals = pair.indexOf('=');
            const QString key = QString::fromUtf8(
                QByteArray::fromPercentEncoding(pair.left(equals < 0 ? pair.size() : equals)));
            const QString value =
                equals < 0 ? QString()
                           : QString::fromUtf8(QByteArray::fromPercentEncoding(pair.mid(equals + 1)));
            if (!rec.query.contains(key))
                rec.query.insert(key, value);
        }
    }
    for (const auto &h : req.headers) {
        // httplib adds the connection's addresses as headers of its own.
        if (h.first == "REMOTE_ADDR" || h.first == "REMOTE_PORT" || h.first == "LOCAL_ADDR" ||
            h.first == "LOCAL_PORT")
            continue;
        rec.headers.insert(QByteArray::fromStdString(h.first), QByteArray::fromStdString(h.second));
    }
    rec.bodySize = qint64(req.body.size());
    rec.body = QByteArray(req.body.data(), int(qMin<size_t>(req.body.size(), size_t(kLogMaxBodyPerRequest))));
    if (rec.path == QLatin1String("/index2.html")) {
        if (rec.method == QLatin1String("GET"))
            rec.command = rec.query.value("Command");
        else
            rec.command = QJsonDocument::fromJson(rec.body).object().value("Command").toString();
    }
    return rec;
}

QJsonObject requestToJson(const RecordedRequest &rec)
{
    QJsonObject query, headers;
    for (auto it = rec.query.constBegin(); it != rec.query.constEnd(); ++it)
        query.insert(it.key(), it.value());
    for (auto it = rec.headers.constBegin(); it != rec.headers.constEnd(); ++it)
        headers.insert(QString::fromLatin1(it.key()), QString::fromLatin1(it.value()));
    QJsonObject o{{"Method", rec.method}, {"Path", rec.path},   {"Command", rec.command},
                  {"Query", query},       {"Headers", headers}, {"BodySize", double(rec.bodySize)}};
    const QString text = QString::fromUtf8(rec.body);
    if (text.toUtf8() == rec.body)
        o.insert("Body", text);
    else
        o.insert("BodyBase64", QString::fromLatin1(rec.body.toBase64()));
    return o;
}

bool faultFromJson(const QJsonObject &o, QString *target, Fault *fault, QString *error)
{
    *target = o.value("Target").toString();
    if (target->isEmpty()) {
        *error =
            "A fault needs a \"Target\": a command name, a path, a path prefix ending in \"/\", or \"*\"";
        return false;
    }
    const QString kind = o.value("Kind").toString();
    int index = -1;
    for (int i = 0; i < kFaultKinds; ++i) {
        if (kind == QLatin1String(kFaultNames[i]))
            index = i;
    }
    if (index < 0) {
        *error =
            QString("Unknown fault Kind \"%1\" (Delay, NoReply, HttpError, Refuse, WrongCommand, Malformed, "
                    "EmptyBody, CloseConnection, Oversized, Drip)")
                .arg(kind);
        return false;
    }
    fault->kind = Fault::Kind(index);
    fault->delayMs = o.value("DelayMs").toInt(0);
    fault->httpStatus = o.value("HttpStatus").toInt(500);
    fault->message = o.value("Message").toString();
    fault->remaining = o.value("Remaining").toInt(-1);
    fault->bodyBytes = qint64(o.value("BodyBytes").toDouble(double(fault->bodyBytes)));
    fault->dripIntervalMs = o.value("DripIntervalMs").toInt(fault->dripIntervalMs);
    fault->dripBytes = qMax(1, o.value("DripBytes").toInt(fault->dripBytes));
    return true;
}

QJsonObject faultToJson(const QString &target, const Fault &fault)
{
    return QJsonObject{{"Target", target},
                       {"Kind", QLatin1String(kFaultNames[qBound(0, int(fault.kind), kFaultKinds - 1)])},
                       {"DelayMs", fault.delayMs},
                       {"HttpStatus", fault.httpStatus},
                       {"Message", fault.message},
                       {"Remaining", fault.remaining},
                       {"BodyBytes", double(fault.bodyBytes)},
                       {"DripIntervalMs", fault.dripIntervalMs},
                       {"DripBytes", fault.dripBytes}};
}

namespace {

int portOf(const sockaddr_storage &a)
{
    if (a.ss_family == AF_INET)
        return ntohs(reinterpret_cast<const sockaddr_in &>(a).sin_port);
    if (a.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6 &>(a).sin6_port);
    return -1;
}

QString addressOf(const sockaddr_storage &a)
{
    char text[INET6_ADDRSTRLEN] = {};
    if (a.ss_family == AF_INET)
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in &>(a).sin_addr, text, sizeof text);
    else if (a.ss_family == AF_INET6)
        inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6 &>(a).sin6_addr, text, sizeof text);
    return QString::fromLatin1(text);
}

} // namespace

// httplib gives handlers no access to their socket, so a connection is found among the
// process's open descriptors by its local and remote ports.
void shutdownConnections(int serverPort, const QString &peerAddress, int peerPort)
{
    const QStringList fds =
        QDir("/proc/self/fd").entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : fds) {
        bool ok = false;
        const int fd = name.toInt(&ok);
        if (!ok)
            continue;
        sockaddr_storage local{}, peer{};
        socklen_t localLength = sizeof local, peerLength = sizeof peer;
        if (getsockname(fd, reinterpret_cast<sockaddr *>(&local), &localLength) != 0 ||
            portOf(local) != serverPort)
            continue;
        if (getpeername(fd, reinterpret_cast<sockaddr *>(&peer), &peerLength) != 0)
            continue; // the listening socket
        if (peerPort >= 0 && (portOf(peer) != peerPort || addressOf(peer) != peerAddress))
            continue;
        shutdown(fd, SHUT_RDWR);
    }
}

} // namespace sim
