#pragma once

#include "net/sessionvalues.h"
#include "uikit/nestedwait.h"

#include <QCursor>
#include <QObject>
#include <QPointer>

namespace net {

// One synchronous operation of the console, from the click to its last reply: it shows a
// cursor over the window, counts as a nested wait (objects retired meanwhile stay allocated
// until the outermost wait is over) and, after each wait, tells the code whether the
// session it started in is still the current one. The cursor the window had before comes
// back on every way out.
//
//     net::Operation op(window, session);
//     transport.postCommand(...);
//     if (!op.sessionCurrent())
//         return; // logged out, or another login began, while it waited
class Operation
{
public:
    // `window` gets the cursor (Qt::ArrowCursor: leave the cursor alone) and guards the
    // session values, which it owns; both may be gone when a wait returns.
    Operation(QObject *window, const SessionValues &session, Qt::CursorShape cursor = Qt::WaitCursor);
    ~Operation();
    Operation(const Operation &) = delete;
    Operation &operator=(const Operation &) = delete;

    // The window still exists and no login or end of session happened since the start.
    bool sessionCurrent() const;
    // The window still exists.
    bool windowAlive() const { return !m_window.isNull(); }

private:
    QPointer<QObject> m_window;
    const bool m_guarded;
    const SessionValues &m_session;
    const quint64 m_epoch;
    QCursor m_previous;
    bool m_cursorSet = false;
    uikit::WaitScope m_wait;
};

} // namespace net
