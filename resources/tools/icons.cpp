#include "glyphs.h"
#include "pictures.h"

namespace drawimages {

namespace {

// A plain glyph icon: `size` pixels square with `margin` pixels free around the glyph.
QImage glyphIcon(Glyph glyph, const QColor &c, int size, qreal margin)
{
    QImage image = blank(size, size);
    drawGlyph(image, glyph, c, QRectF(margin, margin, size - 2 * margin, size - 2 * margin));
    return image;
}

// The checked twin of a category icon: pure white with a soft dark shadow, so it stands
// out on the bright background of a checked category button.
QImage raisedIcon(Glyph glyph, int size, qreal margin)
{
    const QImage face = glyphIcon(glyph, theme::white, size, margin);
    const QImage shadow = softShadow(face, QColor(0, 36, 60, 200), 3);
    QImage image = blank(size, size);
    QPainter p(&image);
    prepare(p);
    p.drawImage(QPointF(0, 1.5), shadow);
    p.drawImage(QPointF(0, 0), face);
    return image;
}

// A round badge in `background` with a white glyph inside.
QImage badge(Glyph glyph, const QColor &background, int size, qreal glyphShare)
{
    QImage image = blank(size, size);
    {
        QPainter p(&image);
        prepare(p);
        QLinearGradient shade(0, 0, 0, size);
        shade.setColorAt(0, background.lighter(118));
        shade.setColorAt(1, background.darker(112));
        p.setPen(QPen(background.darker(135), size / 48.0));
        p.setBrush(shade);
        const qreal inset = size / 32.0;
        p.drawEllipse(QRectF(inset, inset, size - 2 * inset, size - 2 * inset));
    }
    const qreal g = size * glyphShare;
    drawGlyph(image, glyph, theme::white, QRectF((size - g) / 2, (size - g) / 2, g, g));
    return image;
}

// A small round mark (for example a plus) pinned to the lower right corner of `image`.
void pinMark(QImage &image, Glyph glyph, const QColor &background)
{
    const qreal size = image.width() * 0.46;
    const QRectF r(image.width() - size, image.height() - size, size, size);
    {
        QPainter p(&image);
        prepare(p);
        p.setPen(QPen(theme::white, image.width() / 24.0));
        p.setBrush(background);
        p.drawEllipse(r.adjusted(1, 1, -1, -1));
    }
    drawGlyph(image, glyph, theme::white, r.adjusted(size * 0.26, size * 0.26, -size * 0.26, -size * 0.26));
}

// The buttons on a window item of the wall canvas: 48 x 36, a rounded plate with a glyph.
QImage windowButton(Glyph glyph, const QColor &plate)
{
    QImage image = blank(48, 36);
    {
        QPainter p(&image);
        prepare(p);
        QLinearGradient shade(0, 2, 0, 34);
        shade.setColorAt(0, plate.lighter(120));
        shade.setColorAt(1, plate);
        p.setPen(QPen(QColor(255, 255, 255, 90), 1));
        p.setBrush(shade);
        p.drawRoundedRect(QRectF(2.5, 2.5, 43, 31), 6, 6);
    }
    drawGlyph(image, glyph, theme::white, QRectF(14, 8, 20, 20));
    return image;
}

QImage checkBox(bool checked)
{
    QImage image = blank(48, 48);
    {
        QPainter p(&image);
        prepare(p);
        const QRectF box(5, 5, 38, 38);
        if (checked) {
            p.setPen(QPen(theme::white, 2.5));
            p.setBrush(theme::accent);
        } else {
            p.setPen(QPen(QColor(255, 255, 255, 225), 3.5));
            p.setBrush(QColor(0, 30, 50, 110));
        }
        p.drawRoundedRect(box, 8, 8);
    }
    if (checked)
        drawGlyph(image, glyphs::check, theme::white, QRectF(10, 10, 28, 28));
    return image;
}

} // namespace

void drawIcons(const PictureSink &sink)
{
    // Category buttons: plain and checked ("-select") icon of every category.
    struct Category
    {
        const char *plain;
        const char *checked;
        Glyph glyph;
    };
    const Category categories[] = {
        {"video", "video-select", glyphs::videoCamera},
        {"scene", "scene-select", glyphs::sceneLayout},
        {"picture", "picture-select", glyphs::picture},
        {"office-new", "office-new-select", glyphs::document},
        {"web-page", "web-page-select", glyphs::globe},
        {"net-video", "net-video-select", glyphs::networkCamera},
        {"USB", "usb-select", glyphs::usb},
        {"other-doc", "other-doc-select", glyphs::apps},
        {"caption-cat", "caption-cat-select", glyphs::caption},
        {"music-cat", "music-cat-select", glyphs::music},
    };
    const QString newskin = QStringLiteral("images/newskin/");
    for (const Category &cat : categories) {
        sink(newskin + QLatin1String(cat.plain) + QStringLiteral(".png"),
             glyphIcon(cat.glyph, theme::glyphSoft, 64, 4));
        sink(newskin + QLatin1String(cat.checked) + QStringLiteral(".png"), raisedIcon(cat.glyph, 64, 4));
    }
    // The picture category's icon also lives at the top level.
    sink(QStringLiteral("images/picture.png"), glyphIcon(glyphs::picture, theme::glyphSoft, 64, 4));

    // Title-bar menus (30 x 30).
    sink(newskin + QStringLiteral("30-scr-setting.png"),
         glyphIcon(glyphs::monitorSettings, theme::white, 30, 2));
    sink(newskin + QStringLiteral("30-user-manager.png"), glyphIcon(glyphs::users, theme::white, 30, 2));
    sink(newskin + QStringLiteral("30-modify-pwd.png"), glyphIcon(glyphs::padlock, theme::white, 30, 2));
    sink(newskin + QStringLiteral("30-disconnect.png"), glyphIcon(glyphs::unplug, theme::white, 30, 2));
    sink(newskin + QStringLiteral("30-delete.png"), glyphIcon(glyphs::trash, theme::white, 30, 3));
    sink(newskin + QStringLiteral("display.png"), glyphIcon(glyphs::monitor, theme::white, 30, 2));

    // Tools below the category bar and list check marks (48 x 48).
    sink(newskin + QStringLiteral("select.png"), checkBox(true));
    sink(newskin + QStringLiteral("no-select.png"), checkBox(false));
    sink(newskin + QStringLiteral("add.png"), glyphIcon(glyphs::plus, theme::white, 48, 8));
    sink(newskin + QStringLiteral("trash.png"), glyphIcon(glyphs::trash, theme::white, 48, 6));
    {
        QImage save = glyphIcon(glyphs::floppy, theme::accent, 48, 6);
        QPainter p(&save);
        prepare(p);
        p.setPen(Qt::NoPen);
        p.setBrush(theme::white);
        p.drawRoundedRect(QRectF(16, 30, 16, 1.8), 0.9, 0.9);
        p.drawRoundedRect(QRectF(16, 34, 16, 1.8), 0.9, 0.9);
        sink(newskin + QStringLiteral("save-color.png"), save);
    }
    // Arrows of combo boxes and spin boxes (light fields).
    const QColor fieldArrow(52, 76, 98);
    sink(newskin + QStringLiteral("arrow-up.png"), glyphIcon(glyphs::chevronUp, fieldArrow, 16, 1));
    sink(newskin + QStringLiteral("arrow-down.png"), glyphIcon(glyphs::chevronDown, fieldArrow, 16, 1));

    // Media panel and screen echo (64 x 64).
    sink(newskin + QStringLiteral("play.png"), glyphIcon(glyphs::playRing, theme::white, 64, 4));
    sink(newskin + QStringLiteral("pause.png"), glyphIcon(glyphs::pauseRing, theme::white, 64, 4));
    sink(newskin + QStringLiteral("play-2.png"), glyphIcon(glyphs::play, theme::white, 64, 12));
    sink(newskin + QStringLiteral("pause-2.png"), glyphIcon(glyphs::pause, theme::white, 64, 12));
    sink(newskin + QStringLiteral("audio-big.png"), glyphIcon(glyphs::speaker, theme::white, 64, 6));
    sink(newskin + QStringLiteral("mute-big.png"), glyphIcon(glyphs::speakerMuted, theme::white, 64, 6));
    sink(newskin + QStringLiteral("video-big.png"), glyphIcon(glyphs::videoCamera, theme::white, 64, 6));
    sink(newskin + QStringLiteral("clock.png"), glyphIcon(glyphs::clock, theme::white, 64, 6));

    // Window item buttons (48 x 36).
    sink(newskin + QStringLiteral("win-close.png"), windowButton(glyphs::cross, theme::danger));
    sink(newskin + QStringLiteral("win-expand.png"), windowButton(glyphs::expand, theme::menuBlue));
    sink(newskin + QStringLiteral("win-restore.png"), windowButton(glyphs::restore, theme::menuBlue));

    // Scene rotation order buttons.
    sink(QStringLiteral("images/up.png"), badge(glyphs::chevronUp, theme::accent, 48, 0.56));
    sink(QStringLiteral("images/down.png"), badge(glyphs::chevronDown, theme::accent, 48, 0.56));

    // User management.
    sink(QStringLiteral("images/User.png"), badge(glyphs::user, theme::accent, 48, 0.62));
    {
        QImage admin = badge(glyphs::user, theme::menuBlue, 48, 0.62);
        pinMark(admin, glyphs::star, theme::hot);
        sink(QStringLiteral("images/admin.png"), admin);
        QImage add = badge(glyphs::user, theme::accent, 48, 0.62);
        pinMark(add, glyphs::plus, theme::success);
        sink(QStringLiteral("images/User_add.png"), add);
        QImage del = badge(glyphs::user, theme::accent, 48, 0.62);
        pinMark(del, glyphs::minus, theme::danger);
        sink(QStringLiteral("images/User-Del.png"), del);
    }

    // Message boxes.
    sink(QStringLiteral("images/Info2.png"), badge(glyphs::infoMark, theme::accent, 48, 0.58));
    sink(QStringLiteral("images/question.png"), badge(glyphs::questionMark, theme::lineBlue, 48, 0.56));
    sink(QStringLiteral("images/error.png"), badge(glyphs::cross, theme::danger, 48, 0.48));
}

} // namespace drawimages
