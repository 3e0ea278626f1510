#include "control/captioncommands.h"

#include "net/operation.h"
#include "net/sessionvalues.h"
#include "net/transport.h"

#include <QJsonArray>

namespace caption {

CaptionCommands::CaptionCommands(Transport *transport, const SessionValues *session, QObject *window)
    : m_transport(transport), m_session(session), m_window(window)
{}

bool CaptionCommands::getFontList(QStringList *fonts)
{
    fonts->clear();
    net::Operation operation(m_window, *m_session);
    const net::CommandResult result = m_transport->get(QStringLiteral("GetFontName"));
    if (!result.ok() || !result.statusOk())
        return false;
    const QJsonArray names = result.reply.value(QStringLiteral("FontList")).toArray();
    for (const QJsonValue &name : names)
        fonts->append(name.toString());
    return true;
}

bool CaptionCommands::getOsdInfo(OSD_INFO *info)
{
    const net::CommandResult result = m_transport->get(QStringLiteral("GetZEVOSD"));
    if (!result.ok() || !m_transport->checkStatus(result.reply, QString()))
        return false;
    *info = osdInfoFromReply(result.reply);
    return true;
}

bool CaptionCommands::sendOsdInfo(const OSD_INFO &info, int flag, int wallWidth)
{
    if (!m_session->loggedIn)
        return false;
    net::Operation operation(m_window, *m_session);
    return m_transport->postCommand(setOsdTextRequest(info, flag, wallWidth),
                                    QStringLiteral("SetZEVOsdText"));
}

bool CaptionCommands::clearOsd()
{
    if (!m_session->loggedIn)
        return false;
    net::Operation operation(m_window, *m_session);
    return m_transport->postCommand(clearOsdTextRequest(), QStringLiteral("ClearOsdText"));
}

} // namespace caption
