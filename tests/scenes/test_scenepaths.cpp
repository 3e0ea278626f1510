// Scene names as local file names: which names the operator may give, and where the cache
// files of any name may be.
#include "platform/platformpaths.h"
#include "scenes/rotationplan.h"
#include "scenes/scenepaths.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

class TestScenePaths : public QObject
{
    Q_OBJECT

private slots:
    // Which names are plain file names for the cache, and where each one's preview goes:
    // directly inside the group folder, or nowhere.
    void names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("safe");
        QTest::addColumn<bool>("inGroupFolder"); // a cache path exists for a name the controller lists

        QTest::newRow("plain") << "Morning" << true << true;
        QTest::newRow("blanks, #, % and Chinese") << QString::fromUtf8("大厅 #1 100%") << true << true;
        QTest::newRow("dots inside") << "v1.2" << true << true;
        QTest::newRow("leading dot") << ".hidden" << true << true;
        QTest::newRow("empty") << "" << false << true;
        QTest::newRow("parent folder") << "../escape" << false << false;
        QTest::newRow("two levels up") << "../../x" << false << false;
        QTest::newRow("slash") << "a/b" << false << false;
        QTest::newRow("absolute") << "/etc/passwd" << false << false;
        QTest::newRow("one dot") << "." << false << true;
        QTest::newRow("two dots") << ".." << false << true;
        QTest::newRow("dots only") << "...." << false << true;
        QTest::newRow("drive") << "c:x" << false << true;
        // Control characters make no file name: NUL would end the path early.
        QTest::newRow("control character") << QStringLiteral("a\nb") << false << false;
        QTest::newRow("NUL") << QString::fromUtf8("..\0x", 4) << false << false;
        QTest::newRow("NUL then a folder") << QString::fromUtf8("x\0/../../y", 11) << false << false;
        // A file name has at most 255 bytes, the extension included.
        QTest::newRow("longest") << QString(251, QLatin1Char('n')) << true << true;
        QTest::newRow("too long") << QString(252, QLatin1Char('n')) << true << false;
        QTest::newRow("too long in UTF-8") << QString(84, QChar(0x5927)) << true << false;
        QTest::newRow("very long climb") << QString(4000, QLatin1Char('/')) + "etc/passwd" << false << false;
#ifdef Q_OS_WIN
        QTest::newRow("backslash") << "a\\b" << false << false;
        QTest::newRow("UNC prefix") << "\\\\server\\share\\x" << false << false;
#else
        // Not a separator here: the file stays in the folder, but the operator may not give it.
        QTest::newRow("backslash") << "a\\b" << false << true;
        QTest::newRow("UNC prefix") << "\\\\server\\share\\x" << false << true;
#endif
    }

    void names()
    {
        QFETCH(QString, name);
        QFETCH(bool, safe);
        QFETCH(bool, inGroupFolder);
        QCOMPARE(scenes::isSafeSceneName(name), safe);
        const QString file = scenes::cacheFile(2, name, scenes::kPreviewExtension);
        QCOMPARE(!file.isEmpty(), inGroupFolder);
        if (inGroupFolder)
            QCOMPARE(file, platform::modalGroupDir(2) + name + ".jpg");
    }

    // Removing the cache files of a name the controller lists touches nothing outside the
    // group folder, whatever the name.
    void removalStaysInTheGroupFolder()
    {
        const QString folder = platform::modalGroupDir(2);
        QVERIFY(QDir().mkpath(folder));
        const QStringList outside{platform::modalsRoot() + "x.jpg", platform::modalsRoot() + "x.mvc",
                                  platform::modalGroupDir(3) + "x.jpg", folder + "..jpg"};
        QVERIFY(QDir().mkpath(platform::modalGroupDir(3)));
        for (const QString &file : outside + QStringList{folder + "kept\\x.jpg", folder + "gone.jpg"}) {
            QFile out(file);
            QVERIFY2(out.open(QIODevice::WriteOnly), qPrintable(file));
        }
        const QStringList hostile{"../x",
                                  "../Group3/x",
                                  "../../Modals/x",
                                  "..",
                                  QString::fromUtf8("..\0", 3),
                                  QString::fromUtf8("x\0/../../x", 11),
                                  "/etc/passwd",
                                  "C:x",
                                  "kept\\x",
                                  QString(300, QLatin1Char('x'))};
        for (const QString &name : hostile)
            scenes::removeCacheFiles(2, name);
        for (const QString &file : outside)
            QVERIFY2(QFile::exists(file), qPrintable(file));
#ifndef Q_OS_WIN
        // Not a separator here: a plain name of the group folder, removed as the scene's.
        QVERIFY(!QFile::exists(folder + "kept\\x.jpg"));
#endif
        scenes::removeCacheFiles(2, "gone");
        QVERIFY(!QFile::exists(folder + "gone.jpg"));
    }

    void controllerPaths()
    {
        QCOMPARE(scenes::remoteFile(0, "Matrix", scenes::kSceneFileExtension),
                 QStringLiteral("/Modals/Group0/Matrix.mvc"));
        QCOMPARE(scenes::remoteFile(4, "A b", scenes::kPreviewExtension),
                 QStringLiteral("/Modals/Group4/A b.jpg"));
    }

    // "SetQuickSwitch": the plan in its order with "TimeInSeconds"; a duration that is not a
    // number counts as 0; a stop carries no list.
    void quickSwitchRequest()
    {
        const SwitchPlan plan =
            scenes::collectPlan({{"B", "3"}, {"A", " 12 "}, {"C", "x"}, {"D", "2.5"}, {"E", ""}});
        const QJsonObject start = scenes::quickSwitchRequest(true, plan);
        QCOMPARE(QJsonDocument(start).toJson(QJsonDocument::Compact),
                 QByteArray("{\"Command\":\"SetQuickSwitch\",\"Control\":1,\"ModalList\":["
                            "{\"Name\":\"B\",\"TimeInSeconds\":3},{\"Name\":\"A\",\"TimeInSeconds\":12},"
                            "{\"Name\":\"C\",\"TimeInSeconds\":0},{\"Name\":\"D\",\"TimeInSeconds\":0},"
                            "{\"Name\":\"E\",\"TimeInSeconds\":0}]}"));
        QCOMPARE(QJsonDocument(scenes::quickSwitchRequest(false, plan)).toJson(QJsonDocument::Compact),
                 QByteArray("{\"Command\":\"SetQuickSwitch\",\"Control\":0}"));
    }
};

PELMORA_TEST_MAIN(TestScenePaths)
#include "test_scenepaths.moc"
