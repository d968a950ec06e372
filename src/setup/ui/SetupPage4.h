#pragma once

#include <QWizardPage>

class CKivFolderField;
class CSetupSheet;
class QCheckBox;

// The wizard's page of the CD-ROM drive the CD manager watches (a mount point or a CD device), or
// none at all.
class CSetupPage4 : public QWizardPage
{
    Q_OBJECT

public:
    explicit CSetupPage4(CSetupSheet &sheet);

    bool validatePage() override;

    CKivFolderField *Field() const { return m_drive; }
    QCheckBox *NoDrive() const { return m_noDrive; }

private:
    CSetupSheet &m_sheet;
    CKivFolderField *m_drive;
    QCheckBox *m_noDrive;
};
