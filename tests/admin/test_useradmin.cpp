// Users and passwords against the controller simulator: the administrator's user manager, the
// refusal for everybody else, and the password change of every user.
#include "admin/dialogmodify.h"
#include "admin/dialogusermanager.h"
#include "admin/useradmin.h"
#include "simsession.h"
#include "testmain.h"
#include "uikit/dialogs.h"
#include "uikit/helpers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTimer>

using uikit::BoxType;
using uikit::Dialogs;
using uikit::ShownBox;

Q_DECLARE_METATYPE(uikit::BoxType)

namespace {
enum class Trouble { None, NoReply, WrongCommand, HttpError };

void setText(QDialog *dialog, const char *edit, const QString &text)
{
    dialog->findChild<QLineEdit *>(QLatin1String(edit))->setText(text);
}

QPushButton *button(QDialog *dialog, const char *name)
{
    return dialog->findChild<QPushButton *>(QLatin1String(name));
}

void select(DialogUserManager *dialog, const QString &name)
{
    QListView *list = dialog->userList();
    const int row = dialog->userNames().indexOf(name);
    list->setCurrentIndex(row < 0 ? QModelIndex() : list->model()->index(row, 0));
}

QList<ShownBox> boxes()
{
    return Dialogs::shownBoxes();
}

ShownBox box(BoxType type, const QString &text)
{
    return {type, text};
}
} // namespace

namespace uikit {
bool operator==(const ShownBox &a, const ShownBox &b)
{
    return a.type == b.type && a.text == b.text;
}
} // namespace uikit

Q_DECLARE_METATYPE(Trouble)

namespace QTest {
template<>
char *toString(const ShownBox &b)
{
    return qstrdup(qPrintable(QStringLiteral("%1: %2").arg(int(b.type)).arg(b.text)));
}
} // namespace QTest

class TestUserAdmin : public QObject
{
    Q_OBJECT

    std::unique_ptr<pelmora::test::SimSession> s;
    std::unique_ptr<QWidget> window;
    std::unique_ptr<admin::UserAdmin> users;

    bool start(const QString &user = QStringLiteral("admin"), const QString &password = QString())
    {
        s = std::make_unique<pelmora::test::SimSession>();
        if (!s->start())
            return false;
        // A web operator besides the demo's two users.
        s->simulator.setState(QJsonObject{
            {"Users", QJsonArray{QJsonObject{{"UserName", "admin"}, {"Password", "admin"}, {"Role", 0}},
                                 QJsonObject{{"UserName", "operator"}, {"Password", "operator"}, {"Role", 1}},
                                 QJsonObject{{"UserName", "web"}, {"Password", "web"}, {"Role", 2}}}}});
        if (!s->login(user, password))
            return false;
        s->transport->setTimeoutMs(200);
        s->simulator.clearRequests();
        window = std::make_unique<QWidget>();
        users = std::make_unique<admin::UserAdmin>(window.get(), s->transport.get(), &s->session);
        return true;
    }

    void troubleWith(const QString &command, Trouble trouble)
    {
        switch (trouble) {
        case Trouble::None:
            break;
        case Trouble::NoReply:
            s->simulator.setFault(command, {sim::Fault::NoReply});
            break;
        case Trouble::WrongCommand:
            s->simulator.setFault(command, {sim::Fault::WrongCommand});
            break;
        case Trouble::HttpError:
            s->simulator.setFault(command, {sim::Fault::HttpError});
            break;
        }
    }

    // Runs the user manager with `script` acting in it; false when it did not open.
    bool runManager(std::function<void(DialogUserManager *)> script)
    {
        bool opened = false;
        Dialogs::setNextDialogHandler([&](QDialog *dialog) {
            auto *manager = qobject_cast<DialogUserManager *>(dialog);
            opened = manager != nullptr;
            if (manager)
                script(manager);
            return int(QDialog::Rejected);
        });
        users->on_userManager();
        return opened;
    }

    QStringList controllerUsers() const
    {
        QStringList names;
        for (const QJsonValue &u : s->simulator.state().value("Users").toArray())
            names.append(u.toObject().value("UserName").toString());
        return names;
    }

private slots:
    void init() { Dialogs::reset(); }
    void cleanup()
    {
        users.reset();
        window.reset();
        if (s)
            s->simulator.stop();
        s.reset();
    }

    void onlyAnAdministratorManagesUsers_data()
    {
        QTest::addColumn<QString>("user");
        QTest::newRow("operator") << "operator";
        QTest::newRow("web operator") << "web";
    }

    // The refusal comes before anything is sent.
    void onlyAnAdministratorManagesUsers()
    {
        QFETCH(QString, user);
        QVERIFY(start(user));
        QVERIFY(s->session.role > 0);
        QVERIFY(!runManager([](DialogUserManager *) {}));
        QCOMPARE(boxes(), (QList<ShownBox>{box(BoxType::Info, "您不是管理员，不能使用该功能！")}));
        QVERIFY(s->simulator.requests().isEmpty());
    }

    void managerListsTheUsers()
    {
        QVERIFY(start());
        QStringList listed;
        QVERIFY(runManager([&](DialogUserManager *manager) {
            listed = manager->userNames();
            // No roles come with the list: every user shows the administrator icon.
            const auto *model = qobject_cast<QStandardItemModel *>(manager->userList()->model());
            const QImage admin = QIcon(":/images/admin.png").pixmap(24, 24).toImage();
            for (int row = 0; row < model->rowCount(); ++row)
                QCOMPARE(model->item(row)->icon().pixmap(24, 24).toImage(), admin);
        }));
        QCOMPARE(listed, (QStringList{"admin", "operator", "web"}));
        QCOMPARE(users->users().size(), 3);
        QVERIFY(boxes().isEmpty());
    }

    // A failed "GetAllUsers" shows the status box and opens nothing.
    void unreadableUserList()
    {
        QVERIFY(start());
        troubleWith("GetAllUsers", Trouble::NoReply);
        QVERIFY(!runManager([](DialogUserManager *) {}));
        QCOMPARE(boxes(), (QList<ShownBox>{box(BoxType::Error, "错误原因: ")}));
    }

    void additionChecksComeFirst_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("confirmation");
        QTest::addColumn<QString>("text");
        QTest::newRow("mismatch before empty") << ""
                                               << ""
                                               << "x"
                                               << "两次输入的密码不一致。";
        QTest::newRow("both passwords empty") << "guest"
                                              << ""
                                              << ""
                                              << "密码不能为空。";
        QTest::newRow("no name") << ""
                                 << "pw"
                                 << "pw"
                                 << "用户名不能为空。";
    }

    void additionChecksComeFirst()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, confirmation);
        QFETCH(QString, text);
        QVERIFY(start());
        QVERIFY(runManager([&](DialogUserManager *manager) {
            setText(manager, "editName", name);
            setText(manager, "editPwd", password);
            setText(manager, "editPwd_2", confirmation);
            button(manager, "btnAddUser")->click();
        }));
        QCOMPARE(boxes(), (QList<ShownBox>{box(BoxType::Info, text)}));
        QVERIFY(s->simulator.requests("AddUser").isEmpty());
    }

    void addition_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Trouble>("trouble");
        QTest::addColumn<BoxType>("type");
        QTest::addColumn<QString>("text");
        QTest::newRow("added") << "guest" << Trouble::None << BoxType::Info << "添加用户成功！";
        QTest::newRow("name taken") << "operator" << Trouble::None << BoxType::Error
                                    << "添加用户失败！错误原因：User \"operator\" already exists";
        const QString timeout = QStringLiteral("添加用户失败！错误原因：网络超时。");
        QTest::newRow("no reply") << "guest" << Trouble::NoReply << BoxType::Error << timeout;
        QTest::newRow("another command answered")
            << "guest" << Trouble::WrongCommand << BoxType::Error << timeout;
        QTest::newRow("HTTP error") << "guest" << Trouble::HttpError << BoxType::Error << timeout;
    }

    // One box per request; the list gains the user only when the controller took it.
    void addition()
    {
        QFETCH(QString, name);
        QFETCH(Trouble, trouble);
        QFETCH(BoxType, type);
        QFETCH(QString, text);
        QVERIFY(start());
        troubleWith("AddUser", trouble);
        QStringList listed;
        QVERIFY(runManager([&](DialogUserManager *manager) {
            setText(manager, "editName", name);
            setText(manager, "editPwd", "pa55");
            setText(manager, "editPwd_2", "pa55");
            manager->findChild<QComboBox *>("comboRole")->setCurrentIndex(2);
            button(manager, "btnAddUser")->click();
            listed = manager->userNames();
        }));
        QCOMPARE(boxes(), (QList<ShownBox>{box(type, text)}));
        const bool added = type == BoxType::Info;
        QCOMPARE(listed.contains("guest"), added);
        QCOMPARE(controllerUsers().contains("guest"), added);
        const auto sent = s->simulator.requests("AddUser");
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent[0].json().value("Password").toString(),
                 QStringLiteral("a40f2ce2dab5a02272023cdd0aa66d2b")); // MD5 of "pa55"
        QCOMPARE(sent[0].json().value("Role").toInt(), 2);
        if (added) {
            // The new user logs in with the password typed.
            LoginSession login(s->transport.get(), &s->session);
            QVERIFY(login.login("guest", "pa55").ok());
            QCOMPARE(s->session.role, 2);
        }
    }

    void deletion_data()
    {
        QTest::addColumn<QString>("selected"); // empty: no row chosen
        QTest::addColumn<BoxType>("type");
        QTest::addColumn<QString>("text");
        QTest::newRow("deleted") << "operator" << BoxType::Info << "删除用户成功！";
        QTest::newRow("nothing chosen")
            << "" << BoxType::Error << "删除用户失败！错误原因：No user name given";
        QTest::newRow("oneself") << "admin" << BoxType::Error
                                 << "删除用户失败！错误原因：You cannot delete the user you are logged in as";
    }

    void deletion()
    {
        QFETCH(QString, selected);
        QFETCH(BoxType, type);
        QFETCH(QString, text);
        QVERIFY(start());
        QStringList listed;
        bool chosenAfter = false;
        QVERIFY(runManager([&](DialogUserManager *manager) {
            select(manager, selected);
            button(manager, "btnDelUser")->click();
            listed = manager->userNames();
            chosenAfter = manager->userList()->currentIndex().isValid();
        }));
        QCOMPARE(boxes(), (QList<ShownBox>{box(type, text)}));
        const auto sent = s->simulator.requests("DeleteUser");
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent[0].json().value("UserName").toString(), selected);
        const bool deleted = type == BoxType::Info;
        QCOMPARE(listed.contains(selected), !deleted && !selected.isEmpty());
        QCOMPARE(listed.size(), deleted ? 2 : 3);
        // After a deletion no other user is chosen for the next click.
        QCOMPARE(chosenAfter, !deleted && !selected.isEmpty());
        QCOMPARE(controllerUsers().size(), deleted ? 2 : 3);
    }

    // The result applies to the request sent, whatever the operator chose or typed while it
    // waited; neither button starts a second request meanwhile.
    void resultAppliesToTheRequestSent()
    {
        QVERIFY(start());
        // Each request is held at the controller until the operator has acted inside its wait.
        using pelmora::test::holdRequests;
        using pelmora::test::kHeldMs;
        using pelmora::test::onceReceived;
        holdRequests(s->simulator, "DeleteUser");
        holdRequests(s->simulator, "AddUser");
        QStringList listed;
        QVERIFY(runManager([&](DialogUserManager *manager) {
            select(manager, "operator");
            onceReceived(manager, s->simulator, "DeleteUser", [&, manager] {
                select(manager, "web");
                button(manager, "btnDelUser")->click(); // ignored: no second request
                button(manager, "btnAddUser")->click();
                s->simulator.advanceClock(kHeldMs);
            });
            button(manager, "btnDelUser")->click();
            setText(manager, "editName", "guest");
            setText(manager, "editPwd", "pw");
            setText(manager, "editPwd_2", "pw");
            onceReceived(manager, s->simulator, "AddUser", [&, manager] {
                setText(manager, "editName", "renamed");
                s->simulator.advanceClock(kHeldMs);
            });
            button(manager, "btnAddUser")->click();
            listed = manager->userNames();
        }));
        QCOMPARE(s->simulator.requests("DeleteUser").size(), 1);
        QCOMPARE(s->simulator.requests("AddUser").size(), 1);
        QCOMPARE(listed, (QStringList{"admin", "web", "guest"}));
        QCOMPARE(controllerUsers(), (QStringList{"admin", "web", "guest"}));
        QCOMPARE(boxes().size(), 2);
    }

    void passwordChange_data()
    {
        QTest::addColumn<QString>("oldPassword");
        QTest::addColumn<QString>("newPassword");
        QTest::addColumn<QString>("confirmation");
        QTest::addColumn<Trouble>("trouble");
        QTest::addColumn<BoxType>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("sent");
        QTest::newRow("changed") << "operator"
                                 << "s3cret pw"
                                 << "s3cret pw" << Trouble::None << BoxType::Info << "修改密码成功！" << true;
        QTest::newRow("wrong old password") << "nope"
                                            << "s3cret"
                                            << "s3cret" << Trouble::None << BoxType::Error
                                            << "操作失败！错误原因：The old password is wrong" << true;
        QTest::newRow("confirmation differs") << "operator"
                                              << "s3cret"
                                              << "s3cre" << Trouble::None << BoxType::Info
                                              << "错误原因: <b>两次输入的新密码不一致</b>" << false;
        QTest::newRow("empty new password goes to the controller")
            << "operator"
            << ""
            << "" << Trouble::None << BoxType::Error
            << "操作失败！错误原因：The new password must not be empty" << true;
        const QString timeout = QStringLiteral("操作失败！错误原因：网络超时。");
        QTest::newRow("no reply") << "operator"
                                  << "s3cret"
                                  << "s3cret" << Trouble::NoReply << BoxType::Error << timeout << true;
        QTest::newRow("another command answered")
            << "operator"
            << "s3cret"
            << "s3cret" << Trouble::WrongCommand << BoxType::Error << timeout << true;
    }

    // Every user changes the password; a failure never shows the success box, and the
    // password the next login needs is the one the controller reports.
    void passwordChange()
    {
        QFETCH(QString, oldPassword);
        QFETCH(QString, newPassword);
        QFETCH(QString, confirmation);
        QFETCH(Trouble, trouble);
        QFETCH(BoxType, type);
        QFETCH(QString, text);
        QFETCH(bool, sent);
        QVERIFY(start("operator"));
        troubleWith("ModifyPwd", trouble);
        Dialogs::setNextDialogHandler([&](QDialog *dialog) {
            setText(dialog, "editOldPwd", oldPassword);
            setText(dialog, "editNewPwd", newPassword);
            setText(dialog, "editNewPwd_2", confirmation);
            button(dialog, "btnOk")->click();
            return dialog->result();
        });
        users->on_modifyPwd();
        QCOMPARE(boxes(), (QList<ShownBox>{box(type, text)}));
        const auto requests = s->simulator.requests("ModifyPwd");
        QCOMPARE(requests.size(), sent ? 1 : 0);
        if (sent) {
            QCOMPARE(requests[0].json(), (QJsonObject{{"Command", "ModifyPwd"},
                                                      {"UserName", "operator"},
                                                      {"OldPassword", oldPassword},
                                                      {"NewPassword", newPassword}}));
        }
        s->simulator.clearFaults();
        const bool changed = type == BoxType::Info && sent;
        LoginSession login(s->transport.get(), &s->session);
        QCOMPARE(login.login("operator", "operator").ok(), !changed);
        QCOMPARE(login.login("operator", newPassword).ok(), changed);
    }

    void cancelledPasswordDialogSendsNothing()
    {
        QVERIFY(start("web"));
        Dialogs::setNextDialogHandler([](QDialog *dialog) {
            setText(dialog, "editOldPwd", "web");
            button(dialog, "btnCancel")->click();
            return dialog->result();
        });
        users->on_modifyPwd();
        QVERIFY(boxes().isEmpty());
        QVERIFY(s->simulator.requests().isEmpty());
    }
};

PELMORA_TEST_MAIN(TestUserAdmin)
#include "test_useradmin.moc"
