#include "setup/FirstStart.h"

#include "core/Settings.h"
#include "core/UserInterface.h"
#include "catalog/OdbcIni.h"
#include "setup/Installation.h"

#include <QDir>
#include <QFileInfo>

bool KivFirstStart::NeedsCatalog(const CKivSettings &settings)
{
    return settings.GetOdbcAliasname().isEmpty() && CKivOdbcIni::Driver(CKivSetupData::DataSourceName()).isEmpty();
}

QString KivFirstStart::PackageSourceFolder(const QString &programFolder)
{
    const QString packaged = QDir(programFolder).filePath(QStringLiteral("../lib/melvora"));
    if (QFileInfo(packaged).isDir())
        return CKivSetupData::WithTrailingSlash(QDir::cleanPath(packaged));
    return CKivSetupData::WithTrailingSlash(programFolder);
}

QString KivFirstStart::OfferDefaultCatalog(const QString &sourceFolder, const QString &installFolder)
{
    const QString caption = QStringLiteral("Melvora");
    const KivAnswer answer = kivUi().showMessage(
        QStringLiteral("Für Sie ist noch kein Melvora-Katalog eingerichtet.\nSoll Melvora jetzt den Standard-Katalog in "
                       "Ihrem Ordner %1 anlegen und Sie als ersten Benutzer eintragen?")
            .arg(QDir::toNativeSeparators(installFolder)),
        caption, KivIcon::Question, KivButtons::YesNo);
    if (answer != KivAnswer::Yes)
        return {};
    CKivSetupData data;
    data.installFolder = CKivSetupData::WithTrailingSlash(installFolder);
    data.userName = CKivInstallation::SystemUserName();
    CKivInstallation installation(data, sourceFolder, CKivFileCopyStep::LinkFolders());
    installation.SetCatalogOnly();
    if (!installation.Run()) {
        kivUi().showMessage(QStringLiteral("Der Katalog konnte nicht vollständig eingerichtet werden:\n")
                                + installation.Failures().join(QLatin1Char('\n')),
                            caption, KivIcon::Exclamation);
        return {};
    }
    return data.installFolder;
}
