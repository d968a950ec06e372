#pragma once

#include <QSet>
#include <QString>

#include <vector>

class CKivDatabase;

// The catalog side of the folder operations: after a folder or file was moved, renamed or deleted
// on disk, its Folder, Mp3s and Import rows are brought in line. Only rows whose sub-path begins
// byte for byte with the folder's sub-path count as inside it ("Rock\" holds "Rock\Alt\", not
// "Rockabilly\", "Hard Rock\" or "Alt\Rock\"). Each function stops at the first failing statement
// and returns false; the caller runs it inside a transaction and rolls back.
namespace KivFolderCatalog {

// The IDs among folderIds (folders of mediumName) that have a folder below them.
QSet<qint32> ParentsWithChildren(CKivDatabase &db, const QString &mediumName, const std::vector<qint32> &folderIds);

// The folder oldSubPath now is newSubPath below the folder newParentSubPath: its own row takes the
// new parent, every Folder and Mp3s row below it the new prefix (with new keys and search texts),
// and pending imports whose destination or source lies inside it point to the new place.
bool MoveFolder(CKivDatabase &db, const QString &mediumName, const QString &oldSubPath, const QString &newSubPath,
                const QString &newParentSubPath);

// The file oldSubPath + oldFilename now is newSubPath + newFilename: its Mp3s row (found by its old
// key) and pending imports whose source it is follow it.
bool MoveFile(CKivDatabase &db, const QString &mediumName, const QString &oldSubPath, const QString &oldFilename,
              const QString &newSubPath, const QString &newFilename);

// The folder subPath is gone: its Folder rows, the Mp3s rows below it and their Import rows go.
bool DeleteFolder(CKivDatabase &db, const QString &mediumName, const QString &subPath);

// The file is gone: its Mp3s row and, for a pending import, its Import row go.
bool DeleteFile(CKivDatabase &db, const QString &mediumName, const QString &subPath, const QString &filename);

} // namespace KivFolderCatalog
