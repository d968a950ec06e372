// The children of a folder entry: read from disk while the medium is online, else from the catalog.
#include "browse/folders/FolderEntry.h"

#include "browse/folders/Folder.h"
#include "browse/folders/FolderCatalog.h"
#include "catalog/RsFolder.h"
#include "media/Medium.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>

namespace {

bool isMp3Name(const QString &name)
{
    return name.size() >= 4 && name.right(4).toLower() == QLatin1String(".mp3");
}

} // namespace

bool CKivFolderEntry::HasChildren(CKivDatabase &db)
{
    if (m_childrenKnown)
        return m_hasChildren;
    switch (m_kind) {
    case DiskFile:
    case CatalogFile:
    case ImportFile:
        return false;
    case CdManager:
        return !m_cdChildren.empty();
    default:
        break;
    }
    if (!m_medium)
        return false;
    if ((m_kind == Medium || m_kind == Cd || m_kind == DiskFolder) && IsMediumOnline())
        return QFileInfo(ContentFolder()).isDir();
    // The catalog knows a folder below this one.
    const qint32 id = m_kind == Medium || m_kind == Cd ? 0 : m_catalogId;
    if (id < 0)
        return false;
    CRsFolder rs(db);
    const bool found = rs.OpenChildren(m_medium->GetName(), id, false);
    rs.Close();
    return found;
}

CKivFolder CKivFolderEntry::GetChildren(CKivDatabase &db)
{
    CKivFolder children;
    if (m_kind == CdManager) {
        for (const Ptr &cd : m_cdChildren)
            children.Add(cd);
        return children;
    }
    if (IsFile() || !m_medium)
        return children;

    QSet<QString> onDisk;  // sub-paths of disk folders, catalog paths of disk files
    bool read = false;
    if (IsMediumOnline()) {
        QDir dir(ContentFolder());
        if (dir.exists()) {
            read = true;
            QDirIterator it(dir.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
            while (it.hasNext()) {
                it.next();
                const QFileInfo info = it.fileInfo();
                const QString name = info.fileName();
                // A name holding the catalog's separator cannot be addressed by a sub-path.
                if (name.contains(QLatin1Char('\\')))
                    continue;
                if (info.isDir()) {
                    Ptr entry = FromDisk(m_medium, m_subPath, name, true, 0, info.lastModified(), m_imageBase);
                    onDisk.insert(entry->GetSubPath());
                    children.Add(std::move(entry));
                } else if (isMp3Name(name)) {
                    Ptr entry = FromDisk(m_medium, m_subPath, name, false, info.size(), info.lastModified(),
                                         m_imageBase);
                    onDisk.insert(entry->CatalogPath());
                    children.Add(std::move(entry));
                }
            }
        }
    }

    // Online: the pending imports of this folder; otherwise everything the catalog knows.
    const bool importsOnly = read;
    const std::vector<CKivMedium::CatalogFolder> folders = m_medium->CatalogFolders(db, m_subPath, importsOnly);
    std::vector<qint32> ids;
    std::vector<Ptr> catalogFolders;
    for (const CKivMedium::CatalogFolder &folder : folders) {
        if (onDisk.contains(folder.subPath))
            continue;
        catalogFolders.push_back(FromCatalogFolder(m_medium, folder.subPath, folder.id, folder.isImportFolder,
                                                   m_imageBase));
        ids.push_back(folder.id);
    }
    // Whether each of them has folders below it, in one query rather than one per folder.
    const QSet<qint32> parents = KivFolderCatalog::ParentsWithChildren(db, m_medium->GetName(), ids);
    for (Ptr &entry : catalogFolders) {
        entry->SetHasChildrenKnown(parents.contains(entry->GetCatalogID()));
        children.Add(std::move(entry));
    }
    for (const CKivMedium::CatalogFile &file : m_medium->CatalogFiles(db, m_subPath, importsOnly)) {
        if (onDisk.contains(file.subPath + file.filename))
            continue;
        children.Add(FromCatalogFile(m_medium, file.subPath, file.filename, file.id, file.fileSize, file.created,
                                     file.importId, m_imageBase));
    }
    return children;
}
