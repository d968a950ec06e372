#include "support/CatalogFixture.h"

#include <QApplication>

int runToolDialogTest(int argc, char **argv);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (!CatalogFixture::isolateOdbcIni())
        return 1;
    return runToolDialogTest(argc, argv);
}
