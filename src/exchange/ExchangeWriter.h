#pragma once

#include "exchange/ExchangeFile.h"
#include "mp3/item/Mp3Item.h"

#include <QString>

#include <functional>
#include <vector>

class CKivDatabase;
class CKivMedienListe;

// Writes import lists: the requester's pending imports whose source is not reachable (status 5),
// for the friend who owns the source medium.
namespace KivExchangeWriter {

// "Vorname, Name, Email" of the user's Benutzer row; empty when there is no such row.
QString SenderText(CKivDatabase &db, int userId);

// The record of a pending import: its import number, where the file lies on the friend's medium and
// where it is to go.
KivExchangeFile::Record ImportRecord(const CKivMp3 &item);

// Every row of the user's media that waits for import, or those whose search index contains text,
// with their Import rows read in batches.
std::vector<CKivMp3::Ptr> WaitingItems(CKivDatabase &db, const CKivMedienListe &media, const QString &text = {});

// Step of a run: items done so far of total.
using Progress = std::function<void(int done, int total)>;

// Writes the items of status 5, in order, into the import list at path; others are passed over.
// Nothing selected is refused with a warning and no file is made. Returns the number of records
// written, or -1 when nothing or no file was written (the user has been told).
int SaveImportList(const QString &path, const std::vector<CKivMp3::Ptr> &selected, const CKivMedienListe *media,
                   const QString &sender, const Progress &progress = {});

} // namespace KivExchangeWriter
