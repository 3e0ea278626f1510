#pragma once

#include "sim/controllerstate.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

// The picture a screen group shows, as the controller streams it: the monitor grid, every
// open window as a filled rectangle with its name, and a running clock. It is drawn from a
// snapshot of the controller state only, so whatever else the wall shows (caption, playback
// state, the remote pointer) goes into the snapshot first and is drawn from there.
namespace sim {

// Stream index of the independent-screens view ("/screenlive-1").
constexpr int kIndependentScreens = -1;

struct WallSnapshot
{
    struct Item
    {
        int id = 0;
        int type = 0;
        Rect rect; // wall pixels, right and bottom exclusive
        QString name;
        QString status; // what the window plays (playbackStatus), under the name
    };

    int index = 0;       // stream index: group 0..3, or kIndependentScreens
    bool exists = false; // the group is configured on the controller
    QString groupName;
    int width = 1920, height = 1080; // wall pixels
    QList<int> colWidths, rowHeights;
    QList<Item> windows; // stacking order, last = topmost
    qint64 clockMs = 0;  // local wall-clock time shown, milliseconds since the epoch
};

// Copies what the picture of stream `index` shows out of the state; `controllerMs` is the
// controller's clock that playback positions follow.
WallSnapshot wallSnapshot(const ControllerState &state, int index, qint64 clockMs, qint64 controllerMs = 0);

// One line of what a window plays at `nowMs`, so that the wall shows what the media panel
// changed: a video's state, position / length and sound, a live video's show time and sound,
// pictures' item and interval, an Office document's page, a web page's zoom and scrolling.
// Empty for the kinds that have none.
QString playbackStatus(const Window &window, qint64 nowMs);

// Size of the streamed picture: the wall's aspect ratio fitted into `bound`, even sides.
QSize pictureSize(const WallSnapshot &snapshot, const QSize &bound);

// Fill colour of a window of that type, the same on every picture.
QColor windowColor(int windowType);

// Draws the picture (QImage::Format_RGB32) at `size`.
QImage renderWall(const WallSnapshot &snapshot, const QSize &size);

} // namespace sim
