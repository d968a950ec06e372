#include "catalog/RsFolder.h"

#include "catalog/SqlQuote.h"

CRsFolder::CRsFolder(CKivDatabase &db) : CKivRecordset(db, QStringLiteral("Folder"))
{
    bind(QStringLiteral("ID"), &m_ID);
    bind(QStringLiteral("Mediumname"), &m_Mediumname);
    bind(QStringLiteral("SubPath"), &m_SubPath);
    bind(QStringLiteral("ParentID"), &m_ParentID);
    bind(QStringLiteral("CreationTime"), &m_CreationTime);
    bind(QStringLiteral("IsImportFolder"), &m_IsImportFolder);
}

QString CRsFolder::pathFilter(const QString &mediumName, const QString &subPath) const
{
    return QStringLiteral("Mediumname='") + SqlQuote(mediumName) + QLatin1String("' AND SubPath='") +
           SqlQuote(subPath) + QLatin1Char('\'');
}

bool CRsFolder::OpenById(qint32 id)
{
    return openRows(QStringLiteral("ID=") + QString::number(id));
}

bool CRsFolder::OpenByPath(const QString &mediumName, const QString &subPath)
{
    return openRows(pathFilter(mediumName, subPath));
}

bool CRsFolder::OpenChildren(const QString &mediumName, qint32 parentId, bool importFoldersOnly)
{
    QString filter = QStringLiteral("Mediumname='") + SqlQuote(mediumName) +
                     QLatin1String("' AND ParentID=") + QString::number(parentId);
    if (importFoldersOnly)
        filter += QLatin1String(" AND IsImportFolder=1");
    return openRows(filter);
}

bool CRsFolder::OpenSubtree(const QString &mediumName, const QString &subPathPrefix)
{
    return openRows(QStringLiteral("Mediumname='") + SqlQuote(mediumName) +
                    QLatin1String("' AND SubPath LIKE'") + SqlQuote(subPathPrefix) + QLatin1String("%'"));
}

QString CRsFolder::ParentSubPath(const QString &subPath)
{
    const QString withoutLast = subPath.left(subPath.size() - 1);
    const qsizetype cut = withoutLast.lastIndexOf(QLatin1Char('\\'));
    return cut < 0 ? QString() : withoutLast.left(cut + 1);
}

qint32 CRsFolder::GetOrCreateFolder(const QString &mediumName, const QString &subPath, bool importFolder)
{
    Close();
    if (subPath.isEmpty())
        return 0;

    const QString parent = ParentSubPath(subPath);
    qint32 parentId = 0;
    if (!parent.isEmpty()) {
        if (OpenByPath(mediumName, parent)) {
            parentId = m_ID;
            Close();
        } else {
            if (lastOpenFailedInDatabase())
                return -1;
            parentId = GetOrCreateFolder(mediumName, parent, importFolder);
            // Never attach a folder to a parent that could not be created.
            if (parentId < 0)
                return -1;
        }
    }

    m_strFilter = pathFilter(mediumName, subPath);
    m_strSort.clear();
    if (!Open())
        return -1;
    if (IsEOF()) {
        AddNew();
        m_Mediumname = storedText(mediumName);
        m_SubPath = subPath;
        m_ParentID = parentId;
        m_IsImportFolder = importFolder ? 1 : 0;
        if (Update()) {
            const qint32 id = m_ID;
            Close();
            return id;
        }
        // Another connection may have created the same folder just now (the pair is unique).
        if (!Requery() || IsEOF()) {
            Close();
            return -1;
        }
    }
    if (!Edit()) {
        Close();
        return -1;
    }
    m_Mediumname = storedText(mediumName);
    m_SubPath = subPath;
    m_ParentID = parentId;
    if (!importFolder)
        m_IsImportFolder = 0;
    const bool written = Update();
    const qint32 id = m_ID;
    Close();
    return written ? id : -1;
}
