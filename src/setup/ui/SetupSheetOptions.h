#pragma once

#include "setup/FileCopyStep.h"
#include "setup/Prerequisites.h"
#include "setup/SetupData.h"

#include <QUrl>

// What the wizard starts with: the defaults of its fields and where it installs from.
struct KivSetupSheetOptions
{
    CKivSetupData data;                     // defaults of the fields (installation folder, ...)
    QString sourceFolder;                   // the installation source, ending in "/"
    CKivFileCopyStep::LinkFolders links;
    QUrl downloadBase;
    CKivSystemPaths system = CKivSystemPaths::Current();
    QString osReleasePath;                  // the system's own when empty
};

// Shows the wizard as the program's only window and runs it to its end. 2 when an installation was
// finished with failed steps, else 0 (the wizard may be closed at any page).
int runSetupWizard(int &argc, char **argv, const KivSetupSheetOptions &options);
