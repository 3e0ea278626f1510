// Chunked uploads and the resources registered from them.
#include "sim/simulator.h"
#include "simclient.h"
#include "testmain.h"
#include "uploadfiles.h"

#include <QBuffer>
#include <QImage>
#include <QJsonArray>

#include <memory>

using pelmora::test::UploadFiles;

namespace {

constexpr int kChunk = 1024000; // the console's chunk size

} // namespace

class TestSimUploads : public simtest::Suite
{
    Q_OBJECT

private:
    // Sends `data` as the console does: chunks of 1024000 bytes, one after another.
    QList<simtest::Result> uploadLikeTheConsole(const QString &path, const QByteArray &data)
    {
        QList<simtest::Result> results;
        for (qint64 offset = 0; offset < data.size(); offset += kChunk)
            results.append(client().upload(path, offset, data.mid(int(offset), kChunk)));
        return results;
    }

private slots:

    void assemblesChunks_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QList<qint64>>("offsets");
        QTest::addColumn<QList<qint64>>("lengths");
        QTest::newRow("small") << 10 << QList<qint64>{0} << QList<qint64>{10};
        QTest::newRow("one chunk exactly") << kChunk << QList<qint64>{0} << QList<qint64>{kChunk};
        QTest::newRow("one byte more") << kChunk + 1 << QList<qint64>{0, kChunk} << QList<qint64>{kChunk, 1};
        QTest::newRow("three chunks")
            << 2 * kChunk + 5 << QList<qint64>{0, kChunk, 2 * kChunk} << QList<qint64>{kChunk, kChunk, 5};
    }

    void assemblesChunks()
    {
        QFETCH(int, size);
        QFETCH(QList<qint64>, offsets);
        QFETCH(QList<qint64>, lengths);
        const QByteArray data = UploadFiles::content(size);
        const QString path = "/videos/clip #1 of 2.mp4";
        m_sim->clearRequests();
        for (const simtest::Result &r : uploadLikeTheConsole(path, data)) {
            QCOMPARE(r.status, 200);
            QVERIFY(r.isOk());
        }
        QCOMPARE(m_sim->storedFile(path), data);
        const QList<sim::RecordedRequest> chunks = m_sim->requests(path);
        QCOMPARE(chunks.size(), offsets.size());
        for (int i = 0; i < chunks.size(); ++i) {
            QCOMPARE(chunks.at(i).method, QString("POST"));
            QCOMPARE(chunks.at(i).header("offset").toLongLong(), offsets.at(i));
            QCOMPARE(chunks.at(i).header("curLength").toLongLong(), lengths.at(i));
            QCOMPARE(chunks.at(i).bodySize, lengths.at(i));
        }
    }

    void gapIsRefused()
    {
        const QByteArray data = UploadFiles::content(2 * kChunk);
        QVERIFY(client().upload("/videos/gap.mp4", 0, data.left(kChunk)).isOk());
        const simtest::Result skipped = client().upload("/videos/gap.mp4", 2 * kChunk, data.left(10));
        QCOMPARE(skipped.status, 409);
        QVERIFY(skipped.message().contains("gap"));
        const simtest::Result fresh = client().upload("/videos/never.mp4", 5, "abc");
        QCOMPARE(fresh.status, 409);
        QCOMPARE(m_sim->storedFile("/videos/gap.mp4"), data.left(kChunk));
        QVERIFY(m_sim->storedFile("/videos/never.mp4").isEmpty());
    }

    void repeatedChunkIsIdempotent()
    {
        const QByteArray data = UploadFiles::content(kChunk + 300);
        const QString path = "/office/Plan.pptx";
        QVERIFY(client().upload(path, 0, data.left(kChunk)).isOk());
        QVERIFY(client().upload(path, 0, data.left(kChunk)).isOk());
        QVERIFY(client().upload(path, kChunk, data.mid(kChunk)).isOk());
        QVERIFY(client().upload(path, kChunk, data.mid(kChunk)).isOk());
        QCOMPARE(m_sim->storedFile(path), data);
        // A repeated first chunk after the whole file keeps it whole.
        QVERIFY(client().upload(path, 0, data.left(kChunk)).isOk());
        QCOMPARE(m_sim->storedFile(path), data);
        // A different file under the same path replaces it.
        QVERIFY(client().upload(path, 0, "new").isOk());
        QCOMPARE(m_sim->storedFile(path), QByteArray("new"));
    }

    void badChunkHeaders_data()
    {
        QTest::addColumn<QList<QByteArray>>("headers"); // offset, curLength; null = not sent
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("message");
        QTest::newRow("no headers") << QList<QByteArray>{QByteArray(), QByteArray()} << QByteArray("abc")
                                    << "offset and curLength";
        QTest::newRow("no length") << QList<QByteArray>{"0", QByteArray()} << QByteArray("abc")
                                   << "offset and curLength";
        QTest::newRow("offset not a number")
            << QList<QByteArray>{"zero", "3"} << QByteArray("abc") << "offset";
        QTest::newRow("negative offset") << QList<QByteArray>{"-3", "3"} << QByteArray("abc") << "offset";
        QTest::newRow("length not a number")
            << QList<QByteArray>{"0", "3x"} << QByteArray("abc") << "curLength";
        QTest::newRow("length differs")
            << QList<QByteArray>{"0", "4"} << QByteArray("abc") << "curLength says 4";
    }

    void badChunkHeaders()
    {
        QFETCH(QList<QByteArray>, headers);
        QFETCH(QByteArray, body);
        QFETCH(QString, message);
        QList<QPair<QByteArray, QByteArray>> raw;
        if (!headers.at(0).isNull())
            raw.append({"offset", headers.at(0)});
        if (!headers.at(1).isNull())
            raw.append({"curLength", headers.at(1)});
        const simtest::Result r = client().request("POST", "/pictures/bad.jpg", raw, body);
        QCOMPARE(r.status, 400);
        QVERIFY2(r.message().contains(message), qPrintable(r.message()));
        QVERIFY(m_sim->storedFile("/pictures/bad.jpg").isEmpty());
    }

    void failedChunkAnswersAnHttpError()
    {
        const QByteArray data = UploadFiles::content(3 * kChunk);
        m_sim->failUploadChunk(1, 503);
        const QList<simtest::Result> results = uploadLikeTheConsole("/videos/big.mkv", data);
        QCOMPARE(results.at(0).status, 200);
        QCOMPARE(results.at(1).status, 503);
        QCOMPARE(results.at(2).status, 409); // the console goes on; the file now has a gap
        QCOMPARE(m_sim->storedFile("/videos/big.mkv"), data.left(kChunk));
        m_sim->clearFaults();
        QVERIFY(client().upload("/videos/big.mkv", kChunk, data.mid(kChunk, kChunk)).isOk());
    }

    void addResourceRegistersTheUpload()
    {
        const QString name = QString::fromUtf8("展厅 #2 overview.mp4");
        const simtest::Result early = client().post({{"Command", "AddResource"},
                                                     {"ResType", "Video"},
                                                     {"ResName", name},
                                                     {"ResPath", "C:\\media\\" + name}});
        QVERIFY(!early.isOk());
        QVERIFY2(early.message().contains("/videos/" + name), qPrintable(early.message()));

        for (const simtest::Result &r :
             uploadLikeTheConsole("/videos/" + name, UploadFiles::content(kChunk + 1)))
            QVERIFY(r.isOk());
        QVERIFY(client()
                    .post({{"Command", "AddResource"},
                           {"ResType", "Video"},
                           {"ResName", name},
                           {"ResPath", "C:\\media\\" + name}})
                    .isOk());
        const QJsonArray videos = client().get("GetVideoList").json().value("VideoList").toArray();
        QCOMPARE(videos.last().toObject().value("Name").toString(), name);
        QCOMPARE(videos.last().toObject().value("Path").toString(), "/videos/" + name);
        QCOMPARE(client().getPath("/snapshot/" + name).status, 200);

        QVERIFY(client().post({{"Command", "DelResource"}, {"ResName", name}, {"ResType", "Video"}}).isOk());
        QVERIFY(m_sim->storedFile("/videos/" + name).isEmpty());
        QCOMPARE(client().getPath("/snapshot/" + name).status, 404);
        const simtest::Result again =
            client().post({{"Command", "DelResource"}, {"ResName", name}, {"ResType", "Video"}});
        QVERIFY(again.message().contains("No Video resource named"));
    }

    void uploadedPictureIsItsOwnThumbnail()
    {
        QImage img(640, 480, QImage::Format_RGB32);
        img.fill(QColor(250, 10, 10));
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        img.save(&buffer, "PNG");
        QVERIFY(client().upload("/pictures/red.png", 0, png).isOk());
        QVERIFY(client()
                    .post({{"Command", "AddResource"},
                           {"ResType", "Picture"},
                           {"ResName", "red.png"},
                           {"ResPath", "red.png"}})
                    .isOk());
        const QImage thumb = QImage::fromData(client().getPath("/snapshot/red.png").body, "JPG");
        QCOMPARE(thumb.size(), QSize(320, 240));
        const QColor centre = thumb.pixelColor(160, 100);
        QVERIFY2(centre.red() > 200 && centre.green() < 60, qPrintable(centre.name()));
        QCOMPARE(client().getPath("/pictures/red.png").body, png); // the file itself
    }
};

PELMORA_TEST_MAIN(TestSimUploads)
#include "tst_simuploads.moc"
