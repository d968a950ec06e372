#pragma once

#include <QString>

class CKivDatabase;
class CKivMedium;

// What the medium dialog edits and decides, without its widgets: the values shown on opening, the
// folder choice split into drive and path, re-creating the header file, and the checks and save of
// "OK". The dialog binds its fields to this form and shows what it says; the messages go through
// the core's user interface. The medium changes only when "OK" succeeds.
class CKivMediumForm
{
public:
    CKivMediumForm(CKivDatabase &db, CKivMedium &medium);

    CKivMedium &medium() const { return m_medium; }

    // The name can be typed only for a medium not yet stored.
    bool IsNameEditable() const;
    // "Medium ist Online" for an online medium, else "Medium ist Offline".
    QString StatusText() const;

    QString Name() const { return m_name; }
    void SetName(const QString &name) { m_name = name; }
    QString Drive() const { return m_drive; }
    void SetDrive(const QString &drive) { m_drive = drive; }
    QString Path() const { return m_path; }
    void SetPath(const QString &path) { m_path = path; }
    int DriveType() const { return m_driveType; }
    void SetDriveType(int type) { m_driveType = type; }
    bool Offline() const { return m_offline; }
    void SetOffline(bool offline) { m_offline = offline; }

    // The folder chosen with "...": split into drive and path; the drive's type is selected.
    void ChooseFolder(const QString &folder);

    // "Header Erstellen": asks for confirmation, then writes the header file naming the medium into
    // the folder the form shows. True when it was written.
    bool RecreateHeader();

    // "OK": checks the values in the dialog's order (telling the user what is missing or wrong),
    // hands them to the medium and saves it with the header check. True when saved; otherwise the
    // medium is as it was and the dialog stays open.
    bool Accept();

private:
    QString nameForHeader() const;

    CKivDatabase &m_db;
    CKivMedium &m_medium;
    QString m_name;
    QString m_drive;
    QString m_path;
    int m_driveType;
    bool m_offline;
};
