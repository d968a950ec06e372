#include "setup/FileCopyStep.h"

#include "setup/DesktopEntry.h"
#include "setup/EnsureFolder.h"
#include "setup/SetupLog.h"

#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace {

std::filesystem::path fsPath(const QString &path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

} // namespace

CKivFileCopyStep::CKivFileCopyStep(const QString &title, const QList<Entry> &entries, const LinkFolders &links)
    : CKivInstallStep(title)
    , m_entries(entries)
    , m_links(links)
{
}

bool CKivFileCopyStep::Begin()
{
    setUnits(int(m_entries.size()));
    setCurrentUnit(0);
    return !m_entries.isEmpty();
}

bool CKivFileCopyStep::Next()
{
    if (CurrentUnit() >= Units())
        return false;
    copyEntry(m_entries.at(CurrentUnit()));
    setCurrentUnit(CurrentUnit() + 1);
    return CurrentUnit() < Units();
}

void CKivFileCopyStep::copyEntry(const Entry &entry)
{
    const QString source = entry.sourceFolder + entry.fileName;
    if (!QFileInfo::exists(source)) {
        // A file the build does not have (yet) is left out; the program itself is not.
        if (!entry.optional)
            addFailure(entry.fileName);
        return;
    }
    if (!KivSetup::EnsureFolder(withoutTrailingSlash(entry.destinationFolder))
        || !CopyItem(source, entry.destinationFolder + entry.fileName)) {
        addFailure(entry.fileName);
        return;
    }
    setStatus(entry.fileName);
    writeLinks(entry);
}

bool CKivFileCopyStep::CopyItem(const QString &source, const QString &target)
{
    std::error_code error;
    const std::filesystem::path from = fsPath(source);
    const std::filesystem::path to = fsPath(target);
    if (std::filesystem::is_directory(from, error)) {
        std::filesystem::create_directories(to, error);
        std::filesystem::copy(from, to,
                              std::filesystem::copy_options::recursive
                                  | std::filesystem::copy_options::overwrite_existing,
                              error);
    } else {
        std::filesystem::path part = to;
        part += ".part";
        std::filesystem::copy_file(from, part, std::filesystem::copy_options::overwrite_existing, error);
        if (!error)
            std::filesystem::rename(part, to, error);
        if (error) {
            std::error_code ignored;
            std::filesystem::remove(part, ignored);
        }
    }
    if (error) {
        qCWarning(lcSetup).noquote() << "Copying" << source << "to" << target << "failed:"
                                     << QString::fromStdString(error.message());
        return false;
    }
    return true;
}

void CKivFileCopyStep::writeLinks(const Entry &entry)
{
    if (!entry.desktopLink && !entry.menuLink)
        return;
    CKivDesktopEntry link;
    link.name = QFileInfo(entry.fileName).completeBaseName();
    if (!link.name.isEmpty())
        link.name[0] = link.name.at(0).toUpper();
    link.comment = QStringLiteral("Katalog für MP3-Sammlungen");
    link.program = QFileInfo(entry.destinationFolder + entry.fileName).absoluteFilePath();
    link.workingFolder = withoutTrailingSlash(QFileInfo(entry.destinationFolder).absoluteFilePath());
    if (!entry.iconFile.isEmpty() && QFileInfo::exists(entry.destinationFolder + entry.iconFile))
        link.icon = QFileInfo(entry.destinationFolder + entry.iconFile).absoluteFilePath();
    const QString fileName = QFileInfo(entry.fileName).completeBaseName() + QLatin1String(".desktop");

    // A desktop that does not exist is not created: such a system shows no desktop links.
    if (entry.desktopLink && !m_links.desktop.isEmpty() && QFileInfo(m_links.desktop).isDir()) {
        if (!link.Write(QFileInfo(m_links.desktop + QLatin1Char('/') + fileName).absoluteFilePath()))
            qCWarning(lcSetup).noquote() << "Writing the desktop link failed";
    }
    if (entry.menuLink && !m_links.menu.isEmpty()) {
        const QString folder = withoutTrailingSlash(m_links.menu + QLatin1Char('/') + entry.menuSubFolder);
        if (!KivSetup::EnsureFolder(folder) || !link.Write(folder + QLatin1Char('/') + fileName))
            qCWarning(lcSetup).noquote() << "Writing the menu link failed";
    }
}
