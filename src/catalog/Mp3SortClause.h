#pragma once

#include <QString>

// The sort clause every MP3 list is read in, as the user chose it in the filter. The filter sets it;
// the MP3 record sets read it, from any thread.
class CKivMp3SortClause
{
public:
    static void Set(const QString &clause);
    static QString Get();
};
