#pragma once

#include "exchange/ExchangeFile.h"
#include "mp3/item/Mp3Item.h"

#include <QString>

#include <optional>
#include <vector>

class CKivDatabase;
class CKivMedienListe;
class CKivMp3Liste;

// Reads import lists and export files against the catalog. Keys are looked up in batches. Records
// whose paths would leave the folder they are joined to are skipped and named to the user in one
// message; records without a catalog row are skipped silently.
namespace KivExchangeReader {

struct Entry
{
    KivExchangeFile::Record record;
    CKivMp3::Ptr item;  // null: no catalog row (or none the user has), or an unsafe record
    bool unsafe = false;
};

struct Loaded
{
    QString sender;
    std::vector<Entry> entries;
};

// The files an import list requests, each as the owner's catalog row with the requester's import
// number as list mark and the requester's destination. Nothing when the file cannot be read (the
// user has been told).
std::optional<Loaded> ReadImportList(CKivDatabase &db, const CKivMedienListe *media, const QString &path);

// The files an export file delivers, each as the requester's own row that waits for import, with
// the file in the volume (the export file's folder + the record's sub-path and file name).
std::optional<Loaded> ReadExportFile(CKivDatabase &db, const CKivMedienListe *media, const QString &path);

// Replace the list's items with what the file holds, counted, and announce the list. sender gets
// the header's text. False when the file could not be read (the list is then empty).
bool LoadImportList(CKivMp3Liste &list, const QString &path, QString *sender);
bool LoadExportFile(CKivMp3Liste &list, const QString &path, QString *sender);

} // namespace KivExchangeReader
