// The library panel with real widgets against the controller simulator: category
// selection, dragging, double-click (windows and music), sessions, application windows and
// background music.
#include "panelfixture.h"
#include "testmain.h"

#include <QDrag>
#include <QJsonArray>
#include <QMimeData>

using library::Category;
using uikit::BoxType;
using uikit::Dialogs;

Q_DECLARE_METATYPE(library::Category)

namespace {
QImage iconImage(const QIcon &icon)
{
    return icon.pixmap(24, 24).toImage();
}
QImage skin(const QString &file)
{
    return iconImage(QIcon(":/images/newskin/" + file));
}

QJsonObject musicState(int volume, int playing, const QStringList &list)
{
    return {{"Music", QJsonObject{{"Volume", volume},
                                  {"IsPlaying", playing},
                                  {"MusicList", QJsonArray::fromStringList(list)}}}};
}
} // namespace

class TestLibraryPanel : public QObject
{
    Q_OBJECT

    std::unique_ptr<PanelFixture> f;
    QList<QDrag *> drags;
    QList<QMimeData *> dragData;

    sim::Simulator &simulator() { return f->simulator; }
    library::LibraryPanel &panel() { return *f->panel; }
    library::LibraryWidgets &w() { return f->w; }

    void click(QAbstractButton *button) { QTest::mouseClick(button, Qt::LeftButton); }

    // Presses on an item of the strip and moves past the drag distance.
    void dragItem(ImageWidget *strip, int row)
    {
        QLybListWidget *list = strip->listWidget();
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QVERIFY(list->itemAt(at) == list->item(row));
        QTest::mousePress(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        // The strip's kinetic scrolling holds a press back for a moment before the list sees it.
        QVERIFY(QTest::qWaitFor([list] { return list->pressedItem() != nullptr; }, 10000));
        const QPoint end = at + QPoint(QApplication::startDragDistance() + 1, 0);
        QMouseEvent move(QEvent::MouseMove, end, list->viewport()->mapToGlobal(end), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &move);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }

private slots:
    void initTestCase()
    {
        QLybListWidget::setDragRunner([this](QDrag *drag) {
            drags.append(drag);
            // The drag is released after the runner; keep a copy of what it carried.
            auto *copy = new QMimeData;
            copy->setText(drag->mimeData()->text());
            for (const char *key : {"vid", "type", "source", "mediaType"})
                copy->setProperty(key, drag->mimeData()->property(key));
            dragData.append(copy);
        });
    }

    void cleanupTestCase() { QLybListWidget::setDragRunner({}); }

    void init()
    {
        Dialogs::reset();
        drags.clear();
        qDeleteAll(dragData);
        dragData.clear();
        f = std::make_unique<PanelFixture>();
        QVERIFY(f->start(0));
        QVERIFY(f->login());
        simulator().clearRequests();
    }

    void cleanup() { f.reset(); }

    // --- category bar

    void selectingACategory_data()
    {
        QTest::addColumn<Category>("category");
        QTest::addColumn<int>("family");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("type");

        QTest::newRow("video") << Category::Video << 0 << "videoList" << QStringList() << 0;
        QTest::newRow("scene") << Category::Scene << 0 << "modalList autoSwitch" << QStringList() << -1;
        QTest::newRow("scene, media display") << Category::Scene << 2 << "modalList" << QStringList() << -1;
        QTest::newRow("picture") << Category::Picture << 0 << "audioList" << QStringList{"Welcome Banner.jpg"}
                                 << 1;
        QTest::newRow("office") << Category::Office << 0 << "audioList" << QStringList{"Company Handbook"}
                                << 3;
        QTest::newRow("web") << Category::Web << 0 << "audioList" << QStringList{"Company Portal"} << 2;
        QTest::newRow("net video") << Category::NetVideo << 0 << "audioList" << QStringList{"Gate Camera"}
                                   << 4;
        QTest::newRow("usb") << Category::Usb << 0 << "audioList" << QStringList{"USB Capture 1"} << 6;
        QTest::newRow("documents") << Category::Doc << 0 << "audioList" << QStringList{"Floor Guide.pdf"}
                                   << 5;
        QTest::newRow("caption") << Category::Caption << 0 << "captionList" << QStringList() << -1;
        QTest::newRow("music") << Category::Music << 0 << "audioList" << QStringList{"Soft Piano.wav"} << -1;
    }

    void selectingACategory()
    {
        QFETCH(Category, category);
        QFETCH(int, family);
        QFETCH(QString, shown);
        QFETCH(QStringList, entries);
        QFETCH(int, type);

        if (family != f->family) {
            QVERIFY(f->loginAs(family));
            simulator().clearRequests();
        }
        w().btnAudioMute->hide();
        f->select(Category::Caption);
        click(f->categoryButtons().at(int(category)));

        for (int i = 0; i < library::kCategoryCount; ++i) {
            QToolButton *b = f->categoryButtons().at(i);
            QCOMPARE(b->isChecked(), i == int(category));
        }
        QCOMPARE(panel().checkedCategoryType(), type);
        const QStringList shownNames = shown.split(' ');
        const QList<QWidget *> panels{w().videoList, w().audioList, w().modalList, w().autoSwitch,
                                      w().captionList};
        for (QWidget *p : panels) {
            const QString name = p == w().videoList    ? "videoList"
                                 : p == w().audioList  ? "audioList"
                                 : p == w().modalList  ? "modalList"
                                 : p == w().autoSwitch ? "autoSwitch"
                                                       : "captionList";
            QCOMPARE(p->isVisible(), shownNames.contains(name));
        }
        QCOMPARE(iconImage(w().btnSaveModal->icon()),
                 skin(category == Category::Scene ? "save-color.png" : "add.png"));
        QCOMPARE(iconImage(w().videoListButton->icon()),
                 skin(category == Category::Video ? "video-select.png" : "video.png"));
        QCOMPARE(iconImage(w().usbVideoListButton->icon()),
                 skin(category == Category::Usb ? "usb-select.png" : "USB.png"));
        QCOMPARE(w().btnAudioMute->isVisible(), category == Category::Picture);

        const QStringList texts = PanelFixture::texts(w().audioList);
        for (const QString &entry : entries)
            QVERIFY2(texts.contains(entry), qPrintable(entry));
        if (!entries.isEmpty())
            QCOMPARE(texts.size(), f->panel->catalogue().list(category)->size());
        // Selecting rebuilds from memory: the controller is not asked again.
        QVERIFY(simulator().requests().isEmpty());
    }

    // After a language switch the operator stays in his category, with the strip as it was.
    void reselectAfterLanguageSwitch_data()
    {
        QTest::addColumn<Category>("category");
        QTest::newRow("picture") << Category::Picture;
        QTest::newRow("web") << Category::Web;
        QTest::newRow("music") << Category::Music;
    }

    void reselectAfterLanguageSwitch()
    {
        QFETCH(Category, category);
        f->select(category);
        QListWidgetItem *item = w().audioList->listWidget()->item(1);
        QVERIFY(item);
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        const Qt::CheckState ticked = item->checkState();
        panel().reselectCategory();
        QVERIFY(f->categoryButtons().at(int(category))->isChecked());
        QVERIFY(w().audioList->isVisible());
        QVERIFY(!w().captionList->isVisible());
        QCOMPARE(w().audioList->listWidget()->item(1), item);
        QCOMPARE(item->checkState(), ticked);
    }

    // Only the video list rebuilds its strip; the other lists leave it as it is.
    void onlyTheVideoListRebuildsItsStrip()
    {
        const QStringList before = PanelFixture::texts(w().videoList);
        QVERIFY(!before.isEmpty());
        simulator().setState(
            {{"Resources", QJsonObject{{"Video", QJsonArray{QJsonObject{{"Name", "only.mp4"}}}},
                                       {"Picture", QJsonArray{QJsonObject{{"Name", "p.jpg"}}}}}}});
        QVERIFY(panel().getPicList());
        QCOMPARE(PanelFixture::texts(w().videoList), before);
        QVERIFY(panel().getVideoList());
        QCOMPARE(PanelFixture::texts(w().videoList), QStringList{"only.mp4"});
    }

    void selectAllActsOnTheShownList()
    {
        f->select(Category::Picture);
        click(w().btnSelectAll);
        QCOMPARE(w().audioList->checkedNames().size(), w().audioList->listWidget()->count());
        click(w().btnDeSelectAll);
        QVERIFY(w().audioList->checkedNames().isEmpty());
        f->select(Category::Video);
        click(w().btnSelectAll);
        QCOMPARE(w().videoList->checkedNames().size(), w().videoList->listWidget()->count());
        f->select(Category::Web);
        click(w().btnSelectAll);
        QVERIFY(w().audioList->checkedNames().isEmpty());
    }

    // --- dragging

    void dragCarriesTheEntry()
    {
        QVERIFY(w().videoList->listWidget()->count() > 1);
        dragItem(w().videoList, 1);
        QCOMPARE(drags.size(), 1);
        const S_RESOURCE &video = panel().catalogue().videoResources.at(1);
        QMimeData *data = dragData.first();
        QCOMPARE(data->text(), video.name);
        QCOMPARE(data->property("vid").toInt(), 0);
        QCOMPARE(data->property("type").toString(), video.path);
        QCOMPARE(data->property("source").toString(), QStringLiteral("list"));
        QCOMPARE(data->property("mediaType").toInt(), 0);
        QVERIFY(library::LibraryPanel::isWindowDrop(data));

        f->select(Category::Doc);
        dragItem(w().audioList, 0);
        QCOMPARE(drags.size(), 2);
        QCOMPARE(dragData.at(1)->property("vid").toInt(), -1);
        QCOMPARE(dragData.at(1)->property("mediaType").toInt(), 5);

        // Music entries carry no window type: a drop of one is not a window.
        f->select(Category::Music);
        dragItem(w().audioList, 0);
        QCOMPARE(drags.size(), 3);
        QCOMPARE(dragData.at(2)->property("mediaType").toInt(), -1);
        QVERIFY(!library::LibraryPanel::isWindowDrop(dragData.at(2)));
        QCOMPARE(panel().checkedCategoryType(), -1);
    }

    void scenesAreNeverDragged()
    {
        S_RESOURCE scene;
        scene.name = "Morning Welcome";
        w().modalList->loadResources({scene, scene});
        f->select(Category::Scene);
        dragItem(w().modalList, 0);
        QVERIFY(drags.isEmpty());
        QVERIFY(!w().modalList->listWidget()->allowDrag);
    }

    void sharedListDragsOnlyAfterLogin()
    {
        PanelFixture fresh;
        QVERIFY(fresh.start(0));
        QVERIFY(!fresh.w.audioList->listWidget()->allowDrag);
        QVERIFY(!fresh.w.audioList->checkable);
        QVERIFY(fresh.w.videoList->checkable && fresh.w.modalList->checkable);
        QVERIFY(!fresh.panel->sharedListConnected());
        QVERIFY(fresh.login());
        QVERIFY(fresh.w.audioList->listWidget()->allowDrag);
        QVERIFY(fresh.w.audioList->checkable);
        QVERIFY(fresh.panel->sharedListConnected());
    }

    // --- double-click

    void doubleClickGuardsTheLoad_data()
    {
        QTest::addColumn<int>("cpu");
        QTest::addColumn<bool>("opens");
        QTest::newRow("85 opens") << 85 << true;
        QTest::newRow("86 refuses") << 86 << false;
    }

    void doubleClickGuardsTheLoad()
    {
        QFETCH(int, cpu);
        QFETCH(bool, opens);
        simulator().setCpuUsage(cpu);
        f->select(Category::Picture);
        QListWidgetItem *item = w().audioList->listWidget()->item(0);
        const QString name = item->text();
        const int windowsBefore = f->canvas->windows().size();
        PanelFixture::doubleClick(w().audioList, item);

        QCOMPARE(simulator().requests("GetCpuUsage").size(), 1);
        QCOMPARE(simulator().requests("NewWindow").size(), opens ? 1 : 0);
        QCOMPARE(f->canvas->windows().size(), windowsBefore + (opens ? 1 : 0));
        if (opens) {
            const QJsonObject sent = simulator().requests("NewWindow").first().json();
            QCOMPARE(sent.value("Type").toInt(), 1);
            QCOMPARE(sent.value("Pictures").toArray().first().toObject().value("Name").toString(), name);
            QVERIFY(Dialogs::shownBoxes().isEmpty());
        } else {
            const QList<uikit::ShownBox> boxes = Dialogs::shownBoxes();
            QCOMPARE(boxes.size(), 1);
            QCOMPARE(boxes.first().type, BoxType::Error);
            QCOMPARE(boxes.first().text, QStringLiteral("服务器CPU占用太高，请关闭不需要的窗口！"));
        }
    }

    void documentOpensWithItsId()
    {
        f->select(Category::Doc);
        QListWidgetItem *item = PanelFixture::itemNamed(w().audioList, "Floor Guide.pdf");
        QVERIFY(item);
        PanelFixture::doubleClick(w().audioList, item);
        QCOMPARE(simulator().requests("NewWindow").size(), 1);
        const QJsonObject sent = simulator().requests("NewWindow").first().json();
        QCOMPARE(sent.value("Type").toInt(), 5);
        QCOMPARE(sent.value("VideoId").toInt(), -1);
        QCOMPARE(sent.value("Path").toString(), QStringLiteral("/others/Floor Guide.pdf"));
    }

    // A logout and a second login never double the shared strip's double-click.
    void oneWindowPerDoubleClickAfterRelogin_data()
    {
        QTest::addColumn<int>("family");
        QTest::newRow("media display (connection cut)") << 2;
        QTest::newRow("other family (connection kept)") << 0;
    }

    void oneWindowPerDoubleClickAfterRelogin()
    {
        QFETCH(int, family);
        QVERIFY(f->loginAs(family));
        f->window->on_disconnectButton_clicked();
        QCOMPARE(panel().sharedListConnected(), family != 2);
        QCOMPARE(w().videoList->listWidget()->count(), 0);
        QCOMPARE(w().audioList->listWidget()->count(), 0);
        QVERIFY(panel().catalogue().picResources.isEmpty() && panel().catalogue().videoResources.isEmpty());
        QCOMPARE(panel().catalogue().webResources.isEmpty(), family == 2);

        QVERIFY(f->login());
        QVERIFY(panel().sharedListConnected());
        f->select(Category::Web);
        simulator().clearRequests();
        const int windowsBefore = f->canvas->windows().size();
        PanelFixture::doubleClick(w().audioList, w().audioList->listWidget()->item(0));
        QCOMPARE(simulator().requests("NewWindow").size(), 1);
        QCOMPARE(f->canvas->windows().size(), windowsBefore + 1);

        f->select(Category::Video);
        PanelFixture::doubleClick(w().videoList, w().videoList->listWidget()->item(0));
        QCOMPARE(simulator().requests("NewWindow").size(), 2);
    }

    // --- application windows

    void applicationWindowsComeAndGo()
    {
        f->select(Category::Doc);
        QCOMPARE(PanelFixture::texts(w().audioList), (QStringList{"Floor Guide.pdf", "Visitor Notes.txt"}));
        QVERIFY(panel().refreshApplicationWindows());
        QCOMPARE(PanelFixture::texts(w().audioList),
                 (QStringList{"Floor Guide.pdf", "Visitor Notes.txt", "Monitoring Dashboard",
                              "Text Editor - notes.txt"}));
        QVERIFY(!panel().refreshApplicationWindows());

        simulator().setState({{"Applications", QJsonArray{QJsonObject{{"Title", "Player"}, {"Hwnd", 9}}}}});
        QVERIFY(panel().refreshApplicationWindows());
        QCOMPARE(PanelFixture::texts(w().audioList),
                 (QStringList{"Floor Guide.pdf", "Visitor Notes.txt", "Player"}));
        QCOMPARE(w().audioList->listWidget()->item(2)->data(Qt::UserRole).toInt(), 9);

        // Another category on show: the list changes, the strip does not.
        f->select(Category::Picture);
        const QStringList pictures = PanelFixture::texts(w().audioList);
        simulator().setState({{"Applications", QJsonArray()}});
        QVERIFY(panel().refreshApplicationWindows());
        QCOMPARE(PanelFixture::texts(w().audioList), pictures);
        QCOMPARE(panel().catalogue().docResources.size(), 2);
    }

    // --- background music

    void doubleClickPlaysOneMusicEntry()
    {
        f->select(Category::Music);
        QLybListWidget *list = w().audioList->listWidget();
        QVERIFY(list->count() >= 3);
        list->item(0)->setCheckState(Qt::Checked);
        list->item(2)->setCheckState(Qt::Checked);
        const QString name = list->item(1)->text();
        PanelFixture::doubleClick(w().audioList, list->item(1));

        QCOMPARE(w().audioList->checkedNames(), QStringList{name});
        QCOMPARE(panel().music().playlist, QStringList{name});
        const QList<sim::RecordedRequest> plays = simulator().requests("PlayBgMusic");
        QCOMPARE(plays.size(), 1);
        QCOMPARE(plays.first().json().value("Flag").toInt(), 1);
        QCOMPARE(plays.first().json().value("MusicList").toArray(), QJsonArray{name});
        QVERIFY(simulator().requests("GetCpuUsage").isEmpty());
        QVERIFY(simulator().requests("NewWindow").isEmpty());
        QVERIFY(!w().btnBGMPlay->isEnabled());
        QVERIFY(w().btnBGMStop->isEnabled());
    }

    void playSendsTheTickedEntriesBottomUp()
    {
        click(w().btnBGMPlay);
        QVERIFY(simulator().requests("PlayBgMusic").isEmpty()); // music not on show

        f->select(Category::Music);
        QLybListWidget *list = w().audioList->listWidget();
        click(w().btnDeSelectAll);
        QVERIFY(w().audioList->checkedNames().isEmpty());
        list->item(0)->setCheckState(Qt::Checked);
        list->item(2)->setCheckState(Qt::Checked);
        w().btnBGMPlay->setEnabled(true);
        click(w().btnBGMPlay);
        const QList<sim::RecordedRequest> plays = simulator().requests("PlayBgMusic");
        QCOMPARE(plays.size(), 1);
        QCOMPARE(plays.first().json().value("MusicList").toArray(),
                 (QJsonArray{list->item(2)->text(), list->item(0)->text()}));
        QCOMPARE(w().sliderBGMVolume->value(), 100);
        QCOMPARE(simulator().requests("SetBgMusicVolume").last().json().value("Volume").toInt(), 100);

        click(w().btnBGMStop);
        QCOMPARE(simulator().requests("PlayBgMusic").last().json(),
                 (QJsonObject{{"Command", "PlayBgMusic"}, {"Flag", 0}}));
        QVERIFY(w().btnBGMPlay->isEnabled());
        QVERIFY(!w().btnBGMStop->isEnabled());

        // Nothing ticked still plays, with an empty list.
        click(w().btnDeSelectAll);
        QVERIFY(w().audioList->checkedNames().isEmpty());
        click(w().btnBGMPlay);
        QCOMPARE(simulator().requests("PlayBgMusic").last().json().value("MusicList").toArray(),
                 QJsonArray());
    }

    void musicStateMarksThePlaylist()
    {
        const QString second = panel().catalogue().musicResources.at(1).name;
        simulator().setState(musicState(30, 1, {second}));
        f->select(Category::Music);
        QVERIFY(panel().getBgMusicState());
        QCOMPARE(w().audioList->checkedNames(), QStringList{second});
        QCOMPARE(w().sliderBGMVolume->value(), 30);
        QCOMPARE(simulator().requests("SetBgMusicVolume").last().json().value("Volume").toInt(), 30);
        QVERIFY(!w().btnBGMPlay->isEnabled());
        QVERIFY(w().btnBGMStop->isEnabled());

        // Opening the category marks the entries from the stored playlist again.
        f->select(Category::Picture);
        f->select(Category::Music);
        QCOMPARE(w().audioList->checkedNames(), QStringList{second});

        simulator().setFault("GetBgMusicState", sim::Fault{sim::Fault::HttpError, 0, 500, QString(), -1});
        QVERIFY(!panel().getBgMusicState());
        QCOMPARE(panel().music().playlist, QStringList{second});
    }
};

PELMORA_TEST_MAIN(TestLibraryPanel)
#include "test_librarypanel.moc"
