#pragma once

#include <QImage>
#include <QString>
#include <functional>

namespace drawimages {

// Receives one finished picture with its path below the resources folder
// ("images/newskin/video.png"); the suffix names the file format.
using PictureSink = std::function<void(const QString &path, const QImage &image)>;

// Draws every picture of the console, in a fixed order.
void drawIcons(const PictureSink &sink);    // category, menu, tool and media icons
void drawSurfaces(const PictureSink &sink); // backgrounds, buttons, frames, pad, cards, logo
inline void drawAll(const PictureSink &sink)
{
    drawIcons(sink);
    drawSurfaces(sink);
}

} // namespace drawimages
