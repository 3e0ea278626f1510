// The screen groups of a session in the real main window against the controller simulator:
// what the canvas shows after a login, whatever the session before it showed.
#include "../library/panelfixture.h"
#include "testmain.h"

#include <QJsonArray>
#include <QScrollArea>
#include <QScrollBar>

class TestScreenGroups : public QObject
{
    Q_OBJECT

    std::unique_ptr<PanelFixture> f;

    Ui::MainWindow2 &form() { return f->window->form(); }

private slots:
    void init()
    {
        uikit::Dialogs::reset();
        f = std::make_unique<PanelFixture>();
        QVERIFY(f->start(0));
        QVERIFY(f->login());
        QVERIFY(f->canvas->grid().hasCells());
        QVERIFY(f->canvas->totalWidth() > 0);
    }

    void cleanup() { f.reset(); }

    // A controller that reports no screen groups shows an empty wall, not the last one.
    void settingsWithoutGroupsShowAnEmptyWall()
    {
        f->simulator.setState(QJsonObject{{"Groups", QJsonArray()}});
        QVERIFY(f->login());
        QVERIFY(!f->canvas->grid().hasCells());
        QCOMPARE(f->canvas->totalWidth(), 0);
        QVERIFY(f->canvas->windows().isEmpty());
    }

    // The 100 % canvas of a new session fills the slot as the first one did, even when the
    // zoomed canvas before it made the scroll area show its scroll bars.
    void canvasSizeAfterReloginIgnoresTheZoom()
    {
        const QSize first = f->canvas->size();
        const QRect area = f->window->canvasArea();
        QTest::mouseClick(form().btnScreenZoomIn, Qt::LeftButton);
        QTest::mouseClick(form().btnScreenZoomIn, Qt::LeftButton);
        QVERIFY(f->canvas->width() > first.width());
        QScrollArea *scroll = form().scrollArea;
        QVERIFY(QTest::qWaitFor([scroll] {
            return scroll->horizontalScrollBar()->isVisible() || scroll->verticalScrollBar()->isVisible();
        }));

        QVERIFY(f->login());
        QCOMPARE(f->window->canvasArea(), area);
        QCOMPARE(f->canvas->size(), first);
    }

    // A switch gives the canvas the new group's shape, at the zoom the label shows.
    void groupSwitchTakesTheGroupsShape()
    {
        const QJsonArray groups = f->simulator.state().value(QStringLiteral("Groups")).toArray();
        QVERIFY(groups.size() >= 2);
        const QJsonObject second = groups[1].toObject();
        const double wide = second.value(QStringLiteral("Width")).toDouble() /
                            second.value(QStringLiteral("Height")).toDouble();
        const QJsonObject first = groups[0].toObject();
        QVERIFY(qAbs(wide - first.value(QStringLiteral("Width")).toDouble() /
                                first.value(QStringLiteral("Height")).toDouble()) > 0.5);

        QTest::mouseClick(form().btnScreenZoomIn, Qt::LeftButton);
        QCOMPARE(form().labelZoom->text(), QStringLiteral("150%"));
        QTest::mouseClick(form().btnMultiScreen2, Qt::LeftButton);
        QCOMPARE(f->window->currentScreenGroup(), 2);
        const QSize size = f->canvas->size();
        QVERIFY2(qAbs(double(size.width()) / size.height() - wide) < 0.02 * wide,
                 qPrintable(QStringLiteral("%1x%2").arg(size.width()).arg(size.height())));
        // 150 %: the canvas is 1.25 times the slot on the side that limits it.
        const QRect area = f->window->canvasArea();
        QVERIFY(size.width() == int(1.25 * area.width()) || size.height() == int(1.25 * area.height()));
    }
};

PELMORA_TEST_MAIN(TestScreenGroups)
#include "test_screengroups.moc"
