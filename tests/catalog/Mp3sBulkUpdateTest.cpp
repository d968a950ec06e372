#include "support/TestRegistry.h"

#include "catalog/Mp3RowReader.h"
#include "catalog/Mp3sBulkInsert.h"
#include "catalog/Mp3sBulkUpdate.h"
#include "catalog/Mp3sColumns.h"
#include "catalog/Mp3sQuery.h"
#include "catalog/RsMp3s.h"
#include "catalog/Transaction.h"
#include "support/CatalogFixture.h"

#include <QSqlQuery>
#include <QtTest>

#include <functional>

// Many rows written back in one statement must store exactly what the record set's edit of each row
// stores: the same columns changed, the others (even when another program changed them) left alone.
class Mp3sBulkUpdateTest : public QObject
{
    Q_OBJECT

    CatalogFixture m_fixture;

    static CKivMp3sRow makeRow(const QString &file)
    {
        CKivMp3sRow row;
        row.m_Title = QStringLiteral("Titel");
        row.m_Artist = QStringLiteral("Künstler");
        row.m_ArtistID = -1;
        row.m_TrackNr = 7;
        row.m_Genre = 17;
        row.m_Bewertung = 3;
        row.m_FileSize = 123456;
        row.m_Filename = file;
        row.m_Mediumname = QStringLiteral("Musik");
        row.m_SubPath = QStringLiteral("Rock\\");
        row.m_MediumSubPathFilename = QStringLiteral("(Musik)Rock\\") + file;
        row.m_SearchIndex = QStringLiteral("(Musik),Rock\\") + file;
        return row;
    }

    std::vector<qint32> insert(const std::vector<CKivMp3sRow> &rows)
    {
        std::vector<const CKivMp3sRow *> pointers;
        for (const CKivMp3sRow &row : rows)
            pointers.push_back(&row);
        std::vector<qint32> ids;
        CKivTransaction transaction(m_fixture.db());
        if (!KivMp3sBulkInsert::Run(m_fixture.db(), pointers, QDateTime::currentDateTime(), ids) || !transaction.Commit())
            ids.clear();
        return ids;
    }

    // Every row of the table by ID, read whole.
    QHash<qint32, CKivMp3sRow> stored()
    {
        QHash<qint32, CKivMp3sRow> rows;
        CKivMp3RowReader reader(m_fixture.db());
        CKivMp3sQuery all;
        reader.Read(all, [&rows](CKivMp3sRow &&row) { rows.insert(row.m_ID, std::move(row)); });
        return rows;
    }

    // The columns a save writes, as text, but for the file name and key, which differ between the
    // two copies of each row.
    static QStringList written(const CKivMp3sRow &row)
    {
        QStringList values;
        for (const KivMp3sColumns::Integer &c : KivMp3sColumns::Integers)
            values << QString::number(row.*c.member);
        for (const KivMp3sColumns::Text &c : KivMp3sColumns::Texts) {
            const QLatin1String name(c.name);
            if (name != QLatin1String("Filename") && name != QLatin1String("MediumSubPathFilename"))
                values << name + u'=' + row.*c.member;
        }
        return values;
    }

private Q_SLOTS:
    void init() { QVERIFY(m_fixture.recreate()); }

    void storesWhatTheRecordSetStores_data()
    {
        using Change = std::function<void(CKivMp3sRow &)>;
        QTest::addColumn<Change>("change");
        QTest::newRow("nothing") << Change([](CKivMp3sRow &) {});
        QTest::newRow("one text") << Change([](CKivMp3sRow &r) { r.m_Album = QStringLiteral("Neues Album"); });
        QTest::newRow("quotes, backslashes, umlauts, emoji")
            << Change([](CKivMp3sRow &r) { r.m_Title = QStringLiteral("O'Brien \"Live\" \\ Größe \U0001F600\ttab"); });
        QTest::newRow("text emptied") << Change([](CKivMp3sRow &r) { r.m_Artist = QString(); });
        QTest::newRow("integers, negative and zero")
            << Change([](CKivMp3sRow &r) { r.m_TrackNr = 0; r.m_Length = -5; r.m_FileSize = 2000000000; });
        QTest::newRow("every kind at once") << Change([](CKivMp3sRow &r) {
            r.m_Year = QStringLiteral("1999");
            r.m_GenreName = QStringLiteral("Rock");
            r.m_Comment = QStringLiteral("neu");
            r.m_Bewertung = 5;
            r.m_FolderID = 12;
            r.m_Validity = 1;
        });
    }

    void storesWhatTheRecordSetStores()
    {
        QFETCH(std::function<void(CKivMp3sRow &)>, change);
        // Two copies of three rows: one copy changed in one statement, the other row by row through
        // the record set. Another program changes the comment of every row meanwhile.
        std::vector<CKivMp3sRow> rows;
        for (const char *name : {"a", "b", "c", "x", "y", "z"})
            rows.push_back(makeRow(QLatin1String(name) + QStringLiteral(".mp3")));
        const std::vector<qint32> ids = insert(rows);
        QCOMPARE(ids.size(), rows.size());
        QVERIFY(QSqlQuery(m_fixture.db().connection()).exec(QStringLiteral("UPDATE Mp3s SET Comment='von anderswo'")));

        std::vector<CKivMp3sRow> after;
        for (size_t k = 0; k < 3; ++k) {
            CKivMp3sRow row = rows[k];
            row.m_ID = ids[k];
            change(row);
            after.push_back(row);
        }
        CKivDatabase &db = m_fixture.db();
        {
            CKivTransaction transaction(db);
            const KivMp3sBulkUpdate::Outcome outcome = KivMp3sBulkUpdate::Run(db, {&after[0], &after[1], &after[2]});
            QCOMPARE(outcome.result, KivMp3sBulkUpdate::Result::Done);
            QVERIFY(outcome.missing.empty());
            QVERIFY(transaction.Commit());
        }
        for (size_t k = 0; k < 3; ++k) {
            CRsMp3s rs(db);
            QVERIFY(rs.OpenById(ids[k + 3]));
            QVERIFY(rs.Edit());
            // What a save of the item writes: its values over the row as it was read before.
            CKivMp3sRow values = after[k];
            values.m_Filename = rows[k + 3].m_Filename;
            values.m_MediumSubPathFilename = rows[k + 3].m_MediumSubPathFilename;
            const qint32 id = rs.m_ID;
            const QDateTime created = rs.m_Anlegedatum;
            const QDateTime creationTime = rs.m_CreationTime;
            static_cast<CKivMp3sRow &>(rs) = values;
            rs.m_ID = id;
            rs.m_Anlegedatum = created;
            rs.m_CreationTime = creationTime;
            QVERIFY(rs.Update());
        }
        const QHash<qint32, CKivMp3sRow> now = stored();
        for (size_t k = 0; k < 3; ++k) {
            const CKivMp3sRow &bulk = now.value(ids[k]);
            const CKivMp3sRow &single = now.value(ids[k + 3]);
            QCOMPARE(written(bulk), written(single));
            QCOMPARE(bulk.m_Anlegedatum, single.m_Anlegedatum);
            QCOMPARE(bulk.m_MediumSubPathFilename, rows[k].m_MediumSubPathFilename);
        }
    }

    void missingRowsAreNamedAndNothingElseIsTouched()
    {
        std::vector<CKivMp3sRow> rows{makeRow(QStringLiteral("a.mp3")), makeRow(QStringLiteral("b.mp3"))};
        const std::vector<qint32> ids = insert(rows);
        QCOMPARE(ids.size(), size_t(2));
        CKivMp3sRow gone = rows[0];
        gone.m_ID = ids[1] + 100;
        gone.m_Title = QStringLiteral("verloren");
        CKivMp3sRow changed = rows[1];
        changed.m_ID = ids[1];
        changed.m_Title = QStringLiteral("neu");
        CKivMp3sRow same = rows[0];
        same.m_ID = ids[0];
        CKivDatabase &db = m_fixture.db();
        CKivTransaction transaction(db);
        const KivMp3sBulkUpdate::Outcome outcome = KivMp3sBulkUpdate::Run(db, {&same, &gone, &changed});
        QCOMPARE(outcome.result, KivMp3sBulkUpdate::Result::Done);
        QCOMPARE(outcome.missing, std::vector<size_t>{1});
        QCOMPARE(outcome.written, 1);
        QVERIFY(transaction.Commit());
        const QHash<qint32, CKivMp3sRow> now = stored();
        QCOMPARE(now.size(), 2);
        QCOMPARE(now.value(ids[0]).m_Title, QStringLiteral("Titel"));
        QCOMPARE(now.value(ids[1]).m_Title, QStringLiteral("neu"));
    }

    // Changes with known old values: only the columns that changed are written (a column another
    // program changed meanwhile stays), unchanged rows are skipped, and a gone row fails the call.
    void changesWriteOnlyWhatChanged()
    {
        std::vector<CKivMp3sRow> rows{makeRow(QStringLiteral("a.mp3")), makeRow(QStringLiteral("b.mp3"))};
        const std::vector<qint32> ids = insert(rows);
        QCOMPARE(ids.size(), size_t(2));
        QSqlQuery other(m_fixture.db().connection());
        QVERIFY(other.exec(QStringLiteral("UPDATE Mp3s SET Artist='Fremd' WHERE ID=") + QString::number(ids[0])));
        CKivMp3sRow before[2] = {rows[0], rows[1]};
        before[0].m_ID = ids[0];
        before[1].m_ID = ids[1];
        CKivMp3sRow after[2] = {before[0], before[1]};
        after[0].m_Title = QStringLiteral("neu \"ü\"");
        after[0].m_TrackNr = 12;
        CKivDatabase &db = m_fixture.db();
        {
            CKivTransaction transaction(db);
            const KivMp3sBulkUpdate::Outcome outcome =
                KivMp3sBulkUpdate::RunChanges(db, {{&before[0], &after[0]}, {&before[1], &after[1]}});
            QCOMPARE(outcome.result, KivMp3sBulkUpdate::Result::Done);
            QCOMPARE(outcome.written, 1);
            QVERIFY(transaction.Commit());
        }
        const QHash<qint32, CKivMp3sRow> now = stored();
        QCOMPARE(now.value(ids[0]).m_Title, after[0].m_Title);
        QCOMPARE(now.value(ids[0]).m_TrackNr, 12);
        QCOMPARE(now.value(ids[0]).m_Artist, QStringLiteral("Fremd"));

        CKivMp3sRow gone = after[1];
        gone.m_ID = ids[1] + 100;
        gone.m_Title = QStringLiteral("verloren");
        CKivTransaction transaction(db);
        QCOMPARE(KivMp3sBulkUpdate::RunChanges(db, {{&before[1], &gone}}).result, KivMp3sBulkUpdate::Result::Failed);
    }

    void aRefusedKeyFailsTheCall()
    {
        std::vector<CKivMp3sRow> rows{makeRow(QStringLiteral("a.mp3")), makeRow(QStringLiteral("b.mp3"))};
        const std::vector<qint32> ids = insert(rows);
        QCOMPARE(ids.size(), size_t(2));
        CKivMp3sRow clash = rows[0];
        clash.m_ID = ids[0];
        clash.m_MediumSubPathFilename = rows[1].m_MediumSubPathFilename;
        CKivDatabase &db = m_fixture.db();
        const quint64 errors = db.ErrorCount();
        {
            CKivTransaction transaction(db);
            QCOMPARE(KivMp3sBulkUpdate::Run(db, {&clash}).result, KivMp3sBulkUpdate::Result::Failed);
        }
        QVERIFY(db.ErrorCount() > errors);
        QCOMPARE(stored().value(ids[0]).m_MediumSubPathFilename, rows[0].m_MediumSubPathFilename);
    }
};

MELVORA_TEST(Mp3sBulkUpdateTest, CatalogFixture::isolateOdbcIni);

#include "Mp3sBulkUpdateTest.moc"
