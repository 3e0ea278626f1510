#pragma once

#include "wall/wallmodel.h"
#include "wall/windowrequests.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;
class ScreenWidget;
class Transport;
struct SessionValues;

// What the window commands need to know of the resource panel and the screen groups.
struct WindowCommandContext
{
    // The window type of the checked resource category (video 0, picture 1, web 2, Office 3,
    // network video 4, other documents 5, USB 6), -1 when none of these is checked.
    std::function<int()> checkedCategoryType;
    // The current item of a resource list (0 = the video list, 1 = the second list used by
    // the other categories): its text and its video id. False without a current item.
    std::function<bool(int list, QString *name, int *videoId)> currentItem;
    // The checked names of a resource list (0 video list, 1 second list).
    std::function<QStringList(int list)> checkedNames;
    wall::ResourcePath resourcePath;
    // "ScreenGroup" of the commands.
    std::function<int()> currentScreenGroup;
    // A window became the selected one (the media panel loads itself for it).
    std::function<void(uint windowId)> windowSelected;
};

// Turns what happens on the wall canvas into window commands for the controller. The
// canvas changes first and the command follows; a failed command is reported by the
// transport and not rolled back.
class WindowCommands : public QObject
{
    Q_OBJECT
public:
    WindowCommands(ScreenWidget *canvas, Transport *transport, SessionValues *session, QWidget *window,
                   QObject *parent = nullptr);

    WindowCommandContext context;

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
    bool moveWindow(uint windowId, const QRect &rect);
    bool closeWindow(int windowId);
    bool setWindowPos(uint windowId, const QString &type);
    // The controller's load in percent; 0 when the query fails.
    int serverCpuUsage();
    bool officeWindowAllowed(const QString &name, uint windowId);

    static constexpr int kMaxCpuUsage = 85;

private:
    int screenGroup() const;
    int checkedType() const;
    bool overloaded();

    QPointer<ScreenWidget> m_canvas;
    Transport *m_transport;
    SessionValues *m_session;
    QPointer<QWidget> m_window;
};
