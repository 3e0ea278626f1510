#include "testmain.h"

#include "platform/platformpaths.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

QString location(const QString &name)
{
    if (name == QLatin1String("lastConnectSettings"))
        return platform::lastConnectSettings()->fileName();
    if (name == QLatin1String("appSettings"))
        return platform::appSettings()->fileName();
    if (name == QLatin1String("hostListSettings"))
        return platform::hostListSettings()->fileName();
    if (name == QLatin1String("hostListFilePath"))
        return platform::hostListFilePath();
    if (name == QLatin1String("zevRoot"))
        return platform::zevRoot();
    if (name == QLatin1String("modalsRoot"))
        return platform::modalsRoot();
    if (name == QLatin1String("modalGroupDir(2)"))
        return platform::modalGroupDir(2);
    return QString();
}

bool isBelow(const QString &path, const QString &dir)
{
    const QString cleanDir = QDir::cleanPath(dir) + QLatin1Char('/');
    return QDir::isAbsolutePath(path) && QDir::cleanPath(path).startsWith(cleanDir);
}

} // namespace

class TestPlatformPaths : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void overrideRoot_data();
    void overrideRoot();
    void xdgFolders_data();
    void xdgFolders();
    void folderNames();

private:
    void addLocations();

    QString m_savedRoot;
    QByteArray m_savedConfigHome;
    QByteArray m_savedDataHome;
};

void TestPlatformPaths::init()
{
    m_savedRoot = platform::overrideRoot();
    m_savedConfigHome = qgetenv("XDG_CONFIG_HOME");
    m_savedDataHome = qgetenv("XDG_DATA_HOME");
}

void TestPlatformPaths::cleanup()
{
    platform::setOverrideRoot(m_savedRoot);
    QStandardPaths::setTestModeEnabled(true);
    qputenv("XDG_CONFIG_HOME", m_savedConfigHome);
    qputenv("XDG_DATA_HOME", m_savedDataHome);
}

void TestPlatformPaths::addLocations()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("data"); // in the data folder rather than the config folder
    QTest::newRow("lastConnectSettings") << "lastConnectSettings" << false;
    QTest::newRow("appSettings") << "appSettings" << false;
    QTest::newRow("hostListSettings") << "hostListSettings" << false;
    QTest::newRow("hostListFilePath") << "hostListFilePath" << false;
    QTest::newRow("zevRoot") << "zevRoot" << true;
    QTest::newRow("modalsRoot") << "modalsRoot" << true;
    QTest::newRow("modalGroupDir(2)") << "modalGroupDir(2)" << true;
}

void TestPlatformPaths::overrideRoot_data()
{
    addLocations();
}

void TestPlatformPaths::overrideRoot()
{
    QFETCH(QString, name);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    // Started from another folder, nothing may land in the working directory.
    const QString savedCwd = QDir::currentPath();
    QVERIFY(QDir::setCurrent(QDir::tempPath()));
    platform::setOverrideRoot(root.path());
    const QString path = location(name);
    QDir::setCurrent(savedCwd);

    QVERIFY2(isBelow(path, root.path()), qPrintable(path));
}

void TestPlatformPaths::xdgFolders_data()
{
    addLocations();
}

void TestPlatformPaths::xdgFolders()
{
    QFETCH(QString, name);
    QFETCH(bool, data);
#ifdef Q_OS_WIN
    QSKIP("Windows keeps these in the registry and under c:\\ZEV-Series\\");
#endif

    QTemporaryDir configHome;
    QTemporaryDir dataHome;
    QVERIFY(configHome.isValid() && dataHome.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
    QStandardPaths::setTestModeEnabled(false);
    platform::setOverrideRoot(QString());

    const QString path = location(name);
    QVERIFY2(isBelow(path, data ? dataHome.path() : configHome.path()), qPrintable(path));
}

void TestPlatformPaths::folderNames()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    platform::setOverrideRoot(root.path());

    // Folder locations end with a separator so callers can append file names.
    QVERIFY(platform::zevRoot().endsWith(QLatin1Char('/')));
    QVERIFY(platform::modalsRoot().startsWith(platform::zevRoot()));
    QVERIFY(platform::modalGroupDir(2).startsWith(platform::modalsRoot()));
    QVERIFY(platform::modalGroupDir(2).endsWith(QLatin1String("Group2/")));
    QVERIFY(platform::modalGroupDir(2) != platform::modalGroupDir(3));
    QVERIFY(platform::hostListFilePath().endsWith(QLatin1String("Settings.ini")));
    QVERIFY(QDir::isAbsolutePath(platform::programDir()));
}

PELMORA_TEST_MAIN(TestPlatformPaths)
#include "tst_platformpaths.moc"
