#pragma once

#include <QString>

class CKivDatabase;
class CKivMedienListe;
class CKivScanList;

// What the media catalog and its dialogs need of the logged-in session: the catalog connection, the
// user's media set, reading it anew after media were deleted, and the archive import whose items are
// stored on a worker while a dialog polls it. The document provides it.
class IKivMediaHost
{
public:
    virtual ~IKivMediaHost() = default;

    virtual CKivDatabase &GetDatabase() const = 0;
    // Null while nobody is logged in.
    virtual CKivMedienListe *GetMedia() const = 0;
    virtual void ReloadMedia() = 0;

    // Creates the archive's medium and starts storing its items; false when refused.
    virtual bool StartArchiveImport(const QString &path) = 0;
    // True while the items are still being stored.
    virtual bool PollArchiveImport() = 0;
    virtual void CancelArchiveImport() = 0;
    virtual CKivScanList *GetArchiveImportList() const = 0;
};
