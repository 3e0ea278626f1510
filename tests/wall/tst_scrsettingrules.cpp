// The rules behind the screen-settings dialogs: split counts, the check of a group's sizes,
// the rest given to the last column or row, and the request that carries a group.
#include "testmain.h"
#include "wall/scrsettingrules.h"

#include <QJsonArray>

using namespace wall;

Q_DECLARE_METATYPE(wall::SizesProblem)

class TestScrSettingRules : public QObject
{
    Q_OBJECT

private slots:
    void splitCount_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("count"); // 0: refused
        QTest::newRow("four") << "4" << 3840 << 4;
        QTest::newRow("blanks around") << " 7 " << 1920 << 7;
        QTest::newRow("zero") << "0" << 3840 << 0;
        QTest::newRow("negative") << "-1" << 3840 << 0;
        QTest::newRow("not a number") << "x" << 3840 << 0;
        QTest::newRow("empty") << "" << 3840 << 0;
        QTest::newRow("fraction") << "2.5" << 3840 << 0;
        QTest::newRow("beyond int") << "99999999999" << 3840 << 0;
        // 3840 / 17 = 225: the largest count whose monitors keep 17 pixels.
        QTest::newRow("largest") << "225" << 3840 << 225;
        QTest::newRow("too many") << "226" << 3840 << 0;
    }

    void splitCount()
    {
        QFETCH(QString, text);
        QFETCH(int, total);
        QFETCH(int, count);
        const std::optional<int> parsed = parseSplitCount(text, total);
        QCOMPARE(parsed.has_value(), count > 0);
        if (parsed)
            QCOMPARE(*parsed, count);
    }

    void checkSizes_data()
    {
        QTest::addColumn<QList<int>>("sizes");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("total");
        QTest::addColumn<SizesProblem>("problem");
        QTest::newRow("fits") << QList<int>{1000, 1280, 1560} << 3 << 3840 << SizesProblem::None;
        QTest::newRow("one missing") << QList<int>{1920, 1920} << 3 << 3840 << SizesProblem::WrongCount;
        QTest::newRow("empty") << QList<int>{} << 2 << 3840 << SizesProblem::WrongCount;
        QTest::newRow("sum short") << QList<int>{1000, 1000} << 2 << 3840 << SizesProblem::WrongSum;
        QTest::newRow("sum over") << QList<int>{3000, 3000} << 2 << 3840 << SizesProblem::WrongSum;
        QTest::newRow("a sliver") << QList<int>{3824, 16} << 2 << 3840 << SizesProblem::TooSmall;
        QTest::newRow("negative") << QList<int>{3940, -100} << 2 << 3840 << SizesProblem::TooSmall;
    }

    void checkSizes()
    {
        QFETCH(QList<int>, sizes);
        QFETCH(int, count);
        QFETCH(int, total);
        QFETCH(SizesProblem, problem);
        QCOMPARE(wall::checkSizes(sizes, count, total), problem);
        // What does not fit is replaced by the even split.
        const QList<int> used = sizesFor(sizes, count, total);
        QCOMPARE(used, problem == SizesProblem::None ? sizes : splitLength(total, count));
    }

    void restOnLast_data()
    {
        QTest::addColumn<QList<int>>("sizes");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("total");
        QTest::addColumn<QList<int>>("result"); // empty: refused
        QTest::newRow("first column to 1000")
            << QList<int>{1280, 1280, 1280} << 0 << 1000 << 3840 << QList<int>{1000, 1280, 1560};
        QTest::newRow("middle row") << QList<int>{360, 360, 360} << 1 << 500 << 1080
                                    << QList<int>{360, 500, 220};
        QTest::newRow("rest of 17") << QList<int>{360, 360, 360} << 1 << 703 << 1080
                                    << QList<int>{360, 703, 17};
        QTest::newRow("rest of 16") << QList<int>{360, 360, 360} << 1 << 704 << 1080 << QList<int>{};
        QTest::newRow("row 1 to 1070") << QList<int>{360, 360, 360} << 1 << 1070 << 1080 << QList<int>{};
        QTest::newRow("value below 17") << QList<int>{360, 360, 360} << 0 << 16 << 1080 << QList<int>{};
        QTest::newRow("last is the rest")
            << QList<int>{360, 300, 420} << 2 << 999 << 1080 << QList<int>{360, 300, 420};
        QTest::newRow("no such entry") << QList<int>{540, 540} << 2 << 100 << 1080 << QList<int>{};
    }

    void restOnLast()
    {
        QFETCH(QList<int>, sizes);
        QFETCH(int, index);
        QFETCH(int, value);
        QFETCH(int, total);
        QFETCH(QList<int>, result);
        const std::optional<QList<int>> next = withRestOnLast(sizes, index, value, total);
        QCOMPARE(next.has_value(), !result.isEmpty());
        if (next)
            QCOMPARE(*next, result);
    }

    void request()
    {
        S_SCR_GROUP group;
        group.name = QStringLiteral("会议室");
        group.width = 3840;
        group.height = 2160;
        group.scrCols = 3;
        group.scrRows = 2;
        group.customWidth = {1000, 1280, 1560};
        group.customHeight = {1080, 1080};
        const QJsonObject expected{{"Command", "SetScrSetting"},
                                   {"Rows", 2},
                                   {"Cols", 3},
                                   {"Name", QStringLiteral("会议室")},
                                   {"Index", 2},
                                   {"CustomHeight", QJsonArray{1080, 1080}},
                                   {"CustomWidth", QJsonArray{1000, 1280, 1560}}};
        QCOMPARE(scrSettingRequest(group, 2), expected);
    }
};

PELMORA_TEST_MAIN(TestScrSettingRules)
#include "tst_scrsettingrules.moc"
