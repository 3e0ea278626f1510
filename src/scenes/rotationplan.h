#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

// One entry of a scene rotation plan: the scene and how many seconds it stays on the wall.
struct S_SWITCH_ITEM
{
    QString name;
    int seconds = 0;
};

using SwitchPlan = QList<S_SWITCH_ITEM>;

// The rules of the rotation plan table, without the table: the rotation panel reads its rows
// into a PlanRows, applies a rule and writes them back.
namespace scenes {

// One row of the plan table as shown: the scene name and the duration as text (the operator
// may type anything there).
struct PlanRow
{
    QString name;
    QString seconds;

    bool operator==(const PlanRow &other) const { return name == other.name && seconds == other.seconds; }
};

using PlanRows = QList<PlanRow>;

// A click on scene `name` of the strip, whose check box was `wasChecked`: a checked scene
// loses the first row of its name; an unchecked one gets a row with `interval` seconds at
// the end unless it has one already. Returns the scene's new check state.
bool toggleScene(PlanRows &rows, const QString &name, bool wasChecked, int interval);

// Moves row `row` one place up (delta -1) or down (+1) when there is a row to change places
// with. Returns the row the entry occupies afterwards.
int moveRow(PlanRows &rows, int row, int delta);

// Every duration becomes `seconds`.
void setAllDurations(PlanRows &rows, int seconds);

// The plan the table stands for, in table order; a duration that is not a decimal number
// counts as 0.
SwitchPlan collectPlan(const PlanRows &rows);

// The rows a plan shows after scenes were deleted: one per entry whose scene is still among
// `scenes`, in plan order.
PlanRows rowsForPlan(const SwitchPlan &plan, const QStringList &scenes);

// Drops every entry of scene `name`.
void removeScene(SwitchPlan &plan, const QString &name);

// "SetQuickSwitch": "Control" 1 with the plan as "ModalList" ("Name", "TimeInSeconds"), or
// "Control" 0 alone to stop.
QJsonObject quickSwitchRequest(bool start, const SwitchPlan &plan = {});

} // namespace scenes
