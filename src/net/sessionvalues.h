#pragma once

#include <QString>

// The values of one connection to a controller, shared by the transport, the login session
// and the areas that send commands. They keep their values after a disconnect until the
// next login replaces them.
struct SessionValues
{
    QString hostIp;
    int port = 80;
    // Device family code 0-4 of the controller; -1 until the first connection.
    int family = -1;
    QString userName;
    QString sessionId;
    // 0 = administrator; -1 until the first login (treated as a non-administrator).
    int role = -1;
    int missedReplies = 0;
    bool loggedIn = false;
    bool uploading = false;
    // Counts the starts and ends of sessions: a login attempt and the end of a session each
    // begin a new epoch. Work that waited checks it to learn whether it still belongs to
    // the session it started in (see net::Operation).
    quint64 epoch = 0;

    bool isMediaDisplayFamily() const { return family == 2 || family == 3; }
    void beginEpoch() { ++epoch; }
};
