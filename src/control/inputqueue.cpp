#include "control/inputqueue.h"

namespace control {

InputQueue::InputQueue(Transport *transport, QObject *parent) : QObject(parent), m_transport(transport)
{
    connect(m_transport, &Transport::asyncFinished, this, &InputQueue::onFinished);
}

void InputQueue::push(const S_KB_MOUSE_PARAM &event)
{
    if (isPointerMove(event) && !m_waiting.isEmpty() && isPointerMove(m_waiting.last()))
        m_waiting.last() = event;
    else
        m_waiting.append(event);
    if (!m_onItsWay)
        sendNext();
}

void InputQueue::clear()
{
    m_waiting.clear();
}

void InputQueue::sendNext()
{
    if (m_waiting.isEmpty())
        return;
    m_onItsWay = m_transport->postTracked(mouseKbRequest(m_waiting.takeFirst()));
}

void InputQueue::onFinished(Transport::Ticket ticket, const net::CommandResult &)
{
    if (ticket != m_onItsWay)
        return;
    m_onItsWay = 0;
    sendNext();
}

} // namespace control
