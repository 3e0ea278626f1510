#include "app/connectionflow.h"
#include "app/controlstates.h"
#include "app/mainwindow2.h"
#include "app/mainwindow2_form.h"
#include "app/startup.h"
#include "library/imagewidget.h"
#include "net/transport.h"
#include "platform/platformpaths.h"
#include "scenes/formautoswitch.h"
#include "scriptedserver.h"
#include "sim/simulator.h"
#include "testmain.h"
#include "uikit/dialogs.h"
#include "windowsession.h"

#include <QDialog>
#include <QMenu>
#include <QMetaMethod>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>
#include <QScrollArea>
#include <QTcpServer>
#include <QTemporaryDir>

namespace {

enum class Expect { No, Yes, Unchanged };

// Points the local folders at a fresh temporary home for one test.
class FreshHome
{
public:
    FreshHome() : m_previous(platform::overrideRoot()) { platform::setOverrideRoot(m_dir.path()); }
    ~FreshHome() { platform::setOverrideRoot(m_previous); }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

bool ownDisabled(const QWidget *w)
{
    return w->testAttribute(Qt::WA_ForceDisabled);
}

} // namespace

Q_DECLARE_METATYPE(Expect)

class TestMainWindow2 : public QObject
{
    Q_OBJECT

private slots:
    void init() { uikit::Dialogs::reset(); }
    void cleanup() { MainWindow2::setExitFunction({}); }

    void windowSize_data();
    void windowSize();
    void localFolders_data();
    void localFolders();
    void controlStates_data();
    void controlStates();
    void settingsMenu_data();
    void settingsMenu();
    void currentScreenGroup_data();
    void currentScreenGroup();
    void scenePanelFollowsItsParts();
    void canvasInstall();
    void constructionHasNoUnboundSlots();
    void everyAnnouncementHasAReceiver();
    void closeButtonExitsAtOnce();
};

void TestMainWindow2::windowSize_data()
{
    QTest::addColumn<QSize>("available");
    QTest::addColumn<QSize>("fixed");
    QTest::newRow("small landscape") << QSize(1366, 728) << QSize(1366, 728);
    QTest::newRow("large landscape") << QSize(2560, 1400) << QSize(1920, 1080);
    QTest::newRow("tall portrait") << QSize(1080, 1880) << QSize(1080, 1080);
    QTest::newRow("small portrait") << QSize(768, 1000) << QSize(1000, 768);
}

void TestMainWindow2::windowSize()
{
    QFETCH(QSize, available);
    QFETCH(QSize, fixed);
    QCOMPARE(app::fixedWindowSize(available), fixed);
}

void TestMainWindow2::localFolders_data()
{
    QTest::addColumn<QString>("present"); // "", "group1" or "blocked" (a file where the root goes)
    QTest::addColumn<QList<int>>("groupsAfter");
    QTest::addColumn<int>("errorBoxes");
    QTest::newRow("nothing present") << QString() << QList<int>{1, 2, 3, 4} << 0;
    QTest::newRow("Group1 present") << "group1" << QList<int>{1} << 0;
    QTest::newRow("root cannot be created") << "blocked" << QList<int>{} << 2;
}

void TestMainWindow2::localFolders()
{
    QFETCH(QString, present);
    QFETCH(QList<int>, groupsAfter);
    QFETCH(int, errorBoxes);

    FreshHome home;
    if (present == QLatin1String("group1")) {
        QVERIFY(QDir().mkpath(platform::modalGroupDir(1)));
    } else if (present == QLatin1String("blocked")) {
        QString root = platform::zevRoot();
        root.chop(1);
        QVERIFY(QDir().mkpath(QFileInfo(root).path()));
        QFile blocker(root);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }

    MainWindow2 window;

    for (int group = 1; group <= 4; ++group)
        QCOMPARE(QDir(platform::modalGroupDir(group)).exists(), groupsAfter.contains(group));
    const QList<uikit::ShownBox> boxes = uikit::Dialogs::shownBoxes();
    QCOMPARE(boxes.size(), errorBoxes);
    for (const uikit::ShownBox &box : boxes) {
        QCOMPARE(box.type, uikit::BoxType::Error);
        QCOMPARE(box.text, QStringLiteral("创建目录失败！"));
    }
}

void TestMainWindow2::controlStates_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("object");
    QTest::addColumn<Expect>("disabled");
    QTest::addColumn<Expect>("hidden");

    const Expect N = Expect::No, Y = Expect::Yes, U = Expect::Unchanged;
    struct Row
    {
        QStringList objects;
        Expect disabled[3]; // after construction, logged in, after a disconnect
        Expect hidden[3];
    };
    const QList<Row> rows = {
        {{"btnQuickArrange", "btnClearScr", "btnMoveBottom", "btnScreenZoomOut", "btnScreenZoomIn"},
         {Y, N, Y},
         {N, N, U}},
        {{"btnSelectAll", "btnDeSelectAll", "btnSaveModal", "btnRemoveModal"}, {Y, N, Y}, {U, U, U}},
        {{"frameMediaCtrl", "frameBGMCtrl"}, {Y, N, Y}, {U, U, U}},
        {{"mediaNav"}, {Y, U, Y}, {U, U, U}},
        {{"sliderVideoTime", "labelVideo"}, {Y, U, U}, {U, U, U}},
        {{"btnAudioMute", "btnSettings"}, {N, N, Y}, {U, U, U}},
        {{"captionList"}, {U, N, Y}, {Y, U, U}},
        {{"autoSwitch"}, {U, Y, Y}, {Y, Y, U}},
        {{"netVideoListButton", "usbVideoListButton", "docListButton"}, {U, U, U}, {Y, N, Y}},
        {{"videoListButton", "modalListButton", "audioListButton", "pptListButton", "webListButton",
          "captionButton", "musicButton"},
         {U, U, U},
         {N, N, N}},
        {{"btnMultiScreen2", "btnMultiScreen3", "btnMultiScreen4", "btnMatrixScreen", "mattrixWidget"},
         {U, U, U},
         {Y, U, U}},
        {{"progressBar"}, {U, U, U}, {Y, U, U}},
    };
    const char *states[3] = {"construction", "loggedIn", "disconnected"};
    for (int s = 0; s < 3; ++s) {
        for (const Row &row : rows) {
            for (const QString &object : row.objects) {
                QTest::addRow("%s/%s", states[s], qPrintable(object))
                    << QString::fromLatin1(states[s]) << object << row.disabled[s] << row.hidden[s];
            }
        }
    }
}

void TestMainWindow2::controlStates()
{
    QFETCH(QString, state);
    QFETCH(QString, object);
    QFETCH(Expect, disabled);
    QFETCH(Expect, hidden);

    MainWindow2 window;
    Ui::MainWindow2 &ui = window.form();
    QWidget *widget = window.findChild<QWidget *>(object);
    QVERIFY(widget);
    // This table is about the states alone, from a control that starts enabled.
    widget->setEnabled(true);
    app::applyConstructionState(ui);

    if (state != QLatin1String("construction")) {
        if (state == QLatin1String("disconnected"))
            app::applyLoggedInState(ui);
        // Whatever a state leaves alone must keep a value the state would not have set.
        if (disabled == Expect::Unchanged)
            widget->setEnabled(ownDisabled(widget));
        if (hidden == Expect::Unchanged)
            widget->setHidden(!widget->isHidden());
        const bool wasDisabled = ownDisabled(widget);
        const bool wasHidden = widget->isHidden();
        if (state == QLatin1String("loggedIn"))
            app::applyLoggedInState(ui);
        else
            app::applyDisconnectedState(ui);
        if (disabled == Expect::Unchanged)
            disabled = wasDisabled ? Expect::Yes : Expect::No;
        if (hidden == Expect::Unchanged)
            hidden = wasHidden ? Expect::Yes : Expect::No;
    }

    if (disabled != Expect::Unchanged)
        QCOMPARE(ownDisabled(widget), disabled == Expect::Yes);
    if (hidden != Expect::Unchanged)
        QCOMPARE(widget->isHidden(), hidden == Expect::Yes);
}

void TestMainWindow2::settingsMenu_data()
{
    QTest::addColumn<QString>("user");        // empty: not logged in
    QTest::addColumn<QStringList>("entries"); // "-" is a separator
    QTest::addColumn<QStringList>("icons");
    QTest::addColumn<QStringList>("enabled"); // the entries that can be chosen

    const QString screens = QStringLiteral(":/images/newskin/30-scr-setting.png");
    const QString users = QStringLiteral(":/images/newskin/30-user-manager.png");
    const QString password = QStringLiteral(":/images/newskin/30-modify-pwd.png");
    // The screen settings are not built yet; the password change needs a session.
    QTest::newRow("administrator") << "admin" << QStringList{"屏幕设置", "-", "用户管理", "修改密码"}
                                   << QStringList{screens, QString(), users, password}
                                   << QStringList{"用户管理", "修改密码"};
    QTest::newRow("operator") << "operator" << QStringList{"修改密码"} << QStringList{password}
                              << QStringList{"修改密码"};
    QTest::newRow("before the first login")
        << QString() << QStringList{"修改密码"} << QStringList{password} << QStringList{};
}

void TestMainWindow2::settingsMenu()
{
    QFETCH(QString, user);
    QFETCH(QStringList, entries);
    QFETCH(QStringList, icons);
    QFETCH(QStringList, enabled);

    sim::Simulator controller;
    QVERIFY(controller.start());
    MainWindow2 window;
    window.autoLoginTimer()->stop();
    QPushButton *button = window.form().btnSettings;
    QPointer<QMenu> first = button->menu();
    QVERIFY(first);
    // Built at construction for "no role yet": only the safe entry.
    QCOMPARE(first->actions().size(), 1);

    if (!user.isEmpty()) {
        // The login sequence rebuilds the menu for the role the controller gave.
        QVERIFY(pelmora::test::loginTo(window, controller, user, 0));
    } else {
        window.buildSettingsMenu();
    }
    QMenu *menu = button->menu();
    QVERIFY(menu && menu != first);
    QTRY_VERIFY(!first); // the old menu goes away

    const QList<QAction *> actions = menu->actions();
    QCOMPARE(actions.size(), entries.size());
    for (int i = 0; i < actions.size(); ++i) {
        if (entries.at(i) == QLatin1String("-")) {
            QVERIFY(actions.at(i)->isSeparator());
            continue;
        }
        QCOMPARE(actions.at(i)->text(), entries.at(i));
        QCOMPARE(actions.at(i)->isEnabled(), enabled.contains(entries.at(i)));
        const QImage expected = QIcon(icons.at(i)).pixmap(24, 24).toImage();
        QVERIFY(!expected.isNull());
        QCOMPARE(actions.at(i)->icon().pixmap(24, 24).toImage(), expected);
    }

    // Each entry that can be chosen opens its dialog.
    for (QAction *action : actions) {
        if (action->isSeparator() || !action->isEnabled())
            continue;
        QString shown;
        uikit::Dialogs::setNextDialogHandler([&](QDialog *dialog) {
            shown = dialog->objectName();
            return int(QDialog::Rejected);
        });
        action->trigger();
        QCOMPARE(shown, action->text() == QStringLiteral("用户管理") ? QStringLiteral("DialogUserManager")
                                                                     : QStringLiteral("DialogModify"));
    }
    QVERIFY(uikit::Dialogs::shownBoxes().isEmpty());
}

void TestMainWindow2::currentScreenGroup_data()
{
    QTest::addColumn<QList<int>>("checked");
    QTest::addColumn<int>("group");
    QTest::newRow("none") << QList<int>{} << 0;
    QTest::newRow("second") << QList<int>{2} << 2;
    QTest::newRow("third") << QList<int>{3} << 3;
    QTest::newRow("second and fourth: first one wins") << QList<int>{2, 4} << 2;
}

void TestMainWindow2::currentScreenGroup()
{
    QFETCH(QList<int>, checked);
    QFETCH(int, group);

    MainWindow2 window;
    const QList<QPushButton *> buttons = window.screenGroupButtons();
    QCOMPARE(buttons.size(), 4);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(buttons.at(i)->objectName(), QStringLiteral("btnMultiScreen%1").arg(i + 1));
        buttons.at(i)->setChecked(checked.contains(i + 1));
    }
    QCOMPARE(window.currentScreenGroup(), group);
}

void TestMainWindow2::scenePanelFollowsItsParts()
{
    MainWindow2 window;
    Ui::MainWindow2 &ui = window.form();
    QVERIFY(ui.widgetModalList->isHidden());
    ui.modalList->show();
    QVERIFY(!ui.widgetModalList->isHidden());
    ui.autoSwitch->show();
    ui.modalList->hide();
    QVERIFY(!ui.widgetModalList->isHidden());
    ui.autoSwitch->hide();
    QVERIFY(ui.widgetModalList->isHidden());
}

void TestMainWindow2::canvasInstall()
{
    MainWindow2 window;
    Ui::MainWindow2 &ui = window.form();
    QCOMPARE(ui.labelScreen->geometry(), QRect(0, 0, 500, 400));
    QVERIFY(window.canvasArea().isNull());

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.installCanvas();
    QCOMPARE(ui.scrollArea->widget(), static_cast<QWidget *>(ui.labelScreen));
    const QSize slot = ui.scrollArea->viewport()->size();
    QVERIFY(slot.width() > 100 && slot.height() > 100);
    QCOMPARE(window.canvasArea(), QRect(4, 4, slot.width() - 8, slot.height() - 8));
    // Installing again (after a login) keeps the canvas and measures the same area.
    window.installCanvas();
    QCOMPARE(ui.scrollArea->widget(), static_cast<QWidget *>(ui.labelScreen));
    QCOMPARE(window.canvasArea(), QRect(4, 4, slot.width() - 8, slot.height() - 8));
}

void TestMainWindow2::constructionHasNoUnboundSlots()
{
    pelmora::test::WarningCatcher warnings;
    MainWindow2 window;
    QVERIFY2(!warnings.contains(QStringLiteral("No matching signal")),
             qPrintable(warnings.warnings().join('\n')));
}

namespace {
// QObject::isSignalConnected is protected; a pointer to it taken through a class that makes
// it public calls it on any object.
struct SignalProbe : QObject
{
    using QObject::isSignalConnected;
};

// Announcements that nothing in the console listens to: the independent screens' own
// controls, the canvas's double-click and in-place source change, a single click on a
// resource strip, and the shared strip's double-click, which is connected at login.
const QStringList kNoReceiverByDesign = {
    "mattrixWidget.onMatrixCtrl(int,int)",
    "mattrixWidget.onSetDisplayNameS(int,QString)",
    "mattrixWidget.onAudioCtrl(int,bool)",
    "labelScreen.onScreenDblClicked(int)",
    "labelScreen.onChangeVideo(uint,int,QString)",
    "videoList.onItemClicked(QListWidgetItem*)",
    "audioList.onItemClicked(QListWidgetItem*)",
    "audioList.onItemDblClicked(QListWidgetItem*,QString,uint)",
    // Heard by the user manager while it is open.
    "userAdmin.retUserManage(bool,bool,QString)",
};
} // namespace

// Signals our own classes declare (not those they inherit from Qt), for every object the
// window is made of: each must reach a receiver, or a feature is silently missing.
void TestMainWindow2::everyAnnouncementHasAReceiver()
{
    bool (QObject::*isConnected)(const QMetaMethod &) const = &SignalProbe::isSignalConnected;
    MainWindow2 window;
    QStringList unheard;
    QList<QObject *> objects = window.findChildren<QObject *>();
    objects.prepend(&window);
    for (QObject *object : qAsConst(objects)) {
        for (const QMetaObject *meta = object->metaObject(); meta; meta = meta->superClass()) {
            const QByteArray name = meta->className();
            const bool qtClass = name.size() > 1 && name.startsWith('Q') && QChar(name.at(1)).isUpper() &&
                                 name != "QLybListWidget";
            if (qtClass)
                break;
            for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
                const QMetaMethod method = meta->method(i);
                const QString signal =
                    object->objectName() + QLatin1Char('.') + QString::fromLatin1(method.methodSignature());
                if (method.methodType() == QMetaMethod::Signal && !(object->*isConnected)(method) &&
                    !kNoReceiverByDesign.contains(signal))
                    unheard.append(signal + QStringLiteral(" (") + QString::fromLatin1(name) +
                                   QLatin1Char(')'));
            }
        }
    }
    unheard.removeDuplicates();
    QVERIFY2(unheard.isEmpty(), qPrintable(unheard.join(QLatin1Char('\n'))));
}

void TestMainWindow2::closeButtonExitsAtOnce()
{
    ScriptedServer controller;
    QVERIFY(controller.start());
    ScriptedServer::Answer silent;
    silent.silent = true;
    controller.setAnswer(silent);

    QList<int> exits;
    MainWindow2::setExitFunction([&](int status) { exits.append(status); });
    {
        MainWindow2 window;
        window.autoLoginTimer()->stop();
        // Point the window at the silent controller: a login that times out there.
        window.transport()->setTimeoutMs(1000);
        QVERIFY(!pelmora::test::loginTo(window, controller.port(), QString(), 0));
        QVERIFY(QTest::qWaitFor([&] { return controller.requests().size() == 1; }, 10000));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QTest::mouseClick(window.form().closeButton, Qt::LeftButton);
        QCOMPARE(exits, QList<int>{0});
        // Nothing was sent: no request was even started.
        QVERIFY(window.transport()->manager()->findChildren<QNetworkReply *>().isEmpty());
        QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
    QCOMPARE(controller.requests().size(), 1); // the login, and no logout
}

PELMORA_TEST_MAIN(TestMainWindow2)
#include "tst_mainwindow2.moc"
