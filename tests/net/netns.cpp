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
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <unistd.h>
#include <vector>

namespace netns {

namespace {
const char *const kMarkVariable = "PELMORA_IN_NETNS";
const char *const kOwnResolverVariable = "PELMORA_OWN_RESOLVER";
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

Peer::~Peer()
{
    // Deleting one end removes the pair at once; the namespace itself goes away in the
    // background once nothing holds it.
    if (!m_localName.isEmpty())
        netns::ip({QStringLiteral("link"), QStringLiteral("del"), m_localName});
    if (m_namespace >= 0)
        ::close(m_namespace);
    if (m_holder.state() != QProcess::NotRunning) {
        m_holder.closeWriteChannel();
        if (!m_holder.waitForFinished(5000)) {
            m_holder.kill();
            m_holder.waitForFinished(5000);
        }
    }
}

bool Peer::fail(const QString &why)
{
    m_error = why;
    return false;
}

bool Peer::open(const QString &localName, const QString &localAddress, const QString &peerName,
                const QString &peerAddress)
{
    if (!available())
        return fail(reason());
    // The holder keeps the namespace until its input is closed.
    m_holder.start(QStringLiteral("unshare"),
                   {QStringLiteral("--net"), QStringLiteral("sh"), QStringLiteral("-c"),
                    QStringLiteral("ip link set lo up && echo ready && read line")});
    if (!m_holder.waitForStarted(5000))
        return fail(QStringLiteral("unshare cannot be started"));
    while (!m_holder.canReadLine()) {
        if (!m_holder.waitForReadyRead(5000))
            return fail(QStringLiteral("the peer namespace does not come up: ") +
                        QString::fromLocal8Bit(m_holder.readAllStandardError()));
    }
    const QString pid = QString::number(m_holder.processId());
    m_namespace = ::open(QFile::encodeName(QStringLiteral("/proc/%1/ns/net").arg(pid)).constData(),
                         O_RDONLY | O_CLOEXEC);
    if (m_namespace < 0)
        return fail(QStringLiteral("cannot open the peer namespace"));

    if (!netns::ip({QStringLiteral("link"), QStringLiteral("add"), localName, QStringLiteral("type"),
                    QStringLiteral("veth"), QStringLiteral("peer"), QStringLiteral("name"), peerName,
                    QStringLiteral("netns"), pid}))
        return fail(QStringLiteral("cannot make a veth pair"));
    m_localName = localName;
    if (!netns::ip({QStringLiteral("addr"), QStringLiteral("add"), localAddress, QStringLiteral("dev"),
                    localName}) ||
        !netns::ip({QStringLiteral("link"), QStringLiteral("set"), localName, QStringLiteral("up")}) ||
        !ip({QStringLiteral("addr"), QStringLiteral("add"), peerAddress, QStringLiteral("dev"), peerName}) ||
        !ip({QStringLiteral("link"), QStringLiteral("set"), peerName, QStringLiteral("up")}))
        return fail(QStringLiteral("cannot set up the veth pair"));
    // A veth end passes frames only once the kernel has seen its carrier and given it a queue,
    // which happens in the background a moment after "up" (later on a busy machine); a search
    // sent before that would vanish. Both ends report it as their state.
    const auto operational = [](const QString &name) {
        QProcess show;
        show.start(QStringLiteral("ip"), {QStringLiteral("-o"), QStringLiteral("link"),
                                          QStringLiteral("show"), QStringLiteral("dev"), name});
        return show.waitForFinished(5000) && show.exitCode() == 0 && show.readAll().contains(" state UP ");
    };
    if (!pelmora::test::waitFor([&] { return operational(localName); }, 10000) ||
        !inside([&] { return pelmora::test::waitFor([&] { return operational(peerName); }, 10000); }))
        return fail(QStringLiteral("the veth pair does not come up"));
    return true;
}

bool Peer::inside(const std::function<bool()> &work)
{
    if (m_namespace < 0)
        return false;
    const int own = ::open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC);
    if (own < 0)
        return false;
    if (setns(m_namespace, CLONE_NEWNET) != 0) {
        ::close(own);
        return false;
    }
    const bool result = work();
    // Without the way back every later socket of this thread would be made over there.
    if (setns(own, CLONE_NEWNET) != 0)
        qFatal("cannot return from the peer network namespace");
    ::close(own);
    return result;
}

bool Peer::ip(const QStringList &arguments)
{
    // A child started from a thread inside the peer's network runs there too.
    return inside([&] { return QProcess::execute(QStringLiteral("ip"), arguments) == 0; });
}

namespace {
// Runs `testFunction` of this executable again in fresh network, mount and host name
// namespaces, with the host name "pelmora-console", the given resolver configuration and
// hosts file, and names looked up with `sources` only ("files", "files dns").
bool runWithResolver(const char *testFunction, const QByteArray &resolvConf, const QByteArray &hosts,
                     const QString &sources, QByteArray *output)
{
    QTemporaryDir files;
    if (!files.isValid())
        return false;
    const auto write = [&](const char *name, const QByteArray &text) {
        QFile file(files.filePath(QLatin1String(name)));
        return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
    };
    if (!write("resolv.conf", resolvConf) || !write("hosts", hosts))
        return false;

    const QString setup =
        QLatin1String(kSetup) +
        QStringLiteral(" && F=\"$PELMORA_RESOLVER_FILES\""
                       " && sed 's/^hosts:.*/hosts: %1/' /etc/nsswitch.conf >\"$F/nsswitch\""
                       " && mount --bind \"$F/nsswitch\" /etc/nsswitch.conf"
                       " && mount --bind \"$F/resolv.conf\" /etc/resolv.conf"
                       " && mount --bind \"$F/hosts\" /etc/hosts"
                       " && hostname pelmora-console && exec \"$0\" \"$@\"")
            .arg(sources);
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(kOwnResolverVariable), QStringLiteral("1"));
    environment.insert(QLatin1String(kMarkVariable), QStringLiteral("1"));
    environment.insert(QStringLiteral("PELMORA_RESOLVER_FILES"), files.path());
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QStringLiteral("unshare"),
                {QStringLiteral("--net"), QStringLiteral("--mount"), QStringLiteral("--uts"),
                 QStringLiteral("sh"), QStringLiteral("-c"), setup, QCoreApplication::applicationFilePath(),
                 QLatin1String(testFunction)});
    const bool finished = child.waitForFinished(60000);
    *output = child.readAll();
    return finished && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
}
} // namespace

bool runWithSilentResolver(const char *testFunction, const QString &nameserver, int timeoutSeconds,
                           QByteArray *output)
{
    // Files and the DNS are asked, nothing that knows the host name by itself.
    return runWithResolver(testFunction,
                           QStringLiteral("nameserver %1\noptions timeout:%2 attempts:1\n")
                               .arg(nameserver)
                               .arg(timeoutSeconds)
                               .toLatin1(),
                           "127.0.0.1 localhost\n", QStringLiteral("files dns"), output);
}

bool runWithHostsFile(const char *testFunction, const QByteArray &hosts, QByteArray *output)
{
    return runWithResolver(testFunction, "nameserver 127.0.0.1\noptions timeout:1 attempts:1\n",
                           "127.0.0.1 localhost\n" + hosts, QStringLiteral("files"), output);
}

bool ownResolverRun()
{
    return qEnvironmentVariableIsSet(kOwnResolverVariable);
}

} // namespace netns

Responder::Responder(QObject *parent) : QObject(parent)
{
    connect(&m_socket, &QUdpSocket::readyRead, this, &Responder::readAll);
}

bool Responder::open(const QString &interfaceName)
{
    if (!m_socket.bind(QHostAddress::AnyIPv4, discovery::kPort,
                       QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint))
        return false;
    const QNetworkInterface nic = QNetworkInterface::interfaceFromName(interfaceName);
    if (!m_socket.joinMulticastGroup(discovery::groupAddress(), nic))
        return false;
    m_socket.setMulticastInterface(nic);
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
