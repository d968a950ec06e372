#include "mp3/AnalysisAhead.h"
#include "mp3/Mp3Fixtures.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The pool gives each file exactly what CMpegAudioInfo's own call gives, in list order, whatever its
// size; it stays within its window ahead of the caller, and no worker outlives Stop().
class AnalysisAheadTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;

    // Every value of an analysis, to compare two of them whole.
    static QString describe(bool opened, const CMpegAudioInfo &i)
    {
        QStringList v{QString::number(opened), i.GetFilePath(), i.GetTitle(),    i.GetArtist(), i.GetAlbum(),
                      i.GetComment(),          i.GetYear(),     i.GetGenreName()};
        for (const qint64 n :
             {qint64(i.GetFlags()), qint64(i.GetTrack()), qint64(i.GetGenre()), qint64(i.GetFrameCount()),
              qint64(i.GetLength()), qint64(i.GetVersion()), qint64(i.GetLayer()), qint64(i.GetCrc()),
              qint64(i.GetBitRate()), qint64(i.GetSampleRate()), qint64(i.GetChannelMode()),
              qint64(i.GetEmphasis()), qint64(i.GetCopyright()), qint64(i.GetOriginal()), i.GetFileSize()})
            v << QString::number(n);
        return v.join(QLatin1Char('|'));
    }

    bool write(const QString &path, const QByteArray &data)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
    }

    // Files of every kind: frames of several formats and lengths with and without tags, an ID3v2 tag
    // in front, empty and garbage files, a folder and a name that is not there.
    std::vector<QString> mixedFiles(int count)
    {
        std::vector<QString> paths;
        const Mp3Fixtures::Header mpeg1;
        Mp3Fixtures::Header mpeg2;
        mpeg2.versionBits = 2;
        mpeg2.bitRateIndex = 8;
        for (int i = 0; i < count; ++i) {
            const QString path = dir.filePath(QStringLiteral("m%1.mp3").arg(i));
            QByteArray data;
            switch (i % 6) {
            case 0:
                data = Mp3Fixtures::frames(mpeg1, 417, 1 + i * 13 % 500) +
                       Mp3Fixtures::id3v1("T" + QByteArray::number(i), i % 20, i % 150);
                break;
            case 1:
                data = Mp3Fixtures::id3v2(3000 + i) + Mp3Fixtures::frames(mpeg2, 288, 1 + i % 90);
                break;
            case 2:
                data = QByteArray(i * 101 % 5000, char(i));
                break;
            case 3:
                data = Mp3Fixtures::frames(mpeg1, 417, 2).left(500) + Mp3Fixtures::id3v1("cut");
                break;
            case 4:
                QDir(dir.path()).mkdir(QStringLiteral("m%1.mp3").arg(i));
                break;
            case 5:
                break; // not there
            }
            if (i % 6 < 4 && !write(path, data))
                return {};
            paths.push_back(path);
        }
        return paths;
    }

    std::vector<QString> plainFiles(int count)
    {
        std::vector<QString> paths;
        for (int i = 0; i < count; ++i) {
            const QString path = dir.filePath(QStringLiteral("p%1.mp3").arg(i));
            if (!write(path, Mp3Fixtures::frames({}, 417, 3)))
                return {};
            paths.push_back(path);
        }
        return paths;
    }

private Q_SLOTS:
    void resultsAreThoseOfTheDirectCalls_data()
    {
        QTest::addColumn<bool>("full");
        QTest::addColumn<int>("threads");
        QTest::addColumn<int>("window");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("tags, 8 threads") << false << 8 << 64 << true;
        QTest::newRow("full, 8 threads") << true << 8 << 64 << true;
        QTest::newRow("full, 3 threads, window of 1") << true << 3 << 1 << true;
        QTest::newRow("tags, 1 thread, window of 4") << false << 1 << 4 << true;
        QTest::newRow("full, no thread") << true << 0 << 64 << true;
        QTest::newRow("tags, switched off") << false << 8 << 64 << false;
    }

    void resultsAreThoseOfTheDirectCalls()
    {
        QFETCH(bool, full);
        QFETCH(int, threads);
        QFETCH(int, window);
        QFETCH(bool, enabled);
        const std::vector<QString> paths = mixedFiles(120);
        QCOMPARE(int(paths.size()), 120);

        QStringList expected;
        for (const QString &path : paths) {
            CMpegAudioInfo info;
            const bool opened = full ? info.Analyze(path) : info.ReadTag(path);
            expected << describe(opened, info);
        }
        CKivAnalysisAhead::SetEnabled(enabled);
        CKivAnalysisAhead pool(paths, full ? CKivAnalysisAhead::Kind::Full : CKivAnalysisAhead::Kind::Tags,
                               {threads, window});
        CKivAnalysisAhead::SetEnabled(true);
        QStringList got;
        CMpegAudioInfo info;
        for (size_t i = 0; i < paths.size(); ++i) {
            const bool opened = pool.TakeNext(info);
            got << describe(opened, info);
        }
        QCOMPARE(got, expected);
        QVERIFY(!pool.TakeNext(info));
    }

    void theWindowBoundsThePool()
    {
        const std::vector<QString> paths = plainFiles(40);
        CKivAnalysisAhead pool(paths, CKivAnalysisAhead::Kind::Full, {4, 5});
        QTRY_COMPARE(int(pool.AnalysedCount()), 5);
        QTest::qWait(50);
        QCOMPARE(int(pool.AnalysedCount()), 5);
        CMpegAudioInfo info;
        for (int i = 0; i < 3; ++i)
            QVERIFY(pool.TakeNext(info));
        QTRY_COMPARE(int(pool.AnalysedCount()), 8);
        QTest::qWait(20);
        QCOMPARE(int(pool.AnalysedCount()), 8);
    }

    // Stopped in the middle (a cancelled scan), no worker is left; what is taken afterwards is still
    // right, analysed in place.
    void stoppingInTheMiddleEndsEveryWorker()
    {
        const std::vector<QString> paths = plainFiles(200);
        const int before = CKivAnalysisAhead::LiveWorkers();
        CKivAnalysisAhead pool(paths, CKivAnalysisAhead::Kind::Tags, {8, 20});
        QCOMPARE(CKivAnalysisAhead::LiveWorkers(), before + 8);
        CMpegAudioInfo info;
        for (int i = 0; i < 10; ++i)
            QVERIFY(pool.TakeNext(info));
        pool.Stop();
        QCOMPARE(CKivAnalysisAhead::LiveWorkers(), before);
        for (int i = 10; i < 200; ++i) {
            QVERIFY(pool.TakeNext(info));
            QCOMPARE(info.GetFilePath(), paths[size_t(i)]);
        }
    }
};

MELVORA_TEST(AnalysisAheadTest);

#include "AnalysisAheadTest.moc"
