#pragma once

#include "mp3/item/Mp3Data.h"
#include "mp3/item/Mp3ImportData.h"

#include <optional>

class CKivDatabase;
class CRsMp3s;
struct CKivMp3sRow;

// Moves an item's values between table Mp3s (and Import) and memory.
namespace KivMp3Row {

// Every column of the current row of rs.
CKivMp3Data Read(const CRsMp3s &rs);
// Every column of a row read by the fast row reader; its texts are taken over, not copied.
CKivMp3Data Read(CKivMp3sRow &&row);

// Writes every stored column of data into the row being added or edited in rs, the key
// (MediumSubPathFilename) composed from medium name, sub-path and file name. The creation date
// (Anlegedatum) only with withCreationDate; CreationTime never.
void Write(const CKivMp3Data &data, CRsMp3s &rs, bool withCreationDate);

// The six texts of the Import row with this ID; nothing when there is no such row.
std::optional<CKivMp3ImportData> ReadImport(CKivDatabase &db, int importId);

// Deletes the Import row with this ID; true when it is gone afterwards.
bool DeleteImport(CKivDatabase &db, int importId);

} // namespace KivMp3Row
