#pragma once

#include "tools/BatchRows.h"
#include "tools/FilenamePattern.h"

#include <QString>

#include <optional>
#include <vector>

class CKivBatchUndo;
class CKivDatabase;

// The tag fields the editors write, in the order the first editor writes them.
enum class KivTagField { Album, Artist, TrackNr, Title, Comment, Year, Genre };

struct KivTagChange
{
    KivTagField field;
    QString text;    // the new text (the genre's name for Genre)
    int number = 0;  // the new track for TrackNr
};

// The changes for one item; an item whose name did not fit a pattern is not matched and keeps
// its tag.
struct KivTagJob
{
    CKivMp3::Ptr item;
    bool matched = true;
    std::vector<KivTagChange> changes;
};

// The fields the first tag editor writes: a field that is set was ticked, with its text.
struct KivTagEdits
{
    std::optional<QString> album;
    std::optional<QString> artist;
    std::optional<QString> track;  // read as atoi does: "7a" gives 7, "" gives 0
    std::optional<QString> title;
    std::optional<QString> comment;
    std::optional<QString> year;
    std::optional<QString> genre;  // by name; empty for no genre
};

namespace KivTagBatch {

QString FieldLabel(KivTagField field);
// The item's value of field as text (the track in decimal, the genre by name).
QString CurrentText(const CKivMp3 &item, KivTagField field);
// The change as text; false when it would write the value the item holds already.
bool Differs(const CKivMp3 &item, const KivTagChange &change);

// The first editor's jobs: every ticked field for every item, in the order album, artist, track,
// title, comment, year, genre.
std::vector<KivTagJob> FromEdits(const std::vector<CKivMp3::Ptr> &items, const KivTagEdits &edits);
// The second editor's jobs: each item's file name read with the pattern; a match writes album,
// artist, comment and title when found (not empty), the track when above 0, the year when found.
std::vector<KivTagJob> FromNames(const std::vector<CKivMp3::Ptr> &items, const KivFilenamePattern &pattern,
                                 const QString &folderName, bool artistFromFolder, bool albumFromFolder);

// What a job would change, without writing anything.
KivFileOutcome Preview(const KivTagJob &job);

// Writes every job as the item's setters would: the ticked fields of a file into its tag at once,
// then the catalog row with those of its chunk of files (CKivBatchRows); a file that cannot be
// written, or whose row is refused, keeps its old tag and row. The player lets go of its file
// first; a file that fails is counted and the batch goes on. With writeEqual a field is written
// even when it holds the value already. undo, when given, records the batch so that it can be
// taken back.
KivBatchSummary Run(const std::vector<KivTagJob> &jobs, CKivDatabase &db, const KivBatchHooks &hooks,
                    bool writeEqual, CKivBatchUndo *undo, int chunk = CKivBatchRows::DefaultChunk);

} // namespace KivTagBatch
