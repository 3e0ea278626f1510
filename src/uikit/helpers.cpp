#include "helpers.h"

#include "platform/platformpaths.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QThread>

namespace uikit {

QString md5Hex(const QString &text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toLatin1(), QCryptographicHash::Md5).toHex());
}

QString fileSuffix(const QString &name)
{
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return QString();
    return name.mid(dot + 1).toLower();
}

QString fileNameOf(const QString &path)
{
    int slash = path.lastIndexOf(QLatin1Char('\\'));
    if (slash < 0)
        slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QString();
    return path.mid(slash + 1).toLower();
}

QString readTypeNameIni(const QString &group, const QString &key)
{
    return readTypeNameIni(group, key, platform::programDir());
}

QString readTypeNameIni(const QString &group, const QString &key, const QString &dir)
{
    const QString fileName = QDir(dir).filePath(QStringLiteral("typename.ini"));
    if (!QFileInfo(fileName).isFile())
        return QString();
    QSettings ini(fileName, QSettings::IniFormat);
    // The file is written by hand, with Chinese type names saved as UTF-8 (Qt 6 reads ini
    // files as UTF-8 anyway).
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    ini.setIniCodec("UTF-8");
#endif
    ini.beginGroup(group);
    const QVariant value = ini.value(key, key);
    // An unquoted value with commas reads back as a list; the caller wants the text as written.
    if (value.userType() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

void sleepMs(unsigned long ms)
{
    QThread::msleep(ms);
}

} // namespace uikit
