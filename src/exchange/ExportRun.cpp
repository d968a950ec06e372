#include "exchange/ExportRun.h"

#include "core/UserInterface.h"
#include "exchange/ExchangeFile.h"
#include "exchange/ExchangePaths.h"
#include "exchange/ExchangeTexts.h"
#include "mp3/item/Mp3FileOps.h"
#include "mp3/item/Mp3Status.h"

CKivExportRun::CKivExportRun(QString volumePath, qint64 volumeSizeMb, QString exportFileName, QString sender)
    : m_volumePath(std::move(volumePath))
    , m_volumeBytes(VolumeBytes(volumeSizeMb))
    , m_exportFileName(std::move(exportFileName))
    , m_sender(std::move(sender))
    , m_copier([](CKivMp3 &item, const QString &folder) { return item.CopyToExportVolume(folder); })
{
}

bool CKivExportRun::writeExportFile(const QString &folder, const std::vector<Exported> &files) const
{
    std::vector<KivExchangeFile::Record> records;
    records.reserve(files.size());
    for (const Exported &e : files) {
        const CKivMp3 &item = *e.item;
        const CKivMp3ImportData &dest = item.ImportData();
        records.push_back({item.GetListMark(), item.GetMediumname(), item.GetSubPath(), e.usedName,
                           dest.m_DestMedium, dest.m_DestSubPath, dest.m_DestFilename});
    }
    // The folder comes first, so a volume without any copied file still gets its export file.
    const bool ok = KivMp3FileOps::MakeFolders(folder)
                 && KivExchangeFile::Write(KivMp3FileOps::Join(folder, m_exportFileName), m_sender, records);
    if (!ok)
        kivUi().showMessage(KivExchangeTexts::FileError(), KivExchangeTexts::FileErrorCaption(), KivIcon::Stop);
    return ok;
}

CKivExportRun::Result CKivExportRun::Run(const std::vector<CKivMp3::Ptr> &selected, const CKivMedienListe *media,
                                         const Progress &progress)
{
    Result result;
    if (selected.empty()) {
        kivUi().showMessage(KivExchangeTexts::NothingToExport(), KivExchangeTexts::NothingCaption(),
                            KivIcon::Exclamation);
        return result;
    }
    result.ran = true;
    std::vector<CKivMp3::Ptr> requested;
    for (const CKivMp3::Ptr &item : selected) {
        if (item && item->StatusCode(media) == KivMp3Status::RequestedOnline)
            requested.push_back(item);
    }
    const int total = int(requested.size());

    Volume volume{KivExchangePaths::VolumeFolder(m_volumePath, 0)};
    std::vector<Exported> files;
    const auto closeVolume = [&] {
        volume.written = writeExportFile(volume.folder, files);
        result.volumes.push_back(volume);
    };
    int done = 0;
    for (const CKivMp3::Ptr &item : requested) {
        ++done;
        if (progress)
            progress(done, total, item->GetFilename());
        const qint64 size = item->GetFileSize();
        if (m_volumeBytes != 0 && volume.bytes + size > m_volumeBytes) {
            closeVolume();
            files.clear();
            volume = Volume{KivExchangePaths::VolumeFolder(m_volumePath, int(result.volumes.size()))};
        }
        const std::optional<QString> used = m_copier(*item, volume.folder);
        if (!used) {
            ++result.failed;
            continue;
        }
        files.push_back({item, *used});
        ++volume.files;
        volume.bytes += size;
        ++result.exported;
    }
    closeVolume();
    if (result.failed > 0)
        kivUi().showMessage(KivExchangeTexts::CopyFailures(result.failed), KivExchangeTexts::CopyFailuresCaption(),
                            KivIcon::Exclamation);
    return result;
}
