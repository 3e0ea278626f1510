// Scenes and their rotation on the simulator: loads open new windows, and a running rotation
// loads each scene of its plan in turn, moved by the test's clock.
#include "sim/simulator.h"
#include "simclient.h"
#include "testmain.h"

#include <QJsonArray>

using simtest::jsonAt;

namespace {
// The demo's scenes and the screen group each was saved from.
const QString kMorning = QStringLiteral("Morning Welcome"); // group 0
const QString kSecurity = QStringLiteral("Security View");  // group 1
const QString kMeeting = QString::fromUtf8("会议模式");     // group 2

QJsonArray plan(const QList<QPair<QString, int>> &entries)
{
    QJsonArray list;
    for (const auto &entry : entries)
        list.append(QJsonObject{{"Name", entry.first}, {"TimeInSeconds", entry.second}});
    return list;
}

QList<int> windowIds(const QJsonObject &windowList)
{
    QList<int> ids;
    const QJsonArray windows = windowList.value("Windows").toArray();
    for (const QJsonValue &w : windows)
        ids.append(w.toObject().value("WindowId").toInt());
    return ids;
}

QJsonArray withoutIds(QJsonArray windows)
{
    for (int i = 0; i < windows.size(); ++i) {
        QJsonObject w = windows.at(i).toObject();
        w.remove("WindowId");
        windows[i] = w;
    }
    return windows;
}
} // namespace

class TestSimScenes : public simtest::Suite
{
    Q_OBJECT

    simtest::Result post(const QJsonObject &o)
    {
        const simtest::Result r = client().post(o);
        if (!r.isOk())
            qWarning("%s refused: %s", qPrintable(o.value("Command").toString()), r.body.constData());
        return r;
    }

    bool start(const QJsonArray &modalList)
    {
        return post({{"Command", "SetQuickSwitch"}, {"Control", 1}, {"ModalList", modalList}}).isOk();
    }

    // The scenes the rotation loaded so far, in order, as the request log shows them.
    QStringList rotationLog() const
    {
        QStringList names;
        const auto loads = m_sim->requests("LoadModal");
        for (const auto &load : loads) {
            if (load.method == QLatin1String("ROTATION"))
                names.append(load.json().value("ModalName").toString());
        }
        return names;
    }

    int currentGroup() const { return jsonAt(m_sim->state(), "ScrIndex").toInt(); }

private slots:
    // A load opens the scene's windows anew: same places and sources, new ids each time.
    void loadOpensNewWindows()
    {
        const QJsonArray saved = jsonAt(m_sim->state(), "Scenes/1/Windows").toArray();
        QVERIFY(post({{"Command", "LoadModal"}, {"ModalName", kSecurity}}).isOk());
        const QJsonObject first = client().get("GetCurWindowList").json();
        QVERIFY(post({{"Command", "LoadModal"}, {"ModalName", kSecurity}}).isOk());
        const QJsonObject second = client().get("GetCurWindowList").json();

        QCOMPARE(withoutIds(second.value("Windows").toArray()), withoutIds(first.value("Windows").toArray()));
        QCOMPARE(first.value("Windows").toArray().size(), saved.size());
        const QList<int> before = windowIds(first);
        for (int id : windowIds(second))
            QVERIFY2(!before.contains(id), "a load reuses a window id");
        for (const QJsonValue &w : saved)
            QVERIFY(!before.contains(w.toObject().value("WindowId").toInt()));
    }

    // Each scene of the plan stays for its seconds, in order, round and round; the clock
    // moves in the steps given, and after each the wall shows the group of the scene due.
    void rotationLoadsEachSceneInTurn_data()
    {
        QTest::addColumn<QJsonArray>("modalList");
        QTest::addColumn<QList<int>>("steps");   // ms the clock moves, one after another
        QTest::addColumn<QList<int>>("groups");  // ScrIndex after each step
        QTest::addColumn<QStringList>("loaded"); // the rotation's loads, in order

        QTest::newRow("two scenes, round and round")
            << plan({{kMorning, 2}, {kSecurity, 3}}) << QList<int>{1999, 1, 2999, 1, 2000}
            << QList<int>{0, 1, 1, 0, 1} << QStringList{kMorning, kSecurity, kMorning, kSecurity};
        QTest::newRow("plan order, not list order")
            << plan({{kMeeting, 1}, {kMorning, 1}, {kSecurity, 1}}) << QList<int>{1000, 1000, 1000}
            << QList<int>{0, 1, 2} << QStringList{kMeeting, kMorning, kSecurity, kMeeting};
        QTest::newRow("a jump loads at most one round")
            << plan({{kMorning, 1}, {kSecurity, 1}, {kMeeting, 1}}) << QList<int>{10000} << QList<int>{1}
            << QStringList{kMorning, kMeeting, kMorning, kSecurity};
        QTest::newRow("one scene is loaded again each turn")
            << plan({{kMeeting, 2}}) << QList<int>{2000, 2000} << QList<int>{2, 2}
            << QStringList{kMeeting, kMeeting, kMeeting};
    }

    void rotationLoadsEachSceneInTurn()
    {
        QFETCH(QJsonArray, modalList);
        QFETCH(QList<int>, steps);
        QFETCH(QList<int>, groups);
        QFETCH(QStringList, loaded);

        QVERIFY(start(modalList));
        QCOMPARE(rotationLog().size(), 1); // the first scene at once
        for (int i = 0; i < steps.size(); ++i) {
            m_sim->advanceClock(steps.at(i));
            QCOMPARE(currentGroup(), groups.at(i));
        }
        QCOMPARE(rotationLog(), loaded);
        // What the console reads shows the scene due.
        QCOMPARE(client().get("GetCurWindowList").json().value("ScrIndex").toInt(), groups.last());
    }

    // A stop leaves the last scene on the wall and loads nothing more.
    void stopKeepsTheLastScene()
    {
        QVERIFY(start(plan({{kMorning, 2}, {kSecurity, 2}})));
        m_sim->advanceClock(2000);
        QVERIFY(post({{"Command", "SetQuickSwitch"}, {"Control", 0}}).isOk());
        const QList<int> shown = windowIds(m_sim->windowList(1));
        m_sim->advanceClock(10000);
        QCOMPARE(currentGroup(), 1);
        QCOMPARE(windowIds(m_sim->windowList(1)), shown);
        QCOMPARE(rotationLog(), (QStringList{kMorning, kSecurity}));
    }

    // Removing a scene of a running plan starts the rotation over with the others.
    void removingAPlannedSceneStartsOver()
    {
        QVERIFY(start(plan({{kMorning, 2}, {kSecurity, 2}, {kMeeting, 2}})));
        m_sim->advanceClock(2000);
        QVERIFY(post({{"Command", "RemoveModal"}, {"ModalName", kSecurity}, {"ScreenGroup", 2}}).isOk());
        m_sim->advanceClock(2000);
        QCOMPARE(rotationLog(), (QStringList{kMorning, kSecurity, kMorning, kMeeting}));
        QCOMPARE(jsonAt(m_sim->state(), "QuickSwitch/ModalList/#"), QJsonValue(2));
    }

    // On the controller's own clock the rotation moves on without any request.
    void realClockRotatesWithoutRequests()
    {
        sim::Simulator controller;
        QVERIFY(controller.start());
        simtest::Client console(controller.port());
        QVERIFY(console.login());
        QVERIFY(console
                    .post({{"Command", "SetQuickSwitch"},
                           {"Control", 1},
                           {"ModalList", plan({{kMorning, 1}, {kSecurity, 1}})}})
                    .isOk());
        // The second scene's turn comes after one second; nothing is asked meanwhile.
        QVERIFY(controller.waitForRequests("LoadModal", 2, 10000));
        QCOMPARE(controller.requests("LoadModal").at(1).json().value("ModalName").toString(), kSecurity);
        QCOMPARE(controller.windowList(1).value("Windows").toArray().size(), 4);
    }
};

PELMORA_TEST_MAIN(TestSimScenes)
#include "tst_simscenes.moc"
