#include "scenepaths.h"

#include "platform/platformpaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace scenes {

bool isSafeSceneName(const QString &name)
{
    if (name.isEmpty())
        return false;
    bool onlyDots = true;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') || c.unicode() < 0x20 ||
            c.unicode() == 0x7f)
            return false;
        onlyDots = onlyDots && c == QLatin1Char('.');
    }
    return !onlyDots;
}

QString cacheFile(int group, const QString &name, const char *extension)
{
    // A name with control characters (NUL above all, which would end the path early) or
    // longer than a file name may be has no cache file.
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return QString();
    }
    if ((name + QLatin1String(extension)).toUtf8().size() > kMaxFileNameBytes)
        return QString();
    const QString folder = QDir::cleanPath(platform::modalGroupDir(group));
    const QString fileName = name + QLatin1String(extension);
    const QString joined = folder + QLatin1Char('/') + fileName;
    // Resolve ".." and separators the way the file system would, then insist that the file
    // still sits directly in the group folder under exactly the joined name.
    const QFileInfo resolved(QDir::cleanPath(joined));
    if (resolved.fileName() != fileName ||
        QDir::cleanPath(resolved.absolutePath()) != QDir::cleanPath(QFileInfo(folder).absoluteFilePath()))
        return QString();
    return joined;
}

QString remoteFile(int group, const QString &name, const char *extension)
{
    return QStringLiteral("/Modals/Group") + QString::number(group) + QLatin1Char('/') + name +
           QLatin1String(extension);
}

void removeCacheFiles(int group, const QString &name)
{
    for (const char *extension : {kSceneFileExtension, kPreviewExtension}) {
        const QString file = cacheFile(group, name, extension);
        if (!file.isEmpty())
            QFile::remove(file);
    }
}

} // namespace scenes
