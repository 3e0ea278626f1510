#pragma once

#include <QSize>

class QApplication;

// Process start-up pieces of the console that do not need the main window.
namespace app {

// Look of the whole application: the style sheet (a "guiColor-new.css" beside the program
// replaces the built-in one), the palette made from "#F0F0F0", and the Chinese font set-up.
void applyGlobalLook(QApplication &application);

// Maps the Windows Chinese UI font names used by the style sheets to the installed Simplified
// Chinese font and makes it the default, so Chinese texts get their Simplified Chinese
// glyphs whatever the locale. Does nothing on Windows.
void setUpChineseFonts(QApplication &application);

// The main window's fixed size for a screen whose available area is `available`: at most
// 1920 x 1080, and never taller than wide (a portrait result is turned on its side).
QSize fixedWindowSize(const QSize &available);

// Creates the local scene-cache folders. The root and the "Modals" folder each show
// "创建目录失败！" when they cannot be created; the four group folders are created only
// when "Group1" is missing, without checking.
void createLocalFolders();

} // namespace app
