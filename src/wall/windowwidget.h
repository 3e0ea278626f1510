#pragma once

#include "wall/wallmodel.h"

#include <QColor>
#include <QLabel>
#include <QPoint>

class QPushButton;
class QGestureEvent;

// One window of the wall drawn on the canvas: a translucent item with a title bar, close /
// enlarge / restore buttons and a frame that is dragged to move the window or grabbed at an
// edge or corner to resize it. The item moves freely under the mouse and reports the gesture
// through its signals; the canvas snaps the result and re-places it.
class WindowWidget : public QLabel
{
    Q_OBJECT

public:
    enum ButtonId { CloseButton = 0, EnlargeButton = 1, RestoreButton = 2 };

    static constexpr int kMoveThreshold = 5;       // pixels before a drag moves the item
    static constexpr int kLiveUpdateInterval = 31; // ms between live updates, all items
    static constexpr int kTitleHeight = 40;

    explicit WindowWidget(QWidget *parent = nullptr);

    uint windowId() const { return m_windowId; }
    void setWindowId(uint windowId) { m_windowId = windowId; }
    QString name() const { return m_name; }
    void setName(const QString &name);
    int videoId() const { return m_videoId; }
    void setVideoId(int videoId) { m_videoId = videoId; }
    int winType() const { return m_winType; }
    void setWinType(int winType) { m_winType = winType; }
    QStringList fileList() const { return m_fileList; }
    void setFileList(const QStringList &fileList);
    // Wall rectangle (inclusive). Setting it does not move the item; the canvas places it.
    QRect realRect() const { return m_realRect; }
    void setRealRect(const QRect &rect);
    wall::RectHistory &history() { return m_history; }
    const wall::RectHistory &history() const { return m_history; }
    int screenMode() const { return m_screenMode; }
    void setScreenMode(int mode);
    bool echoOn() const { return m_echoOn; }
    void setEchoOn(bool on);
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);
    RESIZE_DIR resizeDir() const { return m_resizeDir; }
    int margin() const { return m_margin; }
    bool isPressed() const { return m_pressed; }
    QRect pinchStart() const { return m_pinchStart; }
    // Set by the canvas when it lets the item go (it is then hidden, disconnected and freed
    // once no nested wait is in progress); handlers stop after an emit that removed it.
    void markRemoved() { m_removed = true; }
    bool isRemoved() const { return m_removed; }
    // "name[left,top,widthxheight]" in wall pixels.
    QString titleText() const;
    QPushButton *button(ButtonId id) const;

    // Button handlers: each emits onWindowButtonClicked with its id.
    void on_closeButton_clicked();
    void on_enlargeButton_clicked();
    void on_restoreButton_clicked();

    // Pinch steps (driven by gesture events): remember the canvas geometry, grow it by the
    // total scale factor around its centre, report the whole rectangle.
    void pinchStarted();
    void pinchScaled(qreal totalScaleFactor);
    void pinchFinished();

    // Clock of the live updates, shared by all items (milliseconds, monotonic); tests put
    // their own in place. nullptr restores the steady clock.
    using Clock = qint64 (*)();
    static void setClock(Clock clock);
    // Forgets when the last live update went out.
    static void resetLiveUpdate();

signals:
    void onWindowButtonClicked(uint windowId, int butId);
    void onWindowResize(uint windowId, RESIZE_DIR dir, bool moveTop);
    void onWindowRaised(uint windowId, int x, int y);
    void onWindowDblClicked(uint windowId);

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool locked() const { return m_screenMode == wall::kLockedMode; }
    void placeButtons();
    // Sets resizeDir and the cursor from a global mouse position.
    void hoverTest(const QPoint &globalPos);
    void resizeTo(const QPoint &globalPos);
    void gestureEvent(QGestureEvent *event);
    void liveUpdate();
    QPoint toCanvas(const QPoint &globalPos) const;

    uint m_windowId = 0;
    QString m_name;
    int m_videoId = -1;
    int m_winType = 0;
    QStringList m_fileList;
    QRect m_realRect;
    QRect m_pinchStart;
    wall::RectHistory m_history;
    int m_screenMode = wall::kCustomSizeMode;
    bool m_echoOn = false;
    bool m_selected = false;
    bool m_pressed = false;
    bool m_dblClicked = false;
    bool m_removed = false;
    bool m_dragged = false; // moved past the threshold since the press
    RESIZE_DIR m_resizeDir = RESIZE_NONE;
    int m_margin = 10;
    QPoint m_pressGlobal;
    QPoint m_pressOffset;
    QColor m_background = Qt::black;
    QPushButton *m_closeButton = nullptr;
    QPushButton *m_enlargeButton = nullptr;
    QPushButton *m_restoreButton = nullptr;
};
