#pragma once

#include "net/transport.h"

#include <QByteArray>
#include <QJsonObject>

#include <cstddef>
#include <cstdint>

// Helpers of the libFuzzer targets: one fuzz input is one reply body (or one datagram, one
// request) exactly as it would arrive.
namespace fuzz {

inline QByteArray bytesOf(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), int(size));
}

// The input as the body of a controller reply, read the way the transport reads every reply.
inline QJsonObject replyOf(const uint8_t *data, size_t size)
{
    return Transport::parseObject(bytesOf(data, size));
}

} // namespace fuzz
