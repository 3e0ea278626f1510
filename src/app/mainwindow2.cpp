#include "app/mainwindow2.h"

#include "admin/useradmin.h"
#include "app/connectionflow.h"
#include "app/controlstates.h"
#include "app/mainwindow2_form.h"
#include "app/startup.h"
#include "app/titlebarmenu.h"
#include "control/captioncommands.h"
#include "control/formcaption.h"
#include "control/mediapanel.h"
#include "control/remoteinput.h"
#include "i18n/languageswitcher.h"
#include "library/imagewidget.h"
#include "library/librarypanel.h"
#include "net/curlaccessmanager.h"
#include "net/loginsession.h"
#include "net/transport.h"
#include "platform/platformpaths.h"
#include "scenes/formautoswitch.h"
#include "scenes/scenerotation.h"
#include "scenes/scenestore.h"
#include "uikit/dialogs.h"
#include "uikit/dialogscale.h"
#include "uikit/nestedwait.h"
#include "wall/matrixscreen.h"
#include "wall/screenecho.h"
#include "wall/screengroups.h"
#include "wall/screensettings.h"
#include "wall/screenwidget.h"
#include "wall/windowcommands.h"

#include <QGuiApplication>
#include <QListWidgetItem>
#include <QMenu>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTime>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace {
std::function<void(int)> &exitFunction()
{
    static std::function<void(int)> function;
    return function;
}

const char *const kMatrixStyle = "background-color: rgba(0, 0, 0, 128);border:1px solid #ffffff";
} // namespace

MainWindow2::MainWindow2(QWidget *parent) : QMainWindow(parent), ui(new Ui::MainWindow2)
{
    ui->setupUi(this);

    app::createLocalFolders();
    std::srand(static_cast<unsigned>(QTime::currentTime().msecsSinceStartOfDay()));

    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setWindowIconFromProgramDir();
    m_networkManager = new net::CurlAccessManager;
    createAreas();

    QScreen *screen = QGuiApplication::primaryScreen();
    uikit::setDialogScale(screen->logicalDotsPerInch());
    setFixedSize(app::fixedWindowSize(screen->availableGeometry().size()));

    ui->progressBar->hide();
    ui->mattrixWidget->setStyleSheet(QString::fromLatin1(kMatrixStyle));

    buildSettingsMenu();
    buildHostMenu();
    buildLanguageMenu();

    // Hides the extra screen-group buttons, the independent-screen view and the
    // session-only categories, and disables everything that needs a controller.
    app::applyConstructionState(*ui);
    ui->labelScreen->setGeometry(QRect(QPoint(0, 0), QPoint(499, 399)));

    m_autoLoginTimer = new QTimer(this);
    m_autoLoginTimer->setSingleShot(true);
    connectAreas();
    // The console comes back in the language the operator chose last.
    m_languages->restoreStoredChoice(platform::programDir());
    m_autoLoginTimer->start(1000);
}

void MainWindow2::createAreas()
{
    m_transport = new Transport(m_networkManager, &m_session, uikit::Dialogs::sink(), this);
    m_connection = new ConnectionFlow(this, ui->btnConnect, &m_session, m_transport, this);
    m_ticker = new UpdateTicker(m_transport, &m_session, this);

    ScreenGroupWidgets widgets;
    widgets.window = this;
    widgets.canvas = ui->labelScreen;
    widgets.scrollArea = ui->scrollArea;
    widgets.matrixView = ui->mattrixWidget;
    widgets.groupButtons = {ui->btnMultiScreen1, ui->btnMultiScreen2, ui->btnMultiScreen3,
                            ui->btnMultiScreen4};
    widgets.matrixButton = ui->btnMatrixScreen;
    widgets.zoomLabel = ui->labelZoom;
    m_screens = new ScreenGroups(widgets, m_transport, &m_session, this);
    m_screenSettings = new ScreenSettings(*m_screens, m_transport, &m_session, this, this);

    // The strips and the category bar: the video category is selected from the start.
    library::LibraryWidgets lib;
    lib.window = this;
    lib.videoListButton = ui->videoListButton;
    lib.modalListButton = ui->modalListButton;
    lib.audioListButton = ui->audioListButton;
    lib.pptListButton = ui->pptListButton;
    lib.webListButton = ui->webListButton;
    lib.netVideoListButton = ui->netVideoListButton;
    lib.usbVideoListButton = ui->usbVideoListButton;
    lib.docListButton = ui->docListButton;
    lib.captionButton = ui->captionButton;
    lib.musicButton = ui->musicButton;
    lib.btnSelectAll = ui->btnSelectAll;
    lib.btnDeSelectAll = ui->btnDeSelectAll;
    lib.btnSaveModal = ui->btnSaveModal;
    lib.btnRemoveModal = ui->btnRemoveModal;
    lib.progressBar = ui->progressBar;
    lib.btnBGMPlay = ui->btnBGMPlay;
    lib.btnBGMStop = ui->btnBGMStop;
    lib.sliderBGMVolume = ui->sliderBGMVolume;
    lib.videoList = ui->videoList;
    lib.audioList = ui->audioList;
    lib.modalList = ui->modalList;
    lib.autoSwitch = ui->autoSwitch;
    lib.captionList = ui->captionList;
    lib.btnAudioMute = ui->btnAudioMute;
    m_library = new library::LibraryPanel(lib, m_transport, m_networkManager, &m_session, this);

    m_windowCommands =
        new WindowCommands(ui->labelScreen, m_transport, &m_session, this, *m_library, *m_screens, this);

    control::MediaWidgets media;
    media.window = this;
    media.labelWindowName = ui->labelWindowName;
    media.mediaNav = ui->mediaNav;
    media.btnPageUp = ui->btnPageUp;
    media.btnPrev = ui->btnPrev;
    media.btnPlay = ui->btnPlay;
    media.btnNext = ui->btnNext;
    media.btnPageDown = ui->btnPageDown;
    media.btnZoomIn = ui->btnZoomIn;
    media.btnZoomOut = ui->btnZoomOut;
    media.btnExpand = ui->btnExpand;
    media.btnRestore = ui->btnRestore;
    media.widgetVideoCtrl = ui->widgetVideoCtrl;
    media.labelVideo = ui->labelVideo;
    media.sliderVideoTime = ui->sliderVideoTime;
    media.labelVideoTime = ui->labelVideoTime;
    media.widgetVolume = ui->widgetVolume;
    media.btnAudioMute = ui->btnAudioMute;
    media.sliderVolume = ui->sliderVolume;
    m_canvasWindows = std::make_unique<control::CanvasWindows>(ui->labelScreen);
    m_media = new control::MediaPanel(media, m_transport, &m_session, *m_canvasWindows, this);
    // Scenes: the strip of the scene category, saved from the canvas; the rotation panel
    // builds its plan from the same strip.
    m_scenes = new scenes::SceneStore({this, ui->modalList, ui->labelScreen}, m_transport,
                                      &m_library->uploader(), &m_session, *m_screens, this);
    ui->autoSwitch->setModalList(ui->modalList);
    m_rotation = new scenes::SceneRotation(ui->autoSwitch, m_transport, &m_session, this, this);
    m_caption = new caption::CaptionCommands(m_transport, &m_session, this);
    m_remoteInput = new control::RemoteInput(this, m_transport, this);
    m_remoteInput->setObjectName(QStringLiteral("remoteInput"));
    m_userAdmin = new admin::UserAdmin(this, m_transport, &m_session, this);
    m_userAdmin->setObjectName(QStringLiteral("userAdmin"));
    m_languages = new i18n::LanguageSwitcher(m_transport, &m_session, this, this);
    m_languages->setObjectName(QStringLiteral("languages"));
}

// Every announcement between the areas, in one place.
void MainWindow2::connectAreas()
{
    // Session: start, end and loss of a connection; the update timer.
    connect(m_autoLoginTimer, &QTimer::timeout, this, &MainWindow2::on_autoLogin_timer);
    connect(m_connection, &ConnectionFlow::loggedIn, this, &MainWindow2::afterLogin);
    connect(m_connection, &ConnectionFlow::sessionEnded, this, &MainWindow2::enterDisconnectedState);
    connect(m_ticker, &UpdateTicker::connectionLost, this, &MainWindow2::enterDisconnectedState);
    connect(m_ticker, &UpdateTicker::fourthTick, m_library,
            &library::LibraryPanel::refreshApplicationWindows);

    // Media panel: the selected window, the position poll, and the time slider in hand.
    connect(m_windowCommands, &WindowCommands::windowSelected, m_media, &control::MediaPanel::loadWindow);
    connect(m_ticker, &UpdateTicker::positionPoll, m_media, &control::MediaPanel::pollPosition);
    connect(m_media, &control::MediaPanel::timeSliderPressed, m_ticker, &UpdateTicker::stop);
    connect(m_media, &control::MediaPanel::timeSliderReleased, m_ticker, &UpdateTicker::restart);

    // Wall canvas: its requests become window commands.
    ScreenWidget *canvas = ui->labelScreen;
    connect(canvas, &ScreenWidget::onWindowButtonClicked, this, &MainWindow2::on_windowButton_clicked);
    connect(canvas, &ScreenWidget::onWindowResize, this, &MainWindow2::on_windowResize);
    connect(canvas, &ScreenWidget::onNewWindow, this, &MainWindow2::on_newWindow);
    connect(canvas, &ScreenWidget::onWindowRaised, this, &MainWindow2::on_windowRaised);
    canvas->setDropCheck(m_library); // a drop that cannot open a window changes nothing

    // Resource library and screen groups.
    connect(m_library, &library::LibraryPanel::openRequested, m_windowCommands,
            &WindowCommands::openFromList);
    connect(m_screens, &ScreenGroups::matrixShown, m_library, &library::LibraryPanel::showVideoCategory);
    connect(m_screens, &ScreenGroups::groupSwitched, canvas->echo(), &ScreenEcho::followGroup);

    // Screen echo: the button's icon follows it.
    connect(canvas->echo(), &ScreenEcho::runningChanged, this, &MainWindow2::showEchoState);

    // Scenes: a double-click loads one and the canvas re-reads the wall; every click on the
    // strip goes to the rotation plan, as do select all and deselect all.
    connect(ui->modalList, &ImageWidget::onItemDblClicked, this, &MainWindow2::on_modalListItem_dblclicked);
    connect(ui->modalList, &ImageWidget::onItemClicked, ui->autoSwitch, &FormAutoSwitch::on_modalItemClicked);
    connect(m_library, &library::LibraryPanel::allScenesCheckRequested, ui->autoSwitch,
            &FormAutoSwitch::setAllChecked);
    connect(m_scenes, &scenes::SceneStore::windowsReplaced, m_screens, &ScreenGroups::readWindowList);
    connect(m_scenes, &scenes::SceneStore::checkedScenesDeleted, m_rotation,
            &scenes::SceneRotation::rebuildAfterDelete);
    connect(ui->autoSwitch, &FormAutoSwitch::onStartQuickSwitch, this, &MainWindow2::on_startQuickSwitch);
    // Caption panel: its changes go to the controller inside the announcement.
    connect(ui->captionList, &FormCaption::onSetOsd, this, &MainWindow2::sendOsdInfo);
    connect(ui->captionList, &FormCaption::onStopOsd, this, &MainWindow2::stopOsd);

    // Languages: once the catalogues are in, everything that lives on is retranslated.
    connect(m_languages, &i18n::LanguageSwitcher::languageChanged, this, &MainWindow2::retranslateForms);
}

void MainWindow2::showEchoState(bool running)
{
    ui->btnScrEcho->setIcon(QIcon(running ? QStringLiteral(":/images/newskin/pause.png")
                                          : QStringLiteral(":/images/newskin/play.png")));
}

MainWindow2::~MainWindow2()
{
    m_autoLoginTimer->stop();
    // Nothing the form does while it is taken apart may reach the areas any more.
    const QList<QObject *> children = findChildren<QObject *>();
    for (QObject *child : children)
        disconnect(child, nullptr, this, nullptr);
    delete m_media;
    m_media = nullptr;
    delete m_rotation;
    delete m_scenes;
    m_rotation = nullptr;
    m_scenes = nullptr;
    delete m_library;
    m_library = nullptr;
    delete m_userAdmin;
    m_userAdmin = nullptr;
    delete m_languages;
    m_languages = nullptr;
    delete m_remoteInput;
    m_remoteInput = nullptr;
    delete m_windowCommands;
    delete m_caption;
    m_caption = nullptr;
    delete m_screens;
    delete m_ticker;
    delete m_connection;
    delete m_transport;
    m_windowCommands = nullptr;
    m_screens = nullptr;
    m_ticker = nullptr;
    m_connection = nullptr;
    m_transport = nullptr;
    delete ui;
    delete m_networkManager;
}

void MainWindow2::setWindowIconFromProgramDir()
{
    const QString beside = platform::programDir() + QStringLiteral("/logo.png");
    if (!QPixmap(beside).isNull())
        setWindowIcon(QIcon(beside));
    else
        setWindowIcon(QIcon(QStringLiteral(":/images/newskin/logo.png")));
}

void MainWindow2::buildSettingsMenu()
{
    // The old menu may still be on its way out of a handler; retire() frees it safely.
    uikit::retire(ui->btnSettings->menu());
    auto *menu = new QMenu(ui->btnSettings);
    menu->setObjectName(QStringLiteral("settingsMenu"));
    app::applyTitleBarMenuStyle(menu);
    // Screen settings exist on media display controllers only; the password change needs a
    // session: before the first login there is none to change.
    if (m_session.role == 0) {
        QAction *screens =
            menu->addAction(QIcon(QStringLiteral(":/images/newskin/30-scr-setting.png")), tr("屏幕设置"));
        screens->setEnabled(ScreenSettings::available(m_session.family));
        connect(screens, &QAction::triggered, this, &MainWindow2::on_screenSettings);
        menu->addSeparator();
        QAction *users =
            menu->addAction(QIcon(QStringLiteral(":/images/newskin/30-user-manager.png")), tr("用户管理"));
        connect(users, &QAction::triggered, this, &MainWindow2::on_userManager);
    }
    QAction *password =
        menu->addAction(QIcon(QStringLiteral(":/images/newskin/30-modify-pwd.png")), tr("修改密码"));
    password->setEnabled(m_session.loggedIn);
    connect(password, &QAction::triggered, this, &MainWindow2::on_modifyPwd);
    ui->btnSettings->setMenu(menu);
}

int MainWindow2::currentScreenGroup() const
{
    return m_screens->currentScreenGroup();
}

QList<QPushButton *> MainWindow2::screenGroupButtons() const
{
    return {ui->btnMultiScreen1, ui->btnMultiScreen2, ui->btnMultiScreen3, ui->btnMultiScreen4};
}

void MainWindow2::setExitFunction(std::function<void(int)> function)
{
    exitFunction() = std::move(function);
}

void MainWindow2::on_btnMinimize_clicked()
{
    showMinimized();
}

void MainWindow2::on_closeButton_clicked()
{
    // Ends the process on the spot: no logout, nothing saved, no destructors.
    if (exitFunction()) {
        exitFunction()(0);
        return;
    }
    std::fflush(nullptr);
    std::_Exit(0);
}
