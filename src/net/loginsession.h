#pragma once

#include "net/transport.h"

#include <QJsonObject>
#include <QObject>
#include <QString>

class QTimer;
struct SessionValues;

// Login and logout of one controller session. One login runs at a time: a new one, or
// cancel(), gives up the one that still waits for its reply.
class LoginSession : public QObject
{
    Q_OBJECT
public:
    LoginSession(Transport *transport, SessionValues *session, QObject *parent = nullptr);

    // {"Command": "Login", "UserName", "Password": MD5 of the Latin-1 password, "Family"}.
    static QJsonObject loginRequest(const QString &userName, const QString &password, int family);

    // Sends "Login" to the session's host and waits for it. Ok when the controller accepted:
    // "SessionId" and "Role" (0 when absent) are then stored in the session values. A
    // refusal shows "错误原因: " + "Message"; a "SessionId" that cannot go into a header
    // (isUsableSessionId) refuses the login with its own box (BadSession) and stores nothing;
    // a timeout, a cancelled login or a reply to another command shows nothing.
    Transport::Result login(const QString &userName, const QString &password);
    // Gives up a login that waits for its reply; it returns Cancelled and stores nothing.
    void cancel();
    bool pending() const { return m_ticket != 0; }

    // Sends "Logout" for the session's user without waiting; the reply is handled by the
    // transport's dispatcher.
    void sendLogout();

private:
    Transport *m_transport;
    SessionValues *m_session;
    Transport::Ticket m_ticket = 0;
};

// The one-second update timer of a session: the connection poll, the position poll of a
// selected video and, every fourth tick, the refresh of the controller's application
// windows. The next tick comes one second after the end of the previous one; a tick that
// finds the session closed stops the timer.
class UpdateTicker : public QObject
{
    Q_OBJECT
public:
    UpdateTicker(Transport *transport, SessionValues *session, QObject *parent = nullptr);

    // (Re)starts the timer after a login.
    void start();
    // Holds the ticks (the operator has the video position in hand) ...
    void stop();
    // ... and lets them run again: the next tick one interval from now.
    void restart() { start(); }
    QTimer *timer() const { return m_timer; }
    void setIntervalMs(int ms) { m_intervalMs = ms; }
    int ticks() const { return m_ticks; }

    // One tick: the slot of the timer, also callable before the first login.
    void tick();

signals:
    // Ten polls in a row went unanswered: the session has to end (no logout, no message).
    void connectionLost();
    // Every tick of an open session, after the connection poll went out: time to refresh the
    // position of a selected video (its receiver may wait for the controller).
    void positionPoll();
    // Every fourth tick: time to refresh the controller's application windows.
    void fourthTick();

private:
    void pollAnswered();

    Transport *m_transport;
    SessionValues *m_session;
    QTimer *m_timer;
    int m_intervalMs = 1000;
    int m_ticks = 0;
};
