#include "testmain.h"

#include "uikit/dialogscale.h"
#include "uikit/framelessdialog.h"
#include "uikit/helpers.h"
#include "uikit/stylesheet.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

using namespace uikit;

class TestHelpers : public QObject
{
    Q_OBJECT

private slots:
    // First, before cleanup() has set any scale.
    void scaleDefaultsToOne();
    void dialogScale_data();
    void dialogScale();

    void md5Digest_data();
    void md5Digest();
    void fileNames_data();
    void fileNames();
    void typeNameIni_data();
    void typeNameIni();
    void sleepBlocks();

    void styleSheet_data();
    void styleSheet();

    void cleanup();
};

void TestHelpers::cleanup()
{
    setDialogScale(96);
}

void TestHelpers::md5Digest_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("digest");
    QTest::newRow("empty") << QString() << "d41d8cd98f00b204e9800998ecf8427e";
    QTest::newRow("ascii") << "admin"
                           << "21232f297a57a5a743894a0e4a801fc3";
    // One byte per character (0xDF for the sharp s), not the two bytes of UTF-8.
    QTest::newRow("latin-1") << QString::fromUtf8("Straße") << "cd4a189e8c4b19e11c24ab9d2cdd3f76";
}

void TestHelpers::md5Digest()
{
    QFETCH(QString, text);
    QFETCH(QString, digest);
    QCOMPARE(md5Hex(text), digest);
}

void TestHelpers::fileNames_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("name");
    QTest::newRow("windows path") << "C:\\Media\\Clip.MP4"
                                  << "mp4"
                                  << "clip.mp4";
    QTest::newRow("unix path") << "/videos/a.avi"
                               << "avi"
                               << "a.avi";
    // The backslash wins even when a slash comes after it.
    QTest::newRow("mixed separators") << "C:\\Media/sub\\Deep/Name.Tar.GZ"
                                      << "gz"
                                      << "deep/name.tar.gz";
    QTest::newRow("bare name") << "Clip.MP4"
                               << "mp4" << QString();
    QTest::newRow("no dot, no slash") << "noslash" << QString() << QString();
    QTest::newRow("dot in folder only") << "/media.d/readme"
                                        << "d/readme"
                                        << "readme";
    QTest::newRow("trailing separator") << "/videos/" << QString() << QString();
}

void TestHelpers::fileNames()
{
    QFETCH(QString, input);
    QFETCH(QString, suffix);
    QFETCH(QString, name);
    QCOMPARE(fileSuffix(input), suffix);
    QCOMPARE(fileNameOf(input), name);
}

void TestHelpers::typeNameIni_data()
{
    QTest::addColumn<bool>("withFile");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("present") << true << "Type"
                             << "Video" << QString::fromUtf8("视频文件");
    QTest::newRow("other group") << true << "Extra"
                                 << "Video"
                                 << "Film";
    QTest::newRow("key missing") << true << "Type"
                                 << "Camera"
                                 << "Camera";
    QTest::newRow("group missing") << true << "Nothing"
                                   << "Web"
                                   << "Web";
    QTest::newRow("value with commas") << true << "Type"
                                       << "Office"
                                       << "doc,xls";
    QTest::newRow("no file") << false << "Type"
                             << "Video" << QString();
}

void TestHelpers::typeNameIni()
{
    QFETCH(bool, withFile);
    QFETCH(QString, group);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    if (withFile) {
        QFile file(dir.filePath(QStringLiteral("typename.ini")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Type]\r\nVideo=\xe8\xa7\x86\xe9\xa2\x91\xe6\x96\x87\xe4\xbb\xb6\r\nOffice=doc,xls\r\n"
                   "[Extra]\r\nVideo=Film\r\n");
    }
    QCOMPARE(readTypeNameIni(group, key, dir.path()), expected);
}

void TestHelpers::sleepBlocks()
{
    QElapsedTimer timer;
    timer.start();
    sleepMs(30);
    QVERIFY(timer.elapsed() >= 29);
}

void TestHelpers::scaleDefaultsToOne()
{
    QCOMPARE(dialogScaleX(), 1.0);
    QCOMPARE(dialogScaleY(), 1.0);
}

void TestHelpers::dialogScale_data()
{
    QTest::addColumn<double>("dpi");
    QTest::addColumn<double>("scaleX");
    QTest::addColumn<double>("scaleY");
    QTest::addColumn<QSize>("fixedSize"); // of a 401 x 301 form, each side truncated
    QTest::newRow("144 dpi") << 144.0 << 1.5 << 1.5 / 1.1 << QSize(601, 410);
    QTest::newRow("96 dpi") << 96.0 << 1.0 << 1.0 << QSize(401, 301);
    QTest::newRow("72 dpi") << 72.0 << 0.75 << 0.75 << QSize(300, 225);
}

void TestHelpers::dialogScale()
{
    QFETCH(double, dpi);
    QFETCH(double, scaleX);
    QFETCH(double, scaleY);
    QFETCH(QSize, fixedSize);

    setDialogScale(dpi);
    QCOMPARE(dialogScaleX(), scaleX);
    QCOMPARE(dialogScaleY(), scaleY);

    FramelessDialog dialog;
    dialog.fixScaledSize(401, 301);
    QCOMPARE(dialog.minimumSize(), fixedSize);
    QCOMPARE(dialog.maximumSize(), fixedSize);
}

void TestHelpers::styleSheet_data()
{
    QTest::addColumn<QString>("besideProgram"); // "file", "folder" (cannot be read) or "none"
    QTest::newRow("file beside the program") << "file";
    QTest::newRow("unreadable entry beside the program") << "folder";
    QTest::newRow("nothing beside the program") << "none";
}

void TestHelpers::styleSheet()
{
    QFETCH(QString, besideProgram);

    QString builtIn;
    QFile resource(QStringLiteral(":/images/guiColor-new.css"));
    if (resource.open(QIODevice::ReadOnly))
        builtIn = QString::fromLatin1(resource.readAll());

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("guiColor-new.css"));
    // 0xE9 is a Latin-1 byte that is not valid UTF-8 on its own.
    const QByteArray local("QDialog { background: #102030; } /* caf\xe9 */\n");
    if (besideProgram == QLatin1String("file")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(local);
    } else if (besideProgram == QLatin1String("folder")) {
        QVERIFY(QDir().mkdir(path));
    }

    const QString sheet = loadStyleSheet(dir.path());
    if (besideProgram == QLatin1String("file")) {
        QCOMPARE(sheet, QString::fromLatin1(local));
        QVERIFY(sheet.contains(QChar(0xE9)));
    } else {
        QCOMPARE(sheet, builtIn);
    }
}

PELMORA_TEST_MAIN(TestHelpers)
#include "tst_helpers.moc"
