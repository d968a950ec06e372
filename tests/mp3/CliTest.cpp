#include "mp3/Id3v2Builder.h"
#include "mp3/Mp3Fixtures.h"
#include "support/TestRegistry.h"

#include "mp3/MpegAudioInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

    static int run(const QStringList &args, QByteArray *out = nullptr, QByteArray *err = nullptr)
    {
        QProcess p;
        p.start(QStringLiteral(MELVORA_CLI), args);
        if (!p.waitForFinished(30000))
            return -1;
        if (out)
            *out = p.readAllStandardOutput();
        if (err)
            *err = p.readAllStandardError();
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
        QCOMPARE(o.size(), 23);
        QCOMPARE(o.value(QStringLiteral("id3v2Version")).toInt(), 0);
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
                 1);
        QCOMPARE(run({QStringLiteral("tag"), path, QStringLiteral("--track")}), 1);
        QCOMPARE(run({QStringLiteral("tag"), m_dir.filePath(QStringLiteral("none.mp3")),
                      QStringLiteral("--title"), QStringLiteral("x")}),
                 1);
    }

    void helpVersionAndOptionForms_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("--help") << QStringList{QStringLiteral("--help")} << 0 << QStringLiteral("usage: melvora-cli")
                                << QString();
        QTest::newRow("-h") << QStringList{QStringLiteral("-h")} << 0 << QStringLiteral("search TEXT") << QString();
        QTest::newRow("help COMMAND") << QStringList{QStringLiteral("help"), QStringLiteral("tag")} << 0
                                      << QStringLiteral("usage: melvora-cli tag FILE") << QString();
        QTest::newRow("COMMAND --help") << QStringList{QStringLiteral("scan"), QStringLiteral("--help")} << 0
                                        << QStringLiteral("usage: melvora-cli scan MEDIUM") << QString();
        QTest::newRow("--version") << QStringList{QStringLiteral("--version")} << 0 << QStringLiteral("melvora-cli 1.")
                                   << QString();
        QTest::newRow("no command") << QStringList{} << 1 << QString() << QStringLiteral("usage: melvora-cli");
        QTest::newRow("unknown command") << QStringList{QStringLiteral("frobnicate")} << 1 << QString()
                                         << QStringLiteral("unknown command frobnicate");
        QTest::newRow("unknown leading option") << QStringList{QStringLiteral("--colour"), QStringLiteral("analyze")}
                                                << 1 << QString() << QStringLiteral("unknown option --colour");
        QTest::newRow("unknown option of a command")
            << QStringList{QStringLiteral("tag"), QStringLiteral("x.mp3"), QStringLiteral("--titel"), QStringLiteral("T")}
            << 1 << QString() << QStringLiteral("unknown option --titel");
        QTest::newRow("unknown option of a login command")
            << QStringList{QStringLiteral("search"), QStringLiteral("x"), QStringLiteral("--jsn")} << 1 << QString()
            << QStringLiteral("unknown option --jsn");
        QTest::newRow("catalog option") << QStringList{QStringLiteral("catalog"), QStringLiteral("check"),
                                                       QStringLiteral("--dsn=X"), QStringLiteral("--fast")}
                                        << 1 << QString() << QStringLiteral("unknown option --fast");
    }

    void helpVersionAndOptionForms()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QByteArray o;
        QByteArray e;
        QCOMPARE(run(args, &o, &e), code);
        QVERIFY2(QString::fromUtf8(o).contains(out), o.constData());
        QVERIFY2(QString::fromUtf8(e).contains(err), e.constData());
    }

    void cannotOpenNamesTheReason()
    {
        const QString folder = m_dir.filePath(QStringLiteral("folder.mp3"));
        QVERIFY(QDir().mkpath(folder));
        const QString locked = m_dir.filePath(QStringLiteral("locked.mp3"));
        QVERIFY(TestFiles::write(locked, frames(Mp3Fixtures::Header(), 417, 2)));
        QVERIFY(QFile::setPermissions(locked, QFileDevice::WriteOwner));
        const bool root = QFileInfo(locked).isReadable();
        const QList<QPair<QString, QString>> cases = {
            {m_dir.filePath(QStringLiteral("none.mp3")), QStringLiteral("no such file")},
            {folder, QStringLiteral("is a folder")},
            {QStringLiteral("/dev/null"), QStringLiteral("not a regular file")},
            {locked, QStringLiteral("permission denied")},
        };
        for (const auto &[path, reason] : cases) {
            if (root && path == locked)
                continue;
            for (const QString &command : {QStringLiteral("analyze"), QStringLiteral("tag")}) {
                QByteArray err;
                QCOMPARE(run({command, path}, nullptr, &err), 1);
                QCOMPARE(QString::fromUtf8(err).trimmed(),
                         QStringLiteral("melvora-cli: cannot open %1: %2").arg(path, reason));
            }
        }
    }

    void tagWarnsWhenAValueIsCut()
    {
        const QString path = m_dir.filePath(QStringLiteral("-cut.mp3"));
        QVERIFY(TestFiles::write(path, frames(Mp3Fixtures::Header(), 417, 2)));
        const QString title = QStringLiteral("1234567890").repeated(4);
        QByteArray out;
        QByteArray err;
        // "--" lets the file name start with "-"; "--name=value" equals "--name value".
        QCOMPARE(run({QStringLiteral("tag"), QStringLiteral("--title=") + title, QStringLiteral("--track"),
                      QStringLiteral("300"), QStringLiteral("--year"), QStringLiteral("123456"),
                      QStringLiteral("--artist"), QStringLiteral("Fits"), QStringLiteral("--"), path},
                     &out, &err),
                 0);
        const QString warnings = QString::fromUtf8(err);
        QCOMPARE(warnings.count(QStringLiteral("warning:")), 3);
        QVERIFY(warnings.contains(QStringLiteral("--title \"%1\" does not fit into the ID3v1 tag; stored as \"%2\"")
                                      .arg(title, title.left(30))));
        QVERIFY(warnings.contains(QStringLiteral("stored as \"255\"")));
        QVERIFY(warnings.contains(QStringLiteral("stored as \"1234\"")));
        const QJsonObject o = QJsonDocument::fromJson(out).object();
        QCOMPARE(o.value(QStringLiteral("artist")).toString(), QStringLiteral("Fits"));
        QCOMPARE(o.value(QStringLiteral("track")).toInt(), 255);

        QCOMPARE(run({QStringLiteral("tag"), QStringLiteral("--title"), QStringLiteral("x"), QStringLiteral("--"), path},
                     nullptr, &err),
                 0);
        QVERIFY(err.isEmpty());
    }

    // The ID3v2 tag beside the ID3v1 fields; tag writes both.
    void analyzeAndTagWithId3v2()
    {
        const QString path = m_dir.filePath(QStringLiteral("v2.mp3"));
        Id3v2Builder::Options o;
        o.version = 4;
        o.padding = 200;
        QVERIFY(TestFiles::write(path, Id3v2Builder::tag({{"TIT2", Id3v2Builder::textBody(3, {QStringLiteral("Ein Titel, länger als dreißig Zeichen")})},
                                                          {"TCON", Id3v2Builder::textBody(3, {QStringLiteral("Electro Swing")})}},
                                                         o)
                                           + frames(Mp3Fixtures::Header(), 417, 10) + id3v1("Alt", 2, 0)));
        QByteArray out;
        QCOMPARE(run({QStringLiteral("analyze"), path}, &out), 0);
        QJsonObject a = QJsonDocument::fromJson(out.trimmed()).object();
        QCOMPARE(a.value(QStringLiteral("flags")).toInt(), 7);
        QCOMPARE(a.value(QStringLiteral("title")).toString(), QStringLiteral("Alt"));
        QCOMPARE(a.value(QStringLiteral("id3v2Version")).toInt(), 4);
        QJsonObject v2 = a.value(QStringLiteral("id3v2")).toObject();
        QCOMPARE(v2.value(QStringLiteral("title")).toString(), QStringLiteral("Ein Titel, länger als dreißig Zeichen"));
        QCOMPARE(v2.value(QStringLiteral("genre")).toInt(), 255);
        QCOMPARE(v2.value(QStringLiteral("genreName")).toString(), QStringLiteral("Electro Swing"));

        QCOMPARE(run({QStringLiteral("tag"), path, QStringLiteral("--artist"), QStringLiteral("Ärzte")}, &out), 0);
        a = QJsonDocument::fromJson(out.trimmed()).object();
        v2 = a.value(QStringLiteral("id3v2")).toObject();
        QCOMPARE(a.value(QStringLiteral("artist")).toString(), QStringLiteral("Ärzte"));
        QCOMPARE(a.value(QStringLiteral("title")).toString(), QStringLiteral("Ein Titel, länger als dreißig "));
        QCOMPARE(v2.value(QStringLiteral("artist")).toString(), QStringLiteral("Ärzte"));
        QCOMPARE(v2.value(QStringLiteral("title")).toString(), QStringLiteral("Ein Titel, länger als dreißig Zeichen"));
        QCOMPARE(v2.value(QStringLiteral("genreName")).toString(), QStringLiteral("Electro Swing"));
    }
};

MELVORA_TEST(CliTest);

#include "CliTest.moc"
