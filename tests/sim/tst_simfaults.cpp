// Fault injection, the request log and the control endpoints.
#include "sim/simulator.h"
#include "simclient.h"
#include "simsession.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>

#include <memory>

Q_DECLARE_METATYPE(sim::Fault::Kind)

namespace {

const QJsonObject kMove{{"Command", "MoveWindow"},
                        {"RealRect", QJsonObject{{"Left", 10}, {"Top", 10}, {"Right", 20}, {"Bottom", 20}}},
                        {"WindowId", 101}};

int rightOf101(const sim::Simulator &s)
{
    return s.windowList(0)
        .value("Windows")
        .toArray()
        .at(0)
        .toObject()
        .value("WindowRect")
        .toObject()
        .value("Right")
        .toInt();
}

} // namespace

class TestSimFaults : public simtest::Suite
{
    Q_OBJECT

private slots:

    void replyFaults_data()
    {
        QTest::addColumn<sim::Fault::Kind>("kind");
        QTest::addColumn<int>("httpStatus");
        QTest::addColumn<QString>("command"); // the "Command" answered; "-" = body is not JSON
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("networkError");
        QTest::addColumn<bool>("stateChanged");
        QTest::newRow("Delay") << sim::Fault::Delay << 200 << "MoveWindow" << true << false << true;
        QTest::newRow("HttpError") << sim::Fault::HttpError << 503 << "-" << false << true << false;
        QTest::newRow("Refuse") << sim::Fault::Refuse << 200 << "MoveWindow" << false << false << false;
        QTest::newRow("WrongCommand")
            << sim::Fault::WrongCommand << 200 << "GetCpuUsage" << true << false << false;
        QTest::newRow("Malformed") << sim::Fault::Malformed << 200 << "-" << false << false << false;
        QTest::newRow("EmptyBody") << sim::Fault::EmptyBody << 200 << "-" << false << false << false;
        QTest::newRow("CloseConnection") << sim::Fault::CloseConnection << 0 << "-" << false << true << false;
    }

    void replyFaults()
    {
        QFETCH(sim::Fault::Kind, kind);
        QFETCH(int, httpStatus);
        QFETCH(QString, command);
        QFETCH(bool, ok);
        QFETCH(bool, networkError);
        QFETCH(bool, stateChanged);
        sim::Fault fault{kind};
        fault.delayMs = 300;
        fault.httpStatus = 503;
        fault.message =
            kind == sim::Fault::WrongCommand ? QString("GetCpuUsage") : QString("Controller busy");
        m_sim->setFault("MoveWindow", fault);
        // A delayed request waits for the controller's clock: it is neither carried out nor
        // answered before the clock has moved its delay.
        bool carriedOutBeforeTheDelay = false;
        QObject scope;
        if (kind == sim::Fault::Delay) {
            pelmora::test::onceReceived(&scope, *m_sim, "MoveWindow", [&] {
                carriedOutBeforeTheDelay = rightOf101(*m_sim) == 20;
                m_sim->advanceClock(300);
            });
        }
        const simtest::Result r = client().post(kMove);
        QVERIFY(!carriedOutBeforeTheDelay);
        QCOMPARE(r.status, httpStatus);
        QCOMPARE(r.error != QNetworkReply::NoError, networkError);
        QCOMPARE(r.isOk(), ok);
        if (command == "-") {
            QVERIFY(r.json().isEmpty());
        } else {
            QCOMPARE(r.json().value("Command").toString(), command);
        }
        if (kind == sim::Fault::Refuse)
            QCOMPARE(r.message(), QString("Controller busy"));
        QCOMPARE(rightOf101(*m_sim) == 20, stateChanged);
        QVERIFY(m_sim->requests("MoveWindow").size() >= 1);
        // Other commands are not affected.
        QVERIFY(client().get("GetCpuUsage").isOk());
    }

    void closedOnceIsHealedByQtsResend()
    {
        // Qt resends a request once when the connection closes before any answer: a single
        // closed connection is invisible to the console, two in a row are a network error.
        sim::Fault fault{sim::Fault::CloseConnection};
        fault.remaining = 1;
        m_sim->setFault("MoveWindow", fault);
        QVERIFY(client().post(kMove).isOk());
        QCOMPARE(m_sim->requests("MoveWindow").size(), 2);
        QCOMPARE(rightOf101(*m_sim), 20);
    }

    void oversizedAnswersWithATenMegabyteBody()
    {
        m_sim->setFault("MoveWindow", sim::Fault{sim::Fault::Oversized});
        const simtest::Result big = client().post(kMove);
        QCOMPARE(big.status, 200);
        QCOMPARE(big.body.size(), 10 * 1024 * 1024);
        QVERIFY(big.isOk());
        QCOMPARE(big.json().value("Command").toString(), QString("MoveWindow"));
        QCOMPARE(rightOf101(*m_sim), 3840); // not carried out

        sim::Fault small{sim::Fault::Oversized};
        small.bodyBytes = 4096;
        m_sim->setFault("GetCpuUsage", small);
        QCOMPARE(client().get("GetCpuUsage").body.size(), 4096);
    }

    void dripSendsTheUsualAnswerInPieces()
    {
        sim::Fault drip{sim::Fault::Drip};
        drip.dripIntervalMs = 5;
        drip.dripBytes = 4;
        m_sim->setFault("MoveWindow", drip);
        QNetworkReply *reply = client().startPost(kMove);
        // Each piece is read as it comes (the progress signal is throttled, readyRead is not).
        QByteArray body;
        int pieces = 0;
        QObject::connect(reply, &QNetworkReply::readyRead, reply, [&] {
            body += reply->readAll();
            ++pieces;
        });
        QVERIFY(pelmora::test::waitFor([&] { return reply->isFinished(); }, 10000));
        QCOMPARE(reply->error(), QNetworkReply::NoError);
        body += reply->readAll();
        const QJsonObject answer = QJsonDocument::fromJson(body).object();
        reply->deleteLater();
        QCOMPARE(answer.value("Command").toString(), QString("MoveWindow"));
        QCOMPARE(answer.value("Status").toString(), QString("Ok"));
        QVERIFY2(pieces >= 3, qPrintable(QString::number(pieces)));
        QCOMPARE(rightOf101(*m_sim), 20); // carried out

        // The settings travel through the control endpoint too.
        simtest::Client outside(m_sim->port());
        const QByteArray set =
            R"({"Target": "GetCpuUsage", "Kind": "Drip", "DripIntervalMs": 1, "DripBytes": 7})";
        QCOMPARE(outside.request("POST", "/sim/faults", {}, set).status, 200);
        const QJsonArray faults = outside.getPath("/sim/faults").json().value("Faults").toArray();
        QJsonObject listed;
        for (const QJsonValue &f : faults) {
            if (f.toObject().value("Target") == QJsonValue("GetCpuUsage"))
                listed = f.toObject();
        }
        QCOMPARE(listed.value("Kind").toString(), QString("Drip"));
        QCOMPARE(listed.value("DripBytes").toInt(), 7);
        QCOMPARE(listed.value("DripIntervalMs").toInt(), 1);
        QVERIFY(client().get("GetCpuUsage").isOk());
    }

    void remainingCountsDown()
    {
        sim::Fault fault{sim::Fault::Refuse};
        fault.remaining = 2;
        m_sim->setFault("GetCpuUsage", fault);
        QVERIFY(!client().get("GetCpuUsage").isOk());
        QVERIFY(!client().get("GetCpuUsage").isOk());
        QVERIFY(client().get("GetCpuUsage").isOk());
    }

    void pathFaults()
    {
        sim::Fault fault{sim::Fault::HttpError};
        fault.httpStatus = 404;
        m_sim->setFault("/snapshot/", fault); // a prefix
        QCOMPARE(client().getPath("/snapshot/Company Intro.mp4").status, 404);
        QCOMPARE(client().getPath("/Snapshot/Morning Welcome").status, 200);
        m_sim->clearFaults();
        QCOMPARE(client().getPath("/snapshot/Company Intro.mp4").status, 200);
    }

    void noReplyHoldsUntilStop()
    {
        sim::Simulator local;
        QVERIFY(local.start());
        simtest::Client c(local.port());
        QVERIFY(c.login());
        local.setFault("GetScrSetting", sim::Fault{sim::Fault::NoReply});
        const simtest::Result held = c.get("GetScrSetting", 300);
        QVERIFY(held.timedOut);
        QVERIFY(local.waitForRequests("GetScrSetting", 1));

        QNetworkReply *pending = c.startPost({{"Command", "GetScrSetting"}});
        QVERIFY(pelmora::test::waitFor([&] { return local.requests("GetScrSetting").size() == 2; }));
        QVERIFY(!pending->isFinished());
        QElapsedTimer timer;
        timer.start();
        local.stop();
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(pelmora::test::waitFor([&] { return pending->isFinished(); }));
        QVERIFY(pending->error() != QNetworkReply::NoError);
        pending->deleteLater();
    }

    void requestLogKeepsOrderAndContent()
    {
        m_sim->clearRequests();
        client().get("GetVideoParams&WindowId=101");
        client().post(kMove);
        client().getPath("/snapshot/Gate Camera");
        const QList<sim::RecordedRequest> log = m_sim->requests();
        QCOMPARE(log.size(), 3);
        QCOMPARE(log.at(0).method, QString("GET"));
        QCOMPARE(log.at(0).command, QString("GetVideoParams"));
        QCOMPARE(log.at(0).query.value("WindowId"), QString("101"));
        QCOMPARE(log.at(0).json().value("WindowId"), QJsonValue(101));
        QCOMPARE(log.at(0).header("SESSION_ID"), client().session());
        QCOMPARE(log.at(1).json(), kMove);
        QCOMPARE(log.at(2).path, QString("/snapshot/Gate Camera"));
        QCOMPARE(m_sim->requests("MoveWindow").size(), 1);
        QCOMPARE(m_sim->requests("/snapshot/Gate Camera").size(), 1);
    }

    void controlEndpoints()
    {
        simtest::Client outside(m_sim->port()); // no session: control paths need none
        m_sim->clearRequests();
        client().post(kMove);

        const QJsonArray logged = outside.getPath("/sim/requests").json().value("Requests").toArray();
        QCOMPARE(logged.size(), 1); // control requests are not logged
        QCOMPARE(logged.at(0).toObject().value("Command").toString(), QString("MoveWindow"));
        QCOMPARE(QJsonDocument::fromJson(logged.at(0).toObject().value("Body").toString().toUtf8()).object(),
                 kMove);

        const QByteArray fault = R"({"Target": "GetCpuUsage", "Kind": "Refuse", "Message": "from outside"})";
        QCOMPARE(outside.request("POST", "/sim/faults", {}, fault).status, 200);
        QCOMPARE(client().get("GetCpuUsage").message(), QString("from outside"));
        QCOMPARE(outside.getPath("/sim/faults").json().value("Faults").toArray().size(), 1);
        QCOMPARE(outside.request("POST", "/sim/faults", {}, R"({"Target": "x", "Kind": "Boom"})").status,
                 400);
        QCOMPARE(outside.request("DELETE", "/sim/faults", {}, QByteArray()).status, 200);
        QVERIFY(client().get("GetCpuUsage").isOk());

        QCOMPARE(outside.request("POST", "/sim/state", {}, R"({"CpuUsage": 91})").status, 200);
        QCOMPARE(client().get("GetCpuUsage").json().value("CpuUsage").toInt(), 91);
        QCOMPARE(outside.getPath("/sim/state").json().value("CpuUsage").toInt(), 91);

        QCOMPARE(outside.request("POST", "/sim/reset", {}, QByteArray()).status, 200);
        QCOMPARE(rightOf101(*m_sim), 3840);
        QVERIFY(!client().get("GetCpuUsage").isOk()); // sessions end with a reset
        QCOMPARE(outside.getPath("/sim/nothing").status, 404);
    }
};

PELMORA_TEST_MAIN(TestSimFaults)
#include "tst_simfaults.moc"
