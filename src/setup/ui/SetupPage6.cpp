#include "setup/ui/SetupPage6.h"

#include "core/UserInterface.h"
#include "setup/Installation.h"
#include "setup/ui/SetupSheet.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>

CSetupPage6::CSetupPage6(CSetupSheet &sheet)
    : QWizardPage(&sheet)
    , m_sheet(sheet)
    , m_description(new QLabel(this))
    , m_status(new QLabel(this))
    , m_progress(new QProgressBar(this))
    , m_failures(new QLabel(this))
{
    auto *layout = new QGridLayout(this);
    auto *text = new QLabel(QStringLiteral("Alle benötigten Daten für die Installation sind nun vorhanden. Klicken Sie "
                                           "auf Fertigstellen um das Programm zu installieren."),
                            this);
    text->setWordWrap(true);
    layout->addWidget(text, 0, 0, 1, 2);
    layout->setRowMinimumHeight(1, 12);
    layout->addWidget(new QLabel(QStringLiteral("Beschreibung:"), this), 2, 0);
    layout->addWidget(m_description, 2, 1);
    layout->addWidget(new QLabel(QStringLiteral("Status:"), this), 3, 0);
    layout->addWidget(m_status, 3, 1);
    layout->addWidget(new QLabel(QStringLiteral("Fortschritt:"), this), 4, 0);
    layout->addWidget(m_progress, 4, 1);
    layout->addWidget(m_failures, 5, 0, 1, 2);
    layout->setRowStretch(6, 1);
    layout->setColumnStretch(1, 1);
    m_progress->setTextVisible(false);
    m_progress->setValue(0);
    m_failures->setWordWrap(true);
    m_description->setObjectName(QStringLiteral("description"));
    m_status->setObjectName(QStringLiteral("status"));
    setFinalPage(true);
}

QString CSetupPage6::SuccessText()
{
    return QStringLiteral("Das Programm Melvora wurde erfolgreich auf Ihrem Rechner installiert.\n Sie können das "
                          "Programm jetzt starten.");
}

QString CSetupPage6::IncompleteText(const QStringList &failures)
{
    return QStringLiteral("Die Installation von Melvora ist unvollständig. Diese Schritte sind fehlgeschlagen:\n")
           + failures.join(QLatin1Char('\n'));
}

void CSetupPage6::showStep(const CKivInstallStep &step)
{
    m_description->setText(step.Title());
    m_status->setText(step.Status());
    m_progress->setRange(0, qMax(step.Units(), 1));
    m_progress->setValue(qMin(step.CurrentUnit(), qMax(step.Units(), 1)));
    // The page is repainted between the units; input stays blocked while the steps run.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool CSetupPage6::validatePage()
{
    if (m_running)
        return false;
    m_running = true;
    wizard()->button(QWizard::BackButton)->setEnabled(false);
    wizard()->button(QWizard::FinishButton)->setEnabled(false);
    m_failures->clear();

    CKivInstallation installation(m_sheet.Data(), m_sheet.Settings().sourceFolder, m_sheet.Settings().links);
    if (m_sheet.SystemValid())
        installation.SetPrerequisites(m_sheet.Prerequisites());
    const bool ok = installation.Run([this](const CKivInstallStep &step) { showStep(step); });
    m_sheet.SetInstalled(ok);
    // A failed step is no success: the page and the closing message say what failed.
    if (ok) {
        kivUi().showMessage(SuccessText(), QStringLiteral("Installation Beendet"), KivIcon::Information);
    } else {
        m_failures->setText(QStringLiteral("Fehlgeschlagen:\n") + installation.Failures().join(QLatin1Char('\n')));
        kivUi().showMessage(IncompleteText(installation.Failures()), QStringLiteral("Installation unvollständig"),
                            KivIcon::Exclamation);
    }
    m_running = false;
    wizard()->button(QWizard::BackButton)->setEnabled(true);
    wizard()->button(QWizard::FinishButton)->setEnabled(true);
    return true;
}
