#pragma once

#include "wall/echoplayer.h"

// GStreamer's types, without its headers (they clash with Qt's keywords).
typedef struct _GstElement GstElement;

namespace wall {

// The echo through GStreamer: rtspsrc, the decoder decodebin picks, a conversion to 32-bit
// RGB and an appsink whose streaming thread hands every picture to the queue without a
// copy (the frame keeps GStreamer's buffer until it is released). One pipeline per start.
class GstEchoPlayer : public EchoPlayer
{
public:
    // Jitter buffer of the RTSP source in milliseconds, as the network caching of libVLC.
    static constexpr int kLatencyMs = 600;

    explicit GstEchoPlayer(EchoFrameQueue &frames);
    ~GstEchoPlayer() override;

    bool start(const QString &location) override;
    void stop() override;
    const char *name() const override { return "gstreamer"; }

private:
    EchoFrameQueue &m_frames;
    GstElement *m_pipeline = nullptr;
};

} // namespace wall
