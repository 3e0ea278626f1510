#include "sim/filestore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

namespace sim {

bool FileStore::setRoot(const QString &dataDir, QString *error)
{
    m_dir = QDir(dataDir).filePath("uploads");
    if (!QDir().mkpath(m_dir)) {
        if (error)
            *error = QString("cannot create the upload folder %1").arg(m_dir);
        return false;
    }
    clear();
    return true;
}

void FileStore::clear()
{
    m_files.clear();
    if (m_dir.isEmpty())
        return;
    QDir dir(m_dir);
    const QStringList names = dir.entryList({"*.bin"}, QDir::Files);
    for (const QString &n : names)
        dir.remove(n);
}

QString FileStore::localFileFor(const QString &path) const
{
    const QByteArray h = QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1).toHex();
    return QDir(m_dir).filePath(QString::fromLatin1(h) + ".bin");
}

FileStore::ChunkCheck FileStore::check(const QString &path, qint64 offset) const
{
    ChunkCheck c;
    if (offset == 0)
        return c;
    const auto it = m_files.constFind(path);
    if (it == m_files.constEnd()) {
        c.error =
            QString("offset %1 leaves a gap: nothing is stored at %2 yet (an upload starts at offset 0)")
                .arg(offset)
                .arg(path);
        return c;
    }
    if (offset > it->size) {
        c.error =
            QString("offset %1 leaves a gap: %2 holds only %3 bytes").arg(offset).arg(path).arg(it->size);
        return c;
    }
    const int known = it->offsets.indexOf(offset);
    c.index = known >= 0 ? known : it->offsets.size();
    return c;
}

QString FileStore::write(const QString &path, qint64 offset, const QByteArray &data)
{
    const ChunkCheck c = check(path, offset);
    if (!c.error.isEmpty())
        return c.error;
    Entry &e = m_files[path];
    if (e.localFile.isEmpty())
        e.localFile = localFileFor(path);
    QFile f(e.localFile);
    if (!f.open(QIODevice::ReadWrite))
        return QString("cannot store %1: %2").arg(path, f.errorString());
    bool same = false;
    if (offset + data.size() <= e.size && f.seek(offset))
        same = f.read(data.size()) == data;
    if (!same) {
        if (!f.seek(offset) || f.write(data) != data.size() || !f.resize(offset + data.size()))
            return QString("cannot store %1: %2").arg(path, f.errorString());
        e.size = offset + data.size();
    }
    if (offset == 0)
        e.offsets = {0};
    else if (!e.offsets.contains(offset))
        e.offsets.append(offset);
    return QString();
}

bool FileStore::contains(const QString &path) const
{
    return m_files.contains(path);
}

qint64 FileStore::size(const QString &path) const
{
    return m_files.value(path).size;
}

QByteArray FileStore::read(const QString &path) const
{
    const auto it = m_files.constFind(path);
    if (it == m_files.constEnd())
        return QByteArray();
    QFile f(it->localFile);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.read(it->size);
}

void FileStore::remove(const QString &path)
{
    const auto it = m_files.find(path);
    if (it == m_files.end())
        return;
    QFile::remove(it->localFile);
    m_files.erase(it);
}

QStringList FileStore::paths() const
{
    QStringList out = m_files.keys();
    out.sort();
    return out;
}

} // namespace sim
