#include "mark.h"

#include "paintkit.h"

#include <QPolygonF>
#include <QTextStream>
#include <QVector>
#include <cmath>

namespace drawimages {

namespace {

// One shape of the mark: a rounded rectangle, or a polygon when `points` is not empty.
// The fill is `fill`, or a vertical gradient from `fill` at gradientTop to `fillEnd` at
// gradientBottom when fillEnd is valid.
struct Shape
{
    QRectF rect;
    qreal radius = 0;
    QPolygonF points;
    QColor fill;
    QColor fillEnd;
    qreal gradientTop = 0, gradientBottom = 0;
    QColor stroke;
    qreal strokeWidth = 0;
};

const QColor kTile(255, 255, 255, 220);
const QColor kBar(255, 255, 255, 170);

Shape plate(const QRectF &r, qreal radius, qreal strokeWidth)
{
    Shape s;
    s.rect = r;
    s.radius = radius;
    s.fill = theme::menuBlue.lighter(115);
    s.fillEnd = theme::deepBlue;
    s.gradientTop = r.top();
    s.gradientBottom = r.bottom();
    s.stroke = theme::lineBlue;
    s.strokeWidth = strokeWidth;
    return s;
}

Shape box(const QRectF &r, qreal radius, const QColor &fill)
{
    Shape s;
    s.rect = r;
    s.radius = radius;
    s.fill = fill;
    return s;
}

Shape playSign(const QRectF &window, qreal height)
{
    const QPointF c = window.center();
    const qreal h = height / 2, w = height * 5 / 6;
    Shape s;
    s.points = QPolygonF({QPointF(c.x() - w * 0.4, c.y() - h), QPointF(c.x() - w * 0.4, c.y() + h),
                          QPointF(c.x() + w * 0.6, c.y())});
    s.fill = theme::white;
    return s;
}

// The wall: 3 x 3 tiles of tileW x tileH from (left, top), `gap` apart; the window covers
// the top-left 2 x 2.
void addWall(QVector<Shape> &shapes, qreal left, qreal top, qreal tileW, qreal tileH, qreal gap,
             qreal tileRadius, qreal windowRadius, qreal playHeight)
{
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            if (row < 2 && col < 2)
                continue;
            shapes << box(QRectF(left + col * (tileW + gap), top + row * (tileH + gap), tileW, tileH),
                          tileRadius, kTile);
        }
    }
    const QRectF window(left, top, 2 * tileW + gap, 2 * tileH + gap);
    shapes << box(window, windowRadius, theme::accent);
    if (playHeight > 0)
        shapes << playSign(window, playHeight);
}

// The design, in a 256 x 256 box.
QVector<Shape> design()
{
    QVector<Shape> shapes;
    shapes << plate(QRectF(8, 8, 240, 240), 48, 5);
    const qreal tileW = 52, tileH = 38, gap = 8;
    const qreal left = (256 - (3 * tileW + 2 * gap)) / 2;
    const qreal top = 52;
    addWall(shapes, left, top, tileW, tileH, gap, 5, 6, 36);
    shapes << box(QRectF(78, top + 3 * tileH + 2 * gap + 14, 100, 8), 4, kBar);
    return shapes;
}

// Small sizes: whole-pixel tiles with a one- or two-pixel gap, no bar; the play sign only
// where the window is tall enough to carry it.
QVector<Shape> smallDesign(int size)
{
    QVector<Shape> shapes;
    shapes << plate(QRectF(0.5, 0.5, size - 1, size - 1), std::round(size * 0.19), 1);
    const int pad = std::max(2, int(std::lround(size * 0.1)));
    const int gap = size <= 24 ? 1 : 2;
    const int tileW = (size - 2 * pad - 2 * gap) / 3;
    const int tileH = std::max(2, int(std::lround(tileW * (size <= 16 ? 1.0 : 0.75))));
    const int left = (size - (3 * tileW + 2 * gap)) / 2;
    const int top = (size - (3 * tileH + 2 * gap)) / 2;
    const int windowH = 2 * tileH + gap;
    const qreal radius = size >= 32 ? 1 : 0;
    addWall(shapes, left, top, tileW, tileH, gap, radius, radius,
            windowH >= 9 ? std::round(windowH * 0.5) : 0);
    return shapes;
}

void paint(QPainter &p, const Shape &s)
{
    if (s.fillEnd.isValid()) {
        QLinearGradient shade(0, s.gradientTop, 0, s.gradientBottom);
        shade.setColorAt(0, s.fill);
        shade.setColorAt(1, s.fillEnd);
        p.setBrush(shade);
    } else {
        p.setBrush(s.fill);
    }
    p.setPen(s.strokeWidth > 0 ? QPen(s.stroke, s.strokeWidth) : QPen(Qt::NoPen));
    if (!s.points.isEmpty())
        p.drawPolygon(s.points);
    else
        p.drawRoundedRect(s.rect, s.radius, s.radius);
}

QString number(qreal v)
{
    return QString::number(v, 'g', 6);
}

QString svgColour(const QColor &c)
{
    return c.name(QColor::HexRgb);
}

QString svgOpacity(const QString &attribute, const QColor &c)
{
    if (c.alpha() == 255)
        return QString();
    return QStringLiteral(" %1=\"%2\"").arg(attribute, number(c.alphaF()));
}

} // namespace

QImage markPicture(int size)
{
    QImage image = blank(size, size);
    QPainter p(&image);
    prepare(p);
    QVector<Shape> shapes;
    if (size >= 48) {
        p.scale(size / 256.0, size / 256.0);
        shapes = design();
    } else {
        shapes = smallDesign(size);
    }
    for (const Shape &s : qAsConst(shapes))
        paint(p, s);
    return image;
}

QString markSvg()
{
    QString text;
    QTextStream out(&text);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!-- Written by resources/tools/regenerate.sh (pelmora-drawimages). -->\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 "
           "256\">\n";
    const QVector<Shape> shapes = design();
    int gradients = 0;
    for (const Shape &s : shapes) {
        QString fill = QStringLiteral("fill=\"%1\"%2")
                           .arg(svgColour(s.fill), svgOpacity(QStringLiteral("fill-opacity"), s.fill));
        if (s.fillEnd.isValid()) {
            const QString id = QStringLiteral("shade%1").arg(++gradients);
            out << "  <defs>\n    <linearGradient id=\"" << id
                << "\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"" << number(s.gradientTop)
                << "\" x2=\"0\" y2=\"" << number(s.gradientBottom) << "\">\n"
                << "      <stop offset=\"0\" stop-color=\"" << svgColour(s.fill) << "\""
                << svgOpacity(QStringLiteral("stop-opacity"), s.fill) << "/>\n"
                << "      <stop offset=\"1\" stop-color=\"" << svgColour(s.fillEnd) << "\""
                << svgOpacity(QStringLiteral("stop-opacity"), s.fillEnd) << "/>\n"
                << "    </linearGradient>\n  </defs>\n";
            fill = QStringLiteral("fill=\"url(#%1)\"").arg(id);
        }
        QString stroke;
        if (s.strokeWidth > 0)
            stroke = QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\"")
                         .arg(svgColour(s.stroke), number(s.strokeWidth));
        if (!s.points.isEmpty()) {
            QStringList points;
            for (const QPointF &pt : s.points)
                points << number(pt.x()) + QLatin1Char(',') + number(pt.y());
            out << "  <polygon points=\"" << points.join(QLatin1Char(' ')) << "\" " << fill << stroke
                << "/>\n";
        } else {
            out << "  <rect x=\"" << number(s.rect.x()) << "\" y=\"" << number(s.rect.y()) << "\" width=\""
                << number(s.rect.width()) << "\" height=\"" << number(s.rect.height()) << "\" rx=\""
                << number(s.radius) << "\" " << fill << stroke << "/>\n";
        }
    }
    out << "</svg>\n";
    out.flush();
    return text;
}

} // namespace drawimages
