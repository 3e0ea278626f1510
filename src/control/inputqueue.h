#pragma once

#include "control/inputevents.h"
#include "net/transport.h"

#include <QList>
#include <QObject>

namespace control {

// Sends remote input events to the controller in the order they happened. Each event is an
// asynchronous "MouseKBCtrl" POST, but only one is on its way at a time: the next leaves
// when the controller has answered the last (or the request limit passed), so a release can
// never overtake its press on another connection. While a request is on its way, a pointer
// move replaces a move still waiting at the end of the queue; presses, releases and keys
// are never merged or dropped. Replies are not examined and nothing is shown; a request
// that fails is not retried and the queue goes on with the next event.
class InputQueue : public QObject
{
    Q_OBJECT
public:
    explicit InputQueue(Transport *transport, QObject *parent = nullptr);

    void push(const S_KB_MOUSE_PARAM &event);
    // Drops the events still waiting (the session ended); the request on its way finishes.
    void clear();

    // Events waiting behind the request on its way.
    QList<S_KB_MOUSE_PARAM> waiting() const { return m_waiting; }
    bool requestOnItsWay() const { return m_onItsWay != 0; }

private:
    void sendNext();
    void onFinished(Transport::Ticket ticket, const net::CommandResult &result);

    Transport *m_transport;
    QList<S_KB_MOUSE_PARAM> m_waiting;
    Transport::Ticket m_onItsWay = 0;
};

} // namespace control
