// Background music and the add and remove actions of the library panel.
#include "librarypanel.h"

#include "library/dialogaddresource.h"
#include "library/imagewidget.h"
#include "library/qlyblistwidget.h"
#include "library/resourcetypes.h"
#include "net/operation.h"
#include "net/transport.h"
#include "uikit/dialogs.h"
#include "uikit/nestedwait.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QCoreApplication>
#include <QListWidgetItem>
#include <QPointer>
#include <QProgressBar>

namespace library {

namespace {} // namespace

// --- background music

bool LibraryPanel::getBgMusicState()
{
    BackgroundMusic::State state;
    if (!m_music.getBgMusicState(&state))
        return false;
    applyMusicState(state);
    return true;
}

void LibraryPanel::applyMusicState(const BackgroundMusic::State &state)
{
    m_w.btnBGMPlay->setEnabled(!state.playing);
    m_w.btnBGMStop->setEnabled(state.playing);
    // A changed value goes back to the controller through the slider's value change.
    m_w.sliderBGMVolume->setValue(state.volume);
    if (isChecked(Category::Music))
        refreshMusicMarks();
}

void LibraryPanel::refreshMusicMarks()
{
    QLybListWidget *list = m_w.audioList->listWidget();
    for (int i = 0; i < list->count(); ++i) {
        QListWidgetItem *item = list->item(i);
        item->setCheckState(m_music.playlist.contains(item->text()) ? Qt::Checked : Qt::Unchecked);
    }
}

void LibraryPanel::on_btnBGMPlay_clicked()
{
    if (!isChecked(Category::Music))
        return;
    QStringList names;
    QLybListWidget *list = m_w.audioList->listWidget();
    for (int i = list->count() - 1; i >= 0; --i) {
        if (list->item(i)->checkState() == Qt::Checked)
            names.append(list->item(i)->text());
    }
    m_music.playlist = names;
    m_w.sliderBGMVolume->setValue(100);
    on_playBgMusicFile(&names);
}

void LibraryPanel::playMusicEntry(QListWidgetItem *item, const QString &name)
{
    QLybListWidget *list = m_w.audioList->listWidget();
    for (int i = list->count() - 1; i >= 0; --i)
        list->item(i)->setCheckState(Qt::Unchecked);
    if (item && item->listWidget() == list)
        item->setCheckState(Qt::Checked);
    m_music.playlist = QStringList{name};
    QStringList names = m_music.playlist;
    on_playBgMusicFile(&names);
}

void LibraryPanel::on_playBgMusicFile(QStringList *fileList)
{
    net::Operation operation(m_w.window, *m_session);
    QPointer<LibraryPanel> self(this);
    const bool play = fileList != nullptr;
    if (m_music.playBgMusic(fileList) && self) {
        m_w.btnBGMPlay->setEnabled(!play);
        m_w.btnBGMStop->setEnabled(play);
    }
}

void LibraryPanel::on_setBgMusicVolume(int volume)
{
    m_music.setBgMusicVolume(volume);
}

// --- adding resources

void LibraryPanel::setUploadProgress(int percent)
{
    if (m_w.progressBar)
        m_w.progressBar->setValue(percent);
}

void LibraryPanel::showUploadProgress(bool shown)
{
    if (m_w.progressBar)
        m_w.progressBar->setVisible(shown);
}

bool LibraryPanel::uploadFile(const QString &remotePath, const QString &localFile)
{
    return m_uploader->uploadFile(remotePath, localFile);
}

void LibraryPanel::addResource()
{
    const ResourceTypeSpec *row = checkedResourceType([this](Category c) { return isChecked(c); });
    if (!row)
        return;
    net::Operation operation(m_w.window, *m_session);
    QPointer<LibraryPanel> self(this);

    auto *dialog = new DialogAddResource(row->dialogType, m_w.window);
    const int result = uikit::Dialogs::exec(dialog);
    const QString name = dialog->name();
    const QString path = dialog->path();
    const QString userName = dialog->userName();
    const QString password = dialog->password();
    uikit::retire(dialog);
    if (!self || result != QDialog::Accepted || name.isEmpty() || path.isEmpty())
        return;

    if (needsUpload(*row) && !uploadFile(QLatin1String(row->folder) + name, path)) {
        uikit::Dialogs::showError(QCoreApplication::translate("MainWindow2", "文件上传失败！"));
        return;
    }
    if (!self || !operation.sessionCurrent())
        return;

    if (m_transport->postCommand(addResourceRequest(*row, name, path, userName, password),
                                 QStringLiteral("AddResource")) &&
        self && operation.sessionCurrent()) {
        Loader loader;
        if (loaderOf(row->category, &loader))
            load(loader);
        // The video loader rebuilds its own strip; the shared strip shows the new list only
        // while its category is still the one selected.
        if (row->category != Category::Video && isChecked(row->category))
            showInSharedList(row->category);
        uikit::Dialogs::showInfo(QCoreApplication::translate("MainWindow2", "资源添加成功！"));
    }
}

// --- removing resources

void LibraryPanel::removeCheckedResources()
{
    const ResourceTypeSpec *row = checkedResourceType([this](Category c) { return isChecked(c); });
    if (!row)
        return;
    const ResourceTypeSpec type = *row;
    ImageWidget *strip = type.category == Category::Video ? m_w.videoList : m_w.audioList;
    // The names and the type are taken before the first request: while a request waits the
    // operator may pick another category, or a refresh may rebuild the shared strip.
    QStringList names; // last to first
    QLybListWidget *list = strip->listWidget();
    for (int i = list->count() - 1; i >= 0; --i) {
        if (list->item(i)->checkState() == Qt::Checked)
            names.append(list->item(i)->text());
    }
    net::Operation operation(m_w.window, *m_session, Qt::ArrowCursor);
    QPointer<LibraryPanel> self(this);
    for (const QString &name : qAsConst(names)) {
        const bool removed =
            m_transport->postCommand(delResourceRequest(type, name), QStringLiteral("DelResource"));
        if (!self || !operation.sessionCurrent())
            return;
        if (!removed)
            continue;
        removeResourceByName(name, *m_catalogue.list(type.category));
        // The strip loses the entry only while it still shows that category.
        if (strip == m_w.videoList || isChecked(type.category)) {
            for (int i = list->count() - 1; i >= 0; --i) {
                if (list->item(i)->text() == name)
                    delete list->takeItem(i);
            }
        }
        list->viewport()->update();
        strip->update();
    }
}

} // namespace library
