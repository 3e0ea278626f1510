#pragma once

#include "library/resource.h"
#include "wall/wallmodel.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <functional>

// The resource catalogue without widgets: the categories of the category bar, the list of
// entries kept per category, how each list command's reply becomes entries, and the icon
// rules by file extension.
namespace library {

// The ten category buttons, in the order of the category bar.
enum class Category { Video, Scene, Picture, Office, Web, NetVideo, Usb, Doc, Caption, Music };
constexpr int kCategoryCount = 10;

// The window type code a window opened from the category gets; -1 for the scene, caption
// and music categories, which have none.
int windowTypeOf(Category category);
// The category whose entries open windows of `type` (0..6); false for any other code.
bool categoryOfType(int type, Category *category);
// The seven categories whose entries the shared list (audioList) shows.
bool usesSharedList(Category category);

// One list command per category with entries.
enum class Loader { Video, Usb, Picture, Doc, Web, Office, NetVideo, Audio };

struct LoaderSpec
{
    Loader loader;
    Category category;
    const char *command;  // GET command text
    const char *replyKey; // array in the reply
};
const LoaderSpec &loaderSpec(Loader loader);
// The loader of a category with entries; false for scene and caption.
bool loaderOf(Category category, Loader *loader);

// Icon of a video file by extension (mkv, wmv, mov, avi, anything else mpeg).
QString videoIconFor(const QString &name);
// Icon of an Office document by extension; `fetchThumbnail` tells whether the controller's
// snapshot is wanted (not for Word and Excel files).
QString officeIconFor(const QString &name, bool *fetchThumbnail);

// An entry read from a list reply, before its thumbnail was fetched.
struct ParsedEntry
{
    S_RESOURCE resource;
    bool fetchThumbnail = false;
};
// Turns the array under the loader's reply key into entries, in array order. A missing key
// or wrongly shaped elements give an empty list or empty fields.
QList<ParsedEntry> parseListReply(Loader loader, const QJsonObject &reply);
// Stores a thumbnail fetch's outcome in the entry: the bytes on success; on failure the
// fallback picture some categories have (Office documents, network video).
void applyThumbnail(Loader loader, S_RESOURCE &resource, bool fetched, const QByteArray &bytes);

// The server path of an entry's thumbnail: "/snapshot/" + name, the name unchanged.
QString snapshotPath(const QString &name);

// One running application window on the controller ("GetSysWindows").
struct AppWindow
{
    QString title;
    int hwnd = 0;
};
QList<AppWindow> parseWndList(const QJsonObject &reply);

// Brings the application windows of `docResources` in line with `windows`: entries with a
// window handle (videoId >= 0) that are no longer listed leave, newly listed windows are
// appended with the picture `preview` returns. Documents (videoId < 0) always stay. True
// when anything changed. `preview` may wait in a nested event loop; the list is re-checked
// after each call.
bool mergeApplicationWindows(ResourceList &docResources, const QList<AppWindow> &windows,
                             const std::function<QByteArray(int hwnd)> &preview);

// Removes every entry named `name`; returns how many left.
int removeResourceByName(const QString &name, ResourceList &list);

// The per-category entry lists, in reply order. Lists live in memory only.
class ResourceCatalogue
{
public:
    ResourceList picResources;
    ResourceList videoResources;
    ResourceList docResources; // documents and application windows together
    ResourceList webResources;
    ResourceList officeResources;
    ResourceList netVideoResources;
    ResourceList usbResources;
    ResourceList musicResources;

    // The list of a category; null for the scene and caption categories.
    ResourceList *list(Category category);
    const ResourceList *list(Category category) const;

    // The path of the first entry named `name` of the category with window type `type`;
    // empty when there is none.
    QString resourcePath(int type, const QString &name) const;

    // Empties one list and starts a new generation of it: a load still filling the list
    // from an earlier request sees the change and stops.
    void restart(Category category);
    int generation(Category category) const;
    // Empties every list.
    void clear();

private:
    int m_generation[kCategoryCount] = {};
};

} // namespace library
