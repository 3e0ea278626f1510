#include "app/controlstates.h"

#include "app/mainwindow2_form.h"
#include "control/formcaption.h"
#include "library/imagewidget.h"
#include "scenes/formautoswitch.h"
#include "wall/matrixscreen.h"

#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <QVector>

namespace app {

namespace {

using WidgetList = QVector<QWidget *>;

void setEnabled(const WidgetList &widgets, bool enabled)
{
    for (QWidget *widget : widgets)
        widget->setEnabled(enabled);
}

void setVisible(const WidgetList &widgets, bool visible)
{
    for (QWidget *widget : widgets)
        widget->setVisible(visible);
}

WidgetList screenButtons(Ui::MainWindow2 &ui)
{
    return {ui.btnQuickArrange, ui.btnClearScr, ui.btnMoveBottom, ui.btnScreenZoomOut, ui.btnScreenZoomIn};
}

WidgetList listButtons(Ui::MainWindow2 &ui)
{
    return {ui.btnSelectAll, ui.btnDeSelectAll, ui.btnSaveModal, ui.btnRemoveModal};
}

WidgetList sessionCategories(Ui::MainWindow2 &ui)
{
    return {ui.netVideoListButton, ui.usbVideoListButton, ui.docListButton};
}

WidgetList alwaysCategories(Ui::MainWindow2 &ui)
{
    return {ui.videoListButton, ui.modalListButton, ui.audioListButton, ui.pptListButton,
            ui.webListButton,   ui.captionButton,   ui.musicButton};
}

} // namespace

void applyConstructionState(Ui::MainWindow2 &ui)
{
    setEnabled(screenButtons(ui), false);
    setEnabled(listButtons(ui), false);
    setEnabled({ui.frameMediaCtrl, ui.frameBGMCtrl, ui.mediaNav, ui.sliderVideoTime, ui.labelVideo}, false);
    setEnabled({ui.btnAudioMute, ui.btnSettings}, true);
    setVisible({ui.captionList, ui.autoSwitch}, false);
    setVisible(sessionCategories(ui), false);
    setVisible(alwaysCategories(ui), true);
    setVisible({ui.btnMultiScreen2, ui.btnMultiScreen3, ui.btnMultiScreen4, ui.btnMatrixScreen,
                ui.mattrixWidget, ui.progressBar},
               false);
}

void applyLoggedInState(Ui::MainWindow2 &ui)
{
    setEnabled(screenButtons(ui), true);
    setEnabled(listButtons(ui), true);
    setEnabled({ui.frameMediaCtrl, ui.frameBGMCtrl, ui.btnAudioMute, ui.btnSettings, ui.captionList}, true);
    ui.autoSwitch->setEnabled(false);
    ui.autoSwitch->hide();
    setVisible(sessionCategories(ui), true);
    setVisible(alwaysCategories(ui), true);
    ui.btnQuickArrange->show();
}

void applyDisconnectedState(Ui::MainWindow2 &ui)
{
    setEnabled(screenButtons(ui), false);
    setEnabled(listButtons(ui), false);
    setEnabled({ui.frameMediaCtrl, ui.frameBGMCtrl, ui.mediaNav, ui.btnAudioMute, ui.btnSettings,
                ui.captionList, ui.autoSwitch},
               false);
    setVisible(sessionCategories(ui), false);
    setVisible(alwaysCategories(ui), true);
}

} // namespace app
