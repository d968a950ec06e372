#include "mp3/item/DiskDelete.h"

#include "core/UserInterface.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace KivDiskDelete {

QString QuestionText()
{
    return QStringLiteral("Sollen die ausgewählten Dateien endgültig von der Festplatte gelöscht werden ?");
}

QString QuestionCaption()
{
    return QStringLiteral("Ordner/Datei(n) von Festplatte löschen");
}

bool Confirm()
{
    return kivUi().showMessage(QuestionText(), QuestionCaption(), KivIcon::Question, KivButtons::YesNo)
        == KivAnswer::Yes;
}

bool Remove(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    // The freedesktop trash: the home trash on the home's file system, else the medium's own
    // ".Trash-<uid>" at its top folder; a medium that cannot hold one is written over for good.
    if (QFile::moveToTrash(path))
        return true;
    if (info.isDir() && !info.isSymLink())
        return QDir(path).removeRecursively();
    return QFile::remove(path);
}

} // namespace KivDiskDelete
