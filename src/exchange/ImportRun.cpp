#include "exchange/ImportRun.h"

#include "catalog/Database.h"
#include "core/UserInterface.h"
#include "exchange/ExchangeTexts.h"
#include "mp3/item/Mp3Status.h"

#include <QFile>

namespace KivImportRun {

namespace {

// One file of a chunk whose copy is made and whose row is still to be written.
struct Copied
{
    CKivMp3::Ptr item;
    QString copy;
};

// Writes the rows of a chunk's copied files in one transaction: one commit (one disk flush on
// SQLite) for the chunk instead of several per file, which with fresh copies waiting in the page
// cache would each wait for them to reach the disk. When the catalog refuses any of the rows or the
// commit, the transaction is rolled back, the items take back what they were, and the rows are
// written one by one, so each refused file is undone alone.
bool recordTogether(const std::vector<Copied> &chunk, CKivDatabase &db)
{
    if (chunk.size() < 2 || !db.BeginTransaction())
        return false;
    const quint64 errorsBefore = db.ErrorCount();
    std::vector<CKivMp3> before;
    before.reserve(chunk.size());
    bool ok = true;
    for (const Copied &c : chunk) {
        before.push_back(*c.item);
        if (!c.item->RecordImport(c.copy, db) || db.ErrorCount() != errorsBefore) {
            ok = false;
            break;
        }
    }
    if (ok && db.Commit())
        return true;
    db.Rollback();
    for (std::size_t i = 0; i < before.size(); ++i)
        *chunk[i].item = before[i];
    return false;
}

void finishChunk(std::vector<Copied> &chunk, CKivDatabase &db, const CKivMedienListe *media, Result &result)
{
    const bool together = recordTogether(chunk, db);
    for (const Copied &c : chunk) {
        if (together || c.item->RecordImport(c.copy, db)) {
            ++result.imported;
            result.copiedTo.push_back(c.item->FullPath());
            c.item->StatusCode(media);
        } else {
            // The row still waits for the import: take the copy back so it can be done again.
            QFile::remove(c.copy);
            ++result.failed;
        }
    }
    chunk.clear();
}

} // namespace

Result Run(const std::vector<CKivMp3::Ptr> &selected, const CKivMedienListe *media, CKivDatabase &db,
           const Progress &progress)
{
    Result result;
    if (selected.empty()) {
        kivUi().showMessage(KivExchangeTexts::NothingToImport(), KivExchangeTexts::NothingCaption(),
                            KivIcon::Exclamation);
        return result;
    }
    result.ran = true;
    std::vector<CKivMp3::Ptr> ready;
    for (const CKivMp3::Ptr &item : selected) {
        if (item && item->StatusCode(media) == KivMp3Status::ImportReady)
            ready.push_back(item);
    }
    const int total = int(ready.size());
    int done = 0;
    std::vector<Copied> chunk;
    for (const CKivMp3::Ptr &item : ready) {
        ++done;
        if (progress)
            progress(done, total, item->GetFilename());
        if (const std::optional<QString> copy = item->CopyImportFile(media))
            chunk.push_back({item, *copy});
        else
            ++result.failed;
        if (int(chunk.size()) >= ChunkFiles)
            finishChunk(chunk, db, media, result);
    }
    finishChunk(chunk, db, media, result);
    if (result.failed > 0)
        kivUi().showMessage(KivExchangeTexts::CopyFailures(result.failed), KivExchangeTexts::CopyFailuresCaption(),
                            KivIcon::Exclamation);
    return result;
}

} // namespace KivImportRun
