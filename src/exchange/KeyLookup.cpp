#include "exchange/KeyLookup.h"

#include "catalog/Mp3RowReader.h"
#include "catalog/Mp3sQuery.h"
#include "catalog/RsImport.h"
#include "catalog/SqlQuote.h"
#include "mp3/item/Mp3Row.h"

#include <QSet>

namespace KivKeyLookup {

bool Rows(CKivDatabase &db, const QStringList &keys, QHash<QString, CKivMp3Data> &rows)
{
    QStringList distinct;
    QSet<QString> seen;
    for (const QString &key : keys) {
        if (!seen.contains(key)) {
            seen.insert(key);
            distinct << key;
        }
    }
    CKivMp3RowReader reader(db);
    bool ok = true;
    for (qsizetype start = 0; start < distinct.size(); start += BatchSize) {
        QString filter = QStringLiteral("MediumSubPathFilename IN (");
        const qsizetype end = qMin(distinct.size(), start + BatchSize);
        for (qsizetype i = start; i < end; ++i) {
            if (i > start)
                filter += QLatin1Char(',');
            filter += QLatin1Char('\'') + SqlQuote(distinct.at(i)) + QLatin1Char('\'');
        }
        filter += QLatin1Char(')');
        CKivMp3sQuery query{filter, QString()};
        ok = reader.Read(query, [&](CKivMp3sRow &&row) {
                 CKivMp3Data data = KivMp3Row::Read(std::move(row));
                 const QString key = data.Key();
                 if (!rows.contains(key))
                     rows.insert(key, std::move(data));
             })
          && ok;
    }
    return ok;
}

bool Imports(CKivDatabase &db, const QList<qint32> &ids, QHash<qint32, CKivMp3ImportData> &imports)
{
    bool ok = true;
    for (qsizetype start = 0; start < ids.size(); start += BatchSize) {
        QString filter = QStringLiteral("ID IN (");
        const qsizetype end = qMin(ids.size(), start + BatchSize);
        for (qsizetype i = start; i < end; ++i) {
            if (i > start)
                filter += QLatin1Char(',');
            filter += QString::number(ids.at(i));
        }
        filter += QLatin1Char(')');
        CRsImport rs(db);
        rs.m_strFilter = filter;
        if (!rs.Open()) {
            ok = ok && !rs.lastOpenFailedInDatabase() && rs.lastError().isEmpty();
            continue;
        }
        for (; !rs.IsEOF(); rs.MoveNext()) {
            imports.insert(rs.m_ID, {rs.m_SourceMedium, rs.m_SourceSubPath, rs.m_SourceFilename, rs.m_DestMedium,
                                     rs.m_DestSubPath, rs.m_DestFilename});
        }
        rs.Close();
    }
    return ok;
}

} // namespace KivKeyLookup
