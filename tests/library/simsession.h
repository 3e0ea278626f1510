#pragma once

#include "net/sessionvalues.h"
#include "net/transport.h"
#include "sim/simulator.h"
#include "uikit/dialogs.h"
#include "uikit/helpers.h"

#include <QJsonObject>
#include <QNetworkAccessManager>
#include <memory>

// A controller simulator on an ephemeral loopback port with a transport logged in to it, as
// the main window has after a login. Boxes of the transport go through the dialog seam.
struct SimSession
{
    sim::Simulator simulator;
    QNetworkAccessManager manager;
    SessionValues session;
    std::unique_ptr<Transport> transport;

    bool start(int family = 2)
    {
        if (!simulator.start(QStringLiteral("127.0.0.1"), 0))
            return false;
        session.hostIp = QStringLiteral("127.0.0.1");
        session.port = simulator.port();
        session.family = family;
        transport = std::make_unique<Transport>(&manager, &session);
        transport->setBoxes([](const QString &text) { uikit::Dialogs::showError(text); },
                            [](const QString &text) { uikit::Dialogs::showInfo(text); });
        return login();
    }

    bool login()
    {
        const QJsonObject request{{QStringLiteral("Command"), QStringLiteral("Login")},
                                  {QStringLiteral("UserName"), QStringLiteral("admin")},
                                  {QStringLiteral("Password"), uikit::md5Hex(QStringLiteral("admin"))},
                                  {QStringLiteral("Family"), session.family}};
        QByteArray reply;
        if (!transport->sendPostCommand(Transport::toBody(request), true, &reply))
            return false;
        const QJsonObject object = Transport::parseObject(reply);
        if (object.value(QStringLiteral("Status")).toString() != QLatin1String("Ok"))
            return false;
        session.sessionId = object.value(QStringLiteral("SessionId")).toString();
        session.loggedIn = true;
        return !session.sessionId.isEmpty();
    }
};
