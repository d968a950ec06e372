#pragma once

#include "setup/FileCopyStep.h"
#include "setup/SetupData.h"

#include <functional>
#include <memory>
#include <vector>

// An installation: the ordered list of steps built from the wizard's data and the installation
// source, and running them. The program's own files come from the source folder: the program
// "melvora" with its icon, the "shutdown" helper and "User Buttons.bmp" when the build has them, the
// picture "Bild1.bmp" and the manual folder "Handbuch". Nothing is downloaded: the program's
// libraries come with the system's packages.
class CKivInstallation
{
public:
    CKivInstallation(const CKivSetupData &data, const QString &sourceFolder,
                     const CKivFileCopyStep::LinkFolders &links);

    // Only the program's files: the catalog, its data source, the first user and the hand-over
    // record of an earlier installation stay as they are (a program update).
    void SetFilesOnly(bool filesOnly) { m_filesOnly = filesOnly; }

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
    CKivSetupData m_data;
    QString m_source;
    CKivFileCopyStep::LinkFolders m_links;
    bool m_filesOnly = false;
    QStringList m_failures;
};
