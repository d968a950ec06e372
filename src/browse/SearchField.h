#pragma once

#include <QString>

class CKivFilter;
class CKivMp3Liste;

// What Enter in the search field does: the text becomes the value of the filter's input field and
// the list loads the MP3s the filter accepts.
namespace KivSearchField {

// Puts text into the filter's input field.
void ApplyText(CKivFilter &filter, const QString &text);
// ApplyText, then list.LoadFiltered(filter).
void Search(const QString &text, CKivFilter &filter, CKivMp3Liste &list);

} // namespace KivSearchField
