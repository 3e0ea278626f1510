#pragma once

#include <QListWidget>
#include <QPoint>
#include <functional>

class QDrag;

// The list inside every resource strip. A left-button press remembers the entry under the
// mouse; moving on past the platform's drag distance starts a drag of that entry (when
// `allowDrag` is set), which the wall canvas accepts as a new window.
class QLybListWidget : public QListWidget
{
    Q_OBJECT
public:
    explicit QLybListWidget(QWidget *parent = nullptr);
    ~QLybListWidget() override;

    // Entries may be dragged out of the list. Set at construction; cleared for lists whose
    // entries cannot become windows (scenes).
    bool allowDrag = true;

    // What the last left-button press hit; the item is null when the press hit no entry.
    QPoint pressPoint() const { return m_pressPoint; }
    QListWidgetItem *pressedItem() const { return m_pressedItem; }

    // Replaces running a started drag (QDrag::exec blocks until the drop). For tests: the
    // handler receives the prepared drag instead; an empty function restores the default.
    static void setDragRunner(std::function<void(QDrag *)> runner);

protected:
    // An entry's tool tip is the controller's path of the resource: shown as the text it
    // is, never as rich text (whose pictures would be read from local files).
    bool viewportEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void forgetPress();
    void runResourceDrag();

    QPoint m_pressPoint;
    QListWidgetItem *m_pressedItem = nullptr;
    QString m_pressedText;
    QString m_pressedToolTip;
    int m_pressedVideoId = 0;
    int m_pressedMediaType = 0;
};
