#include "windowcommands.h"

#include "net/operation.h"
#include "net/sessionvalues.h"
#include "net/transport.h"
#include "uikit/dialogs.h"
#include "wall/screenwidget.h"
#include "wall/windowwidget.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QWidget>
#include <memory>

namespace {} // namespace

WindowCommands::WindowCommands(ScreenWidget *canvas, Transport *transport, SessionValues *session,
                               QWidget *window, const wall::ResourceSource &resources,
                               const wall::ScreenGroupSource &groups, QObject *parent)
    : QObject(parent),
      m_canvas(canvas),
      m_transport(transport),
      m_session(session),
      m_window(window),
      m_resources(resources),
      m_groups(groups)
{}

int WindowCommands::screenGroup() const
{
    return m_groups.currentScreenGroup();
}

int WindowCommands::checkedType() const
{
    return m_resources.checkedCategoryType();
}

int WindowCommands::serverCpuUsage()
{
    QByteArray body;
    if (!m_transport->sendGetCommand(QStringLiteral("GetCpuUsage"), true, &body))
        return 0;
    return Transport::parseObject(body).value(QStringLiteral("CpuUsage")).toInt(0);
}

bool WindowCommands::overloaded()
{
    if (serverCpuUsage() <= kMaxCpuUsage)
        return false;
    uikit::showError(QCoreApplication::translate("MainWindow2", "服务器CPU占用太高，请关闭不需要的窗口！"));
    return true;
}

bool WindowCommands::officeWindowAllowed(const QString &name, uint windowId)
{
    if (checkedType() != wall::TypeOffice || !m_canvas)
        return true;
    WindowWidget *existing = m_canvas->findWindowByName(name);
    if (existing && (existing->windowId() != windowId || windowId == 0)) {
        uikit::showError(QCoreApplication::translate("MainWindow2", "Office文档只能开一个窗口！"));
        return false;
    }
    return true;
}

void WindowCommands::on_newWindow(S_WINDOW *pWindow)
{
    std::unique_ptr<S_WINDOW> window(pWindow);
    const int type = checkedType();
    if (type >= 0)
        window->winType = type;

    const uint id = window->windowId;
    const bool mediaFamily = m_session->isMediaDisplayFamily();
    // An entry without a window type (background music) opens no window; nor does a drawn
    // rectangle outside the media display families, or while the category shown (music,
    // scenes, captions) has no window type to give it.
    if (window->winType < 0 || (window->drawn && (type < 0 || !mediaFamily))) {
        if (m_canvas)
            m_canvas->removeWindow(id);
        return;
    }
    if (overloaded()) {
        if (m_canvas)
            m_canvas->removeWindow(id);
        return;
    }
    if (!m_canvas)
        return;
    QPointer<WindowWidget> item = m_canvas->findWindow(id);

    if (window->drawn) {
        // A rubber-band window: media display systems put the current resource into it.
        QString name;
        int videoId = -1;
        const int list = type == wall::TypeVideo ? 0 : 1;
        if (type == wall::TypeVideo || type == wall::TypePicture) {
            window->fileList = m_resources.checkedNames(list);
            if (item)
                item->setFileList(window->fileList);
        }
        if (m_resources.currentEntry(list, &name, &videoId) && !officeWindowAllowed(name, id))
            name.clear();
        if (item && !name.isEmpty()) {
            window->videoId = videoId;
            window->name = name;
            item->setVideoId(videoId);
            item->setWinType(window->winType);
            item->setName(name);
            item->update();
            sendNewWindow(*window);
        } else if (m_canvas) {
            m_canvas->removeWindow(id);
        }
        return;
    }

    if (item)
        item->setWinType(window->winType);
    if (mediaFamily) {
        if (!officeWindowAllowed(window->name, id)) {
            if (m_canvas)
                m_canvas->removeWindow(id);
            return;
        }
        if (window->winType == wall::TypeVideo)
            window->fileList = m_resources.checkedNames(0);
        else if (window->winType == wall::TypePicture || window->winType == wall::TypeNetVideo)
            window->fileList = m_resources.checkedNames(1);
        if (item)
            item->setFileList(window->fileList);
    }
    sendNewWindow(*window);
}

bool WindowCommands::openFromList(const QString &name, int videoId)
{
    if (overloaded())
        return false;
    if (!officeWindowAllowed(name, 0))
        return false;
    net::Operation operation(m_window, *m_session, Qt::BusyCursor);
    if (name.isEmpty() || !m_canvas)
        return false;
    const int type = checkedType();
    WindowWidget *item = m_canvas->addWindow(name, videoId, -1, type < 0 ? 0 : type);
    if (!item)
        return false;
    m_canvas->selectNextCell();
    S_WINDOW window;
    window.source = QStringLiteral("LocalVideo");
    window.videoId = videoId;
    window.windowId = item->windowId();
    window.realRect = item->realRect();
    window.name = name;
    window.winType = item->winType();
    return sendNewWindow(window);
}

bool WindowCommands::sendNewWindow(const S_WINDOW &window)
{
    const wall::ResourcePath path = [this](int category, const QString &name) {
        return m_resources.resourcePath(category, name);
    };
    return m_transport->postCommand(wall::newWindowRequest(window, path), QStringLiteral("NewWindow"));
}

bool WindowCommands::moveWindow(uint windowId, const QRect &rect)
{
    if (rect.right() < rect.left() || rect.bottom() < rect.top())
        return false;
    net::Operation operation(m_window, *m_session);
    return m_transport->postCommand(wall::moveWindowRequest(windowId, rect), QStringLiteral("MoveWindow"));
}

bool WindowCommands::closeWindow(qint64 windowId)
{
    return m_transport->postCommand(wall::closeWindowRequest(windowId, screenGroup()),
                                    QStringLiteral("CloseWindow"));
}

bool WindowCommands::setWindowPos(uint windowId, const QString &type)
{
    return m_transport->postCommand(wall::setWindowPosRequest(windowId, type, screenGroup()),
                                    QStringLiteral("SetWindowPos"));
}

void WindowCommands::on_windowResize(uint windowId, QRect rect, bool moveTop)
{
    Q_UNUSED(moveTop)
    queueMove(windowId, rect);
}

void WindowCommands::queueMove(uint windowId, const QRect &rect)
{
    // A drag goes on while a move waits for its reply (every 31 ms a live update arrives):
    // the newest rectangle waits its turn instead of starting another wait beside it.
    if (m_movesInFlight.contains(windowId)) {
        m_waitingMoves.insert(windowId, rect);
        return;
    }
    m_movesInFlight.insert(windowId);
    QPointer<WindowCommands> self(this);
    QRect next = rect;
    for (;;) {
        moveWindow(windowId, next);
        if (!self)
            return;
        // A window closed or cleared meanwhile (or a session that ended) takes no more moves.
        if (!m_waitingMoves.contains(windowId) || !m_canvas || !m_canvas->hasWindow(windowId))
            break;
        next = m_waitingMoves.take(windowId);
    }
    m_waitingMoves.remove(windowId);
    m_movesInFlight.remove(windowId);
}

void WindowCommands::on_windowButton_clicked(uint windowId, int btnId)
{
    if (!m_canvas)
        return;
    switch (btnId) {
    case 0:
        m_waitingMoves.remove(windowId);
        if (m_canvas->removeWindow(windowId))
            closeWindow(windowId);
        break;
    case 1:
    case 2: {
        const QRect rect = btnId == 1 ? m_canvas->enlargeWindow(windowId) : m_canvas->restoreWindow(windowId);
        if (rect.right() >= rect.left())
            queueMove(windowId, rect);
        break;
    }
    default:
        break;
    }
}

void WindowCommands::on_windowRaised(uint windowId)
{
    bool current = false;
    {
        net::Operation operation(m_window, *m_session);
        setWindowPos(windowId, QStringLiteral("MoveTop"));
        current = operation.sessionCurrent();
    }
    // A session that ended while the command waited has nothing selected any more.
    if (current)
        emit windowSelected(windowId);
}

void WindowCommands::moveSelectedToBottom()
{
    if (!m_canvas)
        return;
    WindowWidget *item = m_canvas->selectedWindow();
    if (!item)
        return;
    const uint id = item->windowId();
    m_canvas->lowerWindow(id);
    setWindowPos(id, QStringLiteral("MoveBottom"));
}

void WindowCommands::clearScreen()
{
    m_waitingMoves.clear();
    net::Operation operation(m_window, *m_session);
    closeWindow(-1);
    if (m_canvas)
        m_canvas->clearWindows();
}
