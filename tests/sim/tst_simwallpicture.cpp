// What the streamed wall shows besides the windows: the running caption in its colours,
// transparency and speed, and the pointer that remote input moves.
#include "sim/controllerstate.h"
#include "sim/wallpicture.h"
#include "testmain.h"

#include <QJsonArray>

namespace {
const QColor kMonitor(22, 28, 42);

// One 1920x1080 monitor per group, two groups, no windows; the caption as given.
sim::ControllerState wallWithCaption(const QJsonObject &caption)
{
    const QJsonObject group{{"Name", "G"},  {"Width", 1920}, {"Height", 1080},
                            {"ScrRows", 1}, {"ScrCols", 1},  {"Windows", QJsonArray()}};
    QJsonObject json{{"Groups", QJsonArray{group, group}}, {"ScrIndex", 0}};
    QJsonObject c{{"Text", "WWWW"},
                  {"TextColor", "FF0000"},
                  {"BgColor", "0000FF"},
                  {"Alpha", 255},
                  {"ScrollSpeed", 0},
                  {"FontSize", 100},
                  {"FontName", "DejaVu Sans"},
                  {"ShowOsd", 1},
                  {"ScrRange", QJsonArray{0, 0, 1920, 1080}}};
    for (auto it = caption.begin(); it != caption.end(); ++it)
        c.insert(it.key(), it.value());
    json.insert("Caption", c);
    sim::ControllerState state;
    state.apply(json, 0);
    return state;
}

QImage render(const sim::ControllerState &state, int index = 0, qint64 clockMs = 0)
{
    return sim::renderWall(sim::wallSnapshot(state, index, clockMs), QSize(1920, 1080));
}

// How many pixels of the row have exactly that colour.
int countInRow(const QImage &image, int y, const QColor &colour)
{
    int n = 0;
    for (int x = 0; x < image.width(); ++x)
        n += image.pixelColor(x, y) == colour;
    return n;
}
} // namespace

class TestSimWallPicture : public QObject
{
    Q_OBJECT

private slots:
    // The band lies at the bottom of the caption's area (here the whole 1080 rows), as high
    // as one and a half times the text, in the band colour and its transparency; the text
    // in its own colour; only on the group it runs on, and only while it runs.
    void captionBand_data()
    {
        QTest::addColumn<QJsonObject>("caption");
        QTest::addColumn<int>("index");
        QTest::addColumn<QColor>("band"); // the colour at the band's left end; kMonitor: none
        QTest::newRow("opaque blue band") << QJsonObject() << 0 << QColor(0, 0, 255);
        QTest::newRow("half transparent")
            << QJsonObject{{"Alpha", 128}} << 0 << QColor(11, 14, 149); // blue over the monitor
        QTest::newRow("stopped") << QJsonObject{{"ShowOsd", 0}} << 0 << kMonitor;
        QTest::newRow("another group") << QJsonObject() << 1 << kMonitor;
    }

    void captionBand()
    {
        QFETCH(QJsonObject, caption);
        QFETCH(int, index);
        QFETCH(QColor, band);
        const QImage picture = render(wallWithCaption(caption), index);
        const QColor inBand = picture.pixelColor(2, 1080 - 75);
        QVERIFY2(qAbs(inBand.red() - band.red()) <= 2 && qAbs(inBand.green() - band.green()) <= 2 &&
                     qAbs(inBand.blue() - band.blue()) <= 2,
                 qPrintable(inBand.name()));
        QCOMPARE(picture.pixelColor(2, 1080 - 160), kMonitor); // above the band
        const bool shown = band != kMonitor;
        QCOMPARE(countInRow(picture, 1080 - 75, QColor(255, 0, 0)) > 20, shown); // the red text
    }

    // A still caption is centred; a scrolling one enters at the right edge and moves left
    // 200 wall pixels a second per speed step, round and round.
    void captionScrolls_data()
    {
        QTest::addColumn<int>("speed");
        QTest::addColumn<qint64>("clockMs");
        QTest::addColumn<int>("left");
        QTest::newRow("still") << 0 << qint64(5000) << (1920 - 300) / 2;
        QTest::newRow("3x at the start of a lap") << 3 << qint64(0) << 1920;
        QTest::newRow("3x a second later") << 3 << qint64(1000) << 1920 - 600;
        QTest::newRow("1x a second later") << 1 << qint64(1000) << 1920 - 200;
        QTest::newRow("3x one lap later") << 3 << qint64((1920 + 300) * 1000 / 600) << 1920;
    }

    void captionScrolls()
    {
        QFETCH(int, speed);
        QFETCH(qint64, clockMs);
        QFETCH(int, left);
        const sim::ControllerState state = wallWithCaption({{"ScrollSpeed", speed}});
        QCOMPARE(sim::captionTextLeft(sim::wallSnapshot(state, 0, clockMs), 300), left);
    }

    // The pointer shows on the current group once remote input moved it, where the 0..10000
    // grid puts it, and moves with it.
    void pointerFollowsRemoteInput()
    {
        sim::ControllerState state = wallWithCaption({{"ShowOsd", 0}});
        const QImage untouched = render(state);
        QCOMPARE(countInRow(untouched, 20, Qt::white), 0);

        state.mouse.apply(0, 2500, 5000, 0, 0); // wall pixel (480, 540)
        QImage picture = render(state);
        QCOMPARE(picture.pixelColor(480 + 5, 540 + 20), QColor(Qt::white));
        QCOMPARE(picture.pixelColor(480 - 10, 540 + 20), kMonitor);
        QCOMPARE(countInRow(render(state, 1), 540 + 20, Qt::white), 0); // not on another group

        state.mouse.apply(0, 7500, 2000, 0, 0); // (1440, 216)
        picture = render(state);
        QCOMPARE(picture.pixelColor(480 + 5, 540 + 20), kMonitor);
        QCOMPARE(picture.pixelColor(1440 + 5, 216 + 20), QColor(Qt::white));

        // A held button rings the tip; a held key is named beside the pointer. (Compared
        // around the pointer: the clock's text may differ in its last bit between frames.)
        const QRect around(1300, 100, 400, 300);
        const QImage moved = picture.copy(around);
        state.mouse.apply(1, 7500, 2000, 0, 0);
        QVERIFY(render(state).copy(around) != moved);
        state.mouse.apply(2, 7500, 2000, 0, 0);
        QCOMPARE(render(state).copy(around), moved);
        state.mouse.apply(7, 0, 0, Qt::Key_A, 0);
        QVERIFY(render(state).copy(around) != moved);
        state.mouse.apply(8, 0, 0, Qt::Key_A, 0);
        QCOMPARE(render(state).copy(around), moved);
    }
};

PELMORA_TEST_MAIN(TestSimWallPicture)
#include "tst_simwallpicture.moc"
