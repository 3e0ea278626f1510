#include "wall/screensettings.h"

#include "net/operation.h"
#include "net/sessionvalues.h"
#include "net/transport.h"
#include "uikit/dialogs.h"
#include "uikit/nestedwait.h"
#include "wall/dialogmcscrsetting.h"
#include "wall/screengroups.h"
#include "wall/scrsettingrules.h"

ScreenSettings::ScreenSettings(ScreenGroups &groups, Transport *transport, SessionValues *session,
                               QWidget *window, QObject *parent)
    : QObject(parent), m_groups(groups), m_transport(transport), m_session(session), m_window(window)
{}

bool ScreenSettings::available(int family)
{
    return family == 2 || family == 3;
}

void ScreenSettings::edit()
{
    if (!available(m_session->family) || !m_session->loggedIn)
        return;
    net::Operation operation(m_window, *m_session, Qt::ArrowCursor);
    QPointer<ScreenSettings> self(this);
    QPointer<DialogMCScrSetting> dialog = new DialogMCScrSetting(m_groups.setting(), m_window);
    const int result = uikit::Dialogs::exec(dialog);
    if (!self || !dialog)
        return;
    const int index = dialog->chosenIndex();
    const S_SCR_GROUP group = dialog->chosenGroup();
    uikit::retire(dialog);
    // Settings edited in a session that has ended since belong to no controller any more.
    if (result != QDialog::Accepted || index < 0 || !operation.sessionCurrent())
        return;
    apply(index, group);
}

bool ScreenSettings::apply(int index, const S_SCR_GROUP &group)
{
    S_SCR_SETTING &setting = m_groups.setting();
    if (index < 0 || index >= setting.groups.size())
        return false;
    S_SCR_GROUP &stored = setting.groups[index];
    stored = group;
    QList<S_SCR_LAYOUT> &layouts = m_groups.layouts();
    const S_SCR_LAYOUT layout = wall::makeScrLayout(stored);
    if (index < layouts.size())
        layouts[index] = layout;
    const QJsonObject request = wall::scrSettingRequest(stored, index);

    net::Operation operation(m_window, *m_session);
    QPointer<ScreenSettings> self(this);
    const bool sent = m_transport->postCommand(request, QStringLiteral("SetScrSetting"));
    if (!self || !operation.sessionCurrent())
        return false;
    m_groups.showEditedGroup(index);
    return sent;
}
