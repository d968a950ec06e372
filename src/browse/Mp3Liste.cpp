#include "browse/Mp3Liste.h"

#include "browse/Filter.h"
#include "catalog/Database.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "mp3/item/Mp3Row.h"
#include "mp3/item/Mp3Status.h"
#include "mp3/item/SizeText.h"

#include <QThreadPool>
#include <QTimer>

#include <iterator>

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
    // A load still arriving belongs to the items thrown away.
    cancelLoad();
    m_totalSize = 0;
    m_count = 0;
    m_counted = false;
    if (m_stepped && m_items.size() > 1000) {
        // Freeing a large list takes tens of milliseconds: a pool thread does it while this refill
        // shows its first rows. Items hold plain values (their shared texts count atomically).
        QThreadPool::globalInstance()->start([old = std::make_shared<Items>(std::move(m_items))]() mutable {
            old.reset();
        });
    }
    m_items.clear();
    if (m_media)
        m_media->CheckOnline();
}

CKivMedium *CKivMp3Liste::mediumOf(const QString &name)
{
    // One lookup per medium name, not per row.
    auto it = m_placed.constFind(name);
    if (it == m_placed.constEnd()) {
        CKivMedium *medium = m_media ? m_media->FindMedium(name) : nullptr;
        if (medium && !medium->IsUsersMedium())
            medium = nullptr;
        it = m_placed.insert(name, medium);
    }
    return it.value();
}

CKivMp3RowReader::Step CKivMp3Liste::fetchItems(qint64 budgetNs, Items &items)
{
    // Pending imports also need their Import row: read once the step's rows are fetched, in place.
    struct Pending
    {
        size_t index;
        CKivMedium *medium;
        CKivMp3Data data;
    };
    std::vector<Pending> pending;
    const CKivMp3RowReader::Step step = m_reader->Fetch(
        [&](CKivMp3sRow &&row) {
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
        },
        budgetNs);
    if (step != CKivMp3RowReader::Step::Failed) {
        for (Pending &p : pending)
            items[p.index] = CKivMp3::FromRow(p.medium, std::move(p.data), m_db);
    }
    return step;
}

void CKivMp3Liste::cancelLoad()
{
    ++m_loadGeneration;
    m_reader.reset();
}

bool CKivMp3Liste::load(const std::function<bool(CKivMp3RowReader &)> &open, bool count)
{
    Reset();
    m_placed.clear();
    m_reader = std::make_unique<CKivMp3RowReader>(m_db);
    const bool stepped = m_stepped && !count;
    if (stepped) {
        if (!m_readAhead)
            m_readAhead = std::make_unique<CKivMp3RowReadAhead>(m_db.Settings());
        m_reader->SetReadAhead(m_readAhead.get());
    }
    Items items;
    CKivMp3RowReader::Step step = CKivMp3RowReader::Step::Failed;
    if (open(*m_reader))
        step = fetchItems(stepped ? m_firstStepNs : -1, items);
    const bool ok = step != CKivMp3RowReader::Step::Failed;
    const bool found = ok && m_reader->rowsRead() > 0;
    m_readError = ok ? QString() : m_reader->lastError();
    if (!ok && m_readError.isEmpty())
        m_readError = QStringLiteral("the query failed");
    if (ok) {
        if (count) {
            for (const CKivMp3::Ptr &item : items)
                AppendCounted(item);
        } else {
            m_items = std::move(items);
        }
    }
    if (step == CKivMp3RowReader::Step::More) {
        // The first rows are shown now; the rest follow step by step from the event loop.
        const quint64 generation = m_loadGeneration;
        QTimer::singleShot(0, this, [this, generation] {
            if (generation == m_loadGeneration)
                continueLoad();
        });
    } else {
        finishLoad();
    }
    Q_EMIT itemsReplaced();
    if (stepped && step == CKivMp3RowReader::Step::Done)
        Q_EMIT loadFinished();
    return found;
}

void CKivMp3Liste::continueLoad()
{
    if (!m_reader)
        return;
    Items items;
    const CKivMp3RowReader::Step step = fetchItems(m_stepNs, items);
    if (step == CKivMp3RowReader::Step::Failed) {
        // A failed read leaves the list empty, never partly filled.
        m_readError = m_reader->lastError();
        if (m_readError.isEmpty())
            m_readError = QStringLiteral("the query failed");
        m_items.clear();
        finishLoad();
        Q_EMIT itemsReplaced();
        return;
    }
    const int first = ItemCount();
    m_items.insert(m_items.end(), std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()));
    if (step == CKivMp3RowReader::Step::More) {
        const quint64 generation = m_loadGeneration;
        QTimer::singleShot(0, this, [this, generation] {
            if (generation == m_loadGeneration)
                continueLoad();
        });
    } else {
        finishLoad();
    }
    if (ItemCount() > first)
        Q_EMIT itemsAppended(first);
    if (step == CKivMp3RowReader::Step::Done)
        Q_EMIT loadFinished();
}

void CKivMp3Liste::finishLoad()
{
    m_reader.reset();
    m_placed.clear();
#if defined(__GLIBC__)
    // The driver's buffers of a large result are free again: hand them back to the system, so a
    // list of 100,000 rows costs its items and not the whole result set on top.
    malloc_trim(0);
#endif
}

void CKivMp3Liste::LoadMedium(const QString &mediumName, const QString &subPath)
{
    m_mode = 0;
    m_subPath = subPath;
    load([&](CKivMp3RowReader &reader) {
        return reader.Open(CKivMp3sQuery::ByMediumSubPath(mediumName, subPath, false));
    }, false);
}

bool CKivMp3Liste::LoadToImport(const QString &mediumName)
{
    return load([&](CKivMp3RowReader &reader) {
        return reader.Open(CKivMp3sQuery::ByMediumSubPath(mediumName, QString(), true));
    }, true);
}

void CKivMp3Liste::Search(const QString &text, const QString &mediumName)
{
    m_mode = 1;
    m_subPath.clear();
    load([&](CKivMp3RowReader &reader) {
        return reader.Open(CKivMp3sQuery::Search(m_searchField, m_searchOperator, text, mediumName));
    }, false);
}

void CKivMp3Liste::LoadFiltered(CKivFilter &filter)
{
    m_mode = 1;
    m_subPath.clear();
    load([&](CKivMp3RowReader &reader) { return filter.ValidateForQuery() && reader.OpenWithFilter(filter); },
         false);
}

void CKivMp3Liste::CopyFrom(const CKivMp3Liste &other)
{
    if (&other != this) {
        cancelLoad();
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
