// A download whose local file cannot be written fails and leaves what was there before.
#include "net/sessionvalues.h"
#include "net/transport.h"
#include "scriptedserver.h"
#include "testmain.h"
#include "uikit/dialogs.h"

#include <QDir>
#include <QFile>
#include <QNetworkAccessManager>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

namespace {
// Limits the size of the files this process writes while it lives: a write past the limit
// fails as on a full disk (EFBIG; the signal that would end the process is ignored).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_ok = getrlimit(RLIMIT_FSIZE, &m_previous) == 0;
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        m_ok = m_ok && setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_handler);
    }
    bool ok() const { return m_ok; }

private:
    rlimit m_previous{};
    void (*m_handler)(int) = nullptr;
    bool m_ok = false;
};
} // namespace

class TestDownload : public QObject
{
    Q_OBJECT

private slots:
    void fileThatCannotBeWrittenKeepsTheOldOne()
    {
        uikit::Dialogs::reset();
        QNetworkAccessManager manager;
        SessionValues session;
        Transport transport(&manager, &session, uikit::Dialogs::sink());
        ScriptedServer server;
        QVERIFY(server.start());
        session.hostIp = QStringLiteral("127.0.0.1");
        session.port = server.port();
        const QByteArray body(256 * 1024, 'S');
        server.setAnswer(
            ScriptedServer::whole(ScriptedServer::httpResponse(body, 200, "application/octet-stream")));

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("scene.mvc"));
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("OLD");
        }

        Transport::Result result;
        {
            // The whole body arrives; only 4 KiB of it fit on the "disk".
            FileSizeLimit full(4096);
            QVERIFY(full.ok());
            result = transport.download(QStringLiteral("/Modals/Group1/scene.mvc"), path);
        }
        QCOMPARE(result.outcome, Transport::Outcome::WriteFailed);
        QFile kept(path);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("OLD"));
        // Nothing half-written is left beside it either.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("scene.mvc")});
        QVERIFY(uikit::Dialogs::shownBoxes().isEmpty());

        // The same download with room for it replaces the file.
        QVERIFY(transport.downloadToFile(QStringLiteral("/Modals/Group1/scene.mvc"), path));
        kept.close();
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), body);
    }
};

PELMORA_TEST_MAIN(TestDownload)
#include "test_download.moc"
