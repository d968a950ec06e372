#include "browse/Mp3Liste.h"

#include "browse/Filter.h"
#include "catalog/Mp3RowReader.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "mp3/item/Mp3Row.h"
#include "mp3/item/Mp3Status.h"
#include "mp3/item/SizeText.h"

#include <QHash>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

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

template<class Read>
bool CKivMp3Liste::load(Read read, bool count)
{
    Reset();
    // One lookup per medium name, not per row.
    QHash<QString, CKivMedium *> placed;
    const auto mediumOf = [&](const QString &name) {
        auto it = placed.constFind(name);
        if (it == placed.constEnd()) {
            CKivMedium *medium = m_media ? m_media->FindMedium(name) : nullptr;
            if (medium && !medium->IsUsersMedium())
                medium = nullptr;
            it = placed.insert(name, medium);
        }
        return it.value();
    };
    // Pending imports also need their Import row: read once the Mp3s statement is done, in place.
    struct Pending
    {
        size_t index;
        CKivMedium *medium;
        CKivMp3Data data;
    };
    std::vector<Pending> pending;
    Items items;
    CKivMp3RowReader reader(m_db);
    const bool ok = read(reader, [&](CKivMp3sRow &&row) {
        CKivMedium *medium = mediumOf(row.m_Mediumname);
        if (!medium)
            return;
        CKivMp3Data data = KivMp3Row::Read(std::move(row));
        if (data.m_ImportID != 0) {
            pending.push_back({items.size(), medium, std::move(data)});
            items.emplace_back();
        } else {
            items.push_back(CKivMp3::FromRow(medium, std::move(data), m_db));
        }
    });
    m_readError = ok ? QString() : reader.lastError();
    if (!ok && m_readError.isEmpty())
        m_readError = QStringLiteral("the query failed");
    if (ok) {
        for (Pending &p : pending)
            items[p.index] = CKivMp3::FromRow(p.medium, std::move(p.data), m_db);
        if (count) {
            for (const CKivMp3::Ptr &item : items)
                AppendCounted(item);
        } else {
            m_items = std::move(items);
        }
    }
#if defined(__GLIBC__)
    // The driver's buffers of a large result are free again: hand them back to the system, so a
    // list of 100,000 rows costs its items and not the whole result set on top.
    malloc_trim(0);
#endif
    Q_EMIT itemsReplaced();
    return ok && reader.rowsRead() > 0;
}

void CKivMp3Liste::LoadMedium(const QString &mediumName, const QString &subPath)
{
    m_mode = 0;
    m_subPath = subPath;
    load([&](CKivMp3RowReader &reader, const CKivMp3RowReader::Sink &sink) {
        return reader.Read(CKivMp3sQuery::ByMediumSubPath(mediumName, subPath, false), sink);
    }, false);
}

bool CKivMp3Liste::LoadToImport(const QString &mediumName)
{
    return load([&](CKivMp3RowReader &reader, const CKivMp3RowReader::Sink &sink) {
        return reader.Read(CKivMp3sQuery::ByMediumSubPath(mediumName, QString(), true), sink);
    }, true);
}

void CKivMp3Liste::Search(const QString &text, const QString &mediumName)
{
    m_mode = 1;
    m_subPath.clear();
    load([&](CKivMp3RowReader &reader, const CKivMp3RowReader::Sink &sink) {
        return reader.Read(CKivMp3sQuery::Search(m_searchField, m_searchOperator, text, mediumName), sink);
    }, false);
}

void CKivMp3Liste::LoadFiltered(CKivFilter &filter)
{
    m_mode = 1;
    m_subPath.clear();
    load([&](CKivMp3RowReader &reader, const CKivMp3RowReader::Sink &sink) {
        return filter.ValidateForQuery() && reader.ReadWithFilter(filter, sink);
    }, false);
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
