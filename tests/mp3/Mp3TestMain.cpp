#include "mp3/Mp3Tests.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int failed = 0;
    failed += runFrameWalkTest(argc, argv);
    failed += runEncoderFilesTest(argc, argv);
    failed += runTagTest(argc, argv);
    failed += runCliTest(argc, argv);
    return failed > 0 ? 1 : 0;
}
