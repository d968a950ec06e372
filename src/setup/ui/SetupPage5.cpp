#include "setup/ui/SetupPage5.h"

#include "controls/ui/FieldLabel.h"
#include "setup/SetupChecks.h"
#include "setup/ui/FolderField.h"
#include "setup/ui/SetupSheet.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QLineEdit>
#include <QVBoxLayout>

CSetupPage5::CSetupPage5(CSetupSheet &sheet)
    : QWizardPage(&sheet)
    , m_sheet(sheet)
    , m_create(new QCheckBox(QStringLiteral("Ja, Medium nach Programmstart erstellen."), this))
    , m_name(new QLineEdit(this))
    , m_folder(new CKivFolderField(QStringLiteral("Wählen Sie ein Laufwerk oder Ordner für das neue Medium."),
                                   QDir::homePath(), this))
    , m_scan(new QCheckBox(QStringLiteral("Medium nach Mp3s durchsuchen"), this))
    , m_quick(new QCheckBox(QStringLiteral("Mp3 Quick-Import"), this))
{
    auto *layout = new QGridLayout(this);
    auto *text = new QLabel(QStringLiteral("Wenn Sie wollen, wird nach dem ersten Start des Programms automatisch ein "
                                           "neues Medium angelegt. "),
                            this);
    text->setWordWrap(true);
    layout->addWidget(text, 0, 0, 1, 3);
    layout->addWidget(m_create, 1, 0, 1, 3);
    layout->addWidget(KivFieldLabel(QStringLiteral("Mediumname:"), m_name, this), 2, 0);
    layout->addWidget(m_name, 2, 1, 1, 2);
    layout->addWidget(KivFieldLabel(QStringLiteral("Medium Ordner:"), m_folder, this), 3, 0);
    layout->addWidget(m_folder, 3, 1);
    layout->addWidget(m_folder->Button(), 3, 2);
    auto *options = new QGroupBox(QStringLiteral("Optionen:"), this);
    auto *optionsLayout = new QVBoxLayout(options);
    optionsLayout->addWidget(m_scan);
    optionsLayout->addWidget(m_quick);
    layout->addWidget(options, 4, 0, 1, 3);
    layout->setRowStretch(5, 1);
    m_name->setObjectName(QStringLiteral("mediumName"));
    createToggled(false);
    connect(m_create, &QCheckBox::toggled, this, &CSetupPage5::createToggled);
}

void CSetupPage5::createToggled(bool create)
{
    m_name->setEnabled(create);
    m_folder->setEnabled(create);
    m_scan->setEnabled(create);
    m_quick->setEnabled(create);
    if (create) {
        m_scan->setChecked(true);
        m_quick->setChecked(true);
    }
}

bool CSetupPage5::validatePage()
{
    CKivSetupData &setup = m_sheet.Data();
    setup.mediumName = m_name->text();
    setup.mediumFolder = m_folder->text();
    setup.createMedium = m_create->isChecked() ? 1 : 0;
    setup.scanMedium = m_scan->isChecked() ? 1 : 0;
    setup.quickImport = m_quick->isChecked() ? 1 : 0;
    return CKivSetupChecks::FirstMedium(setup);
}
