#pragma once

#include <QJsonObject>
#include <QObject>
#include <QString>
#include <functional>

class QTimer;
class Transport;
struct SessionValues;

// Login and logout of one controller session.
class LoginSession : public QObject
{
    Q_OBJECT
public:
    LoginSession(Transport *transport, SessionValues *session, QObject *parent = nullptr);

    // {"Command": "Login", "UserName", "Password": MD5 of the Latin-1 password, "Family"}.
    static QJsonObject loginRequest(const QString &userName, const QString &password, int family);

    // Sends "Login" and waits for it. True when the controller accepted: "SessionId" and
    // "Role" (0 when absent) are then stored in the session values. A refusal shows
    // "错误原因: " + "Message"; a timeout or a reply to another command shows nothing.
    bool login(const QString &userName, const QString &password);

    // Sends "Logout" for the session's user without waiting; the reply is handled by the
    // transport's dispatcher.
    void sendLogout();

private:
    Transport *m_transport;
    SessionValues *m_session;
};

// The one-second update timer of a session: the connection poll, the refresh of the
// selected video's position and, every fourth tick, the application-window list. The next
// tick comes one second after the end of the previous one.
class UpdateTicker : public QObject
{
    Q_OBJECT
public:
    UpdateTicker(Transport *transport, SessionValues *session, QObject *parent = nullptr);

    // (Re)starts the timer after a login.
    void start();
    QTimer *timer() const { return m_timer; }
    void setIntervalMs(int ms) { m_intervalMs = ms; }
    int ticks() const { return m_ticks; }

    // Ten unanswered polls in a row: the session has to end (no logout, no message).
    std::function<void()> onConnectionLost;
    // Refresh of the selected window's position (runs on every polling tick).
    std::function<void()> onPositionPoll;
    // Every fourth tick: refresh the controller's application windows.
    std::function<void()> onFourthTick;

    void tick();

private:
    Transport *m_transport;
    SessionValues *m_session;
    QTimer *m_timer = nullptr;
    int m_intervalMs = 1000;
    int m_ticks = 0;
};
