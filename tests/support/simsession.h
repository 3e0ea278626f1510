#pragma once

#include "net/curlaccessmanager.h"
#include "net/loginsession.h"
#include "net/sessionvalues.h"
#include "net/transport.h"
#include "sim/simulator.h"
#include "uikit/dialogs.h"

#include <QJsonObject>
#include <QStringList>
#include <memory>

namespace pelmora::test {

// A controller simulator on an ephemeral loopback port with a transport logged in to it, as
// the main window has after a login. Boxes go through the dialog seam.
struct SimSession
{
    sim::Simulator simulator;
    net::CurlAccessManager manager;
    SessionValues session;
    std::unique_ptr<Transport> transport;

    // Starts the simulator on `address` and logs in as `user` (password = user name, as the
    // demo users have it) with the device family `family`.
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
    QStringList commandNames() const
    {
        QStringList names;
        const auto requests = simulator.requests();
        for (const auto &request : requests) {
            if (!request.command.isEmpty())
                names.append(request.command);
        }
        return names;
    }
};

} // namespace pelmora::test
