#pragma once

#include <QWizardPage>

class CKivFolderField;
class CSetupSheet;
class QCheckBox;
class QLineEdit;

// The wizard's page of the first medium, which the program creates (and may search) at its first
// start.
class CSetupPage5 : public QWizardPage
{
    Q_OBJECT

public:
    explicit CSetupPage5(CSetupSheet &sheet);

    bool validatePage() override;

    QCheckBox *Create() const { return m_create; }
    QLineEdit *Name() const { return m_name; }
    CKivFolderField *Folder() const { return m_folder; }
    QCheckBox *Scan() const { return m_scan; }
    QCheckBox *Quick() const { return m_quick; }

private:
    void createToggled(bool create);

    CSetupSheet &m_sheet;
    QCheckBox *m_create;
    QLineEdit *m_name;
    CKivFolderField *m_folder;
    QCheckBox *m_scan;
    QCheckBox *m_quick;
};
