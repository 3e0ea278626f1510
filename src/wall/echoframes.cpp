#include "wall/echoframes.h"

#include <QMutexLocker>
#include <QWidget>

#include <utility>

namespace wall {

namespace {

std::atomic<qint64> g_made{0};
std::atomic<qint64> g_freed{0};

struct ForeignFrame
{
    void (*release)(void *);
    void *info;
};

void releaseOwnBuffer(void *buffer)
{
    freeFrameBuffer(static_cast<uchar *>(buffer));
}

void releaseForeign(void *data)
{
    auto *foreign = static_cast<ForeignFrame *>(data);
    foreign->release(foreign->info);
    delete foreign;
    ++g_freed;
}

} // namespace

EchoFrameCounts echoFrameCounts()
{
    return {g_made.load(), g_freed.load()};
}

uchar *allocateFrameBuffer(qsizetype bytes)
{
    ++g_made;
    return new uchar[size_t(bytes)];
}

void freeFrameBuffer(uchar *buffer)
{
    delete[] buffer;
    ++g_freed;
}

QImage adoptFrameBuffer(uchar *buffer, const QSize &size, qsizetype bytesPerLine)
{
    QImage frame(buffer, size.width(), size.height(), bytesPerLine, QImage::Format_RGB32, &releaseOwnBuffer,
                 buffer);
    if (frame.isNull())
        freeFrameBuffer(buffer);
    return frame;
}

QImage wrapFrame(const uchar *data, const QSize &size, qsizetype bytesPerLine, void (*release)(void *),
                 void *info)
{
    ++g_made;
    auto *foreign = new ForeignFrame{release, info};
    QImage frame(data, size.width(), size.height(), bytesPerLine, QImage::Format_RGB32, &releaseForeign,
                 foreign);
    if (frame.isNull())
        releaseForeign(foreign);
    return frame;
}

EchoFrameQueue::EchoFrameQueue(QWidget *canvas) : m_canvas(canvas) {}

bool EchoFrameQueue::push(const QImage &frame)
{
    if (frame.isNull())
        return false;
    {
        QMutexLocker lock(&m_lock);
        if (m_frames.size() >= kMaxFrames)
            return false;
        m_frames.append(frame);
    }
    // The posted call is dropped if the canvas goes first; players stop before it does.
    if (!m_repaintPosted.exchange(true)) {
        QWidget *canvas = m_canvas;
        QMetaObject::invokeMethod(
            canvas,
            [this, canvas] {
                m_repaintPosted = false;
                canvas->update();
            },
            Qt::QueuedConnection);
    }
    return true;
}

void EchoFrameQueue::setFrameSize(const QSize &size)
{
    QMutexLocker lock(&m_lock);
    m_frameSize = size;
}

QSize EchoFrameQueue::frameSize() const
{
    QMutexLocker lock(&m_lock);
    return m_frameSize;
}

QImage EchoFrameQueue::takeNewest()
{
    QList<QImage> frames;
    {
        QMutexLocker lock(&m_lock);
        frames = std::exchange(m_frames, {});
    }
    // The older frames are released here, outside the lock.
    return frames.isEmpty() ? QImage() : frames.last();
}

void EchoFrameQueue::clear()
{
    QList<QImage> frames;
    {
        QMutexLocker lock(&m_lock);
        frames = std::exchange(m_frames, {});
    }
    // Released here, outside the lock.
}

int EchoFrameQueue::size() const
{
    QMutexLocker lock(&m_lock);
    return m_frames.size();
}

} // namespace wall
