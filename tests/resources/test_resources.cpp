#include "testmain.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRawFont>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>

// The built-in resources: every picture the console asks for by name, the style sheet
// and the icon font.
class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void requiredPathLoads_data();
    void requiredPathLoads();
    void mediaPadMatchesItsWidget_data();
    void mediaPadMatchesItsWidget();
    void iconFontRegistersUnderTheStyledFamily();
    void styleSheetIsAsciiAndItsPicturesExist();
    void styleSheetAppliesWithoutWarnings();
    void titleMenuItemsHaveTheirMinimumSize();
    void checkedCategoryButtonIsBold();

private:
    static QString styleSheet();
};

QString TestResources::styleSheet()
{
    QFile file(QStringLiteral(":/images/guiColor-new.css"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLatin1(file.readAll());
}

void TestResources::requiredPathLoads_data()
{
    QTest::addColumn<QString>("path");
    QFile list(QStringLiteral(PELMORA_REQUIRED_PATHS));
    QVERIFY2(list.open(QIODevice::ReadOnly | QIODevice::Text), PELMORA_REQUIRED_PATHS);
    int count = 0;
    while (!list.atEnd()) {
        const QString line = QString::fromUtf8(list.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QTest::newRow(qPrintable(line)) << line;
        ++count;
    }
    QVERIFY(count > 50);
}

// Pictures decode in the format their suffix names (the lists load PNG icons after a JPEG
// attempt, so a mislabelled file would still show but the suffix must not lie); other
// files are present and not empty.
void TestResources::requiredPathLoads()
{
    QFETCH(QString, path);
    QVERIFY2(path.startsWith(QLatin1String(":/images/")), qPrintable(path));
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png") || suffix == QLatin1String("jpg")) {
        QImageReader reader(path);
        const QByteArray format = reader.format();
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(path + QStringLiteral(": ") + reader.errorString()));
        QCOMPARE(format, suffix == QLatin1String("png") ? QByteArray("png") : QByteArray("jpeg"));
        QVERIFY(image.width() >= 16 && image.height() >= 16);
    } else {
        QFile file(path);
        QVERIFY2(file.exists(), qPrintable(path));
        QVERIFY(file.size() > 1000);
    }
}

// The pad's background is drawn unscaled behind a fixed 200 x 200 widget, and the five
// pressed variants replace it in place.
void TestResources::mediaPadMatchesItsWidget_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name :
         {"nav-bg", "nav-bg-up", "nav-bg-next", "nav-bg-down", "nav-bg-prev", "nav-bg-center"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestResources::mediaPadMatchesItsWidget()
{
    QFETCH(QString, name);
    const QImage pad(QStringLiteral(":/images/newskin/%1.png").arg(name));
    QCOMPARE(pad.size(), QSize(200, 200));
    // round pad: the corners stay transparent so the panel shows through
    QCOMPARE(qAlpha(pad.pixel(2, 2)), 0);
    QCOMPARE(qAlpha(pad.pixel(100, 100)), 255);
}

void TestResources::iconFontRegistersUnderTheStyledFamily()
{
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/images/fontawesome-webfont.ttf"));
    QVERIFY(id >= 0);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    QVERIFY(!families.isEmpty());
    // the style sheet keeps glyph widgets on this family by name
    QCOMPARE(families.first(), QStringLiteral("FontAwesome"));
    QVERIFY(styleSheet().contains(QStringLiteral("font-family: \"FontAwesome\"")));
    // the glyphs of the dialog title strips are in it
    QFile fontFile(QStringLiteral(":/images/fontawesome-webfont.ttf"));
    QVERIFY(fontFile.open(QIODevice::ReadOnly));
    const QRawFont raw(fontFile.readAll(), 16);
    QVERIFY(raw.isValid());
    for (uint glyph : {0xF00Du, 0xF015u, 0xF0C1u, 0xF109u, 0xF11Cu, 0xF0C0u, 0xF084u})
        QVERIFY2(raw.supportsCharacter(glyph), qPrintable(QString::number(glyph, 16)));
}

void TestResources::styleSheetIsAsciiAndItsPicturesExist()
{
    QFile file(QStringLiteral(":/images/guiColor-new.css"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    for (int i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes.at(i));
        QVERIFY2(c == '\n' || c == '\r' || c == '\t' || (c >= 0x20 && c < 0x7F),
                 qPrintable(QStringLiteral("byte %1 at offset %2").arg(c).arg(i)));
    }
    const QString css = QString::fromLatin1(bytes);
    QRegularExpressionMatchIterator it =
        QRegularExpression(QStringLiteral("url\\(([^)]*)\\)")).globalMatch(css);
    int urls = 0;
    while (it.hasNext()) {
        const QString path = it.next().captured(1).trimmed();
        QVERIFY2(path.startsWith(QLatin1String(":/images/")), qPrintable(path));
        QVERIFY2(!QImage(path).isNull(), qPrintable(path));
        ++urls;
    }
    QVERIFY(urls >= 10);
}

// Builds widgets of every styled kind under the application style sheet and shows them:
// a rule Qt cannot parse is reported as a warning while the widgets are polished.
void TestResources::styleSheetAppliesWithoutWarnings()
{
    const QString css = styleSheet();
    QVERIFY(!css.isEmpty());
    pelmora::test::WarningCatcher catcher;
    qApp->setStyleSheet(css);

    QMainWindow window;
    window.setObjectName(QStringLiteral("MainWindow2"));
    auto *central = new QWidget(&window);
    central->setObjectName(QStringLiteral("centralwidget"));
    auto *layout = new QHBoxLayout(central);
    auto *title = new QFrame(central);
    title->setObjectName(QStringLiteral("frameTitle"));
    auto *connect = new QPushButton(QStringLiteral("Connect"), title);
    connect->setObjectName(QStringLiteral("btnConnect"));
    connect->setMenu(new QMenu(connect));
    layout->addWidget(title);
    auto *left = new QFrame(central);
    left->setObjectName(QStringLiteral("frameLeftBar"));
    auto *category = new QToolButton(left);
    category->setObjectName(QStringLiteral("videoListButton"));
    category->setCheckable(true);
    layout->addWidget(left);
    auto *media = new QFrame(central);
    media->setObjectName(QStringLiteral("frameMediaCtrl"));
    auto *nav = new QWidget(media);
    nav->setObjectName(QStringLiteral("mediaNav"));
    new QPushButton(nav);
    new QSlider(Qt::Horizontal, media);
    layout->addWidget(media);
    auto *bottom = new QFrame(central);
    bottom->setObjectName(QStringLiteral("frameBottom"));
    auto *strip = new QWidget(bottom);
    strip->setObjectName(QStringLiteral("videoList"));
    auto *list = new QListWidget(strip);
    auto *item = new QListWidgetItem(QStringLiteral("clip.mkv"), list);
    item->setCheckState(Qt::Checked);
    new QTableWidget(2, 2, bottom);
    new QSpinBox(bottom);
    new QProgressBar(bottom);
    new QScrollBar(Qt::Horizontal, bottom);
    layout->addWidget(bottom);
    window.setCentralWidget(central);
    window.show();

    QDialog dialog;
    auto *strip2 = new QWidget(&dialog);
    strip2->setObjectName(QStringLiteral("widget_title"));
    auto *glyph = new QLabel(strip2);
    glyph->setObjectName(QStringLiteral("lab_Ico"));
    auto *edit = new QLineEdit(&dialog);
    auto *ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setObjectName(QStringLiteral("btnOk"));
    auto *dialogLayout = new QHBoxLayout(&dialog);
    dialogLayout->addWidget(strip2);
    dialogLayout->addWidget(edit);
    dialogLayout->addWidget(ok);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    window.grab();
    dialog.grab();
    qApp->setStyleSheet(QString());

    for (const QString &w : catcher.warnings()) {
        QVERIFY2(!w.contains(QLatin1String("stylesheet"), Qt::CaseInsensitive), qPrintable(w));
        QVERIFY2(!w.contains(QLatin1String("Could not")), qPrintable(w));
    }
}

// Title-bar menus: items at least 120 x 40 pixels.
void TestResources::titleMenuItemsHaveTheirMinimumSize()
{
    qApp->setStyleSheet(styleSheet());
    QMenu menu;
    QAction *shortItem =
        menu.addAction(QIcon(QStringLiteral(":/images/newskin/30-modify-pwd.png")), QStringLiteral("A"));
    menu.addSeparator();
    QAction *longItem = menu.addAction(QIcon(QStringLiteral(":/images/newskin/30-user-manager.png")),
                                       QStringLiteral("User management"));
    menu.ensurePolished();
    menu.adjustSize();
    for (QAction *action : {shortItem, longItem}) {
        const QRect r = menu.actionGeometry(action);
        QVERIFY2(r.height() >= 40 && r.width() >= 120,
                 qPrintable(QStringLiteral("%1: %2x%3").arg(action->text()).arg(r.width()).arg(r.height())));
    }
    qApp->setStyleSheet(QString());
}

namespace {
int brightPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qRed(image.pixel(x, y)) > 128)
                ++count;
        }
    }
    return count;
}
} // namespace

// A checked category button shows bold text, also when it is checked after it was shown.
// The buttons' own rule blanks the background pictures so that only the text differs.
void TestResources::checkedCategoryButtonIsBold()
{
    qApp->setStyleSheet(styleSheet());
    QWidget host;
    auto *layout = new QHBoxLayout(&host);
    QToolButton *buttons[3];
    for (auto *&b : buttons) {
        b = new QToolButton(&host);
        b->setObjectName(QStringLiteral("musicButton"));
        b->setStyleSheet(QStringLiteral("border-image: none; background-color: black;"));
        b->setCheckable(true);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setText(QStringLiteral("Music Music"));
        b->setFixedSize(260, 60);
        layout->addWidget(b);
    }
    buttons[0]->setChecked(true);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    buttons[1]->setChecked(true);
    QCoreApplication::processEvents();
    const QImage checkedFromStart = buttons[0]->grab().toImage();
    const QImage checkedLater = buttons[1]->grab().toImage();
    const QImage plain = buttons[2]->grab().toImage();
    qApp->setStyleSheet(QString());
    QCOMPARE(checkedLater, checkedFromStart);
    const int boldInk = brightPixels(checkedLater);
    const int plainInk = brightPixels(plain);
    QVERIFY2(plainInk > 0 && boldInk > plainInk * 11 / 10,
             qPrintable(QStringLiteral("bold %1, plain %2").arg(boldInk).arg(plainInk)));
}

PELMORA_TEST_MAIN(TestResources)
#include "test_resources.moc"
