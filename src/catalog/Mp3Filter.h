#pragma once

#include <QString>

// What the MP3 record set needs from the application's filter: its condition text (a WHERE
// clause without the word) and its sort clause (an ORDER BY list without the words, may be empty).
class IKivMp3Filter
{
public:
    virtual ~IKivMp3Filter() = default;

    virtual QString WhereText() const = 0;
    virtual QString SortClause() const = 0;
    // False when a condition holds a value that may not reach the database (no query is run then).
    virtual bool IsValid() const { return true; }
};

// Tells the user that the filter is not valid and opens the filter dialog on it; returns false, so
// a query that refuses its filter can end with it.
bool KivRefuseInvalidFilter(IKivMp3Filter &filter);
