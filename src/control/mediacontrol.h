#pragma once

// The rules of the media panel without its widgets: what each kind of window offers, what
// each control sends to the controller, the time texts and the playback values read back.

#include <QJsonObject>
#include <QString>
#include <QVector>
#include <optional>

namespace control {

// What the time slider and its text mean (the panel mode).
enum class PanelMode { Web = 0, Video = 1, Office = 2, Picture = 3, LiveVideo = 4 };

// The controls a panel mode enables or disables.
enum class Control {
    Prev,
    Next,
    Play,
    PageUp,
    PageDown,
    ZoomIn,
    ZoomOut,
    Expand,
    Restore,
    AudioMute,
    Volume,
    TimeSlider,
    TimeText,
    VideoIcon,
};
constexpr int kControlCount = int(Control::VideoIcon) + 1;

// How the panel is set up for a kind of window.
struct ModeLayout
{
    enum class Query { None, Video, Picture };

    PanelMode mode = PanelMode::Video;
    Query query = Query::None;
    bool volumeShown = false; // widgetVolume
    bool timeShown = false;   // widgetVideoCtrl
    // Every control of the list is set: these enabled, the others disabled. The volume
    // slider is enabled only while the window is not muted.
    QVector<Control> enabled;
    // The time slider's range (when the time group is shown).
    int sliderMin = 0;
    int sliderMax = 0;
    bool isEnabled(Control c) const { return enabled.contains(c); }
};

// The layout for a window type; none for the types the panel leaves as it was (other
// documents 5, applications 9, and any code it does not know, such as 7).
std::optional<ModeLayout> layoutForType(int winType);

// The panel's actions.
enum class Action {
    Prev,
    Next,
    Pause,
    Resume,
    Volume,
    AudioOff,
    AudioOn,
    Seek,
    Expand,
    Restore,
    ZoomIn,
    ZoomOut,
    PageUp,
    PageDown,
};

// The control request of an action for a window of a type: "Command" ("VideoCtrl",
// "PptCtrl" or "WebCtrl"), "WindowId", "CtrlCmd" and the action's own key ("Value" for
// Volume, "TimeInSecond" for Seek, "Flag" for Expand and Restore of the video family). None
// when the type has no such control: nothing is sent then.
std::optional<QJsonObject> actionRequest(int winType, uint windowId, Action action, int value = 0);

// Types 0, 1, 4, 6 and 7: controlled with "VideoCtrl".
bool isVideoFamily(int winType);

// The text under the time slider: video mode "hh:mm:ss/hh:mm:ss" (position / length);
// picture and live-video mode the interval text; none in web and Office mode (the text is
// left as it is).
std::optional<QString> timeText(PanelMode mode, int value, int totalTime);

// The show time a live-video window is shown with when the controller does not say.
constexpr int kFallbackShowTime = 10;

// The playback values of a video or live-video window ("GetVideoParams").
struct VideoParams
{
    bool muted = false;
    bool playing = true;
    int totalTime = 0;
    int curTime = 0;
    int volume = 0;
    int showTime = kFallbackShowTime;
};

// Read from a reply that arrived: each value a JSON number, 0 when absent or not a number.
VideoParams videoParamsFromReply(const QJsonObject &reply);

// The interval of a picture window ("GetPictureParams"): "Interval", 0 when absent or not a
// number.
int pictureIntervalFromReply(const QJsonObject &reply);

// "GetVideoParams&WindowId=<id>" and "GetPictureParams&WindowId=<id>".
QString videoParamsQuery(uint windowId);
QString pictureParamsQuery(uint windowId);

} // namespace control
