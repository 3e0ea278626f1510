#include "connectionflow.h"

#include "app/titlebarmenu.h"
#include "net/dialogconnect.h"
#include "net/hostmenu.h"
#include "net/hoststore.h"
#include "net/loginsession.h"
#include "net/sessionvalues.h"
#include "net/transport.h"
#include "uikit/dialogs.h"
#include "uikit/nestedwait.h"

#include <QAbstractButton>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>

ConnectionFlow::ConnectionFlow(QWidget *window, QAbstractButton *connectButton, SessionValues *session,
                               Transport *transport, QObject *parent)
    : QObject(parent),
      m_window(window),
      m_connectButton(connectButton),
      m_session(session),
      m_transport(transport),
      m_login(new LoginSession(transport, session, this)),
      m_ticker(new UpdateTicker(transport, session, this))
{
    m_ticker->onConnectionLost = [this] { connectionLost(); };
}

bool ConnectionFlow::login(const QString &userName, const QString &password)
{
    if (!m_login->login(userName, password))
        return false;
    if (afterLogin)
        afterLogin();
    return true;
}

namespace {
// Runs the connect dialog and returns its results as a host entry; the dialog (and its
// search socket) is gone before the caller logs in.
bool askForHost(QWidget *window, HostEntry &entry)
{
    DialogConnect dialog(entry.hostIp, entry.userName, entry.hostName, true, entry.family, entry.port,
                         window);
    if (uikit::Dialogs::exec(&dialog) != QDialog::Accepted)
        return false;
    entry.hostIp = dialog.hostIp();
    entry.userName = dialog.userName();
    entry.hostName = dialog.hostName();
    entry.family = dialog.family();
    entry.port = dialog.port();
    entry.autoLogin = dialog.autoLogin();
    entry.password = dialog.password();
    return true;
}
} // namespace

void ConnectionFlow::connectNew()
{
    HostEntry entry;
    entry.family = 2;
    entry.port = 80;
    if (!askForHost(m_window, entry))
        return;
    if (m_session->loggedIn)
        disconnect();
    m_session->hostIp = entry.hostIp;
    m_session->userName = entry.userName;
    m_session->family = entry.family;
    m_session->port = entry.port;
    hoststore::saveLastLogin(entry.hostIp, entry.port, entry.userName, entry.password, entry.family,
                             entry.autoLogin);
    hoststore::saveHost(entry);

    QPointer<QWidget> window(m_window);
    m_window->setCursor(Qt::WaitCursor);
    login(entry.userName, entry.password);
    if (window)
        window->setCursor(Qt::ArrowCursor);
}

void ConnectionFlow::disconnect()
{
    m_login->sendLogout();
    if (enterDisconnectedState)
        enterDisconnectedState();
}

void ConnectionFlow::hostClicked(QPushButton *hostButton)
{
    QPointer<QPushButton> button(hostButton);
    if (m_session->loggedIn)
        disconnect();
    if (!button)
        return;
    HostEntry entry = hostmenu::entryOf(button);
    if (!entry.autoLogin) {
        entry.password.clear();
        if (!askForHost(m_window, entry))
            return;
    }
    const QString password = entry.password;
    m_session->hostIp = entry.hostIp;
    m_session->userName = entry.userName;
    m_session->family = entry.family;
    m_session->port = entry.port;
    hoststore::saveLastLogin(entry.hostIp, entry.port, entry.userName, password, entry.family,
                             entry.autoLogin);
    if (button)
        hostmenu::updateEntry(button, entry);
    hoststore::saveHost(entry);
    login(m_session->userName, password);
}

void ConnectionFlow::deleteHost(QPushButton *deleteButton)
{
    const QString hostIp = deleteButton->property("HostIp").toString();
    if (m_hostMenu)
        hostmenu::removeEntry(m_hostMenu, deleteButton);
    hoststore::removeHost(hostIp);
}

void ConnectionFlow::autoLogin()
{
    const LastLogin last = hoststore::lastLogin();
    if (!last.autoLogin)
        return;
    m_session->hostIp = last.hostIp;
    m_session->userName = last.userName;
    m_session->family = last.family;
    m_session->port = last.port;
    login(last.userName, last.password);
}

void ConnectionFlow::buildHostMenu()
{
    hostmenu::Handlers handlers;
    handlers.connectNew = [this] { connectNew(); };
    handlers.disconnect = [this] { disconnect(); };
    handlers.hostClicked = [this](QPushButton *button) { hostClicked(button); };
    handlers.deleteClicked = [this](QPushButton *button) { deleteHost(button); };
    QMenu *menu = hostmenu::build(m_window, hoststore::hosts(), handlers);
    menu->setObjectName(QStringLiteral("hostMenu"));
    app::applyTitleBarMenuStyle(menu);
    if (auto *toolButton = qobject_cast<QToolButton *>(m_connectButton))
        toolButton->setPopupMode(QToolButton::InstantPopup);
    // The old menu may still be on its way out of a handler; retire() frees it safely.
    uikit::retire(m_hostMenu);
    m_hostMenu = menu;
    if (auto *pushButton = qobject_cast<QPushButton *>(m_connectButton))
        pushButton->setMenu(menu);
    else if (auto *toolButton = qobject_cast<QToolButton *>(m_connectButton))
        toolButton->setMenu(menu);
}

void ConnectionFlow::connectionLost()
{
    if (enterDisconnectedState)
        enterDisconnectedState();
}
