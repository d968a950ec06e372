#pragma once

#include <QString>

class CKivSetupData;

// The checks the wizard's pages make before they let the user go on, with their messages. Each check
// tells the user what is wrong (through the core's user interface) and returns false; true lets the
// installation go on. Shared by the wizard and the unattended installation.
class CKivSetupChecks
{
public:
    // The installation folder: chosen, made to exist, writable, and short enough that the catalog
    // path fits the hand-over record and the data source registration.
    static bool InstallFolder(const QString &installFolder);
    // The first user needs a name.
    static bool User(const QString &userName);
    // The CD-ROM drive: none at all (noDrive), or a folder on a CD-ROM drive. Empties the drive
    // for noDrive.
    static bool CdDrive(QString &drive, bool noDrive);
    // The first medium: with create unticked everything about it is cleared; otherwise it needs a
    // name and a writable folder that is no CD and fits the hand-over record.
    static bool FirstMedium(CKivSetupData &data);

    // The caption of the pages' messages: the program's own.
    static QString Caption() { return QStringLiteral("Setup"); }

private:
    static bool refuse(const QString &text);
};
