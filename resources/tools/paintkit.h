#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

// Shared colours and small painting helpers of the picture generator.
namespace drawimages {

namespace theme {
const QColor menuBlue(6, 85, 128);     // title bar, menus, panels
const QColor deepBlue(3, 42, 66);      // darker end of panel gradients
const QColor accent(1, 174, 215);      // selection, highlights
const QColor lineBlue(32, 102, 219);   // menu and panel borders
const QColor hot(220, 80, 6);          // pressed, warnings
const QColor danger(214, 64, 48);      // errors, close, delete
const QColor success(46, 168, 96);     // add
const QColor glyphSoft(176, 208, 230); // unselected glyphs
const QColor white(255, 255, 255);
} // namespace theme

// A glyph draws itself in a 100 x 100 box with the given colour. It may cut holes with
// QPainter::CompositionMode_Clear: glyphs are always drawn on a layer of their own.
using Glyph = void (*)(QPainter &p, const QColor &c);

// Transparent ARGB picture.
QImage blank(int width, int height);
// Painter with antialiasing and smooth pixmap transforms switched on.
void prepare(QPainter &p);
// Stroke pen with round caps and joins.
QPen strokePen(const QColor &c, qreal width);
QPainterPath roundedRect(const QRectF &r, qreal radius);

// Renders `glyph` into `target` (in the image's pixels) of `image`.
void drawGlyph(QImage &image, Glyph glyph, const QColor &c, const QRectF &target);
// A glyph on a layer of its own, `size` x `size` pixels, with `margin` pixels free around.
QImage glyphLayer(Glyph glyph, const QColor &c, int size, qreal margin = 0);
// A soft shadow of `layer` in colour `c` (alpha of the layer blurred by `radius` pixels).
QImage softShadow(const QImage &layer, const QColor &c, int radius);

// Font of the generated texts (bundled DejaVu Sans on the build machine).
QFont labelFont(int pixelSize, bool bold);
// Draws `text` centred in `r`, shrinking the font until it fits the width.
void drawFittedText(QPainter &p, const QRectF &r, const QString &text, int pixelSize, bool bold,
                    const QColor &c);

} // namespace drawimages
