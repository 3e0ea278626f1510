#include "hostmenu.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QMenu>
#include <QPushButton>
#include <QWidget>
#include <QWidgetAction>

namespace {
const char *const kHostButtonStyle =
    "QPushButton{background:transparent;border:none;color:rgb(240, 240, 240);font-size:12pt;"
    "text-align:left;padding:0 8px;}"
    "QPushButton:hover{color:rgb(255, 255, 255);}";
const char *const kDeleteButtonStyle = "QPushButton{background:transparent;border:none;min-width:40px;"
                                       "min-height:40px;}"
                                       "QPushButton:hover{background:rgb(1, 174, 215);}";
} // namespace

HostMenu::HostMenu(const QList<HostEntry> &hosts, QWidget *parent) : QMenu(parent)
{
    QAction *connectNew = addAction(QIcon(QStringLiteral(":/images/newskin/display.png")),
                                    QCoreApplication::translate("MainWindow2", "连接新主机"));
    connect(connectNew, &QAction::triggered, this, &HostMenu::connectNewRequested);
    QAction *disconnect = addAction(QIcon(QStringLiteral(":/images/newskin/30-disconnect.png")),
                                    QCoreApplication::translate("MainWindow2", "断开连接"));
    connect(disconnect, &QAction::triggered, this, &HostMenu::disconnectRequested);
    addSeparator();

    for (const HostEntry &host : hosts) {
        auto *action = new QWidgetAction(this);
        auto *row = new QWidget(this);
        auto *layout = new QHBoxLayout(row);
        layout->setContentsMargins(8, 2, 8, 2);
        layout->setSpacing(4);

        auto *hostButton = new QPushButton(row);
        hostButton->setObjectName(QStringLiteral("hostButton"));
        hostButton->setFlat(true);
        hostButton->setStyleSheet(QLatin1String(kHostButtonStyle));
        hostmenu::updateEntry(hostButton, host);

        auto *deleteButton = new QPushButton(row);
        deleteButton->setObjectName(QStringLiteral("deleteButton"));
        deleteButton->setFlat(true);
        deleteButton->setStyleSheet(QLatin1String(kDeleteButtonStyle));
        deleteButton->setIcon(QIcon(QStringLiteral(":/images/newskin/30-delete.png")));
        deleteButton->setProperty("ActionPtr", QVariant::fromValue(reinterpret_cast<quintptr>(action)));
        deleteButton->setProperty("HostIp", host.hostIp);

        layout->addWidget(hostButton, 9);
        layout->addWidget(deleteButton, 2);
        action->setDefaultWidget(row);
        addAction(action);

        connect(hostButton, &QPushButton::clicked, this, [this, hostButton] {
            close();
            emit hostClicked(hostButton);
        });
        connect(deleteButton, &QPushButton::clicked, this,
                [this, deleteButton] { emit deleteClicked(deleteButton); });
    }
}

namespace hostmenu {

HostEntry entryOf(const QPushButton *hostButton)
{
    HostEntry entry;
    const QString text = hostButton->text();
    const int paren = text.indexOf(QLatin1Char('('));
    entry.hostIp = paren < 0 ? text : text.left(paren);
    entry.userName = hostButton->property("UserName").toString();
    entry.hostName = hostButton->property("HostName").toString();
    entry.family = hostButton->property("Family").toInt();
    entry.port = hostButton->property("PortNo").toInt();
    entry.autoLogin = hostButton->property("AutoLogin").toInt() != 0;
    entry.password = hostButton->property("Password").toString();
    return entry;
}

void updateEntry(QPushButton *hostButton, const HostEntry &entry)
{
    hostButton->setProperty("UserName", entry.userName);
    hostButton->setProperty("HostName", entry.hostName);
    hostButton->setProperty("Family", entry.family);
    hostButton->setProperty("PortNo", entry.port);
    hostButton->setProperty("AutoLogin", entry.autoLogin ? 1 : 0);
    hostButton->setProperty("Password", entry.autoLogin ? entry.password : QString());
    hostButton->setText(entry.hostIp + QLatin1Char('(') + entry.hostName + QLatin1Char(')'));
}

void removeEntry(QMenu *menu, QPushButton *deleteButton)
{
    const auto pointer = deleteButton->property("ActionPtr").value<quintptr>();
    const QList<QAction *> actions = menu->actions();
    for (QAction *action : actions) {
        if (reinterpret_cast<quintptr>(action) == pointer) {
            menu->removeAction(action);
            action->deleteLater();
            return;
        }
    }
}

QList<QPushButton *> hostButtons(QMenu *menu)
{
    QList<QPushButton *> buttons;
    const QList<QAction *> actions = menu->actions();
    for (QAction *action : actions) {
        auto *widgetAction = qobject_cast<QWidgetAction *>(action);
        if (!widgetAction || !widgetAction->defaultWidget())
            continue;
        if (auto *button =
                widgetAction->defaultWidget()->findChild<QPushButton *>(QStringLiteral("hostButton")))
            buttons.append(button);
    }
    return buttons;
}

} // namespace hostmenu
