#include "catalog/Mp3sQuery.h"

#include "catalog/Mp3Filter.h"
#include "catalog/Mp3SortClause.h"
#include "catalog/SqlQuote.h"

CKivMp3sQuery CKivMp3sQuery::ByMediumSubPath(const QString &mediumName, const QString &subPathText,
                                             bool pendingImportsOnly)
{
    QString filter = QStringLiteral("Mediumname='") + SqlQuote(mediumName) + QLatin1Char('\'');
    if (!subPathText.isEmpty())
        filter += QLatin1String(" AND SubPath LIKE'%") + SqlQuote(subPathText) + QLatin1String("%'");
    if (pendingImportsOnly)
        filter += QLatin1String(" AND ImportID>0");
    return {filter, CKivMp3SortClause::Get()};
}

CKivMp3sQuery CKivMp3sQuery::Search(const QString &field, const QString &op, const QString &value,
                                    const QString &mediumName)
{
    if (field != QLatin1String("SearchIndex") && field != QLatin1String("Mediumname"))
        return {QString(), QString(), false};
    QString filter;
    if (op == QLatin1String("LIKE"))
        filter = field + QLatin1String(" LIKE '%") + SqlQuote(value) + QLatin1String("%'");
    else
        filter = field + op + QLatin1Char('\'') + SqlQuote(value) + QLatin1Char('\'');
    filter += QLatin1String(" AND ImportID=0");
    if (!mediumName.isEmpty())
        filter += QLatin1String(" AND Mediumname='") + SqlQuote(mediumName) + QLatin1Char('\'');
    return {filter, CKivMp3SortClause::Get()};
}

CKivMp3sQuery CKivMp3sQuery::WithFilter(const IKivMp3Filter &filter)
{
    return {filter.WhereText(), filter.SortClause()};
}
