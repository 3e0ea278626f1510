#include "hoststore.h"

#include "platform/platformpaths.h"

#include <QSettings>

namespace hoststore {

QList<HostEntry> hosts()
{
    auto settings = platform::hostListSettings();
    QList<HostEntry> list;
    const QStringList groups = settings->childGroups();
    for (const QString &group : groups) {
        settings->beginGroup(group);
        HostEntry entry;
        entry.hostIp = group;
        entry.userName = settings->value(QStringLiteral("UserName")).toString();
        entry.hostName = settings->value(QStringLiteral("HostName")).toString();
        entry.family = settings->value(QStringLiteral("Family"), 0).toInt();
        entry.port = settings->value(QStringLiteral("PortNo"), 80).toInt();
        entry.autoLogin = settings->value(QStringLiteral("AutoLogin"), 0).toInt() != 0;
        if (entry.autoLogin)
            entry.password = settings->value(QStringLiteral("Password")).toString();
        settings->endGroup();
        list.append(entry);
    }
    return list;
}

void saveHost(const HostEntry &entry)
{
    auto settings = platform::hostListSettings();
    settings->beginGroup(entry.hostIp);
    settings->setValue(QStringLiteral("UserName"), entry.userName);
    settings->setValue(QStringLiteral("HostName"), entry.hostName);
    settings->setValue(QStringLiteral("Family"), entry.family);
    settings->setValue(QStringLiteral("PortNo"), entry.port);
    settings->setValue(QStringLiteral("AutoLogin"), entry.autoLogin ? 1 : 0);
    if (entry.autoLogin)
        settings->setValue(QStringLiteral("Password"), entry.password);
    settings->endGroup();
}

void removeHost(const QString &hostIp)
{
    auto settings = platform::hostListSettings();
    settings->remove(hostIp);
}

LastLogin lastLogin()
{
    auto settings = platform::appSettings();
    LastLogin login;
    login.autoLogin = settings->value(QStringLiteral("AutoLogin"), 0).toInt() != 0;
    login.hostIp = settings->value(QStringLiteral("HostIp")).toString();
    login.userName = settings->value(QStringLiteral("UserName"), QStringLiteral("admin")).toString();
    login.password = settings->value(QStringLiteral("Password")).toString();
    login.family = settings->value(QStringLiteral("Family"), 0).toInt();
    login.port = settings->value(QStringLiteral("Port"), 80).toInt();
    return login;
}

void saveLastLogin(const QString &hostIp, int port, const QString &userName, const QString &password,
                   int family, bool autoLogin)
{
    auto settings = platform::appSettings();
    settings->setValue(QStringLiteral("AutoLogin"), autoLogin ? 1 : 0);
    settings->setValue(QStringLiteral("HostIp"), hostIp);
    settings->setValue(QStringLiteral("UserName"), userName);
    settings->setValue(QStringLiteral("Password"), password);
    settings->setValue(QStringLiteral("Family"), family);
    settings->setValue(QStringLiteral("Port"), port);
}

} // namespace hoststore
