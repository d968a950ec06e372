#include "dialogs/DialogTests.h"
#include "support/CatalogFixture.h"

#include <QApplication>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (!CatalogFixture::isolateOdbcIni())
        return 1;
    int status = 0;
    status |= runSettingsSheetTest(argc, argv);
    status |= runFilterDlgTest(argc, argv);
    status |= runMediumDlgTest(argc, argv);
    status |= runScanProgressDlgTest(argc, argv);
    status |= runMediaCatalogDlgTest(argc, argv);
    return status;
}
