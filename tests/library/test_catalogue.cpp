// The widget-free catalogue: reply parsing per list command, icon rules, thumbnail
// fallbacks, application windows, removal by name, resource types and their requests.
#include "library/catalogue.h"
#include "library/resourcetypes.h"
#include "testmain.h"

#include <QJsonArray>
#include <QJsonObject>

using namespace library;

Q_DECLARE_METATYPE(library::Loader)

namespace {
QJsonObject reply(const char *key, const QJsonArray &array)
{
    return {{QStringLiteral("Command"), QStringLiteral("X")},
            {QStringLiteral("Status"), QStringLiteral("Ok")},
            {QLatin1String(key), array}};
}

QJsonObject entry(const QString &name, const QString &path)
{
    return {{QStringLiteral("Name"), name}, {QStringLiteral("Path"), path}};
}

S_RESOURCE doc(const QString &name, int videoId)
{
    S_RESOURCE r;
    r.name = name;
    r.videoId = videoId;
    r.mediaType = wall::TypeDocument;
    return r;
}
} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    // Each loader's command, reply key and what one element of its reply becomes.
    void parseEntry_data()
    {
        QTest::addColumn<Loader>("loader");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("replyKey");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("iconPath");
        QTest::addColumn<bool>("fetch");
        QTest::addColumn<int>("videoId");
        QTest::addColumn<int>("mediaType");

        QTest::newRow("picture") << Loader::Picture << "GetPicList"
                                 << "PicList"
                                 << "a.jpg"
                                 << "/pictures/a.jpg" << QString() << true << 0 << 1;
        QTest::newRow("video mkv") << Loader::Video << "GetVideoList"
                                   << "VideoList"
                                   << "Clip.MKV"
                                   << "/videos/Clip.MKV"
                                   << ":/images/mkv.png" << true << 0 << 0;
        QTest::newRow("video mp4") << Loader::Video << "GetVideoList"
                                   << "VideoList"
                                   << "clip.mp4"
                                   << "/videos/clip.mp4"
                                   << ":/images/mpeg.png" << true << 0 << 0;
        QTest::newRow("doc") << Loader::Doc << "GetDocList"
                             << "DocList"
                             << "notes.txt"
                             << "/others/notes.txt"
                             << ":/images/text.png" << true << -1 << 5;
        QTest::newRow("web") << Loader::Web << "GetWebList"
                             << "WebList"
                             << "Portal"
                             << "http://portal/"
                             << ":/images/url.png" << true << 0 << 2;
        QTest::newRow("office DOCX") << Loader::Office << "GetPptList"
                                     << "PptList"
                                     << "Report.DOCX"
                                     << "/office/Report.DOCX"
                                     << ":/images/word.png" << false << 0 << 3;
        QTest::newRow("office xls") << Loader::Office << "GetPptList"
                                    << "PptList"
                                    << "Budget.xls"
                                    << "/office/Budget.xls"
                                    << ":/images/xlsx_win.png" << false << 0 << 3;
        QTest::newRow("office pptx") << Loader::Office << "GetPptList"
                                     << "PptList"
                                     << "Deck.pptx"
                                     << "/office/Deck.pptx" << QString() << true << 0 << 3;
        QTest::newRow("office without dot") << Loader::Office << "GetPptList"
                                            << "PptList"
                                            << "Handbook"
                                            << "/office/Handbook" << QString() << true << 0 << 3;
        QTest::newRow("net video") << Loader::NetVideo << "GetNetVideoList"
                                   << "NetVideoList"
                                   << "Gate"
                                   << "rtsp://cam/1" << QString() << true << 0 << 4;
        QTest::newRow("music") << Loader::Audio << "GetAudioList"
                               << "AudioList"
                               << "Song.mp3"
                               << "/audios/Song.mp3"
                               << ":/images/newskin/music-large-white.png" << false << 0 << -1;
    }

    void parseEntry()
    {
        QFETCH(Loader, loader);
        QFETCH(QString, command);
        QFETCH(QString, replyKey);
        QFETCH(QString, name);
        QFETCH(QString, path);
        QFETCH(QString, iconPath);
        QFETCH(bool, fetch);
        QFETCH(int, videoId);
        QFETCH(int, mediaType);

        const LoaderSpec &row = loaderSpec(loader);
        QCOMPARE(QLatin1String(row.command), command);
        QCOMPARE(QLatin1String(row.replyKey), replyKey);

        const QList<ParsedEntry> parsed =
            parseListReply(loader, reply(row.replyKey, QJsonArray{entry(name, path), entry("second", "p2")}));
        QCOMPARE(parsed.size(), 2);
        const S_RESOURCE &r = parsed.first().resource;
        QCOMPARE(r.name, name);
        QCOMPARE(r.path, path);
        QCOMPARE(r.iconPath, iconPath);
        QCOMPARE(parsed.first().fetchThumbnail, fetch);
        QCOMPARE(r.videoId, videoId);
        QCOMPARE(r.mediaType, mediaType);
        QVERIFY(r.thumbnail.isEmpty());
        QCOMPARE(parsed.at(1).resource.name, QStringLiteral("second"));
    }

    void usbEntriesAreStrings()
    {
        const QList<ParsedEntry> parsed =
            parseListReply(Loader::Usb, reply("USBVideoList", QJsonArray{"HDMI 1", "USB Capture"}));
        QCOMPARE(QLatin1String(loaderSpec(Loader::Usb).command), QStringLiteral("GetUSBVideoList"));
        QCOMPARE(parsed.size(), 2);
        QCOMPARE(parsed.at(1).resource.name, QStringLiteral("USB Capture"));
        QCOMPARE(parsed.at(1).resource.path, QStringLiteral("USB Video"));
        QCOMPARE(parsed.at(1).resource.iconPath, QStringLiteral(":/images/hdmi.png"));
        QCOMPARE(parsed.at(1).resource.mediaType, 6);
        QVERIFY(!parsed.at(1).fetchThumbnail);
    }

    void missingKeyOrWrongShapeGivesEmptyFields()
    {
        QVERIFY(parseListReply(Loader::Picture, reply("VideoList", QJsonArray{entry("a", "b")})).isEmpty());
        QVERIFY(parseListReply(Loader::Picture, QJsonObject()).isEmpty());
        const QList<ParsedEntry> parsed = parseListReply(Loader::Picture, reply("PicList", QJsonArray{42}));
        QCOMPARE(parsed.size(), 1);
        QVERIFY(parsed.first().resource.name.isEmpty());
        QVERIFY(parsed.first().resource.path.isEmpty());
    }

    void videoIcons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("icon");
        QTest::newRow("mkv") << "a.mkv"
                             << ":/images/mkv.png";
        QTest::newRow("WMV") << "a.b.WMV"
                             << ":/images/wmv.png";
        QTest::newRow("mov") << "a.mov"
                             << ":/images/mov.png";
        QTest::newRow("avi") << "a.Avi"
                             << ":/images/avi.png";
        QTest::newRow("mp4") << "a.mp4"
                             << ":/images/mpeg.png";
        QTest::newRow("no dot") << "mkv"
                                << ":/images/mpeg.png";
    }

    void videoIcons()
    {
        QFETCH(QString, name);
        QFETCH(QString, icon);
        QCOMPARE(videoIconFor(name), icon);
    }

    // A failed fetch falls back to the category's picture where it has one.
    void thumbnailFallbacks_data()
    {
        QTest::addColumn<Loader>("loader");
        QTest::addColumn<QString>("iconBefore");
        QTest::addColumn<QString>("iconAfterFailure");
        QTest::newRow("office") << Loader::Office << QString() << ":/images/pptx_win.png";
        QTest::newRow("net video") << Loader::NetVideo << QString() << ":/images/ipc2.png";
        QTest::newRow("web") << Loader::Web << ":/images/url.png"
                             << ":/images/url.png";
        QTest::newRow("picture") << Loader::Picture << QString() << QString();
    }

    void thumbnailFallbacks()
    {
        QFETCH(Loader, loader);
        QFETCH(QString, iconBefore);
        QFETCH(QString, iconAfterFailure);
        S_RESOURCE failed;
        failed.iconPath = iconBefore;
        applyThumbnail(loader, failed, false, QByteArray());
        QCOMPARE(failed.iconPath, iconAfterFailure);
        QVERIFY(failed.thumbnail.isEmpty());

        S_RESOURCE fetched;
        fetched.iconPath = iconBefore;
        applyThumbnail(loader, fetched, true, "JPEG");
        QCOMPARE(fetched.iconPath, iconBefore);
        QCOMPARE(fetched.thumbnail, QByteArray("JPEG"));
    }

    void snapshotPathKeepsTheName()
    {
        QCOMPARE(snapshotPath("a #1?.jpg"), QStringLiteral("/snapshot/a #1?.jpg"));
    }

    // Windows that closed leave, new ones are appended with their preview, documents stay.
    void applicationWindows()
    {
        ResourceList docs{doc("Guide.pdf", -1), doc("Old App", 11), doc("Kept App", 12)};
        QList<int> previewed;
        auto preview = [&previewed](int hwnd) {
            previewed.append(hwnd);
            return QByteArray::number(hwnd);
        };
        const QList<AppWindow> windows{{"Kept App", 12}, {"New App", 13}};
        QVERIFY(mergeApplicationWindows(docs, windows, preview));
        QCOMPARE(docs.size(), 3);
        QCOMPARE(docs.at(0).name, QStringLiteral("Guide.pdf"));
        QCOMPARE(docs.at(1).name, QStringLiteral("Kept App"));
        QCOMPARE(docs.at(2).name, QStringLiteral("New App"));
        QCOMPARE(docs.at(2).videoId, 13);
        QCOMPARE(docs.at(2).mediaType, 5);
        QVERIFY(docs.at(2).iconPath.isEmpty() && docs.at(2).path.isEmpty());
        QCOMPARE(docs.at(2).thumbnail, QByteArray("13"));
        QCOMPARE(previewed, QList<int>{13});

        // Nothing new: no preview, no change; an empty list leaves the document alone.
        QVERIFY(!mergeApplicationWindows(docs, windows, preview));
        QCOMPARE(previewed.size(), 1);
        QVERIFY(mergeApplicationWindows(docs, {}, preview));
        QCOMPARE(docs.size(), 1);
        QCOMPARE(docs.first().videoId, -1);
    }

    void wndListParsing()
    {
        const QJsonObject r{{"WndList", QJsonArray{QJsonObject{{"Title", "A"}, {"Hwnd", 7}}, QJsonObject()}}};
        const QList<AppWindow> windows = parseWndList(r);
        QCOMPARE(windows.size(), 2);
        QCOMPARE(windows.first().title, QStringLiteral("A"));
        QCOMPARE(windows.first().hwnd, 7);
        QCOMPARE(windows.at(1).hwnd, 0);
    }

    void catalogueLists()
    {
        ResourceCatalogue catalogue;
        S_RESOURCE web;
        web.name = "Portal";
        web.path = "http://portal/";
        catalogue.webResources = {web, web};
        catalogue.webResources[1].path = "second";
        QCOMPARE(catalogue.resourcePath(wall::TypeWebPage, "Portal"), QStringLiteral("http://portal/"));
        QVERIFY(catalogue.resourcePath(wall::TypeWebPage, "Unknown").isEmpty());
        QVERIFY(catalogue.resourcePath(wall::TypeOffice, "Portal").isEmpty());
        QVERIFY(catalogue.resourcePath(9, "Portal").isEmpty());
        QVERIFY(!catalogue.list(Category::Scene) && !catalogue.list(Category::Caption));
        QCOMPARE(catalogue.list(Category::Music), &catalogue.musicResources);

        const int generation = catalogue.generation(Category::Web);
        catalogue.restart(Category::Web);
        QVERIFY(catalogue.webResources.isEmpty());
        QVERIFY(catalogue.generation(Category::Web) != generation);

        ResourceList list{web, doc("Other", 0), web};
        QCOMPARE(removeResourceByName("Portal", list), 2);
        QCOMPARE(list.size(), 1);
        QCOMPARE(removeResourceByName("Portal", list), 0);
    }

    void categoryCodes()
    {
        const QList<QPair<Category, int>> codes = {
            {Category::Video, 0},    {Category::Picture, 1}, {Category::Web, 2}, {Category::Office, 3},
            {Category::NetVideo, 4}, {Category::Doc, 5},     {Category::Usb, 6}, {Category::Scene, -1},
            {Category::Caption, -1}, {Category::Music, -1}};
        for (const auto &code : codes) {
            QCOMPARE(windowTypeOf(code.first), code.second);
            Category back;
            if (code.second >= 0) {
                QVERIFY(categoryOfType(code.second, &back));
                QCOMPARE(back, code.first);
            }
        }
        Category unused;
        QVERIFY(!categoryOfType(7, &unused) && !categoryOfType(-1, &unused));
    }

    // The type is taken in the order web, net video, picture, video, Office, other, music.
    void resourceTypes()
    {
        QVERIFY(!resourceTypeOf(Category::Usb) && !resourceTypeOf(Category::Caption) &&
                !resourceTypeOf(Category::Scene));
        const QList<Category> checked{Category::Music, Category::Picture, Category::Web};
        const ResourceTypeSpec *first = checkedResourceType([&](Category c) { return checked.contains(c); });
        QVERIFY(first);
        QCOMPARE(QLatin1String(first->resType), QStringLiteral("WEB"));
        QVERIFY(!checkedResourceType([](Category c) { return c == Category::Usb; }));

        const QList<std::tuple<Category, QString, int, QString>> table = {
            {Category::Video, "Video", 0, "/videos/"},
            {Category::Picture, "Picture", 1, "/pictures/"},
            {Category::Web, "WEB", 2, ""},
            {Category::Office, "Office", 3, "/office/"},
            {Category::NetVideo, "NetVideo", 4, ""},
            {Category::Doc, "Other", 5, "/others/"},
            {Category::Music, "Music", 12, "/audios/"}};
        for (const auto &row : table) {
            const ResourceTypeSpec *s = resourceTypeOf(std::get<0>(row));
            QVERIFY(s);
            QCOMPARE(QLatin1String(s->resType), std::get<1>(row));
            QCOMPARE(s->dialogType, std::get<2>(row));
            QCOMPARE(QLatin1String(s->folder), std::get<3>(row));
            QCOMPARE(needsUpload(*s), !std::get<3>(row).isEmpty());
            QCOMPARE(resourceTypeOfDialog(s->dialogType), s);
        }
    }

    void addRequests_data()
    {
        QTest::addColumn<int>("dialogType");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("credentials");
        QTest::newRow("web with both") << 2 << "u"
                                       << "p" << true;
        QTest::newRow("web user without password") << 2 << "u" << QString() << false;
        QTest::newRow("web password without user") << 2 << QString() << "p" << false;
        QTest::newRow("net video never") << 4 << "u"
                                         << "p" << false;
    }

    void addRequests()
    {
        QFETCH(int, dialogType);
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(bool, credentials);
        const ResourceTypeSpec *row = resourceTypeOfDialog(dialogType);
        const QJsonObject request = addResourceRequest(*row, "Name", "http://x/", user, password);
        QCOMPARE(request.value("Command").toString(), QStringLiteral("AddResource"));
        QCOMPARE(request.value("ResType").toString(), QLatin1String(row->resType));
        QCOMPARE(request.value("ResName").toString(), QStringLiteral("Name"));
        QCOMPARE(request.value("ResPath").toString(), QStringLiteral("http://x/"));
        QCOMPARE(request.contains("UserName"), credentials);
        QCOMPARE(request.contains("Password"), credentials);
        QCOMPARE(request.size(), credentials ? 6 : 4);
    }

    void delRequest()
    {
        const QJsonObject request = delResourceRequest(*resourceTypeOf(Category::Picture), "a.jpg");
        QCOMPARE(request,
                 (QJsonObject{{"Command", "DelResource"}, {"ResName", "a.jpg"}, {"ResType", "Picture"}}));
    }
};

PELMORA_TEST_MAIN(TestCatalogue)
#include "test_catalogue.moc"
