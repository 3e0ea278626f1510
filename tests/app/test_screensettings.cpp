// The screen settings and the independent-screen view in the main window, against the
// controller simulator: the settings menu's entry, what an accepted edit sends and redraws,
// and the switch between the canvas and the independent screens.
#include "../library/panelfixture.h"
#include "testmain.h"
#include "wall/dialogcustom.h"
#include "wall/dialogmcscrsetting.h"
#include "wall/matrixscreen.h"
#include "wall/screengroups.h"

#include <QComboBox>
#include <QJsonArray>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QSpinBox>

#include <memory>

namespace {

// The real main window logged in to the demo controller: 0 "大厅拼接屏" 5760 x 2160 (3 x 2),
// 1 "Control Room" 6400 x 1080 (4 x 1, widths 1920, 1280, 1280, 1920, the gate camera
// window on its first monitor), 2 "会议室" 3840 x 2160 (2 x 2).
struct Console : PanelFixture
{
    bool open(int deviceFamily = 2) { return start(deviceFamily) && login(); }
    Ui::MainWindow2 &ui() { return window->form(); }

    QAction *screenEntry()
    {
        const QList<QAction *> actions = ui().btnSettings->menu()->actions();
        for (QAction *action : actions) {
            if (action->text() == QStringLiteral("屏幕设置"))
                return action;
        }
        return nullptr;
    }

    QList<QJsonObject> sent(const QString &command) const
    {
        QList<QJsonObject> bodies;
        for (const auto &request : simulator.requests(command))
            bodies.append(request.json());
        return bodies;
    }
};

template<typename T>
T *child(QObject *dialog, const char *name)
{
    return dialog->findChild<T *>(QLatin1String(name));
}

void retype(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// Answers the settings dialog as the operator would: picks the group, gives it a name and
// split counts, optionally sets the first column's width in the custom sizes dialog, OK.
std::function<int(QDialog *)> editGroup(int index, const QString &name, const QString &cols,
                                        const QString &rows, int firstColumn = 0)
{
    return [=](QDialog *dialog) {
        child<QComboBox>(dialog, "comboScrName")->setCurrentIndex(index);
        child<QComboBox>(dialog, "comboScrName")->setEditText(name);
        retype(child<QLineEdit>(dialog, "editScrCols"), cols);
        retype(child<QLineEdit>(dialog, "editScrRows"), rows);
        if (firstColumn > 0) {
            uikit::Dialogs::setNextDialogHandler([=](QDialog *custom) {
                static_cast<DialogCustom *>(custom)->checkColumnSlot(0);
                child<QSpinBox>(custom, "spinBox_2")->setValue(firstColumn);
                QTest::mouseClick(child<QPushButton>(custom, "btnOk"), Qt::LeftButton);
                return custom->result();
            });
            QTest::mouseClick(child<QPushButton>(dialog, "btnCustomScrSize"), Qt::LeftButton);
        }
        QTest::mouseClick(child<QPushButton>(dialog, "btnOk"), Qt::LeftButton);
        return dialog->result();
    };
}

QJsonArray ints(const QList<int> &values)
{
    QJsonArray array;
    for (int value : values)
        array.append(value);
    return array;
}

} // namespace

class TestScreenSettings : public QObject
{
    Q_OBJECT

private slots:
    void init() { uikit::Dialogs::reset(); }

    // Screen settings belong to media display controllers (families 2 and 3); elsewhere the
    // entry is greyed out and, triggered all the same, opens nothing and sends nothing.
    void entryFollowsTheFamily_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<bool>("offered");
        for (int family = 0; family <= 4; ++family)
            QTest::addRow("family %d", family) << family << (family == 2 || family == 3);
    }

    void entryFollowsTheFamily()
    {
        QFETCH(int, family);
        QFETCH(bool, offered);
        Console console;
        QVERIFY(console.open(family));
        QAction *entry = console.screenEntry();
        QVERIFY(entry);
        QCOMPARE(entry->isEnabled(), offered);

        bool opened = false;
        uikit::Dialogs::setNextDialogHandler([&](QDialog *dialog) {
            opened = qobject_cast<DialogMCScrSetting *>(dialog) != nullptr;
            return int(QDialog::Rejected);
        });
        entry->trigger();
        QCOMPARE(opened, offered);
        QVERIFY(console.sent(QStringLiteral("SetScrSetting")).isEmpty());
    }

    // A group that is not the current one: its values and index go to the controller, its
    // button takes the new name, and the canvas keeps showing the current group.
    void editingAnotherGroupLeavesTheCanvas()
    {
        Console console;
        QVERIFY(console.open());
        ScreenWidget *canvas = console.canvas;
        const QList<int> columns = canvas->grid().colWidths();
        const QSize size = canvas->size();

        uikit::Dialogs::setNextDialogHandler(editGroup(2, QStringLiteral("Meeting Room"), "3", "2"));
        console.screenEntry()->trigger();

        const QList<QJsonObject> sent = console.sent(QStringLiteral("SetScrSetting"));
        QCOMPARE(sent.size(), 1);
        const QJsonObject expected{{"Command", "SetScrSetting"},
                                   {"Rows", 2},
                                   {"Cols", 3},
                                   {"Name", "Meeting Room"},
                                   {"Index", 2},
                                   {"CustomHeight", ints({1080, 1080})},
                                   {"CustomWidth", ints({1280, 1280, 1280})}};
        QCOMPARE(sent.first(), expected);
        QCOMPARE(console.ui().btnMultiScreen3->text(), QStringLiteral("Meeting Room"));
        const S_SCR_LAYOUT &layout = console.window->screens()->layouts().at(2);
        QCOMPARE(layout.colWidths, (QList<int>{1280, 1280, 1280}));
        QCOMPARE(console.window->screens()->setting().cols, 3); // the current group's, 3 x 2
        QCOMPARE(canvas->groupIndex(), 0);
        QCOMPARE(canvas->grid().colWidths(), columns);
        QCOMPARE(canvas->size(), size);
        QVERIFY(uikit::Dialogs::shownBoxes().isEmpty());
    }

    // The current group: the canvas takes the new grid at zoom 1.0, and its windows snap to
    // the new monitor edges.
    void editingTheCurrentGroupRedrawsTheCanvas()
    {
        Console console;
        QVERIFY(console.open());
        QTest::mouseClick(console.ui().btnMultiScreen2, Qt::LeftButton);
        QTest::mouseClick(console.ui().btnScreenZoomIn, Qt::LeftButton);
        ScreenWidget *canvas = console.canvas;

        uikit::Dialogs::setNextDialogHandler(editGroup(1, QStringLiteral("Control Room"), "3", "2", 1000));
        console.screenEntry()->trigger();

        QCOMPARE(console.sent(QStringLiteral("SetScrSetting")).last().value("CustomWidth").toArray(),
                 ints({1000, 2133, 3267}));
        QCOMPARE(canvas->groupIndex(), 1);
        QCOMPARE(canvas->grid().colWidths(), (QList<int>{1000, 2133, 3267}));
        QCOMPARE(canvas->grid().rowHeights(), (QList<int>{540, 540}));
        QCOMPARE(console.window->screens()->setting().cols, 3);
        QCOMPARE(console.window->screens()->setting().rows, 2);
        const QRect zoomOne =
            wall::zoomedCanvasGeometry(1.0f, console.window->canvasArea().size(), 6400, 1080);
        QCOMPARE(canvas->size(), zoomOne.size());
        QCOMPARE(console.ui().labelZoom->text(), QStringLiteral("150%")); // the stored zoom stays

        // The gate camera (0, 0)-(1920, 1080) grown to the monitors around it: the first two
        // columns of the new split and both rows.
        console.window->windowCommands()->on_windowButton_clicked(201, 1);
        const QJsonObject rect =
            console.sent(QStringLiteral("MoveWindow")).last().value("RealRect").toObject();
        QCOMPARE(rect.value("Left").toInt(), 0);
        QCOMPARE(rect.value("Right").toInt(), 3133);
        QCOMPARE(rect.value("Bottom").toInt(), 1080);
    }

    // A refused command is reported; the console keeps the new values all the same.
    void refusalIsReported()
    {
        Console console;
        QVERIFY(console.open());
        console.simulator.setFault(QStringLiteral("SetScrSetting"),
                                   {sim::Fault::Refuse, 0, 500, QStringLiteral("Wall is locked")});
        uikit::Dialogs::setNextDialogHandler(editGroup(2, QStringLiteral("Meeting Room"), "3", "2"));
        console.screenEntry()->trigger();
        const QList<uikit::ShownBox> boxes = uikit::Dialogs::shownBoxes();
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes.first().text.contains(QStringLiteral("Wall is locked")),
                 qPrintable(boxes.first().text));
        QCOMPARE(console.ui().btnMultiScreen3->text(), QStringLiteral("Meeting Room"));
    }

    // Settings edited while the session ended belong to no controller: nothing is sent.
    void sessionEndingWhileEditingSendsNothing()
    {
        Console console;
        QVERIFY(console.open());
        const auto edit = editGroup(2, QStringLiteral("Meeting Room"), "3", "2");
        uikit::Dialogs::setNextDialogHandler([&](QDialog *dialog) {
            console.window->on_disconnectButton_clicked();
            return edit(dialog);
        });
        console.screenEntry()->trigger();
        QVERIFY(console.sent(QStringLiteral("SetScrSetting")).isEmpty());
        QCOMPARE(console.ui().btnMultiScreen3->text(), QStringLiteral("会议室"));
    }

    // The independent screens: shown instead of the canvas with the video category, window
    // commands go to "ScreenGroup" 0, and a group button or the next login bring the canvas
    // back.
    void independentScreens()
    {
        Console console;
        QVERIFY(console.open());
        Ui::MainWindow2 &ui = console.ui();
        library::LibraryPanel *library = console.window->library();
        QVERIFY(!ui.btnMatrixScreen->isHidden());
        QTest::mouseClick(ui.audioListButton, Qt::LeftButton);
        QVERIFY(library->isChecked(library::Category::Picture));

        QTest::mouseClick(ui.btnMatrixScreen, Qt::LeftButton);
        QVERIFY(ui.btnMatrixScreen->isChecked());
        QVERIFY(!ui.mattrixWidget->isHidden());
        QVERIFY(ui.scrollArea->isHidden());
        QCOMPARE(ui.mattrixWidget->displayCount(), 0);
        QVERIFY(library->isChecked(library::Category::Video));
        QVERIFY(ui.videoListButton->isChecked());
        QCOMPARE(console.window->currentScreenGroup(), 0);
        QTest::mouseClick(ui.btnClearScr, Qt::LeftButton);
        QCOMPARE(console.sent(QStringLiteral("CloseWindow")).last().value("ScreenGroup").toInt(), 0);

        QTest::mouseClick(ui.btnMultiScreen2, Qt::LeftButton);
        QVERIFY(ui.mattrixWidget->isHidden());
        QVERIFY(!ui.scrollArea->isHidden());
        QVERIFY(!ui.btnMatrixScreen->isChecked());

        // A session that ends on the independent screens; the next one starts on the canvas.
        QTest::mouseClick(ui.btnMatrixScreen, Qt::LeftButton);
        console.window->on_disconnectButton_clicked();
        QTest::mouseClick(ui.btnMultiScreen1, Qt::LeftButton);
        QVERIFY(ui.scrollArea->isHidden()); // nothing switches without a session
        QVERIFY(console.login());
        QVERIFY(!ui.scrollArea->isHidden());
        QVERIFY(ui.mattrixWidget->isHidden());
        QVERIFY(!ui.btnMatrixScreen->isChecked());
        QCOMPARE(console.window->currentScreenGroup(), 2); // the controller's current group
    }
};

PELMORA_TEST_MAIN(TestScreenSettings)
#include "test_screensettings.moc"
