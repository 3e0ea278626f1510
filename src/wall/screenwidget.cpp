#include "wall/screenwidget.h"

#include "uikit/nestedwait.h"
#include "wall/screenecho.h"
#include "wall/windowwidget.h"

#include <QMetaMethod>
#include <QPainter>
#include <QPointer>
#include <QTime>

#include <cstdlib>
#include <utility>

ScreenWidget::ScreenWidget(QWidget *parent) : QLabel(parent)
{
    qRegisterMetaType<RESIZE_DIR>("RESIZE_DIR");
    qRegisterMetaType<S_WINDOW *>("S_WINDOW*");
    setAcceptDrops(true);
    std::srand(static_cast<unsigned>(QTime(0, 0).secsTo(QTime::currentTime())));
    m_clickTimer.setTimerType(Qt::PreciseTimer);
    m_clickTimer.setInterval(kDoubleClickInterval);
    connect(&m_clickTimer, &QTimer::timeout, this, &ScreenWidget::slotTimerTimeOut);
    m_echo = std::make_unique<ScreenEcho>(this);
}

ScreenWidget::~ScreenWidget()
{
    m_clickTimer.stop();
    // The echo's player stops first: no decoded picture reaches the canvas after this.
    m_echo.reset();
}

void ScreenWidget::setScreenLayout(int screenMode, int groupIndex, const S_SCR_LAYOUT &layout)
{
    m_grid = wall::WallGrid(screenMode, layout);
    m_groupIndex = groupIndex;
    selectCellAt(QPoint(10, 10));
    update();
}

void ScreenWidget::setOutputNames(const QStringList &names)
{
    m_outputNames = names;
    update();
}

wall::WallMapper ScreenWidget::mapper() const
{
    return wall::WallMapper(m_grid.totalWidth(), m_grid.totalHeight(), size());
}

QRect ScreenWidget::wallToCanvas(const QRect &wall) const
{
    return mapper().wallToCanvas(wall);
}

QRect ScreenWidget::canvasToWall(const QRect &canvas) const
{
    return mapper().canvasToWall(canvas, m_align32);
}

void ScreenWidget::selectCellAt(const QPoint &canvasPos)
{
    const wall::GridCell cell = m_grid.cellAtCanvas(canvasPos, size());
    const bool changed = cell.col != m_selCol || cell.row != m_selRow;
    m_selCol = cell.col;
    m_selRow = cell.row;
    m_selectedCell = cell.rect;
    if (changed)
        update();
}

QRect ScreenWidget::cellRect(bool inWallPixels, int row, int col) const
{
    const QRect wall = row == -1 ? m_selectedCell : m_grid.cellRect(row, col);
    return inWallPixels ? wall : mapper().edgesToCanvas(wall);
}

void ScreenWidget::selectNextCell()
{
    const wall::GridCell cell = m_grid.nextCell(m_selCol, m_selRow);
    m_selCol = cell.col;
    m_selRow = cell.row;
    m_selectedCell = cell.rect;
    update();
}

uint ScreenWidget::randomWindowId() const
{
    for (;;) {
        const uint id = static_cast<uint>(std::rand() % 32768);
        if (!findWindow(id))
            return id;
    }
}

WindowWidget *ScreenWidget::addWindow(const QString &name, int videoId, qint64 windowId, int winType,
                                      std::optional<QRect> rect)
{
    auto *item = new WindowWidget(this);
    item->setName(name);
    item->setVideoId(videoId);
    item->setWinType(winType);
    item->setScreenMode(m_grid.screenMode());
    item->setEchoOn(m_echo->isRunning());
    item->setWindowId(windowId < 0 ? randomWindowId() : static_cast<uint>(windowId));
    item->history().push(item->realRect());
    item->setRealRect(rect ? *rect : m_selectedCell);
    // A dragged edge stops short of the opposite one: the item stays big enough to grab.
    item->setMinimumSize(wall::WallGrid::kMinWindowPixels, wall::WallGrid::kMinWindowPixels);
    placeItem(item);
    connect(item, &WindowWidget::onWindowButtonClicked, this, &ScreenWidget::on_windowButton_clicked);
    connect(item, &WindowWidget::onWindowResize, this, &ScreenWidget::on_windowResize);
    connect(item, &WindowWidget::onWindowRaised, this, &ScreenWidget::on_windowRaised);
    connect(item, &WindowWidget::onWindowDblClicked, this, &ScreenWidget::on_windowDblClicked);
    item->show();
    m_windows.append(item);
    return item;
}

void ScreenWidget::addWindows(const QList<wall::WindowRecord> &records)
{
    for (const wall::WindowRecord &record : records)
        addWindow(record.name, 0, record.windowId, record.winType, record.rect)->setFileList(record.fileList);
}

bool ScreenWidget::removeWindow(uint windowId)
{
    WindowWidget *item = findWindow(windowId);
    if (!item)
        return false;
    const bool wasSelected = item->isSelected();
    m_windows.removeAll(item);
    item->markRemoved();
    uikit::retire(item);
    if (wasSelected && !m_windows.isEmpty()) {
        const uint topId = m_windows.last()->windowId();
        selectWindow(topId);
        QPointer<ScreenWidget> self(this);
        emit onWindowRaised(topId);
        if (!self)
            return true;
    }
    update();
    return true;
}

void ScreenWidget::clearWindows()
{
    const QList<WindowWidget *> items = std::exchange(m_windows, {});
    for (WindowWidget *item : items) {
        item->markRemoved();
        uikit::retire(item);
    }
    update();
}

WindowWidget *ScreenWidget::findWindow(uint windowId) const
{
    for (WindowWidget *item : m_windows) {
        if (item->windowId() == windowId)
            return item;
    }
    return nullptr;
}

WindowWidget *ScreenWidget::findWindowByName(const QString &name) const
{
    for (WindowWidget *item : m_windows) {
        if (item->name() == name)
            return item;
    }
    return nullptr;
}

WindowWidget *ScreenWidget::selectedWindow() const
{
    for (WindowWidget *item : m_windows) {
        if (item->isSelected())
            return item;
    }
    return nullptr;
}

void ScreenWidget::selectWindow(uint windowId)
{
    for (WindowWidget *item : m_windows)
        item->setSelected(item->windowId() == windowId);
}

void ScreenWidget::lowerWindow(uint windowId)
{
    WindowWidget *item = findWindow(windowId);
    if (!item)
        return;
    m_windows.removeAll(item);
    m_windows.prepend(item);
    item->lower();
}

void ScreenWidget::relayoutWindows(qint64 windowId)
{
    for (WindowWidget *item : m_windows) {
        if (windowId < 0 || item->windowId() == windowId)
            placeItem(item);
    }
}

QRect ScreenWidget::enlargeWindow(uint windowId)
{
    WindowWidget *item = findWindow(windowId);
    if (!item)
        return QRect();
    const QRect rect = m_grid.enlarge(item->realRect());
    if (rect == item->realRect())
        return rect;
    item->history().push(item->realRect());
    item->setRealRect(rect);
    placeItem(item);
    return rect;
}

QRect ScreenWidget::restoreWindow(uint windowId)
{
    WindowWidget *item = findWindow(windowId);
    if (!item)
        return QRect();
    const QRect rect = item->history().takeForRestore();
    if (rect.right() < rect.left())
        return rect;
    item->setRealRect(rect);
    placeItem(item);
    return rect;
}

void ScreenWidget::placeItem(WindowWidget *item)
{
    item->setGeometry(wallToCanvas(item->realRect()));
}

void ScreenWidget::moveToTop(WindowWidget *item)
{
    m_windows.removeAll(item);
    m_windows.append(item);
    item->raise();
}

void ScreenWidget::emitNewWindow(S_WINDOW *window)
{
    if (isSignalConnected(QMetaMethod::fromSignal(&ScreenWidget::onNewWindow)))
        emit onNewWindow(window);
    else
        delete window;
}

bool ScreenWidget::echoRunning() const
{
    return m_echo->isRunning();
}

void ScreenWidget::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    const QImage echoFrame = m_echo->frameToPaint();
    if (m_grid.rows() <= 0 || m_grid.cols() <= 0)
        return;
    QPainter painter(this);
    // The live picture fills the canvas, aspect ratio ignored, scaled without smoothing.
    if (!echoFrame.isNull())
        painter.drawImage(rect(), echoFrame);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    paintGrid(painter);

    painter.setPen(QPen(QColor(255, 0, 0), 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(cellRect(false, -1).adjusted(2, 2, -2, -2));

    paintOutputLabels(painter);
}

void ScreenWidget::paintGrid(QPainter &painter)
{
    if (m_grid.layoutType() != wall::kUniformLayout)
        return;
    const wall::WallMapper map = mapper();
    painter.setPen(QPen(QColor(128, 128, 128), 1, Qt::DashDotLine, Qt::RoundCap, Qt::RoundJoin));
    const QList<int> rows = m_grid.gridLinesY();
    for (int wallY : rows) {
        const int y = static_cast<int>(static_cast<float>(wallY) * map.scaleY());
        painter.drawLine(0, y, width(), y);
    }
    const QList<int> columns = m_grid.gridLinesX();
    for (int wallX : columns) {
        const int x = static_cast<int>(static_cast<float>(wallX) * map.scaleX());
        painter.drawLine(x, 0, x, height());
    }
}

void ScreenWidget::paintOutputLabels(QPainter &painter)
{
    const int mode = m_grid.screenMode();
    if (mode == wall::kCustomSizeMode || mode == wall::kNoLabelMode || m_outputNames.isEmpty())
        return;
    const int pointSize = 25 * cellRect(false, 0, 0).height() / 384;
    if (pointSize <= 0)
        return;
    QFont font(QStringLiteral("Arial Black"));
    font.setWeight(QFont::Bold);
    font.setItalic(true);
    font.setPointSize(pointSize);
    painter.setFont(font);
    painter.setPen(Qt::darkGray);
    int index = 0;
    for (int row = 0; row < m_grid.uniformRows(); ++row) {
        for (int col = 0; col < m_grid.uniformColumns(); ++col) {
            if (index >= m_outputNames.size())
                return;
            painter.drawText(cellRect(false, row, col), Qt::AlignCenter, m_outputNames.at(index++));
        }
    }
}
