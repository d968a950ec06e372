#pragma once

class CKivDatabase;

// At login: a catalog that lacks indexes of this version (made by an earlier one) works, only
// slower; the user is offered to add them now.
namespace KivCatalogUpgradeOffer {

// Asks when indexes are missing and adds them on Yes. True when the catalog has them all afterwards.
bool Run(CKivDatabase &db);

} // namespace KivCatalogUpgradeOffer
