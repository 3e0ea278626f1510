// Caption, fonts, background music and the remote mouse and keyboard.
#include "sim/commands.h"

#include <QJsonArray>
#include <QRegularExpression>

namespace sim {

namespace {

QString colour(Call &call, const char *key)
{
    const QString text = call.keys.string(key);
    static const QRegularExpression hex("^[0-9A-Fa-f]{6}$");
    if (call.keys.ok() && !hex.match(text).hasMatch())
        call.keys.fail(QString("Key \"%1\" must be six hexadecimal digits RRGGBB, got \"%2\"")
                           .arg(QLatin1String(key), text));
    return text.toUpper();
}

Reply getZevOsd(Call &call)
{
    const Caption &c = call.state().caption;
    return call.ok({{"Text", c.text},
                    {"TextColor", c.textColor},
                    {"BgColor", c.bgColor},
                    {"Alpha", c.alpha},
                    {"ScrollSpeed", c.scrollSpeed},
                    {"FontSize", c.fontSize},
                    {"FontName", c.fontName},
                    {"ShowOsd", c.show ? 1 : 0}});
}

Reply setZevOsdText(Call &call)
{
    Keys &k = call.keys;
    Caption c = call.state().caption;
    c.scrGroup = k.optionalInteger("ScrGroup", c.scrGroup, 0, 4);
    if (k.has("Text"))
        c.text = k.string("Text");
    if (k.has("TextColor"))
        c.textColor = colour(call, "TextColor");
    if (k.has("BgColor"))
        c.bgColor = colour(call, "BgColor");
    c.scrollSpeed = k.optionalInteger("ScrollSpeed", c.scrollSpeed, 0, 5);
    c.alpha = k.optionalInteger("Alpha", c.alpha, 0, 255);
    c.fontSize = k.optionalInteger("FontSize", c.fontSize, 1, 2000);
    if (k.has("FontName")) {
        c.fontName = k.string("FontName", false);
        if (k.ok() && !call.state().fonts.isEmpty() && !call.state().fonts.contains(c.fontName))
            k.fail(
                QString("Font \"%1\" is not installed on the controller (see GetFontName)").arg(c.fontName));
    }
    if (k.has("ScrRange")) {
        const QJsonArray range = k.array("ScrRange");
        if (k.ok() && range.size() != 4)
            k.fail(QString("Key \"ScrRange\" must hold four numbers, got %1").arg(range.size()));
        c.scrRange.clear();
        for (const QJsonValue &v : range)
            c.scrRange.append(v.toInt());
    }
    if (!k.ok())
        return call.refuseKeys();
    // A request with a text starts the caption; one without changes a running caption.
    if (k.has("Text"))
        c.show = true;
    call.state().caption = c;
    return call.ok();
}

Reply clearOsdText(Call &call)
{
    call.keys.optionalInteger("ScrGroup", 1, 0, 4);
    if (!call.keys.ok())
        return call.refuseKeys();
    call.state().caption.show = false;
    return call.ok();
}

Reply getFontName(Call &call)
{
    return call.ok({{"FontList", QJsonArray::fromStringList(call.state().fonts)}});
}

Reply getBgMusicState(Call &call)
{
    const ControllerState &s = call.state();
    return call.ok({{"Volume", s.musicVolume},
                    {"IsPlaying", s.musicPlaying ? 1 : 0},
                    {"MusicList", QJsonArray::fromStringList(s.musicList)}});
}

Reply playBgMusic(Call &call)
{
    const int flag = call.keys.integer("Flag", 0, 1);
    if (!call.keys.ok())
        return call.refuseKeys();
    ControllerState &s = call.state();
    if (flag == 0) {
        s.musicPlaying = false;
        return call.ok();
    }
    const QJsonArray list = call.keys.array("MusicList");
    if (!call.keys.ok())
        return call.refuseKeys();
    QStringList names;
    for (int i = 0; i < list.size(); ++i) {
        if (!list.at(i).isString())
            return call.refuse(QString("MusicList[%1] must be a file name").arg(i));
        if (!s.findResource(CatMusic, list.at(i).toString()))
            return call.refuse(QString("No music file named \"%1\"").arg(list.at(i).toString()));
        names.append(list.at(i).toString());
    }
    s.musicList = names;
    s.musicPlaying = !names.isEmpty();
    return call.ok();
}

Reply setBgMusicVolume(Call &call)
{
    const int volume = call.keys.integer("Volume", 0, 100);
    if (!call.keys.ok())
        return call.refuseKeys();
    call.state().musicVolume = volume;
    return call.ok();
}

Reply mouseKbCtrl(Call &call)
{
    Keys &k = call.keys;
    const int type = k.integer("Type", 0, 8);
    if (!k.ok())
        return call.refuseKeys();
    QJsonObject event{{"Type", type}};
    int x = 0, y = 0, key = 0, modifiers = 0;
    if (type <= 6) {
        x = k.integer("X", 0, 10000);
        y = k.integer("Y", 0, 10000);
        event.insert("X", x);
        event.insert("Y", y);
    } else {
        key = k.integer("Key", 0, 2147483647);
        modifiers = k.integer("Modifiers", 0, 2147483647);
        event.insert("Key", key);
        event.insert("Modifiers", modifiers);
    }
    if (!k.ok())
        return call.refuseKeys();
    call.state().mouse.apply(type, x, y, key, modifiers);
    MouseState &m = call.state().mouse;
    m.recent.append(event);
    while (m.recent.size() > 50)
        m.recent.removeFirst();
    return call.ok();
}

} // namespace

void registerPresentationCommands(QHash<QString, CommandSpec> &t)
{
    t.insert("GetZEVOSD", {getZevOsd});
    t.insert("SetZEVOsdText", {setZevOsdText});
    t.insert("ClearOsdText", {clearOsdText});
    t.insert("GetFontName", {getFontName});
    t.insert("GetBgMusicState", {getBgMusicState});
    t.insert("PlayBgMusic", {playBgMusic});
    t.insert("SetBgMusicVolume", {setBgMusicVolume});
    t.insert("MouseKBCtrl", {mouseKbCtrl});
}

} // namespace sim
