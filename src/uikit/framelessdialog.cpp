#include "framelessdialog.h"

#include "dialogscale.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

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

QVBoxLayout *FramelessDialog::buildFrame(const QString &objectName, int formWidth, int formHeight)
{
    setObjectName(objectName);
    resize(formWidth, formHeight);
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(1, 1, 1, 1);
    root->setSpacing(0);

    widget_title = new QWidget(this);
    widget_title->setObjectName(QStringLiteral("widget_title"));
    widget_title->setFixedHeight(kTitleHeight);
    auto *layout = new QHBoxLayout(widget_title);
    layout->setContentsMargins(6, 0, 0, 0);
    layout->setSpacing(4);

    lab_Ico = new QLabel(widget_title);
    lab_Ico->setObjectName(QStringLiteral("lab_Ico"));
    lab_Ico->setFixedWidth(kTitleHeight);
    lab_Ico->setAlignment(Qt::AlignCenter);
    layout->addWidget(lab_Ico);

    lab_Title = new QLabel(widget_title);
    lab_Title->setObjectName(QStringLiteral("lab_Title"));
    lab_Title->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    layout->addWidget(lab_Title, 1);

    btnMenu_Close = new QPushButton(widget_title);
    btnMenu_Close->setObjectName(QStringLiteral("btnMenu_Close"));
    btnMenu_Close->setFixedSize(40, kTitleHeight);
    btnMenu_Close->setFocusPolicy(Qt::NoFocus);
    btnMenu_Close->setFlat(true);
    layout->addWidget(btnMenu_Close);
    root->addWidget(widget_title);
    return root;
}
