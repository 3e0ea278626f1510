#include "app/connectionflow.h"
#include "app/mainwindow2.h"
#include "app/mainwindow2_form.h"
#include "net/hostmenu.h"
#include "net/hoststore.h"
#include "net/loginsession.h"
#include "net/transport.h"
#include "netns.h"
#include "platform/platformpaths.h"
#include "scriptedserver.h"
#include "sim/simulator.h"
#include "testmain.h"
#include "uikit/dialogs.h"
#include "uikit/nestedwait.h"
#include "wall/matrixscreen.h"
#include "wall/screenwidget.h"
#include "wall/windowwidget.h"
#include "windowsession.h"

#include <QDialog>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QSignalSpy>
#include <QTimer>

using pelmora::test::loginTo;
using pelmora::test::makeWindow;
using pelmora::test::startController;
using uikit::Dialogs;

// A session of the main window against simulated controllers on loopback. The executable
// runs inside a network namespace of its own, so the discovery case stays on this machine.
class TestSession : public QObject
{
    Q_OBJECT

public:
    TestSession() { netns::enter(); }

private:
    std::unique_ptr<MainWindow2> window;

    static void clearStores()
    {
        platform::hostListSettings()->clear();
        platform::appSettings()->clear();
        platform::lastConnectSettings()->clear();
    }

    static QString boxTexts()
    {
        QStringList texts;
        for (const auto &box : Dialogs::shownBoxes())
            texts << box.text;
        return texts.join(QLatin1Char('|'));
    }

private slots:
    void init()
    {
        Dialogs::reset();
        clearStores();
    }

    void cleanup() { window.reset(); }

    // "Password" is the MD5 digest of the Latin-1 password in 32 lower-case hex digits.
    void loginSendsTheDigest_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("digest");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("right password")
            << QStringLiteral("admin") << "21232f297a57a5a743894a0e4a801fc3" << true;
        QTest::newRow("empty password") << QStringLiteral("") << "d41d8cd98f00b204e9800998ecf8427e" << false;
        QTest::newRow("non-ASCII password")
            << QStringLiteral("Straße") << "cd4a189e8c4b19e11c24ab9d2cdd3f76" << false;
    }

    void loginSendsTheDigest()
    {
        QFETCH(QString, password);
        QFETCH(QString, digest);
        QFETCH(bool, accepted);
        auto controller = startController();
        QVERIFY(controller);
        window = makeWindow();

        QCOMPARE(loginTo(*window, controller->port(), QStringLiteral("admin"), 2, password), accepted);
        QCOMPARE(window->session().loggedIn, accepted);
        const auto logins = controller->requests(QStringLiteral("Login"));
        QCOMPARE(logins.size(), 1);
        QCOMPARE(logins[0].json().value(QStringLiteral("Password")).toString(), digest);
        QCOMPARE(logins[0].header("session_id"), QByteArray());
        if (accepted) {
            QVERIFY(!window->session().sessionId.isEmpty());
            QVERIFY(Dialogs::shownBoxes().isEmpty());
            // Later commands carry the session.
            const auto settings = controller->requests(QStringLiteral("GetScrSetting"));
            QCOMPARE(settings.size(), 1);
            QCOMPARE(settings[0].header("session_id"), window->session().sessionId.toLatin1());
        } else {
            QCOMPARE(Dialogs::shownBoxes().size(), 1);
            QCOMPARE(Dialogs::shownBoxes()[0].text,
                     QStringLiteral("错误原因: Wrong password for user \"admin\""));
        }
    }

    void loginWithoutRoleIsAdministrator()
    {
        ScriptedServer server;
        QVERIFY(server.start());
        server.setAnswerFunction([](const ScriptedServer::Request &request) {
            if (request.body.contains("\"Login\""))
                return ScriptedServer::whole(ScriptedServer::httpResponse(
                    "{\"Command\":\"Login\",\"Status\":\"Ok\",\"SessionId\":\"s1\"}"));
            return ScriptedServer::whole(ScriptedServer::httpResponse("{}"));
        });
        window = makeWindow();
        QVERIFY(loginTo(*window, server.port(), QStringLiteral("admin"), 0, QStringLiteral("x")));
        QCOMPARE(window->session().role, 0);
        QCOMPARE(window->session().sessionId, QStringLiteral("s1"));
        const QList<QAction *> entries = window->form().btnSettings->menu()->actions();
        QCOMPARE(entries.size(), 4); // screen settings, separator, users, password
    }

    void switchingHostsLogsOutFirst()
    {
        auto first = startController();
        auto second = startController(QStringLiteral("127.0.0.2")); // loopback too
        QVERIFY(first && second);
        hoststore::saveHost(pelmora::test::hostEntry(*first));
        hoststore::saveHost(
            pelmora::test::hostEntry(*second, QStringLiteral("admin"), 2, QStringLiteral("127.0.0.2")));
        window = makeWindow();
        window->buildHostMenu();
        const QList<QPushButton *> hosts = hostmenu::hostButtons(window->connection()->hostMenu());
        QCOMPARE(hosts.size(), 2);
        QCOMPARE(hosts[0]->text(), QStringLiteral("127.0.0.1(wall %1)").arg(first->port()));

        hosts[0]->click();
        QVERIFY2(window->session().loggedIn, qPrintable(boxTexts()));
        const QString firstSession = window->session().sessionId;

        hosts[1]->click();
        QVERIFY2(window->session().loggedIn, qPrintable(boxTexts()));
        QCOMPARE(window->session().hostIp, QStringLiteral("127.0.0.2"));
        QVERIFY(QTest::qWaitFor([&] { return !first->requests(QStringLiteral("Logout")).isEmpty(); }, 10000));
        const auto logout = first->requests(QStringLiteral("Logout")).last();
        QCOMPARE(logout.header("session_id"), firstSession.toLatin1());
        QCOMPARE(second->requests(QStringLiteral("Login")).size(), 1);
        QVERIFY(window->session().sessionId != firstSession);
        QVERIFY2(Dialogs::shownBoxes().isEmpty(), qPrintable(boxTexts()));

        // Deleting the entry of the connected host leaves the session open.
        QPushButton *del = hosts[1]->parentWidget()->findChild<QPushButton *>(QStringLiteral("deleteButton"));
        del->click();
        QVERIFY(window->session().loggedIn);
        QCOMPARE(hostmenu::hostButtons(window->connection()->hostMenu()).size(), 1);
        QCOMPARE(hoststore::hosts().size(), 1);
    }

    // The automatic login runs once, from a single-shot timer of one second after start. The
    // test does not wait that second: it lets the timer fire at once and waits for the firing.
    void automaticLogin_data()
    {
        QTest::addColumn<bool>("silent");
        QTest::newRow("controller answers") << false;
        QTest::newRow("controller silent") << true;
    }

    void automaticLogin()
    {
        QFETCH(bool, silent);
        auto controller = startController();
        ScriptedServer server;
        QVERIFY(controller && server.start());
        ScriptedServer::Answer never;
        never.silent = true;
        server.setAnswer(never);
        hoststore::saveLastLogin(QStringLiteral("127.0.0.1"), silent ? server.port() : controller->port(),
                                 QStringLiteral("admin"), QStringLiteral("admin"), 2, true);

        window = std::make_unique<MainWindow2>();
        // A login to a silent controller ends at the request limit.
        window->transport()->setTimeoutMs(1000);
        QTimer *timer = window->autoLoginTimer();
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 1000);
        QVERIFY(timer->isSingleShot());
        QSignalSpy fired(timer, &QTimer::timeout); // heard after the login it starts is over
        timer->start(0);
        QVERIFY(fired.wait(10000));
        QCOMPARE(fired.size(), 1);
        QVERIFY(!timer->isActive());
        if (silent) {
            QVERIFY(QTest::qWaitFor([&] { return server.requests().size() == 1; }, 10000));
            QVERIFY(!window->session().loggedIn);
            QVERIFY(Dialogs::shownBoxes().isEmpty());
        } else {
            QVERIFY(window->session().loggedIn);
            QCOMPARE(controller->requests(QStringLiteral("Login")).size(), 1);
        }
    }

    // Ten polls in a row without an answer end the session at the eleventh tick, without a
    // logout or a message; an answer in between starts the count again. The ticks are driven
    // by hand: the timer's own interval is far beyond the test.
    void tenMissedPollsEndTheSession()
    {
        auto controller = startController();
        QVERIFY(controller);
        window = makeWindow();
        QVERIFY(loginTo(*window, *controller));
        UpdateTicker *ticker = window->ticker();
        ticker->setIntervalMs(24 * 3600 * 1000);
        ticker->start();
        // A poll of a tick the timer made during the login sequence is answered first.
        QVERIFY(QTest::qWaitFor([&] { return window->session().missedReplies == 0; }, 10000));
        // Every fourth tick reads the application windows; behind held polls that request
        // finds no free connection and ends at the request limit.
        window->transport()->setTimeoutMs(100);
        QSignalSpy answered(window->transport(), &Transport::pollAnswered);
        const int before = controller->requests(QStringLiteral("GetCpuUsage")).size();
        auto polls = [&] { return controller->requests(QStringLiteral("GetCpuUsage")).size(); };

        // Three unanswered polls, then an answer: the count goes back to 0.
        sim::Fault silent{sim::Fault::NoReply};
        silent.remaining = 3;
        controller->setFault(QStringLiteral("GetCpuUsage"), silent);
        for (int i = 1; i <= 3; ++i) {
            ticker->tick();
            QCOMPARE(window->session().missedReplies, i);
        }
        QVERIFY(QTest::qWaitFor([&] { return polls() == before + 3; }, 10000));
        // A fourth tick: the answer may come while it waits for the application windows.
        ticker->tick();
        QVERIFY(QTest::qWaitFor([&] { return answered.size() == 1; }, 10000));
        QCOMPARE(window->session().missedReplies, 0);
        QVERIFY(window->session().loggedIn);

        // A silent controller: ten ticks leave the session open, the eleventh ends it.
        silent.remaining = -1;
        controller->setFault(QStringLiteral("GetCpuUsage"), silent);
        for (int i = 1; i <= 10; ++i)
            ticker->tick();
        QCOMPARE(window->session().missedReplies, 10);
        QVERIFY(window->session().loggedIn);
        QVERIFY(ticker->timer()->isActive());
        ticker->tick();
        QVERIFY(!window->session().loggedIn);
        QCOMPARE(window->session().missedReplies, 0);
        QVERIFY2(Dialogs::shownBoxes().isEmpty(), qPrintable(boxTexts()));
        QVERIFY(controller->requests(QStringLiteral("Logout")).isEmpty());
        QVERIFY(!window->form().btnSettings->isEnabled());
        QVERIFY(window->form().labelScreen->windows().isEmpty());
        QVERIFY(!ticker->timer()->isActive());
        QCOMPARE(answered.size(), 1);
    }

    // The session ends (ten missed polls) while a live move waits for the controller: the
    // canvas is cleared under the item's own move handler. The move is held until the
    // controller has it and the session has ended inside its wait.
    void sessionEndsDuringAPendingMove()
    {
        auto controller = startController();
        QVERIFY(controller);
        window = makeWindow();
        QVERIFY(loginTo(*window, *controller));
        ScreenWidget *canvas = window->form().labelScreen;
        QVERIFY(!canvas->windows().isEmpty());
        QPointer<WindowWidget> item = canvas->windows().last();

        pelmora::test::holdRequests(*controller, QStringLiteral("MoveWindow"));
        int heldBack = -1;
        int waitDepth = -1;
        WindowWidget::resetLiveUpdate();
        const QPoint start = item->rect().center();
        const QPoint global = item->mapToGlobal(start);
        QMouseEvent press(QEvent::MouseButtonPress, start, global, Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(item, &press);
        pelmora::test::onceReceived(window.get(), *controller, QStringLiteral("MoveWindow"), [&] {
            waitDepth = uikit::WaitScope::depth();
            emit window->ticker()->connectionLost();
            heldBack = uikit::pendingRetired();
            controller->advanceClock(pelmora::test::kHeldMs);
        });
        if (item) {
            QMouseEvent move(QEvent::MouseMove, start + QPoint(30, 0), global + QPoint(30, 0), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(item, &move);
        }
        // The removed item is hidden and detached but not freed yet; the release goes to it.
        QVERIFY(item);
        QVERIFY(waitDepth >= 1);
        QVERIFY(heldBack > 0);
        QVERIFY(!window->session().loggedIn);
        QVERIFY(canvas->windows().isEmpty());
        QMouseEvent release(QEvent::MouseButtonRelease, start + QPoint(30, 0), global + QPoint(30, 0),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(item, &release);
        QCOMPARE(controller->requests(QStringLiteral("MoveWindow")).size(), 1);
        QCOMPARE(uikit::WaitScope::depth(), 0);
        QCOMPARE(uikit::pendingRetired(), 0);
        QVERIFY(QTest::qWaitFor([&] { return item.isNull(); }, 10000));
    }

    void screenGroupsAndZoom()
    {
        auto controller = startController();
        QVERIFY(controller);
        window = makeWindow();
        QVERIFY(loginTo(*window, *controller));
        Ui::MainWindow2 &ui = window->form();
        ScreenWidget *canvas = ui.labelScreen;

        // The buttons carry the groups' names; the current group's windows are on the canvas.
        const QJsonArray groups = controller->state().value(QStringLiteral("Groups")).toArray();
        QVERIFY(groups.size() >= 2);
        QCOMPARE(ui.btnMultiScreen2->text(), groups[1].toObject().value(QStringLiteral("Name")).toString());
        QVERIFY(!ui.btnMultiScreen2->isHidden());
        QCOMPARE(ui.btnMultiScreen3->isHidden(), groups.size() < 3);
        QCOMPARE(window->currentScreenGroup(), 1);
        QCOMPARE(canvas->windows().size(),
                 controller->windowList(0).value(QStringLiteral("Windows")).toArray().size());

        QTest::mouseClick(ui.btnMultiScreen2, Qt::LeftButton);
        QCOMPARE(window->currentScreenGroup(), 2);
        QVERIFY(!ui.btnMultiScreen1->isChecked());
        QCOMPARE(controller->requests(QStringLiteral("SetCurScreen"))
                     .last()
                     .json()
                     .value(QStringLiteral("Index"))
                     .toInt(),
                 1);
        QCOMPARE(canvas->windows().size(),
                 controller->windowList(1).value(QStringLiteral("Windows")).toArray().size());
        QCOMPARE(canvas->totalWidth(), groups[1].toObject().value(QStringLiteral("Width")).toInt());

        // Zoom: 150 % scales the canvas by 1.25; the smallest zoom is 50 %.
        const QSize before = canvas->size();
        QTest::mouseClick(ui.btnScreenZoomIn, Qt::LeftButton);
        QCOMPARE(ui.labelZoom->text(), QStringLiteral("150%"));
        QVERIFY(qAbs(canvas->width() - before.width() * 1.25) <= 1 ||
                qAbs(canvas->height() - before.height() * 1.25) <= 1);
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(ui.btnScreenZoomOut, Qt::LeftButton);
        QCOMPARE(ui.labelZoom->text(), QStringLiteral("50%"));

        // The independent-screen view: no group checked, "ScreenGroup" 0.
        QTest::mouseClick(ui.btnMatrixScreen, Qt::LeftButton);
        QCOMPARE(window->currentScreenGroup(), 0);
        QVERIFY(!ui.mattrixWidget->isHidden());
        QVERIFY(ui.scrollArea->isHidden());

        // After a disconnect the group buttons do nothing.
        window->on_disconnectButton_clicked();
        const int switches = controller->requests(QStringLiteral("SetCurScreen")).size();
        QTest::mouseClick(ui.btnMultiScreen1, Qt::LeftButton);
        QCOMPARE(controller->requests(QStringLiteral("SetCurScreen")).size(), switches);
    }

    void connectThroughDiscovery()
    {
        PELMORA_REQUIRE_NETNS();
        sim::Options options;
        options.discovery = true;
        options.name = QStringLiteral("Lobby");
        sim::Simulator controller(options);
        QVERIFY2(controller.start(), qPrintable(controller.errorString()));
        window = makeWindow();

        QString hostField;
        QString portField;
        Dialogs::setNextDialogHandler([&](QDialog *dialog) {
            auto *list = dialog->findChild<QListWidget *>(QStringLiteral("listHosts"));
            if (!QTest::qWaitFor([&] { return list->count() > 0; }, 5000))
                return int(QDialog::Rejected);
            QListWidgetItem *found = list->item(0);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                              list->visualItemRect(found).center());
            hostField = dialog->findChild<QLineEdit *>(QStringLiteral("editHostIp"))->text();
            portField = dialog->findChild<QLineEdit *>(QStringLiteral("editPortNo"))->text();
            dialog->findChild<QLineEdit *>(QStringLiteral("editUsername"))->setText(QStringLiteral("admin"));
            dialog->findChild<QLineEdit *>(QStringLiteral("editUserPwd"))->setText(QStringLiteral("admin"));
            QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("btnOk")), Qt::LeftButton);
            return dialog->result();
        });
        window->on_connectButton_clicked();
        QCOMPARE(hostField, QStringLiteral("127.0.0.1"));
        QCOMPARE(portField, QString::number(controller.port()));
        QVERIFY2(window->session().loggedIn, qPrintable(boxTexts()));
        QCOMPARE(window->session().port, controller.port());
        QCOMPARE(hoststore::hosts().size(), 1);

        // "断开连接" ends the session and tells the controller.
        window->on_disconnectButton_clicked();
        QVERIFY(!window->session().loggedIn);
        QVERIFY(
            QTest::qWaitFor([&] { return !controller.requests(QStringLiteral("Logout")).isEmpty(); }, 10000));
        QVERIFY(Dialogs::shownBoxes().isEmpty());
    }
};

PELMORA_TEST_MAIN(TestSession)
#include "test_session.moc"
