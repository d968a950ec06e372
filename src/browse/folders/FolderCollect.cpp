#include "browse/folders/FolderCollect.h"

#include "catalog/RsMp3s.h"
#include "media/Medium.h"

#include <QSet>

namespace KivFolderCollect {

std::vector<CKivMp3::Ptr> Mp3sBelow(CKivDatabase &db, const std::vector<CKivFolderEntry::Ptr> &entries)
{
    std::vector<CKivMp3::Ptr> items;
    QSet<qint32> seen;
    const auto take = [&](CKivMedium *medium, CRsMp3s &rs) {
        if (seen.contains(rs.m_ID))
            return;
        seen.insert(rs.m_ID);
        items.push_back(CKivMp3::FromRow(medium, rs));
    };
    for (const CKivFolderEntry::Ptr &entry : entries) {
        CKivMedium *medium = entry ? entry->GetMedium() : nullptr;
        if (!medium)
            continue;
        CRsMp3s rs(db);
        if (entry->IsFile()) {
            if (rs.OpenByKey(entry->Key())) {
                take(medium, rs);
                rs.Close();
            }
            continue;
        }
        const QString prefix = entry->GetSubPath();
        if (!rs.OpenByMediumSubPath(medium->GetName(), prefix, false))
            continue;
        for (; !rs.IsEOF(); rs.MoveNext()) {
            if (rs.m_SubPath.startsWith(prefix))
                take(medium, rs);
        }
        rs.Close();
    }
    return items;
}

} // namespace KivFolderCollect
