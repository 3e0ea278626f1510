#pragma once

#include "wall/wallmodel.h"
#include "wall/windowrequests.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSet>
#include <QString>
#include <QStringList>

class QWidget;
class ScreenWidget;
class Transport;
struct SessionValues;

namespace wall {

// What the window commands ask of the resource library.
class ResourceSource
{
public:
    virtual ~ResourceSource() = default;
    // The window type of the checked resource category (video 0, picture 1, web 2, Office 3,
    // network video 4, other documents 5, USB 6), -1 when none of these is checked.
    virtual int checkedCategoryType() const = 0;
    // The current entry of a resource strip (0 = the video strip, 1 = the strip shared by the
    // other categories): its text and its video id. False without a current entry.
    virtual bool currentEntry(int list, QString *name, int *videoId) const = 0;
    // The checked names of a strip (0 video strip, 1 shared strip).
    virtual QStringList checkedNames(int list) const = 0;
    // The controller path of a resource of a category; empty when unknown.
    virtual QString resourcePath(int category, const QString &name) const = 0;
};

// What they ask of the screen groups: the "ScreenGroup" of the commands (1-4, 0 while the
// independent screens are shown).
class ScreenGroupSource
{
public:
    virtual ~ScreenGroupSource() = default;
    virtual int currentScreenGroup() const = 0;
};

} // namespace wall

// Turns what happens on the wall canvas into window commands for the controller. The
// canvas changes first and the command follows; a failed command is reported by the
// transport and not rolled back.
class WindowCommands : public QObject
{
    Q_OBJECT
public:
    WindowCommands(ScreenWidget *canvas, Transport *transport, SessionValues *session, QWidget *window,
                   const wall::ResourceSource &resources, const wall::ScreenGroupSource &groups,
                   QObject *parent = nullptr);

    // Handlers of the canvas signals.
    void on_newWindow(S_WINDOW *pWindow);
    void on_windowResize(uint windowId, QRect rect, bool moveTop);
    void on_windowRaised(uint windowId);
    void on_windowButton_clicked(uint windowId, int btnId);
    // Tool buttons under the canvas.
    void moveSelectedToBottom();
    void clearScreen();
    // Opens a window for a resource list entry in the selected cell (double-click).
    bool openFromList(const QString &name, int videoId);

    bool sendNewWindow(const S_WINDOW &window);
    // Sends nothing for an empty rectangle (false).
    bool moveWindow(uint windowId, const QRect &rect);
    // -1 closes every window of the group.
    bool closeWindow(qint64 windowId);
    bool setWindowPos(uint windowId, const QString &type);
    // The controller's load in percent; 0 when the query fails.
    int serverCpuUsage();
    bool officeWindowAllowed(const QString &name, uint windowId);

    static constexpr int kMaxCpuUsage = 85;

signals:
    // A window was raised or selected on the canvas and brought to the top on the
    // controller: the window whose playback the media panel controls now.
    void windowSelected(uint windowId);

private:
    int screenGroup() const;
    int checkedType() const;
    bool overloaded();
    // Moves a window with at most one "MoveWindow" of it on its way: a rectangle that comes
    // while one waits replaces any other waiting one and follows when the reply is in, so
    // the newest rectangle is always the last one sent.
    void queueMove(uint windowId, const QRect &rect);

    QPointer<ScreenWidget> m_canvas;
    Transport *m_transport;
    SessionValues *m_session;
    QPointer<QWidget> m_window;
    const wall::ResourceSource &m_resources;
    const wall::ScreenGroupSource &m_groups;
    QSet<uint> m_movesInFlight;
    QHash<uint, QRect> m_waitingMoves;
};
