#pragma once

#include "paintkit.h"

// White-on-transparent glyphs of the console's icons, each drawn in a 100 x 100 box.
namespace drawimages::glyphs {

// Resource categories
void videoCamera(QPainter &p, const QColor &c);
void sceneLayout(QPainter &p, const QColor &c);
void picture(QPainter &p, const QColor &c);
void document(QPainter &p, const QColor &c);
void globe(QPainter &p, const QColor &c);
void networkCamera(QPainter &p, const QColor &c);
void usb(QPainter &p, const QColor &c);
void apps(QPainter &p, const QColor &c);
void caption(QPainter &p, const QColor &c);
void music(QPainter &p, const QColor &c);

// Media control
void play(QPainter &p, const QColor &c);
void pause(QPainter &p, const QColor &c);
void playRing(QPainter &p, const QColor &c);
void pauseRing(QPainter &p, const QColor &c);
void speaker(QPainter &p, const QColor &c);
void speakerMuted(QPainter &p, const QColor &c);
void clock(QPainter &p, const QColor &c);
void filmStrip(QPainter &p, const QColor &c);

// Menus and tools
void monitor(QPainter &p, const QColor &c);
void monitorSettings(QPainter &p, const QColor &c);
void users(QPainter &p, const QColor &c);
void user(QPainter &p, const QColor &c);
void padlock(QPainter &p, const QColor &c);
void unplug(QPainter &p, const QColor &c);
void trash(QPainter &p, const QColor &c);
void plus(QPainter &p, const QColor &c);
void minus(QPainter &p, const QColor &c);
void check(QPainter &p, const QColor &c);
void floppy(QPainter &p, const QColor &c);
void chevronUp(QPainter &p, const QColor &c);
void chevronDown(QPainter &p, const QColor &c);
void cross(QPainter &p, const QColor &c);
void expand(QPainter &p, const QColor &c);
void restore(QPainter &p, const QColor &c);
void star(QPainter &p, const QColor &c);

// Message boxes
void infoMark(QPainter &p, const QColor &c);
void questionMark(QPainter &p, const QColor &c);

// File types
void sheetTable(QPainter &p, const QColor &c);
void slideChart(QPainter &p, const QColor &c);
void hdmiPort(QPainter &p, const QColor &c);

} // namespace drawimages::glyphs
