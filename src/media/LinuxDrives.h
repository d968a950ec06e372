#pragma once

#include "media/DriveLayer.h"

#include <QList>
#include <QString>

// The drive layer over the kernel's mount table (/proc/self/mountinfo), statvfs and the block
// devices' "removable" flags (/sys/block/*/removable). Types: local disk file systems are Fixed,
// unless their block device is removable (Removable); network file systems are Remote; iso9660,
// udf or a /dev/sr* device is CD-ROM; tmpfs and ramfs are RAM Disk; a missing path has no root.
// The files are read anew at each question, so mounts made while the program runs are seen.
class CKivLinuxDrives final : public IKivDriveLayer
{
public:
    // The tables of this system, or others given for tests.
    explicit CKivLinuxDrives(const QString &mountInfoFile = QStringLiteral("/proc/self/mountinfo"),
                             const QString &sysBlockDir = QStringLiteral("/sys/block"));

    QString mountPointOf(const QString &path) const override;
    int driveType(const QString &path) const override;
    qint64 volumeSize(const QString &path) const override;
    bool isCdRomDrive(const QString &path) const override;

    struct Mount
    {
        QString mountPoint;  // without trailing "/" except for the root itself
        QString fsType;
        QString source;
    };

    // The entries of a mountinfo text, in file order (later entries cover earlier ones).
    static QList<Mount> parseMountInfo(const QByteArray &text);

private:
    QList<Mount> mounts() const;
    // The entry whose mount point holds the clean absolute path; nullptr when none does.
    static const Mount *holder(const QList<Mount> &mounts, const QString &cleanPath);
    int classify(const Mount &mount) const;
    bool isRemovableDevice(const QString &source) const;

    QString m_mountInfoFile;
    QString m_sysBlockDir;
};
