#pragma once

#include "control/inputevents.h"

#include <QObject>
#include <QPointer>

class DialogRemoteMouseCtrl;
class QWidget;
class Transport;

namespace control {

class InputQueue;

// Remote mouse and keyboard: the tool button under the canvas opens the capture window,
// whose input goes to the controller through one ordered queue (InputQueue). The queue
// outlives the window, so events still waiting when Esc closes it are delivered; the end of
// the session drops them and closes the window.
class RemoteInput : public QObject
{
    Q_OBJECT
public:
    RemoteInput(QWidget *window, Transport *transport, QObject *parent = nullptr);

    // btnQuickArrange: creates the capture window, runs it modally, and frees it again.
    void runCaptureWindow();
    // One event of the capture window: "MouseKBCtrl", in order.
    void on_mouseKBCtrl(S_KB_MOUSE_PARAM param);
    // The session ended: waiting events are dropped and an open capture window closes.
    void enterDisconnectedState();

    InputQueue *queue() const { return m_queue; }

private:
    QWidget *m_window;
    InputQueue *m_queue;
    QPointer<DialogRemoteMouseCtrl> m_open;
};

} // namespace control
