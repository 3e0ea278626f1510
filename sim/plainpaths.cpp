// Plain paths of the controller: thumbnails, scene pictures and files, uploaded files, and
// the chunked upload that stores them.
#include "sim/commands.h"
#include "sim/thumbnails.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

namespace sim {

namespace {

Reply fileError(int status, const QString &message)
{
    return envelope("Upload", false, message, {}, status);
}

Reply notFound(const QString &path)
{
    return envelope(QString(), false, "Not found: " + path, {}, 404);
}

Reply jpeg(const QByteArray &bytes)
{
    Reply r;
    r.body = bytes;
    r.contentType = "image/jpeg";
    return r;
}

QByteArray contentTypeFor(const QString &path)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == "jpg" || ext == "jpeg")
        return "image/jpeg";
    if (ext == "png")
        return "image/png";
    if (ext == "bmp")
        return "image/bmp";
    if (ext == "mvc" || ext == "json")
        return "application/json";
    return "application/octet-stream";
}

QString uploadedScenePicture(const Controller &c, const Scene &s)
{
    const QString path = QString("/Modals/Group%1/%2.jpg").arg(s.screenGroup).arg(s.name);
    return c.files.contains(path) ? path : QString();
}

QByteArray sceneDrawing(Controller &c, const Scene &s)
{
    QByteArray &cached = c.pictures["Scene:" + s.name];
    if (cached.isEmpty()) {
        const Group *g = c.state.group(s.group);
        cached = thumbnails::sceneCard(g ? *g : Group(), s.windows, s.name);
    }
    return cached;
}

// "/snapshot/" + name: the catalogue entry of that name, else the scene of that name.
Reply snapshot(Controller &c, const QString &name)
{
    int category = -1;
    if (const Resource *r = c.state.findResourceAnyCategory(name, &category)) {
        QByteArray &cached = c.pictures[QString("res:%1:%2").arg(category).arg(name)];
        if (cached.isEmpty()) {
            if (category == CatPicture && c.files.contains(r->path))
                cached = thumbnails::pictureCard(c.files.read(r->path), name);
            else
                cached = thumbnails::resourceCard(category, name);
        }
        return jpeg(cached);
    }
    if (const Scene *s = c.state.findScene(name)) {
        // The picture the console uploaded with the scene, else the controller's own drawing.
        const QString uploaded = uploadedScenePicture(c, *s);
        return jpeg(uploaded.isEmpty() ? sceneDrawing(c, *s) : c.files.read(uploaded));
    }
    return notFound("/snapshot/" + name);
}

QByteArray sceneFile(const ControllerState &state, const Scene &s)
{
    QJsonArray windows;
    for (const Window &w : s.windows)
        windows.append(ControllerState::windowToWire(w));
    const Group *g = state.group(s.group);
    const QJsonObject o{{"Format", "Pelmora-Sim scene 1"},
                        {"Name", s.name},
                        {"ScreenGroup", s.screenGroup},
                        {"GroupName", g ? g->name : QString()},
                        {"Windows", windows}};
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

bool parseNumber(const QByteArray &text, qint64 *out)
{
    bool ok = false;
    *out = text.trimmed().toLongLong(&ok);
    return ok;
}

} // namespace

Reply servePath(Controller &c, const QString &path, const QString &sessionId)
{
    if (!c.state.findSession(sessionId))
        return envelope(QString(), false, "A valid session_id header is needed: log in first", {}, 403);
    if (path.startsWith("/snapshot/"))
        return snapshot(c, path.mid(10));
    if (path.startsWith("/Snapshot/")) {
        if (const Scene *s = c.state.findScene(path.mid(10)))
            return jpeg(sceneDrawing(c, *s));
        return notFound(path);
    }
    static const QRegularExpression mvc("^/Modals/Group(\\d+)/(.*)\\.mvc$",
                                        QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = mvc.match(path);
    if (m.hasMatch()) {
        const Scene *s = c.state.findScene(m.captured(2));
        if (s && s->screenGroup == m.captured(1).toInt()) {
            Reply r;
            r.body = sceneFile(c.state, *s);
            return r;
        }
    }
    if (c.files.contains(path)) {
        Reply r;
        r.body = c.files.read(path);
        r.contentType = contentTypeFor(path);
        return r;
    }
    return notFound(path);
}

Reply storeChunk(Controller &c, const QString &path, const QByteArray &offsetHeader,
                 const QByteArray &lengthHeader, const QByteArray &body, const QString &sessionId,
                 const QHash<int, int> &failChunks)
{
    if (!c.state.findSession(sessionId))
        return fileError(403, "Uploads need a valid session_id header: log in first");
    qint64 offset = 0, length = 0;
    if (offsetHeader.isNull() || lengthHeader.isNull())
        return fileError(400, "An upload chunk needs the headers offset and curLength");
    if (!parseNumber(offsetHeader, &offset) || offset < 0)
        return fileError(
            400,
            QString("Header offset is not a byte offset: \"%1\"").arg(QString::fromLatin1(offsetHeader)));
    if (!parseNumber(lengthHeader, &length) || length < 0)
        return fileError(
            400, QString("Header curLength is not a length: \"%1\"").arg(QString::fromLatin1(lengthHeader)));
    if (length != body.size())
        return fileError(
            400, QString("The chunk has %1 bytes but curLength says %2").arg(body.size()).arg(length));
    const FileStore::ChunkCheck check = c.files.check(path, offset);
    if (!check.error.isEmpty())
        return fileError(409, check.error);
    if (failChunks.contains(check.index))
        return fileError(failChunks.value(check.index),
                         QString("Chunk %1 failed (injected fault)").arg(check.index));
    const QString error = c.files.write(path, offset, body);
    if (!error.isEmpty())
        return fileError(500, error);
    // A replaced file gets new thumbnails.
    for (auto it = c.pictures.begin(); it != c.pictures.end();) {
        if (it.key().startsWith("res:"))
            it = c.pictures.erase(it);
        else
            ++it;
    }
    return envelope("Upload", true, QString(),
                    {{"Path", path},
                     {"Offset", double(offset)},
                     {"Chunk", check.index},
                     {"Size", double(c.files.size(path))}});
}

} // namespace sim
