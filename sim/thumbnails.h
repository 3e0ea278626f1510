#pragma once

#include "sim/controllerstate.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// Pictures the controller serves, drawn here with QPainter: 320x240 JPEG cards with the
// name and category of a resource on a coloured background, scene previews drawn from the
// windows of a group, and previews of application windows. Painting needs a
// QGuiApplication for fonts; without one the cards are drawn without text.
namespace sim::thumbnails {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

QByteArray toJpeg(const QImage &image, int quality = 85);

// A card for a catalogue entry; `category` is a value of sim::Category.
QByteArray resourceCard(int category, const QString &name);
// An uploaded picture scaled onto a card with its name; a card when it does not decode.
QByteArray pictureCard(const QByteArray &imageBytes, const QString &name);
// The wall of `group` with `windows` drawn on it, titled with the scene name.
QByteArray sceneCard(const Group &group, const QList<Window> &windows, const QString &title);
// A desktop application window with its title bar.
QByteArray applicationPreview(const QString &title, int hwnd);

} // namespace sim::thumbnails
