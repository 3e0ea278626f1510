#include "net/curlaccessmanager.h"
#include "net/sessionvalues.h"
#include "net/transport.h"
#include "sim/simulator.h"
#include "testmain.h"
#include "uikit/dialogs.h"
#include "uikit/helpers.h"
#include "uikit/nestedwait.h"
#include "wall/screenwidget.h"
#include "wall/wallreplies.h"
#include "wall/windowcommands.h"
#include "wall/windowwidget.h"

#include <QJsonArray>
#include <functional>

using uikit::Dialogs;

namespace {
qint64 g_now = 0;
qint64 fakeClock()
{
    return g_now;
}
} // namespace

// The window commands wired to a canvas and to a simulated controller over loopback,
// the way the main window wires them.
class TestWindowCommands : public QObject, public wall::ResourceSource, public wall::ScreenGroupSource
{
    Q_OBJECT

    std::unique_ptr<sim::Simulator> controller;
    QNetworkAccessManager *manager = nullptr;
    SessionValues session;
    Transport *transport = nullptr;
    ScreenWidget *canvas = nullptr;
    WindowCommands *commands = nullptr;

    // What the resource panel would answer.
    int checkedType = 0;
    int screenGroup = 1;
    QMap<QString, QString> paths;
    QStringList checked;
    QString currentName;
    int currentVideoId = 0;

    int checkedCategoryType() const override { return checkedType; }
    bool currentEntry(int, QString *name, int *videoId) const override
    {
        if (currentName.isEmpty())
            return false;
        *name = currentName;
        *videoId = currentVideoId;
        return true;
    }
    QStringList checkedNames(int) const override { return checked; }
    QString resourcePath(int, const QString &name) const override { return paths.value(name); }
    int currentScreenGroup() const override { return screenGroup; }

    QList<sim::RecordedRequest> sent(const QString &command) const { return controller->requests(command); }
    QJsonObject lastSent(const QString &command) const
    {
        const auto list = sent(command);
        return list.isEmpty() ? QJsonObject() : list.last().json();
    }

    QJsonObject get(const QString &command)
    {
        QByteArray body;
        if (!transport->sendGetCommand(command, true, &body))
            return {};
        return Transport::parseObject(body);
    }

    void login(int family)
    {
        session.family = family;
        QByteArray body;
        QJsonObject request{{QStringLiteral("Command"), QStringLiteral("Login")},
                            {QStringLiteral("UserName"), QStringLiteral("admin")},
                            {QStringLiteral("Password"), uikit::md5Hex(QStringLiteral("admin"))},
                            {QStringLiteral("Family"), family}};
        QVERIFY(transport->sendPostCommand(Transport::toBody(request), true, &body));
        session.sessionId = Transport::parseObject(body).value(QStringLiteral("SessionId")).toString();
        QVERIFY(!session.sessionId.isEmpty());
        session.loggedIn = true;
        canvas->setConnected(true);
    }

    S_WINDOW *request(uint id, int videoId, const QString &name)
    {
        auto *window = new S_WINDOW;
        window->source = QStringLiteral("LocalVideo");
        window->windowId = id;
        window->videoId = videoId;
        window->name = name;
        if (WindowWidget *item = canvas->findWindow(id))
            window->realRect = item->realRect();
        return window;
    }

    // The controller's windows of the first group: id -> wire rectangle.
    QMap<uint, QRect> controllerWindows()
    {
        QMap<uint, QRect> map;
        const auto records = wall::parseWindowList(get(QStringLiteral("GetCurWindowList")));
        for (const auto &record : records)
            map.insert(record.windowId, record.rect);
        return map;
    }

private slots:
    void init()
    {
        Dialogs::reset();
        controller = std::make_unique<sim::Simulator>();
        QVERIFY(controller->start());
        manager = new net::CurlAccessManager(this);
        session = SessionValues();
        session.hostIp = QStringLiteral("127.0.0.1");
        session.port = controller->port();
        transport = new Transport(manager, &session, Dialogs::sink(), this);
        canvas = new ScreenWidget;
        canvas->setGeometry(0, 0, 960, 540);
        commands = new WindowCommands(canvas, transport, &session, canvas, *this, *this, this);
        connect(canvas, &ScreenWidget::onNewWindow, commands, &WindowCommands::on_newWindow);
        connect(canvas, &ScreenWidget::onWindowResize, commands, &WindowCommands::on_windowResize);
        connect(canvas, &ScreenWidget::onWindowRaised, commands, &WindowCommands::on_windowRaised);
        connect(canvas, &ScreenWidget::onWindowButtonClicked, commands,
                &WindowCommands::on_windowButton_clicked);

        login(0);
        // Start from an empty wall on the first group: three 1920 x 1080 columns by one row.
        QJsonObject state = controller->state();
        QVERIFY(
            transport->postCommand(QJsonObject{{QStringLiteral("Command"), QStringLiteral("SetCurScreen")},
                                               {QStringLiteral("Index"), 0}},
                                   QStringLiteral("SetCurScreen")));
        QVERIFY(commands->closeWindow(-1));
        S_SCR_GROUP group;
        group.width = 5760;
        group.height = 1080;
        group.scrCols = 3;
        group.scrRows = 1;
        canvas->setScreenLayout(wall::kCustomSizeMode, 0, wall::makeScrLayout(group));
        controller->clearRequests();
        Dialogs::clearShownBoxes();
        paths = {{QStringLiteral("a.jpg"), QStringLiteral("/pictures/a.jpg")},
                 {QStringLiteral("b.jpg"), QStringLiteral("/pictures/b.jpg")},
                 {QStringLiteral("c.jpg"), QStringLiteral("/pictures/c.jpg")}};
        checked.clear();
        currentName.clear();
        checkedType = 0;
        screenGroup = 1;
    }

    void cleanup()
    {
        delete commands;
        delete canvas;
        delete transport;
        delete manager;
        controller.reset();
        WindowWidget::setClock(nullptr);
    }

    void newWindowVariants_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("videoId");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("checkedNames");
        QTest::addColumn<QJsonObject>("expected"); // keys that must be sent as given

        const auto entry = [](const QString &name, const QString &path) {
            return QJsonObject{{QStringLiteral("Name"), name}, {QStringLiteral("Path"), path}};
        };
        QTest::newRow("single picture")
            << 0 << 1 << 0 << "a.jpg" << QStringList{}
            << QJsonObject{{"Type", 1},      {"SwitchTime", 3},
                           {"Effect", 5},    {"FillMode", 1},
                           {"ShowTime", 10}, {"Pictures", QJsonArray{entry("a.jpg", "/pictures/a.jpg")}}};
        QTest::newRow("three pictures, media display family")
            << 2 << 1 << 0 << "a.jpg" << QStringList{"a.jpg", "b.jpg", "c.jpg"}
            << QJsonObject{{"Type", 1},
                           {"SwitchTime", 0},
                           {"Pictures",
                            QJsonArray{entry("a.jpg", "/pictures/a.jpg"), entry("b.jpg", "/pictures/b.jpg"),
                                       entry("c.jpg", "/pictures/c.jpg")}}};
        QTest::newRow("application") << 0 << 5 << 7 << "Player" << QStringList{}
                                     << QJsonObject{
                                            {"Type", 9}, {"VideoId", 7}, {"Name", "Player"}, {"Path", ""}};
        QTest::newRow("name not in the records")
            << 0 << 3 << 0 << "unknown.pptx" << QStringList{}
            << QJsonObject{{"Type", 3}, {"Name", "unknown.pptx"}, {"Path", ""}};
        QTest::newRow("video") << 0 << 0 << 0 << "b.jpg" << QStringList{}
                               << QJsonObject{{"Type", 0},
                                              {"VideoList", QJsonArray{entry("b.jpg", "/pictures/b.jpg")}}};
    }

    void newWindowVariants()
    {
        QFETCH(int, family);
        QFETCH(int, category);
        QFETCH(int, videoId);
        QFETCH(QString, name);
        QFETCH(QStringList, checkedNames);
        QFETCH(QJsonObject, expected);
        session.family = family;
        checkedType = category;
        checked = checkedNames;

        // A drop on empty canvas: the item takes the selected cell.
        WindowWidget *item = canvas->addWindow(name, videoId, -1, 0);
        commands->on_newWindow(request(item->windowId(), videoId, name));

        const QJsonObject sentWindow = lastSent(QStringLiteral("NewWindow"));
        QVERIFY2(!sentWindow.isEmpty(), "no NewWindow");
        for (auto it = expected.begin(); it != expected.end(); ++it)
            QCOMPARE(sentWindow.value(it.key()), it.value());
        QCOMPARE(sentWindow.value(QStringLiteral("WindowId")).toInt(), int(item->windowId()));
        QVERIFY(Dialogs::shownBoxes().isEmpty());
    }

    void documentFromListIsTypeFive()
    {
        checkedType = 5;
        QVERIFY(commands->openFromList(QStringLiteral("manual.pdf"), -1));
        const QJsonObject sentWindow = lastSent(QStringLiteral("NewWindow"));
        QCOMPARE(sentWindow.value(QStringLiteral("Type")).toInt(), 5);
        QCOMPARE(sentWindow.value(QStringLiteral("VideoId")).toInt(), -1);
    }

    void wireRectangleAndScreenGroup()
    {
        screenGroup = 0;
        WindowWidget *item =
            canvas->addWindow(QStringLiteral("a.jpg"), 0, -1, 0, QRect(QPoint(0, 0), QPoint(1919, 1079)));
        commands->on_newWindow(request(item->windowId(), 0, QStringLiteral("a.jpg")));
        const QJsonObject rect =
            lastSent(QStringLiteral("NewWindow")).value(QStringLiteral("RealRect")).toObject();
        QCOMPARE(rect, (QJsonObject{{"Left", 0}, {"Top", 0}, {"Right", 1920}, {"Bottom", 1080}}));

        canvas->selectWindow(item->windowId());
        commands->moveSelectedToBottom();
        QCOMPARE(lastSent(QStringLiteral("SetWindowPos")).value(QStringLiteral("ScreenGroup")).toInt(), 0);
        QCOMPARE(lastSent(QStringLiteral("SetWindowPos")).value(QStringLiteral("Type")).toString(),
                 QStringLiteral("MoveBottom"));
    }

    void loadGuard_data()
    {
        QTest::addColumn<int>("cpu");
        QTest::addColumn<bool>("opens");
        QTest::newRow("85 opens") << 85 << true;
        QTest::newRow("86 refuses") << 86 << false;
    }

    void loadGuard()
    {
        QFETCH(int, cpu);
        QFETCH(bool, opens);
        controller->setCpuUsage(cpu);
        WindowWidget *item = canvas->addWindow(QStringLiteral("a.jpg"), 0, -1, 0);
        const uint id = item->windowId();
        commands->on_newWindow(request(id, 0, QStringLiteral("a.jpg")));
        QCOMPARE(canvas->hasWindow(id), opens);
        QCOMPARE(sent(QStringLiteral("NewWindow")).size(), opens ? 1 : 0);
        if (!opens) {
            QCOMPARE(Dialogs::shownBoxes().size(), 1);
            QCOMPARE(Dialogs::shownBoxes()[0].text,
                     QStringLiteral("服务器CPU占用太高，请关闭不需要的窗口！"));
        }
        // The double-click path obeys the same guard.
        QCOMPARE(commands->openFromList(QStringLiteral("b.jpg"), 0), opens);
        QCOMPARE(canvas->windows().size(), opens ? 2 : 0);
    }

    void secondOfficeWindowRefused()
    {
        checkedType = 3;
        QVERIFY(commands->openFromList(QStringLiteral("plan.pptx"), 0));
        QVERIFY(!commands->openFromList(QStringLiteral("plan.pptx"), 0));
        QCOMPARE(canvas->windows().size(), 1);
        QCOMPARE(sent(QStringLiteral("NewWindow")).size(), 1);
        QCOMPARE(Dialogs::shownBoxes().last().text, QStringLiteral("Office文档只能开一个窗口！"));
    }

    void rubberBandWindow_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<int>("category");
        QTest::addColumn<bool>("opens");
        QTest::newRow("other family: removed, nothing sent") << 0 << 1 << false;
        QTest::newRow("media display family takes the current item") << 2 << 1 << true;
        // Music, scenes and captions give a window no type: the shared strip's entry (a
        // music file, or whatever it last showed) must not become a video window.
        QTest::newRow("category without a window type: removed, nothing sent") << 2 << -1 << false;
    }

    // A rectangle drawn on the canvas, as the operator draws it.
    void rubberBandWindow()
    {
        QFETCH(int, family);
        QFETCH(int, category);
        QFETCH(bool, opens);
        session.family = family;
        currentName = QStringLiteral("a.jpg");
        currentVideoId = 0;
        checkedType = category;
        canvas->show();
        QVERIFY(QTest::qWaitForWindowExposed(canvas));
        QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        QMouseEvent move(QEvent::MouseMove, QPoint(200, 200), canvas->mapToGlobal(QPoint(200, 200)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(canvas, &move);
        QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));

        QCOMPARE(canvas->windows().size(), opens ? 1 : 0);
        QCOMPARE(sent(QStringLiteral("NewWindow")).size(), opens ? 1 : 0);
        if (!opens) {
            QCOMPARE(sent(QStringLiteral("GetCpuUsage")).size(), 0); // nothing asked either
            return;
        }
        const QJsonObject window = lastSent(QStringLiteral("NewWindow"));
        QCOMPARE(window.value(QStringLiteral("Type")).toInt(), 1);
        QCOMPARE(window.value(QStringLiteral("Pictures")).toArray().size(), 1);
        QCOMPARE(window.value(QStringLiteral("RealRect")).toObject(),
                 (QJsonObject{{"Left", 0}, {"Top", 0}, {"Right", 1920}, {"Bottom", 1080}}));
    }

    void clearScreenEvenWhenRefused()
    {
        QVERIFY(commands->openFromList(QStringLiteral("a.jpg"), 0));
        sim::Fault refuse{sim::Fault::Refuse};
        refuse.message = QStringLiteral("busy");
        controller->setFault(QStringLiteral("CloseWindow"), refuse);
        commands->clearScreen();
        QVERIFY(canvas->windows().isEmpty());
        QCOMPARE(lastSent(QStringLiteral("CloseWindow")).value(QStringLiteral("WindowId")).toInt(), -1);
        QCOMPARE(Dialogs::shownBoxes().last().text, QStringLiteral("操作失败！错误原因：busy"));
    }

    void dragSendsLiveMovesAndAFinalOne()
    {
        WindowWidget::setClock(&fakeClock);
        WindowWidget::resetLiveUpdate();
        canvas->show();
        QVERIFY(QTest::qWaitForWindowExposed(canvas));
        QVERIFY(commands->openFromList(QStringLiteral("a.jpg"), 0));
        WindowWidget *item = canvas->windows().last();
        controller->clearRequests();

        // Press in the middle of the item and drag it 400 canvas pixels to the right in
        // 40 steps of 10 ms: at most one live move per 31 ms.
        const QPoint start = item->rect().center();
        const QPoint globalStart = item->mapToGlobal(start);
        QMouseEvent press(QEvent::MouseButtonPress, start, globalStart, Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(item, &press);
        for (int step = 1; step <= 40; ++step) {
            g_now += 10;
            const QPoint global = globalStart + QPoint(step * 10, 0);
            QMouseEvent move(QEvent::MouseMove, item->mapFromGlobal(global), global, Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(item, &move);
        }
        const int live = sent(QStringLiteral("MoveWindow")).size();
        QVERIFY2(live >= 10 && live <= 14, qPrintable(QString::number(live)));
        const QPoint globalEnd = globalStart + QPoint(400, 0);
        QMouseEvent release(QEvent::MouseButtonRelease, item->mapFromGlobal(globalEnd), globalEnd,
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(item, &release);
        QCOMPARE(sent(QStringLiteral("MoveWindow")).size(), live + 1);

        // The controller's window ends where the canvas shows it.
        QCOMPARE(controllerWindows().value(item->windowId()), item->realRect());
    }

    // Against a slow controller a drag keeps one move of the window on its way: the newest
    // rectangle waits for it, and the release's rectangle is the last one sent.
    void liveMovesWaitTheirTurn()
    {
        WindowWidget::setClock(&fakeClock);
        WindowWidget::resetLiveUpdate();
        canvas->show();
        QVERIFY(QTest::qWaitForWindowExposed(canvas));
        QVERIFY(commands->openFromList(QStringLiteral("a.jpg"), 0));
        WindowWidget *item = canvas->windows().last();
        sim::Fault slow{sim::Fault::Delay};
        slow.delayMs = 200;
        controller->setFault(QStringLiteral("MoveWindow"), slow);

        // How deep the waits of one move go.
        int oneMove = 0;
        QTimer probe;
        connect(&probe, &QTimer::timeout, this, [&] { oneMove = qMax(oneMove, uikit::WaitScope::depth()); });
        probe.start(20);
        QVERIFY(commands->moveWindow(item->windowId(), item->realRect()));
        probe.stop();
        QVERIFY(oneMove > 0);
        controller->clearRequests();

        // Press in the middle of the item and drag it 400 canvas pixels to the right, one step
        // every 10 ms while the moves wait, then release.
        const QPoint globalStart = item->mapToGlobal(item->rect().center());
        QMouseEvent press(QEvent::MouseButtonPress, item->rect().center(), globalStart, Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(item, &press);
        // Each step is a timer of its own, armed before the step runs, so the next one comes
        // while this one's move waits.
        int step = 0;
        int deepest = 0;
        bool released = false;
        std::function<void()> nextStep = [&] {
            deepest = qMax(deepest, uikit::WaitScope::depth());
            const QPoint global = globalStart + QPoint(qMin(++step, 40) * 10, 0);
            g_now += 10;
            if (step <= 40) {
                QTimer::singleShot(10, this, nextStep);
                QMouseEvent move(QEvent::MouseMove, item->mapFromGlobal(global), global, Qt::NoButton,
                                 Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(item, &move);
                return;
            }
            released = true;
            QMouseEvent release(QEvent::MouseButtonRelease, item->mapFromGlobal(global), global,
                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(item, &release);
        };
        QTimer::singleShot(10, this, nextStep);
        QVERIFY(QTest::qWaitFor([&] { return released; }, 20000));

        QVERIFY2(deepest <= oneMove, qPrintable(QStringLiteral("%1 > %2").arg(deepest).arg(oneMove)));
        const auto moves = sent(QStringLiteral("MoveWindow"));
        QVERIFY(moves.size() >= 2);
        QCOMPARE(wall::rectFromWire(moves.last().json().value(QStringLiteral("RealRect")).toObject()),
                 item->realRect());
        QCOMPARE(controllerWindows().value(item->windowId()), item->realRect());
        QCOMPARE(item->geometry(), canvas->wallToCanvas(item->realRect()));
        QVERIFY(item->realRect().left() > 1920); // 400 canvas pixels are 2400 wall pixels
        QVERIFY(Dialogs::shownBoxes().isEmpty());
    }

    void canvasAndControllerStayInStep()
    {
        checkedType = 0;
        QVERIFY(commands->openFromList(QStringLiteral("a.jpg"), 0));
        QVERIFY(commands->openFromList(QStringLiteral("b.jpg"), 0));
        QVERIFY(commands->openFromList(QStringLiteral("c.jpg"), 0));
        const auto items = canvas->windows();
        const uint first = items[0]->windowId();
        const uint second = items[1]->windowId();
        const uint third = items[2]->windowId();

        commands->on_windowButton_clicked(first, 1); // enlarge
        canvas->on_windowRaised(first, 0, 0);        // raise the first to the top
        canvas->selectWindow(third);
        commands->moveSelectedToBottom();             // lower the third
        commands->on_windowButton_clicked(second, 0); // close the second
        QVERIFY(Dialogs::shownBoxes().isEmpty());

        // Re-reading the window list reproduces the canvas: ids, rectangles and stacking.
        const auto records = wall::parseWindowList(get(QStringLiteral("GetCurWindowList")));
        QList<QPair<uint, QRect>> fromController;
        for (const auto &record : records)
            fromController.append({record.windowId, record.rect});
        QList<QPair<uint, QRect>> onCanvas;
        for (WindowWidget *item : canvas->windows())
            onCanvas.append({item->windowId(), item->realRect()});
        QCOMPARE(fromController, onCanvas);
    }
};

PELMORA_TEST_MAIN(TestWindowCommands)
#include "test_windowcommands.moc"
