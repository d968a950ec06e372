#include "setup/cli/SetupOptions.h"

#include "setup/FirstStart.h"
#include "setup/Installation.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString absoluteFolder(const QString &folder)
{
    return folder.isEmpty() ? folder : CKivSetupData::WithTrailingSlash(QFileInfo(folder).absoluteFilePath());
}

} // namespace

QString SetupOptions::DefaultSourceFolder()
{
    // Read before the application object exists: the folder of the running program itself. A build
    // keeps the source in "Data/" beside it; the installed package in "../lib/melvora/".
    const QString programFolder = QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absolutePath();
    if (QFileInfo(programFolder + QLatin1String("/Data")).isDir())
        return programFolder + QLatin1String("/Data/");
    return KivFirstStart::PackageSourceFolder(programFolder);
}

bool SetupOptions::parse(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Installs Melvora for the current user: the wizard, or without its pages with --unattended."));
    const QCommandLineOption unattendedOption(QStringLiteral("unattended"),
                                              QStringLiteral("Install without the wizard's pages."));
    const QCommandLineOption folderOption(QStringLiteral("install-dir"),
                                          QStringLiteral("Installation folder (default ~/.local/opt/Kiv/Melvora/)."),
                                          QStringLiteral("folder"));
    const QCommandLineOption sourceOption(QStringLiteral("source"),
                                          QStringLiteral("Installation source (default: Data/ beside this program)."),
                                          QStringLiteral("folder"));
    const QCommandLineOption userOption(QStringLiteral("user"),
                                        QStringLiteral("First user's name (default: the system user's name)."),
                                        QStringLiteral("name"));
    const QCommandLineOption firstNameOption(QStringLiteral("first-name"), QStringLiteral("First user's first name."),
                                             QStringLiteral("text"));
    const QCommandLineOption surnameOption(QStringLiteral("surname"), QStringLiteral("First user's surname."),
                                           QStringLiteral("text"));
    const QCommandLineOption emailOption(QStringLiteral("email"), QStringLiteral("First user's e-mail address."),
                                         QStringLiteral("address"));
    const QCommandLineOption passwordOption(QStringLiteral("password"),
                                            QStringLiteral("First user's password (default: none)."),
                                            QStringLiteral("text"));
    const QCommandLineOption cdOption(QStringLiteral("cd-drive"),
                                      QStringLiteral("Folder on the CD-ROM drive the CD manager watches."),
                                      QStringLiteral("folder"));
    const QCommandLineOption mediumNameOption(QStringLiteral("medium-name"),
                                              QStringLiteral("Create a first medium of this name at the first start."),
                                              QStringLiteral("name"));
    const QCommandLineOption mediumFolderOption(QStringLiteral("medium-folder"),
                                                QStringLiteral("Folder of the first medium."),
                                                QStringLiteral("folder"));
    const QCommandLineOption scanOption(QStringLiteral("scan"),
                                        QStringLiteral("Search the first medium for MP3 files after creating it."));
    const QCommandLineOption quickOption(QStringLiteral("quick-import"),
                                         QStringLiteral("Use the quick import for that search."));
    const QCommandLineOption desktopOption(QStringLiteral("desktop-dir"),
                                           QStringLiteral("Folder of the desktop link (default: the desktop)."),
                                           QStringLiteral("folder"));
    const QCommandLineOption menuOption(QStringLiteral("menu-dir"),
                                        QStringLiteral("Applications menu folder (default: the user's)."),
                                        QStringLiteral("folder"));
    const QCommandLineOption noLinksOption(QStringLiteral("no-links"),
                                           QStringLiteral("Leave no desktop or menu links."));
    const QCommandLineOption filesOnlyOption(
        QStringLiteral("files-only"),
        QStringLiteral("Only copy the program's files (an update): catalog, data source, user and hand-over stay."));
    const QCommandLineOption downloadOption(
        QStringLiteral("download-base"),
        QStringLiteral("Address the wizard downloads missing prerequisites from (default: the source's Download.ini)."),
        QStringLiteral("url"));
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Show this help."));
    parser.addOptions({unattendedOption, folderOption, sourceOption, userOption, firstNameOption, surnameOption,
                       emailOption, passwordOption, cdOption, mediumNameOption, mediumFolderOption, scanOption,
                       quickOption, desktopOption, menuOption, noLinksOption, filesOnlyOption, downloadOption, helpOption});
    m_helpText = parser.helpText();
    if (!parser.parse(args)) {
        m_error = parser.errorText();
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        m_error = QStringLiteral("unexpected argument ") + parser.positionalArguments().constFirst();
        return false;
    }
    help = parser.isSet(helpOption);
    unattended = parser.isSet(unattendedOption);
    filesOnly = parser.isSet(filesOnlyOption);

    data.installFolder = absoluteFolder(parser.isSet(folderOption) ? parser.value(folderOption)
                                                                   : CKivInstallation::DefaultInstallFolder());
    sourceFolder = absoluteFolder(parser.isSet(sourceOption) ? parser.value(sourceOption) : DefaultSourceFolder());
    downloadBase = parser.value(downloadOption);
    data.userName = parser.isSet(userOption) ? parser.value(userOption) : CKivInstallation::SystemUserName();
    data.firstName = parser.value(firstNameOption);
    data.surname = parser.value(surnameOption);
    data.email = parser.value(emailOption);
    data.password = parser.value(passwordOption);
    data.cdDrive = absoluteFolder(parser.value(cdOption));

    if (parser.isSet(mediumNameOption) || parser.isSet(mediumFolderOption)) {
        data.createMedium = 1;
        data.mediumName = parser.value(mediumNameOption);
        data.mediumFolder = absoluteFolder(parser.value(mediumFolderOption));
        data.scanMedium = parser.isSet(scanOption) ? 1 : 0;
        data.quickImport = parser.isSet(quickOption) ? 1 : 0;
    }

    if (!parser.isSet(noLinksOption)) {
        links.desktop = parser.isSet(desktopOption)
                            ? parser.value(desktopOption)
                            : QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        links.menu = parser.isSet(menuOption)
                         ? parser.value(menuOption)
                         : QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
    }
    return true;
}
