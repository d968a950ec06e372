#include "setup/SetupChecks.h"

#include "core/SetupRecord.h"
#include "core/UserInterface.h"
#include "catalog/Database.h"
#include "media/DriveLayer.h"
#include "setup/EnsureFolder.h"
#include "setup/SetupData.h"

#include <QFileInfo>

namespace {

QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

bool writableFolder(const QString &folder)
{
    return KivSetup::EnsureFolder(withoutTrailingSlash(folder)) && QFileInfo(withoutTrailingSlash(folder)).isWritable();
}

} // namespace

bool CKivSetupChecks::refuse(const QString &text)
{
    kivUi().showMessage(text, Caption(), KivIcon::None);
    return false;
}

bool CKivSetupChecks::InstallFolder(const QString &installFolder)
{
    if (installFolder.isEmpty())
        return refuse(QStringLiteral("Sie müssen erst einen Installations Ordner auswählen."));
    const QString invalid = QStringLiteral("Der Installations Ordner ist ungültig oder auf das Laufwerk kann nicht "
                                           "geschrieben werden.");
    // A path cut to fit the hand-over record or the registration would name another file.
    CKivSetupData data;
    data.installFolder = CKivSetupData::WithTrailingSlash(QFileInfo(installFolder).absoluteFilePath());
    CKivSetupRecord record;
    const QByteArray attributes = "DSN=" + CKivSetupData::DataSourceName().toUtf8() + '\0' + "DBQ="
                                  + data.DatabaseFile().toUtf8() + '\0' + '\0';
    if (!record.SetProgramFolder(data.installFolder) || !record.SetDatabaseFile(data.DatabaseFile())
        || !record.SetHelpFolder(data.ManualFolder()) || attributes.size() > CKivDatabase::MaxAttributeListBytes)
        return refuse(invalid);
    if (!writableFolder(installFolder))
        return refuse(invalid);
    return true;
}

bool CKivSetupChecks::User(const QString &userName)
{
    if (userName.isEmpty())
        return refuse(QStringLiteral("Sie müssen einen Benutzername eingeben:"));
    return true;
}

bool CKivSetupChecks::CdDrive(QString &drive, bool noDrive)
{
    if (noDrive) {
        drive.clear();
        return true;
    }
    if (drive.isEmpty())
        return refuse(QStringLiteral("Bitte wählen Sie ein CD-Laufwerk aus."));
    if (!kivDrives().isCdRomDrive(drive))
        return refuse(QStringLiteral("Das ausgewählte Laufwerk ist kein CD-Laufwerk."));
    return true;
}

bool CKivSetupChecks::FirstMedium(CKivSetupData &data)
{
    if (data.createMedium != 1) {
        data.mediumName.clear();
        data.mediumFolder.clear();
        data.createMedium = 0;
        data.scanMedium = 0;
        data.quickImport = 0;
        return true;
    }
    if (data.mediumName.isEmpty())
        return refuse(QStringLiteral("Bitte geben Sie einen Namen für das neue Medium ein."));
    if (data.mediumFolder.isEmpty())
        return refuse(QStringLiteral("Bitte Wählen Sie einen Ordner für das Medium aus."));
    if (kivDrives().isCdRomDrive(data.mediumFolder))
        return refuse(QStringLiteral("Sie können kein Medium auf einer CD erstellen."));
    CKivSetupRecord record;
    if (!record.SetFirstMediumFolder(data.mediumFolder)
        || !KivSetup::EnsureFolder(withoutTrailingSlash(data.mediumFolder)))
        return refuse(QStringLiteral("Der Medium Ordner ist ungültig oder auf das Laufwerk kann nicht geschrieben "
                                     "werden."));
    return true;
}
