#pragma once

// SQLite in its default (serialized) mode locks a mutex around every call on a connection: for a
// list of 100,000 rows of 33 columns that is millions of locks inside the catalog's driver. Every
// catalog connection here is opened, used and closed by one thread only, so the process runs SQLite
// in its multi-thread mode, without those locks. It can only be chosen before SQLite is first used
// in the process; later calls change nothing.
namespace KivSqliteThreading {

void UseMultiThread();

// Whether the process runs SQLite without the per-connection locks.
bool MultiThread();

} // namespace KivSqliteThreading
