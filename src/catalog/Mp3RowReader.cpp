#include "catalog/Mp3RowReader.h"

#include "catalog/CatalogLog.h"
#include "catalog/Database.h"
#include "catalog/FullTextSearch.h"
#include "catalog/Mp3Filter.h"
#include "catalog/Mp3RowReadAhead.h"

#include <QSqlDatabase>
#include <QElapsedTimer>
#include <QSqlDriver>

#include <sql.h>
#include <sqlext.h>

#include <cstring>
#include <memory>
#include <vector>

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "the driver manager must use UTF-16 wide characters");

namespace {

enum class Kind { Integer, Text, DateTime };

struct ColumnDef
{
    const char *name;
    Kind kind;
    qint32 CKivMp3sRow::*integer;
    QString CKivMp3sRow::*text;
    QDateTime CKivMp3sRow::*dateTime;
    SQLLEN capacity;  // characters a text buffer holds; longer texts are read again whole
};

constexpr SQLLEN ShortText = 256;
constexpr SQLLEN LongText = 1024;

#define KIV_INT(c) ColumnDef{#c, Kind::Integer, &CKivMp3sRow::m_##c, nullptr, nullptr, 0}
#define KIV_TEXT(c, n) ColumnDef{#c, Kind::Text, nullptr, &CKivMp3sRow::m_##c, nullptr, n}
#define KIV_DATE(c) ColumnDef{#c, Kind::DateTime, nullptr, nullptr, &CKivMp3sRow::m_##c, 0}

const ColumnDef g_columns[] = {
    KIV_INT(ID),           KIV_DATE(Anlegedatum),    KIV_TEXT(Title, ShortText),
    KIV_TEXT(Artist, ShortText), KIV_INT(ArtistID),  KIV_TEXT(Album, ShortText),
    KIV_INT(TrackNr),      KIV_TEXT(Year, ShortText), KIV_INT(Genre),
    KIV_TEXT(GenreName, ShortText), KIV_INT(Frames), KIV_INT(Length),
    KIV_INT(MpegVersion),  KIV_INT(MpegLayer),       KIV_INT(HasCRC),
    KIV_INT(BitRate),      KIV_INT(SampleRate),      KIV_INT(Emphasis),
    KIV_INT(Copyright),    KIV_INT(Original),        KIV_TEXT(SearchIndex, LongText),
    KIV_TEXT(Filename, ShortText), KIV_TEXT(Mediumname, ShortText), KIV_TEXT(MediumSubPathFilename, LongText),
    KIV_TEXT(SubPath, ShortText), KIV_TEXT(Comment, ShortText), KIV_INT(ChannelMode),
    KIV_INT(Bewertung),    KIV_INT(FolderID),        KIV_INT(FileSize),
    KIV_INT(Validity),     KIV_DATE(CreationTime),   KIV_INT(ImportID),
};

#undef KIV_INT
#undef KIV_TEXT
#undef KIV_DATE

constexpr int ColumnCount = int(sizeof(g_columns) / sizeof(g_columns[0]));
static_assert(ColumnCount == 33, "table Mp3s has 33 columns");

// A statement handle that is freed with its owner.
class Statement
{
public:
    explicit Statement(SQLHDBC dbc)
    {
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &m_handle)))
            m_handle = SQL_NULL_HSTMT;
    }
    ~Statement()
    {
        if (m_handle != SQL_NULL_HSTMT) {
            SQLFreeStmt(m_handle, SQL_CLOSE);
            SQLFreeHandle(SQL_HANDLE_STMT, m_handle);
        }
    }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    SQLHSTMT handle() const { return m_handle; }
    bool isValid() const { return m_handle != SQL_NULL_HSTMT; }
    // Forgets the handle without freeing it: closing its connection has freed it already.
    void abandon() { m_handle = SQL_NULL_HSTMT; }

private:
    SQLHSTMT m_handle = SQL_NULL_HSTMT;
};

// The driver's messages; sqlState, when given, gets the state of the first record.
QString diagnostics(SQLSMALLINT type, SQLHANDLE handle, QString *sqlState = nullptr)
{
    QString text;
    SQLWCHAR state[6];
    SQLWCHAR message[1024];
    SQLINTEGER nativeError = 0;
    SQLSMALLINT length = 0;
    for (SQLSMALLINT i = 1; SQL_SUCCEEDED(SQLGetDiagRecW(type, handle, i, state, &nativeError, message,
                                                         SQLSMALLINT(std::size(message)), &length));
         ++i) {
        if (sqlState && i == 1)
            *sqlState = QString::fromUtf16(reinterpret_cast<const char16_t *>(state), 5);
        if (!text.isEmpty())
            text += QLatin1Char(' ');
        text += QString::fromUtf16(reinterpret_cast<const char16_t *>(message),
                                   qMin<qsizetype>(length, qsizetype(std::size(message)) - 1));
    }
    return text.isEmpty() ? QStringLiteral("unknown ODBC error") : text;
}

// The ODBC connection handle behind a connection of Qt's ODBC driver; null for any other driver.
SQLHDBC connectionHandle(const QSqlDatabase &db)
{
    if (!db.isOpen() || db.driverName() != QLatin1String("QODBC"))
        return SQL_NULL_HDBC;
    const QVariant handle = db.driver()->handle();
    const char *type = handle.typeName();
    if (!handle.isValid() || !type || (qstrcmp(type, "SQLHANDLE") != 0 && qstrcmp(type, "void*") != 0) ||
        handle.metaType().sizeOf() != qsizetype(sizeof(SQLHDBC)))
        return SQL_NULL_HDBC;
    return *static_cast<const SQLHDBC *>(handle.constData());
}

const SQLWCHAR *wide(const QString &text)
{
    return reinterpret_cast<const SQLWCHAR *>(text.utf16());
}

// Whether the connection still runs a trivial statement.
bool connectionAnswers(SQLHDBC dbc)
{
    Statement probe(dbc);
    const QString sql = QStringLiteral("SELECT 1");
    return probe.isValid() &&
           SQL_SUCCEEDED(SQLExecDirectW(probe.handle(), const_cast<SQLWCHAR *>(wide(sql)), SQLINTEGER(sql.size())));
}

// The bound buffers of one column for a block of rows.
struct ColumnBuffer
{
    std::vector<char> data;
    std::vector<SQLLEN> indicator;
    SQLLEN elementBytes = 0;
    SQLLEN capacityBytes = 0;  // text bytes that fit, without the terminating zero
    // The value of the row before, shared when the next row has the same: texts are mostly repeated
    // (medium, folder, artist, album), and a local date-time costs a time-zone lookup.
    QString previousText;
    QByteArray previousBytes;
    SQL_TIMESTAMP_STRUCT previousStamp{};
    QDateTime previousDateTime;
};

QDateTime dateTimeOf(ColumnBuffer &b, const char *cell)
{
    SQL_TIMESTAMP_STRUCT ts;
    std::memcpy(&ts, cell, sizeof(ts));
    if (!b.previousDateTime.isValid() || std::memcmp(&ts, &b.previousStamp, sizeof(ts)) != 0) {
        b.previousStamp = ts;
        b.previousDateTime = QDateTime(QDate(ts.year, ts.month, ts.day),
                                       QTime(ts.hour, ts.minute, ts.second, int(ts.fraction / 1000000)));
    }
    return b.previousDateTime;
}

// A text that fit its buffer: UTF-8 bytes or UTF-16 units, as bound.
QString textOf(ColumnBuffer &b, const char *cell, SQLLEN bytes, bool utf8)
{
    if (utf8) {
        if (!b.previousText.isNull() && b.previousBytes.size() == bytes &&
            std::memcmp(b.previousBytes.constData(), cell, size_t(bytes)) == 0)
            return b.previousText;
        b.previousBytes = QByteArray(cell, bytes);
        b.previousText = QString::fromUtf8(b.previousBytes);
        return b.previousText;
    }
    const QStringView text(reinterpret_cast<const char16_t *>(cell), bytes / SQLLEN(sizeof(SQLWCHAR)));
    if (b.previousText.isNull() || text != b.previousText)
        b.previousText = text.toString();
    return b.previousText;
}

// Reads one text column of one row whole, in pieces, through its own statement.
class LongTextReader
{
public:
    explicit LongTextReader(SQLHDBC dbc) : m_dbc(dbc) {}

    bool read(const char *column, qint32 id, QString &out, QString &error)
    {
        Statement stmt(m_dbc);
        if (!stmt.isValid()) {
            error = QStringLiteral("no statement handle for a long text");
            return false;
        }
        const QString sql = QStringLiteral("SELECT %1 FROM Mp3s WHERE ID=?").arg(QLatin1String(column));
        SQLINTEGER key = id;
        SQLLEN keyIndicator = 0;
        if (!SQL_SUCCEEDED(SQLBindParameter(stmt.handle(), 1, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0,
                                            &key, 0, &keyIndicator)) ||
            !SQL_SUCCEEDED(SQLExecDirectW(stmt.handle(), const_cast<SQLWCHAR *>(wide(sql)), SQLINTEGER(sql.size())))) {
            error = diagnostics(SQL_HANDLE_STMT, stmt.handle());
            return false;
        }
        const SQLRETURN fetched = SQLFetch(stmt.handle());
        if (fetched == SQL_NO_DATA) {
            error = QStringLiteral("row %1 vanished while it was read").arg(id);
            return false;
        }
        if (!SQL_SUCCEEDED(fetched)) {
            error = diagnostics(SQL_HANDLE_STMT, stmt.handle());
            return false;
        }
        out.clear();
        SQLWCHAR piece[4096];
        for (;;) {
            SQLLEN indicator = 0;
            const SQLRETURN rc = SQLGetData(stmt.handle(), 1, SQL_C_WCHAR, piece, sizeof(piece), &indicator);
            if (rc == SQL_NO_DATA)
                break;
            if (!SQL_SUCCEEDED(rc)) {
                error = diagnostics(SQL_HANDLE_STMT, stmt.handle());
                return false;
            }
            if (indicator == SQL_NULL_DATA) {
                out = QString();
                break;
            }
            const qsizetype room = qsizetype(std::size(piece)) - 1;
            const bool partial = indicator == SQL_NO_TOTAL || indicator / SQLLEN(sizeof(SQLWCHAR)) > room;
            const qsizetype chars = partial ? room : qsizetype(indicator / SQLLEN(sizeof(SQLWCHAR)));
            out.append(QStringView(reinterpret_cast<const char16_t *>(piece), chars));
            if (rc == SQL_SUCCESS)
                break;
        }
        return true;
    }

private:
    SQLHDBC m_dbc;
};

} // namespace

CKivMp3RowReader::CKivMp3RowReader(CKivDatabase &db, int blockRows)
    : m_db(db), m_blockRows(qMax(1, blockRows))
{
    SetColumns({});
}

CKivMp3RowReader::~CKivMp3RowReader()
{
    Close();
}

void CKivMp3RowReader::SetColumns(const QStringList &columns)
{
    m_active.clear();
    for (int c = 0; c < ColumnCount; ++c) {
        const QLatin1String name(g_columns[c].name);
        // ID comes first: a text that did not fit is read again whole by it.
        if (c == 0 || columns.isEmpty() || columns.contains(name, Qt::CaseInsensitive))
            m_active.push_back(c);
    }
}

QStringList CKivMp3RowReader::columnNames()
{
    QStringList names;
    for (const ColumnDef &c : g_columns)
        names.append(QLatin1String(c.name));
    return names;
}

bool CKivMp3RowReader::fail(const QString &what)
{
    qCWarning(lcCatalog).noquote() << "Reading Mp3s rows failed:" << what << "--" << m_lastError;
    m_db.NoteError(m_lastError);
    return false;
}

// An executed statement with its bound buffers, between the fetches of one read.
struct CKivMp3RowReader::Cursor
{
    explicit Cursor(SQLHDBC connection) : dbc(connection), stmt(connection), longText(connection) {}

    SQLHDBC dbc;
    quint64 serial = 0;
    Statement stmt;
    LongTextReader longText;
    bool utf8 = false;
    SQLULEN fetched = 0;
    std::vector<SQLUSMALLINT> rowStatus;
    std::vector<ColumnBuffer> buffers;
};

bool CKivMp3RowReader::Read(const CKivMp3sQuery &query, const Sink &sink)
{
    return Open(query) && Fetch(sink) == Step::Done;
}

void CKivMp3RowReader::Close()
{
    if (m_aheadOpen) {
        m_ahead->Cancel();
        m_aheadOpen = false;
    }
    // A connection closed or opened anew since has taken its statements with it.
    if (m_cursor && (m_cursor->serial != m_db.connectionSerial() || !m_db.IsOpen()))
        m_cursor->stmt.abandon();
    m_cursor.reset();
}

bool CKivMp3RowReader::Open(const CKivMp3sQuery &query)
{
    Close();
    m_lastError.clear();
    m_failedInDatabase = false;
    m_rowsRead = 0;
    if (!query.runnable) {
        m_lastError = QStringLiteral("no query to run");
        return false;
    }
    if (openAhead(query))
        return true;
    const QSqlDatabase db = m_db.connection();
    const SQLHDBC dbc = connectionHandle(db);
    if (dbc == SQL_NULL_HDBC) {
        m_lastError = QStringLiteral("no open ODBC catalog connection");
        return fail(QStringLiteral("connection"));
    }
    auto cursor = std::make_unique<Cursor>(dbc);
    cursor->serial = m_db.connectionSerial();
    if (!cursor->stmt.isValid()) {
        m_lastError = diagnostics(SQL_HANDLE_DBC, dbc);
        return fail(QStringLiteral("allocating a statement"));
    }
    const SQLHSTMT h = cursor->stmt.handle();

    QStringList selected;
    for (const int c : m_active)
        selected.append(QLatin1String(g_columns[c].name));
    const int activeCount = int(m_active.size());
    const QString where = query.filter.isEmpty() ? QString() : m_db.dialect().filterText(query.filter);
    // A search the full-text index narrows is read by ID from the index's hits: no other index of
    // Mp3s (the medium's, say, which holds every row of a large medium) may be chosen instead.
    const bool narrowed = where.contains(KivFullTextSearch::TableName());
    QString sql = QStringLiteral("SELECT ") + selected.join(QLatin1String(", ")) +
                  (narrowed ? QLatin1String(" FROM Mp3s NOT INDEXED") : QLatin1String(" FROM Mp3s"));
    if (!where.isEmpty())
        sql += QLatin1String(" WHERE ") + where;
    sql += QLatin1String(" ORDER BY ") + (query.sort.isEmpty() ? QStringLiteral("ID") : query.sort);

    cursor->rowStatus.resize(static_cast<size_t>(m_blockRows));
    if (!SQL_SUCCEEDED(SQLSetStmtAttr(h, SQL_ATTR_ROW_BIND_TYPE, SQLPOINTER(SQL_BIND_BY_COLUMN), 0)) ||
        !SQL_SUCCEEDED(SQLSetStmtAttr(h, SQL_ATTR_ROW_ARRAY_SIZE, SQLPOINTER(SQLULEN(m_blockRows)), 0)) ||
        !SQL_SUCCEEDED(SQLSetStmtAttr(h, SQL_ATTR_ROW_STATUS_PTR, cursor->rowStatus.data(), 0)) ||
        !SQL_SUCCEEDED(SQLSetStmtAttr(h, SQL_ATTR_ROWS_FETCHED_PTR, &cursor->fetched, 0))) {
        m_lastError = diagnostics(SQL_HANDLE_STMT, h);
        return fail(QStringLiteral("setting up block fetches"));
    }

    // The SQLite driver hands out its UTF-8 as it is; wide characters would be converted by the
    // driver manager on every value. The PostgreSQL Unicode driver speaks UTF-16.
    const bool utf8 = m_db.dialect().engine() == CKivSqlDialect::Engine::SQLite;
    cursor->utf8 = utf8;
    cursor->buffers.resize(static_cast<size_t>(activeCount));
    for (int a = 0; a < activeCount; ++a) {
        const ColumnDef &def = g_columns[m_active[size_t(a)]];
        ColumnBuffer &b = cursor->buffers[size_t(a)];
        SQLSMALLINT cType = SQL_C_SLONG;
        switch (def.kind) {
        case Kind::Integer:
            b.elementBytes = sizeof(SQLINTEGER);
            break;
        case Kind::Text:
            cType = utf8 ? SQL_C_CHAR : SQL_C_WCHAR;
            // UTF-8 takes up to three bytes for a character of the basic plane, four for two units.
            b.capacityBytes = def.capacity * (utf8 ? 3 : SQLLEN(sizeof(SQLWCHAR)));
            b.elementBytes = b.capacityBytes + (utf8 ? 1 : SQLLEN(sizeof(SQLWCHAR)));
            break;
        case Kind::DateTime:
            cType = SQL_C_TYPE_TIMESTAMP;
            b.elementBytes = sizeof(SQL_TIMESTAMP_STRUCT);
            break;
        }
        b.data.resize(size_t(b.elementBytes) * size_t(m_blockRows));
        b.indicator.resize(size_t(m_blockRows));
        if (!SQL_SUCCEEDED(SQLBindCol(h, SQLUSMALLINT(a + 1), cType, b.data.data(), b.elementBytes,
                                      b.indicator.data()))) {
            m_lastError = diagnostics(SQL_HANDLE_STMT, h);
            return fail(QStringLiteral("binding column ") + QLatin1String(def.name));
        }
    }

    if (!SQL_SUCCEEDED(SQLExecDirectW(h, const_cast<SQLWCHAR *>(wide(sql)), SQLINTEGER(sql.size())))) {
        QString state;
        m_lastError = diagnostics(SQL_HANDLE_STMT, h, &state);
        // Class 08, or a connection that no longer answers, is no invalid statement: a lost server
        // must not be taken for an invalid filter.
        m_failedInDatabase = !state.startsWith(QLatin1String("08")) && connectionAnswers(dbc);
        return fail(sql);
    }
    m_cursor = std::move(cursor);
    return true;
}

bool CKivMp3RowReader::openAhead(const CKivMp3sQuery &query)
{
    // Inside a transaction only this connection sees what the transaction wrote.
    if (!m_ahead || m_db.InTransaction() || !m_db.IsOpen())
        return false;
    QStringList columns;
    if (m_active.size() < size_t(ColumnCount)) {
        for (const int c : m_active)
            columns.append(QLatin1String(g_columns[c].name));
    }
    if (m_ahead->Start(m_db.DataSourceName(), m_db.connectionSerial(), m_db.dialect(), query, columns)) {
        m_aheadOpen = true;
        return true;
    }
    // Read here instead: a statement refused there is refused here too, and reported as usual.
    qCInfo(lcCatalog).noquote() << "Reading on the catalog connection itself:" << m_ahead->lastError();
    return false;
}

CKivMp3RowReader::Step CKivMp3RowReader::Fetch(const Sink &sink, qint64 budgetNs)
{
    if (m_aheadOpen) {
        const Step step = m_ahead->Take(
            [&](CKivMp3sRow &&row) {
                sink(std::move(row));
                ++m_rowsRead;
            },
            budgetNs);
        if (step != Step::More)
            m_aheadOpen = false;
        if (step == Step::Failed) {
            m_lastError = m_ahead->lastError();
            fail(QStringLiteral("fetching ahead"));
        }
        return step;
    }
    if (!m_cursor)
        return Step::Failed;
    if (m_cursor->serial != m_db.connectionSerial() || !m_db.IsOpen()) {
        Close();
        m_lastError = QStringLiteral("the catalog connection was closed during the read");
        fail(QStringLiteral("fetching"));
        return Step::Failed;
    }
    Cursor &cursor = *m_cursor;
    const SQLHSTMT h = cursor.stmt.handle();
    const int activeCount = int(m_active.size());
    QElapsedTimer timer;
    timer.start();
    const auto failed = [this](const QString &what) {
        m_cursor.reset();
        fail(what);
        return Step::Failed;
    };
    for (;;) {
        const SQLRETURN rc = SQLFetch(h);
        if (rc == SQL_NO_DATA)
            break;
        if (!SQL_SUCCEEDED(rc)) {
            m_lastError = diagnostics(SQL_HANDLE_STMT, h);
            return failed(QStringLiteral("fetching"));
        }
        for (SQLULEN r = 0; r < cursor.fetched; ++r) {
            if (cursor.rowStatus[r] == SQL_ROW_ERROR) {
                m_lastError = diagnostics(SQL_HANDLE_STMT, h);
                return failed(QStringLiteral("fetching a row"));
            }
            if (cursor.rowStatus[r] == SQL_ROW_NOROW)
                continue;
            CKivMp3sRow row;
            // ID is the first column: a text that did not fit is read again whole by it.
            for (int a = 0; a < activeCount; ++a) {
                const ColumnDef &def = g_columns[m_active[size_t(a)]];
                ColumnBuffer &b = cursor.buffers[size_t(a)];
                const SQLLEN indicator = b.indicator[r];
                const char *cell = b.data.data() + SQLLEN(r) * b.elementBytes;
                const bool isNull = indicator == SQL_NULL_DATA;
                switch (def.kind) {
                case Kind::Integer: {
                    SQLINTEGER value;
                    std::memcpy(&value, cell, sizeof(value));
                    row.*def.integer = isNull ? 0 : qint32(value);
                    break;
                }
                case Kind::DateTime:
                    if (!isNull)
                        row.*def.dateTime = dateTimeOf(b, cell);
                    break;
                case Kind::Text:
                    if (isNull) {
                        b.previousText = QString();
                    } else if (indicator == SQL_NO_TOTAL || indicator > b.capacityBytes) {
                        QString whole;
                        if (!cursor.longText.read(def.name, row.m_ID, whole, m_lastError))
                            return failed(QStringLiteral("reading a long ") + QLatin1String(def.name));
                        row.*def.text = whole;
                    } else {
                        row.*def.text = textOf(b, cell, indicator, cursor.utf8);
                    }
                    break;
                }
            }
            sink(std::move(row));
            ++m_rowsRead;
        }
        // At least one block per step, so every step moves on.
        if (budgetNs >= 0 && timer.nsecsElapsed() >= budgetNs)
            return Step::More;
    }
    m_cursor.reset();
    return Step::Done;
}

bool CKivMp3RowReader::ReadWithFilter(IKivMp3Filter &filter, const Sink &sink)
{
    return OpenWithFilter(filter) && Fetch(sink) == Step::Done;
}

bool CKivMp3RowReader::OpenWithFilter(IKivMp3Filter &filter)
{
    const auto refuse = [&filter] { return KivRefuseInvalidFilter(filter); };
    if (!filter.IsValid())
        return refuse();
    if (Open(CKivMp3sQuery::WithFilter(filter)))
        return true;
    if (!m_failedInDatabase)
        return false;
    // The filter's own message says what went wrong.
    m_db.ErrorShown();
    return refuse();
}
