#include "setup/PrerequisiteDownload.h"

#include "core/UserInterface.h"
#include "setup/IniFile.h"
#include "setup/SetupLog.h"
#include "setup/Sha256Manifest.h"
#include "setup/ZipExtract.h"

#include <QDir>
#include <QFile>

namespace {

QString stopCaption()
{
    return QStringLiteral("Setup kann nicht fortgesetzt werden !");
}

} // namespace

CKivPrerequisiteDownload::CKivPrerequisiteDownload(const QUrl &base, DownloadWindow window)
    : m_base(base)
    , m_window(std::move(window))
{
}

QString CKivPrerequisiteDownload::SourceBase(const QString &sourceFolder)
{
    return KivIni::Value(sourceFolder + QLatin1String("Download.ini"), QStringLiteral("Download"),
                         QStringLiteral("Base"));
}

QUrl CKivPrerequisiteDownload::AddressOf(const QString &fileName) const
{
    QString base = m_base.toString();
    if (!base.endsWith(u'/'))
        base += QLatin1Char('/');
    return QUrl(base + QString::fromLatin1(QUrl::toPercentEncoding(fileName)));
}

bool CKivPrerequisiteDownload::downloadFailed()
{
    kivUi().showMessage(QStringLiteral("Beim download einer benötigten Datei ist ein Fehler aufgetreten."),
                        stopCaption(), KivIcon::Exclamation, KivButtons::OkCancel);
    return false;
}

bool CKivPrerequisiteDownload::fetch(const CKivPrerequisite &prerequisite, const QString &folder)
{
    const QString archive = QDir(folder).filePath(prerequisite.archiveName);
    if (!m_window(AddressOf(prerequisite.archiveName), folder))
        return downloadFailed();
    // Code from the network runs only when it is exactly what the list names.
    if (!m_manifest->Matches(prerequisite.archiveName, archive)) {
        qCWarning(lcSetup).noquote() << "The checksum of" << prerequisite.archiveName << "does not match the list";
        QFile::remove(archive);
        return downloadFailed();
    }
    QString error;
    const bool extracted = KivZip::Extract(archive, folder, &error);
    QFile::remove(archive);
    if (!extracted) {
        qCWarning(lcSetup).noquote() << "Extracting" << prerequisite.archiveName << "failed:" << error;
        kivUi().showMessage(QStringLiteral("Beim entpacken der Datei: ") + prerequisite.archiveName
                                + QStringLiteral(" ist ein Fehler aufgetreten."),
                            stopCaption(), KivIcon::Exclamation);
        return false;
    }
    return true;
}

bool CKivPrerequisiteDownload::Run(CKivPrerequisites &prerequisites)
{
    const QString folder = prerequisites.SystemFolder();
    bool ok = true;
    // The list of checksums first: without it nothing downloaded can be trusted.
    CKivSha256Manifest manifest;
    const QString listPath = QDir(folder).filePath(CKivSha256Manifest::FileName());
    if (!m_window(AddressOf(CKivSha256Manifest::FileName()), folder)) {
        ok = downloadFailed();
    } else {
        QFile list(listPath);
        if (list.open(QIODevice::ReadOnly))
            manifest = CKivSha256Manifest::Parse(list.read(1024 * 1024));
        list.close();
        QFile::remove(listPath);
    }
    m_manifest = &manifest;
    for (const CKivPrerequisite &prerequisite : prerequisites.Entries()) {
        if (!ok)
            break;
        if (prerequisite.state == CKivPrerequisite::Download && !prerequisite.optional)
            ok = fetch(prerequisite, folder);
    }
    m_manifest = nullptr;
    prerequisites.Check();
    return ok && !prerequisites.NeedsDownload();
}
