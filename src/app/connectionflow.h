#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class HostMenu;
class LoginSession;
class QAbstractButton;
class QMenu;
class QPushButton;
class QWidget;
class Transport;
struct HostEntry;
struct SessionValues;

// How the console connects: the connect dialog, the host menu and its list file, the
// automatic login after start, login and logout. One login runs at a time: the operator's
// next choice (another host, the connect dialog, "断开连接") gives up a login still under
// way. What a session loads and clears is the main window's: it listens to loggedIn() and
// sessionEnded().
class ConnectionFlow : public QObject
{
    Q_OBJECT
public:
    ConnectionFlow(QWidget *window, QAbstractButton *connectButton, SessionValues *session,
                   Transport *transport, QObject *parent = nullptr);

    // Logs in with the session's host, port and family; announces loggedIn() on success.
    bool login(const QString &userName, const QString &password);
    // Takes the entry's host, port, family and user into the session and logs in.
    bool loginTo(const HostEntry &entry, const QString &password);
    // "连接新主机": the connect dialog, then a login (the old host is logged out first).
    void connectNew();
    // "断开连接": gives up a pending login, sends "Logout" without waiting, ends the session.
    void disconnect();
    // A host entry of the host menu.
    void hostClicked(QPushButton *hostButton);
    // The delete button of a host entry: removes the entry and the host's group.
    void deleteHost(QPushButton *deleteButton);
    // Runs once, a second after start: logs in with the stored last login if it asks for it.
    void autoLogin();
    // Builds the host menu from the host list file and attaches it to the connect button.
    void buildHostMenu();

    LoginSession *loginSession() const { return m_login; }
    QMenu *hostMenu() const;

signals:
    // A login succeeded: the session's loading sequence runs.
    void loggedIn();
    // The operator ended the session (also before connecting elsewhere).
    void sessionEnded();

private:
    // Before a new login: the pending one is given up, an open session is closed.
    void leaveCurrentSession();

    QWidget *m_window;
    QAbstractButton *m_connectButton;
    SessionValues *m_session;
    LoginSession *m_login;
    QPointer<HostMenu> m_hostMenu;
};
