// melvora-setup: installs Melvora for the current user. Without options it shows the wizard; with
// "--unattended" it runs the same installation steps on the values of its options, without pages.
#include "setup/Installation.h"
#include "setup/PrerequisiteDownload.h"
#include "setup/SetupChecks.h"
#include "core/ConsoleUi.h"
#include "core/QtTranslations.h"
#include "setup/cli/SetupOptions.h"
#include "setup/ui/SetupSheetOptions.h"

#include <QCoreApplication>

namespace {

QStringList argumentsOf(int argc, char **argv)
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    return args;
}

int runUnattended(SetupOptions &options, CKivConsoleUi &ui)
{
    CKivSetupData &data = options.data;
    if (!CKivSetupChecks::InstallFolder(data.installFolder))
        return 1;
    if (!options.filesOnly
        && (!CKivSetupChecks::User(data.userName) || !CKivSetupChecks::CdDrive(data.cdDrive, data.cdDrive.isEmpty())
            || !CKivSetupChecks::FirstMedium(data)))
        return 1;

    // An update leaves the links as the installation (or the user) left them.
    CKivInstallation installation(data, options.sourceFolder,
                                  options.filesOnly ? CKivFileCopyStep::LinkFolders() : options.links);
    installation.SetFilesOnly(options.filesOnly);
    QString lastTitle;
    QString lastStatus;
    const bool ok = installation.Run([&](const CKivInstallStep &step) {
        if (step.Title() != lastTitle) {
            lastTitle = step.Title();
            lastStatus.clear();
            ui.print(lastTitle);
        }
        if (!step.Status().isEmpty() && step.Status() != lastStatus) {
            lastStatus = step.Status();
            ui.print(QStringLiteral("  ") + lastStatus);
        }
    });
    if (!ok) {
        // Reported as what it is: an installation with failed steps is no success.
        ui.printError(QStringLiteral("melvora-setup: the installation is incomplete:"));
        for (const QString &failure : installation.Failures())
            ui.printError(QStringLiteral("  ") + failure);
        return 2;
    }
    if (!options.filesOnly)
        ui.print(QStringLiteral("Installation Beendet: Das Programm Melvora wurde erfolgreich auf Ihrem Rechner "
                                "installiert.\n Sie können das Programm jetzt starten."));
    ui.print(QStringLiteral("Installed in ") + data.installFolder);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    SetupOptions options;
    const bool parsed = options.parse(argumentsOf(argc, argv));
    if (!parsed || options.help || options.unattended) {
        QCoreApplication app(argc, argv);
        KivQtTranslations::install(app);
        CKivConsoleUi ui;
        if (!parsed) {
            ui.printError(QStringLiteral("melvora-setup: ") + options.error());
            return 1;
        }
        if (options.help) {
            ui.print(options.helpText());
            return 0;
        }
        return runUnattended(options, ui);
    }
    KivSetupSheetOptions start;
    start.data = options.data;
    start.data.password.clear();
    start.sourceFolder = options.sourceFolder;
    start.links = options.links;
    start.downloadBase = QUrl(options.downloadBase.isEmpty()
                                  ? CKivPrerequisiteDownload::SourceBase(options.sourceFolder)
                                  : options.downloadBase);
    return runSetupWizard(argc, argv, start);
}
