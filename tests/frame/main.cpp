#include "frame/FrameTests.h"
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
    status |= runCommandTableTest(argc, argv);
    status |= runSplitterTest(argc, argv);
    status |= runMainFrameTest(argc, argv);
    status |= runFrameListsTest(argc, argv);
    status |= runCommandCensusTest(argc, argv);
    return status;
}
