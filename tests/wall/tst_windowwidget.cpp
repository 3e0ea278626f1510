#include "fakeclock.h"
#include "testmain.h"
#include "wall/windowwidget.h"

#include <QPushButton>
#include <QSignalSpy>

using Clock = pelmora::test::FakeClock<WindowWidget>;

namespace {

// Sends a mouse event to `item` for a point given in its parent's (the canvas's) coordinates.
void mouse(WindowWidget *item, QEvent::Type type, const QPoint &canvasPos,
           Qt::MouseButton button = Qt::NoButton, Qt::MouseButtons buttons = Qt::NoButton)
{
    QWidget *canvas = item->parentWidget();
    QMouseEvent event(type, item->mapFromParent(canvasPos), canvas->mapToGlobal(canvasPos), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(item, &event);
}

void hover(WindowWidget *item, const QPoint &p)
{
    mouse(item, QEvent::MouseMove, p);
}
void press(WindowWidget *item, const QPoint &p)
{
    mouse(item, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
}
void drag(WindowWidget *item, const QPoint &p)
{
    mouse(item, QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton);
}
void release(WindowWidget *item, const QPoint &p)
{
    mouse(item, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
}

} // namespace

class TestWindowWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void buttons_data();
    void buttons();
    void hoverZones_data();
    void hoverZones();
    void marginDecidesResizeOrMove_data();
    void marginDecidesResizeOrMove();
    void dragThreshold();
    void liveUpdatesShareOneClock();
    void liveUpdateSlotsCountFromTheirStart();
    void lockedModeIgnoresMouse();
    void doubleClickThenDragDoesNotMove();
    void pinchGrowsAroundCentre();
    void titleText();
    void painting_data();
    void painting();

private:
    Clock m_clock;
    QWidget *m_canvas = nullptr;
    WindowWidget *m_item = nullptr;
};

void TestWindowWidget::initTestCase()
{
    qRegisterMetaType<RESIZE_DIR>("RESIZE_DIR");
    QApplication::setStartDragDistance(10);
}

void TestWindowWidget::init()
{
    Clock::set(1000);
    WindowWidget::resetLiveUpdate();
    m_canvas = new QWidget;
    m_canvas->resize(800, 600);
    m_item = new WindowWidget(m_canvas);
    m_item->setWindowId(7);
    m_item->setGeometry(100, 100, 200, 120); // frame x 100..299, y 100..219
    m_canvas->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_canvas));
}

void TestWindowWidget::cleanup()
{
    delete m_canvas;
    m_canvas = nullptr;
}

void TestWindowWidget::buttons_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("allButtons");
    QTest::newRow("custom-size") << 200 << true;
    QTest::newRow("locked") << 41 << false;
}

void TestWindowWidget::buttons()
{
    QFETCH(int, mode);
    QFETCH(bool, allButtons);
    m_item->setScreenMode(mode);
    m_item->resize(300, 120);

    QPushButton *close = m_item->button(WindowWidget::CloseButton);
    QPushButton *enlarge = m_item->button(WindowWidget::EnlargeButton);
    QPushButton *restore = m_item->button(WindowWidget::RestoreButton);
    QCOMPARE(close->geometry(), QRect(QPoint(251, 3), QPoint(298, 39)));
    QVERIFY(close->isVisibleTo(m_item));
    QCOMPARE(enlarge->isVisibleTo(m_item), allButtons);
    QCOMPARE(restore->isVisibleTo(m_item), allButtons);
    if (allButtons) {
        QCOMPARE(enlarge->geometry(), QRect(QPoint(201, 3), QPoint(248, 39)));
        QCOMPARE(restore->geometry(), QRect(QPoint(151, 3), QPoint(198, 39)));
    }

    QSignalSpy clicked(m_item, &WindowWidget::onWindowButtonClicked);
    close->click();
    enlarge->click();
    restore->click();
    QCOMPARE(clicked.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(clicked.at(i).at(0).toUInt(), 7u);
        QCOMPARE(clicked.at(i).at(1).toInt(), i);
    }
}

void TestWindowWidget::hoverZones_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<int>("dir");
    QTest::addColumn<int>("cursor");

    QTest::newRow("9 inside left") << QPoint(109, 160) << 4 << int(Qt::SizeHorCursor);
    QTest::newRow("10 inside left") << QPoint(110, 160) << 0 << int(Qt::ArrowCursor);
    QTest::newRow("right") << QPoint(290, 160) << 8 << int(Qt::SizeHorCursor);
    QTest::newRow("top") << QPoint(200, 105) << 1 << int(Qt::SizeVerCursor);
    QTest::newRow("bottom") << QPoint(200, 215) << 2 << int(Qt::SizeVerCursor);
    QTest::newRow("top-left") << QPoint(105, 105) << 5 << int(Qt::SizeFDiagCursor);
    QTest::newRow("top-right") << QPoint(295, 105) << 9 << int(Qt::SizeBDiagCursor);
    QTest::newRow("bottom-left") << QPoint(105, 215) << 6 << int(Qt::SizeBDiagCursor);
    QTest::newRow("bottom-right") << QPoint(295, 215) << 10 << int(Qt::SizeFDiagCursor);
}

void TestWindowWidget::hoverZones()
{
    QFETCH(QPoint, pos);
    QFETCH(int, dir);
    QFETCH(int, cursor);
    hover(m_item, pos);
    QCOMPARE(int(m_item->resizeDir()), dir);
    QCOMPARE(int(m_item->cursor().shape()), cursor);
}

void TestWindowWidget::marginDecidesResizeOrMove_data()
{
    QTest::addColumn<int>("inset");
    QTest::addColumn<int>("dir");
    QTest::addColumn<QRect>("geometry");
    // 9 pixels inside the left edge: the left edge follows the mouse, the right one stays.
    QTest::newRow("9 px resizes") << 9 << 4 << QRect(QPoint(79, 100), QPoint(299, 219));
    QTest::newRow("10 px moves") << 10 << 0 << QRect(70, 100, 200, 120);
}

void TestWindowWidget::marginDecidesResizeOrMove()
{
    QFETCH(int, inset);
    QFETCH(int, dir);
    QFETCH(QRect, geometry);
    QSignalSpy raised(m_item, &WindowWidget::onWindowRaised);
    QSignalSpy resized(m_item, &WindowWidget::onWindowResize);

    const QPoint start(100 + inset, 160);
    hover(m_item, start);
    press(m_item, start);
    QCOMPARE(raised.size(), 1);
    QCOMPARE(raised.at(0).at(1).toInt(), m_canvas->mapToGlobal(start).x());
    drag(m_item, start - QPoint(30, 0));
    QCOMPARE(m_item->geometry(), geometry);
    release(m_item, start - QPoint(30, 0));

    // One live update during the drag and the final report (not selected: moveTop).
    QCOMPARE(resized.size(), 2);
    for (const QList<QVariant> &args : resized) {
        QCOMPARE(args.at(0).toUInt(), 7u);
        QCOMPARE(args.at(1).value<RESIZE_DIR>(), RESIZE_DIR(dir));
        QCOMPARE(args.at(2).toBool(), true);
    }
    QCOMPARE(int(m_item->resizeDir()), 0);
}

void TestWindowWidget::dragThreshold()
{
    QSignalSpy resized(m_item, &WindowWidget::onWindowResize);
    const QRect before = m_item->geometry();
    hover(m_item, QPoint(200, 160));
    press(m_item, QPoint(200, 160));

    drag(m_item, QPoint(202, 162)); // 4 pixels
    QCOMPARE(m_item->geometry(), before);
    QCOMPARE(resized.size(), 0);

    drag(m_item, QPoint(203, 162)); // 5 pixels
    QCOMPARE(m_item->geometry(), before.translated(3, 2));
    QCOMPARE(resized.size(), 1); // the live update

    // Below the start-drag distance at release: no final report.
    release(m_item, QPoint(203, 162));
    QCOMPARE(resized.size(), 1);

    // A drag past it reports the end, with moveTop false for a selected item.
    m_item->setSelected(true);
    Clock::advance(100);
    press(m_item, QPoint(200, 160));
    drag(m_item, QPoint(240, 160));
    release(m_item, QPoint(240, 160));
    QCOMPARE(resized.size(), 3);
    QCOMPARE(resized.at(2).at(2).toBool(), false);
    QVERIFY(!m_item->isPressed());
}

void TestWindowWidget::liveUpdatesShareOneClock()
{
    auto *other = new WindowWidget(m_canvas);
    other->setWindowId(8);
    other->setGeometry(400, 300, 200, 120);
    other->show();
    QSignalSpy first(m_item, &WindowWidget::onWindowResize);
    QSignalSpy second(other, &WindowWidget::onWindowResize);

    press(m_item, QPoint(200, 160));
    press(other, QPoint(500, 360));
    struct Step
    {
        qint64 time;
        WindowWidget *item;
        QPoint pos;
    };
    const QList<Step> steps{{0, m_item, {220, 160}},  {20, m_item, {230, 160}}, {30, other, {520, 360}},
                            {31, other, {530, 360}},  {61, m_item, {240, 160}}, {62, m_item, {250, 160}},
                            {100, other, {540, 360}}, {120, other, {550, 360}}};
    for (const Step &step : steps) {
        Clock::set(5000 + step.time);
        drag(step.item, step.pos);
    }
    QCOMPARE(first.size(), 2);  // t = 0 and 62
    QCOMPARE(second.size(), 2); // t = 31 and 100
    QCOMPARE(m_item->geometry().left(), 150);
    QCOMPARE(other->geometry().left(), 450);
}

// The reply of a live update is awaited inside the announcement; the time that takes does
// not push the next slot back: a drag sends one live update every 31 ms.
void TestWindowWidget::liveUpdateSlotsCountFromTheirStart()
{
    QSignalSpy resized(m_item, &WindowWidget::onWindowResize);
    connect(m_item, &WindowWidget::onWindowResize, this, [] { Clock::advance(12); });
    press(m_item, QPoint(200, 160));
    for (const qint64 time : {0, 31, 62, 93}) {
        Clock::set(5000 + time);
        drag(m_item, QPoint(220 + time, 160));
    }
    QCOMPARE(resized.size(), 4);
}

void TestWindowWidget::lockedModeIgnoresMouse()
{
    m_item->setScreenMode(41);
    QSignalSpy raised(m_item, &WindowWidget::onWindowRaised);
    QSignalSpy resized(m_item, &WindowWidget::onWindowResize);
    QSignalSpy dbl(m_item, &WindowWidget::onWindowDblClicked);
    const QRect before = m_item->geometry();

    hover(m_item, QPoint(105, 160));
    QCOMPARE(int(m_item->resizeDir()), 0);
    press(m_item, QPoint(200, 160));
    drag(m_item, QPoint(260, 200));
    release(m_item, QPoint(260, 200));
    mouse(m_item, QEvent::MouseButtonDblClick, QPoint(260, 200), Qt::LeftButton, Qt::LeftButton);

    QCOMPARE(m_item->geometry(), before);
    QCOMPARE(raised.size() + resized.size() + dbl.size(), 0);
}

void TestWindowWidget::doubleClickThenDragDoesNotMove()
{
    QSignalSpy resized(m_item, &WindowWidget::onWindowResize);
    QSignalSpy dbl(m_item, &WindowWidget::onWindowDblClicked);
    const QRect before = m_item->geometry();
    const QPoint p(200, 160);
    press(m_item, p);
    release(m_item, p);
    mouse(m_item, QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(dbl.size(), 1);
    QCOMPARE(dbl.at(0).at(0).toUInt(), 7u);

    drag(m_item, QPoint(260, 200)); // the button is still down, but no new press
    release(m_item, QPoint(260, 200));
    QCOMPARE(m_item->geometry(), before);
    QCOMPARE(resized.size(), 0);
}

void TestWindowWidget::pinchGrowsAroundCentre()
{
    QSignalSpy resized(m_item, &WindowWidget::onWindowResize);
    m_item->setGeometry(50, 40, 100, 60);
    m_item->pinchStarted();
    m_item->pinchScaled(1.2);
    QCOMPARE(m_item->geometry(), QRect(40, 34, 120, 72));
    m_item->pinchScaled(1.5); // the total factor, from the start geometry
    QCOMPARE(m_item->geometry(), QRect(25, 25, 150, 90));
    QCOMPARE(resized.size(), 0);
    m_item->pinchFinished();
    QCOMPARE(resized.size(), 1);
    QCOMPARE(resized.at(0).at(1).value<RESIZE_DIR>(), RESIZE_ALL);
    QCOMPARE(resized.at(0).at(2).toBool(), true);
    QCOMPARE(m_item->pinchStart(), QRect(50, 40, 100, 60));
}

void TestWindowWidget::titleText()
{
    m_item->setName(QStringLiteral("大厅.mp4"));
    m_item->setRealRect(QRect(0, 0, 1920, 1080));
    QCOMPARE(m_item->titleText(), QStringLiteral("大厅.mp4[0,0,1920x1080]"));
    m_item->setRealRect(QRect(QPoint(100, 0), QPoint(1059, 539)));
    QCOMPARE(m_item->titleText(), QStringLiteral("大厅.mp4[100,0,960x540]"));
}

void TestWindowWidget::painting_data()
{
    QTest::addColumn<bool>("echo");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<int>("bodyAlpha");
    QTest::addColumn<bool>("titleBar");
    QTest::addColumn<QColor>("frame");

    const QColor grey(64, 64, 64);
    const QColor teal(29, 126, 150);
    QTest::newRow("plain") << false << false << 192 << true << grey;
    QTest::newRow("selected") << false << true << 192 << true << teal;
    QTest::newRow("echo") << true << false << 1 << false << grey;
    QTest::newRow("echo selected") << true << true << 1 << true << teal;
}

void TestWindowWidget::painting()
{
    QFETCH(bool, echo);
    QFETCH(bool, selected);
    QFETCH(int, bodyAlpha);
    QFETCH(bool, titleBar);
    QFETCH(QColor, frame);
    m_item->setEchoOn(echo);
    m_item->setSelected(selected);
    m_item->setName(QStringLiteral("clip"));

    QImage image(m_item->size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    m_item->render(&image);
    QCOMPARE(image.pixelColor(60, 100).alpha(), bodyAlpha);
    const int titleAlpha = image.pixelColor(60, 38).alpha();
    QCOMPARE(titleAlpha > bodyAlpha, titleBar);
    QCOMPARE(image.pixelColor(1, 100), frame);
}

PELMORA_TEST_MAIN(TestWindowWidget)
#include "tst_windowwidget.moc"
