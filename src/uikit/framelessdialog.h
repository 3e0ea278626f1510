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
    // The title strip every dialog carries: `widget_title` holding the icon label `lab_Ico`,
    // the title `lab_Title` and the close button `btnMenu_Close`, added to `root`.
    struct TitleStrip
    {
        QWidget *widget;
        QLabel *icon;
        QLabel *title;
        QPushButton *close;
    };
    static constexpr int kTitleHeight = 30;
    TitleStrip addTitleStrip(QVBoxLayout *root);

    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_dragging = false;
    QPoint m_dragOffset;
};
