#include "exchange/ImportRun.h"

#include "core/UserInterface.h"
#include "exchange/ExchangeTexts.h"
#include "mp3/item/Mp3Status.h"

namespace KivImportRun {

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
    for (const CKivMp3::Ptr &item : ready) {
        ++done;
        if (progress)
            progress(done, total, item->GetFilename());
        if (item->ExecuteImport(media, db)) {
            ++result.imported;
            result.copiedTo.push_back(item->FullPath());
            item->StatusCode(media);
        } else {
            ++result.failed;
        }
    }
    if (result.failed > 0)
        kivUi().showMessage(KivExchangeTexts::CopyFailures(result.failed), KivExchangeTexts::CopyFailuresCaption(),
                            KivIcon::Exclamation);
    return result;
}

} // namespace KivImportRun
