#pragma once

#include "wall/wallmodel.h"

// The monitor grid of the screen group shown on the canvas: cell hit test, the selected
// cell, snapping of moved and resized windows, and enlarging to the monitor edges. Works in
// one of two modes: custom-size (screen mode 200, cells are the monitors with their own
// widths and heights) or uniform (cells follow the subCols x subRows division).
namespace wall {

struct GridCell
{
    int col = 0;
    int row = 0;
    QRect rect; // wall pixels
};

struct SnapResult
{
    QRect rect;          // the new wall rectangle
    bool onWall = false; // false when it lies entirely off the wall
};

class WallGrid
{
public:
    static constexpr int kSnapThreshold = 32;
    // The smallest window a resize leaves: 64 pixels each way on the canvas, room for the
    // title bar and a grip between the resize zones, and never less than 64 wall pixels,
    // twice the snap distance. It holds after snapping, so no monitor boundary can pull an
    // edge onto or past the opposite one.
    static constexpr int kMinWindowPixels = 64;

    WallGrid() = default;
    WallGrid(int screenMode, const S_SCR_LAYOUT &layout);

    int screenMode() const { return m_screenMode; }
    bool customSize() const { return m_screenMode == kCustomSizeMode; }
    int layoutType() const { return m_layoutType; }
    int rows() const { return m_rows; }
    int cols() const { return m_cols; }
    int subRows() const { return m_subRows; }
    int subCols() const { return m_subCols; }
    const QList<int> &colWidths() const { return m_colWidths; }
    const QList<int> &rowHeights() const { return m_rowHeights; }
    int totalWidth() const { return m_totalWidth; }
    int totalHeight() const { return m_totalHeight; }
    bool hasCells() const { return m_rows > 0 && m_cols > 0; }
    QRect wallRect() const { return QRect(0, 0, m_totalWidth, m_totalHeight); }

    // The uniform division: subCols x subRows for the uniform layout type, otherwise
    // cols*subCols x rows*subRows; cells of trunc(total / count).
    int uniformColumns() const;
    int uniformRows() const;
    QSize uniformCellSize() const;

    // The cell under a wall point.
    GridCell cellAt(const QPoint &wallPoint) const;
    // The cell under a canvas point of a canvas of the given size.
    GridCell cellAtCanvas(const QPoint &canvasPoint, const QSize &canvasSize) const;
    // The cell after (col, row) in the uniform division, row by row, wrapping to (0, 0).
    GridCell nextCell(int col, int row) const;
    // Wall rectangle of a cell in the current mode.
    QRect cellRect(int row, int col) const;
    // Screen index reported for a double-click on the cell (col, row).
    int screenIndex(int col, int row) const;

    // The minimum window size in wall pixels on a canvas of the given size.
    QSize minimumWindowSize(const QSize &canvasSize) const;

    // Turns the canvas geometry of a moved or resized item into a snapped wall rectangle.
    // `oldRect` is the item's current wall rectangle. A resize keeps the minimum window
    // size by moving the edge that was dragged (custom-size mode then keeps the window on
    // the wall); a move keeps the window's size, whatever it is.
    SnapResult snap(const QRect &oldRect, const QRect &canvasGeometry, const QSize &canvasSize,
                    int dir) const;
    // The rectangle grown by 16 pixels on each side and widened to the surrounding monitor
    // (custom-size) or cell (uniform) edges.
    QRect enlarge(const QRect &rect) const;

    // Wall x (y) of the grid lines the canvas draws between the cells: the monitors' edges
    // in custom-size mode, the uniform division otherwise.
    QList<int> gridLinesX() const;
    QList<int> gridLinesY() const;

private:
    QList<int> columnBoundaries() const; // 0, w0, w0 + w1, ... (cols + 1 entries)
    QList<int> rowBoundaries() const;

    int m_screenMode = kCustomSizeMode;
    int m_layoutType = 0;
    int m_rows = 0;
    int m_cols = 0;
    int m_subRows = 0;
    int m_subCols = 0;
    QList<int> m_colWidths;
    QList<int> m_rowHeights;
    int m_totalWidth = 0;
    int m_totalHeight = 0;
};

} // namespace wall
