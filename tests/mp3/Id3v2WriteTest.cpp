#include "mp3/Id3v2Builder.h"
#include "mp3/Mp3Fixtures.h"
#include "support/TestRegistry.h"

#include "mp3/MpegAudioInfo.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace Mp3Fixtures;

namespace {

const QString kPython = QStringLiteral("/usr/bin/python3");

QString script(const char *name)
{
    return QStringLiteral(MELVORA_MP3_SCRIPTS "/") + QLatin1String(name);
}

// Runs a script of the independent reader and writer; its standard output, or nothing on failure.
std::optional<QByteArray> runPython(const QStringList &args)
{
    QProcess p;
    p.start(kPython, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return std::nullopt;
    return p.readAllStandardOutput();
}

bool haveMutagen()
{
    static const bool have = QFile::exists(kPython) && runPython({QStringLiteral("-c"), QStringLiteral("import mutagen")});
    return have;
}

QJsonObject dump(const QString &path)
{
    const std::optional<QByteArray> out = runPython({script("mutagen_dump.py"), path});
    return out ? QJsonDocument::fromJson(*out).object() : QJsonObject();
}

QByteArray sha1(const QByteArray &data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Sha1).toHex();
}

QByteArray audio(int frameCount)
{
    return frames(Header{}, 417, frameCount);
}

} // namespace

class Id3v2WriteTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_count = 0;

    // A file with audio, an ID3v1 block and an ID3v2 tag of the version, written by mutagen (2.3,
    // 2.4) or by the test's own builder (2.2, which mutagen does not write).
    QString taggedFile(int version, int encoding, int pictureBytes, int audioFrames = 50)
    {
        const QString path = m_dir.filePath(QStringLiteral("w%1.mp3").arg(++m_count));
        QByteArray data = audio(audioFrames) + id3v1("Alt", 1, 0);
        if (version == 2) {
            Id3v2Builder::Options o;
            o.version = 2;
            o.padding = 64;
            data = Id3v2Builder::tag({{"PIC", Id3v2Builder::pictureBody(pictureBytes, 2)},
                                      {"TT2", Id3v2Builder::textBody(encoding, {QStringLiteral("Straße über alles")})},
                                      {"TRK", Id3v2Builder::textBody(encoding, {QStringLiteral("5/9")})}},
                                     o)
                 + data;
        }
        if (!TestFiles::write(path, data))
            return QString();
        if (version != 2
            && !runPython({script("mutagen_write.py"), path, QString::number(version), QString::number(encoding),
                           QString::number(pictureBytes)}))
            return QString();
        return path;
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (!haveMutagen())
            QSKIP("python3-mutagen is not installed");
    }

    // Both tags and the reader agree after a write; the picture, the private frame, the frame the
    // catalog does not know and the audio stay as they were; the version stays (2.2 becomes 2.3).
    void writesBothTagsInStep_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("encoding");
        QTest::addColumn<bool>("grow");
        for (int version : {3, 4}) {
            for (int encoding : {0, 1, 3}) {
                for (bool grow : {false, true})
                    QTest::newRow(qPrintable(QStringLiteral("2.%1 enc %2%3").arg(version).arg(encoding).arg(grow ? " grows" : "")))
                        << version << encoding << grow;
            }
        }
        QTest::newRow("2.2 becomes 2.3") << 2 << 1 << true;
    }

    void writesBothTagsInStep()
    {
        QFETCH(int, version);
        QFETCH(int, encoding);
        QFETCH(bool, grow);
        const QString path = taggedFile(version, encoding, 30000);
        QVERIFY(!path.isEmpty());
        const QByteArray before = TestFiles::read(path);
        const QJsonObject old = dump(path);
        const int oldTagSize = old.value(QStringLiteral("size")).toInt();
        QVERIFY(oldTagSize > 30000);
        const QByteArray oldAudio = before.mid(oldTagSize, before.size() - oldTagSize - 128);

        const QString title = grow ? QString(200, QChar(u'★')) : QStringLiteral("Neuer Titel");
        CMpegAudioInfo info;
        QVERIFY(info.ReadTag(path));
        QCOMPARE(info.GetTitle(), QStringLiteral("Straße über alles"));
        info.SetTitle(title);
        info.SetArtist(QStringLiteral("Zweiter Künstler"));
        info.SetTrack(11);
        info.SetGenre(17);
        info.SetComment(QStringLiteral("Neu"));
        info.SetYear(QStringLiteral("2022"));
        QVERIFY(info.WriteTag(path));

        const QByteArray after = TestFiles::read(path);
        const QJsonObject now = dump(path);
        QCOMPARE(now.value(QStringLiteral("version")).toInt(), version == 2 ? 3 : version);
        QCOMPARE(now.value(QStringLiteral("TIT2")).toString(), title);
        QCOMPARE(now.value(QStringLiteral("TPE1")).toString(), QStringLiteral("Zweiter Künstler"));
        QCOMPARE(now.value(QStringLiteral("TRCK")).toString(), QStringLiteral("11/9"));
        QCOMPARE(now.value(QStringLiteral("TCON")).toString(), QStringLiteral("Rock"));
        QCOMPARE(now.value(QStringLiteral("COMM")).toString(), QStringLiteral("Neu"));
        QCOMPARE(now.value(QStringLiteral("TDRC")).toString(), QStringLiteral("2022"));
        QCOMPARE(now.value(QStringLiteral("APIC")), old.value(QStringLiteral("APIC")));
        if (version != 2) {
            QCOMPARE(now.value(QStringLiteral("PRIV")), old.value(QStringLiteral("PRIV")));
            QCOMPARE(now.value(QStringLiteral("TXXX:Mood")).toString(), QStringLiteral("ruhig"));
        }
        const int newTagSize = now.value(QStringLiteral("size")).toInt();
        if (!grow)
            QCOMPARE(after.size(), before.size());
        QCOMPARE(after.mid(newTagSize, after.size() - newTagSize - 128), oldAudio);

        // The ID3v1 block holds the cut texts.
        CId3v1Tag block;
        QVERIFY(block.parse(after.constData() + after.size() - 128));
        QCOMPARE(block.artist, QStringLiteral("Zweiter Künstler"));
        QCOMPARE(block.track, 11);
        QCOMPARE(block.genre, 17);
        QVERIFY(title.startsWith(block.title));
        QVERIFY(!block.title.isEmpty());

        CMpegAudioInfo back;
        QVERIFY(back.Analyze(path));
        QCOMPARE(back.GetTitle(), title);
        QCOMPARE(back.GetFrameCount(), 50);
    }

    // Emptied fields leave the tag; a free genre text is kept as text; a file without ID3v2 gets none.
    void emptiesAndFreeGenresAndNoNewTag()
    {
        const QString path = taggedFile(4, 3, 0);
        QVERIFY(!path.isEmpty());
        CMpegAudioInfo info;
        QVERIFY(info.ReadTag(path));
        info.SetAlbum(QString());
        info.SetComment(QString());
        info.SetGenre(255);
        info.SetGenreName(QStringLiteral("Electro Swing"));
        QVERIFY(info.WriteTag(path));
        const QJsonObject now = dump(path);
        QVERIFY(!now.contains(QStringLiteral("TALB")));
        QVERIFY(!now.contains(QStringLiteral("COMM")));
        QCOMPARE(now.value(QStringLiteral("TCON")).toString(), QStringLiteral("Electro Swing"));
        QVERIFY(info.ReadTag(path));
        QCOMPARE(info.GetGenre(), 255);
        QCOMPARE(info.GetGenreName(), QStringLiteral("Electro Swing"));

        const QString plain = m_dir.filePath(QStringLiteral("plain.mp3"));
        QVERIFY(TestFiles::write(plain, audio(10)));
        QVERIFY(info.ReadTag(plain));
        info.SetTitle(QStringLiteral("Nur ID3v1"));
        QVERIFY(info.WriteTag(plain));
        const QByteArray bytes = TestFiles::read(plain);
        QVERIFY(!bytes.startsWith("ID3"));
        QCOMPARE(bytes.size(), audio(10).size() + 128);
    }

    // A write that grows the tag of a large file is killed at random moments: each time the file is
    // either the old one or the new one, byte for byte, and no stray file is left beside it.
    void killDuringGrowingWriteLeavesOldOrNew()
    {
        QTemporaryDir dir;
        const QString pristine = taggedFile(3, 1, 100000, 120000);  // about 50 MB of audio
        QVERIFY(!pristine.isEmpty());
        const QByteArray oldBytes = TestFiles::read(pristine);
        const QString path = dir.filePath(QStringLiteral("big.mp3"));
        const QStringList args{QStringLiteral("tag"), path, QStringLiteral("--title"), QString(300, QChar(u'ä'))};

        // The finished write gives the new file and its duration.
        QVERIFY(QFile::copy(pristine, path));
        QElapsedTimer timer;
        timer.start();
        QProcess whole;
        whole.start(QStringLiteral(MELVORA_CLI), args);
        QVERIFY(whole.waitForFinished(60000));
        QCOMPARE(whole.exitCode(), 0);
        const qint64 duration = std::max<qint64>(timer.elapsed(), 20);
        const QByteArray newHash = sha1(TestFiles::read(path));
        const QByteArray oldHash = sha1(oldBytes);
        QVERIFY(newHash != oldHash);

        int sawOld = 0;
        int sawNew = 0;
        for (int round = 0; round < 12; ++round) {
            QFile::remove(path);
            QVERIFY(QFile::copy(pristine, path));
            QProcess p;
            p.start(QStringLiteral(MELVORA_CLI), args);
            QVERIFY(p.waitForStarted());
            QTest::qWait(int(QRandomGenerator::global()->bounded(duration + 1)));
            // A write that already ended has no process to kill (and pid 0 would be our own group).
            const qint64 pid = p.processId();
            if (pid > 0 && p.state() == QProcess::Running)
                ::kill(pid_t(pid), SIGKILL);
            p.waitForFinished(10000);
            const QByteArray hash = sha1(TestFiles::read(path));
            QVERIFY2(hash == oldHash || hash == newHash, qPrintable(QStringLiteral("round %1").arg(round)));
            (hash == oldHash ? sawOld : sawNew)++;
            const QStringList mp3s = QDir(dir.path()).entryList({QStringLiteral("*.mp3")}, QDir::Files);
            QCOMPARE(mp3s, QStringList{QStringLiteral("big.mp3")});
        }
        qInfo("killed writes: %d left the old file, %d the new one", sawOld, sawNew);
    }
};

MELVORA_TEST(Id3v2WriteTest);

#include "Id3v2WriteTest.moc"
