// The session sequences of the main window read off the controllers' request logs: the order
// of the login sequence, a host switch, and logins or session ends that overlap a wait.
#include "app/connectionflow.h"
#include "app/mainwindow2.h"
#include "app/mainwindow2_form.h"
#include "library/imagewidget.h"
#include "library/librarypanel.h"
#include "library/qlyblistwidget.h"
#include "net/hostmenu.h"
#include "net/hoststore.h"
#include "net/loginsession.h"
#include "net/transport.h"
#include "platform/platformpaths.h"
#include "sim/simulator.h"
#include "testmain.h"
#include "uikit/dialogs.h"
#include "wall/screenwidget.h"
#include "windowsession.h"

#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QToolButton>

using pelmora::test::commandNames;
using pelmora::test::holdRequests;
using pelmora::test::hostEntry;
using pelmora::test::kHeldMs;
using pelmora::test::makeWindow;
using pelmora::test::onceReceived;
using pelmora::test::startController;
using uikit::Dialogs;

namespace {
HostEntry hostOf(const sim::Simulator &controller, const QString &address = QStringLiteral("127.0.0.1"))
{
    HostEntry entry = hostEntry(controller, QStringLiteral("admin"), 2, address);
    entry.hostName = QStringLiteral("wall");
    return entry;
}

// The login sequence after "Login", as the controller sees it. The music state sets the
// volume slider, whose change goes back to the controller. The caption panel gets its fonts
// before the update timer starts and the running caption after.
const QStringList kLoginSequence = {
    "GetScrSetting",    "GetVideoList",     "GetUSBVideoList", "GetPicList",
    "GetAllModal",      "GetDocList",       "GetWebList",      "GetPptList",
    "GetNetVideoList",  "GetCurWindowList", "GetVersion",      "GetBgMusicState",
    "SetBgMusicVolume", "GetAudioList",     "GetFontName",     "GetZEVOSD",
};
} // namespace

class TestLoginSequence : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainWindow2> window;

private slots:
    void init()
    {
        Dialogs::reset();
        platform::hostListSettings()->clear();
        platform::appSettings()->clear();
    }

    void cleanup() { window.reset(); }

    // The whole sequence in its order; a list command that fails shows its box (or none) and
    // the sequence carries on.
    void sequenceOrder_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::newRow("every command answers") << QString();
        QTest::newRow("the picture list fails") << "GetPicList";
        QTest::newRow("the window list fails") << "GetCurWindowList";
        QTest::newRow("the screen settings fail") << "GetScrSetting";
        QTest::newRow("the font list fails") << "GetFontName";
    }

    void sequenceOrder()
    {
        QFETCH(QString, failing);
        auto controller = startController();
        QVERIFY(controller);
        if (!failing.isEmpty())
            controller->setFault(failing, {sim::Fault::HttpError});
        window = makeWindow();
        QVERIFY(window->connection()->loginTo(hostOf(*controller), QStringLiteral("admin")));
        QCOMPARE(commandNames(*controller), QStringList{"Login"} + kLoginSequence);
        QVERIFY(window->session().loggedIn);
        QVERIFY(window->ticker()->timer()->isActive());
        QVERIFY(window->form().videoListButton->isChecked());
    }

    // Choosing another host logs out of the first (with its own session) before the login to
    // the second: the logout is on its way while the new login still waits for its reply.
    void hostSwitchLogsOutBeforeTheNewLogin()
    {
        auto first = startController();
        auto second = startController(QStringLiteral("127.0.0.2"));
        QVERIFY(first && second);
        hoststore::saveHost(hostOf(*first));
        hoststore::saveHost(hostOf(*second, QStringLiteral("127.0.0.2")));
        window = makeWindow();
        window->buildHostMenu();
        const QList<QPushButton *> hosts = hostmenu::hostButtons(window->connection()->hostMenu());
        QCOMPARE(hosts.size(), 2);

        hosts[0]->click();
        QVERIFY(window->session().loggedIn);
        const QByteArray firstSession = window->session().sessionId.toLatin1();
        bool logoutFirst = false;
        onceReceived(this, *second, QStringLiteral("Login"), [&] {
            // Still inside the new login's wait.
            logoutFirst =
                QTest::qWaitFor([&] { return !first->requests(QStringLiteral("Logout")).isEmpty(); }, 10000);
        });
        hosts[1]->click();
        QVERIFY(window->session().loggedIn);
        QVERIFY(logoutFirst);
        QCOMPARE(first->requests(QStringLiteral("Logout")).last().header("session_id"), firstSession);
        QCOMPARE(window->session().hostIp, QStringLiteral("127.0.0.2"));
    }

    // A second login while the first still waits for its reply: the first one is given up,
    // and its late reply can no longer take over the session. "断开连接" during a pending
    // login leaves the console disconnected.
    void oneLoginAtATime_data()
    {
        QTest::addColumn<bool>("secondHost"); // else: "断开连接"
        QTest::newRow("another host") << true;
        QTest::newRow("disconnect") << false;
    }

    void oneLoginAtATime()
    {
        QFETCH(bool, secondHost);
        auto slow = startController();
        auto fast = startController(QStringLiteral("127.0.0.2"));
        QVERIFY(slow && fast);
        holdRequests(*slow, QStringLiteral("Login"));
        window = makeWindow();

        onceReceived(this, *slow, QStringLiteral("Login"), [&] {
            if (secondHost)
                window->connection()->loginTo(hostOf(*fast, QStringLiteral("127.0.0.2")),
                                              QStringLiteral("admin"));
            else
                window->on_disconnectButton_clicked();
        });
        QVERIFY(!window->connection()->loginTo(hostOf(*slow), QStringLiteral("admin")));
        // The given-up login's connection is closed: its reply can no longer arrive.

        QCOMPARE(window->session().loggedIn, secondHost);
        QVERIFY(slow->requests(QStringLiteral("GetScrSetting")).isEmpty());
        if (secondHost) {
            QCOMPARE(window->session().hostIp, QStringLiteral("127.0.0.2"));
            QCOMPARE(fast->requests(QStringLiteral("GetScrSetting")).last().header("session_id"),
                     window->session().sessionId.toLatin1());
        }
        QVERIFY(Dialogs::shownBoxes().isEmpty());
    }

    // A session that ends while the login sequence waits stops the sequence there: nothing
    // more is loaded, nothing comes back onto the canvas, the update timer does not start.
    void sessionEndsDuringTheSequence()
    {
        auto controller = startController();
        QVERIFY(controller);
        holdRequests(*controller, QStringLiteral("GetPicList"));
        window = makeWindow();
        onceReceived(this, *controller, QStringLiteral("GetPicList"), [&] {
            window->on_disconnectButton_clicked();
            controller->advanceClock(kHeldMs);
        });
        QVERIFY(window->connection()->loginTo(hostOf(*controller), QStringLiteral("admin")));

        QStringList sent = commandNames(*controller);
        sent.removeAll(QStringLiteral("Logout"));
        QCOMPARE(sent,
                 (QStringList{"Login", "GetScrSetting", "GetVideoList", "GetUSBVideoList", "GetPicList"}));
        QVERIFY(!window->session().loggedIn);
        QVERIFY(!window->ticker()->timer()->isActive());
        QVERIFY(window->form().labelScreen->windows().isEmpty());
        QCOMPARE(window->library()->catalogue().picResources.size(), 0);
        QVERIFY(!window->form().btnSettings->isEnabled());
    }

    // The update timer's tick before any login does nothing and sends nothing.
    void tickBeforeTheFirstLogin()
    {
        auto controller = startController();
        QVERIFY(controller);
        window = makeWindow();
        window->ticker()->tick();
        QVERIFY(!window->ticker()->timer()->isActive());
        QVERIFY(controller->requests().isEmpty());
    }
};

PELMORA_TEST_MAIN(TestLoginSequence)
#include "test_loginsequence.moc"
