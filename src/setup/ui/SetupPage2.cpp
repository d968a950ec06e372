#include "setup/ui/SetupPage2.h"

#include "controls/ui/FieldLabel.h"
#include "setup/SetupChecks.h"
#include "setup/ui/FolderField.h"
#include "setup/ui/SetupSheet.h"

#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

CSetupPage2::CSetupPage2(CSetupSheet &sheet)
    : QWizardPage(&sheet)
    , m_sheet(sheet)
    , m_folder(new CKivFolderField(
          QStringLiteral("Wählen Sie ein Verzeichniss aus, in welches Sie das Programm installieren wollen."),
          QDir::homePath(), this))
{
    auto *layout = new QGridLayout(this);
    auto *text = new QLabel(QStringLiteral("Wählen Sie eine Verzeichniss aus, in dem Sie das Programm installieren "
                                           "wollen."),
                            this);
    text->setWordWrap(true);
    layout->addWidget(text, 0, 0, 1, 3);
    layout->setRowMinimumHeight(1, 12);
    layout->addWidget(KivFieldLabel(QStringLiteral("Verzeichniss:"), m_folder, this), 2, 0);
    layout->addWidget(m_folder, 2, 1);
    layout->addWidget(m_folder->Button(), 2, 2);
    layout->setRowStretch(3, 1);
}

void CSetupPage2::initializePage()
{
    // The proposal of the unattended installation; what the user chose before stays.
    if (m_folder->text().isEmpty())
        m_folder->setText(m_sheet.Data().installFolder);
}

bool CSetupPage2::validatePage()
{
    m_sheet.Data().installFolder = m_folder->text();
    return CKivSetupChecks::InstallFolder(m_sheet.Data().installFolder);
}
