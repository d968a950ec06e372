#include "folders/FolderTests.h"
#include "support/CatalogFixture.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (!CatalogFixture::isolateOdbcIni())
        return 1;
    int status = 0;
    status |= runEntryTest(argc, argv);
    status |= runOpsTest(argc, argv);
    status |= runModelTest(argc, argv);
    return status;
}
