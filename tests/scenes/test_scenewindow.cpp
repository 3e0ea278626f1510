// The scene category of the real main window against the simulator: the strip and the
// rotation panel after a login, the list buttons, loading by double-click, a rotation the
// canvas follows, and the end of a session.
#include "../library/panelfixture.h"
#include "scenes/formautoswitch.h"
#include "scenes/scenerotation.h"
#include "scenes/scenestore.h"
#include "testmain.h"

#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>

using library::Category;
using uikit::Dialogs;

namespace {
const QString kMorning = QStringLiteral("Morning Welcome");
const QString kSecurity = QStringLiteral("Security View");

// The operator types `name` into the scene name dialog and presses OK.
void typeName(const QString &name)
{
    Dialogs::setNextDialogHandler([name](QDialog *dialog) {
        dialog->findChild<QLineEdit *>(QStringLiteral("lineEdit"))->setText(name);
        dialog->findChild<QPushButton *>(QStringLiteral("btnOk"))->click();
        return dialog->result();
    });
}

QJsonObject videoWindow(int id, int left)
{
    return {
        {"WindowId", id},
        {"WindowType", 0},
        {"WindowRect", QJsonObject{{"Left", left}, {"Top", 0}, {"Right", left + 1920}, {"Bottom", 1080}}},
        {"ResList", QJsonArray{QJsonObject{{"Name", "Night City.mp4"}, {"Path", "/videos/Night City.mp4"}}}}};
}

QStringList planNames(const FormAutoSwitch *panel)
{
    QStringList names;
    for (const scenes::PlanRow &row : panel->rows())
        names.append(row.name);
    return names;
}
} // namespace

class TestSceneWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<PanelFixture> f;

    FormAutoSwitch *panel() const { return f->window->form().autoSwitch; }
    ImageWidget *strip() const { return f->w.modalList; }

    // Logs in with `family` to a controller with the demo's scenes, or with `scenes`.
    bool start(int family, const QJsonArray &scenes = {})
    {
        f = std::make_unique<PanelFixture>();
        if (!f->start(family))
            return false;
        if (!scenes.isEmpty())
            f->simulator.setState({{"Scenes", scenes}});
        if (!f->login())
            return false;
        f->window->scenes()->setSettleDelayMs(0);
        f->select(Category::Scene);
        return true;
    }

    void clickScene(const QString &name)
    {
        QListWidgetItem *item = PanelFixture::itemNamed(strip(), name);
        QVERIFY(item);
        strip()->listWidget()->scrollToItem(item);
        QTest::mouseClick(strip()->listWidget()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          strip()->listWidget()->visualItemRect(item).center());
    }

    int windowsOnTheWall() const
    {
        const int group = f->simulator.state().value("ScrIndex").toInt();
        return f->simulator.windowList(group).value("Windows").toArray().size();
    }

private slots:
    void init() { Dialogs::reset(); }
    void cleanup() { f.reset(); }

    // After a login the strip holds the controller's scenes; the rotation panel stands
    // beside it, usable, except for the media display families, which do not show it.
    void loginReadiesTheSceneCategory_data()
    {
        QTest::addColumn<int>("family");
        QTest::newRow("media display family") << 2;
        QTest::newRow("other family") << 0;
    }

    void loginReadiesTheSceneCategory()
    {
        QFETCH(int, family);
        QVERIFY(start(family));
        QCOMPARE(PanelFixture::texts(strip()),
                 (QStringList{kMorning, kSecurity, QString::fromUtf8("会议模式")}));
        QVERIFY(strip()->isVisible());
        QCOMPARE(panel()->isVisible(), family != 2);
        QCOMPARE(panel()->isEnabled(), family != 2);
        QCOMPARE(panel()->size(), QSize(510, 140));
        f->select(Category::Video);
        QVERIFY(!panel()->isVisible());
    }

    // The walk of an operator: save the wall, clear it, load the scene back by double-click,
    // replace it, then delete it with its check box.
    void saveClearLoadReplaceDelete()
    {
        QVERIFY(start(0));
        Ui::MainWindow2 &ui = f->window->form();
        const int shownBefore = f->canvas->windows().size();
        QVERIFY(shownBefore > 0);

        typeName(QStringLiteral("Morning"));
        ui.btnSaveModal->click();
        QCOMPARE(PanelFixture::texts(strip()).last(), QStringLiteral("Morning"));

        ui.btnClearScr->click();
        QVERIFY(f->canvas->windows().isEmpty());
        QCOMPARE(windowsOnTheWall(), 0);

        f->simulator.clearRequests();
        PanelFixture::doubleClick(strip(), PanelFixture::itemNamed(strip(), QStringLiteral("Morning")));
        QStringList sent;
        for (const auto &r : f->simulator.requests()) {
            if (r.command == QLatin1String("LoadModal") || r.command == QLatin1String("GetCurWindowList"))
                sent.append(r.command);
        }
        QCOMPARE(sent, (QStringList{"LoadModal", "GetCurWindowList"}));
        QCOMPARE(f->canvas->windows().size(), shownBefore);

        Dialogs::setNextAnswer(QDialog::Accepted);
        typeName(QStringLiteral("Morning"));
        ui.btnSaveModal->click();
        QCOMPARE(PanelFixture::texts(strip()).count(QStringLiteral("Morning")), 1);

        // The double-click's clicks went to the plan too; start from a plain strip.
        ui.btnDeSelectAll->click();
        clickScene(QStringLiteral("Morning"));
        QCOMPARE(planNames(panel()), QStringList{"Morning"});
        ui.btnRemoveModal->click();
        QCOMPARE(f->simulator.requests("RemoveModal").last().json().value("ModalName").toString(),
                 QStringLiteral("Morning"));
        QVERIFY(!PanelFixture::texts(strip()).contains(QStringLiteral("Morning")));
        QVERIFY(planNames(panel()).isEmpty());
        QVERIFY(f->window->scenes()->modalResources().size() == 3);
    }

    // Select all and deselect all of the scene category go through the rotation plan;
    // other categories leave it alone.
    void selectAllBuildsThePlan()
    {
        QVERIFY(start(0));
        Ui::MainWindow2 &ui = f->window->form();
        ui.btnSelectAll->click();
        QCOMPARE(strip()->checkedNames(), PanelFixture::texts(strip()));
        QCOMPARE(planNames(panel()), PanelFixture::texts(strip()));
        f->select(Category::Video);
        ui.btnDeSelectAll->click();
        QCOMPARE(planNames(panel()).size(), 3);
        f->select(Category::Scene);
        ui.btnDeSelectAll->click();
        QVERIFY(strip()->checkedNames().isEmpty());
        QVERIFY(planNames(panel()).isEmpty());
    }

    // A rotation with two-second turns between two scenes of the first group: the controller
    // switches the wall, and the canvas shows its windows whenever the operator reads the
    // group again; the stop goes out.
    void rotationTheCanvasFollows()
    {
        const QJsonArray scenes{QJsonObject{{"Name", "Two"},
                                            {"Group", 0},
                                            {"ScreenGroup", 1},
                                            {"Windows", QJsonArray{videoWindow(1, 0), videoWindow(2, 1920)}}},
                                QJsonObject{{"Name", "One"},
                                            {"Group", 0},
                                            {"ScreenGroup", 1},
                                            {"Windows", QJsonArray{videoWindow(1, 3840)}}}};
        QVERIFY(start(0, scenes));
        f->simulator.useManualClock();
        Ui::MainWindow2 &ui = f->window->form();
        panel()->spinBoxQuick->setValue(2);
        clickScene(QStringLiteral("Two"));
        clickScene(QStringLiteral("One"));
        panel()->btnQuick->click();
        QVERIFY(panel()->isRunning());
        QVERIFY(!strip()->isEnabled());
        const QJsonArray plan =
            f->simulator.requests("SetQuickSwitch").last().json().value("ModalList").toArray();
        QCOMPARE(plan, (QJsonArray{QJsonObject{{"Name", "Two"}, {"TimeInSeconds", 2}},
                                   QJsonObject{{"Name", "One"}, {"TimeInSeconds", 2}}}));

        for (int turn = 0; turn < 3; ++turn) {
            ui.btnMultiScreen1->click();
            QCOMPARE(f->canvas->windows().size(), turn % 2 == 0 ? 2 : 1);
            QCOMPARE(f->canvas->windows().size(), windowsOnTheWall());
            f->simulator.advanceClock(2000);
        }
        panel()->btnQuick->click();
        QCOMPARE(f->simulator.requests("SetQuickSwitch").last().json(),
                 (QJsonObject{{"Command", "SetQuickSwitch"}, {"Control", 0}}));
        QVERIFY(!panel()->isRunning());
        QVERIFY(strip()->isEnabled());
    }

    // The end of a session empties the scenes and the plan and stops the panel without
    // a word to the controller; the next login finds the panel ready again.
    void disconnectClearsScenesAndPlan()
    {
        QVERIFY(start(0));
        clickScene(kMorning);
        panel()->btnQuick->click();
        QVERIFY(panel()->isRunning());
        const int quickSwitches = f->simulator.requests("SetQuickSwitch").size();

        f->window->on_disconnectButton_clicked();
        QCOMPARE(f->simulator.requests("SetQuickSwitch").size(), quickSwitches);
        QVERIFY(!panel()->isRunning());
        QCOMPARE(panel()->listAutoSwitch->rowCount(), 0);
        QVERIFY(!panel()->isEnabled());
        QVERIFY(f->window->scenes()->modalResources().isEmpty());
        QCOMPARE(strip()->listWidget()->count(), 0);
        QVERIFY(Dialogs::shownBoxes().isEmpty());

        QVERIFY(f->login());
        f->select(Category::Scene);
        QVERIFY(panel()->isEnabled());
        QVERIFY(strip()->isEnabled());
        QCOMPARE(strip()->listWidget()->count(), 3);
    }
};

PELMORA_TEST_MAIN(TestSceneWindow)
#include "test_scenewindow.moc"
