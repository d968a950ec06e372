#pragma once

#include "browse/folders/FolderEntry.h"

#include <vector>

// An ordered collection of folder entries: the children of one node of the tree or the rows of the
// file list. Walked with First/Next/Current or as a range.
class CKivFolder
{
public:
    void Add(CKivFolderEntry::Ptr entry) { m_entries.push_back(std::move(entry)); }
    // The first entry (and makes it current); null when empty.
    CKivFolderEntry::Ptr First();
    // The entry after the current one (and makes it current); null past the end.
    CKivFolderEntry::Ptr Next();
    CKivFolderEntry::Ptr Current() const;
    void RemoveAll();

    int Count() const { return int(m_entries.size()); }
    bool IsEmpty() const { return m_entries.empty(); }
    const CKivFolderEntry::Ptr &At(int index) const { return m_entries[size_t(index)]; }
    auto begin() const { return m_entries.begin(); }
    auto end() const { return m_entries.end(); }

private:
    std::vector<CKivFolderEntry::Ptr> m_entries;
    size_t m_current = 0;
};
