#pragma once

class QObject;

// Synchronous commands and modal boxes wait in nested event loops, and timers, input and
// replies keep running inside them. A plain deleteLater() posted from a timer inside such
// a wait frees the object inside that same wait, while the handler that started the wait
// may still use it afterwards. So objects are removed through retire(): hidden and
// detached at once, freed only when no wait is in progress any more.
namespace uikit {

// Marks a nested wait for its lifetime. Every synchronous wait of the console holds one.
class WaitScope
{
public:
    WaitScope();
    ~WaitScope();
    WaitScope(const WaitScope &) = delete;
    WaitScope &operator=(const WaitScope &) = delete;

    // Number of waits in progress on the GUI thread.
    static int depth();
};

// Hides a widget, cuts every signal connection of the object (a non-widget also leaves its
// parent); deletes it with deleteLater() now when no wait is in progress, otherwise as soon
// as the outermost wait has returned. Safe to call twice for the same object.
void retire(QObject *object);

// Objects retired and not yet handed to deleteLater() (for tests).
int pendingRetired();

} // namespace uikit
