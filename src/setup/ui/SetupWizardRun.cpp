#include "setup/ui/SetupSheet.h"
#include "setup/ui/SetupUi.h"

#include "core/QtTranslations.h"

#include <QApplication>

int runSetupWizard(int &argc, char **argv, const KivSetupSheetOptions &options)
{
    QApplication app(argc, argv);
    KivQtTranslations::install(app);
    CKivSetupUi ui;
    CSetupSheet sheet(options);
    sheet.exec();
    return sheet.result() == QDialog::Accepted && !sheet.Installed() ? 2 : 0;
}
