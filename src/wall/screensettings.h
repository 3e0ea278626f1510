#pragma once

#include "wall/wallmodel.h"

#include <QObject>
#include <QPointer>

class QWidget;
class ScreenGroups;
class Transport;
struct SessionValues;

// The screen settings of a session: the settings menu's dialog, offered by media display
// controllers (device families 2 and 3), and what an accepted edit changes in the console
// and on the controller.
class ScreenSettings : public QObject
{
    Q_OBJECT
public:
    ScreenSettings(ScreenGroups &groups, Transport *transport, SessionValues *session, QWidget *window,
                   QObject *parent = nullptr);

    // Whether a controller of that device family has screen settings.
    static bool available(int family);

    // Runs DialogMCScrSetting on the current settings and applies the group it accepts.
    // Nothing happens outside families 2 and 3 or without a session.
    void edit();

    // The group at `index` becomes `group`: its layout is rebuilt, "SetScrSetting" carries it
    // to the controller, its switch button takes its name, and when it is the current group
    // the canvas shows the new grid at zoom 1.0. A refused command is reported by the
    // transport; the console keeps the new values all the same. False when the command
    // failed or the session ended while it waited.
    bool apply(int index, const S_SCR_GROUP &group);

private:
    ScreenGroups &m_groups;
    Transport *m_transport;
    SessionValues *m_session;
    QPointer<QWidget> m_window;
};
