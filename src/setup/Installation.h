#pragma once

#include "setup/FileCopyStep.h"
#include "setup/Prerequisites.h"
#include "setup/SetupData.h"

#include <functional>
#include <memory>
#include <vector>

// An installation: the ordered list of steps built from the wizard's data and the installation
// source, and running them. The program's own files come from the source folder: the program
// "melvora" with its icon, the "shutdown" helper and "User Buttons.bmp" when the build has them, the
// picture "Bild1.bmp" and the manual folder "Handbuch". With checked prerequisites (the wizard), the
// ones the system lacks are copied from the source's "System/" folder as the second step.
class CKivInstallation
{
public:
    CKivInstallation(const CKivSetupData &data, const QString &sourceFolder,
                     const CKivFileCopyStep::LinkFolders &links);

    // Only the program's files: the catalog, its data source, the first user and the hand-over
    // record of an earlier installation stay as they are (a program update).
    void SetFilesOnly(bool filesOnly) { m_mode = filesOnly ? Mode::FilesOnly : Mode::Full; }
    // Only what a user of the installed package needs for himself: the catalog, its data source, the
    // first user and the hand-over record, with the helper files from the source when it has them.
    void SetCatalogOnly() { m_mode = Mode::CatalogOnly; }
    // The checked prerequisites whose copies the installation brings along.
    void SetPrerequisites(const CKivPrerequisites &prerequisites)
    {
        m_prerequisites = std::make_unique<CKivPrerequisites>(prerequisites);
    }

    std::vector<std::unique_ptr<CKivInstallStep>> BuildSteps() const;

    // Called after a step began and after each of its units.
    using Progress = std::function<void(const CKivInstallStep &step)>;

    // Runs every step in order; a failing step does not stop the ones after it. True when none failed.
    bool Run(const Progress &progress = Progress());

    // What failed, one line per step that failed ("title: items").
    QStringList Failures() const { return m_failures; }

    // The default installation folder of the operating-system user, ending in "/".
    static QString DefaultInstallFolder();
    // The operating-system user's name (the default first user).
    static QString SystemUserName();

    static QString ProgramFileName() { return QStringLiteral("melvora"); }
    static QString MenuSubFolder() { return QStringLiteral("Kiv/Melvora/"); }

private:
    enum class Mode { Full, FilesOnly, CatalogOnly };

    CKivSetupData m_data;
    QString m_source;
    CKivFileCopyStep::LinkFolders m_links;
    Mode m_mode = Mode::Full;
    std::unique_ptr<CKivPrerequisites> m_prerequisites;
    QStringList m_failures;
};
