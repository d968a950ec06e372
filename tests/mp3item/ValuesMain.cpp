#include "mp3item/ItemTests.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int status = 0;
    status |= runItemValuesTest(argc, argv);
    status |= runFileOpsTest(argc, argv);
    return status;
}
