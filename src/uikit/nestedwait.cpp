#include "nestedwait.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

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

WaitScope::WaitScope() { ++g_depth; }

WaitScope::~WaitScope()
{
    if (--g_depth == 0)
        releasePending();
}

int WaitScope::depth() { return g_depth; }

void retire(QObject *object)
{
    if (!object)
        return;
    for (const QPointer<QObject> &p : pending()) {
        if (p == object)
            return;
    }
    if (auto *widget = qobject_cast<QWidget *>(object)) {
        widget->hide();
        object->disconnect();
        widget->setParent(nullptr);
    } else {
        object->disconnect();
        object->setParent(nullptr);
    }
    if (g_depth == 0)
        object->deleteLater();
    else
        pending().append(QPointer<QObject>(object));
}

int pendingRetired() { return pending().size(); }

} // namespace uikit
