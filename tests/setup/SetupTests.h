#pragma once

#include "catalog/PasswordHash.h"
#include "support/CatalogFixture.h"

// Set-up of the setup tests: setup registers data sources, so only ever in a private copy of the test
// odbc.ini; and the least hashing cost for the first user.
inline bool setupSetUp()
{
    KivPassword::SetCost(KivPassword::Cost::Minimal);
    return CatalogFixture::isolateOdbcIni();
}
