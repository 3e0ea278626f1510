#pragma once

#include "sim/controllerstate.h"
#include "sim/filestore.h"

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QString>

// The controller's command set. Every function here runs under the simulator's lock.
namespace sim {

// Everything a request can read or change.
struct Controller
{
    ControllerState state;
    FileStore files;
    QHash<QString, QByteArray> pictures; // rendered JPEGs by cache key
};

struct Reply
{
    int status = 200;
    QByteArray body;
    QByteArray contentType = "application/json";
};

// Checks and reads the keys of one command. Getters return a neutral value when the key is
// missing or has the wrong type and keep the first problem, worded for the "Message".
class Keys
{
public:
    explicit Keys(const QJsonObject &object) : m_object(object) {}

    bool has(const char *key) const { return m_object.contains(QLatin1String(key)); }
    int integer(const char *key, int min, int max);
    int optionalInteger(const char *key, int fallback, int min, int max);
    QString string(const char *key, bool allowEmpty = true);
    QString optionalString(const char *key);
    QJsonArray array(const char *key, bool allowEmpty = true);
    Rect rect(const char *key);

    void fail(const QString &message);
    bool ok() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }

private:
    bool checkInteger(const QString &key, const QJsonValue &value, int min, int max, int *out);

    QJsonObject m_object;
    QString m_error;
};

// One command call: the parsed keys, the caller's session and the clock.
struct Call
{
    Controller &c;
    QString command;
    QJsonObject args;
    Session *session; // null before login
    qint64 nowMs;
    Keys keys;

    ControllerState &state() { return c.state; }
    Reply ok(const QJsonObject &extra = {}) const;
    Reply refuse(const QString &message) const;
    Reply refuseKeys() const { return refuse(keys.error()); } // the first key problem
};

using CommandFn = Reply (*)(Call &);

struct CommandSpec
{
    CommandFn fn = nullptr;
    bool needsSession = true;
    bool adminOnly = false;
};

// Runs one command: session and role checks, then the command. `sessionId` is the value of
// the "session_id" header.
Reply runCommand(Controller &c, const QString &command, const QJsonObject &args, const QString &sessionId,
                 qint64 nowMs);
// Plain GET of a controller path: "/snapshot/" + name, "/Snapshot/" + scene, scene files
// under "/Modals/", and any uploaded file by its path.
Reply servePath(Controller &c, const QString &path, const QString &sessionId);
// One upload chunk. `failChunks` maps a chunk index (0-based) to the HTTP status it fails with.
Reply storeChunk(Controller &c, const QString &path, const QByteArray &offsetHeader,
                 const QByteArray &lengthHeader, const QByteArray &body, const QString &sessionId,
                 const QHash<int, int> &failChunks);

Reply envelope(const QString &command, bool success, const QString &message, const QJsonObject &extra = {},
               int httpStatus = 200);
QString windowTypeName(int type);

// Command tables of each area (commands_*.cpp).
void registerSessionCommands(QHash<QString, CommandSpec> &table);
void registerWallCommands(QHash<QString, CommandSpec> &table);
void registerSceneCommands(QHash<QString, CommandSpec> &table);
void registerMediaCommands(QHash<QString, CommandSpec> &table);
void registerPresentationCommands(QHash<QString, CommandSpec> &table);

} // namespace sim
