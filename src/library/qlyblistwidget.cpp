#include "qlyblistwidget.h"

#include "library/resource.h"
#include "uikit/nestedwait.h"

#include <QApplication>
#include <QDrag>
#include <QHelpEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextDocument>
#include <QToolTip>

namespace {
std::function<void(QDrag *)> &dragRunner()
{
    static std::function<void(QDrag *)> runner;
    return runner;
}

constexpr int kDragPixmapSide = 100;
} // namespace

QLybListWidget::QLybListWidget(QWidget *parent) : QListWidget(parent)
{
    // A stored item must never outlive the list's contents: a reload can happen between the
    // press and the move (list loaders wait in nested event loops).
    connect(model(), &QAbstractItemModel::modelAboutToBeReset, this, &QLybListWidget::forgetPress);
    connect(model(), &QAbstractItemModel::rowsAboutToBeRemoved, this, &QLybListWidget::forgetPress);
}

QLybListWidget::~QLybListWidget()
{
    // The model is a child and is destroyed after this part of the object: its reset
    // signals must not reach forgetPress() any more.
    disconnect(model(), nullptr, this, nullptr);
}

void QLybListWidget::setDragRunner(std::function<void(QDrag *)> runner)
{
    dragRunner() = std::move(runner);
}

void QLybListWidget::forgetPress()
{
    m_pressedItem = nullptr;
    m_pressedText.clear();
    m_pressedToolTip.clear();
    m_pressedVideoId = 0;
    m_pressedMediaType = 0;
}

bool QLybListWidget::viewportEvent(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QListWidget::viewportEvent(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const QListWidgetItem *item = itemAt(help->pos());
    const QString text = item ? item->toolTip() : QString();
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    QToolTip::showText(help->globalPos(), Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text) : text,
                       viewport(), visualItemRect(item));
    return true;
}

void QLybListWidget::mousePressEvent(QMouseEvent *event)
{
    if (count() == 0) {
        // Nothing to pick up: the press belongs to whatever holds the list.
        event->ignore();
        return;
    }
    if (event->button() == Qt::LeftButton) {
        forgetPress();
        m_pressPoint = event->pos();
        m_pressedItem = itemAt(event->pos());
        if (m_pressedItem) {
            m_pressedText = m_pressedItem->text();
            m_pressedToolTip = m_pressedItem->toolTip();
            m_pressedVideoId = m_pressedItem->data(Qt::UserRole).toInt();
            m_pressedMediaType = m_pressedItem->data(Qt::UserRole + 1).toInt();
        }
    }
    QListWidget::mousePressEvent(event);
}

void QLybListWidget::mouseMoveEvent(QMouseEvent *event)
{
    if ((event->buttons() & Qt::LeftButton) && m_pressedItem && allowDrag) {
        const QPoint moved = event->pos() - m_pressPoint;
        if (moved.manhattanLength() > QApplication::startDragDistance())
            runResourceDrag();
    }
    QListWidget::mouseMoveEvent(event);
}

void QLybListWidget::mouseReleaseEvent(QMouseEvent *event)
{
    forgetPress();
    QListWidget::mouseReleaseEvent(event);
}

void QLybListWidget::runResourceDrag()
{
    auto *drag = new QDrag(this);
    drag->setMimeData(
        makeResourceMimeData(m_pressedText, m_pressedVideoId, m_pressedToolTip, m_pressedMediaType));
    const QPixmap pixmap = m_pressedItem->icon().pixmap(kDragPixmapSide, kDragPixmapSide);
    drag->setPixmap(pixmap);
    drag->setHotSpot(QPoint(pixmap.width() / 2, pixmap.height() / 2));
    // One drag per press: the drop (or its refusal) ends the gesture.
    forgetPress();
    if (dragRunner()) {
        dragRunner()(drag);
        drag->deleteLater();
    } else {
        // Qt releases the drag object itself once the drop is over. The drag runs a nested
        // loop of its own, in which the drop opens windows and timers keep running.
        uikit::WaitScope wait;
        drag->exec(Qt::CopyAction | Qt::MoveAction);
    }
}
