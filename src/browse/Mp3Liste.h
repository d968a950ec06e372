#pragma once

#include "catalog/Mp3RowReadAhead.h"
#include "catalog/Mp3RowReader.h"
#include "mp3/item/Mp3Item.h"

#include <QHash>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class CKivDatabase;
class CKivFilter;
class CKivMedienListe;

// An ordered list of MP3 items with the query that filled it: the document's MP3 list that the list
// views show and the media catalog's list. Every load replaces the items (the items of the previous
// result are not reused) and ends with itemsReplaced(), which the document announces to its views as
// hint 101 with this list.
//
// Rows become items only for media the user has (assigned to him, or CDs); rows of other media are
// passed over silently. Items are shared: a list that copies another holds the same item objects.
//
// The load operations run on the thread that owns the catalog connection given at construction. A
// finished scan hands its items over with Reset, Append and AnnounceReplaced.
//
// A list loading in steps (SetStepped) shows the rows that arrive within FirstStepNs at once
// (itemsReplaced) and appends the rest from the event loop in steps of StepNs (itemsAppended, then
// loadFinished), so a refill of 100,000 rows never holds up the user interface. Its rows are read on
// a thread and connection of the list's own (CKivMp3RowReadAhead) while the items are made here. A new load, Reset
// or CopyFrom ends a load still arriving.
class CKivMp3Liste : public QObject
{
    Q_OBJECT

public:
    using Items = std::vector<CKivMp3::Ptr>;

    static constexpr qint64 FirstStepNs = 40'000'000;
    static constexpr qint64 StepNs = 50'000'000;

    explicit CKivMp3Liste(CKivDatabase &db, QObject *parent = nullptr);
    ~CKivMp3Liste() override;

    // Loads in steps from the event loop (LoadToImport always loads whole).
    void SetStepped(bool on) { m_stepped = on; }
    bool IsStepped() const { return m_stepped; }
    // How long the first and each further step may read (tests: 0 reads one block of rows a step).
    void SetStepBudgets(qint64 firstNs, qint64 stepNs)
    {
        m_firstStepNs = firstNs;
        m_stepNs = stepNs;
    }
    // Rows of the last load are still arriving.
    bool IsLoading() const { return m_reader != nullptr; }

    CKivDatabase &Database() const { return m_db; }
    // The user's media set: rows are placed on its media; nullptr shows no rows at all.
    void SetMedia(CKivMedienListe *media) { m_media = media; }
    CKivMedienListe *GetMedia() const { return m_media; }

    // "Unbenannt" after construction.
    QString GetName() const { return m_name; }
    void SetName(const QString &name) { m_name = name; }

    // --- load operations (each replaces the items and emits itemsReplaced)
    // The files of a medium, or of its folders whose sub-path contains subPath; mode 0.
    void LoadMedium(const QString &mediumName, const QString &subPath);
    // The medium's files that wait for import, counted; true when the query found rows.
    bool LoadToImport(const QString &mediumName);
    // The files whose search index contains text (on one medium, or all when mediumName is
    // empty); pending imports are never found. Mode 1.
    void Search(const QString &text, const QString &mediumName);
    // The files the filter accepts. A filter that is not valid is reported (and its dialog
    // opened) by the filter, and no query runs. Mode 1.
    void LoadFiltered(CKivFilter &filter);
    // Takes over the other list's items (the same objects, in order) and its counters.
    void CopyFrom(const CKivMp3Liste &other);

    // --- building a list by hand (scan, import and export readers)
    // Empties the list and its counters and lets every medium check whether it is online.
    void Reset();
    void Append(const CKivMp3::Ptr &item);
    // Appends and counts the item (count + 1, its size added to the total).
    void AppendCounted(const CKivMp3::Ptr &item);
    // Tells the views that the items were replaced.
    void AnnounceReplaced() { Q_EMIT itemsReplaced(); }

    // --- items
    const Items &GetItems() const { return m_items; }
    int ItemCount() const { return int(m_items.size()); }
    Items::const_iterator begin() const { return m_items.begin(); }
    Items::const_iterator end() const { return m_items.end(); }

    // --- counters of LoadToImport and the list readers
    qint64 GetTotalSize() const { return m_totalSize; }
    int GetCount() const { return m_count; }
    bool IsCounted() const { return m_counted; }
    // The total size as the lists show sizes ("12,34 MB").
    QString TotalSizeText() const;
    // The count in decimal.
    QString CountText() const;
    // 0 when nothing was counted; otherwise 2 when an item can be imported now (status 4), else 1.
    int ImportState();

    // --- the last query
    QString GetSubPath() const { return m_subPath; }
    int GetMode() const { return m_mode; }
    QString GetSearchOperator() const { return m_searchOperator; }
    QString GetSearchField() const { return m_searchField; }
    // Why the last load failed (the driver's text); empty when it succeeded, found rows or not.
    QString LastReadError() const { return m_readError; }

Q_SIGNALS:
    // The items were replaced: views showing this list refill (hint 101).
    void itemsReplaced();
    // A load in steps appended the items from index first on.
    void itemsAppended(int first);
    // A load in steps has read its last row (also when that was in its first step).
    void loadFinished();

private:
    // Opens the query with open on a fast row reader and turns the rows into items (in steps when
    // the list loads in steps), counting them when asked. True when the query found rows. A query
    // that fails leaves the list empty, never partly filled.
    bool load(const std::function<bool(CKivMp3RowReader &)> &open, bool count);
    CKivMp3RowReader::Step fetchItems(qint64 budgetNs, Items &items);
    void continueLoad();
    void finishLoad();
    void cancelLoad();
    CKivMedium *mediumOf(const QString &name);

    CKivDatabase &m_db;
    CKivMedienListe *m_media = nullptr;
    QString m_name = QStringLiteral("Unbenannt");
    Items m_items;

    qint64 m_totalSize = 0;
    int m_count = 0;
    bool m_counted = false;

    QString m_subPath;
    int m_mode = 0;
    QString m_searchOperator = QStringLiteral("LIKE");
    QString m_searchField = QStringLiteral("SearchIndex");
    QString m_readError;

    bool m_stepped = false;
    qint64 m_firstStepNs = FirstStepNs;
    qint64 m_stepNs = StepNs;
    // Declared before the reader, which lets go of its read there when it goes.
    std::unique_ptr<CKivMp3RowReadAhead> m_readAhead;
    std::unique_ptr<CKivMp3RowReader> m_reader;
    quint64 m_loadGeneration = 0;
    QHash<QString, CKivMedium *> m_placed;
};
