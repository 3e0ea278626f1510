#pragma once

#include <QString>

#include <memory>

// A player of the wall's live stream for the screen echo: it decodes a location into
// frames of an EchoFrameQueue on threads of its own. Two implementations exist, libVLC and
// GStreamer; createEchoPlayer() picks one, and nothing else knows which.
namespace wall {

class EchoFrameQueue;

class EchoPlayer
{
public:
    virtual ~EchoPlayer() = default;

    // Starts playing `location`; false when the player could not be set up (nothing plays).
    // A stream that cannot be reached is not a failure here: it just delivers no frames.
    virtual bool start(const QString &location) = 0;
    // Stops playing and waits for the decoder threads: no frame is appended after it returns.
    virtual void stop() = 0;
    virtual const char *name() const = 0;
};

// The player this build uses: the one named by the environment variable
// PELMORA_ECHO_PLAYER ("gstreamer" or "vlc", for tests), else the build's default
// (CMake option PELMORA_ECHO_PLAYER). Null when the one asked for is not built in.
std::unique_ptr<EchoPlayer> createEchoPlayer(EchoFrameQueue &frames);

} // namespace wall
