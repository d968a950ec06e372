#include "setup/ui/SetupSheet.h"

#include "setup/ui/DownloadDlg.h"
#include "setup/ui/SetupPage1.h"
#include "setup/ui/SetupPage2.h"
#include "setup/ui/SetupPage3.h"
#include "setup/ui/SetupPage4.h"
#include "setup/ui/SetupPage5.h"
#include "setup/ui/SetupPage6.h"
#include "setup/ui/SetupPage7.h"

#include <QIcon>

CSetupSheet::CSetupSheet(const Options &options, QWidget *parent)
    : QWizard(parent)
    , m_options(options)
    , m_data(options.data)
    , m_prerequisites(options.system, SystemFolder())
{
    setWindowTitle(Caption());
    setWizardStyle(QWizard::ClassicStyle);
    setOption(QWizard::NoCancelButton);
    setOption(QWizard::NoDefaultButton, false);
    setButtonText(QWizard::BackButton, QStringLiteral("< &Zurück"));
    setButtonText(QWizard::NextButton, QStringLiteral("&Weiter >"));
    setButtonText(QWizard::FinishButton, QStringLiteral("&Fertigstellen"));
    setPixmap(QWizard::WatermarkPixmap, QIcon(QStringLiteral(":/melvora/setup/side.svg")).pixmap(QSize(164, 314)));
    setWindowIcon(QIcon(QStringLiteral(":/melvora/setup/side.svg")));

    m_downloadWindow = [this](const QUrl &address, const QString &folder) {
        CKivDownloadDlg dialog(address, folder, this);
        return dialog.exec() == QDialog::Accepted;
    };

    setPage(Welcome, new CSetupPage1(this));
    setPage(Folder, new CSetupPage2(*this));
    setPage(System, new CSetupPage7(*this));
    setPage(User, new CSetupPage3(*this));
    setPage(CdDrive, new CSetupPage4(*this));
    setPage(Medium, new CSetupPage5(*this));
    setPage(Finish, new CSetupPage6(*this));
    setStartId(Welcome);
    resize(640, 440);
}
