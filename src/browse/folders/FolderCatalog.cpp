#include "browse/folders/FolderCatalog.h"

#include "browse/folders/FoldersLog.h"
#include "catalog/Database.h"
#include "catalog/RsFolder.h"
#include "catalog/RsImport.h"
#include "catalog/RsMp3s.h"
#include "mp3/item/Mp3Data.h"
#include "mp3/item/Mp3Row.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace KivFolderCatalog {

namespace {

bool exec(CKivDatabase &db, const QString &sql, const QVariantList &values)
{
    QSqlQuery query(db.connection());
    if (!query.prepare(sql)) {
        qCWarning(lcFolders) << "cannot prepare" << sql << query.lastError().text();
        return false;
    }
    for (const QVariant &value : values) {
        // An empty text is stored as '', never as NULL.
        const bool nullText = value.typeId() == QMetaType::QString && value.toString().isNull();
        query.addBindValue(nullText ? QVariant(QStringLiteral("")) : value);
    }
    if (!query.exec()) {
        qCWarning(lcFolders) << "statement failed:" << sql << query.lastError().text();
        db.NoteError(query.lastError().text());
        return false;
    }
    return true;
}

// A record set that found nothing because the database refused the query is a failure.
bool refused(const CKivRecordset &rs)
{
    return rs.lastOpenFailedInDatabase();
}

struct Mp3Change
{
    CKivMp3Data data;
    qint32 importId;
};

bool writeMp3(CKivDatabase &db, const CKivMp3Data &data, bool withFolder)
{
    QString sql = QStringLiteral("UPDATE Mp3s SET SubPath = ?, Filename = ?, MediumSubPathFilename = ?, SearchIndex = ?");
    QVariantList values{data.m_SubPath, data.m_Filename, data.Key(), data.ComposeSearchIndex()};
    if (withFolder) {
        sql += QLatin1String(", FolderID = ?");
        values << data.m_FolderID;
    }
    sql += QLatin1String(" WHERE ID = ?");
    values << data.m_ID;
    return exec(db, sql, values);
}

struct ImportPlace
{
    qint32 id;
    QString subPath;
};

} // namespace

QSet<qint32> ParentsWithChildren(CKivDatabase &db, const QString &mediumName, const std::vector<qint32> &folderIds)
{
    QSet<qint32> parents;
    constexpr size_t batch = 500;
    for (size_t from = 0; from < folderIds.size(); from += batch) {
        QStringList ids;
        for (size_t i = from; i < folderIds.size() && i < from + batch; ++i)
            ids << QString::number(folderIds[i]);
        QSqlQuery query(db.connection());
        query.setForwardOnly(true);
        if (!query.prepare(QStringLiteral("SELECT DISTINCT ParentID FROM Folder WHERE Mediumname = ? AND ParentID IN (")
                           + ids.join(QLatin1Char(',')) + QLatin1Char(')'))) {
            qCWarning(lcFolders) << "cannot ask for sub-folders:" << query.lastError().text();
            return parents;
        }
        query.addBindValue(mediumName);
        if (!query.exec()) {
            qCWarning(lcFolders) << "cannot ask for sub-folders:" << query.lastError().text();
            return parents;
        }
        while (query.next())
            parents.insert(query.value(0).toInt());
    }
    return parents;
}

bool MoveFolder(CKivDatabase &db, const QString &mediumName, const QString &oldSubPath, const QString &newSubPath,
                const QString &newParentSubPath)
{
    if (oldSubPath.isEmpty() || newSubPath.isEmpty())
        return false;
    const auto renamed = [&](const QString &subPath) { return newSubPath + subPath.mid(oldSubPath.size()); };

    // The folder's own row hangs below its new parent (created when the catalog lacks it).
    CRsFolder folders(db);
    const qint32 parentId = folders.GetOrCreateFolder(mediumName, newParentSubPath, false);
    if (parentId < 0)
        return false;

    std::vector<std::pair<qint32, QString>> folderRows;
    qint32 ownId = -1;
    if (folders.OpenSubtree(mediumName, oldSubPath)) {
        for (; !folders.IsEOF(); folders.MoveNext()) {
            if (!folders.m_SubPath.startsWith(oldSubPath))
                continue;
            if (folders.m_SubPath == oldSubPath)
                ownId = folders.m_ID;
            folderRows.emplace_back(folders.m_ID, renamed(folders.m_SubPath));
        }
        folders.Close();
    } else if (refused(folders)) {
        return false;
    }
    for (const auto &[id, subPath] : folderRows) {
        if (id == ownId) {
            if (!exec(db, QStringLiteral("UPDATE Folder SET SubPath = ?, ParentID = ? WHERE ID = ?"),
                      {subPath, parentId, id}))
                return false;
        } else if (!exec(db, QStringLiteral("UPDATE Folder SET SubPath = ? WHERE ID = ?"), {subPath, id})) {
            return false;
        }
    }

    std::vector<CKivMp3Data> files;
    CRsMp3s mp3s(db);
    if (mp3s.OpenByMediumSubPath(mediumName, oldSubPath, false)) {
        for (; !mp3s.IsEOF(); mp3s.MoveNext()) {
            if (mp3s.m_SubPath.startsWith(oldSubPath))
                files.push_back(KivMp3Row::Read(mp3s));
        }
        mp3s.Close();
    } else if (refused(mp3s)) {
        return false;
    }
    for (CKivMp3Data &data : files) {
        data.m_SubPath = renamed(data.m_SubPath);
        if (!writeMp3(db, data, false))
            return false;
    }

    // Pending imports that are to arrive inside the folder, and those that are to be fetched from it.
    std::vector<ImportPlace> destinations;
    std::vector<ImportPlace> sources;
    CRsImport imports(db);
    if (imports.OpenByDestSubPath(mediumName, oldSubPath)) {
        for (; !imports.IsEOF(); imports.MoveNext()) {
            if (imports.m_DestSubPath.startsWith(oldSubPath))
                destinations.push_back({imports.m_ID, renamed(imports.m_DestSubPath)});
        }
        imports.Close();
    } else if (refused(imports)) {
        return false;
    }
    if (imports.OpenBySourceMedium(mediumName)) {
        for (; !imports.IsEOF(); imports.MoveNext()) {
            if (imports.m_SourceSubPath.startsWith(oldSubPath))
                sources.push_back({imports.m_ID, renamed(imports.m_SourceSubPath)});
        }
        imports.Close();
    } else if (refused(imports)) {
        return false;
    }
    for (const ImportPlace &place : destinations) {
        if (!exec(db, QStringLiteral("UPDATE Import SET DestSubPath = ? WHERE ID = ?"), {place.subPath, place.id}))
            return false;
    }
    for (const ImportPlace &place : sources) {
        if (!exec(db, QStringLiteral("UPDATE Import SET SourceSubPath = ? WHERE ID = ?"), {place.subPath, place.id}))
            return false;
    }
    return true;
}

bool MoveFile(CKivDatabase &db, const QString &mediumName, const QString &oldSubPath, const QString &oldFilename,
              const QString &newSubPath, const QString &newFilename)
{
    CRsMp3s mp3s(db);
    if (mp3s.OpenByKey(CKivMp3Data::Key(mediumName, oldSubPath, oldFilename))) {
        CKivMp3Data data = KivMp3Row::Read(mp3s);
        mp3s.Close();
        CRsFolder folders(db);
        const qint32 folderId = folders.GetOrCreateFolder(mediumName, newSubPath, false);
        if (folderId < 0)
            return false;
        data.m_SubPath = newSubPath;
        data.m_Filename = newFilename;
        data.m_FolderID = folderId;
        if (!writeMp3(db, data, true))
            return false;
    } else if (refused(mp3s)) {
        return false;
    }

    std::vector<qint32> sources;
    CRsImport imports(db);
    if (imports.OpenBySourceMedium(mediumName)) {
        for (; !imports.IsEOF(); imports.MoveNext()) {
            if (imports.m_SourceSubPath == oldSubPath && imports.m_SourceFilename == oldFilename)
                sources.push_back(imports.m_ID);
        }
        imports.Close();
    } else if (refused(imports)) {
        return false;
    }
    for (const qint32 id : sources) {
        if (!exec(db, QStringLiteral("UPDATE Import SET SourceSubPath = ?, SourceFilename = ? WHERE ID = ?"),
                  {newSubPath, newFilename, id}))
            return false;
    }
    return true;
}

bool DeleteFolder(CKivDatabase &db, const QString &mediumName, const QString &subPath)
{
    if (subPath.isEmpty())
        return false;
    std::vector<std::pair<qint32, qint32>> files;  // Mp3s ID, Import ID
    CRsMp3s mp3s(db);
    if (mp3s.OpenByMediumSubPath(mediumName, subPath, false)) {
        for (; !mp3s.IsEOF(); mp3s.MoveNext()) {
            if (mp3s.m_SubPath.startsWith(subPath))
                files.emplace_back(mp3s.m_ID, mp3s.m_ImportID);
        }
        mp3s.Close();
    } else if (refused(mp3s)) {
        return false;
    }
    for (const auto &[id, importId] : files) {
        if (!exec(db, QStringLiteral("DELETE FROM Mp3s WHERE ID = ?"), {id}))
            return false;
        if (importId > 0 && !exec(db, QStringLiteral("DELETE FROM Import WHERE ID = ?"), {importId}))
            return false;
    }

    std::vector<qint32> folderIds;
    CRsFolder folders(db);
    if (folders.OpenSubtree(mediumName, subPath)) {
        for (; !folders.IsEOF(); folders.MoveNext()) {
            if (folders.m_SubPath.startsWith(subPath))
                folderIds.push_back(folders.m_ID);
        }
        folders.Close();
    } else if (refused(folders)) {
        return false;
    }
    for (const qint32 id : folderIds) {
        if (!exec(db, QStringLiteral("DELETE FROM Folder WHERE ID = ?"), {id}))
            return false;
    }
    return true;
}

bool DeleteFile(CKivDatabase &db, const QString &mediumName, const QString &subPath, const QString &filename)
{
    CRsMp3s mp3s(db);
    if (!mp3s.OpenByKey(CKivMp3Data::Key(mediumName, subPath, filename)))
        return !refused(mp3s);
    const qint32 id = mp3s.m_ID;
    const qint32 importId = mp3s.m_ImportID;
    mp3s.Close();
    if (!exec(db, QStringLiteral("DELETE FROM Mp3s WHERE ID = ?"), {id}))
        return false;
    return importId <= 0 || exec(db, QStringLiteral("DELETE FROM Import WHERE ID = ?"), {importId});
}

} // namespace KivFolderCatalog
