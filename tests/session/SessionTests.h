#pragma once

#include "catalog/PasswordHash.h"
#include "support/CatalogFixture.h"

// Set-up of the session tests: a private odbc.ini, and the least hashing cost, which keeps the suite
// fast (verifying uses whatever cost a hash carries).
inline bool sessionSetUp()
{
    KivPassword::SetCost(KivPassword::Cost::Minimal);
    return CatalogFixture::isolateOdbcIni();
}
