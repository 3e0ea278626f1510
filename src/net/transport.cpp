#include "transport.h"

#include "sessionvalues.h"
#include "uikit/nestedwait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>

namespace {
QString mainText(const char *text)
{
    return QCoreApplication::translate("MainWindow2", text);
}

QString origin(const SessionValues &session)
{
    return QStringLiteral("http://") + session.hostIp + QLatin1Char(':') + QString::number(session.port);
}

// Releases a reply once nothing refers to it any more.
void dropReply(QNetworkReply *reply)
{
    reply->disconnect();
    uikit::retire(reply);
}
} // namespace

Transport::Transport(QNetworkAccessManager *manager, SessionValues *session, QObject *parent)
    : QObject(parent), m_manager(manager), m_session(session)
{}

void Transport::setBoxes(BoxFunction error, BoxFunction info)
{
    m_error = std::move(error);
    m_info = std::move(info);
}

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
    if (id.isNull())
        id = QByteArray("");
    request.setRawHeader("session_id", id);
    return request;
}

void Transport::showError(const QString &text) const
{
    if (m_error)
        m_error(text);
}

void Transport::showInfo(const QString &text) const
{
    if (m_info)
        m_info(text);
}

Transport::WaitResult Transport::waitForReply(QNetworkReply *reply, bool limited)
{
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    if (limited)
        timer.start(m_timeoutMs);
    if (!reply->isFinished()) {
        uikit::WaitScope wait;
        loop.exec();
    }
    if (limited && !timer.isActive() && !reply->isFinished())
        return WaitResult::TimedOut;
    return WaitResult::Finished;
}

bool Transport::sendSync(QNetworkReply *reply, QByteArray *out, bool showNetworkError)
{
    if (waitForReply(reply, true) == WaitResult::TimedOut) {
        reply->disconnect();
        reply->abort();
        dropReply(reply);
        return false;
    }
    if (reply->error() != QNetworkReply::NoError) {
        const QString text = reply->errorString();
        dropReply(reply);
        if (!showNetworkError)
            return false;
        // The box comes after the reply is released: the caller's buffer stays empty.
        showError(text);
        return true;
    }
    if (out)
        *out = reply->readAll();
    dropReply(reply);
    return true;
}

bool Transport::sendGetCommand(const QString &commandText, bool sync, QByteArray *reply)
{
    QNetworkReply *networkReply = m_manager->get(commandRequest(commandUrl(commandText)));
    if (!sync) {
        connect(networkReply, &QNetworkReply::finished, this,
                [this, networkReply] { onReplyFinished(networkReply); });
        return true;
    }
    return sendSync(networkReply, reply, false);
}

bool Transport::sendPostCommand(const QByteArray &body, bool sync, QByteArray *reply)
{
    QNetworkRequest request = commandRequest(postUrl());
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("text/plain; charset=utf-8;"));
    QNetworkReply *networkReply = m_manager->post(request, body);
    if (!sync) {
        connect(networkReply, &QNetworkReply::finished, this,
                [this, networkReply] { onReplyFinished(networkReply); });
        return true;
    }
    return sendSync(networkReply, reply, true);
}

bool Transport::postCommand(const QJsonObject &request, const QString &command)
{
    QByteArray reply;
    if (!sendPostCommand(toBody(request), true, &reply)) {
        showError(mainText("操作失败！错误原因：网络超时。"));
        return false;
    }
    return checkReply(reply, command);
}

bool Transport::checkReply(const QByteArray &body, const QString &command)
{
    const QJsonObject object = parseObject(body);
    if (object.value(QStringLiteral("Command")).toString() != command)
        return false;
    if (object.value(QStringLiteral("Status")) == QJsonValue(QStringLiteral("Ok")))
        return true;
    showError(mainText("操作失败！错误原因：") + object.value(QStringLiteral("Message")).toString());
    return false;
}

bool Transport::checkStatus(const QJsonObject &reply, const QString &successText)
{
    if (reply.value(QStringLiteral("Status")).toString() != QLatin1String("Ok")) {
        showError(mainText("错误原因: ") + reply.value(QStringLiteral("Message")).toString());
        return false;
    }
    if (!successText.isEmpty())
        showInfo(successText);
    return true;
}

bool Transport::fetchPath(const QString &path, QByteArray *body)
{
    QNetworkReply *reply = m_manager->get(commandRequest(pathUrl(path)));
    waitForReply(reply, false);
    if (reply->error() != QNetworkReply::NoError) {
        dropReply(reply);
        return false;
    }
    if (body)
        *body = reply->readAll();
    dropReply(reply);
    return true;
}

bool Transport::downloadToFile(const QString &path, const QString &localFile)
{
    QByteArray body;
    if (!fetchPath(path, &body))
        return false;
    QFile file(localFile);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(body);
    return true;
}

void Transport::onReplyFinished(QNetworkReply *reply)
{
    if (!reply)
        return;
    const bool ok = reply->error() == QNetworkReply::NoError;
    const QByteArray body = ok ? reply->readAll() : QByteArray();
    dropReply(reply);
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
        m_session->missedReplies = 0;
        emit pollAnswered();
    }
}

QByteArray Transport::toBody(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

QJsonObject Transport::parseObject(const QByteArray &body)
{
    return QJsonDocument::fromJson(body).object();
}
