#include "scenerotation.h"

#include "net/operation.h"
#include "net/sessionvalues.h"
#include "net/transport.h"
#include "scenes/formautoswitch.h"
#include "uikit/dialogs.h"

#include <QCoreApplication>
#include <QPointer>

namespace scenes {

namespace {
constexpr QSize kPanelSize(510, 140);
}

SceneRotation::SceneRotation(FormAutoSwitch *panel, Transport *transport, SessionValues *session,
                             QWidget *window, QObject *parent)
    : QObject(parent), m_panel(panel), m_transport(transport), m_session(session), m_window(window)
{}

void SceneRotation::startSession()
{
    m_active = true;
    m_panel->setEnabled(!m_session->isMediaDisplayFamily());
    m_panel->setFixedSize(kPanelSize);
}

void SceneRotation::endSession()
{
    m_active = false;
    m_running = false;
    m_panel->stopAndClear();
}

void SceneRotation::on_startQuickSwitch(int switchTimer, bool isStart)
{
    Q_UNUSED(switchTimer)
    if (!m_active)
        return;
    net::Operation operation(m_window, *m_session);
    QPointer<SceneRotation> self(this);
    QPointer<FormAutoSwitch> panel(m_panel);
    if (!isStart) {
        m_running = false;
        const bool stopped =
            m_transport->postCommand(quickSwitchRequest(false), QStringLiteral("SetQuickSwitch"));
        if (self && panel && operation.sessionCurrent() && !stopped) {
            // The controller may still be rotating: the stop stays at hand.
            m_running = true;
            m_panel->setRunning(true);
        }
        return;
    }

    m_running = true;
    m_panel->collectPlan(m_switchPlan);
    if (m_switchPlan.isEmpty()) {
        uikit::Dialogs::showInfo(
            QCoreApplication::translate("MainWindow2", "请至少选择一个场景（勾选复选框）！"));
    } else if (m_transport->postCommand(quickSwitchRequest(true, m_switchPlan),
                                        QStringLiteral("SetQuickSwitch"))) {
        return;
    }
    // Nothing rotates: the panel offers the start again and the strip can be used.
    if (self && panel && operation.sessionCurrent()) {
        m_running = false;
        m_panel->setRunning(false);
    }
}

void SceneRotation::rebuildAfterDelete(const QStringList &deleted)
{
    m_panel->collectPlan(m_switchPlan);
    for (const QString &name : deleted)
        removeScene(m_switchPlan, name);
    m_panel->setPlan(m_running, m_switchPlan);
}

} // namespace scenes
