#include "catalog/CatalogTests.h"
#include "support/CatalogFixture.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (!CatalogFixture::isolateOdbcIni())
        return 1;
    int status = 0;
    status |= runDialectTest(argc, argv);
    status |= runDatabaseTest(argc, argv);
    status |= runRecordsetTest(argc, argv);
    status |= runFolderTest(argc, argv);
    status |= runMp3sTest(argc, argv);
    status |= runConcurrencyTest(argc, argv);
    return status;
}
