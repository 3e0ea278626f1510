// Resources dropped from the strips onto the wall canvas and rectangles drawn on it, in the
// real main window against the controller simulator: what may open a window is decided
// before anything is closed or sent.
#include "panelfixture.h"
#include "testmain.h"
#include "wall/wallreplies.h"
#include "wall/windowwidget.h"

#include <QDrag>
#include <QJsonArray>
#include <QMimeData>

using library::Category;
using uikit::Dialogs;

Q_DECLARE_METATYPE(library::Category)

namespace {

using WindowList = QList<QPair<uint, QRect>>;

// One wall of three 1920 x 1080 monitors with a web page on the first one.
QJsonObject oneWindowWall()
{
    const QJsonObject page{
        {"WindowId", 7},
        {"WindowType", 2},
        {"Name", "Company Portal"},
        {"Path", "http://portal.example.com/"},
        {"WindowRect", QJsonObject{{"Left", 0}, {"Top", 0}, {"Right", 1920}, {"Bottom", 1080}}}};
    const QJsonObject group{{"Name", "Lobby"},
                            {"Width", 5760},
                            {"Height", 1080},
                            {"ScrRows", 1},
                            {"ScrCols", 3},
                            {"CustomWidth", QJsonArray()},
                            {"CustomHeight", QJsonArray()},
                            {"Windows", QJsonArray{page}}};
    return {{"Groups", QJsonArray{group}}, {"ScrIndex", 0}};
}

// Drags `mime` over the canvas to `pos` and drops it there; true when the drop was taken.
bool dropOn(ScreenWidget *canvas, const QPoint &pos, const QMimeData *mime)
{
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(pos, actions, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &enter);
    if (!enter.isAccepted())
        return false;
    QDragMoveEvent move(pos, actions, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
    if (!move.isAccepted())
        return false;
    QDropEvent drop(pos, actions, mime, Qt::LeftButton, Qt::NoModifier);
    drop.setAccepted(false);
    QApplication::sendEvent(canvas, &drop);
    return drop.isAccepted();
}

} // namespace

class TestWallDrops : public QObject
{
    Q_OBJECT

    std::unique_ptr<PanelFixture> f;
    QPoint dropAt;
    bool dropTaken = false;

    sim::Simulator &simulator() { return f->simulator; }
    library::LibraryWidgets &w() { return f->w; }

    bool start(int family)
    {
        f = std::make_unique<PanelFixture>();
        if (!f->start(family))
            return false;
        f->simulator.setState(oneWindowWall());
        return f->login();
    }

    // The middle of monitor `col` on the canvas.
    QPoint monitor(int col) const { return f->canvas->cellRect(false, 0, col).center(); }

    WindowList canvasWindows() const
    {
        WindowList list;
        for (const WindowWidget *item : f->canvas->windows())
            list.append({item->windowId(), item->realRect()});
        return list;
    }

    WindowList controllerWindows() const
    {
        WindowList list;
        for (const wall::WindowRecord &record : wall::parseWindowList(f->simulator.windowList(0)))
            list.append({record.windowId, record.rect});
        return list;
    }

    // The window commands that reached the controller, in order.
    QStringList windowCommands() const
    {
        QStringList names;
        for (const sim::RecordedRequest &request : f->simulator.requests()) {
            if (request.command == QLatin1String("CloseWindow") ||
                request.command == QLatin1String("NewWindow"))
                names.append(request.command);
        }
        return names;
    }

    // Drags the entry `name` of the strip as the operator does and drops it at `at`.
    void dragAndDrop(ImageWidget *strip, const QString &name, const QPoint &at)
    {
        QListWidgetItem *item = PanelFixture::itemNamed(strip, name);
        QVERIFY2(item, qPrintable(name));
        QLybListWidget *list = strip->listWidget();
        list->scrollToItem(item);
        const QPoint from = list->visualItemRect(item).center();
        dropAt = at;
        dropTaken = false;
        QTest::mousePress(list->viewport(), Qt::LeftButton, Qt::NoModifier, from);
        // The strip's kinetic scrolling holds a press back for a moment before the list sees it.
        QVERIFY(QTest::qWaitFor([list] { return list->pressedItem() != nullptr; }, 2000));
        const QPoint end = from + QPoint(QApplication::startDragDistance() + 1, 0);
        QMouseEvent move(QEvent::MouseMove, end, list->viewport()->mapToGlobal(end), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &move);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, Qt::NoModifier, from);
    }

    // A rectangle drawn on the canvas around `centre`.
    void drawRectangle(const QPoint &centre)
    {
        ScreenWidget *canvas = f->canvas;
        const QPoint from = centre - QPoint(10, 10);
        const QPoint to = centre + QPoint(10, 10);
        QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, from);
        QMouseEvent move(QEvent::MouseMove, to, canvas->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(canvas, &move);
        QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, to);
    }

private slots:
    void initTestCase()
    {
        QLybListWidget::setDragRunner(
            [this](QDrag *drag) { dropTaken = dropOn(f->canvas, dropAt, drag->mimeData()); });
    }

    void cleanupTestCase() { QLybListWidget::setDragRunner({}); }

    void init() { Dialogs::reset(); }

    void cleanup() { f.reset(); }

    void dropDecidedBeforeAnythingIsSent_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<Category>("category");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("onWindow"); // else on the empty second monitor
        QTest::addColumn<bool>("opens");

        // A music file has no window type: the window it lands on stays, nothing is sent.
        QTest::newRow("music on a window") << 2 << Category::Music << "Morning Breeze.mp3" << true << false;
        QTest::newRow("music on an empty cell")
            << 2 << Category::Music << "Morning Breeze.mp3" << false << false;
        // A document (video id -1) is a resource like any other, in every device family.
        QTest::newRow("document on an empty cell")
            << 0 << Category::Doc << "Floor Guide.pdf" << false << true;
        QTest::newRow("document on a window") << 0 << Category::Doc << "Floor Guide.pdf" << true << true;
    }

    void dropDecidedBeforeAnythingIsSent()
    {
        QFETCH(int, family);
        QFETCH(Category, category);
        QFETCH(QString, entry);
        QFETCH(bool, onWindow);
        QFETCH(bool, opens);
        QVERIFY(start(family));
        f->select(category);
        const WindowList before = canvasWindows();
        QCOMPARE(before.size(), 1);
        simulator().clearRequests();

        dragAndDrop(w().audioList, entry, monitor(onWindow ? 0 : 1));
        QCOMPARE(dropTaken, opens);
        QVERIFY(Dialogs::shownBoxes().isEmpty());
        if (!opens) {
            QCOMPARE(windowCommands(), QStringList());
            QCOMPARE(canvasWindows(), before);
            QCOMPARE(controllerWindows(), before);
            return;
        }
        // On a window the drop replaces it under its id; on an empty cell it opens beside it.
        QCOMPARE(windowCommands(),
                 onWindow ? (QStringList{"CloseWindow", "NewWindow"}) : QStringList{"NewWindow"});
        const QJsonObject window = simulator().requests("NewWindow").first().json();
        QCOMPARE(window.value("Type").toInt(), 5);
        QCOMPARE(window.value("VideoId").toInt(), -1);
        QCOMPARE(window.value("Name").toString(), entry);
        QCOMPARE(window.value("Path").toString(), "/others/" + entry);
        if (onWindow) {
            QCOMPARE(window.value("WindowId").toInt(), 7);
            QCOMPARE(simulator().requests("CloseWindow").first().json().value("WindowId").toInt(), 7);
        }
        QCOMPARE(f->canvas->windows().size(), onWindow ? 1 : 2);
        QCOMPARE(f->canvas->windows().last()->name(), entry);
        QCOMPARE(controllerWindows(), canvasWindows());
    }

    void rubberBandOpensOnlyFromAWindowCategory_data()
    {
        QTest::addColumn<Category>("category");
        QTest::addColumn<bool>("opens");
        QTest::newRow("music") << Category::Music << false;
        QTest::newRow("scenes") << Category::Scene << false;
        QTest::newRow("captions") << Category::Caption << false;
        QTest::newRow("pictures") << Category::Picture << true;
    }

    // In a media display family a drawn rectangle takes the current entry of the category
    // shown, never a leftover of the shared strip (here: the music entries it showed last).
    void rubberBandOpensOnlyFromAWindowCategory()
    {
        QFETCH(Category, category);
        QFETCH(bool, opens);
        QVERIFY(start(2));
        f->select(Category::Music);
        f->select(category);
        simulator().clearRequests();

        drawRectangle(monitor(1));
        QCOMPARE(f->canvas->windows().size(), opens ? 2 : 1);
        QCOMPARE(windowCommands(), opens ? QStringList{"NewWindow"} : QStringList());
        QVERIFY(Dialogs::shownBoxes().isEmpty());
        if (opens) {
            const QJsonObject window = simulator().requests("NewWindow").first().json();
            QCOMPARE(window.value("Type").toInt(), 1);
            QCOMPARE(window.value("RealRect").toObject(),
                     (QJsonObject{{"Left", 1920}, {"Top", 0}, {"Right", 3840}, {"Bottom", 1080}}));
            QCOMPARE(controllerWindows(), canvasWindows());
        }
    }
};

PELMORA_TEST_MAIN(TestWallDrops)
#include "test_walldrops.moc"
