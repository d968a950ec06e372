#include "browse/folders/Folder.h"

CKivFolderEntry::Ptr CKivFolder::First()
{
    m_current = 0;
    return Current();
}

CKivFolderEntry::Ptr CKivFolder::Next()
{
    if (m_current < m_entries.size())
        ++m_current;
    return Current();
}

CKivFolderEntry::Ptr CKivFolder::Current() const
{
    return m_current < m_entries.size() ? m_entries[m_current] : nullptr;
}

void CKivFolder::RemoveAll()
{
    m_entries.clear();
    m_current = 0;
}
