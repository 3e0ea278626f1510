#include "stylesheet.h"

#include <QFile>

namespace uikit {

namespace {
const char *const kStyleName = "guiColor-new";

bool readLatin1(const QString &fileName, QString *text)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *text = QString::fromLatin1(file.readAll());
    return true;
}
} // namespace

QString loadStyleSheet(const QString &programDir)
{
    const QString name = QString::fromLatin1(kStyleName);
    QString text;
    if (readLatin1(programDir + QStringLiteral("/%1.css").arg(name), &text))
        return text;
    if (readLatin1(QStringLiteral(":/images/%1.css").arg(name), &text))
        return text;
    return QString();
}

} // namespace uikit
