#pragma once

#include "browse/folders/FolderEntry.h"

#include <QMimeData>

#include <vector>

// Folder tree and file list entries dragged inside the program; other programs see the files and
// folders as a URI list.
class CKivFolderEntryMimeData : public QMimeData
{
    Q_OBJECT

public:
    static QString mimeType() { return QStringLiteral("application/x-melvora-folder-entries"); }

    explicit CKivFolderEntryMimeData(std::vector<CKivFolderEntry::Ptr> entries);

    const std::vector<CKivFolderEntry::Ptr> &entries() const { return m_entries; }
    static const CKivFolderEntryMimeData *from(const QMimeData *data);

private:
    std::vector<CKivFolderEntry::Ptr> m_entries;
};
