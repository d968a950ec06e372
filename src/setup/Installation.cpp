#include "setup/Installation.h"

#include "setup/CatalogFileStep.h"
#include "setup/DatabaseStep.h"
#include "setup/HandOverStep.h"
#include "setup/RuntimeLibraryStep.h"

#include <QDir>

#include <pwd.h>
#include <unistd.h>

namespace {

CKivFileCopyStep::Entry entry(const QString &source, const QString &fileName, const QString &destination,
                              bool optional)
{
    CKivFileCopyStep::Entry e;
    e.sourceFolder = source;
    e.fileName = fileName;
    e.destinationFolder = destination;
    e.optional = optional;
    return e;
}

} // namespace

CKivInstallation::CKivInstallation(const CKivSetupData &data, const QString &sourceFolder,
                                   const CKivFileCopyStep::LinkFolders &links)
    : m_data(data)
    , m_source(CKivSetupData::WithTrailingSlash(sourceFolder))
    , m_links(links)
{
}

std::vector<std::unique_ptr<CKivInstallStep>> CKivInstallation::BuildSteps() const
{
    const QString target = m_data.installFolder;
    using Entry = CKivFileCopyStep::Entry;

    // The icon comes first so that the links of the program can name it.
    const Entry icon = entry(m_source, QStringLiteral("melvora.svg"), target, true);
    Entry program = entry(m_source, ProgramFileName(), target, false);
    program.desktopLink = true;
    program.menuLink = true;
    program.menuSubFolder = MenuSubFolder();
    program.iconFile = icon.fileName;
    const Entry shutdown = entry(m_source, QStringLiteral("shutdown"), target, true);
    const Entry buttons = entry(m_source, QStringLiteral("User Buttons.bmp"), target, true);
    const Entry picture = entry(m_source, QStringLiteral("Bild1.bmp"), target + QLatin1String("Hintergrundbilder/"),
                                true);
    const Entry manual = entry(m_source, QStringLiteral("Handbuch"), target, true);

    const bool files = m_mode != Mode::CatalogOnly;
    const bool catalog = m_mode != Mode::FilesOnly;
    std::vector<std::unique_ptr<CKivInstallStep>> steps;
    if (files)
        steps.push_back(std::make_unique<CKivFileCopyStep>(QStringLiteral("Programm Files werden kopiert."),
                                                           QList<Entry>{icon, program, shutdown, buttons}, m_links));
    else
        steps.push_back(std::make_unique<CKivFileCopyStep>(QStringLiteral("Programm Files werden kopiert."),
                                                           QList<Entry>{shutdown, buttons}, m_links));
    if (m_prerequisites)
        steps.push_back(std::make_unique<CKivRuntimeLibraryStep>(QStringLiteral("System Files werden kopiert."),
                                                                 *m_prerequisites, target));
    if (catalog)
        steps.push_back(std::make_unique<CKivCatalogFileStep>(QStringLiteral("Datenbank Files werden kopiert."),
                                                              m_data.DatabaseFile()));
    steps.push_back(std::make_unique<CKivFileCopyStep>(QStringLiteral("Hintergrundbilder werden kopiert."),
                                                       QList<Entry>{picture}, m_links));
    steps.push_back(std::make_unique<CKivFileCopyStep>(QStringLiteral("Help Files werden kopiert."),
                                                       QList<Entry>{manual}, m_links));
    if (!catalog)
        return steps;
    const CKivDatabaseStep::FirstUser user{m_data.userName, m_data.firstName, m_data.surname, m_data.email,
                                           m_data.password};
    steps.push_back(std::make_unique<CKivDatabaseStep>(QStringLiteral("Datenbank wird eingerichtet."),
                                                       m_data.DatabaseFile(), CKivSetupData::DataSourceName(), user));
    steps.push_back(std::make_unique<CKivHandOverStep>(QStringLiteral("Installation wird abgeschlossen."), target,
                                                       m_data.HandOverRecord()));
    return steps;
}

bool CKivInstallation::Run(const Progress &progress)
{
    m_failures.clear();
    for (const std::unique_ptr<CKivInstallStep> &step : BuildSteps()) {
        if (step->Begin()) {
            if (progress)
                progress(*step);
            bool more = true;
            while (more) {
                more = step->Next();
                if (progress)
                    progress(*step);
            }
        }
        if (step->Failed())
            m_failures.append(step->Title() + QLatin1String(" ") + step->Failures().join(QLatin1String(", ")));
    }
    return m_failures.isEmpty();
}

QString CKivInstallation::DefaultInstallFolder()
{
    return QDir::homePath() + QLatin1String("/.local/opt/Kiv/Melvora/");
}

QString CKivInstallation::SystemUserName()
{
    if (const passwd *entry = getpwuid(getuid()); entry && entry->pw_name && *entry->pw_name)
        return QString::fromLocal8Bit(entry->pw_name);
    return qEnvironmentVariable("USER");
}
