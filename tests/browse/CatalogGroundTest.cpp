#include "browse/Filter.h"
#include "browse/FilterFeld.h"
#include "browse/Mp3Liste.h"
#include "browse/SearchField.h"
#include "catalog/CatalogErrorWatch.h"
#include "catalog/Database.h"
#include "catalog/RsMp3s.h"
#include "media/MedienListe.h"
#include "support/MediaWorkspace.h"
#include "support/TestRegistry.h"

#include <QSqlQuery>
#include <QtTest>

// The catalog under a user's commands on both engines: a catalog that fails while a command runs is
// reported once and changes nothing; empty texts are one kind of empty, whoever stored them.
class CatalogGroundTest : public QObject, private MediaWorkspace
{
    Q_OBJECT

    std::unique_ptr<CKivMedienListe> m_media;

    bool exec(const QString &sql)
    {
        QSqlQuery query(db().connection());
        return query.exec(sql);
    }

    void addMp3(const QString &subPath, const QString &file, const QString &title)
    {
        CKivMp3Data d;
        d.m_Mediumname = QStringLiteral("A");
        d.m_SubPath = subPath;
        d.m_Filename = file;
        d.m_Title = title;
        CRsMp3s rs(db());
        rs.AddNew();
        rs.m_Mediumname = d.m_Mediumname;
        rs.m_SubPath = subPath;
        rs.m_Filename = file;
        rs.m_Title = title;
        rs.m_Bewertung = 3;
        rs.m_MediumSubPathFilename = d.Key();
        rs.m_SearchIndex = d.ComposeSearchIndex();
        QVERIFY(rs.Update());
    }

    // The list of medium A, read as the search bar reads it.
    QStringList search(CKivFilter &filter, const QString &text)
    {
        CKivMp3Liste list(db());
        list.SetMedia(m_media.get());
        KivSearchField::Search(text, filter, list);
        QStringList names;
        for (const CKivMp3::Ptr &item : list)
            names << item->GetFilename();
        names.sort();
        return names;
    }

    int count(const QString &condition)
    {
        QSqlQuery query(db().connection());
        if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM Mp3s WHERE ") + condition) || !query.next())
            return -1;
        return query.value(0).toInt();
    }

    // Makes every further write of the test's connection fail, as on a read-only catalog file.
    bool makeReadOnly()
    {
        return catalog.isPostgres() ? exec(QStringLiteral("SET default_transaction_read_only = on"))
                                    : exec(QStringLiteral("PRAGMA query_only = ON"));
    }

    // Cuts the test's connection from the catalog, as a stopped server does.
    void loseConnection()
    {
        if (catalog.isPostgres())
            exec(QStringLiteral("SELECT pg_terminate_backend(pg_backend_pid())"));
        else
            db().Close();
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(recreate());
        CKivMedienListe setup(User, QString());
        QVERIFY(setup.CreateFromFolder(db(), QStringLiteral("A"), folder(QStringLiteral("a"))));
        m_media = std::make_unique<CKivMedienListe>(User, QString());
        QVERIFY(m_media->Load(db()));
        addMp3(QString(), QStringLiteral("root.mp3"), QString());
        addMp3(QStringLiteral("Rock\\"), QStringLiteral("rock.mp3"), QStringLiteral("Rock"));
    }

    void cleanup()
    {
        m_media.reset();
        // The next test starts on a connection of its own.
        db().Close();
        QVERIFY(db().Connect(false));
    }

    void aRatingTheCatalogRefusesIsToldOnceAndNotShown()
    {
        CKivMp3Liste list(db());
        list.SetMedia(m_media.get());
        list.LoadMedium(QStringLiteral("A"), QString());
        QCOMPARE(list.ItemCount(), 2);
        QVERIFY(makeReadOnly());
        ui.clear();
        {
            CKivCatalogErrorWatch watch(db());
            for (const CKivMp3::Ptr &item : list)
                QVERIFY(!item->SetRating(5, db()));
            QVERIFY(watch.Failed());
            QVERIFY(ui.messages().isEmpty());
        }
        QCOMPARE(ui.messages().size(), 1);
        QCOMPARE(ui.messages()[0].caption, QStringLiteral("Datenbank Fehler"));
        QCOMPARE(ui.messages()[0].icon, KivIcon::Stop);
        QVERIFY(!ui.messages()[0].text.isEmpty());
        for (const CKivMp3::Ptr &item : list)
            QCOMPARE(item->GetBewertung(), 3);
        QCOMPARE(count(QStringLiteral("Bewertung = 3")), 2);

        // A watch inside another reports, the outer one does not repeat it.
        ui.clear();
        {
            CKivCatalogErrorWatch outer(db());
            {
                CKivCatalogErrorWatch inner(db());
                QVERIFY(!list.GetItems().front()->SetRating(1, db()));
            }
        }
        QCOMPARE(ui.messages().size(), 1);
    }

    void aSearchOnALostConnectionIsToldAndLeavesTheListEmpty()
    {
        CKivFilter filter;
        filter.SetMedia(m_media.get());
        QCOMPARE(search(filter, QStringLiteral("rock")), QStringList{QStringLiteral("rock.mp3")});
        QVERIFY(ui.messages().isEmpty());
        loseConnection();
        QCOMPARE(search(filter, QStringLiteral("rock")), QStringList());
        QCOMPARE(ui.messages().size(), 1);
        QCOMPARE(ui.messages()[0].caption, QStringLiteral("Datenbank Fehler"));
    }

    void emptyTextsAreStoredAsEmptyAndFoundWithOlderNulls()
    {
        // Rows written by the program: every text column empty, never NULL.
        QCOMPARE(
            count(QStringLiteral("Title IS NULL OR SubPath IS NULL OR Artist IS NULL OR Comment IS NULL")),
            0);
        QCOMPARE(count(QStringLiteral("Title = '' AND SubPath = ''")), 1);
        // A row as earlier versions stored a file without a tag at the medium's root.
        QVERIFY(exec(QStringLiteral(
            "UPDATE Mp3s SET Title = NULL, SubPath = NULL, Artist = NULL WHERE Filename = 'rock.mp3'")));
        addMp3(QStringLiteral("Pop\\"), QStringLiteral("pop.mp3"), QStringLiteral("Pop"));

        CKivFilter filter;
        filter.SetMedia(m_media.get());
        const auto where = [&](int index, int condition, const QString &value) {
            CKivFilterFeld field(index);
            field.SetCondition(condition);
            field.SetValue(value);
            return count(db().dialect().filterText(field.SqlCondition()));
        };
        QCOMPARE(where(3, CKivFilterFeld::Equal, QString()), 2); // Title = ''
        QCOMPARE(where(1, CKivFilterFeld::Equal, QString()), 2); // SubPath = ''
        QCOMPARE(where(4, CKivFilterFeld::Like, QString()), 3);  // Artist LIKE '%%'
        QCOMPARE(where(3, CKivFilterFeld::NotEqual, QStringLiteral("Pop")), 2);
        QCOMPARE(where(3, CKivFilterFeld::Less, QStringLiteral("P")), 2);
        QCOMPARE(where(3, CKivFilterFeld::Equal, QStringLiteral("Pop")), 1);
    }
};

MELVORA_TEST(CatalogGroundTest, CatalogFixture::isolateOdbcIni);

#include "CatalogGroundTest.moc"
