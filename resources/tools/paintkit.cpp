#include "paintkit.h"

#include <QFontMetricsF>
#include <QtMath>

namespace drawimages {

QImage blank(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDotsPerMeterX(3780); // 96 dpi
    image.setDotsPerMeterY(3780);
    return image;
}

void prepare(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
}

QPen strokePen(const QColor &c, qreal width)
{
    QPen pen(c, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

QPainterPath roundedRect(const QRectF &r, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

QImage glyphLayer(Glyph glyph, const QColor &c, int size, qreal margin)
{
    QImage layer = blank(size, size);
    QPainter p(&layer);
    prepare(p);
    const qreal inner = size - 2 * margin;
    p.translate(margin, margin);
    p.scale(inner / 100.0, inner / 100.0);
    glyph(p, c);
    return layer;
}

void drawGlyph(QImage &image, Glyph glyph, const QColor &c, const QRectF &target)
{
    // Draw at four times the size and scale down: thin strokes stay crisp at small sizes.
    const int w = qCeil(target.width()) * 4;
    const int h = qCeil(target.height()) * 4;
    QImage layer = blank(w, h);
    {
        QPainter p(&layer);
        prepare(p);
        p.scale(w / 100.0, h / 100.0);
        glyph(p, c);
    }
    QPainter p(&image);
    prepare(p);
    p.drawImage(target, layer);
}

QImage softShadow(const QImage &layer, const QColor &c, int radius)
{
    QImage tinted = layer;
    {
        QPainter p(&tinted);
        p.setCompositionMode(QPainter::CompositionMode_SourceIn);
        p.fillRect(tinted.rect(), c);
    }
    // Two rounds of shrinking and growing again give a cheap, smooth blur.
    const int factor = qMax(2, radius);
    QImage small = tinted.scaled(qMax(1, layer.width() / factor), qMax(1, layer.height() / factor),
                                 Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage blurred =
        small.scaled(layer.width(), layer.height(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return blurred.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QFont labelFont(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void drawFittedText(QPainter &p, const QRectF &r, const QString &text, int pixelSize, bool bold,
                    const QColor &c)
{
    QFont font = labelFont(pixelSize, bold);
    while (font.pixelSize() > 6 && QFontMetricsF(font).horizontalAdvance(text) > r.width())
        font.setPixelSize(font.pixelSize() - 1);
    p.save();
    p.setFont(font);
    p.setPen(c);
    p.drawText(r, Qt::AlignCenter, text);
    p.restore();
}

} // namespace drawimages
