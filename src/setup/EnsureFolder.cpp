#include "setup/EnsureFolder.h"

#include <QDir>
#include <QFileInfo>

bool KivSetup::EnsureFolder(const QString &path)
{
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).isDir())
        return true;
    QDir().mkpath(path);  // failures show in the check below
    return QFileInfo(path).isDir();
}
