#pragma once

#include "wall/wallgrid.h"
#include "wall/wallmodel.h"
#include "wall/wallreplies.h"

#include <QLabel>
#include <QList>
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <optional>

class QMimeData;
class QRubberBand;
class ScreenEcho;
class WindowWidget;

namespace wall {

// What the canvas asks before a dropped resource changes anything on the wall: whether it
// can become a window at all (an entry without a window type, such as a music file, cannot).
class DropCheck
{
public:
    virtual ~DropCheck() = default;
    virtual bool opensWindow(const QMimeData *data) const = 0;
};

} // namespace wall

// The wall canvas (`labelScreen`): a drawing of the current screen group with its monitor
// grid and selected cell, hosting the window items. It turns the operator's gestures (rubber
// band, drop of a resource, moving, resizing, double-clicking an item) into window requests
// and snapped wall rectangles, reported through its signals; it never talks to the
// controller itself.
//
// Removal is safe while a handler waits in a nested loop: items leave through
// uikit::retire(), and handlers re-check themselves after emitting.
class ScreenWidget : public QLabel
{
    Q_OBJECT

public:
    static constexpr int kDoubleClickInterval = 300; // ms
    static constexpr int kMinBandSize = 16;          // canvas pixels
    static constexpr int kEnlargeMargin = 16;        // wall pixels

    explicit ScreenWidget(QWidget *parent = nullptr);
    ~ScreenWidget() override;

    // --- layout
    // Copies the layout, selects the cell at canvas point (10, 10) and repaints.
    void setScreenLayout(int screenMode, int groupIndex, const S_SCR_LAYOUT &layout);
    const wall::WallGrid &grid() const { return m_grid; }
    int screenMode() const { return m_grid.screenMode(); }
    int groupIndex() const { return m_groupIndex; }
    int totalWidth() const { return m_grid.totalWidth(); }
    int totalHeight() const { return m_grid.totalHeight(); }
    // Whether the console is connected; a rubber band is ignored while it is not.
    void setConnected(bool connected) { m_connected = connected; }
    bool isConnected() const { return m_connected; }
    // Who decides whether a drop can open a window; without one every drop with a text can.
    // A checker that is a QObject is forgotten when it is destroyed.
    void setDropCheck(const wall::DropCheck *check);
    // Whether the controller needs windows aligned to 32 pixels (rubber band rectangles).
    void setAlign32(bool align) { m_align32 = align; }
    bool align32() const { return m_align32; }
    // Names of the controller's outputs, written into the cells row by row when the screen
    // mode is a model code (neither 200 nor 201). Empty by default.
    void setOutputNames(const QStringList &names);

    // --- mapping with the canvas's current size
    wall::WallMapper mapper() const;
    QRect wallToCanvas(const QRect &wall) const;
    QRect canvasToWall(const QRect &canvas) const;

    // --- cells
    int selCol() const { return m_selCol; }
    int selRow() const { return m_selRow; }
    QRect selectedCell() const { return m_selectedCell; }
    // Cell hit test at a canvas point: selects the cell under it.
    void selectCellAt(const QPoint &canvasPos);
    // Wall or canvas rectangle of cell (row, col); row -1 gives the selected cell.
    QRect cellRect(bool inWallPixels, int row, int col = 0) const;
    void selectNextCell();

    // --- window items
    // Adds an item on top. A negative id draws a random one (0..32767) unused by the other
    // items; without a rectangle the item takes the selected cell.
    WindowWidget *addWindow(const QString &name, int videoId, qint64 windowId, int winType,
                            std::optional<QRect> rect = std::nullopt);
    // Adds the windows of a window-list reply in order (the last ends on top), each with
    // video id 0, its id, type, rectangle and file list.
    void addWindows(const QList<wall::WindowRecord> &records);
    bool removeWindow(uint windowId);
    void clearWindows();
    WindowWidget *findWindow(uint windowId) const;
    WindowWidget *findWindowByName(const QString &name) const;
    WindowWidget *selectedWindow() const;
    bool hasWindow(uint windowId) const { return findWindow(windowId) != nullptr; }
    // Stacking order, last = topmost.
    const QList<WindowWidget *> &windows() const { return m_windows; }
    void selectWindow(uint windowId);
    void lowerWindow(uint windowId);
    // Re-places one item (or all for -1) from its wall rectangle, e.g. after a zoom.
    void relayoutWindows(qint64 windowId = -1);
    // Grows the item to the monitor (or cell) edges around it; the new wall rectangle, or
    // the empty rectangle without such an item.
    QRect enlargeWindow(uint windowId);
    // Goes back to the item's previous rectangle; the empty rectangle when there is none
    // (the main window then sends nothing).
    QRect restoreWindow(uint windowId);

    // --- screen echo: the wall's live picture, painted behind the items
    ScreenEcho *echo() const { return m_echo.get(); }
    bool echoRunning() const;

    // --- handlers of the items' signals (connected by addWindow)
    void on_windowButton_clicked(uint windowId, int btnId);
    void on_windowResize(uint windowId, RESIZE_DIR dir, bool moveTop);
    void on_windowRaised(uint windowId, int x, int y);
    void on_windowDblClicked(uint windowId);
    void slotTimerTimeOut();

    bool clickTimerActive() const { return m_clickTimer.isActive(); }
    int clickTimerInterval() const { return m_clickTimer.interval(); }
    int clickCount() const { return m_clickCount; }

signals:
    void onWindowButtonClicked(uint windowId, int butId);
    void onWindowResize(uint windowId, QRect rect, bool moveTop);
    void onNewWindow(S_WINDOW *pWindow);
    void onWindowRaised(uint windowId);
    void onChangeVideo(uint windowId, int videoId, QString videoName);
    void onScreenDblClicked(int idx);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    uint randomWindowId() const;
    bool dropOpensWindow(const QMimeData *mime) const;
    void placeItem(WindowWidget *item);
    void moveToTop(WindowWidget *item);
    void paintGrid(QPainter &painter);
    void paintOutputLabels(QPainter &painter);
    // Emits onNewWindow, or deletes the record when nobody listens.
    void emitNewWindow(S_WINDOW *window);

    wall::WallGrid m_grid;
    int m_groupIndex = 0;
    bool m_connected = false;
    const wall::DropCheck *m_dropCheck = nullptr;
    QPointer<const QObject> m_dropCheckObject; // the checker, when it is a QObject
    bool m_dropCheckGuarded = false;
    bool m_align32 = false;
    QStringList m_outputNames;
    int m_selCol = 0;
    int m_selRow = 0;
    QRect m_selectedCell;
    QList<WindowWidget *> m_windows;
    int m_clickCount = 0;
    QTimer m_clickTimer;
    QRubberBand *m_rubberBand = nullptr;
    QPoint m_bandOrigin;

    std::unique_ptr<ScreenEcho> m_echo;
};
