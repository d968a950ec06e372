#include "playback/PlaylistLoader.h"

#include "catalog/Mp3RowReader.h"
#include "catalog/SqlQuote.h"
#include "media/MedienListe.h"
#include "mp3/item/Mp3Row.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace KivPlaylistLoader {

namespace {

CKivMp3sQuery batchQuery(const QStringList &keys, qsizetype from, qsizetype count)
{
    QString filter = QStringLiteral("MediumSubPathFilename IN (");
    for (qsizetype i = from; i < from + count; ++i) {
        if (i > from)
            filter += QLatin1Char(',');
        filter += QLatin1Char('\'') + SqlQuote(keys[i]) + QLatin1Char('\'');
    }
    filter += QLatin1Char(')');
    CKivMp3sQuery query;
    query.filter = filter;
    return query;
}

} // namespace

bool Load(CKivDatabase &db, CKivMedienListe *media, const QStringList &keys, std::vector<CKivMp3::Ptr> &items)
{
    items.clear();
    // Each distinct key once; the catalog compares keys byte-wise, so does the hash.
    QStringList distinct;
    {
        QSet<QString> seen;
        for (const QString &key : keys) {
            if (!key.isEmpty() && !seen.contains(key)) {
                seen.insert(key);
                distinct.append(key);
            }
        }
    }
    QHash<QString, CKivMp3Data> rows;
    CKivMp3RowReader reader(db);
    for (qsizetype from = 0; from < distinct.size(); from += BatchSize) {
        const qsizetype count = std::min<qsizetype>(BatchSize, distinct.size() - from);
        const bool ok = reader.Read(batchQuery(distinct, from, count), [&rows](CKivMp3sRow &&row) {
            const QString key = row.m_MediumSubPathFilename;
            CKivMp3Data data = KivMp3Row::Read(std::move(row));
            if (!rows.contains(key))
                rows.insert(key, std::move(data));
        });
        if (!ok)
            return false;
    }
    QHash<QString, CKivMedium *> placed;
    for (const QString &key : keys) {
        const auto row = rows.constFind(key);
        if (row == rows.constEnd())
            continue;
        auto medium = placed.constFind(row->m_Mediumname);
        if (medium == placed.constEnd())
            medium = placed.insert(row->m_Mediumname, media ? media->FindMedium(row->m_Mediumname) : nullptr);
        items.push_back(CKivMp3::FromRow(medium.value(), *row, db));
    }
    return true;
}

} // namespace KivPlaylistLoader
