// Melvora, the catalog of MP3 collections.
#include "app/ui/MelvoraApp.h"

int main(int argc, char **argv)
{
    CMelvoraApp app(argc, argv);
    if (!app.InitInstance())
        return app.ExitInstance(app.StartFailureCode());
    return app.ExitInstance(app.exec());
}
