#include "bars/BarsProgram.h"

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int status = 0;
    status |= runToolBarPersistenceTest(argc, argv);
    status |= runCustomizeDlgTest(argc, argv);
    return status;
}
