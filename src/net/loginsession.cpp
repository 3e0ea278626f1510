#include "loginsession.h"

#include "loginreply.h"
#include "sessionvalues.h"
#include "transport.h"
#include "uikit/helpers.h"

#include <QJsonObject>
#include <QPointer>
#include <QTimer>

LoginSession::LoginSession(Transport *transport, SessionValues *session, QObject *parent)
    : QObject(parent), m_transport(transport), m_session(session)
{}

QJsonObject LoginSession::loginRequest(const QString &userName, const QString &password, int family)
{
    QJsonObject request;
    request.insert(QStringLiteral("Command"), QStringLiteral("Login"));
    request.insert(QStringLiteral("UserName"), userName);
    request.insert(QStringLiteral("Password"), uikit::md5Hex(password));
    request.insert(QStringLiteral("Family"), family);
    return request;
}

bool LoginSession::login(const QString &userName, const QString &password)
{
    QByteArray body;
    if (!m_transport->sendPostCommand(Transport::toBody(loginRequest(userName, password, m_session->family)),
                                      true, &body))
        return false;
    const QJsonObject reply = Transport::parseObject(body);
    if (reply.value(QStringLiteral("Command")).toString() != QLatin1String("Login"))
        return false;
    if (!m_transport->checkStatus(reply, QString()))
        return false;
    m_session->sessionId = reply.value(QStringLiteral("SessionId")).toString();
    m_session->role = roleFromReply(reply);
    return true;
}

void LoginSession::sendLogout()
{
    QJsonObject request;
    request.insert(QStringLiteral("Command"), QStringLiteral("Logout"));
    request.insert(QStringLiteral("UserName"), m_session->userName);
    m_transport->sendPostCommand(Transport::toBody(request), false, nullptr);
}

UpdateTicker::UpdateTicker(Transport *transport, SessionValues *session, QObject *parent)
    : QObject(parent), m_transport(transport), m_session(session)
{}

void UpdateTicker::start()
{
    // One timer serves every session: a new login restarts it instead of adding another.
    if (!m_timer) {
        m_timer = new QTimer(this);
        m_timer->setSingleShot(false);
        connect(m_timer, &QTimer::timeout, this, &UpdateTicker::tick);
    }
    m_timer->start(m_intervalMs);
}

void UpdateTicker::tick()
{
    if (m_session->uploading)
        return;
    m_timer->stop();
    if (m_session->missedReplies > 9) {
        m_session->missedReplies = 0;
        if (onConnectionLost)
            onConnectionLost();
        return;
    }
    if (!m_session->loggedIn)
        return;
    m_transport->sendGetCommand(QStringLiteral("GetCpuUsage"), false, nullptr);
    ++m_session->missedReplies;

    QPointer<UpdateTicker> self(this);
    if (onPositionPoll)
        onPositionPoll();
    if (!self)
        return;
    if (++m_ticks % 4 == 0 && onFourthTick)
        onFourthTick();
    if (!self)
        return;
    m_timer->start(m_intervalMs);
}
