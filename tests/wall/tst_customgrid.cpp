// A group whose columns differ in width (the custom sizes of the screen settings): the canvas
// draws and snaps to where its monitors really meet, not to multiples of the first column.
#include "testmain.h"
#include "wall/screenwidget.h"
#include "wall/wallgrid.h"

using wall::WallGrid;

namespace {

// "Control Room" after its custom sizes: 1000, 2133 and 3267 wide, two rows of 540.
S_SCR_LAYOUT customLayout()
{
    S_SCR_GROUP group;
    group.width = 6400;
    group.height = 1080;
    group.scrCols = 3;
    group.scrRows = 2;
    group.customWidth = {1000, 2133, 3267};
    group.customHeight = {540, 540};
    return wall::makeScrLayout(group);
}

// The canvas of these tests: a fifth of the wall.
const QSize kCanvas(1280, 216);

QRect r(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace

class TestCustomGrid : public QObject
{
    Q_OBJECT

private slots:
    void gridLines()
    {
        const WallGrid custom(wall::kCustomSizeMode, customLayout());
        QCOMPARE(custom.gridLinesX(), (QList<int>{1000, 3133}));
        QCOMPARE(custom.gridLinesY(), (QList<int>{540}));
        // The uniform division of a model's outputs stays as it was.
        const WallGrid uniform(7, customLayout());
        QCOMPARE(uniform.gridLinesX(), (QList<int>{2133, 4266}));
    }

    // Canvas geometry in canvas pixels (wall = canvas x 5).
    void snapsToTheMonitorEdges_data()
    {
        QTest::addColumn<QRect>("oldRect");
        QTest::addColumn<QRect>("canvasGeometry");
        QTest::addColumn<int>("dir");
        QTest::addColumn<QRect>("expected");

        const QRect camera = r(0, 0, 1919, 1079);
        QTest::newRow("left edge near the first column's end")
            << camera << QRect(202, 0, 384, 216) << int(RESIZE_NONE) << r(1000, 0, 2919, 1079);
        QTest::newRow("right edge near the second column's end")
            << camera << QRect(240, 0, 384, 216) << int(RESIZE_NONE) << r(1213, 0, 3132, 1079);
        QTest::newRow("twice the first column is no edge")
            << camera << QRect(398, 0, 384, 216) << int(RESIZE_NONE) << r(1990, 0, 3909, 1079);
        QTest::newRow("right edge dragged near the second column's end")
            << r(0, 0, 999, 539) << QRect(0, 0, 630, 108) << int(RESIZE_RIGHT) << r(0, 0, 3132, 539);
        QTest::newRow("top near the second row")
            << r(0, 0, 999, 539) << QRect(0, 110, 200, 108) << int(RESIZE_NONE) << r(0, 540, 999, 1079);
    }

    void snapsToTheMonitorEdges()
    {
        QFETCH(QRect, oldRect);
        QFETCH(QRect, canvasGeometry);
        QFETCH(int, dir);
        QFETCH(QRect, expected);
        const WallGrid grid(wall::kCustomSizeMode, customLayout());
        const wall::SnapResult result = grid.snap(oldRect, canvasGeometry, kCanvas, dir);
        QCOMPARE(result.rect, expected);
        QVERIFY(result.onWall);
    }

    // The dash-dot lines are painted where the monitors meet.
    void canvasDrawsTheMonitorEdges()
    {
        ScreenWidget canvas;
        canvas.setFixedSize(kCanvas);
        canvas.setScreenLayout(wall::kCustomSizeMode, 0, customLayout());
        canvas.show();
        const QImage image = canvas.grab().toImage();
        const QColor background = image.pixelColor(600, 160);
        auto linePixels = [&](int x) {
            int count = 0;
            for (int y = 120; y < kCanvas.height(); ++y) // below the selected cell's frame
                count += image.pixelColor(x, y) != background ? 1 : 0;
            return count;
        };
        QVERIFY(linePixels(200) > 20); // 1000
        QVERIFY(linePixels(626) > 20); // 3133
        QCOMPARE(linePixels(426), 0);  // 2133, a third of the wall
        QCOMPARE(linePixels(853), 0);  // 4266
    }
};

PELMORA_TEST_MAIN(TestCustomGrid)
#include "tst_customgrid.moc"
