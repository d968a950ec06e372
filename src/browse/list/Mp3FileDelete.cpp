#include "browse/list/Mp3FileDelete.h"

#include "core/UserInterface.h"
#include "catalog/RsMp3s.h"
#include "mp3/item/DiskDelete.h"

#include <QFile>
#include <QFileInfo>

namespace KivMp3FileDelete {

QString NoAccessText()
{
    return QStringLiteral("Sie können keine Dateien löschen, auf die Sie keinen \nZugriff haben.");
}

QString Caption()
{
    return QStringLiteral("Warnung");
}

namespace {

bool mayDelete(const CKivMp3 &item)
{
    // Pending imports and requested files are catalog entries whose file lies elsewhere.
    return item.GetImportID() == 0 && item.GetListMark() == 0 && item.IsOnline();
}

bool removeFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return true;  // gone already: only the row is left
    if (info.isDir())
        return false;
    return KivDiskDelete::Remove(path);
}

void removeRow(const CKivMp3 &item, CKivDatabase &db)
{
    if (item.GetID() == -1)
        return;
    CRsMp3s rs(db);
    if (rs.OpenById(item.GetID()) && !rs.IsEOF())
        rs.Delete();
    rs.Close();
}

} // namespace

int run(const std::vector<CKivMp3::Ptr> &items, CKivDatabase &db,
        const std::function<void(const CKivMp3::Ptr &)> &deleted, bool *stopped)
{
    if (stopped)
        *stopped = false;
    int count = 0;
    for (const CKivMp3::Ptr &item : items) {
        if (!mayDelete(*item) || !removeFile(item->FullPath())) {
            kivUi().showMessage(NoAccessText(), Caption(), KivIcon::Exclamation);
            if (stopped)
                *stopped = true;
            return count;
        }
        removeRow(*item, db);
        item->SetDeleted(true);
        ++count;
        if (deleted)
            deleted(item);
    }
    return count;
}

} // namespace KivMp3FileDelete
