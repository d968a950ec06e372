#include "support/TestRegistry.h"

#include "catalog/Mp3sBulkInsert.h"
#include "catalog/Mp3sRowUpdate.h"
#include "catalog/RsMp3s.h"
#include "catalog/Transaction.h"
#include "support/CatalogFixture.h"

#include <QSqlQuery>
#include <QtTest>

// The two fast writers of Mp3s rows: many new rows in one statement, and one update of only the
// columns that changed. Both must store exactly what the record set stores.
class Mp3sWriteTest : public QObject
{
    Q_OBJECT

    CatalogFixture m_fixture;

    static CKivMp3sRow makeRow(const QString &file, const QString &title)
    {
        CKivMp3sRow row;
        row.m_Title = title;
        row.m_Artist = QStringLiteral("Artist");
        row.m_ArtistID = -1;
        row.m_TrackNr = 7;
        row.m_Genre = 17;
        row.m_Bewertung = 3;
        row.m_FileSize = 123456;
        row.m_Length = -1;
        row.m_Filename = file;
        row.m_Mediumname = QStringLiteral("Musik");
        row.m_SubPath = QStringLiteral("Rock\\");
        row.m_MediumSubPathFilename = QStringLiteral("(Musik)Rock\\") + file;
        row.m_SearchIndex = QStringLiteral("(Musik),Rock\\") + file + u',' + title;
        return row;
    }

    int count()
    {
        QSqlQuery q(m_fixture.db().connection());
        return q.exec(QStringLiteral("SELECT COUNT(*) FROM Mp3s")) && q.next() ? q.value(0).toInt() : -1;
    }

private Q_SLOTS:
    void init() { QVERIFY(m_fixture.recreate()); }

    void bulkRowsArriveWhole_data()
    {
        QTest::addColumn<QString>("title");
        QTest::newRow("quotes and backslashes") << QStringLiteral("O'Brien \"Live\" \\ C:\\Musik\\");
        QTest::newRow("umlauts and euro") << QStringLiteral("Größe über Straße 5 €");
        QTest::newRow("outside the basic plane") << QStringLiteral("Smile \U0001F600 ok");
        QTest::newRow("control characters") << QStringLiteral("tab\there\nline");
        QTest::newRow("empty") << QString();
    }

    void bulkRowsArriveWhole()
    {
        QFETCH(QString, title);
        CKivDatabase &db = m_fixture.db();
        // A row through the record set, to compare what each way stores.
        const QDateTime created = QDateTime::currentDateTime();
        CRsMp3s single(db);
        single.AddNew();
        const CKivMp3sRow model = makeRow(QStringLiteral("single.mp3"), title);
        static_cast<CKivMp3sRow &>(single) = model;
        single.m_ID = 0;
        single.m_Anlegedatum = created;
        single.m_CreationTime = QDateTime();
        QVERIFY(single.Update());

        std::vector<CKivMp3sRow> rows{makeRow(QStringLiteral("b.mp3"), title), makeRow(QStringLiteral("a.mp3"), title),
                                      makeRow(QStringLiteral("c.mp3"), QStringLiteral("plain"))};
        std::vector<const CKivMp3sRow *> pointers{&rows[0], &rows[1], &rows[2]};
        std::vector<qint32> ids;
        {
            CKivTransaction transaction(db);
            QVERIFY(KivMp3sBulkInsert::Run(db, pointers, created, ids));
            QVERIFY(transaction.Commit());
        }
        QCOMPARE(ids.size(), size_t(3));

        CRsMp3s stored(db);
        QVERIFY(stored.OpenById(single.m_ID));
        const QDateTime singleDate = stored.m_Anlegedatum;
        for (size_t k = 0; k < rows.size(); ++k) {
            QVERIFY(stored.OpenById(ids[k]));
            QCOMPARE(stored.m_MediumSubPathFilename, rows[k].m_MediumSubPathFilename);
            QCOMPARE(stored.m_Title, rows[k].m_Title.isNull() ? QStringLiteral("") : rows[k].m_Title);
            QVERIFY(!stored.m_Title.isNull());
            QCOMPARE(stored.m_SearchIndex, rows[k].m_SearchIndex);
            QCOMPARE(stored.m_ArtistID, -1);
            QCOMPARE(stored.m_Length, -1);
            QCOMPARE(stored.m_FileSize, 123456);
            QCOMPARE(stored.m_Anlegedatum, singleDate);
            QVERIFY(!stored.m_CreationTime.isValid());
        }
        QVERIFY(stored.OpenById(single.m_ID));
        QCOMPARE(stored.m_Title, single.m_Title.isNull() ? QStringLiteral("") : single.m_Title);
    }

    void bulkRefusesAllWhenOneKeyIsTaken()
    {
        CKivDatabase &db = m_fixture.db();
        std::vector<CKivMp3sRow> rows{makeRow(QStringLiteral("x.mp3"), QStringLiteral("X"))};
        std::vector<qint32> ids;
        QVERIFY(KivMp3sBulkInsert::Run(db, {&rows[0]}, QDateTime::currentDateTime(), ids));
        const quint64 errors = db.ErrorCount();
        rows.push_back(makeRow(QStringLiteral("y.mp3"), QStringLiteral("Y")));
        {
            CKivTransaction transaction(db);
            QVERIFY(!KivMp3sBulkInsert::Run(db, {&rows[1], &rows[0]}, QDateTime::currentDateTime(), ids));
        }
        QVERIFY(db.ErrorCount() > errors);
        QCOMPARE(count(), 1);
        QVERIFY(KivMp3sBulkInsert::Run(db, {}, QDateTime::currentDateTime(), ids));
        QVERIFY(ids.empty());
    }

    void updateWritesOnlyChangedColumns()
    {
        CKivDatabase &db = m_fixture.db();
        const CKivMp3sRow before = makeRow(QStringLiteral("a.mp3"), QStringLiteral("Old"));
        const CKivMp3sRow other = makeRow(QStringLiteral("b.mp3"), QStringLiteral("B"));
        std::vector<qint32> ids;
        QVERIFY(KivMp3sBulkInsert::Run(db, {&before, &other}, QDateTime::currentDateTime(), ids));
        const qint32 id = ids[0];
        // Another program changes the artist meanwhile; the album change leaves that alone.
        QSqlQuery q(db.connection());
        QVERIFY(q.exec(QStringLiteral("UPDATE Mp3s SET Artist='Other' WHERE ID=%1").arg(id)));
        CKivMp3sRow after = before;
        after.m_Album = QStringLiteral("Neu");
        after.m_TrackNr = 9;
        QCOMPARE(KivMp3sRowUpdate::Run(db, id, before, after), KivMp3sRowUpdate::Result::Updated);
        CRsMp3s stored(db);
        QVERIFY(stored.OpenById(id));
        QCOMPARE(stored.m_Album, QStringLiteral("Neu"));
        QCOMPARE(stored.m_TrackNr, 9);
        QCOMPARE(stored.m_Artist, QStringLiteral("Other"));
        stored.Close();

        QCOMPARE(KivMp3sRowUpdate::Run(db, id, after, after), KivMp3sRowUpdate::Result::Unchanged);
        QCOMPARE(KivMp3sRowUpdate::Run(db, ids[1] + 100, before, after), KivMp3sRowUpdate::Result::NoRow);
        // A key another row holds is refused, and the row keeps its own.
        CKivMp3sRow clash = after;
        clash.m_MediumSubPathFilename = other.m_MediumSubPathFilename;
        QCOMPARE(KivMp3sRowUpdate::Run(db, id, after, clash), KivMp3sRowUpdate::Result::Failed);
        QVERIFY(stored.OpenById(id));
        QCOMPARE(stored.m_MediumSubPathFilename, before.m_MediumSubPathFilename);
    }
};

MELVORA_TEST(Mp3sWriteTest, CatalogFixture::isolateOdbcIni);

#include "Mp3sWriteTest.moc"
