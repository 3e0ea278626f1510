// Commands of the simulator and the state they change, over real loopback HTTP.
#include "sim/controllerstate.h"
#include "sim/simulator.h"
#include "sim/wallpicture.h"
#include "simclient.h"
#include "testmain.h"

#include <QBuffer>
#include <QImage>
#include <QJsonArray>

#include <memory>

using simtest::jsonAt;

class TestSimCommands : public simtest::Suite
{
    Q_OBJECT

private:
    simtest::Result post(const QJsonObject &o)
    {
        const simtest::Result r = client().post(o);
        if (!r.isOk())
            qWarning("%s refused: %s", qPrintable(o.value("Command").toString()), r.body.constData());
        return r;
    }
    static QImage jpegOf(const simtest::Result &r) { return QImage::fromData(r.body, "JPG"); }

private slots:

    void changesState_data()
    {
        QTest::addColumn<QJsonObject>("request");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QJsonValue>("expected");
        QTest::addColumn<QJsonArray>("prepare"); // requests sent first
        const QJsonObject rect{{"Left", 0}, {"Top", 0}, {"Right", 1920}, {"Bottom", 1080}};
        const QJsonObject scrSetting{{"Command", "SetScrSetting"},
                                     {"Index", 1},
                                     {"Rows", 2},
                                     {"Cols", 2},
                                     {"Name", "East Wall"},
                                     {"CustomWidth", QJsonArray{3000, 3400}},
                                     {"CustomHeight", QJsonArray{600, 480}}};
        auto video = [](const QString &ctrl) {
            return QJsonObject{{"Command", "VideoCtrl"}, {"WindowId", 101}, {"CtrlCmd", ctrl}};
        };
        const QString w0 = "Groups/0/Windows/0/";

        QTest::newRow("SetCurScreen") << QJsonObject{{"Command", "SetCurScreen"}, {"Index", 2}} << "ScrIndex"
                                      << QJsonValue(2) << QJsonArray();
        QTest::newRow("SetScrSetting name")
            << scrSetting << "Groups/1/Name" << QJsonValue("East Wall") << QJsonArray();
        QTest::newRow("SetScrSetting stores the split")
            << scrSetting << "Groups/1/CustomWidth" << QJsonValue(QJsonArray{3000, 3400}) << QJsonArray();
        QTest::newRow("SetScrSetting uniform") << QJsonObject{{"Command", "SetScrSetting"},
                                                              {"Index", 0},
                                                              {"Rows", 1},
                                                              {"Cols", 4},
                                                              {"Name", "Lobby"},
                                                              {"CustomWidth", QJsonArray()},
                                                              {"CustomHeight", QJsonArray()}}
                                               << "Groups/0/ScrCols" << QJsonValue(4) << QJsonArray();
        QTest::newRow("NewWindow video")
            << QJsonObject{{"Command", "NewWindow"},
                           {"RealRect", rect},
                           {"Type", 0},
                           {"WindowId", 7},
                           {"VideoList", QJsonArray{QJsonObject{{"Name", "Night City.mp4"},
                                                                {"Path", "/videos/Night City.mp4"}}}}}
            << "Groups/0/Windows/3/Playback/TotalTime" << QJsonValue(300) << QJsonArray();
        QTest::newRow("NewWindow application")
            << QJsonObject{{"Command", "NewWindow"},
                           {"RealRect", rect},
                           {"Type", 9},
                           {"WindowId", 8},
                           {"VideoId", 66012},
                           {"Name", "Monitoring Dashboard"},
                           {"Path", ""}}
            << "Groups/0/Windows/3/WindowType" << QJsonValue(9) << QJsonArray();
        QTest::newRow("NewWindow pictures")
            << QJsonObject{{"Command", "NewWindow"},
                           {"RealRect", rect},
                           {"Type", 1},
                           {"WindowId", 9},
                           {"Effect", 5},
                           {"FillMode", 1},
                           {"SwitchTime", 0},
                           {"ShowTime", 10},
                           {"Pictures",
                            QJsonArray{
                                QJsonObject{{"Name", "Floor Plan.png"}, {"Path", "/pictures/Floor Plan.png"}},
                                QJsonObject{{"Name", "Site Map.bmp"}, {"Path", "/pictures/Site Map.bmp"}}}}}
            << "Groups/0/Windows/3/ResList/#" << QJsonValue(2) << QJsonArray();
        QTest::newRow("NewWindow office")
            << QJsonObject{{"Command", "NewWindow"},
                           {"RealRect", rect},
                           {"Type", 3},
                           {"WindowId", 10},
                           {"Name", "Strategy.pptx"},
                           {"Path", "/office/Strategy.pptx"}}
            << "Groups/0/Windows/3/Playback/PageCount" << QJsonValue(18) << QJsonArray();
        QTest::newRow("MoveWindow")
            << QJsonObject{{"Command", "MoveWindow"},
                           {"RealRect",
                            QJsonObject{{"Left", 100}, {"Top", 0}, {"Right", 1060}, {"Bottom", 540}}},
                           {"WindowId", 101}}
            << w0 + "WindowRect/Right" << QJsonValue(1060) << QJsonArray();
        QTest::newRow("CloseWindow one")
            << QJsonObject{{"Command", "CloseWindow"}, {"WindowId", 102}, {"ScreenGroup", 1}}
            << "Groups/0/Windows/1/WindowId" << QJsonValue(103) << QJsonArray();
        QTest::newRow("CloseWindow all")
            << QJsonObject{{"Command", "CloseWindow"}, {"WindowId", -1}, {"ScreenGroup", 1}}
            << "Groups/0/Windows/#" << QJsonValue(0) << QJsonArray();
        QTest::newRow("CloseWindow from independent view")
            << QJsonObject{{"Command", "CloseWindow"}, {"WindowId", -1}, {"ScreenGroup", 0}}
            << "Groups/0/Windows/#" << QJsonValue(0) << QJsonArray();
        QTest::newRow("CloseWindow other group")
            << QJsonObject{{"Command", "CloseWindow"}, {"WindowId", 201}, {"ScreenGroup", 2}}
            << "Groups/1/Windows/#" << QJsonValue(0) << QJsonArray();
        QTest::newRow("SetWindowPos bottom") << QJsonObject{{"Command", "SetWindowPos"},
                                                            {"WindowId", 103},
                                                            {"Type", "MoveBottom"},
                                                            {"ScreenGroup", 1}}
                                             << w0 + "WindowId" << QJsonValue(103) << QJsonArray();
        QTest::newRow("SetWindowPos top") << QJsonObject{{"Command", "SetWindowPos"},
                                                         {"WindowId", 101},
                                                         {"Type", "MoveTop"},
                                                         {"ScreenGroup", 1}}
                                          << "Groups/0/Windows/2/WindowId" << QJsonValue(101) << QJsonArray();
        QTest::newRow("VideoCtrl Pause")
            << video("Pause") << w0 + "Playback/IsPlaying" << QJsonValue(0) << QJsonArray();
        QTest::newRow("VideoCtrl AudioOff")
            << video("AudioOff") << w0 + "Playback/IsMute" << QJsonValue(1) << QJsonArray();
        QJsonObject volume = video("SetVolume");
        volume.insert("Value", 80);
        QTest::newRow("VideoCtrl SetVolume")
            << volume << w0 + "Playback/Volume" << QJsonValue(80) << QJsonArray();
        QTest::newRow("VideoCtrl Next")
            << video("Next") << w0 + "Playback/Index" << QJsonValue(1) << QJsonArray();
        QTest::newRow("VideoCtrl Next takes the new length")
            << video("Next") << w0 + "Playback/TotalTime" << QJsonValue(240) << QJsonArray();
        const QJsonObject threeVideos{
            {"Command", "NewWindow"},
            {"RealRect", rect},
            {"Type", 0},
            {"WindowId", 60},
            {"VideoList",
             QJsonArray{QJsonObject{{"Name", "Night City.mp4"}, {"Path", "/videos/Night City.mp4"}},
                        QJsonObject{{"Name", "Ocean Waves.mov"}, {"Path", "/videos/Ocean Waves.mov"}},
                        QJsonObject{{"Name", "Drone Flight.mov"}, {"Path", "/videos/Drone Flight.mov"}}}}};
        QJsonObject prev = video("Prev");
        prev["WindowId"] = 60;
        QTest::newRow("VideoCtrl Prev wraps to the last of three")
            << prev << "Groups/0/Windows/3/Playback/Index" << QJsonValue(2) << QJsonArray{threeVideos};
        QTest::newRow("VideoCtrl SetTime on pictures")
            << QJsonObject{{"Command", "VideoCtrl"},
                           {"WindowId", 102},
                           {"CtrlCmd", "SetTime"},
                           {"TimeInSecond", 7}}
            << "Groups/0/Windows/1/Playback/Interval" << QJsonValue(7) << QJsonArray();
        QTest::newRow("VideoCtrl FullScreen")
            << QJsonObject{{"Command", "VideoCtrl"},
                           {"WindowId", 102},
                           {"CtrlCmd", "FullScreen"},
                           {"Flag", 1}}
            << "Groups/0/Windows/1/WindowRect/Left" << QJsonValue(0) << QJsonArray();
        QTest::newRow("WebCtrl ZoomIn")
            << QJsonObject{{"Command", "WebCtrl"}, {"WindowId", 103}, {"CtrlCmd", "ZoomIn"}}
            << "Groups/0/Windows/2/Playback/Zoom" << QJsonValue(110) << QJsonArray();
        QTest::newRow("WebCtrl AutoZoom")
            << QJsonObject{{"Command", "WebCtrl"}, {"WindowId", 103}, {"CtrlCmd", "AutoZoom"}}
            << "Groups/0/Windows/2/WindowRect/Top" << QJsonValue(0) << QJsonArray();
        QTest::newRow("SetZEVOsdText start") << QJsonObject{{"Command", "SetZEVOsdText"},
                                                            {"ScrGroup", 1},
                                                            {"Text", "Hello"},
                                                            {"TextColor", "FF0000"},
                                                            {"BgColor", "000000"},
                                                            {"ScrollSpeed", 3},
                                                            {"FontName", "DejaVu Sans"},
                                                            {"FontSize", 48},
                                                            {"Alpha", 128},
                                                            {"ScrRange", QJsonArray{0, 0, 5760, 1080}}}
                                             << "Caption/TextColor" << QJsonValue("FF0000") << QJsonArray();
        QTest::newRow("SetZEVOsdText change") << QJsonObject{{"Command", "SetZEVOsdText"},
                                                             {"ScrGroup", 1},
                                                             {"ScrollSpeed", 5},
                                                             {"ScrRange", QJsonArray{0, 0, 5760, 1080}}}
                                              << "Caption/ScrollSpeed" << QJsonValue(5) << QJsonArray();
        QTest::newRow("ClearOsdText") << QJsonObject{{"Command", "ClearOsdText"}, {"ScrGroup", 1}}
                                      << "Caption/ShowOsd" << QJsonValue(0) << QJsonArray();
        QTest::newRow("PlayBgMusic play")
            << QJsonObject{{"Command", "PlayBgMusic"},
                           {"Flag", 1},
                           {"MusicList", QJsonArray{"Soft Piano.wav", "Lobby Jazz.m4a"}}}
            << "Music/MusicList/1" << QJsonValue("Lobby Jazz.m4a") << QJsonArray();
        QTest::newRow("PlayBgMusic stop")
            << QJsonObject{{"Command", "PlayBgMusic"}, {"Flag", 0}} << "Music/IsPlaying" << QJsonValue(0)
            << QJsonArray{QJsonObject{
                   {"Command", "PlayBgMusic"}, {"Flag", 1}, {"MusicList", QJsonArray{"Soft Piano.wav"}}}};
        QTest::newRow("SetBgMusicVolume") << QJsonObject{{"Command", "SetBgMusicVolume"}, {"Volume", 70}}
                                          << "Music/Volume" << QJsonValue(70) << QJsonArray();
        QTest::newRow("SetLanguage") << QJsonObject{{"Command", "SetLanguage"}, {"Language", 0}} << "Language"
                                     << QJsonValue(0) << QJsonArray();
        QTest::newRow("AddUser") << QJsonObject{{"Command", "AddUser"},
                                                {"UserName", "guest"},
                                                {"Password", simtest::md5Hex("guest")},
                                                {"Role", 2}}
                                 << "Users/2/Role" << QJsonValue(2) << QJsonArray();
        QTest::newRow("DeleteUser") << QJsonObject{{"Command", "DeleteUser"}, {"UserName", "operator"}}
                                    << "Users/#" << QJsonValue(1) << QJsonArray();
        QTest::newRow("ModifyPwd") << QJsonObject{{"Command", "ModifyPwd"},
                                                  {"UserName", "admin"},
                                                  {"OldPassword", "admin"},
                                                  {"NewPassword", "n3w"}}
                                   << "Users/0/PasswordMd5" << QJsonValue(simtest::md5Hex("n3w"))
                                   << QJsonArray();
        QTest::newRow("MouseKBCtrl click")
            << QJsonObject{{"Command", "MouseKBCtrl"}, {"Type", 1}, {"X", 5000}, {"Y", 4999}} << "Mouse/Y"
            << QJsonValue(4999) << QJsonArray();
        QTest::newRow("MouseKBCtrl key")
            << QJsonObject{{"Command", "MouseKBCtrl"}, {"Type", 7}, {"Key", 65}, {"Modifiers", 0x02000000}}
            << "Mouse/LastKey" << QJsonValue(65) << QJsonArray();
        QTest::newRow("AddResource web page")
            << QJsonObject{{"Command", "AddResource"}, {"ResType", "WEB"},
                           {"UserName", "u"},          {"Password", "p"},
                           {"ResName", "Status Page"}, {"ResPath", "http://status.example.com/"}}
            << "Resources/WEB/3/Path" << QJsonValue("http://status.example.com/") << QJsonArray();
        QTest::newRow("AddResource network video")
            << QJsonObject{{"Command", "AddResource"},
                           {"ResType", "NetVideo"},
                           {"ResName", "Dock Camera"},
                           {"ResPath", "rtsp://192.0.2.20/live"}}
            << "Resources/NetVideo/3/Name" << QJsonValue("Dock Camera") << QJsonArray();
        QTest::newRow("DelResource") << QJsonObject{{"Command", "DelResource"},
                                                    {"ResName", "Drone Flight.mov"},
                                                    {"ResType", "Video"}}
                                     << "Resources/Video/#" << QJsonValue(11) << QJsonArray();
        QTest::newRow("DelResource music leaves the playlist")
            << QJsonObject{{"Command", "DelResource"},
                           {"ResName", "Morning Breeze.mp3"},
                           {"ResType", "Music"}}
            << "Music/MusicList/#" << QJsonValue(0) << QJsonArray();
        QTest::newRow("SaveModal") << QJsonObject{{"Command", "SaveModal"},
                                                  {"ScreenGroup", 1},
                                                  {"ModalName", "Lobby Now"}}
                                   << "Scenes/3/Windows/#" << QJsonValue(3) << QJsonArray();
        QTest::newRow("RemoveModal") << QJsonObject{{"Command", "RemoveModal"},
                                                    {"ModalName", "Morning Welcome"},
                                                    {"ScreenGroup", 1}}
                                     << "Scenes/#" << QJsonValue(2) << QJsonArray();
        QTest::newRow("LoadModal makes its group current")
            << QJsonObject{{"Command", "LoadModal"}, {"ModalName", "Security View"}} << "ScrIndex"
            << QJsonValue(1) << QJsonArray();
        QTest::newRow("LoadModal restores windows")
            << QJsonObject{{"Command", "LoadModal"}, {"ModalName", "Security View"}} << "Groups/1/Windows/#"
            << QJsonValue(4) << QJsonArray();
        QTest::newRow("SetQuickSwitch start loads the first scene")
            << QJsonObject{{"Command", "SetQuickSwitch"},
                           {"Control", 1},
                           {"ModalList", QJsonArray{QJsonObject{{"Name", QString::fromUtf8("会议模式")},
                                                                {"TimeInSeconds", 30}}}}}
            << "ScrIndex" << QJsonValue(2) << QJsonArray();
        const QJsonObject rotation{
            {"Command", "SetQuickSwitch"},
            {"Control", 1},
            {"ModalList", QJsonArray{QJsonObject{{"Name", "Security View"}, {"TimeInSeconds", 30}}}}};
        QTest::newRow("SetQuickSwitch stop")
            << QJsonObject{{"Command", "SetQuickSwitch"}, {"Control", 0}} << "QuickSwitch/Running"
            << QJsonValue(false) << QJsonArray{rotation};
        QTest::newRow("Logout") << QJsonObject{{"Command", "Logout"}, {"UserName", "admin"}} << "Sessions/#"
                                << QJsonValue(0) << QJsonArray();
    }

    void changesState()
    {
        QFETCH(QJsonObject, request);
        QFETCH(QString, path);
        QFETCH(QJsonValue, expected);
        QFETCH(QJsonArray, prepare);
        for (const QJsonValue &first : prepare)
            QVERIFY(post(first.toObject()).isOk());
        // Each row changes what it checks: the value is not there before the command.
        QVERIFY2(jsonAt(m_sim->state(), path) != expected, qPrintable(path));
        const simtest::Result r = client().post(request);
        QCOMPARE(r.status, 200);
        QCOMPARE(r.json().value("Command").toString(), request.value("Command").toString());
        QCOMPARE(r.json().value("Status").toString(), QString("Ok"));
        QCOMPARE(jsonAt(m_sim->state(), path), expected);
    }

    // What a command leaves alone: the value is in place before it (put there first where the
    // start-up state would not show a reset) and still there after it.
    void keepsWhatItDoesNotName_data()
    {
        QTest::addColumn<QJsonObject>("request");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QJsonValue>("expected");
        QTest::addColumn<QJsonArray>("prepare"); // requests sent first
        const QJsonObject scrSetting{{"Command", "SetScrSetting"},
                                     {"Index", 1},
                                     {"Rows", 2},
                                     {"Cols", 2},
                                     {"CustomWidth", QJsonArray{3000, 3400}},
                                     {"CustomHeight", QJsonArray{600, 480}}};
        const QJsonObject caption{{"Command", "SetZEVOsdText"},
                                  {"ScrGroup", 1},
                                  {"Text", "Hello"},
                                  {"TextColor", "FF0000"},
                                  {"BgColor", "000000"},
                                  {"ScrollSpeed", 3},
                                  {"FontName", "DejaVu Sans"},
                                  {"FontSize", 48},
                                  {"Alpha", 128},
                                  {"ScrRange", QJsonArray{0, 0, 5760, 1080}}};

        // The monitors' size is fixed: a new split does not change the group's size.
        QTest::newRow("SetScrSetting keeps the width")
            << scrSetting << "Groups/1/Width" << QJsonValue(6400) << QJsonArray();
        QTest::newRow("SetScrSetting keeps the height")
            << scrSetting << "Groups/1/Height" << QJsonValue(1080) << QJsonArray();
        QTest::newRow("SetScrSetting without a name keeps it")
            << scrSetting << "Groups/1/Name" << QJsonValue("East Wall")
            << QJsonArray{QJsonObject{{"Command", "SetScrSetting"},
                                      {"Index", 1},
                                      {"Rows", 1},
                                      {"Cols", 1},
                                      {"Name", "East Wall"}}};
        QTest::newRow("SetZEVOsdText change keeps the other keys")
            << QJsonObject{{"Command", "SetZEVOsdText"}, {"ScrGroup", 1}, {"Alpha", 64}}
            << "Caption/TextColor" << QJsonValue("FF0000") << QJsonArray{caption};
        QTest::newRow("ClearOsdText keeps the settings")
            << QJsonObject{{"Command", "ClearOsdText"}, {"ScrGroup", 1}} << "Caption/FontName"
            << QJsonValue("DejaVu Sans") << QJsonArray{caption};
    }

    void keepsWhatItDoesNotName()
    {
        QFETCH(QJsonObject, request);
        QFETCH(QString, path);
        QFETCH(QJsonValue, expected);
        QFETCH(QJsonArray, prepare);
        for (const QJsonValue &first : prepare)
            QVERIFY(post(first.toObject()).isOk());
        QCOMPARE(jsonAt(m_sim->state(), path), expected);
        const simtest::Result r = client().post(request);
        QCOMPARE(r.json().value("Status").toString(), QString("Ok"));
        QCOMPARE(jsonAt(m_sim->state(), path), expected);
    }

    // What the controller's desktop holds down after a sequence of input events.
    void inputHeldDown_data()
    {
        QTest::addColumn<QList<QList<int>>>("events"); // {type, x or key}
        QTest::addColumn<int>("leftDown");
        QTest::addColumn<int>("otherDown");
        QTest::addColumn<QList<int>>("keysDown");
        QTest::newRow("left click") << QList<QList<int>>{{1, 10}, {2, 10}} << 0 << 0 << QList<int>{};
        QTest::newRow("left pressed, moved") << QList<QList<int>>{{1, 10}, {0, 90}} << 1 << 0 << QList<int>{};
        QTest::newRow("release before its press")
            << QList<QList<int>>{{2, 10}, {1, 10}} << 1 << 0 << QList<int>{};
        QTest::newRow("double click")
            << QList<QList<int>>{{1, 10}, {2, 10}, {3, 10}, {2, 10}} << 0 << 0 << QList<int>{};
        QTest::newRow("right pressed") << QList<QList<int>>{{4, 10}} << 0 << 1 << QList<int>{};
        QTest::newRow("shift held, A typed") << QList<QList<int>>{{7, 0x01000020}, {7, 65}, {7, 65}, {8, 65}}
                                             << 0 << 0 << QList<int>{0x01000020};
        QTest::newRow("two keys, first released")
            << QList<QList<int>>{{7, 65}, {7, 66}, {8, 65}} << 0 << 0 << QList<int>{66};
    }

    void inputHeldDown()
    {
        QFETCH(QList<QList<int>>, events);
        QFETCH(int, leftDown);
        QFETCH(int, otherDown);
        QFETCH(QList<int>, keysDown);
        for (const QList<int> &e : events) {
            QJsonObject request{{"Command", "MouseKBCtrl"}, {"Type", e.at(0)}};
            if (e.at(0) <= 6) {
                request.insert("X", e.at(1));
                request.insert("Y", 20);
            } else {
                request.insert("Key", e.at(1));
                request.insert("Modifiers", 0);
            }
            QVERIFY(post(request).isOk());
        }
        const QJsonObject mouse = m_sim->state().value("Mouse").toObject();
        QCOMPARE(mouse.value("LeftDown").toInt(), leftDown);
        QCOMPARE(mouse.value("OtherDown").toInt(), otherDown);
        QList<int> held;
        for (const QJsonValue &v : mouse.value("KeysDown").toArray())
            held.append(v.toInt());
        QCOMPARE(held, keysDown);
        QCOMPARE(mouse.value("X").toInt(), events.last().at(0) <= 6 ? events.last().at(1) : 0);
        QCOMPARE(mouse.value("Events").toInt(), events.size());
    }

    void queries_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QJsonValue>("expected");
        QTest::newRow("groups") << "GetScrSetting"
                                << "ScrList/#" << QJsonValue(3);
        QTest::newRow("custom widths") << "GetScrSetting"
                                       << "ScrList/1/CustomWidth/1" << QJsonValue(1280);
        QTest::newRow("current rows") << "GetScrSetting"
                                      << "Rows" << QJsonValue(2);
        QTest::newRow("main screen used") << "GetScrSetting"
                                          << "DontUseMainScr" << QJsonValue(false);
        QTest::newRow("window list") << "GetCurWindowList"
                                     << "Windows/0/ResList/1/Name" << QJsonValue("Harbour Timelapse.mkv");
        QTest::newRow("window rect exclusive") << "GetCurWindowList"
                                               << "Windows/1/WindowRect/Right" << QJsonValue(5760);
        QTest::newRow("web window name") << "GetCurWindowList"
                                         << "Windows/2/Name" << QJsonValue("Company Portal");
        QTest::newRow("videos") << "GetVideoList"
                                << "VideoList/#" << QJsonValue(12);
        QTest::newRow("video path") << "GetVideoList"
                                    << "VideoList/11/Path" << QJsonValue("/videos/Quarterly Results #3.wmv");
        QTest::newRow("pictures") << "GetPicList"
                                  << "PicList/#" << QJsonValue(5);
        QTest::newRow("documents") << "GetDocList"
                                   << "DocList/0/Name" << QJsonValue("Floor Guide.pdf");
        QTest::newRow("web pages") << "GetWebList"
                                   << "WebList/0/Path" << QJsonValue("http://portal.example.com/");
        QTest::newRow("office") << "GetPptList"
                                << "PptList/6/Name" << QJsonValue("Company Handbook");
        QTest::newRow("network video") << "GetNetVideoList"
                                       << "NetVideoList/1/Name" << QJsonValue("Parking Camera");
        QTest::newRow("usb inputs are strings") << "GetUSBVideoList"
                                                << "USBVideoList/0" << QJsonValue("USB Capture 1");
        QTest::newRow("music") << "GetAudioList"
                               << "AudioList/0/Path" << QJsonValue("/audios/Morning Breeze.mp3");
        QTest::newRow("applications") << "GetSysWindows"
                                      << "WndList/1/Hwnd" << QJsonValue(66034);
        QTest::newRow("video length") << "GetVideoParams&WindowId=101"
                                      << "TotalTime" << QJsonValue(185);
        QTest::newRow("video playing") << "GetVideoParams&WindowId=101"
                                       << "IsPlaying" << QJsonValue(1);
        QTest::newRow("picture interval") << "GetPictureParams&WindowId=102"
                                          << "Interval" << QJsonValue(10);
        QTest::newRow("caption colour") << "GetZEVOSD"
                                        << "BgColor" << QJsonValue("00007F");
        QTest::newRow("caption running") << "GetZEVOSD"
                                         << "ShowOsd" << QJsonValue(1);
        QTest::newRow("fonts") << "GetFontName"
                               << "FontList/0" << QJsonValue("Noto Sans CJK SC");
        QTest::newRow("music playlist") << "GetBgMusicState"
                                        << "MusicList/0" << QJsonValue("Morning Breeze.mp3");
        QTest::newRow("users") << "GetAllUsers"
                               << "UserList/1" << QJsonValue("operator");
        QTest::newRow("scenes") << "GetAllModal"
                                << "ModalList/#" << QJsonValue(3);
        QTest::newRow("cpu") << "GetCpuUsage"
                             << "CpuUsage" << QJsonValue(18);
        QTest::newRow("version") << "GetVersion"
                                 << "Version" << QJsonValue("Pelmora-Sim 1.0.0");
    }

    void queries()
    {
        QFETCH(QString, command);
        QFETCH(QString, path);
        QFETCH(QJsonValue, expected);
        const simtest::Result r = client().get(command);
        QCOMPARE(r.status, 200);
        QCOMPARE(r.json().value("Command").toString(), command.section('&', 0, 0));
        QCOMPARE(r.json().value("Status").toString(), QString("Ok"));
        QCOMPARE(jsonAt(r.json(), path), expected);
    }

    void flagsAndTimesAreNumbers()
    {
        const QJsonObject video = client().get("GetVideoParams&WindowId=101").json();
        for (const char *key : {"IsMute", "IsPlaying", "TotalTime", "CurTime", "Volume", "ShowTime"})
            QVERIFY2(video.value(key).isDouble(), key);
        QVERIFY(client().get("GetBgMusicState").json().value("IsPlaying").isDouble());
        QVERIFY(client().get("GetZEVOSD").json().value("ShowOsd").isDouble());
        QVERIFY(client().get("GetScrSetting").json().value("DontUseMainScr").isBool());
    }

    // A new split reaches the settings the console reads and the wall picture the stream
    // draws; empty lists split evenly with the remainder on the last column and row.
    void scrSettingReachesTheWall_data()
    {
        QTest::addColumn<QJsonArray>("widths");
        QTest::addColumn<QJsonArray>("heights");
        QTest::addColumn<QList<int>>("columns");
        QTest::addColumn<QList<int>>("rows");
        QTest::newRow("custom") << QJsonArray{1000, 2133, 3267} << QJsonArray{540, 540}
                                << QList<int>{1000, 2133, 3267} << QList<int>{540, 540};
        QTest::newRow("even") << QJsonArray() << QJsonArray() << QList<int>{2133, 2133, 2134}
                              << QList<int>{540, 540};
    }

    void scrSettingReachesTheWall()
    {
        QFETCH(QJsonArray, widths);
        QFETCH(QJsonArray, heights);
        QFETCH(QList<int>, columns);
        QFETCH(QList<int>, rows);
        QVERIFY(post({{"Command", "SetScrSetting"},
                      {"Index", 1},
                      {"Rows", 2},
                      {"Cols", 3},
                      {"Name", "Control Room"},
                      {"CustomWidth", widths},
                      {"CustomHeight", heights}})
                    .isOk());
        const QJsonObject group =
            client().get("GetScrSetting").json().value("ScrList").toArray().at(1).toObject();
        QCOMPARE(group.value("ScrCols").toInt(), 3);
        QCOMPARE(group.value("ScrRows").toInt(), 2);
        QCOMPARE(group.value("CustomWidth").toArray(), widths);
        QCOMPARE(group.value("Width").toInt(), 6400);

        sim::ControllerState state;
        state.apply(m_sim->state(), 0);
        const sim::WallSnapshot wall = sim::wallSnapshot(state, 1, 0);
        QCOMPARE(wall.colWidths, columns);
        QCOMPARE(wall.rowHeights, rows);
    }

    void newWindowWithKnownIdUpdatesIt()
    {
        QJsonObject request{
            {"Command", "NewWindow"},
            {"RealRect", QJsonObject{{"Left", 0}, {"Top", 0}, {"Right", 640}, {"Bottom", 360}}},
            {"Type", 2},
            {"WindowId", 55},
            {"Name", "Weather Board"},
            {"Path", "http://weather.example.com/city"}};
        QVERIFY(post(request).isOk());
        request["RealRect"] = QJsonObject{{"Left", 10}, {"Top", 20}, {"Right", 650}, {"Bottom", 380}};
        QVERIFY(post(request).isOk()); // a resent or repeated NewWindow
        const QJsonArray windows = m_sim->windowList(0).value("Windows").toArray();
        QCOMPARE(windows.size(), 4);
        QCOMPARE(jsonAt(windows.last(), "WindowRect/Bottom"), QJsonValue(380));
    }

    // The controller's clock is the test's (the fixture takes it over): a playing video moves
    // on by the seconds that pass, a paused one stands.
    void playbackAdvancesWhilePlaying()
    {
        auto curTime = [this] {
            return client().get("GetVideoParams&WindowId=101").json().value("CurTime").toInt();
        };
        QVERIFY(
            post({{"Command", "VideoCtrl"}, {"WindowId", 101}, {"CtrlCmd", "SetTime"}, {"TimeInSecond", 100}})
                .isOk());
        QCOMPARE(curTime(), 100);
        m_sim->advanceClock(2500);
        QCOMPARE(curTime(), 102);
        QVERIFY(post({{"Command", "VideoCtrl"}, {"WindowId", 101}, {"CtrlCmd", "Pause"}}).isOk());
        m_sim->advanceClock(5000);
        QCOMPARE(curTime(), 102);
        QCOMPARE(client().get("GetVideoParams&WindowId=101").json().value("IsPlaying").toInt(), 0);
        QVERIFY(post({{"Command", "VideoCtrl"}, {"WindowId", 101}, {"CtrlCmd", "Resume"}}).isOk());
        m_sim->advanceClock(1000);
        QCOMPARE(curTime(), 103);
    }

    void cpuUsageIsSettable()
    {
        m_sim->setCpuUsage(86);
        QCOMPARE(client().get("GetCpuUsage").json().value("CpuUsage").toInt(), 86);
    }

    void applicationPreviewIsTheJpegItself()
    {
        const simtest::Result r = client().get("GetWndPreview&Hwnd=66012");
        QCOMPARE(r.status, 200);
        QCOMPARE(jpegOf(r).size(), QSize(320, 240));
        const simtest::Result unknown = client().get("GetWndPreview&Hwnd=1");
        QVERIFY(!unknown.isOk());
        QVERIFY(unknown.message().contains("Hwnd 1"));
    }

    void snapshots_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("hash and spaces") << "/snapshot/Quarterly Results #3.wmv";
        QTest::newRow("chinese") << QString::fromUtf8("/snapshot/新品发布会.mp4");
        QTest::newRow("picture") << "/snapshot/Welcome Banner.jpg";
        QTest::newRow("spreadsheet") << "/snapshot/Budget 2024.xlsx";
        QTest::newRow("office without extension") << "/snapshot/Company Handbook";
        QTest::newRow("web page") << "/snapshot/Company Portal";
        QTest::newRow("network video") << "/snapshot/Gate Camera";
        QTest::newRow("document") << "/snapshot/Floor Guide.pdf";
        QTest::newRow("scene") << "/snapshot/Morning Welcome";
        QTest::newRow("scene drawing") << QString::fromUtf8("/Snapshot/会议模式");
    }

    void snapshots()
    {
        QFETCH(QString, path);
        const simtest::Result r = client().getPath(path);
        QCOMPARE(r.status, 200);
        QCOMPARE(r.contentType, QByteArray("image/jpeg"));
        QCOMPARE(jpegOf(r).size(), QSize(320, 240));
    }

    void unknownPathsAreNotFound()
    {
        QCOMPARE(client().getPath("/snapshot/nothing.mp4").status, 404);
        QCOMPARE(client().getPath("/Snapshot/Company Intro.mp4").status, 404);        // not a scene
        QCOMPARE(client().getPath("/Modals/Group2/Morning Welcome.mvc").status, 404); // saved from group 1
    }

    void sceneRoundTrip()
    {
        QVERIFY(post({{"Command", "SetCurScreen"}, {"Index", 2}}).isOk());
        for (int id : {31, 32}) {
            QVERIFY(post({{"Command", "NewWindow"},
                          {"RealRect", QJsonObject{{"Left", id == 31 ? 0 : 1920},
                                                   {"Top", 0},
                                                   {"Right", id == 31 ? 1920 : 3840},
                                                   {"Bottom", 1080}}},
                          {"Type", 0},
                          {"WindowId", id},
                          {"VideoList", QJsonArray{QJsonObject{{"Name", "Ocean Waves.mov"},
                                                               {"Path", "/videos/Ocean Waves.mov"}}}}})
                        .isOk());
        }
        const QJsonArray saved = client().get("GetCurWindowList").json().value("Windows").toArray();
        QVERIFY(post({{"Command", "SaveModal"}, {"ScreenGroup", 3}, {"ModalName", "Round Trip #1"}}).isOk());

        const simtest::Result file = client().getPath("/Modals/Group3/Round Trip #1.mvc");
        QCOMPARE(file.status, 200);
        QCOMPARE(file.json().value("Name").toString(), QString("Round Trip #1"));
        QCOMPARE(file.json().value("Windows").toArray().size(), 2);
        QCOMPARE(jpegOf(client().getPath("/Snapshot/Round Trip #1")).size(), QSize(320, 240));

        QVERIFY(post({{"Command", "CloseWindow"}, {"WindowId", -1}, {"ScreenGroup", 3}}).isOk());
        QVERIFY(post({{"Command", "SetCurScreen"}, {"Index", 0}}).isOk());
        QVERIFY(post({{"Command", "LoadModal"}, {"ModalName", "Round Trip #1"}}).isOk());
        QCOMPARE(client().get("GetScrSetting").json().value("ScrIndex").toInt(), 2);
        // The same windows, opened anew under ids of the controller's choosing.
        const QJsonArray loaded = client().get("GetCurWindowList").json().value("Windows").toArray();
        QCOMPARE(loaded.size(), saved.size());
        for (int i = 0; i < saved.size(); ++i) {
            QJsonObject was = saved.at(i).toObject(), is = loaded.at(i).toObject();
            QVERIFY(was.take("WindowId") != is.take("WindowId"));
            QCOMPARE(is, was);
        }

        // The console's own preview, uploaded beside the scene, becomes its "/snapshot/".
        const QByteArray preview = [] {
            QImage img(160, 90, QImage::Format_RGB32);
            img.fill(Qt::darkCyan);
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            img.save(&buffer, "JPG");
            return bytes;
        }();
        QVERIFY(client().upload("/Modals/Group3/Round Trip #1.jpg", 0, preview).isOk());
        QCOMPARE(client().getPath("/snapshot/Round Trip #1").body, preview);

        QVERIFY(
            post({{"Command", "RemoveModal"}, {"ModalName", "Round Trip #1"}, {"ScreenGroup", 3}}).isOk());
        QVERIFY(!client().get("GetAllModal").json().value("ModalList").toArray().contains("Round Trip #1"));
        QCOMPARE(client().getPath("/Modals/Group3/Round Trip #1.mvc").status, 404);
        QVERIFY(m_sim->storedFile("/Modals/Group3/Round Trip #1.jpg").isEmpty());
    }

    void sceneFromIndependentViewUsesTheCurrentGroup()
    {
        QVERIFY(post({{"Command", "SetCurScreen"}, {"Index", 1}}).isOk());
        QVERIFY(post({{"Command", "SaveModal"}, {"ScreenGroup", 0}, {"ModalName", "Matrix"}}).isOk());
        QCOMPARE(client().getPath("/Modals/Group0/Matrix.mvc").json().value("Windows").toArray().size(), 1);
        QCOMPARE(jsonAt(m_sim->state(), "Scenes/3/Group"), QJsonValue(1));
    }

    // The rotation loads the scene due by the controller's clock at every request, and starts
    // over after the last one.
    void rotationMovesOnWithTheClock()
    {
        const QJsonArray plan{QJsonObject{{"Name", "Morning Welcome"}, {"TimeInSeconds", 1}},
                              QJsonObject{{"Name", "Security View"}, {"TimeInSeconds", 600}}};
        QVERIFY(post({{"Command", "SetQuickSwitch"}, {"Control", 1}, {"ModalList", plan}}).isOk());
        const QJsonObject first = client().get("GetCurWindowList").json();
        QCOMPARE(first.value("ScrIndex").toInt(), 0);
        QCOMPARE(first.value("Windows").toArray().size(), 2);
        m_sim->advanceClock(999);
        QCOMPARE(client().get("GetScrSetting").json().value("ScrIndex").toInt(), 0);
        m_sim->advanceClock(1);
        QCOMPARE(client().get("GetScrSetting").json().value("ScrIndex").toInt(), 1);
        m_sim->advanceClock(600 * 1000);
        QCOMPARE(client().get("GetScrSetting").json().value("ScrIndex").toInt(), 0);
        QVERIFY(post({{"Command", "SetQuickSwitch"}, {"Control", 0}}).isOk());
        m_sim->advanceClock(1000);
        QCOMPARE(client().get("GetScrSetting").json().value("ScrIndex").toInt(), 0);
    }
};

PELMORA_TEST_MAIN(TestSimCommands)
#include "tst_simcommands.moc"
