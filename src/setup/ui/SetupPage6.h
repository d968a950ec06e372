#pragma once

#include <QWizardPage>

class CKivInstallStep;
class CSetupSheet;
class QLabel;
class QProgressBar;

// The wizard's last page: Finish runs the installation steps with their description, status and
// progress, then says whether the installation is complete (and which steps failed if not).
class CSetupPage6 : public QWizardPage
{
    Q_OBJECT

public:
    explicit CSetupPage6(CSetupSheet &sheet);

    bool validatePage() override;

    QLabel *Description() const { return m_description; }
    QLabel *Status() const { return m_status; }
    QLabel *Failures() const { return m_failures; }

    static QString SuccessText();
    static QString IncompleteText(const QStringList &failures);

private:
    void showStep(const CKivInstallStep &step);

    CSetupSheet &m_sheet;
    QLabel *m_description;
    QLabel *m_status;
    QProgressBar *m_progress;
    QLabel *m_failures;
    bool m_running = false;
};
