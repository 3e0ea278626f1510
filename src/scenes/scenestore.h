#pragma once

#include "library/resource.h"

#include <QObject>
#include <QString>
#include <QStringList>

class ImageWidget;
class QWidget;
class Transport;
struct SessionValues;
namespace library {
class ChunkUploader;
}
namespace wall {
class ScreenGroupSource;
}

namespace scenes {

// The main window's widgets the scene store works on.
struct SceneWidgets
{
    QWidget *window = nullptr;        // gets the wait cursor; parent of the name dialog
    ImageWidget *modalList = nullptr; // the scene strip (check boxes, never dragged)
    QWidget *canvas = nullptr;        // the wall canvas, pictured as the scene's preview
};

// The controller's scenes as the console keeps them: the scene list and its strip, saving
// the wall as a scene (with a preview in the local scene cache, uploaded beside the scene,
// and a copy of the controller's scene file), deleting the checked scenes and loading a
// scene onto the wall.
//
// A loaded scene replaces the wall's windows: windowsReplaced() asks for the window list to
// be read again. Every delete of the checked scenes ends with checkedScenesDeleted(), also
// when nothing was checked, so that the rotation plan is rebuilt.
class SceneStore : public QObject
{
    Q_OBJECT
public:
    SceneStore(const SceneWidgets &widgets, Transport *transport, library::ChunkUploader *uploader,
               SessionValues *session, const wall::ScreenGroupSource &groups, QObject *parent = nullptr);

    // The scenes in strip order: the controller's list, then those saved since the login.
    const ResourceList &modalResources() const { return m_modalResources; }

    // "GetAllModal" with the controller's picture of every scene; the strip follows. A
    // failed request leaves the list empty and the strip as it was.
    bool getAllModal();
    // Saves the wall as a scene under a name the operator types (the scene category's
    // save button).
    void saveScene();
    // Deletes every checked scene on the controller and from the cache, the list and the
    // strip (the scene category's remove button).
    void removeCheckedScenes();
    // Loads a scene onto the wall (double-click on the strip); the window list is read again
    // whatever the controller answered.
    void loadScene(const QString &name);
    // Removes one scene everywhere but from the rotation plan (a save that replaces it).
    void deleteModal(const QString &name);
    // The end of a session: the list is emptied (the strip is emptied with the others).
    void clear() { m_modalResources.clear(); }

    // The pause between the upload of the preview and the download of the scene file, in
    // which the controller finishes writing it; the user interface is blocked meanwhile.
    // Tests shorten it.
    void setSettleDelayMs(int ms) { m_settleDelayMs = ms; }

signals:
    void windowsReplaced();
    void checkedScenesDeleted(const QStringList &names);

private:
    // Rebuilds the strip from the list; check marks stay with their scenes.
    void showStrip();
    int indexOf(const QString &name) const;
    void forgetScene(const QString &name);
    // Writes the canvas picture, within 160x120, as the JPEG `file` (whole or not at all).
    bool writePreview(const QString &file) const;
    // Copies the controller's scene file into the cache, whole or not at all.
    void copySceneFile(const QString &remote, const QString &local) const;

    SceneWidgets m_w;
    Transport *m_transport;
    library::ChunkUploader *m_uploader;
    SessionValues *m_session;
    const wall::ScreenGroupSource &m_groups;
    ResourceList m_modalResources;
    int m_settleDelayMs = 1000;
};

} // namespace scenes
