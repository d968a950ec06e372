#include "catalog/Recordset.h"

#include "catalog/CatalogLog.h"
#include "catalog/Database.h"

#include <QSqlError>

namespace {

template <class... Ts> struct Overloaded : Ts...
{
    using Ts::operator()...;
};
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

} // namespace

CKivRecordset::CKivRecordset(CKivDatabase &db, const QString &table, const QString &keyColumn)
    : m_db(db), m_table(table), m_keyColumn(keyColumn)
{
}

CKivRecordset::~CKivRecordset()
{
    Close();
}

void CKivRecordset::bind(const QString &column, qint32 *member)
{
    if (column.compare(m_keyColumn, Qt::CaseInsensitive) == 0)
        m_keyIndex = int(m_columns.size());
    m_columns.push_back({column, member});
}

void CKivRecordset::bind(const QString &column, QString *member)
{
    m_columns.push_back({column, member});
}

void CKivRecordset::bind(const QString &column, QDateTime *member)
{
    m_columns.push_back({column, member});
}

QStringList CKivRecordset::columnNames() const
{
    QStringList names;
    for (const Column &c : m_columns)
        names.append(c.name);
    return names;
}

qint32 *CKivRecordset::keyMember() const
{
    Q_ASSERT(m_keyIndex >= 0);
    return std::get<qint32 *>(m_columns[size_t(m_keyIndex)].member);
}

bool CKivRecordset::fail(const QString &what, const QSqlQuery &query)
{
    m_lastError = query.lastError().text();
    qCWarning(lcCatalog).noquote() << what << m_table << "failed:" << m_lastError << "--"
                                   << query.lastQuery();
    m_db.NoteError(m_lastError);
    return false;
}

bool CKivRecordset::Open()
{
    Close();
    m_openFailedInDatabase = false;
    m_lastError.clear();
    QSqlDatabase db = m_db.connection();
    if (!db.isOpen()) {
        m_lastError = QStringLiteral("no catalog connection");
        m_db.NoteError(m_lastError);
        qCWarning(lcCatalog).noquote() << "Opening" << m_table << "without a catalog connection";
        return false;
    }
    QString sql = QStringLiteral("SELECT ") + columnNames().join(QLatin1String(", ")) +
                  QLatin1String(" FROM ") + m_table;
    if (!m_strFilter.isEmpty())
        sql += QLatin1String(" WHERE ") + m_db.dialect().filterText(m_strFilter);
    sql += QLatin1String(" ORDER BY ") + (m_strSort.isEmpty() ? m_keyColumn : m_strSort);

    m_select = QSqlQuery(db);
    m_select.setForwardOnly(true);
    if (!m_select.exec(sql)) {
        m_openFailedInDatabase = true;
        fail(QStringLiteral("Opening"), m_select);
        m_select = QSqlQuery();
        return false;
    }
    m_open = true;
    fetch();
    return true;
}

bool CKivRecordset::openRows(const QString &filter, const QString &sort)
{
    Close();
    m_strFilter = filter;
    m_strSort = sort;
    if (!Open())
        return false;
    if (IsEOF()) {
        Close();
        return false;
    }
    return true;
}

void CKivRecordset::fetch()
{
    m_hasRow = m_select.next();
    m_hasKey = m_hasRow;
    if (m_hasRow)
        readRow();
}

void CKivRecordset::readRow()
{
    for (size_t i = 0; i < m_columns.size(); ++i) {
        const QVariant v = m_select.value(int(i));
        std::visit(Overloaded{[&](qint32 *m) { *m = v.isNull() ? 0 : v.toInt(); },
                              [&](QString *m) { *m = v.isNull() ? QString() : v.toString(); },
                              [&](QDateTime *m) { *m = v.isNull() ? QDateTime() : v.toDateTime(); }},
                   m_columns[i].member);
    }
    m_rowKey = m_keyIndex >= 0 ? *keyMember() : 0;
}

bool CKivRecordset::MoveNext()
{
    if (!m_open || !m_hasRow)
        return false;
    m_mode = Mode::None;
    fetch();
    return m_hasRow;
}

bool CKivRecordset::MoveLast()
{
    if (!m_open || !m_hasRow)
        return false;
    m_mode = Mode::None;
    // Forward only: step through, keeping the last row read in the members.
    while (m_select.next())
        readRow();
    return true;
}

bool CKivRecordset::Requery()
{
    if (!m_open)
        return false;
    return Open();
}

void CKivRecordset::Close()
{
    if (m_select.isActive())
        m_select.finish();
    m_select = QSqlQuery();
    m_open = false;
    m_hasRow = false;
    m_hasKey = false;
    m_mode = Mode::None;
}

CKivRecordset::Value CKivRecordset::currentValue(const Column &column) const
{
    return std::visit([](auto *m) -> Value { return *m; }, column.member);
}

void CKivRecordset::AddNew()
{
    for (Column &c : m_columns) {
        std::visit(Overloaded{[](qint32 *m) { *m = UnsetInteger; }, [](QString *m) { *m = QString(); },
                              [](QDateTime *m) { *m = QDateTime(); }},
                   c.member);
    }
    if (m_keyIndex >= 0)
        *keyMember() = 0;
    m_mode = Mode::Adding;
}

bool CKivRecordset::Edit()
{
    if (!m_hasKey || m_keyIndex < 0)
        return false;
    m_baseline.clear();
    for (const Column &c : m_columns)
        m_baseline.push_back(currentValue(c));
    m_mode = Mode::Editing;
    return true;
}

bool CKivRecordset::isSetForInsert(const Column &column) const
{
    return std::visit(Overloaded{[](qint32 *m) { return *m != UnsetInteger; },
                                 // Every text column is written, empty as '': never two kinds of empty.
                                 [](QString *) { return true; },
                                 [](QDateTime *m) { return m->isValid(); }},
                      column.member);
}

void CKivRecordset::clearUnsetMarkers()
{
    for (Column &c : m_columns) {
        if (qint32 *const *m = std::get_if<qint32 *>(&c.member); m && **m == UnsetInteger)
            **m = 0;
    }
}

QVariant CKivRecordset::boundValue(const Column &column) const
{
    return std::visit(
        Overloaded{
            [](qint32 *m) { return QVariant(*m); },
            [](QString *m) { return QVariant(m->isNull() ? QStringLiteral("") : *m); },
            [](QDateTime *m) {
                return m->isValid() ? QVariant(*m) : QVariant(QMetaType(QMetaType::QDateTime));
            }},
        column.member);
}

void CKivRecordset::dropStaleStatements()
{
    if (m_connectionSerial == m_db.connectionSerial())
        return;
    m_inserts.clear();
    m_updates.clear();
    m_delete.reset();
    m_lastId.reset();
    m_connectionSerial = m_db.connectionSerial();
}

QSqlQuery *CKivRecordset::prepared(std::unordered_map<quint64, std::unique_ptr<QSqlQuery>> &cache,
                                   quint64 mask, const QString &sql)
{
    auto it = cache.find(mask);
    if (it != cache.end())
        return it->second.get();
    auto query = std::make_unique<QSqlQuery>(m_db.connection());
    if (!query->prepare(sql)) {
        fail(QStringLiteral("Preparing a statement on"), *query);
        return nullptr;
    }
    return cache.emplace(mask, std::move(query)).first->second.get();
}

bool CKivRecordset::Update()
{
    const Mode mode = m_mode;
    m_mode = Mode::None;
    m_lastError.clear();
    if (mode == Mode::Adding) {
        const bool ok = insertRow();
        clearUnsetMarkers();
        return ok;
    }
    if (mode == Mode::Editing)
        return updateRow();
    m_lastError = QStringLiteral("Update without AddNew or Edit");
    return false;
}

bool CKivRecordset::insertRow()
{
    if (!m_db.IsOpen()) {
        m_lastError = QStringLiteral("no catalog connection");
        m_db.NoteError(m_lastError);
        return false;
    }
    dropStaleStatements();
    quint64 mask = 0;
    QStringList names;
    for (size_t i = 0; i < m_columns.size(); ++i) {
        if (int(i) != m_keyIndex && isSetForInsert(m_columns[i])) {
            mask |= quint64(1) << i;
            names.append(m_columns[i].name);
        }
    }
    const CKivSqlDialect &dialect = m_db.dialect();
    QSqlQuery *insert = prepared(m_inserts, mask, dialect.insertStatement(m_table, names, m_keyColumn));
    if (!insert)
        return false;
    for (size_t i = 0; i < m_columns.size(); ++i) {
        if (mask & (quint64(1) << i))
            insert->addBindValue(boundValue(m_columns[i]));
    }
    if (!insert->exec()) {
        fail(QStringLiteral("Inserting into"), *insert);
        m_inserts.erase(mask);
        return false;
    }
    if (m_keyIndex < 0) {
        insert->finish();
        return true;
    }
    // The new key of exactly this row, from this connection: never "the last row" of a requery,
    // which can be another connection's row.
    QVariant key;
    if (dialect.insertReturnsKey()) {
        if (insert->next())
            key = insert->value(0);
        insert->finish();
    } else {
        insert->finish();
        if (!m_lastId) {
            m_lastId = std::make_unique<QSqlQuery>(m_db.connection());
            m_lastId->setForwardOnly(true);
            m_lastId->prepare(dialect.lastInsertIdQuery());
        }
        if (m_lastId->exec() && m_lastId->next())
            key = m_lastId->value(0);
        m_lastId->finish();
    }
    if (key.isNull()) {
        m_lastError = QStringLiteral("the new row's ID could not be read");
        qCWarning(lcCatalog).noquote() << "Reading the new ID of a row in" << m_table << "failed";
        return false;
    }
    // The inserted row is now the one Edit and Delete work on.
    *keyMember() = key.toInt();
    m_rowKey = *keyMember();
    m_hasKey = true;
    return true;
}

bool CKivRecordset::updateRow()
{
    if (!m_hasKey) {
        m_lastError = QStringLiteral("no current row");
        return false;
    }
    dropStaleStatements();
    quint64 mask = 0;
    QStringList assignments;
    for (size_t i = 0; i < m_columns.size(); ++i) {
        if (int(i) != m_keyIndex && currentValue(m_columns[i]) != m_baseline[i]) {
            mask |= quint64(1) << i;
            assignments.append(m_columns[i].name + QLatin1String("=?"));
        }
    }
    if (mask == 0)
        return true;
    const QString sql = QStringLiteral("UPDATE ") + m_table + QLatin1String(" SET ") +
                        assignments.join(QLatin1String(", ")) + QLatin1String(" WHERE ") + m_keyColumn +
                        QLatin1String("=?");
    QSqlQuery *update = prepared(m_updates, mask, sql);
    if (!update)
        return false;
    for (size_t i = 0; i < m_columns.size(); ++i) {
        if (mask & (quint64(1) << i))
            update->addBindValue(boundValue(m_columns[i]));
    }
    update->addBindValue(m_rowKey);
    if (!update->exec()) {
        fail(QStringLiteral("Updating"), *update);
        m_updates.erase(mask);
        return false;
    }
    const int affected = update->numRowsAffected();
    update->finish();
    if (affected == 0) {
        m_lastError = QStringLiteral("the row no longer exists");
        qCWarning(lcCatalog).noquote() << "Updating row" << m_rowKey << "of" << m_table << "found no row";
        return false;
    }
    return true;
}

bool CKivRecordset::Delete()
{
    m_mode = Mode::None;
    m_lastError.clear();
    if (!m_hasKey || m_keyIndex < 0) {
        m_lastError = QStringLiteral("no current row");
        return false;
    }
    dropStaleStatements();
    if (!m_delete) {
        m_delete = std::make_unique<QSqlQuery>(m_db.connection());
        if (!m_delete->prepare(QStringLiteral("DELETE FROM ") + m_table + QLatin1String(" WHERE ") +
                               m_keyColumn + QLatin1String("=?"))) {
            const bool result = fail(QStringLiteral("Preparing a delete on"), *m_delete);
            m_delete.reset();
            return result;
        }
    }
    m_delete->addBindValue(m_rowKey);
    if (!m_delete->exec()) {
        fail(QStringLiteral("Deleting from"), *m_delete);
        m_delete.reset();
        return false;
    }
    m_delete->finish();
    m_hasKey = false;
    return true;
}
