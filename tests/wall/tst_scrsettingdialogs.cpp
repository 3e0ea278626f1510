// The screen-settings dialogs as the operator uses them: typed split counts, refusals with
// the old values put back, and the custom sizes table with the rest on the last column/row.
#include "testmain.h"
#include "uikit/dialogs.h"
#include "wall/dialogcustom.h"
#include "wall/dialogmcscrsetting.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

#include <memory>

namespace {

S_SCR_GROUP group(const QString &name, int width, int height, int cols, int rows, QList<int> widths = {},
                  QList<int> heights = {})
{
    S_SCR_GROUP g;
    g.name = name;
    g.width = width;
    g.height = height;
    g.scrCols = cols;
    g.scrRows = rows;
    g.customWidth = widths.isEmpty() ? wall::splitLength(width, cols) : widths;
    g.customHeight = heights.isEmpty() ? wall::splitLength(height, rows) : heights;
    return g;
}

// Two groups as the main window holds them after a login; the first is the current one.
S_SCR_SETTING settings(const S_SCR_GROUP &first)
{
    S_SCR_SETTING s;
    s.scrIndex = 0;
    s.groups = {first, group(QStringLiteral("Control Room"), 6400, 1080, 4, 1, {1920, 1280, 1280, 1920})};
    s.rows = first.scrRows;
    s.cols = first.scrCols;
    return s;
}

template<typename T>
T *child(QWidget *dialog, const char *name)
{
    T *widget = dialog->findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("no %s", name);
    return widget;
}

// Replaces the text as the operator does: select all, type.
void retype(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(edit, text);
}

QStringList shownTexts()
{
    QStringList texts;
    for (const uikit::ShownBox &box : uikit::Dialogs::shownBoxes())
        texts.append(box.text);
    return texts;
}

void clickSection(QHeaderView *header, int section)
{
    const int at = header->sectionViewportPosition(section) + header->sectionSize(section) / 2;
    const QPoint pos = header->orientation() == Qt::Horizontal ? QPoint(at, header->height() / 2)
                                                               : QPoint(header->width() / 2, at);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, pos);
}

} // namespace

class TestScrSettingDialogs : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<DialogMCScrSetting> openSetting(const S_SCR_SETTING &s)
    {
        auto dialog = std::make_unique<DialogMCScrSetting>(s);
        dialog->show();
        if (!QTest::qWaitForWindowExposed(dialog.get()))
            qFatal("dialog not shown");
        return dialog;
    }

private slots:
    void init() { uikit::Dialogs::reset(); }

    void opensOnTheCurrentGroup()
    {
        S_SCR_SETTING s = settings(group(QStringLiteral("会议室"), 3840, 2160, 2, 2));
        s.scrIndex = 1;
        auto dialog = openSetting(s);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("屏幕设置"));
        auto *combo = child<QComboBox>(dialog.get(), "comboScrName");
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->currentText(), QStringLiteral("Control Room"));
        QCOMPARE(child<QLineEdit>(dialog.get(), "editHrozPels")->text(), QStringLiteral("6400"));
        QCOMPARE(child<QLineEdit>(dialog.get(), "editVertPels")->text(), QStringLiteral("1080"));
        QCOMPARE(child<QLineEdit>(dialog.get(), "editScrCols")->text(), QStringLiteral("4"));
        QCOMPARE(child<QLineEdit>(dialog.get(), "editScrRows")->text(), QStringLiteral("1"));
        // The size belongs to the monitors.
        QVERIFY(!child<QLineEdit>(dialog.get(), "editHrozPels")->isEnabled());
        QVERIFY(!child<QLineEdit>(dialog.get(), "editVertPels")->isEnabled());

        combo->setCurrentIndex(0);
        QCOMPARE(child<QLineEdit>(dialog.get(), "editHrozPels")->text(), QStringLiteral("3840"));
        QCOMPARE(child<QLineEdit>(dialog.get(), "editScrCols")->text(), QStringLiteral("2"));

        // Closing without OK keeps nothing.
        QTest::mouseClick(child<QPushButton>(dialog.get(), "btnMenu_Close"), Qt::LeftButton);
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QCOMPARE(dialog->chosenIndex(), -1);
    }

    void typedCountSplitsEvenly_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<int>>("sizes");
        QTest::newRow("4 columns of 3840") << 3840 << 2160 << "editScrCols"
                                           << "4" << QList<int>{960, 960, 960, 960};
        QTest::newRow("7 columns of 1920") << 1920 << 1080 << "editScrCols"
                                           << "7" << QList<int>{274, 274, 274, 274, 274, 274, 276};
        QTest::newRow("3 rows of 1000") << 1920 << 1000 << "editScrRows"
                                        << "3" << QList<int>{333, 333, 334};
    }

    void typedCountSplitsEvenly()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QString, edit);
        QFETCH(QString, typed);
        QFETCH(QList<int>, sizes);
        auto dialog = openSetting(settings(group(QStringLiteral("Lobby"), width, height, 2, 2)));
        auto *line = child<QLineEdit>(dialog.get(), qPrintable(edit));
        retype(line, typed);
        const bool columns = edit == QLatin1String("editScrCols");
        const S_SCR_GROUP &editing = dialog->setting().groups.at(0);
        QCOMPARE(columns ? editing.customWidth : editing.customHeight, sizes);
        // The counts themselves change only with OK.
        QCOMPARE(columns ? editing.scrCols : editing.scrRows, 2);

        QTest::mouseClick(child<QPushButton>(dialog.get(), "btnOk"), Qt::LeftButton);
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(dialog->chosenIndex(), 0);
        const S_SCR_GROUP chosen = dialog->chosenGroup();
        QCOMPARE(columns ? chosen.scrCols : chosen.scrRows, sizes.size());
        QCOMPARE(columns ? chosen.customWidth : chosen.customHeight, sizes);
        QVERIFY(shownTexts().isEmpty());
    }

    // A count that cannot split the group is refused at OK with a message; the group's counts
    // and sizes go back to what they were, and the dialog stays open.
    void refusedCounts_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        const QString cols = QStringLiteral("水平分割数量应为 1 到 225 之间的整数！");
        const QString rows = QStringLiteral("纵向分割数量应为 1 到 127 之间的整数！");
        QTest::newRow("0 columns") << "editScrCols"
                                   << "0" << cols;
        QTest::newRow("-1 columns") << "editScrCols"
                                    << "-1" << cols;
        QTest::newRow("x columns") << "editScrCols"
                                   << "x" << cols;
        QTest::newRow("no columns") << "editScrCols"
                                    << "" << cols;
        QTest::newRow("too many columns") << "editScrCols"
                                          << "226" << cols;
        QTest::newRow("0 rows") << "editScrRows"
                                << "0" << rows;
        QTest::newRow("x rows") << "editScrRows"
                                << "x" << rows;
    }

    void refusedCounts()
    {
        QFETCH(QString, edit);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        const S_SCR_GROUP before = group(QStringLiteral("会议室"), 3840, 2160, 2, 2);
        auto dialog = openSetting(settings(before));
        auto *cols = child<QLineEdit>(dialog.get(), "editScrCols");
        auto *rows = child<QLineEdit>(dialog.get(), "editScrRows");
        // A valid count first (it splits at once), then the one that cannot be taken.
        retype(cols, QStringLiteral("3"));
        retype(rows, QStringLiteral("3"));
        retype(child<QLineEdit>(dialog.get(), qPrintable(edit)), typed);

        QTest::mouseClick(child<QPushButton>(dialog.get(), "btnOk"), Qt::LeftButton);
        QCOMPARE(shownTexts(), QStringList{message});
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->chosenIndex(), -1);
        QCOMPARE(cols->text(), QStringLiteral("2"));
        QCOMPARE(rows->text(), QStringLiteral("2"));
        QCOMPARE(dialog->setting().groups.at(0).customWidth, before.customWidth);
        QCOMPARE(dialog->setting().groups.at(0).customHeight, before.customHeight);

        // The custom sizes button reads the same counts and refuses them the same way.
        uikit::Dialogs::clearShownBoxes();
        retype(child<QLineEdit>(dialog.get(), qPrintable(edit)), typed);
        bool opened = false;
        uikit::Dialogs::setNextDialogHandler([&](QDialog *) {
            opened = true;
            return int(QDialog::Rejected);
        });
        QTest::mouseClick(child<QPushButton>(dialog.get(), "btnCustomScrSize"), Qt::LeftButton);
        QVERIFY(!opened);
        QCOMPARE(shownTexts(), QStringList{message});

        // The old values are taken as they are.
        QTest::mouseClick(child<QPushButton>(dialog.get(), "btnOk"), Qt::LeftButton);
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(dialog->chosenGroup().scrCols, 2);
        QCOMPARE(dialog->chosenGroup().customWidth, before.customWidth);
    }

    // Sizes the controller reported that do not fit the group are not sent back: OK says why,
    // and a count typed anew splits the group evenly again.
    void sizesThatDoNotFit_data()
    {
        QTest::addColumn<QList<int>>("widths");
        QTest::addColumn<QList<int>>("heights");
        QTest::addColumn<QString>("message");
        QTest::newRow("widths short") << QList<int>{1000, 1000} << QList<int>{1080, 1080}
                                      << QStringLiteral("各列宽度之和（2000）与水平像素（3840）不一致！");
        QTest::newRow("heights over") << QList<int>{1920, 1920} << QList<int>{1080, 1500}
                                      << QStringLiteral("各行高度之和（2580）与纵向像素（2160）不一致！");
        QTest::newRow("a width missing") << QList<int>{3840} << QList<int>{1080, 1080}
                                         << QStringLiteral("列宽的个数（1）与水平分割数量（2）不一致！");
        QTest::newRow("a sliver") << QList<int>{3830, 10} << QList<int>{1080, 1080}
                                  << QStringLiteral("每列宽度至少为 17 像素！");
    }

    void sizesThatDoNotFit()
    {
        QFETCH(QList<int>, widths);
        QFETCH(QList<int>, heights);
        QFETCH(QString, message);
        auto dialog =
            openSetting(settings(group(QStringLiteral("会议室"), 3840, 2160, 2, 2, widths, heights)));
        QTest::mouseClick(child<QPushButton>(dialog.get(), "btnOk"), Qt::LeftButton);
        QCOMPARE(shownTexts(), QStringList{message});
        QCOMPARE(dialog->chosenIndex(), -1);
        QCOMPARE(dialog->setting().groups.at(0).customWidth, widths);

        retype(child<QLineEdit>(dialog.get(), "editScrCols"), QStringLiteral("2"));
        retype(child<QLineEdit>(dialog.get(), "editScrRows"), QStringLiteral("2"));
        QTest::mouseClick(child<QPushButton>(dialog.get(), "btnOk"), Qt::LeftButton);
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(dialog->chosenGroup().customWidth, (QList<int>{1920, 1920}));
        QCOMPARE(dialog->chosenGroup().customHeight, (QList<int>{1080, 1080}));
    }

    void renamesTheChosenGroup()
    {
        auto dialog = openSetting(settings(group(QStringLiteral("会议室"), 3840, 2160, 2, 2)));
        auto *combo = child<QComboBox>(dialog.get(), "comboScrName");
        combo->setCurrentIndex(1);
        combo->setEditText(QStringLiteral("   "));
        QTest::mouseClick(child<QPushButton>(dialog.get(), "btnOk"), Qt::LeftButton);
        QCOMPARE(shownTexts(), QStringList{QStringLiteral("屏幕名称不能为空！")});
        QCOMPARE(combo->currentText(), QStringLiteral("Control Room"));

        // Enter in the name adds no group of its own.
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), QStringLiteral("East Wall"));
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        QCOMPARE(combo->count(), 2);
        if (dialog->result() != int(QDialog::Accepted))
            QTest::mouseClick(child<QPushButton>(dialog.get(), "btnOk"), Qt::LeftButton);
        QCOMPARE(dialog->chosenIndex(), 1);
        QCOMPARE(dialog->chosenGroup().name, QStringLiteral("East Wall"));
        QCOMPARE(dialog->chosenGroup().customWidth, (QList<int>{1920, 1280, 1280, 1920}));
    }

    // The custom sizes of the chosen group, which is not the current one and is not as wide:
    // the rest goes to its last column out of its own width.
    void customSizesOfTheChosenGroup()
    {
        auto dialog = openSetting(settings(group(QStringLiteral("会议室"), 3840, 2160, 2, 2)));
        child<QComboBox>(dialog.get(), "comboScrName")->setCurrentIndex(1);
        retype(child<QLineEdit>(dialog.get(), "editScrCols"), QStringLiteral("3"));
        retype(child<QLineEdit>(dialog.get(), "editScrRows"), QStringLiteral("2"));
        QList<int> seen;
        uikit::Dialogs::setNextDialogHandler([&](QDialog *d) {
            auto *custom = qobject_cast<DialogCustom *>(d);
            seen = custom->widths();
            custom->checkColumnSlot(0);
            custom->findChild<QSpinBox *>(QStringLiteral("spinBox_2"))->setValue(1000);
            return int(QDialog::Accepted);
        });
        QTest::mouseClick(child<QPushButton>(dialog.get(), "btnCustomScrSize"), Qt::LeftButton);
        QCOMPARE(seen, (QList<int>{2133, 2133, 2134}));
        QTest::mouseClick(child<QPushButton>(dialog.get(), "btnOk"), Qt::LeftButton);
        QCOMPARE(dialog->chosenIndex(), 1);
        QCOMPARE(dialog->chosenGroup().customWidth, (QList<int>{1000, 2133, 3267}));
        QCOMPARE(dialog->chosenGroup().customHeight, (QList<int>{540, 540}));
        QCOMPARE(dialog->chosenGroup().scrRows, 2);
    }

    void customTableAndSelection()
    {
        DialogCustom dialog(3, 2, {1280, 1280, 1280}, {1080, 1080}, 3840, 2160);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("自定义显示分辨率"));
        auto *table = child<QTableWidget>(&dialog, "tableWidget");
        auto *spin = child<QSpinBox>(&dialog, "spinBox_2");
        auto *label = child<QLabel>(&dialog, "labelValue");
        QCOMPARE(table->columnCount(), 3);
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(table->horizontalHeaderItem(2)->text(), QStringLiteral("3 列"));
        QCOMPARE(table->verticalHeaderItem(1)->text(), QStringLiteral("2 行"));
        QCOMPARE(table->item(1, 2)->text(), QStringLiteral("宽度：1280\n高度：1080"));
        // Column 1 selected at first.
        QVERIFY(dialog.columnMode());
        QCOMPARE(label->text(), QStringLiteral("宽度："));
        QCOMPARE(spin->value(), 1280);

        clickSection(table->verticalHeader(), 0);
        QVERIFY(!dialog.columnMode());
        QCOMPARE(dialog.selectedIndex(), 0);
        QCOMPARE(label->text(), QStringLiteral("高度："));
        QCOMPARE(spin->value(), 1080);
        QVERIFY(spin->hasFocus());
        // In row mode a cell picks its row.
        QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier,
                          table->visualItemRect(table->item(1, 2)).center());
        QVERIFY(!dialog.columnMode());
        QCOMPARE(dialog.selectedIndex(), 1);
        // The last row is the rest of the height: shown, not edited.
        QVERIFY(!spin->isEnabled());

        clickSection(table->horizontalHeader(), 1);
        QVERIFY(dialog.columnMode());
        QCOMPARE(dialog.selectedIndex(), 1);
        QVERIFY(spin->isEnabled());
        spin->setValue(2000);
        QCOMPARE(dialog.widths(), (QList<int>{1280, 2000, 560}));
        QCOMPARE(table->item(0, 2)->text(), QStringLiteral("宽度：560\n高度：1080"));
        QCOMPARE(table->columnWidth(1), 200);
        QCOMPARE(table->columnWidth(2), 150);
        // In column mode a cell picks its column.
        QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier,
                          table->visualItemRect(table->item(1, 0)).center());
        QCOMPARE(dialog.selectedIndex(), 0);
        QCOMPARE(spin->value(), 1280);

        // A value still being typed counts when OK is pressed.
        spin->findChild<QLineEdit *>()->selectAll();
        QTest::keyClicks(spin->findChild<QLineEdit *>(), QStringLiteral("1000"));
        QCOMPARE(dialog.widths().first(), 1280);
        QTest::mouseClick(child<QPushButton>(&dialog, "btnOk"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.widths(), (QList<int>{1000, 2000, 840}));
        QCOMPARE(dialog.heights(), (QList<int>{1080, 1080}));
    }

    // Three rows of 1080 in all: row 2 at 1070 would leave the last row less than 17 pixels.
    void restTooSmallPutsTheOldValueBack()
    {
        DialogCustom dialog(1, 3, {1920}, {360, 360, 360}, 1920, 1080);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *spin = child<QSpinBox>(&dialog, "spinBox_2");
        dialog.checkRowSlot(0);
        spin->setValue(1070);
        QCOMPARE(shownTexts(), QStringList{QStringLiteral("设置值超过范围！")});
        QCOMPARE(spin->value(), 360);
        QCOMPARE(dialog.heights(), (QList<int>{360, 360, 360}));

        // A value typed and refused keeps the dialog open on OK.
        uikit::Dialogs::clearShownBoxes();
        spin->findChild<QLineEdit *>()->selectAll();
        QTest::keyClicks(spin->findChild<QLineEdit *>(), QStringLiteral("1064"));
        QTest::mouseClick(child<QPushButton>(&dialog, "btnOk"), Qt::LeftButton);
        QCOMPARE(shownTexts(), QStringList{QStringLiteral("设置值超过范围！")});
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.heights(), (QList<int>{360, 360, 360}));

        // The largest value that leaves the last row 17 pixels is taken.
        spin->setValue(703);
        QCOMPARE(dialog.heights(), (QList<int>{703, 360, 17}));
    }
};

PELMORA_TEST_MAIN(TestScrSettingDialogs)
#include "tst_scrsettingdialogs.moc"
