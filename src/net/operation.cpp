#include "operation.h"

#include <QVariant>

namespace net {

Operation::Operation(QObject *window, const SessionValues &session, Qt::CursorShape cursor)
    : m_window(window), m_guarded(window != nullptr), m_session(session), m_epoch(session.epoch)
{
    // QWidget's cursor property: the window is a widget, this library has none.
    if (m_window && cursor != Qt::ArrowCursor) {
        m_previous = m_window->property("cursor").value<QCursor>();
        m_window->setProperty("cursor", QVariant::fromValue(QCursor(cursor)));
        m_cursorSet = true;
    }
}

Operation::~Operation()
{
    if (m_cursorSet && m_window)
        m_window->setProperty("cursor", QVariant::fromValue(m_previous));
}

bool Operation::sessionCurrent() const
{
    if (m_guarded && !m_window)
        return false;
    return m_session.epoch == m_epoch;
}

} // namespace net
