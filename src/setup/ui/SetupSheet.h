#pragma once

#include "setup/PrerequisiteDownload.h"
#include "setup/Prerequisites.h"
#include "setup/ui/SetupSheetOptions.h"

#include <QWizard>

#include <functional>

// Setup's wizard: seven pages that collect the installation folder, check the system and its
// prerequisites (downloading missing ones), collect the first user, the CD-ROM drive and the first
// medium, and run the installation steps on the last page. Back keeps every value.
class CSetupSheet : public QWizard
{
    Q_OBJECT

public:
    // The pages in the order the wizard shows them.
    enum PageId { Welcome, Folder, System, User, CdDrive, Medium, Finish };

    using Options = KivSetupSheetOptions;

    explicit CSetupSheet(const Options &options, QWidget *parent = nullptr);

    static QString Caption() { return QStringLiteral("Melvora V 1.1 Setup (Vollversion)"); }

    CKivSetupData &Data() { return m_data; }
    const Options &Settings() const { return m_options; }
    QString SystemFolder() const { return m_options.sourceFolder + QLatin1String("System/"); }

    // How the download window is shown (the real window unless a test replaces it).
    void SetDownloadWindow(CKivPrerequisiteDownload::DownloadWindow window) { m_downloadWindow = std::move(window); }
    CKivPrerequisiteDownload::DownloadWindow DownloadWindow() const { return m_downloadWindow; }

    // The prerequisites as the third page last checked them.
    CKivPrerequisites &Prerequisites() { return m_prerequisites; }

    // Whether the third page found the system valid (only then are prerequisites installed).
    bool SystemValid() const { return m_systemValid; }
    void SetSystemValid(bool valid) { m_systemValid = valid; }

    // After Finish: whether every installation step succeeded.
    bool Installed() const { return m_installed; }
    void SetInstalled(bool installed) { m_installed = installed; }

private:
    Options m_options;
    CKivSetupData m_data;
    CKivPrerequisites m_prerequisites;
    CKivPrerequisiteDownload::DownloadWindow m_downloadWindow;
    bool m_systemValid = false;
    bool m_installed = false;
};
