#pragma once

#include "hoststore.h"

#include <QList>
#include <functional>

class QMenu;
class QPushButton;
class QWidget;

// The host menu of the connect button: "连接新主机", "断开连接", a separator, then one entry per
// known host with a host button and a delete button side by side.
namespace hostmenu {

struct Handlers
{
    std::function<void()> connectNew;
    std::function<void()> disconnect;
    std::function<void(QPushButton *hostButton)> hostClicked;
    std::function<void(QPushButton *deleteButton)> deleteClicked;
};

QMenu *build(QWidget *parent, const QList<HostEntry> &hosts, const Handlers &handlers);

// The entry's values as its host button carries them (host = text up to the first "(").
HostEntry entryOf(const QPushButton *hostButton);
// Stores the values on the host button and renames it hostIp + "(" + hostName + ")".
void updateEntry(QPushButton *hostButton, const HostEntry &entry);
// Removes the entry that a delete button belongs to ("ActionPtr") from its menu.
void removeEntry(QMenu *menu, QPushButton *deleteButton);

// The host buttons of a menu, in menu order.
QList<QPushButton *> hostButtons(QMenu *menu);

} // namespace hostmenu
