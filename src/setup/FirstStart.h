#pragma once

#include <QString>

class CKivSettings;

// The first start of a user who installed Melvora as a system package: there is no catalog for him
// yet, so the program offers to create the default SQLite catalog and him as its first user with the
// steps of the unattended installation, in his own installation folder.
namespace KivFirstStart {

// Whether the user has no catalog: his profile names no data source and none is registered under
// the default name.
bool NeedsCatalog(const CKivSettings &settings);

// Asks the user and, when he agrees, creates the catalog, its data source, him as first user (no
// password) and the hand-over record in installFolder, taking the helper files from sourceFolder.
// The installation folder when everything was created, else empty (declined or failed, told).
QString OfferDefaultCatalog(const QString &sourceFolder, const QString &installFolder);

// Where a packaged program keeps the files that go beside it: "../lib/melvora/" next to the
// program's folder when that exists, else the program's own folder.
QString PackageSourceFolder(const QString &programFolder);

} // namespace KivFirstStart
