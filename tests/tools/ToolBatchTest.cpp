#include "support/TestRegistry.h"

#include "catalog/RsMp3s.h"
#include "mp3/MpegAudioInfo.h"
#include "support/MediaWorkspace.h"
#include "support/SyntheticMp3.h"
#include "tools/BatchUndo.h"
#include "tools/RenameBatch.h"
#include "tools/RenameRules.h"
#include "tools/TagBatch.h"
#include "tools/TagSelection.h"
#include "tools/WriteGuard.h"

#include <QFile>
#include <QtTest>

// The tag and renaming batches on real files and both catalog engines: what the first editor's
// opening shows, that only ticked fields change, a failing file in the middle of a batch, renaming
// from tags with name clashes and unusable names, and taking a batch back.
class ToolBatchTest : public QObject
{
    Q_OBJECT

    MediaWorkspace m_w;
    QString m_root;
    std::unique_ptr<CKivMedium> m_medium;
    std::vector<CKivMp3::Ptr> m_items;
    int m_released = 0;

    // A stored item for root + subPath + name with the given title and artist.
    CKivMp3::Ptr song(const QString &subPath, const QString &name, const QByteArray &title,
                      const QByteArray &artist = "Artist")
    {
        const QString path = QString(m_root + subPath).replace(u'\\', u'/') + name;
        if (!SyntheticMp3::writeSong(path, title, artist))
            return nullptr;
        CKivMp3::Ptr item = CKivMp3::FromFile(m_medium.get(), subPath, name, false);
        return item->Save(m_w.db()) ? item : nullptr;
    }

    static CMpegAudioInfo fileTag(const CKivMp3::Ptr &item)
    {
        CMpegAudioInfo info;
        info.ReadTag(item->FullPath());
        return info;
    }

    std::unique_ptr<CRsMp3s> row(const CKivMp3::Ptr &item)
    {
        auto rs = std::make_unique<CRsMp3s>(m_w.db());
        if (!rs->OpenById(item->GetID()))
            return nullptr;
        rs->Close();
        return rs;
    }

    KivBatchHooks hooks()
    {
        KivBatchHooks h;
        h.releaseFile = [this] { ++m_released; };
        return h;
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_w.recreate());
        m_root = m_w.folder(QStringLiteral("tools"));
        m_medium = m_w.medium(QStringLiteral("Musik"), m_root);
        QVERIFY(m_medium);
        m_items.clear();
        for (const char *name : {"a.mp3", "b.mp3", "c.mp3"}) {
            m_items.push_back(song(QStringLiteral("Rock\\Live\\"), QLatin1String(name), QByteArray("Title ") + name[0]));
            QVERIFY(m_items.back());
        }
        m_released = 0;
        CKivBatchUndo::Last().Clear();
    }

    void cleanup()
    {
        m_items.clear();
        m_medium.reset();
    }

    void selectionSummary()
    {
        for (const CKivMp3::Ptr &item : m_items)
            item->SetFolderID(5);
        KivTagSelection s = KivTagSelection::Of(m_items);
        QCOMPARE(s.count, 3);
        QCOMPARE(s.folderName, QStringLiteral("Live"));
        QCOMPARE(s.artists, QStringList{QStringLiteral("Artist")});
        QCOMPARE(s.titles.size(), 3);
        QCOMPARE(KivTagSelection::Of({}).count, 0);
        QVERIFY(KivTagSelection::Of({}).folderName.isEmpty());

        // Artists that differ in case only show once; two folders give no common name.
        const CKivMp3::Ptr other = song(QStringLiteral("Pop\\Other\\"), QStringLiteral("d.mp3"), "D", "ARTIST");
        QVERIFY(other);
        other->SetFolderID(6);
        QCOMPARE(KivTagSelection::Of({other}).folderName, QStringLiteral("Other"));
        s = KivTagSelection::Of({m_items[0], other});
        QCOMPARE(s.artists, QStringList{QStringLiteral("Artist")});
        QVERIFY(s.folderName.isEmpty());

        // A sub-path without an inner "\\" gives no folder name.
        const CKivMp3::Ptr top = song(QStringLiteral("Pop\\"), QStringLiteral("e.mp3"), "E");
        QVERIFY(top);
        QVERIFY(KivTagSelection::Of({top}).folderName.isEmpty());
    }

    void onlyTickedFieldsChange()
    {
        KivTagEdits edits;
        edits.album = QStringLiteral("Live 1999");
        const KivBatchSummary sum =
            KivTagBatch::Run(KivTagBatch::FromEdits(m_items, edits), m_w.db(), hooks(), true, nullptr);
        QCOMPARE(sum.ok, 3);
        QCOMPARE(m_released, 1);
        for (const CKivMp3::Ptr &item : m_items) {
            QCOMPARE(fileTag(item).GetAlbum(), QStringLiteral("Live 1999"));
            QCOMPARE(row(item)->m_Album, QStringLiteral("Live 1999"));
            QCOMPARE(item->GetTitle(), QStringLiteral("Title ") + item->GetFilename().at(0));
            QCOMPARE(fileTag(item).GetArtist(), QStringLiteral("Artist"));
        }

        // A track text "7a" is stored as 7; the empty genre is no failure and leaves the genre.
        edits = {};
        edits.track = QStringLiteral("7a");
        edits.genre = QString();
        const KivBatchSummary second =
            KivTagBatch::Run(KivTagBatch::FromEdits({m_items[0]}, edits), m_w.db(), hooks(), true, nullptr);
        QCOMPARE(second.failed, 0);
        QCOMPARE(fileTag(m_items[0]).GetTrack(), 7);
        QCOMPARE(m_items[0]->GetGenre(), 17);
    }

    void failingFileInTheMiddle()
    {
        const QString locked = m_items[1]->FullPath();
        const QByteArray before = SyntheticMp3::read(locked);
        QVERIFY(QFile::setPermissions(locked, QFileDevice::ReadOwner));
        KivBatchSummary sum;
        {
            WriteGuard guard;
            QFile probe(locked);
            if (probe.open(QIODevice::ReadWrite)) {
                QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
                QSKIP("this user may write read-only files");
            }
            KivTagEdits edits;
            edits.artist = QStringLiteral("Neu");
            KivBatchHooks h = hooks();
            QStringList statuses;
            h.report = [&statuses](const KivFileOutcome &o) { statuses << KivFileOutcome::StatusText(o.status); };
            sum = KivTagBatch::Run(KivTagBatch::FromEdits(m_items, edits), m_w.db(), h, false, nullptr);
            QCOMPARE(statuses, (QStringList{QStringLiteral("ok"), QStringLiteral("failed"), QStringLiteral("ok")}));
        }
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(sum.ok, 2);
        QCOMPARE(sum.failed, 1);
        QCOMPARE(SyntheticMp3::read(locked), before);
        QCOMPARE(m_items[1]->GetArtist(), QStringLiteral("Artist"));
        QCOMPARE(row(m_items[1])->m_Artist, QStringLiteral("Artist"));
        QCOMPARE(row(m_items[2])->m_Artist, QStringLiteral("Neu"));
        QCOMPARE(fileTag(m_items[0]).GetArtist(), QStringLiteral("Neu"));
    }

    void tagsFromNamesAndUndo()
    {
        const CKivMp3::Ptr named = song(QStringLiteral("Rock\\Live\\"), QStringLiteral("Queen - Innuendo.mp3"), "x");
        QVERIFY(named);
        const std::vector<CKivMp3::Ptr> items{named, m_items[0]};
        const std::vector<KivTagJob> jobs =
            KivTagBatch::FromNames(items, KivFilenamePattern::Default(), QStringLiteral("Live"), false, true);
        QCOMPARE(KivTagBatch::Preview(jobs[1]).status, KivFileOutcome::NoMatch);
        const KivBatchSummary sum = KivTagBatch::Run(jobs, m_w.db(), hooks(), true, &CKivBatchUndo::Last());
        QCOMPARE(sum.ok, 1);
        QCOMPARE(sum.noMatch, 1);
        QCOMPARE(fileTag(named).GetArtist(), QStringLiteral("Queen"));
        QCOMPARE(fileTag(named).GetTitle(), QStringLiteral("Innuendo"));
        QCOMPARE(row(named)->m_Album, QStringLiteral("Live"));
        QCOMPARE(m_items[0]->GetAlbum(), QStringLiteral("Album"));

        QVERIFY(CKivBatchUndo::Last().CanUndo());
        const KivBatchSummary undone = CKivBatchUndo::Last().Undo(m_w.db(), hooks());
        QCOMPARE(undone.ok, 1);
        QVERIFY(!CKivBatchUndo::Last().CanUndo());
        QCOMPARE(fileTag(named).GetArtist(), QStringLiteral("Artist"));
        QCOMPARE(fileTag(named).GetTitle(), QStringLiteral("x"));
        QCOMPARE(row(named)->m_Album, QStringLiteral("Album"));
        QCOMPARE(row(named)->m_Artist, QStringLiteral("Artist"));
    }

    void undoLeavesFilesChangedSince()
    {
        KivTagEdits edits;
        edits.comment = QStringLiteral("batch");
        KivTagBatch::Run(KivTagBatch::FromEdits(m_items, edits), m_w.db(), hooks(), true, &CKivBatchUndo::Last());
        QCOMPARE(CKivBatchUndo::Last().Count(), 3);
        QVERIFY(m_items[2]->SetTitle(QStringLiteral("changed later"), m_w.db()));
        const KivBatchSummary undone = CKivBatchUndo::Last().Undo(m_w.db(), hooks());
        QCOMPARE(undone.ok, 2);
        QCOMPARE(undone.failed, 1);
        QCOMPARE(fileTag(m_items[0]).GetComment(), QString());
        QCOMPARE(fileTag(m_items[2]).GetComment(), QStringLiteral("batch"));
        QCOMPARE(row(m_items[2])->m_Title, QStringLiteral("changed later"));
    }

    void renameFromTagsWithClashesAndUndo()
    {
        QVERIFY(m_items[0]->SetArtist(QStringLiteral("Queen "), m_w.db()));
        QVERIFY(m_items[0]->SetTitle(QStringLiteral("Innuendo"), m_w.db()));
        QVERIFY(m_items[1]->SetArtist(QStringLiteral("Queen"), m_w.db()));
        QVERIFY(m_items[1]->SetTitle(QStringLiteral("Innuendo"), m_w.db()));
        const auto pattern = *KivRenameRules::TagPattern::FromText(QStringLiteral("Artist| - |Title"));
        std::vector<KivRenameJob> jobs;
        for (const CKivMp3::Ptr &item : m_items)
            jobs.push_back({item, pattern.Compose(*item, item->GetFilename())});
        jobs[2].preview = QStringLiteral("..");
        QCOMPARE(jobs[0].preview, QStringLiteral("Queen - Innuendo"));
        QCOMPARE(KivRenameBatch::Collisions(jobs), (std::vector<bool>{true, true, false}));
        QCOMPARE(KivRenameBatch::Preview(jobs[2], false).status, KivFileOutcome::Failed);

        const QString oldA = m_items[0]->FullPath();
        const KivBatchSummary sum = KivRenameBatch::Run(jobs, m_w.db(), hooks(), &CKivBatchUndo::Last());
        QCOMPARE(sum.ok, 2);
        QCOMPARE(sum.failed, 1);
        QCOMPARE(m_items[0]->GetFilename(), QStringLiteral("Queen - Innuendo.mp3"));
        QCOMPARE(m_items[1]->GetFilename(), QStringLiteral("Queen - Innuendo (2).mp3"));
        QCOMPARE(m_items[2]->GetFilename(), QStringLiteral("c.mp3"));
        QVERIFY(!QFile::exists(oldA));
        QVERIFY(QFile::exists(m_items[1]->FullPath()));
        QCOMPARE(row(m_items[1])->m_Filename, QStringLiteral("Queen - Innuendo (2).mp3"));

        const KivBatchSummary undone = CKivBatchUndo::Last().Undo(m_w.db(), hooks());
        QCOMPARE(undone.ok, 2);
        QCOMPARE(m_items[0]->GetFilename(), QStringLiteral("a.mp3"));
        QCOMPARE(m_items[1]->GetFilename(), QStringLiteral("b.mp3"));
        QVERIFY(QFile::exists(oldA));
        QCOMPARE(row(m_items[0])->m_Filename, QStringLiteral("a.mp3"));
    }

    // The catalog refuses the middle file's new name (another row holds that key, its file is gone):
    // that file keeps its name on disk and in its row; the files before and after it in the same
    // transaction are renamed and stay so.
    void refusedRowIsUndoneAlone()
    {
        const CKivMp3::Ptr ghost = song(QStringLiteral("Rock\\Live\\"), QStringLiteral("x.mp3"), "Ghost");
        QVERIFY(ghost);
        QVERIFY(QFile::remove(ghost->FullPath()));
        std::vector<KivRenameJob> jobs{{m_items[0], QStringLiteral("first")},
                                       {m_items[1], QStringLiteral("x")},
                                       {m_items[2], QStringLiteral("third")}};
        QStringList statuses;
        KivBatchHooks h = hooks();
        h.report = [&statuses](const KivFileOutcome &o) { statuses << KivFileOutcome::StatusText(o.status); };
        const KivBatchSummary sum = KivRenameBatch::Run(jobs, m_w.db(), h, nullptr);
        QCOMPARE(statuses, (QStringList{QStringLiteral("ok"), QStringLiteral("failed"), QStringLiteral("ok")}));
        QCOMPARE(sum.ok, 2);
        const QStringList names{QStringLiteral("first.mp3"), QStringLiteral("b.mp3"), QStringLiteral("third.mp3")};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(m_items[size_t(i)]->GetFilename(), names[i]);
            QVERIFY(QFile::exists(m_items[size_t(i)]->FullPath()));
            QCOMPARE(row(m_items[size_t(i)])->m_Filename, names[i]);
        }
        QVERIFY(!QFile::exists(ghost->FullPath()));
        QCOMPARE(row(ghost)->m_Filename, QStringLiteral("x.mp3"));

        // A tag batch after it runs in a fresh transaction and is stored.
        KivTagEdits edits;
        edits.album = QStringLiteral("Danach");
        QCOMPARE(KivTagBatch::Run(KivTagBatch::FromEdits(m_items, edits), m_w.db(), hooks(), false, nullptr).ok, 3);
        QCOMPARE(row(m_items[1])->m_Album, QStringLiteral("Danach"));
    }

    void progressStopsBetweenFiles()
    {
        KivTagEdits edits;
        edits.year = QStringLiteral("2001");
        KivBatchHooks h = hooks();
        h.progress = [](int done, int) { return done < 1; };
        const KivBatchSummary sum = KivTagBatch::Run(KivTagBatch::FromEdits(m_items, edits), m_w.db(), h, true, nullptr);
        QVERIFY(sum.cancelled);
        QCOMPARE(sum.ok, 1);
        QCOMPARE(fileTag(m_items[1]).GetYear(), QStringLiteral("1999"));
    }
};

MELVORA_TEST(ToolBatchTest, CatalogFixture::isolateOdbcIni);

#include "ToolBatchTest.moc"
