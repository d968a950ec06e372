#pragma once

#include <QString>

#include <array>
#include <optional>

class CKivSettings;

// What a file name yields under a pattern: the tag texts (empty when not found) and the track
// (-1 when not found). matched is false when the name does not fit the pattern; the values found
// before the mismatch stay, but nothing of such a result is written.
struct KivFilenameFields
{
    QString album;
    QString artist;
    QString title;
    QString year;
    QString comment;
    int track = -1;
    bool matched = false;
};

// The file-name pattern of the tag editor that reads tags from names: five pairs of a separator
// and a field name ("", "Album", "Artist", "Title", "Track", "Comment"), read left to right.
// Example: separator 2 "-" with fields Artist and Title reads "Queen - Innuendo.mp3".
struct KivFilenamePattern
{
    static constexpr int kPairs = 5;
    std::array<QString, kPairs> separators;
    std::array<QString, kPairs> fields;

    // Field 1 Artist, separator 2 "-", field 2 Title.
    static KivFilenamePattern Default();
    // The user's stored pattern (the defaults stand in for missing keys), and storing it.
    static KivFilenamePattern Load(const CKivSettings &settings);
    void Store(CKivSettings &settings) const;
    // "SEP1|FIELD1|SEP2|FIELD2|..." with missing pairs empty; nothing for more than ten pieces or an
    // unknown field name.
    static std::optional<KivFilenamePattern> FromText(const QString &text);
    static bool IsFieldName(const QString &name);

    // The pattern as one text: separator and field of every pair, empty pieces left out.
    QString Text() const;

    // Reads a file name (with extension, without folder). The folder name fills artist and/or album
    // first when asked; values the pattern finds replace it.
    KivFilenameFields Parse(const QString &filename, const QString &folderName = QString(),
                            bool artistFromFolder = false, bool albumFromFolder = false) const;
};
