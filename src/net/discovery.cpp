#include "discovery.h"

#include <QHostInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUdpSocket>

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

namespace {
// A host address as a single word of sensible length: the list entry starts with it and a
// click takes the entry's text up to the first space.
bool usableHostIp(const QString &text)
{
    if (text.isEmpty() || text.size() > kMaxHostIpLength)
        return false;
    for (const QChar c : text) {
        if (c.isSpace() || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

// The name as one line of at most kMaxHostNameLength characters.
QString displayedName(QString name)
{
    for (QChar &c : name) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    }
    name.truncate(kMaxHostNameLength);
    return name;
}
} // namespace

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
    if (!usableHostIp(answer.hostIp))
        return std::nullopt;
    answer.hostName = displayedName(object.value(QStringLiteral("HostName")).toString());
    const QJsonValue port = object.value(QStringLiteral("HostPort"));
    if (port.isDouble()) {
        const double number = port.toDouble();
        if (!(number >= 0 && number <= 65535) || number != double(int(number)))
            return std::nullopt;
        answer.port = int(number) == 0 ? 80 : int(number);
    }
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

QString announcedAddress(const QList<QHostAddress> &resolved, const QList<QHostAddress> &local)
{
    const auto usable = [](const QHostAddress &address) {
        return address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback();
    };
    for (auto it = resolved.crbegin(); it != resolved.crend(); ++it) {
        if (usable(*it))
            return it->toString();
    }
    for (const QHostAddress &address : local) {
        if (usable(address))
            return address.toString();
    }
    return lastIpv4Text(resolved);
}

HostNameLookup *HostNameLookup::start()
{
    auto *lookup = new HostNameLookup;
    QHostInfo::lookupHost(QHostInfo::localHostName(), lookup, &HostNameLookup::resolved);
    return lookup;
}

void HostNameLookup::resolved(const QHostInfo &info)
{
    emit finished(info.addresses());
    deleteLater();
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

QNetworkInterface interfaceWithAddress(const QHostAddress &address)
{
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &nic : interfaces) {
        const QList<QNetworkAddressEntry> entries = nic.addressEntries();
        for (const QNetworkAddressEntry &entry : entries) {
            if (entry.ip().isEqual(address))
                return nic;
        }
    }
    return {};
}

SearchRoute searchRoute(const QHostAddress &chosen, const QList<QHostAddress> &candidates)
{
    SearchRoute route;
#ifdef Q_OS_WIN
    Q_UNUSED(candidates)
    if (!chosen.isNull())
        route.bindAddress = chosen;
#else
    if (!chosen.isNull())
        route.multicastInterface = interfaceWithAddress(chosen);
    else if (candidates.size() == 1)
        route.multicastInterface = interfaceWithAddress(candidates.first());
#endif
    return route;
}

bool openSearchSocket(QUdpSocket &socket, const SearchRoute &route, bool *joined)
{
    *joined = false;
    if (!socket.bind(route.bindAddress, kPort, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint))
        return false;
    if (route.multicastInterface.isValid()) {
        *joined = socket.joinMulticastGroup(groupAddress(), route.multicastInterface);
        socket.setMulticastInterface(route.multicastInterface);
    } else {
        *joined = socket.joinMulticastGroup(groupAddress());
    }
    socket.setSocketOption(QAbstractSocket::MulticastLoopbackOption, 0);
    return true;
}

} // namespace discovery
