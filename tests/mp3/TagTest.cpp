#include "mp3/Mp3Fixtures.h"
#include "support/TestRegistry.h"

#include "mp3/MpegAudioInfo.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace Mp3Fixtures;

namespace {

// Lowers the file size limit for its lifetime, so writes past it come out short.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 limit)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit lowered = m_old;
        lowered.rlim_cur = rlim_t(limit);
        m_ok = ::setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool ok() const { return m_ok; }

private:
    struct rlimit m_old;
    void (*m_oldHandler)(int);
    bool m_ok = false;
};

} // namespace

class TagTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString file(const QString &name, const QByteArray &data)
    {
        const QString path = m_dir.filePath(name);
        return TestFiles::write(path, data) ? path : QString();
    }

private Q_SLOTS:
    void readsBothLayouts()
    {
        const QByteArray comment("A comment of exactly 30 bytes!");
        QByteArray v11 = id3v1("Title", 7, 13, comment);
        QByteArray v10 = id3v1("Title", 0, 200, comment);
        v10[125] = 'x';
        CMpegAudioInfo info;
        QVERIFY(info.ReadTag(file(QStringLiteral("v11.mp3"), frames(Mp3Fixtures::Header(), 417, 3) + v11)));
        QCOMPARE(info.GetFlags(), CMpegAudioInfo::kFlagTag);
        QCOMPARE(info.GetTrack(), 7);
        QCOMPARE(info.GetComment(), QString::fromLatin1(comment.left(28)));
        QCOMPARE(info.GetGenre(), 13);
        QCOMPARE(info.GetFrameCount(), 0);
        QVERIFY(info.ReadTag(file(QStringLiteral("v10.mp3"), v10)));
        QCOMPARE(info.GetTrack(), 0);
        QCOMPARE(info.GetComment(), QString::fromLatin1(comment.left(28) + "x" + comment.mid(29)));
        QCOMPARE(info.GetGenre(), 200);
        QCOMPARE(info.GenreName(info.GetGenre()), QString());
    }

    void noTag()
    {
        CMpegAudioInfo info;
        for (const QByteArray &data :
             {QByteArray(), QByteArray("TAG"), QByteArray(127, 'T'), QByteArray(300, 'x')}) {
            QVERIFY(info.ReadTag(file(QStringLiteral("none.mp3"), data)));
            QCOMPARE(info.GetFlags(), 0);
            QCOMPARE(info.GetGenre(), 255);
            QCOMPARE(info.GetTitle(), QString());
            QCOMPARE(info.GetFileSize(), qint64(data.size()));
        }
        QVERIFY(!info.ReadTag(m_dir.filePath(QStringLiteral("missing.mp3"))));
        QVERIFY(!info.ReadTag(m_dir.path()));
    }

    // Slots: 30 bytes without a terminating zero, comment 28 with a track and 30 without, track
    // clamped, genre's low byte; Windows-1252 where it fits, UTF-8 cut at a character otherwise.
    void writeAndReadBack()
    {
        const QString path = file(QStringLiteral("w.mp3"), frames(Mp3Fixtures::Header(), 417, 3));
        const QString title31 = QStringLiteral("0123456789012345678901234567890");
        CMpegAudioInfo info;
        info.SetTitle(title31);
        info.SetArtist(QStringLiteral("Müller – Café"));
        info.SetAlbum(QString(16, QChar(0x0414))); // 32 bytes of UTF-8
        info.SetYear(QStringLiteral("19999"));
        info.SetComment(QStringLiteral("abcdefghijklmnopqrstuvwxyz1234"));
        info.SetTrack(300);
        info.SetGenre(256 + 17);
        QVERIFY(info.WriteTag(path));
        const QByteArray block = TestFiles::read(path).right(128);
        QCOMPARE(block.mid(33, 13), QByteArray("M\xFCller \x96 Caf\xE9", 13));
        QCOMPARE(block[125], '\0');
        QCOMPARE(quint8(block[126]), quint8(255));

        CMpegAudioInfo back;
        QVERIFY(back.Analyze(path));
        QCOMPARE(back.GetTitle(), title31.left(30));
        QCOMPARE(back.GetArtist(), QStringLiteral("Müller – Café"));
        QCOMPARE(back.GetAlbum(), QString(15, QChar(0x0414)));
        QCOMPARE(back.GetYear(), QStringLiteral("1999"));
        QCOMPARE(back.GetComment(), QStringLiteral("abcdefghijklmnopqrstuvwxyz12"));
        QCOMPARE(back.GetTrack(), 255);
        QCOMPARE(back.GenreName(back.GetGenre()), QStringLiteral("Rock"));
        QCOMPARE(back.GetFrameCount(), 3);

        info.SetTrack(0);
        QVERIFY(info.WriteTag(path));
        QVERIFY(back.ReadTag(path));
        QCOMPARE(back.GetComment(), QStringLiteral("abcdefghijklmnopqrstuvwxyz1234"));
        QCOMPARE(back.GetTrack(), 0);

        info.SetTrack(-4);
        QVERIFY(info.WriteTag(path));
        QVERIFY(back.ReadTag(path));
        QCOMPARE(back.GetTrack(), 0);
        QCOMPARE(back.GetComment(), QStringLiteral("abcdefghijklmnopqrstuvwxyz12"));
    }

    void appendThenOverwrite()
    {
        const QByteArray audio = frames(Mp3Fixtures::Header(), 417, 4);
        for (int shortSize : {0, 50, 127}) {
            const QString path = file(QStringLiteral("short.mp3"), audio.left(shortSize));
            CMpegAudioInfo info;
            info.SetTitle(QStringLiteral("S"));
            QVERIFY(info.WriteTag(path));
            QCOMPARE(QFileInfo(path).size(), qint64(shortSize + 128));
            QVERIFY(info.ReadTag(path));
            QCOMPARE(info.GetTitle(), QStringLiteral("S"));
        }
        const QString path = file(QStringLiteral("grow.mp3"), audio);
        CMpegAudioInfo info;
        info.SetTitle(QStringLiteral("First"));
        QVERIFY(info.WriteTag(path));
        QCOMPARE(QFileInfo(path).size(), qint64(audio.size() + 128));
        info.SetTitle(QStringLiteral("Second"));
        QVERIFY(info.WriteTag(path));
        const QByteArray now = TestFiles::read(path);
        QCOMPARE(now.size(), audio.size() + 128);
        QCOMPARE(now.left(audio.size()), audio);
        QVERIFY(info.ReadTag(path));
        QCOMPARE(info.GetTitle(), QStringLiteral("Second"));
    }

    void writeFailsCleanly()
    {
        CMpegAudioInfo info;
        info.SetTitle(QStringLiteral("T"));
        const QString gone = m_dir.filePath(QStringLiteral("gone.mp3"));
        QVERIFY(!info.WriteTag(gone));
        QVERIFY(!QFile::exists(gone));
        QVERIFY(!info.WriteTag(m_dir.path()));
        QVERIFY(!info.Analyze(m_dir.path()));

        const QString fifo = m_dir.filePath(QStringLiteral("pipe.mp3"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
        QVERIFY(!info.Analyze(fifo)); // refused at once, no wait for a writer
        QVERIFY(!info.WriteTag(fifo));

        const QByteArray audio = frames(Mp3Fixtures::Header(), 417, 2);
        const QString ro = file(QStringLiteral("ro.mp3"), audio);
        QVERIFY(QFile::setPermissions(ro, QFileDevice::ReadOwner));
        QFile probe(ro);
        if (probe.open(QIODevice::ReadWrite))
            QSKIP("this user may write read-only files");
        QVERIFY(!info.WriteTag(ro));
        QCOMPARE(TestFiles::read(ro), audio);
    }

    // A write cut short (disk full, size limit) leaves the file as it was: an appended part is
    // cut off again, an overwritten part restored.
    void shortWriteLeavesFileUnchanged()
    {
        const QByteArray audio = frames(Mp3Fixtures::Header(), 417, 3);
        CMpegAudioInfo info;
        info.SetTitle(QStringLiteral("New"));

        const QString plain = file(QStringLiteral("limit1.mp3"), audio);
        const QString tagged = file(QStringLiteral("limit2.mp3"), audio + id3v1("Old"));
        bool appended = true;
        bool overwritten = true;
        {
            FileSizeLimit limit(audio.size() + 50);
            QVERIFY(limit.ok());
            appended = info.WriteTag(plain);
            overwritten = info.WriteTag(tagged);
        }
        QVERIFY(!appended);
        QCOMPARE(TestFiles::read(plain), audio);
        QVERIFY(!overwritten);
        QCOMPARE(TestFiles::read(tagged), audio + id3v1("Old"));
    }

    void failedAnalyzeResetsEverything()
    {
        const QString path =
            file(QStringLiteral("r.mp3"), frames(Mp3Fixtures::Header(), 417, 20) + id3v1("T", 2, 5));
        CMpegAudioInfo info;
        QVERIFY(info.Analyze(path));
        QVERIFY(info.GetFrameCount() > 0);
        QVERIFY(!info.Analyze(m_dir.filePath(QStringLiteral("nothing.mp3"))));
        QCOMPARE(info.GetFilePath(), QString());
        QCOMPARE(info.GetFlags(), 0);
        QCOMPARE(info.GetFrameCount(), 0);
        QCOMPARE(info.GetSampleRate(), 0);
        QCOMPARE(info.GetTitle(), QString());
        QCOMPARE(info.GetTrack(), 0);
        QCOMPARE(info.GetGenre(), 255);
        QCOMPARE(info.GetFileSize(), qint64(0));
    }

    // The table's ends, its limits and the exact-match look-up; every name leads back to its index.
    void genreTable()
    {
        QCOMPARE(CMpegAudioInfo::GenreName(0), QStringLiteral("Blues"));
        QCOMPARE(CMpegAudioInfo::GenreName(147), QStringLiteral("SynthPop"));
        for (int outside : {148, 255, -1})
            QCOMPARE(CMpegAudioInfo::GenreName(outside), QString());
        for (const QString &name : {QStringLiteral("rock"), QStringLiteral("Rock "), QString()})
            QCOMPARE(CMpegAudioInfo::GenreByName(name), -1);
        for (int i = 0; i < 148; ++i)
            QCOMPARE(CMpegAudioInfo::GenreByName(CMpegAudioInfo::GenreName(i)), i);
    }

    void textFormsOfCodesOutOfRange()
    {
        for (int code : {-1, 4}) {
            QCOMPARE(CMpegAudioInfo::VersionText(code), QStringLiteral("N/A"));
            QCOMPARE(CMpegAudioInfo::ChannelModeText(code), QStringLiteral("N/A"));
            QCOMPARE(CMpegAudioInfo::EmphasisText(code), QStringLiteral("N/A"));
        }
        QCOMPARE(CMpegAudioInfo::LengthText(3725), QStringLiteral("62:05"));
        QCOMPARE(CMpegAudioInfo::LengthText(59), QStringLiteral("0:59"));
        QCOMPARE(CMpegAudioInfo::LengthText(-1), QString());
    }
};

MELVORA_TEST(TagTest);

#include "TagTest.moc"
