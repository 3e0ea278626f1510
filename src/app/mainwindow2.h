#pragma once

#include "net/sessionvalues.h"
#include "wall/wallmodel.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QMainWindow>
#include <QRect>
#include <QString>
#include <functional>

class ConnectionFlow;
class QListWidgetItem;
namespace library {
class LibraryPanel;
}
class QNetworkAccessManager;
class QPushButton;
class QTimer;
class ScreenGroups;
class Transport;
class WindowCommands;

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
    // hostIp, port, family, userName, sessionId, role, missedReplies, loggedIn, uploading.
    // Until the first login role is -1, which counts as a non-administrator, so the
    // settings menu offers only the password change.
    SessionValues session;
    // btnMultiScreen1 ... btnMultiScreen4, in that order.
    QList<QPushButton *> screenGroupButtons;
    // Single-shot, 1000 ms after construction: the automatic login.
    QTimer *autoLoginTimer = nullptr;

    // The areas this window composes.
    Transport *transport() const { return m_transport; }
    ConnectionFlow *connection() const { return m_connection; }
    ScreenGroups *screens() const { return m_screens; }
    WindowCommands *windowCommands() const { return m_windowCommands; }
    library::LibraryPanel *library() const { return m_library; }

    // --- command transport
    bool sendGetCommand(const QString &commandText, bool sync, QByteArray *reply);
    bool sendPostCommand(const QByteArray &body, bool sync, QByteArray *reply);
    bool postCommand(const QJsonObject &request, const QString &command);
    bool checkReply(const QByteArray &body, const QString &command);
    bool checkStatus(const QJsonObject &reply, const QString &successText);
    bool fetchPath(const QString &path, QByteArray *body);
    bool downloadToFile(const QString &path, const QString &localFile);
    void dispatchReply(const QByteArray &body);

    // --- session
    bool login(const QString &userName, const QString &password);
    // What a login loads and enables, in order.
    void afterLogin();
    // What the end of a session clears and disables, in order.
    void enterDisconnectedState();
    void buildHostMenu();
    void saveLastLogin(const QString &hostIp, int port, const QString &userName, const QString &password,
                       int family, bool autoLogin);
    void on_connectButton_clicked();
    void on_disconnectButton_clicked();
    void on_hostListMenu(QPushButton *hostButton);
    void on_delHostList(QPushButton *deleteButton);
    void on_autoLogin_timer();
    void on_updateVideo_timer();

    // --- wall
    // Puts the wall canvas into its scroll area (once) and records canvasArea: the area the
    // canvas can fill, shrunk by 4 pixels on every side. Call it after show().
    void installCanvas();
    QRect canvasArea() const;
    float zoom() const;
    bool GetScrSetting();
    bool SetCurScreen(int index);
    bool GetCurWindowList();
    void setZoom(float zoom);
    void on_newWindow(S_WINDOW *pWindow);
    void on_windowResize(uint windowId, QRect rect, bool moveTop);
    void on_windowRaised(uint windowId);
    void on_windowButton_clicked(uint windowId, int btnId);

    // --- media library and background music
    void on_videoListItem_dblclicked(QListWidgetItem *item, QString name, uint id);
    void on_playBgMusicFile(QStringList *fileList);
    void on_setBgMusicVolume(int volume);
    // Rebuilds the menu of btnSettings for `role` and attaches it (the old menu is retired).
    void buildSettingsMenu();
    // 1 to 4 for the first checked screen-group button, 0 when none is checked.
    int currentScreenGroup() const;

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

private:
    void setWindowIconFromProgramDir();
    void createAreas();
    void connectCanvas();
    // The echo button shows pause while the screen echo runs, play otherwise.
    void showEchoState(bool running);

    Ui::MainWindow2 *ui;
    Transport *m_transport = nullptr;
    ConnectionFlow *m_connection = nullptr;
    ScreenGroups *m_screens = nullptr;
    WindowCommands *m_windowCommands = nullptr;
    library::LibraryPanel *m_library = nullptr;
};
