#pragma once

#include "setup/SystemCheck.h"

#include <QWizardPage>

class CSetupSheet;
class QPushButton;
class QTreeWidget;

// The wizard's third page: the operating system and the prerequisites with their states, and
// "Download" for what is missing. Next stays disabled while a prerequisite still has to be
// downloaded.
class CSetupPage7 : public QWizardPage
{
    Q_OBJECT

public:
    explicit CSetupPage7(CSetupSheet &sheet);

    void initializePage() override;
    bool isComplete() const override;
    // Next is refused, not only greyed, while a prerequisite is missing.
    bool validatePage() override;

    QTreeWidget *List() const { return m_list; }
    QPushButton *DownloadButton() const { return m_download; }

    // The "Download" button's work: fetch what is missing, then check again without the message.
    void Download();

private:
    void checkLibraries(bool withMessage);

    CSetupSheet &m_sheet;
    QTreeWidget *m_list;
    QPushButton *m_download;
    CKivSystemCheck m_system;
    bool m_needsDownload = false;
};
