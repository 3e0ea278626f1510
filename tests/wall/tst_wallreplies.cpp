#include "testmain.h"
#include "wall/wallreplies.h"
#include "wall/windowrequests.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <limits>

using namespace wall;

namespace {

QJsonObject parse(const char *json)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray(json), &error);
    if (error.error != QJsonParseError::NoError)
        qFatal("bad test json: %s", qPrintable(error.errorString()));
    return doc.object();
}

const char *const kTwoGroups = R"({
    "Command": "GetScrSetting", "Status": "Ok",
    "ScrIndex": 5, "Cols": 3, "Rows": 1,
    "ScrList": [
        {"Name": "大厅", "Width": 5760, "Height": 1080, "ScrRows": 1, "ScrCols": 3,
         "CustomWidth": [], "CustomHeight": []},
        {"Name": "Lobby", "Width": 5000, "Height": 2160, "ScrRows": 2, "ScrCols": 3,
         "CustomWidth": [1920, 1280, 1800], "CustomHeight": []}
    ]})";

} // namespace

class TestWallReplies : public QObject
{
    Q_OBJECT

private slots:
    void screenSettings();
    void screenSettingsWithoutList();
    void splitCountsBeyondAnyWall_data();
    void splitCountsBeyondAnyWall();
    void groupButtons_data();
    void groupButtons();
    void selectGroupFollowsTheGroup();
    void windowList();
    void windowIdsKeepAll32Bits();
    void wireRectangles();
    void wireRectanglesAtTheIntLimits();
};

void TestWallReplies::screenSettings()
{
    const ScrSettingReply reply = parseScrSetting(parse(kTwoGroups));
    QCOMPARE(reply.setting.scrIndex, 0); // 5 is past the two groups
    QCOMPARE(reply.setting.cols, 3);
    QCOMPARE(reply.setting.rows, 1);
    QCOMPARE(reply.dontUseMainScr, false);
    QCOMPARE(reply.setting.groups.size(), 2);
    QCOMPARE(reply.layouts.size(), 2);

    const S_SCR_GROUP &first = reply.setting.groups.at(0);
    QCOMPARE(first.name, QStringLiteral("大厅"));
    QCOMPARE(first.customWidth, (QList<int>{1920, 1920, 1920})); // computed and kept
    QCOMPARE(reply.layouts.at(0).colWidths, (QList<int>{1920, 1920, 1920}));
    QCOMPARE(reply.layouts.at(0).rowHeights, QList<int>{1080});

    const S_SCR_LAYOUT &second = reply.layouts.at(1);
    QCOMPARE(second.name, QStringLiteral("Lobby"));
    QCOMPARE(second.colWidths, (QList<int>{1920, 1280, 1800}));
    QCOMPARE(second.rowHeights, (QList<int>{1080, 1080}));
    QCOMPARE(second.rows, 2);
    QCOMPARE(second.subCols, 3);
    QCOMPARE(second.layoutType, kUniformLayout);
}

void TestWallReplies::screenSettingsWithoutList()
{
    const ScrSettingReply reply = parseScrSetting(parse(R"({"ScrIndex": 1, "DontUseMainScr": true})"));
    QVERIFY(reply.setting.groups.isEmpty());
    QVERIFY(reply.layouts.isEmpty());
    QCOMPARE(reply.setting.scrIndex, 0);
    QCOMPARE(reply.dontUseMainScr, true);
}

void TestWallReplies::splitCountsBeyondAnyWall_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("read");
    QTest::newRow("largest believed") << kMaxReplySplitCount << kMaxReplySplitCount;
    QTest::newRow("one more") << kMaxReplySplitCount + 1 << 0;
    QTest::newRow("largest int") << std::numeric_limits<int>::max() << 0;
}

// A reply claiming two billion columns must not make the layout list two billion widths.
void TestWallReplies::splitCountsBeyondAnyWall()
{
    QFETCH(int, count);
    QFETCH(int, read);
    const QJsonObject group{
        {"Name", "G"}, {"Width", 1 << 30}, {"Height", 1 << 30}, {"ScrRows", count}, {"ScrCols", count}};
    const ScrSettingReply reply = parseScrSetting(QJsonObject{{"ScrList", QJsonArray{group}}});
    QCOMPARE(reply.setting.groups.at(0).scrCols, read);
    QCOMPARE(reply.setting.groups.at(0).scrRows, read);
    QCOMPARE(reply.layouts.at(0).colWidths.size(), read);
    QCOMPARE(reply.layouts.at(0).rowHeights.size(), read);
}

void TestWallReplies::groupButtons_data()
{
    QTest::addColumn<int>("groups");
    QTest::addColumn<int>("scrIndex");
    QTest::addColumn<bool>("dontUseMainScr");
    QTest::addColumn<QList<bool>>("visible");
    QTest::addColumn<QList<bool>>("checked");

    QTest::newRow("two groups, first")
        << 2 << 0 << false << QList<bool>{true, true, false, false} << QList<bool>{true, false, false, false};
    QTest::newRow("main screen unused") << 2 << 0 << true << QList<bool>{false, true, false, false}
                                        << QList<bool>{false, false, false, false};
    QTest::newRow("main screen unused, second")
        << 3 << 1 << true << QList<bool>{false, true, true, false} << QList<bool>{false, true, false, false};
    QTest::newRow("four groups, fourth")
        << 4 << 3 << false << QList<bool>{true, true, true, true} << QList<bool>{false, false, false, true};
    QTest::newRow("no groups") << 0 << 0 << false << QList<bool>{true, false, false, false}
                               << QList<bool>{true, false, false, false};
}

void TestWallReplies::groupButtons()
{
    QFETCH(int, groups);
    QFETCH(int, scrIndex);
    QFETCH(bool, dontUseMainScr);
    QFETCH(QList<bool>, visible);
    QFETCH(QList<bool>, checked);
    const GroupButtonStates states = groupButtonStates(groups, scrIndex, dontUseMainScr);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(states.visible[i], visible.at(i));
        QCOMPARE(states.checked[i], checked.at(i));
    }
}

void TestWallReplies::selectGroupFollowsTheGroup()
{
    S_SCR_SETTING setting = parseScrSetting(parse(kTwoGroups)).setting;
    QVERIFY(selectGroup(setting, 1));
    QCOMPARE(setting.scrIndex, 1);
    QCOMPARE(setting.rows, 2);
    QCOMPARE(setting.cols, 3);
    QVERIFY(!selectGroup(setting, 2));
    QCOMPARE(setting.scrIndex, 1);
}

void TestWallReplies::windowList()
{
    const QList<WindowRecord> records = parseWindowList(parse(R"({
        "Command": "GetCurWindowList", "Status": "Ok",
        "Windows": [
            {"WindowId": 12, "WindowType": 0, "Name": "ignored",
             "WindowRect": {"Left": 100, "Top": 0, "Right": 1060, "Bottom": 540},
             "ResList": [{"Name": "a.mp4"}, {"Name": "b.mp4"}]},
            {"WindowId": 40000, "WindowType": 2, "Name": "门户",
             "WindowRect": {"Left": 0, "Top": 0, "Right": 1920, "Bottom": 1080}},
            {"WindowId": 7, "WindowType": 1, "ResList": [],
             "WindowRect": {"Left": 1920, "Top": 0, "Right": 3840, "Bottom": 1080}},
            {}
        ]})"));
    QCOMPARE(records.size(), 4);

    QCOMPARE(records.at(0).windowId, 12u);
    QCOMPARE(records.at(0).winType, 0);
    QCOMPARE(records.at(0).name, QStringLiteral("a.mp4"));
    QCOMPARE(records.at(0).fileList, (QStringList{QStringLiteral("a.mp4"), QStringLiteral("b.mp4")}));
    QCOMPARE(records.at(0).rect, QRect(QPoint(100, 0), QPoint(1059, 539)));

    QCOMPARE(records.at(1).windowId, 40000u);
    QCOMPARE(records.at(1).name, QStringLiteral("门户"));
    QVERIFY(records.at(1).fileList.isEmpty());

    QCOMPARE(records.at(2).name, QString()); // a list type with an empty list
    QCOMPARE(records.at(2).rect, QRect(1920, 0, 1920, 1080));

    QCOMPARE(records.at(3).windowId, 0u); // missing keys read as 0
    QCOMPARE(records.at(3).rect, QRect(QPoint(0, 0), QPoint(-1, -1)));
}

// Ids of 2^31 and above are read and sent back as the controller gave them.
void TestWallReplies::windowIdsKeepAll32Bits()
{
    const QList<WindowRecord> records = parseWindowList(parse(R"({"Windows": [
        {"WindowId": 2147483648, "WindowType": 2, "Name": "a"},
        {"WindowId": 4294967295, "WindowType": 2, "Name": "b"}]})"));
    QCOMPARE(records.size(), 2);
    QCOMPARE(records.at(0).windowId, 2147483648u);
    QCOMPARE(records.at(1).windowId, 4294967295u);

    for (const WindowRecord &record : records) {
        const qint64 id = record.windowId;
        const auto sentId = [](const QJsonObject &request) {
            return request.value(QStringLiteral("WindowId")).toVariant().toLongLong();
        };
        QCOMPARE(sentId(moveWindowRequest(record.windowId, QRect(0, 0, 10, 10))), id);
        QCOMPARE(sentId(closeWindowRequest(record.windowId, 1)), id);
        QCOMPARE(sentId(setWindowPosRequest(record.windowId, QStringLiteral("MoveTop"), 1)), id);
    }
    QCOMPARE(closeWindowRequest(-1, 1).value(QStringLiteral("WindowId")).toInt(), -1); // all windows
}

void TestWallReplies::wireRectangles()
{
    const QJsonObject reported = parse(R"({"Left": 100, "Top": 0, "Right": 1060, "Bottom": 540})");
    const QRect held = rectFromWire(reported);
    QCOMPARE(held, QRect(QPoint(100, 0), QPoint(1059, 539)));
    QCOMPARE(rectToWire(held), reported); // sent back unchanged
    QCOMPARE(rectToWire(QRect(0, 0, 1920, 1080)),
             parse(R"({"Left": 0, "Top": 0, "Right": 1920, "Bottom": 1080})"));
}

void TestWallReplies::wireRectanglesAtTheIntLimits()
{
    const int low = std::numeric_limits<int>::min();
    const int high = std::numeric_limits<int>::max();
    const QJsonObject wire{{"Left", low}, {"Top", high}, {"Right", low}, {"Bottom", high}};
    QCOMPARE(rectFromWire(wire), QRect(QPoint(low, high), QPoint(low, high - 1)));
}

PELMORA_TEST_MAIN(TestWallReplies)
#include "tst_wallreplies.moc"
