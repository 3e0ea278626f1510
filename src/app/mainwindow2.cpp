#include "app/mainwindow2.h"

#include "app/connectionflow.h"
#include "app/controlstates.h"
#include "app/mainwindow2_form.h"
#include "app/startup.h"
#include "app/titlebarmenu.h"
#include "library/imagewidget.h"
#include "library/qlyblistwidget.h"
#include "net/loginsession.h"
#include "net/transport.h"
#include "platform/platformpaths.h"
#include "uikit/dialogs.h"
#include "uikit/dialogscale.h"
#include "uikit/nestedwait.h"
#include "wall/matrixscreen.h"
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
    prepareCategoryLists();

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
    m_connection->ticker()->onFourthTick = [this] { on_updateVideo_timer(); };

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
}

MainWindow2::~MainWindow2()
{
    if (autoLoginTimer)
        autoLoginTimer->stop();
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

// The three thumbnail strips: videos and scenes carry check boxes, only videos can be
// dragged onto the wall before a login; everything but the video strip starts hidden.
void MainWindow2::prepareCategoryLists()
{
    ui->videoList->checkable = true;
    ui->modalList->checkable = true;
    ui->audioList->listWidget()->allowDrag = false;
    ui->modalList->listWidget()->allowDrag = false;
    ui->audioList->hide();
    ui->autoSwitch->hide();
    ui->modalList->hide();
    ui->captionList->hide();
    ui->videoList->show();
}

void MainWindow2::buildSettingsMenu()
{
    // The old menu may still be on its way out of a handler; retire() frees it safely.
    uikit::retire(ui->btnSettings->menu());
    auto *menu = new QMenu(ui->btnSettings);
    menu->setObjectName(QStringLiteral("settingsMenu"));
    app::applyTitleBarMenuStyle(menu);
    if (session.role == 0) {
        QAction *screens =
            menu->addAction(QIcon(QStringLiteral(":/images/newskin/30-scr-setting.png")), tr("屏幕设置"));
        connect(screens, &QAction::triggered, this, &MainWindow2::on_screenSettings);
        menu->addSeparator();
        QAction *users =
            menu->addAction(QIcon(QStringLiteral(":/images/newskin/30-user-manager.png")), tr("用户管理"));
        connect(users, &QAction::triggered, this, &MainWindow2::on_userManager);
    }
    QAction *password =
        menu->addAction(QIcon(QStringLiteral(":/images/newskin/30-modify-pwd.png")), tr("修改密码"));
    connect(password, &QAction::triggered, this, &MainWindow2::on_modifyPwd);
    ui->btnSettings->setMenu(menu);
}

int MainWindow2::currentScreenGroup() const
{
    return m_screens->currentScreenGroup();
}

void MainWindow2::on_screenSettings() {}

void MainWindow2::on_userManager() {}

void MainWindow2::on_modifyPwd() {}

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
