// User management without widgets: the checks of a new user, the digest, the requests and
// what a reply means for the user manager.
#include "admin/users.h"
#include "testmain.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QRegularExpression>

Q_DECLARE_METATYPE(net::CommandResult::Outcome)

class TestUsers : public QObject
{
    Q_OBJECT

private slots:
    void newUserChecksInOrder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("confirmation");
        QTest::addColumn<QString>("problem");
        const QString mismatch = QStringLiteral("两次输入的密码不一致。");
        const QString noPassword = QStringLiteral("密码不能为空。");
        const QString noName = QStringLiteral("用户名不能为空。");
        QTest::newRow("mismatch before an empty confirmation") << "guest"
                                                               << "a"
                                                               << "" << mismatch;
        QTest::newRow("mismatch before an empty name") << ""
                                                       << "a"
                                                       << "b" << mismatch;
        QTest::newRow("both passwords empty") << "guest"
                                              << ""
                                              << "" << noPassword;
        QTest::newRow("empty password before an empty name") << ""
                                                             << ""
                                                             << "" << noPassword;
        QTest::newRow("empty name") << ""
                                    << "pw"
                                    << "pw" << noName;
        QTest::newRow("blank name is a name") << " "
                                              << "pw"
                                              << "pw" << QString();
        QTest::newRow("all given") << "guest"
                                   << "pw"
                                   << "pw" << QString();
    }

    void newUserChecksInOrder()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, confirmation);
        QFETCH(QString, problem);
        QCOMPARE(admin::newUserProblem(name, password, confirmation), problem);
    }

    void additionCarriesTheDigest_data()
    {
        QTest::addColumn<QString>("password");
        QTest::newRow("word") << "secret";
        QTest::newRow("upper case and space") << "PASS word";
        QTest::newRow("looks like a digest already") << "0123456789abcdef0123456789abcdef";
        QTest::newRow("Latin-1") << QStringLiteral("café");
    }

    // "Password" is never the password itself: always 32 lower-case hex digits of its MD5.
    void additionCarriesTheDigest()
    {
        QFETCH(QString, password);
        const QJsonObject request =
            admin::addUserRequest(admin::newUser(QStringLiteral("guest"), password, 2));
        const QString sent = request.value("Password").toString();
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9a-f]{32}$")).match(sent).hasMatch());
        QCOMPARE(sent.toLatin1(),
                 QCryptographicHash::hash(password.toLatin1(), QCryptographicHash::Md5).toHex());
        QVERIFY(sent != password);
        QCOMPARE(
            request,
            (QJsonObject{{"Command", "AddUser"}, {"UserName", "guest"}, {"Password", sent}, {"Role", 2}}));
    }

    void passwordChangeIsSentAsTyped()
    {
        QCOMPARE(admin::modifyPwdRequest(QStringLiteral("operator"), QStringLiteral("old pw"),
                                         QStringLiteral("n3w")),
                 (QJsonObject{{"Command", "ModifyPwd"},
                              {"UserName", "operator"},
                              {"OldPassword", "old pw"},
                              {"NewPassword", "n3w"}}));
        QCOMPARE(admin::deleteUserRequest(QString()),
                 (QJsonObject{{"Command", "DeleteUser"}, {"UserName", ""}}));
    }

    void usersOfAReply()
    {
        const QList<S_USER_LIST> users =
            admin::usersOfReply(QJsonObject{{"Status", "Ok"}, {"UserList", QJsonArray{"admin", "guest"}}});
        QCOMPARE(users.size(), 2);
        QCOMPARE(users[1].userName, QStringLiteral("guest"));
        QCOMPARE(users[1].role, 0);
        QVERIFY(users[1].password.isEmpty());
        QVERIFY(admin::usersOfReply(QJsonObject()).isEmpty());
    }

    void manageOutcomes_data()
    {
        using O = net::CommandResult::Outcome;
        QTest::addColumn<O>("outcome");
        QTest::addColumn<bool>("success");
        QTest::addColumn<QString>("message");
        const QString timeout = QStringLiteral("网络超时。");
        QTest::newRow("Ok") << O::Ok << true << QString();
        QTest::newRow("refused") << O::Refused << false << "User \"x\" already exists";
        QTest::newRow("no reply") << O::TimedOut << false << timeout;
        QTest::newRow("network error") << O::NetworkError << false << timeout;
        QTest::newRow("HTTP error") << O::HttpError << false << timeout;
        QTest::newRow("another command answered") << O::WrongCommand << false << timeout;
    }

    void manageOutcomes()
    {
        QFETCH(net::CommandResult::Outcome, outcome);
        QFETCH(bool, success);
        QFETCH(QString, message);
        net::CommandResult result;
        result.outcome = outcome;
        result.reply = QJsonObject{
            {"Command", "AddUser"}, {"Status", "Error"}, {"Message", "User \"x\" already exists"}};
        const admin::ManageOutcome got = admin::manageOutcome(result);
        QCOMPARE(got.success, success);
        QCOMPARE(got.message, message);
    }

    void roles() { QCOMPARE(admin::roleTexts(), (QStringList{"管理员", "操作员", "Web操作员"})); }
};

PELMORA_TEST_MAIN(TestUsers)
#include "tst_users.moc"
