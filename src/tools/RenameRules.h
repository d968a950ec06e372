#pragma once

#include "mp3/item/Mp3Item.h"

#include <QString>

#include <array>
#include <optional>

// The operations that build new file names in the renaming tool. Each takes a row's current preview
// name and gives the next one, so operations chain. Case changes follow Unicode, so "ä" becomes "Ä".
namespace KivRenameRules {

// Every occurrence of oldText (left to right, case-sensitive, not overlapping) replaced by newText;
// an empty oldText changes nothing.
QString replace(const QString &name, const QString &oldText, const QString &newText);
// Every run of one or more characters equal to c replaced by one copy of newText.
QString replaceRuns(const QString &name, QChar c, const QString &newText);
QString upper(const QString &name);
QString lower(const QString &name);
// The first character and every character after a space upper case, all others lower case.
QString wordStarts(const QString &name);
// Without its first n characters when longer than n; else unchanged.
QString deleteFront(const QString &name, int n);
// A space inserted before the character at index n when longer than n; else unchanged.
QString insertSpace(const QString &name, int n);

// Names from tags: five field names ("", "Album", "Artist", "Title", "Track", "Comment",
// "Filename", "Vorschau") with the four separators between them.
struct TagPattern
{
    std::array<QString, 5> fields;
    std::array<QString, 4> separators;

    // "FIELD1|SEP1|FIELD2|..." with missing pieces empty; nothing for more than nine pieces or an
    // unknown field name.
    static std::optional<TagPattern> FromText(const QString &text);
    static bool IsFieldName(const QString &name);
    // F1, S1, F2, ..., F5: the non-empty pieces one after the other.
    QString Text() const;
    // The name for one item: the trimmed field values with the separators after each field but the
    // last. "Track" is the number without leading zeros, nothing for 0 or less; "Filename" the
    // current file name; "Vorschau" the row's current preview.
    QString Compose(const CKivMp3 &item, const QString &preview) const;
};

// Why a preview cannot become a file name: empty, "." or "..", or holding "/", "\" or a zero
// character. Empty text when the name is usable.
QString unusableReason(const QString &preview);

// The name the rename asks for: ".mp3" appended unless the name ends in it (in any case).
QString withExtension(const QString &preview);

} // namespace KivRenameRules
