#include "wall/gstechoplayer.h"

#include "wall/echoframes.h"

// GLib's headers use "signals" as a name, which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video.h>
#pragma pop_macro("signals")

#include <mutex>

namespace wall {

namespace {

// 32-bit RGB in the byte order of QImage::Format_RGB32 (B, G, R, x on little-endian
// machines); the conversion is the only work beyond decoding.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
const char *const kLaunch = "rtspsrc name=source ! decodebin ! videoconvert ! video/x-raw,format=BGRx "
                            "! appsink name=sink sync=false max-buffers=1 drop=true";
#else
const char *const kLaunch = "rtspsrc name=source ! decodebin ! videoconvert ! video/x-raw,format=xRGB "
                            "! appsink name=sink sync=false max-buffers=1 drop=true";
#endif

void initGStreamer()
{
    static std::once_flag once;
    std::call_once(once, [] { gst_init(nullptr, nullptr); });
}

// A decoded picture kept mapped for as long as its frame lives.
struct MappedSample
{
    GstSample *sample = nullptr;
    GstVideoFrame video{};

    static void release(void *data)
    {
        auto *mapped = static_cast<MappedSample *>(data);
        gst_video_frame_unmap(&mapped->video);
        gst_sample_unref(mapped->sample);
        delete mapped;
    }
};

GstFlowReturn newSample(GstAppSink *sink, gpointer data)
{
    auto *frames = static_cast<EchoFrameQueue *>(data);
    GstSample *sample = gst_app_sink_pull_sample(sink);
    if (!sample)
        return GST_FLOW_OK;
    GstVideoInfo info;
    GstBuffer *buffer = gst_sample_get_buffer(sample);
    if (!buffer || !gst_video_info_from_caps(&info, gst_sample_get_caps(sample))) {
        gst_sample_unref(sample);
        return GST_FLOW_OK;
    }
    auto *mapped = new MappedSample;
    mapped->sample = sample;
    if (!gst_video_frame_map(&mapped->video, &info, buffer, GST_MAP_READ)) {
        gst_sample_unref(sample);
        delete mapped;
        return GST_FLOW_OK;
    }
    const QSize size(GST_VIDEO_INFO_WIDTH(&info), GST_VIDEO_INFO_HEIGHT(&info));
    frames->setFrameSize(size);
    // Dropped at once (and the buffer returned) when three frames wait.
    frames->push(wrapFrame(static_cast<const uchar *>(GST_VIDEO_FRAME_PLANE_DATA(&mapped->video, 0)), size,
                           GST_VIDEO_FRAME_PLANE_STRIDE(&mapped->video, 0), &MappedSample::release, mapped));
    return GST_FLOW_OK;
}

} // namespace

GstEchoPlayer::GstEchoPlayer(EchoFrameQueue &frames) : m_frames(frames) {}

GstEchoPlayer::~GstEchoPlayer()
{
    stop();
}

bool GstEchoPlayer::start(const QString &location)
{
    initGStreamer();
    stop();
    GError *error = nullptr;
    GstElement *pipeline = gst_parse_launch(kLaunch, &error);
    if (error) {
        g_error_free(error);
        if (pipeline)
            gst_object_unref(pipeline);
        return false;
    }
    GstElement *source = gst_bin_get_by_name(GST_BIN(pipeline), "source");
    GstElement *sink = gst_bin_get_by_name(GST_BIN(pipeline), "sink");
    g_object_set(source, "location", location.toUtf8().constData(), "latency", guint(kLatencyMs), nullptr);
    GstAppSinkCallbacks callbacks = {};
    callbacks.new_sample = &newSample;
    gst_app_sink_set_callbacks(GST_APP_SINK(sink), &callbacks, &m_frames, nullptr);
    gst_object_unref(source);
    gst_object_unref(sink);
    // Nobody reads the bus: drop its messages instead of collecting them for the whole run.
    GstBus *bus = gst_element_get_bus(pipeline);
    gst_bus_set_flushing(bus, TRUE);
    gst_object_unref(bus);
    if (gst_element_set_state(pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        gst_element_set_state(pipeline, GST_STATE_NULL);
        gst_object_unref(pipeline);
        return false;
    }
    m_pipeline = pipeline;
    return true;
}

void GstEchoPlayer::stop()
{
    if (!m_pipeline)
        return;
    // Returns once the streaming threads have stopped: no sample arrives after it.
    gst_element_set_state(m_pipeline, GST_STATE_NULL);
    gst_object_unref(m_pipeline);
    m_pipeline = nullptr;
}

} // namespace wall
