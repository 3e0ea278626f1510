// The language switch on its own, against the controller simulator: the language the
// console starts in, what reaches the controller and when, the catalogues each language
// installs, the menu's check marks, catalogues that cannot be loaded, and a choice made while
// the controller has not answered the previous one.
#include "i18n/languages.h"
#include "i18n/languageswitcher.h"
#include "platform/platformpaths.h"
#include "simsession.h"
#include "testmain.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

using i18n::LanguageSwitcher;
using pelmora::test::SimSession;
using uikit::Dialogs;

namespace {

QString mainText(const char *source)
{
    return QCoreApplication::translate("MainWindow2", source);
}

void forgetStoredLanguage()
{
    platform::lastConnectSettings()->remove(QStringLiteral("Language"));
}

int storedLanguage()
{
    return platform::lastConnectSettings()->value(QStringLiteral("Language"), -1).toInt();
}

QStringList checkedEntries(const QMenu &menu)
{
    QStringList checked;
    const QList<QAction *> actions = menu.actions();
    for (const QAction *action : actions) {
        if (action->isChecked())
            checked.append(action->text());
    }
    return checked;
}

// A switcher on a session with the simulator, logged in as the administrator.
struct Switching
{
    SimSession sim;
    std::unique_ptr<LanguageSwitcher> switcher;
    QMenu menu;

    bool start(int family, bool loggedIn = true)
    {
        if (!sim.start(family))
            return false;
        sim.session.loggedIn = loggedIn;
        switcher = std::make_unique<LanguageSwitcher>(sim.transport.get(), &sim.session, nullptr);
        switcher->fillMenu(&menu);
        sim.simulator.clearRequests();
        return true;
    }
};

} // namespace

class TestLanguageSwitcher : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        Dialogs::reset();
        forgetStoredLanguage();
    }

    // The last choice wins; typename.ini names the installation's language when no choice
    // was ever stored; otherwise there is none and the source texts show.
    void startupLanguage_data()
    {
        QTest::addColumn<QVariant>("stored");  // the registry value; invalid: none
        QTest::addColumn<QString>("typeName"); // "Language" of typename.ini; null: no file
        QTest::addColumn<int>("expected");     // -1: none
        QTest::newRow("nothing") << QVariant() << QString() << -1;
        QTest::newRow("stored English") << QVariant(0) << QString() << 0;
        QTest::newRow("stored Traditional") << QVariant(2) << QString() << 2;
        QTest::newRow("ini Chinese") << QVariant() << "Chinese" << 1;
        QTest::newRow("ini English") << QVariant() << "English" << 0;
        QTest::newRow("ini Traditional") << QVariant() << "Traditional Chinese" << 2;
        QTest::newRow("ini other") << QVariant() << "Korean" << -1;
        QTest::newRow("ini without the key") << QVariant() << "" << -1;
        QTest::newRow("stored beats ini") << QVariant(1) << "English" << 1;
        QTest::newRow("stored nonsense") << QVariant(7) << "Traditional Chinese" << 2;
        QTest::newRow("stored text") << QVariant("en") << QString() << -1;
    }

    void startupLanguage()
    {
        QFETCH(QVariant, stored);
        QFETCH(QString, typeName);
        QFETCH(int, expected);
        if (stored.isValid())
            platform::lastConnectSettings()->setValue(QStringLiteral("Language"), stored);
        QTemporaryDir dir;
        if (!typeName.isNull()) {
            QFile ini(dir.filePath(QStringLiteral("typename.ini")));
            QVERIFY(ini.open(QIODevice::WriteOnly));
            ini.write("[Software]\n");
            if (!typeName.isEmpty())
                ini.write("Language=" + typeName.toUtf8() + "\n");
        }
        QCOMPARE(i18n::startupLanguage(dir.path()).value_or(-1), expected);
    }

    // "SetLanguage" goes to a controller of family 0 during a session only, and before the
    // interface changes; the switch itself happens in every case.
    void controllerIsToldForFamilyZero_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<bool>("loggedIn");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("sent");
        QTest::newRow("family 0, English") << 0 << true << 0 << true;
        QTest::newRow("family 0, Traditional") << 0 << true << 2 << true;
        QTest::newRow("family 0, not logged in") << 0 << false << 0 << false;
        for (int family = 1; family <= 4; ++family)
            QTest::addRow("family %d", family) << family << true << 0 << false;
    }

    void controllerIsToldForFamilyZero()
    {
        QFETCH(int, family);
        QFETCH(bool, loggedIn);
        QFETCH(int, code);
        QFETCH(bool, sent);
        Switching s;
        QVERIFY(s.start(family, loggedIn));
        int sentBeforeTheChange = -1;
        QObject::connect(s.switcher.get(), &LanguageSwitcher::languageChanged, [&] {
            sentBeforeTheChange = s.sim.simulator.requests(QStringLiteral("SetLanguage")).size();
        });
        QVERIFY(s.switcher->switchTo(code));

        const auto requests = s.sim.simulator.requests(QStringLiteral("SetLanguage"));
        QCOMPARE(requests.size(), sent ? 1 : 0);
        QCOMPARE(sentBeforeTheChange, sent ? 1 : 0);
        if (sent) {
            const QJsonObject expected{{"Command", "SetLanguage"}, {"Language", code}};
            QCOMPARE(requests.first().json(), expected);
            QCOMPARE(s.sim.simulator.state().value(QStringLiteral("Language")).toInt(), code);
        }
        QCOMPARE(s.switcher->current(), code);
        QCOMPARE(storedLanguage(), code);
        QVERIFY(Dialogs::shownBoxes().isEmpty());
    }

    // A controller that refuses the language is reported; the console switches all the same.
    void refusedLanguageStillSwitches()
    {
        Switching s;
        QVERIFY(s.start(0));
        s.sim.simulator.setFault(QStringLiteral("SetLanguage"),
                                 {sim::Fault::Refuse, 0, 500, QStringLiteral("busy")});
        QVERIFY(s.switcher->switchTo(i18n::kEnglish));
        const QList<uikit::ShownBox> boxes = Dialogs::shownBoxes();
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.first().type, uikit::BoxType::Error);
        // The box comes before the catalogues: it is in the language that was in use.
        QCOMPARE(boxes.first().text, QStringLiteral("操作失败！错误原因：busy"));
        QCOMPARE(s.switcher->current(), i18n::kEnglish);
        QCOMPARE(mainText("断开连接"), QStringLiteral("Disconnect"));
    }

    // Each language installs its own catalogue and Qt's catalogue of the same language (Qt's
    // texts are English already, so English has none).
    void eachLanguageInstallsItsCatalogues_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("disconnect");
        QTest::addColumn<QString>("qtCopy");
        QTest::newRow("English") << 0 << "Disconnect"
                                 << "&Copy";
        QTest::newRow("Simplified Chinese") << 1 << "断开连接"
                                            << "复制(&C)";
        QTest::newRow("Traditional Chinese") << 2 << "中斷連線"
                                             << "複製(&C)";
    }

    void eachLanguageInstallsItsCatalogues()
    {
        QFETCH(int, code);
        QFETCH(QString, disconnect);
        QFETCH(QString, qtCopy);
        Switching s;
        QVERIFY(s.start(2));
        // From another language, so that every row really changes the translators.
        QVERIFY(s.switcher->switchTo((code + 1) % 3));
        QSignalSpy changed(s.switcher.get(), &LanguageSwitcher::languageChanged);
        QVERIFY(s.switcher->switchTo(code));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.first().first().toInt(), code);
        QCOMPARE(mainText("断开连接"), disconnect);
        QCOMPARE(QCoreApplication::translate("QLineEdit", "&Copy"), qtCopy);
        QCOMPARE(s.switcher->qtTranslator().isEmpty(), code == i18n::kEnglish);
        QCOMPARE(checkedEntries(s.menu), QStringList{QString::fromUtf8(i18n::languageRow(code)->menuText)});
    }

    // The menu: three entries in their fixed order and texts, whatever the language; none
    // checked before the first switch, then the one chosen.
    void menuEntries()
    {
        Switching s;
        QVERIFY(s.start(2));
        const QStringList texts = {QStringLiteral("简体中文"), QStringLiteral("English"),
                                   QStringLiteral("繁體中文")};
        auto entryTexts = [&] {
            QStringList found;
            const QList<QAction *> actions = s.menu.actions();
            for (const QAction *action : actions)
                found.append(action->text() +
                             (action->isCheckable() ? QString() : QStringLiteral(" (not checkable)")));
            return found;
        };
        QCOMPARE(entryTexts(), texts);
        QVERIFY(checkedEntries(s.menu).isEmpty());
        s.menu.actions().at(1)->trigger();
        QCOMPARE(s.switcher->current(), i18n::kEnglish);
        QCOMPARE(entryTexts(), texts);
        QCOMPARE(checkedEntries(s.menu), QStringList{QStringLiteral("English")});
        s.menu.actions().at(2)->trigger();
        QCOMPARE(checkedEntries(s.menu), QStringList{QStringLiteral("繁體中文")});
        // The entry of the language in use, chosen again, stays checked.
        s.menu.actions().at(2)->trigger();
        QCOMPARE(checkedEntries(s.menu), QStringList{QStringLiteral("繁體中文")});
        QCOMPARE(s.switcher->current(), i18n::kTraditional);
    }

    // A catalogue that cannot be loaded: the box in the language in use, the choice stored
    // and checked, and everything (later texts too) in the language it had.
    void unloadableCatalogueKeepsTheLanguage()
    {
        QTemporaryDir dir;
        QVERIFY(QFile::copy(QStringLiteral(":/lang_English.qm"),
                            dir.filePath(QStringLiteral("lang_English.qm"))));
        QFile broken(dir.filePath(QStringLiteral("lang_fanti.qm")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not a catalogue");
        broken.close();
        // No lang_Chinese.qm at all.

        Switching s;
        QVERIFY(s.start(2));
        s.switcher->setCatalogueDirectory(dir.path());
        QSignalSpy changed(s.switcher.get(), &LanguageSwitcher::languageChanged);

        QVERIFY(!s.switcher->switchTo(i18n::kChinese));
        QCOMPARE(Dialogs::shownBoxes().size(), 1);
        QCOMPARE(Dialogs::shownBoxes().first().type, uikit::BoxType::Error);
        QCOMPARE(Dialogs::shownBoxes().first().text, QStringLiteral("加载语言包失败！"));
        QCOMPARE(s.switcher->current(), -1);
        QCOMPARE(storedLanguage(), i18n::kChinese);
        QCOMPARE(checkedEntries(s.menu), QStringList{QStringLiteral("简体中文")});

        QVERIFY(s.switcher->switchTo(i18n::kEnglish));
        Dialogs::clearShownBoxes();
        QVERIFY(!s.switcher->switchTo(i18n::kTraditional));
        QCOMPARE(Dialogs::shownBoxes().size(), 1);
        QCOMPARE(Dialogs::shownBoxes().first().text, QStringLiteral("FAILED TO LOAD LANGUAGE PACK!"));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(s.switcher->current(), i18n::kEnglish);
        QCOMPARE(storedLanguage(), i18n::kTraditional);
        QCOMPARE(checkedEntries(s.menu), QStringList{QStringLiteral("繁體中文")});
        QCOMPARE(mainText("断开连接"), QStringLiteral("Disconnect"));
    }

    // A choice made while the controller has not answered the previous one wins: the earlier
    // switch gives up when its wait returns, and only the later language is installed.
    void laterChoiceWinsWhileTheControllerWaits()
    {
        Switching s;
        QVERIFY(s.start(0));
        sim::Fault slow{sim::Fault::Delay};
        slow.delayMs = 800;
        slow.remaining = 1;
        s.sim.simulator.setFault(QStringLiteral("SetLanguage"), slow);
        QSignalSpy changed(s.switcher.get(), &LanguageSwitcher::languageChanged);
        // Runs inside the first switch's wait for the controller.
        QTimer::singleShot(0, s.switcher.get(), [&] { s.switcher->switchTo(i18n::kTraditional); });
        QVERIFY(!s.switcher->switchTo(i18n::kEnglish));

        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.first().first().toInt(), i18n::kTraditional);
        QCOMPARE(s.switcher->current(), i18n::kTraditional);
        QCOMPARE(storedLanguage(), i18n::kTraditional);
        QCOMPARE(checkedEntries(s.menu), QStringList{QStringLiteral("繁體中文")});
        QCOMPARE(s.sim.simulator.requests(QStringLiteral("SetLanguage")).size(), 2);
        QCOMPARE(mainText("断开连接"), QStringLiteral("中斷連線"));
    }

    // The stored choice comes back: the switch runs once at start, nothing when none is stored.
    void restoresTheStoredChoice()
    {
        Switching s;
        QVERIFY(s.start(0, false));
        QTemporaryDir noIni;
        QVERIFY(!s.switcher->restoreStoredChoice(noIni.path()));
        QCOMPARE(s.switcher->current(), -1);
        QCOMPARE(mainText("断开连接"), QStringLiteral("断开连接"));

        platform::lastConnectSettings()->setValue(QStringLiteral("Language"), i18n::kEnglish);
        QVERIFY(s.switcher->restoreStoredChoice(noIni.path()));
        QCOMPARE(s.switcher->current(), i18n::kEnglish);
        QCOMPARE(s.switcher->languageIndex(), i18n::kEnglish);
        QCOMPARE(checkedEntries(s.menu), QStringList{QStringLiteral("English")});
        QVERIFY(s.sim.simulator.requests(QStringLiteral("SetLanguage")).isEmpty());
    }
};

PELMORA_TEST_MAIN(TestLanguageSwitcher)
#include "test_languageswitcher.moc"
