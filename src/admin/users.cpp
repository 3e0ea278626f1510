#include "admin/users.h"

#include "uikit/helpers.h"

#include <QCoreApplication>
#include <QJsonArray>

namespace admin {

namespace {} // namespace

QStringList roleTexts()
{
    return {QCoreApplication::translate("DialogUserManager", "管理员"),
            QCoreApplication::translate("DialogUserManager", "操作员"),
            QCoreApplication::translate("DialogUserManager", "Web操作员")};
}

QString newUserProblem(const QString &userName, const QString &password, const QString &confirmation)
{
    if (password != confirmation)
        return QCoreApplication::translate("DialogUserManager", "两次输入的密码不一致。");
    if (password.isEmpty())
        return QCoreApplication::translate("DialogUserManager", "密码不能为空。");
    if (userName.isEmpty())
        return QCoreApplication::translate("DialogUserManager", "用户名不能为空。");
    return QString();
}

S_USER_LIST newUser(const QString &userName, const QString &password, int role)
{
    S_USER_LIST user;
    user.userName = userName;
    user.password = uikit::md5Hex(password);
    user.role = role;
    return user;
}

QJsonObject addUserRequest(const S_USER_LIST &user)
{
    return {{QStringLiteral("Command"), QStringLiteral("AddUser")},
            {QStringLiteral("UserName"), user.userName},
            {QStringLiteral("Password"), user.password},
            {QStringLiteral("Role"), user.role}};
}

QJsonObject deleteUserRequest(const QString &userName)
{
    return {{QStringLiteral("Command"), QStringLiteral("DeleteUser")},
            {QStringLiteral("UserName"), userName}};
}

QJsonObject modifyPwdRequest(const QString &userName, const QString &oldPassword, const QString &newPassword)
{
    return {{QStringLiteral("Command"), QStringLiteral("ModifyPwd")},
            {QStringLiteral("UserName"), userName},
            {QStringLiteral("OldPassword"), oldPassword},
            {QStringLiteral("NewPassword"), newPassword}};
}

QList<S_USER_LIST> usersOfReply(const QJsonObject &reply)
{
    QList<S_USER_LIST> users;
    const QJsonArray names = reply.value(QStringLiteral("UserList")).toArray();
    for (const QJsonValue &name : names) {
        S_USER_LIST user;
        user.userName = name.toString();
        users.append(user);
    }
    return users;
}

ManageOutcome manageOutcome(const net::CommandResult &result)
{
    using Outcome = net::CommandResult::Outcome;
    ManageOutcome outcome;
    if (result.outcome == Outcome::Ok)
        outcome.success = true;
    else if (result.outcome == Outcome::Refused)
        outcome.message = result.message();
    else
        outcome.message = QCoreApplication::translate("MainWindow2", "网络超时。");
    return outcome;
}

} // namespace admin
