#pragma once

#include <QString>

#include <optional>

// The file operations of MP3 items. Copies and renames never overwrite a file: when the target name
// is taken, the next free name "Song (2).mp3", "Song (3).mp3", ... is used, and the name actually
// used is returned. The check and the creation are one step of the file system, so a file that
// appears meanwhile is not overwritten either.
namespace KivMp3FileOps {

// A catalog path with its "\" separators turned into the file system's "/".
QString LocalPath(const QString &catalogPath);

// folder (with or without its trailing "/") joined with name.
QString Join(const QString &folder, const QString &name);

// The n-th candidate for name: name itself for n <= 1, else "Song (n).mp3" (the number goes in
// front of the extension; a name without one, or only a leading dot, gets it at the end).
QString CandidateName(const QString &name, int n);

// Renames (moves) the file source to folder/name, or to the next free name. Nothing when the source
// is missing or the rename fails. Renaming a file to its own name changes nothing and returns name.
std::optional<QString> RenameKeeping(const QString &source, const QString &folder, const QString &name);

// Copies the file source to folder/name, or to the next free name; the copy keeps the source's
// modification time. Nothing when the copy fails; a partly written copy is removed.
std::optional<QString> CopyKeeping(const QString &source, const QString &folder, const QString &name);

// Creates folder and every missing folder above it; true when it exists afterwards.
bool MakeFolders(const QString &folder);

// True when path names an existing file that is not a folder.
bool IsFile(const QString &path);

} // namespace KivMp3FileOps
