// The playlist file: its records, the text rule of its keys, the safe write, and the lookup of its
// keys in the catalog.
#include "lists/ListFixture.h"
#include "playback/PlaylistFile.h"
#include "playback/PlaylistLoader.h"
#include "playback/PlaybackTests.h"

#include <QTemporaryDir>

namespace {

class PlaylistFileTest : public QObject
{
    Q_OBJECT

    ListFixture f;

    static QByteArray record(const QByteArray &text)
    {
        QByteArray r = text.left(KivPlaylistFile::RecordSize);
        r.append(QByteArray(KivPlaylistFile::RecordSize - r.size(), '\0'));
        return r;
    }

private Q_SLOTS:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("keys");
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("two records") << record("(M)a.mp3") + record("(M)Rock\\b.mp3")
                                     << QStringList{"(M)a.mp3", "(M)Rock\\b.mp3"};
        QTest::newRow("duplicates") << record("(M)a.mp3") + record("(M)a.mp3") << QStringList{"(M)a.mp3", "(M)a.mp3"};
        QTest::newRow("short last record") << record("(M)a.mp3") + QByteArray("(M)b.m") << QStringList{"(M)a.mp3", "(M)b.m"};
        QTest::newRow("one byte") << QByteArray("x") << QStringList{"x"};
        QTest::newRow("full record without zero") << QByteArray(300, 'k') << QStringList{QString(300, u'k')};
        QTest::newRow("windows-1252") << record("(M)M\xf6we.mp3") << QStringList{QString::fromUtf8("(M)Möwe.mp3")};
        QTest::newRow("utf-8") << record("(M)\xe2\x82\xac\xc5\x81.mp3") << QStringList{QString::fromUtf8("(M)€Ł.mp3")};
        QTest::newRow("garbage after zero") << record("(M)a.mp3").replace(200, 5, "junk!") << QStringList{"(M)a.mp3"};
    }

    void parse()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, keys);
        QCOMPARE(KivPlaylistFile::Parse(bytes), keys);
    }

    void composeRoundTrips()
    {
        const QStringList keys{QStringLiteral("(Musik)Rock\\it's.mp3"), QStringLiteral("(Musik)Rock\\it's.mp3"),
                               QString::fromUtf8("(Musik)Łódź\\€.mp3"), QString::fromUtf8("(Musik)Möwe.mp3")};
        const QByteArray bytes = KivPlaylistFile::Compose(keys);
        QCOMPARE(bytes.size(), 4 * 300);
        QCOMPARE(bytes.mid(900, 15), QByteArray("(Musik)M\xf6we.mp3", 15));
        QCOMPARE(KivPlaylistFile::Parse(bytes), keys);
        QCOMPARE(KivPlaylistFile::Compose({}), QByteArray());
        // A key of 300 bytes or more fills its record without a terminating zero.
        const QByteArray cut = KivPlaylistFile::Compose({QString(310, u'x'), QStringLiteral("y")});
        QCOMPARE(cut.size(), 600);
        QCOMPARE(cut.left(300), QByteArray(300, 'x'));
        QCOMPARE(KivPlaylistFile::Parse(cut), (QStringList{QString(300, u'x'), QStringLiteral("y")}));
    }

    void writeReplacesOnlyWhenComplete()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("list.atp"));
        QVERIFY(KivPlaylistFile::Write(path, {QStringLiteral("(M)a.mp3")}));
        QCOMPARE(QFileInfo(path).size(), 300);
        QVERIFY(KivPlaylistFile::Write(path, {}));
        QCOMPARE(QFileInfo(path).size(), 0);
        QVERIFY(KivPlaylistFile::Write(path, {QStringLiteral("(M)a.mp3"), QStringLiteral("(M)b.mp3")}));
        // A folder that cannot take the new file: the write fails and the old file stays whole.
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        const bool writable = QFile(dir.filePath(QStringLiteral("probe"))).open(QIODevice::WriteOnly);
        if (!writable)
            QVERIFY(!KivPlaylistFile::Write(path, {QStringLiteral("(M)c.mp3")}));
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QCOMPARE(KivPlaylistFile::Read(path).value(), (QStringList{"(M)a.mp3", "(M)b.mp3"}));
        QVERIFY(!KivPlaylistFile::Read(dir.filePath(QStringLiteral("missing.atp"))));
        QVERIFY(!KivPlaylistFile::Write(dir.filePath(QStringLiteral("no/such/folder/x.atp")), {}));
    }

    void lookupKeepsOrderAndDuplicatesAndSkipsMissing()
    {
        QVERIFY(f.setUp());
        QVERIFY(f.addSong(QStringLiteral("It's\\"), QStringLiteral("O'Brien.mp3"), "Quote", "Irish"));
        const QString a = QStringLiteral("(Musik)Rock\\a.mp3");
        const QString b = QStringLiteral("(Musik)b.mp3");
        const QString quoted = QStringLiteral("(Musik)It's\\O'Brien.mp3");
        const QStringList keys{b, QStringLiteral("(Musik)gone.mp3"), quoted, a, b, QStringLiteral("(Other)b.mp3")};
        std::vector<CKivMp3::Ptr> items;
        QVERIFY(KivPlaylistLoader::Load(f.db(), f.doc->GetMedia(), keys, items));
        QStringList found;
        for (const CKivMp3::Ptr &item : items)
            found.append(item->MediumSubPathFilename());
        QCOMPARE(found, (QStringList{b, quoted, a, b}));
        QCOMPARE(items[2]->GetTitle(), QStringLiteral("alpha"));
        QCOMPARE(items[0]->Medium(), f.musik());
        QVERIFY(items[0] != items[3]);
        QVERIFY(items[0]->IsOnline());
        f.doc.reset();
    }

    void lookupInBatches()
    {
        QVERIFY(f.setUp());
        // More keys than one batch holds, most of them missing: the same items in the same order.
        QStringList keys;
        for (int i = 0; i < KivPlaylistLoader::BatchSize + 7; ++i)
            keys.append(QStringLiteral("(Musik)missing%1.mp3").arg(i));
        keys.insert(3, QStringLiteral("(Musik)c.mp3"));
        keys.append(QStringLiteral("(Musik)b.mp3"));
        std::vector<CKivMp3::Ptr> items;
        QVERIFY(KivPlaylistLoader::Load(f.db(), f.doc->GetMedia(), keys, items));
        QCOMPARE(items.size(), size_t(2));
        QCOMPARE(items[0]->GetFilename(), QStringLiteral("c.mp3"));
        QCOMPARE(items[1]->GetFilename(), QStringLiteral("b.mp3"));
        f.doc.reset();
    }
};

} // namespace

int runPlaylistFileTest(int argc, char **argv)
{
    PlaylistFileTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "PlaylistFileTest.moc"
