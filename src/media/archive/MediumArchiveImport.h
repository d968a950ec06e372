#pragma once

#include <QString>

#include <memory>

class CKivDatabase;
class CKivMedienListe;
class CKivMedium;
class CKivScanList;
class CKivSettings;

// Brings a medium archive into the catalog: reads the header, creates the medium for the logged-in
// user (a CD medium for the archive of a CD) and builds one item per complete record on a scan list,
// whose second phase then stores them on a worker (CKivScanDriver::StartStoring).
namespace KivMediumArchiveImport {

struct Prepared
{
    std::shared_ptr<CKivScanList> list;  // null when the import was refused
    CKivMedium *medium = nullptr;        // the new medium, in the media set
};

// What the open-file dialog of the media catalog offers, and whether a chosen path is an archive.
QString DialogFilter();
bool IsArchivePath(const QString &path);

// Everything up to the storing: the user is told why when nothing is prepared. A medium whose name
// the catalog holds already is refused and nothing is created.
Prepared Prepare(CKivDatabase &db, CKivSettings &settings, CKivMedienListe &media, const QString &path);

// Stores the prepared items on a worker and waits for it (for callers without an event loop to
// poll from); the number of items stored, -1 when the storing could not start.
int StoreAndWait(const Prepared &prepared);

} // namespace KivMediumArchiveImport
