#pragma once

#include "setup/InstallStep.h"
#include "setup/Prerequisites.h"

// The step "System Files werden kopiert.": every prerequisite the system lacks but the installation
// source's "System/" folder holds is copied into the installation folder's "lib/"; an ODBC driver
// copied so is registered for the user, so the catalog works without administrator rights. What the
// system has is passed over.
class CKivRuntimeLibraryStep : public CKivInstallStep
{
public:
    CKivRuntimeLibraryStep(const QString &title, const CKivPrerequisites &prerequisites, const QString &installFolder);

    bool Begin() override;
    bool Next() override;

    // Where a copied library goes: installation folder + "lib/" + its file name (with its sub-folder).
    static QString LibraryPath(const QString &installFolder, const CKivPrerequisite &prerequisite);

private:
    void install(const CKivPrerequisite &prerequisite);

    QList<CKivPrerequisite> m_entries;
    CKivSystemPaths m_system;
    QString m_systemFolder;
    QString m_installFolder;
};
