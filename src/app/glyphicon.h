#pragma once

#include <QChar>
#include <QColor>
#include <QIcon>

// Icons drawn from the built-in icon font, for the main window's tool buttons: the glyph
// in the normal colour, a dimmed copy for disabled buttons and a highlighted copy for
// checked ones. Empty when the icon font is not available.
namespace app {

QIcon glyphIcon(QChar glyph, int pixelSize = 22, const QColor &color = QColor(225, 225, 225));

// A single picture of a glyph, e.g. for labels.
QPixmap glyphPixmap(QChar glyph, int pixelSize, const QColor &color);

// Code points of the icon font used by the main window.
namespace glyph {
inline constexpr char16_t kLink = 0xf0c1;
inline constexpr char16_t kGlobe = 0xf0ac;
inline constexpr char16_t kCog = 0xf013;
inline constexpr char16_t kMinus = 0xf068;
inline constexpr char16_t kClose = 0xf00d;
inline constexpr char16_t kKeyboard = 0xf11c;
inline constexpr char16_t kEraser = 0xf12d;
inline constexpr char16_t kDoubleDown = 0xf103;
inline constexpr char16_t kSearchMinus = 0xf010;
inline constexpr char16_t kSearchPlus = 0xf00e;
inline constexpr char16_t kPlay = 0xf04b;
inline constexpr char16_t kStop = 0xf04d;
inline constexpr char16_t kExpand = 0xf065;
inline constexpr char16_t kCompress = 0xf066;
inline constexpr char16_t kVolumeDown = 0xf027;
} // namespace glyph

} // namespace app
