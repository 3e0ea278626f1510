// Login, sessions, roles and logout of the simulator.
#include "sim/simulator.h"
#include "simclient.h"
#include "testmain.h"

#include <QJsonArray>

#include <memory>

class TestSimSession : public simtest::Suite
{
    Q_OBJECT

public:
    TestSimSession() : Suite(Reset::EachTest) {}

private slots:

    void loginAnswersSessionAndRole_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("role");
        QTest::newRow("administrator") << "admin"
                                       << "admin" << 0;
        QTest::newRow("operator") << "operator"
                                  << "operator" << 1;
    }

    void loginAnswersSessionAndRole()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(int, role);
        simtest::Client client(port());
        const simtest::Result r = client.post({{"Command", "Login"},
                                               {"UserName", user},
                                               {"Password", simtest::md5Hex(password)},
                                               {"Family", 2}});
        QVERIFY(r.isOk());
        QCOMPARE(r.json().value("Command").toString(), QString("Login"));
        QVERIFY(r.json().value("Role").isDouble());
        QCOMPARE(r.json().value("Role").toInt(), role);
        const QString session = r.json().value("SessionId").toString();
        QCOMPARE(session.size(), 32);
        client.setSession(session.toLatin1());
        QVERIFY(client.get("GetScrSetting").isOk());
    }

    void loginRefusals_data()
    {
        QTest::addColumn<QJsonObject>("request");
        QTest::addColumn<QString>("message");
        const QString digest = simtest::md5Hex("admin");
        QTest::newRow("unknown user")
            << QJsonObject{{"Command", "Login"}, {"UserName", "root"}, {"Password", digest}}
            << "Unknown user \"root\"";
        QTest::newRow("wrong password") << QJsonObject{{"Command", "Login"},
                                                       {"UserName", "admin"},
                                                       {"Password", simtest::md5Hex("nimda")}}
                                        << "Wrong password";
        QTest::newRow("password in clear")
            << QJsonObject{{"Command", "Login"}, {"UserName", "admin"}, {"Password", "admin"}}
            << "MD5 digest";
        QTest::newRow("upper-case digest")
            << QJsonObject{{"Command", "Login"}, {"UserName", "admin"}, {"Password", digest.toUpper()}}
            << "MD5 digest";
        QTest::newRow("no user name")
            << QJsonObject{{"Command", "Login"}, {"Password", digest}} << "Missing key \"UserName\"";
        QTest::newRow("family as text")
            << QJsonObject{{"Command", "Login"}, {"UserName", "admin"}, {"Password", digest}, {"Family", "2"}}
            << "\"Family\" must be a whole number";
    }

    void loginRefusals()
    {
        QFETCH(QJsonObject, request);
        QFETCH(QString, message);
        simtest::Client client(port());
        const simtest::Result r = client.post(request);
        QCOMPARE(r.json().value("Command").toString(), QString("Login"));
        QVERIFY(!r.isOk());
        QVERIFY2(r.message().contains(message), qPrintable(r.message()));
        QCOMPARE(m_sim->state().value("Sessions").toArray().size(), 0);
    }

    void onlyLoginAndVersionBeforeLogin_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("GetVersion") << "GetVersion" << true;
        QTest::newRow("GetScrSetting") << "GetScrSetting" << false;
        QTest::newRow("GetCpuUsage") << "GetCpuUsage" << false;
        QTest::newRow("GetVideoParams") << "GetVideoParams&WindowId=101" << false;
        QTest::newRow("GetAllUsers") << "GetAllUsers" << false;
    }

    void onlyLoginAndVersionBeforeLogin()
    {
        QFETCH(QString, command);
        QFETCH(bool, allowed);
        simtest::Client client(port());
        const simtest::Result r = client.get(command);
        QCOMPARE(r.isOk(), allowed);
        if (!allowed)
            QVERIFY2(r.message().contains("send Login first"), qPrintable(r.message()));
        const simtest::Result posted =
            client.post({{"Command", "CloseWindow"}, {"WindowId", -1}, {"ScreenGroup", 1}});
        QVERIFY(!posted.isOk());
        QCOMPARE(m_sim->windowList(0).value("Windows").toArray().size(), 3);
    }

    void staleSessionIsRefused()
    {
        simtest::Client client(port());
        QVERIFY(client.login());
        const QByteArray old = client.session();
        QVERIFY(client.post({{"Command", "Logout"}, {"UserName", "admin"}}).isOk());
        const simtest::Result r = client.get("GetCpuUsage");
        QVERIFY(!r.isOk());
        QVERIFY2(r.message().contains(QString::fromLatin1(old)) && r.message().contains("log in again"),
                 qPrintable(r.message()));
        client.setSession("0123456789abcdef0123456789abcdef");
        QVERIFY(!client.get("GetCpuUsage").isOk());
        // A logout without (or after) a session is answered "Ok", so a resent logout shows nothing.
        QVERIFY(client.post({{"Command", "Logout"}, {"UserName", "admin"}}).isOk());
    }

    void sessionsAreIndependent()
    {
        simtest::Client first(port()), second(port());
        QVERIFY(first.login());
        QVERIFY(second.login("operator", "operator"));
        QVERIFY(first.session() != second.session());
        QVERIFY(first.post({{"Command", "Logout"}, {"UserName", "admin"}}).isOk());
        QVERIFY(!first.get("GetCpuUsage").isOk());
        QVERIFY(second.get("GetCpuUsage").isOk());
    }

    void userManagementNeedsAnAdministrator_data()
    {
        QTest::addColumn<QJsonObject>("request");
        QTest::newRow("list") << QJsonObject{{"Command", "GetAllUsers"}};
        QTest::newRow("add") << QJsonObject{
            {"Command", "AddUser"}, {"UserName", "x"}, {"Password", simtest::md5Hex("x")}, {"Role", 1}};
        QTest::newRow("delete") << QJsonObject{{"Command", "DeleteUser"}, {"UserName", "admin"}};
    }

    void userManagementNeedsAnAdministrator()
    {
        QFETCH(QJsonObject, request);
        simtest::Client client(port());
        QVERIFY(client.login("operator", "operator"));
        const simtest::Result r = client.post(request);
        QVERIFY(!r.isOk());
        QVERIFY(r.message().contains("Only an administrator"));
        QCOMPARE(m_sim->state().value("Users").toArray().size(), 2);
    }

    void passwordChangeTakesEffect()
    {
        simtest::Client client(port());
        QVERIFY(client.login("operator", "operator"));
        const simtest::Result wrong = client.post(
            {{"Command", "ModifyPwd"}, {"UserName", "operator"}, {"OldPassword", "x"}, {"NewPassword", "y"}});
        QVERIFY(wrong.message().contains("old password is wrong"));
        const simtest::Result other = client.post({{"Command", "ModifyPwd"},
                                                   {"UserName", "admin"},
                                                   {"OldPassword", "admin"},
                                                   {"NewPassword", "y"}});
        QVERIFY(other.message().contains("only change your own password"));
        QVERIFY(client
                    .post({{"Command", "ModifyPwd"},
                           {"UserName", "operator"},
                           {"OldPassword", "operator"},
                           {"NewPassword", "s3cret"}})
                    .isOk());
        simtest::Client again(port());
        QVERIFY(!again.login("operator", "operator"));
        QVERIFY(again.login("operator", "s3cret"));
    }

    void deletingAUserEndsItsSessions()
    {
        simtest::Client admin(port()), op(port());
        QVERIFY(admin.login());
        QVERIFY(op.login("operator", "operator"));
        QVERIFY(admin.post({{"Command", "DeleteUser"}, {"UserName", "operator"}}).isOk());
        QVERIFY(!op.get("GetCpuUsage").isOk());
        const simtest::Result self = admin.post({{"Command", "DeleteUser"}, {"UserName", "admin"}});
        QVERIFY(self.message().contains("logged in as"));
    }

    void plainPathsAndUploadsNeedASession()
    {
        simtest::Client client(port());
        QCOMPARE(client.getPath("/snapshot/Company Intro.mp4").status, 403);
        QCOMPARE(client.upload("/videos/x.mp4", 0, "abc").status, 403);
        client.setSession("stale");
        QCOMPARE(client.getPath("/snapshot/Company Intro.mp4").status, 403);
        QVERIFY(client.login());
        QCOMPARE(client.getPath("/snapshot/Company Intro.mp4").status, 200);
        QVERIFY(m_sim->storedFile("/videos/x.mp4").isEmpty());
    }
};

PELMORA_TEST_MAIN(TestSimSession)
#include "tst_simsession.moc"
