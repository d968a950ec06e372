#include "setup/ui/SetupPage7.h"

#include "core/UserInterface.h"
#include "setup/PrerequisiteDownload.h"
#include "setup/ui/SetupSheet.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

CSetupPage7::CSetupPage7(CSetupSheet &sheet)
    : QWizardPage(&sheet)
    , m_sheet(sheet)
    , m_list(new QTreeWidget(this))
    , m_download(new QPushButton(QStringLiteral("Download"), this))
{
    auto *layout = new QVBoxLayout(this);
    auto *text = new QLabel(QStringLiteral("Ihr System wird analysiert und eine Liste der benötigten Dateien wird "
                                           "erstellt. Die benötigten Dateien werden anschließend heruntergeladen."),
                            this);
    text->setWordWrap(true);
    layout->addWidget(text);
    m_list->setHeaderLabels({QStringLiteral("Bezeichnung"), QStringLiteral("Status")});
    m_list->setRootIsDecorated(false);
    // No label stands beside the list: a screen reader gets what it holds.
    m_list->setAccessibleName(QStringLiteral("Benötigte Dateien"));
    // The names (the system's full name among them) take the room; the states are short words.
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_list->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    layout->addWidget(m_list, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_download);
    layout->addLayout(buttons);
    m_download->setEnabled(false);
    connect(m_download, &QPushButton::clicked, this, &CSetupPage7::Download);
}

void CSetupPage7::initializePage()
{
    m_list->clear();
    m_needsDownload = false;
    m_system = CKivSystemCheck::Read(m_sheet.Settings().osReleasePath.isEmpty()
                                         ? CKivSystemCheck::DefaultPath()
                                         : m_sheet.Settings().osReleasePath);
    new QTreeWidgetItem(m_list, {m_system.RowText(), m_system.StatusText()});
    m_sheet.SetSystemValid(m_system.valid);
    if (m_system.valid)
        checkLibraries(true);
    else
        m_system.ShowInvalidMessage();
    Q_EMIT completeChanged();
}

void CSetupPage7::checkLibraries(bool withMessage)
{
    while (m_list->topLevelItemCount() > 1)
        delete m_list->takeTopLevelItem(1);
    CKivPrerequisites &prerequisites = m_sheet.Prerequisites();
    prerequisites.Check();
    for (const CKivPrerequisite &prerequisite : prerequisites.Entries())
        new QTreeWidgetItem(m_list, {prerequisite.name, prerequisite.StateText()});
    m_needsDownload = prerequisites.NeedsDownload();
    if (m_needsDownload && withMessage)
        kivUi().showMessage(QStringLiteral("Setup hat festgestellt das zusätzliche Dateien aus dem Internet benötigt "
                                           "werden.\nStellen Sie die Verbindung mit dem Internet her und klicken Sie "
                                           "auf Download."),
                            QStringLiteral("Melvora Setup"), KivIcon::Information, KivButtons::OkCancel);
    m_download->setEnabled(m_needsDownload);
    Q_EMIT completeChanged();
}

bool CSetupPage7::isComplete() const
{
    return !m_needsDownload;
}

bool CSetupPage7::validatePage()
{
    return isComplete();
}

void CSetupPage7::Download()
{
    m_download->setEnabled(false);
    CKivPrerequisiteDownload download(QUrl(m_sheet.Settings().downloadBase), m_sheet.DownloadWindow());
    download.Run(m_sheet.Prerequisites());
    checkLibraries(false);
}
