#pragma once

#include "sim/wallpicture.h"

#include <QSize>
#include <QString>

#include <functional>
#include <memory>

// The controller's live wall streams: an RTSP server (gst-rtsp-server) that serves, for each
// screen group N (0..3), "/screenlive<N>" and, for the independent-screens view,
// "/screenlive-1". Each stream is H.264 of the picture renderWall() draws from a fresh
// snapshot of the controller state for every frame, so a window opened, moved or closed
// shows in the stream at the next frame. A stream is encoded only while a client plays it;
// clients of the same stream share one encoder.
namespace sim {

struct StreamSettings
{
    QSize bound{1920, 1080}; // the picture fits the wall's aspect ratio into this box
    int fps = 30;
};

class WallStreamServer
{
public:
    // Called on streaming threads for every frame; must be thread-safe.
    using SnapshotSource = std::function<WallSnapshot(int index)>;
    // Called when a client starts playing stream `index` (an RTSP PLAY), with its address.
    using PlayLogger = std::function<void(int index, const QString &peer)>;

    static constexpr int kFirstIndex = kIndependentScreens;
    static constexpr int kLastIndex = 3;
    static constexpr int kDefaultPort = 554;

    WallStreamServer();
    ~WallStreamServer();
    WallStreamServer(const WallStreamServer &) = delete;
    WallStreamServer &operator=(const WallStreamServer &) = delete;

    // Listens on address:port (0 = a free port). False with `error` set when it cannot.
    bool start(const QString &address, int port, const StreamSettings &settings, SnapshotSource source,
               PlayLogger logger, QString *error);
    // Closes every client and stops every stream; the sources are not called after it returns.
    void stop();
    bool isRunning() const;
    int port() const;

    // "/screenlive<index>".
    static QString path(int index);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace sim
