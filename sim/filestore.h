#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// Files stored on the controller by remote path ("/videos/a.mp4", "/Modals/Group1/S.jpg"),
// assembled from upload chunks. Content lives on disk below `<data dir>/uploads`, one file
// per remote path under a hashed name, so any remote path (spaces, "#", Chinese) is safe.
// Not thread-safe: the simulator calls it under its lock.
namespace sim {

class FileStore
{
public:
    // Creates the folder and empties what an earlier run left in it.
    bool setRoot(const QString &dataDir, QString *error);
    void clear();

    struct ChunkCheck
    {
        QString error; // non-empty: refused (a gap); nothing is written
        int index = 0; // 0-based chunk number of this upload
    };
    // Checks a chunk before it is written and tells its index in the upload: offset 0 starts
    // an upload, a new offset continuing the file is the next chunk, a repeated offset keeps
    // the index it had.
    ChunkCheck check(const QString &path, qint64 offset) const;
    // Writes the chunk: identical bytes already stored there are left alone (a resent chunk);
    // otherwise the bytes are written at `offset` and the file ends after them.
    QString write(const QString &path, qint64 offset, const QByteArray &data);

    bool contains(const QString &path) const;
    qint64 size(const QString &path) const;
    QByteArray read(const QString &path) const;
    void remove(const QString &path);
    QStringList paths() const;

private:
    struct Entry
    {
        QString localFile;
        qint64 size = 0;
        QList<qint64> offsets; // chunk offsets of the current upload, in order
    };
    QString localFileFor(const QString &path) const;

    QString m_dir;
    QHash<QString, Entry> m_files;
};

} // namespace sim
