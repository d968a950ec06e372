#include "MgmtFixture.h"

#include "catalog/RsCDs.h"
#include "catalog/RsMedienNamen.h"
#include "catalog/RsMedienUser.h"
#include "core/BinaryText.h"
#include "media/archive/MediumArchiveExport.h"
#include "media/archive/MediumArchiveHeader.h"
#include "media/archive/MediumArchiveImport.h"
#include "media/scan/ScanList.h"
#include "mp3/item/Mp3ArchiveRecord.h"
#include "mp3/item/Mp3Row.h"
#include "catalog/RsMp3s.h"
#include "support/TestRegistry.h"

#include <QFile>

class ArchiveTest : public QObject
{
    Q_OBJECT

    MgmtFixture f;

    QString exportMedium(const QString &name, const QString &file)
    {
        auto media = f.load();
        const CKivMedium *medium = media->FindMedium(name);
        if (!medium)
            return QString();
        const QString path = f.dir.filePath(file);
        return KivMediumArchiveExport::Export(f.db(), *medium, [&path] { return path; }) ? path : QString();
    }

    // Imports path and waits for the storing; the stored count, -1 when refused.
    int importArchive(const QString &path)
    {
        auto media = f.load();
        const KivMediumArchiveImport::Prepared prepared =
            KivMediumArchiveImport::Prepare(f.db(), f.catalog.settings(), *media, path);
        return prepared.list ? KivMediumArchiveImport::StoreAndWait(prepared) : -1;
    }

    void deleteAll(const QString &name)
    {
        QSqlQuery query(f.db().connection());
        QVERIFY(query.exec(QStringLiteral("DELETE FROM Mp3s WHERE Mediumname='") + name + QLatin1Char('\'')));
        QVERIFY(query.exec(QStringLiteral("DELETE FROM Folder WHERE Mediumname='") + name + QLatin1Char('\'')));
        QVERIFY(query.exec(QStringLiteral("DELETE FROM MedienUser")));
        QVERIFY(query.exec(QStringLiteral("DELETE FROM CDs")));
        QVERIFY(query.exec(QStringLiteral("DELETE FROM MedienNamen WHERE Mediumname='") + name + QLatin1Char('\'')));
    }

private Q_SLOTS:
    void init() { QVERIFY(f.recreate()); }

    void exportWritesHeaderAndRecords()
    {
        QVERIFY(f.medium(QStringLiteral("Musik"), f.folder(QStringLiteral("musik"))));
        QVERIFY(f.addRows(QStringLiteral("Musik"), 3));
        const QString path = exportMedium(QStringLiteral("Musik"), QStringLiteral("m.mar"));
        QVERIFY(!path.isEmpty());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.size(), 304 + 3 * 520);
        const auto header = CKivMediumArchiveHeader::Read(bytes);
        QVERIFY(header);
        QCOMPARE(header->name, QStringLiteral("Musik"));
        QCOMPARE(header->count, 3);
        QCOMPARE(header->driveType, 3);
        QVERIFY(!header->isCd);
        QCOMPARE(KivBinary::readLe32Signed(bytes.constData() + 304 + 452), -1);  // artist ID
    }

    // The records are the medium's rows whole, in the order of their IDs, whatever other media and
    // pending imports lie between them; a row whose import number is NULL counts as catalogued.
    void exportedRecordsAreTheRowsInIdOrder()
    {
        QVERIFY(f.medium(QStringLiteral("Musik"), f.folder(QStringLiteral("musik"))));
        QVERIFY(f.medium(QStringLiteral("Andere"), f.folder(QStringLiteral("andere"))));
        {
            CRsMp3s rows(f.db());
            for (int i = 0; i < 12; ++i) {
                rows.AddNew();
                rows.m_Mediumname = i % 3 == 1 ? QStringLiteral("Andere") : QStringLiteral("Musik");
                rows.m_SubPath = QStringLiteral("Pop\\Live\\");
                rows.m_Filename = QStringLiteral("Lied %1.mp3").arg(i);
                rows.m_MediumSubPathFilename = QLatin1Char('(') + rows.m_Mediumname + QLatin1Char(')') + rows.m_SubPath
                                             + rows.m_Filename;
                rows.m_Title = QStringLiteral("Größe \"%1\"").arg(i);
                rows.m_Artist = QStringLiteral("Artist %1").arg(i);
                rows.m_Album = QStringLiteral("Album");
                rows.m_Year = QStringLiteral("20%1").arg(i, 2, 10, QLatin1Char('0'));
                rows.m_Comment = QStringLiteral("Kommentar");
                rows.m_GenreName = QStringLiteral("Rock");
                rows.m_Genre = 17;
                rows.m_TrackNr = i;
                rows.m_Bewertung = 1 + i % 5;
                rows.m_Frames = 1000 + i;
                rows.m_Length = 200 + i;
                rows.m_BitRate = 128;
                rows.m_SampleRate = 44100;
                rows.m_ChannelMode = i % 4;
                rows.m_FileSize = 4000000 + i;
                rows.m_Validity = 3;
                rows.m_FolderID = 0;
                rows.m_ImportID = i == 5 ? 9 : 0;
                QVERIFY(rows.Update());
            }
        }
        QSqlQuery query(f.db().connection());
        QVERIFY(query.exec(QStringLiteral("UPDATE Mp3s SET ImportID=NULL WHERE Filename='Lied 3.mp3'")));

        QByteArray expected;
        CRsMp3s rows(f.db());
        QVERIFY(rows.Open());
        for (; !rows.IsEOF(); rows.MoveNext()) {
            if (rows.m_Mediumname == QLatin1String("Musik") && rows.m_ImportID == 0)
                expected += KivMp3ArchiveRecord::Fill(KivMp3Row::Read(rows));
        }
        rows.Close();
        QCOMPARE(expected.size(), 7 * 520);
        const QString path = exportMedium(QStringLiteral("Musik"), QStringLiteral("m.mar"));
        QVERIFY(!path.isEmpty());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().mid(304), expected);
    }

    // Pending imports are not part of a medium's archive; a medium of them only cannot be exported.
    void pendingImportsOnlyCannotBeExported()
    {
        QVERIFY(f.medium(QStringLiteral("Musik"), f.folder(QStringLiteral("musik"))));
        QVERIFY(f.addRows(QStringLiteral("Musik"), 4, 7));
        bool asked = false;
        auto media = f.load();
        QVERIFY(!KivMediumArchiveExport::Export(f.db(), *media->FindMedium(QStringLiteral("Musik")), [&asked] {
            asked = true;
            return QStringLiteral("x.mar");
        }));
        QVERIFY(!asked);
        QCOMPARE(f.told(QStringLiteral("Medium kann nicht Archiviert werden, da es keine Mp3 Dateien besitzt."),
                        QStringLiteral("Hinweis !")),
                 1);
    }

    // Texts read back up to their first zero or the end of the slot (a four-digit year stays whole),
    // without trailing blanks; the items take the name of the medium they are imported as.
    void roundTripKeepsTextsWhole()
    {
        const QString title30 = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ1234");
        QVERIFY(f.medium(QStringLiteral("Musik"), f.folder(QStringLiteral("musik"))));
        QVERIFY(f.addRows(QStringLiteral("Musik"), 2, 0, title30));
        const QString path = exportMedium(QStringLiteral("Musik"), QStringLiteral("m.mar"));
        QVERIFY(!path.isEmpty());
        // A title with trailing blanks, written straight into the first record.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.seek(304));
        QByteArray title(30, '\0');
        title.replace(0, 8, "Blues   ");
        file.write(title);
        file.close();
        deleteAll(QStringLiteral("Musik"));

        QCOMPARE(importArchive(path), 2);
        CRsMp3s rows(f.db());
        QVERIFY(rows.OpenByMediumSubPath(QStringLiteral("Musik"), QString(), false));
        QStringList titles;
        for (; !rows.IsEOF(); rows.MoveNext()) {
            titles << rows.m_Title;
            QCOMPARE(rows.m_Year, QStringLiteral("1999"));
            QCOMPARE(rows.m_Mediumname, QStringLiteral("Musik"));
            QCOMPARE(rows.m_Bewertung, 4);
            QVERIFY(rows.m_FolderID > 0);
        }
        titles.sort();
        QCOMPARE(titles, QStringList({title30, QStringLiteral("Blues")}));
        QCOMPARE(f.count(QStringLiteral("Folder"), QStringLiteral("Mediumname='Musik'")), 1);
    }

    void importOfExistingNameIsRefused()
    {
        QVERIFY(f.medium(QStringLiteral("Musik"), f.folder(QStringLiteral("musik"))));
        QVERIFY(f.addRows(QStringLiteral("Musik"), 3));
        const QString path = exportMedium(QStringLiteral("Musik"), QStringLiteral("m.mar"));
        const int names = f.count(QStringLiteral("MedienNamen"));
        const int users = f.count(QStringLiteral("MedienUser"));
        QCOMPARE(importArchive(path), -1);
        QCOMPARE(f.told(QStringLiteral("Das Medium Archive: Musik kann nicht geöffnet werden, da bereits ein Medium mit "
                                       "diesem Namen exsistiert !"),
                        QStringLiteral("Warnung ! Musik ist bereits vorhanden.")),
                 1);
        QCOMPARE(f.count(QStringLiteral("MedienNamen")), names);
        QCOMPARE(f.count(QStringLiteral("MedienUser")), users);
        QCOMPARE(f.count(QStringLiteral("Mp3s")), 3);
    }

    // The header's count is not trusted: every complete record is imported, a cut one is not.
    void recordsAreCountedFromTheFile_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("headerCount");
        QTest::addColumn<int>("extraBytes");
        QTest::addColumn<int>("expected");
        QTest::newRow("six behind five") << 6 << 5 << 0 << 6;
        QTest::newRow("cut last record") << 3 << 3 << 519 << 3;
        QTest::newRow("no records") << 0 << 9 << 0 << 0;
    }
    void recordsAreCountedFromTheFile()
    {
        QFETCH(int, records);
        QFETCH(int, headerCount);
        QFETCH(int, extraBytes);
        QFETCH(int, expected);
        CKivMediumArchiveHeader header;
        header.name = QStringLiteral("Archiv");
        header.drive = f.dir.path() + QLatin1Char('/');
        header.count = headerCount;
        header.driveType = 3;
        QByteArray bytes = header.Block();
        for (int i = 0; i < records; ++i) {
            CKivMp3Data data;
            data.m_Filename = QStringLiteral("Lied %1.mp3").arg(i);
            data.m_SubPath = QStringLiteral("A\\");
            data.m_Mediumname = QStringLiteral("Anderes");
            bytes += KivMp3ArchiveRecord::Fill(data);
        }
        bytes += QByteArray(extraBytes, 'x');
        const QString path = f.dir.filePath(QStringLiteral("a.mar"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        QCOMPARE(importArchive(path), expected);
        QCOMPARE(f.count(QStringLiteral("Mp3s"), QStringLiteral("Mediumname='Archiv'")), expected);
        QCOMPARE(f.count(QStringLiteral("Mp3s"), QStringLiteral("Mediumname='Anderes'")), 0);
        QCOMPARE(f.count(QStringLiteral("MedienNamen"), QStringLiteral("Mediumname='Archiv'")), 1);
    }

    // A file too short for a header, or none at all, is an error and creates nothing.
    void brokenFilesCreateNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("short header") << QByteArray(303, 'A');
    }
    void brokenFilesCreateNothing()
    {
        QFETCH(QByteArray, bytes);
        const QString path = f.dir.filePath(QStringLiteral("b.mar"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        QCOMPARE(importArchive(path), -1);
        QCOMPARE(f.count(QStringLiteral("MedienNamen")), 0);
        QCOMPARE(f.ui.count(QStringLiteral("Warnung")), 1);
    }

    // The archive of a CD brings back a CD medium: CDRomID 1, its CDs row, no assignment row.
    void cdMediumRoundTrip()
    {
        std::unique_ptr<CKivMedium> cd = CKivMedium::NewCd(MgmtFixture::User, QStringLiteral("/media/cdrom/"));
        QVERIFY(cd->SetName(QStringLiteral("CD:\\Pop")));
        cd->SetHasVolumeSize(true);
        cd->SetHasHeaderFile(true);
        cd->SetVolumeSize(QStringLiteral("650000000"));
        QVERIFY(cd->SaveCd(f.db()));
        QVERIFY(f.addRows(QStringLiteral("CD:\\Pop"), 5));
        const QString path = exportMedium(QStringLiteral("CD:\\Pop"), QStringLiteral("cd.mar"));
        QVERIFY(!path.isEmpty());
        deleteAll(QStringLiteral("CD:\\Pop"));

        QCOMPARE(importArchive(path), 5);
        CRsMedienNamen names(f.db());
        QVERIFY(names.OpenByName(QStringLiteral("CD:\\Pop")));
        QCOMPARE(names.m_CDRomID, 1);
        const int id = names.m_ID;
        names.Close();
        CRsCDs cds(f.db());
        QVERIFY(cds.OpenByMediumId(id));
        QCOMPARE(cds.m_VolumeSize, QStringLiteral("650000000"));
        QCOMPARE(cds.m_HasVolumeSize, 1);
        QCOMPARE(cds.m_HasHeaderFile, 0);
        cds.Close();
        QCOMPARE(f.count(QStringLiteral("MedienUser")), 0);
        auto media = f.load();
        QVERIFY(media->FindMedium(QStringLiteral("CD:\\Pop"))->IsCd());
    }
};

MELVORA_TEST(ArchiveTest);
#include "ArchiveTest.moc"
