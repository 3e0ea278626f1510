#include "sim/wallstream.h"

// GLib's headers use "signals" as a name, which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <gst/app/gstappsrc.h>
#include <gst/gst.h>
#include <gst/rtsp-server/rtsp-server.h>
#pragma pop_macro("signals")

#include <QImage>

#include <chrono>
#include <mutex>
#include <thread>

namespace sim {

namespace {

using Clock = std::chrono::steady_clock;

// The encoder of one stream: the picture comes in as BGRx (QImage::Format_RGB32), is
// encoded for low delay (no B-frames, no look-ahead) with a key frame every second so a new
// client has a picture within a second, and SPS/PPS repeated with every key frame.
const char *const kLaunch = "( appsrc name=src is-live=true format=time do-timestamp=true "
                            "! queue max-size-buffers=2 leaky=downstream ! videoconvert "
                            "! video/x-raw,format=I420 "
                            "! x264enc tune=zerolatency speed-preset=ultrafast bframes=0 key-int-max=%1 "
                            "! video/x-h264,profile=constrained-baseline "
                            "! rtph264pay name=pay0 pt=96 config-interval=-1 )";

void initGStreamer()
{
    static std::once_flag once;
    std::call_once(once, [] { gst_init(nullptr, nullptr); });
}

int indexFromPath(const char *abspath)
{
    QString path = QString::fromUtf8(abspath);
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    const QString prefix = QStringLiteral("/screenlive");
    // An aggregate control URL may carry a stream suffix ("/screenlive2/stream=0").
    const int slash = path.indexOf(QLatin1Char('/'), 1);
    if (slash > 0)
        path.truncate(slash);
    bool ok = false;
    const int index = path.startsWith(prefix) ? path.mid(prefix.size()).toInt(&ok) : 0;
    return ok ? index : WallStreamServer::kFirstIndex - 1;
}

} // namespace

// What the streams share with the server. Streams keep it alive; `stopped` makes them end
// without calling back once the server has stopped.
struct StreamCore
{
    std::mutex mutex;
    bool stopped = false;
    WallStreamServer::SnapshotSource source;
    WallStreamServer::PlayLogger logger;
    StreamSettings settings;

    bool snapshot(int index, WallSnapshot *out)
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (stopped)
            return false;
        *out = source(index);
        return true;
    }
};

// The feed of one encoder pipeline, owned by its appsrc.
struct MediaFeed
{
    std::shared_ptr<StreamCore> core;
    int index = 0;
    QSize size;
    Clock::duration interval{};
    Clock::time_point start{};
    qint64 frame = 0;

    static void needData(GstAppSrc *src, guint, gpointer data)
    {
        auto *feed = static_cast<MediaFeed *>(data);
        feed->pushFrame(src);
    }

    static void destroy(gpointer data) { delete static_cast<MediaFeed *>(data); }

    // Paces the pictures at the frame rate: waits for the next frame's time (at most one
    // interval), skips frames that are already past, then draws and pushes one.
    void pushFrame(GstAppSrc *src)
    {
        const Clock::time_point now = Clock::now();
        if (frame == 0)
            start = now;
        Clock::time_point due = start + interval * frame;
        if (now > due + interval) {
            frame = (now - start) / interval;
            due = start + interval * frame;
        }
        if (due > now)
            std::this_thread::sleep_until(due);
        ++frame;
        WallSnapshot snapshot;
        if (!core->snapshot(index, &snapshot)) {
            gst_app_src_end_of_stream(src);
            return;
        }
        auto *picture = new QImage(renderWall(snapshot, size));
        const gsize bytes = gsize(picture->sizeInBytes());
        GstBuffer *buffer = gst_buffer_new_wrapped_full(
            GST_MEMORY_FLAG_READONLY, const_cast<uchar *>(picture->constBits()), bytes, 0, bytes, picture,
            [](gpointer p) { delete static_cast<QImage *>(p); });
        gst_app_src_push_buffer(src, buffer);
    }
};

struct WallStreamServer::Impl
{
    std::shared_ptr<StreamCore> core;
    GMainContext *context = nullptr;
    GMainLoop *loop = nullptr;
    GstRTSPServer *server = nullptr;
    GSource *source = nullptr;
    std::thread thread;
    int port = 0;

    static void mediaConfigure(GstRTSPMediaFactory *, GstRTSPMedia *media, gpointer data);
    static void clientConnected(GstRTSPServer *, GstRTSPClient *client, gpointer data);
    static void playRequest(GstRTSPClient *client, GstRTSPContext *ctx, gpointer data);
    void release();
};

// One factory per stream index; `data` is a heap copy of the index tied to the factory.
void WallStreamServer::Impl::mediaConfigure(GstRTSPMediaFactory *factory, GstRTSPMedia *media, gpointer data)
{
    auto *impl = static_cast<Impl *>(data);
    const int index = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(factory), "pelmora-index"));
    WallSnapshot snapshot;
    if (!impl->core->snapshot(index, &snapshot))
        return;
    GstElement *bin = gst_rtsp_media_get_element(media);
    GstElement *src = gst_bin_get_by_name_recurse_up(GST_BIN(bin), "src");
    const StreamSettings &settings = impl->core->settings;
    auto *feed = new MediaFeed;
    feed->core = impl->core;
    feed->index = index;
    feed->size = pictureSize(snapshot, settings.bound);
    feed->interval =
        std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(1000000000LL / settings.fps));
    GstCaps *caps = gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "BGRx", "width", G_TYPE_INT,
                                        feed->size.width(), "height", G_TYPE_INT, feed->size.height(),
                                        "framerate", GST_TYPE_FRACTION, settings.fps, 1, nullptr);
    g_object_set(src, "caps", caps, nullptr);
    gst_caps_unref(caps);
    GstAppSrcCallbacks callbacks = {};
    callbacks.need_data = &MediaFeed::needData;
    gst_app_src_set_callbacks(GST_APP_SRC(src), &callbacks, feed, &MediaFeed::destroy);
    gst_object_unref(src);
    gst_object_unref(bin);
}

void WallStreamServer::Impl::clientConnected(GstRTSPServer *, GstRTSPClient *client, gpointer data)
{
    g_signal_connect(client, "play-request", G_CALLBACK(&Impl::playRequest), data);
}

void WallStreamServer::Impl::playRequest(GstRTSPClient *client, GstRTSPContext *ctx, gpointer data)
{
    auto *impl = static_cast<Impl *>(data);
    if (!ctx || !ctx->uri)
        return;
    const int index = indexFromPath(ctx->uri->abspath);
    GstRTSPConnection *connection = gst_rtsp_client_get_connection(client);
    const QString peer = connection ? QString::fromUtf8(gst_rtsp_connection_get_ip(connection)) : QString();
    std::lock_guard<std::mutex> lock(impl->core->mutex);
    if (!impl->core->stopped && impl->core->logger)
        impl->core->logger(index, peer);
}

void WallStreamServer::Impl::release()
{
    if (source) {
        g_source_destroy(source);
        g_source_unref(source);
        source = nullptr;
    }
    if (server) {
        g_object_unref(server);
        server = nullptr;
    }
    if (loop) {
        g_main_loop_unref(loop);
        loop = nullptr;
    }
    if (context) {
        g_main_context_unref(context);
        context = nullptr;
    }
    port = 0;
}

WallStreamServer::WallStreamServer() : d(std::make_unique<Impl>()) {}

WallStreamServer::~WallStreamServer()
{
    stop();
}

QString WallStreamServer::path(int index)
{
    return QStringLiteral("/screenlive") + QString::number(index);
}

bool WallStreamServer::start(const QString &address, int port, const StreamSettings &settings,
                             SnapshotSource source, PlayLogger logger, QString *error)
{
    if (d->server) {
        *error = QStringLiteral("the stream server runs already");
        return false;
    }
    initGStreamer();
    d->core = std::make_shared<StreamCore>();
    d->core->source = std::move(source);
    d->core->logger = std::move(logger);
    d->core->settings = settings;
    d->core->settings.fps = qBound(1, settings.fps, 60);

    d->context = g_main_context_new();
    d->loop = g_main_loop_new(d->context, FALSE);
    d->server = gst_rtsp_server_new();
    gst_rtsp_server_set_address(d->server, address.toUtf8().constData());
    gst_rtsp_server_set_service(d->server, QByteArray::number(port).constData());
    g_signal_connect(d->server, "client-connected", G_CALLBACK(&Impl::clientConnected), d.get());

    GstRTSPMountPoints *mounts = gst_rtsp_server_get_mount_points(d->server);
    const QByteArray launch = QString::fromLatin1(kLaunch).arg(d->core->settings.fps).toLatin1();
    for (int index = kFirstIndex; index <= kLastIndex; ++index) {
        GstRTSPMediaFactory *factory = gst_rtsp_media_factory_new();
        gst_rtsp_media_factory_set_launch(factory, launch.constData());
        gst_rtsp_media_factory_set_shared(factory, TRUE);
        g_object_set_data(G_OBJECT(factory), "pelmora-index", GINT_TO_POINTER(index));
        g_signal_connect(factory, "media-configure", G_CALLBACK(&Impl::mediaConfigure), d.get());
        gst_rtsp_mount_points_add_factory(mounts, path(index).toUtf8().constData(), factory);
    }
    g_object_unref(mounts);

    GError *gerror = nullptr;
    d->source = gst_rtsp_server_create_source(d->server, nullptr, &gerror);
    if (!d->source) {
        *error = QStringLiteral("cannot serve RTSP on %1:%2 (%3)")
                     .arg(address)
                     .arg(port)
                     .arg(gerror ? QString::fromUtf8(gerror->message) : QStringLiteral("unknown error"));
        if (gerror)
            g_error_free(gerror);
        d->release();
        d->core.reset();
        return false;
    }
    g_source_attach(d->source, d->context);
    d->port = gst_rtsp_server_get_bound_port(d->server);
    d->thread = std::thread([impl = d.get()] {
        g_main_context_push_thread_default(impl->context);
        g_main_loop_run(impl->loop);
        g_main_context_pop_thread_default(impl->context);
    });
    return true;
}

void WallStreamServer::stop()
{
    if (!d->server)
        return;
    {
        std::lock_guard<std::mutex> lock(d->core->mutex);
        d->core->stopped = true;
    }
    // Clients live on the server's loop: close them there, then end the loop.
    g_main_context_invoke(
        d->context,
        [](gpointer data) -> gboolean {
            auto *impl = static_cast<Impl *>(data);
            gst_rtsp_server_client_filter(
                impl->server,
                [](GstRTSPServer *, GstRTSPClient *client, gpointer) {
                    gst_rtsp_client_close(client);
                    return GST_RTSP_FILTER_REMOVE;
                },
                nullptr);
            GstRTSPSessionPool *pool = gst_rtsp_server_get_session_pool(impl->server);
            gst_rtsp_session_pool_filter(
                pool, [](GstRTSPSessionPool *, GstRTSPSession *, gpointer) { return GST_RTSP_FILTER_REMOVE; },
                nullptr);
            g_object_unref(pool);
            g_main_loop_quit(impl->loop);
            return G_SOURCE_REMOVE;
        },
        d.get());
    if (d->thread.joinable())
        d->thread.join();
    d->release();
    d->core.reset();
}

bool WallStreamServer::isRunning() const
{
    return d->server != nullptr;
}

int WallStreamServer::port() const
{
    return d->port;
}

} // namespace sim
