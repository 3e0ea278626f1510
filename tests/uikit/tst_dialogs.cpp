#include "testmain.h"

#include "uikit/dialoginput.h"
#include "uikit/dialogs.h"
#include "uikit/dialogscale.h"
#include "uikit/framelessdialog.h"
#include "uikit/frmmessagebox.h"
#include "uikit/iconhelper.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

using namespace uikit;

namespace {

QLabel *label(QWidget *form, const char *name)
{
    return form->findChild<QLabel *>(QLatin1String(name));
}

QPushButton *button(QWidget *form, const char *name)
{
    return form->findChild<QPushButton *>(QLatin1String(name));
}

// Runs `dialog` modally; once its loop runs, `action` gets the dialog. A dialog the action
// leaves open is rejected after a while, so a broken action fails the test instead of
// hanging it.
int runModal(QDialog *dialog, std::function<void(QDialog *)> action)
{
    QPointer<QDialog> guard(dialog);
    QTimer::singleShot(0, dialog, [guard, action] {
        if (guard)
            action(guard);
    });
    QTimer::singleShot(10000, dialog, [guard] {
        if (guard)
            guard->done(-1);
    });
    return dialog->exec();
}

void sendMouse(QWidget *target, QEvent::Type type, QPointF global, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    const QPointF local = global - QPointF(target->pos());
    QMouseEvent event(type, local, local, global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void boxTypes_data();
    void boxTypes();
    void unknownTypeKeepsState();
    void boxFrame();
    void boxResult_data();
    void boxResult();

    void drag_data();
    void drag();

    void inputForm();
    void inputResult_data();
    void inputResult();

    void noUnmatchedAutoConnections();

    void seamRecordsBoxes();
    void seamQuestionAnswers();
    void seamDialogHandler();
};

void TestDialogs::init()
{
    Dialogs::reset();
}

void TestDialogs::cleanup()
{
    setDialogScale(96);
}

void TestDialogs::boxTypes_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("cancelShown");
    QTest::newRow("information") << 0 << "border-image: url(:/images/Info2.png);" << QString::fromUtf8("提示")
                                 << false;
    QTest::newRow("question") << 1 << "border-image: url(:/images/question.png);" << QString::fromUtf8("询问")
                              << true;
    QTest::newRow("error") << 2 << "border-image: url(:/images/error.png);" << QString::fromUtf8("错误")
                           << false;
}

void TestDialogs::boxTypes()
{
    QFETCH(int, type);
    QFETCH(QString, picture);
    QFETCH(QString, title);
    QFETCH(bool, cancelShown);

    // Start from the opposite button state so the row really decides it.
    auto *box = new frmMessageBox;
    box->setMessage(QStringLiteral("before"), cancelShown ? 0 : 1);
    box->setMessage(QStringLiteral("连接失败"), type);
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box));

    QCOMPARE(label(box, "labIcoMain")->styleSheet(), picture);
    QCOMPARE(label(box, "lab_Title")->text(), title);
    QCOMPARE(label(box, "labInfo")->text(), QStringLiteral("连接失败"));
    QVERIFY(button(box, "btnOk")->isVisible());
    QCOMPARE(button(box, "btnCancel")->isVisible(), cancelShown);

    QPointer<frmMessageBox> guard(box);
    box->close();
    QVERIFY(QTest::qWaitFor([&] { return guard.isNull(); }));
}

void TestDialogs::unknownTypeKeepsState()
{
    frmMessageBox box;
    box.setAttribute(Qt::WA_DeleteOnClose, false);
    box.setMessage(QStringLiteral("first"), 1);
    box.setMessage(QStringLiteral("second"), 7);

    QCOMPARE(label(&box, "labIcoMain")->styleSheet(),
             QStringLiteral("border-image: url(:/images/question.png);"));
    QCOMPARE(label(&box, "lab_Title")->text(), QString::fromUtf8("询问"));
    QVERIFY(!button(&box, "btnCancel")->isHidden());
    QCOMPARE(label(&box, "labInfo")->text(), QStringLiteral("second"));

    box.setMessage(QStringLiteral("third"), 2);
    box.setMessage(QStringLiteral("fourth"), -1);
    QCOMPARE(label(&box, "lab_Title")->text(), QString::fromUtf8("错误"));
    QVERIFY(button(&box, "btnCancel")->isHidden());
}

void TestDialogs::boxFrame()
{
    // The box keeps its form size whatever the dialog scale.
    setDialogScale(96);
    frmMessageBox plain;
    plain.setAttribute(Qt::WA_DeleteOnClose, false);
    setDialogScale(144);
    frmMessageBox scaled;
    scaled.setAttribute(Qt::WA_DeleteOnClose, false);
    QCOMPARE(scaled.minimumSize(), plain.minimumSize());
    QCOMPARE(scaled.maximumSize(), scaled.minimumSize());

    QVERIFY(plain.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(plain.windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint));
    QCOMPARE(plain.windowType(), Qt::Dialog);
    QVERIFY(frmMessageBox().testAttribute(Qt::WA_DeleteOnClose));

    // Title strip glyphs from the icon font, at 10 points.
    const QString family = IconHelper::instance()->family();
    QCOMPARE(family, QStringLiteral("FontAwesome")); // the family of the built-in icon font
    QLabel *ico = label(&plain, "lab_Ico");
    QPushButton *close = button(&plain, "btnMenu_Close");
    QCOMPARE(ico->text(), QString(QChar(0xF015)));
    QCOMPARE(close->text(), QString(QChar(0xF00D)));
    QCOMPARE(ico->font().family(), family);
    QCOMPARE(close->font().family(), family);
    QCOMPARE(ico->font().pointSize(), 10);
    QCOMPARE(close->toolTip(), QString::fromUtf8("关闭"));
    QVERIFY(plain.findChild<QWidget *>(QStringLiteral("widget_title"))->isAncestorOf(close));
}

void TestDialogs::boxResult_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("pressed");
    QTest::addColumn<int>("result");
    QTest::newRow("question, ok") << 1 << "btnOk" << int(QDialog::Accepted);
    QTest::newRow("question, cancel") << 1 << "btnCancel" << int(QDialog::Rejected);
    QTest::newRow("question, title close") << 1 << "btnMenu_Close" << int(QDialog::Rejected);
    QTest::newRow("information, ok") << 0 << "btnOk" << int(QDialog::Accepted);
    QTest::newRow("error, title close") << 2 << "btnMenu_Close" << int(QDialog::Rejected);
}

void TestDialogs::boxResult()
{
    QFETCH(int, type);
    QFETCH(QString, pressed);
    QFETCH(int, result);

    auto *box = new frmMessageBox;
    box->setMessage(QStringLiteral("删除场景?"), type);
    QPointer<frmMessageBox> guard(box);
    bool wasVisible = false;
    const int code = runModal(box, [&](QDialog *dialog) {
        QPushButton *target = dialog->findChild<QPushButton *>(pressed);
        if (!target)
            return;
        wasVisible = target->isVisible();
        QTest::mouseClick(target, Qt::LeftButton);
    });
    QVERIFY(wasVisible);
    QCOMPARE(code, result);
    // The box deleted itself on the way out of its modal run.
    QVERIFY(guard.isNull());
}

void TestDialogs::drag_data()
{
    QTest::addColumn<int>("pressButtonValue"); // Qt::MouseButton
    QTest::addColumn<QPointF>("pressAt");      // relative to the dialog's position
    QTest::addColumn<QPointF>("moveTo");       // relative to the dialog's position at the press
    QTest::addColumn<int>("heldValue");        // Qt::MouseButtons of the move
    QTest::addColumn<QPoint>("moved");
    QTest::newRow("left button") << int(Qt::LeftButton) << QPointF(10, 12) << QPointF(40, 32)
                                 << int(Qt::LeftButton) << QPoint(30, 20);
    // The press position is rounded to whole pixels before the offset is taken.
    QTest::newRow("left button, fractional press")
        << int(Qt::LeftButton) << QPointF(10.6, 12.4) << QPointF(41, 32) << int(Qt::LeftButton)
        << QPoint(30, 20);
    QTest::newRow("right button") << int(Qt::RightButton) << QPointF(10, 12) << QPointF(40, 32)
                                  << int(Qt::RightButton) << QPoint(0, 0);
    QTest::newRow("left press, moved without a button")
        << int(Qt::LeftButton) << QPointF(10, 12) << QPointF(40, 32) << int(Qt::NoButton) << QPoint(0, 0);
    QTest::newRow("middle button") << int(Qt::MiddleButton) << QPointF(10, 12) << QPointF(40, 32)
                                   << int(Qt::MiddleButton | Qt::LeftButton) << QPoint(0, 0);
}

void TestDialogs::drag()
{
    QFETCH(int, pressButtonValue);
    const auto pressButton = Qt::MouseButton(pressButtonValue);
    QFETCH(QPointF, pressAt);
    QFETCH(QPointF, moveTo);
    QFETCH(int, heldValue);
    const Qt::MouseButtons held(heldValue);
    QFETCH(QPoint, moved);

    FramelessDialog dialog;
    dialog.setFixedSize(200, 120);
    // With tracking on, moves without a button held reach the dialog too.
    dialog.setMouseTracking(true);
    dialog.move(100, 80);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QPointF start(dialog.pos());

    sendMouse(&dialog, QEvent::MouseButtonPress, start + pressAt, pressButton, pressButton);
    sendMouse(&dialog, QEvent::MouseMove, start + moveTo, Qt::NoButton, held);
    QCOMPARE(dialog.pos(), start.toPoint() + moved);
    sendMouse(&dialog, QEvent::MouseButtonRelease, start + moveTo, pressButton, Qt::NoButton);

    // After the release a move with the left button held (pressed elsewhere) does nothing.
    const QPoint afterRelease = dialog.pos();
    sendMouse(&dialog, QEvent::MouseMove, start + moveTo + QPointF(50, 50), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(dialog.pos(), afterRelease);
}

void TestDialogs::inputForm()
{
    setDialogScale(144);
    DialogInput withPicture(QString::fromUtf8("请输入场景名称"), QStringLiteral("Scene 1"), true);
    DialogInput withoutPicture(QStringLiteral("Name"), QString(), false);

    QCOMPARE(label(&withPicture, "labelInfo")->text(), QString::fromUtf8("请输入场景名称"));
    auto *edit = withPicture.findChild<QLineEdit *>(QStringLiteral("lineEdit"));
    QCOMPARE(edit->text(), QStringLiteral("Scene 1"));
    QCOMPARE(edit->selectedText(), QStringLiteral("Scene 1"));
    QVERIFY(!label(&withPicture, "labelPicture")->isHidden());
    QVERIFY(label(&withoutPicture, "labelPicture")->isHidden());
    QCOMPARE(label(&withPicture, "lab_Title")->text(), QString::fromUtf8("输入"));
    QCOMPARE(label(&withPicture, "lab_Ico")->text(), QString(QChar(0xF11C)));
    QCOMPARE(button(&withPicture, "btnMenu_Close")->text(), QString(QChar(0xF00D)));
    QVERIFY(withPicture.text().isEmpty());

    // Fixed to the form size, not scaled.
    setDialogScale(96);
    DialogInput unscaled(QString(), QString(), true);
    QCOMPARE(withPicture.minimumSize(), unscaled.minimumSize());
    QCOMPARE(withPicture.maximumSize(), withPicture.minimumSize());
    QVERIFY(withPicture.windowFlags().testFlag(Qt::FramelessWindowHint));
}

void TestDialogs::inputResult_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pressed");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("text");
    QTest::newRow("ok") << "Morning"
                        << "btnOk" << int(QDialog::Accepted) << "Morning";
    QTest::newRow("ok, untouched") << QString() << "btnOk" << int(QDialog::Accepted) << "Scene 1";
    QTest::newRow("close") << "Morning"
                           << "btnMenu_Close" << int(QDialog::Rejected) << QString();
}

void TestDialogs::inputResult()
{
    QFETCH(QString, typed);
    QFETCH(QString, pressed);
    QFETCH(int, result);
    QFETCH(QString, text);

    DialogInput dialog(QStringLiteral("Name"), QStringLiteral("Scene 1"), false);
    const int code = runModal(&dialog, [&](QDialog *d) {
        auto *edit = d->findChild<QLineEdit *>(QStringLiteral("lineEdit"));
        if (!typed.isEmpty())
            QTest::keyClicks(edit, typed); // replaces the selected initial text
        if (QPushButton *target = d->findChild<QPushButton *>(pressed))
            QTest::mouseClick(target, Qt::LeftButton);
    });
    QCOMPARE(code, result);
    QCOMPARE(dialog.text(), text);
}

void TestDialogs::noUnmatchedAutoConnections()
{
    pelmora::test::WarningCatcher catcher;
    {
        frmMessageBox box;
        box.setAttribute(Qt::WA_DeleteOnClose, false);
        DialogInput input(QStringLiteral("Name"), QString(), true);
    }
    QVERIFY2(!catcher.contains(QStringLiteral("No matching signal")),
             qPrintable(catcher.warnings().join(QLatin1Char('\n'))));
}

void TestDialogs::seamRecordsBoxes()
{
    const auto openBoxes = [] {
        int count = 0;
        for (QWidget *widget : QApplication::topLevelWidgets())
            count += qobject_cast<frmMessageBox *>(widget) != nullptr;
        return count;
    };
    const int boxesBefore = openBoxes();
    QPointer<QWidget> before = QApplication::activeModalWidget();
    Dialogs::showError(QStringLiteral("上传失败"));
    Dialogs::showInfo(QStringLiteral("完成"));
    QCOMPARE(QApplication::activeModalWidget(), before.data());

    const QList<ShownBox> boxes = Dialogs::shownBoxes();
    QCOMPARE(boxes.size(), 2);
    QCOMPARE(boxes.at(0).type, BoxType::Error);
    QCOMPARE(boxes.at(0).text, QStringLiteral("上传失败"));
    QCOMPARE(boxes.at(1).type, BoxType::Info);
    QCOMPARE(boxes.at(1).text, QStringLiteral("完成"));
    QCOMPARE(openBoxes(), boxesBefore);
}

void TestDialogs::seamQuestionAnswers()
{
    Dialogs::setNextAnswer(QDialog::Accepted);
    Dialogs::setNextAnswer(QDialog::Rejected);
    QVERIFY(Dialogs::askQuestion(QStringLiteral("q1")));
    QVERIFY(!Dialogs::askQuestion(QStringLiteral("q2")));
    QVERIFY(!Dialogs::askQuestion(QStringLiteral("q3"))); // nothing queued: a refusal
    QCOMPARE(Dialogs::shownBoxes().size(), 3);
    QCOMPARE(Dialogs::shownBoxes().at(2).type, BoxType::Question);
}

void TestDialogs::seamDialogHandler()
{
    DialogInput dialog(QStringLiteral("Name"), QStringLiteral("old"), false);
    Dialogs::setNextDialogHandler([](QDialog *d) {
        d->findChild<QLineEdit *>(QStringLiteral("lineEdit"))->setText(QStringLiteral("new"));
        QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("btnOk")), Qt::LeftButton);
        return d->result();
    });
    QCOMPARE(Dialogs::exec(&dialog), int(QDialog::Accepted));
    QCOMPARE(dialog.text(), QStringLiteral("new"));
    // Without a handler or an answer the dialog counts as cancelled.
    QCOMPARE(Dialogs::exec(&dialog), int(QDialog::Rejected));
}

PELMORA_TEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
