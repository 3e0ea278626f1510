#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QPair>
#include <QString>

#include <memory>

namespace sim {
class Simulator;
}

// A blocking HTTP client for the simulator tests, built on QNetworkAccessManager like the
// console: GET commands as "/index2.html?Command=" + text (the URL parsed leniently), POST
// commands as JSON, plain paths percent-encoded, upload chunks with "offset"/"curLength",
// and the "session_id" header on every request.
namespace simtest {

struct Result
{
    int status = 0; // HTTP status, 0 when none arrived
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    bool timedOut = false;
    QByteArray body;
    QByteArray contentType;

    QJsonObject json() const;
    bool isOk() const; // "Status" exactly "Ok"
    QString message() const { return json().value("Message").toString(); }
};

class Client
{
public:
    explicit Client(int port);

    void setSession(const QByteArray &sessionId) { m_session = sessionId; }
    QByteArray session() const { return m_session; }
    // Logs in and keeps the session; false when refused.
    bool login(const QString &user = "admin", const QString &password = "admin");

    Result get(const QString &commandText, int timeoutMs = 5000);
    Result post(const QJsonObject &body, int timeoutMs = 5000);
    Result postRaw(const QByteArray &body, int timeoutMs = 5000);
    Result getPath(const QString &path, int timeoutMs = 5000);
    Result upload(const QString &path, qint64 offset, const QByteArray &chunk, int timeoutMs = 5000);
    Result request(const QByteArray &verb, const QString &pathAndQuery,
                   const QList<QPair<QByteArray, QByteArray>> &headers, const QByteArray &body,
                   int timeoutMs = 5000);
    // Starts a request without waiting; the caller owns the reply.
    QNetworkReply *startPost(const QJsonObject &body);

    QString base() const { return m_base; }

private:
    Result run(QNetworkReply *reply, int timeoutMs);
    QNetworkRequest makeRequest(const QUrl &url) const;

    QNetworkAccessManager m_manager;
    QString m_base;
    QByteArray m_session;
};

// Set-up shared by the simulator tests: one simulator per test program, on a clock the test
// advances (Simulator::advanceClock), and before each test function its start-up state and a
// fresh client.
class Fixture
{
public:
    Fixture();
    ~Fixture();

protected:
    // For initTestCase(): starts the simulator; the reason when it does not start.
    QString startSimulator();
    // For init(): back to the start-up state and a new client, logged in when asked;
    // false when the login is refused.
    bool resetSimulator(bool login = true);
    Client &client() { return *m_client; }
    int port() const;

    std::unique_ptr<sim::Simulator> m_sim;
    std::unique_ptr<Client> m_client;
};

// The base of the simulator suites: the simulator starts before the first test function and
// stops after the last; before each test function (or once, for suites that check that one
// state stays unchanged) it goes back to its start-up state with a fresh client.
class Suite : public QObject, protected Fixture
{
    Q_OBJECT
public:
    enum class Reset {
        EachTestLoggedIn, // the client is logged in as the administrator
        EachTest,         // the client has no session
        Once,             // one logged-in state for the whole suite
    };

protected:
    explicit Suite(Reset reset = Reset::EachTestLoggedIn) : m_reset(reset) {}

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

private:
    const Reset m_reset;
};

QString md5Hex(const QString &password);
// The value at a "/"-separated path: object keys, array indexes, and "#" for an array's size.
QJsonValue jsonAt(const QJsonValue &root, const QString &path);

} // namespace simtest
