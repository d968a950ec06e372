#include "support/TestRegistry.h"

#include "mp3/Id3v2Builder.h"
#include "mp3/MpegAudioInfo.h"
#include "mp3item/ItemFixture.h"

// Changes of a stored item: tag fields through the file, offline refusals, failed writes that leave
// item, file and row as they were, rename rules, a new location and the marks of folder operations.
class ItemChangeTest : public QObject
{
    Q_OBJECT

    ItemFixture m_f;
    QString m_root;
    std::unique_ptr<CKivMedium> m_medium;
    CKivMp3::Ptr m_item;

    static CMpegAudioInfo tagOf(const QString &path)
    {
        CMpegAudioInfo info;
        info.ReadTag(path);
        return info;
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_f.recreate());
        m_root = m_f.folder(QStringLiteral("change"));
        m_medium = m_f.medium(QStringLiteral("Musik"), m_root);
        QVERIFY(m_medium);
        QVERIFY(ItemFixture::song(m_root, QStringLiteral("Rock\\"), QStringLiteral("a.mp3"), "Old title", "Old artist"));
        m_item = m_f.stored(m_medium.get(), QStringLiteral("Rock\\"), QStringLiteral("a.mp3"));
        QVERIFY(m_item);
    }

    void tagChangesGoIntoFileAndRow()
    {
        QVERIFY(m_item->SetArtist(QStringLiteral("Abba"), m_f.db()));
        QVERIFY(m_item->SetTitle(QStringLiteral("Waterloo"), m_f.db()));
        QVERIFY(m_item->SetTrackNr(300, m_f.db()));
        QCOMPARE(m_item->GetTrackNr(), 255);
        const CMpegAudioInfo file = tagOf(m_item->FullPath());
        QCOMPARE(file.GetArtist(), QStringLiteral("Abba"));
        QCOMPARE(file.GetTitle(), QStringLiteral("Waterloo"));
        QCOMPARE(file.GetTrack(), 255);
        QCOMPARE(file.GetGenre(), 17);
        const auto row = m_f.rowById(m_item->GetID());
        QCOMPARE(row->m_Artist, QStringLiteral("Abba"));
        QCOMPARE(row->m_TrackNr, 255);
        QCOMPARE(row->m_SearchIndex, QStringLiteral("(Musik),Rock\\a.mp3,Album,Abba,Waterloo,1999,Rock,"));
    }

    // A file with an ID3v2 tag: the item shows its full texts and free genre, and a setter writes
    // both tags while the catalog keeps the full text.
    void id3v2FileIsReadAndWrittenInStep()
    {
        const QString path = m_item->FullPath();
        const QString title = QStringLiteral("Ein sehr langer Titel, der nicht in dreißig Zeichen passt");
        Id3v2Builder::Options o;
        o.version = 3;
        o.padding = 64;
        QVERIFY(TestFiles::write(path, Id3v2Builder::tag({{"TIT2", Id3v2Builder::textBody(1, {title})},
                                                          {"TCON", Id3v2Builder::textBody(0, {QStringLiteral("Electro Swing")})}},
                                                         o)
                                           + SyntheticMp3::read(path)));
        CKivMp3::Ptr item = CKivMp3::FromFile(m_medium.get(), QStringLiteral("Rock\\"), QStringLiteral("a.mp3"), false);
        QCOMPARE(item->GetTitle(), title);
        QCOMPARE(item->GetGenre(), 255);
        QCOMPARE(item->GetGenreName(), QStringLiteral("Electro Swing"));
        QCOMPARE(item->GetValidity(), CMpegAudioInfo::kFlagTag | CMpegAudioInfo::kFlagFrames | CMpegAudioInfo::kFlagId3v2);
        QVERIFY(item->Save(m_f.db()));
        QVERIFY(CMpegAudioInfo::HasId3v2(path));

        QVERIFY(item->SetArtist(QStringLiteral("Neue Künstlerin"), m_f.db()));
        const CMpegAudioInfo file = tagOf(path);
        QCOMPARE(file.GetId3v2Tag().artist, QStringLiteral("Neue Künstlerin"));
        QCOMPARE(file.GetId3v1Tag().artist, QStringLiteral("Neue Künstlerin"));
        QCOMPARE(file.GetId3v2Tag().title, title);
        QCOMPARE(file.GetId3v2Tag().genreName, QStringLiteral("Electro Swing"));
        QVERIFY(title.startsWith(file.GetId3v1Tag().title));
        QCOMPARE(file.GetId3v1Tag().title.size(), 30);
        QCOMPARE(m_f.rowById(item->GetID())->m_Title, title);
    }

    void genreByNameMustMatchExactly()
    {
        QVERIFY(m_item->SetGenreByName(QStringLiteral("Trash Metal"), m_f.db()));
        QCOMPARE(m_item->GetGenre(), 144);
        QCOMPARE(tagOf(m_item->FullPath()).GetGenre(), 144);
        QVERIFY(!m_item->SetGenreByName(QStringLiteral("trash metal"), m_f.db()));
        QVERIFY(!m_item->SetGenreByName(QString(), m_f.db()));
        QCOMPARE(m_item->GetGenreName(), QStringLiteral("Trash Metal"));
        QCOMPARE(m_f.rowById(m_item->GetID())->m_Genre, 144);
    }

    void offlineSettersFailAndKeepTheOldValue()
    {
        ItemFixture::setOffline(*m_medium, true);
        const QByteArray before = SyntheticMp3::read(m_item->FullPath());
        QVERIFY(!m_item->SetArtist(QStringLiteral("New"), m_f.db()));
        QVERIFY(!m_item->SetGenreByName(QStringLiteral("Pop"), m_f.db()));
        QCOMPARE(m_item->GetArtist(), QStringLiteral("Old artist"));
        QCOMPARE(m_f.rowById(m_item->GetID())->m_Artist, QStringLiteral("Old artist"));
        QCOMPARE(SyntheticMp3::read(m_item->FullPath()), before);
        QVERIFY(!m_item->Rename(QStringLiteral("b"), m_f.db()));
    }

    void failedTagWriteLeavesItemAndRowUnchanged()
    {
        // The file vanished behind the catalog's back.
        QVERIFY(QFile::remove(m_item->FullPath()));
        QVERIFY(!m_item->SetTitle(QStringLiteral("New"), m_f.db()));
        QCOMPARE(m_item->GetTitle(), QStringLiteral("Old title"));
        QCOMPARE(m_item->GetSearchIndex(), QStringLiteral("(Musik),Rock\\a.mp3,Album,Old artist,Old title,1999,Rock,"));
        QCOMPARE(m_f.rowById(m_item->GetID())->m_Title, QStringLiteral("Old title"));
        QVERIFY(!QFile::exists(m_item->FullPath()));
    }

    void refusedRowPutsTheOldTagBackIntoTheFile()
    {
        // The catalog is gone when the row is to be written: the file must not keep the new title.
        m_f.db().Close();
        QVERIFY(!m_item->SetTitle(QStringLiteral("New"), m_f.db()));
        QCOMPARE(m_item->GetTitle(), QStringLiteral("Old title"));
        QCOMPARE(tagOf(m_item->FullPath()).GetTitle(), QStringLiteral("Old title"));
        QVERIFY(m_f.db().Connect(false));
        QCOMPARE(m_f.rowById(m_item->GetID())->m_Title, QStringLiteral("Old title"));
    }

    void renameRules()
    {
        QCOMPARE(m_item->Rename(QStringLiteral("Song"), m_f.db()).value_or(QString()), QStringLiteral("Song.mp3"));
        QCOMPARE(m_item->FullPath(), m_root + QStringLiteral("Rock/Song.mp3"));
        QVERIFY(QFile::exists(m_item->FullPath()));
        QCOMPARE(m_f.rowById(m_item->GetID())->m_MediumSubPathFilename, QStringLiteral("(Musik)Rock\\Song.mp3"));

        QCOMPARE(m_item->Rename(QStringLiteral("Song.MP3"), m_f.db()).value_or(QString()), QStringLiteral("Song.MP3"));
        QCOMPARE(m_item->GetFilename(), QStringLiteral("Song.MP3"));

        // A taken name gives way to a free one; the other file stays as it was.
        QVERIFY(ItemFixture::song(m_root, QStringLiteral("Rock\\"), QStringLiteral("Taken.mp3"), "Other"));
        QCOMPARE(m_item->Rename(QStringLiteral("Taken"), m_f.db()).value_or(QString()), QStringLiteral("Taken (2).mp3"));
        QCOMPARE(tagOf(m_root + QStringLiteral("Rock/Taken.mp3")).GetTitle(), QStringLiteral("Other"));
        QCOMPARE(m_f.rowById(m_item->GetID())->m_Filename, QStringLiteral("Taken (2).mp3"));
        QCOMPARE(m_f.rowCount<CRsMp3s>(), 1);
    }

    void renameRefusesNamesThatLeaveTheFolder()
    {
        for (const QString &name : {QStringLiteral("../up"), QStringLiteral("a/b"), QStringLiteral("a\\b"), QString()})
            QVERIFY2(!m_item->Rename(name, m_f.db()), qPrintable(name));
        QCOMPARE(m_item->GetFilename(), QStringLiteral("a.mp3"));
        QVERIFY(QFile::exists(m_root + QStringLiteral("Rock/a.mp3")));
    }

    void renameWhoseRowIsRefusedTakesTheFileBack()
    {
        // A stale row of a file deleted long ago holds the key of the new name.
        QVERIFY(ItemFixture::song(m_root, QStringLiteral("Rock\\"), QStringLiteral("Stale.mp3"), "S"));
        QVERIFY(m_f.stored(m_medium.get(), QStringLiteral("Rock\\"), QStringLiteral("Stale.mp3")));
        QVERIFY(QFile::remove(m_root + QStringLiteral("Rock/Stale.mp3")));
        QVERIFY(!m_item->Rename(QStringLiteral("Stale"), m_f.db()));
        QCOMPARE(m_item->GetFilename(), QStringLiteral("a.mp3"));
        QVERIFY(QFile::exists(m_root + QStringLiteral("Rock/a.mp3")));
        QVERIFY(!QFile::exists(m_root + QStringLiteral("Rock/Stale.mp3")));
    }

    void setLocationTakesFolderRowAndMediumName()
    {
        QVERIFY(m_item->SetLocation(m_medium.get(), QStringLiteral("Pop\\Best\\"), QStringLiteral("b.mp3"), m_f.db()));
        CRsFolder folders(m_f.db());
        QVERIFY(folders.OpenByPath(QStringLiteral("Musik"), QStringLiteral("Pop\\Best\\")));
        const qint32 folderId = folders.m_ID;
        folders.Close();
        const auto row = m_f.rowById(m_item->GetID());
        QCOMPARE(row->m_FolderID, folderId);
        QCOMPARE(row->m_MediumSubPathFilename, QStringLiteral("(Musik)Pop\\Best\\b.mp3"));

        // Onto another medium: the row names the medium the file is on.
        const auto other = m_f.medium(QStringLiteral("Other"), m_f.folder(QStringLiteral("other")));
        QVERIFY(m_item->SetLocation(other.get(), QString(), QStringLiteral("b.mp3"), m_f.db()));
        QCOMPARE(m_item->GetMediumname(), QStringLiteral("Other"));
        QCOMPARE(m_f.rowById(m_item->GetID())->m_MediumSubPathFilename, QStringLiteral("(Other)b.mp3"));
        QCOMPARE(m_f.rowById(m_item->GetID())->m_FolderID, 0);
        QCOMPARE(m_f.rowCount<CRsMp3s>(), 1);
    }

    void marksOfFolderOperations()
    {
        CKivMp3 &item = *m_item;
        QVERIFY(!item.MarkIfInside(QStringLiteral("Other"), QStringLiteral("Rock\\"), QString()));
        QVERIFY(!item.MarkIfInside(QStringLiteral("Musik"), QStringLiteral("Rock\\"), QStringLiteral("b.mp3")));
        QVERIFY(!item.IsMarked());
        QVERIFY(item.MarkIfInside(QStringLiteral("Musik"), QStringLiteral("Rock\\"), QStringLiteral("a.mp3")));
        QCOMPARE(item.StatusCode(nullptr), 3);

        QVERIFY(!item.ClearMarkById(item.GetID() + 1, QStringLiteral("X\\"), QStringLiteral("x.mp3")));
        QVERIFY(item.ClearMarkById(item.GetID(), QStringLiteral("Rock\\Alt\\"), QStringLiteral("c.mp3")));
        QVERIFY(!item.IsMarked());
        QCOMPARE(item.MediumSubPathFilename(), QStringLiteral("(Musik)Rock\\Alt\\c.mp3"));

        // The prefix must stand at the start, byte for byte.
        QVERIFY(item.MarkIfInside(QStringLiteral("Musik"), QStringLiteral("Rock\\"), QString()));
        QVERIFY(!item.MovePrefix(QStringLiteral("Musik"), QStringLiteral("Alt\\"), QStringLiteral("Neu\\")));
        QVERIFY(!item.MovePrefix(QStringLiteral("Musik"), QStringLiteral("rock\\"), QStringLiteral("Neu\\")));
        QVERIFY(item.IsMarked());
        QVERIFY(item.MovePrefix(QStringLiteral("Musik"), QStringLiteral("Rock\\"), QStringLiteral("Hard Rock\\")));
        QCOMPARE(item.GetSubPath(), QStringLiteral("Hard Rock\\Alt\\"));
        QVERIFY(!item.IsMarked());
        QCOMPARE(item.GetSearchIndex(), QStringLiteral("(Musik),Hard Rock\\Alt\\c.mp3,Album,Old artist,Old title,1999,Rock,"));
        QVERIFY(!item.MarkIfInside(QStringLiteral("Musik"), QStringLiteral("Rock\\"), QString()));
    }

    void statusOfStoredItemsFollowsTheMedium()
    {
        QCOMPARE(m_item->StatusCode(nullptr), 0);
        ItemFixture::setOffline(*m_medium, true);
        QCOMPARE(m_item->StatusCode(nullptr), 2);
        const CKivMp3::Ptr unsaved = CKivMp3::FromFile(m_medium.get(), QString(), QStringLiteral("x.mp3"), false);
        QCOMPARE(unsaved->StatusCode(nullptr), 9);
        QVERIFY(m_medium->RemoveAssignment(m_f.db()));
        m_medium->CheckOnline();
        QCOMPARE(m_item->StatusCode(nullptr), 1);
    }
};

MELVORA_TEST(ItemChangeTest, CatalogFixture::isolateOdbcIni);

#include "ItemChangeTest.moc"
