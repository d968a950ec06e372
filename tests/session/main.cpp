#include "app/session/PasswordHash.h"
#include "session/SessionTests.h"
#include "support/CatalogFixture.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (!CatalogFixture::isolateOdbcIni())
        return 1;
    // The least hashing cost keeps the suite fast; verifying uses whatever cost a hash carries.
    KivPassword::SetCost(KivPassword::Cost::Minimal);
    int status = 0;
    status |= runPasswordTest(argc, argv);
    status |= runLoginTest(argc, argv);
    status |= runUserAdminTest(argc, argv);
    status |= runConnectionTest(argc, argv);
    return status;
}
