#pragma once

#include <QString>

// The drive-type codes a medium records (MedienUser.DriveType) and the texts the medium dialog and
// the media catalog show for them.
namespace KivDriveType {

enum Code : int {
    Unknown = 0,
    NoRootDir = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6,
};

// "Unknown", "No Root Dir", "Removable", "Fixed", "Remote", "CD-ROM", "RAM Disk"; every code
// outside 0..6 reads "Unknown".
QString text(int code);

} // namespace KivDriveType
