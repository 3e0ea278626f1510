#include "sim/controllerstate.h"

#include <QCryptographicHash>
#include <QJsonValue>

#include <algorithm>

#include <cmath>

namespace sim {

namespace {

const CategoryInfo kCategories[CatCount] = {
    {"Video", "VideoList", "GetVideoList", "/videos/", "Video"},
    {"Picture", "PicList", "GetPicList", "/pictures/", "Picture"},
    {"WEB", "WebList", "GetWebList", "", "Web page"},
    {"Office", "PptList", "GetPptList", "/office/", "Office"},
    {"NetVideo", "NetVideoList", "GetNetVideoList", "", "Network video"},
    {"Other", "DocList", "GetDocList", "/others/", "Document"},
    {"USB", "USBVideoList", "GetUSBVideoList", "", "USB input"},
    {"Music", "AudioList", "GetAudioList", "/audios/", "Music"},
};

QJsonArray intArray(const QList<int> &values)
{
    QJsonArray a;
    for (int v : values)
        a.append(v);
    return a;
}

QList<int> intList(const QJsonValue &value)
{
    QList<int> out;
    const QJsonArray a = value.toArray();
    for (const QJsonValue &v : a)
        out.append(v.toInt());
    return out;
}

QJsonArray resListToJson(const QList<ResItem> &items)
{
    QJsonArray a;
    for (const ResItem &r : items)
        a.append(QJsonObject{{"Name", r.name}, {"Path", r.path}});
    return a;
}

QList<ResItem> resListFromJson(const QJsonValue &value)
{
    QList<ResItem> out;
    const QJsonArray a = value.toArray();
    for (const QJsonValue &v : a) {
        if (v.isString())
            out.append({v.toString(), QString()});
        else
            out.append({v.toObject().value("Name").toString(), v.toObject().value("Path").toString()});
    }
    return out;
}

bool hasResList(int type)
{
    return type == 0 || type == 1 || type == 4;
}

} // namespace

const CategoryInfo &categoryInfo(int category)
{
    return kCategories[qBound(0, category, CatCount - 1)];
}

int categoryFromResType(const QString &resType)
{
    for (int c = 0; c < CatCount; ++c) {
        if (resType == QLatin1String(kCategories[c].resType))
            return c;
    }
    return -1;
}

QString md5Hex(const QString &password)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(password.toLatin1(), QCryptographicHash::Md5).toHex());
}

bool isMd5Hex(const QString &text)
{
    if (text.size() != 32)
        return false;
    for (QChar c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

// --- Window ---------------------------------------------------------------------------------

QString Window::displayName() const
{
    if (hasResList(type) && !resList.isEmpty())
        return resList.first().name;
    return name;
}

static double precisePosition(const Window &w, qint64 nowMs)
{
    double pos = w.positionS;
    if (w.playing && nowMs > w.sinceMs)
        pos += double(nowMs - w.sinceMs) / 1000.0;
    if (w.totalTime > 0)
        pos = std::min(pos, double(w.totalTime)); // a video stops at its end
    return pos;
}

bool Window::atEnd(qint64 nowMs) const
{
    return type == 0 && totalTime > 0 && precisePosition(*this, nowMs) >= double(totalTime);
}

bool Window::isPlaying(qint64 nowMs) const
{
    return playing && !atEnd(nowMs);
}

int Window::currentTime(qint64 nowMs) const
{
    if (type != 0)
        return 0;
    return int(precisePosition(*this, nowMs));
}

void Window::setPosition(double seconds, qint64 nowMs)
{
    positionS = seconds;
    sinceMs = nowMs;
}

void Window::setPlaying(bool on, qint64 nowMs)
{
    // Playing a video that has come to its end starts it again from the beginning.
    positionS = on && atEnd(nowMs) ? 0.0 : precisePosition(*this, nowMs);
    sinceMs = nowMs;
    playing = on;
}

// --- JSON forms -----------------------------------------------------------------------------

QJsonObject ControllerState::rectToJson(const Rect &r)
{
    return QJsonObject{{"Left", r.left}, {"Top", r.top}, {"Right", r.right}, {"Bottom", r.bottom}};
}

Rect ControllerState::rectFromJson(const QJsonObject &o)
{
    Rect r;
    r.left = o.value("Left").toInt();
    r.top = o.value("Top").toInt();
    r.right = o.value("Right").toInt();
    r.bottom = o.value("Bottom").toInt();
    return r;
}

QJsonObject ControllerState::windowToWire(const Window &w)
{
    QJsonObject o{{"WindowId", w.id},
                  {"WindowType", w.type},
                  {"WindowRect", rectToJson(w.rect)},
                  {"Name", w.displayName()}};
    if (hasResList(w.type))
        o.insert("ResList", resListToJson(w.resList));
    return o;
}

QJsonObject ControllerState::windowToJson(const Window &w, qint64 nowMs)
{
    QJsonObject o = windowToWire(w);
    o.insert("Path", w.path);
    o.insert("VideoId", w.videoId);
    if (!hasResList(w.type))
        o.insert("ResList", resListToJson(w.resList));
    QJsonObject p{{"IsPlaying", w.isPlaying(nowMs) ? 1 : 0},
                  {"IsMute", w.muted ? 1 : 0},
                  {"Volume", w.volume},
                  {"Index", w.index},
                  {"TotalTime", w.totalTime},
                  {"CurTime", w.currentTime(nowMs)},
                  {"ShowTime", w.showTime},
                  {"Interval", w.interval},
                  {"Effect", w.effect},
                  {"FillMode", w.fillMode},
                  {"SwitchTime", w.switchTime},
                  {"Page", w.page},
                  {"PageCount", w.pageCount},
                  {"Zoom", w.zoom},
                  {"Scroll", w.scroll},
                  {"FullScreen", w.fullScreen ? 1 : 0}};
    if (w.fullScreen)
        p.insert("RestoreRect", rectToJson(w.restoreRect));
    o.insert("Playback", p);
    return o;
}

Window ControllerState::windowFromJson(const QJsonObject &o, qint64 nowMs)
{
    Window w;
    w.id = o.value("WindowId").toInt();
    w.type = o.contains("WindowType") ? o.value("WindowType").toInt() : o.value("Type").toInt();
    w.rect = rectFromJson(o.contains("WindowRect") ? o.value("WindowRect").toObject()
                                                   : o.value("RealRect").toObject());
    w.name = o.value("Name").toString();
    w.path = o.value("Path").toString();
    w.videoId = o.value("VideoId").toInt();
    w.resList = resListFromJson(o.value("ResList"));
    if (hasResList(w.type) && w.resList.isEmpty() && !w.name.isEmpty())
        w.resList.append({w.name, w.path});
    const QJsonObject p = o.value("Playback").toObject();
    w.playing = p.value("IsPlaying").toInt(1) != 0;
    w.muted = p.value("IsMute").toInt(0) != 0;
    w.volume = p.value("Volume").toInt(50);
    w.index = qBound(0, p.value("Index").toInt(0), qMax(0, w.resList.size() - 1));
    w.totalTime = p.value("TotalTime").toInt(0);
    w.setPosition(p.value("CurTime").toInt(0), nowMs);
    w.showTime = p.value("ShowTime").toInt(10);
    w.interval = p.value("Interval").toInt(10);
    w.effect = p.value("Effect").toInt(0);
    w.fillMode = p.value("FillMode").toInt(0);
    w.switchTime = p.value("SwitchTime").toInt(0);
    w.page = p.value("Page").toInt(1);
    w.pageCount = p.value("PageCount").toInt(0);
    w.zoom = p.value("Zoom").toInt(100);
    w.scroll = p.value("Scroll").toInt(0);
    w.fullScreen = p.value("FullScreen").toInt(0) != 0;
    if (w.fullScreen)
        w.restoreRect = rectFromJson(p.value("RestoreRect").toObject());
    return w;
}

QJsonObject ControllerState::groupToWire(const Group &g)
{
    return QJsonObject{{"Name", g.name},
                       {"Width", g.width},
                       {"Height", g.height},
                       {"ScrRows", g.rows},
                       {"ScrCols", g.cols},
                       {"CustomWidth", intArray(g.customWidth)},
                       {"CustomHeight", intArray(g.customHeight)}};
}

static QJsonArray windowsToJson(const QList<Window> &windows, qint64 nowMs)
{
    QJsonArray a;
    for (const Window &w : windows)
        a.append(ControllerState::windowToJson(w, nowMs));
    return a;
}

QJsonObject ControllerState::toJson(qint64 nowMs) const
{
    QJsonArray groupArray;
    for (const Group &g : groups) {
        QJsonObject o = groupToWire(g);
        o.insert("Windows", windowsToJson(g.windows, nowMs));
        groupArray.append(o);
    }
    QJsonObject res;
    for (int c = 0; c < CatCount; ++c) {
        QJsonArray a;
        for (const Resource &r : resources[c]) {
            if (c == CatUsb) {
                a.append(r.name);
                continue;
            }
            QJsonObject o{{"Name", r.name}, {"Path", r.path}};
            if (c == CatVideo || c == CatMusic)
                o.insert("Duration", r.duration);
            if (c == CatOffice)
                o.insert("Pages", r.pages);
            if (c == CatWeb && !r.userName.isEmpty()) {
                o.insert("UserName", r.userName);
                o.insert("Password", r.password);
            }
            a.append(o);
        }
        res.insert(QLatin1String(kCategories[c].resType), a);
    }
    QJsonArray apps;
    for (const auto &app : applications)
        apps.append(QJsonObject{{"Title", app.first}, {"Hwnd", app.second}});
    QJsonArray sceneArray;
    for (const Scene &s : scenes) {
        sceneArray.append(QJsonObject{{"Name", s.name},
                                      {"Group", s.group},
                                      {"ScreenGroup", s.screenGroup},
                                      {"Windows", windowsToJson(s.windows, nowMs)}});
    }
    QJsonArray plan;
    for (const SwitchItem &i : switchPlan)
        plan.append(QJsonObject{{"Name", i.name}, {"TimeInSeconds", i.seconds}});
    QJsonArray userArray;
    for (const User &u : users) {
        QJsonObject o{{"UserName", u.name}, {"Role", u.role}, {"PasswordMd5", u.md5}};
        if (!u.plain.isNull())
            o.insert("Password", u.plain);
        userArray.append(o);
    }
    QJsonArray sessionArray;
    for (const Session &s : sessions) {
        sessionArray.append(
            QJsonObject{{"SessionId", s.id}, {"UserName", s.user}, {"Role", s.role}, {"Family", s.family}});
    }
    return QJsonObject{
        {"Name", name},
        {"Version", version},
        {"Language", language},
        {"CpuUsage", cpuUsage},
        {"ScrIndex", scrIndex},
        {"DontUseMainScr", dontUseMainScr},
        {"Groups", groupArray},
        {"Resources", res},
        {"Applications", apps},
        {"Scenes", sceneArray},
        {"QuickSwitch", QJsonObject{{"Running", switchRunning}, {"ModalList", plan}}},
        {"Caption", QJsonObject{{"Text", caption.text},
                                {"TextColor", caption.textColor},
                                {"BgColor", caption.bgColor},
                                {"Alpha", caption.alpha},
                                {"ScrollSpeed", caption.scrollSpeed},
                                {"FontSize", caption.fontSize},
                                {"FontName", caption.fontName},
                                {"ShowOsd", caption.show ? 1 : 0},
                                {"ScrRange", intArray(caption.scrRange)}}},
        {"Fonts", QJsonArray::fromStringList(fonts)},
        {"Music", QJsonObject{{"Volume", musicVolume},
                              {"IsPlaying", musicPlaying ? 1 : 0},
                              {"MusicList", QJsonArray::fromStringList(musicList)}}},
        {"Users", userArray},
        {"Sessions", sessionArray},
        {"Mouse", QJsonObject{{"X", mouse.x},
                              {"Y", mouse.y},
                              {"LastType", mouse.lastType},
                              {"LastKey", mouse.lastKey},
                              {"LastModifiers", mouse.lastModifiers},
                              {"Events", mouse.events},
                              {"LeftDown", mouse.leftDown ? 1 : 0},
                              {"OtherDown", mouse.otherDown ? 1 : 0},
                              {"KeysDown", intArray(mouse.keysDown)},
                              {"Recent", mouse.recent}}},
    };
}

static QStringList stringList(const QJsonValue &v)
{
    QStringList out;
    const QJsonArray a = v.toArray();
    for (const QJsonValue &e : a)
        out.append(e.toString());
    return out;
}

static QList<Window> windowsFromJson(const QJsonValue &v, qint64 nowMs)
{
    QList<Window> out;
    const QJsonArray a = v.toArray();
    for (const QJsonValue &e : a)
        out.append(ControllerState::windowFromJson(e.toObject(), nowMs));
    return out;
}

void ControllerState::apply(const QJsonObject &json, qint64 nowMs)
{
    if (json.contains("Name"))
        name = json.value("Name").toString();
    if (json.contains("Version"))
        version = json.value("Version").toString();
    if (json.contains("Language"))
        language = json.value("Language").toInt();
    if (json.contains("CpuUsage"))
        cpuUsage = json.value("CpuUsage").toInt();
    if (json.contains("DontUseMainScr"))
        dontUseMainScr = json.value("DontUseMainScr").toBool();
    if (json.contains("Groups")) {
        groups.clear();
        const QJsonArray a = json.value("Groups").toArray();
        for (const QJsonValue &v : a) {
            const QJsonObject o = v.toObject();
            Group g;
            g.name = o.value("Name").toString();
            g.rows = qMax(1, o.value("ScrRows").toInt(1));
            g.cols = qMax(1, o.value("ScrCols").toInt(1));
            g.customWidth = intList(o.value("CustomWidth"));
            g.customHeight = intList(o.value("CustomHeight"));
            int sumW = 0, sumH = 0;
            for (int w : g.customWidth)
                sumW += w;
            for (int h : g.customHeight)
                sumH += h;
            g.width = o.value("Width").toInt(sumW > 0 ? sumW : 1920 * g.cols);
            g.height = o.value("Height").toInt(sumH > 0 ? sumH : 1080 * g.rows);
            g.windows = windowsFromJson(o.value("Windows"), nowMs);
            groups.append(g);
        }
    }
    if (json.contains("ScrIndex"))
        scrIndex = json.value("ScrIndex").toInt();
    if (scrIndex < 0 || scrIndex >= groups.size())
        scrIndex = 0;
    if (json.contains("Resources")) {
        const QJsonObject res = json.value("Resources").toObject();
        for (int c = 0; c < CatCount; ++c) {
            const QString key = QLatin1String(kCategories[c].resType);
            if (!res.contains(key))
                continue;
            resources[c].clear();
            const QJsonArray a = res.value(key).toArray();
            for (const QJsonValue &v : a) {
                Resource r;
                if (v.isString()) {
                    r.name = v.toString();
                } else {
                    const QJsonObject o = v.toObject();
                    r.name = o.value("Name").toString();
                    r.path = o.value("Path").toString();
                    r.duration = o.value("Duration").toInt();
                    r.pages = o.value("Pages").toInt();
                    r.userName = o.value("UserName").toString();
                    r.password = o.value("Password").toString();
                }
                if (c == CatUsb && r.path.isEmpty())
                    r.path = "USB Video";
                if (r.path.isEmpty() && *kCategories[c].folder)
                    r.path = QLatin1String(kCategories[c].folder) + r.name;
                if (c == CatVideo && r.duration <= 0)
                    r.duration = videoLength(r.name);
                resources[c].append(r);
            }
        }
    }
    if (json.contains("Applications")) {
        applications.clear();
        const QJsonArray a = json.value("Applications").toArray();
        for (const QJsonValue &v : a)
            applications.append({v.toObject().value("Title").toString(), v.toObject().value("Hwnd").toInt()});
    }
    if (json.contains("Scenes")) {
        scenes.clear();
        const QJsonArray a = json.value("Scenes").toArray();
        for (const QJsonValue &v : a) {
            const QJsonObject o = v.toObject();
            Scene s;
            s.name = o.value("Name").toString();
            s.group = qMax(0, o.value("Group").toInt());
            s.screenGroup = o.value("ScreenGroup").toInt(s.group + 1);
            s.windows = windowsFromJson(o.value("Windows"), nowMs);
            scenes.append(s);
        }
    }
    if (json.contains("QuickSwitch")) {
        const QJsonObject o = json.value("QuickSwitch").toObject();
        switchPlan.clear();
        const QJsonArray a = o.value("ModalList").toArray();
        for (const QJsonValue &v : a)
            switchPlan.append(
                {v.toObject().value("Name").toString(), v.toObject().value("TimeInSeconds").toInt()});
        switchRunning = o.value("Running").toBool() && !switchPlan.isEmpty();
        restartRotation(nowMs);
    }
    if (json.contains("Caption")) {
        const QJsonObject o = json.value("Caption").toObject();
        caption.text = o.value("Text").toString();
        caption.textColor = o.value("TextColor").toString("FFFFFF");
        caption.bgColor = o.value("BgColor").toString("000000");
        caption.alpha = o.value("Alpha").toInt(255);
        caption.scrollSpeed = o.value("ScrollSpeed").toInt(1);
        caption.fontSize = o.value("FontSize").toInt(48);
        caption.fontName = o.value("FontName").toString();
        caption.show = o.value("ShowOsd").toInt() > 0 || o.value("ShowOsd").toBool();
        caption.scrRange = intList(o.value("ScrRange"));
    }
    if (json.contains("Fonts"))
        fonts = stringList(json.value("Fonts"));
    if (json.contains("Music")) {
        const QJsonObject o = json.value("Music").toObject();
        musicVolume = o.value("Volume").toInt(50);
        musicPlaying = o.value("IsPlaying").toInt() != 0 || o.value("IsPlaying").toBool();
        musicList = stringList(o.value("MusicList"));
    }
    if (json.contains("Users")) {
        users.clear();
        const QJsonArray a = json.value("Users").toArray();
        for (const QJsonValue &v : a) {
            const QJsonObject o = v.toObject();
            User u;
            u.name = o.value("UserName").toString();
            u.role = o.value("Role").toInt(1);
            if (o.contains("Password")) {
                u.plain = o.value("Password").toString("");
                u.md5 = md5Hex(u.plain);
            } else {
                u.md5 = o.value("PasswordMd5").toString().toLower();
            }
            users.append(u);
        }
    }
    if (json.contains("Sessions")) {
        sessions.clear();
        const QJsonArray a = json.value("Sessions").toArray();
        for (const QJsonValue &v : a) {
            const QJsonObject o = v.toObject();
            sessions.append({o.value("SessionId").toString(), o.value("UserName").toString(),
                             o.value("Role").toInt(1), o.value("Family").toInt()});
        }
    }
    if (json.contains("Mouse")) {
        const QJsonObject o = json.value("Mouse").toObject();
        mouse = MouseState();
        mouse.x = o.value("X").toInt();
        mouse.y = o.value("Y").toInt();
    }
    // Video windows without a length take the length of their current item.
    auto fixLengths = [this](QList<Window> &windows) {
        for (Window &w : windows) {
            if (w.type == 0 && w.totalTime <= 0 && !w.resList.isEmpty())
                w.totalTime = videoLength(w.resList.value(w.index).name);
            if (w.type == 3 && w.pageCount <= 0) {
                const Resource *r = findResource(CatOffice, w.name);
                w.pageCount = r && r->pages > 0 ? r->pages : 10;
            }
        }
    };
    for (Group &g : groups)
        fixLengths(g.windows);
    for (Scene &s : scenes)
        fixLengths(s.windows);
}

// --- Look-ups -------------------------------------------------------------------------------

Group *ControllerState::group(int index)
{
    return index >= 0 && index < groups.size() ? &groups[index] : nullptr;
}

const Group *ControllerState::group(int index) const
{
    return index >= 0 && index < groups.size() ? &groups[index] : nullptr;
}

Window *ControllerState::findWindow(int groupIndex, int id)
{
    Group *g = group(groupIndex);
    if (!g)
        return nullptr;
    for (Window &w : g->windows) {
        if (w.id == id)
            return &w;
    }
    return nullptr;
}

Window *ControllerState::findWindowAnywhere(int id, int *groupIndex)
{
    if (Window *w = findWindow(scrIndex, id)) {
        if (groupIndex)
            *groupIndex = scrIndex;
        return w;
    }
    for (int i = 0; i < groups.size(); ++i) {
        if (Window *w = findWindow(i, id)) {
            if (groupIndex)
                *groupIndex = i;
            return w;
        }
    }
    return nullptr;
}

Resource *ControllerState::findResource(int category, const QString &resName)
{
    if (category < 0 || category >= CatCount)
        return nullptr;
    for (Resource &r : resources[category]) {
        if (r.name == resName)
            return &r;
    }
    return nullptr;
}

const Resource *ControllerState::findResourceAnyCategory(const QString &resName, int *category) const
{
    static const int order[] = {CatVideo,    CatPicture, CatOffice, CatWeb,
                                CatNetVideo, CatOther,   CatMusic,  CatUsb};
    for (int c : order) {
        for (const Resource &r : resources[c]) {
            if (r.name == resName) {
                if (category)
                    *category = c;
                return &r;
            }
        }
    }
    return nullptr;
}

Scene *ControllerState::findScene(const QString &sceneName)
{
    for (Scene &s : scenes) {
        if (s.name == sceneName)
            return &s;
    }
    return nullptr;
}

User *ControllerState::findUser(const QString &userName)
{
    for (User &u : users) {
        if (u.name == userName)
            return &u;
    }
    return nullptr;
}

Session *ControllerState::findSession(const QString &id)
{
    if (id.isEmpty())
        return nullptr;
    for (Session &s : sessions) {
        if (s.id == id)
            return &s;
    }
    return nullptr;
}

QString ControllerState::appTitle(int hwnd) const
{
    for (const auto &app : applications) {
        if (app.second == hwnd)
            return app.first;
    }
    return QString();
}

int ControllerState::videoLength(const QString &videoName) const
{
    for (const Resource &r : resources[CatVideo]) {
        if (r.name == videoName && r.duration > 0)
            return r.duration;
    }
    // A stable made-up length between 1 and 10 minutes.
    const QByteArray h = QCryptographicHash::hash(videoName.toUtf8(), QCryptographicHash::Md5);
    return 60 + (uchar(h.at(0)) * 256 + uchar(h.at(1))) % 541;
}

// --- Remote mouse and keyboard -------------------------------------------------------------

void MouseState::apply(int type, int px, int py, int key, int modifiers)
{
    if (type <= 6) {
        x = px;
        y = py;
    } else {
        lastKey = key;
        lastModifiers = modifiers;
    }
    switch (type) {
    case 1:
    case 3:
        leftDown = true;
        break;
    case 2:
        leftDown = false;
        break;
    case 4:
    case 6:
        otherDown = true;
        break;
    case 5:
        otherDown = false;
        break;
    case 7:
        if (!keysDown.contains(key)) // a key held down repeats its press
            keysDown.append(key);
        break;
    case 8:
        keysDown.removeAll(key);
        break;
    default:
        break;
    }
    lastType = type;
    ++events;
}

// --- Scenes and rotation --------------------------------------------------------------------

bool ControllerState::loadScene(const QString &sceneName, qint64 nowMs)
{
    Scene *s = findScene(sceneName);
    if (!s)
        return false;
    Group *g = group(s->group);
    if (!g)
        return false;
    // The controller opens the windows anew: new ids, playback from the start.
    g->windows.clear();
    for (Window w : qAsConst(s->windows)) {
        do
            lastWindowId = lastWindowId >= 32767 ? 1 : lastWindowId + 1;
        while (std::any_of(g->windows.cbegin(), g->windows.cend(),
                           [this](const Window &open) { return open.id == lastWindowId; }));
        w.id = lastWindowId;
        w.index = 0;
        w.setPosition(0, nowMs);
        w.playing = true;
        if (w.type == 0 && !w.resList.isEmpty())
            w.totalTime = videoLength(w.resList.first().name);
        g->windows.append(w);
    }
    scrIndex = s->group;
    return true;
}

namespace {
qint64 stepMs(const SwitchItem &item)
{
    return qint64(qMax(1, item.seconds)) * 1000;
}
} // namespace

void ControllerState::restartRotation(qint64 nowMs)
{
    switchStartedMs = nowMs;
    switchApplied = -1;
}

QStringList ControllerState::advanceRotation(qint64 nowMs)
{
    QStringList loaded;
    if (!switchRunning || switchPlan.isEmpty())
        return loaded;
    const int count = switchPlan.size();
    qint64 cycleMs = 0;
    for (const SwitchItem &item : qAsConst(switchPlan))
        cycleMs += stepMs(item);
    const qint64 elapsed = qMax<qint64>(0, nowMs - switchStartedMs);
    qint64 t = elapsed % cycleMs;
    int index = 0;
    while (t >= stepMs(switchPlan.at(index))) {
        t -= stepMs(switchPlan.at(index));
        ++index;
    }
    const qint64 due = elapsed / cycleMs * count + index;
    // Every scene whose turn came is loaded in turn, each at the moment its turn began.
    for (qint64 step = qMax(switchApplied + 1, due - count + 1); step <= due; ++step) {
        qint64 beganMs = switchStartedMs + step / count * cycleMs;
        for (int i = 0; i < int(step % count); ++i)
            beganMs += stepMs(switchPlan.at(i));
        const QString scene = switchPlan.at(int(step % count)).name;
        if (loadScene(scene, beganMs))
            loaded.append(scene);
    }
    switchApplied = qMax(switchApplied, due);
    return loaded;
}

qint64 ControllerState::msToNextRotation(qint64 nowMs) const
{
    if (!switchRunning || switchPlan.isEmpty())
        return -1;
    qint64 cycleMs = 0;
    for (const SwitchItem &item : switchPlan)
        cycleMs += stepMs(item);
    qint64 t = qMax<qint64>(0, nowMs - switchStartedMs) % cycleMs;
    for (const SwitchItem &item : switchPlan) {
        if (t < stepMs(item))
            return stepMs(item) - t;
        t -= stepMs(item);
    }
    return 1;
}

} // namespace sim
