#include "catalogue.h"

#include <QJsonArray>

namespace library {

namespace {
const LoaderSpec kLoaders[] = {
    {Loader::Video, Category::Video, "GetVideoList", "VideoList"},
    {Loader::Usb, Category::Usb, "GetUSBVideoList", "USBVideoList"},
    {Loader::Picture, Category::Picture, "GetPicList", "PicList"},
    {Loader::Doc, Category::Doc, "GetDocList", "DocList"},
    {Loader::Web, Category::Web, "GetWebList", "WebList"},
    {Loader::Office, Category::Office, "GetPptList", "PptList"},
    {Loader::NetVideo, Category::NetVideo, "GetNetVideoList", "NetVideoList"},
    {Loader::Audio, Category::Music, "GetAudioList", "AudioList"},
};

// The text after the last ".", lower-cased; empty without a ".".
QString extensionOf(const QString &name)
{
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot + 1).toLower();
}

S_RESOURCE namedEntry(const QJsonValue &element, Category category)
{
    const QJsonObject object = element.toObject();
    S_RESOURCE resource;
    resource.name = object.value(QStringLiteral("Name")).toString();
    resource.path = object.value(QStringLiteral("Path")).toString();
    resource.mediaType = windowTypeOf(category);
    return resource;
}
} // namespace

int windowTypeOf(Category category)
{
    switch (category) {
    case Category::Video:
        return wall::TypeVideo;
    case Category::Picture:
        return wall::TypePicture;
    case Category::Web:
        return wall::TypeWebPage;
    case Category::Office:
        return wall::TypeOffice;
    case Category::NetVideo:
        return wall::TypeNetVideo;
    case Category::Doc:
        return wall::TypeDocument;
    case Category::Usb:
        return wall::TypeUsbVideo;
    case Category::Scene:
    case Category::Caption:
    case Category::Music:
        break;
    }
    return -1;
}

bool categoryOfType(int type, Category *category)
{
    static const Category byType[] = {Category::Video,    Category::Picture, Category::Web, Category::Office,
                                      Category::NetVideo, Category::Doc,     Category::Usb};
    if (type < 0 || type > wall::TypeUsbVideo)
        return false;
    *category = byType[type];
    return true;
}

bool usesSharedList(Category category)
{
    switch (category) {
    case Category::Picture:
    case Category::Office:
    case Category::Web:
    case Category::NetVideo:
    case Category::Usb:
    case Category::Doc:
    case Category::Music:
        return true;
    default:
        return false;
    }
}

const LoaderSpec &loaderSpec(Loader loader)
{
    for (const LoaderSpec &row : kLoaders) {
        if (row.loader == loader)
            return row;
    }
    return kLoaders[0];
}

bool loaderOf(Category category, Loader *loader)
{
    for (const LoaderSpec &row : kLoaders) {
        if (row.category == category) {
            *loader = row.loader;
            return true;
        }
    }
    return false;
}

QString videoIconFor(const QString &name)
{
    const QString ext = extensionOf(name);
    if (ext == QLatin1String("mkv"))
        return QStringLiteral(":/images/mkv.png");
    if (ext == QLatin1String("wmv"))
        return QStringLiteral(":/images/wmv.png");
    if (ext == QLatin1String("mov"))
        return QStringLiteral(":/images/mov.png");
    if (ext == QLatin1String("avi"))
        return QStringLiteral(":/images/avi.png");
    return QStringLiteral(":/images/mpeg.png");
}

QString officeIconFor(const QString &name, bool *fetchThumbnail)
{
    const QString ext = extensionOf(name);
    *fetchThumbnail = false;
    if (ext == QLatin1String("doc") || ext == QLatin1String("docx"))
        return QStringLiteral(":/images/word.png");
    if (ext == QLatin1String("xls") || ext == QLatin1String("xlsx"))
        return QStringLiteral(":/images/xlsx_win.png");
    *fetchThumbnail = true;
    return QString();
}

QList<ParsedEntry> parseListReply(Loader loader, const QJsonObject &reply)
{
    const LoaderSpec &row = loaderSpec(loader);
    const QJsonArray array = reply.value(QLatin1String(row.replyKey)).toArray();
    QList<ParsedEntry> entries;
    entries.reserve(array.size());
    for (const QJsonValue &element : array) {
        ParsedEntry entry;
        S_RESOURCE &r = entry.resource;
        switch (loader) {
        case Loader::Picture:
            r = namedEntry(element, row.category);
            entry.fetchThumbnail = true;
            break;
        case Loader::Video:
            r = namedEntry(element, row.category);
            r.iconPath = videoIconFor(r.name);
            entry.fetchThumbnail = true;
            break;
        case Loader::Doc:
            r = namedEntry(element, row.category);
            r.iconPath = QStringLiteral(":/images/text.png");
            r.videoId = -1;
            entry.fetchThumbnail = true;
            break;
        case Loader::Web:
            r = namedEntry(element, row.category);
            r.iconPath = QStringLiteral(":/images/url.png");
            entry.fetchThumbnail = true;
            break;
        case Loader::Office:
            r = namedEntry(element, row.category);
            r.iconPath = officeIconFor(r.name, &entry.fetchThumbnail);
            break;
        case Loader::NetVideo:
            r = namedEntry(element, row.category);
            entry.fetchThumbnail = true;
            break;
        case Loader::Usb:
            r.name = element.toString();
            r.path = QStringLiteral("USB Video");
            r.iconPath = QStringLiteral(":/images/hdmi.png");
            r.mediaType = windowTypeOf(row.category);
            break;
        case Loader::Audio:
            r = namedEntry(element, row.category);
            r.iconPath = QStringLiteral(":/images/newskin/music-large-white.png");
            break;
        }
        entries.append(entry);
    }
    return entries;
}

void applyThumbnail(Loader loader, S_RESOURCE &resource, bool fetched, const QByteArray &bytes)
{
    if (fetched) {
        resource.thumbnail = bytes;
        return;
    }
    resource.thumbnail.clear();
    if (loader == Loader::Office)
        resource.iconPath = QStringLiteral(":/images/pptx_win.png");
    else if (loader == Loader::NetVideo)
        resource.iconPath = QStringLiteral(":/images/ipc2.png");
}

QString snapshotPath(const QString &name)
{
    return QStringLiteral("/snapshot/") + name;
}

QList<AppWindow> parseWndList(const QJsonObject &reply)
{
    QList<AppWindow> windows;
    const QJsonArray array = reply.value(QStringLiteral("WndList")).toArray();
    for (const QJsonValue &element : array) {
        const QJsonObject object = element.toObject();
        windows.append({object.value(QStringLiteral("Title")).toString(),
                        object.value(QStringLiteral("Hwnd")).toInt(0)});
    }
    return windows;
}

bool mergeApplicationWindows(ResourceList &docResources, const QList<AppWindow> &windows,
                             const std::function<QByteArray(int hwnd)> &preview)
{
    auto listed = [&windows](int hwnd) {
        for (const AppWindow &window : windows) {
            if (window.hwnd == hwnd)
                return true;
        }
        return false;
    };
    auto known = [&docResources](int hwnd) {
        for (const S_RESOURCE &resource : docResources) {
            if (resource.videoId == hwnd)
                return true;
        }
        return false;
    };

    bool changed = false;
    for (int i = docResources.size() - 1; i >= 0; --i) {
        const int id = docResources.at(i).videoId;
        if (id >= 0 && !listed(id)) {
            docResources.removeAt(i);
            changed = true;
        }
    }
    for (const AppWindow &window : windows) {
        if (known(window.hwnd))
            continue;
        S_RESOURCE resource;
        resource.name = window.title;
        resource.videoId = window.hwnd;
        resource.mediaType = wall::TypeDocument;
        if (preview)
            resource.thumbnail = preview(window.hwnd);
        // The preview request waits for its reply; another check may have added it meanwhile.
        if (known(window.hwnd))
            continue;
        docResources.append(resource);
        changed = true;
    }
    return changed;
}

int removeResourceByName(const QString &name, ResourceList &list)
{
    int removed = 0;
    for (int i = list.size() - 1; i >= 0; --i) {
        if (list.at(i).name == name) {
            list.removeAt(i);
            ++removed;
        }
    }
    return removed;
}

ResourceList *ResourceCatalogue::list(Category category)
{
    switch (category) {
    case Category::Video:
        return &videoResources;
    case Category::Picture:
        return &picResources;
    case Category::Office:
        return &officeResources;
    case Category::Web:
        return &webResources;
    case Category::NetVideo:
        return &netVideoResources;
    case Category::Usb:
        return &usbResources;
    case Category::Doc:
        return &docResources;
    case Category::Music:
        return &musicResources;
    case Category::Scene:
    case Category::Caption:
        break;
    }
    return nullptr;
}

const ResourceList *ResourceCatalogue::list(Category category) const
{
    return const_cast<ResourceCatalogue *>(this)->list(category);
}

QString ResourceCatalogue::resourcePath(int type, const QString &name) const
{
    Category category;
    if (!categoryOfType(type, &category))
        return QString();
    for (const S_RESOURCE &resource : *list(category)) {
        if (resource.name == name)
            return resource.path;
    }
    return QString();
}

void ResourceCatalogue::restart(Category category)
{
    if (ResourceList *entries = list(category))
        entries->clear();
    ++m_generation[static_cast<int>(category)];
}

int ResourceCatalogue::generation(Category category) const
{
    return m_generation[static_cast<int>(category)];
}

void ResourceCatalogue::clear()
{
    for (int i = 0; i < kCategoryCount; ++i)
        restart(static_cast<Category>(i));
}

} // namespace library
