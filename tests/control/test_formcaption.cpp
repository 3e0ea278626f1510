// The caption panel in the main window against the controller simulator: start, changes
// while running, stop, the colour boards, and what a login shows; read off the request log.
// The panel's clock is a fake one the tests move on, so no test waits for real seconds.
#include "control/formcaption.h"
#include "fakeclock.h"
#include "panelfixture.h"
#include "testmain.h"

#include <QComboBox>
#include <QJsonArray>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>

using uikit::Dialogs;

namespace {

// Where the panel's fake clock starts.
constexpr qint64 kClockStart = 100000;
using FakeClock = pelmora::test::FakeClockObject<caption::Clock>;

QStringList sorted(QStringList keys)
{
    keys.sort();
    return keys;
}

QString labelStyle(int r, int g, int b)
{
    return QStringLiteral("QLabel{background-color:rgb(%1,%2,%3); border: 1px solid rgb(32, 32, 32);}")
        .arg(r)
        .arg(g)
        .arg(b);
}

// The demo caption with some keys replaced.
QJsonObject demoCaptionWith(const sim::Simulator &simulator, const QJsonObject &changes)
{
    QJsonObject caption = simulator.state().value("Caption").toObject();
    for (auto it = changes.begin(); it != changes.end(); ++it)
        caption.insert(it.key(), it.value());
    return caption;
}

} // namespace

class TestFormCaption : public QObject
{
    Q_OBJECT

    std::unique_ptr<PanelFixture> f;
    FakeClock clock{kClockStart};

    FormCaption &panel() { return *f->window->form().captionList; }
    sim::Simulator &simulator() { return f->simulator; }

    // Logs in with the controller's caption changed by `changes`, opens the caption category
    // and lets the load guard's second pass.
    bool loginWithCaption(const QJsonObject &changes = {})
    {
        simulator().setState({{"Caption", demoCaptionWith(simulator(), changes)}});
        if (!f->login())
            return false;
        f->select(library::Category::Caption);
        clock.now += 1000;
        simulator().clearRequests();
        return panel().isVisible() && panel().isEnabled();
    }

    QList<QJsonObject> captionRequests()
    {
        QList<QJsonObject> sent;
        for (const auto &request : simulator().requests()) {
            if (request.command == QLatin1String("SetZEVOsdText") ||
                request.command == QLatin1String("ClearOsdText"))
                sent.append(request.json());
        }
        return sent;
    }

    QList<int> sentAlphas()
    {
        QList<int> alphas;
        for (const QJsonObject &request : captionRequests())
            alphas.append(request.value("Alpha").toInt(-1));
        return alphas;
    }

    // Opens a colour board with its button and clicks an entry: -1 the transparent one,
    // else the grid's entry at that index.
    void pick(bool textBoard, int entry)
    {
        PanelFixture::click(textBoard ? panel().btnTextColor : panel().btnBtColor);
        QMenu *board = textBoard ? panel().textColorBoard() : panel().bgColorBoard();
        QVERIFY(board->isVisible());
        // Opened 253 pixels above its button.
        const QPushButton *opener = textBoard ? panel().btnTextColor : panel().btnBtColor;
        QCOMPARE(board->pos(), opener->mapToGlobal(QPoint(0, -253)));
        QList<QToolButton *> entries = board->findChildren<QToolButton *>();
        QCOMPARE(entries.size(), 1 + caption::kBoardRows * caption::kBoardColumns);
        QToolButton *button = entries.at(entry + 1);
        QCOMPARE(button->objectName() == QLatin1String("transparentEntry"), entry < 0);
        PanelFixture::click(button);
        QVERIFY(!board->isVisible());
    }

private slots:
    void init()
    {
        Dialogs::reset();
        clock = FakeClock(kClockStart);
        f = std::make_unique<PanelFixture>();
        QVERIFY(f->start());
        panel().setClock(clock);
    }

    void cleanup() { f.reset(); }

    // What a new operator does: text, red on a blue band, 3x, start.
    void startSendsEveryKey()
    {
        QVERIFY(loginWithCaption({{"ShowOsd", 0}}));
        QVERIFY(panel().btnStartOsd->isEnabled());
        QVERIFY(!panel().btnStopOsd->isEnabled());
        panel().textCaption->setPlainText(QStringLiteral("欢迎光临 / Welcome"));
        pick(true, 3 * 8 + 1);  // FF0000
        pick(false, 2 * 8 + 0); // 0000FF
        panel().comboBox->setCurrentIndex(3);
        QVERIFY(captionRequests().isEmpty()); // nothing runs yet
        PanelFixture::click(panel().btnStartOsd);

        const QList<QJsonObject> sent = captionRequests();
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sorted(sent.first().keys()),
                 sorted({"Command", "ScrGroup", "Text", "TextColor", "BgColor", "ScrollSpeed", "Alpha",
                         "FontSize", "FontName", "ScrRange"}));
        const QJsonObject expected{{"Command", "SetZEVOsdText"},
                                   {"ScrGroup", 1},
                                   {"Text", QStringLiteral("欢迎光临 / Welcome")},
                                   {"TextColor", "FF0000"},
                                   {"BgColor", "0000FF"},
                                   {"ScrollSpeed", 3},
                                   {"Alpha", 200},
                                   {"FontSize", 72},
                                   {"FontName", "Noto Sans CJK SC"},
                                   {"ScrRange", QJsonArray{0, 0, 5760, 1080}}};
        QCOMPARE(sent.first(), expected);
        QCOMPARE(simulator().state().value("Caption").toObject().value("ShowOsd"), QJsonValue(1));
        QVERIFY(Dialogs::shownBoxes().isEmpty());

        QVERIFY(panel().isRunning());
        QVERIFY(!panel().btnStartOsd->isEnabled());
        QVERIFY(panel().btnStopOsd->isEnabled());
        QVERIFY(!panel().textCaption->isEnabled());
        QVERIFY(!panel().comboFontName->isEnabled());
        QVERIFY(!panel().comboFontSize->isEnabled());
        QVERIFY(panel().comboBox->isEnabled());
    }

    void stopSendsClear()
    {
        QVERIFY(loginWithCaption());
        QVERIFY(panel().isRunning());
        PanelFixture::click(panel().btnStopOsd);
        QCOMPARE(captionRequests(), (QList<QJsonObject>{{{"Command", "ClearOsdText"}, {"ScrGroup", 1}}}));
        QCOMPARE(simulator().state().value("Caption").toObject().value("ShowOsd"), QJsonValue(0));
        QVERIFY(!panel().isRunning());
        QVERIFY(panel().btnStartOsd->isEnabled());
        QVERIFY(!panel().btnStopOsd->isEnabled());
        QVERIFY(panel().textCaption->isEnabled());
    }

    // A colour picked while the caption runs goes out at once, as RRGGBB.
    void colourPicks_data()
    {
        QTest::addColumn<bool>("textBoard");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("style");
        QTest::newRow("pure red text") << true << 3 * 8 + 1 << "TextColor"
                                       << "FF0000" << labelStyle(255, 0, 0);
        QTest::newRow("transparent band") << false << -1 << "BgColor"
                                          << "000000" << labelStyle(0, 0, 0);
        QTest::newRow("yellow-green band") << false << 7 << "BgColor"
                                           << "AAFA00" << labelStyle(170, 250, 0);
    }

    void colourPicks()
    {
        QFETCH(bool, textBoard);
        QFETCH(int, entry);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, style);
        QVERIFY(loginWithCaption());
        clock.now -= 1000; // no time rule applies to colours
        pick(textBoard, entry);
        const QList<QJsonObject> sent = captionRequests();
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sorted(sent.first().keys()), sorted({"Command", "ScrGroup", "ScrRange", key}));
        QCOMPARE(sent.first().value(key).toString(), value);
        QCOMPARE(simulator().state().value("Caption").toObject().value(key).toString(), value);
        QCOMPARE((textBoard ? panel().labelTextColor : panel().labelBgColor)->styleSheet(), style);
    }

    // Speed, font and size changes while the caption runs: nothing within a second of the
    // login's load, the one key afterwards.
    void changesWhileRunning_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<qint64>("sinceLoad");
        QTest::addColumn<QStringList>("keys"); // empty: nothing sent
        const QStringList always{"Command", "ScrGroup", "ScrRange"};
        QTest::newRow("speed within the second") << "comboBox" << qint64(999) << QStringList();
        QTest::newRow("speed after it") << "comboBox" << qint64(1000) << always + QStringList{"ScrollSpeed"};
        QTest::newRow("font within the second") << "comboFontName" << qint64(500) << QStringList();
        QTest::newRow("font after it") << "comboFontName" << qint64(1000) << always + QStringList{"FontName"};
        QTest::newRow("size after it") << "comboFontSize" << qint64(5000) << always + QStringList{"FontSize"};
    }

    void changesWhileRunning()
    {
        QFETCH(QString, control);
        QFETCH(qint64, sinceLoad);
        QFETCH(QStringList, keys);
        QVERIFY(loginWithCaption());
        clock.now += sinceLoad - 1000;
        auto *combo = panel().findChild<QComboBox *>(control);
        QVERIFY(combo && combo->isEnabled());
        const int before = combo->currentIndex();
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(combo->currentIndex(), before + 1);

        const QList<QJsonObject> sent = captionRequests();
        if (keys.isEmpty()) {
            QVERIFY(sent.isEmpty());
            return;
        }
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sorted(sent.first().keys()), sorted(keys));
        const QString key = keys.last();
        QCOMPARE(sent.first().value(key).toVariant().toString(),
                 key == QLatin1String("ScrollSpeed") ? QString::number(before + 1) : combo->currentText());
    }

    // A fast drag: at most one value per 200 ms, and the release sends where it ended.
    void dragSendsAtMostOneAlphaPer200ms()
    {
        QVERIFY(loginWithCaption());
        QSlider *slider = panel().horizontalSlider;
        slider->setSliderDown(true);
        const QList<QPair<qint64, int>> steps = {{0, 192},   {50, 184},  {150, 176}, {199, 168},
                                                 {200, 160}, {250, 152}, {390, 144}};
        const qint64 start = clock.now;
        for (const auto &step : steps) {
            clock.now = start + step.first;
            slider->setSliderPosition(step.second);
        }
        QCOMPARE(sentAlphas(), (QList<int>{192, 160}));
        slider->setSliderDown(false); // the release
        QCOMPARE(sentAlphas(), (QList<int>{192, 160, 144}));
        QCOMPARE(sorted(captionRequests().last().keys()),
                 sorted({"Command", "ScrGroup", "Alpha", "ScrRange"}));
        QCOMPARE(simulator().state().value("Caption").toObject().value("Alpha"), QJsonValue(144));
    }

    // Keys have no release: the last value the gap held back goes out once the gap is over.
    void lastKeyStepIsSentAfterTheGap()
    {
        QVERIFY(loginWithCaption());
        QSlider *slider = panel().horizontalSlider;
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Left); // 200 - 8
        clock.now += 199;
        QTest::keyClick(slider, Qt::Key_Left); // held back for 1 ms
        QTest::keyClick(slider, Qt::Key_Left);
        QCOMPARE(sentAlphas(), QList<int>{192});
        clock.now += 1;
        QVERIFY(pelmora::test::waitFor([&] { return sentAlphas().size() == 2; }));
        QCOMPARE(sentAlphas(), (QList<int>{192, 176}));
    }

    // What the login shows of the controller's caption.
    void loginShowsTheControllersCaption_data()
    {
        QTest::addColumn<QJsonObject>("changes");
        QTest::addColumn<int>("speed");
        QTest::addColumn<QString>("textStyle");
        QTest::addColumn<bool>("running");
        QTest::newRow("the demo caption") << QJsonObject() << 2 << labelStyle(255, 255, 0) << true;
        QTest::newRow("speed 9 leaves the speed as it was")
            << QJsonObject{{"ScrollSpeed", 9}} << 1 << labelStyle(255, 255, 0) << true;
        QTest::newRow("a colour that is not hexadecimal reads as black")
            << QJsonObject{{"TextColor", "yellow"}} << 2 << labelStyle(0, 0, 0) << true;
        QTest::newRow("a stopped caption")
            << QJsonObject{{"ShowOsd", 0}} << 2 << labelStyle(255, 255, 0) << false;
    }

    void loginShowsTheControllersCaption()
    {
        QFETCH(QJsonObject, changes);
        QFETCH(int, speed);
        QFETCH(QString, textStyle);
        QFETCH(bool, running);
        QVERIFY(loginWithCaption(changes));
        QCOMPARE(panel().comboBox->currentIndex(), speed);
        QCOMPARE(panel().comboBox->count(), caption::kSpeedCount);
        QCOMPARE(panel().labelTextColor->styleSheet(), textStyle);
        QCOMPARE(panel().labelBgColor->styleSheet(), labelStyle(0, 0, 127));
        QCOMPARE(panel().textCaption->toPlainText(),
                 QStringLiteral("欢迎莅临 Pelmora 展示中心 — Welcome to the Pelmora showroom"));
        QCOMPARE(panel().horizontalSlider->value(), 200);
        QCOMPARE(panel().comboFontSize->currentText(), QStringLiteral("72"));
        QCOMPARE(panel().comboFontName->currentText(), QStringLiteral("Noto Sans CJK SC"));
        QCOMPARE(panel().comboFontName->count(), 6);
        QCOMPARE(panel().isRunning(), running);
        QCOMPARE(panel().btnStartOsd->isEnabled(), !running);
        QCOMPARE(panel().btnStopOsd->isEnabled(), running);
        // Found running, the font lists stay open and their changes go out; the text goes
        // out only with a start.
        QVERIFY(panel().comboFontName->isEnabled());
        QCOMPARE(panel().textCaption->isEnabled(), !running);
        QVERIFY(captionRequests().isEmpty());
    }

    // A session that ends with the caption running: the panel is reset and disabled; the
    // next login shows the caption as the controller has it then.
    void disconnectResetsAndLoginShowsTheController_data()
    {
        QTest::addColumn<bool>("stoppedMeanwhile");
        QTest::newRow("still running") << false;
        QTest::newRow("stopped meanwhile") << true;
    }

    void disconnectResetsAndLoginShowsTheController()
    {
        QFETCH(bool, stoppedMeanwhile);
        QVERIFY(loginWithCaption({{"ShowOsd", 0}}));
        panel().textCaption->setPlainText(QStringLiteral("Welcome"));
        panel().comboBox->setCurrentIndex(3);
        PanelFixture::click(panel().btnStartOsd);
        QVERIFY(panel().isRunning());

        f->window->on_disconnectButton_clicked();
        QVERIFY(!panel().isEnabled());
        QVERIFY(!panel().isRunning());
        // Inside the disabled panel, ready for the next session.
        QVERIFY(panel().btnStartOsd->isEnabledTo(&panel()));
        QVERIFY(!panel().btnStopOsd->isEnabledTo(&panel()));

        QVERIFY(loginWithCaption({{"ShowOsd", stoppedMeanwhile ? 0 : 1}}));
        QCOMPARE(panel().isRunning(), !stoppedMeanwhile);
        QCOMPARE(panel().textCaption->toPlainText(), QStringLiteral("Welcome"));
        QCOMPARE(panel().comboBox->currentIndex(), 3);
        QCOMPARE(panel().btnStartOsd->isEnabled(), stoppedMeanwhile);
        QCOMPARE(panel().btnStopOsd->isEnabled(), !stoppedMeanwhile);
        // What the start locked is open again: the font lists, and the text once the caption
        // is stopped.
        QVERIFY(panel().comboFontSize->isEnabled());
        QCOMPARE(panel().textCaption->isEnabled(), stoppedMeanwhile);
    }
};

PELMORA_TEST_MAIN(TestFormCaption)
#include "test_formcaption.moc"
