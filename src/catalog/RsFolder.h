#pragma once

#include "catalog/Recordset.h"

// The folder tree of each medium, one row per folder that holds catalogued files or lies above
// one (table Folder). Sub-paths are relative to the medium's root and end in a backslash.
class CRsFolder : public CKivRecordset
{
public:
    explicit CRsFolder(CKivDatabase &db);

    qint32 m_ID = 0;
    QString m_Mediumname;
    QString m_SubPath;
    qint32 m_ParentID = 0;
    QDateTime m_CreationTime;
    qint32 m_IsImportFolder = 0;

    bool OpenById(qint32 id);
    bool OpenByPath(const QString &mediumName, const QString &subPath);
    bool OpenChildren(const QString &mediumName, qint32 parentId, bool importFoldersOnly);
    // The folder with the sub-path prefix and every folder below it.
    bool OpenSubtree(const QString &mediumName, const QString &subPathPrefix);

    // The ID of the folder, created with its missing ancestors (top-down) when needed: 0 for the
    // empty sub-path (the medium's root), -1 on a database failure. A found folder stops being an
    // import folder when asked for as a normal one; an import never marks a normal folder.
    qint32 GetOrCreateFolder(const QString &mediumName, const QString &subPath, bool importFolder);

    // "Rock\Alt\" -> "Rock\", "Rock\" -> "".
    static QString ParentSubPath(const QString &subPath);

private:
    QString pathFilter(const QString &mediumName, const QString &subPath) const;
};
