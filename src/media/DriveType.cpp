#include "media/DriveType.h"

namespace KivDriveType {

QString text(int code)
{
    switch (code) {
    case NoRootDir:
        return QStringLiteral("No Root Dir");
    case Removable:
        return QStringLiteral("Removable");
    case Fixed:
        return QStringLiteral("Fixed");
    case Remote:
        return QStringLiteral("Remote");
    case CdRom:
        return QStringLiteral("CD-ROM");
    case RamDisk:
        return QStringLiteral("RAM Disk");
    default:
        return QStringLiteral("Unknown");
    }
}

} // namespace KivDriveType
