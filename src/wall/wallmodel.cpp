#include "wall/wallmodel.h"

namespace wall {

namespace {

// Single-precision ratio; 0 when the divisor is not positive (no wall or no canvas yet).
float ratio(int numerator, int denominator)
{
    if (denominator <= 0)
        return 0.0f;
    return static_cast<float>(numerator) / static_cast<float>(denominator);
}

int truncated(float value)
{
    return static_cast<int>(value);
}

QList<int> sizesOrSplit(QList<int> &custom, int total, int count, int *cell)
{
    if (!custom.isEmpty())
        return custom;
    custom = splitLength(total, count, cell);
    return custom;
}

} // namespace

QList<int> splitLength(int total, int count, int *cell)
{
    QList<int> sizes;
    if (count <= 0)
        return sizes;
    const int step = total / count;
    if (cell)
        *cell = step;
    for (int i = 0; i < count - 1; ++i)
        sizes.append(step);
    sizes.append(total - (count - 1) * step);
    return sizes;
}

S_SCR_LAYOUT makeScrLayout(S_SCR_GROUP &group)
{
    S_SCR_LAYOUT layout;
    layout.valid = true;
    layout.layoutType = kUniformLayout;
    layout.cols = group.scrCols;
    layout.rows = group.scrRows;
    layout.subRows = group.scrRows;
    layout.subCols = group.scrCols;
    layout.name = group.name;
    layout.colWidths = sizesOrSplit(group.customWidth, group.width, group.scrCols, &layout.cellWidth);
    layout.rowHeights = sizesOrSplit(group.customHeight, group.height, group.scrRows, &layout.cellHeight);
    return layout;
}

int align32(int value)
{
    const int remainder = value % 32;
    if (remainder < 16)
        return value - remainder;
    if (remainder > 16)
        return value + 32 - remainder;
    return value;
}

WallMapper::WallMapper(int totalWidth, int totalHeight, const QSize &canvasSize)
    : m_totalWidth(totalWidth), m_totalHeight(totalHeight), m_canvas(canvasSize)
{}

float WallMapper::scaleX() const
{
    return ratio(m_canvas.width(), m_totalWidth);
}

float WallMapper::scaleY() const
{
    return ratio(m_canvas.height(), m_totalHeight);
}

QRect WallMapper::wallToCanvas(const QRect &wall) const
{
    const float sx = scaleX();
    const float sy = scaleY();
    const int x = truncated(static_cast<float>(wall.left()) * sx);
    const int y = truncated(static_cast<float>(wall.top()) * sy);
    const int w = truncated(static_cast<float>(wall.right() - wall.left() + 1) * sx);
    const int h = truncated(static_cast<float>(wall.bottom() - wall.top() + 1) * sy);
    return QRect(QPoint(x, y), QPoint(x + w - 1, y + h - 1));
}

QRect WallMapper::canvasToWall(const QRect &canvas, bool aligned) const
{
    const float fx = ratio(m_totalWidth, m_canvas.width());
    const float fy = ratio(m_totalHeight, m_canvas.height());
    int x = truncated(static_cast<float>(canvas.left()) * fx);
    const int y = truncated(static_cast<float>(canvas.top()) * fy);
    int w = truncated(static_cast<float>(canvas.right() - canvas.left() + 1) * fx);
    const int h = truncated(static_cast<float>(canvas.bottom() - canvas.top() + 1) * fy);
    if (aligned) {
        x = align32(x);
        w = align32(w);
    }
    return QRect(QPoint(x, y), QPoint(x + w - 1, y + h - 1));
}

QPoint WallMapper::canvasPointToWall(const QPoint &canvas) const
{
    const float fx = ratio(m_totalWidth, m_canvas.width());
    const float fy = ratio(m_totalHeight, m_canvas.height());
    return QPoint(truncated(static_cast<float>(canvas.x()) * fx),
                  truncated(static_cast<float>(canvas.y()) * fy));
}

QRect WallMapper::edgesToCanvas(const QRect &wall) const
{
    const float sx = scaleX();
    const float sy = scaleY();
    return QRect(QPoint(truncated(static_cast<float>(wall.left()) * sx),
                        truncated(static_cast<float>(wall.top()) * sy)),
                 QPoint(truncated(static_cast<float>(wall.right()) * sx),
                        truncated(static_cast<float>(wall.bottom()) * sy)));
}

float zoomIn(float zoom)
{
    return zoom + 0.5f;
}

float zoomOut(float zoom)
{
    return zoom > 0.5f ? zoom - 0.5f : zoom;
}

QString zoomLabel(float zoom)
{
    return QString::number(truncated(zoom * 100.0f)) + QLatin1Char('%');
}

QRect zoomedCanvasGeometry(float zoom, const QSize &area, int totalWidth, int totalHeight)
{
    const float f = (zoom - 1.0f) * 0.5f + 1.0f;
    const float a = static_cast<float>(area.width());
    const float b = static_cast<float>(area.height());
    int width = truncated(f * a);
    int height = truncated(f * b);
    if (totalWidth > 0 && totalHeight > 0 && area.width() > 0 && area.height() > 0) {
        const float w = static_cast<float>(totalWidth);
        const float h = static_cast<float>(totalHeight);
        if (w / h > a / b) {
            height = truncated(f * (h * a / w));
        } else {
            width = truncated(f * (w * b / h));
        }
    }
    return QRect(0, 0, width, height);
}

void RectHistory::push(const QRect &rect)
{
    m_entries.append(rect);
    while (m_entries.size() > kLimit)
        m_entries.removeFirst();
}

QRect RectHistory::takeForRestore()
{
    if (m_entries.isEmpty())
        return QRect();
    const QRect last = m_entries.last();
    if (m_entries.size() > 1)
        m_entries.removeLast();
    return last;
}

} // namespace wall
