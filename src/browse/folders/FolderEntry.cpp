#include "browse/folders/FolderEntry.h"

#include "catalog/RsFolder.h"
#include "catalog/RsMp3s.h"
#include "media/Medium.h"
#include "mp3/item/Mp3FileOps.h"

namespace {

bool endsWithMp3(const QString &name)
{
    return name.size() >= 4 && name.right(4).toLower() == QLatin1String(".mp3");
}

// The name a file is shown with: its file name without ".mp3".
QString shownFileName(const QString &filename)
{
    return endsWithMp3(filename) ? filename.left(filename.size() - 4) : filename;
}

// The last folder of a sub-path: "Rock\Alt\" -> "Alt".
QString lastFolder(const QString &subPath)
{
    const QString withoutSlash = subPath.endsWith(QLatin1Char('\\')) ? subPath.chopped(1) : subPath;
    return withoutSlash.mid(withoutSlash.lastIndexOf(QLatin1Char('\\')) + 1);
}

} // namespace

QString CKivFolderEntry::GetSpokenText() const
{
    if (m_kind == ImportFile)
        return m_name + QStringLiteral(", zu importieren");
    const QString label = GetLabel();
    QString text = label == m_name ? m_name : m_name + QStringLiteral(", ") + label;
    if (IsMedium() || m_kind == Cd)
        text += IsMediumOnline() ? QStringLiteral(", online") : QStringLiteral(", offline");
    return text;
}

QString CKivFolderEntry::KindLabel(int kind)
{
    switch (kind) {
    case MediumRow:
    case Medium:
        return QStringLiteral("Medium");
    case FolderLabel:
        return QStringLiteral("Folder");
    case Cd:
        return QStringLiteral("CD");
    case CdManager:
        return QStringLiteral("CD Manager");
    case DiskFolder:
    case CatalogFolder:
        return QStringLiteral("Ordner");
    case DiskFile:
        return QStringLiteral("Mp3 Datei");
    case CatalogFile:
        return QStringLiteral("Mp3");
    case ImportFile:
        return QStringLiteral("Import Mp3");
    case ImportFolder:
        return QStringLiteral("Import Ordner");
    default:
        return QStringLiteral("Unbekannt");
    }
}

void CKivFolderEntry::setImages(int offset, int selectedOffset)
{
    m_image = m_imageBase + offset;
    m_selectedImage = m_imageBase + selectedOffset;
}

void CKivFolderEntry::updateFullPath()
{
    if (!m_medium) {
        m_fullPath.clear();
        return;
    }
    const QString folder = KivMp3FileOps::Join(m_medium->GetRoot(), KivMp3FileOps::LocalPath(m_subPath));
    m_fullPath = m_fileName.isEmpty() ? folder : KivMp3FileOps::Join(folder, m_fileName);
}

void CKivFolderEntry::setFileName(const QString &filename)
{
    m_fileName = filename;
    m_name = shownFileName(filename);
}

void CKivFolderEntry::setFolderSubPath(const QString &subPath)
{
    m_subPath = subPath;
    m_name = lastFolder(subPath);
}

CKivFolderEntry::Ptr CKivFolderEntry::ForMedium(CKivMedium *medium, int imageBase)
{
    Ptr entry(new CKivFolderEntry);
    entry->m_imageBase = imageBase;
    entry->m_kind = Medium;
    entry->m_medium = medium;
    entry->m_name = medium ? medium->GetName() : QString();
    entry->m_date = QDateTime::currentDateTime();
    if (medium && medium->IsCd()) {
        const int image = medium->GetState() == CKivMedium::Online ? ImageCdOnline : ImageCdOffline;
        entry->setImages(image, image);
    } else {
        entry->setImages(ImageMedium, ImageMedium);
    }
    entry->updateFullPath();
    return entry;
}

CKivFolderEntry::Ptr CKivFolderEntry::FromCatalogFolder(CKivMedium *medium, const QString &subPath, qint32 id,
                                                        bool importFolder, int imageBase)
{
    Ptr entry(new CKivFolderEntry);
    entry->m_imageBase = imageBase;
    entry->m_kind = importFolder ? ImportFolder : CatalogFolder;
    entry->m_medium = medium;
    entry->setFolderSubPath(subPath);
    entry->m_catalogId = id;
    if (importFolder)
        entry->setImages(ImageImportFolder, ImageImportFolder);
    else
        entry->setImages(ImageCatalogFolder, ImageFolderOpen);
    entry->updateFullPath();
    return entry;
}

CKivFolderEntry::Ptr CKivFolderEntry::FromCatalogFile(CKivMedium *medium, const QString &subPath,
                                                      const QString &filename, qint32 id, qint64 size,
                                                      const QDateTime &created, qint32 importId, int imageBase)
{
    Ptr entry(new CKivFolderEntry);
    entry->m_imageBase = imageBase;
    entry->m_kind = importId != 0 ? ImportFile : CatalogFile;
    entry->m_medium = medium;
    entry->m_subPath = subPath;
    entry->setFileName(filename);
    entry->m_catalogId = id;
    entry->m_fileSize = size;
    entry->m_date = created;
    const int image = importId != 0 ? ImageImportMp3 : ImageMp3;
    entry->setImages(image, image);
    entry->updateFullPath();
    return entry;
}

CKivFolderEntry::Ptr CKivFolderEntry::FromCatalogPath(CKivDatabase &db, CKivMedium *medium, const QString &path,
                                                      int imageBase)
{
    if (path.isEmpty())
        return ForMedium(medium, imageBase);
    const QString mediumName = medium ? medium->GetName() : QString();
    if (path.endsWith(QLatin1Char('\\'))) {
        CRsFolder rs(db);
        qint32 id = -1;
        bool importFolder = false;
        if (rs.OpenByPath(mediumName, path)) {
            id = rs.m_ID;
            importFolder = rs.m_IsImportFolder != 0;
            rs.Close();
        }
        return FromCatalogFolder(medium, path, id, importFolder, imageBase);
    }
    if (!endsWithMp3(path))
        return nullptr;
    const qsizetype cut = path.lastIndexOf(QLatin1Char('\\')) + 1;
    const QString subPath = path.left(cut);
    const QString filename = path.mid(cut);
    CRsMp3s rs(db);
    if (rs.OpenByKey(CKivMp3Data::Key(mediumName, subPath, filename))) {
        Ptr entry = FromCatalogFile(medium, subPath, filename, rs.m_ID, rs.m_FileSize, rs.m_Anlegedatum,
                                    rs.m_ImportID, imageBase);
        rs.Close();
        return entry;
    }
    return FromCatalogFile(medium, subPath, filename, -1, 0, QDateTime(), 0, imageBase);
}

CKivFolderEntry::Ptr CKivFolderEntry::FromDisk(CKivMedium *medium, const QString &parentSubPath, const QString &name,
                                               bool isDir, qint64 size, const QDateTime &modified, int imageBase)
{
    Ptr entry(new CKivFolderEntry);
    entry->m_imageBase = imageBase;
    entry->m_medium = medium;
    entry->m_date = modified;
    if (isDir) {
        entry->m_kind = DiskFolder;
        entry->setFolderSubPath(parentSubPath + name + QLatin1Char('\\'));
        entry->setImages(ImageFolder, ImageFolderOpen);
        // A folder found on disk can be read: the tree offers to expand it.
        entry->SetHasChildrenKnown(true);
    } else {
        entry->m_kind = DiskFile;
        entry->m_subPath = parentSubPath;
        entry->setFileName(name);
        entry->m_fileSize = size;
        entry->setImages(ImageMp3, ImageMp3);
    }
    entry->updateFullPath();
    return entry;
}

CKivFolderEntry::Ptr CKivFolderEntry::FromItem(const CKivMp3 &item, int imageBase)
{
    CKivMedium *medium = item.Medium();
    if (medium && medium->GetState() == CKivMedium::Online && item.GetImportID() == 0) {
        Ptr entry = FromDisk(medium, item.GetSubPath(), item.GetFilename(), false, item.GetFileSize(),
                             item.GetAnlegedatum(), imageBase);
        entry->m_catalogId = item.GetID();
        return entry;
    }
    return FromCatalogFile(medium, item.GetSubPath(), item.GetFilename(), item.GetID(), item.GetFileSize(),
                           item.GetAnlegedatum(), item.GetImportID(), imageBase);
}

CKivFolderEntry::Ptr CKivFolderEntry::ForCdManager(const QString &label, int imageBase)
{
    Ptr entry(new CKivFolderEntry);
    entry->m_imageBase = imageBase;
    entry->m_kind = CdManager;
    entry->m_name = label;
    entry->setImages(ImageCdManager, ImageCdManager);
    return entry;
}

CKivFolderEntry::Ptr CKivFolderEntry::ForCd(CKivMedium *cd, int imageBase)
{
    Ptr entry = ForMedium(cd, imageBase);
    entry->m_kind = Cd;
    return entry;
}

QString CKivFolderEntry::GetMediumName() const
{
    return m_medium ? m_medium->GetName() : QString();
}

bool CKivFolderEntry::IsMediumOnline() const
{
    return m_medium && m_medium->GetState() == CKivMedium::Online;
}

QString CKivFolderEntry::Key() const
{
    return CKivMp3Data::Key(GetMediumName(), m_subPath, m_fileName);
}

QString CKivFolderEntry::Address() const
{
    return QLatin1Char('(') + GetMediumName() + QLatin1Char(')') + m_subPath;
}

QString CKivFolderEntry::ContentFolder() const
{
    if (!m_medium)
        return QString();
    return KivMp3FileOps::Join(m_medium->GetRoot(), KivMp3FileOps::LocalPath(m_subPath));
}

void CKivFolderEntry::MoveTo(const QString &subPath, const QString &filename)
{
    if (IsFile()) {
        m_subPath = subPath;
        setFileName(filename);
    } else if (IsFolder()) {
        setFolderSubPath(subPath);
    }
    updateFullPath();
}
