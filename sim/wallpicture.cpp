#include "sim/wallpicture.h"

#include <QDateTime>
#include <QFont>
#include <QKeySequence>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace sim {

namespace {

const QColor kMonitor(22, 28, 42);
const QColor kBezel(70, 76, 92);
const QColor kMonitorLabel(96, 104, 124);

// Column widths (or row heights) of a group: the custom ones, else an even division whose
// last entry takes the remainder.
QList<int> divide(const QList<int> &custom, int total, int count)
{
    if (!custom.isEmpty())
        return custom;
    count = std::max(count, 1);
    const int cell = total / count;
    QList<int> out;
    for (int i = 0; i < count - 1; ++i)
        out.append(cell);
    out.append(total - (count - 1) * cell);
    return out;
}

QFont pixelFont(int px, bool bold)
{
    QFont font;
    font.setPixelSize(std::max(px, 6));
    font.setBold(bold);
    return font;
}

void drawMonitors(QPainter &p, const WallSnapshot &s, double sx, double sy, const QSize &size)
{
    p.fillRect(QRect(QPoint(0, 0), size), kMonitor);
    p.setPen(QPen(kBezel, std::max(2.0, size.height() / 360.0)));
    int x = 0;
    for (int c = 0; c + 1 < s.colWidths.size(); ++c) {
        x += s.colWidths.at(c);
        p.drawLine(QPointF(x * sx, 0), QPointF(x * sx, size.height()));
    }
    int y = 0;
    for (int r = 0; r + 1 < s.rowHeights.size(); ++r) {
        y += s.rowHeights.at(r);
        p.drawLine(QPointF(0, y * sy), QPointF(size.width(), y * sy));
    }
    // Each monitor is labelled row-column in its top-right corner.
    p.setPen(kMonitorLabel);
    p.setFont(pixelFont(size.height() / 40, false));
    int top = 0;
    for (int r = 0; r < s.rowHeights.size(); ++r) {
        int left = 0;
        for (int c = 0; c < s.colWidths.size(); ++c) {
            const QRectF cell(left * sx, top * sy, s.colWidths.at(c) * sx, s.rowHeights.at(r) * sy);
            p.drawText(cell.adjusted(0, 6, -8, 0), Qt::AlignRight | Qt::AlignTop,
                       QStringLiteral("%1-%2").arg(r + 1).arg(c + 1));
            left += s.colWidths.at(c);
        }
        top += s.rowHeights.at(r);
    }
}

void drawWindows(QPainter &p, const WallSnapshot &s, double sx, double sy, const QSize &size)
{
    const int textPx = std::max(10, size.height() / 24);
    const QFont font = pixelFont(textPx, true);
    const QFontMetrics metrics(font);
    const int statusPx = std::max(8, textPx * 2 / 3);
    const QFont statusFont = pixelFont(statusPx, false);
    const QFontMetrics statusMetrics(statusFont);
    p.setFont(font);
    for (const WallSnapshot::Item &w : s.windows) {
        const QRectF r(w.rect.left * sx, w.rect.top * sy, (w.rect.right - w.rect.left) * sx,
                       (w.rect.bottom - w.rect.top) * sy);
        const QColor fill = windowColor(w.type);
        p.fillRect(r, fill);
        p.setPen(QPen(fill.lighter(150), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(1, 1, -1, -1));
        // The name sits in the middle, clear of the title bar and file list the console
        // draws over the top of its window items.
        const QString name = w.name.isEmpty() ? QStringLiteral("#%1").arg(w.id) : w.name;
        p.setPen(Qt::white);
        p.drawText(r, Qt::AlignCenter, metrics.elidedText(name, Qt::ElideRight, int(r.width()) - textPx));
        if (w.status.isEmpty())
            continue;
        // The playback line just under the name, in the window's upper half below the middle.
        const QRectF line(r.left(), r.center().y() + textPx * 0.6, r.width(), statusPx * 1.4);
        p.setFont(statusFont);
        p.setPen(QColor(235, 238, 245));
        p.drawText(line.intersected(r), Qt::AlignHCenter | Qt::AlignTop,
                   statusMetrics.elidedText(w.status, Qt::ElideRight, int(r.width()) - statusPx));
        p.setFont(font);
    }
}

QString hms(int seconds)
{
    return QString::asprintf("%02d:%02d:%02d", seconds / 3600, (seconds % 3600) / 60, seconds % 60);
}

QString sound(const Window &w)
{
    return w.muted ? QStringLiteral("muted") : QStringLiteral("volume %1").arg(w.volume);
}

void drawCentredText(QPainter &p, const QSize &size, const QString &text)
{
    p.setPen(QColor(200, 206, 220));
    p.setFont(pixelFont(size.height() / 12, true));
    p.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter | Qt::TextWordWrap, text);
}

QColor hexColour(const QString &text, int alpha = 255)
{
    bool ok = false;
    const uint rgb = text.toUInt(&ok, 16);
    QColor colour = ok ? QColor(QRgb(rgb)) : QColor(0, 0, 0);
    colour.setAlpha(alpha);
    return colour;
}

QFont captionFont(const WallSnapshot::Caption &c, double px)
{
    QFont font(c.fontName);
    font.setPixelSize(std::max(6, int(px)));
    return font;
}

void drawCaption(QPainter &p, const WallSnapshot &s, double sx, double sy)
{
    const WallSnapshot::Caption &c = s.caption;
    const QRect band = captionBand(s);
    if (!c.shown || band.isEmpty())
        return;
    const QRectF shown(band.left() * sx, band.top() * sy, band.width() * sx, band.height() * sy);
    p.save();
    p.setClipRect(shown);
    p.fillRect(shown, c.bandColor);
    // Measured in wall pixels, so that the text moves the same on every picture size.
    const int textWidth = QFontMetrics(captionFont(c, c.fontSize)).horizontalAdvance(c.text);
    p.setFont(captionFont(c, c.fontSize * sy));
    p.setPen(c.textColor);
    const double left = captionTextLeft(s, textWidth) * sx;
    p.drawText(QRectF(left, shown.top(), textWidth * sx + shown.height(), shown.height()),
               Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, c.text);
    p.restore();
}

// An arrow with its tip on the pointer, ringed while a button is held, and the keys held
// down beside it.
void drawPointer(QPainter &p, const WallSnapshot &s, double sx, double sy, const QSize &size)
{
    const WallSnapshot::Pointer &m = s.pointer;
    if (!m.shown)
        return;
    const QPointF tip(m.x * sx, m.y * sy);
    const double unit = std::max(12, size.height() / 24);
    QPainterPath arrow(tip);
    arrow.lineTo(tip + QPointF(0, unit));
    arrow.lineTo(tip + QPointF(unit * 0.28, unit * 0.75));
    arrow.lineTo(tip + QPointF(unit * 0.48, unit * 1.15));
    arrow.lineTo(tip + QPointF(unit * 0.62, unit * 1.08));
    arrow.lineTo(tip + QPointF(unit * 0.42, unit * 0.68));
    arrow.lineTo(tip + QPointF(unit * 0.75, unit * 0.68));
    arrow.closeSubpath();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    if (m.buttonDown) {
        p.setPen(QPen(QColor(255, 140, 0), std::max(2.0, unit / 8)));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(tip, unit * 0.45, unit * 0.45);
    }
    p.setPen(QPen(Qt::black, std::max(1.0, unit / 14)));
    p.setBrush(Qt::white);
    p.drawPath(arrow);
    if (!m.keysDown.isEmpty()) {
        QStringList keys;
        for (int key : m.keysDown)
            keys.append(QKeySequence(key).toString());
        const QFont font = pixelFont(int(unit * 0.6), true);
        const QString text = keys.join(QLatin1Char('+'));
        const QRectF box(tip + QPointF(unit * 0.9, unit * 0.4),
                         QSizeF(QFontMetrics(font).horizontalAdvance(text) + unit * 0.4, unit * 0.8));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 190));
        p.drawRoundedRect(box, unit * 0.15, unit * 0.15);
        p.setPen(Qt::white);
        p.setFont(font);
        p.drawText(box, Qt::AlignCenter, text);
    }
    p.restore();
}

void drawClock(QPainter &p, const WallSnapshot &s, const QSize &size)
{
    const QTime time = QDateTime::fromMSecsSinceEpoch(s.clockMs).time();
    const QString text = time.toString(QStringLiteral("HH:mm:ss.")) + QString::number(time.msec() / 100);
    const QFont font = pixelFont(size.height() / 14, true);
    const QFontMetrics metrics(font);
    // Bottom-right, clear of the window names in the top-left corners.
    const int margin = size.height() / 60 + 2;
    const int width = metrics.horizontalAdvance(QStringLiteral("00:00:00.0")) + 2 * margin;
    const int height = metrics.height() + margin;
    const QRect box(size.width() - width - margin, size.height() - height - 2 * margin, width, height);
    p.fillRect(box, QColor(0, 0, 0, 170));
    p.setPen(QColor(255, 255, 255));
    p.setFont(font);
    p.drawText(box, Qt::AlignCenter, text);
    // A bar that sweeps once a second along the bottom edge.
    const int barHeight = std::max(2, size.height() / 120);
    p.fillRect(QRect(0, size.height() - barHeight, size.width() * time.msec() / 1000, barHeight),
               QColor(240, 240, 240));
}

void drawFooter(QPainter &p, const WallSnapshot &s, const QSize &size)
{
    const QString label = s.index == kIndependentScreens
                              ? QStringLiteral("screenlive-1")
                              : QStringLiteral("%1 · screenlive%2").arg(s.groupName).arg(s.index);
    p.setPen(QColor(170, 176, 190));
    p.setFont(pixelFont(size.height() / 36, false));
    const int margin = size.height() / 60 + 2;
    p.drawText(QRect(margin, 0, size.width() - 2 * margin, size.height() - margin - size.height() / 100),
               Qt::AlignLeft | Qt::AlignBottom, label);
}

} // namespace

QString playbackStatus(const Window &w, qint64 nowMs)
{
    switch (w.type) {
    case 0: {
        const QString state = w.isPlaying(nowMs) ? QStringLiteral("Playing")
                              : w.atEnd(nowMs)   ? QStringLiteral("Ended")
                                                 : QStringLiteral("Paused");
        return QStringLiteral("%1 %2 / %3 · %4")
            .arg(state, hms(w.currentTime(nowMs)), hms(w.totalTime), sound(w));
    }
    case 1: {
        const QString item =
            w.resList.size() > 1
                ? QStringLiteral("picture %1 of %2 · ").arg(w.index + 1).arg(w.resList.size())
                : QString();
        return (w.playing ? QString() : QStringLiteral("Paused · ")) + item +
               QStringLiteral("every %1 s").arg(w.interval);
    }
    case 4:
    case 6:
        return QStringLiteral("Live · shown %1 s · %2").arg(w.showTime).arg(sound(w));
    case 3:
        return w.pageCount > 0 ? QStringLiteral("Page %1 of %2").arg(w.page).arg(w.pageCount)
                               : QStringLiteral("Page %1").arg(w.page);
    case 2:
        return QStringLiteral("Zoom %1%").arg(w.zoom) +
               (w.scroll > 0 ? QStringLiteral(" · scrolled %1").arg(w.scroll) : QString());
    default:
        return QString();
    }
}

WallSnapshot wallSnapshot(const ControllerState &state, int index, qint64 clockMs, qint64 controllerMs)
{
    WallSnapshot s;
    s.index = index;
    s.clockMs = clockMs;
    const Group *group = index >= 0 ? state.group(index) : nullptr;
    if (!group)
        return s;
    s.exists = true;
    s.groupName = group->name;
    s.width = std::max(group->width, 1);
    s.height = std::max(group->height, 1);
    s.colWidths = divide(group->customWidth, s.width, group->cols);
    s.rowHeights = divide(group->customHeight, s.height, group->rows);
    for (const Window &w : group->windows)
        s.windows.append({w.id, w.type, w.rect, w.displayName(), playbackStatus(w, controllerMs)});
    const Caption &c = state.caption;
    if (c.show && index == c.scrGroup - 1) {
        s.caption.shown = true;
        s.caption.text = c.text;
        s.caption.fontName = c.fontName;
        s.caption.textColor = hexColour(c.textColor);
        s.caption.bandColor = hexColour(c.bgColor, c.alpha);
        s.caption.scrollSpeed = c.scrollSpeed;
        s.caption.fontSize = std::max(1, c.fontSize);
        s.caption.area = c.scrRange.size() == 4
                             ? QRect(c.scrRange.at(0), c.scrRange.at(1), c.scrRange.at(2), c.scrRange.at(3))
                             : QRect(0, 0, s.width, 1080);
    }
    const MouseState &m = state.mouse;
    if (m.events > 0 && index == state.scrIndex) {
        s.pointer.shown = true;
        s.pointer.x = int(qint64(m.x) * s.width / 10000);
        s.pointer.y = int(qint64(m.y) * s.height / 10000);
        s.pointer.buttonDown = m.leftDown || m.otherDown;
        s.pointer.keysDown = m.keysDown;
    }
    return s;
}

QRect captionBand(const WallSnapshot &s)
{
    const QRect area = s.caption.area.intersected(QRect(0, 0, s.width, s.height));
    const int height = std::min(area.height(), s.caption.fontSize * 3 / 2);
    return QRect(area.left(), area.bottom() + 1 - height, area.width(), height);
}

int captionTextLeft(const WallSnapshot &s, int textWidth)
{
    const QRect band = captionBand(s);
    if (s.caption.scrollSpeed <= 0)
        return band.left() + (band.width() - textWidth) / 2;
    // Enters at the right edge, leaves at the left, then comes round again.
    const qint64 travelled = s.clockMs * s.caption.scrollSpeed * 200 / 1000;
    const qint64 lap = qint64(band.width()) + std::max(textWidth, 1);
    return band.right() + 1 - int(travelled % lap);
}

QSize pictureSize(const WallSnapshot &snapshot, const QSize &bound)
{
    const QSize wall = snapshot.exists ? QSize(snapshot.width, snapshot.height) : QSize(16, 9);
    const QSize fitted = wall.scaled(bound, Qt::KeepAspectRatio);
    return QSize(std::max(16, fitted.width() & ~1), std::max(16, fitted.height() & ~1));
}

QColor windowColor(int windowType)
{
    switch (windowType) {
    case 0: // video files
        return QColor(38, 110, 200);
    case 1: // pictures
        return QColor(46, 160, 90);
    case 2: // web page
        return QColor(0, 150, 160);
    case 3: // Office document
        return QColor(210, 110, 40);
    case 4: // network video
        return QColor(140, 70, 190);
    case 5: // other document
    case 9: // application
        return QColor(190, 160, 40);
    case 6: // USB capture
        return QColor(200, 60, 110);
    default:
        return QColor(120, 120, 120);
    }
}

QImage renderWall(const WallSnapshot &s, const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    if (s.exists) {
        const double sx = double(size.width()) / s.width;
        const double sy = double(size.height()) / s.height;
        drawMonitors(p, s, sx, sy, size);
        drawWindows(p, s, sx, sy, size);
        drawCaption(p, s, sx, sy);
        drawPointer(p, s, sx, sy, size);
    } else {
        p.fillRect(image.rect(), kMonitor);
        drawCentredText(p, size,
                        s.index == kIndependentScreens
                            ? QStringLiteral("独立屏幕\nIndependent screens")
                            : QStringLiteral("No screen group %1 on this controller").arg(s.index + 1));
    }
    drawFooter(p, s, size);
    drawClock(p, s, size);
    return image;
}

} // namespace sim
