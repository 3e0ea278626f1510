#pragma once

#include <QList>
#include <QMetaType>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

// Records of the wall: screen groups read from the controller, the canvas layout derived
// from a group, and the request to open a window. Rectangles are inclusive (right = left +
// width - 1); QRect() is the empty rectangle (0, 0, -1, -1).

// One screen group of the controller ("ScrList" entry).
struct S_SCR_GROUP
{
    QString name;
    int width = 0;
    int height = 0;
    int scrRows = 0;
    int scrCols = 0;
    QList<int> customWidth;  // column widths, left to right; empty = uniform
    QList<int> customHeight; // row heights, top to bottom; empty = uniform
};

// Screen settings held by the main window.
struct S_SCR_SETTING
{
    int scrIndex = 0;
    int rows = 0;
    int cols = 0;
    QList<S_SCR_GROUP> groups;
};

// Canvas layout of one screen group.
struct S_SCR_LAYOUT
{
    bool valid = false;
    int layoutType = 0;
    int cellWidth = 0;
    int cellHeight = 0;
    int cols = 0;
    int rows = 0;
    int subRows = 0;
    int subCols = 0;
    QString name;
    QList<int> colWidths;
    QList<int> rowHeights;
};

// A request to open a window; handed over by pointer, the receiver deletes it.
struct S_WINDOW
{
    QString source;
    int videoId = -1;
    uint windowId = 0;
    int winType = 0;
    QRect realRect; // wall pixels, inclusive
    QString name;
    QStringList fileList;
    // Drawn with the rubber band: the window has no resource yet and takes the one current
    // in the resource panel. A dropped resource is never drawn, whatever its video id.
    bool drawn = false;
};

// Edge or corner of a window item being dragged (bit set: 1 top, 2 bottom, 4 left, 8 right).
enum RESIZE_DIR {
    RESIZE_NONE = 0,
    RESIZE_TOP = 1,
    RESIZE_BOTTOM = 2,
    RESIZE_LEFT = 4,
    RESIZE_TOPLEFT = 5,
    RESIZE_BOTTOMLEFT = 6,
    RESIZE_RIGHT = 8,
    RESIZE_TOPRIGHT = 9,
    RESIZE_BOTTOMRIGHT = 10,
    RESIZE_ALL = 16
};

Q_DECLARE_METATYPE(S_WINDOW *)
Q_DECLARE_METATYPE(RESIZE_DIR)

namespace wall {

// Canvas modes: custom-size cells (the monitors), no output labels, locked window items.
constexpr int kCustomSizeMode = 200;
constexpr int kNoLabelMode = 201;
constexpr int kLockedMode = 41;
// The uniform-subdivision layout, the only layout type the console builds.
constexpr int kUniformLayout = 42;

// Window type codes (also the resource category codes).
enum WindowType {
    TypeVideo = 0,
    TypePicture = 1,
    TypeWebPage = 2,
    TypeOffice = 3,
    TypeNetVideo = 4,
    TypeDocument = 5,
    TypeUsbVideo = 6,
    TypeApplication = 9
};

// `count` - 1 copies of trunc(total / count) followed by the remainder, so the sum is `total`.
// `cell` receives trunc(total / count). Empty for a non-positive count.
QList<int> splitLength(int total, int count, int *cell = nullptr);

// The canvas layout of a group. Computed column widths and row heights are stored back into
// the group's customWidth / customHeight.
S_SCR_LAYOUT makeScrLayout(S_SCR_GROUP &group);

// Rounds to a multiple of 32 for controllers that need aligned windows: remainder below 16
// rounds toward zero, above 16 away from it, exactly 16 stays.
int align32(int value);

// Mapping between wall pixels and canvas pixels. Factors are single precision and every
// conversion truncates toward zero.
class WallMapper
{
public:
    WallMapper(int totalWidth, int totalHeight, const QSize &canvasSize);

    float scaleX() const; // canvas width / total width (0 without a wall)
    float scaleY() const;

    QRect wallToCanvas(const QRect &wall) const;
    QRect canvasToWall(const QRect &canvas, bool aligned = false) const;
    // A canvas point in wall pixels (the factor total / canvas is taken first).
    QPoint canvasPointToWall(const QPoint &canvas) const;
    // Each edge of a wall rectangle through the scale factors.
    QRect edgesToCanvas(const QRect &wall) const;

private:
    int m_totalWidth;
    int m_totalHeight;
    QSize m_canvas;
};

// Zoom of the canvas: +0.5 per step, never below 0.5; the label is trunc(zoom x 100) + "%".
float zoomIn(float zoom);
float zoomOut(float zoom);
QString zoomLabel(float zoom);
// Canvas geometry (0, 0, width - 1, height - 1) for `zoom` in a layout slot of `area` (the
// slot shrunk by 4 pixels on every side) showing a wall of totalWidth x totalHeight.
QRect zoomedCanvasGeometry(float zoom, const QSize &area, int totalWidth, int totalHeight);

// Earlier wall rectangles of a window item.
class RectHistory
{
public:
    static constexpr int kLimit = 10;

    // Appends, dropping the oldest entries beyond the limit.
    void push(const QRect &rect);
    // The last entry, removed only while more than one is kept; the empty rectangle when
    // there is none.
    QRect takeForRestore();
    const QList<QRect> &entries() const { return m_entries; }
    int size() const { return m_entries.size(); }
    void clear() { m_entries.clear(); }

private:
    QList<QRect> m_entries;
};

} // namespace wall
