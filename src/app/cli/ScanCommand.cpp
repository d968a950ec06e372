#include "app/cli/ScanCommand.h"

#include "app/cli/CliSession.h"
#include "core/UserInterface.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "media/scan/ScanDriver.h"
#include "media/scan/ScanList.h"
#include "media/scan/ScanMedium.h"
#include "media/scan/ScanPath.h"
#include "mp3/item/Mp3FileOps.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTextStream>
#include <QThread>

#include <unistd.h>

namespace {

// Shows the scan's progress on stderr: a line for each new phase and, on a terminal, a counter that
// is rewritten in place.
class Progress
{
public:
    explicit Progress(CliSession &session)
        : m_session(session)
        , m_terminal(isatty(STDERR_FILENO) == 1)
    {
    }

    void show(const CKivScanList &list)
    {
        const QString status = list.GetStatusText();
        if (status != m_status) {
            endLine();
            m_status = status;
            if (!status.isEmpty())
                m_session.ui().printError(status);
        }
        if (m_terminal && list.GetTotal() > 0) {
            QTextStream err(stderr);
            err << "\r" << list.GetCurrentIndex() << "//" << list.GetTotal() << "  "
                << list.GetCurrentFile().left(60).leftJustified(60) << Qt::flush;
            m_counterShown = true;
        }
    }

    void endLine()
    {
        if (m_counterShown)
            QTextStream(stderr) << "\n";
        m_counterShown = false;
    }

private:
    CliSession &m_session;
    const bool m_terminal;
    QString m_status;
    bool m_counterShown = false;
};

} // namespace

int RunScanCommand(CliSession &session, const QString &mediumName, const QString &subPathText, bool quick)
{
    const std::optional<QString> subPath = KivScanPath::Normalized(subPathText);
    if (!subPath)
        return session.fail(QStringLiteral("the folder must lie inside the medium: ") + subPathText,
                            CliSession::UserError);

    const CKivMedium *medium = session.media().FindMedium(mediumName);
    std::shared_ptr<CKivMedium> copy;
    if (medium && medium->IsUsersMedium()) {
        if (medium->GetState() != CKivMedium::Online) {
            kivUi().showMessage(QStringLiteral("Medium oder Folder kann nicht durchsucht werden,\nda das Medium nicht "
                                               "online ist !"),
                                QStringLiteral("Warnung !"), KivIcon::Exclamation);
            return CliSession::UserError;
        }
        const QString folder = KivMp3FileOps::Join(medium->GetRoot(), KivMp3FileOps::LocalPath(*subPath));
        if (!QFileInfo(folder).isDir())
            return session.fail(QStringLiteral("no such folder on the medium: ") + folder, CliSession::UserError);
        copy = KivScanMedium::Copy(session.db(), *medium);
        if (!copy)
            return session.fail(QStringLiteral("the medium cannot be read from the catalog"),
                                CliSession::CatalogUnreachable);
    }
    // Without a medium of that name the scan itself says so and stores nothing.
    auto list = std::make_shared<CKivScanList>(session.settings(), mediumName, *subPath, quick, copy);
    // The driver's details of a failing catalog (from Qt's ODBC driver too) stay out of the user's
    // terminal: the scan tells the cause itself. QT_LOGGING_RULES brings them back.
    QLoggingCategory::setFilterRules(
        QStringLiteral("default.warning=false\nmelvora.catalog.warning=false\nmelvora.scan.warning=false"));
    CKivScanDriver driver(list);
    if (!driver.Start())
        return session.fail(QStringLiteral("another scan is running"), CliSession::UserError);

    Progress progress(session);
    while (driver.Poll() != CKivScanDriver::State::Finished) {
        progress.show(*list);
        QThread::msleep(100);
    }
    progress.show(*list);
    progress.endLine();
    if (!copy)
        return CliSession::UserError;

    // A catalog that stopped the scan (full, read-only, gone) was told in one line already.
    if (!list->GetCatalogFailure().isEmpty())
        return CliSession::CatalogUnreachable;
    QTextStream(stdout) << list->GetFoundCount() << " files found, " << list->GetStoredCount() << " stored, "
                        << list->GetFailedCount() << " failed\n";
    return list->GetFailedCount() == 0 ? CliSession::Success : CliSession::UserError;
}
