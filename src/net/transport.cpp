#include "transport.h"

#include "loginreply.h"
#include "sessionvalues.h"
#include "uikit/messagesink.h"
#include "uikit/nestedwait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTextDocument>
#include <QTimer>

namespace {
QString origin(const SessionValues &session)
{
    return QStringLiteral("http://") + session.hostIp + QLatin1Char(':') + QString::number(session.port);
}

const char *const kCancelled = "pelmoraCancelled";
const char *const kTimedOut = "pelmoraTimedOut";

// Nothing refers to a reply once its result is taken: it goes with the next turn of the
// event loop, even inside a nested wait.
void release(QNetworkReply *reply)
{
    reply->disconnect();
    reply->deleteLater();
}
} // namespace

Transport::Transport(QNetworkAccessManager *manager, SessionValues *session, uikit::MessageSink &boxes,
                     QObject *parent)
    : QObject(parent), m_manager(manager), m_session(session), m_boxes(boxes)
{}

QUrl Transport::commandUrl(const QString &commandText) const
{
    // The command text is joined as it is and the whole URL is parsed leniently.
    return QUrl(origin(*m_session) + QStringLiteral("/index2.html?Command=") + commandText,
                QUrl::TolerantMode);
}

QUrl Transport::postUrl() const
{
    return QUrl(origin(*m_session) + QStringLiteral("/index2.html"));
}

QUrl Transport::pathUrl(const QString &path) const
{
    // The path is taken as decoded text: characters that would end the path ("#", "?") or
    // start an escape ("%"), and spaces, are percent-encoded; "/" stays.
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(m_session->hostIp);
    url.setPort(m_session->port);
    url.setPath(path, QUrl::DecodedMode);
    return url;
}

QNetworkRequest Transport::commandRequest(const QUrl &url) const
{
    QNetworkRequest request(url);
    // Before the first login the header goes out with an empty value (a null value would
    // drop it).
    QByteArray id = m_session->sessionId.toLatin1();
    // Nothing but printable text may reach the header: CR or LF would start headers of
    // the controller's choosing.
    if (id.isNull() || !isUsableSessionId(m_session->sessionId))
        id = QByteArray("");
    request.setRawHeader("session_id", id);
    return request;
}

// --- typed calls

Transport::Result Transport::await(QNetworkReply *reply, int limitMs, Ticket ticket)
{
    if (ticket)
        m_waiting.insert(ticket, reply);
    bool timedOut = false;
    if (!reply->isFinished()) {
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        connect(&timer, &QTimer::timeout, &loop, [&] {
            timedOut = true;
            loop.quit();
        });
        if (limitMs > 0)
            timer.start(limitMs);
        uikit::WaitScope wait;
        loop.exec();
    }
    if (ticket)
        m_waiting.remove(ticket);
    // A reply that finished in the same turn as its limit still counts.
    return takeResult(reply, timedOut && !reply->isFinished());
}

Transport::Result Transport::awaitBody(QNetworkReply *reply, qint64 maxBytes)
{
    bool quiet = false;
    bool tooLarge = false;
    if (!reply->isFinished()) {
        QEventLoop loop;
        QTimer idle;
        idle.setSingleShot(true);
        connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        // Every sign of life starts the idle limit anew; there is no limit on the whole.
        connect(reply, &QNetworkReply::metaDataChanged, &loop, [&] { idle.start(m_idleLimitMs); });
        connect(reply, &QNetworkReply::downloadProgress, &loop, [&](qint64 received, qint64 total) {
            idle.start(m_idleLimitMs);
            if (received > maxBytes || total > maxBytes) {
                tooLarge = true;
                loop.quit();
            }
        });
        connect(&idle, &QTimer::timeout, &loop, [&] {
            quiet = true;
            loop.quit();
        });
        idle.start(m_idleLimitMs);
        uikit::WaitScope wait;
        loop.exec();
    }
    if (!reply->isFinished() && !tooLarge)
        return takeResult(reply, quiet);
    // A body that came whole in one turn is measured here.
    if (tooLarge || reply->bytesAvailable() > maxBytes) {
        Result result;
        result.outcome = Outcome::TooLarge;
        result.httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        reply->disconnect();
        if (!reply->isFinished())
            reply->abort();
        release(reply);
        return result;
    }
    return takeResult(reply, false);
}

Transport::Result Transport::takeResult(QNetworkReply *reply, bool timedOut)
{
    Result result;
    if (reply->property(kCancelled).toBool()) {
        result.outcome = Outcome::Cancelled;
    } else if (timedOut) {
        if (!reply->isFinished()) {
            reply->disconnect();
            reply->abort();
        }
        result.outcome = Outcome::TimedOut;
    } else {
        result.httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (reply->error() != QNetworkReply::NoError) {
            result.errorText = reply->errorString();
            result.outcome = result.httpStatus >= 400 ? Outcome::HttpError : Outcome::NetworkError;
        } else {
            result.body = reply->readAll();
            result.reply = parseObject(result.body);
        }
    }
    release(reply);
    return result;
}

void Transport::cancel(Ticket ticket)
{
    const QPointer<QNetworkReply> reply = m_waiting.value(ticket);
    if (!reply || reply->isFinished())
        return;
    reply->setProperty(kCancelled, true);
    // Its finished signal ends the wait.
    reply->abort();
}

QNetworkReply *Transport::sendPost(const QByteArray &body)
{
    QNetworkRequest request = commandRequest(postUrl());
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("text/plain; charset=utf-8;"));
    return m_manager->post(request, body);
}

Transport::Result Transport::get(const QString &commandText, Ticket ticket)
{
    return await(m_manager->get(commandRequest(commandUrl(commandText))), m_timeoutMs, ticket);
}

Transport::Result Transport::post(const QJsonObject &request, Ticket ticket)
{
    return postBody(toBody(request), ticket);
}

Transport::Result Transport::postBody(const QByteArray &body, Ticket ticket)
{
    return await(sendPost(body), m_timeoutMs, ticket);
}

Transport::Result Transport::classify(const QByteArray &body, const QString &command) const
{
    Result result;
    result.body = body;
    result.reply = parseObject(body);
    if (result.command() != command)
        result.outcome = Outcome::WrongCommand;
    else if (!result.statusOk())
        result.outcome = Outcome::Refused;
    return result;
}

Transport::Result Transport::command(const QJsonObject &request)
{
    Result result = post(request);
    if (!result.ok())
        return result;
    return classify(result.body, request.value(QStringLiteral("Command")).toString());
}

Transport::Result Transport::query(const QString &commandText)
{
    Result result = get(commandText);
    if (result.ok() && result.reply.value(QStringLiteral("Status")).toString() != QLatin1String("Ok"))
        result.outcome = Outcome::Refused;
    return result;
}

Transport::Result Transport::fetch(const QString &path, qint64 maxBytes)
{
    return awaitBody(m_manager->get(commandRequest(pathUrl(path))), maxBytes);
}

Transport::Result Transport::download(const QString &path, const QString &localFile)
{
    Result result = fetch(path);
    if (!result.ok())
        return result;
    // Written beside the target and moved into place only when complete.
    QSaveFile file(localFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(result.body) != result.body.size() || !file.commit()) {
        result.outcome = Outcome::WriteFailed;
        result.errorText = file.errorString();
    }
    return result;
}

void Transport::getAsync(const QString &commandText)
{
    QNetworkReply *reply = m_manager->get(commandRequest(commandUrl(commandText)));
    connect(reply, &QNetworkReply::finished, this, [this, reply] { onReplyFinished(reply); });
}

void Transport::postAsync(const QJsonObject &request)
{
    sendPostCommand(toBody(request), false, nullptr);
}

Transport::Ticket Transport::postTracked(const QJsonObject &request)
{
    const Ticket ticket = newTicket();
    QNetworkReply *reply = sendPost(toBody(request));
    m_waiting.insert(ticket, reply);
    auto *limit = new QTimer(reply);
    limit->setSingleShot(true);
    connect(limit, &QTimer::timeout, reply, [reply] {
        if (reply->isFinished())
            return;
        reply->setProperty(kTimedOut, true);
        // Its finished signal ends the request.
        reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply, ticket, limit] {
        limit->stop();
        m_waiting.remove(ticket);
        const Result result = takeResult(reply, reply->property(kTimedOut).toBool());
        emit asyncFinished(ticket, result);
    });
    limit->start(m_timeoutMs);
    return ticket;
}

// --- the classic calls

bool Transport::report(const Result &result)
{
    switch (result.outcome) {
    case Outcome::Ok:
        return true;
    case Outcome::TimedOut:
        m_boxes.showError(QCoreApplication::translate("MainWindow2", "操作失败！错误原因：网络超时。"));
        break;
    case Outcome::NetworkError:
    case Outcome::HttpError:
    case Outcome::WriteFailed:
        m_boxes.showError(result.errorText);
        break;
    case Outcome::Refused:
        m_boxes.showError(
            boxText(QCoreApplication::translate("MainWindow2", "操作失败！错误原因：") + result.message()));
        break;
    case Outcome::BadSession:
        m_boxes.showError(
            QCoreApplication::translate("MainWindow2", "登录失败！错误原因：主机返回的会话标识无效。"));
        break;
    case Outcome::Cancelled:
    case Outcome::WrongCommand:
    case Outcome::TooLarge:
        break;
    }
    return false;
}

bool Transport::reportStatus(const QJsonObject &reply, const QString &successText)
{
    if (reply.value(QStringLiteral("Status")).toString() != QLatin1String("Ok")) {
        m_boxes.showError(boxText(QCoreApplication::translate("MainWindow2", "错误原因: ") +
                                  reply.value(QStringLiteral("Message")).toString()));
        return false;
    }
    if (!successText.isEmpty())
        m_boxes.showInfo(successText);
    return true;
}

bool Transport::sendGetCommand(const QString &commandText, bool sync, QByteArray *reply)
{
    if (!sync) {
        getAsync(commandText);
        return true;
    }
    const Result result = get(commandText);
    if (result.ok() && reply)
        *reply = result.body;
    return result.ok();
}

bool Transport::sendPostCommand(const QByteArray &body, bool sync, QByteArray *reply)
{
    if (!sync) {
        QNetworkReply *networkReply = sendPost(body);
        connect(networkReply, &QNetworkReply::finished, this,
                [this, networkReply] { onReplyFinished(networkReply); });
        return true;
    }
    const Result result = postBody(body);
    if (result.transportFailed()) {
        // The box comes after the reply is released: the caller's buffer stays empty.
        report(result);
        return true;
    }
    if (result.ok() && reply)
        *reply = result.body;
    return result.ok();
}

bool Transport::postCommand(const QJsonObject &request, const QString &command)
{
    Result result = post(request);
    if (result.ok())
        result = classify(result.body, command);
    return report(result);
}

bool Transport::checkReply(const QByteArray &body, const QString &command)
{
    return report(classify(body, command));
}

bool Transport::checkStatus(const QJsonObject &reply, const QString &successText)
{
    return reportStatus(reply, successText);
}

bool Transport::fetchPath(const QString &path, QByteArray *body)
{
    const Result result = fetch(path, kPictureLimitBytes);
    if (result.ok() && body)
        *body = result.body;
    return result.ok();
}

bool Transport::downloadToFile(const QString &path, const QString &localFile)
{
    return download(path, localFile).ok();
}

void Transport::onReplyFinished(QNetworkReply *reply)
{
    if (!reply)
        return;
    const bool ok = reply->error() == QNetworkReply::NoError;
    const QByteArray body = ok ? reply->readAll() : QByteArray();
    release(reply);
    if (ok)
        dispatchReply(body);
}

void Transport::dispatchReply(const QByteArray &body)
{
    const QJsonObject object = parseObject(body);
    const QString command = object.value(QStringLiteral("Command")).toString();
    if (command == QLatin1String("Logout")) {
        checkStatus(object, QString());
    } else if (command == QLatin1String("GetCpuUsage")) {
        // Only a poll the controller accepted proves the session alive: one that refuses
        // it (a controller that restarted, say) counts as unanswered.
        if (object.value(QStringLiteral("Status")).toString() != QLatin1String("Ok"))
            return;
        m_session->missedReplies = 0;
        emit pollAnswered();
    }
}

QString Transport::boxText(const QString &text)
{
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text) : text;
}

QByteArray Transport::toBody(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

QJsonObject Transport::parseObject(const QByteArray &body)
{
    return QJsonDocument::fromJson(body).object();
}
