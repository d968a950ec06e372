#include "mp3item/ItemTests.h"
#include "support/CatalogFixture.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (!CatalogFixture::isolateOdbcIni())
        return 1;
    int status = 0;
    status |= runItemFileTest(argc, argv);
    status |= runItemSaveTest(argc, argv);
    status |= runItemChangeTest(argc, argv);
    status |= runItemTransferTest(argc, argv);
    return status;
}
