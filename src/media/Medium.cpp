#include "media/Medium.h"

#include "core/UserInterface.h"
#include "catalog/RsCDs.h"
#include "catalog/RsFolder.h"
#include "catalog/RsMedienNamen.h"
#include "catalog/RsMedienUser.h"
#include "catalog/RsMp3s.h"
#include "catalog/Transaction.h"
#include "media/DriveLayer.h"
#include "media/DriveType.h"
#include "media/MediaLog.h"
#include "media/MediumHeaderFile.h"
#include "media/MediumName.h"
#include "media/MediumRoot.h"

#include <QFile>

namespace {

void tellFileError()
{
    kivUi().showMessage(QStringLiteral("Beim Öffnen oder Speichern der Datei ist ein Fehler aufgetreten !"),
                        QStringLiteral("Warnung"), KivIcon::Stop);
}

void tellSaveError()
{
    kivUi().showMessage(QStringLiteral("Beim Speichern des Mediums ist ein Fehler aufgetretten. Medium konnte "
                                       "nicht erstellt oder geändert werden !"),
                        QStringLiteral("Warnung !"), KivIcon::Exclamation);
}

} // namespace

CKivMedium::CKivMedium(int userId, bool isCd)
    : m_userId(userId)
    , m_isCd(isCd)
{
}

std::unique_ptr<CKivMedium> CKivMedium::NewDisk(int userId)
{
    std::unique_ptr<CKivMedium> medium(new CKivMedium(userId, false));
    medium->m_name = QStringLiteral("Neues Medium");
    medium->m_drive = KivMediumRoot::defaultDrive();
    medium->updateRoot();
    return medium;
}

std::unique_ptr<CKivMedium> CKivMedium::NewCd(int userId, const QString &cdDrive)
{
    std::unique_ptr<CKivMedium> medium(new CKivMedium(userId, true));
    medium->m_name = QStringLiteral("Neue CD");
    medium->m_assignmentId = 0;
    medium->m_drive = KivMediumRoot::normalizedDrive(cdDrive);
    medium->m_driveType = KivDriveType::CdRom;
    // Only the CD manager, which sees the disc, puts a CD online.
    medium->m_offline = 1;
    medium->m_state = Offline;
    medium->updateRoot();
    return medium;
}

std::unique_ptr<CKivMedium> CKivMedium::FromRow(CKivDatabase &db, const CRsMedienNamen &row, int userId,
                                                const QString &cdDrive)
{
    if (row.m_CDRomID != 0) {
        std::unique_ptr<CKivMedium> medium = NewCd(userId, cdDrive);
        medium->m_id = row.m_ID;
        medium->m_name = row.m_Mediumname;
        CRsCDs cds(db);
        if (cds.OpenByMediumId(row.m_ID)) {
            medium->m_hasHeaderFile = cds.m_HasHeaderFile != 0;
            medium->m_hasVolumeSize = cds.m_HasVolumeSize != 0;
            medium->m_volumeSize = cds.m_VolumeSize;
            cds.Close();
        }
        return medium;
    }

    std::unique_ptr<CKivMedium> medium(new CKivMedium(userId, false));
    medium->m_id = row.m_ID;
    medium->m_name = row.m_Mediumname;
    CRsMedienUser users(db);
    if (users.OpenByMediumAndUser(row.m_ID, userId)) {
        medium->m_assignmentId = users.m_ID;
        medium->m_computerName = users.m_Computername;
        medium->m_drive = users.m_Drive;
        medium->m_driveType = users.m_DriveType;
        medium->m_path = users.m_Path;
        medium->m_offline = users.m_Offline != 0 ? 1 : 0;
        users.Close();
    } else {
        medium->m_drive = KivMediumRoot::defaultDrive();
    }
    medium->updateRoot();
    return medium;
}

bool CKivMedium::RemoveAssignment(CKivDatabase &db)
{
    if (m_isCd)
        return false;
    if (m_id != -1) {
        CRsMedienUser users(db);
        // One row per user and medium; should there be more, none may survive.
        while (users.OpenByMediumAndUser(m_id, m_userId)) {
            const bool deleted = users.Delete();
            users.Close();
            if (!deleted)
                return false;
        }
        if (users.lastOpenFailedInDatabase())
            return false;
    }
    m_assignmentId = -1;
    m_drive = KivMediumRoot::defaultDrive();
    m_driveType = KivDriveType::Unknown;
    m_path.clear();
    m_state = NotAssigned;
    updateRoot();
    return true;
}

bool CKivMedium::Edit()
{
    return kivUi().runMediumDialog(*this);
}

bool CKivMedium::WriteHeaderFile() const
{
    return WriteHeaderFile(m_root, m_name);
}

bool CKivMedium::WriteHeaderFile(const QString &root, const QString &name)
{
    if (!KivMediumName::fitsHeader(name)) {
        kivUi().showMessage(KivMediumName::tooLongText(), QStringLiteral("Warnung"), KivIcon::Stop);
        return false;
    }
    // A root that is no absolute folder would put the header wherever the program happens to run.
    if (!root.startsWith(QLatin1Char('/')) || !CKivMediumHeaderFile::Write(root, name)) {
        tellFileError();
        return false;
    }
    return true;
}

int CKivMedium::CheckOnline()
{
    if (m_isCd)
        return m_state;
    if (m_assignmentId == -1) {
        m_state = NotAssigned;
    } else if (m_offline != 0) {
        m_state = Offline;
    } else if (!m_root.startsWith(QLatin1Char('/')) || kivDrives().driveType(m_drive) == KivDriveType::NoRootDir) {
        m_state = Offline;
    } else {
        const CKivMediumHeaderFile::Content header = CKivMediumHeaderFile::Read(m_root);
        const bool ours = header.status == CKivMediumHeaderFile::Status::Ok && header.name == m_name;
        m_state = ours ? Online : Offline;
    }
    return m_state;
}

bool CKivMedium::Save(CKivDatabase &db, bool checkHeader)
{
    if (m_isCd) {
        qCWarning(lcMedia) << "CD media are stored by the CD manager:" << m_name;
        return false;
    }
    bool writeHeader = false;
    if (checkHeader) {
        const CKivMediumHeaderFile::Content header = m_root.startsWith(QLatin1Char('/'))
                                                       ? CKivMediumHeaderFile::Read(m_root)
                                                       : CKivMediumHeaderFile::Content{};
        switch (header.status) {
        case CKivMediumHeaderFile::Status::Missing:
            writeHeader = m_id == -1;
            break;
        case CKivMediumHeaderFile::Status::Unreadable:
        case CKivMediumHeaderFile::Status::Short:
            tellFileError();
            return false;
        case CKivMediumHeaderFile::Status::Ok:
            if (header.name != m_name) {
                kivUi().showMessage(QStringLiteral("Der von Ihnen gewählte MediumPath ist ungültig,\nda bereits ein "
                                                   "Medium mit dem Namen: (")
                                        + header.name + QStringLiteral(")\nan dieser Stelle exsistiert."),
                                    QStringLiteral("Warnung !"), KivIcon::Exclamation);
                return false;
            }
            break;
        }
    }
    return m_id == -1 ? insertNew(db, writeHeader) : storeAssignment(db);
}

bool CKivMedium::insertNew(CKivDatabase &db, bool writeHeader)
{
    if (!KivMediumName::fitsHeader(m_name)) {
        kivUi().showMessage(KivMediumName::tooLongText(), QStringLiteral("Warnung !"), KivIcon::Exclamation);
        return false;
    }
    // Both rows and the header file, or nothing: a medium whose header cannot be written would
    // never be online, and a name stored without its assignment would block the name.
    CKivTransaction transaction(db);
    CRsMedienNamen names(db);
    names.AddNew();
    names.m_Mediumname = m_name;
    if (!names.Update()) {
        tellSaveError();
        return false;
    }
    const int id = names.m_ID;

    CRsMedienUser users(db);
    users.AddNew();
    users.m_MediumID = id;
    users.m_UserID = m_userId;
    writeAssignment(users);
    if (!users.Update()) {
        tellSaveError();
        return false;
    }
    const int assignmentId = users.m_ID;

    if (writeHeader && !WriteHeaderFile()) {
        // Without a transaction of our own the rows are taken back by hand.
        if (!transaction.IsActive()) {
            if (users.OpenByMediumAndUser(id, m_userId))
                users.Delete();
            if (names.OpenById(id))
                names.Delete();
        }
        return false;
    }
    if (transaction.IsActive() && !transaction.Commit()) {
        if (writeHeader)
            QFile::remove(CKivMediumHeaderFile::PathIn(m_root));
        tellSaveError();
        return false;
    }
    m_id = id;
    m_assignmentId = assignmentId;
    return true;
}

void CKivMedium::writeAssignment(CRsMedienUser &users) const
{
    users.m_Computername = m_computerName;
    users.m_Drive = m_drive;
    users.m_DriveType = m_driveType;
    users.m_Path = m_path;
    users.m_Offline = m_offline;
}

bool CKivMedium::storeAssignment(CKivDatabase &db)
{
    CRsMedienUser users(db);
    const bool found = users.OpenByMediumAndUser(m_id, m_userId);
    if (!found && users.lastOpenFailedInDatabase()) {
        tellSaveError();
        return false;
    }
    if (found) {
        users.Edit();
    } else {
        users.AddNew();
        users.m_MediumID = m_id;
        users.m_UserID = m_userId;
    }
    writeAssignment(users);
    if (!users.Update()) {
        tellSaveError();
        return false;
    }
    if (!found)
        m_assignmentId = users.m_ID;
    return true;
}

void CKivMedium::SetCdState(int state)
{
    if (!m_isCd || state < NotAssigned || state > Online)
        return;
    m_state = state;
    m_offline = state == Online ? 0 : 1;
}

void CKivMedium::SetDrive(const QString &drive)
{
    m_drive = KivMediumRoot::normalizedDrive(drive);
    updateRoot();
}

void CKivMedium::SetPath(const QString &path)
{
    m_path = KivMediumRoot::normalizedPath(path);
    updateRoot();
}

QString CKivMedium::DriveTypeText() const
{
    return KivDriveType::text(m_driveType);
}

bool CKivMedium::SetName(const QString &name)
{
    if (m_id != -1) {
        kivUi().showMessage(QStringLiteral("Um den Namen eines Mediums zu ändern, müssen\nSie sich erst abmelden !"),
                            QStringLiteral("Benutzerfehler:"), KivIcon::Stop);
        return false;
    }
    if (KivMediumName::isReserved(name, m_isCd)) {
        kivUi().showMessage(QStringLiteral("Der von Ihnen gewählte Mediumname ist ungültig!"),
                            QStringLiteral("Warnung:"), KivIcon::Stop);
        return false;
    }
    if (!KivMediumName::fitsHeader(name)) {
        kivUi().showMessage(KivMediumName::tooLongText(), QStringLiteral("Warnung:"), KivIcon::Stop);
        return false;
    }
    m_name = name;
    return true;
}

// --- catalogued items below a folder

bool CKivMedium::IsCatalogued(CKivDatabase &db, const QString &subPath, const QString &filename) const
{
    CRsMp3s rs(db);
    const bool found = rs.OpenByKey(QLatin1Char('(') + m_name + QLatin1Char(')') + subPath + filename);
    rs.Close();
    return found;
}

qint32 CKivMedium::folderIdOf(CKivDatabase &db, const QString &subPath) const
{
    if (subPath.isEmpty())
        return 0;
    CRsFolder rs(db);
    if (!rs.OpenByPath(m_name, subPath))
        return -1;
    const qint32 id = rs.m_ID;
    rs.Close();
    return id;
}

std::vector<CKivMedium::CatalogFolder> CKivMedium::CatalogFolders(CKivDatabase &db, const QString &subPath,
                                                                  bool importOnly) const
{
    std::vector<CatalogFolder> folders;
    const qint32 parentId = folderIdOf(db, subPath);
    if (parentId < 0)
        return folders;
    CRsFolder rs(db);
    if (!rs.OpenChildren(m_name, parentId, importOnly))
        return folders;
    for (; !rs.IsEOF(); rs.MoveNext()) {
        // A row whose sub-path does not continue its parent's would show up in the wrong folder.
        if (!rs.m_SubPath.startsWith(subPath) || rs.m_SubPath.size() <= subPath.size())
            continue;
        folders.push_back({rs.m_ID, rs.m_SubPath, rs.m_IsImportFolder != 0});
    }
    rs.Close();
    return folders;
}

std::vector<CKivMedium::CatalogFile> CKivMedium::CatalogFiles(CKivDatabase &db, const QString &subPath,
                                                              bool importOnly) const
{
    std::vector<CatalogFile> files;
    const qint32 folderId = folderIdOf(db, subPath);
    if (folderId < 0)
        return files;
    CRsMp3s rs(db);
    if (!rs.OpenByFolder(m_name, folderId, importOnly))
        return files;
    for (; !rs.IsEOF(); rs.MoveNext()) {
        if (rs.m_SubPath != subPath)
            continue;
        files.push_back({rs.m_ID, rs.m_SubPath, rs.m_Filename, rs.m_FileSize, rs.m_Anlegedatum, rs.m_ImportID});
    }
    rs.Close();
    return files;
}
