#include "control/remoteinput.h"

#include "control/dialogremotemousectrl.h"
#include "control/inputqueue.h"
#include "uikit/dialogs.h"
#include "uikit/nestedwait.h"

#include <QLoggingCategory>

namespace {
// Developer diagnostics only; off unless QT_LOGGING_RULES turns them on.
Q_LOGGING_CATEGORY(lcRemoteInput, "pelmora.remoteinput", QtInfoMsg)
} // namespace

namespace control {

RemoteInput::RemoteInput(QWidget *window, Transport *transport, QObject *parent)
    : QObject(parent), m_window(window), m_queue(new InputQueue(transport, this))
{
    m_queue->setObjectName(QStringLiteral("remoteInputQueue"));
}

void RemoteInput::runCaptureWindow()
{
    if (m_open)
        return;
    QPointer<DialogRemoteMouseCtrl> dialog = new DialogRemoteMouseCtrl(m_window);
    m_open = dialog;
    const QMetaObject::Connection events =
        connect(dialog, &DialogRemoteMouseCtrl::onMouseKBCtrl, this, &RemoteInput::on_mouseKBCtrl);
    uikit::Dialogs::exec(dialog);
    disconnect(events);
    // retire() hides it at once, which ends the grabs even if it is freed later.
    if (dialog)
        uikit::retire(dialog);
}

void RemoteInput::on_mouseKBCtrl(S_KB_MOUSE_PARAM param)
{
    if (param.type > OtherDoubleClicked)
        qCDebug(lcRemoteInput) << "key event........" << param.type << param.key << param.modifiers;
    else
        qCDebug(lcRemoteInput) << "mouse event........" << param.type << param.x << param.y;
    m_queue->push(param);
}

void RemoteInput::enterDisconnectedState()
{
    m_queue->clear();
    if (m_open)
        m_open->reject();
}

} // namespace control
