#include "setup/HandOverStep.h"

#include "setup/SetupLog.h"

CKivHandOverStep::CKivHandOverStep(const QString &title, const QString &installFolder,
                                   const CKivSetupRecord &record)
    : CKivInstallStep(title)
    , m_installFolder(installFolder)
    , m_record(record)
{
}

bool CKivHandOverStep::Begin()
{
    setUnits(1);
    setCurrentUnit(0);
    return true;
}

bool CKivHandOverStep::Next()
{
    setStatus(QStringLiteral("Einstellungen werden gespeichert."));
    setCurrentUnit(1);
    const QString path = m_installFolder + CKivSetupRecord::FileName;
    if (!m_record.save(path)) {
        qCWarning(lcSetup).noquote() << "Writing" << path << "failed";
        addFailure(CKivSetupRecord::FileName);
    }
    return false;
}
