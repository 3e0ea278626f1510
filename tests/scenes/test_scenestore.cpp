// The scene store against the simulator: the scene list, saving with the local scene cache,
// replacing, deleting and loading scenes, and names that must not become paths.
#include "scenefixture.h"
#include "testmain.h"

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QSignalSpy>

using uikit::BoxType;
using uikit::Dialogs;

namespace {
// Every file below the console's local folders.
QStringList localFiles()
{
    QStringList files;
    QDirIterator it(platform::zevRoot(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    return files;
}

void plant(const QString &file)
{
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("keep me");
}

QStringList boxTexts()
{
    QStringList texts;
    const auto boxes = Dialogs::shownBoxes();
    for (const auto &box : boxes)
        texts.append(box.text);
    return texts;
}
} // namespace

class TestSceneStore : public QObject
{
    Q_OBJECT

    std::unique_ptr<SceneFixture> f;

    bool start(int family = 0)
    {
        f = std::make_unique<SceneFixture>();
        return f->start(family);
    }

    QByteArray served(const QString &path) const { return f->sim.transport->fetch(path).body; }
    const S_RESOURCE *scene(const QString &name) const
    {
        for (const S_RESOURCE &s : f->store->modalResources()) {
            if (s.name == name)
                return &s;
        }
        return nullptr;
    }
    int requestCount() const { return f->sim.simulator.requests().size(); }

private slots:
    void init() { QDir(platform::zevRoot()).removeRecursively(); }
    void cleanup() { f.reset(); }

    // The controller's scenes in its order, each with the controller's picture; a list that
    // cannot be read leaves the strip as it was.
    void listing()
    {
        QVERIFY(start());
        const QStringList names{"Morning Welcome", "Security View", QString::fromUtf8("会议模式")};
        QCOMPARE(f->stripNames(), names);
        for (const S_RESOURCE &s : f->store->modalResources()) {
            QCOMPARE(s.path, QStringLiteral("Modal"));
            QVERIFY(s.iconPath.isEmpty());
            QCOMPARE(s.thumbnail, served("/snapshot/" + s.name));
            QVERIFY(!s.thumbnail.isEmpty());
        }
        f->sim.simulator.setFault("GetAllModal", {sim::Fault::HttpError});
        QVERIFY(!f->store->getAllModal());
        QVERIFY(f->store->modalResources().isEmpty());
        QCOMPARE(f->stripNames(), names);
    }

    // Saving: the command with the group number, the canvas picture in the cache and on the
    // controller, the controller's scene file copied; the controllers of families 2 and 3
    // draw the picture themselves.
    void save_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<int>("group");
        QTest::newRow("screen group 1") << 0 << 1;
        QTest::newRow("screen group 3") << 4 << 3;
        QTest::newRow("independent screens, folder Group0") << 0 << 0;
        QTest::newRow("media display family") << 2 << 1;
    }

    void save()
    {
        QFETCH(int, family);
        QFETCH(int, group);
        QVERIFY(start(family));
        f->groups.group = group;
        const QString name = QStringLiteral("Evening #2");
        f->save(name);

        const auto sent = f->sim.simulator.requests("SaveModal");
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent.first().json().value("ScreenGroup").toInt(-1), group);
        QCOMPARE(sent.first().json().value("ModalName").toString(), name);
        QCOMPARE(f->stripNames().last(), name);
        QCOMPARE(f->store->modalResources().size(), 4);
        const S_RESOURCE *saved = scene(name);
        QVERIFY(saved && saved->path.isEmpty());
        QVERIFY(boxTexts().isEmpty());

        const QString preview = f->cacheFile(name, ".jpg");
        const QString sceneFile = f->cacheFile(name, ".mvc");
        const QString remote = QStringLiteral("/Modals/Group%1/%2").arg(group).arg(name);
        if (family == 2) {
            QCOMPARE(saved->thumbnail, served("/Snapshot/" + name));
            QVERIFY(saved->iconPath.isEmpty());
            QVERIFY(localFiles().isEmpty());
            QVERIFY(f->sim.simulator.requests(remote + ".jpg").isEmpty());
            return;
        }
        QVERIFY(saved->thumbnail.isEmpty());
        QCOMPARE(saved->iconPath, preview);
        const QImage picture(preview, "JPG");
        QCOMPARE(picture.size(), QSize(160, 80)); // the 400x200 canvas within 160x120
        QFile local(preview);
        QVERIFY(local.open(QIODevice::ReadOnly));
        QCOMPARE(f->sim.simulator.storedFile(remote + ".jpg"), local.readAll());
        QFile copy(sceneFile);
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), served(remote + ".mvc"));
        QCOMPARE(localFiles(), (QStringList{preview, sceneFile}));
    }

    // A name that exists: declining changes nothing; agreeing removes the old scene first.
    void replaceQuestion_data()
    {
        QTest::addColumn<bool>("agree");
        QTest::newRow("decline") << false;
        QTest::newRow("agree") << true;
    }

    void replaceQuestion()
    {
        QFETCH(bool, agree);
        QVERIFY(start());
        const QString name = QStringLiteral("Security View");
        const int before = f->sim.commandNames().size();
        Dialogs::setNextAnswer(agree ? QDialog::Accepted : QDialog::Rejected);
        f->save(name);

        QCOMPARE(boxTexts(),
                 QStringList{QString::fromUtf8("已经有名称为<Security View>的场景存在，是否替换？")});
        QCOMPARE(Dialogs::shownBoxes().first().type, BoxType::Question);
        if (!agree) {
            QCOMPARE(f->sim.commandNames().size(), before);
            QCOMPARE(f->stripNames().size(), 3);
            QCOMPARE(f->stripNames().at(1), name);
            return;
        }
        QCOMPARE(f->commandsSince(before), (QStringList{"RemoveModal", "SaveModal"}));
        QCOMPARE(f->stripNames(), (QStringList{"Morning Welcome", QString::fromUtf8("会议模式"), name}));
        QVERIFY(QFile::exists(f->cacheFile(name, ".jpg")));
        QVERIFY(QFile::exists(f->cacheFile(name, ".mvc")));
    }

    // A name that would not be a plain file name in the cache is refused before anything is
    // sent or written.
    void unsafeNamesAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("parent folder") << "../escape";
        QTest::newRow("slash") << "a/b";
        QTest::newRow("backslash") << "a\\b";
        QTest::newRow("two dots") << "..";
        QTest::newRow("dots only") << "...";
        QTest::newRow("drive") << "c:evil";
        QTest::newRow("UNC prefix") << "\\\\server\\share";
    }

    void unsafeNamesAreRefused()
    {
        QFETCH(QString, name);
        QVERIFY(start());
        const int before = requestCount();
        f->save(name);
        QCOMPARE(requestCount(), before);
        QCOMPARE(Dialogs::shownBoxes().size(), 1);
        QCOMPARE(Dialogs::shownBoxes().first().type, BoxType::Info);
        QVERIFY(boxTexts().first().contains(QString::fromUtf8("场景名称")));
        QCOMPARE(f->store->modalResources().size(), 3);
        QVERIFY(localFiles().isEmpty());
    }

    // Names from the controller go back to it as they are, but the cache files they would
    // name outside the group folder are never touched.
    void controllerNamesStayInTheirFolder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("decoy"); // where a plain join would land, from the group folder
        QTest::newRow("parent folder") << "../escape"
                                       << "../escape";
        QTest::newRow("two levels up") << "../../x"
                                       << "../../x";
        QTest::newRow("sub folder") << "a/b"
                                    << "a/b";
        QTest::newRow("backslash") << "a\\b"
                                   << "a/b";
    }

    void controllerNamesStayInTheirFolder()
    {
        QFETCH(QString, name);
        QFETCH(QString, decoy);
        QVERIFY(start());
        f->sim.simulator.setState(
            {{"Scenes", QJsonArray{QJsonObject{{"Name", name}, {"Group", 0}, {"ScreenGroup", 1}}}}});
        QVERIFY(f->store->getAllModal());
        QCOMPARE(f->stripNames(), QStringList{name});
        const QString base = QDir::cleanPath(platform::modalGroupDir(1) + decoy);
        for (const char *extension : {".jpg", ".mvc"})
            plant(base + QLatin1String(extension));
        const QStringList planted = localFiles();
        QCOMPARE(planted.size(), 2);

        f->item(name)->setCheckState(Qt::Checked);
        f->store->removeCheckedScenes();
        const auto removed = f->sim.simulator.requests("RemoveModal");
        QCOMPARE(removed.size(), 1);
        QCOMPARE(removed.first().json().value("ModalName").toString(), name);
        QVERIFY(f->stripNames().isEmpty());
        QCOMPARE(localFiles(), planted);
    }

    // A scene file that does not arrive leaves nothing in the cache, and nobody is told.
    void failedSceneFileDownloadLeavesNothing_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("status");
        QTest::newRow("not found") << int(sim::Fault::HttpError) << 404;
        QTest::newRow("server error") << int(sim::Fault::HttpError) << 500;
        QTest::newRow("connection closed") << int(sim::Fault::CloseConnection) << 0;
        QTest::newRow("empty answer") << int(sim::Fault::EmptyBody) << 0;
    }

    void failedSceneFileDownloadLeavesNothing()
    {
        QFETCH(int, kind);
        QFETCH(int, status);
        QVERIFY(start());
        sim::Fault fault{sim::Fault::Kind(kind)};
        fault.httpStatus = status;
        f->sim.simulator.setFault("/Modals/Group1/Night.mvc", fault);
        f->save(QStringLiteral("Night"));
        QVERIFY(!f->sim.simulator.requests("/Modals/Group1/Night.mvc").isEmpty());
        QCOMPARE(localFiles(), QStringList{f->cacheFile("Night", ".jpg")});
        QVERIFY(boxTexts().isEmpty());
    }

    // A scene saved in this session shows the canvas picture from the cache; after the next
    // login it shows what the controller serves for it.
    void savedSceneShowsLocalPictureUntilNextLogin()
    {
        QVERIFY(start());
        f->save(QStringLiteral("Noon"));
        const S_RESOURCE saved = *scene("Noon");
        QCOMPARE(saved.iconPath, f->cacheFile("Noon", ".jpg"));
        QVERIFY(saved.thumbnail.isEmpty());
        const QImage shown = f->item("Noon")->icon().pixmap(160, 120).toImage();
        QCOMPARE(shown, ImageWidget::framedThumbnail(saved).toImage());
        QVERIFY(shown != ImageWidget::framedThumbnail(S_RESOURCE()).toImage()); // not "no preview"

        f->store->clear();
        QVERIFY(f->sim.login());
        QVERIFY(f->store->getAllModal());
        const S_RESOURCE listed = *scene("Noon");
        QVERIFY(listed.iconPath.isEmpty());
        QCOMPARE(listed.path, QStringLiteral("Modal"));
        QCOMPARE(listed.thumbnail, served("/snapshot/Noon"));
        QCOMPARE(f->item("Noon")->icon().pixmap(160, 120).toImage(),
                 ImageWidget::framedThumbnail(listed).toImage());
    }

    // Deleting removes every checked scene, last to first, with its cache files; with none
    // checked nothing is sent. Either way the rotation plan is rebuilt afterwards.
    void deleteChecked_data()
    {
        const QString meeting = QString::fromUtf8("会议模式");
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("none checked")
            << QStringList() << QStringList{"Morning Welcome", "Security View", meeting, "Dusk"};
        QTest::newRow("two checked") << QStringList{"Morning Welcome", "Dusk"}
                                     << QStringList{"Security View", meeting};
    }

    void deleteChecked()
    {
        QFETCH(QStringList, checked);
        QFETCH(QStringList, left);
        QVERIFY(start());
        f->save(QStringLiteral("Dusk"));
        QCOMPARE(localFiles().size(), 2);
        for (const QString &name : checked)
            f->item(name)->setCheckState(Qt::Checked);
        const int before = f->sim.commandNames().size();
        QSignalSpy rebuilt(f->store.get(), &scenes::SceneStore::checkedScenesDeleted);
        f->store->removeCheckedScenes();

        QStringList lastToFirst = checked;
        std::reverse(lastToFirst.begin(), lastToFirst.end());
        QCOMPARE(rebuilt.size(), 1);
        QCOMPARE(rebuilt.first().first().toStringList(), lastToFirst);
        QStringList sent;
        const auto removes = f->sim.simulator.requests("RemoveModal");
        for (const auto &r : removes)
            sent.append(r.json().value("ModalName").toString());
        QCOMPARE(sent, lastToFirst);
        QCOMPARE(f->commandsSince(before).size(), checked.size());
        QCOMPARE(f->stripNames(), left);
        QCOMPARE(f->store->modalResources().size(), left.size());
        QCOMPARE(localFiles().isEmpty(), checked.contains("Dusk"));
    }

    // A double-click loads the scene; the wall is read again whatever the controller says.
    void loadRereadsTheWall_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::newRow("loaded") << false;
        QTest::newRow("refused") << true;
    }

    void loadRereadsTheWall()
    {
        QFETCH(bool, refused);
        QVERIFY(start());
        if (refused)
            f->sim.simulator.setFault("LoadModal", {sim::Fault::Refuse});
        QSignalSpy reread(f->store.get(), &scenes::SceneStore::windowsReplaced);
        f->store->loadScene(QStringLiteral("Security View"));
        QCOMPARE(reread.size(), 1);
        QCOMPARE(f->sim.simulator.requests("LoadModal").last().json().value("ModalName").toString(),
                 QStringLiteral("Security View"));
        QCOMPARE(Dialogs::shownBoxes().size(), refused ? 1 : 0);
        QCOMPARE(f->sim.simulator.state().value("ScrIndex").toInt(), refused ? 0 : 1);
    }
};

PELMORA_TEST_MAIN(TestSceneStore)
#include "test_scenestore.moc"
