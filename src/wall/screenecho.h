#pragma once

#include "wall/echoframes.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <memory>

class ScreenWidget;

namespace wall {
class EchoPlayer;
}

// The screen echo of the wall canvas: plays the wall's live stream and hands the newest
// picture to the canvas, which paints it behind the window items. While it runs the items
// are translucent. Owned by the canvas; it stops (and waits for the player's threads)
// before the canvas goes, so no frame ever reaches a destroyed canvas.
//
// Failures show no message: an echo that cannot start stays stopped; a stream that never
// delivers pictures leaves the canvas without background while the echo counts as running.
class ScreenEcho : public QObject
{
    Q_OBJECT

public:
    explicit ScreenEcho(ScreenWidget *canvas);
    ~ScreenEcho() override;

    // The stream of a screen group: "rtsp://" + host + "/screenlive" + index, on the
    // protocol's default port. Index 0-3 for groups 1-4, -1 for the independent screens.
    static QString streamLocation(const QString &host, int streamIndex);

    bool isRunning() const { return m_running; }
    QString host() const { return m_host; }
    int streamIndex() const { return m_streamIndex; }
    // "gstreamer" or "vlc" once the echo has started; empty before.
    QString playerName() const;

    // Stops a running echo, otherwise starts it; whether it runs afterwards. Shows the wait
    // cursor on the canvas's window meanwhile.
    bool toggleEcho(const QString &host, int streamIndex);
    // Stops a running echo first. Without a host, or when the player cannot be set up, the
    // echo stays stopped.
    void startEcho(const QString &host, int streamIndex);
    // Stops the player, releases every picture, makes the items opaque and repaints.
    void stopEcho();

    // A session has begun: starts the echo when the echo-at-login setting is on and it does
    // not run yet. The setting is off unless the environment variable
    // PELMORA_ECHO_AT_LOGIN is 1 (the demo sets it).
    void sessionStarted(const QString &host, int streamIndex);
    static bool echoAtLogin();

    // For the canvas's paint: the newest decoded picture (the older ones are released), or
    // the last one painted when none is new; null while there is none.
    QImage frameToPaint();
    wall::EchoFrameQueue &frames() { return m_frames; }

    // A switch of screen group: a running echo starts again on the new group's stream.
    void followGroup(int index);

signals:
    void runningChanged(bool running);

private:
    void setRunning(bool running);

    ScreenWidget *m_canvas;
    wall::EchoFrameQueue m_frames;
    std::unique_ptr<wall::EchoPlayer> m_player;
    bool m_running = false;
    QString m_host;
    int m_streamIndex = 0;
    QImage m_currentFrame;
};
