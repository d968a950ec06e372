#include "browse/BrowseTests.h"
#include "support/CatalogFixture.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (!CatalogFixture::isolateOdbcIni())
        return 1;
    int status = 0;
    status |= runFilterTextTest(argc, argv);
    status |= runFilterQueryTest(argc, argv);
    return status;
}
