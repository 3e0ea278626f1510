#include "sim/demodata.h"

#include <QJsonArray>

namespace sim {

namespace {

QJsonObject rect(int left, int top, int right, int bottom)
{
    return QJsonObject{{"Left", left}, {"Top", top}, {"Right", right}, {"Bottom", bottom}};
}

QJsonArray items(const QString &folder, const QStringList &names)
{
    QJsonArray a;
    for (const QString &n : names)
        a.append(QJsonObject{{"Name", n}, {"Path", folder + n}});
    return a;
}

QJsonObject listWindow(int id, int type, const QJsonObject &r, const QString &folder,
                       const QStringList &names)
{
    return QJsonObject{
        {"WindowId", id}, {"WindowType", type}, {"WindowRect", r}, {"ResList", items(folder, names)}};
}

QJsonObject cameraWindow(int id, const QJsonObject &r, const QString &name, const QString &url)
{
    return QJsonObject{{"WindowId", id},
                       {"WindowType", 4},
                       {"WindowRect", r},
                       {"ResList", QJsonArray{QJsonObject{{"Name", name}, {"Path", url}}}}};
}

QJsonObject namedWindow(int id, int type, const QJsonObject &r, const QString &name, const QString &path)
{
    return QJsonObject{
        {"WindowId", id}, {"WindowType", type}, {"WindowRect", r}, {"Name", name}, {"Path", path}};
}

QJsonObject group(const QString &name, int width, int height, int rows, int cols, const QJsonArray &widths,
                  const QJsonArray &windows)
{
    return QJsonObject{{"Name", name},
                       {"Width", width},
                       {"Height", height},
                       {"ScrRows", rows},
                       {"ScrCols", cols},
                       {"CustomWidth", widths},
                       {"CustomHeight", QJsonArray()},
                       {"Windows", windows}};
}

QJsonArray videos()
{
    const QList<QPair<QString, int>> list = {
        {"Company Intro.mp4", 185},
        {"Product Launch 2024.mp4", 342},
        {"Harbour Timelapse.mkv", 240},
        {"Factory Tour.avi", 615},
        {"Safety Training.wmv", 1260},
        {"Drone Flight.mov", 158},
        {"Night City.mp4", 300},
        {"Annual Meeting.mkv", 3725},
        {"Ocean Waves.mov", 600},
        {"Logistics Overview.avi", 420},
        {QString::fromUtf8("新品发布会.mp4"), 512},
        {"Quarterly Results #3.wmv", 275},
    };
    QJsonArray a;
    for (const auto &v : list)
        a.append(QJsonObject{{"Name", v.first}, {"Path", "/videos/" + v.first}, {"Duration", v.second}});
    return a;
}

QJsonArray office()
{
    const QList<QPair<QString, int>> list = {
        {"Sales Report.docx", 12}, {"Meeting Minutes.doc", 3}, {"Budget 2024.xlsx", 6},  {"Inventory.xls", 4},
        {"Strategy.pptx", 18},     {"Product Roadmap.ppt", 9}, {"Company Handbook", 40},
    };
    QJsonArray a;
    for (const auto &v : list)
        a.append(QJsonObject{{"Name", v.first}, {"Path", "/office/" + v.first}, {"Pages", v.second}});
    return a;
}

QJsonArray music()
{
    QJsonArray a;
    const QList<QPair<QString, int>> list = {{"Morning Breeze.mp3", 214},
                                             {"Soft Piano.wav", 189},
                                             {"Corporate Theme.ogg", 156},
                                             {"Lobby Jazz.m4a", 301}};
    for (const auto &v : list)
        a.append(QJsonObject{{"Name", v.first}, {"Path", "/audios/" + v.first}, {"Duration", v.second}});
    return a;
}

} // namespace

QJsonObject demoState()
{
    const QString lobby = QString::fromUtf8("大厅拼接屏");
    const QString meeting = QString::fromUtf8("会议室");

    // Lobby: 3 x 2 monitors of 1920 x 1080, uniform.
    const QJsonArray lobbyWindows = {
        listWindow(101, 0, rect(0, 0, 3840, 2160), "/videos/",
                   {"Company Intro.mp4", "Harbour Timelapse.mkv"}),
        listWindow(102, 1, rect(3840, 0, 5760, 1080), "/pictures/", {"Welcome Banner.jpg", "Team Photo.jpg"}),
        namedWindow(103, 2, rect(3840, 1080, 5760, 2160), "Company Portal", "http://portal.example.com/"),
    };
    // Control room: 4 x 1 with wide outer and narrow inner monitors.
    const QJsonArray controlWindows = {
        cameraWindow(201, rect(0, 0, 1920, 1080), "Gate Camera", "rtsp://192.0.2.10/stream1"),
    };
    const QJsonArray groups = {
        group(lobby, 5760, 2160, 2, 3, QJsonArray(), lobbyWindows),
        group("Control Room", 6400, 1080, 1, 4, QJsonArray{1920, 1280, 1280, 1920}, controlWindows),
        group(meeting, 3840, 2160, 2, 2, QJsonArray(), QJsonArray()),
    };

    QJsonArray netVideo = {
        QJsonObject{{"Name", "Gate Camera"}, {"Path", "rtsp://192.0.2.10/stream1"}},
        QJsonObject{{"Name", "Parking Camera"}, {"Path", "rtsp://192.0.2.11/stream1"}},
        QJsonObject{{"Name", QString::fromUtf8("前台摄像机")}, {"Path", "rtsp://192.0.2.12/main"}},
    };
    QJsonArray web = {
        QJsonObject{{"Name", "Company Portal"}, {"Path", "http://portal.example.com/"}},
        QJsonObject{{"Name", "Weather Board"}, {"Path", "http://weather.example.com/city"}},
        QJsonObject{{"Name", "Visitor Schedule"},
                    {"Path", "http://intranet.example.com/visitors"},
                    {"UserName", "display"},
                    {"Password", "display"}},
    };
    QJsonObject resources{
        {"Video", videos()},
        {"Picture", items("/pictures/", {"Welcome Banner.jpg", "Floor Plan.png", "Team Photo.jpg",
                                         QString::fromUtf8("产品海报.jpg"), "Site Map.bmp"})},
        {"WEB", web},
        {"Office", office()},
        {"NetVideo", netVideo},
        {"Other", items("/others/", {"Floor Guide.pdf", "Visitor Notes.txt"})},
        {"USB", QJsonArray{"USB Capture 1", "HDMI Input 2"}},
        {"Music", music()},
    };

    const QJsonArray scenes = {
        QJsonObject{
            {"Name", "Morning Welcome"},
            {"Group", 0},
            {"ScreenGroup", 1},
            {"Windows",
             QJsonArray{listWindow(1, 0, rect(0, 0, 5760, 2160), "/videos/", {"Drone Flight.mov"}),
                        listWindow(2, 1, rect(3840, 0, 5760, 1080), "/pictures/", {"Welcome Banner.jpg"})}}},
        QJsonObject{
            {"Name", "Security View"},
            {"Group", 1},
            {"ScreenGroup", 2},
            {"Windows",
             QJsonArray{
                 cameraWindow(1, rect(0, 0, 1920, 1080), "Gate Camera", "rtsp://192.0.2.10/stream1"),
                 cameraWindow(2, rect(1920, 0, 3200, 1080), "Parking Camera", "rtsp://192.0.2.11/stream1"),
                 namedWindow(3, 6, rect(3200, 0, 4480, 1080), "USB Capture 1", "USB Video"),
                 namedWindow(4, 2, rect(4480, 0, 6400, 1080), "Weather Board",
                             "http://weather.example.com/city")}}},
        QJsonObject{{"Name", QString::fromUtf8("会议模式")},
                    {"Group", 2},
                    {"ScreenGroup", 3},
                    {"Windows", QJsonArray{namedWindow(1, 3, rect(0, 0, 3840, 1080), "Strategy.pptx",
                                                       "/office/Strategy.pptx"),
                                           namedWindow(2, 3, rect(0, 1080, 1920, 2160), "Budget 2024.xlsx",
                                                       "/office/Budget 2024.xlsx"),
                                           namedWindow(3, 2, rect(1920, 1080, 3840, 2160), "Visitor Schedule",
                                                       "http://intranet.example.com/visitors")}}},
    };

    return QJsonObject{
        {"Version", "Pelmora-Sim 1.0.0"},
        {"Language", 1},
        {"CpuUsage", 18},
        {"ScrIndex", 0},
        {"DontUseMainScr", false},
        {"Groups", groups},
        {"Resources", resources},
        {"Applications", QJsonArray{QJsonObject{{"Title", "Monitoring Dashboard"}, {"Hwnd", 66012}},
                                    QJsonObject{{"Title", "Text Editor - notes.txt"}, {"Hwnd", 66034}}}},
        {"Scenes", scenes},
        {"QuickSwitch", QJsonObject{{"Running", false}, {"ModalList", QJsonArray()}}},
        {"Caption", QJsonObject{{"Text", QString::fromUtf8(
                                             "欢迎莅临 Pelmora 展示中心 — Welcome to the Pelmora showroom")},
                                {"TextColor", "FFFF00"},
                                {"BgColor", "00007F"},
                                {"Alpha", 200},
                                {"ScrollSpeed", 2},
                                {"FontSize", 72},
                                {"FontName", "Noto Sans CJK SC"},
                                {"ShowOsd", 1},
                                {"ScrRange", QJsonArray{0, 0, 5760, 1080}}}},
        {"Fonts", QJsonArray{"Noto Sans CJK SC", "Noto Serif CJK SC", "DejaVu Sans", "DejaVu Serif",
                             "Liberation Sans", "Liberation Mono"}},
        {"Music",
         QJsonObject{{"Volume", 40}, {"IsPlaying", 0}, {"MusicList", QJsonArray{"Morning Breeze.mp3"}}}},
        {"Users", QJsonArray{QJsonObject{{"UserName", "admin"}, {"Password", "admin"}, {"Role", 0}},
                             QJsonObject{{"UserName", "operator"}, {"Password", "operator"}, {"Role", 1}}}},
        {"Sessions", QJsonArray()},
    };
}

} // namespace sim
