#include "setup/InstallStep.h"

CKivInstallStep::CKivInstallStep(const QString &title)
    : m_title(title)
{
}
