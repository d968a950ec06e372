#pragma once

#include "catalog/Mp3sRow.h"

class CKivDatabase;

// Writes the change of one Mp3s row as one UPDATE by ID of only the columns whose values differ
// between before and after, through the connection's prepared statements. ID, Anlegedatum and
// CreationTime are never written; texts are written as the record set writes them (empty as '').
namespace KivMp3sRowUpdate {

enum class Result {
    Updated,    // the row took the change
    Unchanged,  // no column differs: nothing was run
    NoRow,      // no row has that ID
    Failed      // the database refused the statement (error logged and noted)
};

Result Run(CKivDatabase &db, qint32 id, const CKivMp3sRow &before, const CKivMp3sRow &after);

} // namespace KivMp3sRowUpdate
