#include "browse/folders/FolderDisk.h"

#include "browse/folders/FoldersLog.h"
#include "mp3/item/DiskDelete.h"
#include "mp3/item/Mp3FileOps.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace KivFolderDisk {

namespace {

bool isMp3Name(const QString &name)
{
    return name.size() >= 4 && name.right(4).toLower() == QLatin1String(".mp3");
}

// Copies everything below source into the existing folder target; rel is the catalog path of
// source below the copied top folder ("" or "Alt\").
bool copyContents(const QString &source, const QString &target, const QString &rel, QStringList *mp3s)
{
    QDirIterator it(source, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        const QString name = info.fileName();
        const QString to = KivMp3FileOps::Join(target, name);
        if (info.isDir() && !info.isSymLink()) {
            if (!QDir().mkdir(to))
                return false;
            if (!copyContents(info.filePath(), to, rel + name + QLatin1Char('\\'), mp3s))
                return false;
        } else {
            if (!KivMp3FileOps::CopyKeeping(info.filePath(), target, name))
                return false;
            if (mp3s && isMp3Name(name) && !name.contains(QLatin1Char('\\')))
                mp3s->append(rel + name);
        }
    }
    return true;
}

} // namespace

bool IsPlainName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
        && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && !name.contains(QChar(0));
}

QString WithoutSlash(const QString &path)
{
    QString result = path;
    while (result.size() > 1 && result.endsWith(QLatin1Char('/')))
        result.chop(1);
    return result;
}

QString ParentFolder(const QString &path)
{
    const QString clean = WithoutSlash(path);
    const qsizetype cut = clean.lastIndexOf(QLatin1Char('/'));
    return cut < 0 ? QString() : clean.left(cut + 1);
}

std::optional<QString> CopyFolder(const QString &source, const QString &targetFolder, const QString &name,
                                  QStringList *mp3s)
{
    if (!QFileInfo(source).isDir())
        return std::nullopt;
    for (int n = 1; n <= 10000; ++n) {
        const QString candidate = KivMp3FileOps::CandidateName(name, n);
        const QString top = KivMp3FileOps::Join(targetFolder, candidate);
        if (QFileInfo::exists(top) || QFileInfo(top).isSymLink())
            continue;
        if (!QDir().mkdir(top))
            return std::nullopt;
        QStringList copied;
        if (!copyContents(source, top, QString(), &copied)) {
            qCWarning(lcFolders) << "copy of" << source << "to" << top << "failed";
            QDir(top).removeRecursively();
            return std::nullopt;
        }
        if (mp3s)
            *mp3s = copied;
        return candidate;
    }
    return std::nullopt;
}

std::optional<QString> StageDelete(const QString &path)
{
    const QString clean = WithoutSlash(path);
    const QString folder = ParentFolder(clean);
    const QString name = QFileInfo(clean).fileName();
    const std::optional<QString> used =
        KivMp3FileOps::RenameKeeping(clean, folder, QStringLiteral(".melvora-deleting-") + name);
    if (!used)
        return std::nullopt;
    return KivMp3FileOps::Join(folder, *used);
}

bool RestoreStaged(const QString &staged, const QString &path)
{
    const QString clean = WithoutSlash(path);
    return KivMp3FileOps::RenameKeeping(staged, ParentFolder(clean), QFileInfo(clean).fileName()).has_value();
}

bool FinishStaged(const QString &staged, const QString &path)
{
    // Into the trash under its own name, so that restoring it there brings back what the user had.
    const QString clean = WithoutSlash(path);
    if (!QFileInfo::exists(clean) && QDir().rename(staged, clean))
        return KivDiskDelete::Remove(clean);
    return KivDiskDelete::Remove(staged);
}

} // namespace KivFolderDisk
