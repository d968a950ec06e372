#pragma once

#include "core/SetupRecord.h"
#include "setup/InstallStep.h"

// The last step: leaves the hand-over record "Setup.ini" in the installation folder for the
// program's first start.
class CKivHandOverStep : public CKivInstallStep
{
public:
    CKivHandOverStep(const QString &title, const QString &installFolder, const CKivSetupRecord &record);

    bool Begin() override;
    bool Next() override;

private:
    QString m_installFolder;
    CKivSetupRecord m_record;
};
