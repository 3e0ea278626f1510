// The list loaders against the controller simulator: one command per category, a snapshot
// per entry where the category wants one, the fallback pictures when a snapshot fails, and
// the application windows of the other-documents list.
#include "library/imagewidget.h"
#include "library/resourceloader.h"
#include "simsession.h"
#include "testmain.h"
#include "uikit/dialogs.h"

#include <QImage>
#include <QJsonArray>
#include <QTimer>
#include <QWidget>

using namespace library;
using pelmora::test::SimSession;

namespace {
// Samples a window's cursor on every turn of the event loop, nested waits included, and
// keeps each change: a load shows Arrow, Wait, Arrow.
class CursorWatch
{
public:
    explicit CursorWatch(QWidget *window) : m_window(window)
    {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { sample(); });
        sample();
        m_timer.start();
    }
    QList<Qt::CursorShape> shapes()
    {
        sample();
        return m_shapes;
    }

private:
    void sample()
    {
        const Qt::CursorShape shape = m_window->cursor().shape();
        if (m_shapes.isEmpty() || m_shapes.last() != shape)
            m_shapes.append(shape);
    }
    QWidget *m_window;
    QTimer m_timer;
    QList<Qt::CursorShape> m_shapes;
};
} // namespace

Q_DECLARE_METATYPE(library::Loader)

namespace {
QJsonObject named(const QString &name, const QString &path)
{
    return {{QStringLiteral("Name"), name}, {QStringLiteral("Path"), path}};
}

// A catalogue small enough to check entry by entry.
QJsonObject catalogueState()
{
    const QJsonObject resources{
        {"Video", QJsonArray{named("a.mkv", "/videos/a.mkv"), named("c #1.wmv", "/videos/c #1.wmv")}},
        {"Picture", QJsonArray{named("p1.jpg", "/pictures/p1.jpg"), named("p2.png", "/pictures/p2.png")}},
        {"Office",
         QJsonArray{named("Report.DOCX", "/office/Report.DOCX"), named("Budget.xls", "/office/Budget.xls"),
                    named("Deck.pptx", "/office/Deck.pptx"), named("Handbook", "/office/Handbook")}},
        {"WEB", QJsonArray{named("Portal", "http://portal.example.com/")}},
        {"NetVideo", QJsonArray{named("Gate", "rtsp://192.0.2.10/1")}},
        {"Other", QJsonArray{named("Guide.pdf", "/others/Guide.pdf")}},
        {"USB", QJsonArray{"USB 1", "HDMI 2"}},
        {"Music", QJsonArray{named("m1.mp3", "/audios/m1.mp3"), named("m2.wav", "/audios/m2.wav")}},
    };
    return {{"Resources", resources},
            {"Applications", QJsonArray{QJsonObject{{"Title", "Dashboard"}, {"Hwnd", 11}},
                                        QJsonObject{{"Title", "Editor"}, {"Hwnd", 12}}}}};
}

QImage framed(const S_RESOURCE &resource)
{
    return ImageWidget::framedThumbnail(resource).toImage();
}

S_RESOURCE withIcon(const QString &iconPath)
{
    S_RESOURCE r;
    r.iconPath = iconPath;
    return r;
}

sim::Fault httpError()
{
    sim::Fault fault;
    fault.kind = sim::Fault::HttpError;
    fault.httpStatus = 404;
    return fault;
}
} // namespace

class TestResourceLoader : public QObject
{
    Q_OBJECT

    std::unique_ptr<SimSession> sim;
    ResourceCatalogue catalogue;
    std::unique_ptr<ResourceLoader> loader;
    QWidget cursorWindow;
    std::unique_ptr<CursorWatch> cursors;

    int snapshotRequests() const
    {
        int count = 0;
        for (const sim::RecordedRequest &r : sim->simulator.requests()) {
            if (r.path.startsWith(QLatin1String("/snapshot/")))
                ++count;
        }
        return count;
    }

private slots:
    void init()
    {
        uikit::Dialogs::reset();
        sim = std::make_unique<SimSession>();
        QVERIFY(sim->start());
        sim->simulator.setState(catalogueState());
        sim->simulator.clearRequests();
        catalogue = ResourceCatalogue();
        loader = std::make_unique<ResourceLoader>(sim->transport.get(), &catalogue, &cursorWindow);
        cursors = std::make_unique<CursorWatch>(&cursorWindow);
    }

    void cleanup()
    {
        cursors.reset();
        loader.reset();
        sim.reset();
    }

    // Each loader sends its command once and fetches the snapshots its category wants,
    // by the entry's name unchanged ("#" and spaces included).
    void loaders_data()
    {
        QTest::addColumn<Loader>("which");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("snapshots");
        QTest::addColumn<QStringList>("icons");

        QTest::newRow("video") << Loader::Video << "GetVideoList" << QStringList{"a.mkv", "c #1.wmv"}
                               << QStringList{"a.mkv", "c #1.wmv"}
                               << QStringList{":/images/mkv.png", ":/images/wmv.png"};
        QTest::newRow("picture") << Loader::Picture << "GetPicList" << QStringList{"p1.jpg", "p2.png"}
                                 << QStringList{"p1.jpg", "p2.png"} << QStringList{QString(), QString()};
        QTest::newRow("office") << Loader::Office << "GetPptList"
                                << QStringList{"Report.DOCX", "Budget.xls", "Deck.pptx", "Handbook"}
                                << QStringList{"Deck.pptx", "Handbook"}
                                << QStringList{":/images/word.png", ":/images/xlsx_win.png", QString(),
                                               QString()};
        QTest::newRow("web") << Loader::Web << "GetWebList" << QStringList{"Portal"} << QStringList{"Portal"}
                             << QStringList{":/images/url.png"};
        QTest::newRow("net video") << Loader::NetVideo << "GetNetVideoList" << QStringList{"Gate"}
                                   << QStringList{"Gate"} << QStringList{QString()};
        QTest::newRow("documents") << Loader::Doc << "GetDocList" << QStringList{"Guide.pdf"}
                                   << QStringList{"Guide.pdf"} << QStringList{":/images/text.png"};
        QTest::newRow("usb") << Loader::Usb << "GetUSBVideoList" << QStringList{"USB 1", "HDMI 2"}
                             << QStringList() << QStringList{":/images/hdmi.png", ":/images/hdmi.png"};
        QTest::newRow("music") << Loader::Audio << "GetAudioList" << QStringList{"m1.mp3", "m2.wav"}
                               << QStringList()
                               << QStringList{":/images/newskin/music-large-white.png",
                                              ":/images/newskin/music-large-white.png"};
    }

    void loaders()
    {
        QFETCH(Loader, which);
        QFETCH(QString, command);
        QFETCH(QStringList, names);
        QFETCH(QStringList, snapshots);
        QFETCH(QStringList, icons);

        QVERIFY(loader->load(which));
        QCOMPARE(sim->simulator.requests(command).size(), 1);
        QCOMPARE(cursors->shapes(),
                 (QList<Qt::CursorShape>{Qt::ArrowCursor, Qt::WaitCursor, Qt::ArrowCursor}));

        const ResourceList &entries = *catalogue.list(loaderSpec(which).category);
        QCOMPARE(entries.size(), names.size());
        for (int i = 0; i < entries.size(); ++i) {
            QCOMPARE(entries.at(i).name, names.at(i));
            QCOMPARE(entries.at(i).iconPath, icons.at(i));
            const bool wanted = snapshots.contains(names.at(i));
            QCOMPARE(!entries.at(i).thumbnail.isEmpty(), wanted);
            if (wanted) {
                QCOMPARE(sim->simulator.requests("/snapshot/" + names.at(i)).size(), 1);
                QVERIFY(!QImage::fromData(entries.at(i).thumbnail, "JPEG").isNull());
            }
        }
        QCOMPARE(snapshotRequests(), snapshots.size());

        // Loading again replaces the list instead of adding to it.
        QVERIFY(loader->load(which));
        QCOMPARE(catalogue.list(loaderSpec(which).category)->size(), names.size());
    }

    // A snapshot that fails leaves the thumbnail empty; the strip then shows the entry's
    // own picture, the category's fallback, or the no-preview picture.
    void failedSnapshots_data()
    {
        QTest::addColumn<Loader>("which");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shownIcon");
        QTest::newRow("web page") << Loader::Web << "Portal"
                                  << ":/images/url.png";
        QTest::newRow("picture") << Loader::Picture << "p1.jpg" << QString();
        QTest::newRow("office") << Loader::Office << "Deck.pptx"
                                << ":/images/pptx_win.png";
        QTest::newRow("net video") << Loader::NetVideo << "Gate"
                                   << ":/images/ipc2.png";
    }

    void failedSnapshots()
    {
        QFETCH(Loader, which);
        QFETCH(QString, name);
        QFETCH(QString, shownIcon);

        sim->simulator.setFault("/snapshot/" + name, httpError());
        QVERIFY(loader->load(which));
        const ResourceList &entries = *catalogue.list(loaderSpec(which).category);
        auto it =
            std::find_if(entries.begin(), entries.end(), [&](const S_RESOURCE &r) { return r.name == name; });
        QVERIFY(it != entries.end());
        QVERIFY(it->thumbnail.isEmpty());
        QCOMPARE(it->iconPath, shownIcon);

        const QImage shown = framed(*it);
        const QImage noPreview = framed(S_RESOURCE());
        if (shownIcon.isEmpty()) {
            QCOMPARE(shown, noPreview);
        } else {
            QCOMPARE(shown, framed(withIcon(shownIcon)));
            QVERIFY(shown != noPreview);
        }
    }

    void failedCommandLeavesAnEmptyList()
    {
        QVERIFY(loader->getPicList());
        QCOMPARE(catalogue.picResources.size(), 2);
        sim->simulator.setFault("GetPicList", httpError());
        QVERIFY(!loader->getPicList());
        QVERIFY(catalogue.picResources.isEmpty());
        QCOMPARE(cursorWindow.cursor().shape(), Qt::ArrowCursor);
        QVERIFY(uikit::Dialogs::shownBoxes().isEmpty());
    }

    // Windows that close leave, new ones arrive with a preview; documents always stay.
    void applicationWindows()
    {
        QVERIFY(loader->getDocList());
        QVERIFY(loader->getSysWindows());
        QStringList names;
        for (const S_RESOURCE &r : catalogue.docResources)
            names.append(r.name);
        QCOMPARE(names, (QStringList{"Guide.pdf", "Dashboard", "Editor"}));
        QCOMPARE(catalogue.docResources.at(1).videoId, 11);
        QCOMPARE(catalogue.docResources.at(1).mediaType, 5);
        QVERIFY(!QImage::fromData(catalogue.docResources.at(1).thumbnail).isNull());
        QCOMPARE(sim->simulator.requests("GetWndPreview").size(), 2);
        QCOMPARE(sim->simulator.requests("GetWndPreview").first().query.value("Hwnd"), QStringLiteral("11"));

        // Nothing changed: no preview is fetched again.
        QVERIFY(!loader->getSysWindows());
        QCOMPARE(sim->simulator.requests("GetWndPreview").size(), 2);

        sim->simulator.setState(
            {{"Applications", QJsonArray{QJsonObject{{"Title", "Editor"}, {"Hwnd", 12}},
                                         QJsonObject{{"Title", "Player"}, {"Hwnd", 13}}}}});
        QVERIFY(loader->getSysWindows());
        names.clear();
        for (const S_RESOURCE &r : catalogue.docResources)
            names.append(r.name);
        QCOMPARE(names, (QStringList{"Guide.pdf", "Editor", "Player"}));

        sim->simulator.setState({{"Applications", QJsonArray()}});
        QVERIFY(loader->getSysWindows());
        QCOMPARE(catalogue.docResources.size(), 1);
        QCOMPARE(catalogue.docResources.first().videoId, -1);
    }

    void failedWindowQueryChangesNothing_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("http error") << int(sim::Fault::HttpError);
        QTest::newRow("refused") << int(sim::Fault::Refuse);
    }

    void failedWindowQueryChangesNothing()
    {
        QFETCH(int, kind);
        QVERIFY(loader->getSysWindows());
        QCOMPARE(catalogue.docResources.size(), 2);
        sim::Fault fault;
        fault.kind = sim::Fault::Kind(kind);
        sim->simulator.setFault("GetSysWindows", fault);
        QVERIFY(!loader->getSysWindows());
        QCOMPARE(catalogue.docResources.size(), 2);
    }

    void windowPreviewIsTheWholeBody()
    {
        const QByteArray preview = loader->getWndPreview(12);
        QVERIFY(!QImage::fromData(preview, "JPEG").isNull());
        sim->simulator.setFault("GetWndPreview", httpError());
        QVERIFY(loader->getWndPreview(12).isEmpty());
    }
};

PELMORA_TEST_MAIN(TestResourceLoader)
#include "test_resourceloader.moc"
