#pragma once

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class LoginSession;
class QAbstractButton;
class QPushButton;
class QWidget;
class Transport;
class UpdateTicker;
struct SessionValues;

// How the console connects: the connect dialog, the host menu and its list file, the
// automatic login after start, login and logout, and the end of a session whose
// controller stopped answering. What a session loads and enables is the caller's
// (afterLogin / enterDisconnectedState).
class ConnectionFlow : public QObject
{
    Q_OBJECT
public:
    ConnectionFlow(QWidget *window, QAbstractButton *connectButton, SessionValues *session,
                   Transport *transport, QObject *parent = nullptr);

    std::function<void()> afterLogin;
    std::function<void()> enterDisconnectedState;

    // Logs in with the session's host, port and family; runs afterLogin on success.
    bool login(const QString &userName, const QString &password);
    // "连接新主机": the connect dialog, then a login (the old host is logged out first).
    void connectNew();
    // "断开连接": "Logout" without waiting, then the disconnected state.
    void disconnect();
    // A host entry of the host menu.
    void hostClicked(QPushButton *hostButton);
    // The delete button of a host entry: removes the entry and the host's group.
    void deleteHost(QPushButton *deleteButton);
    // Runs once, a second after start: logs in with the stored last login if it asks for it.
    void autoLogin();
    // Builds the host menu from the host list file and attaches it to the connect button.
    void buildHostMenu();

    // The ten-missed-polls rule, called by the update timer.
    void connectionLost();

    LoginSession *loginSession() const { return m_login; }
    UpdateTicker *ticker() const { return m_ticker; }
    QMenu *hostMenu() const { return m_hostMenu; }

private:
    QWidget *m_window;
    QAbstractButton *m_connectButton;
    SessionValues *m_session;
    Transport *m_transport;
    LoginSession *m_login;
    UpdateTicker *m_ticker;
    QPointer<QMenu> m_hostMenu;
};
