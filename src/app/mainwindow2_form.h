#pragma once

#include "wall/screenwidget.h"

#include <QList>

class FormAutoSwitch;
class FormCaption;
class ImageWidget;
class MatrixScreen;
class QFrame;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QMainWindow;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QSlider;
class QToolButton;
class QVBoxLayout;
class QWidget;

namespace Ui {

// The main window's form, built in code. Every widget is a public member named like its
// object name; all visible texts are set in retranslateUi() through the "MainWindow2"
// translation context. setupUi() finishes with connectSlotsByName(), so the window's
// on_<objectName>_<signal> slots are bound automatically.
class MainWindow2
{
public:
    QWidget *centralwidget;
    QVBoxLayout *verticalLayoutMain;

    // title bar
    QFrame *frameTitle;
    QLabel *labelLogo;
    QLabel *label_3;
    QProgressBar *progressBar;
    QPushButton *btnConnect;
    QPushButton *btnLanguage;
    QPushButton *btnSettings;
    QPushButton *btnMinimize;
    QPushButton *closeButton;

    // category bar (left)
    QFrame *frameLeftBar;
    QScrollArea *scrollAreaCategories;
    QFrame *frame_2;
    QToolButton *videoListButton;
    QToolButton *modalListButton;
    QToolButton *audioListButton;
    QToolButton *pptListButton;
    QToolButton *webListButton;
    QToolButton *netVideoListButton;
    QToolButton *usbVideoListButton;
    QToolButton *docListButton;
    QToolButton *captionButton;
    QToolButton *musicButton;
    QFrame *frameListCtrl;
    QPushButton *btnSelectAll;
    QPushButton *btnDeSelectAll;
    QPushButton *btnSaveModal;
    QPushButton *btnRemoveModal;

    // canvas (centre)
    QFrame *frameCenter;
    QScrollArea *scrollArea;
    ScreenWidget *labelScreen;
    MatrixScreen *mattrixWidget;
    QFrame *frameScreenCtrl;
    QPushButton *btnScrEcho;
    QPushButton *btnQuickArrange;
    QPushButton *btnClearScr;
    QPushButton *btnMoveBottom;
    QPushButton *btnScreenZoomOut;
    QPushButton *btnScreenZoomIn;
    QLabel *labelZoom;
    QPushButton *btnMatrixScreen;
    QPushButton *btnMultiScreen1;
    QPushButton *btnMultiScreen2;
    QPushButton *btnMultiScreen3;
    QPushButton *btnMultiScreen4;

    // right column
    QWidget *widgetRight;
    QFrame *frameMediaCtrl;
    QLabel *labelMediaCtrlTitle;
    QLabel *labelWindowName;
    QWidget *mediaNav;
    QPushButton *btnPageUp;
    QPushButton *btnPrev;
    QPushButton *btnPlay;
    QPushButton *btnNext;
    QPushButton *btnPageDown;
    QPushButton *btnZoomIn;
    QPushButton *btnZoomOut;
    QPushButton *btnExpand;
    QPushButton *btnRestore;
    QWidget *widgetVideoCtrl;
    QLabel *labelVideo;
    QSlider *sliderVideoTime;
    QLabel *labelVideoTime;
    QWidget *widgetVolume;
    QPushButton *btnAudioMute;
    QSlider *sliderVolume;
    QFrame *frameBGMCtrl;
    QLabel *label_2;
    QPushButton *btnBGMPlay;
    QPushButton *btnBGMStop;
    QLabel *labelBGMVolume;
    QSlider *sliderBGMVolume;

    // resource lists (bottom)
    QFrame *frameBottom;
    QWidget *widgetModalList;
    FormAutoSwitch *autoSwitch;
    ImageWidget *modalList;
    ImageWidget *videoList;
    ImageWidget *audioList;
    FormCaption *captionList;

    void setupUi(QMainWindow *w);
    void retranslateUi(QMainWindow *w);
    // The ten category buttons, in the bar's order.
    QList<QToolButton *> categoryButtons() const;

private:
    void setupTitleBar(QWidget *parent);
    void setupLeftBar(QWidget *parent);
    void setupCenter(QWidget *parent);
    void setupRightColumn(QWidget *parent);
    void setupBottom(QWidget *parent);
};

} // namespace Ui
