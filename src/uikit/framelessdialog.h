#pragma once

#include <QDialog>
#include <QPoint>

class QLabel;
class QPushButton;
class QVBoxLayout;

// Base of every dialog of the console: no system title bar, fixed size, and moved by a
// left-button drag anywhere on it. Subclasses build their own title strip.
class FramelessDialog : public QDialog
{
    Q_OBJECT
public:
    explicit FramelessDialog(QWidget *parent = nullptr);

    // Fixes the size to the form size scaled by the process-wide dialog factors
    // (each product truncated toward zero).
    void fixScaledSize(int formWidth, int formHeight);

protected:
    // Names the dialog, gives it its form size and builds the frame every dialog carries:
    // a vertical root layout whose first row is the title strip `widget_title` with the
    // icon label `lab_Ico`, the title `lab_Title` and the close button `btnMenu_Close`.
    // Returns the root layout for the dialog's own rows.
    QVBoxLayout *buildFrame(const QString &objectName, int formWidth, int formHeight);

    static constexpr int kTitleHeight = 30;
    QWidget *widget_title = nullptr;
    QLabel *lab_Ico = nullptr;
    QLabel *lab_Title = nullptr;
    QPushButton *btnMenu_Close = nullptr;

    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_dragging = false;
    QPoint m_dragOffset;
};
