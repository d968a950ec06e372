#pragma once

#include "setup/InstallStep.h"

// The step that provides the catalog file: a new, empty SQLite catalog created from the schema. A
// catalog that is already there (an earlier installation) is kept with all its rows.
class CKivCatalogFileStep : public CKivInstallStep
{
public:
    CKivCatalogFileStep(const QString &title, const QString &databaseFile);

    bool Begin() override;
    bool Next() override;

private:
    QString m_databaseFile;
};
