#pragma once

#include <QEvent>
#include <QJsonObject>
#include <QMetaType>
#include <QPoint>
#include <QSize>

// One input event of the remote mouse and keyboard, as the capture window reports it.
// Fields that do not belong to the event's kind are 0.
struct S_KB_MOUSE_PARAM
{
    int x = 0;         // pointer position in the 0..10000 grid (mouse events)
    int y = 0;         // likewise, vertical
    int type = 0;      // control::InputKind
    int key = 0;       // keyboard events: the Qt key value (Qt::Key)
    int modifiers = 0; // keyboard events: the Qt modifier bits at the time of the key

    bool operator==(const S_KB_MOUSE_PARAM &o) const
    {
        return x == o.x && y == o.y && type == o.type && key == o.key && modifiers == o.modifiers;
    }
};
Q_DECLARE_METATYPE(S_KB_MOUSE_PARAM)

namespace control {

// The "Type" of "MouseKBCtrl".
enum InputKind : int {
    PointerMoved = 0,
    LeftPressed = 1,
    LeftReleased = 2,
    LeftDoubleClicked = 3,
    OtherPressed = 4, // right, middle, ...
    OtherReleased = 5,
    OtherDoubleClicked = 6,
    KeyPressed = 7,
    KeyReleased = 8,
};

// Pointer positions are sent in a 0..10000 grid spanning the console's primary screen, so the
// controller places them whatever its own resolution.
struct GridScale
{
    static constexpr int kGrid = 10000;

    // sx = 10000 / width and sy = 10000 / height, each rounded to single precision (0 for an
    // empty size).
    static GridScale forScreen(const QSize &screenSize);

    // A screen pixel in the grid: each coordinate times its factor (the product taken
    // exactly) truncated toward zero. A pixel off the screen (another monitor) is kept at
    // the grid's edge.
    QPoint toGrid(const QPoint &pixel) const;

    float sx = 0.0f;
    float sy = 0.0f;
};

// Pointer moves are sent only when the pointer has left a square of 4 screen pixels around
// the last position sent; the band is in screen pixels, so it is the same for every
// controller.
class PointerDeadBand
{
public:
    static constexpr int kPixels = 4;

    // True when `pixel` differs from the last sent position by more than 4 pixels
    // horizontally or vertically; it then becomes the last sent position.
    bool pass(const QPoint &pixel);
    QPoint lastSent() const { return m_last; }

private:
    QPoint m_last{0, 0};
};

// The kind of a press, release or double-click of `button` (left: 1..3, any other: 4..6);
// -1 for any other event type.
int mouseButtonKind(QEvent::Type type, Qt::MouseButton button);

S_KB_MOUSE_PARAM pointerEvent(int kind, const QPoint &grid);
S_KB_MOUSE_PARAM keyEvent(int kind, int key, int modifiers);

// Pointer moves are the only events that may be merged: a newer move replaces an older one
// that has not been sent yet.
inline bool isPointerMove(const S_KB_MOUSE_PARAM &event)
{
    return event.type == PointerMoved;
}

// The "MouseKBCtrl" body: "Command", "Type", and "X"/"Y" for kinds 0..6 or "Key"/"Modifiers"
// for kinds 7 and 8.
QJsonObject mouseKbRequest(const S_KB_MOUSE_PARAM &event);

} // namespace control
