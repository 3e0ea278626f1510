#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPair>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <functional>

// A loopback HTTP peer that records each request and answers it with scripted bytes:
// whole, in pieces, partially and then closed, never, or when the test says so.
class ScriptedServer : public QTcpServer
{
    Q_OBJECT
public:
    struct Request
    {
        QByteArray method;
        QByteArray target;
        QMap<QByteArray, QByteArray> headers; // names lower-cased
        QByteArray body;
    };

    struct Answer
    {
        QList<QByteArray> pieces; // written one after another, `gapMs` apart
        int gapMs = 0;
        bool closeAfter = false;
        bool silent = false; // read the request and never answer
        bool held = false;   // answered when the test calls releaseHeld()
        // After the pieces, written again and again for as long as the peer reads, until it
        // closes the connection (a body without end).
        QByteArray endless;
        qint64 endlessUpTo = 0; // > 0: the connection closes after that many endless bytes
    };

    explicit ScriptedServer(QObject *parent = nullptr);
    bool start();
    int port() const { return serverPort(); }

    // The answer for every following request (or computed per request).
    void setAnswer(const Answer &answer);
    void setAnswerFunction(std::function<Answer(const Request &)> function);

    QList<Request> requests() const { return m_requests; }
    // Bytes written of the endless answers so far.
    qint64 endlessBytes() const { return m_endlessBytes; }

    // Sends the answers held so far, in the order their requests came.
    void releaseHeld();
    // Closes every connection at once, answered or not.
    void dropConnections();

    static QByteArray httpResponse(const QByteArray &body, int status = 200,
                                   const QByteArray &contentType = "application/json");
    static Answer whole(const QByteArray &bytes, bool close = false);

signals:
    // A whole request arrived (after its answer, if any, went out).
    void received(const QByteArray &target);

private:
    void onNewConnection();
    void onReadyRead(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const Answer &answer);
    void stream(QTcpSocket *socket, const QByteArray &chunk, qint64 upTo);

    QList<Request> m_requests;
    QMap<QTcpSocket *, QByteArray> m_buffers;
    QList<QPair<QPointer<QTcpSocket>, Answer>> m_held;
    std::function<Answer(const Request &)> m_function;
    qint64 m_endlessBytes = 0;
};
