#pragma once

#include <QString>

// A medium's root on this system is split in two parts that the catalog keeps per user
// (MedienUser.Drive and .Path): the drive is the mount point holding the folder, ending in "/"
// ("/", "/media/usb/"), and the path the rest of the folder below it, ending in "/" and without a
// leading "/" (empty for the mount point itself). Both are native paths: unlike the sub-paths of
// files and folders, which the catalog keeps with "\" so that they travel between computers, a
// root belongs to one user on one computer. A root written on another system (such as "E:\")
// names no folder here and the medium is simply offline.
namespace KivMediumRoot {

struct Parts
{
    QString drive;
    QString path;
};

// The root of a medium nobody placed yet, and of a medium whose assignment was removed.
QString defaultDrive();

// Splits a folder into drive and path through the drive layer. A folder that is not an absolute
// path gives an empty drive and path.
Parts split(const QString &folder);

// A drive as the catalog keeps it: ending in "/" unless empty.
QString normalizedDrive(const QString &drive);
// A path as the catalog keeps it: no leading "/", ending in "/" unless empty.
QString normalizedPath(const QString &path);

} // namespace KivMediumRoot
