#include "media/scan/ScanFind.h"
#include "mp3/AnalysisAhead.h"
#include "mp3/Id3v2Builder.h"
#include "scan/ScanFixture.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QtTest>

// The first phase of a scan analyses the files next in line on a pool ahead of the loop: the items it builds,
// their order and the messages it shows are those of the plain sequential reading, a cancelled scan
// leaves no reader behind, and a file that vanishes after it was found is reported as before.
class ScanAheadTest : public QObject
{
    Q_OBJECT

private:
    ScanFixture f;
    QString root;

    struct Outcome
    {
        QStringList items;    // every field of every item, in list order
        QStringList messages; // caption and text of every message, in order
    };

    static QString describe(const CKivMp3Data &d)
    {
        QStringList fields{d.Key(),     d.m_Title,     d.m_Artist,      d.m_Album,   d.m_Year,
                           d.m_Comment, d.m_GenreName, d.m_SearchIndex, d.m_SubPath, d.m_Filename};
        for (const qint32 value :
             {d.m_TrackNr, d.m_Genre, d.m_Frames, d.m_Length, d.m_MpegVersion, d.m_MpegLayer, d.m_HasCRC,
              d.m_BitRate, d.m_SampleRate, d.m_Emphasis, d.m_Copyright, d.m_Original, d.m_ChannelMode,
              d.m_Bewertung, d.m_FileSize, d.m_Validity, d.m_ID, d.m_FolderID})
            fields << QString::number(value);
        return fields.join(QLatin1Char('|'));
    }

    Outcome findWith(bool ahead, bool quick)
    {
        CKivAnalysisAhead::SetEnabled(ahead);
        f.ui.clear();
        auto list = f.scanList(QStringLiteral("Musik"), QString(), quick);
        list->SetBusy(1);
        KivScanFind::Run(*list);
        CKivAnalysisAhead::SetEnabled(true);
        Outcome outcome;
        for (const CKivMp3::Ptr &item : list->items())
            outcome.items << describe(item->Data());
        for (const auto &message : f.ui.messages())
            outcome.messages << message.caption + QLatin1Char(':') + message.text;
        return outcome;
    }

    bool write(const QString &relative, const QByteArray &content)
    {
        const QString path = root + relative;
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
    }

    // A tree of several hundred files of every kind the readers meet: plain songs of many lengths,
    // ID3v2 tags before the frames (one with a picture bigger than the head the readers take),
    // empty, truncated and garbage files, names in any case, deep folders.
    bool writeTree()
    {
        for (int i = 0; i < 400; ++i) {
            const QString folder = QStringLiteral("A%1/B%2/").arg(i % 7).arg(i % 3);
            const QByteArray title = "Song " + QByteArray::number(i);
            if (!ScanFixture::writeSong(root + folder + QStringLiteral("s%1.mp3").arg(i), title,
                                        1 + (i * 37) % 300))
                return false;
        }
        const QByteArray song = SyntheticMp3::frames(50) + SyntheticMp3::tag("V1 title", "V1 artist");
        const QByteArray v2 =
            Id3v2Builder::tag({{"TIT2", Id3v2Builder::textBody(3, {QStringLiteral("Grüße")})},
                               {"TPE1", Id3v2Builder::textBody(0, {QStringLiteral("Künstler")})}},
                              {});
        const QByteArray picture =
            Id3v2Builder::tag({{"APIC", Id3v2Builder::pictureBody(200000)},
                               {"TIT2", Id3v2Builder::textBody(0, {QStringLiteral("Behind")})}},
                              {});
        return write(QStringLiteral("v2.mp3"), v2 + song) &&
               write(QStringLiteral("Bilder/cover.MP3"), picture + song) &&
               write(QStringLiteral("empty.mp3"), QByteArray()) &&
               write(QStringLiteral("short.Mp3"), song.left(300)) &&
               write(QStringLiteral("garbage.mp3"), QByteArray(70000, '\xff')) &&
               write(QStringLiteral("tagonly.mp3"), SyntheticMp3::tag("Only", "Tag"));
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(f.recreate());
        root = f.addMedium(QStringLiteral("Musik"));
        QVERIFY(!root.isEmpty());
    }

    void itemsAndOrderAreThoseOfTheSequentialReading_data()
    {
        QTest::addColumn<bool>("quick");
        QTest::newRow("full analysis") << false;
        QTest::newRow("quick import") << true;
    }

    void itemsAndOrderAreThoseOfTheSequentialReading()
    {
        QFETCH(bool, quick);
        QVERIFY(writeTree());
        const Outcome sequential = findWith(false, quick);
        const Outcome ahead = findWith(true, quick);
        QCOMPARE(sequential.items.size(), 406);
        QCOMPARE(ahead.items, sequential.items);
        QCOMPARE(ahead.messages, sequential.messages);
        QCOMPARE(CKivAnalysisAhead::LiveWorkers(), 0);
    }

    // The walk reports the file whose name holds "\" after it found "0.mp3" and before anything is
    // read; "0.mp3" vanishes then. Reading it fails as it always did; the message of that failure
    // cancels the scan, which ends without a reader left running.
    void aVanishedFileIsReportedAndCancellingEndsTheReaders()
    {
        QVERIFY(ScanFixture::writeSong(root + QStringLiteral("0.mp3"), "Zero"));
        QVERIFY(ScanFixture::writeSong(root + QStringLiteral("a\\b.mp3"), "Backslash"));
        for (int i = 0; i < 300; ++i)
            QVERIFY(ScanFixture::writeSong(root + QStringLiteral("F/s%1.mp3").arg(i, 3, 10, QLatin1Char('0')),
                                           "S"));

        auto list = f.scanList(QStringLiteral("Musik"));
        f.ui.onMessage = [&](const QString &text) {
            if (text.contains(QStringLiteral("\"\\\"")))
                QFile::remove(root + QStringLiteral("0.mp3"));
            else if (text.contains(QStringLiteral("0.mp3")))
                list->Cancel();
        };
        list->SetBusy(1);
        KivScanFind::Run(*list);
        f.ui.onMessage = nullptr;

        QCOMPARE(CKivAnalysisAhead::LiveWorkers(), 0);
        QCOMPARE(list->GetTotal(), 301);
        QCOMPARE(int(list->items().size()), 1);
        QCOMPARE(list->items().at(0)->Data().m_Filename, QStringLiteral("0.mp3"));
        QCOMPARE(list->items().at(0)->Data().m_Frames, 0);
        const auto messages = f.ui.messages();
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages.at(1).caption, QStringLiteral("Mp3 kann nicht geöffnet werden !"));
        QCOMPARE(list->GetBusy(), 0);
    }
};

MELVORA_TEST(ScanAheadTest, CatalogFixture::isolateOdbcIni);

#include "ScanAheadTest.moc"
