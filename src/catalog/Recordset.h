#pragma once

#include <QDateTime>
#include <QSqlQuery>
#include <QString>
#include <QStringList>

#include <limits>
#include <memory>
#include <unordered_map>
#include <variant>
#include <vector>

class CKivDatabase;

// A cursor over the rows of one catalog table, chosen by a filter (a WHERE condition without the
// word) and a sort (an ORDER BY list without the words; by key when empty). The typed record sets
// bind one member per column, in column order; the current row is read into them. Rows are read
// forward only; adding, editing and deleting write through at once with bound parameters.
//
// NULL reads as 0, as a null (empty) text and as an invalid date-time. After AddNew every integer
// member holds an "unset" marker and every text member is null: integer columns left so are
// inserted as NULL, text columns as '' (an empty text is always stored as '', never as NULL). Edit
// writes only the columns whose members were changed.
//
// Database errors never throw: the operation returns false, logs the driver's text to
// melvora.catalog and keeps it in lastError().
class CKivRecordset
{
public:
    CKivRecordset(CKivDatabase &db, const QString &table, const QString &keyColumn = QStringLiteral("ID"));
    virtual ~CKivRecordset();
    CKivRecordset(const CKivRecordset &) = delete;
    CKivRecordset &operator=(const CKivRecordset &) = delete;

    QString m_strFilter;
    QString m_strSort;

    // Runs the query with m_strFilter and m_strSort and moves to the first row (if any).
    bool Open();
    bool IsOpen() const { return m_open; }
    // True when there is no current row: no rows, or moved past the last one.
    bool IsEOF() const { return !m_hasRow; }
    bool MoveNext();
    bool MoveLast();
    // Starts a new row (written by Update); the cursor does not move.
    void AddNew();
    // Starts changing the current row (written by Update).
    bool Edit();
    // Inserts the added row or updates the edited one. After an insert the key member holds the
    // new row's ID and that row is the one a following Edit or Delete works on.
    bool Update();
    // Deletes the current row by its key; move on with MoveNext.
    bool Delete();
    // Runs the query again, with the filter and sort as they are now.
    bool Requery();
    void Close();

    QString lastError() const { return m_lastError; }
    // Whether the last Open failed because the database refused the statement.
    bool lastOpenFailedInDatabase() const { return m_openFailedInDatabase; }

    QString tableName() const { return m_table; }
    QString keyColumn() const { return m_keyColumn; }
    QStringList columnNames() const;
    CKivDatabase &database() const { return m_db; }

    // The marker an integer member holds between AddNew and being set.
    static constexpr qint32 UnsetInteger = std::numeric_limits<qint32>::min();

protected:
    void bind(const QString &column, qint32 *member);
    void bind(const QString &column, QString *member);
    void bind(const QString &column, QDateTime *member);

    // An empty (never null) text, so that a column set to it is written as '' rather than NULL.
    static QString storedText(const QString &value) { return value.isNull() ? QStringLiteral("") : value; }

    // Closes, sets filter and sort, opens. True with at least one row (left open on the first);
    // otherwise closed and false.
    bool openRows(const QString &filter, const QString &sort = QString());

private:
    using Member = std::variant<qint32 *, QString *, QDateTime *>;
    using Value = std::variant<qint32, QString, QDateTime>;
    struct Column
    {
        QString name;
        Member member;
    };
    enum class Mode { None, Adding, Editing };

    void fetch();
    void readRow();
    Value currentValue(const Column &column) const;
    bool isSetForInsert(const Column &column) const;
    void clearUnsetMarkers();
    QVariant boundValue(const Column &column) const;
    bool insertRow();
    bool updateRow();
    void dropStaleStatements();
    QSqlQuery *prepared(std::unordered_map<quint64, std::unique_ptr<QSqlQuery>> &cache, quint64 mask,
                        const QString &sql);
    bool fail(const QString &what, const QSqlQuery &query);
    qint32 *keyMember() const;

    CKivDatabase &m_db;
    QString m_table;
    QString m_keyColumn;
    std::vector<Column> m_columns;
    int m_keyIndex = -1;

    QSqlQuery m_select;
    bool m_open = false;
    bool m_hasRow = false;
    // The row Edit and Delete work on: the cursor's row, or the row just inserted.
    bool m_hasKey = false;
    qint32 m_rowKey = 0;
    quint64 m_connectionSerial = 0;
    Mode m_mode = Mode::None;
    std::vector<Value> m_baseline;

    std::unordered_map<quint64, std::unique_ptr<QSqlQuery>> m_inserts;
    std::unordered_map<quint64, std::unique_ptr<QSqlQuery>> m_updates;
    std::unique_ptr<QSqlQuery> m_delete;
    std::unique_ptr<QSqlQuery> m_lastId;

    QString m_lastError;
    bool m_openFailedInDatabase = false;
};
