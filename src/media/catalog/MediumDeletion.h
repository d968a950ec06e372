#pragma once

#include <QString>

#include <functional>

class CKivDatabase;
class CKivMedium;

// Deletes a medium with all its catalog rows, table by table in six steps, inside one transaction:
// a database error leaves the catalog as it was. Rows go set-wise in chunks, and the progress is
// reported per chunk, so a medium of many files is deleted in seconds. Import rows whose source is
// the medium stay. Afterwards the medium's header file is removed when it names this very medium
// in a root the user has (an offline or foreign medium keeps its header).
namespace KivMediumDeletion {

constexpr int StepCount = 6;
// Rows per delete statement.
constexpr int ChunkRows = 5000;

// Told at the start of each step (done 0) and after each chunk.
using Progress = std::function<void(int step, const QString &statusText, int total, int done)>;

QString StepText(int step);  // 1..6
QString HeaderText();
QString DoneText();

// Nothing chosen: the user is told (false). Otherwise asks whether to delete (true on Yes).
bool Confirm(const CKivMedium *medium);

// Steps 1 to 6, then the header file. False (catalog unchanged, user told) on a database error.
bool Run(CKivDatabase &db, const CKivMedium &medium, const Progress &progress = {});

} // namespace KivMediumDeletion
