#pragma once

#include "library/backgroundmusic.h"
#include "library/catalogue.h"
#include "library/resourceloader.h"
#include "library/uploader.h"
#include "wall/screenwidget.h"
#include "wall/windowcommands.h"

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class ImageWidget;
class QAbstractButton;
class QAbstractSlider;
class QListWidgetItem;
class QMimeData;
class QNetworkAccessManager;
class QProgressBar;
class QToolButton;
class QWidget;
class Transport;
struct SessionValues;

namespace library {

// The main window's widgets the resource library works on. The main window fills it from
// its form; every pointer is required unless marked optional.
struct LibraryWidgets
{
    QWidget *window = nullptr; // gets the wait cursor; parent of the add dialog

    // category bar, in its order
    QToolButton *videoListButton = nullptr;
    QToolButton *modalListButton = nullptr;
    QToolButton *audioListButton = nullptr;
    QToolButton *pptListButton = nullptr;
    QToolButton *webListButton = nullptr;
    QToolButton *netVideoListButton = nullptr;
    QToolButton *usbVideoListButton = nullptr;
    QToolButton *docListButton = nullptr;
    QToolButton *captionButton = nullptr;
    QToolButton *musicButton = nullptr;

    // buttons below the category bar
    QAbstractButton *btnSelectAll = nullptr;
    QAbstractButton *btnDeSelectAll = nullptr;
    QAbstractButton *btnSaveModal = nullptr;
    QAbstractButton *btnRemoveModal = nullptr;

    // title bar upload progress
    QProgressBar *progressBar = nullptr;

    // background music
    QAbstractButton *btnBGMPlay = nullptr;
    QAbstractButton *btnBGMStop = nullptr;
    QAbstractSlider *sliderBGMVolume = nullptr;

    // the strip's panels
    ImageWidget *videoList = nullptr;
    ImageWidget *audioList = nullptr;
    ImageWidget *modalList = nullptr;
    QWidget *autoSwitch = nullptr;
    QWidget *captionList = nullptr;

    // optional: the media panel's mute button, shown with the picture category
    QWidget *btnAudioMute = nullptr;
};

// The resource library of the main window: the category bar and the strip below it, the
// per-category lists and their loaders, opening windows and playing music from the lists,
// background music, and adding and removing resources with the chunked upload.
//
// The main window builds one after its form and calls the entry points below from its
// slots. A double-click on an entry that opens a window is announced with openRequested();
// the window commands ask the panel about the checked category and its entries through
// wall::ResourceSource.
class LibraryPanel : public QObject, public wall::ResourceSource, public wall::DropCheck
{
    Q_OBJECT
public:
    LibraryPanel(const LibraryWidgets &widgets, Transport *transport, QNetworkAccessManager *manager,
                 SessionValues *session, QObject *parent = nullptr);
    ~LibraryPanel() override;

    ResourceCatalogue &catalogue() { return m_catalogue; }
    ResourceLoader &loader() { return m_loader; }
    BackgroundMusic &music() { return m_music; }
    ChunkUploader &uploader() { return *m_uploader; }
    const LibraryWidgets &widgets() const { return m_w; }

    // --- what the window commands ask
    int checkedCategoryType() const override;
    bool currentEntry(int list, QString *name, int *videoId) const override;
    QStringList checkedNames(int list) const override;
    QString resourcePath(int category, const QString &name) const override;

    // --- category bar
    // What on_<button>_clicked does for each of the ten buttons.
    void selectCategory(Category category);
    void on_videoListButton_clicked() { selectCategory(Category::Video); }
    void on_modalListButton_clicked() { selectCategory(Category::Scene); }
    void on_audioListButton_clicked() { selectCategory(Category::Picture); }
    void on_pptListButton_clicked() { selectCategory(Category::Office); }
    void on_webListButton_clicked() { selectCategory(Category::Web); }
    void on_netVideoListButton_clicked() { selectCategory(Category::NetVideo); }
    void on_usbVideoListButton_clicked() { selectCategory(Category::Usb); }
    void on_docListButton_clicked() { selectCategory(Category::Doc); }
    void on_captionButton_clicked() { selectCategory(Category::Caption); }
    void on_musicButton_clicked() { selectCategory(Category::Music); }
    // After a language switch: the checked category's panels and icons again (captions when
    // none is checked); the strips are left as they are.
    void reselectCategory();
    void updateCategoryIcons();
    // The checked category button; false when none is checked.
    bool checkedCategory(Category *category) const;
    bool isChecked(Category category) const;
    // The independent-screen view was shown: the videos are the sources it takes.
    void showVideoCategory() { selectCategory(Category::Video); }
    void on_btnSelectAll_clicked();
    void on_btnDeSelectAll_clicked();

    // --- loaders
    // Reads a category's list anew; the video strip follows the video list.
    bool load(Loader loader);
    bool getVideoList() { return load(Loader::Video); }
    bool getUSBVideoList() { return load(Loader::Usb); }
    bool getPicList() { return load(Loader::Picture); }
    bool getDocList() { return load(Loader::Doc); }
    bool getWebList() { return load(Loader::Web); }
    bool getPptList() { return load(Loader::Office); }
    bool getNetVideoList() { return load(Loader::NetVideo); }
    // Queries the background music state first.
    bool getAudioList() { return load(Loader::Audio); }
    bool getSysWindows() { return m_loader.getSysWindows(); }
    QByteArray getWndPreview(int hwnd) { return m_loader.getWndPreview(hwnd); }
    // Every fourth tick of the update timer: the application windows, and the strip when
    // the other-documents category shows. True when the list changed.
    bool refreshApplicationWindows();

    // --- double-click on an entry of the video strip or the shared strip
    void on_videoListItem_dblclicked(QListWidgetItem *item, QString name, uint id);

    // --- session
    // Login, before the loaders: the shared strip gets check boxes.
    void prepareLogin();
    // Login, after the loaders: the shared strip may be dragged from and its double-click
    // is connected (once; a later login never doubles it).
    void finishLogin();
    bool sharedListConnected() const { return bool(m_sharedDblClick); }
    // Disconnect: empties the three strips and the picture and video lists; for media
    // display families also every other list, and cuts the shared strip's double-click.
    void enterDisconnectedState();

    // --- adding and removing resources
    void addResource();
    bool uploadFile(const QString &remotePath, const QString &localFile);
    // The resource part of on_btnRemoveModal_clicked (outside the scene category).
    void removeCheckedResources();
    static int removeResourceByName(const QString &name, ResourceList &list)
    {
        return library::removeResourceByName(name, list);
    }

    // --- background music
    bool getBgMusicState();
    void on_btnBGMPlay_clicked();
    void on_btnBGMStop_clicked() { on_playBgMusicFile(nullptr); }
    void on_playBgMusicFile(QStringList *fileList);
    void on_setBgMusicVolume(int volume);
    void on_sliderBGMVolume_valueChanged(int value) { on_setBgMusicVolume(value); }
    // Ticks the music entries that are in the background playlist, unticks the others.
    void refreshMusicMarks();

    // Whether a drop on the canvas may become a window: entries without a window type
    // (music, "mediaType" -1) are ignored. The canvas reads "mediaType" from the drag's
    // properties; the main window refuses such a drop together with checkedCategoryType()
    // being -1.
    static bool isWindowDrop(const QMimeData *data);
    // What the canvas asks before a drop changes the wall: the window takes the checked
    // category's type, or without one the entry's own, and needs one of them.
    bool opensWindow(const QMimeData *data) const override;

signals:
    // A double-click on an entry that opens a window in the canvas's selected cell.
    void openRequested(const QString &name, int videoId);
    // Select all (true) or deselect all (false) in the scene category: the scenes are
    // checked through the rotation plan, which follows every one of them.
    void allScenesCheckRequested(bool checked);

private:
    QToolButton *button(Category category) const;
    ImageWidget *shownList(Category category) const;
    void showPanels(Category category);
    // Everything selectCategory() does but reloading the shared strip.
    void applyCategory(Category category);
    // Rebuilds the shared strip from a category's list (music: with the playlist marks).
    void showInSharedList(Category category);
    void applyMusicState(const BackgroundMusic::State &state);
    void playMusicEntry(QListWidgetItem *item, const QString &name);
    void setUploadProgress(int percent);
    void showUploadProgress(bool shown);

    LibraryWidgets m_w;
    Transport *m_transport;
    SessionValues *m_session;
    ResourceCatalogue m_catalogue;
    ResourceLoader m_loader;
    BackgroundMusic m_music;
    ChunkUploader *m_uploader;
    QMetaObject::Connection m_sharedDblClick;
};

} // namespace library
