#include "platformpaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace platform {

namespace {

QString &overrideDir()
{
    static QString dir = qEnvironmentVariable("PELMORA_HOME");
    return dir;
}

QString withSlash(QString path)
{
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

#ifndef Q_OS_WIN
QString configBase()
{
    if (!overrideDir().isEmpty())
        return withSlash(overrideDir()) + QStringLiteral("config/");
    return withSlash(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

QString dataBase()
{
    if (!overrideDir().isEmpty())
        return withSlash(overrideDir()) + QStringLiteral("data/");
    return withSlash(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}
#endif

} // namespace

void setOverrideRoot(const QString &dir)
{
    overrideDir() = dir;
}

QString overrideRoot()
{
    return overrideDir();
}

std::unique_ptr<QSettings> lastConnectSettings()
{
#ifdef Q_OS_WIN
    if (overrideDir().isEmpty())
        return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\ZevController"),
                                           QSettings::NativeFormat);
    return std::make_unique<QSettings>(withSlash(overrideDir()) + QStringLiteral("config/ZevController.ini"),
                                       QSettings::IniFormat);
#else
    return std::make_unique<QSettings>(configBase() + QStringLiteral("ZevController.conf"),
                                       QSettings::IniFormat);
#endif
}

std::unique_ptr<QSettings> appSettings()
{
#ifdef Q_OS_WIN
    if (overrideDir().isEmpty())
        return std::make_unique<QSettings>(QStringLiteral("Strovane"), QStringLiteral("Pelmora"));
    return std::make_unique<QSettings>(withSlash(overrideDir()) + QStringLiteral("config/Pelmora.ini"),
                                       QSettings::IniFormat);
#else
    return std::make_unique<QSettings>(configBase() + QStringLiteral("Strovane/Pelmora.conf"),
                                       QSettings::IniFormat);
#endif
}

QString zevRoot()
{
#ifdef Q_OS_WIN
    if (overrideDir().isEmpty())
        return QStringLiteral("c:\\ZEV-Series\\");
    return withSlash(overrideDir()) + QStringLiteral("data/ZEV-Series/");
#else
    return dataBase() + QStringLiteral("ZEV-Series/");
#endif
}

QString modalsRoot()
{
#ifdef Q_OS_WIN
    if (overrideDir().isEmpty())
        return QStringLiteral("c:\\ZEV-Series\\Modals\\");
#endif
    return zevRoot() + QStringLiteral("Modals/");
}

QString modalGroupDir(int group)
{
    return modalsRoot() + QStringLiteral("Group") + QString::number(group) + QLatin1Char('/');
}

QString hostListFilePath()
{
#ifdef Q_OS_WIN
    if (overrideDir().isEmpty())
        return QStringLiteral("c:\\ZEV-Series\\Settings.ini");
    return withSlash(overrideDir()) + QStringLiteral("config/Settings.ini");
#else
    return configBase() + QStringLiteral("ZEV-Series/Settings.ini");
#endif
}

std::unique_ptr<QSettings> hostListSettings()
{
    return std::make_unique<QSettings>(hostListFilePath(), QSettings::IniFormat);
}

QString programDir()
{
    return QCoreApplication::applicationDirPath();
}

} // namespace platform
