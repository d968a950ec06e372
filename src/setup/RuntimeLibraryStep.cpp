#include "setup/RuntimeLibraryStep.h"

#include "setup/EnsureFolder.h"
#include "setup/FileCopyStep.h"
#include "setup/IniFile.h"
#include "setup/SetupLog.h"

#include <QFileInfo>

CKivRuntimeLibraryStep::CKivRuntimeLibraryStep(const QString &title, const CKivPrerequisites &prerequisites,
                                               const QString &installFolder)
    : CKivInstallStep(title)
    , m_entries(prerequisites.Entries())
    , m_system(prerequisites.System())
    , m_systemFolder(prerequisites.SystemFolder())
    , m_installFolder(installFolder)
{
}

QString CKivRuntimeLibraryStep::LibraryPath(const QString &installFolder, const CKivPrerequisite &prerequisite)
{
    return installFolder + QLatin1String("lib/") + prerequisite.fileName;
}

bool CKivRuntimeLibraryStep::Begin()
{
    setUnits(int(m_entries.size()));
    setCurrentUnit(0);
    return !m_entries.isEmpty();
}

bool CKivRuntimeLibraryStep::Next()
{
    if (CurrentUnit() >= Units())
        return false;
    install(m_entries.at(CurrentUnit()));
    setCurrentUnit(CurrentUnit() + 1);
    return CurrentUnit() < Units();
}

void CKivRuntimeLibraryStep::install(const CKivPrerequisite &prerequisite)
{
    if (prerequisite.state == CKivPrerequisite::Installed)
        return;
    if (prerequisite.state == CKivPrerequisite::Download) {
        // Still missing: a failure unless the installation can do without it.
        if (!prerequisite.optional)
            addFailure(prerequisite.name);
        return;
    }
    const QString target = LibraryPath(m_installFolder, prerequisite);
    if (!KivSetup::EnsureFolder(QFileInfo(target).absolutePath())
        || !CKivFileCopyStep::CopyItem(prerequisite.SourcePath(m_systemFolder), target)) {
        addFailure(prerequisite.name);
        return;
    }
    setStatus(QFileInfo(prerequisite.fileName).fileName());
    if (prerequisite.kind != CKivPrerequisite::Kind::OdbcDriver)
        return;
    const KivIni::Values registration = {
        {QStringLiteral("Description"), prerequisite.name},
        {QStringLiteral("Driver"), QFileInfo(target).absoluteFilePath()},
    };
    // The installer library writes driver registrations only into the system's odbcinst.ini, which
    // needs root; the driver manager also reads the user's own file, so the entry goes there.
    if (m_system.userOdbcinstFile.isEmpty()
        || !KivIni::WriteSection(m_system.userOdbcinstFile, prerequisite.driverName, registration)) {
        qCWarning(lcSetup).noquote() << "Registering the driver" << prerequisite.driverName << "failed";
        addFailure(prerequisite.name);
    }
}
