#include "glyphicon.h"

#include "uikit/iconhelper.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

namespace app {

QPixmap glyphPixmap(QChar glyph, int pixelSize, const QColor &color)
{
    const QString family = IconHelper::instance()->family();
    if (family.isEmpty())
        return QPixmap();
    QPixmap pixmap(pixelSize, pixelSize);
    pixmap.fill(Qt::transparent);
    QFont font(family);
    font.setPixelSize(pixelSize * 7 / 8);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, QString(glyph));
    return pixmap;
}

QIcon glyphIcon(QChar glyph, int pixelSize, const QColor &color)
{
    const QPixmap normal = glyphPixmap(glyph, pixelSize, color);
    if (normal.isNull())
        return QIcon();
    QIcon icon;
    icon.addPixmap(normal, QIcon::Normal, QIcon::Off);
    icon.addPixmap(glyphPixmap(glyph, pixelSize, QColor(255, 255, 255)), QIcon::Active, QIcon::Off);
    icon.addPixmap(glyphPixmap(glyph, pixelSize, QColor(1, 174, 215)), QIcon::Normal, QIcon::On);
    icon.addPixmap(glyphPixmap(glyph, pixelSize, QColor(1, 174, 215)), QIcon::Active, QIcon::On);
    const QPixmap disabled = glyphPixmap(glyph, pixelSize, QColor(110, 125, 140));
    icon.addPixmap(disabled, QIcon::Disabled, QIcon::Off);
    icon.addPixmap(disabled, QIcon::Disabled, QIcon::On);
    return icon;
}

} // namespace app
