#pragma once

#include "scenes/rotationplan.h"

#include <QObject>
#include <QStringList>

class FormAutoSwitch;
class QWidget;
class Transport;
struct SessionValues;

namespace scenes {

// The rotation of scenes on the controller as the main window runs it: the rotation panel
// announces start and stop, this sends the panel's plan with "SetQuickSwitch" (the
// controller steps through the scenes itself), and keeps the plan of the last start. While
// no session is open nothing is sent.
class SceneRotation : public QObject
{
    Q_OBJECT
public:
    SceneRotation(FormAutoSwitch *panel, Transport *transport, SessionValues *session, QWidget *window,
                  QObject *parent = nullptr);

    // What the panel's start/stop button asks for (switchTimer is not used: every scene
    // has its own duration in the plan). A start the controller does not take, or an empty
    // plan, puts the panel back to stopped; a stop it does not take leaves it running.
    void on_startQuickSwitch(int switchTimer, bool isStart);

    // Login: the panel is usable (it is not shown for media display families) at its fixed
    // size, and start and stop go to the controller.
    void startSession();
    // End of a session: nothing more is sent, and the panel stops and empties its plan.
    void endSession();
    // After the checked scenes were deleted: the plan is the table without them, shown
    // again with its scenes checked.
    void rebuildAfterDelete(const QStringList &deleted);

    bool isRunning() const { return m_running; }
    const SwitchPlan &switchPlan() const { return m_switchPlan; }

private:
    FormAutoSwitch *m_panel;
    Transport *m_transport;
    SessionValues *m_session;
    QWidget *m_window;
    bool m_active = false;
    bool m_running = false;
    SwitchPlan m_switchPlan;
};

} // namespace scenes
