#pragma once

#include "wall/echoplayer.h"

#include <QHash>
#include <QMutex>
#include <QSize>

struct libvlc_instance_t;
struct libvlc_media_player_t;

namespace wall {

// The echo through libVLC's memory output: the instance is made on the first start and kept
// until the player goes; every start makes a media player. libVLC's vout thread calls the
// callbacks: format (picture size), lock (a new buffer for every picture), display (the
// buffer becomes a frame of the queue, or is freed when three wait).
//
// Needs a libVLC with an RTSP client for the controller's stream (Debian's has none).
class VlcEchoPlayer : public EchoPlayer
{
public:
    explicit VlcEchoPlayer(EchoFrameQueue &frames);
    ~VlcEchoPlayer() override;

    bool start(const QString &location) override;
    void stop() override;
    const char *name() const override { return "vlc"; }

private:
    static unsigned format(void **opaque, char *chroma, unsigned *width, unsigned *height, unsigned *pitches,
                           unsigned *lines);
    static void cleanup(void *opaque);
    static void *lock(void *opaque, void **planes);
    static void unlock(void *opaque, void *picture, void *const *planes);
    static void display(void *opaque, void *picture);
    void freePending();

    EchoFrameQueue &m_frames;
    libvlc_instance_t *m_instance = nullptr;
    libvlc_media_player_t *m_player = nullptr;
    // Buffers handed to the decoder and not displayed yet, with their picture size; what
    // is left when the player stops is freed then.
    QMutex m_pendingLock;
    QHash<void *, QSize> m_pending;
};

} // namespace wall
