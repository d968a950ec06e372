#include "media/scan/ScanStore.h"

#include "core/UserInterface.h"
#include "catalog/CatalogFailure.h"
#include "catalog/Database.h"
#include "catalog/FoldersBulkCreate.h"
#include "catalog/Mp3RowReader.h"
#include "catalog/Mp3sQuery.h"
#include "catalog/Mp3sBulkInsert.h"
#include "catalog/Mp3sBulkUpdate.h"
#include "catalog/RsFolder.h"
#include "catalog/RsMp3s.h"
#include "catalog/Transaction.h"
#include "media/scan/ScanBusyGuard.h"
#include "media/scan/ScanList.h"
#include "media/scan/ScanLog.h"
#include "media/scan/ScanPath.h"
#include "mp3/item/Mp3Row.h"

#include <QHash>
#include <QSet>
#include <QScopeGuard>

namespace {

void tellNoConnection()
{
    kivUi().showMessage(QStringLiteral("Die Mp3 Dateien können nicht in die Datenbank geschrieben werden,\nda keine "
                                       "Verbindung zur Datenbank hergestellt werden kann !"),
                        QStringLiteral("Datenbank Fehler"), KivIcon::Stop);
}

// One message for a scan the catalog stopped: the cause and how far it came.
void tellStopped(KivCatalogFailure::Kind cause, int stored, int total)
{
    kivUi().showMessage(KivCatalogFailure::describe(cause) + QStringLiteral(" Das Schreiben in die Datenbank wurde beendet: ")
                            + QString::number(stored) + QStringLiteral(" von ") + QString::number(total)
                            + QStringLiteral(" Mp3 Dateien wurden gespeichert."),
                        QStringLiteral("Datenbank Fehler"), KivIcon::Stop);
}

void tellFailures(int failed)
{
    kivUi().showMessage(QStringLiteral("Beim Schreiben in die Datenbank ist ein Fehler aufgetreten.\n")
                            + QString::number(failed) + QStringLiteral(" Mp3 Dateien konnten nicht gespeichert werden !"),
                        QStringLiteral("Datenbank Fehler"), KivIcon::Stop);
}

class Storer
{
public:
    Storer(CKivScanList &list, CKivDatabase &db)
        : m_list(list)
        , m_db(db)
        , m_rows(db)
        , m_folders(db)
    {
    }

    void run()
    {
        readKnownRows();
        readKnownFolders();
        const std::vector<CKivMp3::Ptr> &items = m_list.items();
        size_t next = 0;
        while (next < items.size() && !m_list.IsCancelled() && !stopped()) {
            const size_t end = std::min(items.size(), next + size_t(KivScanStore::BatchSize));
            const quint64 errorsBefore = m_db.ErrorCount();
            const size_t done = storeBatch(next, end);
            if (done != SIZE_MAX)
                next = done;
            else if (!stopFor(errorsBefore)) {
                // A failed batch is taken back whole; its items are then stored one by one, so that
                // one bad item costs only itself.
                qCWarning(lcScan) << "A transaction of the scan was rolled back; its items are stored one by one";
                next = storeSingly(next, end);
            }
        }
    }

    // Set when the catalog failed for a cause no further statement can overcome.
    bool stopped() const { return m_stop != KivCatalogFailure::Kind::None; }
    KivCatalogFailure::Kind stopCause() const { return m_stop; }
    QString stopText() const { return m_stopText; }

private:
    // Stores items [from, end) in one transaction. Returns where it stopped (end, or earlier when
    // cancelled), or SIZE_MAX when the batch was rolled back.
    size_t storeBatch(size_t from, size_t end)
    {
        CKivTransaction transaction(m_db);
        if (!transaction.IsActive())
            return SIZE_MAX;
        m_pending.clear();
        m_pendingUpdates.clear();
        addNewFolders(from, end);
        size_t i = from;
        for (; i < end && !m_list.IsCancelled(); ++i) {
            if (!storeItem(i)) {
                rollBack(from, i);
                return SIZE_MAX;
            }
        }
        if (!insertPending() || !updatePending() || !transaction.Commit()) {
            rollBack(from, i);
            return SIZE_MAX;
        }
        for (size_t k = from; k < i; ++k)
            m_list.AddStored();
        return i;
    }

    size_t storeSingly(size_t from, size_t end)
    {
        m_singly = true;
        const auto back = qScopeGuard([this] { m_singly = false; });
        size_t i = from;
        for (; i < end && !m_list.IsCancelled(); ++i) {
            const quint64 errorsBefore = m_db.ErrorCount();
            if (storeItem(i)) {
                m_list.AddStored();
            } else if (stopFor(errorsBefore)) {
                break;
            } else {
                m_list.AddFailed();
                qCWarning(lcScan).noquote() << "Storing" << m_list.items()[i]->MediumSubPathFilename() << "failed";
            }
        }
        return i;
    }

    // After a failure: whether the catalog noted one since errorsBefore that no retry can cure;
    // then the scan stops here.
    bool stopFor(quint64 errorsBefore)
    {
        if (m_db.ErrorCount() == errorsBefore || !KivCatalogFailure::isPermanent(m_db.LastFailure()))
            return false;
        m_stop = m_db.LastFailure();
        m_stopText = m_db.LastErrorText();
        return true;
    }


    bool storeItem(size_t index)
    {
        const CKivMp3::Ptr &item = m_list.items()[index];
        m_list.SetCurrentIndex(int(index + 1));
        m_list.SetCurrentFile(item->GetFilename());
        const qint32 folderId = folderIdOf(item->GetSubPath());
        if (folderId < 0)
            return false;
        const auto known = m_known.constFind(item->MediumSubPathFilename());
        if (known != m_known.constEnd())
            item->AdoptStoredRow(known->id, known->created, known->rating);
        item->SetFolderID(folderId);
        if (m_singly)
            return item->Save(m_rows);
        // Added or updated with the other files of the transaction, in one statement each.
        (known == m_known.constEnd() ? m_pending : m_pendingUpdates).push_back(item.get());
        return true;
    }

    // The rows the catalog holds already below the scanned folder, by key: a file found there is
    // updated in place (keeping ID, creation date and the user's rating); any other is new.
    void readKnownRows()
    {
        const QString subPath = KivScanPath::Normalized(m_list.GetPath()).value_or(QString());
        CKivMp3RowReader reader(m_db, 1024);
        reader.SetColumns({QStringLiteral("Anlegedatum"), QStringLiteral("Bewertung"),
                           QStringLiteral("MediumSubPathFilename")});
        const bool read = reader.Read(CKivMp3sQuery::ByMediumSubPath(m_list.GetMediumName(), subPath, false),
                                      [this](CKivMp3sRow &&row) {
                                          m_known.insert(row.m_MediumSubPathFilename,
                                                         {row.m_ID, row.m_Anlegedatum, row.m_Bewertung});
                                      });
        // Without them every file is stored through its own save, which finds its row by key.
        if (!read)
            m_known.clear();
    }

    // The medium's folders as stored, by sub-path: a folder whose row already says what
    // GetOrCreateFolder would write is taken as it is, without a statement.
    void readKnownFolders()
    {
        CRsFolder folders(m_db);
        if (!folders.OpenSubtree(m_list.GetMediumName(), QString()))
            return;
        for (; !folders.IsEOF(); folders.MoveNext()) {
            if (folders.m_Mediumname == m_list.GetMediumName() && folders.m_IsImportFolder == 0)
                m_storedFolders.insert(folders.m_SubPath, {folders.m_ID, folders.m_ParentID});
        }
        folders.Close();
    }

    // The files of the transaction the catalog does not know yet: their rows are added together
    // without looking for them first. Should a key have been added meanwhile after all, the unique
    // key refuses the rows, and the transaction is stored again item by item through the item's own
    // save, which finds the row by its key.
    bool insertPending()
    {
        if (m_pending.empty())
            return true;
        std::vector<CKivMp3sRow> rows;
        rows.reserve(m_pending.size());
        for (const CKivMp3 *item : m_pending)
            rows.push_back(item->Data().StoredRow());
        std::vector<const CKivMp3sRow *> pointers;
        pointers.reserve(rows.size());
        for (const CKivMp3sRow &row : rows)
            pointers.push_back(&row);
        const QDateTime created = QDateTime::currentDateTime();
        std::vector<qint32> ids;
        if (!KivMp3sBulkInsert::Run(m_db, pointers, created, ids))
            return false;
        for (size_t k = 0; k < m_pending.size(); ++k)
            m_pending[k]->AdoptStoredRow(ids[k], created, rows[k].m_Bewertung);
        m_pending.clear();
        return true;
    }

    // The files of the transaction the catalog knows: their rows are read and written back together,
    // each only in the columns that changed, as the item's own save would have written them. A row
    // that is gone meanwhile is stored through the item's save, which adds it again.
    bool updatePending()
    {
        if (m_pendingUpdates.empty())
            return true;
        std::vector<CKivMp3sRow> rows;
        rows.reserve(m_pendingUpdates.size());
        for (const CKivMp3 *item : m_pendingUpdates)
            rows.push_back(item->Data().StoredRow());
        std::vector<const CKivMp3sRow *> pointers;
        pointers.reserve(rows.size());
        for (const CKivMp3sRow &row : rows)
            pointers.push_back(&row);
        const KivMp3sBulkUpdate::Outcome outcome = KivMp3sBulkUpdate::Run(m_db, pointers);
        if (outcome.result != KivMp3sBulkUpdate::Result::Done)
            return false;
        for (const size_t k : outcome.missing) {
            if (!m_pendingUpdates[k]->Save(m_rows))
                return false;
        }
        m_pendingUpdates.clear();
        return true;
    }

    // The folders of items [from, end) the catalog does not hold yet, with their ancestors, added
    // together where the database allows it; those it refuses are created one by one later.
    void addNewFolders(size_t from, size_t end)
    {
        QSet<QString> wanted;
        for (size_t k = from; k < end; ++k) {
            for (QString path = m_list.items()[k]->GetSubPath(); !path.isEmpty() && !wanted.contains(path);
                 path = CRsFolder::ParentSubPath(path))
                wanted.insert(path);
        }
        QStringList ordered(wanted.begin(), wanted.end());
        std::sort(ordered.begin(), ordered.end());  // a parent sorts before its children
        QStringList missing;
        for (const QString &path : std::as_const(ordered)) {
            if (m_folderIds.contains(path))
                continue;
            if (m_storedFolders.contains(path))
                folderIdOf(path);
            else
                missing.append(path);
        }
        if (missing.size() > 1)
            KivFoldersBulkCreate::Run(m_db, m_list.GetMediumName(), missing, m_folderIds);
    }

    qint32 folderIdOf(const QString &subPath)
    {
        if (subPath.isEmpty())
            return 0;
        const auto known = m_folderIds.constFind(subPath);
        if (known != m_folderIds.constEnd())
            return *known;
        qint32 id = -1;
        const auto stored = m_storedFolders.constFind(subPath);
        if (stored != m_storedFolders.constEnd() && stored->parentId == folderIdOf(CRsFolder::ParentSubPath(subPath)))
            id = stored->id;
        else
            id = m_folders.GetOrCreateFolder(m_list.GetMediumName(), subPath, false);
        if (id >= 0)
            m_folderIds.insert(subPath, id);
        return id;
    }

    // The rows and folders of a rolled-back transaction are gone: the items of [from, to) forget
    // the IDs they were given (a later row may get the same ID), and the folder IDs are read anew.
    void rollBack(size_t from, size_t to)
    {
        for (size_t k = from; k <= to && k < m_list.items().size(); ++k) {
            const CKivMp3::Ptr &item = m_list.items()[k];
            // Only items that were given an ID: the others must keep their readiness to take over
            // the stored rating of their row.
            if (item->GetID() != -1)
                item->AdoptStoredRow(-1, QDateTime(), 0);
        }
        m_folderIds.clear();
        m_storedFolders.clear();
    }

    CKivScanList &m_list;
    CKivDatabase &m_db;
    CRsMp3s m_rows;
    CRsFolder m_folders;
    QHash<QString, qint32> m_folderIds;

    struct StoredFolder
    {
        qint32 id;
        qint32 parentId;
    };
    QHash<QString, StoredFolder> m_storedFolders;

    struct KnownRow
    {
        qint32 id;
        QDateTime created;
        qint32 rating;
    };
    QHash<QString, KnownRow> m_known;
    std::vector<CKivMp3 *> m_pending;
    std::vector<CKivMp3 *> m_pendingUpdates;
    bool m_singly = false;
    KivCatalogFailure::Kind m_stop = KivCatalogFailure::Kind::None;
    QString m_stopText;
};

} // namespace

void KivScanStore::Run(CKivScanList &list)
{
    CKivScanBusyGuard busy(list);
    list.SetCurrentIndex(0);
    list.SetTotal(int(list.items().size()));
    list.SetCancel(0);
    list.SetCurrentFile(QString());
    list.SetStatusText(CKivScanList::StoringText());
    if (list.items().empty())
        return;

    CKivDatabase db(list.settings());
    if (!db.Connect(false)) {
        qCWarning(lcScan) << "The storing phase of the scan cannot connect to the catalog";
        for (size_t i = 0; i < list.items().size(); ++i)
            list.AddFailed();
        tellNoConnection();
        return;
    }
    KivCatalogFailure::Kind cause = KivCatalogFailure::Kind::None;
    {
        Storer storer(list, db);
        storer.run();
        cause = storer.stopCause();
        if (storer.stopped())
            qCWarning(lcScan).noquote() << "The scan stopped after storing" << list.GetStoredCount() << "of"
                                        << list.items().size() << "files:" << storer.stopText();
    }
    if (cause != KivCatalogFailure::Kind::None) {
        list.SetCatalogFailure(KivCatalogFailure::describe(cause));
        tellStopped(cause, list.GetStoredCount(), int(list.items().size()));
    } else if (list.GetFailedCount() > 0) {
        tellFailures(list.GetFailedCount());
    }
}
