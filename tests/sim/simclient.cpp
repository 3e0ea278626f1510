#include "simclient.h"

#include "sim/simulator.h"

#include <QCryptographicHash>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>
#include <QUrl>
#include <QtTest>

namespace simtest {

QJsonObject Result::json() const
{
    return QJsonDocument::fromJson(body).object();
}

bool Result::isOk() const
{
    return json().value("Status") == QJsonValue("Ok");
}

QString md5Hex(const QString &password)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(password.toLatin1(), QCryptographicHash::Md5).toHex());
}

QJsonValue jsonAt(const QJsonValue &root, const QString &path)
{
    QJsonValue v = root;
    const QStringList parts = path.split('/', Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        bool isIndex = false;
        const int index = part.toInt(&isIndex);
        if (part == "#")
            v = v.toArray().size();
        else if (isIndex && v.isArray())
            v = v.toArray().at(index);
        else
            v = v.toObject().value(part);
    }
    return v;
}

Client::Client(int port) : m_base(QString("http://127.0.0.1:%1").arg(port)) {}

bool Client::login(const QString &user, const QString &password)
{
    const Result r =
        post({{"Command", "Login"}, {"UserName", user}, {"Password", md5Hex(password)}, {"Family", 2}});
    if (!r.isOk())
        return false;
    m_session = r.json().value("SessionId").toString().toLatin1();
    return true;
}

QNetworkRequest Client::makeRequest(const QUrl &url) const
{
    QNetworkRequest request(url);
    request.setRawHeader("session_id", m_session);
    return request;
}

Result Client::run(QNetworkReply *reply, int timeoutMs)
{
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(timeoutMs);
    if (!reply->isFinished())
        loop.exec();
    Result r;
    if (!reply->isFinished()) {
        r.timedOut = true;
        reply->abort();
    }
    r.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    r.error = reply->error();
    if (!r.timedOut)
        r.body = reply->readAll();
    r.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    reply->deleteLater();
    return r;
}

Result Client::get(const QString &commandText, int timeoutMs)
{
    const QUrl url(m_base + "/index2.html?Command=" + commandText, QUrl::TolerantMode);
    return run(m_manager.get(makeRequest(url)), timeoutMs);
}

QNetworkReply *Client::startPost(const QJsonObject &body)
{
    QNetworkRequest request = makeRequest(QUrl(m_base + "/index2.html"));
    request.setHeader(QNetworkRequest::ContentTypeHeader, "text/plain; charset=utf-8;");
    return m_manager.post(request, QJsonDocument(body).toJson(QJsonDocument::Indented));
}

Result Client::post(const QJsonObject &body, int timeoutMs)
{
    return run(startPost(body), timeoutMs);
}

Result Client::postRaw(const QByteArray &body, int timeoutMs)
{
    QNetworkRequest request = makeRequest(QUrl(m_base + "/index2.html"));
    request.setHeader(QNetworkRequest::ContentTypeHeader, "text/plain; charset=utf-8;");
    return run(m_manager.post(request, body), timeoutMs);
}

Result Client::getPath(const QString &path, int timeoutMs)
{
    QUrl url(m_base);
    url.setPath(path, QUrl::DecodedMode); // "#", "?", "%" and spaces leave percent-encoded
    return run(m_manager.get(makeRequest(url)), timeoutMs);
}

Result Client::upload(const QString &path, qint64 offset, const QByteArray &chunk, int timeoutMs)
{
    QUrl url(m_base);
    url.setPath(path, QUrl::DecodedMode);
    QNetworkRequest request = makeRequest(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, "application/octet-stream");
    request.setRawHeader("offset", QByteArray::number(offset));
    request.setRawHeader("curLength", QByteArray::number(chunk.size()));
    return run(m_manager.post(request, chunk), timeoutMs);
}

Result Client::request(const QByteArray &verb, const QString &pathAndQuery,
                       const QList<QPair<QByteArray, QByteArray>> &headers, const QByteArray &body,
                       int timeoutMs)
{
    QNetworkRequest request = makeRequest(QUrl(m_base + pathAndQuery, QUrl::TolerantMode));
    request.setHeader(QNetworkRequest::ContentTypeHeader, "application/octet-stream");
    for (const auto &h : headers)
        request.setRawHeader(h.first, h.second);
    return run(m_manager.sendCustomRequest(request, verb, body), timeoutMs);
}

} // namespace simtest

namespace simtest {

Fixture::Fixture() = default;

Fixture::~Fixture() = default;

QString Fixture::startSimulator()
{
    m_sim = std::make_unique<sim::Simulator>();
    if (!m_sim->start())
        return m_sim->errorString();
    // Nothing a simulator test checks depends on how fast this machine runs.
    m_sim->useManualClock();
    return m_sim->port() > 0 ? QString() : QStringLiteral("no port");
}

bool Fixture::resetSimulator(bool login)
{
    m_sim->reset();
    m_client = std::make_unique<Client>(m_sim->port());
    return !login || m_client->login();
}

int Fixture::port() const
{
    return m_sim->port();
}

void Suite::initTestCase()
{
    const QString error = startSimulator();
    QVERIFY2(error.isEmpty(), qPrintable(error));
    if (m_reset == Reset::Once)
        QVERIFY(resetSimulator());
}

void Suite::init()
{
    if (m_reset != Reset::Once)
        QVERIFY(resetSimulator(m_reset == Reset::EachTestLoggedIn));
}

void Suite::cleanupTestCase()
{
    m_sim->stop();
}

} // namespace simtest
