#include "catalog/Mp3SortClause.h"

#include <QMutex>
#include <QMutexLocker>

namespace {

QMutex g_mutex;
QString g_clause;

} // namespace

void CKivMp3SortClause::Set(const QString &clause)
{
    QMutexLocker lock(&g_mutex);
    g_clause = clause;
}

QString CKivMp3SortClause::Get()
{
    QMutexLocker lock(&g_mutex);
    return g_clause;
}
