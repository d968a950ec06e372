#pragma once

#include "catalog/Mp3sRow.h"
#include "catalog/Mp3sQuery.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class CKivDatabase;
class CKivMp3RowReadAhead;
class IKivMp3Filter;

// Reads the rows of a query over table Mp3s fast: the statement the MP3 record set would run, executed
// through the ODBC interface directly on the catalog connection's own handle (so in its transaction),
// with bound columns and fetches of many rows at a time. Given a read-ahead (SetReadAhead), a read
// outside a transaction runs on the read-ahead's thread and connection instead, and the rows are taken
// from there as they arrive. Texts longer than the bound buffers are read
// whole. Equal texts of consecutive rows share one string.
//
// Only for reading lists; rows are handed out in query order. A failure (no connection, a refused
// statement, an error while fetching) is a false result: the rows handed out before it are to be
// thrown away by the caller. Driver details go to melvora.catalog.
class CKivMp3RowReader
{
public:
    using Sink = std::function<void(CKivMp3sRow &&row)>;

    static constexpr int DefaultBlockRows = 256;

    explicit CKivMp3RowReader(CKivDatabase &db, int blockRows = DefaultBlockRows);
    ~CKivMp3RowReader();
    CKivMp3RowReader(const CKivMp3RowReader &) = delete;
    CKivMp3RowReader &operator=(const CKivMp3RowReader &) = delete;

    // Runs the query and hands every row to sink, in order. A query that is not runnable reads nothing
    // and gives false.
    bool Read(const CKivMp3sQuery &query, const Sink &sink);
    // The filter's rows. A filter that is not valid, or whose condition the database refuses, is
    // reported to the user, who then gets the filter dialog to correct it; the result is false.
    bool ReadWithFilter(IKivMp3Filter &filter, const Sink &sink);

    // A read in steps: Open runs the statement, each Fetch hands on the rows that arrive within
    // budgetNs nanoseconds (all of them for a negative budget) and says whether more are to come.
    // Close, or a new Open, ends a read early. The reader's connection must not run other work
    // between the steps that changes the rows read.
    enum class Step { More, Done, Failed };
    bool Open(const CKivMp3sQuery &query);
    // Open for the filter's rows, reporting an invalid filter as ReadWithFilter does.
    bool OpenWithFilter(IKivMp3Filter &filter);
    Step Fetch(const Sink &sink, qint64 budgetNs = -1);
    void Close();
    bool isOpen() const { return m_cursor != nullptr || m_aheadOpen; }

    // Reads through this read-ahead from the next Open on (nullptr: on the catalog connection).
    void SetReadAhead(CKivMp3RowReadAhead *ahead) { m_ahead = ahead; }

    // Reads only these columns (by name, case ignored) and ID; the other members of the rows keep
    // their defaults. An empty list reads every column again.
    void SetColumns(const QStringList &columns);

    QString lastError() const { return m_lastError; }
    // Whether the last Read failed because the database refused the statement.
    bool lastFailedInDatabase() const { return m_failedInDatabase; }
    // Rows fetched by the last Read.
    qint64 rowsRead() const { return m_rowsRead; }

    // The columns read, in the order of CKivMp3sRow.
    static QStringList columnNames();

private:
    struct Cursor;

    bool fail(const QString &what);
    bool openAhead(const CKivMp3sQuery &query);

    CKivDatabase &m_db;
    int m_blockRows;
    std::vector<int> m_active;  // indices of the columns read, ID first
    QString m_lastError;
    bool m_failedInDatabase = false;
    qint64 m_rowsRead = 0;
    std::unique_ptr<Cursor> m_cursor;
    CKivMp3RowReadAhead *m_ahead = nullptr;
    bool m_aheadOpen = false;
};
