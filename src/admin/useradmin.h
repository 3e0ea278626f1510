#pragma once

#include "admin/users.h"

#include <QList>
#include <QObject>
#include <QString>

class QWidget;
class Transport;
struct SessionValues;

namespace admin {

// Users and passwords: the settings menu's "用户管理" (administrators) and "修改密码" (every
// logged-in user). The controller checks names and passwords; the console checks what its
// dialogs show and reports the controller's answers, one box per request.
class UserAdmin : public QObject
{
    Q_OBJECT
public:
    UserAdmin(QWidget *window, Transport *transport, const SessionValues *session, QObject *parent = nullptr);

    // "用户管理": refuses a non-administrator before anything is sent, reads the users and
    // runs the user manager on them.
    void on_userManager();
    // "修改密码": the password dialog, then "ModifyPwd" for the logged-in user.
    void on_modifyPwd();

    // The user manager's requests; each ends with one retUserManage().
    void on_addUser(S_USER_LIST newUser);
    void on_delUser(QString userName);
    void addUser(const S_USER_LIST &user);
    void deleteUser(const QString &userName);

    // The users last read from the controller.
    QList<S_USER_LIST> users() const { return m_users; }

signals:
    // Heard by the user manager while it is open.
    void retUserManage(bool addUser, bool success, QString message);

private:
    QWidget *m_window;
    Transport *m_transport;
    const SessionValues *m_session;
    QList<S_USER_LIST> m_users;
};

} // namespace admin
