#include "listread/ListReadTests.h"
#include "support/CatalogFixture.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (!CatalogFixture::isolateOdbcIni())
        return 1;
    int status = 0;
    status |= runRowReaderTest(argc, argv);
    status |= runListLoadTest(argc, argv);
    return status;
}
