// The rotation panel and the rotation it starts on the simulator: the rules of the plan
// table, starting and stopping, and the plan after scenes were deleted.
#include "platform/platformpaths.h"
#include "scenefixture.h"
#include "testmain.h"

#include <QJsonArray>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>

using uikit::Dialogs;

namespace {
// Short names for the demo's scenes in the tables.
QString sceneName(const QString &alias)
{
    if (alias == QLatin1String("A"))
        return QStringLiteral("Morning Welcome");
    if (alias == QLatin1String("B"))
        return QStringLiteral("Security View");
    if (alias == QLatin1String("C"))
        return QString::fromUtf8("会议模式");
    return alias;
}

QString alias(const QString &name)
{
    for (const char *a : {"A", "B", "C"}) {
        if (sceneName(QLatin1String(a)) == name)
            return QLatin1String(a);
    }
    return name;
}

// "A=5,B=3": the rows of the table.
QString shown(const scenes::PlanRows &rows)
{
    QStringList parts;
    for (const scenes::PlanRow &row : rows)
        parts.append(alias(row.name) + QLatin1Char('=') + row.seconds);
    return parts.join(QLatin1Char(','));
}

// The same form for the last "SetQuickSwitch": its plan, "stop", or "" when none was sent.
QString lastQuickSwitch(const sim::Simulator &controller)
{
    const auto sent = controller.requests(QStringLiteral("SetQuickSwitch"));
    if (sent.isEmpty())
        return QString();
    const QJsonObject request = sent.last().json();
    if (request.value("Control").toInt() == 0)
        return request.contains("ModalList") ? QStringLiteral("stop with a list") : QStringLiteral("stop");
    QStringList parts;
    const QJsonArray list = request.value("ModalList").toArray();
    for (const QJsonValue &entry : list)
        parts.append(alias(entry.toObject().value("Name").toString()) + QLatin1Char('=') +
                     QString::number(entry.toObject().value("TimeInSeconds").toInt(-1)));
    return parts.join(QLatin1Char(','));
}
} // namespace

class TestSceneRotation : public QObject
{
    Q_OBJECT

    std::unique_ptr<SceneFixture> f;

    void run(const QString &action)
    {
        const QStringList words = action.split(QLatin1Char(' '));
        const QString verb = words.first();
        const QString arg = words.value(1);
        FormAutoSwitch *panel = f->panel;
        if (verb == QLatin1String("click") || verb == QLatin1String("box"))
            f->click(sceneName(arg), verb == QLatin1String("box"));
        else if (verb == QLatin1String("select"))
            panel->listAutoSwitch->selectRow(arg.toInt());
        else if (verb == QLatin1String("up"))
            panel->btnModalUp->click();
        else if (verb == QLatin1String("down"))
            panel->btnModalDown->click();
        else if (verb == QLatin1String("edit"))
            panel->listAutoSwitch->item(arg.toInt(), 1)->setText(words.value(2));
        else if (verb == QLatin1String("interval"))
            panel->spinBoxQuick->setValue(arg.toInt());
        else if (verb == QLatin1String("all"))
            panel->setAllChecked(true);
        else if (verb == QLatin1String("none"))
            panel->setAllChecked(false);
        else if (verb == QLatin1String("start"))
            panel->btnQuick->click();
        else if (verb == QLatin1String("refuse"))
            f->sim.simulator.setFault(QStringLiteral("SetQuickSwitch"), {sim::Fault::Refuse});
        else
            QFAIL(qPrintable("unknown action " + action));
    }

    QStringList checkedAliases() const
    {
        QStringList names;
        for (const QString &name : f->checkedNames())
            names.append(alias(name));
        return names;
    }

private slots:
    void init()
    {
        QDir(platform::zevRoot()).removeRecursively();
        platform::lastConnectSettings()->clear();
    }

    void cleanup()
    {
        f.reset();
        platform::lastConnectSettings()->clear();
    }

    // The plan table follows the clicks on the strip and the panel's buttons; start and stop
    // go to the controller with the table as it stands.
    void planTable_data()
    {
        QTest::addColumn<bool>("planStarted"); // the registry value "PlanStarted"
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QString>("rows"); // the table afterwards, "name=seconds"
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<int>("selected"); // the selected row, -1: none
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("sent"); // the last SetQuickSwitch: its plan, "stop", or ""
        QTest::addColumn<bool>("running");

        const QString noSelection = QString::fromUtf8("请先在左侧列表中选择您要移动的场景。");
        const QString emptyPlan = QString::fromUtf8("请至少选择一个场景（勾选复选框）！");
        const QString dailyPlan = QString::fromUtf8("正在执行每日计划，请先停止。");
        const QString refused = QString::fromUtf8("操作失败！错误原因：");

        QTest::newRow("a click toggles the scene and its row")
            << false << QStringList{"click A", "click B", "click A"} << "B=5" << QStringList{"B"} << -1
            << QStringList() << "" << false;
        QTest::newRow("a scene clicked again goes to the end")
            << false << QStringList{"click A", "click B", "click A", "click A"} << "B=5,A=5"
            << QStringList{"A", "B"} << -1 << QStringList() << "" << false;
        QTest::newRow("a click on the check box toggles once")
            << false << QStringList{"box B"} << "B=5" << QStringList{"B"} << -1 << QStringList() << ""
            << false;
        QTest::newRow("new rows take the interval") << false << QStringList{"interval 8", "click C"} << "C=8"
                                                    << QStringList{"C"} << -1 << QStringList() << "" << false;
        QTest::newRow("select all keeps existing rows and appends the rest")
            << false << QStringList{"click C", "edit 0 12", "all"} << "C=12,A=5,B=5"
            << QStringList{"A", "B", "C"} << -1 << QStringList() << "" << false;
        QTest::newRow("deselect all empties the table")
            << false << QStringList{"click B", "all", "none"} << "" << QStringList() << -1 << QStringList()
            << "" << false;
        QTest::newRow("up on the first row changes nothing")
            << false << QStringList{"click A", "click B", "select 0", "up"} << "A=5,B=5"
            << QStringList{"A", "B"} << 0 << QStringList() << "" << false;
        QTest::newRow("down on the last row changes nothing")
            << false << QStringList{"click A", "click B", "select 1", "down"} << "A=5,B=5"
            << QStringList{"A", "B"} << 1 << QStringList() << "" << false;
        QTest::newRow("up moves the row and its selection")
            << false << QStringList{"click A", "click B", "click C", "edit 2 7", "select 2", "up"}
            << "A=5,C=7,B=5" << QStringList{"A", "B", "C"} << 1 << QStringList() << "" << false;
        QTest::newRow("down moves the row and its selection")
            << false << QStringList{"click A", "click B", "select 0", "down"} << "B=5,A=5"
            << QStringList{"A", "B"} << 1 << QStringList() << "" << false;
        QTest::newRow("moving without a selection shows its box")
            << false << QStringList{"click A", "click B", "down"} << "A=5,B=5" << QStringList{"A", "B"} << -1
            << QStringList{noSelection} << "" << false;
        QTest::newRow("the interval overwrites every duration, edited ones too")
            << false << QStringList{"click A", "click B", "edit 0 30", "interval 9"} << "A=9,B=9"
            << QStringList{"A", "B"} << -1 << QStringList() << "" << false;
        QTest::newRow("an empty plan shows its box and starts nothing")
            << false << QStringList{"start"} << "" << QStringList() << -1 << QStringList{emptyPlan} << ""
            << false;
        QTest::newRow("PlanStarted blocks the start")
            << true << QStringList{"click A", "start"} << "A=5" << QStringList{"A"} << -1
            << QStringList{dailyPlan} << "" << false;
        QTest::newRow("start sends the plan in table order")
            << false << QStringList{"click A", "click B", "select 1", "up", "edit 0 3", "start"} << "B=3,A=5"
            << QStringList{"A", "B"} << 0 << QStringList() << "B=3,A=5" << true;
        QTest::newRow("stop") << false << QStringList{"click A", "start", "start"} << "A=5"
                              << QStringList{"A"} << -1 << QStringList() << "stop" << false;
        QTest::newRow("a duration that is not a number goes as 0")
            << false << QStringList{"click A", "edit 0 soon", "start"} << "A=soon" << QStringList{"A"} << -1
            << QStringList{refused} << "A=0" << false;
        QTest::newRow("a refused start leaves the panel stopped")
            << false << QStringList{"click C", "refuse", "start"} << "C=5" << QStringList{"C"} << -1
            << QStringList{refused} << "C=5" << false;
        QTest::newRow("a refused stop leaves the stop at hand")
            << false << QStringList{"click C", "start", "refuse", "start"} << "C=5" << QStringList{"C"} << -1
            << QStringList{refused} << "stop" << true;
    }

    void planTable()
    {
        QFETCH(bool, planStarted);
        QFETCH(QStringList, actions);
        QFETCH(QString, rows);
        QFETCH(QStringList, checked);
        QFETCH(int, selected);
        QFETCH(QStringList, boxes);
        QFETCH(QString, sent);
        QFETCH(bool, running);

        platform::lastConnectSettings()->setValue(QStringLiteral("PlanStarted"), planStarted);
        f = std::make_unique<SceneFixture>();
        QVERIFY(f->start());
        for (const QString &action : qAsConst(actions)) {
            run(action);
            if (QTest::currentTestFailed())
                return;
        }

        QCOMPARE(shown(f->panel->rows()), rows);
        QCOMPARE(checkedAliases(), checked);
        const QModelIndexList selection = f->panel->listAutoSwitch->selectionModel()->selectedRows();
        QCOMPARE(selection.isEmpty() ? -1 : selection.first().row(), selected);
        const auto shownBoxes = Dialogs::shownBoxes();
        QCOMPARE(shownBoxes.size(), boxes.size());
        for (int i = 0; i < boxes.size(); ++i)
            QVERIFY2(shownBoxes.at(i).text.startsWith(boxes.at(i)), qPrintable(shownBoxes.at(i).text));
        QCOMPARE(lastQuickSwitch(f->sim.simulator), sent);
        QCOMPARE(f->panel->isRunning(), running);
        QCOMPARE(f->rotation->isRunning(), running);
        // Scenes cannot be clicked while a rotation runs.
        QCOMPARE(f->strip->isEnabled(), !running);
        QCOMPARE(f->panel->btnQuick->text(), running ? QString::fromUtf8("停止轮巡")
                                             : actions.contains("start") && !planStarted
                                                 ? QString::fromUtf8("启动轮巡")
                                                 : QString::fromUtf8("开始轮巡"));
    }

    // With "QuickStarted" in the registry the panel starts out running: it offers the stop,
    // and its first click stops the controller's rotation.
    void recordedRotationOffersItsStop()
    {
        platform::lastConnectSettings()->setValue(QStringLiteral("QuickStarted"), true);
        f = std::make_unique<SceneFixture>();
        QVERIFY(f->start());
        QCOMPARE(f->panel->btnQuick->text(), QString::fromUtf8("停止轮巡"));
        QVERIFY(!f->strip->isEnabled());
        f->panel->btnQuick->click();
        QCOMPARE(lastQuickSwitch(f->sim.simulator), QStringLiteral("stop"));
        QCOMPARE(f->panel->btnQuick->text(), QString::fromUtf8("启动轮巡"));
        QVERIFY(f->strip->isEnabled());
    }

    // A click on the check box itself is one click for the plan. Left to the list, the box
    // flips by itself and the plan's toggle flips it back: nothing changes.
    void checkBoxClickReachesThePlan()
    {
        f = std::make_unique<SceneFixture>();
        QVERIFY(f->start());
        QSignalSpy flips(f->strip->listWidget(), &QListWidget::itemChanged);
        f->strip->loadResources(f->store->modalResources()); // boxes the list toggles by itself
        flips.clear();
        f->click(sceneName("A"), true);
        QCOMPARE(flips.size(), 2);
        QCOMPARE(checkedAliases(), QStringList());

        QVERIFY(f->store->getAllModal());
        flips.clear();
        f->click(sceneName("A"), true);
        QCOMPARE(flips.size(), 1);
        QCOMPARE(shown(f->panel->rows()), QStringLiteral("A=5"));
        QCOMPARE(checkedAliases(), QStringList{"A"});
        f->click(sceneName("A"), true);
        QCOMPARE(shown(f->panel->rows()), QString());
        QCOMPARE(checkedAliases(), QStringList());
    }

    // After the checked scenes were deleted the plan is the table without them: the other
    // rows keep their place and seconds, their scenes stay checked, a running rotation stays
    // running.
    void deleteKeepsTheRestOfThePlan_data()
    {
        QTest::addColumn<bool>("running");
        QTest::newRow("stopped") << false;
        QTest::newRow("running") << true;
    }

    void deleteKeepsTheRestOfThePlan()
    {
        QFETCH(bool, running);
        f = std::make_unique<SceneFixture>();
        QVERIFY(f->start());
        for (const char *action : {"click C", "click A", "click B", "edit 0 4", "edit 2 6"})
            run(QLatin1String(action));
        if (running)
            run("start");
        // Only A is to go.
        f->item(sceneName("B"))->setCheckState(Qt::Unchecked);
        f->item(sceneName("C"))->setCheckState(Qt::Unchecked);
        f->store->removeCheckedScenes();

        QCOMPARE(f->stripNames(), (QStringList{sceneName("B"), sceneName("C")}));
        QCOMPARE(shown(f->panel->rows()), QStringLiteral("C=4,B=6"));
        QCOMPARE(checkedAliases(), (QStringList{"B", "C"}));
        QCOMPARE(f->panel->isRunning(), running);
        QCOMPARE(f->strip->isEnabled(), !running);
        // The delete itself neither starts nor stops anything.
        QCOMPARE(f->sim.simulator.requests("SetQuickSwitch").size(), running ? 1 : 0);
    }
};

PELMORA_TEST_MAIN(TestSceneRotation)
#include "test_scenerotation.moc"
