#include "glyphs.h"

#include <QFontMetricsF>
#include <QPolygonF>
#include <QtMath>

namespace drawimages::glyphs {

namespace {

void fill(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
}

void outline(QPainter &p, const QColor &c, qreal width)
{
    p.setPen(strokePen(c, width));
    p.setBrush(Qt::NoBrush);
}

// Everything drawn until the next `paint` call erases what lies below.
void erase(QPainter &p)
{
    p.setCompositionMode(QPainter::CompositionMode_Clear);
}
void paint(QPainter &p)
{
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

QPolygonF poly(std::initializer_list<QPointF> points)
{
    return QPolygonF(QVector<QPointF>(points));
}

// Head and shoulders of a person whose head is centred on (cx, cy) with radius r.
void person(QPainter &p, const QColor &c, qreal cx, qreal cy, qreal r)
{
    fill(p, c);
    p.drawEllipse(QPointF(cx, cy), r, r);
    QPainterPath body;
    const qreal top = cy + r * 1.25;
    const qreal half = r * 1.85;
    const qreal bottom = top + r * 1.9;
    body.moveTo(cx - half, bottom);
    body.lineTo(cx - half, top + r * 0.9);
    body.quadTo(cx - half, top, cx - half + r * 0.9, top);
    body.lineTo(cx + half - r * 0.9, top);
    body.quadTo(cx + half, top, cx + half, top + r * 0.9);
    body.lineTo(cx + half, bottom);
    body.closeSubpath();
    p.drawPath(body);
}

void gear(QPainter &p, const QColor &c, const QPointF &centre, qreal radius)
{
    fill(p, c);
    p.drawEllipse(centre, radius * 0.72, radius * 0.72);
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(centre);
        p.rotate(i * 45.0);
        p.drawRoundedRect(QRectF(-radius * 0.2, -radius, radius * 0.4, radius * 0.5), 1.5, 1.5);
        p.restore();
    }
    erase(p);
    p.drawEllipse(centre, radius * 0.3, radius * 0.3);
    paint(p);
}

void sheetOutline(QPainter &p, const QColor &c)
{
    fill(p, c);
    p.drawPolygon(poly({{20, 6}, {60, 6}, {82, 28}, {82, 94}, {20, 94}}));
    erase(p);
    p.setPen(strokePen(Qt::black, 5));
    p.drawPolyline(poly({{58, 6}, {58, 30}, {82, 30}}));
    paint(p);
}

} // namespace

void videoCamera(QPainter &p, const QColor &c)
{
    fill(p, c);
    p.drawRoundedRect(QRectF(6, 26, 62, 48), 9, 9);
    p.drawPolygon(poly({{72, 44}, {94, 28}, {94, 72}, {72, 56}}));
    erase(p);
    p.drawEllipse(QPointF(24, 42), 6, 6);
    paint(p);
}

void sceneLayout(QPainter &p, const QColor &c)
{
    outline(p, c, 7);
    p.drawRoundedRect(QRectF(8, 16, 84, 68), 7, 7);
    fill(p, c);
    p.drawRoundedRect(QRectF(20, 28, 32, 44), 3, 3);
    p.drawRoundedRect(QRectF(58, 28, 22, 19), 3, 3);
    p.drawRoundedRect(QRectF(58, 53, 22, 19), 3, 3);
}

void picture(QPainter &p, const QColor &c)
{
    outline(p, c, 7);
    p.drawRoundedRect(QRectF(8, 16, 84, 68), 7, 7);
    fill(p, c);
    p.drawEllipse(QPointF(68, 37), 8, 8);
    p.drawPolygon(poly({{16, 77}, {39, 44}, {56, 66}, {65, 56}, {84, 77}}));
}

void document(QPainter &p, const QColor &c)
{
    sheetOutline(p, c);
    erase(p);
    p.setPen(strokePen(Qt::black, 6));
    p.drawLine(QPointF(32, 48), QPointF(70, 48));
    p.drawLine(QPointF(32, 62), QPointF(70, 62));
    p.drawLine(QPointF(32, 76), QPointF(58, 76));
    paint(p);
}

void globe(QPainter &p, const QColor &c)
{
    outline(p, c, 7);
    p.drawEllipse(QPointF(50, 50), 40, 40);
    p.setPen(strokePen(c, 5.5));
    p.drawEllipse(QPointF(50, 50), 17, 40);
    p.drawLine(QPointF(12, 50), QPointF(88, 50));
    p.drawLine(QPointF(19, 30), QPointF(81, 30));
    p.drawLine(QPointF(19, 70), QPointF(81, 70));
}

void networkCamera(QPainter &p, const QColor &c)
{
    fill(p, c);
    p.save();
    p.translate(44, 36);
    p.rotate(12);
    p.drawRoundedRect(QRectF(-34, -14, 62, 28), 7, 7);
    p.drawRect(QRectF(28, -10, 8, 20));
    p.restore();
    p.setPen(strokePen(c, 7));
    p.drawLine(QPointF(30, 52), QPointF(30, 80));
    p.drawLine(QPointF(14, 84), QPointF(46, 84));
    // signal waves
    p.setBrush(Qt::NoBrush);
    p.setPen(strokePen(c, 6));
    const QPointF origin(66, 86);
    p.drawArc(QRectF(origin.x() - 12, origin.y() - 12, 24, 24), 0, 90 * 16);
    p.drawArc(QRectF(origin.x() - 25, origin.y() - 25, 50, 50), 0, 90 * 16);
    fill(p, c);
    p.drawEllipse(origin, 4.5, 4.5);
}

void usb(QPainter &p, const QColor &c)
{
    p.setPen(strokePen(c, 7));
    p.drawLine(QPointF(50, 84), QPointF(50, 22));
    p.setPen(strokePen(c, 6));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(poly({{50, 70}, {28, 56}, {28, 44}}));
    p.drawPolyline(poly({{50, 58}, {72, 46}, {72, 36}}));
    fill(p, c);
    p.drawPolygon(poly({{50, 4}, {38, 24}, {62, 24}}));
    p.drawEllipse(QPointF(50, 86), 10, 10);
    p.drawEllipse(QPointF(28, 38), 8, 8);
    p.drawRect(QRectF(64, 20, 16, 16));
}

void apps(QPainter &p, const QColor &c)
{
    fill(p, c);
    p.drawRoundedRect(QRectF(10, 10, 35, 35), 8, 8);
    p.drawRoundedRect(QRectF(55, 10, 35, 35), 8, 8);
    p.drawRoundedRect(QRectF(10, 55, 35, 35), 8, 8);
    p.setPen(strokePen(c, 8));
    p.drawLine(QPointF(72.5, 60), QPointF(72.5, 85));
    p.drawLine(QPointF(60, 72.5), QPointF(85, 72.5));
}

void caption(QPainter &p, const QColor &c)
{
    outline(p, c, 7);
    p.drawRoundedRect(QRectF(8, 16, 84, 68), 8, 8);
    fill(p, c);
    p.drawRoundedRect(QRectF(22, 50, 56, 9), 4.5, 4.5);
    p.drawRoundedRect(QRectF(32, 64, 36, 9), 4.5, 4.5);
    p.drawRoundedRect(QRectF(22, 28, 9, 9), 2, 2);
}

void music(QPainter &p, const QColor &c)
{
    fill(p, c);
    p.drawPolygon(poly({{34, 20}, {88, 8}, {88, 24}, {34, 36}}));
    p.setPen(strokePen(c, 8));
    p.drawLine(QPointF(38, 26), QPointF(38, 74));
    p.drawLine(QPointF(84, 16), QPointF(84, 64));
    p.setPen(Qt::NoPen);
    for (const QPointF &head : {QPointF(26, 78), QPointF(72, 68)}) {
        p.save();
        p.translate(head);
        p.rotate(-22);
        p.drawEllipse(QPointF(0, 0), 15, 11);
        p.restore();
    }
}

void play(QPainter &p, const QColor &c)
{
    p.setBrush(c);
    p.setPen(strokePen(c, 10));
    p.drawPolygon(poly({{30, 16}, {30, 84}, {84, 50}}));
}

void pause(QPainter &p, const QColor &c)
{
    fill(p, c);
    p.drawRoundedRect(QRectF(22, 16, 20, 68), 5, 5);
    p.drawRoundedRect(QRectF(58, 16, 20, 68), 5, 5);
}

void playRing(QPainter &p, const QColor &c)
{
    outline(p, c, 7);
    p.drawEllipse(QPointF(50, 50), 42, 42);
    p.setBrush(c);
    p.setPen(strokePen(c, 6));
    p.drawPolygon(poly({{40, 31}, {40, 69}, {70, 50}}));
}

void pauseRing(QPainter &p, const QColor &c)
{
    outline(p, c, 7);
    p.drawEllipse(QPointF(50, 50), 42, 42);
    fill(p, c);
    p.drawRoundedRect(QRectF(34, 30, 11, 40), 3, 3);
    p.drawRoundedRect(QRectF(55, 30, 11, 40), 3, 3);
}

void speaker(QPainter &p, const QColor &c)
{
    fill(p, c);
    p.drawPolygon(poly({{8, 36}, {28, 36}, {52, 14}, {52, 86}, {28, 64}, {8, 64}}));
    outline(p, c, 7);
    p.drawArc(QRectF(52 - 18, 50 - 18, 36, 36), -50 * 16, 100 * 16);
    p.drawArc(QRectF(52 - 34, 50 - 34, 68, 68), -50 * 16, 100 * 16);
}

void speakerMuted(QPainter &p, const QColor &c)
{
    fill(p, c);
    p.drawPolygon(poly({{8, 36}, {28, 36}, {52, 14}, {52, 86}, {28, 64}, {8, 64}}));
    p.setPen(strokePen(c, 8));
    p.drawLine(QPointF(64, 36), QPointF(90, 64));
    p.drawLine(QPointF(90, 36), QPointF(64, 64));
}

void clock(QPainter &p, const QColor &c)
{
    outline(p, c, 7);
    p.drawEllipse(QPointF(50, 50), 40, 40);
    p.drawLine(QPointF(50, 50), QPointF(50, 26));
    p.drawLine(QPointF(50, 50), QPointF(68, 60));
    fill(p, c);
    p.drawEllipse(QPointF(50, 50), 5, 5);
}

void filmStrip(QPainter &p, const QColor &c)
{
    fill(p, c);
    p.drawRoundedRect(QRectF(14, 8, 72, 84), 6, 6);
    erase(p);
    for (int i = 0; i < 6; ++i) {
        const qreal y = 14 + i * 13.2;
        p.drawRoundedRect(QRectF(19, y, 8, 7), 1.5, 1.5);
        p.drawRoundedRect(QRectF(73, y, 8, 7), 1.5, 1.5);
    }
    p.drawRoundedRect(QRectF(33, 15, 34, 32), 3, 3);
    p.drawRoundedRect(QRectF(33, 53, 34, 32), 3, 3);
    paint(p);
}

void monitor(QPainter &p, const QColor &c)
{
    outline(p, c, 7);
    p.drawRoundedRect(QRectF(8, 14, 84, 56), 6, 6);
    p.drawLine(QPointF(50, 72), QPointF(50, 84));
    p.drawLine(QPointF(30, 86), QPointF(70, 86));
}

void monitorSettings(QPainter &p, const QColor &c)
{
    outline(p, c, 9);
    p.drawRoundedRect(QRectF(6, 8, 74, 52), 6, 6);
    p.drawLine(QPointF(30, 62), QPointF(30, 74));
    p.drawLine(QPointF(14, 78), QPointF(44, 78));
    erase(p);
    fill(p, Qt::black);
    p.drawEllipse(QPointF(70, 70), 31, 31);
    paint(p);
    gear(p, c, QPointF(70, 70), 27);
}

void users(QPainter &p, const QColor &c)
{
    person(p, c, 64, 26, 13);
    erase(p);
    fill(p, Qt::black);
    p.drawEllipse(QPointF(38, 40), 20, 20);
    QPainterPath body;
    body.addRoundedRect(QRectF(4, 57, 68, 46), 16, 16);
    p.drawPath(body);
    paint(p);
    person(p, c, 38, 40, 14);
}

void user(QPainter &p, const QColor &c)
{
    person(p, c, 50, 30, 17);
}

void padlock(QPainter &p, const QColor &c)
{
    outline(p, c, 9);
    QPainterPath shackle;
    shackle.moveTo(32, 46);
    shackle.lineTo(32, 32);
    shackle.arcTo(QRectF(32, 12, 36, 36), 180, -180);
    shackle.lineTo(68, 46);
    p.drawPath(shackle);
    fill(p, c);
    p.drawRoundedRect(QRectF(20, 44, 60, 48), 8, 8);
    erase(p);
    p.drawEllipse(QPointF(50, 62), 7, 7);
    p.drawRect(QRectF(46.5, 62, 7, 16));
    paint(p);
}

void unplug(QPainter &p, const QColor &c)
{
    fill(p, c);
    p.drawRoundedRect(QRectF(8, 30, 28, 40), 6, 6);
    p.drawRoundedRect(QRectF(68, 30, 26, 40), 6, 6);
    p.setPen(strokePen(c, 9));
    p.drawLine(QPointF(36, 41), QPointF(50, 41));
    p.drawLine(QPointF(36, 59), QPointF(50, 59));
    p.drawLine(QPointF(0, 50), QPointF(8, 50));
    p.setPen(strokePen(c, 7));
    p.drawLine(QPointF(56, 24), QPointF(62, 12));
    p.drawLine(QPointF(56, 76), QPointF(62, 88));
}

void trash(QPainter &p, const QColor &c)
{
    p.setPen(strokePen(c, 7));
    p.drawLine(QPointF(16, 22), QPointF(84, 22));
    p.drawLine(QPointF(40, 11), QPointF(60, 11));
    fill(p, c);
    p.drawPolygon(poly({{24, 30}, {76, 30}, {70, 92}, {30, 92}}));
    erase(p);
    p.setPen(strokePen(Qt::black, 5));
    p.drawLine(QPointF(40, 42), QPointF(41, 80));
    p.drawLine(QPointF(60, 42), QPointF(59, 80));
    paint(p);
}

void plus(QPainter &p, const QColor &c)
{
    p.setPen(strokePen(c, 13));
    p.drawLine(QPointF(50, 14), QPointF(50, 86));
    p.drawLine(QPointF(14, 50), QPointF(86, 50));
}

void minus(QPainter &p, const QColor &c)
{
    p.setPen(strokePen(c, 13));
    p.drawLine(QPointF(14, 50), QPointF(86, 50));
}

void check(QPainter &p, const QColor &c)
{
    outline(p, c, 13);
    p.drawPolyline(poly({{18, 52}, {40, 74}, {82, 28}}));
}

void floppy(QPainter &p, const QColor &c)
{
    fill(p, c);
    p.drawPolygon(poly({{10, 10}, {74, 10}, {90, 26}, {90, 90}, {10, 90}}));
    erase(p);
    p.drawRoundedRect(QRectF(26, 10, 40, 24), 2, 2);
    p.drawRoundedRect(QRectF(22, 52, 56, 30), 4, 4);
    paint(p);
    fill(p, c);
    p.drawRect(QRectF(50, 14, 10, 16));
}

void chevronUp(QPainter &p, const QColor &c)
{
    outline(p, c, 13);
    p.drawPolyline(poly({{20, 64}, {50, 34}, {80, 64}}));
}

void chevronDown(QPainter &p, const QColor &c)
{
    outline(p, c, 13);
    p.drawPolyline(poly({{20, 36}, {50, 66}, {80, 36}}));
}

void cross(QPainter &p, const QColor &c)
{
    p.setPen(strokePen(c, 12));
    p.drawLine(QPointF(20, 20), QPointF(80, 80));
    p.drawLine(QPointF(80, 20), QPointF(20, 80));
}

void expand(QPainter &p, const QColor &c)
{
    outline(p, c, 10);
    p.drawPolyline(poly({{12, 38}, {12, 12}, {38, 12}}));
    p.drawPolyline(poly({{62, 12}, {88, 12}, {88, 38}}));
    p.drawPolyline(poly({{88, 62}, {88, 88}, {62, 88}}));
    p.drawPolyline(poly({{38, 88}, {12, 88}, {12, 62}}));
}

void restore(QPainter &p, const QColor &c)
{
    outline(p, c, 9);
    p.drawRoundedRect(QRectF(34, 12, 54, 50), 4, 4);
    erase(p);
    fill(p, Qt::black);
    p.drawRect(QRectF(6, 32, 66, 62));
    paint(p);
    outline(p, c, 9);
    p.drawRoundedRect(QRectF(12, 38, 54, 50), 4, 4);
}

void star(QPainter &p, const QColor &c)
{
    QPolygonF shape;
    for (int i = 0; i < 10; ++i) {
        const qreal r = (i % 2 == 0) ? 46 : 19;
        const qreal angle = qDegreesToRadians(-90.0 + i * 36.0);
        shape << QPointF(50 + r * qCos(angle), 53 + r * qSin(angle));
    }
    fill(p, c);
    p.drawPolygon(shape);
}

void infoMark(QPainter &p, const QColor &c)
{
    fill(p, c);
    p.drawEllipse(QPointF(50, 22), 9, 9);
    p.drawRoundedRect(QRectF(41, 38, 18, 50), 6, 6);
}

void questionMark(QPainter &p, const QColor &c)
{
    outline(p, c, 14);
    QPainterPath hook;
    hook.moveTo(28, 34);
    hook.cubicTo(28, 8, 74, 6, 74, 32);
    hook.cubicTo(74, 48, 50, 50, 50, 66);
    p.drawPath(hook);
    fill(p, c);
    p.drawEllipse(QPointF(50, 86), 9, 9);
}

void sheetTable(QPainter &p, const QColor &c)
{
    fill(p, c);
    p.drawRoundedRect(QRectF(10, 14, 80, 72), 6, 6);
    erase(p);
    const qreal cols[] = {14, 39, 64};
    const qreal rows[] = {34, 52, 70};
    for (qreal y : rows) {
        for (qreal x : cols)
            p.drawRect(QRectF(x + 1, y, 21, 13));
    }
    paint(p);
}

void slideChart(QPainter &p, const QColor &c)
{
    outline(p, c, 6);
    p.drawRoundedRect(QRectF(8, 12, 84, 60), 5, 5);
    p.drawLine(QPointF(50, 74), QPointF(50, 88));
    p.drawLine(QPointF(34, 90), QPointF(66, 90));
    fill(p, c);
    QPainterPath pie;
    pie.moveTo(36, 42);
    pie.arcTo(QRectF(18, 24, 36, 36), 90, 270);
    pie.closeSubpath();
    p.drawPath(pie);
    p.drawRect(QRectF(62, 44, 7, 18));
    p.drawRect(QRectF(73, 30, 7, 32));
}

void hdmiPort(QPainter &p, const QColor &c)
{
    outline(p, c, 7);
    p.drawPolygon(poly({{8, 32}, {92, 32}, {92, 52}, {78, 68}, {22, 68}, {8, 52}}));
    fill(p, c);
    p.drawRoundedRect(QRectF(24, 44, 52, 8), 2, 2);
}

} // namespace drawimages::glyphs
