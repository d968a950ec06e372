#include "app/session/PasswordHash.h"
#include "setup/SetupTests.h"
#include "support/CatalogFixture.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // Setup registers data sources: only ever in a private copy of the test odbc.ini.
    if (!CatalogFixture::isolateOdbcIni())
        return 1;
    KivPassword::SetCost(KivPassword::Cost::Minimal);
    int status = 0;
    status |= runChecksTest(argc, argv);
    status |= runFileStepsTest(argc, argv);
    status |= runInstallationTest(argc, argv);
    return status;
}
