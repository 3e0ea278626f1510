#include "nestedwait.h"

#include <QList>
#include <QObject>
#include <QPointer>

namespace uikit {

namespace {
int g_depth = 0;

QList<QPointer<QObject>> &pending()
{
    static QList<QPointer<QObject>> list;
    return list;
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
    for (const QPointer<QObject> &p : pending()) {
        if (p == object)
            return;
    }
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
        pending().append(QPointer<QObject>(object));
}

int pendingRetired()
{
    return pending().size();
}

} // namespace uikit
