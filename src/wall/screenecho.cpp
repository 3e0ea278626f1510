#include "wall/screenecho.h"

#include "wall/echoplayer.h"
#include "wall/screenwidget.h"
#include "wall/windowwidget.h"

ScreenEcho::ScreenEcho(ScreenWidget *canvas) : m_canvas(canvas), m_frames(canvas) {}

ScreenEcho::~ScreenEcho()
{
    // The player's threads end before the queue and the canvas go.
    if (m_player)
        m_player->stop();
    m_player.reset();
    m_frames.clear();
    m_currentFrame = QImage();
}

QString ScreenEcho::streamLocation(const QString &host, int streamIndex)
{
    return QStringLiteral("rtsp://") + host + QStringLiteral("/screenlive") + QString::number(streamIndex);
}

QString ScreenEcho::playerName() const
{
    return m_player ? QString::fromLatin1(m_player->name()) : QString();
}

bool ScreenEcho::toggleEcho(const QString &host, int streamIndex)
{
    QWidget *window = m_canvas->window();
    window->setCursor(Qt::WaitCursor);
    if (m_running)
        stopEcho();
    else
        startEcho(host, streamIndex);
    window->setCursor(Qt::ArrowCursor);
    return m_running;
}

void ScreenEcho::startEcho(const QString &host, int streamIndex)
{
    if (m_running)
        stopEcho();
    if (!m_player)
        m_player = wall::createEchoPlayer(m_frames);
    m_host = host;
    m_streamIndex = streamIndex;
    const bool started = m_player && !host.isEmpty() && m_player->start(streamLocation(host, streamIndex));
    setRunning(started);
}

void ScreenEcho::stopEcho()
{
    // The player stops (and its threads with it) before the pictures are released.
    if (m_player)
        m_player->stop();
    m_frames.clear();
    m_currentFrame = QImage();
    setRunning(false);
    m_canvas->update();
}

bool ScreenEcho::echoAtLogin()
{
    static const bool atLogin = qEnvironmentVariableIntValue("PELMORA_ECHO_AT_LOGIN") == 1;
    return atLogin;
}

void ScreenEcho::sessionStarted(const QString &host, int streamIndex)
{
    if (echoAtLogin() && !m_running)
        startEcho(host, streamIndex);
}

QImage ScreenEcho::frameToPaint()
{
    const QImage newest = m_frames.takeNewest();
    if (!newest.isNull())
        m_currentFrame = newest;
    return m_currentFrame;
}

void ScreenEcho::followGroup(int index)
{
    if (m_running)
        startEcho(m_host, index);
}

void ScreenEcho::setRunning(bool running)
{
    const bool changed = running != m_running;
    m_running = running;
    for (WindowWidget *item : m_canvas->windows())
        item->setEchoOn(running);
    if (changed)
        emit runningChanged(running);
}
