#include "library/imagewidget.h"
#include "library/qlyblistwidget.h"
#include "library/resource.h"
#include "testmain.h"

#include <QBuffer>
#include <QDrag>
#include <QHelpEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QToolTip>

namespace {

QByteArray encoded(const QColor &color, const char *format)
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// Colour at the middle of an item's framed thumbnail: always inside the painted picture.
QColor iconCentre(const QListWidgetItem *item)
{
    return item->icon().pixmap(160, 120).toImage().pixelColor(80, 60);
}

bool near(const QColor &a, const QColor &b)
{
    return qAbs(a.red() - b.red()) < 24 && qAbs(a.green() - b.green()) < 24 && qAbs(a.blue() - b.blue()) < 24;
}

S_RESOURCE resource(const QString &name, int videoId = 0, int mediaType = 0)
{
    S_RESOURCE r;
    r.name = name;
    r.path = QStringLiteral("D:/media/") + name;
    r.videoId = videoId;
    r.mediaType = mediaType;
    return r;
}

// Counts the presses that reach it, i.e. that a child passed on.
class PressRecorder : public QWidget
{
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        ++presses;
        event->accept();
    }
};

} // namespace

class TestImageWidget : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLybListWidget::setDragRunner({}); }

    void picture_data();
    void picture();
    void roles_data();
    void roles();
    void checking();
    void currentItemRules();
    void doubleClickSignal();
    void dragData();
    void dragStart_data();
    void dragStart();
    void pressOnEmptyListGoesToParent_data();
    void pressOnEmptyListGoesToParent();
    void controllerTextIsShownAsItIs_data();
    void controllerTextIsShownAsItIs();
};

void TestImageWidget::picture_data()
{
    QTest::addColumn<QByteArray>("thumbnail");
    QTest::addColumn<QString>("iconFormat"); // format of the local icon file; empty: no iconPath
    QTest::addColumn<QColor>("expected");    // invalid: the "no preview" picture

    const QByteArray redJpeg = encoded(Qt::red, "JPEG");
    QTest::newRow("thumbnail wins over icon") << redJpeg << "PNG" << QColor(Qt::red);
    QTest::newRow("icon as JPEG") << QByteArray() << "JPEG" << QColor(Qt::green);
    QTest::newRow("icon as PNG") << QByteArray() << "PNG" << QColor(Qt::green);
    QTest::newRow("undecodable thumbnail") << QByteArray("not a picture") << "PNG" << QColor();
    QTest::newRow("nothing") << QByteArray() << QString() << QColor();
    QTest::newRow("missing icon file") << QByteArray() << "missing" << QColor();
}

void TestImageWidget::picture()
{
    QFETCH(QByteArray, thumbnail);
    QFETCH(QString, iconFormat);
    QFETCH(QColor, expected);

    QTemporaryDir dir;
    S_RESOURCE entry = resource(QStringLiteral("a.mp4"));
    entry.thumbnail = thumbnail;
    if (!iconFormat.isEmpty()) {
        // No extension: the decoder has to go by the format hints.
        entry.iconPath = dir.filePath(QStringLiteral("icon"));
        if (iconFormat != QLatin1String("missing")) {
            QFile file(entry.iconPath);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(encoded(Qt::green, iconFormat.toLatin1().constData()));
        }
    }

    ImageWidget strip;
    strip.loadResources({entry});
    QCOMPARE(strip.listWidget()->count(), 1);
    if (!expected.isValid()) {
        const QImage fallback(QStringLiteral(":/images/no_preview.jpg"));
        QVERIFY(!fallback.isNull());
        expected =
            fallback.scaled(144, 104, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixelColor(72, 52);
    }
    const QColor actual = iconCentre(strip.listWidget()->item(0));
    QVERIFY2(near(actual, expected), qPrintable(actual.name() + QLatin1String(" vs ") + expected.name()));
}

void TestImageWidget::roles_data()
{
    QTest::addColumn<bool>("checkable");
    QTest::newRow("plain") << false;
    QTest::newRow("checkable") << true;
}

void TestImageWidget::roles()
{
    QFETCH(bool, checkable);
    ImageWidget strip;
    strip.checkable = checkable;
    strip.loadResources(
        {resource(QStringLiteral("one.avi"), 0, 0), resource(QStringLiteral("Notepad"), 4242, 5)});
    // A reload replaces the items instead of adding to them.
    strip.loadResources(
        {resource(QStringLiteral("intro.mkv"), -1, 3), resource(QStringLiteral("Notepad"), 4242, 5)});

    QLybListWidget *list = strip.listWidget();
    QCOMPARE(list->count(), 2);
    QListWidgetItem *item = list->item(1);
    QCOMPARE(item->text(), QStringLiteral("Notepad"));
    QCOMPARE(item->toolTip(), QStringLiteral("D:/media/Notepad"));
    QCOMPARE(item->data(Qt::UserRole).toInt(), 4242);
    QCOMPARE(item->data(Qt::UserRole + 1).toInt(), 5);
    QCOMPARE(item->sizeHint(), QSize(200, 160));
    QCOMPARE(list->item(0)->data(Qt::UserRole).toInt(), -1);
    QCOMPARE(list->item(0)->data(Qt::UserRole + 1).toInt(), 3);
    if (checkable)
        QCOMPARE(item->data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    else
        QVERIFY(!item->data(Qt::CheckStateRole).isValid());
}

void TestImageWidget::checking()
{
    ImageWidget strip;
    strip.checkable = true;
    strip.loadResources(
        {resource(QStringLiteral("a")), resource(QStringLiteral("b")), resource(QStringLiteral("c"))});
    QVERIFY(strip.checkedNames().isEmpty());

    strip.listWidget()->item(2)->setCheckState(Qt::Checked);
    strip.listWidget()->item(0)->setCheckState(Qt::Checked);
    QCOMPARE(strip.checkedNames(), QStringList({QStringLiteral("a"), QStringLiteral("c")}));

    strip.checkAll();
    QCOMPARE(strip.checkedNames(),
             QStringList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    strip.uncheckAll();
    QVERIFY(strip.checkedNames().isEmpty());
}

void TestImageWidget::currentItemRules()
{
    ImageWidget strip;
    QVERIFY(!strip.currentItem());
    strip.loadResources(
        {resource(QStringLiteral("a")), resource(QStringLiteral("b")), resource(QStringLiteral("c"))});
    QCOMPARE(strip.currentItem(), strip.listWidget()->item(0));
    strip.listWidget()->item(2)->setSelected(true);
    QCOMPARE(strip.currentItem(), strip.listWidget()->item(2));
}

void TestImageWidget::doubleClickSignal()
{
    ImageWidget strip;
    strip.loadResources({resource(QStringLiteral("a")), resource(QStringLiteral("clip.mp4"), 17)});
    QList<std::tuple<QListWidgetItem *, QString, uint>> doubles;
    QList<QListWidgetItem *> clicks;
    connect(&strip, &ImageWidget::onItemDblClicked, this, [&](QListWidgetItem *item, QString name, uint id) {
        doubles.append({item, name, id});
    });
    connect(&strip, &ImageWidget::onItemClicked, this, [&](QListWidgetItem *item) { clicks.append(item); });
    QListWidgetItem *item = strip.listWidget()->item(1);

    emit strip.listWidget()->itemDoubleClicked(item);
    emit strip.listWidget()->itemClicked(item);

    QCOMPARE(doubles.count(), 1);
    QCOMPARE(std::get<0>(doubles.at(0)), item);
    QCOMPARE(std::get<1>(doubles.at(0)), QStringLiteral("clip.mp4"));
    QCOMPARE(std::get<2>(doubles.at(0)), 17u);
    QCOMPARE(clicks, QList<QListWidgetItem *>({item}));
}

void TestImageWidget::dragData()
{
    std::unique_ptr<QMimeData> data(
        makeResourceMimeData(QStringLiteral("clip.mp4"), 12, QStringLiteral("D:/media/clip.mp4"), 4));
    QCOMPARE(data->text(), QStringLiteral("clip.mp4"));
    QCOMPARE(data->property("vid").type(), QVariant::Int);
    QCOMPARE(data->property("vid").toInt(), 12);
    QCOMPARE(data->property("type").type(), QVariant::String);
    QCOMPARE(data->property("type").toString(), QStringLiteral("D:/media/clip.mp4"));
    QCOMPARE(data->property("source").toString(), QStringLiteral("list"));
    QCOMPARE(data->property("mediaType").type(), QVariant::Int);
    QCOMPARE(data->property("mediaType").toInt(), 4);
    // Properties, not MIME formats: only the text travels as a format.
    QCOMPARE(data->formats(), QStringList(QStringLiteral("text/plain")));
}

void TestImageWidget::dragStart_data()
{
    QTest::addColumn<bool>("allowDrag");
    QTest::addColumn<bool>("onItem");
    QTest::addColumn<int>("distance"); // in multiples of the platform's drag distance
    QTest::addColumn<int>("drags");

    QTest::newRow("item, far") << true << true << 2 << 1;
    QTest::newRow("item, short move") << true << true << 0 << 0;
    QTest::newRow("drag not allowed") << false << true << 2 << 0;
    QTest::newRow("pressed beside the items") << true << false << 2 << 0;
}

void TestImageWidget::dragStart()
{
    QFETCH(bool, allowDrag);
    QFETCH(bool, onItem);
    QFETCH(int, distance);
    QFETCH(int, drags);

    struct Carried
    {
        QString text, type, source;
        int vid = -100, mediaType = -100;
        QSize pixmap;
        QPoint hotSpot;
    };
    int started = 0;
    Carried carried;
    QLybListWidget::setDragRunner([&](QDrag *drag) {
        ++started;
        const QMimeData *data = drag->mimeData();
        carried = {data->text(),
                   data->property("type").toString(),
                   data->property("source").toString(),
                   data->property("vid").toInt(),
                   data->property("mediaType").toInt(),
                   drag->pixmap().size(),
                   drag->hotSpot()};
    });

    QLybListWidget list;
    list.allowDrag = allowDrag;
    list.resize(300, 300);
    auto *item = new QListWidgetItem(QStringLiteral("clip.mp4"), &list);
    item->setToolTip(QStringLiteral("D:/media/clip.mp4"));
    item->setData(Qt::UserRole, 21);
    item->setData(Qt::UserRole + 1, 0);
    QPixmap thumbnail(160, 120);
    thumbnail.fill(Qt::blue);
    item->setIcon(QIcon(thumbnail));
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));

    const QRect itemRect = list.visualItemRect(item);
    const QPoint start = onItem ? itemRect.center() : QPoint(150, 280);
    QVERIFY(onItem == (list.itemAt(start) == item));
    QWidget *viewport = list.viewport();
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, start);
    const int step = distance == 0 ? QApplication::startDragDistance() / 2 : 0;
    const QPoint end = start + QPoint(distance * QApplication::startDragDistance() + step, 0);
    QMouseEvent move(QEvent::MouseMove, end, viewport->mapToGlobal(end), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, end);

    QCOMPARE(started, drags);
    if (drags > 0) {
        QCOMPARE(carried.text, QStringLiteral("clip.mp4"));
        QCOMPARE(carried.vid, 21);
        QCOMPARE(carried.type, QStringLiteral("D:/media/clip.mp4"));
        QCOMPARE(carried.source, QStringLiteral("list"));
        QCOMPARE(carried.mediaType, 0);
        QCOMPARE(carried.pixmap, QSize(100, 75));
        QCOMPARE(carried.hotSpot, QPoint(50, 37));
    }
}

void TestImageWidget::pressOnEmptyListGoesToParent_data()
{
    QTest::addColumn<bool>("withItem");
    QTest::addColumn<int>("parentPresses");
    QTest::newRow("empty list") << false << 1;
    QTest::newRow("list with an entry") << true << 0;
}

void TestImageWidget::pressOnEmptyListGoesToParent()
{
    QFETCH(bool, withItem);
    QFETCH(int, parentPresses);

    PressRecorder parent;
    parent.resize(320, 240);
    auto *list = new QLybListWidget(&parent);
    list->setGeometry(10, 10, 300, 200);
    if (withItem)
        new QListWidgetItem(QStringLiteral("clip.mp4"), list);
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));

    const QPoint at = withItem ? list->visualItemRect(list->item(0)).center() : QPoint(20, 20);
    QTest::mousePress(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(parent.presses, parentPresses);
    QCOMPARE(list->pressedItem(), withItem ? list->item(0) : nullptr);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

// Names and paths come from the controller: the entry shows them as they are, and its tool
// tip is never rich text, whose pictures would be read from local files.
void TestImageWidget::controllerTextIsShownAsItIs_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("picture of a local file") << QStringLiteral("<img src=\"/etc/passwd\">");
    QTest::newRow("picture of a device") << QStringLiteral("<p><img src=\"file:///dev/zero\"></p>");
    QTest::newRow("markup") << QStringLiteral("<b>bold</b> & more");
    QTest::newRow("climbing path") << QStringLiteral("../../x");
    QTest::newRow("absolute path") << QStringLiteral("/etc/passwd");
    QTest::newRow("backslash") << QStringLiteral("a\\b");
    QTest::newRow("drive") << QStringLiteral("C:x");
    QTest::newRow("NUL") << QString::fromUtf8("a\0b", 3);
    QTest::newRow("very long") << QString(5000, QLatin1Char('L'));
}

void TestImageWidget::controllerTextIsShownAsItIs()
{
    QFETCH(QString, text);
    ImageWidget strip;
    S_RESOURCE entry = resource(text);
    entry.path = text;
    strip.loadResources({entry});
    strip.resize(600, 200);
    strip.show();
    QVERIFY(QTest::qWaitForWindowExposed(&strip));
    QLybListWidget *list = strip.listWidget();
    QListWidgetItem *item = list->item(0);
    QCOMPARE(item->text(), text);
    QCOMPARE(item->toolTip(), text); // the path the drag carries

    const QPoint at = list->visualItemRect(item).center();
    QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &help);
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text) : text);
    QToolTip::hideText();
}

PELMORA_TEST_MAIN(TestImageWidget)
#include "tst_imagewidget.moc"
