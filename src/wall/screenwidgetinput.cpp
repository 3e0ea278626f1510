// Input of the wall canvas: presses and the double-click count, the rubber band, drops of
// resources, and the gestures reported by the window items.
#include "wall/screenwidget.h"
#include "wall/windowwidget.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QRubberBand>

namespace {

S_WINDOW *newWindowRecord(uint windowId, const QRect &rect, const QString &name, int videoId, int winType,
                          bool drawn = false)
{
    auto *window = new S_WINDOW;
    window->source = QStringLiteral("LocalVideo");
    window->videoId = videoId;
    window->windowId = windowId;
    window->winType = winType;
    window->realRect = rect;
    window->name = name;
    window->drawn = drawn;
    return window;
}

} // namespace

void ScreenWidget::slotTimerTimeOut()
{
    m_clickCount = 0;
    m_clickTimer.stop();
}

void ScreenWidget::mousePressEvent(QMouseEvent *event)
{
    m_clickTimer.start(kDoubleClickInterval);
    selectCellAt(event->pos());
    if (event->button() == Qt::LeftButton && m_clickCount++ == 1) {
        m_clickTimer.stop();
        m_clickCount = 0;
        QPointer<ScreenWidget> self(this);
        emit onScreenDblClicked(m_grid.screenIndex(m_selCol, m_selRow));
        if (!self)
            return;
    }
    m_bandOrigin = event->pos();
    if (!m_rubberBand)
        m_rubberBand = new QRubberBand(QRubberBand::Rectangle, this);
    m_rubberBand->setGeometry(QRect(m_bandOrigin, QSize()));
    m_rubberBand->show();
}

void ScreenWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (m_rubberBand && m_rubberBand->isVisible())
        m_rubberBand->setGeometry(QRect(m_bandOrigin, event->pos()).normalized());
}

void ScreenWidget::mouseReleaseEvent(QMouseEvent *event)
{
    Q_UNUSED(event)
    if (!m_rubberBand)
        return;
    const QRect band = m_rubberBand->geometry();
    m_rubberBand->hide();
    if (!m_connected)
        return;
    if (band.right() - band.left() < kMinBandSize - 1 || band.bottom() - band.top() < kMinBandSize - 1)
        return;
    WindowWidget *item = addWindow(QString(), -1, -1, wall::TypeVideo, canvasToWall(band));
    const uint id = item->windowId();
    const QRect rect = enlargeWindow(id);
    emitNewWindow(newWindowRecord(id, rect, QString(), -1, wall::TypeVideo, true));
}

void ScreenWidget::setDropCheck(const wall::DropCheck *check)
{
    m_dropCheck = check;
    m_dropCheckObject = dynamic_cast<const QObject *>(check);
    m_dropCheckGuarded = !m_dropCheckObject.isNull();
}

bool ScreenWidget::dropOpensWindow(const QMimeData *mime) const
{
    // A checker that has been destroyed (the window is closing) lets nothing through.
    if (m_dropCheckGuarded && !m_dropCheckObject)
        return false;
    return !m_dropCheck || m_dropCheck->opensWindow(mime);
}

// A resource that cannot become a window is refused while it is dragged over the wall, so
// the operator sees it will not be taken.
void ScreenWidget::dragEnterEvent(QDragEnterEvent *event)
{
    if (!dropOpensWindow(event->mimeData())) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void ScreenWidget::dragMoveEvent(QDragMoveEvent *event)
{
    selectCellAt(event->pos());
    if (!dropOpensWindow(event->mimeData())) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void ScreenWidget::dropEvent(QDropEvent *event)
{
    const QMimeData *mime = event->mimeData();
    const QString text = mime->text();
    // Decided before anything changes: a drop that cannot open a window must not close the
    // one it lands on either.
    if (text.isEmpty() || !dropOpensWindow(mime)) {
        event->ignore();
        return;
    }
    const int videoId = static_cast<int>(mime->property("vid").toUInt());
    const int mediaType = mime->property("mediaType").toInt();
    // "source" names the list the resource came from; the canvas treats every list alike.
    Q_UNUSED(mime->property("source"))

    WindowWidget *target = nullptr;
    for (int i = m_windows.size() - 1; i >= 0 && !target; --i) {
        if (m_windows.at(i)->geometry().contains(event->pos()))
            target = m_windows.at(i);
    }

    QPointer<ScreenWidget> self(this);
    if (!target) {
        WindowWidget *item = addWindow(text, videoId, -1, wall::TypeVideo);
        emitNewWindow(newWindowRecord(item->windowId(), item->realRect(), text, videoId, mediaType));
    } else if (m_grid.customSize()) {
        const uint id = target->windowId();
        const QRect rect = target->realRect();
        emit onWindowButtonClicked(id, WindowWidget::CloseButton);
        if (!self)
            return;
        addWindow(text, videoId, id, wall::TypeVideo, rect);
        emitNewWindow(newWindowRecord(id, rect, text, videoId, mediaType));
    } else {
        QPointer<WindowWidget> item(target);
        emit onChangeVideo(target->windowId(), videoId, text);
        if (!self)
            return;
        if (item && m_windows.contains(item.data())) {
            item->setName(text);
            item->setVideoId(videoId);
            moveToTop(item);
        }
    }
    if (!self)
        return;
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void ScreenWidget::on_windowButton_clicked(uint windowId, int btnId)
{
    emit onWindowButtonClicked(windowId, btnId);
}

void ScreenWidget::on_windowRaised(uint windowId, int x, int y)
{
    WindowWidget *item = findWindow(windowId);
    if (!item)
        return;
    selectWindow(windowId);
    moveToTop(item);
    selectCellAt(mapFromGlobal(QPoint(x, y)));
    update();
    emit onWindowRaised(windowId);
}

void ScreenWidget::on_windowResize(uint windowId, RESIZE_DIR dir, bool moveTop)
{
    WindowWidget *item = findWindow(windowId);
    if (!item)
        return;
    const wall::SnapResult snapped = m_grid.snap(item->realRect(), item->geometry(), size(), dir);
    if (!snapped.onWall) {
        emit onWindowButtonClicked(windowId, WindowWidget::CloseButton);
        return;
    }
    item->history().push(item->realRect());
    item->setRealRect(snapped.rect);
    placeItem(item);
    if (moveTop) {
        selectWindow(windowId);
        moveToTop(item);
    }
    emit onWindowResize(windowId, snapped.rect, moveTop);
}

void ScreenWidget::on_windowDblClicked(uint windowId)
{
    WindowWidget *item = findWindow(windowId);
    if (!item)
        return;
    const QRect current = item->realRect();
    if (current.width() >= totalWidth() && current.height() >= totalHeight()) {
        emit onWindowButtonClicked(windowId, WindowWidget::RestoreButton);
        return;
    }
    const QRect whole(0, 0, totalWidth(), totalHeight());
    item->history().push(current);
    item->setRealRect(whole);
    item->setGeometry(rect());
    emit onWindowResize(windowId, whole, true);
}
