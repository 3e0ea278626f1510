// The caption's wire forms, its two time rules and its commands, read off the simulator's
// request log.
#include "control/captioncommands.h"
#include "control/captiongate.h"
#include "control/osdinfo.h"
#include "fakeclock.h"
#include "simsession.h"
#include "testmain.h"

#include <QJsonArray>

using caption::CaptionGate;
using pelmora::test::SimSession;

namespace {

// Where the fake clock starts.
constexpr qint64 kClockStart = 50000;
using FakeClock = pelmora::test::FakeClockObject<caption::Clock>;

QStringList keysOf(const QJsonObject &object)
{
    QStringList keys = object.keys();
    keys.sort();
    return keys;
}

QStringList sorted(QStringList keys)
{
    keys.sort();
    return keys;
}

OSD_INFO sampleCaption()
{
    OSD_INFO info;
    info.text = QStringLiteral("欢迎光临 Welcome");
    info.textColor = QColor(255, 0, 0);
    info.bgColor = QColor(0, 0, 255);
    info.scrollSpeed = 3;
    info.alpha = 128;
    info.fontSize = 72;
    info.fontName = QStringLiteral("DejaVu Sans");
    return info;
}

} // namespace

class TestCaption : public QObject
{
    Q_OBJECT

private slots:
    void init() { uikit::Dialogs::reset(); }

    void colourText_data()
    {
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QString>("text");
        QTest::newRow("pure red") << QColor(255, 0, 0) << "FF0000";
        QTest::newRow("transparent entry") << caption::transparentColour() << "000000";
        QTest::newRow("small parts keep two digits") << QColor(1, 2, 10) << "01020A";
        QTest::newRow("alpha is not on the wire") << QColor(170, 250, 0, 80) << "AAFA00";
    }

    void colourText()
    {
        QFETCH(QColor, colour);
        QFETCH(QString, text);
        QCOMPARE(caption::colourText(colour), text);
    }

    void colourFromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("upper case") << "00007F" << QColor(0, 0, 127);
        QTest::newRow("lower case") << "ffaa7f" << QColor(255, 170, 127);
        QTest::newRow("a name, not hexadecimal") << "red" << QColor(0, 0, 0);
        QTest::newRow("digits past F") << "GG0000" << QColor(0, 0, 0);
        QTest::newRow("empty") << "" << QColor(0, 0, 0);
        QTest::newRow("negative") << "-10" << QColor(0, 0, 0);
    }

    void colourFromText()
    {
        QFETCH(QString, text);
        QFETCH(QColor, colour);
        const QColor read = caption::colourFromText(text);
        QCOMPARE(read, colour);
        QCOMPARE(read.alpha(), 255);
    }

    // The keys of "SetZEVOsdText" for each change, as the simulator received (and took) them.
    void changeMaskSelectsTheKeys_data()
    {
        QTest::addColumn<int>("flag");
        QTest::addColumn<QStringList>("keys");
        const QStringList always{"Command", "ScrGroup", "ScrRange"};
        QTest::newRow("start") << int(caption::ChangeAll)
                               << always + QStringList{"Text",  "TextColor", "BgColor", "ScrollSpeed",
                                                       "Alpha", "FontSize",  "FontName"};
        QTest::newRow("speed") << int(caption::ChangeScrollSpeed) << always + QStringList{"ScrollSpeed"};
        QTest::newRow("text colour") << int(caption::ChangeTextColor) << always + QStringList{"TextColor"};
        QTest::newRow("band colour") << int(caption::ChangeBgColor) << always + QStringList{"BgColor"};
        QTest::newRow("font") << int(caption::ChangeFontName) << always + QStringList{"FontName"};
        QTest::newRow("size") << int(caption::ChangeFontSize) << always + QStringList{"FontSize"};
        QTest::newRow("transparency") << int(caption::ChangeAlpha) << always + QStringList{"Alpha"};
    }

    void changeMaskSelectsTheKeys()
    {
        QFETCH(int, flag);
        QFETCH(QStringList, keys);
        SimSession s;
        QVERIFY(s.start());
        caption::CaptionCommands commands(s.transport.get(), &s.session, nullptr);
        QVERIFY(commands.sendOsdInfo(sampleCaption(), flag, 5760));

        const QJsonObject sent = s.simulator.requests(QStringLiteral("SetZEVOsdText")).last().json();
        QCOMPARE(keysOf(sent), sorted(keys));
        QCOMPARE(sent.value("ScrGroup"), QJsonValue(1));
        QCOMPARE(sent.value("ScrRange").toArray(), (QJsonArray{0, 0, 5760, 1080}));
        const QJsonObject stored = s.simulator.state().value("Caption").toObject();
        for (const QString &key : keys) {
            if (key != QLatin1String("Command") && key != QLatin1String("ScrGroup"))
                QCOMPARE(stored.value(key), sent.value(key));
        }
        QVERIFY(uikit::Dialogs::shownBoxes().isEmpty());
    }

    void startCarriesTheValues()
    {
        const QJsonObject request = caption::setOsdTextRequest(sampleCaption(), caption::ChangeAll, 6400);
        QCOMPARE(request.value("Text").toString(), QStringLiteral("欢迎光临 Welcome"));
        QCOMPARE(request.value("TextColor").toString(), QStringLiteral("FF0000"));
        QCOMPARE(request.value("BgColor").toString(), QStringLiteral("0000FF"));
        QCOMPARE(request.value("ScrollSpeed").toInt(), 3);
        QCOMPARE(request.value("Alpha").toInt(), 128);
        QCOMPARE(request.value("FontSize").toInt(), 72);
        QCOMPARE(request.value("FontName").toString(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(request.value("ScrRange").toArray(), (QJsonArray{0, 0, 6400, 1080}));
    }

    void stopSendsClearForGroupOne()
    {
        SimSession s;
        QVERIFY(s.start());
        caption::CaptionCommands commands(s.transport.get(), &s.session, nullptr);
        QVERIFY(commands.clearOsd());
        QCOMPARE(s.simulator.requests(QStringLiteral("ClearOsdText")).last().json(),
                 (QJsonObject{{"Command", "ClearOsdText"}, {"ScrGroup", 1}}));
        QCOMPARE(s.simulator.state().value("Caption").toObject().value("ShowOsd"), QJsonValue(0));
    }

    void nothingIsSentWhileLoggedOut_data()
    {
        QTest::addColumn<bool>("stop");
        QTest::newRow("a change") << false;
        QTest::newRow("a stop") << true;
    }

    void nothingIsSentWhileLoggedOut()
    {
        QFETCH(bool, stop);
        SimSession s;
        QVERIFY(s.start());
        s.session.loggedIn = false;
        s.simulator.clearRequests();
        caption::CaptionCommands commands(s.transport.get(), &s.session, nullptr);
        QVERIFY(
            !(stop ? commands.clearOsd() : commands.sendOsdInfo(sampleCaption(), caption::ChangeAll, 5760)));
        QVERIFY(s.simulator.requests().isEmpty());
    }

    void readsTheControllersCaption()
    {
        SimSession s;
        QVERIFY(s.start());
        caption::CaptionCommands commands(s.transport.get(), &s.session, nullptr);
        QStringList fonts;
        QVERIFY(commands.getFontList(&fonts));
        QVERIFY(fonts.contains(QStringLiteral("Noto Sans CJK SC")));
        OSD_INFO info;
        QVERIFY(commands.getOsdInfo(&info));
        QCOMPARE(info.bgColor, QColor(0, 0, 127));
        QCOMPARE(info.textColor, QColor(255, 255, 0));
        QCOMPARE(info.alpha, 200);
        QCOMPARE(info.scrollSpeed, 2);
        QCOMPARE(info.fontSize, 72);
        QCOMPARE(info.fontName, QStringLiteral("Noto Sans CJK SC"));
        QVERIFY(info.showOsd);
    }

    void failedQueriesChangeNothing_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("boxes");
        QTest::newRow("refused: the controller's reason") << int(sim::Fault::Refuse) << 1;
        QTest::newRow("HTTP error: silent") << int(sim::Fault::HttpError) << 0;
    }

    void failedQueriesChangeNothing()
    {
        QFETCH(int, fault);
        QFETCH(int, boxes);
        SimSession s;
        QVERIFY(s.start());
        s.simulator.setFault(QStringLiteral("GetZEVOSD"), {sim::Fault::Kind(fault)});
        s.simulator.setFault(QStringLiteral("GetFontName"), {sim::Fault::Kind(fault)});
        caption::CaptionCommands commands(s.transport.get(), &s.session, nullptr);
        OSD_INFO info;
        info.text = QStringLiteral("kept");
        QVERIFY(!commands.getOsdInfo(&info));
        QCOMPARE(info.text, QStringLiteral("kept"));
        QStringList fonts{QStringLiteral("old")};
        QVERIFY(!commands.getFontList(&fonts));
        QVERIFY(fonts.isEmpty());
        QCOMPARE(uikit::Dialogs::shownBoxes().size(), boxes);
        if (boxes)
            QVERIFY(uikit::Dialogs::shownBoxes().first().text.endsWith(
                QStringLiteral("Refused (injected fault)")));
    }

    void replyNumbersDefaultToZero()
    {
        const OSD_INFO info = caption::osdInfoFromReply(
            QJsonObject{{"Alpha", "200"}, {"ScrollSpeed", 2.5}, {"ShowOsd", "1"}, {"TextColor", 12}});
        QCOMPARE(info.alpha, 0);
        QCOMPARE(info.scrollSpeed, 0);
        QCOMPARE(info.fontSize, 0);
        QVERIFY(!info.showOsd);
        QCOMPARE(info.textColor, QColor(0, 0, 0));
    }

    void boardHasThePalette()
    {
        const QVector<QColor> colours = caption::boardColours();
        QCOMPARE(colours.size(), caption::kBoardRows * caption::kBoardColumns);
        QCOMPARE(colours.at(7), QColor(0xAA, 0xFA, 0x00)); // green FA, not FF
        QCOMPARE(colours.at(3 * 8 + 1), QColor(255, 0, 0));
        QCOMPARE(colours.at(2 * 8), QColor(0, 0, 255));
        QCOMPARE(colours.last(), QColor(255, 255, 255));
        QCOMPARE(caption::transparentColour().alpha(), 0);
    }

    // The load guard: program changes within one second of a load are not sent back.
    void loadGuard_data()
    {
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<qint64>("after");
        QTest::addColumn<bool>("settled");
        QTest::newRow("nothing loaded yet") << false << qint64(0) << true;
        QTest::newRow("at the load") << true << qint64(0) << false;
        QTest::newRow("999 ms after") << true << qint64(999) << false;
        QTest::newRow("1000 ms after") << true << qint64(1000) << true;
    }

    void loadGuard()
    {
        QFETCH(bool, loaded);
        QFETCH(qint64, after);
        QFETCH(bool, settled);
        FakeClock clock{kClockStart};
        CaptionGate gate(clock);
        if (loaded)
            gate.markLoaded();
        clock.now += after;
        QCOMPARE(gate.loadSettled(), settled);
    }

    void alphaGate()
    {
        FakeClock clock{kClockStart};
        CaptionGate gate(clock); // closed from the start
        QVERIFY(!gate.acceptAlpha());
        QCOMPARE(gate.msUntilAlphaOpen(), qint64(200));
        clock.now += 200;
        QVERIFY(gate.acceptAlpha());
        clock.now += 199;
        QVERIFY(!gate.acceptAlpha()); // a dropped value does not restart the gap
        QCOMPARE(gate.msUntilAlphaOpen(), qint64(1));
        clock.now += 1;
        QVERIFY(gate.acceptAlpha());
    }
};

PELMORA_TEST_MAIN(TestCaption)
#include "test_caption.moc"
