#pragma once

#include <QString>

class QMenu;

// The look shared by the menus of the title bar (connect, language, settings): dark blue
// with a blue rounded border, large light items, highlighted and pressed colours.
namespace app {

QString titleBarMenuStyleSheet();
// Gives `menu` that look (style sheet and a frameless, translucent popup for the corners).
void applyTitleBarMenuStyle(QMenu *menu);

} // namespace app
