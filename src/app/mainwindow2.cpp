#include "app/mainwindow2.h"

#include "app/controlstates.h"
#include "app/mainwindow2_form.h"
#include "app/startup.h"
#include "app/titlebarmenu.h"
#include "library/imagewidget.h"
#include "library/qlyblistwidget.h"
#include "platform/platformpaths.h"
#include "uikit/dialogscale.h"
#include "uikit/nestedwait.h"
#include "wall/matrixscreen.h"

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

    QScreen *screen = QGuiApplication::primaryScreen();
    uikit::setDialogScale(screen->logicalDotsPerInch());
    setFixedSize(app::fixedWindowSize(screen->availableGeometry().size()));

    ui->progressBar->hide();
    prepareCategoryLists();

    ui->mattrixWidget->setStyleSheet(QString::fromLatin1(kMatrixStyle));

    buildSettingsMenu();

    // Hides the extra screen-group buttons, the independent-screen view and the
    // session-only categories, and disables everything that needs a controller.
    app::applyConstructionState(*ui);
    ui->labelScreen->setGeometry(QRect(QPoint(0, 0), QPoint(499, 399)));
}

MainWindow2::~MainWindow2()
{
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

void MainWindow2::installCanvas()
{
    if (QLayout *layout = centralWidget()->layout())
        layout->activate();
    QScrollArea *area = ui->scrollArea;
    if (area->widget() != ui->labelScreen)
        area->setWidget(ui->labelScreen);
    canvasArea = QRect(QPoint(0, 0), area->viewport()->size()).adjusted(4, 4, -4, -4);
}

void MainWindow2::buildSettingsMenu()
{
    // The old menu may still be on its way out of a handler; retire() frees it safely.
    uikit::retire(ui->btnSettings->menu());
    auto *menu = new QMenu(ui->btnSettings);
    menu->setObjectName(QStringLiteral("settingsMenu"));
    app::applyTitleBarMenuStyle(menu);
    if (role == 0) {
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
    for (int i = 0; i < screenGroupButtons.size(); ++i) {
        if (screenGroupButtons.at(i)->isChecked())
            return i + 1;
    }
    return 0;
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
