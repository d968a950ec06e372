#pragma once

#include <QWizardPage>

class CSetupSheet;
class QFormLayout;
class QLineEdit;

// The wizard's page of the first user: user name (required), first name, surname, e-mail, password.
class CSetupPage3 : public QWizardPage
{
    Q_OBJECT

public:
    explicit CSetupPage3(CSetupSheet &sheet);

    bool validatePage() override;

private:
    QLineEdit *addField(const QString &label, const QString &name);

    CSetupSheet &m_sheet;
    QFormLayout *m_form;
    QLineEdit *m_userName;
    QLineEdit *m_firstName;
    QLineEdit *m_surname;
    QLineEdit *m_email;
    QLineEdit *m_password;
};
