#pragma once

#include "sim/controllerstate.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>
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

    // The scrolling caption, on the group it runs on.
    struct Caption
    {
        bool shown = false;
        QString text, fontName;
        QColor textColor, bandColor; // the band's alpha is the caption's transparency
        int scrollSpeed = 0;         // 0 still, 1..5 faster and faster
        int fontSize = 48;           // wall pixels
        QRect area;                  // where the band may be, wall pixels
    } caption;

    // The controller's mouse pointer, on the current group once remote input moved it.
    struct Pointer
    {
        bool shown = false;
        int x = 0, y = 0; // wall pixels
        bool buttonDown = false;
        QList<int> keysDown;
    } pointer;
};

// Where the caption's band lies on the wall and where its text starts at `clockMs`: a band
// as high as the text at the bottom of the caption's area; a scrolling text enters at the
// right edge and leaves at the left, round and round, `scrollSpeed` x 200 wall pixels a
// second; a still one is centred. `textWidth` is in wall pixels.
QRect captionBand(const WallSnapshot &snapshot);
int captionTextLeft(const WallSnapshot &snapshot, int textWidth);

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
