#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace pelmora::test {

// Local files for upload tests, in a temporary folder of their own that goes with the object.
class UploadFiles
{
public:
    // `size` bytes that differ from one chunk to the next and repeat with no short period, so
    // a chunk sent at the wrong offset, twice or not at all shows in the stored file.
    static QByteArray content(qint64 size)
    {
        QByteArray bytes(int(size), Qt::Uninitialized);
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = char((i * 7 + i / 251) & 0xff);
        return bytes;
    }

    // Writes `bytes` to the file `name` of the folder (replacing it) and returns its path;
    // empty when it cannot be written.
    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            return QString();
        return path;
    }

    // A file of `size` bytes of content().
    QString sized(const QString &name, qint64 size) { return write(name, content(size)); }

    // A path in the folder where no file is.
    QString missing(const QString &name) const { return m_dir.filePath(name); }
    QString folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

} // namespace pelmora::test
