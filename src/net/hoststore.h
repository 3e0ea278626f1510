#pragma once

#include <QList>
#include <QString>

// One known controller of the host list file (one ini group per host IP).
struct HostEntry
{
    QString hostIp;
    QString userName;
    QString hostName;
    int family = 0;
    int port = 80;
    bool autoLogin = false;
    // Kept only when autoLogin is set.
    QString password;
};

// The last login, kept in the per-user settings store and used by the automatic login.
struct LastLogin
{
    bool autoLogin = false;
    QString hostIp;
    QString userName = QStringLiteral("admin");
    QString password;
    int family = 0;
    int port = 80;
};

namespace hoststore {

// Host list file: entries in the order the ini reader lists the groups.
QList<HostEntry> hosts();
// Writes "UserName", "HostName", "Family", "PortNo", "AutoLogin" and, with auto login on,
// "Password" into the host's group.
void saveHost(const HostEntry &entry);
void removeHost(const QString &hostIp);

LastLogin lastLogin();
void saveLastLogin(const QString &hostIp, int port, const QString &userName, const QString &password,
                   int family, bool autoLogin);

} // namespace hoststore
