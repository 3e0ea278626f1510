#include "net/dialogconnect.h"
#include "net/dialogselectlocalip.h"
#include "net/discovery.h"
#include "netns.h"
#include "platform/platformpaths.h"
#include "sim/simulator.h"
#include "testmain.h"
#include "uikit/dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QUdpSocket>
#include <memory>

using uikit::Dialogs;

namespace {
QByteArray answer(const QString &hostIp, const QString &hostName, int port)
{
    QJsonObject object;
    object.insert(QStringLiteral("Command"), QStringLiteral("ResponseToFind"));
    object.insert(QStringLiteral("HostIp"), hostIp);
    object.insert(QStringLiteral("HostName"), hostName);
    if (port >= 0)
        object.insert(QStringLiteral("HostPort"), port);
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QStringList itemTexts(const QListWidget *list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts.append(list->item(row)->text());
    return texts;
}

template<typename T>
T *widget(QObject *dialog, const char *name)
{
    return dialog->findChild<T *>(QLatin1String(name));
}

void clickItem(QListWidget *list, QListWidgetItem *item)
{
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

void typeInto(QLineEdit *edit, const QString &text)
{
    edit->clear();
    QTest::keyClicks(edit, text);
}

std::unique_ptr<QSettings> lastConnect()
{
    return platform::lastConnectSettings();
}

QString announcedIn(const QByteArray &search)
{
    return QJsonDocument::fromJson(search).object().value(QStringLiteral("IpAddr")).toString();
}

// Hosts files for the runs of a test function with a resolver of its own: the console's host
// name resolves to the addresses given.
QByteArray hostsNaming(const QStringList &addresses)
{
    QByteArray hosts;
    for (const QString &address : addresses)
        hosts += address.toLatin1() + " pelmora-console\n";
    return hosts;
}

// Runs the current row of `function` again with a resolver of its own, where the host name
// resolves to `addresses`; true once it passed there.
bool rerunWithHostName(const char *function, const QStringList &addresses, QByteArray *output)
{
    const QByteArray row = QByteArray(function) + ':' + QTest::currentDataTag();
    const QByteArray passed =
        "PASS   : TestDialogConnect::" + QByteArray(function) + '(' + QTest::currentDataTag() + ')';
    return netns::runWithHostsFile(row.constData(), hostsNaming(addresses), output) &&
           output->contains(passed);
}

// The controller's network behind one interface of the console, with a simulator answering
// the search on it.
struct ControllerLan
{
    netns::Peer peer;
    sim::Simulator simulator{sim::Options{QStringLiteral("Lobby"), {}, {}, true}};

    bool open(const QString &local, const QString &localAddress, const QString &remote,
              const QString &remoteAddress)
    {
        return peer.open(local, localAddress + QStringLiteral("/24"), remote,
                         remoteAddress + QStringLiteral("/24")) &&
               peer.inside([&] { return simulator.start(remoteAddress, 0); });
    }
    QString entry() const { return QStringLiteral("10.61.0.2 %1 Lobby").arg(simulator.port()); }
};
} // namespace

class TestDialogConnect : public QObject
{
    Q_OBJECT

public:
    TestDialogConnect() { netns::enter(); }

private:
    Responder *responder = nullptr;

    std::unique_ptr<DialogConnect> openDialog(const QString &hostIp = {}, const QString &userName = {},
                                              const QString &hostName = {}, bool lockFamily = true,
                                              int family = 2, int port = 80)
    {
        return std::make_unique<DialogConnect>(hostIp, userName, hostName, lockFamily, family, port);
    }

    // The form alone, without the search: runs without a network namespace.
    static std::unique_ptr<DialogConnect> openForm(const QString &hostIp = {}, const QString &userName = {},
                                                   const QString &hostName = {}, bool lockFamily = true,
                                                   int family = 2, int port = 80)
    {
        return std::make_unique<DialogConnect>(hostIp, userName, hostName, lockFamily, family, port, nullptr,
                                               DialogConnect::Search::Off);
    }

    static bool showDialog(QWidget *dialog)
    {
        dialog->show();
        return QTest::qWaitForWindowExposed(dialog);
    }

private slots:
    void init()
    {
        Dialogs::reset();
        lastConnect()->clear();
        if (!netns::available())
            return;
        responder = new Responder(this);
        QVERIFY(responder->open());
    }

    void cleanup()
    {
        delete responder;
        responder = nullptr;
    }

    // Answers are collected as they arrive; every case ends with a last, distinct answer so
    // that everything sent before it is known to be handled once it shows up.
    void answersFillTheList_data()
    {
        QTest::addColumn<QList<QByteArray>>("datagrams");
        QTest::addColumn<QStringList>("entries");

        const QByteArray wallA = answer(QStringLiteral("10.20.0.5"), QStringLiteral("Wall-A"), 8080);
        QTest::newRow("identical answers")
            << QList<QByteArray>{wallA, wallA} << QStringList{"10.20.0.5 8080 Wall-A"};
        QTest::newRow("other host name")
            << QList<QByteArray>{wallA, answer(QStringLiteral("10.20.0.5"), QStringLiteral("Wall-B"), 8080)}
            << QStringList{"10.20.0.5 8080 Wall-A", "10.20.0.5 8080 Wall-B"};
        QTest::newRow("missing port")
            << QList<QByteArray>{answer(QStringLiteral("10.20.0.6"), QStringLiteral("大厅"), -1)}
            << QStringList{"10.20.0.6 80 大厅"};
        QTest::newRow("port 0") << QList<QByteArray>{answer(QStringLiteral("10.20.0.7"), QStringLiteral("C"),
                                                            0)}
                                << QStringList{"10.20.0.7 80 C"};
        QTest::newRow("malformed") << QList<QByteArray>{QByteArray(
                                          "{\"Command\":\"ResponseToFind\",\"HostIp\"")}
                                   << QStringList{};
        QTest::newRow("other command")
            << QList<QByteArray>{QByteArray(
                   "{\"Command\":\"FindViewTop\",\"HostIp\":\"10.20.0.8\",\"HostName\":\"D\"}")}
            << QStringList{};
    }

    void answersFillTheList()
    {
        PELMORA_REQUIRE_NETNS();
        QFETCH(QList<QByteArray>, datagrams);
        QFETCH(QStringList, entries);

        const auto dialog = openDialog();
        auto *list = widget<QListWidget>(dialog.get(), "listHosts");
        QVERIFY(list);
        QCOMPARE(list->count(), 0);

        for (const QByteArray &datagram : datagrams)
            responder->send(datagram);
        const QString last = QStringLiteral("10.20.9.9 5080 Last");
        responder->send(answer(QStringLiteral("10.20.9.9"), QStringLiteral("Last"), 5080));
        QVERIFY(pelmora::test::waitFor([&] { return !list->findItems(last, Qt::MatchExactly).isEmpty(); }));

        QCOMPARE(itemTexts(list), entries + QStringList{last});
        QCOMPARE(list->item(list->count() - 1)->data(Qt::UserRole), QVariant(5080));
    }

    void clickFillsAddressAndPortOnly_data()
    {
        QTest::addColumn<int>("hostPort");
        QTest::addColumn<QString>("port");
        QTest::newRow("port given") << 8081 << QStringLiteral("8081");
        QTest::newRow("port missing") << -1 << QStringLiteral("80");
    }

    void clickFillsAddressAndPortOnly()
    {
        PELMORA_REQUIRE_NETNS();
        QFETCH(int, hostPort);
        QFETCH(QString, port);

        const auto dialog = openDialog(QStringLiteral("192.168.3.3"), QStringLiteral("operator"),
                                       QStringLiteral("Lobby"), true, 2, 9000);
        QVERIFY(showDialog(dialog.get()));
        auto *list = widget<QListWidget>(dialog.get(), "listHosts");
        auto *editHostIp = widget<QLineEdit>(dialog.get(), "editHostIp");
        auto *editPortNo = widget<QLineEdit>(dialog.get(), "editPortNo");
        auto *editHostName = widget<QLineEdit>(dialog.get(), "editHostName");
        auto *editUsername = widget<QLineEdit>(dialog.get(), "editUsername");
        auto *editUserPwd = widget<QLineEdit>(dialog.get(), "editUserPwd");
        QVERIFY(list && editHostIp && editPortNo && editHostName && editUsername && editUserPwd);
        typeInto(editUserPwd, QStringLiteral("secret"));

        responder->send(answer(QStringLiteral("10.30.0.4"), QStringLiteral("Stage Left"), hostPort));
        QVERIFY(pelmora::test::waitFor([&] { return list->count() == 1; }));
        QCOMPARE(list->item(0)->data(Qt::UserRole).toInt(), port.toInt());
        clickItem(list, list->item(0));

        QCOMPARE(editHostIp->text(), QStringLiteral("10.30.0.4"));
        QCOMPARE(editPortNo->text(), port);
        QCOMPARE(editHostName->text(), QStringLiteral("Lobby"));
        QCOMPARE(editUsername->text(), QStringLiteral("operator"));
        QCOMPARE(editUserPwd->text(), QStringLiteral("secret"));
    }

    // The search announces the host name's last IPv4 address other than a loopback one; with
    // none (and, as here, no interface but loopback) the last one it has, loopback or not.
    void searchIsSentOnceAtConstruction_data()
    {
        QTest::addColumn<QStringList>("resolved"); // the host name's addresses
        QTest::addColumn<QString>("announced");
        QTest::newRow("a LAN address") << QStringList{"10.77.3.2"} << "10.77.3.2";
        QTest::newRow("a LAN address beside a loopback one")
            << QStringList{"127.0.1.1", "10.77.3.2"} << "10.77.3.2";
        QTest::newRow("a loopback address beside a LAN one")
            << QStringList{"10.77.3.2", "127.0.1.1"} << "10.77.3.2";
        QTest::newRow("only a loopback address") << QStringList{"127.0.1.1"} << "127.0.1.1";
    }

    void searchIsSentOnceAtConstruction()
    {
        PELMORA_REQUIRE_NETNS();
        QFETCH(QStringList, resolved);
        QFETCH(QString, announced);
        if (!netns::ownResolverRun()) {
            QByteArray output;
            QVERIFY2(rerunWithHostName("searchIsSentOnceAtConstruction", resolved, &output),
                     output.constData());
            return;
        }
        const auto dialog = openDialog();
        QVERIFY(pelmora::test::waitFor(
            [&] { return !responder->received(QStringLiteral("FindViewTop")).isEmpty(); }));
        QVERIFY(responder->sync());

        const QList<QByteArray> searches = responder->received(QStringLiteral("FindViewTop"));
        QCOMPARE(searches.size(), 1);
        const QJsonObject search = QJsonDocument::fromJson(searches.first()).object();
        QCOMPARE(search.keys(), QStringList({QStringLiteral("Command"), QStringLiteral("IpAddr")}));
        QCOMPARE(search.value(QStringLiteral("IpAddr")).toString(), announced);
        QVERIFY(searches.first().contains("\n    \"Command\": \"FindViewTop\""));
    }

    void okStoresLastConnection_data()
    {
        QTest::addColumn<bool>("autoLogin");
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("portText");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("storedPassword");

        QTest::newRow("auto login stores the password")
            << true << QStringLiteral("10.40.0.2") << QStringLiteral("8088") << 8088
            << QStringLiteral("pa55");
        QTest::newRow("without auto login the old password stays")
            << false << QStringLiteral("10.40.0.3") << QStringLiteral("81") << 81
            << QStringLiteral("earlier");
        QTest::newRow("nothing is validated")
            << false << QString() << QStringLiteral("80x") << 0 << QStringLiteral("earlier");
    }

    void okStoresLastConnection()
    {
        QFETCH(bool, autoLogin);
        QFETCH(QString, host);
        QFETCH(QString, portText);
        QFETCH(int, port);
        QFETCH(QString, storedPassword);

        lastConnect()->setValue(QStringLiteral("Password"), QStringLiteral("earlier"));
        lastConnect()->setValue(QStringLiteral("AutoLogin"), true);

        const auto dialog = openForm({}, {}, QStringLiteral("控制器 1"), false, 0, 80);
        QVERIFY(showDialog(dialog.get()));
        typeInto(widget<QLineEdit>(dialog.get(), "editHostIp"), host);
        typeInto(widget<QLineEdit>(dialog.get(), "editPortNo"), portText);
        typeInto(widget<QLineEdit>(dialog.get(), "editUsername"), QStringLiteral("op"));
        typeInto(widget<QLineEdit>(dialog.get(), "editUserPwd"), QStringLiteral("pa55"));
        widget<QComboBox>(dialog.get(), "comboBoxType")->setCurrentIndex(3);
        auto *check = widget<QCheckBox>(dialog.get(), "checkAutoLogin");
        if (autoLogin)
            QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));
        QCOMPARE(check->isChecked(), autoLogin);

        QTest::mouseClick(widget<QPushButton>(dialog.get(), "btnOk"), Qt::LeftButton);

        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(dialog->hostIp(), host);
        QCOMPARE(dialog->port(), port);
        QCOMPARE(dialog->hostName(), QStringLiteral("控制器 1"));
        QCOMPARE(dialog->userName(), QStringLiteral("op"));
        QCOMPARE(dialog->password(), QStringLiteral("pa55"));
        QCOMPARE(dialog->family(), 3);
        QCOMPARE(dialog->autoLogin(), autoLogin);

        const auto stored = lastConnect();
        QCOMPARE(stored->value(QStringLiteral("HostIp")).toString(), host);
        QCOMPARE(stored->value(QStringLiteral("PortNo")).toInt(), port);
        QCOMPARE(stored->value(QStringLiteral("HostName")).toString(), QStringLiteral("控制器 1"));
        QCOMPARE(stored->value(QStringLiteral("UserName")).toString(), QStringLiteral("op"));
        QCOMPARE(stored->value(QStringLiteral("Family")).toInt(), 3);
        QCOMPARE(stored->value(QStringLiteral("AutoLogin")).toBool(), autoLogin);
        QCOMPARE(stored->value(QStringLiteral("Password")).toString(), storedPassword);
    }

    void closeButtonRejectsWithoutStoring()
    {
        const auto dialog = openForm(QStringLiteral("10.40.1.1"), QStringLiteral("op"));
        QVERIFY(showDialog(dialog.get()));
        auto *close = widget<QPushButton>(dialog.get(), "btnMenu_Close");
        QCOMPARE(close->toolTip(), QStringLiteral("关闭"));
        QTest::mouseClick(close, Qt::LeftButton);

        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QVERIFY(lastConnect()->allKeys().isEmpty());
    }

    void emptyHostAndUserComeFromLastConnection()
    {
        {
            const auto first = openForm({}, {}, {}, true, 2, 80);
            QCOMPARE(widget<QLineEdit>(first.get(), "editHostIp")->text(), QStringLiteral("192.168.1.250"));
            QCOMPARE(widget<QLineEdit>(first.get(), "editUsername")->text(), QStringLiteral("admin"));
            QCOMPARE(widget<QLineEdit>(first.get(), "editPortNo")->text(), QStringLiteral("80"));
            QVERIFY(widget<QLineEdit>(first.get(), "editUserPwd")->text().isEmpty());

            QVERIFY(showDialog(first.get()));
            typeInto(widget<QLineEdit>(first.get(), "editHostIp"), QStringLiteral("10.50.0.9"));
            typeInto(widget<QLineEdit>(first.get(), "editUsername"), QStringLiteral("night-shift"));
            QTest::mouseClick(widget<QPushButton>(first.get(), "btnOk"), Qt::LeftButton);
            QCOMPARE(first->result(), int(QDialog::Accepted));
        }

        const auto again = openForm({}, {}, QStringLiteral("Hall"), true, 2, 8080);
        QCOMPARE(widget<QLineEdit>(again.get(), "editHostIp")->text(), QStringLiteral("10.50.0.9"));
        QCOMPARE(widget<QLineEdit>(again.get(), "editUsername")->text(), QStringLiteral("night-shift"));
        QCOMPARE(widget<QLineEdit>(again.get(), "editPortNo")->text(), QStringLiteral("8080"));
        QCOMPARE(widget<QLineEdit>(again.get(), "editHostName")->text(), QStringLiteral("Hall"));

        // Given values win over the stored ones.
        const auto given = openForm(QStringLiteral("10.50.1.1"), QStringLiteral("guest"));
        QCOMPARE(widget<QLineEdit>(given.get(), "editHostIp")->text(), QStringLiteral("10.50.1.1"));
        QCOMPARE(widget<QLineEdit>(given.get(), "editUsername")->text(), QStringLiteral("guest"));
    }

    void familyChoice_data()
    {
        QTest::addColumn<bool>("lockFamily");
        QTest::addColumn<int>("family");
        QTest::newRow("locked, media display") << true << 2;
        QTest::newRow("locked, seamless matrix") << true << 4;
        QTest::newRow("free, decoder matrix") << false << 1;
    }

    void familyChoice()
    {
        QFETCH(bool, lockFamily);
        QFETCH(int, family);

        const auto dialog = openForm({}, {}, {}, lockFamily, family, 80);
        auto *combo = widget<QComboBox>(dialog.get(), "comboBoxType");
        QVERIFY(combo);
        QCOMPARE(combo->isEnabled(), !lockFamily);
        QCOMPARE(combo->currentData().toInt(), family);

        const QStringList names{"拼接处理器", "解码矩阵", "媒体展示系统", "嵌入式媒体展示系统", "无缝矩阵"};
        QCOMPARE(combo->count(), names.size());
        for (int code = 0; code < names.size(); ++code) {
            QCOMPARE(combo->itemText(code), names.at(code));
            QCOMPARE(combo->itemData(code).toInt(), code);
        }
    }

    // Two local IPv4 addresses besides 127.0.0.1: the operator picks the one to search on.
    void severalAddressesAskWhichToUse_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("second address chosen") << true;
        QTest::newRow("choice closed") << false;
    }

    void severalAddressesAskWhichToUse()
    {
        PELMORA_REQUIRE_NETNS();
        QFETCH(bool, accept);

        const QStringList added{QStringLiteral("10.77.0.1/32"), QStringLiteral("10.77.0.2/32")};
        const auto removeAddresses = qScopeGuard([&] {
            for (const QString &address : added)
                netns::ip({QStringLiteral("addr"), QStringLiteral("del"), address, QStringLiteral("dev"),
                           QStringLiteral("lo")});
        });
        for (const QString &address : added) {
            if (!netns::ip({QStringLiteral("addr"), QStringLiteral("add"), address, QStringLiteral("dev"),
                            QStringLiteral("lo")}))
                QSKIP("cannot add addresses to the loopback interface");
        }
        const QList<QHostAddress> candidates = discovery::localBindCandidates();
        QCOMPARE(candidates.size(), 2);

        QStringList rows;
        bool asked = false;
        Dialogs::setNextDialogHandler([&](QDialog *dialog) {
            asked = true;
            auto *list = widget<QListWidget>(dialog, "listWidget");
            if (!qobject_cast<DialogSelectLocalIp *>(dialog) || !list || !showDialog(dialog))
                return int(QDialog::Rejected);
            rows = itemTexts(list);
            clickItem(list, list->item(1));
            const char *button = accept ? "btnOk" : "btnMenu_Close";
            QTest::mouseClick(widget<QPushButton>(dialog, button), Qt::LeftButton);
            return dialog->result();
        });

        const auto dialog = openDialog();
        QVERIFY(asked);
        QCOMPARE(rows, QStringList({candidates.at(0).toString(), candidates.at(1).toString()}));
        auto *socket = widget<QUdpSocket>(dialog.get(), "discoverySocket");
        QVERIFY(socket);
        QCOMPARE(socket->state(), QAbstractSocket::BoundState);
        QCOMPARE(socket->localPort(), discovery::kPort);
#ifdef Q_OS_WIN
        QCOMPARE(socket->localAddress(), accept ? candidates.at(1) : QHostAddress(QHostAddress::AnyIPv4));
#else
        // Bound to a unicast address, the socket would never hear the group.
        QCOMPARE(socket->localAddress(), QHostAddress(QHostAddress::AnyIPv4));
#endif
    }

    // Two interfaces, each leading to a network of its own; the controller is on the first.
    // The search goes out of the chosen interface only and hears the answers arriving there.
    void chosenInterfaceIsSearched_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("findsController");
        QTest::newRow("interface to the controller") << QStringLiteral("10.61.0.1") << true;
        QTest::newRow("other interface") << QStringLiteral("10.62.0.1") << false;
    }

    void chosenInterfaceIsSearched()
    {
        PELMORA_REQUIRE_NETNS();
        QFETCH(QString, chosen);
        QFETCH(bool, findsController);

        ControllerLan lanA;
        QVERIFY2(lanA.open(QStringLiteral("ethA"), QStringLiteral("10.61.0.1"), QStringLiteral("lanA"),
                           QStringLiteral("10.61.0.2")),
                 qPrintable(lanA.peer.errorString() + lanA.simulator.errorString()));
        // Only a listener on the second network: it records what arrives there.
        netns::Peer lanB;
        QVERIFY2(lanB.open(QStringLiteral("ethB"), QStringLiteral("10.62.0.1/24"), QStringLiteral("lanB"),
                           QStringLiteral("10.62.0.2/24")),
                 qPrintable(lanB.errorString()));
        Responder listener;
        QVERIFY(lanB.inside([&] { return listener.open(QStringLiteral("lanB")); }));

        QStringList rows;
        Dialogs::setNextDialogHandler([&](QDialog *select) {
            auto *list = widget<QListWidget>(select, "listWidget");
            if (!list || !showDialog(select))
                return int(QDialog::Rejected);
            rows = itemTexts(list);
            const QList<QListWidgetItem *> row = list->findItems(chosen, Qt::MatchExactly);
            if (row.size() != 1)
                return int(QDialog::Rejected);
            clickItem(list, row.first());
            QTest::mouseClick(widget<QPushButton>(select, "btnOk"), Qt::LeftButton);
            return select->result();
        });

        const auto dialog = openDialog();
        QCOMPARE(rows, QStringList({"10.61.0.1", "10.62.0.1"}));
        auto *list = widget<QListWidget>(dialog.get(), "listHosts");
        QVERIFY(list);

        if (findsController) {
            const QString entry = lanA.entry();
            QVERIFY(
                pelmora::test::waitFor([&] { return !list->findItems(entry, Qt::MatchExactly).isEmpty(); }));
            const QList<sim::RecordedRequest> searches =
                lanA.simulator.requests(QStringLiteral("FindViewTop"));
            QCOMPARE(searches.size(), 1);
            QCOMPARE(announcedIn(searches.first().body), chosen);
            // Sent before the controller answered, so it would have reached the listener by now.
            QVERIFY(listener.sync());
            QVERIFY(listener.received(QStringLiteral("FindViewTop")).isEmpty());
            QCOMPARE(itemTexts(list), QStringList{entry});
        } else {
            QVERIFY(pelmora::test::waitFor(
                [&] { return !listener.received(QStringLiteral("FindViewTop")).isEmpty(); }));
            const QList<QByteArray> searches = listener.received(QStringLiteral("FindViewTop"));
            QCOMPARE(searches.size(), 1);
            QCOMPARE(announcedIn(searches.first()), chosen);
            // The one datagram left through the other interface: the controller never heard it.
            QVERIFY(lanA.simulator.requests(QStringLiteral("FindViewTop")).isEmpty());
            QCOMPARE(lanA.simulator.discoveryAnswers(), 0);
            QCOMPARE(list->count(), 0);
        }
    }

    // With one interface nothing is asked; the search still goes out of it, and hears the
    // answer arriving on it, whatever the default multicast route (loopback in this test). It
    // announces the host name's address, unless that is only a loopback one: then the
    // interface's.
    void oneInterfaceIsSearchedWithoutAsking_data()
    {
        QTest::addColumn<QStringList>("resolved"); // the host name's addresses
        QTest::addColumn<QString>("announced");
        QTest::newRow("host name on the LAN") << QStringList{"10.77.3.2"} << "10.77.3.2";
        QTest::newRow("host name on loopback only") << QStringList{"127.0.1.1"} << "10.61.0.1";
    }

    void oneInterfaceIsSearchedWithoutAsking()
    {
        PELMORA_REQUIRE_NETNS();
        QFETCH(QStringList, resolved);
        QFETCH(QString, announced);
        if (!netns::ownResolverRun()) {
            QByteArray output;
            QVERIFY2(rerunWithHostName("oneInterfaceIsSearchedWithoutAsking", resolved, &output),
                     output.constData());
            return;
        }
        ControllerLan lan;
        QVERIFY2(lan.open(QStringLiteral("ethA"), QStringLiteral("10.61.0.1"), QStringLiteral("lanA"),
                          QStringLiteral("10.61.0.2")),
                 qPrintable(lan.peer.errorString() + lan.simulator.errorString()));
        bool asked = false;
        Dialogs::setNextDialogHandler([&](QDialog *) {
            asked = true;
            return int(QDialog::Rejected);
        });

        const auto dialog = openDialog();
        auto *list = widget<QListWidget>(dialog.get(), "listHosts");
        QVERIFY(list);
        const QString entry = lan.entry();
        QVERIFY(pelmora::test::waitFor([&] { return !list->findItems(entry, Qt::MatchExactly).isEmpty(); },
                                       15000));
        QVERIFY(!asked);

        const QList<sim::RecordedRequest> searches = lan.simulator.requests(QStringLiteral("FindViewTop"));
        QCOMPARE(searches.size(), 1);
        QCOMPARE(announcedIn(searches.first().body), announced);
    }

    // A resolver that never answers must not hold up the dialog. The search waits for the
    // host name's address only for a while and then announces the interface's.
    void dialogAppearsWhileTheResolverIsSilent()
    {
        PELMORA_REQUIRE_NETNS();
        const int resolverTimeoutSeconds = 3;
        if (!netns::ownResolverRun()) {
            QByteArray output;
            const bool passed =
                netns::runWithSilentResolver("dialogAppearsWhileTheResolverIsSilent",
                                             QStringLiteral("10.53.0.53"), resolverTimeoutSeconds, &output);
            QVERIFY2(passed &&
                         output.contains("PASS   : TestDialogConnect::dialogAppearsWhileTheResolverIsSilent"),
                     output.constData());
            return;
        }
        QVERIFY(DialogConnect::lookupLimitMs() < resolverTimeoutSeconds * 1000);

        // The name server sits behind the one interface, where frames for it vanish unanswered.
        netns::Peer lan;
        QVERIFY2(lan.open(QStringLiteral("ethD"), QStringLiteral("10.53.0.1/24"), QStringLiteral("lanD"),
                          QStringLiteral("10.53.0.2/24")),
                 qPrintable(lan.errorString()));
        QVERIFY(netns::ip({"neigh", "add", "10.53.0.53", "lladdr", "02:00:00:00:05:53", "dev", "ethD", "nud",
                           "permanent"}));
        Responder listener;
        QVERIFY(lan.inside([&] { return listener.open(QStringLiteral("lanD")); }));

        const auto dialog = openDialog();
        QVERIFY(showDialog(dialog.get()));
        // On screen while the host name is still being looked up: nothing was sent yet.
        QVERIFY(listener.sync());
        QVERIFY(listener.received(QStringLiteral("FindViewTop")).isEmpty());

        QVERIFY(pelmora::test::waitFor(
            [&] { return !listener.received(QStringLiteral("FindViewTop")).isEmpty(); },
            resolverTimeoutSeconds * 1000));
        const QList<QByteArray> searches = listener.received(QStringLiteral("FindViewTop"));
        QCOMPARE(searches.size(), 1);
        QCOMPARE(announcedIn(searches.first()), QStringLiteral("10.53.0.1"));
    }

    void constructionIsQuiet()
    {
        PELMORA_REQUIRE_NETNS();
        bool asked = false;
        Dialogs::setNextDialogHandler([&](QDialog *) {
            asked = true;
            return int(QDialog::Rejected);
        });
        pelmora::test::WarningCatcher catcher;
        {
            const auto dialog = openDialog();
            auto *socket = widget<QUdpSocket>(dialog.get(), "discoverySocket");
            QVERIFY(socket);
            QCOMPARE(socket->localAddress(), QHostAddress(QHostAddress::AnyIPv4));
        }
        // Only the loopback interface exists here: nothing to choose from.
        QVERIFY(!asked);
        QVERIFY2(catcher.warnings().isEmpty(), qPrintable(catcher.warnings().join(QLatin1Char('\n'))));
    }

    void selectLocalIpReturnsCurrentRow_data()
    {
        QTest::addColumn<int>("clickRow");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("selectedIndex");
        QTest::newRow("first row is current") << -1 << QStringLiteral("btnOk") << int(QDialog::Accepted) << 0;
        QTest::newRow("last row clicked") << 2 << QStringLiteral("btnOk") << int(QDialog::Accepted) << 2;
        QTest::newRow("closed") << 1 << QStringLiteral("btnMenu_Close") << int(QDialog::Rejected) << -1;
    }

    void selectLocalIpReturnsCurrentRow()
    {
        QFETCH(int, clickRow);
        QFETCH(QString, button);
        QFETCH(int, result);
        QFETCH(int, selectedIndex);

        const QList<QHostAddress> addresses{
            QHostAddress(QStringLiteral("10.0.0.1")), QHostAddress(QStringLiteral("fe80::1")),
            QHostAddress(QStringLiteral("192.168.7.2")), QHostAddress(QStringLiteral("172.16.0.3"))};
        DialogSelectLocalIp dialog(addresses);
        QCOMPARE(widget<QLabel>(&dialog, "lab_Title")->text(), QStringLiteral("选择本地IP地址"));
        auto *list = widget<QListWidget>(&dialog, "listWidget");
        QVERIFY(list);
        QCOMPARE(itemTexts(list), QStringList({"10.0.0.1", "192.168.7.2", "172.16.0.3"}));
        QCOMPARE(list->currentRow(), 0);

        QVERIFY(showDialog(&dialog));
        if (clickRow >= 0)
            clickItem(list, list->item(clickRow));
        QTest::mouseClick(widget<QPushButton>(&dialog, button.toLatin1().constData()), Qt::LeftButton);

        QCOMPARE(dialog.result(), result);
        QCOMPARE(dialog.selectedIndex(), selectedIndex);
    }
};

PELMORA_TEST_MAIN(TestDialogConnect)
#include "test_dialogconnect.moc"
