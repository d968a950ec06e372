#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

class CKivDatabase;

// Adds the Folder rows of many new folders of one medium with one statement per folder depth
// instead of several round trips per folder: each row as GetOrCreateFolder adds it (medium name,
// sub-path, the parent's ID, not an import folder; no creation time). Only where the database
// hands back the new keys (PostgreSQL); elsewhere nothing is done and the result is false.
//
// subPaths must not exist yet; the parent of each is either in ids already (0 for the root) or in
// subPaths. On success ids holds the new folders too. On a refusal (a folder another computer
// created meanwhile) the result is false, ids is unchanged, and within a transaction only the
// refused statement was taken back by the driver: the caller then creates the folders one by one.
namespace KivFoldersBulkCreate {

bool Run(CKivDatabase &db, const QString &mediumName, const QStringList &subPaths, QHash<QString, qint32> &ids);

} // namespace KivFoldersBulkCreate
