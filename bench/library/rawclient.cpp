#include "rawclient.h"

#include <QList>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>

RawClient::~RawClient()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool RawClient::connectTo(int port)
{
    m_port = port;
    m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (m_fd < 0)
        return false;
    const int one = 1;
    ::setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof(one));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(quint16(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return ::connect(m_fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0;
}

int RawClient::postChunk(const QByteArray &path, const QByteArray &sessionId, qint64 offset, const char *body,
                         qint64 length)
{
    return post(path,
                "session_id: " + sessionId + "\r\noffset: " + QByteArray::number(offset) + "\r\ncurLength: " +
                    QByteArray::number(length) + "\r\nContent-Type: application/octet-stream\r\n",
                body, length);
}

int RawClient::postCommand(const QByteArray &sessionId, const QByteArray &body)
{
    return post("/index2.html",
                "session_id: " + sessionId + "\r\nContent-Type: text/plain; charset=utf-8;\r\n",
                body.constData(), body.size());
}

int RawClient::post(const QByteArray &path, const QByteArray &headers, const char *body, qint64 length)
{
    const QByteArray header = "POST " + path + " HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(m_port) +
                              "\r\nConnection: keep-alive\r\n" + headers +
                              "Content-Length: " + QByteArray::number(length) + "\r\n\r\n";
    iovec parts[2] = {{const_cast<char *>(header.constData()), size_t(header.size())},
                      {const_cast<char *>(body), size_t(length)}};
    int index = 0;
    while (index < 2) {
        const ssize_t written = ::writev(m_fd, parts + index, 2 - index);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        size_t left = size_t(written);
        while (index < 2 && left >= parts[index].iov_len) {
            left -= parts[index].iov_len;
            ++index;
        }
        if (index < 2) {
            parts[index].iov_base = static_cast<char *>(parts[index].iov_base) + left;
            parts[index].iov_len -= left;
        }
    }
    int status = -1;
    return readReply(&status) ? status : -1;
}

bool RawClient::readReply(int *status)
{
    char chunk[65536];
    int headerEnd = -1;
    while ((headerEnd = m_buffer.indexOf("\r\n\r\n")) < 0) {
        const ssize_t got = ::read(m_fd, chunk, sizeof(chunk));
        if (got <= 0)
            return false;
        m_buffer.append(chunk, int(got));
    }
    const QByteArray head = m_buffer.left(headerEnd);
    *status = head.mid(9, 3).toInt();
    qint64 contentLength = 0;
    for (const QByteArray &line : head.split('\n')) {
        if (line.toLower().startsWith("content-length:"))
            contentLength = line.mid(15).trimmed().toLongLong();
    }
    const qint64 total = headerEnd + 4 + contentLength;
    while (m_buffer.size() < total) {
        const ssize_t got = ::read(m_fd, chunk, sizeof(chunk));
        if (got <= 0)
            return false;
        m_buffer.append(chunk, int(got));
    }
    m_buffer.remove(0, int(total));
    return true;
}
