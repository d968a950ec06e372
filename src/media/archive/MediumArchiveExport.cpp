#include "media/archive/MediumArchiveExport.h"

#include "core/UserInterface.h"
#include "catalog/Mp3RowReader.h"
#include "catalog/SqlQuote.h"
#include "media/Medium.h"
#include "media/archive/MediumArchiveHeader.h"
#include "mp3/item/Mp3ArchiveRecord.h"
#include "mp3/item/Mp3Row.h"

#include <QSaveFile>

namespace {

// The records of the medium's catalogued files; false when the catalog could not be read.
bool collectRecords(CKivDatabase &db, const CKivMedium &medium, QByteArray &records, int &count)
{
    CKivMp3sQuery query;
    query.filter = QStringLiteral("Mediumname='") + SqlQuote(medium.GetName())
                 + QStringLiteral("' AND (ImportID=0 OR ImportID IS NULL)");
    query.sort = QStringLiteral("ID");
    CKivMp3RowReader reader(db);
    count = 0;
    return reader.Read(query, [&](CKivMp3sRow &&row) {
        records += KivMp3ArchiveRecord::Fill(KivMp3Row::Read(std::move(row)));
        ++count;
    });
}

} // namespace

QString KivMediumArchiveExport::ProposedName()
{
    return QStringLiteral("Neues Medium Archive");
}

QString KivMediumArchiveExport::DefaultExtension()
{
    return QStringLiteral("mar");
}

QString KivMediumArchiveExport::DialogFilter()
{
    return QStringLiteral("Kiv Medium Archive (*.mar)");
}

bool KivMediumArchiveExport::Export(CKivDatabase &db, const CKivMedium &medium, const PathChooser &choosePath)
{
    QByteArray records;
    int count = 0;
    if (!collectRecords(db, medium, records, count))
        count = 0;
    if (count == 0) {
        kivUi().showMessage(QStringLiteral("Medium kann nicht Archiviert werden, da es keine Mp3 Dateien besitzt."),
                            QStringLiteral("Hinweis !"), KivIcon::Information);
        return false;
    }
    const QString path = choosePath ? choosePath() : QString();
    if (path.isEmpty())
        return false;

    CKivMediumArchiveHeader header;
    header.name = medium.GetName();
    header.drive = medium.GetDrive();
    header.path = medium.GetPath();
    header.volumeSize = medium.IsCd() ? medium.GetVolumeSize() : QString();
    header.count = count;
    header.driveType = medium.GetDriveType();
    header.hasVolumeSize = medium.HasVolumeSize();
    header.isCd = medium.IsCd();

    // Written beside and renamed into place: a failing write never leaves half an archive over an
    // existing file.
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(header.Block()) == CKivMediumArchiveHeader::Size
                      && file.write(records) == records.size() && file.commit();
    if (!written) {
        kivUi().showMessage(QStringLiteral("Beim öffnen der Datei ist ein Fehler aufgetreten !"),
                            QStringLiteral("Warnung !"), KivIcon::Exclamation);
        return false;
    }
    return true;
}
