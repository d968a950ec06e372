#pragma once

#include "catalog/Mp3sRow.h"

#include <QDateTime>

#include <vector>

class CKivDatabase;

// Adds many new rows to table Mp3s with one statement per call: the rows travel as one JSON text
// parameter that the database unpacks itself, so a statement is parsed and sent once for hundreds
// of rows instead of once per row. Every column a save writes is written (texts empty as ''), and
// the creation date of every row is created. Hands back the new IDs, in the order of rows.
//
// All or nothing: when the database refuses any row (a key that is taken), the statement adds none
// and the result is false (error logged and noted). Run it inside a transaction.
namespace KivMp3sBulkInsert {

bool Run(CKivDatabase &db, const std::vector<const CKivMp3sRow *> &rows, const QDateTime &created,
         std::vector<qint32> &ids);

} // namespace KivMp3sBulkInsert
