#include "mp3/Mp3Fixtures.h"
#include "support/TestRegistry.h"

#include "mp3/MpegAudioInfo.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Mp3Fixtures;

// melvora-cli analyze and tag on files.
class CliTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    static int run(const QStringList &args, QByteArray *out = nullptr)
    {
        QProcess p;
        p.start(QStringLiteral(MELVORA_CLI), args);
        if (!p.waitForFinished(30000))
            return -1;
        if (out)
            *out = p.readAllStandardOutput();
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

private Q_SLOTS:
    void analyzePrintsEveryField()
    {
        const QString path = m_dir.filePath(QStringLiteral("a.mp3"));
        QVERIFY(TestFiles::write(path, frames(Mp3Fixtures::Header(), 417, 100) + id3v1("Song", 4, 17)));
        QByteArray out;
        QCOMPARE(run({QStringLiteral("analyze"), path, path}, &out), 0);
        const QList<QByteArray> lines = out.trimmed().split('\n');
        QCOMPARE(lines.size(), 2);
        const QJsonObject o = QJsonDocument::fromJson(lines[0]).object();
        QCOMPARE(o.size(), 22);
        QCOMPARE(o.value(QStringLiteral("path")).toString(), path);
        QCOMPARE(o.value(QStringLiteral("flags")).toInt(), 3);
        QCOMPARE(o.value(QStringLiteral("title")).toString(), QStringLiteral("Song"));
        QCOMPARE(o.value(QStringLiteral("genreName")).toString(), QStringLiteral("Rock"));
        QCOMPARE(o.value(QStringLiteral("frames")).toInt(), 100);
        QCOMPARE(o.value(QStringLiteral("bitRate")).toInt(), 128);
        QCOMPARE(o.value(QStringLiteral("fileSize")).toDouble(), 100.0 * 417 + 128);
        QVERIFY(run({QStringLiteral("analyze"), m_dir.filePath(QStringLiteral("none.mp3"))}) > 0);
        QVERIFY(run({QStringLiteral("analyze"), path, m_dir.filePath(QStringLiteral("none.mp3"))}, &out) > 0);
        QCOMPARE(out.trimmed().split('\n').size(), 1);
    }

    void tagChangesGivenFields()
    {
        const QString path = m_dir.filePath(QStringLiteral("t.mp3"));
        QVERIFY(TestFiles::write(path, frames(Mp3Fixtures::Header(), 417, 10) + id3v1("Old", 2, 0)));
        QCOMPARE(run({QStringLiteral("tag"), path, QStringLiteral("--artist"), QStringLiteral("Ärzte"),
                      QStringLiteral("--track"), QStringLiteral("9"), QStringLiteral("--genre"),
                      QStringLiteral("Trash Metal")}),
                 0);
        CMpegAudioInfo info;
        QVERIFY(info.ReadTag(path));
        QCOMPARE(info.GetTitle(), QStringLiteral("Old"));
        QCOMPARE(info.GetArtist(), QStringLiteral("Ärzte"));
        QCOMPARE(info.GetTrack(), 9);
        QCOMPARE(info.GetGenre(), 144);
        QCOMPARE(info.GetFileSize(), qint64(10 * 417 + 128));
        QCOMPARE(run({QStringLiteral("tag"), path, QStringLiteral("--genre"), QStringLiteral("trash metal")}),
                 2);
        QCOMPARE(run({QStringLiteral("tag"), path, QStringLiteral("--track")}), 2);
        QCOMPARE(run({QStringLiteral("tag"), m_dir.filePath(QStringLiteral("none.mp3")),
                      QStringLiteral("--title"), QStringLiteral("x")}),
                 1);
    }
};

MELVORA_TEST(CliTest);

#include "CliTest.moc"
