#pragma once

#include <QString>
#include <QtGlobal>

// The platform's view of drives. On Linux a "drive" is the mount point that holds a folder: "/",
// "/media/usb/" and so on, always ending in "/". Paths are absolute native paths; a relative or
// empty path names no drive.
class IKivDriveLayer
{
public:
    virtual ~IKivDriveLayer() = default;

    // The mount point holding path, ending in "/"; empty for an empty or relative path.
    virtual QString mountPointOf(const QString &path) const = 0;

    // The drive-type code (KivDriveType) of the volume holding path; NoRootDir when path does not
    // exist or is not absolute.
    virtual int driveType(const QString &path) const = 0;

    // Total size in bytes of the volume holding path; -1 when it cannot be asked.
    virtual qint64 volumeSize(const QString &path) const = 0;

    // Whether path lies on a CD-ROM drive (drive type CdRom).
    virtual bool isCdRomDrive(const QString &path) const = 0;
};

// The drive layer currently installed; without one, the real layer of this system.
IKivDriveLayer &kivDrives();

// Installs layer as the current one (nullptr restores the real layer). The caller keeps ownership
// and must uninstall before destroying it.
void installKivDrives(IKivDriveLayer *layer);
