// MainWindow2's entry points onto the transport, the session and the wall, and the ordered
// sequences that start and end a session. The work itself is done by the areas.
#include "app/connectionflow.h"
#include "app/controlstates.h"
#include "app/mainwindow2.h"
#include "app/mainwindow2_form.h"
#include "library/imagewidget.h"
#include "library/librarypanel.h"
#include "net/hoststore.h"
#include "net/loginsession.h"
#include "net/transport.h"
#include "wall/matrixscreen.h"
#include "wall/screenecho.h"
#include "wall/screengroups.h"
#include "wall/screenwidget.h"
#include "wall/windowcommands.h"

#include <QPointer>
#include <QPushButton>
#include <QToolButton>

// --- command transport

bool MainWindow2::sendGetCommand(const QString &commandText, bool sync, QByteArray *reply)
{
    return m_transport->sendGetCommand(commandText, sync, reply);
}

bool MainWindow2::sendPostCommand(const QByteArray &body, bool sync, QByteArray *reply)
{
    return m_transport->sendPostCommand(body, sync, reply);
}

bool MainWindow2::postCommand(const QJsonObject &request, const QString &command)
{
    return m_transport->postCommand(request, command);
}

bool MainWindow2::checkReply(const QByteArray &body, const QString &command)
{
    return m_transport->checkReply(body, command);
}

bool MainWindow2::checkStatus(const QJsonObject &reply, const QString &successText)
{
    return m_transport->checkStatus(reply, successText);
}

bool MainWindow2::fetchPath(const QString &path, QByteArray *body)
{
    return m_transport->fetchPath(path, body);
}

bool MainWindow2::downloadToFile(const QString &path, const QString &localFile)
{
    return m_transport->downloadToFile(path, localFile);
}

void MainWindow2::dispatchReply(const QByteArray &body)
{
    m_transport->dispatchReply(body);
}

// --- session

bool MainWindow2::login(const QString &userName, const QString &password)
{
    return m_connection->login(userName, password);
}

void MainWindow2::afterLogin()
{
    QPointer<MainWindow2> self(this);
    app::applyLoggedInState(*ui);
    session.missedReplies = 0;
    session.loggedIn = true;
    ui->labelScreen->setConnected(true);
    ui->audioListButton->setIcon(QIcon(QStringLiteral(":/images/picture.png")));
    m_library->prepareLogin();

    installCanvas();
    GetScrSetting();
    // Every request below waits in turn; one that fails shows what it shows and the
    // sequence goes on. The window lives for the whole run, but re-check it after waits.
    const auto steps = std::initializer_list<std::function<void()>>{
        [this] { m_library->getVideoList(); },
        [this] { m_library->getUSBVideoList(); },
        [this] { m_library->getPicList(); },
        [this] { m_library->getDocList(); },
        [this] { m_library->getWebList(); },
        [this] { m_library->getPptList(); },
        [this] { m_library->getNetVideoList(); },
        [this] { GetCurWindowList(); },
        [this] {
            QByteArray version;
            sendGetCommand(QStringLiteral("GetVersion"), true, &version);
        },
        [this] { m_library->getAudioList(); },
    };
    for (const auto &step : steps) {
        if (!self)
            return;
        step();
    }
    if (!self)
        return;
    m_library->finishLogin();
    m_connection->ticker()->start();
    m_library->on_videoListButton_clicked();
    buildSettingsMenu();
    ui->labelScreen->echo()->sessionStarted(session.hostIp, currentScreenGroup() - 1);
}

void MainWindow2::enterDisconnectedState()
{
    session.loggedIn = false;
    ui->labelScreen->setConnected(false);
    app::applyDisconnectedState(*ui);
    m_library->enterDisconnectedState();
    ui->labelScreen->clearWindows();
    ui->mattrixWidget->clearDisplays();
}

void MainWindow2::buildHostMenu()
{
    m_connection->buildHostMenu();
}

void MainWindow2::saveLastLogin(const QString &hostIp, int port, const QString &userName,
                                const QString &password, int family, bool autoLogin)
{
    hoststore::saveLastLogin(hostIp, port, userName, password, family, autoLogin);
}

void MainWindow2::on_connectButton_clicked()
{
    m_connection->connectNew();
}

void MainWindow2::on_disconnectButton_clicked()
{
    m_connection->disconnect();
}

void MainWindow2::on_hostListMenu(QPushButton *hostButton)
{
    m_connection->hostClicked(hostButton);
}

void MainWindow2::on_delHostList(QPushButton *deleteButton)
{
    m_connection->deleteHost(deleteButton);
}

void MainWindow2::on_autoLogin_timer()
{
    m_connection->autoLogin();
}

// The one-second update timer.
void MainWindow2::on_updateVideo_timer()
{
    m_connection->ticker()->tick();
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

float MainWindow2::zoom() const
{
    return m_screens->zoom();
}

bool MainWindow2::GetScrSetting()
{
    return m_screens->readSettings();
}

bool MainWindow2::SetCurScreen(int index)
{
    return m_screens->setCurScreen(index);
}

bool MainWindow2::GetCurWindowList()
{
    return m_screens->readWindowList();
}

void MainWindow2::setZoom(float zoom)
{
    m_screens->setZoom(zoom);
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

void MainWindow2::on_btnScrEcho_clicked()
{
    ui->labelScreen->echo()->toggleEcho(session.hostIp, currentScreenGroup() - 1);
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

// --- media library and background music

void MainWindow2::on_videoListItem_dblclicked(QListWidgetItem *item, QString name, uint id)
{
    m_library->on_videoListItem_dblclicked(item, name, id);
}

void MainWindow2::on_playBgMusicFile(QStringList *fileList)
{
    m_library->on_playBgMusicFile(fileList);
}

void MainWindow2::on_setBgMusicVolume(int volume)
{
    m_library->on_setBgMusicVolume(volume);
}

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

// Outside the scene category the two list buttons add and remove resources.
void MainWindow2::on_btnSaveModal_clicked()
{
    if (!m_library->isChecked(library::Category::Scene))
        m_library->addResource();
}

void MainWindow2::on_btnRemoveModal_clicked()
{
    if (!m_library->isChecked(library::Category::Scene))
        m_library->removeCheckedResources();
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
