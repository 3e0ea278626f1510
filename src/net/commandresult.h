#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

namespace net {

// What became of one request to the controller, with what came back.
struct CommandResult
{
    enum class Outcome {
        Ok,           // answered; for a checked command: the right "Command" and "Status" "Ok"
        TimedOut,     // no answer within the request limit (the request was aborted)
        Cancelled,    // given up by the console (a newer login, the end of the session)
        NetworkError, // connection refused, reset, closed early, a broken reply
        HttpError,    // the server answered with an HTTP error status
        WrongCommand, // checked command: the reply names another command (or is not JSON)
        Refused,      // checked command: "Status" other than "Ok"; see message()
        WriteFailed,  // a download that could not be stored locally
        TooLarge,     // a plain path whose body passed what may be held in memory
        BadSession,   // login: the "SessionId" cannot go into a request header
    };

    Outcome outcome = Outcome::Ok;
    int httpStatus = 0; // the HTTP status when one arrived
    QString errorText;  // the network layer's description of a network or HTTP error
    QByteArray body;    // the reply body as received
    QJsonObject reply;  // the body as a JSON object (empty when it is none)

    bool ok() const { return outcome == Outcome::Ok; }
    // The server answered at the HTTP level (whatever the answer says).
    bool answered() const
    {
        return outcome == Outcome::Ok || outcome == Outcome::WrongCommand || outcome == Outcome::Refused;
    }
    bool transportFailed() const { return outcome == Outcome::NetworkError || outcome == Outcome::HttpError; }
    QString command() const { return reply.value(QStringLiteral("Command")).toString(); }
    QString message() const { return reply.value(QStringLiteral("Message")).toString(); }
    bool statusOk() const
    {
        return reply.value(QStringLiteral("Status")) == QJsonValue(QStringLiteral("Ok"));
    }
};

} // namespace net
