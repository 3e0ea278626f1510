// Bad input never crashes the simulator and never changes its state: a refused "Status"
// with a "Message" naming the problem, or an HTTP error where no JSON envelope applies.
#include "sim/simulator.h"
#include "simclient.h"
#include "testmain.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <memory>

namespace {

// The state without what moves by itself (playback positions).
QJsonValue stable(const QJsonValue &v)
{
    if (v.isArray()) {
        QJsonArray out;
        for (const QJsonValue &e : v.toArray())
            out.append(stable(e));
        return out;
    }
    if (!v.isObject())
        return v;
    QJsonObject o = v.toObject();
    o.remove("CurTime");
    for (auto it = o.begin(); it != o.end(); ++it)
        *it = stable(*it);
    return o;
}

} // namespace

class TestSimBadInput : public simtest::Suite
{
    Q_OBJECT

public:
    // One simulator state for the whole program: every case checks that it stays unchanged.
    TestSimBadInput() : Suite(Reset::Once) {}

private:
    QJsonValue stableState() const
    {
        QJsonObject s = m_sim->state();
        s.remove("Sessions");
        return stable(s);
    }

private slots:
    void badBodies_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("message");
        const QJsonObject rect{{"Left", 0}, {"Top", 0}, {"Right", 100}, {"Bottom", 100}};
        auto json = [](const QJsonObject &o) { return QJsonDocument(o).toJson(); };
        QTest::newRow("truncated JSON") << QByteArray(R"({"Command": "NewWindow", )") << "not a JSON object";
        QTest::newRow("array") << QByteArray("[1, 2]") << "not a JSON object";
        QTest::newRow("text") << QByteArray("\"NewWindow\"") << "not a JSON object";
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe{", 4) << "not a JSON object";
        QTest::newRow("empty") << QByteArray() << "Empty request body";
        QTest::newRow("no command") << json({{"WindowId", 1}}) << "\"Command\"";
        QTest::newRow("command as number") << json({{"Command", 7}}) << "\"Command\"";
        QTest::newRow("unknown command")
            << json({{"Command", "FormatDisk"}}) << "Unknown command \"FormatDisk\"";
        QTest::newRow("missing WindowId")
            << json({{"Command", "NewWindow"}, {"RealRect", rect}, {"Type", 2}, {"Name", "x"}})
            << "Missing key \"WindowId\"";
        QTest::newRow("WindowId as text") << json({{"Command", "NewWindow"},
                                                   {"RealRect", rect},
                                                   {"Type", 2},
                                                   {"Name", "x"},
                                                   {"WindowId", "abc"}})
                                          << "\"WindowId\" must be a whole number, got the text \"abc\"";
        QTest::newRow("WindowId fraction")
            << json({{"Command", "MoveWindow"}, {"RealRect", rect}, {"WindowId", 101.5}})
            << "\"WindowId\" must be a whole number";
        QTest::newRow("WindowId too big") << json({{"Command", "NewWindow"},
                                                   {"RealRect", rect},
                                                   {"Type", 2},
                                                   {"Name", "x"},
                                                   {"WindowId", 40000}})
                                          << "between 0 and 32767";
        QTest::newRow("rect as array") << json({{"Command", "NewWindow"},
                                                {"RealRect", QJsonArray{0, 0, 1, 1}},
                                                {"Type", 2},
                                                {"Name", "x"},
                                                {"WindowId", 5}})
                                       << "\"RealRect\" must be an object";
        QTest::newRow("empty rect")
            << json({{"Command", "NewWindow"},
                     {"RealRect", QJsonObject{{"Left", 50}, {"Top", 0}, {"Right", 50}, {"Bottom", 10}}},
                     {"Type", 2},
                     {"Name", "x"},
                     {"WindowId", 5}})
            << "RealRect is empty";
        QTest::newRow("rect without Bottom")
            << json({{"Command", "MoveWindow"},
                     {"RealRect", QJsonObject{{"Left", 0}, {"Top", 0}, {"Right", 5}}},
                     {"WindowId", 101}})
            << "RealRect: Missing key \"Bottom\"";
        QTest::newRow("unknown type")
            << json({{"Command", "NewWindow"}, {"RealRect", rect}, {"Type", 7}, {"WindowId", 5}})
            << "Unknown window Type 7";
        QTest::newRow("video list empty") << json({{"Command", "NewWindow"},
                                                   {"RealRect", rect},
                                                   {"Type", 0},
                                                   {"WindowId", 5},
                                                   {"VideoList", QJsonArray()}})
                                          << "\"VideoList\" must not be an empty array";
        QTest::newRow("video list of strings") << json({{"Command", "NewWindow"},
                                                        {"RealRect", rect},
                                                        {"Type", 0},
                                                        {"WindowId", 5},
                                                        {"VideoList", QJsonArray{"a.mp4"}}})
                                               << "VideoList[0] must be an object";
        QTest::newRow("move unknown window")
            << json({{"Command", "MoveWindow"}, {"RealRect", rect}, {"WindowId", 999}})
            << "No window with WindowId 999";
        QTest::newRow("raise with bad type")
            << json({{"Command", "SetWindowPos"}, {"WindowId", 101}, {"Type", "Up"}, {"ScreenGroup", 1}})
            << "MoveTop";
        QTest::newRow("group that does not exist")
            << json({{"Command", "CloseWindow"}, {"WindowId", -1}, {"ScreenGroup", 4}})
            << "ScreenGroup 4 does not exist";
        QTest::newRow("screen index out of range")
            << json({{"Command", "SetCurScreen"}, {"Index", 3}}) << "between 0 and 2";
        QTest::newRow("widths do not match columns") << json({{"Command", "SetScrSetting"},
                                                              {"Index", 0},
                                                              {"Rows", 2},
                                                              {"Cols", 3},
                                                              {"Name", "x"},
                                                              {"CustomWidth", QJsonArray{1920, 1920}},
                                                              {"CustomHeight", QJsonArray()}})
                                                     << "CustomWidth has 2 entries but there are 3 columns";
        // The monitors' size is fixed: custom sizes must add up to it, and a refused height
        // leaves the valid widths of the same request unapplied.
        QTest::newRow("widths do not add up")
            << json({{"Command", "SetScrSetting"},
                     {"Index", 1},
                     {"Rows", 1},
                     {"Cols", 2},
                     {"Name", "x"},
                     {"CustomWidth", QJsonArray{3000, 3000}},
                     {"CustomHeight", QJsonArray()}})
            << "CustomWidth adds up to 6000 but screen group 2 is 6400 pixels wide";
        QTest::newRow("heights do not add up")
            << json({{"Command", "SetScrSetting"},
                     {"Index", 2},
                     {"Rows", 2},
                     {"Cols", 3},
                     {"Name", "x"},
                     {"CustomWidth", QJsonArray{1280, 1280, 1280}},
                     {"CustomHeight", QJsonArray{1000, 1000}}})
            << "CustomHeight adds up to 2000 but screen group 3 is 2160 pixels high";
        QTest::newRow("zero columns")
            << json({{"Command", "SetScrSetting"}, {"Index", 0}, {"Rows", 2}, {"Cols", 0}, {"Name", "x"}})
            << "\"Cols\"";
        QTest::newRow("volume too high")
            << json({{"Command", "VideoCtrl"}, {"WindowId", 101}, {"CtrlCmd", "SetVolume"}, {"Value", 150}})
            << "\"Value\" must be between 0 and 100, got 150";
        QTest::newRow("seek past the end") << json({{"Command", "VideoCtrl"},
                                                    {"WindowId", 101},
                                                    {"CtrlCmd", "SetTime"},
                                                    {"TimeInSecond", 9999}})
                                           << "\"TimeInSecond\" must be between 0 and 185";
        QTest::newRow("unknown control")
            << json({{"Command", "VideoCtrl"}, {"WindowId", 101}, {"CtrlCmd", "Rewind"}})
            << "Unknown CtrlCmd \"Rewind\"";
        QTest::newRow("video control on a web page")
            << json({{"Command", "VideoCtrl"}, {"WindowId", 103}, {"CtrlCmd", "Pause"}}) << "web page window";
        QTest::newRow("page control on a video")
            << json({{"Command", "PptCtrl"}, {"WindowId", 101}, {"CtrlCmd", "NextPage"}})
            << "does not apply to window 101";
        QTest::newRow("unknown scene")
            << json({{"Command", "LoadModal"}, {"ModalName", "Nope"}}) << "No scene named \"Nope\"";
        QTest::newRow("scene without name")
            << json({{"Command", "SaveModal"}, {"ScreenGroup", 1}, {"ModalName", ""}})
            << "\"ModalName\" must not be empty";
        QTest::newRow("rotation of unknown scene")
            << json({{"Command", "SetQuickSwitch"},
                     {"Control", 1},
                     {"ModalList", QJsonArray{QJsonObject{{"Name", "Nope"}, {"TimeInSeconds", 5}}}}})
            << "no scene named \"Nope\"";
        QTest::newRow("rotation time zero")
            << json({{"Command", "SetQuickSwitch"},
                     {"Control", 1},
                     {"ModalList",
                      QJsonArray{QJsonObject{{"Name", "Morning Welcome"}, {"TimeInSeconds", 0}}}}})
            << "\"TimeInSeconds\" must be between 1";
        QTest::newRow("caption colour")
            << json({{"Command", "SetZEVOsdText"}, {"ScrGroup", 1}, {"TextColor", "red"}})
            << "six hexadecimal digits";
        QTest::newRow("caption font")
            << json({{"Command", "SetZEVOsdText"}, {"ScrGroup", 1}, {"FontName", "Comic"}})
            << "Font \"Comic\" is not installed";
        QTest::newRow("music unknown")
            << json({{"Command", "PlayBgMusic"}, {"Flag", 1}, {"MusicList", QJsonArray{"nope.mp3"}}})
            << "No music file named";
        QTest::newRow("music volume")
            << json({{"Command", "SetBgMusicVolume"}, {"Volume", -1}}) << "\"Volume\"";
        QTest::newRow("resource type")
            << json({{"Command", "AddResource"}, {"ResType", "Movie"}, {"ResName", "a"}, {"ResPath", "b"}})
            << "Unknown ResType \"Movie\"";
        QTest::newRow("user with clear password")
            << json({{"Command", "AddUser"}, {"UserName", "x"}, {"Password", "secret"}, {"Role", 1}})
            << "MD5 digest";
        QTest::newRow("user exists") << json({{"Command", "AddUser"},
                                              {"UserName", "operator"},
                                              {"Password", simtest::md5Hex("x")},
                                              {"Role", 1}})
                                     << "already exists";
        QTest::newRow("delete unknown user")
            << json({{"Command", "DeleteUser"}, {"UserName", "nobody"}}) << "No user named \"nobody\"";
        QTest::newRow("delete without a name")
            << json({{"Command", "DeleteUser"}, {"UserName", ""}}) << "No user name given";
        QTest::newRow("user without a name") << json({{"Command", "AddUser"},
                                                      {"UserName", ""},
                                                      {"Password", simtest::md5Hex("x")},
                                                      {"Role", 1}})
                                             << "\"UserName\"";
        QTest::newRow("role out of range") << json({{"Command", "AddUser"},
                                                    {"UserName", "x"},
                                                    {"Password", simtest::md5Hex("x")},
                                                    {"Role", 5}})
                                           << "\"Role\" must be between 0 and 2";
        QTest::newRow("mouse off the grid")
            << json({{"Command", "MouseKBCtrl"}, {"Type", 0}, {"X", 10001}, {"Y", 0}})
            << "\"X\" must be between 0 and 10000";
        QTest::newRow("language") << json({{"Command", "SetLanguage"}, {"Language", "en"}}) << "\"Language\"";
    }

    void badBodies()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, message);
        const QJsonValue before = stableState();
        const simtest::Result r = client().postRaw(body);
        QCOMPARE(r.status, 200);
        QCOMPARE(r.json().value("Status").toString(), QString("Error"));
        QVERIFY2(r.message().contains(message), qPrintable(r.message()));
        QCOMPARE(stableState(), before);
    }

    void badQueries_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("message");
        QTest::newRow("no window id") << "GetVideoParams"
                                      << "Missing key \"WindowId\"";
        QTest::newRow("window id as text") << "GetVideoParams&WindowId=abc"
                                           << "\"WindowId\" must be a whole number";
        QTest::newRow("unknown window") << "GetPictureParams&WindowId=4242"
                                        << "No window with WindowId 4242";
        QTest::newRow("unknown command") << "GetEverything"
                                         << "Unknown command \"GetEverything\"";
        QTest::newRow("empty command") << ""
                                       << "no command named";
    }

    void badQueries()
    {
        QFETCH(QString, command);
        QFETCH(QString, message);
        const simtest::Result r = client().get(command);
        QCOMPARE(r.json().value("Status").toString(), QString("Error"));
        QVERIFY2(r.message().contains(message), qPrintable(r.message()));
    }

    void hugeBodies()
    {
        const QJsonValue before = stableState();
        // Read by the server, but more than a command may be: refused.
        const QByteArray big(8 * 1024 * 1024, 'x');
        QVERIFY(client().postRaw(big, 20000).message().contains("Command body too large"));
        // A huge but valid command: a name of two megabytes.
        const QJsonObject longName{
            {"Command", "SaveModal"}, {"ScreenGroup", 1}, {"ModalName", QString(2 * 1024 * 1024, 'n')}};
        QVERIFY(client().post(longName, 20000).isOk());
        QVERIFY(client()
                    .post({{"Command", "RemoveModal"}, {"ModalName", longName.value("ModalName")}}, 20000)
                    .isOk());
        // Beyond what the server reads at all: an HTTP error.
        const QByteArray tooBig(65 * 1024 * 1024, 'y');
        const simtest::Result refused = client().postRaw(tooBig, 30000);
        QVERIFY(refused.status == 413 || refused.error != QNetworkReply::NoError);
        QCOMPARE(stableState(), before);
        QVERIFY(client().get("GetVersion").isOk());
    }

    void oddMethodsAndPaths()
    {
        QCOMPARE(client().request("PUT", "/index2.html", {}, "{}").status, 405);
        QCOMPARE(client().getPath("/index2.html").json().value("Status").toString(), QString("Error"));
        QCOMPARE(client().getPath("/../../etc/passwd").status, 404);
        QVERIFY(client().get("GetVersion").isOk());
    }
};

PELMORA_TEST_MAIN(TestSimBadInput)
#include "tst_simbadinput.moc"
