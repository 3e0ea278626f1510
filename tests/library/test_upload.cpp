// The chunked upload against the controller simulator: chunk boundaries, headers, names
// that need escaping, and every way an upload can fail, with the upload flag and the
// progress display cleared each time.
#include "library/uploader.h"
#include "net/loginsession.h"
#include "simsession.h"
#include "testmain.h"
#include "uploadfiles.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>

using library::ChunkUploader;
using pelmora::test::SimSession;
using pelmora::test::UploadFiles;
using uikit::BoxType;
using uikit::Dialogs;

Q_DECLARE_METATYPE(ChunkUploader::Result)

namespace {
QByteArray pattern(qint64 size)
{
    return UploadFiles::content(size);
}
} // namespace

class TestUpload : public QObject
{
    Q_OBJECT

    std::unique_ptr<SimSession> sim;
    std::unique_ptr<ChunkUploader> uploader;
    UploadFiles files;
    QList<int> progress;
    QList<bool> shown;
    QList<bool> uploadingDuringProgress;

    QString writeFile(const QString &name, const QByteArray &content) { return files.write(name, content); }

    // The flag and the display are back to rest after any upload.
    void verifyCleared()
    {
        QVERIFY(!sim->session.uploading);
        QVERIFY(!shown.isEmpty());
        QCOMPARE(shown.first(), true);
        QCOMPARE(shown.last(), false);
        QCOMPARE(shown.count(true), 1);
        QCOMPARE(shown.count(false), 1);
    }

private slots:
    void init()
    {
        Dialogs::reset();
        sim = std::make_unique<SimSession>();
        QVERIFY(sim->start());
        uploader = std::make_unique<ChunkUploader>(&sim->manager, sim->transport.get());
        progress.clear();
        shown.clear();
        uploadingDuringProgress.clear();
        QObject::connect(uploader.get(), &ChunkUploader::progress, [this](int percent) {
            progress.append(percent);
            uploadingDuringProgress.append(sim->session.uploading);
        });
        QObject::connect(uploader.get(), &ChunkUploader::progressShown,
                         [this](bool on) { shown.append(on); });
    }

    void cleanup()
    {
        uploader.reset();
        sim.reset();
    }

    void limitFollowsTheTransport()
    {
        QCOMPARE(uploader->chunkTimeoutMs(), 10000);
        sim->transport->setTimeoutMs(1234);
        QCOMPARE(uploader->chunkTimeoutMs(), 1234);
        uploader->setChunkTimeoutMs(50);
        QCOMPARE(uploader->chunkTimeoutMs(), 50);
    }

    // Chunks of 1024000 bytes (not 1 MiB), one after another, each with its own offset.
    void chunkBoundaries_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QList<qint64>>("offsets");
        QTest::addColumn<QList<qint64>>("lengths");
        QTest::addColumn<QList<int>>("percents");
        QTest::newRow("small") << qint64(10) << QList<qint64>{0} << QList<qint64>{10}
                               << QList<int>{0, 100, 100};
        QTest::newRow("exactly one chunk")
            << qint64(1024000) << QList<qint64>{0} << QList<qint64>{1024000} << QList<int>{0, 100, 100};
        QTest::newRow("one byte more") << qint64(1024001) << QList<qint64>{0, 1024000}
                                       << QList<qint64>{1024000, 1} << QList<int>{0, 99, 100, 100};
        QTest::newRow("two and a half")
            << qint64(2560000) << QList<qint64>{0, 1024000, 2048000}
            << QList<qint64>{1024000, 1024000, 512000} << QList<int>{0, 40, 80, 100, 100};
    }

    void chunkBoundaries()
    {
        QFETCH(qint64, size);
        QFETCH(QList<qint64>, offsets);
        QFETCH(QList<qint64>, lengths);
        QFETCH(QList<int>, percents);

        const QByteArray content = pattern(size);
        const QString local = writeFile(QStringLiteral("clip.mp4"), content);
        const QString remote = QStringLiteral("/videos/clip.mp4");
        QVERIFY(uploader->uploadFile(remote, local));
        QCOMPARE(uploader->lastResult(), ChunkUploader::Result::Ok);
        verifyCleared();
        QCOMPARE(progress, percents);
        QVERIFY(!uploadingDuringProgress.contains(false));

        const QList<sim::RecordedRequest> chunks = sim->simulator.requests(remote);
        QCOMPARE(chunks.size(), offsets.size());
        for (int i = 0; i < chunks.size(); ++i) {
            const sim::RecordedRequest &chunk = chunks.at(i);
            QCOMPARE(chunk.method, QStringLiteral("POST"));
            QCOMPARE(chunk.header("offset"), QByteArray::number(offsets.at(i)));
            QCOMPARE(chunk.header("curLength"), QByteArray::number(lengths.at(i)));
            QCOMPARE(chunk.bodySize, lengths.at(i));
            QCOMPARE(chunk.header("content-type"), QByteArray("application/octet-stream"));
            QCOMPARE(chunk.header("session_id"), sim->session.sessionId.toLatin1());
        }
        QCOMPARE(sim->simulator.storedFile(remote), content);
    }

    // Names with "#", "?", "%" and spaces travel whole: stored and served under the same name.
    void nameWithHashRoundTrip()
    {
        const QByteArray content = pattern(5000);
        const QString local = writeFile(QStringLiteral("a #1 b.jpg"), content);
        const QString remote = QStringLiteral("/pictures/a #1 b?x%20.jpg");
        QVERIFY(uploader->uploadFile(remote, local));
        QCOMPARE(sim->simulator.requests(remote).size(), 1);
        QCOMPARE(sim->simulator.storedFile(remote), content);
        QVERIFY(sim->simulator.storedFile(QStringLiteral("/pictures/a ")).isEmpty());

        QByteArray served;
        QVERIFY(sim->transport->fetchPath(remote, &served));
        QCOMPARE(served, content);
    }

    void emptyFileSendsNothing()
    {
        const QString local = writeFile(QStringLiteral("empty.mp4"), QByteArray());
        QVERIFY(!uploader->uploadFile(QStringLiteral("/videos/empty.mp4"), local));
        QCOMPARE(uploader->lastResult(), ChunkUploader::Result::EmptyFile);
        verifyCleared();
        QVERIFY(sim->simulator.requests(QStringLiteral("/videos/empty.mp4")).isEmpty());
        QVERIFY(Dialogs::shownBoxes().isEmpty());
    }

    // A file that cannot be opened shows the platform's reason and fails.
    void unreadableFile_data()
    {
        QTest::addColumn<QString>("local");
        QTest::newRow("missing") << files.missing(QStringLiteral("missing.mp4"));
        QTest::newRow("directory") << files.folder();
    }

    void unreadableFile()
    {
        QFETCH(QString, local);
        QFile probe(local);
        QVERIFY(!probe.open(QIODevice::ReadOnly));
        QVERIFY(!probe.errorString().isEmpty());

        QVERIFY(!uploader->uploadFile(QStringLiteral("/videos/x.mp4"), local));
        QCOMPARE(uploader->lastResult(), ChunkUploader::Result::OpenFailed);
        verifyCleared();
        const QList<uikit::ShownBox> boxes = Dialogs::shownBoxes();
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.first().type, BoxType::Info);
        QCOMPARE(boxes.first().text, probe.errorString());
        QVERIFY(sim->simulator.requests(QStringLiteral("/videos/x.mp4")).isEmpty());
    }

    // A chunk answered with an HTTP error ends the upload: no chunk after it is sent.
    void failedChunkStopsTheUpload()
    {
        sim->simulator.failUploadChunk(1); // 0-based: the second chunk
        const QString local = writeFile(QStringLiteral("big.mp4"), pattern(3 * ChunkUploader::kChunkSize));
        const QString remote = QStringLiteral("/videos/big.mp4");
        QVERIFY(!uploader->uploadFile(remote, local));
        QCOMPARE(uploader->lastResult(), ChunkUploader::Result::ChunkFailed);
        verifyCleared();
        const QList<sim::RecordedRequest> chunks = sim->simulator.requests(remote);
        QCOMPARE(chunks.size(), 2);
        QCOMPARE(chunks.at(1).header("offset"), QByteArray::number(ChunkUploader::kChunkSize));
        QCOMPARE(progress, (QList<int>{0, 33}));
    }

    void silentControllerTimesOut()
    {
        sim::Fault fault;
        fault.kind = sim::Fault::NoReply;
        fault.remaining = 1;
        const QString remote = QStringLiteral("/videos/slow.mp4");
        sim->simulator.setFault(remote, fault);
        uploader->setChunkTimeoutMs(300);
        const QString local = writeFile(QStringLiteral("slow.mp4"), pattern(ChunkUploader::kChunkSize + 5));
        QVERIFY(!uploader->uploadFile(remote, local));
        QCOMPARE(uploader->lastResult(), ChunkUploader::Result::TimedOut);
        verifyCleared();
        QCOMPARE(sim->simulator.requests(remote).size(), 1);
    }

    // The connection poll waits while a file goes up: ticks during the upload send nothing and
    // count nothing, so a long upload cannot end the session; the first tick after it polls.
    void pollsPauseDuringAnUpload()
    {
        UpdateTicker ticker(sim->transport.get(), &sim->session);
        ticker.setIntervalMs(24 * 3600 * 1000); // ticks by hand only
        QSignalSpy lost(&ticker, &UpdateTicker::connectionLost);
        const QString remote = QStringLiteral("/videos/long.mp4");
        pelmora::test::holdRequests(sim->simulator, remote, 1); // the first chunk waits
        bool uploading = false;
        pelmora::test::onceReceived(this, sim->simulator, remote, [&] {
            uploading = sim->session.uploading;
            for (int i = 0; i < 12; ++i)
                ticker.tick();
            sim->simulator.advanceClock(pelmora::test::kHeldMs);
        });
        const QString local = files.sized(QStringLiteral("long.mp4"), ChunkUploader::kChunkSize + 10);
        QVERIFY(uploader->uploadFile(remote, local));
        QVERIFY(uploading);
        QCOMPARE(sim->simulator.requests(remote).size(), 2);
        QVERIFY(sim->simulator.requests(QStringLiteral("GetCpuUsage")).isEmpty());
        QCOMPARE(sim->session.missedReplies, 0);
        QCOMPARE(lost.size(), 0);

        ticker.tick();
        QCOMPARE(sim->session.missedReplies, 1);
        QVERIFY(pelmora::test::waitFor(
            [&] { return !sim->simulator.requests(QStringLiteral("GetCpuUsage")).isEmpty(); }, 10000));
    }

    void refusedConnectionFails()
    {
        const QString local = writeFile(QStringLiteral("x.jpg"), pattern(100));
        sim->simulator.stop();
        QVERIFY(!uploader->uploadFile(QStringLiteral("/pictures/x.jpg"), local));
        QCOMPARE(uploader->lastResult(), ChunkUploader::Result::ChunkFailed);
        verifyCleared();
    }
};

PELMORA_TEST_MAIN(TestUpload)
#include "test_upload.moc"
