#pragma once

#include "mp3/item/Mp3Data.h"
#include "mp3/item/Mp3ImportData.h"

#include <QHash>
#include <QString>
#include <QStringList>

class CKivDatabase;

// Finds the Mp3s rows of many item keys ("(" medium ")" sub-path file name) with a few queries of
// many keys each, instead of one query per key.
namespace KivKeyLookup {

// Keys per query: small enough for every driver's statement size, large enough to keep the round
// trips few.
constexpr int BatchSize = 250;

// The row of each key that has one. False when a query failed (the result is then incomplete).
bool Rows(CKivDatabase &db, const QStringList &keys, QHash<QString, CKivMp3Data> &rows);

// The Import rows of these IDs. False when a query failed.
bool Imports(CKivDatabase &db, const QList<qint32> &ids, QHash<qint32, CKivMp3ImportData> &imports);

// The Import rows of the pending imports among rows.
template<class Rows>
QHash<qint32, CKivMp3ImportData> ImportsOf(CKivDatabase &db, const Rows &rows)
{
    QList<qint32> ids;
    for (const CKivMp3Data &row : rows) {
        if (row.m_ImportID != 0)
            ids << row.m_ImportID;
    }
    QHash<qint32, CKivMp3ImportData> imports;
    Imports(db, ids, imports);
    return imports;
}

} // namespace KivKeyLookup
