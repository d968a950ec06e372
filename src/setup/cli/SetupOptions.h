#pragma once

#include "setup/FileCopyStep.h"
#include "setup/SetupData.h"

#include <QStringList>

// The command line of melvora-setup: what the wizard's pages would collect, given as options, with
// the defaults of an installation for the operating-system user.
class SetupOptions
{
public:
    // Parses args (the program name first). False with error() set when they are not understood.
    bool parse(const QStringList &args);

    bool unattended = false;
    bool help = false;
    bool filesOnly = false;
    CKivSetupData data;
    QString sourceFolder;
    QString downloadBase;   // where missing prerequisites are downloaded from; empty: the source's setting
    CKivFileCopyStep::LinkFolders links;

    QString error() const { return m_error; }
    QString helpText() const { return m_helpText; }

    // The installation source beside the running program: its folder + "Data/".
    static QString DefaultSourceFolder();

private:
    QString m_error;
    QString m_helpText;
};
