#include "sim/thumbnails.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

namespace sim::thumbnails {

namespace {

bool canDrawText()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
}

uint nameHash(const QString &name)
{
    const QByteArray h = QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Md5);
    return (uint(uchar(h.at(0))) << 8) | uchar(h.at(1));
}

// Base hue per category, varied a little per name so neighbouring cards differ.
QColor cardColor(int category, const QString &name)
{
    static const int hues[] = {210, 140, 190, 25, 280, 45, 330, 260, 170};
    const int hue = (hues[qBound(0, category, 8)] + int(nameHash(name) % 30) - 15 + 360) % 360;
    return QColor::fromHsv(hue, 150, 150);
}

QFont pixelFont(int px, bool bold)
{
    QFont f;
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

void drawBackground(QPainter &p, const QColor &base)
{
    QLinearGradient g(0, 0, 0, kHeight);
    g.setColorAt(0, base.lighter(125));
    g.setColorAt(1, base.darker(160));
    p.fillRect(0, 0, kWidth, kHeight, g);
}

void drawLabel(QPainter &p, const QString &category, const QString &name)
{
    if (!canDrawText())
        return;
    p.setPen(QColor(255, 255, 255, 210));
    p.setFont(pixelFont(15, true));
    p.drawText(QRect(12, 8, kWidth - 24, 22), Qt::AlignLeft | Qt::AlignVCenter, category.toUpper());
    p.fillRect(QRect(0, 168, kWidth, 72), QColor(0, 0, 0, 110));
    p.setPen(Qt::white);
    p.setFont(pixelFont(name.size() > 28 ? 17 : 21, true));
    p.drawText(QRect(12, 172, kWidth - 24, 64), Qt::AlignCenter | Qt::TextWordWrap, name);
}

void drawDocument(QPainter &p, const QColor &badge, const QString &letter)
{
    const QRectF page(110, 36, 100, 126);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 250, 250));
    p.drawRoundedRect(page, 6, 6);
    p.setPen(QPen(QColor(180, 180, 180), 4));
    for (int i = 0; i < 5; ++i)
        p.drawLine(QPointF(126, 64 + i * 18), QPointF(194, 64 + i * 18));
    if (letter.isEmpty())
        return;
    p.setPen(Qt::NoPen);
    p.setBrush(badge);
    p.drawRoundedRect(QRectF(88, 90, 62, 62), 8, 8);
    if (canDrawText()) {
        p.setPen(Qt::white);
        p.setFont(pixelFont(40, true));
        p.drawText(QRectF(88, 90, 62, 62), Qt::AlignCenter, letter);
    }
}

void drawGlyph(QPainter &p, int category, const QString &name)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(255, 255, 255, 235);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    switch (category) {
    case CatVideo: {
        p.setBrush(QColor(0, 0, 0, 90));
        p.drawRoundedRect(QRectF(90, 48, 140, 100), 10, 10);
        p.setBrush(ink);
        QPainterPath tri;
        tri.moveTo(145, 70);
        tri.lineTo(185, 98);
        tri.lineTo(145, 126);
        tri.closeSubpath();
        p.drawPath(tri);
        break;
    }
    case CatPicture: {
        p.setBrush(QColor(255, 255, 255, 60));
        p.drawRect(QRectF(85, 45, 150, 110));
        p.setBrush(QColor(255, 220, 90));
        p.drawEllipse(QPointF(200, 72), 13, 13);
        p.setBrush(ink);
        QPainterPath m;
        m.moveTo(92, 150);
        m.lineTo(135, 90);
        m.lineTo(165, 125);
        m.lineTo(185, 105);
        m.lineTo(228, 150);
        m.closeSubpath();
        p.drawPath(m);
        break;
    }
    case CatWeb: {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(ink, 5));
        p.drawEllipse(QPointF(160, 98), 55, 55);
        p.drawEllipse(QPointF(160, 98), 24, 55);
        p.drawLine(QPointF(105, 98), QPointF(215, 98));
        p.drawLine(QPointF(112, 72), QPointF(208, 72));
        p.drawLine(QPointF(112, 124), QPointF(208, 124));
        break;
    }
    case CatOffice: {
        const QString ext = QFileInfo(name).suffix().toLower();
        if (ext == "doc" || ext == "docx")
            drawDocument(p, QColor(40, 90, 190), "W");
        else if (ext.startsWith("xl"))
            drawDocument(p, QColor(30, 130, 70), "X");
        else if (ext == "ppt" || ext == "pptx")
            drawDocument(p, QColor(200, 80, 40), "P");
        else
            drawDocument(p, QColor(110, 110, 110), "?");
        break;
    }
    case CatNetVideo: {
        p.drawRoundedRect(QRectF(92, 70, 110, 64), 10, 10);
        QPainterPath lens;
        lens.moveTo(202, 88);
        lens.lineTo(236, 70);
        lens.lineTo(236, 134);
        lens.lineTo(202, 116);
        lens.closeSubpath();
        p.drawPath(lens);
        p.setBrush(QColor(220, 40, 40));
        p.drawEllipse(QPointF(110, 86), 6, 6);
        break;
    }
    case CatUsb: {
        p.drawRoundedRect(QRectF(125, 80, 70, 80), 8, 8);
        p.drawRect(QRectF(138, 48, 44, 34));
        p.setBrush(QColor(0, 0, 0, 120));
        p.drawRect(QRectF(146, 56, 10, 10));
        p.drawRect(QRectF(164, 56, 10, 10));
        break;
    }
    case CatMusic: {
        p.drawEllipse(QPointF(125, 135), 20, 15);
        p.drawEllipse(QPointF(195, 122), 20, 15);
        p.drawRect(QRectF(139, 60, 7, 75));
        p.drawRect(QRectF(209, 47, 7, 75));
        QPainterPath beam;
        beam.moveTo(139, 60);
        beam.lineTo(216, 47);
        beam.lineTo(216, 65);
        beam.lineTo(139, 78);
        beam.closeSubpath();
        p.drawPath(beam);
        break;
    }
    default:
        drawDocument(p, QColor(), QString());
        break;
    }
}

} // namespace

QByteArray toJpeg(const QImage &image, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", quality);
    return bytes;
}

QByteArray resourceCard(int category, const QString &name)
{
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&img);
    drawBackground(p, cardColor(category, name));
    drawGlyph(p, category, name);
    drawLabel(p, QLatin1String(categoryInfo(category).label), name);
    p.end();
    return toJpeg(img);
}

QByteArray pictureCard(const QByteArray &imageBytes, const QString &name)
{
    QImage picture;
    if (!picture.loadFromData(imageBytes))
        return resourceCard(CatPicture, name);
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    img.fill(QColor(24, 24, 24));
    QPainter p(&img);
    const QImage scaled = picture.scaled(kWidth, kHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    p.drawImage((kWidth - scaled.width()) / 2, (kHeight - scaled.height()) / 2, scaled);
    if (canDrawText()) {
        p.fillRect(QRect(0, 204, kWidth, 36), QColor(0, 0, 0, 120));
        p.setPen(Qt::white);
        p.setFont(pixelFont(16, true));
        p.drawText(QRect(10, 204, kWidth - 20, 36), Qt::AlignCenter, name);
    }
    p.end();
    return toJpeg(img);
}

QByteArray sceneCard(const Group &group, const QList<Window> &windows, const QString &title)
{
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    drawBackground(p, QColor(50, 60, 80));
    const int width = qMax(1, group.width), height = qMax(1, group.height);
    const QRectF area(10, 34, kWidth - 20, kHeight - 44);
    const double scale = qMin(area.width() / width, area.height() / height);
    const QRectF wall(area.center().x() - width * scale / 2, area.center().y() - height * scale / 2,
                      width * scale, height * scale);
    p.fillRect(wall, QColor(15, 15, 20));
    // Monitor grid with the custom widths and heights where given.
    p.setPen(QPen(QColor(90, 100, 120), 1));
    double x = wall.left();
    for (int c = 0; c < group.cols - 1; ++c) {
        x += (group.customWidth.size() == group.cols ? group.customWidth.at(c) : width / group.cols) * scale;
        p.drawLine(QPointF(x, wall.top()), QPointF(x, wall.bottom()));
    }
    double y = wall.top();
    for (int r = 0; r < group.rows - 1; ++r) {
        y += (group.customHeight.size() == group.rows ? group.customHeight.at(r) : height / group.rows) *
             scale;
        p.drawLine(QPointF(wall.left(), y), QPointF(wall.right(), y));
    }
    for (const Window &w : windows) {
        const QRectF r(wall.left() + w.rect.left * scale, wall.top() + w.rect.top * scale,
                       (w.rect.right - w.rect.left) * scale, (w.rect.bottom - w.rect.top) * scale);
        const QColor c = cardColor(w.type == 9 ? CatOther : w.type, w.displayName());
        p.setPen(QPen(c.lighter(160), 1.5));
        p.setBrush(c);
        p.drawRect(r);
        if (canDrawText()) {
            p.setPen(Qt::white);
            p.setFont(pixelFont(11, false));
            p.drawText(r.adjusted(3, 2, -3, -2), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                       w.displayName());
        }
    }
    if (canDrawText()) {
        p.setPen(Qt::white);
        p.setFont(pixelFont(17, true));
        p.drawText(QRect(10, 6, kWidth - 20, 24), Qt::AlignLeft | Qt::AlignVCenter, title);
    }
    p.end();
    return toJpeg(img);
}

QByteArray applicationPreview(const QString &title, int hwnd)
{
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&img);
    p.fillRect(img.rect(), QColor(236, 238, 242));
    const QColor bar = cardColor(8, title + QString::number(hwnd));
    p.fillRect(QRect(0, 0, kWidth, 30), bar);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const QColor buttons[] = {QColor(230, 80, 70), QColor(240, 190, 60), QColor(90, 190, 90)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(buttons[i]);
        p.drawEllipse(QPointF(kWidth - 16 - i * 20, 15), 6, 6);
    }
    // A few rows of content and a chart, so previews of different windows differ.
    const uint h = nameHash(title);
    p.setBrush(QColor(200, 205, 215));
    for (int i = 0; i < 6; ++i)
        p.drawRoundedRect(QRectF(16, 46 + i * 22, 90 + ((h >> i) % 5) * 14, 10), 4, 4);
    p.setBrush(bar.lighter(130));
    for (int i = 0; i < 6; ++i) {
        const int barHeight = 20 + int((h * (i + 3)) % 90);
        p.drawRect(QRectF(190 + i * 19, 200 - barHeight, 13, barHeight));
    }
    if (canDrawText()) {
        p.setPen(Qt::white);
        p.setFont(pixelFont(14, true));
        p.drawText(QRect(10, 0, kWidth - 80, 30), Qt::AlignLeft | Qt::AlignVCenter, title);
    }
    p.end();
    return toJpeg(img);
}

} // namespace sim::thumbnails
