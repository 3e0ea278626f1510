#pragma once

#include "control/osdinfo.h"

#include <QStringList>

class QObject;
class Transport;
struct SessionValues;

namespace caption {

// The caption commands of the controller: the font list, the running caption, and the
// sender that starts, changes and stops it. Synchronous; a failed change shows the
// transport's boxes and is not retried.
class CaptionCommands
{
public:
    // `window` gets the wait cursor while a request waits.
    CaptionCommands(Transport *transport, const SessionValues *session, QObject *window);

    // "GetFontName": the controller's font families, in its order. A failed or refused
    // query leaves `fonts` empty and returns false.
    bool getFontList(QStringList *fonts);
    // "GetZEVOSD": the caption as the controller runs it. A failed query changes nothing;
    // a refusal shows "错误原因: " with the controller's message. True when `info` was filled.
    bool getOsdInfo(OSD_INFO *info);
    // "SetZEVOsdText" with the keys of the set bits of `flag` (ChangeAll for a start) and
    // the band across `wallWidth` wall pixels. Nothing is sent while logged out.
    bool sendOsdInfo(const OSD_INFO &info, int flag, int wallWidth);
    // "ClearOsdText": stops the caption. Nothing is sent while logged out.
    bool clearOsd();

private:
    Transport *m_transport;
    const SessionValues *m_session;
    QObject *m_window;
};

} // namespace caption
