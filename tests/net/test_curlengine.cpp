// The libcurl engine under the transport, against a loopback peer that answers each request
// with scripted bytes and knows on which connection a request came, and against the
// simulator.
#include "net/curlaccessmanager.h"
#include "simsession.h"
#include "testmain.h"

#include <QBuffer>
#include <QJsonArray>
#include <QNetworkReply>
#include <QPointer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

using net::CurlAccessManager;

namespace {

// A loopback HTTP peer. Requests are read by their Content-Length; each is answered by the
// script with pieces written `gapMs` apart, after which the connection may be closed.
class Peer : public QTcpServer
{
public:
    struct Request
    {
        int connection = 0; // 1 for the first connection accepted
        QByteArray method;
        QByteArray target;
        QList<QByteArray> headerLines; // as they came, without the line ends
        QByteArray body;
        QByteArray header(const QByteArray &name) const
        {
            for (const QByteArray &line : headerLines) {
                const int colon = line.indexOf(':');
                if (line.left(colon).toLower() == name)
                    return line.mid(colon + 1).trimmed();
            }
            return QByteArray();
        }
    };
    struct Answer
    {
        QList<QByteArray> pieces;
        int gapMs = 0;
        bool close = false;
        bool silent = false;
    };
    using Script = std::function<Answer(const Request &)>;

    Peer()
    {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                const int number = ++connections;
                // Pieces go out when written, not held back for the ACK of the one before.
                socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
                sockets.append(socket);
                connect(socket, &QTcpSocket::readyRead, this,
                        [this, socket, number] { read(socket, number); });
            }
        });
    }

    static QByteArray response(const QByteArray &body, const QByteArray &extra = {})
    {
        return "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n" + extra +
               "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
    }
    static Answer whole(const QByteArray &bytes, bool close = false)
    {
        return Answer{{bytes}, 0, close, false};
    }

    Script script = [](const Request &) { return whole(response("{}")); };
    QList<Request> requests;
    QList<QPointer<QTcpSocket>> sockets;
    int connections = 0;

private:
    void read(QTcpSocket *socket, int number)
    {
        QByteArray &buffer = m_buffers[socket];
        buffer += socket->readAll();
        for (;;) {
            const int end = buffer.indexOf("\r\n\r\n");
            if (end < 0)
                return;
            Request request;
            request.connection = number;
            QList<QByteArray> lines = buffer.left(end).split('\n');
            for (QByteArray &line : lines)
                line = line.trimmed();
            const QList<QByteArray> first = lines.takeFirst().split(' ');
            request.method = first.value(0);
            request.target = first.value(1);
            request.headerLines = lines;
            const int length = request.header("content-length").toInt();
            if (buffer.size() < end + 4 + length)
                return;
            request.body = buffer.mid(end + 4, length);
            buffer.remove(0, end + 4 + length);
            requests.append(request);
            answer(socket, script(request));
        }
    }

    void answer(QTcpSocket *socket, const Answer &answer)
    {
        if (answer.silent)
            return;
        QPointer<QTcpSocket> guard(socket);
        for (int i = 0; i < answer.pieces.size(); ++i) {
            const bool last = i == answer.pieces.size() - 1;
            QTimer::singleShot(i * answer.gapMs, this, [guard, piece = answer.pieces[i], last, answer] {
                if (!guard)
                    return;
                guard->write(piece);
                guard->flush();
                if (last && answer.close)
                    guard->disconnectFromHost();
            });
        }
        if (answer.pieces.isEmpty() && answer.close)
            socket->disconnectFromHost();
    }

    QHash<QTcpSocket *, QByteArray> m_buffers;
};

// What a reply told, in order.
struct Observed
{
    QStringList signalNames;
    QByteArray body;
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    QString errorText;
    int status = 0;
};

// Waits for `reply` in a nested event loop, as the transport does, recording its signals.
Observed run(QNetworkReply *reply, int limitMs = 5000)
{
    Observed seen;
    QObject::connect(reply, &QNetworkReply::metaDataChanged, [&] { seen.signalNames << "metaDataChanged"; });
    QObject::connect(reply, &QNetworkReply::readyRead, [&] {
        if (seen.signalNames.value(seen.signalNames.size() - 1) != QLatin1String("readyRead"))
            seen.signalNames << "readyRead";
        seen.body += reply->readAll();
    });
    QObject::connect(reply, &QNetworkReply::errorOccurred, [&] { seen.signalNames << "errorOccurred"; });
    QObject::connect(reply, &QNetworkReply::finished, [&] { seen.signalNames << "finished"; });
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    seen.body += reply->readAll();
    seen.error = reply->error();
    seen.errorText = reply->errorString();
    seen.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    reply->disconnect();
    delete reply;
    return seen;
}

QNetworkRequest requestTo(const Peer &peer, const QByteArray &path = "/index2.html")
{
    QNetworkRequest request(QUrl("http://127.0.0.1:" + QString::number(peer.serverPort()) + path));
    request.setRawHeader("session_id", "");
    return request;
}

QByteArray chunked(const QByteArray &body)
{
    // Two chunks, one with an extension, and a trailer.
    const int half = body.size() / 2;
    return "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n" + QByteArray::number(half, 16) + "\r\n" +
           body.left(half) + "\r\n" + QByteArray::number(body.size() - half, 16) + ";ext=1\r\n" +
           body.mid(half) + "\r\n0\r\nX-Trailer: t\r\n\r\n";
}

} // namespace

class TestCurlEngine : public QObject
{
    Q_OBJECT

    std::unique_ptr<Peer> peer;
    std::unique_ptr<CurlAccessManager> manager;

private slots:
    void init()
    {
        peer = std::make_unique<Peer>();
        QVERIFY(peer->isListening());
        manager = std::make_unique<CurlAccessManager>();
    }

    void cleanup()
    {
        manager.reset();
        peer.reset();
    }

    // Only the request's own headers and what HTTP needs go out; a large body goes with its
    // head at once (no "Expect: 100-continue" pause), over one kept-alive connection.
    void headersOnTheWire()
    {
        const QByteArray big(300000, 'b');
        QNetworkRequest post = requestTo(*peer);
        post.setRawHeader("session_id", "s1");
        post.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("text/plain; charset=utf-8;"));
        QCOMPARE(run(manager->get(requestTo(*peer, "/index2.html?Command=GetCpuUsage"))).error,
                 QNetworkReply::NoError);
        QCOMPARE(run(manager->post(post, QByteArray("{}"))).error, QNetworkReply::NoError);
        QCOMPARE(run(manager->post(post, big)).error, QNetworkReply::NoError);

        QCOMPARE(peer->requests.size(), 3);
        const QByteArray host = "Host: 127.0.0.1:" + QByteArray::number(peer->serverPort());
        const Peer::Request get = peer->requests[0];
        QCOMPARE(get.method, QByteArray("GET"));
        QCOMPARE(get.target, QByteArray("/index2.html?Command=GetCpuUsage"));
        QCOMPARE(QSet<QByteArray>(get.headerLines.begin(), get.headerLines.end()),
                 (QSet<QByteArray>{host, "session_id:"}));
        const Peer::Request small = peer->requests[1];
        QCOMPARE(small.method, QByteArray("POST"));
        QCOMPARE(QSet<QByteArray>(small.headerLines.begin(), small.headerLines.end()),
                 (QSet<QByteArray>{host, "session_id: s1", "Content-Type: text/plain; charset=utf-8;",
                                   "Content-Length: 2"}));
        QCOMPARE(small.body, QByteArray("{}"));
        QCOMPARE(peer->requests[2].body, big);
        QVERIFY(peer->requests[2].header("expect").isEmpty());
        QCOMPARE(peer->connections, 1);
        QCOMPARE(manager->connectionsOpened(), 1);
    }

    // Content-Length, chunked and close-delimited bodies, each split in two at every byte.
    void bodyFormsSplitAtEveryOffset_data()
    {
        const QByteArray body = "{\"Command\":\"GetCpuUsage\",\"Status\":\"Ok\",\"CpuUsage\":12}";
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("close");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("content-length") << Peer::response(body) << false << body;
        QTest::newRow("chunked") << chunked(body) << false << body;
        QTest::newRow("close-delimited")
            << "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + body << true << body;
        QTest::newRow("close-delimited, HTTP/1.0") << "HTTP/1.0 200 OK\r\n\r\n" + body << true << body;
    }

    void bodyFormsSplitAtEveryOffset()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, close);
        QFETCH(QByteArray, body);
        for (int offset = 1; offset < bytes.size(); ++offset) {
            peer->script = [&](const Peer::Request &) {
                return Peer::Answer{{bytes.left(offset), bytes.mid(offset)}, 2, close, false};
            };
            const Observed seen = run(manager->get(requestTo(*peer)));
            QVERIFY2(seen.error == QNetworkReply::NoError,
                     qPrintable(QString::number(offset) + seen.errorText));
            QCOMPARE(seen.body, body);
            QCOMPARE(seen.status, 200);
            QCOMPARE(seen.signalNames, (QStringList{"metaDataChanged", "readyRead", "finished"}));
        }
        // A kept-alive connection serves every request; a closed one is replaced.
        QCOMPARE(peer->connections, close ? bytes.size() - 1 : 1);
    }

    void failures_data()
    {
        QTest::addColumn<QString>("peerDoes");
        QTest::addColumn<int>("error"); // QNetworkReply::NetworkError
        QTest::addColumn<int>("status");
        QTest::newRow("connection refused") << "refuse" << int(QNetworkReply::ConnectionRefusedError) << 0;
        QTest::newRow("closed without an answer")
            << "close" << int(QNetworkReply::RemoteHostClosedError) << 0;
        QTest::newRow("closed inside the headers")
            << "cut headers" << int(QNetworkReply::RemoteHostClosedError) << 200;
        QTest::newRow("body shorter than its length")
            << "short" << int(QNetworkReply::RemoteHostClosedError) << 200;
        QTest::newRow("chunked body cut off")
            << "cut chunk" << int(QNetworkReply::RemoteHostClosedError) << 200;
        QTest::newRow("not HTTP") << "garbage" << int(QNetworkReply::ProtocolFailure) << 0;
        QTest::newRow("404") << "404" << int(QNetworkReply::ContentNotFoundError) << 404;
        QTest::newRow("500") << "500" << int(QNetworkReply::InternalServerError) << 500;
        QTest::newRow("503") << "503" << int(QNetworkReply::ServiceUnavailableError) << 503;
        QTest::newRow("other 4xx") << "422" << int(QNetworkReply::UnknownContentError) << 422;
    }

    void failures()
    {
        QFETCH(QString, peerDoes);
        QFETCH(int, error);
        QFETCH(int, status);
        QNetworkRequest request = requestTo(*peer);
        if (peerDoes == QLatin1String("refuse"))
            peer->close();
        peer->script = [&](const Peer::Request &) {
            if (peerDoes == QLatin1String("close"))
                return Peer::Answer{{}, 0, true, false};
            if (peerDoes == QLatin1String("cut headers"))
                return Peer::whole("HTTP/1.1 200 OK\r\nContent-Length: 4\r\nContent-Ty", true);
            if (peerDoes == QLatin1String("short"))
                return Peer::whole("HTTP/1.1 200 OK\r\nContent-Length: 50\r\n\r\n{\"Com", true);
            if (peerDoes == QLatin1String("cut chunk"))
                return Peer::whole("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n20\r\n{\"Co", true);
            if (peerDoes == QLatin1String("garbage"))
                return Peer::whole("SSH-2.0-OpenSSH\r\n\r\n", true);
            return Peer::whole("HTTP/1.1 " + peerDoes.toLatin1() + " Bad\r\nContent-Length: 4\r\n\r\nnope");
        };
        int finished = 0;
        connect(manager.get(), &QNetworkAccessManager::finished, this, [&] { ++finished; });
        const Observed post = run(manager->post(request, QByteArray("{}")));
        QCOMPARE(int(post.error), error);
        QCOMPARE(post.status, status);
        QVERIFY(!post.errorText.isEmpty());
        QCOMPARE(post.signalNames.count("finished"), 1);
        QVERIFY(post.signalNames.indexOf("errorOccurred") < post.signalNames.indexOf("finished"));
        QCOMPARE(finished, 1);
        if (peerDoes == QLatin1String("refuse"))
            QCOMPARE(post.errorText, QStringLiteral("Connection refused"));
        if (status >= 400) {
            QCOMPARE(post.body, QByteArray("nope")); // the body of an error stays readable
            QVERIFY(post.errorText.contains(QLatin1String("server replied: Bad")));
        }
        // A request on a fresh connection is never sent twice.
        QCOMPARE(peer->requests.size(), peerDoes == QLatin1String("refuse") ? 0 : 1);
    }

    // The peer closed the kept-alive connection while it was idle: the next request goes on
    // a new connection, once.
    void idleConnectionClosedByPeer()
    {
        QCOMPARE(run(manager->get(requestTo(*peer))).error, QNetworkReply::NoError);
        QTRY_COMPARE(peer->sockets.size(), 1);
        peer->sockets[0]->disconnectFromHost();
        QTest::qWait(20);
        QCOMPARE(run(manager->get(requestTo(*peer))).error, QNetworkReply::NoError);
        QCOMPARE(peer->requests.size(), 2);
        QCOMPARE(peer->requests[1].connection, 2);
    }

    // The peer took the next request on the kept-alive connection and closed it without a
    // byte of answer (a server ending an idle connection as the request arrives): the request
    // is sent once more, whole, on a new connection. On that one the same close is an error.
    void staleConnectionResendsOnce()
    {
        QNetworkRequest request = requestTo(*peer);
        request.setHeader(QNetworkRequest::ContentTypeHeader,
                          QByteArrayLiteral("text/plain; charset=utf-8;"));
        QCOMPARE(run(manager->post(request, QByteArray("{\"n\":1}"))).error, QNetworkReply::NoError);
        peer->script = [](const Peer::Request &r) {
            if (r.connection == 1)
                return Peer::Answer{{}, 0, true, false};
            return Peer::whole(Peer::response("{\"again\":1}"));
        };
        const Observed seen = run(manager->post(request, QByteArray("{\"n\":2}")));
        QCOMPARE(seen.error, QNetworkReply::NoError);
        QCOMPARE(seen.body, QByteArray("{\"again\":1}"));
        QCOMPARE(peer->requests.size(), 3);
        QCOMPARE(peer->requests[1].connection, 1);
        QCOMPARE(peer->requests[2].connection, 2);
        QCOMPARE(peer->requests[2].body, QByteArray("{\"n\":2}"));
        QCOMPARE(peer->requests[2].headerLines, peer->requests[1].headerLines);

        peer->script = [](const Peer::Request &) { return Peer::Answer{{}, 0, true, false}; };
        QCOMPARE(run(manager->post(request, QByteArray("{\"n\":3}"))).error,
                 QNetworkReply::RemoteHostClosedError);
        // Once on the kept-alive connection 2, once more on a new one, then given up.
        QCOMPARE(peer->requests.size(), 5);
        QCOMPARE(peer->requests[4].connection, 3);
    }

    // With the simulator: a command whose connection closes unanswered is carried out once.
    void simulatorStaysConsistentOverAResend()
    {
        pelmora::test::SimSession sim;
        QVERIFY(sim.start());
        auto windows = [&] { return sim.simulator.windowList(0).value("Windows").toArray(); };
        const int before = windows().size();
        const QJsonObject open{
            {"Command", "NewWindow"},
            {"WindowId", 4242},
            {"Type", 2},
            {"Name", "Page"},
            {"Path", "http://page"},
            {"RealRect", QJsonObject{{"Left", 0}, {"Top", 0}, {"Right", 960}, {"Bottom", 540}}}};
        sim::Fault closed{sim::Fault::CloseConnection};
        closed.remaining = 1;
        sim.simulator.setFault("NewWindow", closed);
        const Transport::Result result = sim.transport->command(open);
        QVERIFY2(result.ok(), qPrintable(result.body));
        QCOMPARE(sim.simulator.requests("NewWindow").size(), 2); // the closed one changed nothing
        QCOMPARE(windows().size(), before + 1);

        // Closed every time: the console sees the network error, nothing is opened.
        closed.remaining = -1;
        sim.simulator.setFault("NewWindow", closed);
        QJsonObject second = open;
        second["WindowId"] = 4243;
        QCOMPARE(sim.transport->command(second).outcome, Transport::Outcome::NetworkError);
        QCOMPARE(sim.simulator.requests("NewWindow").size(), 4);
        QCOMPARE(windows().size(), before + 1);
    }

    // A plain path fetched while the controller misbehaves for its next few requests: each
    // fetch ends (plain paths wait without a limit, so one that never ended would hang the
    // console), and once the fault is spent the picture comes whole.
    void plainPathEndsUnderEveryFault_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("remaining");
        const char *names[] = {"Delay",        "NoReply",   "HttpError", "Refuse",
                               "WrongCommand", "Malformed", "EmptyBody", "CloseConnection"};
        for (int kind = sim::Fault::Delay; kind <= sim::Fault::CloseConnection; ++kind) {
            if (kind == sim::Fault::NoReply)
                continue;
            for (int remaining = 1; remaining <= 3; ++remaining)
                QTest::addRow("%s x%d", names[kind], remaining) << kind << remaining;
        }
    }

    void plainPathEndsUnderEveryFault()
    {
        QFETCH(int, kind);
        QFETCH(int, remaining);
        pelmora::test::SimSession sim;
        QVERIFY(sim.start());
        const QString path = QStringLiteral("/Snapshot/lobby");
        const Transport::Result clean = sim.transport->fetch(path);
        sim::Fault fault{sim::Fault::Kind(kind)};
        fault.remaining = remaining;
        fault.delayMs = 50;
        sim.simulator.setFault(path, fault);
        for (int i = 0; i <= remaining; ++i) {
            bool ended = false;
            QTimer::singleShot(0, [&] {
                sim.transport->fetch(path);
                ended = true;
            });
            QVERIFY2(QTest::qWaitFor([&] { return ended; }, 8000), qPrintable(QString::number(i)));
        }
        QCOMPARE(sim.transport->fetch(path).body, clean.body);
    }

    // abort() while the body arrives: finished comes at once, once, and nothing after it; the
    // next request gets a new connection.
    void abortDuringTheBody()
    {
        peer->script = [](const Peer::Request &) {
            return Peer::Answer{
                {"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n0123456789", QByteArray(90, 'x')},
                5000,
                false,
                false};
        };
        QNetworkReply *reply = manager->get(requestTo(*peer));
        QStringList seen;
        connect(reply, &QNetworkReply::finished, this, [&] { seen << "finished"; });
        connect(reply, &QNetworkReply::errorOccurred, this, [&] { seen << "errorOccurred"; });
        QVERIFY(QTest::qWaitFor([&] { return reply->bytesAvailable() > 0; }, 3000));
        reply->abort();
        QCOMPARE(seen, (QStringList{"errorOccurred", "finished"}));
        QCOMPARE(reply->error(), QNetworkReply::OperationCanceledError);
        QVERIFY(reply->isFinished());
        reply->abort(); // a second abort does nothing
        QTest::qWait(50);
        QCOMPARE(seen.size(), 2);
        delete reply;

        peer->script = [](const Peer::Request &) { return Peer::whole(Peer::response("{}")); };
        QCOMPARE(run(manager->get(requestTo(*peer))).body, QByteArray("{}"));
        QCOMPARE(peer->requests.last().connection, 2);
    }

    // A reply deleted or aborted before it started, and a manager that goes with replies in
    // flight, leave nothing behind.
    void repliesEndedEarly()
    {
        peer->script = [](const Peer::Request &) { return Peer::Answer{{}, 0, false, true}; };
        QNetworkReply *aborted = manager->get(requestTo(*peer));
        QSignalSpy finished(aborted, &QNetworkReply::finished);
        aborted->abort();
        QCOMPARE(finished.count(), 1);
        delete aborted;
        delete manager->get(requestTo(*peer));
        QNetworkReply *inFlight = manager->get(requestTo(*peer));
        QTRY_COMPARE(peer->requests.size(), 1);
        QPointer<QNetworkReply> guard(inFlight);
        manager.reset();
        QVERIFY(guard.isNull()); // went with its manager
        QTest::qWait(20);
    }

    // Requests inside a wait: each nested wait returns when its own reply is there.
    void requestInsideAWait()
    {
        peer->script = [](const Peer::Request &request) {
            const bool slow = request.target.contains("slow");
            return Peer::Answer{
                {QByteArray(), Peer::response(slow ? "slow" : "fast")}, slow ? 600 : 0, false, false};
        };
        Observed inner;
        Observed fromFinished;
        QTimer::singleShot(50, this, [&] { inner = run(manager->get(requestTo(*peer, "/fast"))); });
        QNetworkReply *outerReply = manager->get(requestTo(*peer, "/slow"));
        // A handler of finished that waits for another request of its own.
        connect(outerReply, &QNetworkReply::finished, this,
                [&] { fromFinished = run(manager->get(requestTo(*peer, "/fast2"))); });
        const Observed outer = run(outerReply);
        QCOMPARE(outer.body, QByteArray("slow"));
        QCOMPARE(inner.body, QByteArray("fast"));
        QCOMPARE(fromFinished.body, QByteArray("fast"));
        QCOMPARE(peer->connections, 2); // the slow one was busy when the fast one went
    }

    // A transfer is never done before the call that started it returns.
    void repliesAreAsynchronous()
    {
        QNetworkReply *reply = manager->get(requestTo(*peer));
        QVERIFY(!reply->isFinished());
        QSignalSpy finished(reply, &QNetworkReply::finished);
        QVERIFY(finished.wait(3000));
        QCOMPARE(reply->readAll(), QByteArray("{}"));
        delete reply;
    }

    // What the engine does not serve goes to Qt's own.
    void otherRequestsFallThrough()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath("local.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("local bytes");
        file.close();
        const Observed local = run(manager->get(QNetworkRequest(QUrl::fromLocalFile(file.fileName()))));
        QCOMPARE(local.body, QByteArray("local bytes"));

        QBuffer stream;
        stream.setData("{}");
        stream.open(QIODevice::ReadOnly);
        QCOMPARE(run(manager->put(requestTo(*peer), &stream)).error, QNetworkReply::NoError);
        QCOMPARE(peer->requests.last().method, QByteArray("PUT"));
        QCOMPARE(manager->connectionsOpened(), 0);
    }
};

PELMORA_TEST_MAIN(TestCurlEngine)
#include "test_curlengine.moc"
