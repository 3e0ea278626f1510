#include "testmain.h"
#include "wall/wallgrid.h"
#include "wall/wallmodel.h"
#include "walllayout.h"

using namespace wall;
using pelmora::test::threeMonitors;
using pelmora::test::wallLayout;

namespace {
constexpr auto r = &pelmora::test::rectFromTo;
} // namespace

class TestWallModel : public QObject
{
    Q_OBJECT

private slots:
    void layoutSizes_data();
    void layoutSizes();
    void wallToCanvas_data();
    void wallToCanvas();
    void canvasToWall_data();
    void canvasToWall();
    void align32_data();
    void align32();
    void zoom_data();
    void zoom();
    void zoomSteps();
    void hitTest_data();
    void hitTest();
    void nextCellWraps();
    void snap_data();
    void snap();
    void minimumWindowSize_data();
    void minimumWindowSize();
    void snapThreshold_data();
    void snapThreshold();
    void enlarge_data();
    void enlarge();
    void historyKeepsTenAndRestores();
};

void TestWallModel::layoutSizes_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("cols");
    QTest::addColumn<QList<int>>("custom");
    QTest::addColumn<QList<int>>("expected");
    QTest::addColumn<int>("cellWidth");

    QTest::newRow("1920/3") << 1920 << 3 << QList<int>() << QList<int>{640, 640, 640} << 640;
    QTest::newRow("1000/3 remainder last") << 1000 << 3 << QList<int>() << QList<int>{333, 333, 334} << 333;
    QTest::newRow("one column") << 1366 << 1 << QList<int>() << QList<int>{1366} << 1366;
    QTest::newRow("custom copied") << 5000 << 3 << QList<int>{1920, 1280, 1800}
                                   << QList<int>{1920, 1280, 1800} << 0;
}

void TestWallModel::layoutSizes()
{
    QFETCH(int, width);
    QFETCH(int, cols);
    QFETCH(QList<int>, custom);
    QFETCH(QList<int>, expected);
    QFETCH(int, cellWidth);

    S_SCR_GROUP group;
    group.name = QStringLiteral("拼接屏");
    group.width = width;
    group.height = 1080;
    group.scrCols = cols;
    group.scrRows = 2;
    group.customWidth = custom;
    const S_SCR_LAYOUT layout = makeScrLayout(group);

    QCOMPARE(layout.colWidths, expected);
    QCOMPARE(layout.cellWidth, cellWidth);
    QCOMPARE(group.customWidth, expected); // computed widths are stored back
    QCOMPARE(layout.rowHeights, (QList<int>{540, 540}));
    QCOMPARE(group.customHeight, (QList<int>{540, 540}));
    QVERIFY(layout.valid);
    QCOMPARE(layout.layoutType, kUniformLayout);
    QCOMPARE(layout.subCols, cols);
    QCOMPARE(layout.subRows, 2);
    QCOMPARE(layout.name, group.name);
}

void TestWallModel::wallToCanvas_data()
{
    QTest::addColumn<QSize>("wall");
    QTest::addColumn<QSize>("canvas");
    QTest::addColumn<QRect>("wallRect");
    QTest::addColumn<QRect>("expected");

    QTest::newRow("half scale") << QSize(5760, 1080) << QSize(2880, 540) << r(1920, 0, 3839, 1079)
                                << r(960, 0, 1919, 539);
    // Position and size are truncated separately, so the right edge is x + trunc(w) - 1.
    QTest::newRow("truncating") << QSize(1920, 1080) << QSize(1000, 600) << r(100, 0, 1059, 539)
                                << r(52, 0, 550, 299);
    QTest::newRow("odd rectangle") << QSize(1920, 1080) << QSize(1000, 600) << r(333, 217, 1332, 999)
                                   << r(173, 120, 692, 554);
    QTest::newRow("no wall yet") << QSize(0, 0) << QSize(500, 400) << r(0, 0, 99, 99) << r(0, 0, -1, -1);
}

void TestWallModel::wallToCanvas()
{
    QFETCH(QSize, wall);
    QFETCH(QSize, canvas);
    QFETCH(QRect, wallRect);
    QFETCH(QRect, expected);
    QCOMPARE(WallMapper(wall.width(), wall.height(), canvas).wallToCanvas(wallRect), expected);
}

void TestWallModel::canvasToWall_data()
{
    QTest::addColumn<QSize>("wall");
    QTest::addColumn<QSize>("canvas");
    QTest::addColumn<bool>("aligned");
    QTest::addColumn<QRect>("canvasRect");
    QTest::addColumn<QRect>("expected");

    QTest::newRow("double") << QSize(5760, 1080) << QSize(2880, 540) << false << r(100, 100, 199, 149)
                            << r(200, 200, 399, 299);
    QTest::newRow("fractional") << QSize(1920, 1080) << QSize(1000, 600) << false << r(10, 10, 109, 59)
                                << r(19, 18, 210, 107);
    QTest::newRow("fractional wide") << QSize(5760, 1080) << QSize(1000, 600) << false << r(7, 3, 500, 301)
                                     << r(40, 5, 2884, 542);
    // x 40 -> 32 (remainder 8), width 2845 -> 2848 (remainder 29)
    QTest::newRow("aligned") << QSize(5760, 1080) << QSize(1000, 600) << true << r(7, 3, 500, 301)
                             << r(32, 5, 2879, 542);
    QTest::newRow("x 47 aligned") << QSize(1920, 1080) << QSize(1920, 1080) << true << r(47, 0, 146, 99)
                                  << r(32, 0, 127, 99);
    QTest::newRow("x 48 aligned") << QSize(1920, 1080) << QSize(1920, 1080) << true << r(48, 0, 147, 99)
                                  << r(48, 0, 143, 99);
    QTest::newRow("x 49 aligned") << QSize(1920, 1080) << QSize(1920, 1080) << true << r(49, 0, 148, 99)
                                  << r(64, 0, 159, 99);
}

void TestWallModel::canvasToWall()
{
    QFETCH(QSize, wall);
    QFETCH(QSize, canvas);
    QFETCH(bool, aligned);
    QFETCH(QRect, canvasRect);
    QFETCH(QRect, expected);
    QCOMPARE(WallMapper(wall.width(), wall.height(), canvas).canvasToWall(canvasRect, aligned), expected);
}

void TestWallModel::align32_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("47") << 47 << 32;
    QTest::newRow("48 stays") << 48 << 48;
    QTest::newRow("49") << 49 << 64;
    QTest::newRow("15") << 15 << 0;
    QTest::newRow("17") << 17 << 32;
    QTest::newRow("64") << 64 << 64;
    QTest::newRow("-47 toward zero") << -47 << -32;
}

void TestWallModel::align32()
{
    QFETCH(int, value);
    QFETCH(int, expected);
    QCOMPARE(wall::align32(value), expected);
}

void TestWallModel::zoom_data()
{
    QTest::addColumn<float>("zoom");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<QSize>("wall");
    QTest::addColumn<QRect>("expected");

    // Wider than the slot: the width fills it.
    QTest::newRow("wide 1.0") << 1.0f << QSize(1000, 600) << QSize(1920, 1080) << QRect(0, 0, 1000, 562);
    QTest::newRow("wide 1.5") << 1.5f << QSize(1000, 600) << QSize(1920, 1080) << QRect(0, 0, 1250, 703);
    QTest::newRow("wide 0.5") << 0.5f << QSize(1000, 600) << QSize(1920, 1080) << QRect(0, 0, 750, 421);
    QTest::newRow("wide 2.0") << 2.0f << QSize(800, 400) << QSize(3840, 1080) << QRect(0, 0, 1200, 337);
    // Taller than the slot: the height fills it.
    QTest::newRow("tall 1.0") << 1.0f << QSize(1000, 600) << QSize(1920, 1920) << QRect(0, 0, 600, 600);
    QTest::newRow("tall 1.5") << 1.5f << QSize(1000, 600) << QSize(1920, 1920) << QRect(0, 0, 750, 750);
}

void TestWallModel::zoom()
{
    QFETCH(float, zoom);
    QFETCH(QSize, area);
    QFETCH(QSize, wall);
    QFETCH(QRect, expected);
    QCOMPARE(zoomedCanvasGeometry(zoom, area, wall.width(), wall.height()), expected);
}

void TestWallModel::zoomSteps()
{
    QCOMPARE(zoomOut(0.5f), 0.5f); // the smallest zoom
    QCOMPARE(zoomOut(1.0f), 0.5f);
    const float in = zoomIn(1.0f);
    QCOMPARE(in, 1.5f);
    QCOMPARE(zoomLabel(in), QStringLiteral("150%"));
    QCOMPARE(zoomLabel(0.5f), QStringLiteral("50%"));
    QCOMPARE(zoomLabel(zoomIn(zoomIn(in))), QStringLiteral("250%")); // no upper limit
}

void TestWallModel::hitTest_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QSize>("canvas");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    QTest::addColumn<QRect>("cell");

    const QSize half(2880, 540);
    QTest::newRow("first") << 200 << half << QPoint(10, 10) << 0 << 0 << r(0, 0, 1919, 1079);
    // Canvas 960 maps to wall 1920, exactly on the boundary: the left column.
    QTest::newRow("on boundary") << 200 << half << QPoint(960, 10) << 0 << 0 << r(0, 0, 1919, 1079);
    QTest::newRow("past boundary") << 200 << half << QPoint(961, 10) << 1 << 0 << r(1920, 0, 3839, 1079);
    QTest::newRow("beyond wall") << 200 << half << QPoint(4000, 900) << 2 << 0 << r(3840, 0, 5759, 1079);
    QTest::newRow("uniform first") << 7 << half << QPoint(10, 10) << 0 << 0 << r(0, 0, 1919, 1079);
    // Uniform mode: trunc(x / 1920), so the boundary starts the right column.
    QTest::newRow("uniform boundary") << 7 << half << QPoint(960, 10) << 1 << 0 << r(1920, 0, 3839, 1079);
    QTest::newRow("uniform fractional")
        << 7 << QSize(1000, 600) << QPoint(334, 100) << 1 << 0 << r(1920, 0, 3839, 1079);
}

void TestWallModel::hitTest()
{
    QFETCH(int, mode);
    QFETCH(QSize, canvas);
    QFETCH(QPoint, point);
    QFETCH(int, col);
    QFETCH(int, row);
    QFETCH(QRect, cell);
    const WallGrid grid(mode, threeMonitors());
    const GridCell hit = grid.cellAtCanvas(point, canvas);
    QCOMPARE(hit.col, col);
    QCOMPARE(hit.row, row);
    QCOMPARE(hit.rect, cell);
}

void TestWallModel::nextCellWraps()
{
    const WallGrid grid(200, wallLayout(2, 2));
    QList<QPoint> visited;
    int col = 0;
    int row = 0;
    for (int i = 0; i < 4; ++i) {
        const GridCell cell = grid.nextCell(col, row);
        col = cell.col;
        row = cell.row;
        visited.append(QPoint(col, row));
        QCOMPARE(cell.rect, QRect(col * 1920, row * 1080, 1920, 1080));
    }
    QCOMPARE(visited, (QList<QPoint>{{1, 0}, {0, 1}, {1, 1}, {0, 0}}));
}

void TestWallModel::snap_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QRect>("oldRect");
    QTest::addColumn<QRect>("canvasGeometry"); // on a 2880 x 540 canvas (half scale)
    QTest::addColumn<int>("dir");
    QTest::addColumn<QRect>("expected");
    QTest::addColumn<bool>("onWall");

    const QRect monitor = r(0, 0, 1919, 1079);
    // Moves keep the size.
    QTest::newRow("move 1950 snaps to 1920")
        << 200 << monitor << QRect(975, 0, 960, 540) << 0 << r(1920, 0, 3839, 1079) << true;
    QTest::newRow("move 1990 stays") << 200 << monitor << QRect(995, 0, 960, 540) << 0
                                     << r(1990, 0, 3909, 1079) << true;
    // Only the right edge snaps (2860 + 1000 = 3860 -> 3840); the left edge follows it.
    QTest::newRow("move right edge snaps")
        << 200 << r(0, 0, 999, 1079) << QRect(1430, 0, 500, 540) << 0 << r(2840, 0, 3839, 1079) << true;
    QTest::newRow("move left of wall clamps")
        << 200 << monitor << QRect(-100, 0, 960, 540) << 0 << monitor << true;
    // Custom-size mode clamps to the wall; uniform mode lets a window leave it.
    QTest::newRow("move past the wall clamps")
        << 200 << monitor << QRect(3000, 0, 960, 540) << 0 << r(3840, 0, 5759, 1079) << true;
    QTest::newRow("uniform move off the wall")
        << 7 << monitor << QRect(3000, 0, 960, 540) << 0 << r(6000, 0, 7919, 1079) << false;
    // Resizes change only their edges.
    QTest::newRow("right past wall") << 200 << r(3840, 0, 5759, 1079) << QRect(1920, 0, 1100, 540) << 8
                                     << r(3840, 0, 5759, 1079) << true;
    QTest::newRow("right edge free") << 200 << r(0, 0, 999, 1079) << QRect(0, 0, 700, 540) << 8
                                     << r(0, 0, 1399, 1079) << true;
    QTest::newRow("left edge snaps") << 200 << r(2000, 0, 3839, 1079) << QRect(970, 0, 950, 540) << 4
                                     << r(1920, 0, 3839, 1079) << true;
    QTest::newRow("top edge") << 200 << r(0, 400, 999, 1079) << QRect(0, 100, 500, 440) << 1
                              << r(0, 200, 999, 1079) << true;
    QTest::newRow("bottom edge") << 200 << r(0, 0, 999, 599) << QRect(0, 0, 500, 525) << 2
                                 << r(0, 0, 999, 1079) << true;
    QTest::newRow("top-left") << 200 << r(500, 500, 999, 999) << QRect(100, 100, 400, 400) << 5
                              << r(200, 200, 999, 999) << true;
    QTest::newRow("bottom-left") << 200 << r(500, 100, 999, 599) << QRect(100, 50, 400, 400) << 6
                                 << r(200, 100, 999, 899) << true;
    QTest::newRow("top-right") << 200 << r(100, 500, 599, 999) << QRect(50, 100, 400, 400) << 9
                               << r(100, 200, 899, 999) << true;
    QTest::newRow("bottom-right") << 200 << r(100, 100, 599, 599) << QRect(50, 50, 400, 400) << 10
                                  << r(100, 100, 899, 899) << true;
    QTest::newRow("whole") << 200 << r(100, 100, 599, 599) << QRect(50, 50, 400, 400) << 16
                           << r(100, 100, 899, 899) << true;
    QTest::newRow("unknown dir") << 200 << r(100, 100, 599, 599) << QRect(50, 50, 400, 400) << 3
                                 << r(100, 100, 599, 599) << true;
    // Uniform mode snaps to the subdivision and does not clamp.
    QTest::newRow("uniform move") << 7 << monitor << QRect(975, 0, 960, 540) << 0 << r(1920, 0, 3839, 1079)
                                  << true;
    QTest::newRow("uniform right past wall")
        << 7 << r(3840, 0, 5759, 1079) << QRect(1920, 0, 1100, 540) << 8 << r(3840, 0, 6039, 1079) << true;
    // A resize never leaves less than the minimum window (128 wall pixels each way on this
    // half-scale canvas): the dragged edge stops there, however it snapped or crossed.
    QTest::newRow("right edge snapped onto the left") // 1934 snaps down to 1920, past 1930
        << 200 << r(1930, 0, 3839, 1079) << QRect(965, 0, 2, 540) << 8 << r(1930, 0, 2057, 1079) << true;
    QTest::newRow("right edge across the left")
        << 200 << r(1930, 0, 3839, 1079) << QRect(QPoint(965, 0), QPoint(900, 539)) << 8
        << r(1930, 0, 2057, 1079) << true;
    QTest::newRow("left edge across the right")
        << 200 << r(0, 0, 1999, 1079) << QRect(QPoint(1100, 0), QPoint(999, 539)) << 4
        << r(1872, 0, 1999, 1079) << true;
    QTest::newRow("top edge snapped onto the bottom") // 1074 snaps up to 1080
        << 200 << r(0, 0, 999, 1079) << QRect(QPoint(0, 537), QPoint(499, 539)) << 1 << r(0, 952, 999, 1079)
        << true;
    QTest::newRow("top-left corner across")
        << 200 << r(500, 500, 999, 999) << QRect(QPoint(600, 600), QPoint(650, 650)) << 5
        << r(872, 872, 999, 999) << true;
    QTest::newRow("pinched to nothing")
        << 200 << r(100, 100, 599, 599) << QRect(50, 50, 1, 1) << 16 << r(100, 100, 227, 227) << true;
    // Custom-size mode keeps the widened window on the wall; uniform mode lets it leave.
    QTest::newRow("widened at the wall's end")
        << 200 << r(5700, 0, 5759, 1079) << QRect(QPoint(2850, 0), QPoint(2860, 539)) << 8
        << r(5632, 0, 5759, 1079) << true;
    QTest::newRow("uniform widened past the end")
        << 7 << r(5700, 0, 5759, 1079) << QRect(QPoint(2850, 0), QPoint(2860, 539)) << 8
        << r(5700, 0, 5827, 1079) << true;
    // A move keeps the size of a window smaller than the minimum.
    QTest::newRow("small window moved")
        << 200 << r(100, 100, 149, 149) << QRect(100, 50, 25, 25) << 0 << r(200, 100, 249, 149) << true;
}

void TestWallModel::snap()
{
    QFETCH(int, mode);
    QFETCH(QRect, oldRect);
    QFETCH(QRect, canvasGeometry);
    QFETCH(int, dir);
    QFETCH(QRect, expected);
    QFETCH(bool, onWall);
    const WallGrid grid(mode, threeMonitors());
    const SnapResult result = grid.snap(oldRect, canvasGeometry, QSize(2880, 540), dir);
    QCOMPARE(result.rect, expected);
    QCOMPARE(result.onWall, onWall);
}

void TestWallModel::minimumWindowSize_data()
{
    QTest::addColumn<QSize>("canvas");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("half scale") << QSize(2880, 540) << QSize(128, 128);
    QTest::newRow("fractional scale") << QSize(1000, 600) << QSize(369, 116);
    // Zoomed far in, 64 canvas pixels are fewer wall pixels: 64 stays the floor.
    QTest::newRow("double scale") << QSize(11520, 2160) << QSize(64, 64);
}

void TestWallModel::minimumWindowSize()
{
    QFETCH(QSize, canvas);
    QFETCH(QSize, expected);
    const WallGrid grid(200, threeMonitors());
    const QSize minimum = grid.minimumWindowSize(canvas);
    QCOMPARE(minimum, expected);
    // Drawn, it is at least 64 canvas pixels each way, so the item can still be grabbed.
    const QRect drawn = WallMapper(5760, 1080, canvas).wallToCanvas(QRect(QPoint(1930, 7), minimum));
    QVERIFY(drawn.width() >= WallGrid::kMinWindowPixels && drawn.height() >= WallGrid::kMinWindowPixels);
}

// At full scale: an edge 31 pixels from a monitor edge is caught, 32 is not. With uneven
// custom widths the monitors' real edges catch, also those that are no multiple of the first
// column's width.
void TestWallModel::snapThreshold_data()
{
    QTest::addColumn<QList<int>>("widths"); // empty: three monitors of 1920
    QTest::addColumn<QList<int>>("heights");
    QTest::addColumn<QRect>("oldRect");
    QTest::addColumn<QRect>("canvasGeometry"); // canvas = wall size
    QTest::addColumn<int>("dir");
    QTest::addColumn<QRect>("expected");

    const QList<int> three;
    const QList<int> one;
    const QRect small = r(0, 0, 999, 1079);
    QTest::newRow("left 31 past a boundary snaps")
        << three << one << small << QRect(1951, 0, 1000, 1080) << 0 << r(1920, 0, 2919, 1079);
    QTest::newRow("left 32 past a boundary stays")
        << three << one << small << QRect(1952, 0, 1000, 1080) << 0 << r(1952, 0, 2951, 1079);
    QTest::newRow("left 31 before a boundary snaps")
        << three << one << small << QRect(1889, 0, 1000, 1080) << 0 << r(1920, 0, 2919, 1079);
    QTest::newRow("left 32 before a boundary stays")
        << three << one << small << QRect(1888, 0, 1000, 1080) << 0 << r(1888, 0, 2887, 1079);
    QTest::newRow("right edge 31 past snaps") << three << one << r(2000, 0, 2999, 1079)
                                              << QRect(2000, 0, 1871, 1080) << 8 << r(2000, 0, 3839, 1079);
    QTest::newRow("right edge 32 past stays") << three << one << r(2000, 0, 2999, 1079)
                                              << QRect(2000, 0, 1872, 1080) << 8 << r(2000, 0, 3871, 1079);

    const QList<int> uneven{1920, 1280, 1280, 1920}; // boundaries at 1920, 3200 and 4480
    const QList<int> rows{1080, 1080};
    const QRect quarter = r(0, 0, 999, 539);
    QTest::newRow("uneven: inner row boundary snaps")
        << uneven << rows << quarter << QRect(100, 1100, 1000, 540) << 0 << r(100, 1080, 1099, 1619);
    QTest::newRow("uneven: inner row boundary from above snaps")
        << uneven << rows << quarter << QRect(100, 520, 1000, 540) << 0 << r(100, 540, 1099, 1079);
    QTest::newRow("uneven: first column boundary snaps")
        << uneven << rows << quarter << QRect(1940, 0, 1000, 540) << 0 << r(1920, 0, 2919, 539);
    QTest::newRow("uneven: boundary 3200, no multiple of 1920, snaps")
        << uneven << rows << quarter << QRect(3210, 0, 1000, 540) << 0 << r(3200, 0, 4199, 539);
}

void TestWallModel::snapThreshold()
{
    QFETCH(QList<int>, widths);
    QFETCH(QList<int>, heights);
    QFETCH(QRect, oldRect);
    QFETCH(QRect, canvasGeometry);
    QFETCH(int, dir);
    QFETCH(QRect, expected);
    const S_SCR_LAYOUT layout =
        widths.isEmpty() ? threeMonitors() : wallLayout(widths.size(), heights.size(), widths, heights);
    const WallGrid grid(kCustomSizeMode, layout);
    const QSize wall(grid.totalWidth(), grid.totalHeight());
    const SnapResult result = grid.snap(oldRect, canvasGeometry, wall, dir);
    QCOMPARE(result.rect, expected);
    QVERIFY(result.onWall);
}

void TestWallModel::enlarge_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QRect>("expected");

    QTest::newRow("inside one monitor") << 200 << r(100, 100, 500, 400) << r(0, 0, 1919, 1079);
    QTest::newRow("inside the middle one") << 200 << r(2000, 50, 3000, 900) << r(1920, 0, 3839, 1079);
    QTest::newRow("whole monitor grows") << 200 << r(1920, 0, 3839, 1079) << r(0, 0, 5759, 1079);
    QTest::newRow("whole wall stays") << 200 << r(0, 0, 5759, 1079) << r(0, 0, 5759, 1079);
    QTest::newRow("near a boundary") << 200 << r(1930, 0, 3820, 1079) << r(0, 0, 3839, 1079);
    QTest::newRow("uniform inside") << 7 << r(2000, 50, 3000, 900) << r(1920, 0, 3839, 1079);
    QTest::newRow("uniform monitor grows") << 7 << r(1920, 0, 3839, 1079) << r(0, 0, 5759, 1079);
}

void TestWallModel::enlarge()
{
    QFETCH(int, mode);
    QFETCH(QRect, rect);
    QFETCH(QRect, expected);
    QCOMPARE(WallGrid(mode, threeMonitors()).enlarge(rect), expected);
}

void TestWallModel::historyKeepsTenAndRestores()
{
    RectHistory history;
    QCOMPARE(history.takeForRestore(), QRect());
    history.push(QRect()); // the empty first entry of a new item
    for (int i = 1; i <= 11; ++i)
        history.push(QRect(i, 0, 10, 10));
    QCOMPARE(history.size(), RectHistory::kLimit);
    QCOMPARE(history.entries().first(), QRect(2, 0, 10, 10)); // the empty one and the first dropped
    QCOMPARE(history.takeForRestore(), QRect(11, 0, 10, 10));
    QCOMPARE(history.size(), 9);

    RectHistory fresh;
    fresh.push(QRect());
    QCOMPARE(fresh.takeForRestore(), QRect());
    QCOMPARE(fresh.size(), 1); // the last entry is kept
    fresh.push(QRect(5, 5, 10, 10));
    QCOMPARE(fresh.takeForRestore(), QRect(5, 5, 10, 10));
    QCOMPARE(fresh.takeForRestore(), QRect());
}

PELMORA_TEST_MAIN(TestWallModel)
#include "tst_wallmodel.moc"
