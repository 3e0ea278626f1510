#include "sim/commands.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>

#include <cmath>

namespace sim {

namespace {

QString describe(const QJsonValue &v)
{
    switch (v.type()) {
    case QJsonValue::Null:
        return "null";
    case QJsonValue::Bool:
        return v.toBool() ? "true" : "false";
    case QJsonValue::Double:
        return QString::number(v.toDouble());
    case QJsonValue::String: {
        const QString s = v.toString();
        return QString("the text \"%1\"").arg(s.size() > 40 ? s.left(40) + "..." : s);
    }
    case QJsonValue::Array:
        return "an array";
    case QJsonValue::Object:
        return "an object";
    default:
        return "nothing";
    }
}

const QHash<QString, CommandSpec> &commandTable()
{
    static const QHash<QString, CommandSpec> table = [] {
        QHash<QString, CommandSpec> t;
        registerSessionCommands(t);
        registerWallCommands(t);
        registerSceneCommands(t);
        registerMediaCommands(t);
        registerPresentationCommands(t);
        return t;
    }();
    return table;
}

} // namespace

// --- Keys -----------------------------------------------------------------------------------

void Keys::fail(const QString &message)
{
    if (m_error.isEmpty())
        m_error = message;
}

bool Keys::checkInteger(const QString &key, const QJsonValue &value, int min, int max, int *out)
{
    const double d = value.toDouble();
    if (!value.isDouble() || std::floor(d) != d) {
        fail(QString("Key \"%1\" must be a whole number, got %2").arg(key, describe(value)));
        return false;
    }
    if (d < min || d > max) {
        fail(QString("Key \"%1\" must be between %2 and %3, got %4").arg(key).arg(min).arg(max).arg(d));
        return false;
    }
    *out = int(d);
    return true;
}

int Keys::integer(const char *key, int min, int max)
{
    const QString k = QLatin1String(key);
    if (!m_object.contains(k)) {
        fail(QString("Missing key \"%1\"").arg(k));
        return 0;
    }
    int v = 0;
    return checkInteger(k, m_object.value(k), min, max, &v) ? v : 0;
}

int Keys::optionalInteger(const char *key, int fallback, int min, int max)
{
    const QString k = QLatin1String(key);
    if (!m_object.contains(k))
        return fallback;
    int v = 0;
    return checkInteger(k, m_object.value(k), min, max, &v) ? v : fallback;
}

QString Keys::string(const char *key, bool allowEmpty)
{
    const QString k = QLatin1String(key);
    const QJsonValue v = m_object.value(k);
    if (!m_object.contains(k)) {
        fail(QString("Missing key \"%1\"").arg(k));
        return QString();
    }
    if (!v.isString()) {
        fail(QString("Key \"%1\" must be a text, got %2").arg(k, describe(v)));
        return QString();
    }
    if (!allowEmpty && v.toString().isEmpty())
        fail(QString("Key \"%1\" must not be empty").arg(k));
    return v.toString();
}

QString Keys::optionalString(const char *key)
{
    if (!has(key))
        return QString();
    return string(key);
}

QJsonArray Keys::array(const char *key, bool allowEmpty)
{
    const QString k = QLatin1String(key);
    const QJsonValue v = m_object.value(k);
    if (!m_object.contains(k)) {
        fail(QString("Missing key \"%1\"").arg(k));
        return QJsonArray();
    }
    if (!v.isArray()) {
        fail(QString("Key \"%1\" must be an array, got %2").arg(k, describe(v)));
        return QJsonArray();
    }
    if (!allowEmpty && v.toArray().isEmpty())
        fail(QString("Key \"%1\" must not be an empty array").arg(k));
    return v.toArray();
}

Rect Keys::rect(const char *key)
{
    const QString k = QLatin1String(key);
    const QJsonValue v = m_object.value(k);
    if (!m_object.contains(k)) {
        fail(QString("Missing key \"%1\"").arg(k));
        return Rect();
    }
    if (!v.isObject()) {
        fail(QString("Key \"%1\" must be an object with Left, Top, Right and Bottom, got %2")
                 .arg(k, describe(v)));
        return Rect();
    }
    Keys inner(v.toObject());
    Rect r;
    r.left = inner.integer("Left", -1000000, 1000000);
    r.top = inner.integer("Top", -1000000, 1000000);
    r.right = inner.integer("Right", -1000000, 1000000);
    r.bottom = inner.integer("Bottom", -1000000, 1000000);
    if (!inner.ok()) {
        fail(QString("%1: %2").arg(k, inner.error()));
        return Rect();
    }
    if (r.isEmpty()) {
        fail(QString("%1 is empty: Right (%2) must be greater than Left (%3) and Bottom (%4) greater than "
                     "Top (%5)")
                 .arg(k)
                 .arg(r.right)
                 .arg(r.left)
                 .arg(r.bottom)
                 .arg(r.top));
    }
    return r;
}

// --- Replies --------------------------------------------------------------------------------

Reply envelope(const QString &command, bool success, const QString &message, const QJsonObject &extra,
               int httpStatus)
{
    QJsonObject o = extra;
    o.insert("Command", command);
    o.insert("Status", success ? "Ok" : "Error");
    if (!success)
        o.insert("Message", message);
    Reply r;
    r.status = httpStatus;
    r.body = QJsonDocument(o).toJson(QJsonDocument::Compact);
    return r;
}

Reply Call::ok(const QJsonObject &extra) const
{
    return envelope(command, true, QString(), extra);
}

Reply Call::refuse(const QString &message) const
{
    return envelope(command, false, message);
}

QString windowTypeName(int type)
{
    switch (type) {
    case 0:
        return "video";
    case 1:
        return "pictures";
    case 2:
        return "web page";
    case 3:
        return "Office document";
    case 4:
        return "network video";
    case 5:
        return "document";
    case 6:
        return "USB video";
    case 9:
        return "application";
    default:
        return "unknown";
    }
}

Reply runCommand(Controller &c, const QString &command, const QJsonObject &args, const QString &sessionId,
                 qint64 nowMs)
{
    if (command.isEmpty())
        return envelope(command, false, "Missing key \"Command\": no command named");
    const auto it = commandTable().constFind(command);
    if (it == commandTable().constEnd())
        return envelope(command, false, QString("Unknown command \"%1\"").arg(command));
    Session *session = c.state.findSession(sessionId);
    if (it->needsSession && !session) {
        if (sessionId.isEmpty())
            return envelope(command, false,
                            "Not logged in: send Login first (the session_id header is empty)");
        return envelope(
            command, false,
            QString("Session \"%1\" is not valid (logged out, or never issued by this controller): "
                    "log in again")
                .arg(sessionId));
    }
    if (it->adminOnly && session->role != 0)
        return envelope(command, false, QString("Only an administrator may use %1").arg(command));
    Call call{c, command, args, session, nowMs, Keys(args)};
    return it->fn(call);
}

// --- Session and users ----------------------------------------------------------------------

namespace {

Reply login(Call &call)
{
    const QString userName = call.keys.string("UserName");
    const QString password = call.keys.string("Password");
    const int family = call.keys.optionalInteger("Family", 0, 0, 4);
    if (!call.keys.ok())
        return call.refuseKeys();
    const User *user = call.state().findUser(userName);
    if (!user)
        return call.refuse(QString("Unknown user \"%1\"").arg(userName));
    if (!isMd5Hex(password))
        return call.refuse("Password must be the MD5 digest of the password (32 lower-case hex digits)");
    if (password != user->md5)
        return call.refuse(QString("Wrong password for user \"%1\"").arg(userName));
    Session s;
    const quint64 a = QRandomGenerator::global()->generate64(), b = QRandomGenerator::global()->generate64();
    s.id = QString("%1%2").arg(a, 16, 16, QChar('0')).arg(b, 16, 16, QChar('0'));
    s.user = user->name;
    s.role = user->role;
    s.family = family;
    call.state().sessions.append(s);
    return call.ok({{"SessionId", s.id}, {"Role", s.role}, {"UserName", s.user}});
}

Reply logout(Call &call)
{
    // Always answered "Ok", so a logout resent or sent without a session shows no error.
    if (call.session) {
        const QString id = call.session->id;
        auto &sessions = call.state().sessions;
        for (int i = sessions.size() - 1; i >= 0; --i) {
            if (sessions.at(i).id == id)
                sessions.removeAt(i);
        }
    }
    return call.ok();
}

Reply getVersion(Call &call)
{
    return call.ok({{"Version", call.state().version}, {"HostName", call.state().name}});
}

Reply setLanguage(Call &call)
{
    const int language = call.keys.integer("Language", 0, 2);
    if (!call.keys.ok())
        return call.refuseKeys();
    call.state().language = language;
    return call.ok();
}

Reply getAllUsers(Call &call)
{
    QJsonArray names;
    for (const User &u : call.state().users)
        names.append(u.name);
    return call.ok({{"UserList", names}});
}

Reply addUser(Call &call)
{
    const QString name = call.keys.string("UserName", false);
    const QString password = call.keys.string("Password");
    const int role = call.keys.integer("Role", 0, 2);
    if (!call.keys.ok())
        return call.refuseKeys();
    if (!isMd5Hex(password))
        return call.refuse("Password must be the MD5 digest of the password (32 lower-case hex digits)");
    if (call.state().findUser(name))
        return call.refuse(QString("User \"%1\" already exists").arg(name));
    User u;
    u.name = name;
    u.md5 = password;
    u.role = role;
    call.state().users.append(u);
    return call.ok();
}

Reply deleteUser(Call &call)
{
    const QString name = call.keys.string("UserName");
    if (!call.keys.ok())
        return call.refuseKeys();
    if (name.isEmpty())
        return call.refuse("No user name given");
    auto &users = call.state().users;
    int index = -1;
    int admins = 0;
    for (int i = 0; i < users.size(); ++i) {
        if (users.at(i).name == name)
            index = i;
        if (users.at(i).role == 0)
            ++admins;
    }
    if (index < 0)
        return call.refuse(QString("No user named \"%1\"").arg(name));
    if (name == call.session->user)
        return call.refuse("You cannot delete the user you are logged in as");
    if (users.at(index).role == 0 && admins <= 1)
        return call.refuse("The last administrator cannot be deleted");
    users.removeAt(index);
    auto &sessions = call.state().sessions;
    for (int i = sessions.size() - 1; i >= 0; --i) {
        if (sessions.at(i).user == name)
            sessions.removeAt(i);
    }
    return call.ok();
}

Reply modifyPwd(Call &call)
{
    const QString name = call.keys.string("UserName");
    const QString oldPassword = call.keys.string("OldPassword");
    const QString newPassword = call.keys.string("NewPassword");
    if (!call.keys.ok())
        return call.refuseKeys();
    if (name != call.session->user)
        return call.refuse(
            QString("You can only change your own password (logged in as \"%1\")").arg(call.session->user));
    User *user = call.state().findUser(name);
    if (!user)
        return call.refuse(QString("No user named \"%1\"").arg(name));
    if (md5Hex(oldPassword) != user->md5)
        return call.refuse("The old password is wrong");
    if (newPassword.isEmpty())
        return call.refuse("The new password must not be empty");
    user->md5 = md5Hex(newPassword);
    user->plain = newPassword;
    return call.ok();
}

} // namespace

void registerSessionCommands(QHash<QString, CommandSpec> &t)
{
    t.insert("Login", {login, false, false});
    t.insert("Logout", {logout, false, false});
    t.insert("GetVersion", {getVersion, false, false});
    t.insert("SetLanguage", {setLanguage});
    t.insert("GetAllUsers", {getAllUsers, true, true});
    t.insert("AddUser", {addUser, true, true});
    t.insert("DeleteUser", {deleteUser, true, true});
    t.insert("ModifyPwd", {modifyPwd});
}

} // namespace sim
