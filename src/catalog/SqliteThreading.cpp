#include "catalog/SqliteThreading.h"

#include "catalog/CatalogLog.h"

#include <sqlite3.h>

#include <atomic>
#include <mutex>

namespace KivSqliteThreading {

namespace {

std::atomic<bool> g_multiThread{false};

} // namespace

void UseMultiThread()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // Refused (SQLITE_MISUSE) once SQLite has been initialised: it then keeps its locks.
        const int rc = sqlite3_config(SQLITE_CONFIG_MULTITHREAD);
        g_multiThread = rc == SQLITE_OK;
        if (rc != SQLITE_OK)
            qCInfo(lcCatalog) << "SQLite keeps its serialized mode (it was in use already)";
    });
}

bool MultiThread()
{
    return g_multiThread;
}

} // namespace KivSqliteThreading
