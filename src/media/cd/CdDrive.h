#pragma once

#include <QString>

// The CD drive of the settings as the CD manager sees it: a mount point (or any folder a CD is
// mounted on) or a block device such as "/dev/sr0", which is looked up in the mount table each time.
namespace KivCdDrive {

// The folder the drive's disc is mounted on, ending in "/"; empty when the setting is empty or the
// device is not mounted.
QString Root(const QString &setting);

// What the drive holds now: the volume's total bytes as a decimal text (empty when there is no
// CD-ROM drive or no disc) and the name in its "MediumHeader.med" (empty when it has none).
struct Disc
{
    QString root;
    QString sizeText;
    QString headerName;
};
Disc Look(const QString &setting);

} // namespace KivCdDrive
