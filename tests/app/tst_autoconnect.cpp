// Every dialog whose form binds its on_<object>_<signal> slots by name finds an object and a
// signal for each of them: a slot without one would leave its button doing nothing.
#include "admin/dialogmodify.h"
#include "admin/dialogusermanager.h"
#include "library/dialogaddresource.h"
#include "net/dialogconnect.h"
#include "net/dialogselectlocalip.h"
#include "testmain.h"
#include "uikit/dialoginput.h"
#include "wall/dialogcustom.h"
#include "wall/dialogmcscrsetting.h"

#include <QHostAddress>
#include <functional>
#include <memory>

using MakeDialog = std::function<QDialog *()>;
Q_DECLARE_METATYPE(MakeDialog)

class TestAutoConnect : public QObject
{
    Q_OBJECT

private slots:
    void everyNamedSlotIsBound_data()
    {
        QTest::addColumn<MakeDialog>("make");
        const auto row = [](const char *name, MakeDialog make) { QTest::newRow(name) << std::move(make); };
        row("DialogConnect", [] {
            return new DialogConnect(QString(), QString(), QString(), true, 2, 80, nullptr,
                                     DialogConnect::Search::Off);
        });
        row("DialogSelectLocalIp", [] {
            return new DialogSelectLocalIp(
                {QHostAddress(QStringLiteral("10.0.0.1")), QHostAddress(QStringLiteral("10.0.0.2"))});
        });
        row("DialogUserManager", [] { return new DialogUserManager({{QStringLiteral("admin"), {}, 0}}); });
        row("DialogModify", [] { return new DialogModify; });
        row("DialogAddResource", [] { return new DialogAddResource(0); });
        row("DialogCustom", [] { return new DialogCustom(3, 1, {1920, 1920, 1920}, {1080}, 5760, 1080); });
        row("DialogMCScrSetting", [] { return new DialogMCScrSetting(S_SCR_SETTING()); });
        row("DialogInput", [] { return new DialogInput(QStringLiteral("Name"), QString(), true); });
    }

    void everyNamedSlotIsBound()
    {
        QFETCH(MakeDialog, make);
        pelmora::test::WarningCatcher catcher;
        std::unique_ptr<QDialog> dialog(make());
        QVERIFY(dialog);
        QVERIFY2(!catcher.contains(QStringLiteral("No matching signal")),
                 qPrintable(catcher.warnings().join(QLatin1Char('\n'))));
    }
};

PELMORA_TEST_MAIN(TestAutoConnect)
#include "tst_autoconnect.moc"
