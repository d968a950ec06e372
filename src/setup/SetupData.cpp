#include "setup/SetupData.h"

CKivSetupRecord CKivSetupData::HandOverRecord() const
{
    CKivSetupRecord record;
    record.SetProgramFolder(installFolder);
    record.SetCdDrive(cdDrive);
    record.SetHelpFolder(ManualFolder());
    record.SetDatabaseFile(DatabaseFile());
    record.SetDataSourceName(DataSourceName());
    record.SetDataSourceUser(QString());
    record.SetDataSourcePassword(QString());
    record.SetUserName(userName);
    record.SetUserEmail(email);
    record.SetUserSurname(surname);
    record.SetUserPassword(QString());
    record.SetUserFirstName(firstName);
    record.SetFirstMediumName(mediumName);
    record.SetFirstMediumFolder(mediumFolder);
    record.SetScanFirstMedium(scanMedium);
    record.SetCreateFirstMedium(createMedium);
    record.SetQuickImport(quickImport);
    return record;
}

QString CKivSetupData::WithTrailingSlash(const QString &folder)
{
    QString result = folder;
    while (result.endsWith(u'/'))
        result.chop(1);
    if (folder.isEmpty())
        return result;
    return result + QLatin1Char('/');
}
