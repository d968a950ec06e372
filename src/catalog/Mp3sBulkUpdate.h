#pragma once

#include "catalog/Mp3sRow.h"

#include <vector>

class CKivDatabase;

// Writes the new values of many existing Mp3s rows with two statements per call, whatever their
// number: one reads the stored rows by ID, one updates every row that differs, only in the columns
// that differ (the rows travel as one JSON text parameter, an unchanged column as null). What is
// stored afterwards is what one row update per row would have stored. ID, Anlegedatum and
// CreationTime are never written; texts are written as a save writes them (empty as '').
//
// Run it inside a transaction: a failure leaves a partial write for the caller to roll back.
namespace KivMp3sBulkUpdate {

enum class Result {
    Done,    // every row found was written (or was equal already)
    Failed   // the database refused a statement (error logged and noted), or a row vanished meanwhile
};

struct Outcome
{
    Result result = Result::Done;
    // Indices into rows of the rows whose ID has no row in the table: they were not written.
    std::vector<size_t> missing;
    // Rows that differed and were written.
    int written = 0;
};

// rows: the new values, each with the ID of its stored row in m_ID.
Outcome Run(CKivDatabase &db, const std::vector<const CKivMp3sRow *> &rows);

// The change of one row from the values it holds (before) to after, found by after's m_ID.
struct Change
{
    const CKivMp3sRow *before;
    const CKivMp3sRow *after;
};

// The same for changes whose old values the caller knows, with one statement and no read: only the
// columns that differ between before and after are written, as one row update per change would
// write them. Failed also when a row that differs is gone (missing stays empty): the caller then
// rolls back and writes the rows one by one.
Outcome RunChanges(CKivDatabase &db, const std::vector<Change> &changes);

} // namespace KivMp3sBulkUpdate
