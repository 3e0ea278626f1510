#include "nestedwait.h"

#include <QHash>
#include <QObject>
#include <QPointer>

namespace uikit {

namespace {
int g_depth = 0;

// Retired objects waiting for the outermost wait to return. Keyed by address for a cheap
// "already retired?" test; the guarded pointer tells whether the address still names the
// object that was retired (something else may have freed it meanwhile).
QHash<QObject *, QPointer<QObject>> &pending()
{
    static QHash<QObject *, QPointer<QObject>> objects;
    return objects;
}

void releasePending()
{
    const auto objects = std::exchange(pending(), {});
    for (const QPointer<QObject> &object : objects) {
        if (object)
            object->deleteLater();
    }
}
} // namespace

WaitScope::WaitScope()
{
    ++g_depth;
}

WaitScope::~WaitScope()
{
    if (--g_depth == 0)
        releasePending();
}

int WaitScope::depth()
{
    return g_depth;
}

void retire(QObject *object)
{
    if (!object)
        return;
    const auto found = pending().constFind(object);
    if (found != pending().constEnd() && found.value())
        return;
    // This library stays free of widgets: a widget is hidden through its slot and keeps its
    // parent (owners drop it from their own lists); any other object leaves its parent.
    if (object->isWidgetType()) {
        QMetaObject::invokeMethod(object, "hide", Qt::DirectConnection);
        object->disconnect();
    } else {
        object->disconnect();
        object->setParent(nullptr);
    }
    if (g_depth == 0)
        object->deleteLater();
    else
        pending().insert(object, QPointer<QObject>(object));
}

int pendingRetired()
{
    return pending().size();
}

} // namespace uikit
