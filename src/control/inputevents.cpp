#include "control/inputevents.h"

#include <QtGlobal>
#include <cmath>
#include <cstdlib>

namespace control {

namespace {
float factor(int pixels)
{
    // The quotient is rounded to single precision once; the products use that value.
    return pixels > 0 ? float(double(GridScale::kGrid) / double(pixels)) : 0.0f;
}

int scaled(float factor, int pixel)
{
    // A float has 24 significant bits and a screen coordinate far fewer than 29, so the
    // product in double precision is exact before it is truncated.
    const double product = double(factor) * double(pixel);
    return qBound(0, int(std::trunc(product)), GridScale::kGrid);
}
} // namespace

GridScale GridScale::forScreen(const QSize &screenSize)
{
    GridScale scale;
    scale.sx = factor(screenSize.width());
    scale.sy = factor(screenSize.height());
    return scale;
}

QPoint GridScale::toGrid(const QPoint &pixel) const
{
    return QPoint(scaled(sx, pixel.x()), scaled(sy, pixel.y()));
}

bool PointerDeadBand::pass(const QPoint &pixel)
{
    if (std::abs(pixel.x() - m_last.x()) <= kPixels && std::abs(pixel.y() - m_last.y()) <= kPixels)
        return false;
    m_last = pixel;
    return true;
}

int mouseButtonKind(QEvent::Type type, Qt::MouseButton button)
{
    int first = 0;
    switch (type) {
    case QEvent::MouseButtonPress:
        first = LeftPressed;
        break;
    case QEvent::MouseButtonRelease:
        first = LeftReleased;
        break;
    case QEvent::MouseButtonDblClick:
        first = LeftDoubleClicked;
        break;
    default:
        return -1;
    }
    return button == Qt::LeftButton ? first : first + (OtherPressed - LeftPressed);
}

S_KB_MOUSE_PARAM pointerEvent(int kind, const QPoint &grid)
{
    S_KB_MOUSE_PARAM event;
    event.x = grid.x();
    event.y = grid.y();
    event.type = kind;
    return event;
}

S_KB_MOUSE_PARAM keyEvent(int kind, int key, int modifiers)
{
    S_KB_MOUSE_PARAM event;
    event.type = kind;
    event.key = key;
    event.modifiers = modifiers;
    return event;
}

QJsonObject mouseKbRequest(const S_KB_MOUSE_PARAM &event)
{
    QJsonObject request{{QStringLiteral("Command"), QStringLiteral("MouseKBCtrl")},
                        {QStringLiteral("Type"), event.type}};
    if (event.type > OtherDoubleClicked) {
        request.insert(QStringLiteral("Key"), event.key);
        request.insert(QStringLiteral("Modifiers"), event.modifiers);
    } else {
        request.insert(QStringLiteral("X"), event.x);
        request.insert(QStringLiteral("Y"), event.y);
    }
    return request;
}

} // namespace control
