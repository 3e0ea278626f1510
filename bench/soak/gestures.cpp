#include "gestures.h"

#include "app/mainwindow2.h"
#include "app/mainwindow2_form.h"
#include "control/formcaption.h"
#include "library/imagewidget.h"
#include "library/qlyblistwidget.h"
#include "net/sessionvalues.h"
#include "net/transport.h"
#include "sim/simulator.h"
#include "uikit/dialogs.h"
#include "uikit/nestedwait.h"
#include "wall/screenwidget.h"
#include "wall/windowwidget.h"
#include "windowsession.h"

#include <QApplication>
#include <QColor>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using uikit::Dialogs;

namespace soak {

namespace {

// The window the console keeps for each request while the transport waits; short, so that a
// request the controller never answers costs half a second and not ten.
constexpr int kRequestLimitMs = 800;
constexpr int kMaxWindows = 12;

const QStringList kSceneNames = {"soak a", "soak b", "soak c", "soak d"};
const QStringList kPictureNames = {"soak1.jpg", "soak2.png", "soak3.bmp"};
const QStringList kCaptionTexts = {"Welcome", "Meeting at ten", "Fire drill at noon", "安全第一"};

const char *const kFaultNames[] = {"Delay",        "NoReply",   "HttpError", "Refuse",
                                   "WrongCommand", "Malformed", "EmptyBody", "CloseConnection"};

QPushButton *buttonOf(QWidget *dialog, const char *name)
{
    return dialog->findChild<QPushButton *>(QLatin1String(name));
}

QLineEdit *editOf(QWidget *dialog, const char *name)
{
    return dialog->findChild<QLineEdit *>(QLatin1String(name));
}

// OK, or the dialog's cancel (or title-bar close) button.
int finish(QDialog *dialog, bool accept)
{
    QPushButton *button = buttonOf(dialog, accept ? "btnOk" : "btnCancel");
    if (!button && !accept)
        button = buttonOf(dialog, "btnMenu_Close");
    if (button)
        button->click();
    else if (!accept)
        dialog->reject();
    return dialog->result();
}

} // namespace

Gestures::Gestures(MainWindow2 &window, sim::Simulator &controller, const QString &address, quint32 seed)
    : m_window(window), m_controller(controller), m_address(address), m_random(seed)
{
    m_window.transport()->setTimeoutMs(kRequestLimitMs);
    // Small pictures to upload: a few names used over and over, so the controller keeps a
    // bounded library however long the run.
    for (const QString &name : kPictureNames) {
        QImage picture(64 + pick(64), 48 + pick(48), QImage::Format_RGB32);
        picture.fill(QColor::fromHsv(pick(360), 200, 200));
        picture.save(m_files.filePath(name));
    }
}

Gestures::~Gestures()
{
    delete m_nested;
}

void Gestures::setReentrant(bool on)
{
    if (!on) {
        delete m_nested;
        m_nested = nullptr;
        return;
    }
    if (m_nested)
        return;
    m_nested = new QTimer;
    m_nested->setInterval(37);
    QObject::connect(m_nested, &QTimer::timeout, [this] { nestedGesture(); });
    m_nested->start();
}

// The timer is served only inside event loops: the driver's own pause (no wait of the
// console's open, nothing done) or a wait of the console's.
void Gestures::nestedGesture()
{
    if (m_inNested || uikit::WaitScope::depth() == 0 || !m_window.session().loggedIn || !chance(0.3))
        return;
    m_inNested = true;
    ++m_counts.nested;
    gesture();
    m_inNested = false;
}

void Gestures::count(const char *gesture)
{
    ++m_counts.gestures;
    ++m_counts.byGesture[QLatin1String(gesture)];
}

// Questions and dialogs nobody queued for are refused by the seam; a few answers are queued
// for whatever else the gesture raises (a replace question, a confirmation).
void Gestures::answerRandomly()
{
    for (int i = 0; i < 3; ++i)
        Dialogs::setNextAnswer(chance(0.6) ? QDialog::Accepted : QDialog::Rejected);
}

void Gestures::collectBoxes()
{
    m_counts.boxes += Dialogs::shownBoxes().size();
    // Forgets the boxes and whatever answers the gesture left unused.
    Dialogs::reset();
}

void Gestures::harvestCommands()
{
    const auto requests = m_controller.requests();
    for (const auto &request : requests) {
        if (request.method == QLatin1String("UDP"))
            continue;
        const QString target = request.command.isEmpty() ? request.path : request.command;
        if (target.isEmpty() || m_seen.contains(target))
            continue;
        m_seen.insert(target);
        if (!request.command.isEmpty())
            m_commands.insert(target);
        m_targets.append(target);
    }
    m_controller.clearRequests();
}

void Gestures::injectFault()
{
    if (m_targets.isEmpty())
        return;
    const QString target = m_targets.at(pick(m_targets.size()));
    // A request never answered waits for the request limit; they are kept rarer than the rest.
    static const int kinds[] = {0, 0, 1, 2, 2, 3, 4, 5, 5, 6, 6, 7, 7};
    auto kind = sim::Fault::Kind(kinds[pick(int(sizeof kinds / sizeof kinds[0]))]);
    // Plain paths (thumbnails, snapshots, scene files) are fetched with no time limit by
    // design, and upload chunks wait ten seconds: those requests are never left unanswered.
    if (kind == sim::Fault::NoReply && !m_commands.contains(target))
        kind = sim::Fault::CloseConnection;
    sim::Fault fault{kind};
    fault.remaining = 1 + pick(3);
    fault.delayMs = 50 + pick(kRequestLimitMs + 400);
    // The simulator holds a request it never answers until it stops, on one of its few
    // server threads: a handful of them and it answers nothing more. A reply that comes well
    // after the console's limit is the same to the console.
    if (kind == sim::Fault::NoReply) {
        fault.kind = sim::Fault::Delay;
        fault.delayMs = kRequestLimitMs + 500 + pick(1500);
    }
    fault.httpStatus = chance(0.5) ? 500 : 404;
    fault.message = QStringLiteral("soak fault");
    m_controller.setFault(target, fault);
    ++m_counts.faults;
    ++m_counts.byFault[QLatin1String(kFaultNames[kind]) + QLatin1Char(' ') + target];
}

bool Gestures::ensureLoggedIn()
{
    if (m_window.session().loggedIn)
        return true;
    ++m_counts.logins;
    answerRandomly();
    const bool ok = pelmora::test::loginTo(m_window, m_controller, QStringLiteral("admin"), 2, m_address);
    collectBoxes();
    return ok;
}

void Gestures::step()
{
    if (chance(0.15))
        injectFault();
    if (!ensureLoggedIn())
        return;
    gesture();
}

void Gestures::gesture()
{
    struct Entry
    {
        int weight;
        void (Gestures::*run)();
    };
    static const Entry table[] = {
        {10, &Gestures::openWindow}, {14, &Gestures::moveWindow},  {10, &Gestures::resizeWindow},
        {6, &Gestures::closeWindow}, {8, &Gestures::selectWindow}, {5, &Gestures::selectResources},
        {8, &Gestures::control},     {6, &Gestures::switchGroup},  {3, &Gestures::saveScene},
        {3, &Gestures::loadScene},   {1, &Gestures::removeScene},  {4, &Gestures::caption},
        {3, &Gestures::upload},      {1, &Gestures::removeUpload}, {4, &Gestures::echo},
        {3, &Gestures::toolButtons}, {1, &Gestures::relogin},
    };
    int total = 0;
    for (const Entry &e : table)
        total += e.weight;
    int roll = pick(total);
    for (const Entry &e : table) {
        if (roll < e.weight) {
            answerRandomly();
            (this->*e.run)();
            collectBoxes();
            return;
        }
        roll -= e.weight;
    }
}

// --- helpers

WindowWidget *Gestures::randomItem()
{
    const QList<WindowWidget *> &items = m_window.form().labelScreen->windows();
    if (items.isEmpty())
        return nullptr;
    return items.at(pick(items.size()));
}

void Gestures::click(QWidget *widget)
{
    if (widget && widget->isVisible() && widget->isEnabled())
        QTest::mouseClick(widget, Qt::LeftButton);
}

// Press at `from`, two moves and a release at `to` (item coordinates), as the mouse does; a
// hover first lets the item pick the edge it is resized by.
void Gestures::drag(QWidget *item, const QPoint &from, const QPoint &to, bool hoverFirst)
{
    QPointer<QWidget> target(item);
    const QPoint global = item->mapToGlobal(from);
    const QPoint delta = to - from;
    auto send = [&](QEvent::Type type, const QPoint &offset, Qt::MouseButton button,
                    Qt::MouseButtons buttons) {
        if (!target)
            return;
        QMouseEvent event(type, from + offset, global + offset, button, buttons, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    };
    if (hoverFirst)
        send(QEvent::MouseMove, QPoint(), Qt::NoButton, Qt::NoButton);
    send(QEvent::MouseButtonPress, QPoint(), Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, delta / 2, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseMove, delta, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, delta, Qt::LeftButton, Qt::NoButton);
}

void Gestures::doubleClickItem(QWidget *strip, int row)
{
    auto *image = qobject_cast<ImageWidget *>(strip);
    if (!image || !image->isVisible())
        return;
    QListWidget *list = image->listWidget();
    if (row < 0 || row >= list->count())
        return;
    QListWidgetItem *item = list->item(row);
    list->setCurrentItem(item);
    const QRect rect = list->visualItemRect(item);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
}

// --- gestures

void Gestures::openWindow()
{
    count("open");
    Ui::MainWindow2 &ui = m_window.form();
    if (ui.labelScreen->windows().size() >= kMaxWindows) {
        click(ui.btnClearScr);
        return;
    }
    // A cell of the wall first, then a video or a picture of the library.
    ScreenWidget *canvas = ui.labelScreen;
    canvas->selectCellAt(QPoint(pick(qMax(1, canvas->width())), pick(qMax(1, canvas->height()))));
    if (chance(0.5)) {
        click(ui.videoListButton);
        doubleClickItem(ui.videoList, pick(qMax(1, ui.videoList->listWidget()->count())));
    } else {
        click(chance(0.7) ? ui.audioListButton : ui.webListButton);
        doubleClickItem(ui.audioList, pick(qMax(1, ui.audioList->listWidget()->count())));
    }
}

void Gestures::moveWindow()
{
    count("move");
    WindowWidget *item = randomItem();
    if (!item)
        return;
    const QPoint from = item->rect().center();
    drag(item, from, from + QPoint(pick(161) - 80, pick(121) - 60), false);
}

void Gestures::resizeWindow()
{
    count("resize");
    WindowWidget *item = randomItem();
    if (!item)
        return;
    const QRect r = item->rect();
    const QPoint corners[] = {r.bottomRight(), r.topLeft(), QPoint(r.right(), r.center().y()),
                              QPoint(r.center().x(), r.bottom())};
    const QPoint from = corners[pick(4)];
    drag(item, from, from + QPoint(pick(121) - 60, pick(91) - 45), true);
}

void Gestures::closeWindow()
{
    count("close");
    WindowWidget *item = randomItem();
    if (!item)
        return;
    if (chance(0.8))
        click(item->button(WindowWidget::CloseButton));
    else
        click(item->button(chance(0.5) ? WindowWidget::EnlargeButton : WindowWidget::RestoreButton));
}

void Gestures::selectWindow()
{
    count("select");
    WindowWidget *item = randomItem();
    if (!item)
        return;
    const QPoint at = item->rect().center();
    QTest::mouseClick(item, Qt::LeftButton, Qt::NoModifier, at);
}

void Gestures::selectResources()
{
    count("select resources");
    Ui::MainWindow2 &ui = m_window.form();
    const QList<QToolButton *> categories = ui.categoryButtons();
    click(categories.at(pick(categories.size())));
    click(chance(0.5) ? ui.btnSelectAll : ui.btnDeSelectAll);
}

void Gestures::control()
{
    count("control");
    Ui::MainWindow2 &ui = m_window.form();
    if (WindowWidget *item = randomItem())
        QTest::mouseClick(item, Qt::LeftButton, Qt::NoModifier, item->rect().center());
    switch (pick(8)) {
    case 0:
        click(ui.btnPlay);
        break;
    case 1:
        click(chance(0.5) ? ui.btnNext : ui.btnPrev);
        break;
    case 2:
        click(ui.btnAudioMute);
        break;
    case 3:
        if (ui.sliderVolume->isEnabled())
            ui.sliderVolume->setValue(pick(101));
        break;
    case 4:
        click(chance(0.5) ? ui.btnPageUp : ui.btnPageDown);
        break;
    case 5:
        click(chance(0.5) ? ui.btnZoomIn : ui.btnZoomOut);
        break;
    case 6:
        click(chance(0.5) ? ui.btnExpand : ui.btnRestore);
        break;
    default:
        click(chance(0.5) ? ui.btnBGMPlay : ui.btnBGMStop);
        if (ui.sliderBGMVolume->isEnabled())
            ui.sliderBGMVolume->setValue(pick(101));
        break;
    }
}

void Gestures::switchGroup()
{
    count("switch group");
    Ui::MainWindow2 &ui = m_window.form();
    QList<QPushButton *> buttons = m_window.screenGroupButtons();
    buttons.append(ui.btnMatrixScreen);
    QList<QPushButton *> shown;
    for (QPushButton *button : buttons) {
        if (button->isVisible() && button->isEnabled())
            shown.append(button);
    }
    if (!shown.isEmpty())
        click(shown.at(pick(shown.size())));
}

void Gestures::saveScene()
{
    count("save scene");
    Ui::MainWindow2 &ui = m_window.form();
    click(ui.modalListButton);
    const QString name = kSceneNames.at(pick(kSceneNames.size()));
    const bool accept = chance(0.85);
    Dialogs::reset();
    Dialogs::setNextDialogHandler([name, accept](QDialog *dialog) {
        if (QLineEdit *edit = editOf(dialog, "lineEdit"))
            edit->setText(name);
        return finish(dialog, accept);
    });
    // The replace question.
    Dialogs::setNextAnswer(chance(0.7) ? QDialog::Accepted : QDialog::Rejected);
    click(ui.btnSaveModal);
}

void Gestures::loadScene()
{
    count("load scene");
    Ui::MainWindow2 &ui = m_window.form();
    click(ui.modalListButton);
    doubleClickItem(ui.modalList, pick(qMax(1, ui.modalList->listWidget()->count())));
}

void Gestures::removeScene()
{
    count("remove scene");
    Ui::MainWindow2 &ui = m_window.form();
    click(ui.modalListButton);
    QListWidget *list = ui.modalList->listWidget();
    if (list->count() == 0)
        return;
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setCheckState(Qt::Unchecked);
    list->item(pick(list->count()))->setCheckState(Qt::Checked);
    click(ui.btnRemoveModal);
}

void Gestures::caption()
{
    count("caption");
    Ui::MainWindow2 &ui = m_window.form();
    click(ui.captionButton);
    FormCaption *form = ui.captionList;
    if (!form->isVisible())
        return;
    if (form->isRunning() && chance(0.5)) {
        click(form->btnStopOsd);
        return;
    }
    if (form->textCaption->isEnabled())
        form->textCaption->setPlainText(kCaptionTexts.at(pick(kCaptionTexts.size())));
    click(form->btnStartOsd);
}

void Gestures::upload()
{
    count("upload");
    Ui::MainWindow2 &ui = m_window.form();
    click(ui.audioListButton);
    const QString file = m_files.filePath(kPictureNames.at(pick(kPictureNames.size())));
    const bool accept = chance(0.9);
    Dialogs::reset();
    Dialogs::setNextDialogHandler([file, accept](QDialog *dialog) {
        Dialogs::setNextFileName(file);
        if (QPushButton *choose = buttonOf(dialog, "btnSelRes"))
            choose->click();
        return finish(dialog, accept);
    });
    click(ui.btnSaveModal);
}

void Gestures::removeUpload()
{
    count("remove upload");
    Ui::MainWindow2 &ui = m_window.form();
    click(ui.audioListButton);
    QListWidget *list = ui.audioList->listWidget();
    bool any = false;
    for (int i = 0; i < list->count(); ++i) {
        const bool ours = kPictureNames.contains(list->item(i)->text()) && chance(0.5);
        if (list->item(i)->flags() & Qt::ItemIsUserCheckable)
            list->item(i)->setCheckState(ours ? Qt::Checked : Qt::Unchecked);
        any = any || ours;
    }
    if (any) {
        Dialogs::reset();
        Dialogs::setNextAnswer(QDialog::Accepted);
        click(ui.btnRemoveModal);
    }
}

void Gestures::echo()
{
    count("echo");
    click(m_window.form().btnScrEcho);
}

void Gestures::toolButtons()
{
    count("tools");
    Ui::MainWindow2 &ui = m_window.form();
    QPushButton *buttons[] = {ui.btnQuickArrange, ui.btnMoveBottom, ui.btnScreenZoomIn, ui.btnScreenZoomOut,
                              ui.btnClearScr};
    click(buttons[pick(5)]);
}

void Gestures::relogin()
{
    count("relogin");
    if (chance(0.5))
        m_window.on_disconnectButton_clicked();
    ensureLoggedIn();
}

} // namespace soak
