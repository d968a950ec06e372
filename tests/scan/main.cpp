#include "scan/ScanTests.h"
#include "support/CatalogFixture.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (!CatalogFixture::isolateOdbcIni())
        return 1;
    int status = 0;
    status |= runScanWalkTest(argc, argv);
    status |= runScanTreeTest(argc, argv);
    status |= runScanDriverTest(argc, argv);
    status |= runScanCliTest(argc, argv);
    return status;
}
