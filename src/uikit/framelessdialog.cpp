#include "framelessdialog.h"

#include "dialogscale.h"

#include <QMouseEvent>

FramelessDialog::FramelessDialog(QWidget *parent) : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::FramelessWindowHint |
                   Qt::MSWindowsFixedSizeDialogHint);
}

void FramelessDialog::fixScaledSize(int formWidth, int formHeight)
{
    // int() truncates toward zero, which is how the dialog sizes have always been computed.
    setFixedSize(int(formWidth * uikit::dialogScaleX()), int(formHeight * uikit::dialogScaleY()));
}

void FramelessDialog::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QDialog::mousePressEvent(event);
        return;
    }
    m_dragging = true;
    m_dragOffset = event->screenPos().toPoint() - pos();
    event->accept();
}

void FramelessDialog::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging || !(event->buttons() & Qt::LeftButton)) {
        QDialog::mouseMoveEvent(event);
        return;
    }
    move(event->screenPos().toPoint() - m_dragOffset);
    event->accept();
}

void FramelessDialog::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragging = false;
    QDialog::mouseReleaseEvent(event);
}
