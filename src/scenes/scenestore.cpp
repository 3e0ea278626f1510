#include "scenestore.h"

#include "library/imagewidget.h"
#include "library/qlyblistwidget.h"
#include "library/uploader.h"
#include "net/operation.h"
#include "net/sessionvalues.h"
#include "net/transport.h"
#include "scenes/scenepaths.h"
#include "uikit/dialoginput.h"
#include "uikit/dialogs.h"
#include "uikit/nestedwait.h"
#include "wall/windowcommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QListWidgetItem>
#include <QPixmap>
#include <QPointer>
#include <QSaveFile>
#include <QThread>
#include <QWidget>

namespace scenes {

namespace {
constexpr QSize kPreviewSize(160, 120);

QJsonObject saveModalRequest(int group, const QString &name)
{
    return {{QStringLiteral("Command"), QStringLiteral("SaveModal")},
            {QStringLiteral("ScreenGroup"), group},
            {QStringLiteral("ModalName"), name}};
}

QJsonObject removeModalRequest(const QString &name, int group)
{
    return {{QStringLiteral("Command"), QStringLiteral("RemoveModal")},
            {QStringLiteral("ModalName"), name},
            {QStringLiteral("ScreenGroup"), group}};
}

QJsonObject loadModalRequest(const QString &name)
{
    return {{QStringLiteral("Command"), QStringLiteral("LoadModal")}, {QStringLiteral("ModalName"), name}};
}
} // namespace

SceneStore::SceneStore(const SceneWidgets &widgets, Transport *transport, library::ChunkUploader *uploader,
                       SessionValues *session, const wall::ScreenGroupSource &groups, QObject *parent)
    : QObject(parent),
      m_w(widgets),
      m_transport(transport),
      m_uploader(uploader),
      m_session(session),
      m_groups(groups)
{}

int SceneStore::indexOf(const QString &name) const
{
    for (int i = 0; i < m_modalResources.size(); ++i) {
        if (m_modalResources.at(i).name == name)
            return i;
    }
    return -1;
}

void SceneStore::forgetScene(const QString &name)
{
    for (int i = m_modalResources.size() - 1; i >= 0; --i) {
        if (m_modalResources.at(i).name == name)
            m_modalResources.removeAt(i);
    }
}

void SceneStore::showStrip()
{
    const QStringList checked = m_w.modalList->checkedNames();
    m_w.modalList->loadResources(m_modalResources);
    QLybListWidget *list = m_w.modalList->listWidget();
    for (int i = 0; i < list->count(); ++i) {
        QListWidgetItem *item = list->item(i);
        // The rotation panel toggles the check box on every click; a click on the box
        // itself must not toggle it a second time.
        item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
        if (checked.contains(item->text()))
            item->setCheckState(Qt::Checked);
    }
}

bool SceneStore::getAllModal()
{
    net::Operation operation(m_w.window, *m_session);
    QPointer<SceneStore> self(this);
    m_modalResources.clear();
    const Transport::Result result = m_transport->get(QStringLiteral("GetAllModal"));
    if (!self || !operation.sessionCurrent() || !result.ok())
        return false;
    const QJsonArray names = result.reply.value(QStringLiteral("ModalList")).toArray();
    for (const QJsonValue &value : names) {
        if (!value.isString())
            continue;
        S_RESOURCE scene;
        scene.name = value.toString();
        scene.path = QStringLiteral("Modal");
        m_transport->fetchPath(QStringLiteral("/snapshot/") + scene.name, &scene.thumbnail);
        if (!self || !operation.sessionCurrent())
            return false;
        m_modalResources.append(scene);
    }
    showStrip();
    return true;
}

bool SceneStore::writePreview(const QString &file) const
{
    if (file.isEmpty())
        return false;
    const QImage picture =
        m_w.canvas->grab().toImage().scaled(kPreviewSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    // The independent-screen view saves into "Group0", which start-up does not create.
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSaveFile out(file);
    return out.open(QIODevice::WriteOnly) && picture.save(&out, "jpg") && out.commit();
}

void SceneStore::saveScene()
{
    net::Operation session(m_w.window, *m_session, Qt::ArrowCursor);
    QPointer<SceneStore> self(this);

    auto *dialog = new DialogInput(QCoreApplication::translate("MainWindow2", "请输入要保存的场景名称"),
                                   QString(), true, m_w.window);
    const int answer = uikit::Dialogs::exec(dialog);
    const QString name = dialog->text();
    uikit::retire(dialog);
    if (!self || !session.sessionCurrent() || answer != QDialog::Accepted || name.isEmpty())
        return;
    // The name becomes a file name in the scene cache.
    if (!isSafeSceneName(name)) {
        uikit::Dialogs::showInfo(QCoreApplication::translate(
            "MainWindow2", "场景名称不能包含“/”、“\\”或“:”，也不能只由“.”组成，请换一个名称。"));
        return;
    }
    if (indexOf(name) >= 0) {
        if (!uikit::Dialogs::askQuestion(
                QCoreApplication::translate("MainWindow2", "已经有名称为<") + name +
                QCoreApplication::translate("MainWindow2", ">的场景存在，是否替换？")))
            return;
        if (!self || !session.sessionCurrent())
            return;
        deleteModal(name);
        if (!self || !session.sessionCurrent())
            return;
    }

    net::Operation operation(m_w.window, *m_session);
    const int group = m_groups.currentScreenGroup();
    // A refusal is reported by postCommand; the scene is kept all the same.
    m_transport->postCommand(saveModalRequest(group, name), QStringLiteral("SaveModal"));
    if (!self || !operation.sessionCurrent())
        return;

    S_RESOURCE scene;
    scene.name = name;
    if (m_session->isMediaDisplayFamily()) {
        // These controllers draw the picture themselves.
        m_transport->fetchPath(QStringLiteral("/Snapshot/") + name, &scene.thumbnail);
        if (!self || !operation.sessionCurrent())
            return;
        m_modalResources.append(scene);
        showStrip();
        return;
    }

    const QString preview = cacheFile(group, name, kPreviewExtension);
    writePreview(preview);
    scene.iconPath = preview;
    m_modalResources.append(scene);
    showStrip();

    m_uploader->uploadFile(remoteFile(group, name, kPreviewExtension), preview);
    if (!self || !operation.sessionCurrent())
        return;
    if (m_settleDelayMs > 0)
        QThread::msleep(static_cast<unsigned long>(m_settleDelayMs));
    copySceneFile(remoteFile(group, name, kSceneFileExtension), cacheFile(group, name, kSceneFileExtension));
}

void SceneStore::copySceneFile(const QString &remote, const QString &local) const
{
    // Written whole or not at all, and a failure is not reported. An empty answer is no
    // scene file: it leaves nothing in the cache either.
    const Transport::Result file = m_transport->fetch(remote);
    if (!file.ok() || file.body.isEmpty() || local.isEmpty())
        return;
    QSaveFile out(local);
    if (out.open(QIODevice::WriteOnly) && out.write(file.body) == file.body.size())
        out.commit();
}

void SceneStore::deleteModal(const QString &name)
{
    QLybListWidget *list = m_w.modalList->listWidget();
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text() != name)
            continue;
        net::Operation operation(m_w.window, *m_session);
        QPointer<SceneStore> self(this);
        const int group = m_groups.currentScreenGroup();
        m_transport->postCommand(removeModalRequest(name, group), QStringLiteral("RemoveModal"));
        if (!self || !operation.sessionCurrent())
            return;
        removeCacheFiles(group, name);
        // The strip may have been rebuilt while the command waited.
        if (i < list->count() && list->item(i)->text() == name)
            delete list->takeItem(i);
        forgetScene(name);
        return;
    }
}

void SceneStore::removeCheckedScenes()
{
    net::Operation operation(m_w.window, *m_session);
    QPointer<SceneStore> self(this);
    QLybListWidget *list = m_w.modalList->listWidget();
    QStringList removed;
    for (int i = list->count() - 1; i >= 0; --i) {
        if (i >= list->count() || list->item(i)->checkState() != Qt::Checked)
            continue;
        const QString name = list->item(i)->text();
        const int group = m_groups.currentScreenGroup();
        // The local copies go whatever the controller answers.
        m_transport->postCommand(removeModalRequest(name, group), QStringLiteral("RemoveModal"));
        if (!self || !operation.sessionCurrent())
            return;
        removeCacheFiles(group, name);
        removed.append(name);
        if (i < list->count() && list->item(i)->text() == name)
            delete list->takeItem(i);
        forgetScene(name);
    }
    list->viewport()->update();
    emit checkedScenesDeleted(removed);
}

void SceneStore::loadScene(const QString &name)
{
    net::Operation operation(m_w.window, *m_session);
    QPointer<SceneStore> self(this);
    m_transport->postCommand(loadModalRequest(name), QStringLiteral("LoadModal"));
    if (!self || !operation.sessionCurrent())
        return;
    emit windowsReplaced();
}

} // namespace scenes
