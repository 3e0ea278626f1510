// A controller that answers badly on purpose: a session id that would write headers of its
// own, plain paths that never answer, stop half-way or never end, and pictures too large to
// hold. The console refuses or gives up, and nothing it holds grows without bound.
#include "library/catalogue.h"
#include "library/imagewidget.h"
#include "library/resourceloader.h"
#include "net/curlaccessmanager.h"
#include "net/loginreply.h"
#include "net/loginsession.h"
#include "net/sessionvalues.h"
#include "net/transport.h"
#include "scriptedserver.h"
#include "testmain.h"
#include "uikit/dialogs.h"

#include <QBuffer>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QTextDocument>
#include <QUrl>

#include <memory>

Q_DECLARE_METATYPE(Transport::Outcome)

using uikit::Dialogs;

namespace {
QByteArray json(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

ScriptedServer::Answer jsonAnswer(const QJsonObject &object)
{
    return ScriptedServer::whole(ScriptedServer::httpResponse(json(object)));
}

QByteArray jpeg()
{
    QImage picture(32, 24, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPEG");
    return bytes;
}

const QString kBadSessionBox = QStringLiteral("登录失败！错误原因：主机返回的会话标识无效。");
} // namespace

class TestHostileController : public QObject
{
    Q_OBJECT

    std::unique_ptr<QNetworkAccessManager> manager;
    SessionValues session;
    std::unique_ptr<Transport> transport;
    std::unique_ptr<ScriptedServer> server;

    void open(bool curl)
    {
        Dialogs::reset();
        server = std::make_unique<ScriptedServer>();
        QVERIFY(server->start());
        manager.reset(curl ? new net::CurlAccessManager : new QNetworkAccessManager);
        session = SessionValues();
        session.hostIp = QStringLiteral("127.0.0.1");
        session.port = server->port();
        transport = std::make_unique<Transport>(manager.get(), &session, Dialogs::sink());
    }

    static void engines()
    {
        QTest::addColumn<bool>("curl");
        QTest::newRow("curl engine") << true;
        QTest::newRow("Qt engine") << false;
    }

private slots:
    void cleanup()
    {
        transport.reset();
        manager.reset();
        server.reset();
    }

    // The "SessionId" of a login reply goes into the header of every later request: only
    // printable ASCII may, anything else refuses the login with its own box.
    void sessionId_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("usable");
        QTest::newRow("plain") << QStringLiteral("4f2a-91") << true;
        QTest::newRow("all printable")
            << QStringLiteral("!\"#$%&'()*+,-./09:;<=>?@AZ[\\]^_`az{|}~ inside") << true;
        QTest::newRow("missing: empty") << QString() << true;
        QTest::newRow("longest") << QString(kMaxSessionIdLength, QLatin1Char('s')) << true;
        QTest::newRow("too long") << QString(kMaxSessionIdLength + 1, QLatin1Char('s')) << false;
        QTest::newRow("CR LF and a header") << QStringLiteral("s1\r\nX-Injected: 1") << false;
        QTest::newRow("LF and a header") << QStringLiteral("s1\nX-Injected: 1") << false;
        QTest::newRow("CR alone") << QStringLiteral("s1\rX-Injected: 1") << false;
        QTest::newRow("NUL") << QString::fromUtf8("s1\0x", 4) << false;
        QTest::newRow("tab") << QStringLiteral("s1\tx") << false;
        QTest::newRow("DEL") << QStringLiteral("s1\x7f") << false;
        QTest::newRow("Latin-1 letter") << QStringLiteral("s\u00e9") << false;
        QTest::newRow("Chinese") << QStringLiteral("会话") << false;
    }

    void sessionId()
    {
        QFETCH(QString, id);
        QFETCH(bool, usable);
        QCOMPARE(isUsableSessionId(id), usable);

        open(true);
        server->setAnswerFunction([id](const ScriptedServer::Request &request) {
            if (request.body.contains("\"Login\"")) {
                QJsonObject reply{{"Command", "Login"}, {"Status", "Ok"}, {"Role", 1}};
                if (!id.isNull())
                    reply.insert(QStringLiteral("SessionId"), id);
                return jsonAnswer(reply);
            }
            return jsonAnswer({{"Command", "GetScrSetting"}, {"Status", "Ok"}});
        });
        session.sessionId = QStringLiteral("before");
        LoginSession login(transport.get(), &session);
        const Transport::Result result = login.login(QStringLiteral("admin"), QStringLiteral("admin"));
        QCOMPARE(result.outcome, usable ? Transport::Outcome::Ok : Transport::Outcome::BadSession);
        QCOMPARE(session.sessionId, usable ? id : QStringLiteral("before"));
        QCOMPARE(session.role, usable ? 1 : -1);
        if (usable) {
            QVERIFY(Dialogs::shownBoxes().isEmpty());
        } else {
            QCOMPARE(Dialogs::shownBoxes().size(), 1);
            QCOMPARE(Dialogs::shownBoxes()[0].type, uikit::BoxType::Error);
            QCOMPARE(Dialogs::shownBoxes()[0].text, kBadSessionBox);
        }

        // Even a session id put there by other means never writes a header: the request
        // carries one "session_id" (empty then) and nothing of the id's making.
        session.sessionId = id;
        QVERIFY(transport->get(QStringLiteral("GetScrSetting")).ok());
        const ScriptedServer::Request sent = server->requests().last();
        QCOMPARE(sent.headers.value("session_id"), usable ? id.toLatin1() : QByteArray());
        QVERIFY(!sent.headers.contains("x-injected"));
    }

    // The controller's "Message" is shown as written: a box never takes it for rich text,
    // whose pictures would be read from local files.
    void refusalMessageIsShownAsWritten_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("escaped");
        QTest::newRow("plain") << QStringLiteral("Wrong password for user \"admin\"") << false;
        // Would be read as markup, losing "< b >": escaped too.
        QTest::newRow("comparison signs") << QStringLiteral("a < b > c") << true;
        QTest::newRow("one sign") << QStringLiteral("load < 50%") << false;
        QTest::newRow("picture of a local file") << QStringLiteral("<img src=\"/etc/passwd\">") << true;
        QTest::newRow("picture of a device")
            << QStringLiteral("<p><img src=\"file:///dev/zero\"></p>") << true;
        QTest::newRow("markup") << QStringLiteral("<b>bold</b>") << true;
    }

    void refusalMessageIsShownAsWritten()
    {
        QFETCH(QString, message);
        QFETCH(bool, escaped);
        open(true);
        server->setAnswer(
            jsonAnswer({{"Command", "SetCurScreen"}, {"Status", "Failed"}, {"Message", message}}));
        QVERIFY(!transport->postCommand({{"Command", "SetCurScreen"}}, QStringLiteral("SetCurScreen")));
        QVERIFY(!transport->checkStatus({{"Status", "Failed"}, {"Message", message}}, QString()));
        const QStringList texts{QStringLiteral("操作失败！错误原因：") + message,
                                QStringLiteral("错误原因: ") + message};
        QCOMPARE(Dialogs::shownBoxes().size(), 2);
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(Dialogs::shownBoxes()[i].text, escaped ? Qt::convertFromPlainText(texts[i]) : texts[i]);
            QCOMPARE(Transport::boxText(texts[i]), Dialogs::shownBoxes()[i].text);
        }
    }

    // A name from the controller travels in a plain path as text: whatever it holds, one
    // request goes out, with no header of the name's making, and the name arrives whole.
    void namesInPathsStayInThePath_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("CR LF and a header")
            << QStringLiteral("a.jpg HTTP/1.1\r\nX-Injected: 1\r\n\r\nGET /b");
        QTest::newRow("climbing") << QStringLiteral("../../x");
        QTest::newRow("absolute") << QStringLiteral("/etc/passwd");
        QTest::newRow("backslash and drive") << QStringLiteral("C:\\a\\b");
        QTest::newRow("query and fragment") << QStringLiteral("a?b=1#c");
        QTest::newRow("escape") << QStringLiteral("100%.jpg");
        QTest::newRow("NUL") << QString::fromUtf8("a\0b.jpg", 7);
        QTest::newRow("Chinese and blanks") << QStringLiteral("大厅 1.jpg");
        QTest::newRow("very long") << QString(4000, QLatin1Char('L'));
    }

    void namesInPathsStayInThePath()
    {
        QFETCH(QString, name);
        // The console's engine (Qt's own resolves "../" before sending).
        for (const bool curl : {true}) {
            open(curl);
            QByteArray body;
            transport->fetchPath(QStringLiteral("/snapshot/") + name, &body);
            QCOMPARE(server->requests().size(), 1);
            const ScriptedServer::Request sent = server->requests().first();
            QVERIFY(!sent.headers.contains("x-injected"));
            for (const char c : sent.target)
                QVERIFY2(uchar(c) > 0x20 && uchar(c) < 0x7f, sent.target.constData());
            QVERIFY2(sent.target.startsWith("/snapshot/"), sent.target.constData());
            QCOMPARE(QUrl::fromPercentEncoding(sent.target.mid(int(qstrlen("/snapshot/")))), name);
        }
    }

    // A plain path that receives nothing for the idle limit ends as timed out: silent from
    // the start, or after the headers and part of the body.
    void quietFetchEnds_data()
    {
        QTest::addColumn<bool>("curl");
        QTest::addColumn<QByteArray>("sent"); // what comes before the silence
        for (const bool curl : {true, false}) {
            const char *engine = curl ? "curl" : "Qt";
            QTest::addRow("%s: never answers", engine) << curl << QByteArray();
            QTest::addRow("%s: headers only", engine)
                << curl << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n");
            QTest::addRow("%s: part of the body", engine)
                << curl << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n0123456789");
        }
    }

    void quietFetchEnds()
    {
        QFETCH(bool, curl);
        QFETCH(QByteArray, sent);
        open(curl);
        QCOMPARE(transport->idleLimitMs(), 10000);
        transport->setIdleLimitMs(300);
        ScriptedServer::Answer answer;
        answer.silent = sent.isEmpty();
        answer.pieces = {sent};
        server->setAnswer(answer);

        QCOMPARE(transport->fetch(QStringLiteral("/snapshot/a.jpg")).outcome, Transport::Outcome::TimedOut);
        QByteArray body("kept");
        QVERIFY(!transport->fetchPath(QStringLiteral("/snapshot/a.jpg"), &body));
        QCOMPARE(body, QByteArray("kept"));
        QVERIFY(Dialogs::shownBoxes().isEmpty());
    }

    // A body that keeps coming has no time limit of its own: one that drips for longer than
    // the idle limit, never pausing that long, arrives whole.
    void drippingFetchArrives_data() { engines(); }

    void drippingFetchArrives()
    {
        QFETCH(bool, curl);
        open(curl);
        transport->setIdleLimitMs(1000);
        ScriptedServer::Answer answer;
        const int pieces = 20;
        answer.pieces = {"HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(pieces) + "\r\n\r\n"};
        for (int i = 0; i < pieces; ++i)
            answer.pieces.append("x");
        answer.gapMs = 100; // 2 s in all, twice the idle limit
        server->setAnswer(answer);
        const Transport::Result result = transport->fetch(QStringLiteral("/Modals/Group1/a.mvc"));
        QCOMPARE(result.outcome, Transport::Outcome::Ok);
        QCOMPARE(result.body, QByteArray(pieces, 'x'));
    }

    // A picture may bring at most kPictureLimitBytes: a larger one is refused as soon as it
    // says so or passes the limit, without reading the rest.
    void oversizedPicture_data()
    {
        QTest::addColumn<bool>("curl");
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<qint64>("endless");   // bytes streamed after the head (0: none)
        QTest::addColumn<qint64>("wholeBody"); // a body sent whole instead (-1: none)
        QTest::addColumn<bool>("accepted");
        const qint64 limit = Transport::kPictureLimitBytes;
        const qint64 gigabytes = qint64(256) << 20; // what an unguarded fetch would read whole
        for (const bool curl : {true, false}) {
            const char *engine = curl ? "curl" : "Qt";
            QTest::addRow("%s: announces gigabytes", engine)
                << curl << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 10737418240\r\n\r\n") << gigabytes
                << qint64(-1) << false;
            QTest::addRow("%s: no length, streams on", engine)
                << curl << QByteArray("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n") << gigabytes
                << qint64(-1) << false;
            QTest::addRow("%s: one byte too many", engine)
                << curl << QByteArray() << qint64(0) << limit + 1 << false;
            QTest::addRow("%s: exactly the limit", engine)
                << curl << QByteArray() << qint64(0) << limit << true;
        }
    }

    void oversizedPicture()
    {
        QFETCH(bool, curl);
        QFETCH(QByteArray, head);
        QFETCH(qint64, endless);
        QFETCH(qint64, wholeBody);
        QFETCH(bool, accepted);
        open(curl);
        ScriptedServer::Answer answer;
        if (wholeBody >= 0) {
            answer = ScriptedServer::whole(
                ScriptedServer::httpResponse(QByteArray(int(wholeBody), 'J'), 200, "image/jpeg"));
        } else {
            answer.pieces = {head};
            answer.endless = QByteArray(64 * 1024, 'J');
            answer.endlessUpTo = endless;
        }
        server->setAnswer(answer);

        QByteArray body;
        QCOMPARE(transport->fetchPath(QStringLiteral("/snapshot/big.jpg"), &body), accepted);
        QCOMPARE(body.size(), accepted ? int(wholeBody) : 0);
        if (endless > 0)
            QVERIFY2(server->endlessBytes() < endless, qPrintable(QString::number(server->endlessBytes())));
        QVERIFY(Dialogs::shownBoxes().isEmpty());
        // Files may be larger than pictures.
        if (!accepted && wholeBody >= 0)
            QCOMPARE(transport->fetch(QStringLiteral("/Modals/Group1/big.mvc")).outcome,
                     Transport::Outcome::Ok);
    }

    // In the resource list an oversized thumbnail is no thumbnail: the entry shows the
    // no-preview picture, and the entries after it still get theirs.
    void oversizedThumbnailShowsTheFallback()
    {
        open(true);
        const QByteArray small = jpeg();
        server->setAnswerFunction([small](const ScriptedServer::Request &request) {
            if (request.target.startsWith("/index2.html"))
                return jsonAnswer(
                    {{"Command", "GetPicList"},
                     {"Status", "Ok"},
                     {"PicList", QJsonArray{QJsonObject{{"Name", "huge.jpg"}, {"Path", "/p/huge.jpg"}},
                                            QJsonObject{{"Name", "fine.jpg"}, {"Path", "/p/fine.jpg"}}}}});
            const QByteArray picture = request.target.endsWith("/huge.jpg")
                                           ? QByteArray(int(Transport::kPictureLimitBytes) + 4096, 'J')
                                           : small;
            return ScriptedServer::whole(ScriptedServer::httpResponse(picture, 200, "image/jpeg"));
        });
        library::ResourceCatalogue catalogue;
        library::ResourceLoader loader(transport.get(), &catalogue);
        QVERIFY(loader.getPicList());
        QCOMPARE(catalogue.picResources.size(), 2);
        const S_RESOURCE &huge = catalogue.picResources[0];
        const S_RESOURCE &fine = catalogue.picResources[1];
        QVERIFY(huge.thumbnail.isEmpty());
        QCOMPARE(ImageWidget::framedThumbnail(huge).toImage(),
                 ImageWidget::framedThumbnail(S_RESOURCE()).toImage());
        QCOMPARE(fine.thumbnail, small);
        QVERIFY(Dialogs::shownBoxes().isEmpty());
    }
};

PELMORA_TEST_MAIN(TestHostileController)
#include "test_hostilecontroller.moc"
