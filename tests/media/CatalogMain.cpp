#include "media/MediaTests.h"
#include "support/CatalogFixture.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (!CatalogFixture::isolateOdbcIni())
        return 1;
    int status = 0;
    status |= runMediumTest(argc, argv);
    status |= runMedienListeTest(argc, argv);
    status |= runMediumFormTest(argc, argv);
    return status;
}
