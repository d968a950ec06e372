#include "setup/ui/SetupPage3.h"

#include "setup/SetupChecks.h"
#include "setup/ui/SetupSheet.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CSetupPage3::CSetupPage3(CSetupSheet &sheet)
    : QWizardPage(&sheet)
    , m_sheet(sheet)
    , m_form(new QFormLayout)
{
    auto *layout = new QVBoxLayout(this);
    auto *text = new QLabel(QStringLiteral("Legen Sie hier einen neuen Benutzer an. Sie können später weitere "
                                           "Benutzer hinzufügen. Jeder Benutzer kann seine eigenen Einstellungen "
                                           "vornehmen."),
                            this);
    text->setWordWrap(true);
    layout->addWidget(text);
    layout->addSpacing(12);
    layout->addLayout(m_form);
    m_userName = addField(QStringLiteral("Benutzername:"), QStringLiteral("userName"));
    m_firstName = addField(QStringLiteral("Vorname:"), QStringLiteral("firstName"));
    m_surname = addField(QStringLiteral("Name:"), QStringLiteral("surname"));
    m_email = addField(QStringLiteral("E-Mail:"), QStringLiteral("email"));
    m_password = addField(QStringLiteral("Passwort:"), QStringLiteral("password"));
    m_password->setEchoMode(QLineEdit::Password);
    layout->addStretch(1);
    const CKivSetupData &setup = sheet.Data();
    m_userName->setText(setup.userName);
    m_firstName->setText(setup.firstName);
    m_surname->setText(setup.surname);
    m_email->setText(setup.email);
}

QLineEdit *CSetupPage3::addField(const QString &label, const QString &name)
{
    auto *field = new QLineEdit(this);
    field->setObjectName(name);
    m_form->addRow(label, field);
    return field;
}

bool CSetupPage3::validatePage()
{
    CKivSetupData &setup = m_sheet.Data();
    setup.userName = m_userName->text();
    setup.firstName = m_firstName->text();
    setup.surname = m_surname->text();
    setup.email = m_email->text();
    // Kept only in memory until the catalog stores its hash.
    setup.password = m_password->text();
    return CKivSetupChecks::User(setup.userName);
}
