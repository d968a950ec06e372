#include "exchange/ExchangeWriter.h"

#include "catalog/Mp3RowReader.h"
#include "catalog/Mp3sQuery.h"
#include "catalog/RsBenutzer.h"
#include "catalog/SqlQuote.h"
#include "core/UserInterface.h"
#include "exchange/ExchangeTexts.h"
#include "exchange/KeyLookup.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "mp3/item/Mp3Row.h"
#include "mp3/item/Mp3Status.h"

namespace KivExchangeWriter {

QString SenderText(CKivDatabase &db, int userId)
{
    CRsBenutzer rs(db);
    if (!rs.OpenById(userId))
        return QString();
    const QString text = rs.m_Vorname + QStringLiteral(", ") + rs.m_Name + QStringLiteral(", ") + rs.m_Email;
    rs.Close();
    return text;
}

KivExchangeFile::Record ImportRecord(const CKivMp3 &item)
{
    const CKivMp3ImportData &i = item.ImportData();
    return {item.GetImportID(), i.m_SourceMedium, i.m_SourceSubPath, i.m_SourceFilename,
            i.m_DestMedium,     i.m_DestSubPath,  i.m_DestFilename};
}

std::vector<CKivMp3::Ptr> WaitingItems(CKivDatabase &db, const CKivMedienListe &media, const QString &text)
{
    QString filter = QStringLiteral("ImportID>0");
    if (!text.isEmpty())
        filter += QStringLiteral(" AND SearchIndex LIKE '%") + SqlQuote(text) + QStringLiteral("%'");
    std::vector<CKivMp3Data> rows;
    CKivMp3RowReader reader(db);
    reader.Read(CKivMp3sQuery{filter, QString()},
                [&](CKivMp3sRow &&row) { rows.push_back(KivMp3Row::Read(std::move(row))); });
    const QHash<qint32, CKivMp3ImportData> imports = KivKeyLookup::ImportsOf(db, rows);
    std::vector<CKivMp3::Ptr> items;
    items.reserve(rows.size());
    for (CKivMp3Data &row : rows) {
        CKivMedium *medium = media.FindMedium(row.m_Mediumname);
        if (medium && medium->IsUsersMedium()) {
            const CKivMp3ImportData import = imports.value(row.m_ImportID);
            items.push_back(CKivMp3::FromRow(medium, std::move(row), import));
        }
    }
    return items;
}

int SaveImportList(const QString &path, const std::vector<CKivMp3::Ptr> &selected, const CKivMedienListe *media,
                   const QString &sender, const Progress &progress)
{
    if (selected.empty()) {
        kivUi().showMessage(KivExchangeTexts::NothingToImport(), KivExchangeTexts::NothingCaption(),
                            KivIcon::Exclamation);
        return -1;
    }
    std::vector<const CKivMp3 *> waiting;
    for (const CKivMp3::Ptr &item : selected) {
        if (item && item->StatusCode(media) == KivMp3Status::ImportWaiting)
            waiting.push_back(item.get());
    }
    const int total = int(waiting.size());
    if (progress)
        progress(0, total);
    std::vector<KivExchangeFile::Record> records;
    records.reserve(waiting.size());
    for (const CKivMp3 *item : waiting) {
        records.push_back(ImportRecord(*item));
        if (progress)
            progress(int(records.size()), total);
    }
    if (!KivExchangeFile::Write(path, sender, records)) {
        kivUi().showMessage(KivExchangeTexts::FileError(), KivExchangeTexts::FileErrorCaption(), KivIcon::Stop);
        return -1;
    }
    return total;
}

} // namespace KivExchangeWriter
