#include "browse/ui/folders/FolderEntryMimeData.h"

#include <QUrl>

CKivFolderEntryMimeData::CKivFolderEntryMimeData(std::vector<CKivFolderEntry::Ptr> entries)
    : m_entries(std::move(entries))
{
    QList<QUrl> urls;
    for (const CKivFolderEntry::Ptr &entry : m_entries) {
        if (entry && !entry->GetFullPath().isEmpty())
            urls << QUrl::fromLocalFile(entry->GetFullPath());
    }
    setUrls(urls);
    setData(mimeType(), QByteArray());
}

const CKivFolderEntryMimeData *CKivFolderEntryMimeData::from(const QMimeData *data)
{
    return qobject_cast<const CKivFolderEntryMimeData *>(data);
}
