// Remote input reaching the controller: the ordered queue against a slow controller, and the
// capture window as the main window runs it.
#include "app/connectionflow.h"
#include "app/mainwindow2.h"
#include "app/mainwindow2_form.h"
#include "control/dialogremotemousectrl.h"
#include "control/inputqueue.h"
#include "control/remoteinput.h"
#include "net/hoststore.h"
#include "simsession.h"
#include "testmain.h"
#include "uikit/dialogs.h"
#include "uikit/nestedwait.h"
#include "windowsession.h"

#include <QPushButton>
#include <QTimer>

using control::keyEvent;
using control::pointerEvent;
using pelmora::test::waitFor;

namespace {
// What the controller received, in the order it arrived.
QList<S_KB_MOUSE_PARAM> arrived(const sim::Simulator &controller)
{
    QList<S_KB_MOUSE_PARAM> events;
    const auto requests = controller.requests(QStringLiteral("MouseKBCtrl"));
    for (const auto &request : requests) {
        const QJsonObject o = request.json();
        S_KB_MOUSE_PARAM e;
        e.type = o.value("Type").toInt();
        e.x = o.value("X").toInt();
        e.y = o.value("Y").toInt();
        e.key = o.value("Key").toInt();
        e.modifiers = o.value("Modifiers").toInt();
        events.append(e);
    }
    return events;
}

bool drained(const control::InputQueue &queue)
{
    return !queue.requestOnItsWay() && queue.waiting().isEmpty();
}

sim::Fault delay(int ms)
{
    sim::Fault fault{sim::Fault::Delay};
    fault.delayMs = ms;
    return fault;
}
} // namespace

class TestRemoteInput : public QObject
{
    Q_OBJECT

    std::unique_ptr<sim::Simulator> controller;
    std::unique_ptr<MainWindow2> window;

    // The real main window logged in to a simulator as the administrator.
    bool startWindow()
    {
        controller = pelmora::test::startController();
        window = controller ? pelmora::test::makeWindow() : nullptr;
        return window && pelmora::test::loginTo(*window, *controller);
    }

private slots:
    void init() { uikit::Dialogs::reset(); }
    void cleanup()
    {
        window.reset();
        controller.reset();
    }

    // A burst against a controller that answers every request 30 ms late: the events arrive
    // in the order they happened, and only the moves that waited are merged into the newest.
    void burstArrivesInOrder()
    {
        pelmora::test::SimSession session;
        QVERIFY(session.start());
        session.simulator.setFault(QStringLiteral("MouseKBCtrl"), delay(30));
        control::InputQueue queue(session.transport.get());

        QList<S_KB_MOUSE_PARAM> burst{pointerEvent(control::LeftPressed, {1000, 1000})};
        for (int i = 1; i <= 20; ++i)
            burst.append(pointerEvent(control::PointerMoved, {1000 + 100 * i, 1000 + 50 * i}));
        burst.append(pointerEvent(control::LeftReleased, {3000, 2000}));
        burst.append(keyEvent(control::KeyPressed, Qt::Key_A, Qt::ShiftModifier));
        burst.append(keyEvent(control::KeyReleased, Qt::Key_A, Qt::ShiftModifier));
        for (const S_KB_MOUSE_PARAM &event : qAsConst(burst))
            queue.push(event);
        QVERIFY(queue.requestOnItsWay());
        QVERIFY(waitFor([&] { return drained(queue); }));

        // The press went at once; the 20 moves waited behind it and became the newest one.
        const QList<S_KB_MOUSE_PARAM> expected{burst[0], burst[20], burst[21], burst[22], burst[23]};
        QCOMPARE(arrived(session.simulator), expected);
        const QJsonObject mouse = session.simulator.state().value("Mouse").toObject();
        QCOMPARE(mouse.value("LeftDown").toInt(), 0);
        QVERIFY(mouse.value("KeysDown").toArray().isEmpty());
        QCOMPARE(mouse.value("X").toInt(), 3000);
    }

    // Moves are merged only while they wait at the end of the queue: a move never jumps
    // over a press, release or key, and nothing but moves is ever dropped.
    void onlyMovesWaitingLastAreMerged()
    {
        pelmora::test::SimSession session;
        QVERIFY(session.start());
        session.simulator.setFault(QStringLiteral("MouseKBCtrl"), delay(30));
        control::InputQueue queue(session.transport.get());
        const S_KB_MOUSE_PARAM first = pointerEvent(control::PointerMoved, {10, 10});
        const S_KB_MOUSE_PARAM m1 = pointerEvent(control::PointerMoved, {20, 20});
        const S_KB_MOUSE_PARAM m2 = pointerEvent(control::PointerMoved, {30, 30});
        const S_KB_MOUSE_PARAM press = pointerEvent(control::OtherPressed, {30, 30});
        const S_KB_MOUSE_PARAM m3 = pointerEvent(control::PointerMoved, {40, 40});
        const S_KB_MOUSE_PARAM key = keyEvent(control::KeyPressed, Qt::Key_B, 0);
        const S_KB_MOUSE_PARAM key2 = keyEvent(control::KeyPressed, Qt::Key_B, 0);
        for (const S_KB_MOUSE_PARAM &event : {first, m1, m2, press, m3, key, key2})
            queue.push(event);
        QCOMPARE(queue.waiting(), (QList<S_KB_MOUSE_PARAM>{m2, press, m3, key, key2}));
        QVERIFY(waitFor([&] { return drained(queue); }));
        QCOMPARE(arrived(session.simulator), (QList<S_KB_MOUSE_PARAM>{first, m2, press, m3, key, key2}));
    }

    // A request that is never answered holds the queue for the request limit only; what
    // waited behind it follows, and nothing is shown.
    void unansweredRequestDoesNotHoldTheQueue()
    {
        pelmora::test::SimSession session;
        QVERIFY(session.start());
        session.transport->setTimeoutMs(100);
        sim::Fault silent{sim::Fault::NoReply};
        silent.remaining = 1;
        session.simulator.setFault(QStringLiteral("MouseKBCtrl"), silent);
        control::InputQueue queue(session.transport.get());
        const S_KB_MOUSE_PARAM press = pointerEvent(control::LeftPressed, {500, 500});
        const S_KB_MOUSE_PARAM release = pointerEvent(control::LeftReleased, {500, 500});
        queue.push(press);
        queue.push(release);
        QVERIFY(waitFor([&] { return drained(queue); }));
        QCOMPARE(arrived(session.simulator), (QList<S_KB_MOUSE_PARAM>{press, release}));
        QVERIFY(uikit::Dialogs::shownBoxes().isEmpty());
        session.simulator.stop(); // releases the held request
    }

    // The tool button runs the capture window; what the operator does there reaches the
    // controller in order, Esc ends it, and the console has its input back.
    void captureThroughTheMainWindow()
    {
        QVERIFY(startWindow());
        QPushButton *button = window->form().btnQuickArrange;
        QVERIFY(button->isEnabled());
        controller->setFault(QStringLiteral("MouseKBCtrl"), delay(20));

        QPointer<QDialog> shown;
        uikit::Dialogs::setNextDialogHandler([&](QDialog *dialog) {
            shown = dialog;
            auto *capture = qobject_cast<DialogRemoteMouseCtrl *>(dialog);
            if (!capture || !QTest::qWaitForWindowExposed(capture))
                return int(QDialog::Rejected);
            QWindow *w = capture->windowHandle();
            QTest::mouseMove(w, QPoint(200, 100));
            QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(200, 100));
            QTest::keyClick(capture, Qt::Key_X);
            QTest::keyClick(capture, Qt::Key_Escape);
            return capture->result();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(shown && shown->isHidden());
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
        QCOMPARE(QWidget::keyboardGrabber(), nullptr);

        // The events still waiting when Esc closed the window follow it.
        QVERIFY(waitFor([&] { return arrived(*controller).size() == 5; }));
        QList<int> kinds;
        for (const S_KB_MOUSE_PARAM &e : arrived(*controller))
            kinds.append(e.type);
        QCOMPARE(kinds, (QList<int>{0, 1, 2, 7, 8}));
        QCOMPARE(arrived(*controller).at(3).key, int(Qt::Key_X));
        QTRY_VERIFY(!shown); // freed once no wait is running
        QVERIFY(uikit::Dialogs::shownBoxes().isEmpty());
    }

    // The end of the session closes the capture window and drops what still waits: nothing
    // more goes to a controller the console is no longer logged in to.
    void sessionEndClosesTheCapture()
    {
        QVERIFY(startWindow());
        controller->setFault(QStringLiteral("MouseKBCtrl"), delay(100));
        control::InputQueue *queue = window->remoteInput()->queue();
        int result = -1;
        int waitingBefore = -1;
        bool hiddenAtTheEnd = false;
        uikit::Dialogs::setNextDialogHandler([&](QDialog *dialog) {
            auto *capture = qobject_cast<DialogRemoteMouseCtrl *>(dialog);
            QTest::keyClick(capture, Qt::Key_1);
            QTest::keyClick(capture, Qt::Key_2);
            waitingBefore = queue->waiting().size();
            window->on_disconnectButton_clicked();
            hiddenAtTheEnd = capture->isHidden();
            result = capture->result();
            return result;
        });
        window->remoteInput()->runCaptureWindow();
        QCOMPARE(waitingBefore, 3);
        QVERIFY(hiddenAtTheEnd);
        QCOMPARE(result, int(QDialog::Rejected));
        QVERIFY(queue->waiting().isEmpty());
        QVERIFY(waitFor([&] { return !queue->requestOnItsWay(); }));
        QCOMPARE(arrived(*controller).size(), 1);
        QVERIFY(!window->form().btnQuickArrange->isEnabled());
    }
};

PELMORA_TEST_MAIN(TestRemoteInput)
#include "test_remoteinput.moc"
