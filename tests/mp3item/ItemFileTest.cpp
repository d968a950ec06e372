#include "support/TestRegistry.h"

#include "catalog/RsImport.h"
#include "mp3item/ItemFixture.h"

// Items made from files and rows: full and quick analysis, an offline medium, a file that cannot be
// opened, a closed record set and the import texts of a pending row.
class ItemFileTest : public QObject
{
    Q_OBJECT

    ItemFixture m_f;

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_f.recreate());
    }

    void fullAnalysisFillsEveryField()
    {
        const QString root = m_f.folder(QStringLiteral("full"));
        const auto medium = m_f.medium(QStringLiteral("Musik"), root);
        QVERIFY(medium && medium->GetState() == CKivMedium::Online);
        QVERIFY(ItemFixture::song(root, QStringLiteral("Rock\\Live\\"), QStringLiteral("a.mp3"), "Z", "Y"));

        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        const CKivMp3::Ptr item = CKivMp3::FromFile(medium.get(), QStringLiteral("Rock\\Live\\"), QStringLiteral("a.mp3"), false);
        QCOMPARE(item->FullPath(), root + QStringLiteral("Rock/Live/a.mp3"));
        QCOMPARE(item->GetBewertung(), 3);
        QCOMPARE(item->GetStatus(), 8);
        QVERIFY(item->GetAnlegedatum() >= before);
        // The tag's texts, genre name included, all stand in the search index.
        QCOMPARE(item->GetSearchIndex(), QStringLiteral("(Musik),Rock\\Live\\a.mp3,Album,Y,Z,1999,Rock,"));
        QCOMPARE(item->GetGenre(), 17);
        QCOMPARE(item->GetFrames(), 40);
        QCOMPARE(item->GetBitRate(), 128);
        QCOMPARE(item->GetValidity(), 3);
        QCOMPARE(item->GetFileSize(), 40 * 417 + 128);
        QCOMPARE(item->LengthText(), QStringLiteral("0:01"));
        QCOMPARE(item->VersionText(), QStringLiteral("Version 1.0"));
        QVERIFY(m_f.ui.messages().isEmpty());
    }

    void quickAnalysisMarksTheTechnicalValuesUnknown()
    {
        const QString root = m_f.folder(QStringLiteral("quick"));
        const auto medium = m_f.medium(QStringLiteral("Musik"), root);
        QVERIFY(ItemFixture::song(root, QString(), QStringLiteral("q.mp3"), "Quick"));
        const CKivMp3::Ptr item = CKivMp3::FromFile(medium.get(), QString(), QStringLiteral("q.mp3"), true);
        QCOMPARE(item->GetTitle(), QStringLiteral("Quick"));
        QCOMPARE(item->GetFileSize(), 40 * 417 + 128);
        for (int value : {item->GetFrames(), item->GetLength(), item->GetMpegVersion(), item->GetMpegLayer(),
                          item->GetHasCRC(), item->GetBitRate(), item->GetSampleRate(), item->GetEmphasis(),
                          item->GetCopyright(), item->GetOriginal(), item->GetValidity()})
            QCOMPARE(value, -1);
        QCOMPARE(item->GetChannelMode(), 0);
        QVERIFY(item->LengthText().isEmpty());
        QVERIFY(item->VersionText().isEmpty());
        QVERIFY(item->ChannelModeText().isEmpty());
        QVERIFY(item->EmphasisText().isEmpty());

        // Stored as such.
        QVERIFY(item->Save(m_f.db()));
        const auto row = m_f.row(QStringLiteral("(Musik)q.mp3"));
        QVERIFY(row);
        QCOMPARE(row->m_Frames, -1);
        QCOMPARE(row->m_Validity, -1);
        QCOMPARE(row->m_ChannelMode, 0);
    }

    void offlineMediumLeavesTheItemUnanalysed()
    {
        const QString root = m_f.folder(QStringLiteral("off"));
        const auto medium = m_f.medium(QStringLiteral("Musik"), root);
        QVERIFY(ItemFixture::song(root, QString(), QStringLiteral("a.mp3"), "Title"));
        ItemFixture::setOffline(*medium, true);
        const CKivMp3::Ptr item = CKivMp3::FromFile(medium.get(), QString(), QStringLiteral("a.mp3"), false);
        QVERIFY(item->GetTitle().isEmpty());
        QCOMPARE(item->GetFrames(), 0);
        QCOMPARE(item->GetMediumname(), QStringLiteral("Musik"));
        QCOMPARE(item->GetSearchIndex(), QStringLiteral("(Musik),a.mp3,,,,,,"));
        QVERIFY(m_f.ui.messages().isEmpty());
    }

    void aFileThatCannotBeOpenedIsReported()
    {
        const QString root = m_f.folder(QStringLiteral("gone"));
        const auto medium = m_f.medium(QStringLiteral("Musik"), root);
        const CKivMp3::Ptr item = CKivMp3::FromFile(medium.get(), QString(), QStringLiteral("gone.mp3"), false);
        QVERIFY(m_f.told(QStringLiteral("Beim Versuch die Mp3 Datei: ") + root
                             + QStringLiteral("gone.mp3 zu öffnen ist ein Fehler aufgetreten !"),
                         QStringLiteral("Mp3 kann nicht geöffnet werden !")));
        QCOMPARE(m_f.ui.messages().first().icon, KivIcon::Information);
        QCOMPARE(item->GetFilename(), QStringLiteral("gone.mp3"));
        QCOMPARE(item->GetFrames(), 0);
        QVERIFY(!item->GetAnlegedatum().isValid());
        // It can still be stored, as a scan stores it.
        QVERIFY(item->Save(m_f.db()));
        QVERIFY(m_f.row(QStringLiteral("(Musik)gone.mp3")));
    }

    void closedRecordSetIsReported()
    {
        CRsMp3s rs(m_f.db());
        const CKivMp3::Ptr item = CKivMp3::FromRow(nullptr, rs);
        QVERIFY(item);
        QCOMPARE(item->GetID(), -1);
        QVERIFY(m_f.told(QStringLiteral("Beim Erstellen eines Mp3 Objektes ist ein Fehler\naufgetreten. Es wurde ein "
                                        "geschlossenes Recordset\nübergeben !"),
                         QStringLiteral("CKivMp3 - Fehler beim Erstellen")));
    }

    void rowOfAPendingImportBringsItsImportTexts()
    {
        const QString root = m_f.folder(QStringLiteral("row"));
        const auto medium = m_f.medium(QStringLiteral("Mine"), root);
        CRsImport imports(m_f.db());
        const qint32 importId = imports.AddImport(QStringLiteral("Friend"), QStringLiteral("Pop\\"), QStringLiteral("x.mp3"),
                                                  QStringLiteral("Mine"), QStringLiteral("In\\"), QStringLiteral("x.mp3"));
        QVERIFY(importId > 0);
        CRsMp3s rs(m_f.db());
        rs.AddNew();
        rs.m_Mediumname = QStringLiteral("Mine");
        rs.m_SubPath = QStringLiteral("In\\");
        rs.m_Filename = QStringLiteral("x.mp3");
        rs.m_MediumSubPathFilename = QStringLiteral("(Mine)In\\x.mp3");
        rs.m_Title = QStringLiteral("T");
        rs.m_Bewertung = 4;
        rs.m_ImportID = importId;
        QVERIFY(rs.Update());

        QVERIFY(rs.OpenByKey(QStringLiteral("(Mine)In\\x.mp3")));
        const CKivMp3::Ptr item = CKivMp3::FromRow(medium.get(), rs);
        QCOMPARE(item->GetTitle(), QStringLiteral("T"));
        QCOMPARE(item->GetBewertung(), 4);
        QCOMPARE(item->GetImportID(), importId);
        QCOMPARE(item->ImportData().m_SourceMedium, QStringLiteral("Friend"));
        QCOMPARE(item->ImportData().m_SourceSubPath, QStringLiteral("Pop\\"));
        QCOMPARE(item->ImportData().m_DestSubPath, QStringLiteral("In\\"));
        QCOMPARE(item->GetListMark(), 0);
        QCOMPARE(item->FullPath(), root + QStringLiteral("In/x.mp3"));
    }
};

MELVORA_TEST(ItemFileTest, CatalogFixture::isolateOdbcIni);

#include "ItemFileTest.moc"
