#pragma once

// Screen groups for the wall tests (link pelmora_wall_model).
#include "wall/wallmodel.h"

#include <QList>
#include <QRect>

namespace pelmora::test {

// The canvas layout of a group of `cols` x `rows` monitors of 1920 x 1080, or of the given
// column widths and row heights (the group's size is then their sum).
inline S_SCR_LAYOUT wallLayout(int cols, int rows, const QList<int> &widths = {},
                               const QList<int> &heights = {})
{
    S_SCR_GROUP group;
    group.scrCols = cols;
    group.scrRows = rows;
    group.width = cols * 1920;
    group.height = rows * 1080;
    if (!widths.isEmpty()) {
        group.customWidth = widths;
        group.width = 0;
        for (int w : widths)
            group.width += w;
    }
    if (!heights.isEmpty()) {
        group.customHeight = heights;
        group.height = 0;
        for (int h : heights)
            group.height += h;
    }
    return wall::makeScrLayout(group);
}

// Three monitors of 1920 x 1080 side by side (a wall of 5760 x 1080).
inline S_SCR_LAYOUT threeMonitors()
{
    return wallLayout(3, 1);
}

// The rectangle from (left, top) to (right, bottom), both inclusive, as the console keeps them.
inline QRect rectFromTo(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace pelmora::test
