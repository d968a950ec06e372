#include "listread/ListReadTests.h"

#include "catalog/Mp3Filter.h"
#include "catalog/Mp3RowReadAhead.h"
#include "catalog/Mp3RowReader.h"
#include "catalog/Mp3SortClause.h"
#include "catalog/SqliteThreading.h"
#include "catalog/RsMp3s.h"
#include "support/CatalogFixture.h"
#include "support/RecordingUi.h"

#include <QSqlQuery>
#include <QtTest>

#include <functional>
#include <vector>

namespace {

// A filter with a condition given by the test.
class TextFilter final : public IKivMp3Filter
{
public:
    explicit TextFilter(const QString &where) : m_where(where) {}
    QString WhereText() const override { return m_where; }
    QString SortClause() const override { return QString(); }

private:
    QString m_where;
};

CKivMp3sRow fromRecordSet(const CRsMp3s &rs)
{
    CKivMp3sRow r;
#define KIV_COPY(c) r.m_##c = rs.m_##c;
    KIV_COPY(ID) KIV_COPY(Anlegedatum) KIV_COPY(Title) KIV_COPY(Artist) KIV_COPY(ArtistID) KIV_COPY(Album)
    KIV_COPY(TrackNr) KIV_COPY(Year) KIV_COPY(Genre) KIV_COPY(GenreName) KIV_COPY(Frames) KIV_COPY(Length)
    KIV_COPY(MpegVersion) KIV_COPY(MpegLayer) KIV_COPY(HasCRC) KIV_COPY(BitRate) KIV_COPY(SampleRate)
    KIV_COPY(Emphasis) KIV_COPY(Copyright) KIV_COPY(Original) KIV_COPY(SearchIndex) KIV_COPY(Filename)
    KIV_COPY(Mediumname) KIV_COPY(MediumSubPathFilename) KIV_COPY(SubPath) KIV_COPY(Comment)
    KIV_COPY(ChannelMode) KIV_COPY(Bewertung) KIV_COPY(FolderID) KIV_COPY(FileSize) KIV_COPY(Validity)
    KIV_COPY(CreationTime) KIV_COPY(ImportID)
#undef KIV_COPY
    return r;
}

// Every column equal, a NULL text (null string) told apart from an empty one.
void compareRows(const CKivMp3sRow &a, const CKivMp3sRow &b)
{
#define KIV_SAME(c) QCOMPARE(a.m_##c, b.m_##c);
#define KIV_SAME_TEXT(c) QCOMPARE(a.m_##c, b.m_##c); QCOMPARE(a.m_##c.isNull(), b.m_##c.isNull());
    KIV_SAME(ID) KIV_SAME(Anlegedatum) KIV_SAME_TEXT(Title) KIV_SAME_TEXT(Artist) KIV_SAME(ArtistID)
    KIV_SAME_TEXT(Album) KIV_SAME(TrackNr) KIV_SAME_TEXT(Year) KIV_SAME(Genre) KIV_SAME_TEXT(GenreName)
    KIV_SAME(Frames) KIV_SAME(Length) KIV_SAME(MpegVersion) KIV_SAME(MpegLayer) KIV_SAME(HasCRC) KIV_SAME(BitRate)
    KIV_SAME(SampleRate) KIV_SAME(Emphasis) KIV_SAME(Copyright) KIV_SAME(Original) KIV_SAME_TEXT(SearchIndex)
    KIV_SAME_TEXT(Filename) KIV_SAME_TEXT(Mediumname) KIV_SAME_TEXT(MediumSubPathFilename) KIV_SAME_TEXT(SubPath)
    KIV_SAME_TEXT(Comment) KIV_SAME(ChannelMode) KIV_SAME(Bewertung) KIV_SAME(FolderID) KIV_SAME(FileSize)
    KIV_SAME(Validity) KIV_SAME(CreationTime) KIV_SAME(ImportID)
    QCOMPARE(a.m_Anlegedatum.isValid(), b.m_Anlegedatum.isValid());
#undef KIV_SAME
#undef KIV_SAME_TEXT
}

} // namespace

// The fast reader against the record set on both engines: every column of rows with NULLs, umlauts,
// characters outside Windows-1252 and texts longer than its buffers, empty results, results of many
// blocks, and statements that fail; each also read ahead on a thread and connection of its own.
class RowReaderTest : public QObject
{
    Q_OBJECT

    CatalogFixture m_catalog;
    RecordingUi m_ui;

    CKivDatabase &db() { return m_catalog.db(); }

    // Reads through a read-ahead, as a list loading in steps does.
    std::unique_ptr<CKivMp3RowReadAhead> m_ahead;
    bool m_viaAhead = false;

    void readAheadColumn()
    {
        QTest::addColumn<bool>("ahead");
        QTest::newRow("here") << false;
        QTest::newRow("ahead") << true;
    }
    void fetchAhead()
    {
        QFETCH(bool, ahead);
        m_viaAhead = ahead;
    }
    void useAhead(CKivMp3RowReader &reader)
    {
        if (m_viaAhead)
            reader.SetReadAhead(m_ahead.get());
    }

    std::vector<CKivMp3sRow> viaRecordSet(const std::function<bool(CRsMp3s &)> &open)
    {
        std::vector<CKivMp3sRow> rows;
        CRsMp3s rs(db());
        if (open(rs)) {
            for (; !rs.IsEOF(); rs.MoveNext())
                rows.push_back(fromRecordSet(rs));
        }
        return rows;
    }

    std::vector<CKivMp3sRow> viaReaderAhead(const CKivMp3sQuery &query)
    {
        const bool was = m_viaAhead;
        m_viaAhead = true;
        auto rows = viaReader(query, 256);
        m_viaAhead = was;
        return rows;
    }

    std::vector<CKivMp3sRow> viaReader(const CKivMp3sQuery &query, int block, bool *ok = nullptr)
    {
        std::vector<CKivMp3sRow> rows;
        CKivMp3RowReader reader(db(), block);
        useAhead(reader);
        const bool read = reader.Read(query, [&](CKivMp3sRow &&row) { rows.push_back(std::move(row)); });
        if (ok)
            *ok = read;
        return rows;
    }

    void compareAll(const std::vector<CKivMp3sRow> &expected, const std::vector<CKivMp3sRow> &actual)
    {
        QCOMPARE(actual.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            compareRows(actual[i], expected[i]);
            if (QTest::currentTestFailed()) {
                qWarning("row %zu differs", i);
                return;
            }
        }
    }

    void addRow(const QString &medium, const QString &subPath, const QString &file, const QString &text,
                bool full)
    {
        CRsMp3s rs(db());
        rs.AddNew();
        rs.m_Mediumname = medium;
        rs.m_MediumSubPathFilename = QLatin1Char('(') + medium + QLatin1Char(')') + subPath + file;
        if (full) {
            rs.m_SubPath = subPath;
            rs.m_Filename = file;
            rs.m_Title = text;
            rs.m_Artist = text + QStringLiteral(" Künstler");
            rs.m_Album = QStringLiteral("");
            rs.m_Year = QStringLiteral("1999");
            rs.m_Comment = text.repeated(3);
            rs.m_SearchIndex = rs.m_MediumSubPathFilename + QLatin1Char(',') + text;
            rs.m_Anlegedatum = QDateTime(QDate(2003, 4, 5), QTime(6, 7, 8, 900));
            rs.m_Bewertung = 5;
            rs.m_FileSize = 123456789;
            rs.m_Validity = -1;
            rs.m_ImportID = 0;
            rs.m_Genre = 255;
        }
        QVERIFY2(rs.Update(), qPrintable(rs.lastError()));
        if (!full) {
            // The program stores empty texts as ''; rows of earlier versions hold NULL.
            QSqlQuery nulls(db().connection());
            QVERIFY(nulls.exec(QStringLiteral("UPDATE Mp3s SET SubPath = NULL, Filename = NULL, Title = NULL, Artist = NULL, "
                                              "Album = NULL, Year = NULL, Comment = NULL, GenreName = NULL, "
                                              "SearchIndex = NULL WHERE ID = %1")
                                   .arg(rs.m_ID)));
        }
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_catalog.recreate());
        m_ui.clear();
        // A new catalog file each time: the read-ahead's connection is new as well.
        m_ahead = std::make_unique<CKivMp3RowReadAhead>(db().Settings());
        m_viaAhead = false;
        CKivMp3SortClause::Set(QString());
    }

    void cleanup()
    {
        CKivMp3SortClause::Set(QString());
        m_ahead.reset();
    }

    void sameColumnsAsRecordSet()
    {
        CRsMp3s rs(db());
        QCOMPARE(CKivMp3RowReader::columnNames(), rs.columnNames());
    }

    void sameValuesAsRecordSet_data() { readAheadColumn(); }
    void sameValuesAsRecordSet()
    {
        fetchAhead();
        const QString medium = QStringLiteral("Mädchen's Ω");
        // A row with nothing but its medium and key: every other column NULL.
        addRow(medium, QString(), QStringLiteral("bare.mp3"), QString(), false);
        addRow(medium, QStringLiteral("Größe\\"), QStringLiteral("Straße.mp3"), QStringLiteral("Überholspur ß €"), true);
        addRow(medium, QStringLiteral("日本\\"), QStringLiteral("𝄞 Ωμέγα.mp3"), QStringLiteral("Ωμέγα 日本語 𝄞"), true);
        // Texts at, and one past, the length the reader's buffers hold; a key and a search text of
        // more than 3,000 characters.
        addRow(medium, QString(), QStringLiteral("edge.mp3"), QString(256, QLatin1Char('x')), true);
        addRow(medium, QString(), QStringLiteral("edge2.mp3"), QString(257, QChar(0x00e4)), true);
        const QString longPath = QStringLiteral("Ordner ä 𝄞\\").repeated(300);
        QVERIFY(longPath.size() > 3000);
        addRow(medium, longPath, QStringLiteral("long.mp3"), QStringLiteral("Lang").repeated(100), true);

        const auto expected = viaRecordSet([&](CRsMp3s &r) { return r.OpenByMediumSubPath(medium, QString(), false); });
        QCOMPARE(expected.size(), size_t(6));
        QVERIFY(expected[5].m_MediumSubPathFilename.size() > 3300);
        QVERIFY(expected[0].m_Title.isNull());
        for (int block : {1, 2, 256}) {
            bool ok = false;
            compareAll(expected, viaReader(CKivMp3sQuery::ByMediumSubPath(medium, QString(), false), block, &ok));
            QVERIFY(ok);
        }
        // The sub-path text of a medium query, found anywhere in the sub-path.
        compareAll(viaRecordSet([&](CRsMp3s &r) { return r.OpenByMediumSubPath(medium, QStringLiteral("ö"), false); }),
                   viaReader(CKivMp3sQuery::ByMediumSubPath(medium, QStringLiteral("ö"), false), 256));
    }

    void emptyResult()
    {
        addRow(QStringLiteral("A"), QString(), QStringLiteral("a.mp3"), QStringLiteral("a"), true);
        bool ok = false;
        QVERIFY(viaReader(CKivMp3sQuery::ByMediumSubPath(QStringLiteral("B"), QString(), false), 256, &ok).empty());
        QVERIFY(ok);
        QVERIFY(viaReader(CKivMp3sQuery::ByMediumSubPath(QStringLiteral("A"), QString(), true), 256, &ok).empty());
        QVERIFY(ok);
    }

    void manyBlocksInQueryOrder_data() { readAheadColumn(); }
    void manyBlocksInQueryOrder()
    {
        fetchAhead();
        QVERIFY(db().BeginTransaction());
        for (int i = 0; i < 1000; ++i)
            addRow(QStringLiteral("A"), QStringLiteral("F%1\\").arg(i / 100), QStringLiteral("%1.mp3").arg(i),
                   QStringLiteral("Titel %1").arg((i * 7919) % 1000, 4, 10, QLatin1Char('0')), true);
        QVERIFY(db().Commit());
        const CKivMp3sQuery byId = CKivMp3sQuery::ByMediumSubPath(QStringLiteral("A"), QString(), false);
        const auto rows = viaReader(byId, 256);
        QCOMPARE(rows.size(), size_t(1000));
        for (size_t i = 1; i < rows.size(); ++i)
            QVERIFY(rows[i - 1].m_ID < rows[i].m_ID);
        compareAll(viaRecordSet([](CRsMp3s &r) { return r.OpenByMediumSubPath(QStringLiteral("A"), QString(), false); }),
                   rows);

        // The user's sort clause, read back in that order.
        CKivMp3SortClause::Set(QStringLiteral("Title DESC"));
        const auto sorted = viaReader(CKivMp3sQuery::ByMediumSubPath(QStringLiteral("A"), QString(), false), 256);
        QCOMPARE(sorted.front().m_Title, QStringLiteral("Titel 0999"));
        compareAll(viaRecordSet([](CRsMp3s &r) { return r.OpenByMediumSubPath(QStringLiteral("A"), QString(), false); }),
                   sorted);
    }

    void searchesAsRecordSet_data() { readAheadColumn(); }
    void searchesAsRecordSet()
    {
        fetchAhead();
        addRow(QStringLiteral("A"), QString(), QStringLiteral("a.mp3"), QStringLiteral("Rock'n'Roll"), true);
        addRow(QStringLiteral("A"), QString(), QStringLiteral("b.mp3"), QStringLiteral("ROCK'N'ROLL"), true);
        addRow(QStringLiteral("B"), QString(), QStringLiteral("c.mp3"), QStringLiteral("Rock"), true);
        const QString value = QStringLiteral("rock'n");
        compareAll(viaRecordSet([&](CRsMp3s &r) { return r.OpenSearch(QStringLiteral("SearchIndex"), QStringLiteral("LIKE"), value, QString()); }),
                   viaReader(CKivMp3sQuery::Search(QStringLiteral("SearchIndex"), QStringLiteral("LIKE"), value, QString()), 256));
        QCOMPARE(viaReader(CKivMp3sQuery::Search(QStringLiteral("SearchIndex"), QStringLiteral("LIKE"), value, QString()), 256).size(), size_t(2));
        compareAll(viaRecordSet([&](CRsMp3s &r) { return r.OpenSearch(QStringLiteral("Mediumname"), QStringLiteral("="), QStringLiteral("B"), QStringLiteral("B")); }),
                   viaReader(CKivMp3sQuery::Search(QStringLiteral("Mediumname"), QStringLiteral("="), QStringLiteral("B"), QStringLiteral("B")), 256));
        // Any other field runs nothing.
        bool ok = true;
        QVERIFY(viaReader(CKivMp3sQuery::Search(QStringLiteral("Title"), QStringLiteral("LIKE"), value, QString()), 256, &ok).empty());
        QVERIFY(!ok);
    }

    void failingStatements_data() { readAheadColumn(); }
    void failingStatements()
    {
        fetchAhead();
        QVERIFY(db().BeginTransaction());
        for (int i = 0; i < 1000; ++i)
            addRow(QStringLiteral("A"), QString(), QStringLiteral("%1.mp3").arg(i), QStringLiteral("t"), true);
        QVERIFY(db().Commit());

        CKivMp3RowReader reader(db(), 256);
        useAhead(reader);
        int handedOut = 0;
        const auto count = [&](CKivMp3sRow &&) { ++handedOut; };
        QVERIFY(!reader.Read({QStringLiteral("NoSuchColumn=1"), QString()}, count));
        QVERIFY(reader.lastFailedInDatabase());
        QVERIFY(!reader.lastError().isEmpty());
        QCOMPARE(handedOut, 0);

        // A statement that fails only when it reaches row 500: an error, not a short result.
        const QString failsLate = QStringLiteral("ID<500 OR abs(ID-500-9223372036854775807-1)>0");
        QVERIFY(!reader.Read({failsLate, QString()}, count));
        QVERIFY(!reader.lastError().isEmpty());

        // Through a filter: the user is told and gets the filter dialog, as with the record set.
        TextFilter broken(QStringLiteral("NoSuchColumn=1"));
        QVERIFY(!reader.ReadWithFilter(broken, count));
        QCOMPARE(m_ui.messages().size(), 1);
        QCOMPARE(m_ui.messages().first().caption, QStringLiteral("Warnung !"));
        QCOMPARE(m_ui.filterDialogs(), 1);
        TextFilter fine(QStringLiteral("Mediumname='A'"));
        handedOut = 0;
        QVERIFY(reader.ReadWithFilter(fine, count));
        QCOMPARE(handedOut, 1000);
        QCOMPARE(m_ui.filterDialogs(), 1);

        // The connection stays usable after failures, in the same transaction as the record sets.
        QVERIFY(db().BeginTransaction());
        addRow(QStringLiteral("A"), QString(), QStringLiteral("new.mp3"), QStringLiteral("t"), true);
        QCOMPARE(viaReader(CKivMp3sQuery::ByMediumSubPath(QStringLiteral("A"), QString(), false), 256).size(), size_t(1001));
        QVERIFY(db().Rollback());
        QCOMPARE(viaReader(CKivMp3sQuery::ByMediumSubPath(QStringLiteral("A"), QString(), false), 256).size(), size_t(1000));
    }

    // A list read ahead in steps: rows arrive block by block in query order, a new read ends one
    // under way (its rows never mix with the new ones), and a reader that goes mid-read lets go.
    void readAheadInSteps()
    {
        QVERIFY(db().BeginTransaction());
        for (int i = 0; i < 3000; ++i)
            addRow(QStringLiteral("A"), QString(), QStringLiteral("%1.mp3").arg(i), QStringLiteral("t"), true);
        addRow(QStringLiteral("B"), QString(), QStringLiteral("b.mp3"), QStringLiteral("t"), true);
        QVERIFY(db().Commit());
        const CKivMp3sQuery all = CKivMp3sQuery::ByMediumSubPath(QStringLiteral("A"), QString(), false);
        const auto expected = viaReader(all, 256);
        QCOMPARE(expected.size(), size_t(3000));

        CKivMp3RowReader reader(db());
        reader.SetReadAhead(m_ahead.get());
        std::vector<CKivMp3sRow> rows;
        const auto keep = [&](CKivMp3sRow &&row) { rows.push_back(std::move(row)); };
        QVERIFY(reader.Open(all));
        QVERIFY(reader.isOpen());
        QCOMPARE(reader.Fetch(keep, 0), CKivMp3RowReader::Step::More);
        QCOMPARE(rows.size(), size_t(CKivMp3RowReader::DefaultBlockRows));
        CKivMp3RowReader::Step step = CKivMp3RowReader::Step::More;
        int steps = 1;
        while (step == CKivMp3RowReader::Step::More) {
            step = reader.Fetch(keep, 0);
            ++steps;
        }
        QCOMPARE(step, CKivMp3RowReader::Step::Done);
        QVERIFY(steps > 3);
        QVERIFY(!reader.isOpen());
        compareAll(expected, rows);
        QCOMPARE(reader.rowsRead(), qint64(3000));

        // A new read while the last one is under way.
        rows.clear();
        QVERIFY(reader.Open(all));
        QCOMPARE(reader.Fetch(keep, 0), CKivMp3RowReader::Step::More);
        rows.clear();
        QVERIFY(reader.Open(CKivMp3sQuery::ByMediumSubPath(QStringLiteral("B"), QString(), false)));
        QCOMPARE(reader.Fetch(keep), CKivMp3RowReader::Step::Done);
        QCOMPARE(rows.size(), size_t(1));
        QCOMPARE(rows.front().m_Filename, QStringLiteral("b.mp3"));

        // Rows written and committed on the catalog connection are read by the next read ahead; the
        // connection's own open transaction is read on the connection itself.
        addRow(QStringLiteral("B"), QString(), QStringLiteral("c.mp3"), QStringLiteral("t"), true);
        QCOMPARE(viaReaderAhead(CKivMp3sQuery::ByMediumSubPath(QStringLiteral("B"), QString(), false)).size(), size_t(2));

        // A reader and its read-ahead going while rows are still arriving.
        {
            CKivMp3RowReadAhead ahead(db().Settings());
            CKivMp3RowReader early(db());
            early.SetReadAhead(&ahead);
            QVERIFY(early.Open(all));
            QCOMPARE(early.Fetch([](CKivMp3sRow &&) {}, 0), CKivMp3RowReader::Step::More);
        }
        // The catalog connection still writes (no read lock of SQLite left behind).
        QVERIFY(db().BeginTransaction());
        addRow(QStringLiteral("B"), QString(), QStringLiteral("d.mp3"), QStringLiteral("t"), true);
        QVERIFY(db().Commit());
        QCOMPARE(viaReaderAhead(CKivMp3sQuery::ByMediumSubPath(QStringLiteral("B"), QString(), false)).size(), size_t(3));
    }

    // The catalog's connections, each used by its own thread only, run SQLite without its lock
    // around every call (chosen before the process first opened SQLite).
    void sqliteRunsWithoutConnectionLocks() { QVERIFY(KivSqliteThreading::MultiThread()); }

    void closedConnection()
    {
        db().Close();
        CKivMp3RowReader reader(db());
        QVERIFY(!reader.Read(CKivMp3sQuery::ByMediumSubPath(QStringLiteral("A"), QString(), false), [](CKivMp3sRow &&) {}));
        QVERIFY(!reader.lastFailedInDatabase());
    }
};

int runRowReaderTest(int argc, char **argv)
{
    RowReaderTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "RowReaderTest.moc"
