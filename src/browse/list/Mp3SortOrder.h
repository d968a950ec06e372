#pragma once

#include "browse/list/Mp3Column.h"
#include "mp3/item/Mp3Item.h"

#include <Qt>

#include <vector>

class CKivMedienListe;

// Sorting the rows of an MP3 list by one column. Each row's key is prepared once (a number, or the
// collation key of the cell text), then the rows are sorted stably: rows with equal keys keep
// their order, in both directions.
namespace KivMp3SortOrder {

// The order of rows by field: result[i] is the index in rows of the row that goes to place i.
std::vector<int> permutation(const std::vector<CKivMp3::Ptr> &rows, KivMp3Column::Field field, Qt::SortOrder order,
                             const CKivMedienListe *media);

void sort(std::vector<CKivMp3::Ptr> &rows, KivMp3Column::Field field, Qt::SortOrder order,
          const CKivMedienListe *media);

// True for the columns sorted by a number rather than by their text.
bool isNumeric(KivMp3Column::Field field);

} // namespace KivMp3SortOrder
