// Screen groups, windows, scenes and the scene rotation.
#include "sim/commands.h"

#include <QJsonArray>

namespace sim {

namespace {

// "ScreenGroup" 1..4 names group 0..3; 0 (the independent-screens view) means the current group.
int groupIndexOf(Call &call, int screenGroup, QString *error)
{
    const int index = screenGroup == 0 ? call.state().scrIndex : screenGroup - 1;
    if (!call.state().group(index)) {
        *error = QString("ScreenGroup %1 does not exist (the controller has %2 screen groups)")
                     .arg(screenGroup)
                     .arg(call.state().groups.size());
        return -1;
    }
    return index;
}

Reply getScrSetting(Call &call)
{
    const ControllerState &s = call.state();
    QJsonArray list;
    for (const Group &g : s.groups)
        list.append(ControllerState::groupToWire(g));
    const Group *current = s.group(s.scrIndex);
    return call.ok({{"ScrIndex", s.scrIndex},
                    {"Rows", current ? current->rows : 0},
                    {"Cols", current ? current->cols : 0},
                    {"DontUseMainScr", s.dontUseMainScr},
                    {"ScrList", list}});
}

Reply getCurWindowList(Call &call)
{
    QJsonArray windows;
    if (const Group *g = call.state().group(call.state().scrIndex)) {
        for (const Window &w : g->windows)
            windows.append(ControllerState::windowToWire(w));
    }
    return call.ok({{"ScrIndex", call.state().scrIndex}, {"Windows", windows}});
}

Reply setCurScreen(Call &call)
{
    const int index = call.keys.integer("Index", 0, qMax(0, call.state().groups.size() - 1));
    if (!call.keys.ok())
        return call.refuseKeys();
    if (call.state().groups.isEmpty())
        return call.refuse("The controller has no screen groups");
    call.state().scrIndex = index;
    return call.ok();
}

// "CustomWidth" or "CustomHeight": empty (an even split) or one whole number of pixels per
// column (row) that add up to the group's width (height): the monitors' size is fixed.
QList<int> sizes(Call &call, const char *key, int count, int total, int groupNumber)
{
    QList<int> out;
    if (!call.keys.has(key))
        return out;
    const bool widths = QLatin1String(key) == QLatin1String("CustomWidth");
    const QJsonArray a = call.keys.array(key);
    if (a.isEmpty())
        return out;
    if (a.size() != count) {
        call.keys.fail(QString("%1 has %2 entries but there are %3 %4")
                           .arg(QLatin1String(key))
                           .arg(a.size())
                           .arg(count)
                           .arg(widths ? "columns" : "rows"));
        return out;
    }
    qint64 sum = 0;
    for (int i = 0; i < a.size(); ++i) {
        const double v = a.at(i).toDouble();
        if (!a.at(i).isDouble() || v < 1 || v > 100000 || int(v) != v) {
            call.keys.fail(QString("%1[%2] must be a whole number of pixels from 1 to 100000")
                               .arg(QLatin1String(key))
                               .arg(i));
            return out;
        }
        out.append(int(v));
        sum += int(v);
    }
    if (sum != total) {
        call.keys.fail(QString("%1 adds up to %2 but screen group %3 is %4 pixels %5")
                           .arg(QLatin1String(key))
                           .arg(sum)
                           .arg(groupNumber)
                           .arg(total)
                           .arg(widths ? "wide" : "high"));
        return QList<int>();
    }
    return out;
}

Reply setScrSetting(Call &call)
{
    Keys &k = call.keys;
    const int index = k.integer("Index", 0, qMax(0, call.state().groups.size() - 1));
    const int rows = k.integer("Rows", 1, 64);
    const int cols = k.integer("Cols", 1, 64);
    const QString name = k.has("Name") ? k.string("Name") : QString();
    if (!k.ok())
        return call.refuseKeys();
    Group *g = call.state().group(index);
    if (!g)
        return call.refuse("The controller has no screen groups");
    const QList<int> widths = sizes(call, "CustomWidth", cols, g->width, index + 1);
    const QList<int> heights =
        k.ok() ? sizes(call, "CustomHeight", rows, g->height, index + 1) : QList<int>();
    if (!k.ok())
        return call.refuseKeys();
    // Nothing changes until every key has been checked.
    g->rows = rows;
    g->cols = cols;
    if (k.has("Name"))
        g->name = name;
    g->customWidth = widths;
    g->customHeight = heights;
    return call.ok();
}

bool readItems(Call &call, const char *key, QList<ResItem> *items)
{
    const QJsonArray a = call.keys.array(key, false);
    for (int i = 0; call.keys.ok() && i < a.size(); ++i) {
        const QJsonObject o = a.at(i).toObject();
        if (!a.at(i).isObject() || !o.value("Name").isString() || o.value("Name").toString().isEmpty()) {
            call.keys.fail(
                QString("%1[%2] must be an object with a non-empty \"Name\"").arg(QLatin1String(key)).arg(i));
            break;
        }
        items->append({o.value("Name").toString(), o.value("Path").toString()});
    }
    return call.keys.ok();
}

Reply newWindow(Call &call)
{
    Keys &k = call.keys;
    Window w;
    w.id = k.integer("WindowId", 0, 32767);
    w.type = k.integer("Type", 0, 9);
    w.rect = k.rect("RealRect");
    if (!k.ok())
        return call.refuseKeys();
    if (w.type == 7 || w.type == 8)
        return call.refuse(QString("Unknown window Type %1 (0 to 6, or 9 for an application)").arg(w.type));
    const int groupIndex = call.state().scrIndex;
    Group *g = call.state().group(groupIndex);
    if (!g)
        return call.refuse("The controller has no screen groups");
    w.sinceMs = call.nowMs;
    switch (w.type) {
    case 0:
        readItems(call, "VideoList", &w.resList);
        break;
    case 4:
        readItems(call, "VideoList", &w.resList);
        w.showTime = k.optionalInteger("ShowTime", 10, 1, 86400);
        w.name = k.optionalString("Name");
        w.path = k.optionalString("Path");
        break;
    case 1:
        readItems(call, "Pictures", &w.resList);
        w.effect = k.optionalInteger("Effect", 0, 0, 100);
        w.fillMode = k.optionalInteger("FillMode", 0, 0, 100);
        w.switchTime = k.optionalInteger("SwitchTime", 0, 0, 86400);
        w.showTime = k.optionalInteger("ShowTime", 10, 0, 86400);
        w.interval = w.showTime > 0 ? w.showTime : 10;
        break;
    case 5:
    case 9:
        w.videoId = k.optionalInteger("VideoId", 0, -1, 2147483647);
        w.name = k.string("Name", false);
        w.path = k.optionalString("Path");
        break;
    default: // 2, 3, 6
        w.name = k.string("Name", false);
        w.path = k.optionalString("Path");
        break;
    }
    if (!k.ok())
        return call.refuseKeys();
    if (w.type == 0)
        w.totalTime = call.state().videoLength(w.resList.first().name);
    if (w.type == 3) {
        const Resource *r = call.state().findResource(CatOffice, w.name);
        w.pageCount = r && r->pages > 0 ? r->pages : 10;
    }
    // A window id that exists already is updated in place (a resent NewWindow).
    if (Window *existing = call.state().findWindow(groupIndex, w.id))
        *existing = w;
    else
        g->windows.append(w);
    return call.ok();
}

Window *windowOrFail(Call &call, int id, QString *error)
{
    Window *w = call.state().findWindowAnywhere(id);
    if (!w)
        *error = QString("No window with WindowId %1").arg(id);
    return w;
}

Reply moveWindow(Call &call)
{
    const int id = call.keys.integer("WindowId", 0, 32767);
    const Rect r = call.keys.rect("RealRect");
    if (!call.keys.ok())
        return call.refuseKeys();
    QString error;
    Window *w = windowOrFail(call, id, &error);
    if (!w)
        return call.refuse(error);
    w->rect = r;
    w->fullScreen = false;
    return call.ok();
}

Reply closeWindow(Call &call)
{
    const int id = call.keys.integer("WindowId", -1, 32767);
    const int screenGroup = call.keys.optionalInteger("ScreenGroup", 0, 0, 4);
    if (!call.keys.ok())
        return call.refuseKeys();
    QString error;
    const int index = groupIndexOf(call, screenGroup, &error);
    if (index < 0)
        return call.refuse(error);
    QList<Window> &windows = call.state().groups[index].windows;
    if (id == -1) {
        windows.clear();
        return call.ok();
    }
    // Closing a window that is not there is no error: the wall ends up as asked.
    for (int i = windows.size() - 1; i >= 0; --i) {
        if (windows.at(i).id == id)
            windows.removeAt(i);
    }
    return call.ok();
}

Reply setWindowPos(Call &call)
{
    const int id = call.keys.integer("WindowId", 0, 32767);
    const QString type = call.keys.string("Type");
    const int screenGroup = call.keys.optionalInteger("ScreenGroup", 0, 0, 4);
    if (!call.keys.ok())
        return call.refuseKeys();
    if (type != "MoveTop" && type != "MoveBottom")
        return call.refuse(QString("Type must be \"MoveTop\" or \"MoveBottom\", got \"%1\"").arg(type));
    QString error;
    const int index = groupIndexOf(call, screenGroup, &error);
    if (index < 0)
        return call.refuse(error);
    QList<Window> &windows = call.state().groups[index].windows;
    for (int i = 0; i < windows.size(); ++i) {
        if (windows.at(i).id != id)
            continue;
        const Window w = windows.takeAt(i);
        if (type == "MoveTop")
            windows.append(w);
        else
            windows.prepend(w);
        return call.ok();
    }
    return call.refuse(QString("No window with WindowId %1 on screen group %2").arg(id).arg(index + 1));
}

Reply getCpuUsage(Call &call)
{
    return call.ok({{"CpuUsage", call.state().cpuUsage}});
}

// --- Scenes ---------------------------------------------------------------------------------

void forgetScenePictures(Call &call, const Scene &s)
{
    call.c.pictures.remove("Scene:" + s.name);
}

Reply getAllModal(Call &call)
{
    QJsonArray names;
    for (const Scene &s : call.state().scenes)
        names.append(s.name);
    return call.ok({{"ModalList", names}});
}

Reply saveModal(Call &call)
{
    const int screenGroup = call.keys.integer("ScreenGroup", 0, 4);
    const QString name = call.keys.string("ModalName", false);
    if (!call.keys.ok())
        return call.refuseKeys();
    QString error;
    const int index = groupIndexOf(call, screenGroup, &error);
    if (index < 0)
        return call.refuse(error);
    Scene s;
    s.name = name;
    s.group = index;
    s.screenGroup = screenGroup;
    s.windows = call.state().groups.at(index).windows;
    if (Scene *existing = call.state().findScene(name)) {
        forgetScenePictures(call, *existing);
        *existing = s;
    } else {
        call.state().scenes.append(s);
    }
    return call.ok();
}

Reply loadModal(Call &call)
{
    const QString name = call.keys.string("ModalName", false);
    if (!call.keys.ok())
        return call.refuseKeys();
    if (!call.state().findScene(name))
        return call.refuse(QString("No scene named \"%1\"").arg(name));
    if (!call.state().loadScene(name, call.nowMs))
        return call.refuse(QString("Scene \"%1\" belongs to a screen group that no longer exists").arg(name));
    return call.ok();
}

Reply removeModal(Call &call)
{
    const QString name = call.keys.string("ModalName", false);
    call.keys.optionalInteger("ScreenGroup", 0, 0, 4);
    if (!call.keys.ok())
        return call.refuseKeys();
    auto &scenes = call.state().scenes;
    for (int i = 0; i < scenes.size(); ++i) {
        if (scenes.at(i).name != name)
            continue;
        const Scene s = scenes.takeAt(i);
        forgetScenePictures(call, s);
        for (int n = 0; n <= 4; ++n)
            call.c.files.remove(QString("/Modals/Group%1/%2.jpg").arg(n).arg(name));
        auto &plan = call.state().switchPlan;
        bool planned = false;
        for (int p = plan.size() - 1; p >= 0; --p) {
            if (plan.at(p).name == name) {
                plan.removeAt(p);
                planned = true;
            }
        }
        // A running rotation starts over with the scenes that remain.
        if (plan.isEmpty())
            call.state().switchRunning = false;
        else if (planned)
            call.state().restartRotation(call.nowMs);
        return call.ok();
    }
    return call.refuse(QString("No scene named \"%1\"").arg(name));
}

Reply setQuickSwitch(Call &call)
{
    const int control = call.keys.integer("Control", 0, 1);
    if (!call.keys.ok())
        return call.refuseKeys();
    ControllerState &s = call.state();
    if (control == 0) {
        s.switchRunning = false;
        return call.ok();
    }
    const QJsonArray list = call.keys.array("ModalList", false);
    if (!call.keys.ok())
        return call.refuseKeys();
    QList<SwitchItem> plan;
    for (int i = 0; i < list.size(); ++i) {
        Keys item(list.at(i).toObject());
        const QString name = item.string("Name", false);
        const int seconds = item.integer("TimeInSeconds", 1, 86400);
        if (!list.at(i).isObject())
            item.fail("it is not an object");
        if (!item.ok())
            return call.refuse(QString("ModalList[%1]: %2").arg(i).arg(item.error()));
        if (!s.findScene(name))
            return call.refuse(QString("ModalList[%1]: no scene named \"%2\"").arg(i).arg(name));
        plan.append({name, seconds});
    }
    // The first scene is loaded before the answer goes out (see Simulator::Impl::handle).
    s.switchPlan = plan;
    s.switchRunning = true;
    s.restartRotation(call.nowMs);
    return call.ok();
}

} // namespace

void registerWallCommands(QHash<QString, CommandSpec> &t)
{
    t.insert("GetScrSetting", {getScrSetting});
    t.insert("GetCurWindowList", {getCurWindowList});
    t.insert("SetCurScreen", {setCurScreen});
    t.insert("SetScrSetting", {setScrSetting});
    t.insert("NewWindow", {newWindow});
    t.insert("MoveWindow", {moveWindow});
    t.insert("CloseWindow", {closeWindow});
    t.insert("SetWindowPos", {setWindowPos});
    t.insert("GetCpuUsage", {getCpuUsage});
}

void registerSceneCommands(QHash<QString, CommandSpec> &t)
{
    t.insert("GetAllModal", {getAllModal});
    t.insert("SaveModal", {saveModal});
    t.insert("LoadModal", {loadModal});
    t.insert("RemoveModal", {removeModal});
    t.insert("SetQuickSwitch", {setQuickSwitch});
}

} // namespace sim
