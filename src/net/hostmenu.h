#pragma once

#include "hoststore.h"

#include <QList>
#include <QMenu>

class QPushButton;
class QWidget;

// The host menu of the connect button: "连接新主机", "断开连接", a separator, then one entry per
// known host with a host button and a delete button side by side. It announces what the
// operator chose; the connection flow acts on it.
class HostMenu : public QMenu
{
    Q_OBJECT
public:
    HostMenu(const QList<HostEntry> &hosts, QWidget *parent = nullptr);

signals:
    void connectNewRequested();
    void disconnectRequested();
    void hostClicked(QPushButton *hostButton);
    void deleteClicked(QPushButton *deleteButton);
};

namespace hostmenu {

// The entry's values as its host button carries them (host = text up to the first "(").
HostEntry entryOf(const QPushButton *hostButton);
// Stores the values on the host button and renames it hostIp + "(" + hostName + ")".
void updateEntry(QPushButton *hostButton, const HostEntry &entry);
// Removes the entry that a delete button belongs to ("ActionPtr") from its menu.
void removeEntry(QMenu *menu, QPushButton *deleteButton);

// The host buttons of a menu, in menu order.
QList<QPushButton *> hostButtons(QMenu *menu);

} // namespace hostmenu
