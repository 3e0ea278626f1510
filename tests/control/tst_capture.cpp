// The remote input's events: grid scale, dead band and request bodies without widgets, and
// the capture window turning real input into events.
#include "control/dialogremotemousectrl.h"
#include "control/inputevents.h"
#include "testmain.h"

#include <QJsonDocument>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

using control::GridScale;

Q_DECLARE_METATYPE(Qt::MouseButton)

namespace {
QList<int> kinds(const QList<S_KB_MOUSE_PARAM> &events)
{
    QList<int> out;
    for (const S_KB_MOUSE_PARAM &e : events)
        out.append(e.type);
    return out;
}

// A capture window scaled for a 1920 x 1080 screen, with what it announces.
struct Capture
{
    DialogRemoteMouseCtrl dialog{nullptr, QSize(1920, 1080)};
    QList<S_KB_MOUSE_PARAM> sent;

    Capture()
    {
        QObject::connect(&dialog, &DialogRemoteMouseCtrl::onMouseKBCtrl, &dialog,
                         [this](S_KB_MOUSE_PARAM p) { sent.append(p); });
    }
    bool exposed() { return QTest::qWaitForWindowExposed(&dialog); }
    QWindow *window() { return dialog.windowHandle(); }
};
} // namespace

class TestCapture : public QObject
{
    Q_OBJECT

private slots:
    void scaledPositions_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<QPoint>("grid");
        const QSize hd(1920, 1080);
        // 10000/1080 in single precision lies just below the exact quotient.
        QTest::newRow("centre") << hd << QPoint(960, 540) << QPoint(5000, 4999);
        QTest::newRow("last pixel") << hd << QPoint(1919, 1079) << QPoint(9994, 9990);
        QTest::newRow("near the origin") << hd << QPoint(1, 1) << QPoint(5, 9);
        QTest::newRow("origin") << hd << QPoint(0, 0) << QPoint(0, 0);
        QTest::newRow("another monitor to the right") << hd << QPoint(2500, 1200) << QPoint(10000, 10000);
        QTest::newRow("another monitor to the left") << hd << QPoint(-300, 10) << QPoint(0, 92);
        QTest::newRow("no screen") << QSize() << QPoint(10, 10) << QPoint(0, 0);
    }

    void scaledPositions()
    {
        QFETCH(QSize, screen);
        QFETCH(QPoint, pixel);
        QFETCH(QPoint, grid);
        QCOMPARE(GridScale::forScreen(screen).toGrid(pixel), grid);
    }

    void deadBand_data()
    {
        QTest::addColumn<QList<QPoint>>("moves");
        QTest::addColumn<QList<QPoint>>("sent");
        const QPoint a(200, 200);
        QTest::newRow("3 pixels not sent, 5 sent")
            << QList<QPoint>{a, {203, 200}, {205, 200}} << QList<QPoint>{a, {205, 200}};
        QTest::newRow("10 horizontal sent") << QList<QPoint>{a, {210, 200}} << QList<QPoint>{a, {210, 200}};
        QTest::newRow("5 vertical sent") << QList<QPoint>{a, {200, 195}} << QList<QPoint>{a, {200, 195}};
        QTest::newRow("4 and 4 not sent") << QList<QPoint>{a, {204, 196}} << QList<QPoint>{a};
        QTest::newRow("first move within 4 of the origin") << QList<QPoint>{{4, 3}} << QList<QPoint>{};
        QTest::newRow("creeping 2 at a time")
            << QList<QPoint>{a, {202, 200}, {204, 200}, {206, 200}} << QList<QPoint>{a, {206, 200}};
    }

    // The band is in screen pixels, through the capture window's real move events.
    void deadBand()
    {
        QFETCH(QList<QPoint>, moves);
        QFETCH(QList<QPoint>, sent);
        Capture capture;
        QVERIFY(capture.exposed());
        for (const QPoint &pixel : moves)
            QTest::mouseMove(capture.window(), capture.window()->mapFromGlobal(pixel));
        const GridScale scale = GridScale::forScreen(QSize(1920, 1080));
        QList<S_KB_MOUSE_PARAM> expected;
        for (const QPoint &pixel : sent)
            expected.append(control::pointerEvent(control::PointerMoved, scale.toGrid(pixel)));
        QCOMPARE(capture.sent, expected);
    }

    void requestBodies_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("body");
        const QByteArray pointer = "{\"Command\":\"MouseKBCtrl\",\"Type\":%1,\"X\":5000,\"Y\":4999}";
        const QByteArray key = "{\"Command\":\"MouseKBCtrl\",\"Key\":65,\"Modifiers\":33554432,\"Type\":%1}";
        for (int type = 0; type <= 8; ++type) {
            QTest::addRow("type %d", type)
                << type << QByteArray(type <= 6 ? pointer : key).replace("%1", QByteArray::number(type));
        }
    }

    // Pointer kinds carry only the position, key kinds only the key and modifiers.
    void requestBodies()
    {
        QFETCH(int, type);
        QFETCH(QByteArray, body);
        S_KB_MOUSE_PARAM event;
        event.type = type;
        event.x = 5000;
        event.y = 4999;
        event.key = Qt::Key_A;
        event.modifiers = Qt::ShiftModifier;
        QCOMPARE(QJsonDocument(control::mouseKbRequest(event)).toJson(QJsonDocument::Compact), body);
    }

    void mouseButtons_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("doubleClick");
        QTest::addColumn<QList<int>>("sent");
        QTest::newRow("left click") << Qt::LeftButton << false << QList<int>{1, 2};
        QTest::newRow("right click") << Qt::RightButton << false << QList<int>{4, 5};
        QTest::newRow("middle click") << Qt::MiddleButton << false << QList<int>{4, 5};
        QTest::newRow("left double click") << Qt::LeftButton << true << QList<int>{1, 2, 3, 2};
        QTest::newRow("right double click") << Qt::RightButton << true << QList<int>{4, 5, 6, 5};
    }

    void mouseButtons()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, doubleClick);
        QFETCH(QList<int>, sent);
        Capture capture;
        QVERIFY(capture.exposed());
        const QPoint at(300, 200);
        // A press away from the pointer comes after a move to it; here the pointer is there.
        QTest::mouseMove(capture.window(), at);
        capture.sent.clear();
        if (doubleClick)
            QTest::mouseDClick(capture.window(), button, Qt::NoModifier, at);
        else
            QTest::mouseClick(capture.window(), button, Qt::NoModifier, at);
        QCOMPARE(kinds(capture.sent), sent);
        const QPoint grid = GridScale::forScreen(QSize(1920, 1080)).toGrid(capture.window()->mapToGlobal(at));
        for (const S_KB_MOUSE_PARAM &e : qAsConst(capture.sent))
            QCOMPARE(QPoint(e.x, e.y), grid);
    }

    // The position is the screen position of the event, scaled for the screen the window
    // was made for.
    void clickUsesTheScreenPosition()
    {
        Capture capture;
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), QPointF(1919.4, 1078.6),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&capture.dialog, &press);
        QVERIFY(press.isAccepted());
        QCOMPARE(capture.sent.size(), 1);
        QCOMPARE(QPoint(capture.sent[0].x, capture.sent[0].y), QPoint(9994, 9990));
    }

    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QList<QList<int>>>("sent"); // {type, key, modifiers}
        const int shift = Qt::ShiftModifier;
        QTest::newRow("Shift+A") << int(Qt::Key_A) << shift
                                 << QList<QList<int>>{{7, Qt::Key_Shift, shift},
                                                      {7, 65, shift},
                                                      {8, 65, shift},
                                                      {8, Qt::Key_Shift, 0}};
        QTest::newRow("Return stays in the window")
            << int(Qt::Key_Return) << 0 << QList<QList<int>>{{7, Qt::Key_Return, 0}, {8, Qt::Key_Return, 0}};
        QTest::newRow("Tab is not a focus change")
            << int(Qt::Key_Tab) << 0 << QList<QList<int>>{{7, Qt::Key_Tab, 0}, {8, Qt::Key_Tab, 0}};
    }

    void keys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QList<QList<int>>, sent);
        Capture capture;
        QVERIFY(capture.exposed());
        QCOMPARE(QWidget::keyboardGrabber(), &capture.dialog);
        QTest::keyClick(&capture.dialog, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QList<QList<int>> got;
        for (const S_KB_MOUSE_PARAM &e : qAsConst(capture.sent)) {
            QCOMPARE(QPoint(e.x, e.y), QPoint(0, 0));
            got.append({e.type, e.key, e.modifiers});
        }
        QCOMPARE(got, sent);
        QVERIFY(capture.dialog.isVisible());
    }

    void escapeClosesUnsent()
    {
        Capture capture;
        QVERIFY(capture.exposed());
        QCOMPARE(QWidget::mouseGrabber(), &capture.dialog);
        QCOMPARE(QWidget::keyboardGrabber(), &capture.dialog);
        QTest::keyClick(&capture.dialog, Qt::Key_Escape);
        QVERIFY(capture.sent.isEmpty());
        QVERIFY(capture.dialog.isHidden());
        QCOMPARE(capture.dialog.result(), int(QDialog::Accepted));
        // The console has its input back.
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
        QCOMPARE(QWidget::keyboardGrabber(), nullptr);
    }

    void captureWindowCoversTheScreen()
    {
        Capture capture;
        QVERIFY(capture.exposed());
        QCOMPARE(capture.dialog.objectName(), QStringLiteral("DialogRemoteMouseCtrl"));
        QVERIFY(capture.dialog.hasMouseTracking());
        QCOMPARE(capture.dialog.frameGeometry(), QGuiApplication::primaryScreen()->availableGeometry());
        auto *tip = capture.dialog.findChild<QLabel *>(QStringLiteral("labelRemoteTip"));
        QVERIFY(tip && !tip->isEnabled());
        QCOMPARE(tip->text(), QStringLiteral("您已进入大屏控制模式，\n按Esc键退出。"));
        QCOMPARE(tip->font().pointSize(), 34);
        const GridScale scale = capture.dialog.scale();
        QCOMPARE(scale.sx, 10000.0f / 1920.0f);
        QCOMPARE(scale.sy, 10000.0f / 1080.0f);
    }
};

PELMORA_TEST_MAIN(TestCapture)
#include "tst_capture.moc"
