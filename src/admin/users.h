#pragma once

#include "net/commandresult.h"

#include <QJsonObject>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

// One user account of the controller.
struct S_USER_LIST
{
    QString userName;
    QString password; // for an addition: the MD5 digest of the password
    int role = 0;     // 0 administrator, 1 operator, 2 web operator
};
Q_DECLARE_METATYPE(S_USER_LIST)

// User management and the password change without widgets: the checks of the dialogs, the
// requests and what their replies mean.
namespace admin {

// The role combo's entries; the index is the role value.
QStringList roleTexts();

// The first check a new user fails, as the information box words it, in this order: the
// two passwords differ, the password is empty, the name is empty. Empty when all pass.
// Names are taken as typed (not trimmed).
QString newUserProblem(const QString &userName, const QString &password, const QString &confirmation);

// The user to add: the password becomes its digest (32 lower-case hex digits).
S_USER_LIST newUser(const QString &userName, const QString &password, int role);

QJsonObject addUserRequest(const S_USER_LIST &user);
QJsonObject deleteUserRequest(const QString &userName);
// The password change carries both passwords as typed, for the logged-in user.
QJsonObject modifyPwdRequest(const QString &userName, const QString &oldPassword, const QString &newPassword);

// The users of a "GetAllUsers" reply: its names, with an empty password and role 0 (the
// reply carries no roles).
QList<S_USER_LIST> usersOfReply(const QJsonObject &reply);

// What an addition or deletion tells the user manager: success, or the reason. No reply, a
// transport failure and a reply naming another command all read "网络超时。"; a refusal
// gives the reply's "Message".
struct ManageOutcome
{
    bool success = false;
    QString message;
};
ManageOutcome manageOutcome(const net::CommandResult &result);

} // namespace admin
