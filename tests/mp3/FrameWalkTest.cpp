#include "mp3/Mp3Fixtures.h"
#include "support/TestRegistry.h"

#include "mp3/MemorySource.h"
#include "mp3/MpegAudioInfo.h"
#include "mp3/SlowFrameWalk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

using namespace Mp3Fixtures;

namespace {

// An endless run of equal frames, produced on the fly: a file of any size without the disk space.
class RepeatingSource final : public IKivByteSource
{
public:
    RepeatingSource(const QByteArray &frameBytes, qint64 size) : m_frame(frameBytes), m_size(size) {}

    qint64 readAt(qint64 pos, char *data, qint64 size) override
    {
        if (pos >= m_size)
            return 0;
        const qint64 n = std::min(size, m_size - pos);
        qint64 done = 0;
        while (done < n) {
            const qint64 offset = (pos + done) % m_frame.size();
            const qint64 part = std::min(n - done, m_frame.size() - offset);
            std::memcpy(data + done, m_frame.constData() + offset, size_t(part));
            done += part;
        }
        return n;
    }

private:
    QByteArray m_frame;
    qint64 m_size;
};

} // namespace

class FrameWalkTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void mpeg1Layer3File()
    {
        QTemporaryDir dir;
        const QByteArray data = frames(Header(), 417, 1000);
        QCOMPARE(data.left(4), QByteArray("\xFF\xFB\x90\x00", 4));
        const QString path = dir.filePath(QStringLiteral("a.mp3"));
        QVERIFY(TestFiles::write(path, data));
        CMpegAudioInfo info;
        QVERIFY(info.Analyze(path));
        QCOMPARE(info.GetFlags(), CMpegAudioInfo::kFlagFrames);
        QCOMPARE(info.GetFrameCount(), 1000);
        QCOMPARE(info.GetLength(), 26); // 1000 x 0.0260625 s
        QCOMPARE(info.GetBitRate(), 128);
        QCOMPARE(info.GetSampleRate(), 44100);
        QCOMPARE(info.GetVersion(), 3);
        QCOMPARE(info.GetLayer(), 3);
        QCOMPARE(info.GetCrc(), 0);
        QCOMPARE(info.GetFileSize(), qint64(data.size()));
        QCOMPARE(info.GetFilePath(), path);
        QVERIFY(qAbs(walk(data).duration - 26.0625) < 1e-9);
    }

    // Every version and layer: each frame is found and the playing time matches the samples the
    // frames carry (1152 per frame, 384 for Layer I, 576 for Layer III below MPEG-1).
    void everyVersionAndLayer_data()
    {
        QTest::addColumn<int>("versionBits");
        QTest::addColumn<int>("layerBits");
        QTest::addColumn<int>("bitRateIndex");
        QTest::addColumn<int>("sampleRateIndex");
        QTest::addColumn<bool>("padding");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("kbps");
        QTest::addColumn<int>("hz");
        QTest::addColumn<int>("samples");
        QTest::newRow("MPEG-1 Layer I") << 3 << 3 << 12 << 0 << true << 420 << 384 << 44100 << 384;
        QTest::newRow("MPEG-1 Layer II") << 3 << 2 << 10 << 1 << false << 576 << 192 << 48000 << 1152;
        QTest::newRow("MPEG-1 Layer III") << 3 << 1 << 14 << 2 << false << 1440 << 320 << 32000 << 1152;
        QTest::newRow("MPEG-2 Layer I") << 2 << 3 << 8 << 0 << false << 276 << 128 << 22050 << 384;
        QTest::newRow("MPEG-2 Layer II") << 2 << 2 << 8 << 1 << false << 384 << 64 << 24000 << 1152;
        QTest::newRow("MPEG-2 Layer III") << 2 << 1 << 8 << 0 << false << 208 << 64 << 22050 << 576;
        QTest::newRow("MPEG-2 Layer III padded") << 2 << 1 << 4 << 2 << true << 145 << 32 << 16000 << 576;
        QTest::newRow("MPEG-2.5 Layer I") << 0 << 3 << 1 << 2 << false << 192 << 32 << 8000 << 384;
        QTest::newRow("MPEG-2.5 Layer II") << 0 << 2 << 8 << 1 << false << 768 << 64 << 12000 << 1152;
        QTest::newRow("MPEG-2.5 Layer III") << 0 << 1 << 4 << 0 << false << 208 << 32 << 11025 << 576;
        QTest::newRow("MPEG-2.5 Layer III 8 kHz") << 0 << 1 << 1 << 2 << false << 72 << 8 << 8000 << 576;
    }

    void everyVersionAndLayer()
    {
        QFETCH(int, versionBits);
        QFETCH(int, layerBits);
        QFETCH(int, bitRateIndex);
        QFETCH(int, sampleRateIndex);
        QFETCH(bool, padding);
        QFETCH(int, length);
        QFETCH(int, kbps);
        QFETCH(int, hz);
        QFETCH(int, samples);
        Header h;
        h.versionBits = versionBits;
        h.layerBits = layerBits;
        h.bitRateIndex = bitRateIndex;
        h.sampleRateIndex = sampleRateIndex;
        h.padding = padding;
        const int count = 300;
        const auto r = walk(frames(h, length, count));
        QCOMPARE(r.frames, qint64(count));
        QCOMPARE(r.averageBitRate(), kbps);
        QCOMPARE(r.sampleRate, hz);
        QCOMPARE(r.version, versionBits == 3 ? 3 : versionBits == 2 ? 2 : 1);
        QCOMPARE(r.layer, 4 - layerBits);
        const double real = double(count) * samples / hz;
        QVERIFY2(qAbs(r.duration - real) < real * 0.02, qPrintable(QString::number(r.duration)));
    }

    // The 10.4 s MPEG-2 file: 400 frames of 208 bytes at 64 kbit/s, 22050 Hz, each 0.026 s.
    void mpeg2Layer3KeepsEveryFrame()
    {
        Header h;
        h.versionBits = 2;
        h.bitRateIndex = 8;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("m2.mp3"));
        QVERIFY(TestFiles::write(path, frames(h, 208, 400)));
        CMpegAudioInfo info;
        QVERIFY(info.Analyze(path));
        QCOMPARE(info.GetFrameCount(), 400);
        QCOMPARE(info.GetLength(), 10);
        QCOMPARE(info.GetVersion(), 2);
        QCOMPARE(info.GetBitRate(), 64);
        QCOMPARE(info.GetSampleRate(), 22050);
        QVERIFY(qAbs(walk(frames(h, 208, 400)).duration - 10.4) < 1e-9);
    }

    // Version, layer and CRC come from the first frame; mode, emphasis and the bits from the last.
    void firstAndLastFrameFields()
    {
        Header first;
        first.crc = true;
        Header last;
        last.channelMode = 3;
        last.copyright = true;
        last.original = true;
        last.emphasis = 1;
        last.versionBits = 2; // decoded with the first frame's version
        const auto r = walk(frame(first, 417) + frames(Header(), 417, 5) + frame(last, 417));
        QCOMPARE(r.frames, qint64(7));
        QCOMPARE(r.crc, 1);
        QCOMPARE(r.version, 3);
        QCOMPARE(r.sampleRate, 44100);
        QCOMPARE(r.channelMode, 3);
        QCOMPARE(r.copyright, 1);
        QCOMPARE(r.original, 1);
        QCOMPARE(r.emphasis, 1);
        const auto later = walk(frames(Header(), 417, 3) + frame(first, 417));
        QCOMPARE(later.crc, 0);
    }

    // Free format (index 0) and index 15 count in the divisor of the average, not in the sum; the
    // search after them starts right behind their header.
    void freeFormatAndBadIndex()
    {
        for (int index : {0, 15}) {
            Header odd;
            odd.bitRateIndex = index;
            const QByteArray normal = frames(Header(), 417, 10);
            const auto r = walk(normal + frame(odd, 417) + normal);
            QCOMPARE(r.frames, qint64(21));
            QCOMPARE(r.averageBitRate(), 20 * 128 / 21);
        }
        // Index 15 gives no playing time: padded Layer I frames would otherwise subtract 32 ms each.
        Header badLayer1;
        badLayer1.layerBits = 3;
        badLayer1.bitRateIndex = 15;
        badLayer1.padding = true;
        const auto bad = walk(frames(badLayer1, 420, 50));
        QCOMPARE(bad.frames, qint64(50));
        QCOMPARE(bad.duration, 0.0);
        QCOMPARE(bad.lengthSeconds(), 0);

        Header free;
        free.bitRateIndex = 0;
        const auto onlyFree = walk(frames(free, 300, 4));
        QCOMPARE(onlyFree.frames, qint64(4));
        QCOMPARE(onlyFree.averageBitRate(), 0);
        QCOMPARE(onlyFree.duration, 0.0);
    }

    void variableBitRateAverageTruncates()
    {
        Header h160;
        h160.bitRateIndex = 10; // 160 kbit/s: 522 bytes
        const QByteArray group = frame(Header(), 417) + frame(h160, 522) + frame(h160, 522);
        const auto r = walk(group.repeated(10));
        QCOMPARE(r.frames, qint64(30));
        QCOMPARE(r.averageBitRate(), 149); // 4480 / 30
    }

    void syncWindow()
    {
        const QByteArray five = frames(Header(), 417, 5);
        QCOMPARE(walk(five + QByteArray(10000, '\0') + five).frames, qint64(10));
        QCOMPARE(walk(five + QByteArray(10001, '\0') + five).frames, qint64(5));
        QCOMPARE(walk(QByteArray(10000, '\0') + five).frames, qint64(5));
        const auto hidden = walk(QByteArray(10001, '\0') + five);
        QCOMPARE(hidden.frames, qint64(0));
        QCOMPARE(hidden.sampleRate, 0);
        QCOMPARE(hidden.version, 0);
    }

    void zerosAndTinyFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("z.mp3"));
        for (int size : {0, 1, 3, 4, 127, 128, 50000}) {
            QVERIFY(TestFiles::write(path, QByteArray(size, '\0')));
            CMpegAudioInfo info;
            QVERIFY(info.Analyze(path));
            QCOMPARE(info.GetFlags(), 0);
            QCOMPARE(info.GetFrameCount(), 0);
            QCOMPARE(info.LengthText(info.GetLength()), QStringLiteral("0:00"));
            QCOMPARE(info.GetFileSize(), qint64(size));
        }
        QCOMPARE(walk(frame(Header(), 417).left(3)).frames, qint64(0));
        QCOMPARE(walk(frame(Header(), 417).left(4)).frames, qint64(1));
    }

    // A reserved version or sample-rate index on the first header: nothing is counted and every
    // field stays 0, even when good frames follow.
    void rejectedFirstHeader()
    {
        Header reservedVersion;
        reservedVersion.versionBits = 1;
        reservedVersion.crc = true;
        Header reservedRate;
        reservedRate.sampleRateIndex = 3;
        reservedRate.crc = true;
        for (const Header &bad : {reservedVersion, reservedRate}) {
            const auto r = walk(frame(bad, 417) + frames(Header(), 417, 5));
            QCOMPARE(r.frames, qint64(0));
            QCOMPARE(r.version, 0);
            QCOMPARE(r.layer, 0);
            QCOMPARE(r.crc, 0);
            QCOMPARE(r.averageBitRate(), 0);
        }
        // A reserved layer is counted, with no bit rate and no playing time.
        Header reservedLayer;
        reservedLayer.layerBits = 0;
        const auto r = walk(frames(reservedLayer, 417, 6));
        QCOMPARE(r.frames, qint64(6));
        QCOMPARE(r.layer, 0);
        QCOMPARE(r.averageBitRate(), 0);
        QCOMPARE(r.duration, 0.0);
    }

    // The ID3v1 block is walked like audio: a sync pattern in it counts as a frame.
    void syncPatternInTagCounts()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("t.mp3"));
        QVERIFY(TestFiles::write(path,
                          frames(Header(), 417, 10) + id3v1(QByteArray("\xFF\xFB\x90\x00 Song", 9), 3, 17)));
        CMpegAudioInfo info;
        QVERIFY(info.Analyze(path));
        QCOMPARE(info.GetFrameCount(), 11);
        QCOMPARE(info.GetFlags(), CMpegAudioInfo::kFlagTag | CMpegAudioInfo::kFlagFrames);
        QCOMPARE(info.GetTrack(), 3);
        QCOMPARE(info.GetGenre(), 17);
    }

    // A leading ID3v2 tag (cover art full of sync patterns, longer than the search window) is
    // passed over; without one, or with a malformed one, the walk starts at 0.
    void leadingId3v2Tag()
    {
        const QByteArray audio = frames(Header(), 417, 100);
        for (bool footer : {false, true}) {
            const auto r = walk(id3v2(30000, footer) + audio + id3v1("x"));
            QCOMPARE(r.frames, qint64(100));
            QCOMPARE(r.version, 3);
            QCOMPARE(r.averageBitRate(), 128);
        }
        QCOMPARE(walk(id3v2(20, false) + QByteArray(10000, '\0') + audio).frames, qint64(100));
        QCOMPARE(walk(id3v2(20, false) + QByteArray(10001, '\0') + audio).frames, qint64(0));
        QByteArray malformed = id3v2(20, false);
        malformed[6] = char(0x80);
        QCOMPARE(walk(malformed + audio).frames, qint64(101)); // a sync in the body at offset 10
        QCOMPARE(walk(QByteArray("ID3\x03\x00\x00\x00\x7F\x7F\x7F", 10) + audio).frames, qint64(0));
    }

    // The buffered walk equals the reference on random mixtures of frames, garbage and gaps, at
    // several buffer sizes.
    void equalsReferenceOnRandomStreams()
    {
        QRandomGenerator rng(20240611);
        for (int round = 0; round < 400; ++round) {
            QByteArray data;
            if (rng.bounded(4) == 0)
                data += id3v2(int(rng.bounded(3000)), rng.bounded(2));
            const int parts = int(rng.bounded(1, 12));
            for (int p = 0; p < parts; ++p) {
                switch (rng.bounded(4)) {
                case 0: {
                    Header h;
                    h.versionBits = int(rng.bounded(4));
                    h.layerBits = int(rng.bounded(4));
                    h.bitRateIndex = int(rng.bounded(16));
                    h.sampleRateIndex = int(rng.bounded(4));
                    h.padding = rng.bounded(2);
                    h.crc = rng.bounded(2);
                    data += frames(h, int(rng.bounded(4, 1500)), int(rng.bounded(1, 20)));
                    break;
                }
                case 1:
                    data += frames(Header(), 417, int(rng.bounded(1, 30)));
                    break;
                case 2:
                    data += QByteArray(int(rng.bounded(9990, 10010)), '\0');
                    break;
                default: {
                    QByteArray junk(int(rng.bounded(1, 3000)), '\0');
                    for (char &c : junk)
                        c = char(rng.bounded(256) < 20 ? 0xFF : rng.bounded(256));
                    data += junk;
                }
                }
            }
            data.chop(int(rng.bounded(qMin<qsizetype>(data.size(), 500))));
            walk(data);
            if (QTest::currentTestFailed())
                return;
        }
    }

    // Inputs the fuzzer found: the walk agrees with the reference and gives sane values.
    void fuzzFindings_data()
    {
        QTest::addColumn<QString>("path");
        const QDir dir(QStringLiteral(MELVORA_MP3_FIXTURES));
        for (const QFileInfo &fi : dir.entryInfoList(QDir::Files))
            QTest::newRow(qPrintable(fi.fileName())) << fi.absoluteFilePath();
    }

    void fuzzFindings()
    {
        QFETCH(QString, path);
        const auto r = walk(TestFiles::read(path));
        QVERIFY(r.duration >= 0);
        CMpegAudioInfo info;
        QVERIFY(info.Analyze(path));
        QVERIFY(info.GetLength() >= 0);
        QVERIFY(info.GetBitRate() >= 0);
    }

    // Positions past 2 GiB: a 3 GiB stream of 2880-byte frames is walked to its end.
    void walksPast2GiB()
    {
        Header h;
        h.versionBits = 0;
        h.layerBits = 2;
        h.bitRateIndex = 14;   // 160 kbit/s
        h.sampleRateIndex = 2; // 8000 Hz
        const qint64 count = 3LL * 1024 * 1024 * 1024 / 2880 + 1;
        RepeatingSource source(frame(h, 2880), count * 2880);
        const auto r = KivMpeg::walkFrames(source);
        QCOMPARE(r.frames, count);
        QCOMPARE(r.lengthSeconds(), int(count * 144 / 1000));
        QVERIFY(r == slowWalkFrames(source));
    }

    void sizeOfSparseFileOver2GiB()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("big.mp3"));
        const qint64 size = 3LL * 1024 * 1024 * 1024 + 5;
        const int fd = ::open(QFile::encodeName(path).constData(), O_CREAT | O_WRONLY, 0644);
        QVERIFY(fd >= 0);
        const bool grown = ::ftruncate(fd, size) == 0;
        ::close(fd);
        if (!grown)
            QSKIP("the file system refuses a sparse 3 GiB file");
        CMpegAudioInfo info;
        QVERIFY(info.ReadTag(path));
        QCOMPARE(info.GetFileSize(), size);
        QVERIFY(info.Analyze(path));
        QCOMPARE(info.GetFileSize(), size);
        QCOMPARE(info.GetFrameCount(), 0);
    }
};

MELVORA_TEST(FrameWalkTest);

#include "FrameWalkTest.moc"
