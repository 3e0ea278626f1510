#include "glyphs.h"
#include "mark.h"
#include "pictures.h"

#include <QTransform>

namespace drawimages {

namespace {

// Main window background: a quiet vertical gradient. Every row is one colour, so the
// PNG stays a few kilobytes although it is full HD.
QImage background()
{
    QImage image(1920, 1080, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient shade(0, 0, 0, 1080);
    shade.setColorAt(0.0, QColor(10, 44, 70));
    shade.setColorAt(0.45, QColor(6, 30, 50));
    shade.setColorAt(1.0, QColor(3, 14, 26));
    p.fillRect(image.rect(), shade);
    return image;
}

// Category button background, plain or checked: 260 x 60, stretched to the button.
QImage categoryButton(bool checked)
{
    QImage image = blank(260, 60);
    QPainter p(&image);
    prepare(p);
    QLinearGradient shade(0, 0, 260, 0);
    if (checked) {
        shade.setColorAt(0.0, theme::accent);
        shade.setColorAt(0.5, QColor(3, 128, 178));
        shade.setColorAt(1.0, QColor(6, 85, 128, 235));
    } else {
        shade.setColorAt(0.0, QColor(6, 85, 128, 200));
        shade.setColorAt(1.0, QColor(6, 85, 128, 120));
    }
    p.fillRect(image.rect(), shade);
    p.fillRect(QRect(0, 0, 260, 1), QColor(255, 255, 255, checked ? 70 : 28));
    p.fillRect(QRect(0, 59, 260, 1), checked ? QColor(255, 255, 255, 80) : QColor(1, 174, 215, 110));
    if (checked)
        p.fillRect(QRect(0, 0, 6, 60), theme::white);
    return image;
}

// Frame of a resource thumbnail: 160 x 120 with an 8-pixel border; the list paints the
// picture into the inner rectangle.
QImage resourceFrame()
{
    QImage image = blank(160, 120);
    QPainter p(&image);
    prepare(p);
    QLinearGradient rim(0, 0, 0, 120);
    rim.setColorAt(0, QColor(40, 130, 190));
    rim.setColorAt(1, theme::menuBlue);
    p.setPen(QPen(theme::accent, 1.5));
    p.setBrush(rim);
    p.drawRoundedRect(QRectF(0.75, 0.75, 158.5, 118.5), 6, 6);
    p.setPen(QPen(QColor(0, 20, 34, 200), 1));
    p.setBrush(QColor(8, 22, 34));
    p.drawRect(QRectF(7.5, 7.5, 145, 105));
    return image;
}

// Region border for border-image with 10-pixel slices (48 x 48).
QImage panelBorder(bool corners)
{
    QImage image = blank(48, 48);
    QPainter p(&image);
    prepare(p);
    p.setPen(QPen(QColor(1, 174, 215, 120), 1.5));
    p.setBrush(QColor(4, 32, 54, 175));
    p.drawRoundedRect(QRectF(0.75, 0.75, 46.5, 46.5), 6, 6);
    p.setPen(QPen(QColor(255, 255, 255, 30), 1));
    p.drawLine(QPointF(6, 2.5), QPointF(42, 2.5));
    if (corners) {
        p.setPen(strokePen(theme::accent, 2.5));
        const qreal a = 2.5, b = 10;
        p.drawPolyline(QPolygonF({QPointF(a, b), QPointF(a, a), QPointF(b, a)}));
        p.drawPolyline(QPolygonF({QPointF(48 - b, a), QPointF(48 - a, a), QPointF(48 - a, b)}));
        p.drawPolyline(
            QPolygonF({QPointF(48 - a, 48 - b), QPointF(48 - a, 48 - a), QPointF(48 - b, 48 - a)}));
        p.drawPolyline(QPolygonF({QPointF(b, 48 - a), QPointF(a, 48 - a), QPointF(a, 48 - b)}));
    }
    return image;
}

enum class PadPart { None, Up, Right, Down, Left, Centre };

// The round media pad, 200 x 200, with the segment of a held button lit. The direction
// marks are the buttons' own pictures (padArrow), so that a disabled button shows as such.
QImage mediaPad(PadPart lit)
{
    QImage image = blank(200, 200);
    const QPointF centre(100, 100);
    const qreal outer = 96, inner = 42;
    QPainter p(&image);
    prepare(p);
    QRadialGradient disc(centre, outer);
    disc.setColorAt(0.0, QColor(10, 104, 154));
    disc.setColorAt(1.0, theme::deepBlue);
    p.setPen(QPen(theme::lineBlue, 2.5));
    p.setBrush(disc);
    p.drawEllipse(centre, outer, outer);

    const struct
    {
        PadPart part;
        qreal startAngle;
    } segments[] = {{PadPart::Right, -45}, {PadPart::Up, 45}, {PadPart::Left, 135}, {PadPart::Down, 225}};
    for (const auto &segment : segments) {
        if (segment.part != lit)
            continue;
        QPainterPath wedge;
        wedge.moveTo(centre);
        wedge.arcTo(QRectF(centre.x() - outer + 3, centre.y() - outer + 3, 2 * outer - 6, 2 * outer - 6),
                    segment.startAngle, 90);
        wedge.closeSubpath();
        QPainterPath hole;
        hole.addEllipse(centre, inner + 4, inner + 4);
        QRadialGradient glow(centre, outer);
        glow.setColorAt(0.4, QColor(1, 174, 215, 150));
        glow.setColorAt(1.0, QColor(1, 174, 215, 240));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawPath(wedge.subtracted(hole));
    }

    p.setPen(QPen(QColor(0, 18, 32, 150), 2));
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.translate(centre);
        p.rotate(45 + i * 90);
        p.drawLine(QPointF(inner + 4, 0), QPointF(outer - 3, 0));
        p.restore();
    }

    QLinearGradient hub(0, centre.y() - inner, 0, centre.y() + inner);
    if (lit == PadPart::Centre) {
        hub.setColorAt(0, QColor(40, 200, 235));
        hub.setColorAt(1, QColor(1, 140, 190));
    } else {
        hub.setColorAt(0, QColor(12, 96, 142));
        hub.setColorAt(1, QColor(4, 48, 76));
    }
    p.setPen(QPen(theme::accent, 2));
    p.setBrush(hub);
    p.drawEllipse(centre, inner, inner);
    return image;
}

// The direction mark of a pad button, 68 x 68 (shown at 34 x 34): the chevron turned by
// `angle` degrees from pointing up.
QImage padArrow(qreal angle)
{
    const QImage chevron = glyphLayer(glyphs::chevronUp, theme::white, 136);
    const QImage turned = chevron.transformed(QTransform().rotate(angle), Qt::SmoothTransformation);
    QImage image = blank(68, 68);
    QPainter p(&image);
    prepare(p);
    const QRectF source((turned.width() - 136) / 2.0, (turned.height() - 136) / 2.0, 136, 136);
    p.drawImage(QRectF(0, 0, 68, 68), turned, source);
    return image;
}

QImage card(Glyph glyph, const QString &label, const QColor &strip)
{
    QImage image = blank(128, 96);
    QPainter p(&image);
    prepare(p);
    const QPainterPath shape = roundedRect(QRectF(1, 1, 126, 94), 10);
    QLinearGradient shade(0, 0, 0, 96);
    shade.setColorAt(0, QColor(14, 108, 156));
    shade.setColorAt(1, QColor(5, 60, 96));
    p.fillPath(shape, shade);
    if (!label.isEmpty()) {
        p.save();
        p.setClipPath(shape);
        p.fillRect(QRectF(0, 66, 128, 30), strip);
        p.restore();
        drawFittedText(p, QRectF(6, 66, 116, 30), label, 19, true, theme::white);
    }
    p.setPen(QPen(QColor(255, 255, 255, 70), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
    p.end();
    if (label.isEmpty())
        drawGlyph(image, glyph, theme::white, QRectF(30, 14, 68, 68));
    else
        drawGlyph(image, glyph, theme::white, QRectF(43, 9, 42, 42) /* above the strip */);
    return image;
}

// Shown when a resource has no picture of its own.
QImage noPreview()
{
    QImage image(160, 120, QImage::Format_RGB32);
    QPainter p(&image);
    prepare(p);
    QLinearGradient shade(0, 0, 0, 120);
    shade.setColorAt(0, QColor(52, 66, 78));
    shade.setColorAt(1, QColor(34, 44, 54));
    p.fillRect(image.rect(), shade);
    p.end();
    drawGlyph(image, glyphs::picture, QColor(150, 168, 182), QRectF(56, 20, 48, 48));
    QPainter t(&image);
    prepare(t);
    drawFittedText(t, QRectF(6, 74, 148, 28), QStringLiteral("No preview"), 18, true, QColor(214, 222, 228));
    return image;
}

} // namespace

void drawSurfaces(const PictureSink &sink)
{
    const QString newskin = QStringLiteral("images/newskin/");
    sink(newskin + QStringLiteral("background.png"), background());
    sink(newskin + QStringLiteral("logo.png"), markPicture(256));
    sink(newskin + QStringLiteral("cat-button.png"), categoryButton(false));
    sink(newskin + QStringLiteral("cat-button-select.png"), categoryButton(true));
    sink(newskin + QStringLiteral("res-border.png"), resourceFrame());
    sink(newskin + QStringLiteral("panel-border.png"), panelBorder(false));
    sink(newskin + QStringLiteral("panel-border-accent.png"), panelBorder(true));

    sink(newskin + QStringLiteral("nav-bg.png"), mediaPad(PadPart::None));
    sink(newskin + QStringLiteral("nav-bg-up.png"), mediaPad(PadPart::Up));
    sink(newskin + QStringLiteral("nav-bg-next.png"), mediaPad(PadPart::Right));
    sink(newskin + QStringLiteral("nav-bg-down.png"), mediaPad(PadPart::Down));
    sink(newskin + QStringLiteral("nav-bg-prev.png"), mediaPad(PadPart::Left));
    sink(newskin + QStringLiteral("nav-bg-center.png"), mediaPad(PadPart::Centre));
    sink(newskin + QStringLiteral("nav-up.png"), padArrow(0));
    sink(newskin + QStringLiteral("nav-next.png"), padArrow(90));
    sink(newskin + QStringLiteral("nav-down.png"), padArrow(180));
    sink(newskin + QStringLiteral("nav-prev.png"), padArrow(270));

    const QColor videoStrip(0, 132, 180);
    const struct
    {
        const char *file;
        Glyph glyph;
        const char *label;
        QColor strip;
    } cards[] = {
        {"mkv", glyphs::filmStrip, "MKV", videoStrip},
        {"wmv", glyphs::filmStrip, "WMV", videoStrip},
        {"mov", glyphs::filmStrip, "MOV", videoStrip},
        {"avi", glyphs::filmStrip, "AVI", videoStrip},
        {"mpeg", glyphs::filmStrip, "MPEG", videoStrip},
        {"word", glyphs::document, "DOC", QColor(43, 104, 196)},
        {"xlsx_win", glyphs::sheetTable, "XLS", QColor(30, 134, 76)},
        {"pptx_win", glyphs::slideChart, "PPT", theme::hot},
        {"text", glyphs::document, "FILE", QColor(92, 112, 128)},
        {"url", glyphs::globe, "URL", videoStrip},
        {"ipc2", glyphs::networkCamera, "IPC", QColor(0, 128, 124)},
        {"hdmi", glyphs::hdmiPort, "HDMI", QColor(104, 78, 176)},
    };
    for (const auto &c : cards)
        sink(QStringLiteral("images/%1.png").arg(QLatin1String(c.file)),
             card(c.glyph, QLatin1String(c.label), c.strip));
    sink(newskin + QStringLiteral("music-large-white.png"), card(glyphs::music, QString(), QColor()));
    sink(QStringLiteral("images/no_preview.jpg"), noPreview());
}

} // namespace drawimages
