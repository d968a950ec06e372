#include "app/ui/frame/ManualWindow.h"

#include "core/Settings.h"
#include "core/UserInterface.h"
#include "app/ui/MelvoraApp.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

CKivManualWindow::CKivManualWindow(const QString &indexFile, QWidget *parent)
    : QDialog(parent)
    , m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("manualWindow"));
    setWindowTitle(QStringLiteral("Handbuch"));
    m_browser->setOpenExternalLinks(true);
    m_browser->setSource(QUrl::fromLocalFile(QFileInfo(indexFile).absoluteFilePath()));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 5, 20);
    layout->addWidget(m_browser);
    resize(870, 625);
}

QString CKivManualWindow::indexFile(const CKivSettings &settings)
{
    return settings.GetFolderHelpFiles() + QStringLiteral("index.htm");
}

QString CKivManualWindow::missingText()
{
    return QStringLiteral("Das Handbuch wurde nicht gefunden.\nBitte überprüfen Sie in den Programmeinstellungen "
                          "den Ordner des Handbuchs.\nDas Handbuch können Sie auch von ")
           + CMelvoraApp::WebSite() + QStringLiteral(" herunterladen.");
}

bool CKivManualWindow::showManual(const CKivSettings &settings, QWidget *parent)
{
    const QString file = indexFile(settings);
    if (!QFileInfo(file).isFile()) {
        kivUi().showMessage(missingText(), missingCaption(), KivIcon::Exclamation);
        return false;
    }
    CKivManualWindow window(file, parent);
    window.exec();
    return true;
}
