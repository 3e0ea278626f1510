#include "scriptedserver.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <memory>
#include <utility>

ScriptedServer::ScriptedServer(QObject *parent) : QTcpServer(parent)
{
    connect(this, &QTcpServer::newConnection, this, &ScriptedServer::onNewConnection);
    setAnswer(whole(httpResponse("{}")));
}

bool ScriptedServer::start()
{
    return listen(QHostAddress::LocalHost, 0);
}

void ScriptedServer::setAnswer(const Answer &answer)
{
    m_function = [answer](const Request &) { return answer; };
}

void ScriptedServer::setAnswerFunction(std::function<Answer(const Request &)> function)
{
    m_function = std::move(function);
}

QByteArray ScriptedServer::httpResponse(const QByteArray &body, int status, const QByteArray &contentType)
{
    QByteArray out = "HTTP/1.1 " + QByteArray::number(status) + (status == 200 ? " OK" : " Error") + "\r\n";
    out += "Content-Type: " + contentType + "\r\n";
    out += "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n";
    return out + body;
}

ScriptedServer::Answer ScriptedServer::whole(const QByteArray &bytes, bool close)
{
    Answer answer;
    answer.pieces = {bytes};
    answer.closeAfter = close;
    return answer;
}

void ScriptedServer::onNewConnection()
{
    while (QTcpSocket *socket = nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_buffers.remove(socket);
            socket->deleteLater();
        });
    }
}

void ScriptedServer::onReadyRead(QTcpSocket *socket)
{
    QPointer<QTcpSocket> guard(socket);
    QByteArray buffer = m_buffers.value(socket) + socket->readAll();
    for (;;) {
        const int headerEnd = buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            break;
        Request request;
        const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        request.method = first.value(0);
        request.target = first.value(1);
        for (int i = 1; i < lines.size(); ++i) {
            const int colon = lines[i].indexOf(':');
            if (colon > 0)
                request.headers.insert(lines[i].left(colon).trimmed().toLower(),
                                       lines[i].mid(colon + 1).trimmed());
        }
        const int length = request.headers.value("content-length", "0").toInt();
        if (buffer.size() < headerEnd + 4 + length)
            break;
        request.body = buffer.mid(headerEnd + 4, length);
        buffer.remove(0, headerEnd + 4 + length);
        m_requests.append(request);
        answer(socket, m_function(request));
        emit received(request.target);
        if (!guard || guard->state() != QAbstractSocket::ConnectedState)
            return;
    }
    m_buffers.insert(socket, buffer);
}

void ScriptedServer::releaseHeld()
{
    const auto held = std::exchange(m_held, {});
    for (const auto &entry : held) {
        if (!entry.first)
            continue;
        Answer now = entry.second;
        now.held = false;
        answer(entry.first, now);
    }
}

void ScriptedServer::dropConnections()
{
    const QList<QTcpSocket *> sockets = findChildren<QTcpSocket *>();
    for (QTcpSocket *socket : sockets)
        socket->abort();
}

void ScriptedServer::answer(QTcpSocket *socket, const Answer &answer)
{
    if (answer.silent)
        return;
    if (answer.held) {
        m_held.append({socket, answer});
        return;
    }
    QPointer<QTcpSocket> guard(socket);
    int delay = 0;
    for (int i = 0; i < answer.pieces.size(); ++i) {
        const QByteArray piece = answer.pieces[i];
        const bool last = i == answer.pieces.size() - 1;
        auto write = [guard, piece, last, close = answer.closeAfter] {
            if (!guard)
                return;
            guard->write(piece);
            guard->flush();
            if (last && close)
                guard->disconnectFromHost();
        };
        if (delay == 0)
            write();
        else
            QTimer::singleShot(delay, this, write);
        delay += answer.gapMs;
    }
    if (answer.pieces.isEmpty() && answer.closeAfter)
        socket->disconnectFromHost();
    if (!answer.endless.isEmpty())
        QTimer::singleShot(delay, this, [this, guard, chunk = answer.endless, upTo = answer.endlessUpTo] {
            if (guard)
                stream(guard, chunk, upTo);
        });
}

void ScriptedServer::stream(QTcpSocket *socket, const QByteArray &chunk, qint64 upTo)
{
    // A little ahead of the peer: more goes out as what was written drains.
    auto written = std::make_shared<qint64>(0);
    auto topUp = [this, socket, chunk, upTo, written] {
        while (socket->state() == QAbstractSocket::ConnectedState &&
               socket->bytesToWrite() < 4 * chunk.size()) {
            if (upTo > 0 && *written >= upTo) {
                socket->disconnectFromHost();
                return;
            }
            socket->write(chunk);
            *written += chunk.size();
            m_endlessBytes += chunk.size();
        }
    };
    connect(socket, &QTcpSocket::bytesWritten, this, topUp);
    topUp();
}
