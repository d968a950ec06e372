#pragma once

#include <QString>

// What a failed catalog statement means for whoever runs many of them: most failures belong to one
// row (a key taken meanwhile, a lock that timed out) and the next row may well succeed; others
// concern the catalog itself, and no further statement can succeed until the user has removed the
// cause. Read from the driver's text, which names the cause on both engines.
namespace KivCatalogFailure {

enum class Kind {
    None,           // no failure, or one a later statement may not meet again
    DiskFull,       // the database's storage is full
    ReadOnly,       // the database cannot be written
    StorageError,   // the database file cannot be read or written (I/O error, damaged file)
    ConnectionLost, // the connection to the database server is gone
    MissingTable,   // a table or column of the catalog is missing
};

Kind classify(const QString &driverText);

// True for the failures no retry can cure.
inline bool isPermanent(Kind kind) { return kind != Kind::None; }

// The cause for the user, as one German sentence.
QString describe(Kind kind);

// True when the text says the database had already ended the transaction itself (SQLite rolls
// back on a full disk), so a rollback of ours has nothing left to do.
bool isNoActiveTransaction(const QString &driverText);

} // namespace KivCatalogFailure
