#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The file system side of the folder operations that KivMp3FileOps does not cover: whole folders
// copied, and deletions that can be taken back until they are final.
namespace KivFolderDisk {

// A name that stays inside its folder: not empty, not "." or "..", no "/", no "\", no zero.
bool IsPlainName(const QString &name);

// The local path without a trailing "/" (except for "/" itself).
QString WithoutSlash(const QString &path);

// The folder that holds path ("/m/Rock/Alt/" -> "/m/Rock/").
QString ParentFolder(const QString &path);

// Copies the folder source into targetFolder as name, or as the next free name ("Rock (2)"), with
// everything inside it. The catalog paths of the MP3 files copied, relative to the new folder
// ("Alt\Song.mp3"), go into mp3s. Nothing on failure, and a partial copy is removed.
std::optional<QString> CopyFolder(const QString &source, const QString &targetFolder, const QString &name,
                                  QStringList *mp3s);

// Takes path (a file or a folder) out of sight by renaming it to a hidden name in its folder;
// returns that hidden path. Restore puts it back; Finish moves it back to its name and into the
// trash, or removes it for good where the medium has no trash.
std::optional<QString> StageDelete(const QString &path);
bool RestoreStaged(const QString &staged, const QString &path);
bool FinishStaged(const QString &staged, const QString &path);

} // namespace KivFolderDisk
