#include "catalog/FoldersBulkCreate.h"

#include "catalog/CatalogLog.h"
#include "catalog/Database.h"
#include "catalog/JsonText.h"
#include "catalog/RsFolder.h"
#include "catalog/StatementCache.h"

#include <QMap>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

const QString kInsert = QStringLiteral(
    "INSERT INTO Folder (Mediumname, SubPath, ParentID, IsImportFolder) "
    "SELECT CAST(? AS text), r ->> 0, (r ->> 1)::integer, 0 FROM jsonb_array_elements(CAST(? AS jsonb)) AS e(r) "
    "RETURNING ID, SubPath");

int depth(const QString &subPath)
{
    return int(subPath.count(QLatin1Char('\\')));
}

} // namespace

namespace KivFoldersBulkCreate {

bool Run(CKivDatabase &db, const QString &mediumName, const QStringList &subPaths, QHash<QString, qint32> &ids)
{
    if (!db.dialect().insertReturnsKey())
        return false;
    if (subPaths.isEmpty())
        return true;
    // Parents before children: one statement per depth, each knowing the IDs of the one before.
    QMap<int, QStringList> byDepth;
    for (const QString &subPath : subPaths)
        byDepth[depth(subPath)].append(subPath);
    QHash<QString, qint32> added;
    for (const QStringList &level : std::as_const(byDepth)) {
        QByteArray json = "[";
        for (const QString &subPath : level) {
            const QString parent = CRsFolder::ParentSubPath(subPath);
            const qint32 parentId = parent.isEmpty() ? 0 : added.value(parent, ids.value(parent, -1));
            if (parentId < 0)
                return false;
            if (json.size() > 1)
                json += ',';
            json += '[';
            KivJsonText::Append(json, subPath);
            json += ',' + QByteArray::number(parentId) + ']';
        }
        json += ']';
        QString error;
        QSqlQuery *insert = KivStatementCache::Prepared(db, kInsert, &error);
        if (insert) {
            insert->addBindValue(mediumName.isNull() ? QStringLiteral("") : mediumName);
            insert->addBindValue(QString::fromLatin1(json));
            if (insert->exec()) {
                while (insert->next())
                    added.insert(insert->value(1).toString(), insert->value(0).toInt());
                insert->finish();
            } else {
                error = insert->lastError().text();
                KivStatementCache::Drop(db, kInsert);
                insert = nullptr;
            }
        }
        if (!insert) {
            qCWarning(lcCatalog).noquote() << "Adding folders in one statement failed:" << error;
            return false;
        }
        for (const QString &subPath : level) {
            if (!added.contains(subPath))
                return false;
        }
    }
    ids.insert(added);
    return true;
}

} // namespace KivFoldersBulkCreate
