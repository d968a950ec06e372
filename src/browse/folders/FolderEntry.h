#pragma once

#include "mp3/item/Mp3Item.h"

#include <QDateTime>
#include <QMetaType>
#include <QString>

#include <memory>
#include <vector>

class CKivDatabase;
class CKivFolder;
class CKivMedium;

// One node of the folder tree and one row of the file list: a medium, a folder or an MP3 file,
// either as found on disk (medium online) or as the catalog knows it (medium offline, or a pending
// import). Sub-paths are the catalog's ("Rock\Alt\", "\" after each folder, empty for the root);
// the full path is the local path on this computer. Folders carry their own sub-path, files the
// sub-path of the folder that holds them and their file name with its extension.
class CKivFolderEntry
{
public:
    using Ptr = std::shared_ptr<CKivFolderEntry>;

    enum Kind : int {
        MediumRow = 0,       // a medium (label only)
        FolderLabel = 1,     // label only
        Medium = 2,          // a medium in the tree and the list
        Cd = 3,              // a CD of the CD manager
        CdManager = 4,       // the CD manager node
        DiskFolder = 5,      // a folder found on disk
        DiskFile = 6,        // an MP3 file found on disk
        CatalogFolder = 7,   // a folder known from the catalog only
        CatalogFile = 8,     // an MP3 file known from the catalog
        ImportFile = 9,      // a catalogued MP3 that waits for import
        ImportFolder = 10,   // a folder created for imports
    };

    // Offsets into the tree's and the list's image lists, added to the image base.
    enum Image : int {
        ImageFolder = 0,
        ImageFolderOpen = 1,
        ImageMp3 = 2,
        ImageMedium = 3,
        ImageCdManager = 4,
        ImageCatalogFolder = 5,
        ImageImportMp3 = 6,
        ImageImportFolder = 7,
        ImageCdOnline = 9,
        ImageCdOffline = 10,
        ImageCount = 11,
    };

    // "Medium", "Folder", "CD", "CD Manager", "Ordner", "Mp3 Datei", "Mp3", "Import Mp3",
    // "Import Ordner"; "Unbekannt" for any other kind.
    static QString KindLabel(int kind);

    // --- construction
    // The medium itself (kind 2), dated now, its image by its state.
    static Ptr ForMedium(CKivMedium *medium, int imageBase);
    // From a medium and a catalog path: empty gives the medium, a path ending in "\" a catalog
    // folder (kind 7, 10 for an import folder), one ending in ".mp3" (any case) a catalog file
    // (kind 8, 9 while it waits for import), each with ID, size and date of its catalog row when
    // there is one. Any other path gives null.
    static Ptr FromCatalogPath(CKivDatabase &db, CKivMedium *medium, const QString &path, int imageBase);
    // A catalog folder or file from what the medium's catalog queries returned.
    static Ptr FromCatalogFolder(CKivMedium *medium, const QString &subPath, qint32 id, bool importFolder,
                                 int imageBase);
    static Ptr FromCatalogFile(CKivMedium *medium, const QString &subPath, const QString &filename, qint32 id,
                               qint64 size, const QDateTime &created, qint32 importId, int imageBase);
    // A folder (kind 5) or MP3 file (kind 6) found on disk in the folder parentSubPath.
    static Ptr FromDisk(CKivMedium *medium, const QString &parentSubPath, const QString &name, bool isDir,
                        qint64 size, const QDateTime &modified, int imageBase);
    // The file of an MP3 item: a disk file while its medium is online, else its catalog entry.
    static Ptr FromItem(const CKivMp3 &item, int imageBase);
    // The CD manager node (kind 4) with the text it shows, and the entry of one CD (kind 3).
    static Ptr ForCdManager(const QString &label, int imageBase);
    static Ptr ForCd(CKivMedium *cd, int imageBase);

    // --- fields
    int GetImageBase() const { return m_imageBase; }
    QString GetName() const { return m_name; }
    QString GetFileName() const { return m_fileName; }
    QString GetSubPath() const { return m_subPath; }
    QString GetFullPath() const { return m_fullPath; }
    int GetKind() const { return m_kind; }
    QString GetLabel() const { return KindLabel(m_kind); }
    // The name with what its picture shows, for screen readers: "Musik, Medium, online",
    // "Rock, Ordner", "a.mp3, zu importieren".
    QString GetSpokenText() const;
    QDateTime GetDate() const { return m_date; }
    qint64 GetFileSize() const { return m_fileSize; }
    qint32 GetCatalogID() const { return m_catalogId; }
    int GetImage() const { return m_image; }
    int GetSelectedImage() const { return m_selectedImage; }
    CKivMedium *GetMedium() const { return m_medium; }
    QString GetMediumName() const;
    bool IsMediumOnline() const;

    bool IsFile() const { return m_kind == DiskFile || m_kind == CatalogFile || m_kind == ImportFile; }
    bool IsFolder() const { return m_kind == DiskFolder || m_kind == CatalogFolder || m_kind == ImportFolder; }
    bool IsMedium() const { return m_kind == Medium || m_kind == MediumRow; }
    // The catalog path of a file: its sub-path and file name.
    QString CatalogPath() const { return m_subPath + m_fileName; }
    // The item key of a file: "(" + medium name + ")" + sub-path + file name.
    QString Key() const;
    // What the file list's address field shows: "(" + medium name + ")" + sub-path.
    QString Address() const;
    // The local folder that holds the entry's content: the folder itself, a medium's root, or the
    // folder of a file.
    QString ContentFolder() const;
    // The sub-path of the folder that holds the entry's content (a file's own folder).
    QString ContentSubPath() const { return m_subPath; }

    // --- children
    // Files never; the CD manager when it knows a CD; media, CDs and disk folders while the medium
    // is online and their folder can be read; catalog folders and offline media when the catalog
    // has a folder below them.
    bool HasChildren(CKivDatabase &db);
    // Read anew every time: from disk while the medium is online (with its pending imports for
    // this folder), else from the catalog.
    CKivFolder GetChildren(CKivDatabase &db);
    // The CDs the CD manager node shows.
    void SetCdChildren(std::vector<Ptr> cds) { m_cdChildren = std::move(cds); }
    // Lets the creator say whether there are children (read in bulk with the parent's children).
    void SetHasChildrenKnown(bool has)
    {
        m_childrenKnown = true;
        m_hasChildren = has;
    }

    // --- after a file operation
    // The entry now lies at subPath (and, for a file, is called filename; for a folder the last
    // part of subPath is its name).
    void MoveTo(const QString &subPath, const QString &filename);

private:
    CKivFolderEntry() = default;
    void setImages(int offset, int selectedOffset);
    void updateFullPath();
    void setFileName(const QString &filename);
    void setFolderSubPath(const QString &subPath);

    int m_imageBase = 0;
    QString m_name;
    QString m_fileName;
    QString m_subPath;
    QString m_fullPath;
    int m_kind = FolderLabel;
    QDateTime m_date;
    qint64 m_fileSize = 0;
    qint32 m_catalogId = -1;
    int m_image = 0;
    int m_selectedImage = 0;
    CKivMedium *m_medium = nullptr;

    std::vector<Ptr> m_cdChildren;
    bool m_childrenKnown = false;
    bool m_hasChildren = false;
};

Q_DECLARE_METATYPE(CKivFolderEntry::Ptr)
