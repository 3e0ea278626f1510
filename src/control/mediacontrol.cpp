#include "control/mediacontrol.h"

#include <QCoreApplication>

namespace control {

namespace {

ModeLayout videoLayout(PanelMode mode)
{
    ModeLayout layout;
    layout.mode = mode;
    layout.query = ModeLayout::Query::Video;
    layout.volumeShown = true;
    layout.timeShown = true;
    layout.enabled = {Control::Prev,       Control::Next,     Control::AudioMute,
                      Control::Volume,     Control::Expand,   Control::Restore,
                      Control::TimeSlider, Control::TimeText, Control::VideoIcon};
    if (mode == PanelMode::Video) {
        layout.enabled.append(Control::Play);
        layout.sliderMin = 0; // up to the video's length
    } else {
        layout.sliderMin = 5;
        layout.sliderMax = 30;
    }
    return layout;
}

// The controller's command of each column of the action table.
enum class Family { None, Video, Office, Web };

Family familyOf(int winType)
{
    if (isVideoFamily(winType))
        return Family::Video;
    if (winType == 3)
        return Family::Office;
    if (winType == 2)
        return Family::Web;
    return Family::None;
}

struct Entry
{
    const char *ctrl;
    const char *key; // the action's own key, or nullptr
    int keyValue;    // for a fixed key ("Flag"); -1: the action's value
};

std::optional<Entry> videoEntry(Action action)
{
    switch (action) {
    case Action::Prev:
        return Entry{"Prev", nullptr, 0};
    case Action::Next:
        return Entry{"Next", nullptr, 0};
    case Action::Pause:
        return Entry{"Pause", nullptr, 0};
    case Action::Resume:
        return Entry{"Resume", nullptr, 0};
    case Action::Volume:
        return Entry{"SetVolume", "Value", -1};
    case Action::AudioOff:
        return Entry{"AudioOff", nullptr, 0};
    case Action::AudioOn:
        return Entry{"AudioOn", nullptr, 0};
    case Action::Seek:
        return Entry{"SetTime", "TimeInSecond", -1};
    case Action::Expand:
        return Entry{"FullScreen", "Flag", 1};
    case Action::Restore:
        return Entry{"FullScreen", "Flag", 0};
    default:
        return std::nullopt;
    }
}

std::optional<Entry> officeEntry(Action action)
{
    if (action == Action::Prev)
        return Entry{"PrevPage", nullptr, 0};
    if (action == Action::Next)
        return Entry{"NextPage", nullptr, 0};
    return std::nullopt;
}

std::optional<Entry> webEntry(Action action)
{
    switch (action) {
    case Action::Expand:
        return Entry{"AutoZoom", nullptr, 0};
    case Action::Restore:
        return Entry{"Restore", nullptr, 0};
    case Action::ZoomIn:
        return Entry{"ZoomIn", nullptr, 0};
    case Action::ZoomOut:
        return Entry{"ZoomOut", nullptr, 0};
    case Action::PageUp:
        return Entry{"PageUp", nullptr, 0};
    case Action::PageDown:
        return Entry{"PageDown", nullptr, 0};
    default:
        return std::nullopt;
    }
}

QString clock(int seconds)
{
    return QString::asprintf("%02d:%02d:%02d", seconds / 3600, (seconds % 3600) / 60, seconds % 60);
}

} // namespace

bool isVideoFamily(int winType)
{
    return winType == 0 || winType == 1 || winType == 4 || winType == 6 || winType == 7;
}

std::optional<ModeLayout> layoutForType(int winType)
{
    switch (winType) {
    case 0:
        return videoLayout(PanelMode::Video);
    case 4:
    case 6:
        return videoLayout(PanelMode::LiveVideo);
    case 1: {
        ModeLayout layout;
        layout.mode = PanelMode::Picture;
        layout.query = ModeLayout::Query::Picture;
        layout.timeShown = true;
        layout.enabled = {Control::Prev,    Control::Next,       Control::Play,    Control::Expand,
                          Control::Restore, Control::TimeSlider, Control::TimeText};
        layout.sliderMin = 1;
        layout.sliderMax = 30;
        return layout;
    }
    case 3: {
        ModeLayout layout;
        layout.mode = PanelMode::Office;
        layout.enabled = {Control::Prev, Control::Next};
        return layout;
    }
    case 2: {
        ModeLayout layout;
        layout.mode = PanelMode::Web;
        layout.enabled = {Control::ZoomIn,  Control::ZoomOut, Control::Expand,
                          Control::Restore, Control::PageUp,  Control::PageDown};
        return layout;
    }
    default:
        return std::nullopt;
    }
}

std::optional<QJsonObject> actionRequest(int winType, uint windowId, Action action, int value)
{
    std::optional<Entry> entry;
    const char *command = nullptr;
    switch (familyOf(winType)) {
    case Family::Video:
        entry = videoEntry(action);
        command = "VideoCtrl";
        break;
    case Family::Office:
        entry = officeEntry(action);
        command = "PptCtrl";
        break;
    case Family::Web:
        entry = webEntry(action);
        command = "WebCtrl";
        break;
    case Family::None:
        break;
    }
    if (!entry)
        return std::nullopt;
    QJsonObject request{{QStringLiteral("Command"), QLatin1String(command)},
                        {QStringLiteral("WindowId"), qint64(windowId)},
                        {QStringLiteral("CtrlCmd"), QLatin1String(entry->ctrl)}};
    if (entry->key)
        request.insert(QLatin1String(entry->key), entry->keyValue < 0 ? value : entry->keyValue);
    return request;
}

std::optional<QString> timeText(PanelMode mode, int value, int totalTime)
{
    switch (mode) {
    case PanelMode::Video:
        return clock(value) + QLatin1Char('/') + clock(totalTime);
    case PanelMode::Picture:
    case PanelMode::LiveVideo:
        return QCoreApplication::translate("MainWindow2", "切换间隔 ") + QString::number(value) +
               QCoreApplication::translate("MainWindow2", " 秒");
    case PanelMode::Web:
    case PanelMode::Office:
        break;
    }
    return std::nullopt;
}

VideoParams videoParamsFromReply(const QJsonObject &reply)
{
    VideoParams params;
    params.muted = reply.value(QStringLiteral("IsMute")).toInt(0) == 1;
    params.playing = reply.value(QStringLiteral("IsPlaying")).toInt(0) == 1;
    params.totalTime = reply.value(QStringLiteral("TotalTime")).toInt(0);
    params.curTime = reply.value(QStringLiteral("CurTime")).toInt(0);
    params.volume = reply.value(QStringLiteral("Volume")).toInt(0);
    params.showTime = reply.value(QStringLiteral("ShowTime")).toInt(0);
    return params;
}

int pictureIntervalFromReply(const QJsonObject &reply)
{
    return reply.value(QStringLiteral("Interval")).toInt(0);
}

QString videoParamsQuery(uint windowId)
{
    return QStringLiteral("GetVideoParams&WindowId=") + QString::number(windowId);
}

QString pictureParamsQuery(uint windowId)
{
    return QStringLiteral("GetPictureParams&WindowId=") + QString::number(windowId);
}

} // namespace control
