#include "MgmtFixture.h"

#include "catalog/RsFolder.h"
#include "catalog/RsImport.h"
#include "media/catalog/MediumDeletion.h"
#include "support/TestRegistry.h"

class DeletionTest : public QObject
{
    Q_OBJECT

    MgmtFixture f;

    void addImport(const QString &source, const QString &dest)
    {
        CRsImport rows(f.db());
        rows.AddNew();
        rows.m_SourceMedium = source;
        rows.m_DestMedium = dest;
        rows.m_DestSubPath = QStringLiteral("A\\");
        QVERIFY(rows.Update());
    }

    void addFolder(const QString &medium)
    {
        CRsFolder folders(f.db());
        QVERIFY(folders.GetOrCreateFolder(medium, QStringLiteral("Rock\\"), false) > 0);
    }

private Q_SLOTS:
    void init() { QVERIFY(f.recreate()); }

    // Every row of the medium goes, step by step with its count; the rows of other media stay, and
    // so do imports whose source is the deleted medium.
    void deletesEveryRowOfTheMedium()
    {
        const QString root = f.folder(QStringLiteral("musik"));
        QVERIFY(f.medium(QStringLiteral("Musik"), root));
        QVERIFY(f.medium(QStringLiteral("Andere"), f.folder(QStringLiteral("andere"))));
        QVERIFY(f.addRows(QStringLiteral("Musik"), 250));
        QVERIFY(f.addRows(QStringLiteral("Andere"), 3));
        addFolder(QStringLiteral("Musik"));
        addFolder(QStringLiteral("Andere"));
        addImport(QStringLiteral("Andere"), QStringLiteral("Musik"));
        addImport(QStringLiteral("Musik"), QStringLiteral("Andere"));
        auto media = f.load();
        const CKivMedium *medium = media->FindMedium(QStringLiteral("Musik"));
        QCOMPARE(medium->GetState(), int(CKivMedium::Online));

        QMap<int, int> totals;
        QMap<int, int> last;
        QStringList texts;
        QVERIFY(KivMediumDeletion::Run(f.db(), *medium, [&](int step, const QString &text, int total, int done) {
            if (done == 0) {
                totals[step] = total;
                texts << text;
            }
            last[step] = done;
        }));
        QCOMPARE(totals.value(1), 250);
        QCOMPARE(last.value(1), 250);
        QCOMPARE(totals.value(2), 1);
        QCOMPARE(totals.value(3), 1);
        QCOMPARE(totals.value(4), 1);
        QCOMPARE(totals.value(5), 1);
        QCOMPARE(totals.value(6), 0);
        QCOMPARE(texts.first(), QStringLiteral("Mp3 Dateien des Mediums werden aus der Datenbank gelöscht."));
        QCOMPARE(texts.last(), QStringLiteral("CD Daten werden gelöscht."));

        QCOMPARE(f.count(QStringLiteral("Mp3s"), QStringLiteral("Mediumname='Musik'")), 0);
        QCOMPARE(f.count(QStringLiteral("Mp3s"), QStringLiteral("Mediumname='Andere'")), 3);
        QCOMPARE(f.count(QStringLiteral("Folder"), QStringLiteral("Mediumname='Musik'")), 0);
        QCOMPARE(f.count(QStringLiteral("Folder"), QStringLiteral("Mediumname='Andere'")), 1);
        QCOMPARE(f.count(QStringLiteral("Import")), 1);
        QCOMPARE(f.count(QStringLiteral("Import"), QStringLiteral("SourceMedium='Musik'")), 1);
        QCOMPARE(f.count(QStringLiteral("MedienNamen")), 1);
        QCOMPARE(f.count(QStringLiteral("MedienUser")), 1);
        // The online medium's own header goes with it.
        QVERIFY(!CKivMediumHeaderFile::Exists(root));
    }

    // A database error in the last step takes every step back.
    void databaseErrorLeavesTheCatalogAsItWas()
    {
        QVERIFY(f.medium(QStringLiteral("Musik"), f.folder(QStringLiteral("musik"))));
        QVERIFY(f.addRows(QStringLiteral("Musik"), 20));
        auto media = f.load();
        QSqlQuery drop(f.db().connection());
        QVERIFY(drop.exec(QStringLiteral("DROP TABLE CDs")));
        QVERIFY(!KivMediumDeletion::Run(f.db(), *media->FindMedium(QStringLiteral("Musik"))));
        QCOMPARE(f.ui.count(QStringLiteral("Warnung !")), 1);
        QCOMPARE(f.count(QStringLiteral("Mp3s")), 20);
        QCOMPARE(f.count(QStringLiteral("MedienNamen")), 1);
        QCOMPARE(f.count(QStringLiteral("MedienUser")), 1);
    }

    // The header file goes only when it names this very medium in a root of the user that is
    // online; otherwise it stays where it is.
    void headerFileStaysUnlessItIsOurs_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("kept");
        QTest::newRow("online") << QStringLiteral("online") << false;
        QTest::newRow("offline flag") << QStringLiteral("offline") << true;
        QTest::newRow("header of another medium") << QStringLiteral("foreign") << true;
        QTest::newRow("not assigned") << QStringLiteral("unassigned") << true;
    }
    void headerFileStaysUnlessItIsOurs()
    {
        QFETCH(QString, how);
        QFETCH(bool, kept);
        const QString root = f.folder(QStringLiteral("musik"));
        QVERIFY(f.medium(QStringLiteral("Musik"), root));
        auto media = f.load();
        CKivMedium *medium = media->FindMedium(QStringLiteral("Musik"));
        if (how == QLatin1String("offline")) {
            medium->SetOffline(true);
            QVERIFY(medium->Save(f.db(), false));
        } else if (how == QLatin1String("foreign")) {
            QVERIFY(CKivMediumHeaderFile::Write(root, QStringLiteral("Fremd")));
        } else if (how == QLatin1String("unassigned")) {
            QVERIFY(medium->RemoveAssignment(f.db()));
        }
        medium->CheckOnline();
        QVERIFY(KivMediumDeletion::Run(f.db(), *medium));
        QCOMPARE(CKivMediumHeaderFile::Exists(root), kept);
        QCOMPARE(f.count(QStringLiteral("MedienNamen")), 0);
    }

    void confirmAsksFirst()
    {
        QVERIFY(!KivMediumDeletion::Confirm(nullptr));
        QCOMPARE(f.told(QStringLiteral("Sie haben kein Medium zum löschen ausgewählt !"), QStringLiteral("Warnung !")), 1);
        auto medium = CKivMedium::NewDisk(MgmtFixture::User);
        f.ui.answers = {KivAnswer::No, KivAnswer::Yes};
        QVERIFY(!KivMediumDeletion::Confirm(medium.get()));
        QVERIFY(KivMediumDeletion::Confirm(medium.get()));
        QCOMPARE(f.ui.count(QStringLiteral("Sicherheitsabfrage !")), 2);
    }
};

MELVORA_TEST(DeletionTest);
#include "DeletionTest.moc"
