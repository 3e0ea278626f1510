#include "admin/useradmin.h"

#include "admin/dialogmodify.h"
#include "admin/dialogusermanager.h"
#include "net/operation.h"
#include "net/transport.h"
#include "uikit/dialogs.h"
#include "uikit/nestedwait.h"

#include <QCoreApplication>
#include <QPointer>

namespace admin {

namespace {} // namespace

UserAdmin::UserAdmin(QWidget *window, Transport *transport, const SessionValues *session, QObject *parent)
    : QObject(parent), m_window(window), m_transport(transport), m_session(session)
{}

void UserAdmin::on_userManager()
{
    // Only an administrator (role 0); no role yet counts as none.
    if (m_session->role != 0) {
        uikit::Dialogs::showInfo(
            QCoreApplication::translate("MainWindow2", "您不是管理员，不能使用该功能！"));
        return;
    }
    QJsonObject reply;
    {
        net::Operation operation(m_window, *m_session);
        reply = m_transport->get(QStringLiteral("GetAllUsers")).reply;
        if (!operation.sessionCurrent())
            return;
    }
    // No reply leaves an empty object, which fails the status check like a refusal.
    if (!m_transport->checkStatus(reply, QString()))
        return;
    m_users = usersOfReply(reply);

    QPointer<DialogUserManager> dialog = new DialogUserManager(m_users, m_window);
    const QMetaObject::Connection connections[] = {
        connect(dialog, &DialogUserManager::onAddUser, this, &UserAdmin::on_addUser),
        connect(dialog, &DialogUserManager::onDelUser, this, &UserAdmin::on_delUser),
        connect(this, &UserAdmin::retUserManage, dialog, &DialogUserManager::on_retUserManage),
    };
    uikit::Dialogs::exec(dialog);
    for (const QMetaObject::Connection &connection : connections)
        disconnect(connection);
    if (dialog)
        uikit::retire(dialog);
}

void UserAdmin::on_modifyPwd()
{
    QPointer<DialogModify> dialog = new DialogModify(m_window);
    const int answer = uikit::Dialogs::exec(dialog);
    if (!dialog)
        return;
    const QString oldPassword = dialog->oldPassword();
    const QString newPassword = dialog->newPassword();
    const QString confirmation = dialog->confirmation();
    uikit::retire(dialog);
    if (answer != QDialog::Accepted)
        return;
    if (newPassword != confirmation) {
        uikit::Dialogs::showInfo(
            QCoreApplication::translate("MainWindow2", "错误原因: <b>两次输入的新密码不一致</b>"));
        return;
    }
    net::CommandResult result;
    {
        net::Operation operation(m_window, *m_session);
        result = m_transport->command(modifyPwdRequest(m_session->userName, oldPassword, newPassword));
    }
    if (result.ok())
        uikit::Dialogs::showInfo(QCoreApplication::translate("MainWindow2", "修改密码成功！"));
    else if (result.outcome == net::CommandResult::Outcome::WrongCommand)
        // An answer to something else says nothing about the password: as if none came.
        uikit::Dialogs::showError(
            QCoreApplication::translate("MainWindow2", "操作失败！错误原因：网络超时。"));
    else
        m_transport->report(result);
}

void UserAdmin::on_addUser(S_USER_LIST newUser)
{
    addUser(newUser);
}

void UserAdmin::on_delUser(QString userName)
{
    deleteUser(userName);
}

void UserAdmin::addUser(const S_USER_LIST &user)
{
    const ManageOutcome outcome = manageOutcome(m_transport->command(addUserRequest(user)));
    emit retUserManage(true, outcome.success, outcome.message);
}

void UserAdmin::deleteUser(const QString &userName)
{
    const ManageOutcome outcome = manageOutcome(m_transport->command(deleteUserRequest(userName)));
    emit retUserManage(false, outcome.success, outcome.message);
}

} // namespace admin
