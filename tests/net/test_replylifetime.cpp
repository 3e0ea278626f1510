// Replies are freed as soon as their result is taken, also while a modal box stays open for
// the rest of a session: nothing that no one can reach any more waits for the outermost
// wait to return.
#include "net/sessionvalues.h"
#include "net/transport.h"
#include "scriptedserver.h"
#include "testmain.h"
#include "uikit/dialogs.h"
#include "uikit/nestedwait.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QTimer>

class TestReplyLifetime : public QObject
{
    Q_OBJECT

private slots:
    void repliesGoWhileABoxStaysOpen()
    {
        uikit::Dialogs::reset();
        QNetworkAccessManager manager;
        SessionValues session;
        Transport transport(&manager, &session, uikit::Dialogs::sink());
        ScriptedServer server;
        QVERIFY(server.start());
        server.setAnswer(ScriptedServer::whole(
            ScriptedServer::httpResponse(R"({"Command":"GetCpuUsage","Status":"Ok","CpuUsage":5})")));
        session.hostIp = QStringLiteral("127.0.0.1");
        session.port = server.port();

        QList<QPointer<QNetworkReply>> replies;
        connect(&manager, &QNetworkAccessManager::finished, this,
                [&](QNetworkReply *reply) { replies.append(reply); });
        int polls = 0;
        connect(&transport, &Transport::pollAnswered, this, [&] { ++polls; });

        constexpr int kPolls = 60;
        constexpr int kCommands = 20;
        int commandsOk = 0;
        int alive = -1;
        int retired = -1;
        int depth = 0;
        // An error box the operator leaves open: a nested wait around a loop of its own, as
        // uikit::Dialogs runs one. Polls and commands come and go inside it.
        QEventLoop box;
        uikit::WaitScope boxWait;
        QTimer::singleShot(0, &box, [&] {
            for (int i = 0; i < kPolls; ++i)
                transport.getAsync(QStringLiteral("GetCpuUsage"));
            for (int i = 0; i < kCommands; ++i) {
                QByteArray body;
                if (transport.sendGetCommand(QStringLiteral("GetCpuUsage"), true, &body))
                    ++commandsOk;
            }
            const auto gone = [&] {
                return std::all_of(replies.begin(), replies.end(),
                                   [](const QPointer<QNetworkReply> &r) { return r.isNull(); });
            };
            const bool settled = QTest::qWaitFor(
                [&] { return polls == kPolls && replies.size() == kPolls + kCommands && gone(); }, 5000);
            Q_UNUSED(settled) // the counts below say what did not settle
            alive = int(std::count_if(replies.begin(), replies.end(),
                                      [](const QPointer<QNetworkReply> &r) { return !r.isNull(); }));
            retired = uikit::pendingRetired();
            depth = uikit::WaitScope::depth();
            box.quit();
        });
        box.exec();

        QVERIFY(depth >= 1); // all of it happened inside the open box
        QCOMPARE(commandsOk, kCommands);
        QCOMPARE(polls, kPolls);
        QCOMPARE(replies.size(), kPolls + kCommands);
        QCOMPARE(alive, 0);
        QCOMPARE(retired, 0);
    }
};

PELMORA_TEST_MAIN(TestReplyLifetime)
#include "test_replylifetime.moc"
