#include "connectionflow.h"

#include "app/titlebarmenu.h"
#include "net/dialogconnect.h"
#include "net/hostmenu.h"
#include "net/hoststore.h"
#include "net/loginsession.h"
#include "net/operation.h"
#include "net/sessionvalues.h"
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
      m_login(new LoginSession(transport, session, this))
{}

QMenu *ConnectionFlow::hostMenu() const
{
    return m_hostMenu;
}

bool ConnectionFlow::login(const QString &userName, const QString &password)
{
    // A new attempt: whatever still waits for an older attempt or session is outdated.
    m_session->beginEpoch();
    if (!m_login->login(userName, password).ok())
        return false;
    emit loggedIn();
    return true;
}

bool ConnectionFlow::loginTo(const HostEntry &entry, const QString &password)
{
    m_session->hostIp = entry.hostIp;
    m_session->userName = entry.userName;
    m_session->family = entry.family;
    m_session->port = entry.port;
    return login(entry.userName, password);
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

void ConnectionFlow::leaveCurrentSession()
{
    m_login->cancel();
    if (m_session->loggedIn)
        disconnect();
}

void ConnectionFlow::connectNew()
{
    HostEntry entry;
    entry.family = 2;
    entry.port = 80;
    if (!askForHost(m_window, entry))
        return;
    leaveCurrentSession();
    hoststore::saveLastLogin(entry.hostIp, entry.port, entry.userName, entry.password, entry.family,
                             entry.autoLogin);
    hoststore::saveHost(entry);

    net::Operation operation(m_window, *m_session);
    loginTo(entry, entry.password);
}

void ConnectionFlow::disconnect()
{
    m_login->cancel();
    m_login->sendLogout();
    emit sessionEnded();
}

void ConnectionFlow::hostClicked(QPushButton *hostButton)
{
    QPointer<QPushButton> button(hostButton);
    leaveCurrentSession();
    if (!button)
        return;
    HostEntry entry = hostmenu::entryOf(button);
    if (!entry.autoLogin) {
        entry.password.clear();
        if (!askForHost(m_window, entry))
            return;
        // Something may have connected while the dialog was open.
        leaveCurrentSession();
    }
    hoststore::saveLastLogin(entry.hostIp, entry.port, entry.userName, entry.password, entry.family,
                             entry.autoLogin);
    if (button)
        hostmenu::updateEntry(button, entry);
    hoststore::saveHost(entry);
    loginTo(entry, entry.password);
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
    HostEntry entry;
    entry.hostIp = last.hostIp;
    entry.userName = last.userName;
    entry.family = last.family;
    entry.port = last.port;
    loginTo(entry, last.password);
}

void ConnectionFlow::buildHostMenu()
{
    auto *menu = new HostMenu(hoststore::hosts(), m_window);
    menu->setObjectName(QStringLiteral("hostMenu"));
    app::applyTitleBarMenuStyle(menu);
    connect(menu, &HostMenu::connectNewRequested, this, &ConnectionFlow::connectNew);
    connect(menu, &HostMenu::disconnectRequested, this, &ConnectionFlow::disconnect);
    connect(menu, &HostMenu::hostClicked, this, &ConnectionFlow::hostClicked);
    connect(menu, &HostMenu::deleteClicked, this, &ConnectionFlow::deleteHost);
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
