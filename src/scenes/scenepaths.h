#pragma once

#include <QString>

// Where the console keeps its copies of a scene: the preview picture and the controller's
// scene file, one folder per screen group ("Group" + N under the scene cache root), and the
// matching paths on the controller.
namespace scenes {

// The extensions of the two files kept for a scene.
inline constexpr char kPreviewExtension[] = ".jpg";
inline constexpr char kSceneFileExtension[] = ".mvc";

// Whether a name the operator types can become a scene: it must not be empty and must be a
// plain file name everywhere the cache may live, so no "/", "\" or ":" (drive letters, UNC
// prefixes and alternate streams), no control characters, and not only dots ("." and "..").
bool isSafeSceneName(const QString &name);

// The longest file name (in UTF-8 bytes) a cache file may have.
inline constexpr int kMaxFileNameBytes = 255;

// The local cache file of scene `name` saved with group number `group`: the group folder,
// the name and the extension. Empty when the name would put the file anywhere but directly
// inside the group folder, holds a control character, or makes a file name longer than
// kMaxFileNameBytes (names listed by the controller are not checked before): nothing is
// ever written or deleted through an empty path.
QString cacheFile(int group, const QString &name, const char *extension);

// The controller's path of a scene file: "/Modals/Group" + N + "/" + name + extension.
QString remoteFile(int group, const QString &name, const char *extension);

// Removes the local ".mvc" and ".jpg" of a scene; missing files and names that resolve
// outside the group folder are left alone.
void removeCacheFiles(int group, const QString &name);

} // namespace scenes
