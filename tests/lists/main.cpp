#include "lists/ListTests.h"
#include "support/CatalogFixture.h"

#include <QApplication>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                      : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    if (!CatalogFixture::isolateOdbcIni())
        return 1;
    int status = 0;
    status |= runModelTest(argc, argv);
    status |= runArrangementTest(argc, argv);
    status |= runViewTest(argc, argv);
    return status;
}
