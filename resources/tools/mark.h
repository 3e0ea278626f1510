#pragma once

#include <QImage>
#include <QString>

// The console's mark: a 3 x 3 video wall on a rounded plate, one window with a play sign
// spread over four of its tiles. It is the window icon (images/newskin/logo.png) and the
// application icon of the desktop menu, as pictures of 16 to 256 pixels and as SVG.
namespace drawimages {

// The mark drawn for `size` x `size` pixels. From 48 pixels on it is the 256-pixel design
// scaled; below, a simpler one on whole pixels, so that the tiles stay apart.
QImage markPicture(int size);

// The 256-pixel design as an SVG document (the scalable application icon).
QString markSvg();

// Pixel sizes of the application icon in the hicolor theme.
const int kAppIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

} // namespace drawimages
