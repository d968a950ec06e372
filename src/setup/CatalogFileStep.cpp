#include "setup/CatalogFileStep.h"

#include "catalog/CatalogCreator.h"
#include "setup/EnsureFolder.h"
#include "setup/SetupLog.h"

#include <QFileInfo>

CKivCatalogFileStep::CKivCatalogFileStep(const QString &title, const QString &databaseFile)
    : CKivInstallStep(title)
    , m_databaseFile(databaseFile)
{
}

bool CKivCatalogFileStep::Begin()
{
    setUnits(1);
    setCurrentUnit(0);
    return true;
}

bool CKivCatalogFileStep::Next()
{
    const QFileInfo file(m_databaseFile);
    setCurrentUnit(1);
    if (!KivSetup::EnsureFolder(file.absolutePath())) {
        addFailure(file.fileName());
        return false;
    }
    if (file.isFile() && file.size() > 0) {
        qCInfo(lcSetup).noquote() << "Keeping the existing catalog" << m_databaseFile;
    } else {
        CKivCatalogCreator creator;
        if (!creator.CreateSqliteFile(m_databaseFile)) {
            qCWarning(lcSetup).noquote() << "Creating the catalog failed:" << creator.lastError();
            addFailure(file.fileName());
            return false;
        }
    }
    setStatus(file.fileName());
    return false;
}
