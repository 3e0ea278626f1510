#pragma once

#include <QByteArray>
#include <QString>

// A minimal blocking HTTP/1.1 client on a POSIX socket, for reference figures only: one
// keep-alive connection with TCP_NODELAY, one request in flight, each request written with
// a single writev (headers and body together), each reply read whole by its Content-Length.
class RawClient
{
public:
    RawClient() = default;
    ~RawClient();
    RawClient(const RawClient &) = delete;
    RawClient &operator=(const RawClient &) = delete;

    bool connectTo(int port);
    // POSTs `body` to `path` (already percent-encoded) with the chunk headers of an upload.
    // Returns the HTTP status, or -1 when the connection failed.
    int postChunk(const QByteArray &path, const QByteArray &sessionId, qint64 offset, const char *body,
                  qint64 length);
    // POSTs a command body to "/index2.html" with the console's headers; the HTTP status.
    int postCommand(const QByteArray &sessionId, const QByteArray &body);

private:
    // `headers`: the lines between the request line and Content-Length, each ending in CRLF.
    int post(const QByteArray &path, const QByteArray &headers, const char *body, qint64 length);
    bool readReply(int *status);

    int m_fd = -1;
    int m_port = 0;
    QByteArray m_buffer;
};
