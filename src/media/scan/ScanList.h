#pragma once

#include "mp3/item/Mp3Item.h"

#include <QMutex>
#include <QString>

#include <atomic>
#include <memory>
#include <vector>

class CKivMedium;
class CKivSettings;

// The shared state of one medium scan: what the starter asked for, the progress the two workers
// report and the user interface polls every 100 ms, and the results. The counters and flags are
// atomic and the two texts are copied under a lock, so either side may read them at any time. The
// found files and the items belong to the phase that is running; others read them only after the
// scan ended.
//
// The scan works on its own copy of the medium, made by the starter on the user-interface thread, so
// that no worker ever reads an object the user interface may change meanwhile. The items built by the
// scan refer to that copy, which the list shares with whoever keeps the items.
class CKivScanList
{
public:
    struct FoundFile
    {
        QString subPath;  // catalog form: "Rock\Live\", empty for the medium's root
        QString fileName;
    };

    static QString FindingText() { return QStringLiteral("Mp3 Dateien werden gesucht."); }
    static QString ReadingText()
    {
        return QStringLiteral("Tag Informationen der gefundenen Dateien werden ausgelesen.");
    }
    static QString StoringText() { return QStringLiteral("Mp3 Dateien werden in die Datenbank geschrieben."); }

    // medium is the scan's own copy of the medium to scan, or null when the user has no medium of
    // that name. subPath is the folder below the medium's root in catalog form ("Rock\Live\", or
    // empty for the whole medium). settings names the catalog the storing phase connects to.
    CKivScanList(CKivSettings &settings, const QString &mediumName, const QString &subPath, bool quick,
                 std::shared_ptr<CKivMedium> medium);
    ~CKivScanList();
    CKivScanList(const CKivScanList &) = delete;
    CKivScanList &operator=(const CKivScanList &) = delete;

    // --- what the starter set (never changed afterwards)
    QString GetMediumName() const { return m_mediumName; }
    QString GetPath() const { return m_path; }
    bool IsQuickImport() const { return m_quick; }
    CKivSettings &settings() const { return m_settings; }
    const std::shared_ptr<CKivMedium> &medium() const { return m_medium; }

    // --- hand-shake
    // 1 while a phase runs: set by the starter before a worker starts, cleared by the worker.
    int GetBusy() const { return m_busy.load(); }
    void SetBusy(int busy) { m_busy.store(busy); }
    // 1 = stop at the next file.
    int GetCancel() const { return m_cancel.load(); }
    void SetCancel(int cancel) { m_cancel.store(cancel); }
    // "Abbruch": asks a running phase to stop.
    void Cancel();
    bool IsCancelled() const { return m_cancel.load() == 1; }

    // --- progress
    int GetCurrentIndex() const { return m_currentIndex.load(); }
    void SetCurrentIndex(int index) { m_currentIndex.store(index); }
    int GetTotal() const { return m_total.load(); }
    void SetTotal(int total) { m_total.store(total); }
    QString GetCurrentFile() const;
    void SetCurrentFile(const QString &file);
    QString GetStatusText() const;
    void SetStatusText(const QString &text);

    // --- results
    // Files found by the search, in the order found; the count may be read at any time.
    std::vector<FoundFile> &foundFiles() { return m_found; }
    void AddFoundFile(FoundFile file);
    int GetFoundCount() const { return m_foundCount.load(); }
    // The items built by the first phase, stored by the second.
    std::vector<CKivMp3::Ptr> &items() { return m_items; }
    const std::vector<CKivMp3::Ptr> &items() const { return m_items; }
    // Items the second phase stored, and those it could not store.
    int GetStoredCount() const { return m_stored.load(); }
    void AddStored() { m_stored.fetch_add(1); }
    int GetFailedCount() const { return m_failed.load(); }
    void AddFailed() { m_failed.fetch_add(1); }
    // Why the catalog stopped the storing phase (a full disk, a lost connection): the cause for the
    // user, empty while nothing stopped it. Read after the phase ended.
    QString GetCatalogFailure() const;
    void SetCatalogFailure(const QString &cause);

private:
    CKivSettings &m_settings;
    const QString m_mediumName;
    const QString m_path;
    const bool m_quick;
    const std::shared_ptr<CKivMedium> m_medium;

    std::atomic<int> m_busy{0};
    std::atomic<int> m_cancel{0};
    std::atomic<int> m_currentIndex{0};
    std::atomic<int> m_total{0};
    std::atomic<int> m_foundCount{0};
    std::atomic<int> m_stored{0};
    std::atomic<int> m_failed{0};

    mutable QMutex m_textMutex;
    QString m_currentFile;
    QString m_statusText;
    QString m_catalogFailure;

    std::vector<FoundFile> m_found;
    std::vector<CKivMp3::Ptr> m_items;
};
