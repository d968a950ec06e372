#pragma once

#include <QDateTime>
#include <QString>

#include <memory>
#include <vector>

class CKivDatabase;
class CRsMedienNamen;
class CRsMedienUser;

// A medium: a named place where MP3 files live, a folder on a disk or a CD in the CD drive. It joins
// the medium's catalog rows (MedienNamen, the user's MedienUser row, for CDs the CDs row) and tells
// the rest of the program where its root is, whether it is online and what its name is.
//
// The root is drive + path as described in media/MediumRoot.h: native, "/"-separated, the drive a
// mount point. Files below it are addressed by the catalog's "\"-separated sub-paths.
//
// Catalog work takes the connection as an argument, so a medium can be used with the connection of
// whichever thread asks. Media are not copied: items refer to them by address.
class CKivMedium
{
public:
    enum State { NotAssigned = 0, Offline = 1, Online = 2 };

    // A new disk medium "Neues Medium" on the default root, not yet stored.
    static std::unique_ptr<CKivMedium> NewDisk(int userId);
    // A new CD medium "Neue CD" on the CD drive, not yet stored; offline until the CD manager says.
    static std::unique_ptr<CKivMedium> NewCd(int userId, const QString &cdDrive);
    // The medium of a MedienNamen row as the user sees it: a disk medium with the user's MedienUser
    // row (or unassigned without one), a CD medium (CDRomID not 0) with its CDs row on cdDrive.
    static std::unique_ptr<CKivMedium> FromRow(CKivDatabase &db, const CRsMedienNamen &row, int userId,
                                               const QString &cdDrive);

    CKivMedium(const CKivMedium &) = delete;
    CKivMedium &operator=(const CKivMedium &) = delete;

    static QString ClassName() { return QStringLiteral("CKivMedium"); }

    // --- catalog and file operations
    // Deletes the user's MedienUser row (when stored) and puts the medium back on the default root,
    // unassigned. CD media have no assignment and are left alone (false).
    bool RemoveAssignment(CKivDatabase &db);
    // Opens the medium dialog on this medium; true when the user confirmed it and it was saved.
    bool Edit();
    // Writes "MediumHeader.med" naming this medium into its root; tells the user when it fails.
    bool WriteHeaderFile() const;
    // Writes a header naming `name` into root; tells the user when it fails or the name does not fit.
    static bool WriteHeaderFile(const QString &root, const QString &name);
    // Computes the state of a disk medium from its assignment, offline flag and header file; a CD
    // keeps the state the CD manager gave it. Returns the state.
    int CheckOnline();
    // Stores a disk medium: a new one gets its MedienNamen and MedienUser rows (and a header file when
    // checkHeader is set and none is there), a stored one its user's MedienUser row. With checkHeader
    // a header in the root that names another medium refuses the save. CD media are stored by the
    // CD manager (false here).
    bool Save(CKivDatabase &db, bool checkHeader);
    // Stores a new CD medium: its MedienNamen row (CDRomID 1) and its CDs row, both or neither. A
    // name MedienNamen holds already is refused with a message; no header file is written.
    bool SaveCd(CKivDatabase &db);

    // --- catalogued items below a folder of this medium (what the folder view shows of it offline)
    struct CatalogFolder
    {
        qint32 id = -1;
        QString subPath;  // "Rock\Alt\"
        bool isImportFolder = false;
    };
    struct CatalogFile
    {
        qint32 id = -1;
        QString subPath;
        QString filename;  // with its extension
        qint32 fileSize = 0;
        QDateTime created;
        qint32 importId = 0;
    };
    // Whether Mp3s holds the file subPath + filename of this medium (looked up by its key).
    bool IsCatalogued(CKivDatabase &db, const QString &subPath, const QString &filename) const;
    // The catalogued folders directly below subPath (empty: the root), through Folder.ParentID, in
    // the catalog's order; only the import folders when asked.
    std::vector<CatalogFolder> CatalogFolders(CKivDatabase &db, const QString &subPath, bool importOnly) const;
    // The catalogued files in subPath, through Mp3s.FolderID; only the pending imports when asked.
    std::vector<CatalogFile> CatalogFiles(CKivDatabase &db, const QString &subPath, bool importOnly) const;

    // --- state
    int GetState() const { return m_state; }
    bool IsOffline() const { return m_offline != 0; }
    void SetOffline(bool offline) { m_offline = offline ? 1 : 0; }
    // CD media only (others ignore it): 0 and 1 set the offline flag, 2 clears it.
    void SetCdState(int state);
    // Whether the user has this medium: assigned to him, or a CD.
    bool IsUsersMedium() const { return m_isCd || m_assignmentId != -1; }

    // --- where
    QString GetRoot() const { return m_root; }
    QString GetDrive() const { return m_drive; }
    QString GetPath() const { return m_path; }
    void SetDrive(const QString &drive);
    void SetPath(const QString &path);
    int GetDriveType() const { return m_driveType; }
    void SetDriveType(int type) { m_driveType = type; }
    QString DriveTypeText() const;
    QString GetComputerName() const { return m_computerName; }

    // --- who
    int GetID() const { return m_id; }
    int GetAssignmentID() const { return m_assignmentId; }
    int GetUserID() const { return m_userId; }
    QString GetName() const { return m_name; }
    // Takes a new name before the medium is stored; refuses (and tells the user) a stored medium,
    // a reserved name and a name too long for the header file.
    bool SetName(const QString &name);
    bool IsCd() const { return m_isCd; }

    // --- CD identification (CDs row)
    QString GetVolumeSize() const { return m_volumeSize; }
    void SetVolumeSize(const QString &size) { m_volumeSize = size; }
    bool HasVolumeSize() const { return m_hasVolumeSize; }
    void SetHasVolumeSize(bool has) { m_hasVolumeSize = has; }
    bool HasHeaderFile() const { return m_hasHeaderFile; }
    void SetHasHeaderFile(bool has) { m_hasHeaderFile = has; }

private:
    CKivMedium(int userId, bool isCd);
    void updateRoot() { m_root = m_drive + m_path; }
    bool insertNew(CKivDatabase &db, bool writeHeader);
    bool storeAssignment(CKivDatabase &db);
    // The user's root and offline flag into the current MedienUser row.
    void writeAssignment(CRsMedienUser &users) const;
    // The Folder ID of subPath (0 for the root); -1 when the catalog has no such folder.
    qint32 folderIdOf(CKivDatabase &db, const QString &subPath) const;

    int m_id = -1;
    int m_assignmentId = -1;
    int m_userId = -1;
    int m_offline = 0;
    QString m_computerName;
    QString m_drive;
    int m_driveType = 0;
    QString m_name;
    QString m_path;
    QString m_root;
    QString m_volumeSize;
    bool m_hasVolumeSize = false;
    bool m_hasHeaderFile = false;
    bool m_isCd = false;
    int m_state = NotAssigned;
};
