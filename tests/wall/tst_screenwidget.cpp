#include "fakeclock.h"
#include "testmain.h"
#include "uikit/nestedwait.h"
#include "wall/screenecho.h"
#include "wall/screenwidget.h"
#include "wall/windowwidget.h"
#include "walllayout.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>

#include <memory>

using pelmora::test::threeMonitors;
using Clock = pelmora::test::FakeClock<WindowWidget>;

namespace {

constexpr auto r = &pelmora::test::rectFromTo;

void mouse(QWidget *target, QWidget *canvas, QEvent::Type type, const QPoint &canvasPos,
           Qt::MouseButton button = Qt::NoButton, Qt::MouseButtons buttons = Qt::NoButton)
{
    const QPoint global = canvas->mapToGlobal(canvasPos);
    QMouseEvent event(type, target->mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// A drag of `delta` canvas pixels on an item, starting from `from` (canvas coordinates).
void dragItem(WindowWidget *item, QWidget *canvas, const QPoint &from, const QPoint &to)
{
    mouse(item, canvas, QEvent::MouseMove, from);
    mouse(item, canvas, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    Clock::advance(100);
    mouse(item, canvas, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    mouse(item, canvas, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

struct Drop
{
    QString text;
    uint vid = 0;
    int mediaType = 0;
};

// Drags a resource over the canvas and drops it; returns whether the drop was accepted.
bool dropOn(ScreenWidget *canvas, const QPoint &pos, const Drop &drop)
{
    QMimeData mime;
    mime.setText(drop.text);
    mime.setProperty("vid", drop.vid);
    mime.setProperty("mediaType", drop.mediaType);
    mime.setProperty("source", QStringLiteral("list"));
    QDragEnterEvent enter(pos, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &enter);
    QDragMoveEvent move(pos, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
    if (!enter.isAccepted() || !move.isAccepted() || move.dropAction() != Qt::MoveAction)
        return false;
    QDropEvent dropEvent(pos, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    dropEvent.setAccepted(false);
    QApplication::sendEvent(canvas, &dropEvent);
    return dropEvent.isAccepted() && dropEvent.dropAction() == Qt::MoveAction;
}

// Takes the records emitted by onNewWindow (the receiver owns them).
class NewWindows : public QObject
{
public:
    explicit NewWindows(ScreenWidget *canvas)
    {
        connect(canvas, &ScreenWidget::onNewWindow, this,
                [this](S_WINDOW *window) { records.emplace_back(window); });
    }
    std::vector<std::unique_ptr<S_WINDOW>> records;
};

} // namespace

class TestScreenWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void layoutAndCells();
    void addWindowIds();
    void addWindowList();
    void findSelectLowerRemove();
    void clearRetiresItems();
    void zoomRelayout();
    void moveSnaps_data();
    void moveSnaps();
    void rightEdgePastWall();
    void resizeKeepsTheMinimum();
    void draggedOffWallCloses();
    void rubberBand_data();
    void rubberBand();
    void dropOnEmptyCanvas();
    void dropWithoutText();
    void dropReplacesWindow();
    void dropChangesVideoInUniformMode();
    void pressTiming_data();
    void pressTiming();
    void clickTimerRunsOut();
    void raiseOnPress();
    void maximiseThenRestore();
    void enlargeAndRestore();
    void gestureAnnouncementsInOrder();
    void removalDuringNestedWait_data();
    void removalDuringNestedWait();
    void echoFrames();
    void paintsSelectedCellAndGrid();
    void paintsOutputLabels_data();
    void paintsOutputLabels();

private:
    Clock m_clock;
    ScreenWidget *m_canvas = nullptr;
};

void TestScreenWidget::initTestCase()
{
    QApplication::setStartDragDistance(10);
}

void TestScreenWidget::init()
{
    Clock::set(1000);
    WindowWidget::resetLiveUpdate();
    m_canvas = new ScreenWidget;
    m_canvas->setObjectName(QStringLiteral("labelScreen"));
    m_canvas->resize(2880, 540);
    m_canvas->setScreenLayout(200, 0, threeMonitors());
    m_canvas->setConnected(true);
    m_canvas->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_canvas));
}

void TestScreenWidget::cleanup()
{
    delete m_canvas;
    m_canvas = nullptr;
}

void TestScreenWidget::layoutAndCells()
{
    QCOMPARE(m_canvas->totalWidth(), 5760);
    QCOMPARE(m_canvas->totalHeight(), 1080);
    QCOMPARE(m_canvas->selectedCell(), r(0, 0, 1919, 1079));
    QCOMPARE(m_canvas->cellRect(false, -1), r(0, 0, 959, 539));
    QCOMPARE(m_canvas->cellRect(true, 0, 2), r(3840, 0, 5759, 1079));

    QList<QRect> cells;
    for (int i = 0; i < 3; ++i) {
        m_canvas->selectNextCell();
        cells.append(m_canvas->selectedCell());
    }
    QCOMPARE(cells, (QList<QRect>{r(1920, 0, 3839, 1079), r(3840, 0, 5759, 1079), r(0, 0, 1919, 1079)}));

    // A new layout selects the cell at (10, 10) again.
    m_canvas->selectNextCell();
    m_canvas->setScreenLayout(7, 2, threeMonitors());
    QCOMPARE(m_canvas->selCol(), 0);
    QCOMPARE(m_canvas->groupIndex(), 2);
    QCOMPARE(m_canvas->screenMode(), 7);
}

void TestScreenWidget::addWindowIds()
{
    QSet<uint> ids;
    for (int i = 0; i < 200; ++i) {
        const uint id = m_canvas->addWindow(QString(), -1, -1, 0)->windowId();
        QVERIFY(id <= 32767);
        ids.insert(id);
    }
    QCOMPARE(ids.size(), 200);

    m_canvas->selectNextCell();
    WindowWidget *item = m_canvas->addWindow(QStringLiteral("clip"), 9, 40000, 4);
    QCOMPARE(item->windowId(), 40000u);
    QCOMPARE(item->videoId(), 9);
    QCOMPARE(item->winType(), 4);
    QCOMPARE(item->screenMode(), 200);
    QVERIFY(!item->echoOn());
    QCOMPARE(item->realRect(), r(1920, 0, 3839, 1079)); // the selected cell
    QCOMPARE(item->geometry(), r(960, 0, 1919, 539));
    QCOMPARE(item->history().entries(), QList<QRect>{QRect()});
    QCOMPARE(m_canvas->windows().last(), item);
    QCOMPARE(item->parentWidget(), m_canvas);
}

void TestScreenWidget::addWindowList()
{
    const QJsonObject reply = QJsonDocument::fromJson(R"({"Windows": [
        {"WindowId": 3, "WindowType": 1, "WindowRect": {"Left": 100, "Top": 0, "Right": 1060, "Bottom": 540},
         "ResList": [{"Name": "p1.jpg"}, {"Name": "p2.jpg"}]},
        {"WindowId": 3000000000, "WindowType": 2, "Name": "page",
         "WindowRect": {"Left": 0, "Top": 0, "Right": 1920, "Bottom": 1080}}]})")
                                  .object();
    m_canvas->addWindows(wall::parseWindowList(reply));
    QCOMPARE(m_canvas->windows().size(), 2);
    const WindowWidget *pictures = m_canvas->windows().first();
    QCOMPARE(pictures->windowId(), 3u);
    QCOMPARE(pictures->winType(), 1);
    QCOMPARE(pictures->videoId(), 0);
    QCOMPARE(pictures->name(), QStringLiteral("p1.jpg"));
    QCOMPARE(pictures->fileList(), (QStringList{QStringLiteral("p1.jpg"), QStringLiteral("p2.jpg")}));
    QCOMPARE(pictures->realRect(), r(100, 0, 1059, 539));
    QCOMPARE(m_canvas->windows().last()->name(), QStringLiteral("page")); // on top
    QCOMPARE(m_canvas->windows().last()->windowId(), 3000000000u);        // all 32 bits kept
}

void TestScreenWidget::findSelectLowerRemove()
{
    WindowWidget *a = m_canvas->addWindow(QStringLiteral("a"), 1, 1, 0, QRect(0, 0, 1920, 1080));
    WindowWidget *b = m_canvas->addWindow(QStringLiteral("b"), 2, 2, 0, QRect(1920, 0, 1920, 1080));
    WindowWidget *c = m_canvas->addWindow(QStringLiteral("b"), 3, 3, 0, QRect(3840, 0, 1920, 1080));
    QCOMPARE(m_canvas->findWindow(3), c);
    QCOMPARE(m_canvas->findWindowByName(QStringLiteral("b")), b);
    QVERIFY(!m_canvas->hasWindow(4));
    QCOMPARE(m_canvas->selectedWindow(), nullptr);

    m_canvas->selectWindow(2);
    QCOMPARE(m_canvas->selectedWindow(), b);
    QVERIFY(!a->isSelected() && !c->isSelected());

    m_canvas->lowerWindow(3);
    QCOMPARE(m_canvas->windows(), (QList<WindowWidget *>{c, a, b}));

    QSignalSpy raised(m_canvas, &ScreenWidget::onWindowRaised);
    QVERIFY(m_canvas->removeWindow(2));
    QVERIFY(!m_canvas->removeWindow(2));
    QCOMPARE(m_canvas->windows(), (QList<WindowWidget *>{c, a}));
    QVERIFY(a->isSelected()); // the topmost remaining item
    QCOMPARE(raised.size(), 1);
    QCOMPARE(raised.at(0).at(0).toUInt(), 1u);

    QVERIFY(m_canvas->removeWindow(3)); // not selected: nothing raised
    QCOMPARE(raised.size(), 1);
}

void TestScreenWidget::clearRetiresItems()
{
    QPointer<WindowWidget> a = m_canvas->addWindow(QStringLiteral("a"), 1, 1, 0);
    QPointer<WindowWidget> b = m_canvas->addWindow(QStringLiteral("b"), 2, 2, 0);
    QSignalSpy clicked(m_canvas, &ScreenWidget::onWindowButtonClicked);
    m_canvas->clearWindows();
    QVERIFY(m_canvas->windows().isEmpty());
    QVERIFY(a && a->isRemoved() && a->isHidden());
    a->button(WindowWidget::CloseButton)->click(); // no longer connected to the canvas
    QCOMPARE(clicked.size(), 0);
    QTRY_VERIFY(a.isNull() && b.isNull());
}

void TestScreenWidget::zoomRelayout()
{
    WindowWidget *item = m_canvas->addWindow(QString(), 0, 1, 0, QRect(1920, 0, 1920, 1080));
    const QString label = wall::zoomLabel(wall::zoomIn(1.0f));
    QCOMPARE(label, QStringLiteral("150%"));
    const QRect geometry =
        wall::zoomedCanvasGeometry(1.5f, QSize(2880, 540), m_canvas->totalWidth(), m_canvas->totalHeight());
    QCOMPARE(geometry, QRect(0, 0, 3600, 675)); // 1.25 times the slot
    m_canvas->setGeometry(geometry);
    m_canvas->relayoutWindows(-1);
    QCOMPARE(item->geometry(), r(1200, 0, 2399, 674));
}

void TestScreenWidget::moveSnaps_data()
{
    QTest::addColumn<int>("dx");
    QTest::addColumn<QRect>("expected");
    // Canvas 975 maps to wall 1950: 30 past the boundary, so it snaps and keeps its width.
    QTest::newRow("1950 snaps") << 975 << r(1920, 0, 3839, 1079);
    // 1990 is 70 past one boundary and 1850 before the next: it stays.
    QTest::newRow("1990 stays") << 995 << r(1990, 0, 3909, 1079);
}

void TestScreenWidget::moveSnaps()
{
    QFETCH(int, dx);
    QFETCH(QRect, expected);
    WindowWidget *item = m_canvas->addWindow(QString(), 0, 5, 0, QRect(0, 0, 1920, 1080));
    QSignalSpy resized(m_canvas, &ScreenWidget::onWindowResize);
    dragItem(item, m_canvas, QPoint(480, 270), QPoint(480 + dx, 270));

    QCOMPARE(resized.size(), 2); // the live update and the final report
    QCOMPARE(resized.last().at(0).toUInt(), 5u);
    QCOMPARE(resized.last().at(1).toRect(), expected);
    QCOMPARE(resized.last().at(2).toBool(), false); // selected by the press
    QCOMPARE(item->realRect(), expected);
    QCOMPARE(item->geometry(), m_canvas->wallToCanvas(expected));
    QCOMPARE(item->history().entries().first(), QRect());
    QCOMPARE(item->history().entries().at(1), r(0, 0, 1919, 1079));
}

void TestScreenWidget::rightEdgePastWall()
{
    WindowWidget *item = m_canvas->addWindow(QString(), 0, 5, 0, QRect(3840, 0, 1920, 1080));
    QSignalSpy resized(m_canvas, &ScreenWidget::onWindowResize);
    dragItem(item, m_canvas, QPoint(2875, 270), QPoint(3100, 270)); // frame right is 2879
    QVERIFY(!resized.isEmpty());
    QCOMPARE(resized.last().at(1).toRect(), r(3840, 0, 5759, 1079));
}

// The right edge dragged across the left one stops at the minimum window (128 wall pixels
// on this half-scale canvas): nothing is closed, and the item can still be grabbed.
void TestScreenWidget::resizeKeepsTheMinimum()
{
    WindowWidget *item = m_canvas->addWindow(QString(), 0, 5, 0, r(1920, 0, 3839, 1079));
    QSignalSpy resized(m_canvas, &ScreenWidget::onWindowResize);
    QSignalSpy clicked(m_canvas, &ScreenWidget::onWindowButtonClicked);
    dragItem(item, m_canvas, QPoint(1915, 270), QPoint(800, 270)); // frame right is 1919
    QCOMPARE(clicked.size(), 0);
    QVERIFY(!resized.isEmpty());
    QCOMPARE(resized.last().at(1).toRect(), r(1920, 0, 2047, 1079));
    QCOMPARE(item->realRect(), r(1920, 0, 2047, 1079));
    QCOMPARE(item->geometry(), r(960, 0, 1023, 539));

    // A drag from the middle moves it.
    dragItem(item, m_canvas, item->geometry().center(), item->geometry().center() + QPoint(200, 0));
    QCOMPARE(item->realRect(), r(2320, 0, 2447, 1079));
}

void TestScreenWidget::draggedOffWallCloses()
{
    m_canvas->setScreenLayout(7, 0, threeMonitors()); // uniform mode does not clamp
    WindowWidget *item = m_canvas->addWindow(QString(), 0, 5, 0, QRect(0, 0, 1920, 1080));
    QSignalSpy clicked(m_canvas, &ScreenWidget::onWindowButtonClicked);
    QSignalSpy resized(m_canvas, &ScreenWidget::onWindowResize);
    dragItem(item, m_canvas, QPoint(480, 270), QPoint(3480, 270));
    QVERIFY(!clicked.isEmpty());
    QCOMPARE(clicked.last().at(0).toUInt(), 5u);
    QCOMPARE(clicked.last().at(1).toInt(), 0);
    QCOMPARE(resized.size(), 0);
    QCOMPARE(item->realRect(), r(0, 0, 1919, 1079));
}

void TestScreenWidget::rubberBand_data()
{
    QTest::addColumn<bool>("connected");
    QTest::addColumn<QPoint>("to"); // from (100, 100)
    QTest::addColumn<QRect>("expected");

    QTest::newRow("15 px wide") << true << QPoint(114, 200) << QRect();
    QTest::newRow("15 px high") << true << QPoint(200, 114) << QRect();
    QTest::newRow("16 px") << true << QPoint(115, 115) << r(0, 0, 1919, 1079);
    QTest::newRow("inside one monitor") << true << QPoint(400, 300) << r(0, 0, 1919, 1079);
    QTest::newRow("drawn backwards") << true << QPoint(20, 20) << r(0, 0, 1919, 1079);
    QTest::newRow("across two monitors") << true << QPoint(1100, 300) << r(0, 0, 3839, 1079);
    QTest::newRow("not connected") << false << QPoint(400, 300) << QRect();
}

void TestScreenWidget::rubberBand()
{
    QFETCH(bool, connected);
    QFETCH(QPoint, to);
    QFETCH(QRect, expected);
    m_canvas->setConnected(connected);
    NewWindows created(m_canvas);

    mouse(m_canvas, m_canvas, QEvent::MouseButtonPress, QPoint(100, 100), Qt::LeftButton, Qt::LeftButton);
    mouse(m_canvas, m_canvas, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    mouse(m_canvas, m_canvas, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);

    if (expected.isNull()) {
        QVERIFY(created.records.empty());
        QVERIFY(m_canvas->windows().isEmpty());
        return;
    }
    QCOMPARE(created.records.size(), size_t(1));
    const S_WINDOW &window = *created.records.front();
    QCOMPARE(m_canvas->windows().size(), 1);
    WindowWidget *item = m_canvas->windows().first();
    QCOMPARE(window.source, QStringLiteral("LocalVideo"));
    QCOMPARE(window.videoId, -1);
    QCOMPARE(window.windowId, item->windowId());
    QCOMPARE(window.realRect, expected);
    QCOMPARE(window.name, QString());
    QVERIFY(window.drawn); // not a resource: the main window puts one in
    QCOMPARE(item->realRect(), expected);
    QCOMPARE(item->videoId(), -1);
}

void TestScreenWidget::dropOnEmptyCanvas()
{
    NewWindows created(m_canvas);
    QVERIFY(dropOn(m_canvas, QPoint(1500, 270), {QStringLiteral("show.mp4"), 42, 3}));
    QCOMPARE(m_canvas->selectedCell(), r(1920, 0, 3839, 1079)); // followed the drag
    QCOMPARE(m_canvas->windows().size(), 1);
    WindowWidget *item = m_canvas->windows().first();
    QCOMPARE(item->realRect(), r(1920, 0, 3839, 1079));
    QCOMPARE(item->name(), QStringLiteral("show.mp4"));
    QCOMPARE(item->videoId(), 42);

    QCOMPARE(created.records.size(), size_t(1));
    const S_WINDOW &window = *created.records.front();
    QCOMPARE(window.source, QStringLiteral("LocalVideo"));
    QCOMPARE(window.videoId, 42);
    QCOMPARE(window.windowId, item->windowId());
    QCOMPARE(window.winType, 3);
    QCOMPARE(window.realRect, item->realRect());
    QCOMPARE(window.name, QStringLiteral("show.mp4"));
    QVERIFY(!window.drawn);
}

void TestScreenWidget::dropWithoutText()
{
    NewWindows created(m_canvas);
    QVERIFY(!dropOn(m_canvas, QPoint(1500, 270), {QString(), 42, 0}));
    QVERIFY(m_canvas->windows().isEmpty());
    QVERIFY(created.records.empty());
}

void TestScreenWidget::dropReplacesWindow()
{
    WindowWidget *old = m_canvas->addWindow(QStringLiteral("old"), 1, 77, 0, QRect(0, 0, 1920, 1080));
    QStringList log;
    connect(m_canvas, &ScreenWidget::onWindowButtonClicked, this, [&](uint id, int butId) {
        log << QStringLiteral("button %1 %2").arg(id).arg(butId);
        m_canvas->removeWindow(id); // what the main window does for a close
    });
    std::unique_ptr<S_WINDOW> record;
    connect(m_canvas, &ScreenWidget::onNewWindow, this, [&](S_WINDOW *window) {
        log << QStringLiteral("new %1").arg(window->windowId);
        record.reset(window);
    });
    QPointer<WindowWidget> oldGuard(old);

    QVERIFY(dropOn(m_canvas, QPoint(480, 270), {QStringLiteral("new.mp4"), 8, 1}));
    QCOMPARE(log, (QStringList{QStringLiteral("button 77 0"), QStringLiteral("new 77")}));
    QCOMPARE(m_canvas->windows().size(), 1);
    WindowWidget *item = m_canvas->windows().first();
    QVERIFY(item != oldGuard.data());
    QCOMPARE(item->windowId(), 77u);
    QCOMPARE(item->name(), QStringLiteral("new.mp4"));
    QCOMPARE(item->videoId(), 8);
    QCOMPARE(item->realRect(), r(0, 0, 1919, 1079));
    QCOMPARE(record->realRect, r(0, 0, 1919, 1079));
    QCOMPARE(record->winType, 1);
    QCOMPARE(record->videoId, 8);
    QTRY_VERIFY(oldGuard.isNull());
}

void TestScreenWidget::dropChangesVideoInUniformMode()
{
    m_canvas->setScreenLayout(7, 0, threeMonitors());
    WindowWidget *below = m_canvas->addWindow(QStringLiteral("below"), 1, 10, 0, QRect(0, 0, 1920, 1080));
    WindowWidget *item = m_canvas->addWindow(QStringLiteral("old"), 1, 11, 0, QRect(0, 0, 960, 1080));
    m_canvas->lowerWindow(11);
    NewWindows created(m_canvas);
    QSignalSpy clicked(m_canvas, &ScreenWidget::onWindowButtonClicked);
    QSignalSpy changed(m_canvas, &ScreenWidget::onChangeVideo);

    QVERIFY(dropOn(m_canvas, QPoint(100, 100), {QStringLiteral("new.mp4"), 8, 0}));
    QCOMPARE(changed.size(), 1); // the topmost item under the point
    QCOMPARE(changed.at(0).at(0).toUInt(), 10u);
    QCOMPARE(changed.at(0).at(1).toInt(), 8);
    QCOMPARE(changed.at(0).at(2).toString(), QStringLiteral("new.mp4"));
    QCOMPARE(below->name(), QStringLiteral("new.mp4"));
    QCOMPARE(below->videoId(), 8);
    QCOMPARE(item->name(), QStringLiteral("old"));
    QCOMPARE(m_canvas->windows().last(), below);
    QVERIFY(created.records.empty());
    QCOMPARE(clicked.size(), 0);
}

// The second press counts as a double-click while the 300 ms timer of the first still runs;
// once the timer has run out (its timeout handler, called as the timer calls it) the count
// starts again.
void TestScreenWidget::pressTiming_data()
{
    QTest::addColumn<bool>("timerRanOut");
    QTest::addColumn<int>("doubleClicks");
    QTest::newRow("within the interval") << false << 1;
    QTest::newRow("after the interval") << true << 0;
}

void TestScreenWidget::pressTiming()
{
    QFETCH(bool, timerRanOut);
    QFETCH(int, doubleClicks);
    QSignalSpy dbl(m_canvas, &ScreenWidget::onScreenDblClicked);
    const QPoint p(1500, 270);
    mouse(m_canvas, m_canvas, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    mouse(m_canvas, m_canvas, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
    QVERIFY(m_canvas->clickTimerActive());
    QCOMPARE(m_canvas->clickTimerInterval(), 300);
    QCOMPARE(m_canvas->clickCount(), 1);
    if (timerRanOut) {
        m_canvas->slotTimerTimeOut();
        QVERIFY(!m_canvas->clickTimerActive());
        QCOMPARE(m_canvas->clickCount(), 0);
    }
    mouse(m_canvas, m_canvas, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    mouse(m_canvas, m_canvas, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(dbl.size(), doubleClicks);
    if (doubleClicks) {
        QCOMPARE(m_canvas->selCol(), 1);
        QCOMPARE(dbl.at(0).at(0).toInt(), 0); // the cells subdivide the group's one screen
        QCOMPARE(m_canvas->clickCount(), 0);
        QVERIFY(!m_canvas->clickTimerActive());
    } else {
        QCOMPARE(m_canvas->clickCount(), 1); // a first click again
        QVERIFY(m_canvas->clickTimerActive());
    }
    QVERIFY(m_canvas->windows().isEmpty()); // clicks draw no band window
}

// The timer runs out by itself: a press is then a first click again.
void TestScreenWidget::clickTimerRunsOut()
{
    const QPoint p(1500, 270);
    mouse(m_canvas, m_canvas, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!m_canvas->clickTimerActive(), 10000);
    QCOMPARE(m_canvas->clickCount(), 0);
}

void TestScreenWidget::raiseOnPress()
{
    WindowWidget *lower = m_canvas->addWindow(QString(), 0, 1, 0, QRect(1920, 0, 1920, 1080));
    m_canvas->addWindow(QString(), 0, 2, 0, QRect(0, 0, 1920, 1080));
    QSignalSpy raised(m_canvas, &ScreenWidget::onWindowRaised);
    mouse(lower, m_canvas, QEvent::MouseButtonPress, QPoint(1500, 270), Qt::LeftButton, Qt::LeftButton);
    mouse(lower, m_canvas, QEvent::MouseButtonRelease, QPoint(1500, 270), Qt::LeftButton, Qt::NoButton);
    QCOMPARE(raised.size(), 1);
    QCOMPARE(raised.at(0).at(0).toUInt(), 1u);
    QCOMPARE(m_canvas->windows().last(), lower);
    QCOMPARE(m_canvas->selectedWindow(), lower);
    QCOMPARE(m_canvas->selectedCell(), r(1920, 0, 3839, 1079));
}

void TestScreenWidget::maximiseThenRestore()
{
    WindowWidget *item = m_canvas->addWindow(QString(), 0, 5, 0, QRect(0, 0, 1920, 1080));
    QCOMPARE(m_canvas->restoreWindow(5), QRect()); // only the empty entry: nothing
    QCOMPARE(item->realRect(), r(0, 0, 1919, 1079));

    QSignalSpy resized(m_canvas, &ScreenWidget::onWindowResize);
    QSignalSpy clicked(m_canvas, &ScreenWidget::onWindowButtonClicked);
    mouse(item, m_canvas, QEvent::MouseButtonDblClick, QPoint(100, 100), Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(resized.size(), 1);
    QCOMPARE(resized.at(0).at(1).toRect(), r(0, 0, 5759, 1079));
    QCOMPARE(resized.at(0).at(2).toBool(), true);
    QCOMPARE(item->geometry(), m_canvas->rect());

    // Double-clicking the maximised window asks for a restore.
    mouse(item, m_canvas, QEvent::MouseButtonDblClick, QPoint(100, 100), Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(clicked.size(), 1);
    QCOMPARE(clicked.at(0).at(1).toInt(), 2);
    QCOMPARE(m_canvas->restoreWindow(5), r(0, 0, 1919, 1079));
    QCOMPARE(item->geometry(), r(0, 0, 959, 539));
    QCOMPARE(m_canvas->restoreWindow(5), QRect());
    QCOMPARE(item->realRect(), r(0, 0, 1919, 1079));
}

void TestScreenWidget::enlargeAndRestore()
{
    WindowWidget *item = m_canvas->addWindow(QString(), 0, 5, 0, r(2000, 100, 3000, 900));
    QCOMPARE(m_canvas->enlargeWindow(5), r(1920, 0, 3839, 1079));
    QCOMPARE(item->geometry(), r(960, 0, 1919, 539));
    QCOMPARE(m_canvas->enlargeWindow(5), r(0, 0, 5759, 1079));
    QCOMPARE(m_canvas->enlargeWindow(5), r(0, 0, 5759, 1079)); // unchanged: no history entry
    QCOMPARE(m_canvas->restoreWindow(5), r(1920, 0, 3839, 1079));
    QCOMPARE(m_canvas->restoreWindow(5), r(2000, 100, 3000, 900));
    QCOMPARE(m_canvas->enlargeWindow(99), QRect());
}

// What the main window hears of a gesture, in order: a press on an unselected item raises it
// (the window is brought to the top before it moves), the drag sends a live update, the
// release the final report; a drop on an occupied cell closes the old window before it
// opens the new one.
void TestScreenWidget::gestureAnnouncementsInOrder()
{
    WindowWidget *item = m_canvas->addWindow(QString(), 0, 5, 0, QRect(0, 0, 1920, 1080));
    QStringList heard;
    connect(m_canvas, &ScreenWidget::onWindowRaised, this,
            [&](uint id) { heard << QStringLiteral("raised %1").arg(id); });
    connect(m_canvas, &ScreenWidget::onWindowResize, this, [&](uint id, const QRect &, bool moveTop) {
        heard << QStringLiteral("resize %1 %2").arg(id).arg(moveTop);
    });
    connect(m_canvas, &ScreenWidget::onWindowButtonClicked, this, [&](uint id, int button) {
        heard << QStringLiteral("button %1 %2").arg(id).arg(button);
        m_canvas->removeWindow(id);
    });
    NewWindows created(m_canvas);
    connect(m_canvas, &ScreenWidget::onNewWindow, this,
            [&](S_WINDOW *window) { heard << QStringLiteral("new %1").arg(window->windowId); });

    dragItem(item, m_canvas, QPoint(480, 270), QPoint(700, 270));
    QVERIFY(dropOn(m_canvas, QPoint(480, 270), {QStringLiteral("new.mp4"), 8, 1}));
    QCOMPARE(heard, (QStringList{"raised 5", "resize 5 1", "resize 5 0", "button 5 0", "new 5"}));
}

void TestScreenWidget::removalDuringNestedWait_data()
{
    QTest::addColumn<bool>("finalReport"); // else the live update during the drag
    QTest::addColumn<bool>("clearAll");    // else removeWindow
    QTest::newRow("clear during a live update") << false << true;
    QTest::newRow("remove during a live update") << false << false;
    QTest::newRow("clear during the final report") << true << true;
    QTest::newRow("remove during the final report") << true << false;
}

void TestScreenWidget::removalDuringNestedWait()
{
    QFETCH(bool, finalReport);
    QFETCH(bool, clearAll);
    QPointer<WindowWidget> item = m_canvas->addWindow(QString(), 0, 5, 0, QRect(0, 0, 1920, 1080));
    m_canvas->addWindow(QString(), 0, 6, 0, QRect(1920, 0, 1920, 1080));

    // The receiver waits like a synchronous command; meanwhile the session ends.
    int waits = 0;
    connect(m_canvas, &ScreenWidget::onWindowResize, this, [&](uint, QRect, bool moveTop) {
        if (moveTop == finalReport)
            return; // live updates carry moveTop, the final report of a selected item does not
        ++waits;
        uikit::WaitScope scope;
        QEventLoop loop;
        QTimer::singleShot(0, m_canvas, [&] {
            if (clearAll)
                m_canvas->clearWindows();
            else
                m_canvas->removeWindow(5);
            loop.quit();
        });
        loop.exec();
        QVERIFY(item); // still alive until every wait has returned
    });

    dragItem(item, m_canvas, QPoint(480, 270), QPoint(700, 270));
    QCOMPARE(waits, 1);
    QVERIFY(!m_canvas->hasWindow(5));
    QCOMPARE(m_canvas->windows().size(), clearAll ? 0 : 1);
    QTRY_VERIFY(item.isNull());
}

void TestScreenWidget::echoFrames()
{
    // Pictures of the echo wait in the queue (three at most); a paint shows the newest,
    // scaled to the whole canvas, and releases the others.
    wall::EchoFrameQueue &frames = m_canvas->echo()->frames();
    for (int i = 1; i <= 3; ++i) {
        QImage frame(64, 36, QImage::Format_RGB32);
        frame.fill(QColor(i * 60, 0, 0));
        QVERIFY(frames.push(frame));
    }
    QVERIFY(!frames.push(QImage(64, 36, QImage::Format_RGB32)));        // three are waiting
    const QPoint inside(m_canvas->width() / 6, m_canvas->height() / 4); // inside a cell
    QCOMPARE(m_canvas->grab().toImage().pixelColor(inside), QColor(180, 0, 0));
    QCOMPARE(frames.size(), 0);

    m_canvas->echo()->stopEcho();
    QVERIFY(m_canvas->grab().toImage().pixelColor(inside) != QColor(180, 0, 0));
}

void TestScreenWidget::paintsSelectedCellAndGrid()
{
    const QColor red(255, 0, 0);
    QImage image = m_canvas->grab().toImage();
    const QColor background = image.pixelColor(500, 270);
    QCOMPARE(image.pixelColor(2, 270), red);
    QVERIFY(image.pixelColor(962, 270) != red);

    int gridPixels = 0;
    for (int y = 0; y < 540; ++y) {
        if (image.pixelColor(960, y) != background)
            ++gridPixels;
    }
    QVERIFY(gridPixels > 100 && gridPixels < 540); // a dash-dot line at the monitor boundary

    m_canvas->selectNextCell();
    image = m_canvas->grab().toImage();
    QVERIFY(image.pixelColor(2, 270) != red);
    QCOMPARE(image.pixelColor(962, 270), red);
}

void TestScreenWidget::paintsOutputLabels_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("labelled");
    QTest::newRow("model code") << 7 << true;
    QTest::newRow("custom-size") << 200 << false;
    QTest::newRow("no labels") << 201 << false;
}

void TestScreenWidget::paintsOutputLabels()
{
    QFETCH(int, mode);
    QFETCH(bool, labelled);
    m_canvas->setScreenLayout(mode, 0, threeMonitors());
    m_canvas->setOutputNames({QStringLiteral("OUT1"), QStringLiteral("OUT2")});
    const QImage image = m_canvas->grab().toImage();
    // Counts the label's dark grey pixels in the middle of a cell.
    const auto inkIn = [&image](const QRect &cell) {
        const QRect middle(cell.center() - QPoint(100, 40), QSize(200, 80));
        int ink = 0;
        for (int y = middle.top(); y <= middle.bottom(); ++y) {
            for (int x = middle.left(); x <= middle.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (qAbs(c.red() - 128) < 40 && c.red() == c.green() && c.green() == c.blue())
                    ++ink;
            }
        }
        return ink;
    };
    QCOMPARE(inkIn(m_canvas->cellRect(false, 0, 0)) > 50, labelled);
    QCOMPARE(inkIn(m_canvas->cellRect(false, 0, 1)) > 50, labelled);
    QCOMPARE(inkIn(m_canvas->cellRect(false, 0, 2)), 0); // two outputs only
}

PELMORA_TEST_MAIN(TestScreenWidget)
#include "tst_screenwidget.moc"
