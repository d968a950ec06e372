#include "exchange/ExchangeReader.h"

#include "browse/Mp3Liste.h"
#include "core/UserInterface.h"
#include "exchange/ExchangePaths.h"
#include "exchange/ExchangeTexts.h"
#include "exchange/KeyLookup.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "mp3/item/Mp3FileOps.h"

#include <QFileInfo>
#include <QHash>
#include <QStringList>

namespace KivExchangeReader {

namespace {

// How many skipped records the message names before it only counts the rest.
constexpr int kNamedUnsafe = 10;

bool isSafe(const KivExchangeFile::Record &r)
{
    using namespace KivExchangePaths;
    return IsSafeSubPath(r.sourceSubPath) && IsSafeFileName(r.sourceFilename) && IsSafeSubPath(r.destSubPath)
        && IsSafeFileName(r.destFilename);
}

void tellUnsafe(const std::vector<Entry> &entries)
{
    QStringList names;
    int more = 0;
    for (const Entry &e : entries) {
        if (!e.unsafe)
            continue;
        if (names.size() < kNamedUnsafe)
            names << CKivMp3Data::Key(e.record.sourceMedium, e.record.sourceSubPath, e.record.sourceFilename)
                         + QStringLiteral(" -> ")
                         + CKivMp3Data::Key(e.record.destMedium, e.record.destSubPath, e.record.destFilename);
        else
            ++more;
    }
    if (names.isEmpty())
        return;
    if (more > 0)
        names << QStringLiteral("... und ") + QString::number(more) + QStringLiteral(" weitere");
    kivUi().showMessage(KivExchangeTexts::UnsafeRecords(names.join(QLatin1Char('\n'))),
                        KivExchangeTexts::UnsafeRecordsCaption(), KivIcon::Exclamation);
}

// The medium of a row as the user's lists place it: one he has, else none.
CKivMedium *usersMedium(const CKivMedienListe *media, const QString &name)
{
    CKivMedium *medium = media ? media->FindMedium(name) : nullptr;
    return medium && medium->IsUsersMedium() ? medium : nullptr;
}

using KeyOf = QString (*)(const KivExchangeFile::Record &);
using MakeItem = CKivMp3::Ptr (*)(CKivMedium *, CKivMp3Data, CKivMp3ImportData, const KivExchangeFile::Record &,
                                  const QString &folder);

std::optional<Loaded> read(CKivDatabase &db, const CKivMedienListe *media, const QString &path, KeyOf keyOf,
                           MakeItem make, bool pendingOnly)
{
    std::optional<KivExchangeFile::Contents> contents = KivExchangeFile::Read(path);
    if (!contents) {
        kivUi().showMessage(KivExchangeTexts::FileError(), KivExchangeTexts::FileErrorCaption(), KivIcon::Stop);
        return std::nullopt;
    }
    Loaded loaded;
    loaded.sender = contents->sender;
    loaded.entries.reserve(contents->records.size());
    QStringList keys;
    for (KivExchangeFile::Record &record : contents->records) {
        Entry entry;
        entry.unsafe = !isSafe(record);
        if (!entry.unsafe)
            keys << keyOf(record);
        entry.record = std::move(record);
        loaded.entries.push_back(std::move(entry));
    }
    QHash<QString, CKivMp3Data> rows;
    KivKeyLookup::Rows(db, keys, rows);
    const QHash<qint32, CKivMp3ImportData> imports = KivKeyLookup::ImportsOf(db, rows);
    const QString folder = QFileInfo(path).absolutePath();
    for (Entry &entry : loaded.entries) {
        if (entry.unsafe)
            continue;
        const auto row = rows.constFind(keyOf(entry.record));
        if (row == rows.constEnd() || (pendingOnly && row->m_ImportID == 0))
            continue;
        if (CKivMedium *medium = usersMedium(media, row->m_Mediumname))
            entry.item = make(medium, *row, imports.value(row->m_ImportID), entry.record, folder);
    }
    tellUnsafe(loaded.entries);
    return loaded;
}

QString sourceKey(const KivExchangeFile::Record &r)
{
    return CKivMp3Data::Key(r.sourceMedium, r.sourceSubPath, r.sourceFilename);
}

QString destKey(const KivExchangeFile::Record &r)
{
    return CKivMp3Data::Key(r.destMedium, r.destSubPath, r.destFilename);
}

CKivMp3::Ptr requested(CKivMedium *medium, CKivMp3Data data, CKivMp3ImportData import,
                       const KivExchangeFile::Record &r, const QString &)
{
    return CKivMp3::FromRequestedRow(medium, std::move(data), std::move(import), r.importId, r.destMedium, r.destSubPath,
                                     r.destFilename);
}

CKivMp3::Ptr delivered(CKivMedium *medium, CKivMp3Data data, CKivMp3ImportData import,
                       const KivExchangeFile::Record &r, const QString &folder)
{
    const QString volumeFile = KivMp3FileOps::Join(
        KivMp3FileOps::Join(folder, KivMp3FileOps::LocalPath(r.sourceSubPath)), r.sourceFilename);
    return CKivMp3::FromExportedRow(medium, std::move(data), std::move(import), r.importId, volumeFile);
}

bool load(CKivMp3Liste &list, const std::optional<Loaded> &loaded, QString *sender)
{
    if (sender)
        *sender = loaded ? loaded->sender : QString();
    if (loaded) {
        for (const Entry &entry : loaded->entries) {
            if (entry.item)
                list.AppendCounted(entry.item);
        }
    }
    list.AnnounceReplaced();
    return loaded.has_value();
}

} // namespace

std::optional<Loaded> ReadImportList(CKivDatabase &db, const CKivMedienListe *media, const QString &path)
{
    return read(db, media, path, sourceKey, requested, false);
}

std::optional<Loaded> ReadExportFile(CKivDatabase &db, const CKivMedienListe *media, const QString &path)
{
    return read(db, media, path, destKey, delivered, true);
}

bool LoadImportList(CKivMp3Liste &list, const QString &path, QString *sender)
{
    list.Reset();
    return load(list, ReadImportList(list.Database(), list.GetMedia(), path), sender);
}

bool LoadExportFile(CKivMp3Liste &list, const QString &path, QString *sender)
{
    list.Reset();
    return load(list, ReadExportFile(list.Database(), list.GetMedia(), path), sender);
}

} // namespace KivExchangeReader
