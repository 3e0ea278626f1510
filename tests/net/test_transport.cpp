#include "net/curlaccessmanager.h"
#include "net/sessionvalues.h"
#include "net/transport.h"
#include "scriptedserver.h"
#include "testmain.h"
#include "uikit/dialogs.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QSignalSpy>
#include <QTemporaryDir>

Q_DECLARE_METATYPE(Transport::Outcome)

using uikit::BoxType;
using uikit::Dialogs;

namespace {
QByteArray envelope(const QByteArray &command, const QByteArray &status, const QByteArray &message = {})
{
    QByteArray json = "{\"Command\":\"" + command + "\"";
    if (!status.isNull())
        json += ",\"Status\":\"" + status + "\"";
    if (!message.isEmpty())
        json += ",\"Message\":\"" + message + "\"";
    return json + "}";
}
} // namespace

class TestTransport : public QObject
{
    Q_OBJECT

    QNetworkAccessManager *manager = nullptr;
    SessionValues session;
    Transport *transport = nullptr;
    ScriptedServer *server = nullptr;

    QList<uikit::ShownBox> boxes() const { return Dialogs::shownBoxes(); }

private slots:
    void init()
    {
        Dialogs::reset();
        manager = new net::CurlAccessManager(this);
        session = SessionValues();
        // The default limit of 10 s: a test that needs a request to time out sets its own.
        transport = new Transport(manager, &session, Dialogs::sink(), this);
        server = new ScriptedServer(this);
        QVERIFY(server->start());
        session.hostIp = QStringLiteral("127.0.0.1");
        session.port = server->port();
    }

    void cleanup()
    {
        delete transport;
        delete manager;
        delete server;
    }

    void defaultLimitIsTenSeconds()
    {
        SessionValues values;
        QCOMPARE(Transport(nullptr, &values, Dialogs::sink()).timeoutMs(), 10000);
    }

    void commandUrlOnDefaultPort()
    {
        session.hostIp = QStringLiteral("192.168.1.250");
        session.port = 80;
        const QUrl url =
            transport->commandUrl(QStringLiteral("GetVideoParams&WindowId=") + QString::number(3));
        QCOMPARE(url.host(), QStringLiteral("192.168.1.250"));
        QCOMPARE(url.port(80), 80);
        QCOMPARE(url.path(), QStringLiteral("/index2.html"));
        QCOMPARE(url.query(), QStringLiteral("Command=GetVideoParams&WindowId=3"));
    }

    void getAndPostRequestForms()
    {
        server->setAnswer(ScriptedServer::whole(ScriptedServer::httpResponse(envelope("X", "Ok"))));
        QByteArray reply;
        QVERIFY(transport->sendGetCommand(QStringLiteral("GetVideoParams&WindowId=3"), true, &reply));
        session.sessionId = QStringLiteral("abc123");
        QJsonObject request{{QStringLiteral("Command"), QStringLiteral("MoveWindow")},
                            {QStringLiteral("WindowId"), 7}};
        QVERIFY(transport->sendPostCommand(Transport::toBody(request), true, &reply));

        const auto requests = server->requests();
        QCOMPARE(requests.size(), 2);
        QCOMPARE(requests[0].method, QByteArray("GET"));
        QCOMPARE(requests[0].target, QByteArray("/index2.html?Command=GetVideoParams&WindowId=3"));
        QVERIFY(requests[0].headers.contains("session_id"));
        QCOMPARE(requests[0].headers.value("session_id"), QByteArray());

        QCOMPARE(requests[1].method, QByteArray("POST"));
        QCOMPARE(requests[1].target, QByteArray("/index2.html"));
        QCOMPARE(requests[1].headers.value("session_id"), QByteArray("abc123"));
        QCOMPARE(requests[1].headers.value("content-type"), QByteArray("text/plain; charset=utf-8;"));
        QCOMPARE(requests[1].body,
                 QByteArray("{\n    \"Command\": \"MoveWindow\",\n    \"WindowId\": 7\n}\n"));
    }

    void checkReply_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("box");
        QTest::newRow("Ok") << envelope("NewWindow", "Ok") << true << QString();
        QTest::newRow("lower-case ok")
            << envelope("NewWindow", "ok", "busy") << false << QStringLiteral("操作失败！错误原因：busy");
        QTest::newRow("no Status") << envelope("NewWindow", QByteArray()) << false
                                   << QStringLiteral("操作失败！错误原因：");
        QTest::newRow("other command") << envelope("MoveWindow", "Ok") << false << QString();
        QTest::newRow("empty body") << QByteArray() << false << QString();
        QTest::newRow("not JSON") << QByteArray("<html>") << false << QString();
    }

    void checkReply()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, ok);
        QFETCH(QString, box);
        QCOMPARE(transport->checkReply(body, QStringLiteral("NewWindow")), ok);
        if (box.isNull()) {
            QVERIFY(boxes().isEmpty());
        } else {
            QCOMPARE(boxes().size(), 1);
            QCOMPARE(boxes()[0].type, BoxType::Error);
            QCOMPARE(boxes()[0].text, box);
        }
    }

    void checkStatus()
    {
        QVERIFY(transport->checkStatus(Transport::parseObject(envelope("G", "Ok")), QString()));
        QVERIFY(boxes().isEmpty());
        QVERIFY(transport->checkStatus(Transport::parseObject(envelope("G", "Ok")), QStringLiteral("done")));
        QCOMPARE(boxes().size(), 1);
        QCOMPARE(boxes()[0].type, BoxType::Info);
        QVERIFY(!transport->checkStatus(Transport::parseObject(envelope("G", "Fail", "nope")), QString()));
        QCOMPARE(boxes().size(), 2);
        QCOMPARE(boxes()[1].text, QStringLiteral("错误原因: nope"));
    }

    void silentControllerTimesOut()
    {
        ScriptedServer::Answer silent;
        silent.silent = true;
        server->setAnswer(silent);
        transport->setTimeoutMs(200);
        QElapsedTimer clock;
        clock.start();
        QByteArray reply;
        QVERIFY(!transport->sendGetCommand(QStringLiteral("GetScrSetting"), true, &reply));
        QVERIFY(clock.elapsed() >= 180); // it waited for its limit
        QVERIFY(reply.isEmpty());
        QVERIFY(boxes().isEmpty());

        QVERIFY(!transport->postCommand(QJsonObject{{QStringLiteral("Command"), QStringLiteral("NewWindow")}},
                                        QStringLiteral("NewWindow")));
        QCOMPARE(boxes().size(), 1);
        QCOMPARE(boxes()[0].text, QStringLiteral("操作失败！错误原因：网络超时。"));
    }

    void refusedPostShowsOneNetworkBox()
    {
        const int port = server->port();
        server->close();
        session.port = port;
        QVERIFY(!transport->postCommand(QJsonObject{{QStringLiteral("Command"), QStringLiteral("NewWindow")}},
                                        QStringLiteral("NewWindow")));
        QCOMPARE(boxes().size(), 1);
        QCOMPARE(boxes()[0].type, BoxType::Error);
        QVERIFY(!boxes()[0].text.isEmpty());
        QVERIFY(!boxes()[0].text.startsWith(QStringLiteral("操作失败")));
    }

    void asynchronousReplies()
    {
        // An unanswered logout shows nothing.
        ScriptedServer::Answer silent;
        silent.silent = true;
        server->setAnswer(silent);
        QVERIFY(transport->sendPostCommand("{\"Command\":\"Logout\"}", false, nullptr));
        QVERIFY(QTest::qWaitFor([&] { return server->requests().size() == 1; }, 10000));
        QCoreApplication::processEvents();
        QVERIFY(boxes().isEmpty());

        // A refused logout shows the controller's reason; a poll answer resets the count.
        server->setAnswerFunction([](const ScriptedServer::Request &request) {
            const bool logout = request.method == "POST";
            return ScriptedServer::whole(ScriptedServer::httpResponse(
                logout ? envelope("Logout", "Fail", "gone") : envelope("GetCpuUsage", "Ok")));
        });
        QVERIFY(transport->sendPostCommand("{\"Command\":\"Logout\"}", false, nullptr));
        QVERIFY(QTest::qWaitFor([&] { return boxes().size() == 1; }, 10000));
        QCOMPARE(boxes()[0].text, QStringLiteral("错误原因: gone"));

        session.missedReplies = 4;
        QSignalSpy answered(transport, &Transport::pollAnswered);
        QVERIFY(transport->sendGetCommand(QStringLiteral("GetCpuUsage"), false, nullptr));
        QVERIFY(answered.wait(10000));
        QCOMPARE(session.missedReplies, 0);
        QCOMPARE(boxes().size(), 1);
    }

    void brokenServers_data()
    {
        const QByteArray good = ScriptedServer::httpResponse(envelope("NewWindow", "Ok"));
        using O = Transport::Outcome;
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("networkError");
        QTest::addColumn<O>("outcome"); // of the checked command
        QTest::newRow("immediate disconnect") << QByteArray() << true << O::NetworkError;
        QTest::newRow("half a status line") << QByteArray("HTTP/1.1 20") << true << O::NetworkError;
        QTest::newRow("half the headers")
            << QByteArray("HTTP/1.1 200 OK\r\nContent-Ty") << true << O::NetworkError;
        QTest::newRow("content-length longer than body")
            << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 200\r\n\r\n{\"Command\":\"NewWindow\",") << true
            << O::NetworkError;
        QTest::newRow("body not JSON")
            << ScriptedServer::httpResponse("<html>no</html>", 200, "text/html") << false << O::WrongCommand;
        QTest::newRow("HTTP error status")
            << ScriptedServer::httpResponse(envelope("NewWindow", "Ok"), 500) << true << O::HttpError;
        QTest::newRow("refused") << ScriptedServer::httpResponse(envelope("NewWindow", "Error", "full"))
                                 << false << O::Refused;
        QTest::newRow("answered") << good << false << O::Ok;
    }

    void brokenServers()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, networkError);
        QFETCH(Transport::Outcome, outcome);
        ScriptedServer::Answer answer;
        if (!bytes.isEmpty())
            answer.pieces = {bytes};
        answer.closeAfter = true;
        server->setAnswer(answer);

        QByteArray reply;
        QCOMPARE(transport->sendGetCommand(QStringLiteral("GetScrSetting"), true, &reply), !networkError);
        if (networkError)
            QVERIFY(reply.isEmpty());
        QVERIFY(boxes().isEmpty());

        const QJsonObject request{{QStringLiteral("Command"), QStringLiteral("NewWindow")}};
        QCOMPARE(transport->command(request).outcome, outcome);
        QVERIFY(boxes().isEmpty());

        // The classic POST: a network or HTTP error shows the network layer's text once and
        // counts as sent, with the caller's buffer left empty; anything answered is passed on.
        QByteArray posted;
        QVERIFY(transport->sendPostCommand(Transport::toBody(request), true, &posted));
        QCOMPARE(posted.isEmpty(), networkError);
        QCOMPARE(boxes().size(), networkError ? 1 : 0);
        if (networkError) {
            QVERIFY(!boxes()[0].text.isEmpty());
            QVERIFY(!boxes()[0].text.startsWith(QStringLiteral("操作失败")));
        }
        Dialogs::clearShownBoxes();

        const bool ok = outcome == Transport::Outcome::Ok;
        QCOMPARE(transport->postCommand(request, QStringLiteral("NewWindow")), ok);
        // A network error shows its own text once, a refusal the controller's reason; a body
        // that is not JSON fails silently.
        const bool refused = outcome == Transport::Outcome::Refused;
        QCOMPARE(boxes().size(), networkError || refused ? 1 : 0);
        if (networkError)
            QVERIFY(!boxes()[0].text.startsWith(QStringLiteral("操作失败")));
        if (refused)
            QCOMPARE(boxes()[0].text, QStringLiteral("操作失败！错误原因：full"));
    }

    void interruptedDownloadKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("scene.mvc"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("OLD");
        old.close();

        ScriptedServer::Answer cut;
        cut.pieces = {QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nNEW-BUT-SHORT")};
        cut.closeAfter = true;
        server->setAnswer(cut);
        QVERIFY(!transport->downloadToFile(QStringLiteral("/Modals/Group1/scene.mvc"), path));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("OLD"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("scene.mvc")});
        QVERIFY(boxes().isEmpty());
    }

    void onlyAnAcceptedPollCounts_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("missedAfter");
        QTest::newRow("Ok") << envelope("GetCpuUsage", "Ok") << 0;
        QTest::newRow("refused") << envelope("GetCpuUsage", "Error", "no session") << 4;
        QTest::newRow("no Status") << envelope("GetCpuUsage", QByteArray()) << 4;
        QTest::newRow("another command") << envelope("GetVersion", "Ok") << 4;
    }

    void onlyAnAcceptedPollCounts()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, missedAfter);
        session.missedReplies = 4;
        QSignalSpy answered(transport, &Transport::pollAnswered);
        transport->dispatchReply(body);
        QCOMPARE(session.missedReplies, missedAfter);
        QCOMPARE(answered.count(), missedAfter == 0 ? 1 : 0);
    }

    // A tracked asynchronous POST announces how it ended, once, and shows nothing.
    void trackedPostAnnouncesItsEnd_data()
    {
        using O = Transport::Outcome;
        QTest::addColumn<QString>("controller"); // "answers", "silent", "refuses the connection"
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<O>("outcome");
        QTest::newRow("answered") << "answers" << false << O::Ok;
        QTest::newRow("no answer within the limit") << "silent" << false << O::TimedOut;
        QTest::newRow("cancelled") << "silent" << true << O::Cancelled;
        QTest::newRow("connection refused") << "refuses the connection" << false << O::NetworkError;
    }

    void trackedPostAnnouncesItsEnd()
    {
        QFETCH(QString, controller);
        QFETCH(bool, cancel);
        QFETCH(Transport::Outcome, outcome);
        if (controller == QLatin1String("answers")) {
            server->setAnswer(
                ScriptedServer::whole(ScriptedServer::httpResponse(envelope("MouseKBCtrl", "Ok"))));
        } else if (controller == QLatin1String("silent")) {
            ScriptedServer::Answer silent;
            silent.silent = true;
            server->setAnswer(silent);
        } else {
            server->close();
        }
        transport->setTimeoutMs(cancel ? 60000 : 100);
        QList<QPair<Transport::Ticket, Transport::Result>> ended;
        connect(transport, &Transport::asyncFinished, this,
                [&](Transport::Ticket ticket, const Transport::Result &result) {
                    ended.append({ticket, result});
                });
        const Transport::Ticket ticket =
            transport->postTracked(QJsonObject{{QStringLiteral("Command"), QStringLiteral("MouseKBCtrl")}});
        QVERIFY(ticket != 0);
        QVERIFY(ended.isEmpty()); // never announced before the call returns
        if (cancel) {
            QTRY_COMPARE(server->requests().size(), 1);
            transport->cancel(ticket);
        }
        QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 1, 5000);
        QCOMPARE(ended[0].first, ticket);
        QCOMPARE(ended[0].second.outcome, outcome);
        if (outcome == Transport::Outcome::Ok)
            QCOMPARE(ended[0].second.command(), QStringLiteral("MouseKBCtrl"));
        QTest::qWait(150); // past the limit: nothing more
        QCOMPARE(ended.size(), 1);
        QVERIFY(boxes().isEmpty());
    }

    void cancelledRequestReturnsAtOnce()
    {
        ScriptedServer::Answer silent;
        silent.silent = true;
        server->setAnswer(silent);
        transport->setTimeoutMs(60000);
        const Transport::Ticket ticket = transport->newTicket();
        QTimer::singleShot(0, this, [&] { transport->cancel(ticket); });
        const Transport::Result result =
            transport->post(QJsonObject{{QStringLiteral("Command"), QStringLiteral("Login")}}, ticket);
        QCOMPARE(result.outcome, Transport::Outcome::Cancelled);
        QVERIFY(boxes().isEmpty());
    }

    void replySplitAtEveryOffset()
    {
        const QByteArray body = envelope("GetCpuUsage", "Ok");
        const QByteArray whole = ScriptedServer::httpResponse(body);
        for (int offset = 1; offset < whole.size(); ++offset) {
            ScriptedServer::Answer answer;
            answer.pieces = {whole.left(offset), whole.mid(offset)};
            answer.gapMs = 2;
            server->setAnswer(answer);
            QByteArray reply;
            QVERIFY2(transport->sendGetCommand(QStringLiteral("GetCpuUsage"), true, &reply),
                     qPrintable(QString::number(offset)));
            QCOMPARE(reply, body);
        }
        QVERIFY(boxes().isEmpty());
    }

    void plainPathsKeepTheirNames()
    {
        server->setAnswer(ScriptedServer::whole(ScriptedServer::httpResponse("JPEGDATA", 200, "image/jpeg")));
        QByteArray body;
        QVERIFY(transport->fetchPath(QStringLiteral("/snapshot/clip #2 100%?.jpg"), &body));
        QCOMPARE(body, QByteArray("JPEGDATA"));
        QCOMPARE(server->requests().last().target, QByteArray("/snapshot/clip%20%232%20100%25%3F.jpg"));

        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("scene.mvc"));
        QVERIFY(transport->downloadToFile(QStringLiteral("/Modals/Group1/a.mvc"), file));
        QFile stored(file);
        QVERIFY(stored.open(QIODevice::ReadOnly));
        QCOMPARE(stored.readAll(), QByteArray("JPEGDATA"));
        // A file that cannot be written is a failed download, without a box.
        QVERIFY(
            !transport->downloadToFile(QStringLiteral("/x"), dir.filePath(QStringLiteral("no/such/dir/f"))));
        QCOMPARE(
            transport->download(QStringLiteral("/x"), dir.filePath(QStringLiteral("no/such/dir/f"))).outcome,
            Transport::Outcome::WriteFailed);

        server->setAnswer(ScriptedServer::whole(ScriptedServer::httpResponse("missing", 404)));
        QVERIFY(!transport->fetchPath(QStringLiteral("/snapshot/none.jpg"), &body));
        QVERIFY(boxes().isEmpty());
    }

    // A second request sent while the first waits, answered first: each call returns with
    // its own answer. The first answer is held until the second call has returned.
    void secondRequestInsideAWait()
    {
        server->setAnswerFunction([](const ScriptedServer::Request &request) {
            const bool slow = request.target.contains("Slow");
            ScriptedServer::Answer answer =
                ScriptedServer::whole(ScriptedServer::httpResponse(slow ? "slow" : "fast"));
            answer.held = slow;
            return answer;
        });
        QByteArray inner;
        bool innerOk = false;
        bool innerReturnedFirst = false;
        QByteArray outer;
        connect(server, &ScriptedServer::received, this, [&](const QByteArray &target) {
            if (!target.contains("Slow"))
                return;
            QTimer::singleShot(0, this, [&] {
                innerOk = transport->sendGetCommand(QStringLiteral("Fast"), true, &inner);
                innerReturnedFirst = outer.isEmpty();
                server->releaseHeld();
            });
        });
        QVERIFY(transport->sendGetCommand(QStringLiteral("Slow"), true, &outer));
        QCOMPARE(outer, QByteArray("slow"));
        QVERIFY(innerOk);
        QCOMPARE(inner, QByteArray("fast"));
        QVERIFY(innerReturnedFirst);
    }

    // The outer call's limit runs out while a nested call (a thumbnail, which has no limit)
    // still waits: the nested call gets its answer, then the outer one returns as timed out.
    void outerLimitRunsOutDuringANestedWait()
    {
        server->setAnswerFunction([](const ScriptedServer::Request &request) {
            ScriptedServer::Answer answer =
                ScriptedServer::whole(ScriptedServer::httpResponse("JPEG", 200, "image/jpeg"));
            answer.silent = request.target.contains("Outer");
            answer.held = !answer.silent;
            return answer;
        });
        // The thumbnail is answered 200 ms after it arrived, long after the outer limit of
        // 50 ms that started before it.
        connect(server, &ScriptedServer::received, this, [&](const QByteArray &target) {
            if (target.startsWith("/snapshot/"))
                QTimer::singleShot(200, server, &ScriptedServer::releaseHeld);
        });
        transport->setTimeoutMs(50);
        QByteArray thumbnail;
        bool fetched = false;
        // Runs at the first turn of the outer call's wait.
        QTimer::singleShot(
            0, this, [&] { fetched = transport->fetchPath(QStringLiteral("/snapshot/a.jpg"), &thumbnail); });
        QByteArray reply;
        QVERIFY(!transport->sendGetCommand(QStringLiteral("Outer"), true, &reply));
        QVERIFY(fetched);
        QCOMPARE(thumbnail, QByteArray("JPEG"));
        QVERIFY(reply.isEmpty());
        QVERIFY(boxes().isEmpty());
    }

    // Plain paths have no time limit: a controller that answers late still delivers, one that
    // never answers keeps the call waiting (while timers and input are served) until the
    // connection goes, which is a failure without a box.
    void fetchPathWaitsWithoutALimit()
    {
        transport->setTimeoutMs(20);
        ScriptedServer::Answer late =
            ScriptedServer::whole(ScriptedServer::httpResponse("LATE", 200, "image/jpeg"));
        late.held = true;
        server->setAnswer(late);
        int served = 0;
        QObject scope; // ends what is still pending with the test
        connect(server, &ScriptedServer::received, &scope, [&] {
            // Both started after the request limit would have been: they fire after it.
            QTimer::singleShot(100, &scope, [&] { ++served; });
            QTimer::singleShot(200, &scope, [&] { server->releaseHeld(); });
        });
        QByteArray body;
        QVERIFY(transport->fetchPath(QStringLiteral("/snapshot/late.jpg"), &body));
        QCOMPARE(body, QByteArray("LATE"));
        QCOMPARE(served, 1);

        ScriptedServer::Answer never;
        never.silent = true;
        server->setAnswer(never);
        server->disconnect(&scope);
        connect(server, &ScriptedServer::received, &scope,
                [&] { QTimer::singleShot(200, &scope, [&] { server->dropConnections(); }); });
        body = "untouched";
        QVERIFY(!transport->fetchPath(QStringLiteral("/snapshot/never.jpg"), &body));
        QCOMPARE(body, QByteArray("untouched"));
        QVERIFY(boxes().isEmpty());
    }

    // A reply to an asynchronous request that fails is dropped: no box, and a failed poll
    // does not count as an answer.
    void failedAsynchronousReply_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // empty: the connection closes without a reply
        QTest::newRow("HTTP error") << ScriptedServer::httpResponse(envelope("GetCpuUsage", "Ok"), 500);
        QTest::newRow("connection closed") << QByteArray();
    }

    void failedAsynchronousReply()
    {
        QFETCH(QByteArray, bytes);
        ScriptedServer::Answer answer;
        if (!bytes.isEmpty())
            answer.pieces = {bytes};
        answer.closeAfter = true;
        server->setAnswer(answer);
        session.missedReplies = 4;
        QSignalSpy answered(transport, &Transport::pollAnswered);
        QSignalSpy finished(manager, &QNetworkAccessManager::finished);
        QVERIFY(transport->sendGetCommand(QStringLiteral("GetCpuUsage"), false, nullptr));
        QVERIFY(transport->sendPostCommand("{\"Command\":\"Logout\"}", false, nullptr));
        QVERIFY(QTest::qWaitFor([&] { return finished.size() == 2; }, 10000));
        QCoreApplication::processEvents();
        QCOMPARE(session.missedReplies, 4);
        QCOMPARE(answered.size(), 0);
        QVERIFY(boxes().isEmpty());
    }
};

PELMORA_TEST_MAIN(TestTransport)
#include "test_transport.moc"
