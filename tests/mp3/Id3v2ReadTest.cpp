#include "mp3/Id3v2Builder.h"
#include "mp3/Mp3Fixtures.h"
#include "support/TestRegistry.h"

#include "mp3/MemorySource.h"
#include "mp3/MpegAudioInfo.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Mp3Fixtures;
using Id3v2Builder::Frame;
using Id3v2Builder::Options;

namespace {

constexpr int kAudioFrames = 20;

QByteArray audio()
{
    return frames(Header{}, 417, kAudioFrames);
}

// Title, artist, album, year, comment, track and genre frames of a version in one encoding.
QList<Frame> fieldFrames(int version, int encoding, const QString &title)
{
    const bool v22 = version == 2;
    QList<Frame> list;
    list.append({v22 ? "TT2" : "TIT2", Id3v2Builder::textBody(encoding, {title})});
    list.append({v22 ? "TP1" : "TPE1", Id3v2Builder::textBody(encoding, {QStringLiteral("Erste"), QStringLiteral("Zweite")})});
    list.append({v22 ? "TAL" : "TALB", Id3v2Builder::textBody(encoding, {QStringLiteral("Album")})});
    if (version == 4)
        list.append({"TDRC", Id3v2Builder::textBody(encoding, {QStringLiteral("2019-05-01")})});
    else
        list.append({v22 ? "TYE" : "TYER", Id3v2Builder::textBody(encoding, {QStringLiteral("2019")})});
    // A comment with a description comes first: only the one without counts.
    list.append({v22 ? "COM" : "COMM", Id3v2Builder::commentBody(encoding, QStringLiteral("iTunNORM"), QStringLiteral("x"))});
    list.append({v22 ? "COM" : "COMM", Id3v2Builder::commentBody(encoding, QString(), QStringLiteral("Kommentar"))});
    list.append({v22 ? "TRK" : "TRCK", Id3v2Builder::textBody(encoding, {QStringLiteral("7/12")})});
    list.append({v22 ? "TCO" : "TCON", Id3v2Builder::textBody(encoding, {QStringLiteral("(17)Rock")})});
    return list;
}

} // namespace

class Id3v2ReadTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_count = 0;

    QString file(const QByteArray &data)
    {
        const QString path = m_dir.filePath(QStringLiteral("f%1.mp3").arg(++m_count));
        return TestFiles::write(path, data) ? path : QString();
    }

private Q_SLOTS:
    void cleanup() { CMpegAudioInfo::SetReadId3v1Only(false); }

    void readsEachVersionEncodingAndLayout_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("encoding");
        QTest::addColumn<bool>("unsync");
        QTest::addColumn<bool>("pictureFirst");
        QTest::addColumn<bool>("extended");
        QTest::addColumn<bool>("footer");
        QTest::addColumn<bool>("lengthIndicator");
        for (int version : {2, 3, 4}) {
            for (int encoding : {0, 1, 2, 3}) {
                for (bool unsync : {false, true}) {
                    const QByteArray name = QByteArray("2.") + QByteArray::number(version) + " enc "
                                          + QByteArray::number(encoding) + (unsync ? " unsync" : "");
                    QTest::newRow(name.constData()) << version << encoding << unsync << false << false << false << false;
                }
            }
            QTest::newRow(qPrintable(QStringLiteral("2.%1 picture first").arg(version)))
                << version << 1 << false << true << false << false << false;
            QTest::newRow(qPrintable(QStringLiteral("2.%1 picture first unsync").arg(version)))
                << version << 0 << true << true << false << false << false;
        }
        QTest::newRow("2.3 extended header") << 3 << 1 << false << false << true << false << false;
        QTest::newRow("2.4 extended header, footer") << 4 << 3 << false << true << true << true << false;
        QTest::newRow("2.4 length indicator, unsync") << 4 << 3 << true << true << false << false << true;
    }

    void readsEachVersionEncodingAndLayout()
    {
        QFETCH(int, version);
        QFETCH(int, encoding);
        QFETCH(bool, unsync);
        QFETCH(bool, pictureFirst);
        QFETCH(bool, extended);
        QFETCH(bool, footer);
        QFETCH(bool, lengthIndicator);
        const QString title = encoding == 0 ? QStringLiteral("Über die Straße") : QStringLiteral("Über ★ Straße");
        QList<Frame> list = fieldFrames(version, encoding, title);
        if (pictureFirst)
            list.prepend({version == 2 ? "PIC" : "APIC", Id3v2Builder::pictureBody(200000, version)});
        Options o;
        o.version = version;
        o.unsync = unsync;
        o.extendedHeader = extended;
        o.footer = footer;
        o.dataLengthIndicator = lengthIndicator;
        o.padding = 512;
        const QString path = file(Id3v2Builder::tag(list, o) + audio());

        for (bool full : {false, true}) {
            CMpegAudioInfo info;
            QVERIFY(full ? info.Analyze(path) : info.ReadTag(path));
            QCOMPARE(info.GetFlags() & ~CMpegAudioInfo::kFlagFrames, CMpegAudioInfo::kFlagId3v2);
            QCOMPARE(info.GetId3v2Tag().version, version);
            QCOMPARE(info.GetTitle(), title);
            QCOMPARE(info.GetArtist(), QStringLiteral("Erste"));
            QCOMPARE(info.GetAlbum(), QStringLiteral("Album"));
            QCOMPARE(info.GetYear(), QStringLiteral("2019"));
            QCOMPARE(info.GetComment(), QStringLiteral("Kommentar"));
            QCOMPARE(info.GetTrack(), 7);
            QCOMPARE(info.GetGenre(), 17);
            QCOMPARE(info.GetGenreName(), QStringLiteral("Rock"));
            if (full)
                QCOMPARE(info.GetFrameCount(), kAudioFrames);
        }
    }

    void genreTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("genre");
        QTest::addColumn<QString>("name");
        QTest::newRow("(17)") << "(17)" << 17 << "Rock";
        QTest::newRow("(17)Rock") << "(17)Rock" << 17 << "Rock";
        QTest::newRow("17") << "17" << 17 << "Rock";
        QTest::newRow("name") << "Trash Metal" << 144 << "Trash Metal";
        QTest::newRow("unknown name") << "Electro Swing" << 255 << "Electro Swing";
        QTest::newRow("other case") << "rock" << 255 << "rock";
        QTest::newRow("index beyond table") << "(200)" << 255 << "(200)";
        QTest::newRow("several values") << "(8)" << 8 << "Jazz";
    }

    void genreTexts()
    {
        QFETCH(QString, text);
        QFETCH(int, genre);
        QFETCH(QString, name);
        Options o;
        o.version = 4;
        const QString path = file(Id3v2Builder::tag({{"TCON", Id3v2Builder::textBody(3, {text, QStringLiteral("Pop")})}}, o)
                                  + audio() + id3v1("v1", 0, 13));
        CMpegAudioInfo info;
        QVERIFY(info.ReadTag(path));
        QCOMPARE(info.GetGenre(), genre);
        QCOMPARE(info.GetGenreName(), name);
    }

    // Each field from ID3v2 where its frame is there and not empty, else from ID3v1; the setting
    // gives back the ID3v1 values alone, for reading and for writing.
    void mergesWithId3v1AndObeysTheSetting()
    {
        Options o;
        o.version = 3;
        const QByteArray v2 = Id3v2Builder::tag({{"TIT2", Id3v2Builder::textBody(0, {QStringLiteral("Ein langer Titel über dreißig Zeichen")})},
                                                 {"TALB", Id3v2Builder::textBody(0, {QString()})},
                                                 {"TRCK", Id3v2Builder::textBody(0, {QStringLiteral("x")})}},
                                                o);
        const QByteArray v1 = id3v1("Kurz", 3, 8, "v1 comment");
        const QString path = file(v2 + audio() + v1);
        CMpegAudioInfo info;
        QVERIFY(info.Analyze(path));
        QCOMPARE(info.GetFlags(), CMpegAudioInfo::kFlagTag | CMpegAudioInfo::kFlagFrames | CMpegAudioInfo::kFlagId3v2);
        QCOMPARE(info.GetTitle(), QStringLiteral("Ein langer Titel über dreißig Zeichen"));
        QCOMPARE(info.GetAlbum(), QString());
        QCOMPARE(info.GetComment(), QStringLiteral("v1 comment"));
        QCOMPARE(info.GetTrack(), 3);
        QCOMPARE(info.GetGenre(), 8);
        QCOMPARE(info.GetGenreName(), QStringLiteral("Jazz"));

        CMpegAudioInfo::SetReadId3v1Only(true);
        QVERIFY(info.Analyze(path));
        QCOMPARE(info.GetFlags(), CMpegAudioInfo::kFlagTag | CMpegAudioInfo::kFlagFrames);
        QCOMPARE(info.GetTitle(), QStringLiteral("Kurz"));
        QCOMPARE(info.GetFrameCount(), kAudioFrames);
        // Writing then leaves the ID3v2 tag alone, as reading does.
        info.SetArtist(QStringLiteral("Neu"));
        QVERIFY(info.WriteTag(path));
        const QByteArray after = TestFiles::read(path);
        QCOMPARE(after.left(v2.size()), v2);
        CMpegAudioInfo::SetReadId3v1Only(false);
        QVERIFY(info.ReadTag(path));
        QCOMPARE(info.GetTitle(), QStringLiteral("Ein langer Titel über dreißig Zeichen"));
        QCOMPARE(info.GetArtist(), QStringLiteral("Neu"));
    }

    // A broken tag is ignored as a whole: the ID3v1 values stand, nothing crashes or hangs.
    void brokenTagsFallBackToId3v1_data()
    {
        QTest::addColumn<QByteArray>("head");
        Options o;
        o.version = 3;
        const QByteArray good = Id3v2Builder::tag({{"TIT2", Id3v2Builder::textBody(0, {QStringLiteral("v2")})}}, o);
        QByteArray pastEnd = good;
        pastEnd[6] = 0x7F;  // a size far beyond the file
        QTest::newRow("size past the end") << pastEnd;
        QByteArray longFrame = good;
        longFrame[17] = char(0x7F);  // the frame's size runs out of the tag
        QTest::newRow("frame longer than its tag") << longFrame;
        QByteArray version5 = good;
        version5[3] = 5;
        QTest::newRow("unknown version") << version5;
        QByteArray version1 = good;
        version1[3] = 1;
        QTest::newRow("version 1") << version1;
        QByteArray compressed22 = Id3v2Builder::tag({{"TT2", Id3v2Builder::textBody(0, {QStringLiteral("v2")})}}, Options{2});
        compressed22[5] = 0x40;
        QTest::newRow("2.2 compression") << compressed22;
        QByteArray badSize = good;
        badSize[8] = char(0x80);
        QTest::newRow("size not synchsafe") << badSize;
        Options ext;
        ext.version = 3;
        ext.extendedHeader = true;
        QByteArray badExtended = Id3v2Builder::tag({{"TIT2", Id3v2Builder::textBody(0, {QStringLiteral("v2")})}}, ext);
        badExtended[10] = 0x7F;
        QTest::newRow("extended header past the tag") << badExtended;
    }

    void brokenTagsFallBackToId3v1()
    {
        QFETCH(QByteArray, head);
        for (const QByteArray &tail : {audio() + id3v1("v1"), QByteArray()}) {
            const QString path = file(head + tail);
            CMpegAudioInfo info;
            QVERIFY(info.ReadTag(path));
            QVERIFY(!(info.GetFlags() & CMpegAudioInfo::kFlagId3v2));
            QCOMPARE(info.GetTitle(), tail.isEmpty() ? QString() : QStringLiteral("v1"));
            QVERIFY(info.Analyze(path));
            QVERIFY(!(info.GetFlags() & CMpegAudioInfo::kFlagId3v2));
        }
    }

    // Every prefix of a good tag reads without harm; the whole tag reads.
    void truncatedTagsReadCalmly()
    {
        Options o;
        o.version = 4;
        o.unsync = true;
        o.dataLengthIndicator = true;
        const QByteArray whole = Id3v2Builder::tag(fieldFrames(4, 1, QStringLiteral("T")), o);
        for (qsizetype n = 0; n < whole.size(); ++n) {
            CId3v2Tag tag;
            CKivMemorySource source(whole.constData(), n);
            QVERIFY(!tag.read(source, n));
        }
        CId3v2Tag tag;
        CKivMemorySource source(whole.constData(), whole.size());
        QVERIFY(tag.read(source, whole.size()));
        QCOMPARE(tag.title, QStringLiteral("T"));
        QCOMPARE(tag.tagSize, whole.size());
    }
};

MELVORA_TEST(Id3v2ReadTest);

#include "Id3v2ReadTest.moc"
