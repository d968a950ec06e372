#include "catalog/PasswordHash.h"
#include "app/ui/MelvoraApp.h"
#include "appui/AppUiTests.h"
#include "support/CatalogFixture.h"

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The application object of the program is the test's application.
    CMelvoraApp app(argc, argv);
    if (!CatalogFixture::isolateOdbcIni())
        return 1;
    KivPassword::SetCost(KivPassword::Cost::Minimal);
    int status = 0;
    status |= runSessionDlgTest(argc, argv);
    status |= runLoginDlgTest(argc, argv);
    status |= runAppStartTest(argc, argv);
    return status;
}
