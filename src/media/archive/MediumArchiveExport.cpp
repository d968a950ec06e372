#include "media/archive/MediumArchiveExport.h"

#include "core/UserInterface.h"
#include "catalog/Database.h"
#include "catalog/Mp3RowReader.h"
#include "catalog/SqlQuote.h"
#include "media/Medium.h"
#include "media/archive/MediumArchiveHeader.h"
#include "mp3/item/Mp3ArchiveRecord.h"
#include "mp3/item/Mp3Row.h"

#include <QSaveFile>
#include <QSqlQuery>
#include <QVariant>

namespace {

// Rows are read by ranges of IDs: the drivers hold a whole result in memory, and a few thousand
// rows at a time keep that small, where a whole medium at once costs more in memory handling than
// in reading.
constexpr qint64 IdsPerRead = 8192;

// The lowest and highest ID of the medium's catalogued files; false when the catalog could not be
// read. No rows give an empty range (first > last).
bool idRange(CKivDatabase &db, const QString &condition, qint64 &first, qint64 &last)
{
    QSqlQuery query(db.connection());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT MIN(ID), MAX(ID) FROM Mp3s WHERE ") + db.dialect().filterText(condition))
        || !query.next())
        return false;
    first = query.value(0).isNull() ? 1 : query.value(0).toLongLong();
    last = query.value(1).isNull() ? 0 : query.value(1).toLongLong();
    return true;
}

// The records of the medium's catalogued files, in the order of their IDs; false when the catalog
// could not be read.
bool collectRecords(CKivDatabase &db, const CKivMedium &medium, QByteArray &records, int &count)
{
    count = 0;
    const QString condition = QStringLiteral("Mediumname='") + SqlQuote(medium.GetName())
                            + QStringLiteral("' AND (ImportID=0 OR ImportID IS NULL)");
    qint64 first = 0;
    qint64 last = 0;
    if (!idRange(db, condition, first, last))
        return false;
    // Within a range the rows are found by their IDs: the same condition, written so that no
    // index on the medium name or import number is taken for it, which would go through all of
    // the medium's rows again for every range.
    const QString rowCondition = QStringLiteral("Mediumname || '' = '") + SqlQuote(medium.GetName())
                               + QStringLiteral("' AND COALESCE(ImportID, 0) = 0");
    CKivMp3RowReader reader(db);
    reader.SetColumns(KivMp3ArchiveRecord::ColumnNames());
    for (qint64 from = first; from <= last; from += IdsPerRead) {
        CKivMp3sQuery query;
        query.filter = QStringLiteral("ID BETWEEN %1 AND %2 AND ").arg(from).arg(from + IdsPerRead - 1) + rowCondition;
        query.sort = QStringLiteral("ID");
        const bool read = reader.Read(query, [&](CKivMp3sRow &&row) {
            const qsizetype at = records.size();
            if (records.capacity() < at + KivMp3ArchiveRecord::kSize)
                records.reserve(qMax<qsizetype>(2 * records.capacity(), at + IdsPerRead * KivMp3ArchiveRecord::kSize));
            records.resize(at + KivMp3ArchiveRecord::kSize);
            KivMp3ArchiveRecord::FillInto(records.data() + at, KivMp3Row::Read(std::move(row)));
            ++count;
        });
        if (!read)
            return false;
    }
    return true;
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
