// The language switch in the real main window, against the controller simulator: what a
// switch retranslates and what it keeps, that English leaves no Chinese behind, that the
// language in use chosen again and a catalogue that cannot be loaded change nothing the
// operator sees, and that the choice outlives the program.
#include "../library/panelfixture.h"
#include "admin/dialogmodify.h"
#include "admin/dialogusermanager.h"
#include "control/formcaption.h"
#include "i18n/languages.h"
#include "i18n/languageswitcher.h"
#include "library/dialogaddresource.h"
#include "net/dialogconnect.h"
#include "net/dialogselectlocalip.h"
#include "net/hostmenu.h"
#include "platform/platformpaths.h"
#include "scenes/formautoswitch.h"
#include "testmain.h"
#include "uikit/dialoginput.h"
#include "uikit/frmmessagebox.h"
#include "wall/dialogcustom.h"
#include "wall/dialogmcscrsetting.h"

#include <QComboBox>
#include <QHeaderView>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSettings>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <algorithm>

using library::Category;
using uikit::Dialogs;

namespace {

bool hasChinese(const QString &text)
{
    static const QRegularExpression cjk(
        QStringLiteral("[\\x{3000}-\\x{303f}\\x{3400}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return text.contains(cjk);
}

// Where a widget sits: object names (or class and place among its siblings) from the window
// down, so that a menu built anew is found at the same path.
QString pathOf(const QObject *object, const QObject *root)
{
    QStringList parts;
    for (; object && object != root; object = object->parent()) {
        QString part = object->objectName();
        if (part.isEmpty() && object->parent()) {
            int index = 0;
            const QObjectList siblings = object->parent()->children();
            for (const QObject *sibling : siblings) {
                if (sibling == object)
                    break;
                if (sibling->metaObject() == object->metaObject() && sibling->objectName().isEmpty())
                    ++index;
            }
            part = QStringLiteral("%1#%2").arg(QLatin1String(object->metaObject()->className())).arg(index);
        }
        parts.prepend(part);
    }
    return parts.join(QLatin1Char('/'));
}

// Every text, tooltip and state the operator can see on the window, its panels and its
// menus, one line per item: (path, what, value). Menus are kept by their actions.
QStringList whatTheOperatorSees(QWidget *window, const QStringList &skippedPaths = {})
{
    // Menus retired by a rebuild are gone before anything is compared.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QStringList seen;
    auto add = [&](const QString &path, const char *what, const QString &value) {
        for (const QString &skipped : skippedPaths) {
            if (path.startsWith(skipped))
                return;
        }
        seen.append(path + QLatin1Char(' ') + QLatin1String(what) + QStringLiteral(": ") + value);
    };
    add(QString(), "title", window->windowTitle());
    const QList<QWidget *> widgets = window->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        const QString path = pathOf(widget, window);
        if (auto *menu = qobject_cast<QMenu *>(widget)) {
            const QList<QAction *> actions = menu->actions();
            for (int i = 0; i < actions.size(); ++i) {
                const QAction *a = actions.at(i);
                add(path + QStringLiteral("/action%1").arg(i), "action",
                    QStringLiteral("%1 enabled=%2 checked=%3 separator=%4")
                        .arg(a->text())
                        .arg(a->isEnabled())
                        .arg(a->isChecked())
                        .arg(a->isSeparator()));
            }
            continue;
        }
        add(path, "shown", QString::number(widget->isVisibleTo(window)));
        add(path, "enabled", QString::number(widget->isEnabled()));
        if (!widget->toolTip().isEmpty())
            add(path, "tooltip", widget->toolTip());
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            add(path, "text",
                button->text() + QStringLiteral(" checked=") + QString::number(button->isChecked()));
        else if (auto *label = qobject_cast<QLabel *>(widget))
            add(path, "text", label->text());
        else if (auto *edit = qobject_cast<QLineEdit *>(widget))
            add(path, "text", edit->text() + QStringLiteral(" / ") + edit->placeholderText());
        else if (auto *plain = qobject_cast<QPlainTextEdit *>(widget))
            add(path, "text", plain->toPlainText() + QStringLiteral(" / ") + plain->placeholderText());
        else if (auto *spin = qobject_cast<QAbstractSpinBox *>(widget))
            add(path, "text", spin->text());
        else if (auto *slider = qobject_cast<QAbstractSlider *>(widget))
            add(path, "value", QString::number(slider->value()));
        if (auto *combo = qobject_cast<QComboBox *>(widget)) {
            QStringList items;
            for (int i = 0; i < combo->count(); ++i)
                items.append(combo->itemText(i));
            add(path, "items",
                items.join(QLatin1Char('|')) + QStringLiteral(" current=") +
                    QString::number(combo->currentIndex()));
        }
        if (auto *table = qobject_cast<QTableWidget *>(widget)) {
            QStringList cells;
            for (int c = 0; c < table->columnCount(); ++c)
                cells.append(table->horizontalHeaderItem(c) ? table->horizontalHeaderItem(c)->text()
                                                            : QString());
            for (int r = 0; r < table->rowCount(); ++r) {
                for (int c = 0; c < table->columnCount(); ++c)
                    cells.append(table->item(r, c) ? table->item(r, c)->text() : QString());
            }
            add(path, "cells", cells.join(QLatin1Char('|')));
        }
        if (auto *list = qobject_cast<QListWidget *>(widget)) {
            QStringList items;
            for (int i = 0; i < list->count(); ++i)
                items.append(list->item(i)->text() + QLatin1Char(':') +
                             QString::number(list->item(i)->checkState()));
            add(path, "items", items.join(QLatin1Char('|')));
        }
    }
    seen.sort();
    return seen;
}

QStringList actionTexts(const QMenu *menu)
{
    QStringList texts;
    const QList<QAction *> actions = menu->actions();
    for (const QAction *action : actions)
        texts.append(action->text());
    return texts;
}

QStringList hostTexts(QMenu *menu)
{
    QStringList texts;
    const QList<QPushButton *> buttons = hostmenu::hostButtons(menu);
    for (const QPushButton *button : buttons)
        texts.append(button->text());
    return texts;
}

QList<bool> enabledStates(const QMenu *menu)
{
    QList<bool> states;
    const QList<QAction *> actions = menu->actions();
    for (const QAction *action : actions)
        states.append(action->isEnabled());
    return states;
}

// The language menu's entry of a language, as the operator picks it.
void choose(MainWindow2 &window, int code)
{
    const QList<QAction *> actions = window.form().btnLanguage->menu()->actions();
    for (QAction *action : actions) {
        if (action->text() == QString::fromUtf8(i18n::languageRow(code)->menuText)) {
            action->trigger();
            return;
        }
    }
    QFAIL("no such language entry");
}

QStringList checkedLanguages(MainWindow2 &window)
{
    QStringList checked;
    const QList<QAction *> actions = window.form().btnLanguage->menu()->actions();
    for (const QAction *action : actions) {
        if (action->isChecked())
            checked.append(action->text());
    }
    return checked;
}

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        Dialogs::reset();
        platform::lastConnectSettings()->remove(QStringLiteral("Language"));
        for (const HostEntry &host : hoststore::hosts())
            hoststore::removeHost(host.hostIp);
    }

    // A switch during a session: the form, the caption and rotation panels and the menus
    // come out in English; what came from the controller or the operator stays: the group
    // names, the zoom, the category, the caption settings, the known hosts, the entries the
    // role allows.
    void switchRetranslatesTheWindow()
    {
        for (const char *host : {"10.0.0.7", "10.0.0.8"}) {
            HostEntry entry;
            entry.hostIp = QLatin1String(host);
            entry.hostName = QStringLiteral("大厅 ") + entry.hostIp;
            hoststore::saveHost(entry);
        }
        PanelFixture f;
        QVERIFY(f.start(0));
        QVERIFY(f.login());
        Ui::MainWindow2 &ui = f.window->form();
        f.select(Category::Scene);
        ui.btnScreenZoomIn->click();
        const int speed = ui.captionList->comboBox->currentIndex();
        QVERIFY(speed > 0);
        f.simulator.clearRequests();

        const QStringList groups = {ui.btnMultiScreen1->text(), ui.btnMultiScreen2->text(),
                                    ui.btnMultiScreen3->text()};
        const QString zoom = ui.labelZoom->text();
        const QStringList hosts = hostTexts(f.window->connection()->hostMenu());
        const QList<bool> settingsEnabled = enabledStates(ui.btnSettings->menu());
        QCOMPARE(hosts.size(), 2);
        QCOMPARE(settingsEnabled.size(), 4);

        choose(*f.window, i18n::kEnglish);

        // Family 0 hears of it.
        const auto told = f.simulator.requests(QStringLiteral("SetLanguage"));
        QCOMPARE(told.size(), 1);
        QCOMPARE(told.first().json().value(QStringLiteral("Language")).toInt(), 0);

        QCOMPARE(f.window->windowTitle(), QStringLiteral("Multimedia Wall Control Platform"));
        QCOMPARE(ui.btnConnect->text(), QStringLiteral("Connect"));
        QCOMPARE(ui.videoListButton->text(), QStringLiteral("   Video Collection"));
        QCOMPARE(ui.docListButton->text(), QStringLiteral("   Other Doc&&App"));
        QCOMPARE(ui.labelMediaCtrlTitle->text(), QStringLiteral("Media Control"));
        QCOMPARE(ui.btnMatrixScreen->text(), QStringLiteral("Matrix"));
        QCOMPARE(ui.closeButton->toolTip(), QStringLiteral("Exit"));
        QCOMPARE(ui.captionList->btnStartOsd->text(), QStringLiteral("Start"));
        QCOMPARE(ui.captionList->comboBox->itemText(0), QStringLiteral("No Scroll"));
        QCOMPARE(ui.captionList->comboBox->currentIndex(), speed);
        QCOMPARE(ui.autoSwitch->listAutoSwitch->horizontalHeaderItem(0)->text(), QStringLiteral("Name"));
        QCOMPARE(ui.autoSwitch->btnQuick->text(), QStringLiteral("Start"));
        QCOMPARE(ui.autoSwitch->spinBoxQuick->suffix(), QStringLiteral(" Seconds "));

        QCOMPARE(
            (QStringList{ui.btnMultiScreen1->text(), ui.btnMultiScreen2->text(), ui.btnMultiScreen3->text()}),
            groups);
        QCOMPARE(ui.labelZoom->text(), zoom);
        QVERIFY(ui.modalListButton->isChecked());
        QVERIFY(ui.autoSwitch->isVisible());

        QMenu *hostMenu = f.window->connection()->hostMenu();
        QCOMPARE(actionTexts(hostMenu).mid(0, 2), (QStringList{"Connect", "Disconnect"}));
        QCOMPARE(hostTexts(hostMenu), hosts);
        QCOMPARE(actionTexts(ui.btnSettings->menu()), (QStringList{"Videowall", "", "User", "Password"}));
        QCOMPARE(enabledStates(ui.btnSettings->menu()), settingsEnabled);
        QCOMPARE(checkedLanguages(*f.window), QStringList{QStringLiteral("English")});
        QVERIFY(ui.btnLanguage->isEnabled());
        QVERIFY(Dialogs::shownBoxes().isEmpty());
    }

    // In English nothing the window carries is Chinese any more, hidden parts included; only
    // the language menu names the Chinese languages in their own script.
    void englishLeavesNoChinese()
    {
        MainWindow2 window;
        window.autoLoginTimer()->stop();
        choose(window, i18n::kEnglish);
        const QStringList own = {QStringLiteral("简体中文"), QStringLiteral("繁體中文")};
        QStringList chinese;
        for (const QString &line : whatTheOperatorSees(&window)) {
            if (!hasChinese(line))
                continue;
            if (std::none_of(own.begin(), own.end(),
                             [&](const QString &entry) { return line.contains(entry); }))
                chinese.append(line);
        }
        QVERIFY2(chinese.isEmpty(), qPrintable(chinese.join(QLatin1Char('\n'))));
    }

    // The dialogs the console opens later come out in English as well: their texts are
    // looked up where the catalogue has them.
    void dialogsComeOutInEnglish()
    {
        MainWindow2 window;
        window.autoLoginTimer()->stop();
        choose(window, i18n::kEnglish);

        S_SCR_GROUP group;
        group.name = QStringLiteral("Lobby");
        group.width = 3840;
        group.height = 2160;
        group.scrCols = 2;
        group.scrRows = 2;
        S_SCR_SETTING setting;
        setting.groups = {group};
        std::vector<std::unique_ptr<QWidget>> dialogs;
        dialogs.emplace_back(new DialogConnect(QStringLiteral("10.0.0.7"), QStringLiteral("admin"), QString(),
                                               false, 0, 80, nullptr, DialogConnect::Search::Off));
        dialogs.emplace_back(new DialogSelectLocalIp(
            {QHostAddress(QStringLiteral("10.0.0.1")), QHostAddress(QStringLiteral("10.0.0.2"))}));
        for (int type : {0, 1, 2, 3, 4, 5, 12})
            dialogs.emplace_back(new DialogAddResource(type));
        dialogs.emplace_back(new DialogMCScrSetting(setting));
        dialogs.emplace_back(new DialogCustom(2, 2, {1920, 1920}, {1080, 1080}, 3840, 2160));
        dialogs.emplace_back(new DialogUserManager({}));
        dialogs.emplace_back(new DialogModify);
        dialogs.emplace_back(new DialogInput(QStringLiteral("Name"), QString(), true));
        for (int type : {0, 1, 2}) {
            auto *box = new frmMessageBox;
            box->setAttribute(Qt::WA_DeleteOnClose, false);
            box->setMessage(QStringLiteral("Text"), type);
            dialogs.emplace_back(box);
        }
        QStringList chinese;
        for (const auto &dialog : dialogs) {
            for (const QString &line : whatTheOperatorSees(dialog.get())) {
                if (hasChinese(line))
                    chinese.append(QLatin1String(dialog->metaObject()->className()) + QLatin1Char(' ') +
                                   line);
            }
        }
        QVERIFY2(chinese.isEmpty(), qPrintable(chinese.join(QLatin1Char('\n'))));
    }

    // The language in use, chosen again: nothing the operator sees changes, not even the
    // ticks in the strip of a category whose texts have no translation.
    void sameLanguageAgainChangesNothing()
    {
        PanelFixture f;
        QVERIFY(f.start(2));
        QVERIFY(f.login());
        choose(*f.window, i18n::kEnglish);
        f.select(Category::Web);
        QListWidgetItem *item = f.w.audioList->listWidget()->item(0);
        QVERIFY(item);
        item->setCheckState(Qt::Checked);
        const QStringList before = whatTheOperatorSees(f.window.get());
        f.simulator.clearRequests();

        choose(*f.window, i18n::kEnglish);
        const QStringList after = whatTheOperatorSees(f.window.get());
        QCOMPARE(after, before);
        QVERIFY(f.simulator.requests(QStringLiteral("SetLanguage")).isEmpty());
        QVERIFY(Dialogs::shownBoxes().isEmpty());
    }

    // A catalogue that cannot be loaded: "加载语言包失败！", and the window keeps its texts;
    // only the menu's check mark has moved to the language chosen.
    void unloadableCatalogueKeepsTheTexts()
    {
        MainWindow2 window;
        window.autoLoginTimer()->stop();
        const QString languageMenu = QStringLiteral("centralwidget/frameTitle/btnLanguage/languageMenu");
        const QStringList before = whatTheOperatorSees(&window, {languageMenu});
        QTemporaryDir empty;
        window.languages()->setCatalogueDirectory(empty.path());

        choose(window, i18n::kEnglish);
        QCOMPARE(Dialogs::shownBoxes().size(), 1);
        QCOMPARE(Dialogs::shownBoxes().first().type, uikit::BoxType::Error);
        QCOMPARE(Dialogs::shownBoxes().first().text, QStringLiteral("加载语言包失败！"));
        QCOMPARE(whatTheOperatorSees(&window, {languageMenu}), before);
        QCOMPARE(checkedLanguages(window), QStringList{QStringLiteral("English")});
        // What is built later is in the old language too.
        window.buildSettingsMenu();
        QCOMPARE(actionTexts(window.form().btnSettings->menu()), QStringList{QStringLiteral("修改密码")});
    }

    // The choice outlives the program: the next start comes up in it with its entry checked;
    // without a stored choice the console starts in its source texts, nothing checked.
    void restartKeepsTheChoice()
    {
        {
            MainWindow2 window;
            window.autoLoginTimer()->stop();
            QVERIFY(checkedLanguages(window).isEmpty());
            QCOMPARE(window.form().btnConnect->text(), QStringLiteral(" 连接"));
            choose(window, i18n::kTraditional);
        }
        // The translators left with the window.
        QCOMPARE(QCoreApplication::translate("MainWindow2", " 连接"), QStringLiteral(" 连接"));
        {
            MainWindow2 window;
            window.autoLoginTimer()->stop();
            QCOMPARE(window.form().btnConnect->text(), QStringLiteral(" 連線"));
            QCOMPARE(window.form().videoListButton->text(), QStringLiteral("   影片"));
            QCOMPARE(checkedLanguages(window), QStringList{QStringLiteral("繁體中文")});
            QCOMPARE(window.languages()->current(), i18n::kTraditional);
        }
        platform::lastConnectSettings()->remove(QStringLiteral("Language"));
        {
            MainWindow2 window;
            window.autoLoginTimer()->stop();
            QCOMPARE(window.form().btnConnect->text(), QStringLiteral(" 连接"));
            QVERIFY(checkedLanguages(window).isEmpty());
            QCOMPARE(window.languages()->current(), -1);
        }
    }
};

PELMORA_TEST_MAIN(TestLanguage)
#include "test_language.moc"
