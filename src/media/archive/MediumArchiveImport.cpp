#include "media/archive/MediumArchiveImport.h"

#include "core/UserInterface.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "media/MediumRoot.h"
#include "media/archive/MediumArchiveHeader.h"
#include "media/scan/ScanDriver.h"
#include "media/scan/ScanList.h"
#include "media/scan/ScanMedium.h"
#include "mp3/item/Mp3ArchiveRecord.h"

#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <algorithm>

namespace {

void tellFileError()
{
    kivUi().showMessage(QStringLiteral("Beim Öffnen oder Speichern der Datei ist ein Fehler aufgetreten !"),
                        QStringLiteral("Warnung"), KivIcon::Stop);
}

void tellNameTaken(const QString &name)
{
    kivUi().showMessage(QStringLiteral("Das Medium Archive: ") + name
                            + QStringLiteral(" kann nicht geöffnet werden, da bereits ein Medium mit diesem Namen exsistiert !"),
                        QStringLiteral("Warnung ! ") + name + QStringLiteral(" ist bereits vorhanden."),
                        KivIcon::Exclamation);
}

// The medium the header describes, stored; null (user told) when it cannot be.
std::unique_ptr<CKivMedium> createMedium(CKivDatabase &db, const CKivMedienListe &media,
                                         const CKivMediumArchiveHeader &header)
{
    std::unique_ptr<CKivMedium> medium = header.isCd ? CKivMedium::NewCd(media.GetUserID(), media.GetCdDrive())
                                                     : CKivMedium::NewDisk(media.GetUserID());
    if (!medium->SetName(header.name))
        return nullptr;
    if (header.isCd) {
        // Recognised by its size only: the archive cannot tell whether the disc has a header.
        medium->SetHasHeaderFile(false);
        medium->SetHasVolumeSize(header.hasVolumeSize);
        medium->SetVolumeSize(header.volumeSize);
        if (!medium->SaveCd(db))
            return nullptr;
        return medium;
    }
    medium->SetDrive(header.drive);
    medium->SetPath(header.path);
    medium->SetDriveType(header.driveType);
    if (!medium->Save(db, false))
        return nullptr;
    medium->CheckOnline();
    return medium;
}

} // namespace

QString KivMediumArchiveImport::DialogFilter()
{
    return QStringLiteral("Kiv Medium Archive (*.mar)");
}

bool KivMediumArchiveImport::IsArchivePath(const QString &path)
{
    return QFileInfo(path).suffix() == QLatin1String("mar");
}

KivMediumArchiveImport::Prepared KivMediumArchiveImport::Prepare(CKivDatabase &db, CKivSettings &settings,
                                                                  CKivMedienListe &media, const QString &path)
{
    Prepared prepared;
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        tellFileError();
        return prepared;
    }
    const std::optional<CKivMediumArchiveHeader> header = CKivMediumArchiveHeader::Read(
        file.read(CKivMediumArchiveHeader::Size));
    if (!header) {
        tellFileError();
        return prepared;
    }
    // The media set holds every medium of the catalog, so a name of another user is refused too:
    // the catalog keeps medium names unique.
    if (media.FindMedium(header->name) || CKivMedienListe::NameExists(db, header->name)) {
        tellNameTaken(header->name);
        return prepared;
    }
    if (CKivScanDriver::IsAnyRunning()) {
        kivUi().showMessage(QStringLiteral("Sie können keine weitere Suche nach Mp3 Dateien\nstarten, während schon "
                                           "eine Suchanforderung in Arbeit ist !"),
                            QStringLiteral("Hinweis"), KivIcon::Exclamation);
        return prepared;
    }
    std::unique_ptr<CKivMedium> created = createMedium(db, media, *header);
    if (!created)
        return prepared;
    CKivMedium *medium = media.Add(std::move(created));

    // The workers use their own copy of the medium; the items are placed on it.
    std::shared_ptr<CKivMedium> copy = KivScanMedium::Copy(db, *medium);
    auto list = std::make_shared<CKivScanList>(settings, medium->GetName(), QString(), false, copy);
    // Records are read while the file has bytes left; the header's count is not trusted, and a
    // record cut off at the end is not imported.
    const qint64 length = file.size();
    std::vector<CKivMp3::Ptr> &items = list->items();
    items.reserve(size_t(std::max<qint64>(0, (length - CKivMediumArchiveHeader::Size) / KivMp3ArchiveRecord::kSize)));
    while (file.pos() < length) {
        const QByteArray record = file.read(KivMp3ArchiveRecord::kSize);
        if (record.isEmpty())
            break;
        if (CKivMp3::Ptr item = CKivMp3::FromArchiveRecord(copy.get(), record))
            items.push_back(std::move(item));
    }
    prepared.list = std::move(list);
    prepared.medium = medium;
    return prepared;
}

int KivMediumArchiveImport::StoreAndWait(const Prepared &prepared)
{
    if (!prepared.list)
        return -1;
    CKivScanDriver driver(prepared.list);
    if (!driver.StartStoring())
        return -1;
    while (driver.Poll() != CKivScanDriver::State::Finished)
        QThread::msleep(10);
    return prepared.list->GetStoredCount();
}
