#pragma once

#include <QList>
#include <QMainWindow>
#include <QRect>
#include <QString>
#include <functional>

class QNetworkAccessManager;
class QPushButton;

namespace Ui {
class MainWindow2;
}

// The console's one top-level window: title bar, category bar, wall canvas, media and
// background-music controls and the resource strip. It owns the form, the network manager
// and the session values for the whole run.
class MainWindow2 : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow2(QWidget *parent = nullptr);
    ~MainWindow2() override;

    Ui::MainWindow2 &form() { return *ui; }

    // --- values shared with the connection and wall code
    // Created without a parent, released by the destructor.
    QNetworkAccessManager *networkManager = nullptr;
    QString hostIp;
    int port = 80;
    // 0 is the administrator. Until the first login there is no role: -1 counts as a
    // non-administrator, so the settings menu offers only the password change.
    int role = -1;
    // Canvas zoom and the area the canvas may fill in its scroll area (canvas pixels).
    float zoom = 1.0f;
    QRect canvasArea;
    // btnMultiScreen1 ... btnMultiScreen4, in that order.
    QList<QPushButton *> screenGroupButtons;

    // Puts the wall canvas into its scroll area (once) and records `canvasArea`: the area
    // the canvas can fill, shrunk by 4 pixels on every side. Needs the window's layout to
    // be in place, i.e. call it after show().
    void installCanvas();
    // Rebuilds the menu of btnSettings for `role` and attaches it (the old menu is retired).
    void buildSettingsMenu();
    // 1 to 4 for the first checked screen-group button, 0 when none is checked.
    int currentScreenGroup() const;

    // Entry points of the settings menu.
    void on_screenSettings();
    void on_userManager();
    void on_modifyPwd();

    // How the close button ends the process (default: immediate exit without clean-up).
    // Tests replace it; an empty function restores the default.
    static void setExitFunction(std::function<void(int)> exitFunction);

private slots:
    void on_btnMinimize_clicked();
    void on_closeButton_clicked();

private:
    void setWindowIconFromProgramDir();
    void prepareCategoryLists();

    Ui::MainWindow2 *ui;
};
