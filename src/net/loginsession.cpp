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

Transport::Result LoginSession::login(const QString &userName, const QString &password)
{
    cancel();
    const Transport::Ticket ticket = m_transport->newTicket();
    m_ticket = ticket;
    Transport::Result result = m_transport->post(loginRequest(userName, password, m_session->family), ticket);
    // A newer login took over while this one waited: it owns the session values now.
    if (m_ticket != ticket) {
        result.outcome = Transport::Outcome::Cancelled;
        return result;
    }
    m_ticket = 0;
    if (result.transportFailed()) {
        m_transport->report(result);
        return result;
    }
    if (!result.ok())
        return result;
    if (result.command() != QLatin1String("Login")) {
        result.outcome = Transport::Outcome::WrongCommand;
        return result;
    }
    if (!m_transport->reportStatus(result.reply, QString())) {
        result.outcome = Transport::Outcome::Refused;
        return result;
    }
    const QString sessionId = result.reply.value(QStringLiteral("SessionId")).toString();
    if (!isUsableSessionId(sessionId)) {
        result.outcome = Transport::Outcome::BadSession;
        m_transport->report(result);
        return result;
    }
    m_session->sessionId = sessionId;
    m_session->role = roleFromReply(result.reply);
    return result;
}

void LoginSession::cancel()
{
    const Transport::Ticket ticket = std::exchange(m_ticket, 0);
    if (ticket)
        m_transport->cancel(ticket);
}

void LoginSession::sendLogout()
{
    QJsonObject request;
    request.insert(QStringLiteral("Command"), QStringLiteral("Logout"));
    request.insert(QStringLiteral("UserName"), m_session->userName);
    m_transport->postAsync(request);
}

UpdateTicker::UpdateTicker(Transport *transport, SessionValues *session, QObject *parent)
    : QObject(parent), m_transport(transport), m_session(session), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(false);
    connect(m_timer, &QTimer::timeout, this, &UpdateTicker::tick);
    connect(m_transport, &Transport::pollAnswered, this, &UpdateTicker::pollAnswered);
}

void UpdateTicker::start()
{
    // One timer serves every session: a new login restarts it instead of adding another.
    m_timer->start(m_intervalMs);
}

void UpdateTicker::stop()
{
    m_timer->stop();
}

void UpdateTicker::pollAnswered()
{
    m_session->missedReplies = 0;
}

void UpdateTicker::tick()
{
    if (m_session->uploading)
        return;
    m_timer->stop();
    if (m_session->missedReplies > 9) {
        m_session->missedReplies = 0;
        emit connectionLost();
        return;
    }
    if (!m_session->loggedIn)
        return;
    m_transport->getAsync(QStringLiteral("GetCpuUsage"));
    ++m_session->missedReplies;

    QPointer<UpdateTicker> self(this);
    emit positionPoll();
    if (!self || !m_session->loggedIn)
        return;
    if (++m_ticks % 4 == 0)
        emit fourthTick();
    if (!self)
        return;
    m_timer->start(m_intervalMs);
}
