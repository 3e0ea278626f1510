// The list of every command the console sends (net::kCommands) against the sources and
// the controller: a command named in the console's code that is missing from the list, or a
// listed name the controller does not know, fails here.
#include "net/commandlist.h"
#include "sim/commands.h"
#include "testmain.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

class TestCommandList : public QObject
{
    Q_OBJECT

    static QSet<QString> controllerCommands()
    {
        QHash<QString, sim::CommandSpec> table;
        sim::registerSessionCommands(table);
        sim::registerWallCommands(table);
        sim::registerSceneCommands(table);
        sim::registerMediaCommands(table);
        sim::registerPresentationCommands(table);
        QSet<QString> names;
        for (auto it = table.constBegin(); it != table.constEnd(); ++it)
            names.insert(it.key());
        return names;
    }

    static QSet<QString> listed()
    {
        QSet<QString> names;
        for (const net::CommandEntry &entry : net::kCommands)
            names.insert(QLatin1String(entry.name));
        return names;
    }

private slots:
    void namesAreUniqueAndKnownToTheController()
    {
        const QSet<QString> known = controllerCommands();
        QCOMPARE(listed().size(), int(net::kCommands.size()));
        for (const QString &name : listed())
            QVERIFY2(known.contains(name), qPrintable(name));
        QVERIFY(net::findCommand(QStringLiteral("SetLanguage")));
        QVERIFY(!net::findCommand(QStringLiteral("Reboot")));
    }

    // Every controller command named as a text in the console's sources ("Name" or
    // "Name&key=...") is in the list.
    void everyCommandInTheSourcesIsListed()
    {
        const QSet<QString> known = controllerCommands();
        const QSet<QString> names = listed();
        const QRegularExpression literal(QStringLiteral("\"([A-Za-z]+)[\"&]"));
        QStringList missing;
        int files = 0;
        QDirIterator it(QStringLiteral(PELMORA_SOURCE_DIR "/src"), {"*.cpp", "*.h"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (path.endsWith(QLatin1String("net/commandlist.h")))
                continue;
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            ++files;
            const QString text = QString::fromUtf8(file.readAll());
            auto match = literal.globalMatch(text);
            while (match.hasNext()) {
                const QString name = match.next().captured(1);
                if (known.contains(name) && !names.contains(name))
                    missing.append(name + QLatin1String(" in ") + path);
            }
        }
        QVERIFY(files > 50);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
    }
};

PELMORA_TEST_MAIN(TestCommandList)
#include "test_commandlist.moc"
