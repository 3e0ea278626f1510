#include "wall/windowwidget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGestureEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPinchGesture>
#include <QPointer>
#include <QPushButton>
#include <QSize>

#include <algorithm>
#include <cstdlib>

namespace {

WindowWidget::Clock g_clock = nullptr;
bool g_haveLiveUpdate = false;
qint64 g_lastLiveUpdate = 0;

qint64 steadyNow()
{
    static QElapsedTimer timer;
    if (!timer.isValid())
        timer.start();
    return timer.elapsed();
}

qint64 now()
{
    return g_clock ? g_clock() : steadyNow();
}

QPushButton *makeButton(QWidget *parent, const char *icon)
{
    auto *button = new QPushButton(parent);
    button->setIcon(QIcon(QString::fromLatin1(icon)));
    button->setIconSize(QSize(44, 33));
    button->setStyleSheet(QStringLiteral("background:transparent;border:none;"));
    button->show();
    return button;
}

// An edge follows the mouse, but at the minimum size it may only move outwards and at the
// maximum size only inwards; it never crosses the opposite edge past the minimum size.
int leadingEdge(int mouse, int edge, int size, int minSize, int maxSize, int opposite)
{
    int value = mouse;
    if (size <= minSize)
        value = std::min(value, edge);
    else if (size >= maxSize)
        value = std::max(value, edge);
    value = std::min(value, opposite + 1 - minSize);
    return std::max(value, opposite + 1 - maxSize);
}

int trailingEdge(int mouse, int edge, int size, int minSize, int maxSize, int opposite)
{
    int value = mouse;
    if (size <= minSize)
        value = std::max(value, edge);
    else if (size >= maxSize)
        value = std::min(value, edge);
    value = std::max(value, opposite + minSize - 1);
    return std::min(value, opposite + maxSize - 1);
}

} // namespace

WindowWidget::WindowWidget(QWidget *parent) : QLabel(parent)
{
    qRegisterMetaType<RESIZE_DIR>("RESIZE_DIR");
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_AcceptTouchEvents);
    setMouseTracking(true);
    grabGesture(Qt::PanGesture);
    grabGesture(Qt::PinchGesture);
    grabGesture(Qt::SwipeGesture);

    m_closeButton = makeButton(this, ":/images/newskin/win-close.png");
    m_enlargeButton = makeButton(this, ":/images/newskin/win-expand.png");
    m_restoreButton = makeButton(this, ":/images/newskin/win-restore.png");
    connect(m_closeButton, &QPushButton::clicked, this, &WindowWidget::on_closeButton_clicked);
    connect(m_enlargeButton, &QPushButton::clicked, this, &WindowWidget::on_enlargeButton_clicked);
    connect(m_restoreButton, &QPushButton::clicked, this, &WindowWidget::on_restoreButton_clicked);
    placeButtons();
}

void WindowWidget::setName(const QString &name)
{
    m_name = name;
    update();
}

void WindowWidget::setFileList(const QStringList &fileList)
{
    m_fileList = fileList;
    update();
}

void WindowWidget::setRealRect(const QRect &rect)
{
    m_realRect = rect;
    update();
}

void WindowWidget::setScreenMode(int mode)
{
    m_screenMode = mode;
    m_enlargeButton->setVisible(!locked());
    m_restoreButton->setVisible(!locked());
    placeButtons();
}

void WindowWidget::setEchoOn(bool on)
{
    m_echoOn = on;
    update();
}

void WindowWidget::setSelected(bool selected)
{
    m_selected = selected;
    update();
}

QString WindowWidget::titleText() const
{
    return QStringLiteral("%1[%2,%3,%4x%5]")
        .arg(m_name)
        .arg(m_realRect.left())
        .arg(m_realRect.top())
        .arg(m_realRect.width())
        .arg(m_realRect.height());
}

QPushButton *WindowWidget::button(ButtonId id) const
{
    switch (id) {
    case CloseButton:
        return m_closeButton;
    case EnlargeButton:
        return m_enlargeButton;
    case RestoreButton:
        return m_restoreButton;
    }
    return nullptr;
}

void WindowWidget::on_closeButton_clicked()
{
    emit onWindowButtonClicked(m_windowId, CloseButton);
}

void WindowWidget::on_enlargeButton_clicked()
{
    emit onWindowButtonClicked(m_windowId, EnlargeButton);
}

void WindowWidget::on_restoreButton_clicked()
{
    emit onWindowButtonClicked(m_windowId, RestoreButton);
}

void WindowWidget::pinchStarted()
{
    m_pinchStart = geometry();
}

void WindowWidget::pinchScaled(qreal totalScaleFactor)
{
    const int w = m_pinchStart.width();
    const int h = m_pinchStart.height();
    const int dx = (static_cast<int>(totalScaleFactor * w) - w) / 2;
    const int dy = (static_cast<int>(totalScaleFactor * h) - h) / 2;
    setGeometry(m_pinchStart.adjusted(-dx, -dy, dx, dy));
}

void WindowWidget::pinchFinished()
{
    emit onWindowResize(m_windowId, RESIZE_ALL, true);
}

void WindowWidget::setClock(Clock clock)
{
    g_clock = clock;
}

void WindowWidget::resetLiveUpdate()
{
    g_haveLiveUpdate = false;
}

bool WindowWidget::event(QEvent *event)
{
    if (event->type() == QEvent::Gesture) {
        gestureEvent(static_cast<QGestureEvent *>(event));
        return true;
    }
    return QLabel::event(event);
}

void WindowWidget::gestureEvent(QGestureEvent *event)
{
    if (QGesture *pan = event->gesture(Qt::PanGesture))
        event->ignore(pan);
    auto *pinch = static_cast<QPinchGesture *>(event->gesture(Qt::PinchGesture));
    if (!pinch)
        return;
    if (pinch->state() == Qt::GestureStarted)
        pinchStarted();
    if (pinch->changeFlags() & QPinchGesture::ScaleFactorChanged)
        pinchScaled(pinch->totalScaleFactor());
    if (pinch->state() == Qt::GestureFinished)
        pinchFinished();
}

void WindowWidget::mousePressEvent(QMouseEvent *event)
{
    if (locked())
        return;
    m_dblClicked = false;
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = true;
    m_dragged = false;
    raise();
    m_pressGlobal = event->globalPos();
    m_pressOffset = m_pressGlobal - frameGeometry().topLeft();
    emit onWindowRaised(m_windowId, m_pressGlobal.x(), m_pressGlobal.y());
}

void WindowWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (locked())
        return;
    const QPoint global = event->globalPos();
    if (!(event->buttons() & Qt::LeftButton) || !m_pressed || m_dblClicked) {
        hoverTest(global);
        return;
    }
    if ((global - m_pressGlobal).manhattanLength() < kMoveThreshold)
        return;
    m_dragged = true;
    if (m_resizeDir == RESIZE_NONE)
        move(global - m_pressOffset);
    else
        resizeTo(global);
    liveUpdate();
}

void WindowWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (locked())
        return;
    const QPoint global = event->globalPos();
    if (m_dragged && m_resizeDir != RESIZE_NONE)
        hoverTest(global);
    if ((global - m_pressGlobal).manhattanLength() >= QApplication::startDragDistance() && !m_dblClicked &&
        m_pressed) {
        QPointer<WindowWidget> self(this);
        emit onWindowResize(m_windowId, m_resizeDir, !m_selected);
        if (!self || self->isRemoved())
            return;
        m_pressed = false;
    }
    m_dragged = false;
    m_resizeDir = RESIZE_NONE;
}

void WindowWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    Q_UNUSED(event)
    if (locked())
        return;
    m_dblClicked = true;
    emit onWindowDblClicked(m_windowId);
}

void WindowWidget::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    placeButtons();
}

void WindowWidget::placeButtons()
{
    const int w = width();
    m_closeButton->setGeometry(QRect(QPoint(w - 49, 3), QPoint(w - 2, 39)));
    if (locked())
        return;
    m_enlargeButton->setGeometry(QRect(QPoint(w - 99, 3), QPoint(w - 52, 39)));
    m_restoreButton->setGeometry(QRect(QPoint(w - 149, 3), QPoint(w - 102, 39)));
}

QPoint WindowWidget::toCanvas(const QPoint &globalPos) const
{
    if (QWidget *canvas = parentWidget())
        return canvas->mapFromGlobal(globalPos);
    return mapToParent(mapFromGlobal(globalPos));
}

void WindowWidget::hoverTest(const QPoint &globalPos)
{
    const QPoint pos = toCanvas(globalPos);
    const QRect frame = geometry();
    const bool nearTop = std::abs(pos.y() - frame.top()) < m_margin;
    const bool nearBottom = std::abs(pos.y() - frame.bottom()) < m_margin;
    const bool nearLeft = std::abs(pos.x() - frame.left()) < m_margin;
    const bool nearRight = std::abs(pos.x() - frame.right()) < m_margin;
    if (nearTop)
        m_resizeDir = nearLeft ? RESIZE_TOPLEFT : nearRight ? RESIZE_TOPRIGHT : RESIZE_TOP;
    else if (nearBottom)
        m_resizeDir = nearLeft ? RESIZE_BOTTOMLEFT : nearRight ? RESIZE_BOTTOMRIGHT : RESIZE_BOTTOM;
    else if (nearLeft)
        m_resizeDir = RESIZE_LEFT;
    else if (nearRight)
        m_resizeDir = RESIZE_RIGHT;
    else
        m_resizeDir = RESIZE_NONE;

    switch (m_resizeDir) {
    case RESIZE_TOPLEFT:
    case RESIZE_BOTTOMRIGHT:
        setCursor(Qt::SizeFDiagCursor);
        break;
    case RESIZE_TOPRIGHT:
    case RESIZE_BOTTOMLEFT:
        setCursor(Qt::SizeBDiagCursor);
        break;
    case RESIZE_TOP:
    case RESIZE_BOTTOM:
        setCursor(Qt::SizeVerCursor);
        break;
    case RESIZE_LEFT:
    case RESIZE_RIGHT:
        setCursor(Qt::SizeHorCursor);
        break;
    default:
        setCursor(Qt::ArrowCursor);
        break;
    }
}

void WindowWidget::resizeTo(const QPoint &globalPos)
{
    const QPoint pos = toCanvas(globalPos);
    QRect r = geometry();
    if (m_resizeDir & RESIZE_TOP)
        r.setTop(leadingEdge(pos.y(), r.top(), r.height(), minimumHeight(), maximumHeight(), r.bottom()));
    else if (m_resizeDir & RESIZE_BOTTOM)
        r.setBottom(trailingEdge(pos.y(), r.bottom(), r.height(), minimumHeight(), maximumHeight(), r.top()));
    if (m_resizeDir & RESIZE_LEFT)
        r.setLeft(leadingEdge(pos.x(), r.left(), r.width(), minimumWidth(), maximumWidth(), r.right()));
    else if (m_resizeDir & RESIZE_RIGHT)
        r.setRight(trailingEdge(pos.x(), r.right(), r.width(), minimumWidth(), maximumWidth(), r.left()));
    setGeometry(r);
}

void WindowWidget::liveUpdate()
{
    const qint64 time = now();
    if (g_haveLiveUpdate && time - g_lastLiveUpdate < kLiveUpdateInterval)
        return;
    // Noted before the announcement: the moves arriving while its reply is awaited in a
    // nested loop send nothing more, and the slots stay 31 ms apart from the time each live
    // update went out, whatever its round trip took (the commands keep one move of a window
    // on its way, so a slow controller gets no pile of them).
    g_haveLiveUpdate = true;
    g_lastLiveUpdate = time;
    emit onWindowResize(m_windowId, m_resizeDir, true);
}

void WindowWidget::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    const int w = width();
    const int h = height();
    QColor fill = m_background;
    fill.setAlpha(m_echoOn ? 1 : 192);
    painter.fillRect(rect(), fill);

    painter.setPen(QPen(m_selected ? QColor(29, 126, 150) : QColor(64, 64, 64), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(1, 1, w - 2, h - 2));

    if (!m_echoOn || m_selected) {
        const QRect titleBar(QPoint(1, 1), QPoint(w - 2, kTitleHeight));
        painter.fillRect(titleBar, QColor(49, 49, 49, 128));
        QFont font(QStringLiteral("微软雅黑"));
        font.setPointSize(10);
        painter.setFont(font);
        painter.setPen(m_selected ? QColor(19, 220, 228) : QColor(Qt::white));
        painter.drawText(titleBar.adjusted(8, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, titleText());
    }

    if (!m_fileList.isEmpty()) {
        QString lines;
        for (const QString &file : m_fileList)
            lines += file + QLatin1Char('\n');
        painter.setPen(QColor(64, 64, 64, 160));
        painter.drawText(QRect(10, 50, std::max(0, w - 10), std::max(0, h - 50)),
                         Qt::AlignLeft | Qt::AlignTop, lines);
    }
}
