#include "playback/PlaybackTests.h"
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
    status |= runPlayerTest(argc, argv);
    status |= runPlaylistFileTest(argc, argv);
    status |= runSleepTimerTest(argc, argv);
    status |= runQtBackendTest(argc, argv);
    status |= runPlaylistViewTest(argc, argv);
    status |= runPlayerDisplayTest(argc, argv);
    return status;
}
