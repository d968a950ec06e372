#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QSqlDatabase;

// The few places where the catalog's two database engines differ: case-insensitive LIKE and how
// the ID of a row just inserted is obtained. Chosen from the connected database.
class CKivSqlDialect
{
public:
    enum class Engine { SQLite, PostgreSQL };

    explicit CKivSqlDialect(Engine engine = Engine::SQLite) : m_engine(engine) {}

    // The dialect of an open connection; nothing for an engine the catalog does not run on.
    static std::optional<CKivSqlDialect> detect(const QSqlDatabase &db);

    Engine engine() const { return m_engine; }
    // Whether the SQLite catalog has the trigram index over the search index (and its triggers).
    bool hasFullTextIndex() const { return m_fullTextIndex; }
    void setFullTextIndex(bool present) { m_fullTextIndex = present; }
    QString engineName() const;

    // The condition text as this engine must run it. On PostgreSQL every keyword LIKE outside quoted
    // text becomes ILIKE (LIKE ignores case on SQLite and must do so here too), and a quoted pattern
    // gets ESCAPE '' so that the backslashes of sub-paths stay plain characters. On SQLite a quoted
    // text holding characters outside the Basic Multilingual Plane is spelt with char() for them,
    // and substring searches on the search index are narrowed by its full-text index when the
    // catalog has one.
    QString filterText(const QString &filter) const;
    static QString sqliteLiterals(const QString &filter);

    // An INSERT with one positional parameter per column. On PostgreSQL it returns the new key as
    // its one result row; on SQLite the key comes from lastInsertIdQuery() on the same connection.
    QString insertStatement(const QString &table, const QStringList &columns, const QString &keyColumn) const;
    bool insertReturnsKey() const { return m_engine == Engine::PostgreSQL; }
    QString lastInsertIdQuery() const;

private:
    Engine m_engine;
    bool m_fullTextIndex = false;
};
