#include "discovery.h"

#include <QHostInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkInterface>

namespace discovery {

const QHostAddress &groupAddress()
{
    static const QHostAddress group(QStringLiteral("239.255.255.250"));
    return group;
}

QByteArray buildFindViewTop(const QString &localIp)
{
    QJsonObject request;
    request.insert(QStringLiteral("Command"), QStringLiteral("FindViewTop"));
    request.insert(QStringLiteral("IpAddr"), localIp);
    return QJsonDocument(request).toJson(QJsonDocument::Indented);
}

std::optional<Answer> parseResponseToFind(const QByteArray &datagram)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(datagram, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    if (object.value(QStringLiteral("Command")).toString() != QLatin1String("ResponseToFind"))
        return std::nullopt;

    Answer answer;
    answer.hostIp = object.value(QStringLiteral("HostIp")).toString();
    answer.hostName = object.value(QStringLiteral("HostName")).toString();
    const int port = object.value(QStringLiteral("HostPort")).toInt();
    answer.port = port == 0 ? 80 : port;
    return answer;
}

QString entryText(const Answer &answer)
{
    return answer.hostIp + QLatin1Char(' ') + QString::number(answer.port) + QLatin1Char(' ') +
           answer.hostName;
}

QString lastIpv4Text(const QList<QHostAddress> &addresses)
{
    QString text;
    for (const QHostAddress &address : addresses) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            text = address.toString();
    }
    return text;
}

QString localIp()
{
    return lastIpv4Text(QHostInfo::fromName(QHostInfo::localHostName()).addresses());
}

QList<QHostAddress> bindCandidates(const QList<QHostAddress> &addresses)
{
    QList<QHostAddress> candidates;
    for (const QHostAddress &address : addresses) {
        if (address.protocol() != QAbstractSocket::IPv4Protocol)
            continue;
        if (address.toString() == QLatin1String("127.0.0.1"))
            continue;
        candidates.append(address);
    }
    return candidates;
}

QList<QHostAddress> localBindCandidates()
{
    return bindCandidates(QNetworkInterface::allAddresses());
}

} // namespace discovery
