#include "setup/ui/SetupPage4.h"

#include "controls/ui/FieldLabel.h"
#include "setup/SetupChecks.h"
#include "setup/ui/FolderField.h"
#include "setup/ui/SetupSheet.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

CSetupPage4::CSetupPage4(CSetupSheet &sheet)
    : QWizardPage(&sheet)
    , m_sheet(sheet)
    , m_drive(new CKivFolderField(QStringLiteral("Wählen Sie das CD-Laufwerk aus, welches durch den CD-Manager "
                                                 "überwacht werden soll."),
                                  QStringLiteral("/media"), this))
    , m_noDrive(new QCheckBox(QStringLiteral("CD-Laufwerk nicht eingebaut"), this))
{
    auto *layout = new QGridLayout(this);
    auto *text = new QLabel(QStringLiteral("Der CD Manager kann ein CD-ROM Laufwerk überwachen, und erkennt "
                                           "automatisch neue und bekannte CD's. Legen Sie hier fest, welches "
                                           "CD-Laufwerk Sie nutzen möchten."),
                            this);
    text->setWordWrap(true);
    layout->addWidget(text, 0, 0, 1, 3);
    layout->setRowMinimumHeight(1, 12);
    layout->addWidget(KivFieldLabel(QStringLiteral("CD-Laufwerk:"), m_drive, this), 2, 0);
    layout->addWidget(m_drive, 2, 1);
    layout->addWidget(m_drive->Button(), 2, 2);
    layout->addWidget(m_noDrive, 3, 1, 1, 2);
    layout->setRowStretch(4, 1);
    m_drive->setText(sheet.Data().cdDrive);
    connect(m_noDrive, &QCheckBox::toggled, this, [this](bool none) { m_drive->setEnabled(!none); });
}

bool CSetupPage4::validatePage()
{
    QString drive = m_drive->text();
    const bool ok = CKivSetupChecks::CdDrive(drive, m_noDrive->isChecked());
    if (m_noDrive->isChecked())
        m_drive->setText(drive);
    m_sheet.Data().cdDrive = drive;
    return ok;
}
