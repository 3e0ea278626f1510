// The fault matrix: every command the console sends (net::kCommands), each made to go out
// by the real main window's own code, against every kind of trouble the controller can
// give. For each: the box its area shows (exactly once) or none, no crash, the session and
// the canvas as they were, nothing left waiting. One test function per kind of trouble,
// one row per command; the request limit is cut short so no row waits long.
#include "admin/useradmin.h"
#include "admin/users.h"
#include "control/formcaption.h"
#include "control/inputevents.h"
#include "control/remoteinput.h"
#include "i18n/languages.h"
#include "i18n/languageswitcher.h"
#include "library/imagewidget.h"
#include "library/librarypanel.h"
#include "library/qlyblistwidget.h"
#include "mediafixture.h"
#include "net/commandlist.h"
#include "scenes/scenerotation.h"
#include "scenes/scenestore.h"
#include "testmain.h"
#include "uikit/dialogs.h"
#include "uikit/nestedwait.h"
#include "wall/screengroups.h"
#include "wall/windowcommands.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidgetItem>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>

using uikit::Dialogs;

namespace {

enum class Trouble {
    NoAnswer,     // the request is taken and never answered (the request limit runs out)
    Refused,      // nobody listens on the controller's port
    Dropped,      // the connection is closed after the request
    Http500,      // HTTP 500
    OtherCommand, // an answer for another "Command"
    Malformed,    // a JSON text cut short
    EmptyBody,    // HTTP 200 with nothing in it
    NotOk,        // "Status" "Error" with a "Message"
    Oversized,    // a 10 MiB answer
    Drip,         // the answer one byte every 50 ms
};

constexpr int kLimitMs = 300;
const QString kRefusal = QStringLiteral("Matrix refusal");
const QString kTimeoutBox = QStringLiteral("操作失败！错误原因：网络超时。");
// Stands for the network layer's own description of the failure (one box with it).
const QString kNetworkText = QStringLiteral("<network error text>");

using Send = net::CommandEntry::Send;

// One way to make the console send a command, with what a failure of it ends.
struct Trigger
{
    std::function<void(MediaFixture &)> prepare; // runs before the fault is set (may be empty)
    std::function<void(MediaFixture &)> send;
    bool endsSession = false; // the session ends whatever the answer (a logout, a new login)
    bool async = false;       // a request is answered after send() has returned
    int limitMs = kLimitMs;   // the request limit while it runs
};

MainWindow2 &win(MediaFixture &f)
{
    return *f.window;
}

QHash<QString, Trigger> triggers()
{
    using F = MediaFixture;
    auto areas = [](auto send) { return Trigger{{}, send, false, false}; };
    QHash<QString, Trigger> t;
    // login session
    // the operator's login to a host: the session in hand ends first
    t.insert("Login", {{},
                       [](F &f) {
                           win(f).on_disconnectButton_clicked();
                           f.login();
                       },
                       true,
                       false});
    t.insert("Logout", {{}, [](F &f) { win(f).on_disconnectButton_clicked(); }, true, true});
    // The whole login sequence sends these: some twenty requests, so a longer limit.
    const Trigger sequence{{}, [](F &f) { win(f).afterLogin(); }, false, false, 1000};
    t.insert("GetVersion", sequence);
    // languages: the language the window has, sent again
    t.insert("SetLanguage", areas([](F &f) { win(f).languages()->sendLanguage(i18n::kChinese); }));
    // wall
    t.insert("GetScrSetting", areas([](F &f) { win(f).screens()->readSettings(); }));
    t.insert("GetCurWindowList", areas([](F &f) { win(f).screens()->readWindowList(); }));
    t.insert("SetCurScreen", areas([](F &f) { win(f).screens()->setCurScreen(0); }));
    t.insert("SetScrSetting", areas([](F &f) {
                 QAction *entry = nullptr;
                 for (QAction *action : win(f).form().btnSettings->menu()->actions()) {
                     if (action->text() == QStringLiteral("屏幕设置"))
                         entry = action;
                 }
                 QVERIFY(entry);
                 Dialogs::setNextDialogHandler([](QDialog *dialog) {
                     dialog->findChild<QPushButton *>(QStringLiteral("btnOk"))->click();
                     return dialog->result();
                 });
                 entry->trigger();
             }));
    t.insert("NewWindow", areas([](F &f) {
                 S_WINDOW window;
                 window.source = QStringLiteral("LocalVideo");
                 window.windowId = 40;
                 window.winType = 0;
                 window.realRect = QRect(0, 0, 1920, 1080);
                 window.name = QStringLiteral("Company Intro.mp4");
                 window.fileList = QStringList{window.name};
                 win(f).windowCommands()->sendNewWindow(window);
             }));
    t.insert("MoveWindow",
             areas([](F &f) { win(f).windowCommands()->moveWindow(F::Video, QRect(0, 0, 959, 539)); }));
    t.insert("CloseWindow", areas([](F &f) { win(f).windowCommands()->closeWindow(F::Video); }));
    t.insert("SetWindowPos", areas([](F &f) { win(f).windowCommands()->on_windowRaised(F::Video); }));
    // resource library
    t.insert("GetVideoList", areas([](F &f) { win(f).library()->getVideoList(); }));
    t.insert("GetUSBVideoList", areas([](F &f) { win(f).library()->getUSBVideoList(); }));
    t.insert("GetPicList", areas([](F &f) { win(f).library()->getPicList(); }));
    t.insert("GetDocList", areas([](F &f) { win(f).library()->getDocList(); }));
    t.insert("GetWebList", areas([](F &f) { win(f).library()->getWebList(); }));
    t.insert("GetPptList", areas([](F &f) { win(f).library()->getPptList(); }));
    t.insert("GetNetVideoList", areas([](F &f) { win(f).library()->getNetVideoList(); }));
    t.insert("GetAudioList", areas([](F &f) { win(f).library()->getAudioList(); }));
    t.insert("GetSysWindows", areas([](F &f) { win(f).library()->getSysWindows(); }));
    t.insert("GetWndPreview", areas([](F &f) { win(f).library()->getWndPreview(66012); }));
    t.insert("AddResource",
             {[](F &f) { win(f).library()->selectCategory(library::Category::Web); },
              [](F &f) {
                  Dialogs::setNextDialogHandler([](QDialog *dialog) {
                      dialog->findChild<QLineEdit *>("lineEditName")->setText("Matrix");
                      dialog->findChild<QLineEdit *>("lineEditPath")->setText("http://matrix.example.com/");
                      dialog->findChild<QPushButton *>("btnOk")->click();
                      return dialog->result();
                  });
                  win(f).library()->addResource();
              },
              false});
    t.insert("DelResource", {[](F &f) {
                                 library::LibraryPanel *panel = win(f).library();
                                 panel->selectCategory(library::Category::Web);
                                 QListWidget *list = panel->widgets().audioList->listWidget();
                                 for (int i = 0; i < list->count(); ++i)
                                     list->item(i)->setCheckState(i == 0 ? Qt::Checked : Qt::Unchecked);
                             },
                             [](F &f) { win(f).library()->removeCheckedResources(); }, false});
    // scenes
    t.insert("GetAllModal", areas([](F &f) { win(f).scenes()->getAllModal(); }));
    t.insert("SaveModal", areas([](F &f) {
                 Dialogs::setNextDialogHandler([](QDialog *dialog) {
                     dialog->findChild<QLineEdit *>(QStringLiteral("lineEdit"))->setText("Matrix scene");
                     dialog->findChild<QPushButton *>(QStringLiteral("btnOk"))->click();
                     return dialog->result();
                 });
                 win(f).scenes()->saveScene();
             }));
    t.insert("LoadModal", areas([](F &f) { win(f).scenes()->loadScene(QStringLiteral("Morning Welcome")); }));
    t.insert("RemoveModal",
             areas([](F &f) { win(f).scenes()->deleteModal(QStringLiteral("Security View")); }));
    t.insert("SetQuickSwitch", areas([](F &f) { win(f).rotation()->on_startQuickSwitch(0, false); }));
    // media control and the poll
    t.insert("GetVideoParams", areas([](F &f) { win(f).media()->loadWindow(F::Video); }));
    t.insert("GetPictureParams", areas([](F &f) { win(f).media()->loadWindow(F::Pictures); }));
    t.insert("VideoCtrl", {[](F &f) { QVERIFY(f.select(F::Video)); },
                           [](F &f) { win(f).media()->on_btnNext_clicked(); }, false});
    t.insert("PptCtrl", {[](F &f) { QVERIFY(f.select(F::Office)); },
                         [](F &f) { win(f).media()->on_btnNext_clicked(); }, false});
    t.insert("WebCtrl", {[](F &f) { QVERIFY(f.select(F::Web)); },
                         [](F &f) { win(f).media()->on_btnZoomIn_clicked(); }, false});
    // the load guard before a window opens, then the connection poll
    t.insert("GetCpuUsage", {{},
                             [](F &f) {
                                 win(f).windowCommands()->serverCpuUsage();
                                 win(f).ticker()->tick();
                             },
                             false,
                             true});
    // captions and background music
    t.insert("GetZEVOSD", sequence);
    t.insert("GetFontName", sequence);
    t.insert("GetBgMusicState", areas([](F &f) { win(f).library()->getBgMusicState(); }));
    t.insert("SetZEVOsdText", areas([](F &f) {
                 OSD_INFO info;
                 info.text = QStringLiteral("Matrix");
                 emit win(f).form().captionList->onSetOsd(info, caption::ChangeAll);
             }));
    t.insert("ClearOsdText", areas([](F &f) { emit win(f).form().captionList->onStopOsd(); }));
    t.insert("PlayBgMusic", areas([](F &f) { win(f).library()->on_btnBGMStop_clicked(); }));
    t.insert("SetBgMusicVolume", areas([](F &f) { win(f).library()->on_setBgMusicVolume(30); }));
    // remote input
    t.insert("MouseKBCtrl", {{},
                             [](F &f) {
                                 S_KB_MOUSE_PARAM param;
                                 param.x = 5000;
                                 param.y = 5000;
                                 win(f).remoteInput()->on_mouseKBCtrl(param);
                             },
                             false,
                             true});
    // users and passwords
    t.insert("GetAllUsers", areas([](F &f) {
                 Dialogs::setNextDialogHandler([](QDialog *) { return int(QDialog::Rejected); });
                 win(f).userAdmin()->on_userManager();
             }));
    t.insert("AddUser", areas([](F &f) {
                 S_USER_LIST user;
                 user.userName = QStringLiteral("matrix");
                 user.password = QStringLiteral("0cc175b9c0f1b6a831c399e269772661");
                 user.role = 1;
                 win(f).userAdmin()->addUser(user);
             }));
    t.insert("DeleteUser", areas([](F &f) { win(f).userAdmin()->deleteUser(QStringLiteral("operator")); }));
    t.insert("ModifyPwd", areas([](F &f) {
                 Dialogs::setNextDialogHandler([](QDialog *dialog) {
                     dialog->findChild<QLineEdit *>(QStringLiteral("editOldPwd"))->setText("admin");
                     dialog->findChild<QLineEdit *>(QStringLiteral("editNewPwd"))->setText("admin2");
                     dialog->findChild<QLineEdit *>(QStringLiteral("editNewPwd_2"))->setText("admin2");
                     dialog->findChild<QPushButton *>(QStringLiteral("btnOk"))->click();
                     return dialog->result();
                 });
                 win(f).userAdmin()->on_modifyPwd();
             }));
    return t;
}

bool transportFailure(Trouble trouble)
{
    return trouble == Trouble::Refused || trouble == Trouble::Dropped || trouble == Trouble::Http500;
}

bool waitsOutTheLimit(Trouble trouble)
{
    return trouble == Trouble::NoAnswer || trouble == Trouble::Drip;
}

// A body that is no JSON object with "Status" "Ok" (nor a transport failure).
bool statusMissing(Trouble trouble)
{
    return trouble == Trouble::Malformed || trouble == Trouble::EmptyBody;
}

QString statusBox(const QString &message = kRefusal)
{
    return QStringLiteral("错误原因: ") + message;
}

QString commandBox(const QString &message = kRefusal)
{
    return QStringLiteral("操作失败！错误原因：") + message;
}

// The boxes of a command sent with postCommand: the timeout text, the network layer's
// text, nothing for an answer to another command, the refusal with its "Message".
QStringList postCommandBoxes(Trouble trouble)
{
    if (waitsOutTheLimit(trouble))
        return {kTimeoutBox};
    if (transportFailure(trouble))
        return {kNetworkText};
    if (trouble == Trouble::NotOk)
        return {commandBox()};
    return {};
}

// The boxes each command's area shows for the trouble. A GET shows nothing unless its area
// checks the status; an oversized answer is an answer "Ok" and is taken as one.
QStringList expectedBoxes(const QString &command, Send send, Trouble trouble)
{
    if (command == QLatin1String("Login")) {
        if (transportFailure(trouble))
            return {kNetworkText};
        if (trouble == Trouble::NotOk)
            return {statusBox()};
        if (trouble == Trouble::Oversized) // "Ok" without a "SessionId": the next status check fails
            return {statusBox(
                QStringLiteral("Not logged in: send Login first (the session_id header is empty)"))};
        return {};
    }
    if (command == QLatin1String("Logout"))
        return trouble == Trouble::NotOk ? QStringList{statusBox()} : QStringList{};
    if (command == QLatin1String("GetZEVOSD")) {
        if (trouble == Trouble::NotOk)
            return {statusBox()};
        return statusMissing(trouble) ? QStringList{statusBox(QString())} : QStringList{};
    }
    if (command == QLatin1String("GetAllUsers")) {
        // A transport failure leaves an empty reply, which fails the status check.
        if (trouble == Trouble::NotOk)
            return {statusBox()};
        if (trouble == Trouble::OtherCommand || trouble == Trouble::Oversized)
            return {};
        return {statusBox(QString())};
    }
    if (command == QLatin1String("ModifyPwd")) {
        if (trouble == Trouble::Oversized)
            return {QStringLiteral("修改密码成功！")};
        // An answer that is not the one to the password change counts as none.
        if (trouble == Trouble::OtherCommand || statusMissing(trouble))
            return {kTimeoutBox};
        return postCommandBoxes(trouble);
    }
    if (command == QLatin1String("AddResource") && trouble == Trouble::Oversized)
        return {QStringLiteral("资源添加成功！")};
    switch (send) {
    case Send::PostCommand:
        return trouble == Trouble::Oversized ? QStringList{} : postCommandBoxes(trouble);
    case Send::PostSync: // AddUser, DeleteUser: the outcome goes to the user manager's dialog
    case Send::Get:
    case Send::Async:
        return {};
    }
    return {};
}

// What the canvas shows after the trouble: the window list is cleared before it is read,
// and a failed read leaves it empty; a scene load re-reads the list whatever its answer.
enum class CanvasAfter { AsBefore, Empty, NotCompared };
CanvasAfter expectedCanvas(const QString &command, Trouble trouble)
{
    if (trouble == Trouble::Oversized) // taken as a success
        return CanvasAfter::NotCompared;
    if (command == QLatin1String("GetCurWindowList"))
        return CanvasAfter::Empty;
    // With nobody listening the re-read fails as well.
    const QStringList rereading{"GetVersion", "GetZEVOSD", "GetFontName", "LoadModal"};
    if (rereading.contains(command) && trouble == Trouble::Refused)
        return CanvasAfter::Empty;
    // A dripped answer is carried out: the re-read shows the loaded scene.
    if (command == QLatin1String("LoadModal") && trouble == Trouble::Drip)
        return CanvasAfter::NotCompared;
    return CanvasAfter::AsBefore;
}

// The canvas as the operator sees it: each window item's id and wall rectangle.
QStringList canvasState(MediaFixture &f)
{
    QStringList items;
    for (WindowWidget *item : f.canvas->findChildren<WindowWidget *>()) {
        if (item->isHidden())
            continue;
        const QRect r = item->realRect();
        items.append(QStringLiteral("%1 %2,%3 %4x%5")
                         .arg(item->windowId())
                         .arg(r.x())
                         .arg(r.y())
                         .arg(r.width())
                         .arg(r.height()));
    }
    items.sort();
    return items;
}

bool boxesMatch(const QStringList &shown, const QStringList &expected)
{
    if (shown.size() != expected.size())
        return false;
    const QStringList ownTexts{kTimeoutBox, QStringLiteral("操作失败！错误原因：") + kRefusal,
                               QStringLiteral("错误原因: ") + kRefusal};
    for (int i = 0; i < shown.size(); ++i) {
        if (expected.at(i) == kNetworkText) {
            if (shown.at(i).trimmed().isEmpty() || ownTexts.contains(shown.at(i)))
                return false;
        } else if (shown.at(i) != expected.at(i)) {
            return false;
        }
    }
    return true;
}

} // namespace

Q_DECLARE_METATYPE(Trouble)

class TestFaultMatrix : public QObject
{
    Q_OBJECT

    std::unique_ptr<MediaFixture> f;
    QString m_function;
    QSet<QString> m_seen; // every command the controller received

    // A new session on the wall the fixture starts with: no row sees what another left.
    bool freshSession()
    {
        if (!f) {
            f = std::make_unique<MediaFixture>();
            if (!f->start())
                return false;
        } else {
            // The login and the row's preparation have the whole limit (a busy machine may be
            // slow); only the row's own request has the short one.
            f->window->transport()->setTimeoutMs(10000);
            if (f->window->session().loggedIn)
                f->window->on_disconnectButton_clicked();
            f->simulator.reset();
            f->simulator.setState(MediaFixture::wall());
            if (!f->login())
                return false;
        }
        Dialogs::reset();
        return f->window->session().loggedIn;
    }

    static sim::Fault faultFor(Trouble trouble)
    {
        switch (trouble) {
        case Trouble::NoAnswer:
        case Trouble::Refused:
            return {sim::Fault::NoReply};
        case Trouble::Dropped:
            return {sim::Fault::CloseConnection};
        case Trouble::Http500:
            return {sim::Fault::HttpError, 0, 500};
        case Trouble::OtherCommand:
            return {sim::Fault::WrongCommand, 0, 500, QStringLiteral("NotAskedFor")};
        case Trouble::Malformed:
            return {sim::Fault::Malformed};
        case Trouble::EmptyBody:
            return {sim::Fault::EmptyBody};
        case Trouble::NotOk:
            return {sim::Fault::Refuse, 0, 500, kRefusal};
        case Trouble::Oversized:
            return {sim::Fault::Oversized};
        case Trouble::Drip:
            return {sim::Fault::Drip};
        }
        return {sim::Fault::NoReply};
    }

    // Brings the controller back on its port: held requests are let go.
    void restartController()
    {
        const int port = f->simulator.port();
        f->simulator.stop();
        QVERIFY(f->simulator.start(QStringLiteral("127.0.0.1"), port));
    }

    void rows()
    {
        QTest::addColumn<QString>("command");
        for (const net::CommandEntry &entry : net::kCommands)
            QTest::newRow(entry.name) << QString::fromLatin1(entry.name);
    }

    void run(Trouble trouble)
    {
        QFETCH(QString, command);
        const net::CommandEntry *entry = net::findCommand(command);
        QVERIFY(entry);
        const QHash<QString, Trigger> all = triggers();
        QVERIFY2(all.contains(command), qPrintable("no way to send " + command));
        const Trigger &trigger = all.value(command);

        QVERIFY(freshSession());
        if (trigger.prepare)
            trigger.prepare(*f);
        if (QTest::currentTestFailed())
            return;
        const QString sessionId = f->window->session().sessionId;
        const QStringList canvasBefore = canvasState(*f);
        Dialogs::reset();
        f->simulator.clearRequests();

        QSignalSpy outcomes(f->window->userAdmin(), &admin::UserAdmin::retUserManage);
        // Only a row that waits out the limit has the short one: the others get their answers
        // (10 MiB of one on a busy machine) in time.
        f->window->transport()->setTimeoutMs(waitsOutTheLimit(trouble) ? trigger.limitMs : 10000);
        f->simulator.setFault(command, faultFor(trouble));
        if (trouble == Trouble::Refused)
            f->simulator.stop();
        trigger.send(*f);
        if (trigger.async && trouble != Trouble::Refused) {
            // Its answer (or none) comes to the dispatcher later.
            QVERIFY(pelmora::test::waitFor([&] { return !f->simulator.requests(command).isEmpty(); }));
            QTest::qWait(kLimitMs);
        }
        const QList<uikit::ShownBox> boxes = Dialogs::shownBoxes();
        const int waits = uikit::WaitScope::depth();
        const int retired = uikit::pendingRetired();
        int dialogs = 0;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<QDialog *>(widget) && widget->isVisible())
                ++dialogs;
        }
        const Qt::CursorShape cursor = f->window->cursor().shape();
        const bool loggedIn = f->window->session().loggedIn;
        const int missedPolls = f->window->session().missedReplies;
        const QString sessionAfter = f->window->session().sessionId;
        const QStringList canvasAfter = canvasState(*f);

        for (const auto &request : f->simulator.requests()) {
            if (!request.command.isEmpty())
                m_seen.insert(request.command);
        }
        const bool sent = !f->simulator.requests(command).isEmpty();
        f->simulator.clearFaults();
        if (trouble == Trouble::Refused || trouble == Trouble::NoAnswer)
            restartController();
        // The transport is free for the next request.
        f->window->transport()->setTimeoutMs(10000);
        const bool nextAnswered = f->window->transport()->query(QStringLiteral("GetCpuUsage")).ok();

        if (trouble != Trouble::Refused)
            QVERIFY2(sent, qPrintable(command + " was not sent"));
        QStringList shown;
        for (const auto &box : boxes)
            shown.append(box.text);
        const QStringList expected = expectedBoxes(command, entry->send, trouble);
        QVERIFY2(boxesMatch(shown, expected),
                 qPrintable(QStringLiteral("boxes [%1], expected [%2]")
                                .arg(shown.join(QLatin1String(" | ")), expected.join(QLatin1String(" | ")))));
        if (command == QLatin1String("AddUser") || command == QLatin1String("DeleteUser")) {
            // The user manager shows one box for the outcome it is handed.
            QCOMPARE(outcomes.size(), 1);
            const bool success = trouble == Trouble::Oversized;
            QCOMPARE(outcomes.at(0).at(1).toBool(), success);
            QCOMPARE(outcomes.at(0).at(2).toString(), success ? QString()
                                                      : trouble == Trouble::NotOk
                                                          ? kRefusal
                                                          : QStringLiteral("网络超时。"));
        }
        if (command == QLatin1String("GetCpuUsage")) {
            // Only a poll answered "Ok" proves the connection alive.
            QCOMPARE(missedPolls, trouble == Trouble::Oversized ? 0 : 1);
        }
        QCOMPARE(waits, 0);
        QCOMPARE(retired, 0);
        QCOMPARE(dialogs, 0);
        QCOMPARE(cursor, Qt::ArrowCursor);
        if (trigger.endsSession) {
            // A logout ends the session whatever comes back; a new login opens one only on "Ok".
            QCOMPARE(loggedIn, command == QLatin1String("Login") && trouble == Trouble::Oversized);
        } else {
            QVERIFY(loggedIn);
            QVERIFY(nextAnswered);
            QCOMPARE(sessionAfter, sessionId);
            switch (expectedCanvas(command, trouble)) {
            case CanvasAfter::AsBefore:
                QCOMPARE(canvasAfter, canvasBefore);
                break;
            case CanvasAfter::Empty:
                QCOMPARE(canvasAfter, QStringList());
                break;
            case CanvasAfter::NotCompared:
                break;
            }
        }
    }

private slots:
    void init()
    {
        Dialogs::reset();
        if (m_function != QLatin1String(QTest::currentTestFunction())) {
            // Each kind of trouble starts with a window and a controller of its own.
            f.reset();
            m_function = QLatin1String(QTest::currentTestFunction());
        }
    }

    void cleanup()
    {
        // Whatever a row left open is closed before the next.
        Dialogs::reset();
    }

    void cleanupTestCase()
    {
        for (const QString &name : qAsConst(m_seen))
            QVERIFY2(net::findCommand(name), qPrintable(name + " is sent but not listed"));
        f.reset();
    }

    void noAnswer_data() { rows(); }
    void noAnswer() { run(Trouble::NoAnswer); }
    void refused_data() { rows(); }
    void refused() { run(Trouble::Refused); }
    void dropped_data() { rows(); }
    void dropped() { run(Trouble::Dropped); }
    void http500_data() { rows(); }
    void http500() { run(Trouble::Http500); }
    void otherCommand_data() { rows(); }
    void otherCommand() { run(Trouble::OtherCommand); }
    void malformed_data() { rows(); }
    void malformed() { run(Trouble::Malformed); }
    void emptyBody_data() { rows(); }
    void emptyBody() { run(Trouble::EmptyBody); }
    void notOk_data() { rows(); }
    void notOk() { run(Trouble::NotOk); }
    void oversized_data() { rows(); }
    void oversized() { run(Trouble::Oversized); }
    void drip_data() { rows(); }
    void drip() { run(Trouble::Drip); }
};

PELMORA_TEST_MAIN(TestFaultMatrix)
#include "test_faultmatrix.moc"
