#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QMimeData;

// One entry of a resource category: a file, device, web page or application window the
// controller can show on the wall. Plain value type; the category lists keep copies.
struct S_RESOURCE
{
    QString name;         // name on the controller; the list item's text
    QString iconPath;     // local picture shown when there is no thumbnail; may be empty
    QString path;         // the controller's path of the resource; the list item's tool tip
    QByteArray thumbnail; // preview picture bytes (JPEG) fetched from the controller; may be empty
    int videoId = 0;      // 0 for files, -1 for plain documents, the window handle for applications
    int mediaType = -1;   // window type code of the category; -1 for music, which has none
};

using ResourceList = QList<S_RESOURCE>;

// Names of the dynamic properties a resource drag carries on its QMimeData (they are object
// properties, not MIME formats). The drag's text is the resource name.
namespace resourcedrag {
inline constexpr char kVideoId[] = "vid";         // int: the item's videoId
inline constexpr char kType[] = "type";           // QString: the item's tool tip (path)
inline constexpr char kSource[] = "source";       // QString: "list" for a drag from a resource list
inline constexpr char kMediaType[] = "mediaType"; // int: the item's mediaType
} // namespace resourcedrag

// Builds the drag data of one resource list entry. The caller owns the result (a QDrag
// takes it over).
QMimeData *makeResourceMimeData(const QString &name, int videoId, const QString &path, int mediaType);
