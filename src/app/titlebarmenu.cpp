#include "app/titlebarmenu.h"

#include <QMenu>

namespace app {

QString titleBarMenuStyleSheet()
{
    return QStringLiteral("QMenu{background-color:rgb(6, 85, 128);border:2px solid rgb(32, 102, 219);"
                          "border-radius:5px;padding:4px 0px;}"
                          "QMenu::item{font-size:12pt;color:rgb(225, 225, 225);background:transparent;"
                          "min-width:120px;min-height:40px;padding:0px 24px 0px 8px;}"
                          "QMenu::item:selected{background-color:rgb(1, 174, 215);}"
                          "QMenu::item:pressed{background-color:rgb(220, 80, 6);}"
                          // An entry that cannot be chosen must not look as if it could.
                          "QMenu::item:disabled{color:rgba(225, 225, 225, 110);background:transparent;}"
                          "QMenu::icon{padding-left:10px;}"
                          "QMenu::separator{height:1px;background:rgb(32, 102, 219);margin:4px 8px;}");
}

void applyTitleBarMenuStyle(QMenu *menu)
{
    menu->setWindowFlags(menu->windowFlags() | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint);
    menu->setAttribute(Qt::WA_TranslucentBackground);
    menu->setStyleSheet(titleBarMenuStyleSheet());
}

} // namespace app
