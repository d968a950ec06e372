#pragma once

#include <QWizardPage>

class CKivFolderField;
class CSetupSheet;

// The wizard's second page: the installation folder, made to exist before the wizard goes on.
class CSetupPage2 : public QWizardPage
{
    Q_OBJECT

public:
    explicit CSetupPage2(CSetupSheet &sheet);

    void initializePage() override;
    bool validatePage() override;

    CKivFolderField *Field() const { return m_folder; }

private:
    CSetupSheet &m_sheet;
    CKivFolderField *m_folder;
};
