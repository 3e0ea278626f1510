#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QTcpServer>
#include <functional>

class QTcpSocket;

// A loopback HTTP peer that records each request and answers it with scripted bytes:
// whole, in pieces, partially and then closed, or never.
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
    };

    explicit ScriptedServer(QObject *parent = nullptr);
    bool start();
    int port() const { return serverPort(); }

    // The answer for every following request (or computed per request).
    void setAnswer(const Answer &answer);
    void setAnswerFunction(std::function<Answer(const Request &)> function);

    QList<Request> requests() const { return m_requests; }

    static QByteArray httpResponse(const QByteArray &body, int status = 200,
                                   const QByteArray &contentType = "application/json");
    static Answer whole(const QByteArray &bytes, bool close = false);

private:
    void onNewConnection();
    void onReadyRead(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const Answer &answer);

    QList<Request> m_requests;
    QMap<QTcpSocket *, QByteArray> m_buffers;
    std::function<Answer(const Request &)> m_function;
};
