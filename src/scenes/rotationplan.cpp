#include "rotationplan.h"

#include <QJsonArray>

namespace scenes {

namespace {
int rowOf(const PlanRows &rows, const QString &name)
{
    for (int i = 0; i < rows.size(); ++i) {
        if (rows.at(i).name == name)
            return i;
    }
    return -1;
}
} // namespace

bool toggleScene(PlanRows &rows, const QString &name, bool wasChecked, int interval)
{
    const int row = rowOf(rows, name);
    if (wasChecked) {
        if (row >= 0)
            rows.removeAt(row);
        return false;
    }
    if (row < 0)
        rows.append({name, QString::number(interval)});
    return true;
}

int moveRow(PlanRows &rows, int row, int delta)
{
    const int target = row + delta;
    if (row < 0 || row >= rows.size() || target < 0 || target >= rows.size())
        return row;
    rows.swapItemsAt(row, target);
    return target;
}

void setAllDurations(PlanRows &rows, int seconds)
{
    for (PlanRow &row : rows)
        row.seconds = QString::number(seconds);
}

SwitchPlan collectPlan(const PlanRows &rows)
{
    SwitchPlan plan;
    for (const PlanRow &row : rows) {
        bool ok = false;
        const int seconds = row.seconds.toInt(&ok);
        plan.append({row.name, ok ? seconds : 0});
    }
    return plan;
}

PlanRows rowsForPlan(const SwitchPlan &plan, const QStringList &scenes)
{
    PlanRows rows;
    for (const S_SWITCH_ITEM &entry : plan) {
        if (scenes.contains(entry.name))
            rows.append({entry.name, QString::number(entry.seconds)});
    }
    return rows;
}

void removeScene(SwitchPlan &plan, const QString &name)
{
    for (int i = plan.size() - 1; i >= 0; --i) {
        if (plan.at(i).name == name)
            plan.removeAt(i);
    }
}

QJsonObject quickSwitchRequest(bool start, const SwitchPlan &plan)
{
    QJsonObject request{{QStringLiteral("Command"), QStringLiteral("SetQuickSwitch")},
                        {QStringLiteral("Control"), start ? 1 : 0}};
    if (start) {
        QJsonArray list;
        for (const S_SWITCH_ITEM &entry : plan)
            list.append(QJsonObject{{QStringLiteral("Name"), entry.name},
                                    {QStringLiteral("TimeInSeconds"), entry.seconds}});
        request.insert(QStringLiteral("ModalList"), list);
    }
    return request;
}

} // namespace scenes
