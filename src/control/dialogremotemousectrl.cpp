#include "control/dialogremotemousectrl.h"

#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace {
constexpr int kFormWidth = 1073;
constexpr int kFormHeight = 616;

QSize primaryScreenSize()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize();
}
} // namespace

DialogRemoteMouseCtrl::DialogRemoteMouseCtrl(QWidget *parent)
    : DialogRemoteMouseCtrl(parent, primaryScreenSize())
{}

DialogRemoteMouseCtrl::DialogRemoteMouseCtrl(QWidget *parent, const QSize &screenSize) : QDialog(parent)
{
    setupUi();
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::FramelessWindowHint);
    // Without a window manager "maximized" is only a wish: the dialog covers the screen itself.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    showMaximized();
    setMouseTracking(true);
    grabInput();
    m_scale = control::GridScale::forScreen(screenSize);
    installEventFilter(this);
}

DialogRemoteMouseCtrl::~DialogRemoteMouseCtrl()
{
    releaseInput();
}

void DialogRemoteMouseCtrl::setupUi()
{
    setObjectName(QStringLiteral("DialogRemoteMouseCtrl"));
    resize(kFormWidth, kFormHeight);
    setWindowTitle(QStringLiteral("Dialog"));
    // The capture window is dark, so that the white tip reads on it.
    setStyleSheet(QStringLiteral("QDialog#DialogRemoteMouseCtrl { background-color: rgb(8, 24, 40); "
                                 "border: none; }"));

    auto *layout = new QVBoxLayout(this);
    labelRemoteTip = new QLabel(this);
    labelRemoteTip->setObjectName(QStringLiteral("labelRemoteTip"));
    QFont font = labelRemoteTip->font();
    font.setPointSize(34);
    labelRemoteTip->setFont(font);
    labelRemoteTip->setStyleSheet(
        QStringLiteral("QLabel#labelRemoteTip { color: rgb(255, 255, 255); background: transparent; }"));
    labelRemoteTip->setAlignment(Qt::AlignCenter);
    labelRemoteTip->setWordWrap(true);
    // The tip never takes input: everything reaches the dialog.
    labelRemoteTip->setEnabled(false);
    layout->addWidget(labelRemoteTip);
    labelRemoteTip->setText(
        QCoreApplication::translate("DialogRemoteMouseCtrl", "您已进入大屏控制模式，\n按Esc键退出。"));
}

void DialogRemoteMouseCtrl::grabInput()
{
    if (m_grabbing)
        return;
    grabKeyboard();
    grabMouse();
    m_grabbing = true;
}

void DialogRemoteMouseCtrl::releaseInput()
{
    if (!m_grabbing)
        return;
    m_grabbing = false;
    releaseMouse();
    releaseKeyboard();
}

void DialogRemoteMouseCtrl::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Shown again after a hide: the grabs come back with it.
    grabInput();
}

void DialogRemoteMouseCtrl::hideEvent(QHideEvent *event)
{
    // Closed (Esc, or otherwise): the console takes its input back at once, even if the
    // dialog itself is freed later.
    releaseInput();
    QDialog::hideEvent(event);
}

bool DialogRemoteMouseCtrl::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != this)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const int kind = control::mouseButtonKind(event->type(), mouse->button());
        emit onMouseKBCtrl(control::pointerEvent(kind, m_scale.toGrid(mouse->screenPos().toPoint())));
        return true;
    }
    case QEvent::MouseMove: {
        const QPoint pixel = static_cast<QMouseEvent *>(event)->screenPos().toPoint();
        if (!m_deadBand.pass(pixel))
            return false;
        emit onMouseKBCtrl(control::pointerEvent(control::PointerMoved, m_scale.toGrid(pixel)));
        return true;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool press = event->type() == QEvent::KeyPress;
        if (key->key() == Qt::Key_Escape) {
            if (!press)
                return false;
            accept();
            return true;
        }
        emit onMouseKBCtrl(control::keyEvent(press ? control::KeyPressed : control::KeyReleased, key->key(),
                                             int(key->modifiers())));
        return true;
    }
    default:
        return false;
    }
}
