#pragma once

#include "net/sessionvalues.h"
#include "wall/wallmodel.h"

#include <QList>
#include <QMainWindow>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class ConnectionFlow;
struct OSD_INFO;
namespace caption {
class CaptionCommands;
}
class QListWidgetItem;
namespace admin {
class UserAdmin;
}
namespace i18n {
class LanguageSwitcher;
}
namespace control {
class RemoteInput;
}
namespace library {
class LibraryPanel;
}
namespace scenes {
class SceneRotation;
class SceneStore;
} // namespace scenes
class QNetworkAccessManager;
class QPushButton;
class QTimer;
class ScreenGroups;
class ScreenSettings;
class Transport;
class UpdateTicker;
class WindowCommands;
namespace control {
class MediaPanel;
class WindowSource;
} // namespace control

namespace Ui {
class MainWindow2;
}

// The console's one top-level window and its composition root: it builds the form, creates
// the areas (transport, connection, screen groups, window commands, resource library, media
// panel, scenes, captions, remote input, user administration, languages),
// connects their announcements in one place (connectAreas), runs the two session sequences
// (afterLogin, enterDisconnectedState) and keeps the form's slots as entry points into the
// areas. It owns the form, the network manager and the session values for the whole run.
class MainWindow2 : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow2(QWidget *parent = nullptr);
    ~MainWindow2() override;

    Ui::MainWindow2 &form() { return *ui; }
    // hostIp, port, family, userName, sessionId, role, missedReplies, loggedIn, uploading.
    // Until the first login role is -1, which counts as a non-administrator, so the
    // settings menu offers only the password change.
    const SessionValues &session() const { return m_session; }

    // The areas this window composes.
    Transport *transport() const { return m_transport; }
    ConnectionFlow *connection() const { return m_connection; }
    UpdateTicker *ticker() const { return m_ticker; }
    ScreenGroups *screens() const { return m_screens; }
    WindowCommands *windowCommands() const { return m_windowCommands; }
    library::LibraryPanel *library() const { return m_library; }
    control::MediaPanel *media() const { return m_media; }
    scenes::SceneStore *scenes() const { return m_scenes; }
    scenes::SceneRotation *rotation() const { return m_rotation; }
    control::RemoteInput *remoteInput() const { return m_remoteInput; }
    admin::UserAdmin *userAdmin() const { return m_userAdmin; }
    i18n::LanguageSwitcher *languages() const { return m_languages; }
    // Single-shot, 1000 ms after construction: the automatic login.
    QTimer *autoLoginTimer() const { return m_autoLoginTimer; }

    // --- session
    // Logs in to the session's host; runs afterLogin on success.
    bool login(const QString &userName, const QString &password);
    // What a login loads and enables, in order; each step runs only while the session it
    // started in is still the current one.
    void afterLogin();
    // What the end of a session clears and disables, in order.
    void enterDisconnectedState();
    void buildHostMenu();
    // Rebuilds the menu of btnSettings for the role and attaches it (the old menu is retired).
    void buildSettingsMenu();
    void on_connectButton_clicked();
    void on_disconnectButton_clicked();
    void on_autoLogin_timer();

    // --- language
    // Builds the menu of btnLanguage (the old menu is retired): the three languages.
    void buildLanguageMenu();
    // The language menu's entries: Simplified Chinese, English, Traditional Chinese.
    void onChinese();
    void onEnglish();
    void onFanti();
    // After the catalogues of a switch are installed: the form, the caption panel and the
    // rotation panel take the new texts (what the controller put on the form stays), then
    // refreshMenus().
    void retranslateForms();
    // Rebuilds the host and settings menus in the new language and redraws the category
    // panel.
    void refreshMenus();

    // --- wall
    // Puts the wall canvas into its scroll area (once) and records canvasArea: the area the
    // canvas can fill, shrunk by 4 pixels on every side. Call it after show().
    void installCanvas();
    QRect canvasArea() const;
    // 1 to 4 for the first checked screen-group button, 0 when none is checked.
    int currentScreenGroup() const;
    // btnMultiScreen1 ... btnMultiScreen4, in that order.
    QList<QPushButton *> screenGroupButtons() const;

    // How the close button ends the process (default: immediate exit without clean-up).
    // Tests replace it; an empty function restores the default.
    static void setExitFunction(std::function<void(int)> exitFunction);

private slots:
    void on_btnMinimize_clicked();
    void on_closeButton_clicked();
    void on_btnMultiScreen1_clicked();
    void on_btnMultiScreen2_clicked();
    void on_btnMultiScreen3_clicked();
    void on_btnMultiScreen4_clicked();
    void on_btnMatrixScreen_clicked();
    void on_btnScrEcho_clicked();
    void on_btnScreenZoomIn_clicked();
    void on_btnScreenZoomOut_clicked();
    void on_btnMoveBottom_clicked();
    void on_btnClearScr_clicked();
    void on_videoListButton_clicked();
    void on_modalListButton_clicked();
    void on_audioListButton_clicked();
    void on_pptListButton_clicked();
    void on_webListButton_clicked();
    void on_netVideoListButton_clicked();
    void on_usbVideoListButton_clicked();
    void on_docListButton_clicked();
    void on_captionButton_clicked();
    void on_musicButton_clicked();
    void on_btnSelectAll_clicked();
    void on_btnDeSelectAll_clicked();
    void on_btnSaveModal_clicked();
    void on_btnRemoveModal_clicked();
    void on_btnBGMPlay_clicked();
    void on_btnBGMStop_clicked();
    void on_sliderBGMVolume_valueChanged(int value);
    // media panel
    void on_btnPrev_clicked();
    void on_btnNext_clicked();
    void on_btnPlay_clicked();
    void on_btnAudioMute_clicked();
    void on_sliderVolume_valueChanged(int value);
    void on_sliderVideoTime_sliderPressed();
    void on_sliderVideoTime_sliderReleased();
    void on_sliderVideoTime_valueChanged(int value);
    void on_btnExpand_clicked();
    void on_btnRestore_clicked();
    void on_btnZoomIn_clicked();
    void on_btnZoomOut_clicked();
    void on_btnPageUp_clicked();
    void on_btnPageDown_clicked();
    void on_btnPageUp_pressed();
    void on_btnPageUp_released();
    void on_btnPrev_pressed();
    void on_btnPrev_released();
    void on_btnPlay_pressed();
    void on_btnPlay_released();
    void on_btnNext_pressed();
    void on_btnNext_released();
    void on_btnPageDown_pressed();
    void on_btnPageDown_released();
    void on_btnQuickArrange_clicked();

private:
    // Entry points of the canvas and the host menu (connected in connectAreas; plain
    // members, so that the automatic slot binding leaves them alone).
    void on_newWindow(S_WINDOW *pWindow);
    void on_windowResize(uint windowId, QRect rect, bool moveTop);
    void on_windowRaised(uint windowId);
    void on_windowButton_clicked(uint windowId, int btnId);
    // Entry points of the scene strip and the rotation panel.
    void on_modalListItem_dblclicked(QListWidgetItem *item, QString name, uint id);
    void on_startQuickSwitch(int switchTimer, bool isStart);

    // The caption: the panel's changes go to the controller (sendOsdInfo, stopOsd); the
    // login loads the fonts and the running caption into the panel.
    void sendOsdInfo(const OSD_INFO &info, int flag);
    void stopOsd();
    bool getFontList(QStringList &fonts);
    void loadCaptionFonts();
    void getOsdInfo();
    // Entries of the settings menu (connected when the menu is built); screen settings for
    // media display controllers only.
    void on_userManager();
    void on_modifyPwd();
    void on_screenSettings();

    void setWindowIconFromProgramDir();
    void createAreas();
    void connectAreas();
    // The echo button shows pause while the screen echo runs, play otherwise.
    void showEchoState(bool running);
    void startEchoForSession();

    Ui::MainWindow2 *ui;
    SessionValues m_session;
    QNetworkAccessManager *m_networkManager = nullptr;
    QTimer *m_autoLoginTimer = nullptr;
    Transport *m_transport = nullptr;
    ConnectionFlow *m_connection = nullptr;
    UpdateTicker *m_ticker = nullptr;
    ScreenGroups *m_screens = nullptr;
    ScreenSettings *m_screenSettings = nullptr;
    WindowCommands *m_windowCommands = nullptr;
    library::LibraryPanel *m_library = nullptr;
    std::unique_ptr<control::WindowSource> m_canvasWindows;
    control::MediaPanel *m_media = nullptr;
    scenes::SceneStore *m_scenes = nullptr;
    scenes::SceneRotation *m_rotation = nullptr;
    caption::CaptionCommands *m_caption = nullptr;
    control::RemoteInput *m_remoteInput = nullptr;
    admin::UserAdmin *m_userAdmin = nullptr;
    i18n::LanguageSwitcher *m_languages = nullptr;
};
