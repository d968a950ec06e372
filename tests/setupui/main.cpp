#include "catalog/PasswordHash.h"
#include "support/CatalogFixture.h"

#include <QApplication>

int runWizardTest(int argc, char **argv);
int runDownloadDlgTest(int argc, char **argv);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Finish registers a data source: only ever in a private copy of the test odbc.ini.
    if (!CatalogFixture::isolateOdbcIni())
        return 1;
    KivPassword::SetCost(KivPassword::Cost::Minimal);
    int status = 0;
    status |= runWizardTest(argc, argv);
    status |= runDownloadDlgTest(argc, argv);
    return status;
}
