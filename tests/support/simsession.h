#pragma once

#include "net/curlaccessmanager.h"
#include "net/hoststore.h"
#include "net/loginsession.h"
#include "net/sessionvalues.h"
#include "net/transport.h"
#include "sim/simulator.h"
#include "uikit/dialogs.h"

#include <QJsonObject>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>

namespace pelmora::test {

// The commands a controller received, in order ("Login" included); discovery datagrams and
// plain paths (thumbnails, uploads) left out.
inline QStringList commandNames(const sim::Simulator &controller)
{
    QStringList names;
    const auto requests = controller.requests();
    for (const auto &request : requests) {
        if (!request.command.isEmpty() && request.method != QLatin1String("UDP"))
            names.append(request.command);
    }
    return names;
}

// Runs `action` once, as soon as `controller` has logged a request for `commandOrPath`: from
// inside whatever wait the console is in at that moment, with no guess at how long it takes.
// Hold the request (a Delay fault under the controller's manual clock) to keep that wait
// open until the action has run.
inline void onceReceived(QObject *context, const sim::Simulator &controller, const QString &commandOrPath,
                         std::function<void()> action)
{
    auto *poll = new QTimer(context);
    poll->setInterval(1);
    QObject::connect(poll, &QTimer::timeout, context, [poll, &controller, commandOrPath, action] {
        if (controller.requests(commandOrPath).isEmpty())
            return;
        poll->stop();
        poll->deleteLater();
        action();
    });
    poll->start();
}

// Holds every request for `commandOrPath` until the test advances the controller's clock
// (Simulator::advanceClock(kHeldMs)); the request is logged at once, answered afterwards.
constexpr int kHeldMs = 60000;
inline void holdRequests(sim::Simulator &controller, const QString &commandOrPath, int remaining = -1)
{
    controller.useManualClock();
    sim::Fault hold{sim::Fault::Delay};
    hold.delayMs = kHeldMs;
    hold.remaining = remaining;
    controller.setFault(commandOrPath, hold);
}

// A host entry for `controller` as the host menu keeps it (password = user name, as the demo
// users have it; automatic login on).
inline HostEntry hostEntry(const sim::Simulator &controller, const QString &user = QStringLiteral("admin"),
                           int family = 2, const QString &address = QStringLiteral("127.0.0.1"))
{
    HostEntry entry;
    entry.hostIp = address;
    entry.port = controller.port();
    entry.family = family;
    entry.userName = user;
    entry.hostName = QStringLiteral("wall %1").arg(controller.port());
    entry.autoLogin = true;
    entry.password = user;
    return entry;
}

// A controller simulator on an ephemeral loopback port with a transport logged in to it, as
// the main window has after a login. Boxes go through the dialog seam.
struct SimSession
{
    sim::Simulator simulator;
    net::CurlAccessManager manager;
    SessionValues session;
    std::unique_ptr<Transport> transport;

    // Starts the simulator on `address` and logs in as `user` (the demo users: "admin" is an
    // administrator, "operator" an operator; password = user name) with the device family
    // `family`.
    bool start(int family = 2, const QString &user = QStringLiteral("admin"),
               const QString &address = QStringLiteral("127.0.0.1"))
    {
        if (!simulator.start(address, 0))
            return false;
        session.hostIp = address;
        session.port = simulator.port();
        session.family = family;
        transport = std::make_unique<Transport>(&manager, &session, uikit::Dialogs::sink());
        return login(user);
    }

    // Logs in with the console's own login request; the session is then open.
    bool login(const QString &user = QStringLiteral("admin"), QString password = QString())
    {
        if (password.isNull())
            password = user;
        session.userName = user;
        LoginSession login(transport.get(), &session);
        if (!login.login(user, password).ok())
            return false;
        session.loggedIn = true;
        return !session.sessionId.isEmpty();
    }

    // The command names the simulator logged, in order ("Login" included).
    QStringList commandNames() const { return pelmora::test::commandNames(simulator); }

    // The body of the last request for `command` (the keys of a GET), empty when none came.
    QJsonObject lastSent(const QString &command) const
    {
        const auto sent = simulator.requests(command);
        return sent.isEmpty() ? QJsonObject() : sent.last().json();
    }
};

} // namespace pelmora::test
