#pragma once

// The real main window against controller simulators on loopback: the window as the program
// shows it and its own login (ConnectionFlow::loginTo, the whole login sequence). Link
// pelmora_app and pelmora_simlib.
#include "app/connectionflow.h"
#include "app/mainwindow2.h"
#include "simsession.h"

#include <QTimer>
#include <QtTest>
#include <memory>

namespace pelmora::test {

// A controller simulator on `address` (127.0.0.x, each a loopback address of its own) and an
// ephemeral port; nullptr when it cannot start.
inline std::unique_ptr<sim::Simulator> startController(const QString &address = QStringLiteral("127.0.0.1"))
{
    auto controller = std::make_unique<sim::Simulator>();
    if (!controller->start(address))
        return nullptr;
    return controller;
}

// The main window shown with its canvas installed; the automatic login is held back.
inline std::unique_ptr<MainWindow2> makeWindow()
{
    auto window = std::make_unique<MainWindow2>();
    window->autoLoginTimer()->stop();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return nullptr;
    window->installCanvas();
    return window;
}

// Logs `window` in to the controller at `address`:`port` the way a host entry does.
inline bool loginTo(MainWindow2 &window, int port, const QString &user = QStringLiteral("admin"),
                    int family = 2, QString password = QString(),
                    const QString &address = QStringLiteral("127.0.0.1"))
{
    HostEntry entry;
    entry.hostIp = address;
    entry.port = port;
    entry.family = family;
    entry.userName = user;
    if (password.isNull())
        password = user;
    return window.connection()->loginTo(entry, password);
}

inline bool loginTo(MainWindow2 &window, const sim::Simulator &controller,
                    const QString &user = QStringLiteral("admin"), int family = 2,
                    const QString &address = QStringLiteral("127.0.0.1"))
{
    return loginTo(window, controller.port(), user, family, QString(), address);
}

} // namespace pelmora::test
