#include "wall/wallgrid.h"

#include <algorithm>
#include <cmath>

namespace wall {

namespace {

int sumOfFirst(const QList<int> &sizes, int count)
{
    int sum = 0;
    for (int i = 0; i < count && i < sizes.size(); ++i)
        sum += sizes.at(i);
    return sum;
}

// Index of the first size whose cumulative right boundary is >= value; the last index when
// the value lies beyond the sum.
int indexOfBoundary(const QList<int> &sizes, int count, int value)
{
    const int n = std::min(count, static_cast<int>(sizes.size()));
    int boundary = 0;
    for (int i = 0; i < n; ++i) {
        boundary += sizes.at(i);
        if (boundary >= value)
            return i;
    }
    return std::max(0, n - 1);
}

QList<int> boundaries(const QList<int> &sizes, int count)
{
    QList<int> result{0};
    int boundary = 0;
    for (int i = 0; i < count && i < sizes.size(); ++i) {
        boundary += sizes.at(i);
        result.append(boundary);
    }
    return result;
}

// Moves a value to the nearest multiple of `period` when it is at most 31 away (downwards
// first); `snapped` tells whether it was caught.
int snapValue(int value, int period, bool &snapped)
{
    snapped = false;
    if (period <= 0)
        return value;
    const int remainder = value % period;
    if (remainder <= WallGrid::kSnapThreshold - 1) {
        snapped = true;
        return value - remainder;
    }
    if (period - remainder <= WallGrid::kSnapThreshold - 1) {
        snapped = true;
        return value + period - remainder;
    }
    return value;
}

// Moves a value onto the nearest of the monitor `edges` (ascending) when it is at most 31
// away (downwards first), as snapValue does with the multiples of a period.
int snapToEdges(int value, const QList<int> &edges, bool &snapped)
{
    snapped = false;
    const auto above = std::upper_bound(edges.begin(), edges.end(), value);
    if (above != edges.begin() && value - *(above - 1) <= WallGrid::kSnapThreshold - 1) {
        snapped = true;
        return *(above - 1);
    }
    if (above != edges.end() && *above - value <= WallGrid::kSnapThreshold - 1) {
        snapped = true;
        return *above;
    }
    return value;
}

int truncDiv(int value, float scale)
{
    return static_cast<int>(static_cast<float>(value) / scale);
}

// The wall length that shows as at least `canvasPixels` on the canvas (wallToCanvas truncates
// the product with the scale).
int wallLengthShowing(int canvasPixels, float scale)
{
    int length = static_cast<int>(std::ceil(static_cast<float>(canvasPixels) / scale));
    while (static_cast<int>(static_cast<float>(length) * scale) < canvasPixels)
        ++length;
    return length;
}

// Widens [low, high] to `minimum` by moving the edge that was dragged; true if it changed.
bool keepLength(int &low, int &high, int minimum, bool lowDragged)
{
    if (high - low + 1 >= minimum)
        return false;
    if (lowDragged)
        low = high - minimum + 1;
    else
        high = low + minimum - 1;
    return true;
}

// Shifts [low, high] back onto [0, total - 1] as far as its length allows.
void shiftOnto(int &low, int &high, int total)
{
    if (high > total - 1) {
        low -= high - (total - 1);
        high = total - 1;
    }
    if (low < 0) {
        high -= low;
        low = 0;
    }
}

// Largest boundary below `limit` (at least 0), and first boundary at or above `limit`.
int boundaryBelow(const QList<int> &bounds, int limit)
{
    int best = 0;
    for (int b : bounds) {
        if (b < limit && b >= 0)
            best = std::max(best, b);
    }
    return best;
}

int boundaryFrom(const QList<int> &bounds, int limit, int total)
{
    for (int b : bounds) {
        if (b >= limit)
            return std::min(b, total);
    }
    return total;
}

} // namespace

WallGrid::WallGrid(int screenMode, const S_SCR_LAYOUT &layout)
    : m_screenMode(screenMode),
      m_layoutType(layout.layoutType),
      m_rows(layout.rows),
      m_cols(layout.cols),
      m_subRows(layout.subRows),
      m_subCols(layout.subCols),
      m_colWidths(layout.colWidths),
      m_rowHeights(layout.rowHeights),
      m_totalWidth(sumOfFirst(layout.colWidths, layout.cols)),
      m_totalHeight(sumOfFirst(layout.rowHeights, layout.rows))
{}

int WallGrid::uniformColumns() const
{
    return m_layoutType == kUniformLayout ? m_subCols : m_cols * m_subCols;
}

int WallGrid::uniformRows() const
{
    return m_layoutType == kUniformLayout ? m_subRows : m_rows * m_subRows;
}

QSize WallGrid::uniformCellSize() const
{
    const int columns = uniformColumns();
    const int rowCount = uniformRows();
    return QSize(columns > 0 ? m_totalWidth / columns : 0, rowCount > 0 ? m_totalHeight / rowCount : 0);
}

GridCell WallGrid::cellAt(const QPoint &wallPoint) const
{
    GridCell cell;
    if (customSize()) {
        cell.col = indexOfBoundary(m_colWidths, m_cols, wallPoint.x());
        cell.row = indexOfBoundary(m_rowHeights, m_rows, wallPoint.y());
        cell.rect = cellRect(cell.row, cell.col);
        return cell;
    }
    const QSize size = uniformCellSize();
    cell.col = size.width() > 0 ? wallPoint.x() / size.width() : 0;
    cell.row = size.height() > 0 ? wallPoint.y() / size.height() : 0;
    cell.rect = QRect(cell.col * size.width(), cell.row * size.height(), size.width(), size.height());
    return cell;
}

GridCell WallGrid::cellAtCanvas(const QPoint &canvasPoint, const QSize &canvasSize) const
{
    return cellAt(WallMapper(m_totalWidth, m_totalHeight, canvasSize).canvasPointToWall(canvasPoint));
}

GridCell WallGrid::nextCell(int col, int row) const
{
    GridCell cell;
    cell.col = col + 1;
    cell.row = row;
    if (cell.col >= uniformColumns()) {
        cell.col = 0;
        ++cell.row;
    }
    if (cell.row >= uniformRows())
        cell.row = 0;
    const QSize size = uniformCellSize();
    cell.rect = QRect(cell.col * size.width(), cell.row * size.height(), size.width(), size.height());
    return cell;
}

QRect WallGrid::cellRect(int row, int col) const
{
    if (!customSize()) {
        const QSize size = uniformCellSize();
        return QRect(col * size.width(), row * size.height(), size.width(), size.height());
    }
    const QList<int> xs = columnBoundaries();
    const QList<int> ys = rowBoundaries();
    if (col < 0 || row < 0 || col + 1 >= xs.size() || row + 1 >= ys.size())
        return QRect();
    return QRect(QPoint(xs.at(col), ys.at(row)), QPoint(xs.at(col + 1) - 1, ys.at(row + 1) - 1));
}

int WallGrid::screenIndex(int col, int row) const
{
    if (m_subRows <= 0 || m_subCols <= 0)
        return 0;
    return (row / m_subRows) * m_cols + col / m_subCols;
}

SnapResult WallGrid::snap(const QRect &oldRect, const QRect &canvasGeometry, const QSize &canvasSize,
                          int dir) const
{
    const WallMapper mapper(m_totalWidth, m_totalHeight, canvasSize);
    const float sx = mapper.scaleX();
    const float sy = mapper.scaleY();
    if (sx <= 0.0f || sy <= 0.0f)
        return {oldRect, oldRect.intersects(wallRect())};

    const int x1 = oldRect.left();
    const int y1 = oldRect.top();
    const int x2 = oldRect.right();
    const int y2 = oldRect.bottom();
    const int width = x2 - x1 + 1;
    const int height = y2 - y1 + 1;

    int left = truncDiv(canvasGeometry.left(), sx);
    int top = truncDiv(canvasGeometry.top(), sy);
    int right = 0; // exclusive
    int bottom = 0;
    if (dir == RESIZE_NONE) {
        right = left + width;
        bottom = top + height;
    } else {
        right = truncDiv(canvasGeometry.right() + 1, sx);
        bottom = truncDiv(canvasGeometry.bottom() + 1, sy);
    }

    bool leftSnapped = false;
    bool topSnapped = false;
    bool rightSnapped = false;
    bool bottomSnapped = false;
    if (customSize()) {
        // The monitors' own edges: with columns (rows) of different sizes the multiples of
        // the first one are not where the monitors meet.
        const QList<int> xs = columnBoundaries();
        const QList<int> ys = rowBoundaries();
        left = snapToEdges(left, xs, leftSnapped);
        right = snapToEdges(right, xs, rightSnapped);
        top = snapToEdges(top, ys, topSnapped);
        bottom = snapToEdges(bottom, ys, bottomSnapped);
    } else {
        const QSize cell = uniformCellSize();
        left = snapValue(left, cell.width(), leftSnapped);
        right = snapValue(right, cell.width(), rightSnapped);
        top = snapValue(top, cell.height(), topSnapped);
        bottom = snapValue(bottom, cell.height(), bottomSnapped);
    }
    if (customSize()) {
        if (left < 0) {
            left = 0;
            leftSnapped = true;
        }
        if (top < 0) {
            top = 0;
            topSnapped = true;
        }
        if (right > m_totalWidth) {
            right = m_totalWidth;
            rightSnapped = true;
        }
        if (bottom > m_totalHeight) {
            bottom = m_totalHeight;
            bottomSnapped = true;
        }
    }

    QRect rect;
    switch (dir) {
    case RESIZE_NONE: {
        const int newRight = leftSnapped ? left + width : right;
        const int newLeft = rightSnapped ? newRight - width : left;
        const int newBottom = topSnapped ? top + height : bottom;
        const int newTop = bottomSnapped ? newBottom - height : top;
        rect = QRect(QPoint(newLeft, newTop), QPoint(newRight - 1, newBottom - 1));
        break;
    }
    case RESIZE_TOP:
        rect = QRect(QPoint(x1, top), QPoint(x2, y2));
        break;
    case RESIZE_BOTTOM:
        rect = QRect(QPoint(x1, y1), QPoint(x2, bottom - 1));
        break;
    case RESIZE_LEFT:
        rect = QRect(QPoint(left, y1), QPoint(x2, y2));
        break;
    case RESIZE_TOPLEFT:
        rect = QRect(QPoint(left, top), QPoint(x2, y2));
        break;
    case RESIZE_BOTTOMLEFT:
        rect = QRect(QPoint(left, y1), QPoint(x2, bottom - 1));
        break;
    case RESIZE_RIGHT:
        rect = QRect(QPoint(x1, y1), QPoint(right - 1, y2));
        break;
    case RESIZE_TOPRIGHT:
        rect = QRect(QPoint(x1, top), QPoint(right - 1, y2));
        break;
    case RESIZE_BOTTOMRIGHT:
        rect = QRect(QPoint(x1, y1), QPoint(right - 1, bottom - 1));
        break;
    case RESIZE_ALL:
        rect = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
        break;
    default:
        return {oldRect, oldRect.intersects(wallRect())};
    }
    if (dir != RESIZE_NONE) {
        const QSize minimum = minimumWindowSize(canvasSize);
        int x1New = rect.left();
        int x2New = rect.right();
        int y1New = rect.top();
        int y2New = rect.bottom();
        const bool widened = keepLength(x1New, x2New, minimum.width(), dir & RESIZE_LEFT);
        const bool heightened = keepLength(y1New, y2New, minimum.height(), dir & RESIZE_TOP);
        if (customSize() && widened)
            shiftOnto(x1New, x2New, m_totalWidth);
        if (customSize() && heightened)
            shiftOnto(y1New, y2New, m_totalHeight);
        rect = QRect(QPoint(x1New, y1New), QPoint(x2New, y2New));
    }
    return {rect, rect.intersects(wallRect())};
}

QSize WallGrid::minimumWindowSize(const QSize &canvasSize) const
{
    const WallMapper mapper(m_totalWidth, m_totalHeight, canvasSize);
    int width = kMinWindowPixels;
    int height = kMinWindowPixels;
    if (mapper.scaleX() > 0.0f)
        width = std::max(width, wallLengthShowing(kMinWindowPixels, mapper.scaleX()));
    if (mapper.scaleY() > 0.0f)
        height = std::max(height, wallLengthShowing(kMinWindowPixels, mapper.scaleY()));
    return QSize(width, height);
}

QRect WallGrid::enlarge(const QRect &rect) const
{
    const int grownLeft = rect.left() - 16;
    const int grownTop = rect.top() - 16;
    const int grownRight = rect.right() + 16;
    const int grownBottom = rect.bottom() + 16;
    int left = 0;
    int top = 0;
    int right = 0; // exclusive
    int bottom = 0;
    if (customSize()) {
        const QList<int> xs = columnBoundaries();
        const QList<int> ys = rowBoundaries();
        left = boundaryBelow(xs, grownLeft);
        top = boundaryBelow(ys, grownTop);
        right = boundaryFrom(xs, grownRight, m_totalWidth);
        bottom = boundaryFrom(ys, grownBottom, m_totalHeight);
    } else {
        const QSize cell = uniformCellSize();
        const int w = cell.width();
        const int h = cell.height();
        if (w <= 0 || h <= 0)
            return rect;
        left = std::max(0, grownLeft / w * w);
        top = std::max(0, grownTop / h * h);
        right = std::min(m_totalWidth, grownRight / w * w + w);
        bottom = std::min(m_totalHeight, grownBottom / h * h + h);
    }
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QList<int> WallGrid::gridLinesX() const
{
    if (customSize())
        return columnBoundaries().mid(1, std::max(0, m_cols - 1));
    QList<int> lines;
    const int step = m_subCols > 0 ? m_totalWidth / m_subCols : 0;
    for (int k = 1; k < m_subCols; ++k)
        lines.append(k * step);
    return lines;
}

QList<int> WallGrid::gridLinesY() const
{
    if (customSize())
        return rowBoundaries().mid(1, std::max(0, m_rows - 1));
    QList<int> lines;
    const int step = m_subRows > 0 ? m_totalHeight / m_subRows : 0;
    for (int k = 1; k < m_subRows; ++k)
        lines.append(k * step);
    return lines;
}

QList<int> WallGrid::columnBoundaries() const
{
    return boundaries(m_colWidths, m_cols);
}

QList<int> WallGrid::rowBoundaries() const
{
    return boundaries(m_rowHeights, m_rows);
}

} // namespace wall
