#pragma once

#include "net/commandresult.h"

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;
struct SessionValues;
namespace uikit {
class MessageSink;
}

// The HTTP command transport to the controller. Commands are GETs of
// "/index2.html?Command=<text>" or POSTs of indented JSON to "/index2.html", always with the
// "session_id" header. Synchronous calls wait in a nested event loop for at most
// timeoutMs() (10000 ms); asynchronous replies reach dispatchReply().
//
// Two layers: the typed calls (get, post, command, query, fetch, download) say what
// happened and show nothing; the classic calls (sendGetCommand ... downloadToFile) keep
// their boolean contracts and show the operator's boxes, whose texts come from one place
// (report()).
class Transport : public QObject
{
    Q_OBJECT
public:
    using Result = net::CommandResult;
    using Outcome = net::CommandResult::Outcome;
    // Names a synchronous request that may be given up while it waits (cancel()).
    using Ticket = quint64;

    Transport(QNetworkAccessManager *manager, SessionValues *session, uikit::MessageSink &boxes,
              QObject *parent = nullptr);

    // The request limit; only tests change it.
    void setTimeoutMs(int ms) { m_timeoutMs = ms; }
    int timeoutMs() const { return m_timeoutMs; }
    // Plain paths have no total limit, but one that receives nothing for idleLimitMs()
    // (10000 ms) is given up; only tests change it.
    void setIdleLimitMs(int ms) { m_idleLimitMs = ms; }
    int idleLimitMs() const { return m_idleLimitMs; }

    // The most a plain path may bring into memory: a picture (thumbnail, snapshot) and a file
    // (a scene file, a download).
    static constexpr qint64 kPictureLimitBytes = 4 * 1024 * 1024;
    static constexpr qint64 kFileLimitBytes = 64 * 1024 * 1024;

    QUrl commandUrl(const QString &commandText) const;
    QUrl postUrl() const;
    QUrl pathUrl(const QString &path) const;
    // The request with the "session_id" header; a session id that could not go into a header
    // whole (see isUsableSessionId) goes out empty.
    QNetworkRequest commandRequest(const QUrl &url) const;
    QNetworkAccessManager *manager() const { return m_manager; }
    SessionValues *session() const { return m_session; }
    uikit::MessageSink &boxes() const { return m_boxes; }

    // --- typed calls: nothing is shown
    // Synchronous GET command: Ok with the body, TimedOut, Cancelled, NetworkError, HttpError.
    Result get(const QString &commandText, Ticket ticket = 0);
    // Synchronous POST command with an indented JSON body; outcomes as get().
    Result post(const QJsonObject &request, Ticket ticket = 0);
    Result postBody(const QByteArray &body, Ticket ticket = 0);
    // post() with the reply check: Ok only for the same "Command" and "Status" "Ok";
    // WrongCommand, Refused (message() says why), or the transport's failure.
    Result command(const QJsonObject &request);
    // get() with the status check of GET replies: Ok, Refused, or the transport's failure.
    Result query(const QString &commandText);
    // Plain path (no total time limit): Ok with the body, NetworkError, HttpError; TimedOut
    // when nothing arrived for idleLimitMs(); TooLarge (at once, the rest is not read) when
    // the body announces or brings more than `maxBytes`.
    Result fetch(const QString &path, qint64 maxBytes = kFileLimitBytes);
    // fetch() into a local file, written whole or not at all: a failed transfer or a file
    // that cannot be written leaves what was there before (WriteFailed).
    Result download(const QString &path, const QString &localFile);
    // Asynchronous requests; their replies reach dispatchReply().
    void getAsync(const QString &commandText);
    void postAsync(const QJsonObject &request);
    // Asynchronous POST whose end is announced by asyncFinished(ticket, result): the reply as
    // post() gives it, TimedOut after timeoutMs() (the request is aborted), Cancelled by
    // cancel(ticket), or the transport's failure. Its reply does not reach dispatchReply().
    Ticket postTracked(const QJsonObject &request);

    Ticket newTicket() { return ++m_lastTicket; }
    // Gives up the synchronous request of `ticket` if it still waits (its call returns
    // Cancelled at once).
    void cancel(Ticket ticket);

    // Waits for `reply` in a nested event loop, at most `limitMs` (0: no limit), and turns
    // it into a result; the reply is released.
    Result await(QNetworkReply *reply, int limitMs, Ticket ticket = 0);
    // Waits for the reply of a plain path as long as it keeps coming, with the limits of
    // fetch(); the reply is released.
    Result awaitBody(QNetworkReply *reply, qint64 maxBytes);

    // --- the classic calls, with the operator's boxes
    bool sendGetCommand(const QString &commandText, bool sync, QByteArray *reply);
    bool sendPostCommand(const QByteArray &body, bool sync, QByteArray *reply);
    bool postCommand(const QJsonObject &request, const QString &command);
    bool checkReply(const QByteArray &body, const QString &command);
    bool checkStatus(const QJsonObject &reply, const QString &successText);
    // A picture: at most kPictureLimitBytes.
    bool fetchPath(const QString &path, QByteArray *body);
    bool downloadToFile(const QString &path, const QString &localFile);
    void onReplyFinished(QNetworkReply *reply);
    void dispatchReply(const QByteArray &body);

    // Shows what a failed postCommand-style call tells the operator (nothing for Ok,
    // Cancelled and WrongCommand); returns result.ok().
    bool report(const Result &result);
    // The status check of a GET reply: "错误原因: " + "Message" on a refusal; the success
    // text (if any) otherwise.
    bool reportStatus(const QJsonObject &reply, const QString &successText);

    // The text of a box that carries the controller's words (a refusal's "Message"): as it
    // is, unless the box would take it for rich text, whose pictures are read from local
    // files; then the same text, escaped to show as written.
    static QString boxText(const QString &text);

    // JSON helpers shared by every command sender.
    static QByteArray toBody(const QJsonObject &object);
    static QJsonObject parseObject(const QByteArray &body);

signals:
    // An answer "Ok" to the connection poll ("GetCpuUsage") arrived.
    void pollAnswered();
    // A request of postTracked() ended.
    void asyncFinished(Transport::Ticket ticket, const net::CommandResult &result);

private:
    QNetworkReply *sendPost(const QByteArray &body);
    // The result of a finished (or aborted) reply; the reply is released.
    Result takeResult(QNetworkReply *reply, bool timedOut);
    Result classify(const QByteArray &body, const QString &command) const;

    QNetworkAccessManager *m_manager;
    SessionValues *m_session;
    uikit::MessageSink &m_boxes;
    int m_timeoutMs = 10000;
    int m_idleLimitMs = 10000;
    Ticket m_lastTicket = 0;
    QHash<Ticket, QPointer<QNetworkReply>> m_waiting;
};
