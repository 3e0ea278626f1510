#include "wall/vlcechoplayer.h"

#include "wall/echoframes.h"

#include <QMutexLocker>

#include <cstring>
#include <vlc/vlc.h>

namespace wall {

VlcEchoPlayer::VlcEchoPlayer(EchoFrameQueue &frames) : m_frames(frames) {}

VlcEchoPlayer::~VlcEchoPlayer()
{
    stop();
    if (m_instance)
        libvlc_release(m_instance);
}

bool VlcEchoPlayer::start(const QString &location)
{
    if (!m_instance) {
        const char *const arguments[] = {"--clock-synchro=0", "--no-drop-late-frames", "--no-skip-frames",
                                         "--no-sout-smem-time-sync"};
        m_instance = libvlc_new(4, arguments);
        if (!m_instance)
            return false;
    }
    stop();
    m_player = libvlc_media_player_new(m_instance);
    if (!m_player)
        return false;
    libvlc_media_t *media = libvlc_media_new_location(m_instance, location.toLatin1().constData());
    if (!media) {
        libvlc_media_player_release(m_player);
        m_player = nullptr;
        return false;
    }
    libvlc_media_add_option(media, ":network-caching=600");
    libvlc_media_add_option(media, ":live-caching=30");
    libvlc_media_add_option(media, ":avcodec-hw=any");
    libvlc_media_player_set_media(m_player, media);
    libvlc_video_set_callbacks(m_player, &VlcEchoPlayer::lock, &VlcEchoPlayer::unlock,
                               &VlcEchoPlayer::display, this);
    libvlc_video_set_format_callbacks(m_player, &VlcEchoPlayer::format, &VlcEchoPlayer::cleanup);
    libvlc_media_player_play(m_player);
    libvlc_media_release(media);
    return true;
}

void VlcEchoPlayer::stop()
{
    if (!m_player)
        return;
    // Waits for libVLC's threads; no callback runs after it.
    libvlc_media_player_stop(m_player);
    libvlc_media_player_release(m_player);
    m_player = nullptr;
    freePending();
}

void VlcEchoPlayer::freePending()
{
    QMutexLocker lock(&m_pendingLock);
    for (auto it = m_pending.constBegin(); it != m_pending.constEnd(); ++it)
        freeFrameBuffer(static_cast<uchar *>(it.key()));
    m_pending.clear();
}

// 32-bit RGB (libVLC's "RV32", the byte order of QImage::Format_RGB32) costs a third of the
// time of "RGBA" in libVLC's converter and looks the same.
unsigned VlcEchoPlayer::format(void **opaque, char *chroma, unsigned *width, unsigned *height,
                               unsigned *pitches, unsigned *lines)
{
    auto *self = static_cast<VlcEchoPlayer *>(*opaque);
    std::memcpy(chroma, "RV32", 4);
    pitches[0] = *width * 4;
    lines[0] = *height;
    self->m_frames.setFrameSize(QSize(int(*width), int(*height)));
    return 1;
}

void VlcEchoPlayer::cleanup(void *) {}

void *VlcEchoPlayer::lock(void *opaque, void **planes)
{
    auto *self = static_cast<VlcEchoPlayer *>(opaque);
    const QSize size = self->m_frames.frameSize();
    uchar *buffer = allocateFrameBuffer(qsizetype(size.width()) * size.height() * 4);
    {
        QMutexLocker lock(&self->m_pendingLock);
        self->m_pending.insert(buffer, size);
    }
    planes[0] = buffer;
    return buffer;
}

void VlcEchoPlayer::unlock(void *, void *, void *const *) {}

void VlcEchoPlayer::display(void *opaque, void *picture)
{
    auto *self = static_cast<VlcEchoPlayer *>(opaque);
    QSize size;
    {
        QMutexLocker lock(&self->m_pendingLock);
        if (!self->m_pending.contains(picture))
            return;
        size = self->m_pending.take(picture);
    }
    // A frame that does not fit the queue is released at once, and its buffer with it.
    self->m_frames.push(adoptFrameBuffer(static_cast<uchar *>(picture), size, qsizetype(size.width()) * 4));
}

} // namespace wall
