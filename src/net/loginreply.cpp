#include "loginreply.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

int roleFromReply(const QJsonObject &reply)
{
    const auto known = [](double role) { return role == 0 || role == 1 || role == 2; };

    const QJsonValue value = reply.value(QStringLiteral("Role"));
    if (value.isUndefined())
        return 0;
    if (value.isDouble() && known(value.toDouble()))
        return int(value.toDouble());
    if (value.isString()) {
        bool ok = false;
        const int role = value.toString().trimmed().toInt(&ok);
        if (ok && known(role))
            return role;
    }
    return kLeastPrivilegedRole;
}

bool isUsableSessionId(const QString &id)
{
    if (id.size() > kMaxSessionIdLength)
        return false;
    for (const QChar c : id) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            return false;
    }
    return true;
}
