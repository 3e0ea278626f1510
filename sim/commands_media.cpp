// Resource catalogue, application windows and playback control of windows.
#include "sim/commands.h"
#include "sim/thumbnails.h"

#include <QJsonArray>

namespace sim {

namespace {

Reply listOf(Call &call, int category)
{
    QJsonArray list;
    for (const Resource &r : call.state().resources[category]) {
        if (category == CatUsb)
            list.append(r.name);
        else
            list.append(QJsonObject{{"Name", r.name}, {"Path", r.path}});
    }
    return call.ok({{QLatin1String(categoryInfo(category).listKey), list}});
}

// The list command of one category.
template<int Category>
Reply listCommand(Call &call)
{
    return listOf(call, Category);
}

Reply getSysWindows(Call &call)
{
    QJsonArray list;
    for (const auto &app : call.state().applications)
        list.append(QJsonObject{{"Title", app.first}, {"Hwnd", app.second}});
    return call.ok({{"WndList", list}});
}

Reply getWndPreview(Call &call)
{
    const int hwnd = call.keys.integer("Hwnd", -2147483647, 2147483647);
    if (!call.keys.ok())
        return call.refuseKeys();
    const QString title = call.state().appTitle(hwnd);
    if (title.isNull())
        return call.refuse(QString("No application window with Hwnd %1").arg(hwnd));
    const QString key = QString("app:%1:%2").arg(hwnd).arg(title);
    QByteArray &jpeg = call.c.pictures[key];
    if (jpeg.isEmpty())
        jpeg = thumbnails::applicationPreview(title, hwnd);
    Reply r;
    r.body = jpeg;
    r.contentType = "image/jpeg";
    return r;
}

Reply addResource(Call &call)
{
    Keys &k = call.keys;
    const QString resType = k.string("ResType");
    const QString name = k.string("ResName", false);
    const QString path = k.string("ResPath");
    const QString userName = k.optionalString("UserName");
    const QString password = k.optionalString("Password");
    if (!k.ok())
        return call.refuseKeys();
    const int category = categoryFromResType(resType);
    if (category < 0 || category == CatUsb)
        return call.refuse(
            QString("Unknown ResType \"%1\" (Video, Picture, WEB, Office, NetVideo, Other or Music)")
                .arg(resType));
    Resource r;
    r.name = name;
    const QString folder = QLatin1String(categoryInfo(category).folder);
    if (folder.isEmpty()) {
        if (path.isEmpty())
            return call.refuse("Key \"ResPath\" must hold the address of the web page or stream");
        r.path = path;
        r.userName = userName;
        r.password = password;
    } else {
        r.path = folder + name;
        if (!call.c.files.contains(r.path))
            return call.refuse(QString("File %1 was not uploaded: upload it before AddResource").arg(r.path));
    }
    if (category == CatVideo || category == CatMusic)
        r.duration = call.state().videoLength(name);
    if (category == CatOffice)
        r.pages = 4 + int(qHash(name) % 20);
    call.c.pictures.remove(QString("res:%1:%2").arg(category).arg(name));
    if (Resource *existing = call.state().findResource(category, name))
        *existing = r;
    else
        call.state().resources[category].append(r);
    return call.ok();
}

Reply delResource(Call &call)
{
    const QString resType = call.keys.string("ResType");
    const QString name = call.keys.string("ResName");
    if (!call.keys.ok())
        return call.refuseKeys();
    const int category = categoryFromResType(resType);
    if (category < 0 || category == CatUsb)
        return call.refuse(
            QString("Unknown ResType \"%1\" (Video, Picture, WEB, Office, NetVideo, Other or Music)")
                .arg(resType));
    QList<Resource> &list = call.state().resources[category];
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i).name != name)
            continue;
        const Resource r = list.takeAt(i);
        if (*categoryInfo(category).folder)
            call.c.files.remove(r.path);
        call.c.pictures.remove(QString("res:%1:%2").arg(category).arg(name));
        if (category == CatMusic)
            call.state().musicList.removeAll(name);
        return call.ok();
    }
    return call.refuse(QString("No %1 resource named \"%2\"").arg(resType, name));
}

// --- Playback -------------------------------------------------------------------------------

Window *targetWindow(Call &call)
{
    const int id = call.keys.integer("WindowId", 0, 32767);
    if (!call.keys.ok())
        return nullptr;
    Window *w = call.state().findWindowAnywhere(id);
    if (!w)
        call.keys.fail(QString("No window with WindowId %1").arg(id));
    return w;
}

Reply getVideoParams(Call &call)
{
    const Window *w = targetWindow(call);
    if (!w)
        return call.refuseKeys();
    return call.ok({{"WindowId", w->id},
                    {"IsMute", w->muted ? 1 : 0},
                    {"IsPlaying", w->isPlaying(call.nowMs) ? 1 : 0},
                    {"TotalTime", w->type == 0 ? w->totalTime : 0},
                    {"CurTime", w->currentTime(call.nowMs)},
                    {"Volume", w->volume},
                    {"ShowTime", w->showTime}});
}

Reply getPictureParams(Call &call)
{
    const Window *w = targetWindow(call);
    if (!w)
        return call.refuseKeys();
    return call.ok({{"WindowId", w->id}, {"Interval", w->interval}, {"Index", w->index}});
}

Reply wrongType(Call &call, const Window &w)
{
    return call.refuse(QString("%1 does not apply to window %2, a %3 window (type %4)")
                           .arg(call.command)
                           .arg(w.id)
                           .arg(windowTypeName(w.type))
                           .arg(w.type));
}

Reply unknownCtrl(Call &call, const QString &ctrl, const char *known)
{
    return call.refuse(
        QString("Unknown CtrlCmd \"%1\" for %2 (%3)").arg(ctrl, call.command, QLatin1String(known)));
}

void step(Call &call, Window &w, int delta)
{
    const int n = w.resList.size();
    if (n == 0)
        return;
    w.index = ((w.index + delta) % n + n) % n;
    if (w.type == 0) {
        w.totalTime = call.state().videoLength(w.resList.at(w.index).name);
        w.setPosition(0, call.nowMs);
    }
}

void setFullScreen(Call &call, Window &w, bool on)
{
    const Group *g = call.state().group(call.state().scrIndex);
    if (on && !w.fullScreen && g) {
        w.restoreRect = w.rect;
        w.rect = Rect{0, 0, g->width, g->height};
        w.fullScreen = true;
    } else if (!on && w.fullScreen) {
        w.rect = w.restoreRect;
        w.fullScreen = false;
    }
}

Reply videoCtrl(Call &call)
{
    Window *w = targetWindow(call);
    const QString ctrl = call.keys.string("CtrlCmd");
    if (!call.keys.ok())
        return call.refuseKeys();
    if (w->type != 0 && w->type != 1 && w->type != 4 && w->type != 6 && w->type != 7)
        return wrongType(call, *w);
    if (ctrl == "Prev" || ctrl == "Next") {
        step(call, *w, ctrl == "Next" ? 1 : -1);
    } else if (ctrl == "Pause" || ctrl == "Resume") {
        w->setPlaying(ctrl == "Resume", call.nowMs);
    } else if ((ctrl == "AudioOff" || ctrl == "AudioOn" || ctrl == "SetVolume") && w->type == 1) {
        return call.refuse(
            QString("%1 does not apply to window %2: a picture window has no sound").arg(ctrl).arg(w->id));
    } else if (ctrl == "AudioOff" || ctrl == "AudioOn") {
        w->muted = ctrl == "AudioOff";
    } else if (ctrl == "SetVolume") {
        const int value = call.keys.integer("Value", 0, 100);
        if (!call.keys.ok())
            return call.refuseKeys();
        w->volume = value;
    } else if (ctrl == "SetTime") {
        // The position of a video, the switching interval of pictures, the show time of live video.
        const int max = w->type == 0 ? qMax(0, w->totalTime) : 86400;
        const int value = call.keys.integer("TimeInSecond", w->type == 0 ? 0 : 1, max);
        if (!call.keys.ok())
            return call.refuseKeys();
        if (w->type == 0)
            w->setPosition(value, call.nowMs);
        else if (w->type == 1)
            w->interval = value;
        else
            w->showTime = value;
    } else if (ctrl == "FullScreen") {
        const int flag = call.keys.integer("Flag", 0, 1);
        if (!call.keys.ok())
            return call.refuseKeys();
        setFullScreen(call, *w, flag == 1);
    } else {
        return unknownCtrl(call, ctrl,
                           "Prev, Next, Pause, Resume, SetVolume, AudioOff, AudioOn, SetTime, FullScreen");
    }
    return call.ok();
}

Reply pptCtrl(Call &call)
{
    Window *w = targetWindow(call);
    const QString ctrl = call.keys.string("CtrlCmd");
    if (!call.keys.ok())
        return call.refuseKeys();
    if (w->type != 3)
        return wrongType(call, *w);
    if (ctrl == "PrevPage")
        w->page = qMax(1, w->page - 1);
    else if (ctrl == "NextPage")
        w->page = qMin(qMax(1, w->pageCount), w->page + 1);
    else
        return unknownCtrl(call, ctrl, "PrevPage, NextPage");
    return call.ok();
}

Reply webCtrl(Call &call)
{
    Window *w = targetWindow(call);
    const QString ctrl = call.keys.string("CtrlCmd");
    if (!call.keys.ok())
        return call.refuseKeys();
    if (w->type != 2)
        return wrongType(call, *w);
    if (ctrl == "ZoomIn") {
        w->zoom = qMin(400, w->zoom + 10);
    } else if (ctrl == "ZoomOut") {
        w->zoom = qMax(25, w->zoom - 10);
    } else if (ctrl == "PageUp") {
        w->scroll = qMax(0, w->scroll - 1);
    } else if (ctrl == "PageDown") {
        w->scroll += 1;
    } else if (ctrl == "AutoZoom") {
        setFullScreen(call, *w, true);
    } else if (ctrl == "Restore") {
        setFullScreen(call, *w, false);
        w->zoom = 100;
    } else {
        return unknownCtrl(call, ctrl, "AutoZoom, Restore, ZoomIn, ZoomOut, PageUp, PageDown");
    }
    return call.ok();
}

} // namespace

void registerMediaCommands(QHash<QString, CommandSpec> &t)
{
    t.insert("GetVideoList", {listCommand<CatVideo>});
    t.insert("GetUSBVideoList", {listCommand<CatUsb>});
    t.insert("GetPicList", {listCommand<CatPicture>});
    t.insert("GetDocList", {listCommand<CatOther>});
    t.insert("GetWebList", {listCommand<CatWeb>});
    t.insert("GetPptList", {listCommand<CatOffice>});
    t.insert("GetNetVideoList", {listCommand<CatNetVideo>});
    t.insert("GetAudioList", {listCommand<CatMusic>});
    t.insert("GetSysWindows", {getSysWindows});
    t.insert("GetWndPreview", {getWndPreview});
    t.insert("AddResource", {addResource});
    t.insert("DelResource", {delResource});
    t.insert("GetVideoParams", {getVideoParams});
    t.insert("GetPictureParams", {getPictureParams});
    t.insert("VideoCtrl", {videoCtrl});
    t.insert("PptCtrl", {pptCtrl});
    t.insert("WebCtrl", {webCtrl});
}

} // namespace sim
