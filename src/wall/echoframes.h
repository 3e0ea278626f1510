#pragma once

#include <QImage>
#include <QList>
#include <QMutex>
#include <QSize>

#include <atomic>

class QWidget;

// Decoded pictures of the screen echo on their way from a player's decoder thread to the
// canvas. A frame is a QImage (QImage::Format_RGB32) over one buffer per picture; the last
// copy of the image to go frees the buffer.
namespace wall {

// Frames made and freed so far in this process; equal once every frame has gone.
struct EchoFrameCounts
{
    qint64 made = 0;
    qint64 freed = 0;
};
EchoFrameCounts echoFrameCounts();

// A buffer of `bytes` for one picture, to be adopted by adoptFrameBuffer() or freed with
// freeFrameBuffer().
uchar *allocateFrameBuffer(qsizetype bytes);
void freeFrameBuffer(uchar *buffer);
// A frame over `buffer`, which it then owns.
QImage adoptFrameBuffer(uchar *buffer, const QSize &size, qsizetype bytesPerLine);
// A frame over memory someone else owns: `release(info)` runs when the frame goes.
QImage wrapFrame(const uchar *data, const QSize &size, qsizetype bytesPerLine, void (*release)(void *),
                 void *info);

// The pictures waiting to be painted, oldest first, at most three. Players append on their
// decoder threads; the canvas takes them on the GUI thread. One lock guards the list, and
// every append posts a repaint of the canvas to the GUI thread (at most one waits at a time).
class EchoFrameQueue
{
public:
    static constexpr int kMaxFrames = 3;

    explicit EchoFrameQueue(QWidget *canvas);
    EchoFrameQueue(const EchoFrameQueue &) = delete;
    EchoFrameQueue &operator=(const EchoFrameQueue &) = delete;

    // --- decoder threads
    // Appends the frame and posts a repaint; false (the frame is dropped) when three are
    // waiting or the frame is null.
    bool push(const QImage &frame);
    // The picture size the decoder announced.
    void setFrameSize(const QSize &size);
    QSize frameSize() const;

    // --- GUI thread
    // The newest waiting frame (null when none waits); the older ones are released.
    QImage takeNewest();
    // Releases every waiting frame.
    void clear();
    int size() const;

private:
    QWidget *m_canvas;
    mutable QMutex m_lock;
    QList<QImage> m_frames; // guarded by m_lock
    QSize m_frameSize;      // guarded by m_lock
    std::atomic_bool m_repaintPosted{false};
};

} // namespace wall
