// Adding and removing resources through the library panel against the controller
// simulator, and the add dialog on its own.
#include "library/dialogaddresource.h"
#include "library/uploader.h"
#include "panelfixture.h"
#include "testmain.h"
#include "uploadfiles.h"

#include <QFile>
#include <QJsonArray>
#include <QLineEdit>

using library::Category;
using uikit::BoxType;
using uikit::Dialogs;

Q_DECLARE_METATYPE(library::Category)

namespace {
QPushButton *buttonOf(QDialog *dialog, const char *name)
{
    return dialog->findChild<QPushButton *>(name);
}
QLineEdit *editOf(QDialog *dialog, const char *name)
{
    return dialog->findChild<QLineEdit *>(name);
}

// Picks `fileName` with the dialog's file button and presses OK.
void pickAndAccept(const QString &fileName)
{
    Dialogs::setNextDialogHandler([fileName](QDialog *dialog) {
        Dialogs::setNextFileName(fileName);
        QTest::mouseClick(buttonOf(dialog, "btnSelRes"), Qt::LeftButton);
        QTest::mouseClick(buttonOf(dialog, "btnOk"), Qt::LeftButton);
        return dialog->result();
    });
}

// Types the four texts and presses OK.
void typeAndAccept(const QString &name, const QString &path, const QString &user = {},
                   const QString &pwd = {})
{
    Dialogs::setNextDialogHandler([=](QDialog *dialog) {
        editOf(dialog, "lineEditName")->setText(name);
        editOf(dialog, "lineEditPath")->setText(path);
        editOf(dialog, "lineEditUserName")->setText(user);
        editOf(dialog, "lineEditPwd")->setText(pwd);
        QTest::mouseClick(buttonOf(dialog, "btnOk"), Qt::LeftButton);
        return dialog->result();
    });
}

} // namespace

class TestResourceActions : public QObject
{
    Q_OBJECT

    std::unique_ptr<PanelFixture> f;
    pelmora::test::UploadFiles files;

    sim::Simulator &simulator() { return f->simulator; }
    library::LibraryPanel &panel() { return *f->panel; }
    library::LibraryWidgets &w() { return f->w; }

    QList<BoxType> boxTypes() const
    {
        QList<BoxType> types;
        for (const uikit::ShownBox &box : Dialogs::shownBoxes())
            types.append(box.type);
        return types;
    }

    void verifyUploadCleared()
    {
        QVERIFY(!f->session().uploading);
        QVERIFY(w().progressBar->isHidden());
        QCOMPARE(w().window->cursor().shape(), Qt::ArrowCursor);
    }

private slots:
    void init()
    {
        Dialogs::reset();
        f = std::make_unique<PanelFixture>();
        QVERIFY(f->start(0));
        QVERIFY(f->login());
        simulator().clearRequests();
    }

    void cleanup() { f.reset(); }

    // --- the dialog

    void dialogRows_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("fileButton");
        QTest::addColumn<bool>("credentials");
        for (int type : {0, 1, 3, 5, 12})
            QTest::newRow(qPrintable(QString::number(type))) << type << true << false;
        QTest::newRow("2 web page") << 2 << false << true;
        QTest::newRow("4 net video") << 4 << false << false;
    }

    void dialogRows()
    {
        QFETCH(int, type);
        QFETCH(bool, fileButton);
        QFETCH(bool, credentials);
        DialogAddResource dialog(type);
        QCOMPARE(buttonOf(&dialog, "btnSelRes")->isVisibleTo(&dialog), fileButton);
        QCOMPARE(editOf(&dialog, "lineEditUserName")->isVisibleTo(&dialog), credentials);
        QCOMPARE(editOf(&dialog, "lineEditPwd")->isVisibleTo(&dialog), credentials);
        QVERIFY(editOf(&dialog, "lineEditName")->isVisibleTo(&dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("添加资源"));
    }

    // The name is the chosen file's name, lower-cased; other files refuse executables and
    // Office documents, whatever the case of their extension.
    void dialogPicksAFile_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("info");

        QTest::newRow("windows path") << 0 << "C:\\Media\\Clip UPPER.MP4"
                                      << "clip upper.mp4"
                                      << "C:\\Media\\Clip UPPER.MP4" << QString();
        QTest::newRow("unix path") << 1 << "/home/op/Pic #1.JPG"
                                   << "pic #1.jpg"
                                   << "/home/op/Pic #1.JPG" << QString();
        QTest::newRow("cancelled") << 3 << QString() << QString() << QString() << QString();
        QTest::newRow("other: text file") << 5 << "/data/Notes.TXT"
                                          << "notes.txt"
                                          << "/data/Notes.TXT" << QString();
        QTest::newRow("other: EXE") << 5 << "C:\\Tools\\SETUP.EXE" << QString() << QString()
                                    << "客户端不能添加exe文件";
        QTest::newRow("other: DOCX") << 5 << "/data/Report.DOCX" << QString() << QString()
                                     << "Office文档请添加到Office类别！";
        QTest::newRow("other: xls") << 5 << "/data/a.b/Sheet.xls" << QString() << QString()
                                    << "Office文档请添加到Office类别！";
        QTest::newRow("video: exe is not checked") << 0 << "/data/x.exe"
                                                   << "x.exe"
                                                   << "/data/x.exe" << QString();
    }

    void dialogPicksAFile()
    {
        QFETCH(int, type);
        QFETCH(QString, chosen);
        QFETCH(QString, name);
        QFETCH(QString, path);
        QFETCH(QString, info);

        DialogAddResource dialog(type);
        editOf(&dialog, "lineEditName")->setText("old");
        editOf(&dialog, "lineEditPath")->setText("old");
        Dialogs::setNextFileName(chosen);
        QTest::mouseClick(buttonOf(&dialog, "btnSelRes"), Qt::LeftButton);
        QCOMPARE(editOf(&dialog, "lineEditName")->text(), name);
        QCOMPARE(editOf(&dialog, "lineEditPath")->text(), path);
        const QList<uikit::ShownBox> boxes = Dialogs::shownBoxes();
        QCOMPARE(boxes.size(), info.isEmpty() ? 0 : 1);
        if (!info.isEmpty()) {
            QCOMPARE(boxes.first().type, BoxType::Info);
            QCOMPARE(boxes.first().text, info);
        }
    }

    void dialogKeepsTextsAsTyped()
    {
        DialogAddResource dialog(2);
        editOf(&dialog, "lineEditName")->setText(" Portal ");
        editOf(&dialog, "lineEditPath")->setText("http://x/");
        editOf(&dialog, "lineEditUserName")->setText("user");
        QTest::mouseClick(buttonOf(&dialog, "btnOk"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.name(), QStringLiteral(" Portal "));
        QCOMPARE(dialog.path(), QStringLiteral("http://x/"));
        QCOMPARE(dialog.userName(), QStringLiteral("user"));
        QVERIFY(dialog.password().isEmpty());

        for (const char *closer : {"btnCancel", "btnMenu_Close"}) {
            DialogAddResource other(0);
            other.open();
            QTest::mouseClick(buttonOf(&other, closer), Qt::LeftButton);
            QCOMPARE(other.result(), int(QDialog::Rejected));
            QVERIFY(other.name().isEmpty());
        }
    }

    // --- adding

    void addUploadsAndRegisters_data()
    {
        QTest::addColumn<Category>("category");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("resType");
        QTest::addColumn<QString>("file");
        QTest::newRow("video") << Category::Video << "/videos/"
                               << "Video"
                               << "New CLIP #2.MP4";
        QTest::newRow("picture") << Category::Picture << "/pictures/"
                                 << "Picture"
                                 << "Poster.JPG";
        QTest::newRow("office") << Category::Office << "/office/"
                                << "Office"
                                << "Plan.PPTX";
        QTest::newRow("other") << Category::Doc << "/others/"
                               << "Other"
                               << "Map.PDF";
        QTest::newRow("music") << Category::Music << "/audios/"
                               << "Music"
                               << "Theme Song.MP3";
    }

    void addUploadsAndRegisters()
    {
        QFETCH(Category, category);
        QFETCH(QString, folder);
        QFETCH(QString, resType);
        QFETCH(QString, file);

        f->select(category);
        const QByteArray content =
            pelmora::test::UploadFiles::content(library::ChunkUploader::kChunkSize + 10);
        const QString local = files.write(file, content);
        const QString name = file.toLower();
        pickAndAccept(local);
        QTest::mouseClick(w().btnSaveModal, Qt::LeftButton);

        QCOMPARE(simulator().storedFile(folder + name), content);
        QCOMPARE(simulator().requests(folder + name).size(), 2);
        const QList<sim::RecordedRequest> adds = simulator().requests("AddResource");
        QCOMPARE(adds.size(), 1);
        const QJsonObject sent = adds.first().json();
        QCOMPARE(sent.value("ResType").toString(), resType);
        QCOMPARE(sent.value("ResName").toString(), name);
        QCOMPARE(sent.value("ResPath").toString(), local);
        QVERIFY(!sent.contains("UserName") && !sent.contains("Password"));

        const QString command = QLatin1String(library::loaderSpec([&] {
                                                  library::Loader l;
                                                  library::loaderOf(category, &l);
                                                  return l;
                                              }())
                                                  .command);
        QCOMPARE(simulator().requests(command).size(), 1);
        ImageWidget *strip = category == Category::Video ? w().videoList : w().audioList;
        QVERIFY(PanelFixture::itemNamed(strip, name));
        QCOMPARE(PanelFixture::texts(strip).size(), panel().catalogue().list(category)->size());
        if (category == Category::Music)
            QCOMPARE(simulator().requests("GetBgMusicState").size(), 1);

        QCOMPARE(boxTypes(), QList<BoxType>{BoxType::Info});
        QCOMPARE(Dialogs::shownBoxes().first().text, QStringLiteral("资源添加成功！"));
        verifyUploadCleared();
    }

    // Web pages and net video register the typed address; credentials go only in pairs.
    void addTypedAddress_data()
    {
        QTest::addColumn<Category>("category");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("credentials");
        QTest::newRow("web, user without password") << Category::Web << "viewer" << QString() << false;
        QTest::newRow("web, both") << Category::Web << "viewer"
                                   << "secret" << true;
        QTest::newRow("net video") << Category::NetVideo << QString() << QString() << false;
    }

    void addTypedAddress()
    {
        QFETCH(Category, category);
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(bool, credentials);

        f->select(category);
        typeAndAccept("Lobby Board", "http://board.example.com/a b#c", user, password);
        f->click(w().btnSaveModal);

        const QList<sim::RecordedRequest> adds = simulator().requests("AddResource");
        QCOMPARE(adds.size(), 1);
        const QJsonObject sent = adds.first().json();
        QCOMPARE(sent.value("ResPath").toString(), QStringLiteral("http://board.example.com/a b#c"));
        QCOMPARE(sent.contains("UserName"), credentials);
        QCOMPARE(sent.contains("Password"), credentials);
        if (credentials)
            QCOMPARE(sent.value("Password").toString(), password);
        QVERIFY(PanelFixture::itemNamed(w().audioList, "Lobby Board"));
        QCOMPARE(boxTypes(), QList<BoxType>{BoxType::Info});
        // Nothing was uploaded.
        for (const sim::RecordedRequest &r : simulator().requests())
            QVERIFY2(r.command != QString() || r.path.startsWith("/snapshot/"), qPrintable(r.path));
    }

    // A failed upload shows one error, registers nothing and leaves nothing set.
    void failedUpload_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<int>("failChunk");
        QTest::addColumn<bool>("missing");
        QTest::addColumn<int>("chunksSent");
        QTest::newRow("empty file") << qint64(0) << -1 << false << 0;
        QTest::newRow("second chunk refused")
            << qint64(3 * library::ChunkUploader::kChunkSize) << 1 << false << 2;
        QTest::newRow("first chunk refused") << qint64(100) << 0 << false << 1;
        QTest::newRow("unreadable file") << qint64(0) << -1 << true << 0;
    }

    void failedUpload()
    {
        QFETCH(qint64, size);
        QFETCH(int, failChunk);
        QFETCH(bool, missing);
        QFETCH(int, chunksSent);

        f->select(Category::Picture);
        if (failChunk >= 0)
            simulator().failUploadChunk(failChunk);
        const QString local = missing ? files.missing("gone.jpg") : files.sized("pic.jpg", size);
        pickAndAccept(local);
        f->click(w().btnSaveModal);

        QCOMPARE(simulator().requests(missing ? "/pictures/gone.jpg" : "/pictures/pic.jpg").size(),
                 chunksSent);
        QVERIFY(simulator().requests("AddResource").isEmpty());
        const QList<uikit::ShownBox> boxes = Dialogs::shownBoxes();
        QCOMPARE(boxes.size(), missing ? 2 : 1);
        if (missing) {
            QFile probe(local);
            QVERIFY(!probe.open(QIODevice::ReadOnly));
            QCOMPARE(boxes.first().type, BoxType::Info);
            QCOMPARE(boxes.first().text, probe.errorString());
        }
        QCOMPARE(boxes.last().type, BoxType::Error);
        QCOMPARE(boxes.last().text, QStringLiteral("文件上传失败！"));
        verifyUploadCleared();
    }

    void nothingIsSentWithoutANameOrPath_data()
    {
        QTest::addColumn<Category>("category");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("accept");
        QTest::newRow("cancelled") << Category::Web << "a"
                                   << "http://a/" << false;
        QTest::newRow("no name") << Category::Web << QString() << "http://a/" << true;
        QTest::newRow("no path") << Category::NetVideo << "a" << QString() << true;
        QTest::newRow("no file picked") << Category::Video << QString() << QString() << true;
    }

    void nothingIsSentWithoutANameOrPath()
    {
        QFETCH(Category, category);
        QFETCH(QString, name);
        QFETCH(QString, path);
        QFETCH(bool, accept);
        f->select(category);
        if (accept)
            typeAndAccept(name, path);
        else
            Dialogs::setNextAnswer(QDialog::Rejected);
        f->click(w().btnSaveModal);
        QVERIFY(simulator().requests().isEmpty());
        QVERIFY(Dialogs::shownBoxes().isEmpty());
        verifyUploadCleared();
    }

    void categoriesWithoutResourcesOpenNoDialog()
    {
        int dialogs = 0;
        for (Category category : {Category::Usb, Category::Caption}) {
            f->select(category);
            Dialogs::setNextDialogHandler([&dialogs](QDialog *) {
                ++dialogs;
                return int(QDialog::Rejected);
            });
            f->click(w().btnSaveModal);
            Dialogs::reset();
        }
        QCOMPARE(dialogs, 0);
        QVERIFY(simulator().requests().isEmpty());
    }

    void refusedRegistrationShowsTheReason()
    {
        f->select(Category::Web);
        sim::Fault fault;
        fault.kind = sim::Fault::Refuse;
        fault.message = "Disk full";
        simulator().setFault("AddResource", fault);
        typeAndAccept("Page", "http://page/");
        f->click(w().btnSaveModal);
        QCOMPARE(boxTypes(), QList<BoxType>{BoxType::Error});
        QCOMPARE(Dialogs::shownBoxes().first().text, QStringLiteral("操作失败！错误原因：Disk full"));
        QVERIFY(simulator().requests("GetWebList").isEmpty());
    }

    // --- removing

    // Every ticked entry is removed, the last one first; a refused one stays.
    void removeTickedEntries()
    {
        f->select(Category::Picture);
        QLybListWidget *list = w().audioList->listWidget();
        const QStringList before = PanelFixture::texts(w().audioList);
        QVERIFY(before.size() >= 4);
        for (int row : {0, 2, 3})
            list->item(row)->setCheckState(Qt::Checked);
        sim::Fault refuseOnce;
        refuseOnce.kind = sim::Fault::Refuse;
        refuseOnce.remaining = 1;
        simulator().setFault("DelResource", refuseOnce);
        QTest::mouseClick(w().btnRemoveModal, Qt::LeftButton);

        const QList<sim::RecordedRequest> dels = simulator().requests("DelResource");
        QCOMPARE(dels.size(), 3);
        QCOMPARE(dels.at(0).json().value("ResName").toString(), before.at(3));
        QCOMPARE(dels.at(1).json().value("ResName").toString(), before.at(2));
        QCOMPARE(dels.at(2).json().value("ResName").toString(), before.at(0));
        QCOMPARE(
            dels.at(1).json(),
            (QJsonObject{{"Command", "DelResource"}, {"ResName", before.at(2)}, {"ResType", "Picture"}}));

        QStringList expected = before;
        expected.removeAt(2);
        expected.removeAt(0);
        QCOMPARE(PanelFixture::texts(w().audioList), expected);
        QStringList kept;
        for (const S_RESOURCE &r : panel().catalogue().picResources)
            kept.append(r.name);
        QCOMPARE(kept, expected);
        QCOMPARE(boxTypes(), QList<BoxType>{BoxType::Error});
    }

    void removalKeepsToWhatWasTicked_data()
    {
        QTest::addColumn<bool>("staysAway");
        QTest::newRow("another category picked meanwhile") << true;
        QTest::newRow("strip rebuilt meanwhile") << false; // unticked, as a new load leaves it
    }

    // The ticked names and their type are taken when the button is pressed: whatever the
    // strip shows while a request waits, exactly those pictures go.
    void removalKeepsToWhatWasTicked()
    {
        QFETCH(bool, staysAway);
        f->select(Category::Picture);
        const QStringList before = PanelFixture::texts(w().audioList);
        QVERIFY(before.size() >= 3);
        w().audioList->listWidget()->item(0)->setCheckState(Qt::Checked);
        w().audioList->listWidget()->item(2)->setCheckState(Qt::Checked);
        const auto officeNames = [this] {
            QStringList names;
            for (const S_RESOURCE &r : panel().catalogue().officeResources)
                names.append(r.name);
            return names;
        };
        const QStringList offices = officeNames();
        QVERIFY(!offices.isEmpty());
        // The first removal is held at the controller until the operator has switched.
        pelmora::test::holdRequests(simulator(), "DelResource", 1);
        pelmora::test::onceReceived(this, simulator(), "DelResource", [this, staysAway] {
            f->select(Category::Office);
            if (!staysAway)
                f->select(Category::Picture);
            simulator().advanceClock(pelmora::test::kHeldMs);
        });
        QTest::mouseClick(w().btnRemoveModal, Qt::LeftButton);

        const QList<sim::RecordedRequest> dels = simulator().requests("DelResource");
        QCOMPARE(dels.size(), 2);
        QCOMPARE(
            dels.at(0).json(),
            (QJsonObject{{"Command", "DelResource"}, {"ResName", before.at(2)}, {"ResType", "Picture"}}));
        QCOMPARE(
            dels.at(1).json(),
            (QJsonObject{{"Command", "DelResource"}, {"ResName", before.at(0)}, {"ResType", "Picture"}}));
        QStringList expected = before;
        expected.removeAt(2);
        expected.removeAt(0);
        QStringList kept;
        for (const S_RESOURCE &r : panel().catalogue().picResources)
            kept.append(r.name);
        QCOMPARE(kept, expected);
        QCOMPARE(officeNames(), offices);
        QCOMPARE(PanelFixture::texts(w().audioList), staysAway ? offices : expected);
        QVERIFY(Dialogs::shownBoxes().isEmpty());
    }

    void removeVideosFromTheVideoStrip()
    {
        f->select(Category::Video);
        const QString first = w().videoList->listWidget()->item(0)->text();
        w().videoList->listWidget()->item(0)->setCheckState(Qt::Checked);
        f->click(w().btnRemoveModal);
        QCOMPARE(simulator().requests("DelResource").size(), 1);
        QCOMPARE(simulator().requests("DelResource").first().json().value("ResType").toString(),
                 QStringLiteral("Video"));
        QVERIFY(!PanelFixture::itemNamed(w().videoList, first));
    }

    void nothingIsRemovedFromUsbOrScenes()
    {
        for (Category category : {Category::Usb, Category::Caption}) {
            f->select(category);
            w().audioList->checkAll();
            QTest::mouseClick(w().btnRemoveModal, Qt::LeftButton);
        }
        f->select(Category::Scene);
        w().videoList->checkAll();
        QTest::mouseClick(w().btnRemoveModal, Qt::LeftButton);
        QVERIFY(simulator().requests().isEmpty());
    }
};

PELMORA_TEST_MAIN(TestResourceActions)
#include "test_resourceactions.moc"
