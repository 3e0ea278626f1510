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

FramelessDialog::TitleStrip FramelessDialog::addTitleStrip(QVBoxLayout *root)
{
    TitleStrip strip{};
    strip.widget = new QWidget(this);
    strip.widget->setObjectName(QStringLiteral("widget_title"));
    strip.widget->setFixedHeight(kTitleHeight);
    auto *layout = new QHBoxLayout(strip.widget);
    layout->setContentsMargins(6, 0, 0, 0);
    layout->setSpacing(4);

    strip.icon = new QLabel(strip.widget);
    strip.icon->setObjectName(QStringLiteral("lab_Ico"));
    strip.icon->setFixedWidth(kTitleHeight);
    strip.icon->setAlignment(Qt::AlignCenter);
    layout->addWidget(strip.icon);

    strip.title = new QLabel(strip.widget);
    strip.title->setObjectName(QStringLiteral("lab_Title"));
    strip.title->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    layout->addWidget(strip.title, 1);

    strip.close = new QPushButton(strip.widget);
    strip.close->setObjectName(QStringLiteral("btnMenu_Close"));
    strip.close->setFixedSize(40, kTitleHeight);
    strip.close->setFocusPolicy(Qt::NoFocus);
    strip.close->setFlat(true);
    layout->addWidget(strip.close);
    root->addWidget(strip.widget);
    return strip;
}
