#include "media/MediaTests.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int status = 0;
    status |= runHeaderFileTest(argc, argv);
    status |= runDrivesTest(argc, argv);
    return status;
}
