#pragma once

#include "wall/wallmodel.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <optional>

// Rules of the screen-settings dialogs, without widgets: how a group's split counts are read,
// how its column widths and row heights are checked and edited, and the "SetScrSetting"
// request that carries them to the controller.
namespace wall {

// The narrowest column (lowest row) the settings accept, in wall pixels: a monitor's share
// of 16 pixels or less is refused.
constexpr int kMinCellPixels = 17;

// The largest split count of `total` pixels whose even cells keep kMinCellPixels (at least 1).
int maxSplitCount(int total);

// A split count as the operator typed it: surrounding blanks are ignored, and it must be a
// whole number from 1 to maxSplitCount(total). Nothing for 0, a negative number, an empty
// text, a text that is not a number, or a count too large for `total`.
std::optional<int> parseSplitCount(const QString &text, int total);

// What is wrong with a group's column widths (or row heights).
enum class SizesProblem {
    None,
    WrongCount, // not one entry per column (row)
    WrongSum,   // the entries do not add up to the group's width (height)
    TooSmall    // an entry below kMinCellPixels
};

SizesProblem checkSizes(const QList<int> &sizes, int count, int total);

// The sum of the entries.
int sumOf(const QList<int> &sizes);

// `sizes` when checkSizes finds nothing wrong, else the even split of `total` into `count`
// (splitLength: the remainder goes to the last entry).
QList<int> sizesFor(const QList<int> &sizes, int count, int total);

// Entry `index` set to `value`, and the last entry given the rest: `total` minus the sum of
// all the others. For the last entry itself `value` is ignored and the rest recomputed.
// Nothing (the caller keeps what it had) when `value` or the rest would be narrower than
// kMinCellPixels, or `index` is not an entry.
std::optional<QList<int>> withRestOnLast(const QList<int> &sizes, int index, int value, int total);

// {"Command": "SetScrSetting", "Rows", "Cols", "Name", "Index", "CustomHeight", "CustomWidth"}
// for `group` at `index`.
QJsonObject scrSettingRequest(const S_SCR_GROUP &group, int index);

} // namespace wall
