#include "mp3/item/Mp3Row.h"

#include "catalog/RsImport.h"
#include "catalog/Mp3sRow.h"
#include "catalog/RsMp3s.h"
#include "mp3/item/Mp3Item.h"

namespace KivMp3Row {

CKivMp3Data Read(const CRsMp3s &rs)
{
    CKivMp3Data d;
    static_cast<CKivMp3sRow &>(d) = static_cast<const CKivMp3sRow &>(rs);
    return d;
}

CKivMp3Data Read(CKivMp3sRow &&row)
{
    CKivMp3Data d;
    static_cast<CKivMp3sRow &>(d) = std::move(row);
    return d;
}

void Write(const CKivMp3Data &d, CRsMp3s &rs, bool withCreationDate)
{
    // The record set keeps its own ID (unset after AddNew, so the database assigns one), its
    // creation time and, unless asked, its creation date; the key is always composed anew.
    const qint32 id = rs.m_ID;
    const QDateTime anlegedatum = rs.m_Anlegedatum;
    const QDateTime creationTime = rs.m_CreationTime;
    static_cast<CKivMp3sRow &>(rs) = d;
    rs.m_ID = id;
    if (!withCreationDate)
        rs.m_Anlegedatum = anlegedatum;
    rs.m_CreationTime = creationTime;
    rs.m_MediumSubPathFilename = d.Key();
}

std::optional<CKivMp3ImportData> ReadImport(CKivDatabase &db, int importId)
{
    CRsImport rs(db);
    if (!rs.OpenById(importId))
        return std::nullopt;
    CKivMp3ImportData data;
    data.m_SourceMedium = rs.m_SourceMedium;
    data.m_SourceSubPath = rs.m_SourceSubPath;
    data.m_SourceFilename = rs.m_SourceFilename;
    data.m_DestMedium = rs.m_DestMedium;
    data.m_DestSubPath = rs.m_DestSubPath;
    data.m_DestFilename = rs.m_DestFilename;
    rs.Close();
    return data;
}

bool DeleteImport(CKivDatabase &db, int importId)
{
    CRsImport rs(db);
    if (!rs.OpenById(importId))
        return !rs.lastOpenFailedInDatabase() && rs.lastError().isEmpty();
    const bool deleted = rs.Delete();
    rs.Close();
    return deleted;
}

} // namespace KivMp3Row

CKivMp3::Ptr CKivMp3::FromRow(CKivMedium *medium, CKivMp3Data data, CKivDatabase &db)
{
    auto item = std::make_shared<CKivMp3>();
    item->m_medium = medium;
    item->m_data = std::move(data);
    if (item->m_data.m_ImportID != 0) {
        if (const auto import = KivMp3Row::ReadImport(db, item->m_data.m_ImportID))
            item->m_import = *import;
    }
    return item;
}
