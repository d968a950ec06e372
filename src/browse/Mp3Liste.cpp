#include "browse/Mp3Liste.h"

#include "browse/Filter.h"
#include "catalog/RsMp3s.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "mp3/item/Mp3Status.h"
#include "mp3/item/SizeText.h"

#include <QHash>

CKivMp3Liste::CKivMp3Liste(CKivDatabase &db, QObject *parent)
    : QObject(parent)
    , m_db(db)
{
}

CKivMp3Liste::~CKivMp3Liste() = default;

// --- load operations

void CKivMp3Liste::Reset()
{
    m_totalSize = 0;
    m_count = 0;
    m_counted = false;
    m_items.clear();
    if (m_media)
        m_media->CheckOnline();
}

template<class Open>
bool CKivMp3Liste::load(Open open, bool count)
{
    Reset();
    CRsMp3s rs(m_db);
    const bool found = open(rs);
    if (found)
        readRows(rs, count);
    rs.Close();
    Q_EMIT itemsReplaced();
    return found;
}

void CKivMp3Liste::readRows(CRsMp3s &rs, bool count)
{
    // One lookup per medium name, not per row.
    QHash<QString, CKivMedium *> placed;
    for (; !rs.IsEOF(); rs.MoveNext()) {
        auto it = placed.constFind(rs.m_Mediumname);
        if (it == placed.constEnd()) {
            CKivMedium *medium = m_media ? m_media->FindMedium(rs.m_Mediumname) : nullptr;
            if (medium && !medium->IsUsersMedium())
                medium = nullptr;
            it = placed.insert(rs.m_Mediumname, medium);
        }
        if (!it.value())
            continue;
        CKivMp3::Ptr item = CKivMp3::FromRow(it.value(), rs);
        if (count)
            AppendCounted(item);
        else
            m_items.push_back(std::move(item));
    }
}

void CKivMp3Liste::LoadMedium(const QString &mediumName, const QString &subPath)
{
    m_mode = 0;
    m_subPath = subPath;
    load([&](CRsMp3s &rs) { return rs.OpenByMediumSubPath(mediumName, subPath, false); }, false);
}

bool CKivMp3Liste::LoadToImport(const QString &mediumName)
{
    return load([&](CRsMp3s &rs) { return rs.OpenByMediumSubPath(mediumName, QString(), true); }, true);
}

void CKivMp3Liste::Search(const QString &text, const QString &mediumName)
{
    m_mode = 1;
    m_subPath.clear();
    load([&](CRsMp3s &rs) { return rs.OpenSearch(m_searchField, m_searchOperator, text, mediumName); }, false);
}

void CKivMp3Liste::LoadFiltered(CKivFilter &filter)
{
    m_mode = 1;
    m_subPath.clear();
    load([&](CRsMp3s &rs) { return filter.ValidateForQuery() && rs.OpenWithFilter(filter); }, false);
}

void CKivMp3Liste::CopyFrom(const CKivMp3Liste &other)
{
    if (&other != this) {
        m_items = other.m_items;
        m_totalSize = other.m_totalSize;
        m_count = other.m_count;
        m_counted = other.m_counted;
    }
    Q_EMIT itemsReplaced();
}

void CKivMp3Liste::Append(const CKivMp3::Ptr &item)
{
    m_items.push_back(item);
}

void CKivMp3Liste::AppendCounted(const CKivMp3::Ptr &item)
{
    m_items.push_back(item);
    m_totalSize += item->GetFileSize();
    ++m_count;
    m_counted = true;
}

// --- counters

QString CKivMp3Liste::TotalSizeText() const
{
    return KivSizeText::Format(m_totalSize);
}

QString CKivMp3Liste::CountText() const
{
    return QString::number(m_count);
}

int CKivMp3Liste::ImportState()
{
    if (!m_counted)
        return 0;
    int state = 1;
    for (const CKivMp3::Ptr &item : m_items) {
        if (item->StatusCode(m_media) == KivMp3Status::ImportReady)
            state = 2;
    }
    return state;
}
