#include "mp3/Mp3Fixtures.h"
#include "support/TestRegistry.h"

#include "mp3/MpegAudioInfo.h"
#include "mp3/MpegTables.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace Mp3Fixtures;

// Files made by a real encoder (lame). lame starts every stream with an Info (or Xing) frame: a
// complete frame of the stream's own format whose side-information space holds the number of audio
// frames that follow. The walk counts every frame in the file, so "what the encoder wrote" is that
// number plus the Info frame itself.
class EncoderFilesTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_lame;
    QString m_pcm;

    // Number of audio frames the Info/Xing frame at the start of the walk announces, or -1.
    static qint64 announcedFrames(const QByteArray &file)
    {
        const qint64 start =
            KivMpeg::id3v2TagSize(reinterpret_cast<const unsigned char *>(file.constData()), file.size());
        for (const char *tag : {"Xing", "Info"}) {
            const qsizetype at = file.indexOf(tag, start);
            if (at < 0 || at > start + 64 || at + 12 > file.size())
                continue;
            const auto *p = reinterpret_cast<const unsigned char *>(file.constData() + at);
            if (!(KivMpeg::bigEndianWord(p + 4) & 1))
                return -1;
            return qint64(KivMpeg::bigEndianWord(p + 8));
        }
        return -1;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_lame = QStandardPaths::findExecutable(QStringLiteral("lame"));
        if (m_lame.isEmpty())
            QSKIP("lame is not installed");
        // Six seconds of 16-bit stereo at 44100 Hz: a tone with some noise, so VBR varies.
        QByteArray pcm;
        quint32 seed = 12345;
        for (int i = 0; i < 44100 * 6; ++i) {
            seed = seed * 1664525u + 1013904223u;
            const double tone = 8000 * std::sin(i * 2 * M_PI * 440 / 44100.0) * (1 + std::sin(i / 20000.0));
            const auto s = qint16(tone + int(seed >> 20) - 2048);
            for (int channel = 0; channel < 2; ++channel)
                pcm.append(char(s & 0xFF)).append(char((s >> 8) & 0xFF));
        }
        m_pcm = m_dir.filePath(QStringLiteral("in.raw"));
        QVERIFY(TestFiles::write(m_pcm, pcm));
        // Cover art: a JPEG-like picture full of sync patterns, larger than the search window.
        QByteArray jpeg("\xFF\xD8\xFF\xE0", 4);
        for (int i = 0; i < 30000; ++i)
            jpeg.append(char(i % 7 == 0 ? 0xFF : (i * 31) & 0xFF));
        QVERIFY(TestFiles::write(m_dir.filePath(QStringLiteral("cover.jpg")), jpeg));
    }

    void frameCountsMatchEncoder_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("sampleRate");
        QTest::addColumn<int>("bitRate"); // 0: variable
        QTest::addColumn<int>("crc");
        const QString cover = m_dir.filePath(QStringLiteral("cover.jpg"));
        QTest::newRow("MPEG-1 CBR") << QStringList{QStringLiteral("-b"), QStringLiteral("128")} << 3 << 44100
                                    << 128 << 0;
        QTest::newRow("MPEG-1 VBR") << QStringList{QStringLiteral("-V"), QStringLiteral("4")} << 3 << 44100
                                    << 0 << 0;
        QTest::newRow("MPEG-1 CRC") << QStringList{QStringLiteral("-b"), QStringLiteral("160"),
                                                   QStringLiteral("-p")}
                                    << 3 << 44100 << 160 << 1;
        QTest::newRow("MPEG-2") << QStringList{QStringLiteral("-b"), QStringLiteral("64"),
                                               QStringLiteral("--resample"), QStringLiteral("22.05")}
                                << 2 << 22050 << 64 << 0;
        QTest::newRow("MPEG-2.5 mono")
            << QStringList{QStringLiteral("-b"),     QStringLiteral("32"), QStringLiteral("--resample"),
                           QStringLiteral("11.025"), QStringLiteral("-m"), QStringLiteral("m")}
            << 1 << 11025 << 32 << 0;
        QTest::newRow("cover art") << QStringList{QStringLiteral("-b"),   QStringLiteral("128"),
                                                  QStringLiteral("--ti"), cover,
                                                  QStringLiteral("--tt"), QStringLiteral("Title"),
                                                  QStringLiteral("--tn"), QStringLiteral("5")}
                                   << 3 << 44100 << 128 << 0;
    }

    void frameCountsMatchEncoder()
    {
        QFETCH(QStringList, options);
        QFETCH(int, version);
        QFETCH(int, sampleRate);
        QFETCH(int, bitRate);
        QFETCH(int, crc);
        const QString out =
            m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".mp3"));
        QProcess lame;
        lame.start(m_lame,
                   QStringList{QStringLiteral("--quiet"), QStringLiteral("-r"), QStringLiteral("-s"),
                               QStringLiteral("44.1"), QStringLiteral("--bitwidth"), QStringLiteral("16"),
                               QStringLiteral("--signed"), QStringLiteral("--little-endian")} +
                       options + QStringList{m_pcm, out});
        QVERIFY(lame.waitForFinished(60000));
        QCOMPARE(lame.exitCode(), 0);

        const QByteArray data = TestFiles::read(out);
        const qint64 announced = announcedFrames(data);
        QVERIFY2(announced > 0, "no Info frame at the start");
        CMpegAudioInfo info;
        QVERIFY(info.Analyze(out));
        QCOMPARE(qint64(info.GetFrameCount()), announced + 1);
        QCOMPARE(qint64(info.GetFrameCount()), walk(data).frames);
        QCOMPARE(info.GetVersion(), version);
        QCOMPARE(info.GetLayer(), 3);
        QCOMPARE(info.GetSampleRate(), sampleRate);
        QCOMPARE(info.GetCrc(), crc);
        if (bitRate > 0)
            QCOMPARE(info.GetBitRate(), bitRate);
        const int samplesPerFrame = version == 3 ? 1152 : 576;
        const double seconds = double(info.GetFrameCount()) * samplesPerFrame / sampleRate;
        QVERIFY2(qAbs(info.GetLength() - seconds) <= 1.0, qPrintable(QString::number(info.GetLength())));
        if (options.contains(QStringLiteral("--tt"))) {
            QVERIFY(data.startsWith("ID3"));
            QCOMPARE(info.GetTitle(), QStringLiteral("Title"));
            QCOMPARE(info.GetTrack(), 5);
        }
    }
};

MELVORA_TEST(EncoderFilesTest);

#include "EncoderFilesTest.moc"
