#include "tools/TagSelection.h"

#include "tools/ToolText.h"

void KivTagSelection::addDistinct(QStringList &list, const QString &value)
{
    for (const QString &entry : std::as_const(list)) {
        if (entry.compare(value, Qt::CaseInsensitive) == 0)
            return;
    }
    list.append(value);
}

KivTagSelection KivTagSelection::Of(const std::vector<CKivMp3::Ptr> &items)
{
    KivTagSelection s;
    s.count = int(items.size());
    if (items.empty())
        return s;
    bool oneFolder = true;
    for (const CKivMp3::Ptr &item : items) {
        oneFolder = oneFolder && item->GetFolderID() == items.front()->GetFolderID();
        addDistinct(s.artists, item->GetArtist());
        addDistinct(s.titles, item->GetTitle());
        addDistinct(s.albums, item->GetAlbum());
        addDistinct(s.years, item->GetYear());
        addDistinct(s.comments, item->GetComment());
        addDistinct(s.subPaths, item->GetSubPath());
        addDistinct(s.filenames, item->GetFilename());
    }
    if (oneFolder)
        s.folderName = KivToolText::folderNameOfSubPath(items.back()->GetSubPath());
    return s;
}
