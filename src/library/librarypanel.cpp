#include "librarypanel.h"

#include "library/imagewidget.h"
#include "library/qlyblistwidget.h"
#include "library/resource.h"
#include "net/operation.h"
#include "net/sessionvalues.h"
#include "net/transport.h"
#include "uikit/dialogs.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QIcon>
#include <QListWidgetItem>
#include <QMimeData>
#include <QProgressBar>
#include <QToolButton>

namespace library {

namespace {
// Icons of the category buttons under ":/images/newskin/": plain and while checked.
struct CategoryIcons
{
    const char *plain;
    const char *checked;
};
constexpr CategoryIcons kIcons[kCategoryCount] = {
    {"video.png", "video-select.png"},
    {"scene.png", "scene-select.png"},
    {"picture.png", "picture-select.png"},
    {"office-new.png", "office-new-select.png"},
    {"web-page.png", "web-page-select.png"},
    {"net-video.png", "net-video-select.png"},
    {"USB.png", "usb-select.png"},
    {"other-doc.png", "other-doc-select.png"},
    {"caption-cat.png", "caption-cat-select.png"},
    {"music-cat.png", "music-cat-select.png"},
};

QIcon skinIcon(const char *file)
{
    return QIcon(QStringLiteral(":/images/newskin/") + QLatin1String(file));
}

Category categoryAt(int index)
{
    return static_cast<Category>(index);
}
} // namespace

LibraryPanel::LibraryPanel(const LibraryWidgets &widgets, Transport *transport,
                           QNetworkAccessManager *manager, SessionValues *session, QObject *parent)
    : QObject(parent),
      m_w(widgets),
      m_transport(transport),
      m_session(session),
      m_loader(transport, &m_catalogue, widgets.window),
      m_music(transport),
      m_uploader(new ChunkUploader(manager, transport, this))
{
    connect(m_uploader, &ChunkUploader::progressShown, this, &LibraryPanel::showUploadProgress);
    connect(m_uploader, &ChunkUploader::progress, this, &LibraryPanel::setUploadProgress);

    // Videos and scenes carry check boxes from the start; only videos can be dragged onto
    // the wall before a login, scenes never.
    m_w.videoList->checkable = true;
    m_w.modalList->checkable = true;
    m_w.audioList->listWidget()->allowDrag = false;
    m_w.modalList->listWidget()->allowDrag = false;
    connect(m_w.videoList, &ImageWidget::onItemDblClicked, this, &LibraryPanel::on_videoListItem_dblclicked);
    selectCategory(Category::Video);
}

LibraryPanel::~LibraryPanel() = default;

QToolButton *LibraryPanel::button(Category category) const
{
    QToolButton *const buttons[kCategoryCount] = {
        m_w.videoListButton, m_w.modalListButton,    m_w.audioListButton,    m_w.pptListButton,
        m_w.webListButton,   m_w.netVideoListButton, m_w.usbVideoListButton, m_w.docListButton,
        m_w.captionButton,   m_w.musicButton};
    return buttons[static_cast<int>(category)];
}

bool LibraryPanel::isChecked(Category category) const
{
    QToolButton *b = button(category);
    return b && b->isChecked();
}

bool LibraryPanel::checkedCategory(Category *category) const
{
    for (int i = 0; i < kCategoryCount; ++i) {
        if (isChecked(categoryAt(i))) {
            *category = categoryAt(i);
            return true;
        }
    }
    return false;
}

int LibraryPanel::checkedCategoryType() const
{
    Category category;
    return checkedCategory(&category) ? windowTypeOf(category) : -1;
}

void LibraryPanel::selectCategory(Category category)
{
    applyCategory(category);
    if (usesSharedList(category))
        showInSharedList(category);
}

void LibraryPanel::applyCategory(Category category)
{
    for (int i = 0; i < kCategoryCount; ++i) {
        if (QToolButton *b = button(categoryAt(i)))
            b->setChecked(categoryAt(i) == category);
    }
    m_w.btnSaveModal->setIcon(skinIcon(category == Category::Scene ? "save-color.png" : "add.png"));
    showPanels(category);
    updateCategoryIcons();
    if (category == Category::Picture && m_w.btnAudioMute && !m_session->isMediaDisplayFamily())
        m_w.btnAudioMute->show();
}

void LibraryPanel::showPanels(Category category)
{
    const bool scene = category == Category::Scene;
    m_w.autoSwitch->setVisible(scene && !m_session->isMediaDisplayFamily());
    m_w.modalList->setVisible(scene);
    m_w.videoList->setVisible(category == Category::Video);
    m_w.captionList->setVisible(category == Category::Caption);
    m_w.audioList->setVisible(usesSharedList(category));
}

void LibraryPanel::updateCategoryIcons()
{
    for (int i = 0; i < kCategoryCount; ++i) {
        if (QToolButton *b = button(categoryAt(i)))
            b->setIcon(skinIcon(b->isChecked() ? kIcons[i].checked : kIcons[i].plain));
    }
}

void LibraryPanel::showInSharedList(Category category)
{
    const ResourceList *entries = m_catalogue.list(category);
    if (!entries)
        return;
    m_w.audioList->loadResources(*entries);
    if (category == Category::Music)
        refreshMusicMarks();
}

void LibraryPanel::reselectCategory()
{
    // The operator stays where he was: the strip keeps its entries, ticks and scroll
    // position (they are the controller's names, in no language).
    Category category;
    applyCategory(checkedCategory(&category) ? category : Category::Caption);
}

ImageWidget *LibraryPanel::shownList(Category category) const
{
    switch (category) {
    case Category::Picture:
    case Category::Music:
        return m_w.audioList;
    case Category::Video:
        return m_w.videoList;
    default:
        return nullptr;
    }
}

void LibraryPanel::on_btnSelectAll_clicked()
{
    Category category;
    if (!checkedCategory(&category))
        return;
    if (category == Category::Scene)
        emit allScenesCheckRequested(true);
    else if (ImageWidget *list = shownList(category))
        list->checkAll();
}

void LibraryPanel::on_btnDeSelectAll_clicked()
{
    Category category;
    if (!checkedCategory(&category))
        return;
    if (category == Category::Scene)
        emit allScenesCheckRequested(false);
    else if (ImageWidget *list = shownList(category))
        list->uncheckAll();
}

bool LibraryPanel::load(Loader loader)
{
    if (loader == Loader::Audio)
        getBgMusicState();
    const bool ok = m_loader.load(loader);
    if (loader == Loader::Video)
        m_w.videoList->loadResources(m_catalogue.videoResources);
    return ok;
}

bool LibraryPanel::refreshApplicationWindows()
{
    const bool changed = getSysWindows();
    if (changed && isChecked(Category::Doc))
        m_w.audioList->loadResources(m_catalogue.docResources);
    return changed;
}

void LibraryPanel::on_videoListItem_dblclicked(QListWidgetItem *item, QString name, uint id)
{
    if (isChecked(Category::Music)) {
        playMusicEntry(item, name);
        return;
    }
    // The item's user-role value went out unsigned: -1 (a document) comes back as -1.
    emit openRequested(name, static_cast<int>(id));
}

void LibraryPanel::prepareLogin()
{
    m_w.audioList->checkable = true;
}

void LibraryPanel::finishLogin()
{
    m_w.audioList->listWidget()->allowDrag = true;
    if (!m_sharedDblClick)
        m_sharedDblClick = connect(m_w.audioList, &ImageWidget::onItemDblClicked, this,
                                   &LibraryPanel::on_videoListItem_dblclicked);
}

void LibraryPanel::enterDisconnectedState()
{
    m_w.videoList->listWidget()->clear();
    m_w.audioList->listWidget()->clear();
    m_w.modalList->listWidget()->clear();
    m_catalogue.restart(Category::Picture);
    m_catalogue.restart(Category::Video);
    if (m_session->isMediaDisplayFamily()) {
        disconnect(m_sharedDblClick);
        m_sharedDblClick = QMetaObject::Connection();
        for (Category category : {Category::Doc, Category::Web, Category::Office, Category::NetVideo,
                                  Category::Usb, Category::Music})
            m_catalogue.restart(category);
    }
}

bool LibraryPanel::currentEntry(int list, QString *name, int *videoId) const
{
    QListWidgetItem *item = (list == 0 ? m_w.videoList : m_w.audioList)->currentItem();
    if (!item)
        return false;
    *name = item->text();
    *videoId = item->data(Qt::UserRole).toInt();
    return true;
}

QStringList LibraryPanel::checkedNames(int list) const
{
    return (list == 0 ? m_w.videoList : m_w.audioList)->checkedNames();
}

QString LibraryPanel::resourcePath(int category, const QString &name) const
{
    return m_catalogue.resourcePath(category, name);
}

bool LibraryPanel::opensWindow(const QMimeData *data) const
{
    return checkedCategoryType() >= 0 || isWindowDrop(data);
}

bool LibraryPanel::isWindowDrop(const QMimeData *data)
{
    if (!data)
        return false;
    const QVariant mediaType = data->property(resourcedrag::kMediaType);
    return !mediaType.isValid() || mediaType.toInt() >= 0;
}

} // namespace library
