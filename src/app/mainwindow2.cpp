#include "app/mainwindow2.h"

#include "app/connectionflow.h"
#include "app/controlstates.h"
#include "app/mainwindow2_form.h"
#include "app/startup.h"
#include "app/titlebarmenu.h"
#include "library/imagewidget.h"
#include "library/librarypanel.h"
#include "library/qlyblistwidget.h"
#include "net/loginsession.h"
#include "net/transport.h"
#include "platform/platformpaths.h"
#include "uikit/dialogs.h"
#include "uikit/dialogscale.h"
#include "uikit/nestedwait.h"
#include "wall/matrixscreen.h"
#include "wall/screenecho.h"
#include "wall/screengroups.h"
#include "wall/screenwidget.h"
#include "wall/windowcommands.h"

#include <QGuiApplication>
#include <QLayout>
#include <QMenu>
#include <QNetworkAccessManager>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
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
    screenGroupButtons = {ui->btnMultiScreen1, ui->btnMultiScreen2, ui->btnMultiScreen3, ui->btnMultiScreen4};

    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setWindowIconFromProgramDir();
    networkManager = new QNetworkAccessManager;
    createAreas();

    QScreen *screen = QGuiApplication::primaryScreen();
    uikit::setDialogScale(screen->logicalDotsPerInch());
    setFixedSize(app::fixedWindowSize(screen->availableGeometry().size()));

    ui->progressBar->hide();

    ui->mattrixWidget->setStyleSheet(QString::fromLatin1(kMatrixStyle));

    buildSettingsMenu();
    buildHostMenu();
    connectCanvas();

    // Hides the extra screen-group buttons, the independent-screen view and the
    // session-only categories, and disables everything that needs a controller.
    app::applyConstructionState(*ui);
    ui->labelScreen->setGeometry(QRect(QPoint(0, 0), QPoint(499, 399)));

    autoLoginTimer = new QTimer(this);
    autoLoginTimer->setSingleShot(true);
    connect(autoLoginTimer, &QTimer::timeout, this, &MainWindow2::on_autoLogin_timer);
    autoLoginTimer->start(1000);
}

void MainWindow2::createAreas()
{
    m_transport = new Transport(networkManager, &session, this);
    m_transport->setBoxes([](const QString &text) { uikit::showError(text); },
                          [](const QString &text) { uikit::showInfo(text); });

    m_connection = new ConnectionFlow(this, ui->btnConnect, &session, m_transport, this);
    m_connection->afterLogin = [this] { afterLogin(); };
    m_connection->enterDisconnectedState = [this] { enterDisconnectedState(); };
    m_connection->ticker()->onFourthTick = [this] { m_library->refreshApplicationWindows(); };

    ScreenGroupWidgets widgets;
    widgets.window = this;
    widgets.canvas = ui->labelScreen;
    widgets.scrollArea = ui->scrollArea;
    widgets.matrixView = ui->mattrixWidget;
    for (QPushButton *button : qAsConst(screenGroupButtons))
        widgets.groupButtons.append(button);
    widgets.matrixButton = ui->btnMatrixScreen;
    widgets.zoomLabel = ui->labelZoom;
    m_screens = new ScreenGroups(widgets, m_transport, &session, this);

    m_windowCommands = new WindowCommands(ui->labelScreen, m_transport, &session, this, this);

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
    m_library = new library::LibraryPanel(lib, m_transport, networkManager, &session, this);
    m_library->openFromList = [this](const QString &name, int videoId) {
        return m_windowCommands->openFromList(name, videoId);
    };
    m_library->fillWindowCommandContext(m_windowCommands->context);
    m_windowCommands->context.currentScreenGroup = [this] { return currentScreenGroup(); };
}

// The canvas's requests reach the window commands through this window's entry points.
void MainWindow2::connectCanvas()
{
    ScreenWidget *canvas = ui->labelScreen;
    connect(canvas, &ScreenWidget::onWindowButtonClicked, this, &MainWindow2::on_windowButton_clicked);
    connect(canvas, &ScreenWidget::onWindowResize, this, &MainWindow2::on_windowResize);
    connect(canvas, &ScreenWidget::onNewWindow, this, &MainWindow2::on_newWindow);
    connect(canvas, &ScreenWidget::onWindowRaised, this, &MainWindow2::on_windowRaised);
    connect(canvas->echo(), &ScreenEcho::runningChanged, this, &MainWindow2::showEchoState);
    connect(m_screens, &ScreenGroups::groupSwitched, canvas->echo(), &ScreenEcho::followGroup);
}

void MainWindow2::showEchoState(bool running)
{
    ui->btnScrEcho->setIcon(QIcon(running ? QStringLiteral(":/images/newskin/pause.png")
                                          : QStringLiteral(":/images/newskin/play.png")));
}

MainWindow2::~MainWindow2()
{
    if (autoLoginTimer)
        autoLoginTimer->stop();
    // Nothing the form does while it is taken apart may reach the areas any more.
    const QList<QObject *> children = findChildren<QObject *>();
    for (QObject *child : children)
        disconnect(child, nullptr, this, nullptr);
    delete m_library;
    m_library = nullptr;
    delete m_windowCommands;
    delete m_screens;
    delete m_connection;
    delete m_transport;
    m_windowCommands = nullptr;
    m_screens = nullptr;
    m_connection = nullptr;
    m_transport = nullptr;
    delete ui;
    delete networkManager;
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
    // The screen settings, user manager and password dialogs are not part of the console
    // yet: their entries are shown greyed out until they are.
    if (session.role == 0) {
        menu->addAction(QIcon(QStringLiteral(":/images/newskin/30-scr-setting.png")), tr("屏幕设置"))
            ->setEnabled(false);
        menu->addSeparator();
        menu->addAction(QIcon(QStringLiteral(":/images/newskin/30-user-manager.png")), tr("用户管理"))
            ->setEnabled(false);
    }
    menu->addAction(QIcon(QStringLiteral(":/images/newskin/30-modify-pwd.png")), tr("修改密码"))
        ->setEnabled(false);
    ui->btnSettings->setMenu(menu);
}

int MainWindow2::currentScreenGroup() const
{
    return m_screens->currentScreenGroup();
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
