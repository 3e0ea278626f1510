#include "netns.h"

#include "net/discovery.h"
#include "platform/platformpaths.h"
#include "testmain.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QProcess>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace netns {

namespace {
const char *const kMarkVariable = "PELMORA_IN_NETNS";
const char *const kSetup = "ip link set lo up && ip route add 224.0.0.0/4 dev lo";

QString &reason()
{
    static QString text;
    return text;
}

void markUnavailable(const QString &why)
{
    reason() = QStringLiteral("no network namespace for the discovery tests: ") + why;
    qputenv(kMarkVariable, "0");
}
} // namespace

void enter()
{
    const QByteArray mark = qgetenv(kMarkVariable);
    if (mark == "1")
        return;
    if (!mark.isEmpty()) {
        markUnavailable(QStringLiteral("%1=%2").arg(QLatin1String(kMarkVariable), QLatin1String(mark)));
        return;
    }

    // Try first, so a missing permission skips the tests instead of failing the executable.
    const int probe =
        QProcess::execute(QStringLiteral("unshare"), {QStringLiteral("--net"), QStringLiteral("sh"),
                                                      QStringLiteral("-c"), QLatin1String(kSetup)});
    if (probe == -2) {
        markUnavailable(QStringLiteral("unshare cannot be started"));
        return;
    }
    if (probe != 0) {
        markUnavailable(QStringLiteral("unshare --net failed (exit %1)").arg(probe));
        return;
    }

    QList<QByteArray> arguments{"unshare",
                                "--net",
                                "sh",
                                "-c",
                                QByteArray(kSetup) + " && exec \"$0\" \"$@\"",
                                QFile::encodeName(QCoreApplication::applicationFilePath())};
    const QStringList own = QCoreApplication::arguments();
    for (int i = 1; i < own.size(); ++i)
        arguments.append(own.at(i).toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    qputenv(kMarkVariable, "1");
    // The process image is replaced: the temporary home of this run would never be removed.
    const QString home = platform::overrideRoot();
    if (!home.isEmpty())
        QDir(home).removeRecursively();
    std::fflush(stdout);
    std::fflush(stderr);
    execvp("unshare", argv.data());

    const int error = errno;
    if (!home.isEmpty())
        QDir().mkpath(home);
    markUnavailable(
        QStringLiteral("cannot run unshare: %1").arg(QString::fromLocal8Bit(std::strerror(error))));
}

bool available()
{
    return qgetenv(kMarkVariable) == "1";
}

QString unavailableReason()
{
    return reason();
}

bool ip(const QStringList &arguments)
{
    return available() && QProcess::execute(QStringLiteral("ip"), arguments) == 0;
}

} // namespace netns

Responder::Responder(QObject *parent) : QObject(parent)
{
    connect(&m_socket, &QUdpSocket::readyRead, this, &Responder::readAll);
}

bool Responder::open()
{
    if (!m_socket.bind(QHostAddress::AnyIPv4, discovery::kPort,
                       QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint))
        return false;
    const QNetworkInterface loopback = QNetworkInterface::interfaceFromName(QStringLiteral("lo"));
    if (!m_socket.joinMulticastGroup(discovery::groupAddress(), loopback))
        return false;
    m_socket.setMulticastInterface(loopback);
    m_socket.setSocketOption(QAbstractSocket::MulticastLoopbackOption, 1);
    return true;
}

void Responder::send(const QByteArray &datagram)
{
    m_socket.writeDatagram(datagram, discovery::groupAddress(), discovery::kPort);
}

bool Responder::sync()
{
    QJsonObject marker;
    marker.insert(QStringLiteral("Command"), QStringLiteral("TestMarker"));
    marker.insert(QStringLiteral("Id"), ++m_markers);
    const QByteArray datagram = QJsonDocument(marker).toJson(QJsonDocument::Compact);
    send(datagram);
    return pelmora::test::waitFor([&] { return m_received.contains(datagram); });
}

QList<QByteArray> Responder::received(const QString &command) const
{
    QList<QByteArray> matching;
    for (const QByteArray &datagram : m_received) {
        if (QJsonDocument::fromJson(datagram).object().value(QStringLiteral("Command")).toString() == command)
            matching.append(datagram);
    }
    return matching;
}

void Responder::readAll()
{
    while (m_socket.hasPendingDatagrams())
        m_received.append(m_socket.receiveDatagram().data());
}
