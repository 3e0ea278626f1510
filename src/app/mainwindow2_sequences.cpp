// The two session sequences of MainWindow2 and the form's entry points into the areas.
#include "admin/useradmin.h"
#include "app/connectionflow.h"
#include "app/controlstates.h"
#include "app/mainwindow2.h"
#include "app/mainwindow2_form.h"
#include "control/captioncommands.h"
#include "control/formcaption.h"
#include "control/remoteinput.h"
#include "library/imagewidget.h"
#include "library/librarypanel.h"
#include "net/loginsession.h"
#include "net/operation.h"
#include "net/transport.h"
#include "scenes/scenerotation.h"
#include "scenes/scenestore.h"
#include "wall/matrixscreen.h"
#include "wall/screenecho.h"
#include "wall/screengroups.h"
#include "wall/screensettings.h"
#include "wall/screenwidget.h"
#include "wall/windowcommands.h"

#include <QPushButton>
#include <QToolButton>
#include <QVector>

namespace {
using Step = std::function<void()>;

// Runs the steps in order while the session they started in is the current one: a
// disconnect, a lost connection or another login during one of the waits ends the run.
void runSequence(QObject *window, const SessionValues &session, const QVector<Step> &steps)
{
    net::Operation operation(window, session, Qt::ArrowCursor);
    for (const Step &step : steps) {
        if (!operation.sessionCurrent())
            return;
        step();
    }
}
} // namespace

// --- the two sequences

void MainWindow2::afterLogin()
{
    // Every request waits in turn; one that fails shows what it shows and the sequence goes on.
    // clang-format off
    runSequence(this, m_session, {
        [this] {
            app::applyLoggedInState(*ui);
            m_session.missedReplies = 0;
            m_session.loggedIn = true;
            ui->labelScreen->setConnected(true);
            ui->audioListButton->setIcon(QIcon(QStringLiteral(":/images/picture.png")));
            m_library->prepareLogin();
        },
        [this] { m_screens->installCanvas(); },
        [this] { m_screens->readSettings(); },
        [this] { m_library->getVideoList(); },
        [this] { m_library->getUSBVideoList(); },
        [this] { m_library->getPicList(); },
        [this] { m_scenes->getAllModal(); },
        [this] { m_library->getDocList(); },
        [this] { m_library->getWebList(); },
        [this] { m_library->getPptList(); },
        [this] { m_library->getNetVideoList(); },
        [this] { m_screens->readWindowList(); },
        [this] { m_transport->get(QStringLiteral("GetVersion")); },
        [this] { m_library->getAudioList(); },
        [this] { loadCaptionFonts(); },
        [this] { ui->captionList->setCaptionLists(); },
        [this] { m_rotation->startSession(); },
        [this] { m_library->finishLogin(); },
        [this] { m_ticker->start(); },
        [this] { getOsdInfo(); },
        [this] { m_library->on_videoListButton_clicked(); },
        [this] { buildSettingsMenu(); },
        [this] { startEchoForSession(); },
    });
    // clang-format on
}

// The demo's echo-at-login setting starts the echo on the new session's stream.
void MainWindow2::startEchoForSession()
{
    ui->labelScreen->echo()->sessionStarted(m_session.hostIp, currentScreenGroup() - 1);
}

void MainWindow2::enterDisconnectedState()
{
    // Whatever still waits belongs to the session that ends here.
    m_session.beginEpoch();
    // Nothing here waits: every step runs, in this order.
    // clang-format off
    const QVector<Step> steps = {
        [this] { m_rotation->endSession(); },
        [this] {
            m_session.loggedIn = false;
            ui->labelScreen->setConnected(false);
        },
        [this] { app::applyDisconnectedState(*ui); },
        [this] { m_library->enterDisconnectedState(); },
        [this] { m_scenes->clear(); },
        [this] { m_remoteInput->enterDisconnectedState(); },
        [this] { ui->labelScreen->clearWindows(); },
        [this] { ui->mattrixWidget->clearDisplays(); },
        [this] { ui->captionList->resetCaption(); },
    };
    // clang-format on
    for (const Step &step : steps)
        step();
}

// --- session entry points

bool MainWindow2::login(const QString &userName, const QString &password)
{
    return m_connection->login(userName, password);
}

void MainWindow2::buildHostMenu()
{
    m_connection->buildHostMenu();
}

void MainWindow2::on_connectButton_clicked()
{
    m_connection->connectNew();
}

void MainWindow2::on_disconnectButton_clicked()
{
    m_connection->disconnect();
}

void MainWindow2::on_autoLogin_timer()
{
    m_connection->autoLogin();
}

// --- wall

void MainWindow2::installCanvas()
{
    m_screens->installCanvas();
}

QRect MainWindow2::canvasArea() const
{
    return m_screens->canvasArea();
}

void MainWindow2::on_btnMultiScreen1_clicked()
{
    m_screens->switchGroup(0);
}

void MainWindow2::on_btnMultiScreen2_clicked()
{
    m_screens->switchGroup(1);
}

void MainWindow2::on_btnMultiScreen3_clicked()
{
    m_screens->switchGroup(2);
}

void MainWindow2::on_btnMultiScreen4_clicked()
{
    m_screens->switchGroup(3);
}

void MainWindow2::on_btnMatrixScreen_clicked()
{
    m_screens->showMatrix();
}

void MainWindow2::on_screenSettings()
{
    m_screenSettings->edit();
}

void MainWindow2::on_btnScrEcho_clicked()
{
    net::Operation operation(this, m_session, Qt::BusyCursor);
    ui->labelScreen->echo()->toggleEcho(m_session.hostIp, currentScreenGroup() - 1);
}

void MainWindow2::on_btnScreenZoomIn_clicked()
{
    m_screens->zoomIn();
}

void MainWindow2::on_btnScreenZoomOut_clicked()
{
    m_screens->zoomOut();
}

void MainWindow2::on_newWindow(S_WINDOW *pWindow)
{
    m_windowCommands->on_newWindow(pWindow);
}

void MainWindow2::on_windowResize(uint windowId, QRect rect, bool moveTop)
{
    m_windowCommands->on_windowResize(windowId, rect, moveTop);
}

void MainWindow2::on_windowRaised(uint windowId)
{
    m_windowCommands->on_windowRaised(windowId);
}

void MainWindow2::on_windowButton_clicked(uint windowId, int btnId)
{
    m_windowCommands->on_windowButton_clicked(windowId, btnId);
}

void MainWindow2::on_btnMoveBottom_clicked()
{
    m_windowCommands->moveSelectedToBottom();
}

void MainWindow2::on_btnClearScr_clicked()
{
    m_windowCommands->clearScreen();
}

// --- caption

void MainWindow2::sendOsdInfo(const OSD_INFO &info, int flag)
{
    m_caption->sendOsdInfo(info, flag, ui->labelScreen->totalWidth());
}

void MainWindow2::stopOsd()
{
    m_caption->clearOsd();
}

bool MainWindow2::getFontList(QStringList &fonts)
{
    return m_caption->getFontList(&fonts);
}

// A font list that cannot be read leaves the panel's list empty.
void MainWindow2::loadCaptionFonts()
{
    net::Operation operation(this, m_session, Qt::ArrowCursor);
    QStringList fonts;
    getFontList(fonts);
    if (operation.sessionCurrent())
        ui->captionList->setFontList(fonts);
}

void MainWindow2::getOsdInfo()
{
    net::Operation operation(this, m_session, Qt::ArrowCursor);
    OSD_INFO info;
    if (m_caption->getOsdInfo(&info) && operation.sessionCurrent())
        ui->captionList->setOsdInfo(info);
}

// --- remote mouse and keyboard, users and passwords

void MainWindow2::on_btnQuickArrange_clicked()
{
    m_remoteInput->runCaptureWindow();
}

void MainWindow2::on_userManager()
{
    m_userAdmin->on_userManager();
}

void MainWindow2::on_modifyPwd()
{
    m_userAdmin->on_modifyPwd();
}

// --- media library and background music

void MainWindow2::on_videoListButton_clicked()
{
    m_library->on_videoListButton_clicked();
}

void MainWindow2::on_modalListButton_clicked()
{
    m_library->on_modalListButton_clicked();
}

void MainWindow2::on_audioListButton_clicked()
{
    m_library->on_audioListButton_clicked();
}

void MainWindow2::on_pptListButton_clicked()
{
    m_library->on_pptListButton_clicked();
}

void MainWindow2::on_webListButton_clicked()
{
    m_library->on_webListButton_clicked();
}

void MainWindow2::on_netVideoListButton_clicked()
{
    m_library->on_netVideoListButton_clicked();
}

void MainWindow2::on_usbVideoListButton_clicked()
{
    m_library->on_usbVideoListButton_clicked();
}

void MainWindow2::on_docListButton_clicked()
{
    m_library->on_docListButton_clicked();
}

void MainWindow2::on_captionButton_clicked()
{
    m_library->on_captionButton_clicked();
}

void MainWindow2::on_musicButton_clicked()
{
    m_library->on_musicButton_clicked();
}

void MainWindow2::on_btnSelectAll_clicked()
{
    m_library->on_btnSelectAll_clicked();
}

void MainWindow2::on_btnDeSelectAll_clicked()
{
    m_library->on_btnDeSelectAll_clicked();
}

// In the scene category the two list buttons save and delete scenes; elsewhere they add and
// remove resources.
void MainWindow2::on_btnSaveModal_clicked()
{
    if (m_library->isChecked(library::Category::Scene))
        m_scenes->saveScene();
    else
        m_library->addResource();
}

void MainWindow2::on_btnRemoveModal_clicked()
{
    if (m_library->isChecked(library::Category::Scene))
        m_scenes->removeCheckedScenes();
    else
        m_library->removeCheckedResources();
}

// --- scenes

void MainWindow2::on_modalListItem_dblclicked(QListWidgetItem *item, QString name, uint id)
{
    Q_UNUSED(item)
    Q_UNUSED(id)
    m_scenes->loadScene(name);
}

void MainWindow2::on_startQuickSwitch(int switchTimer, bool isStart)
{
    m_rotation->on_startQuickSwitch(switchTimer, isStart);
}

void MainWindow2::on_btnBGMPlay_clicked()
{
    m_library->on_btnBGMPlay_clicked();
}

void MainWindow2::on_btnBGMStop_clicked()
{
    m_library->on_btnBGMStop_clicked();
}

void MainWindow2::on_sliderBGMVolume_valueChanged(int value)
{
    m_library->on_sliderBGMVolume_valueChanged(value);
}
