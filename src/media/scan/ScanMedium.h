#pragma once

#include <memory>

class CKivDatabase;
class CKivMedium;

// The scan's own copy of a medium: read from the catalog again as the medium's user sees it, with
// the state the medium has now. Made on the user-interface thread before a scan starts, so the
// workers read an object nobody else changes.
namespace KivScanMedium {

// Null when the medium is not stored or its catalog row cannot be read.
std::shared_ptr<CKivMedium> Copy(CKivDatabase &db, const CKivMedium &medium);

} // namespace KivScanMedium
