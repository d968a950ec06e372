#include "media/LinuxDrives.h"

#include "media/DriveType.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <sys/statvfs.h>

namespace {

// Mount points in mountinfo escape blanks, tabs, newlines and backslashes as \ooo.
QString unescapeField(const QByteArray &field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field.at(i);
        if (c == '\\' && i + 3 < field.size()) {
            const QByteArray digits = field.mid(i + 1, 3);
            bool ok = digits.size() == 3;
            for (char d : digits)
                ok = ok && d >= '0' && d <= '7';
            if (ok) {
                out.append(char(digits.toInt(nullptr, 8)));
                i += 3;
                continue;
            }
        }
        out.append(c);
    }
    return QFile::decodeName(out);
}

// An absolute path without ".", ".." and doubled or trailing separators; empty when not absolute.
QString cleanAbsolute(const QString &path)
{
    if (!path.startsWith(QLatin1Char('/')))
        return QString();
    return QDir::cleanPath(path);
}

bool holds(const QString &mountPoint, const QString &cleanPath)
{
    if (mountPoint == QLatin1String("/"))
        return true;
    return cleanPath == mountPoint
        || (cleanPath.startsWith(mountPoint) && cleanPath.at(mountPoint.size()) == QLatin1Char('/'));
}

const QSet<QString> &cdFileSystems()
{
    static const QSet<QString> set{QStringLiteral("iso9660"), QStringLiteral("udf")};
    return set;
}

const QSet<QString> &ramFileSystems()
{
    static const QSet<QString> set{QStringLiteral("tmpfs"), QStringLiteral("ramfs")};
    return set;
}

const QSet<QString> &networkFileSystems()
{
    static const QSet<QString> set{
        QStringLiteral("nfs"),          QStringLiteral("nfs4"),          QStringLiteral("cifs"),
        QStringLiteral("smb3"),         QStringLiteral("smbfs"),         QStringLiteral("ncpfs"),
        QStringLiteral("afs"),          QStringLiteral("ceph"),          QStringLiteral("glusterfs"),
        QStringLiteral("davfs"),        QStringLiteral("sshfs"),         QStringLiteral("fuse.sshfs"),
        QStringLiteral("fuse.rclone"),  QStringLiteral("fuse.s3fs"),     QStringLiteral("fuse.davfs2"),
        QStringLiteral("fuse.curlftpfs"), QStringLiteral("fuse.gvfsd-fuse"), QStringLiteral("fuse.glusterfs"),
        QStringLiteral("fuse.smbnetfs"),
    };
    return set;
}

const QSet<QString> &diskFileSystems()
{
    static const QSet<QString> set{
        QStringLiteral("ext2"),    QStringLiteral("ext3"),     QStringLiteral("ext4"),
        QStringLiteral("xfs"),     QStringLiteral("btrfs"),    QStringLiteral("f2fs"),
        QStringLiteral("jfs"),     QStringLiteral("reiserfs"), QStringLiteral("zfs"),
        QStringLiteral("vfat"),    QStringLiteral("msdos"),    QStringLiteral("exfat"),
        QStringLiteral("ntfs"),    QStringLiteral("ntfs3"),    QStringLiteral("fuseblk"),
        QStringLiteral("hfsplus"), QStringLiteral("nilfs2"),   QStringLiteral("bcachefs"),
        QStringLiteral("overlay"),
    };
    return set;
}

bool readsOne(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return f.read(16).trimmed() == "1";
}

} // namespace

CKivLinuxDrives::CKivLinuxDrives(const QString &mountInfoFile, const QString &sysBlockDir)
    : m_mountInfoFile(mountInfoFile)
    , m_sysBlockDir(sysBlockDir)
{
}

QList<CKivLinuxDrives::Mount> CKivLinuxDrives::parseMountInfo(const QByteArray &text)
{
    QList<Mount> result;
    const QList<QByteArray> lines = text.split('\n');
    for (const QByteArray &line : lines) {
        // id parent major:minor root mount-point options [optional fields] - type source super-options
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype dash = fields.indexOf(QByteArray("-"));
        if (fields.size() < 5 || dash < 6 || dash + 2 >= fields.size())
            continue;
        Mount mount;
        mount.mountPoint = cleanAbsolute(unescapeField(fields.at(4)));
        mount.fsType = QString::fromUtf8(fields.at(dash + 1));
        mount.source = unescapeField(fields.at(dash + 2));
        if (!mount.mountPoint.isEmpty())
            result.append(mount);
    }
    return result;
}

QList<CKivLinuxDrives::Mount> CKivLinuxDrives::mounts() const
{
    QFile file(m_mountInfoFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // The kernel file reports size 0: read to the end rather than by size.
    return parseMountInfo(file.readAll());
}

const CKivLinuxDrives::Mount *CKivLinuxDrives::holder(const QList<Mount> &mounts, const QString &cleanPath)
{
    const Mount *best = nullptr;
    for (const Mount &mount : mounts) {
        if (holds(mount.mountPoint, cleanPath) && (!best || mount.mountPoint.size() >= best->mountPoint.size()))
            best = &mount;
    }
    return best;
}

QString CKivLinuxDrives::mountPointOf(const QString &path) const
{
    const QString clean = cleanAbsolute(path);
    if (clean.isEmpty())
        return QString();
    const QList<Mount> table = mounts();
    const Mount *mount = holder(table, clean);
    // Without a readable table the root file system holds everything.
    if (!mount || mount->mountPoint == QLatin1String("/"))
        return QStringLiteral("/");
    return mount->mountPoint + QLatin1Char('/');
}

int CKivLinuxDrives::driveType(const QString &path) const
{
    const QString clean = cleanAbsolute(path);
    if (clean.isEmpty())
        return KivDriveType::NoRootDir;
    const QFileInfo info(clean);
    if (!info.exists())
        return KivDriveType::NoRootDir;
    // The volume the folder really lies on, also when it is reached through a symbolic link.
    const QString real = info.canonicalFilePath().isEmpty() ? clean : info.canonicalFilePath();
    const QList<Mount> table = mounts();
    const Mount *mount = holder(table, real);
    return mount ? classify(*mount) : KivDriveType::Unknown;
}

int CKivLinuxDrives::classify(const Mount &mount) const
{
    if (cdFileSystems().contains(mount.fsType) || mount.source.startsWith(QLatin1String("/dev/sr")))
        return KivDriveType::CdRom;
    if (ramFileSystems().contains(mount.fsType))
        return KivDriveType::RamDisk;
    if (networkFileSystems().contains(mount.fsType) || mount.source.startsWith(QLatin1String("//")))
        return KivDriveType::Remote;
    if (mount.source.startsWith(QLatin1String("/dev/")) && isRemovableDevice(mount.source))
        return KivDriveType::Removable;
    if (diskFileSystems().contains(mount.fsType))
        return KivDriveType::Fixed;
    return KivDriveType::Unknown;
}

bool CKivLinuxDrives::isRemovableDevice(const QString &source) const
{
    // Names under /dev/disk/by-* and /dev/mapper are links to the kernel's device name.
    const QFileInfo device(source);
    const QString name = QFileInfo(device.exists() ? device.canonicalFilePath() : source).fileName();
    if (name.isEmpty())
        return false;
    const QDir blocks(m_sysBlockDir);
    if (QFileInfo::exists(blocks.filePath(name + QLatin1String("/removable"))))
        return readsOne(blocks.filePath(name + QLatin1String("/removable")));
    // A partition: its folder lies inside the folder of its disk.
    const QStringList disks = blocks.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System);
    for (const QString &disk : disks) {
        if (QFileInfo::exists(blocks.filePath(disk + QLatin1Char('/') + name)))
            return readsOne(blocks.filePath(disk + QLatin1String("/removable")));
    }
    return false;
}

qint64 CKivLinuxDrives::volumeSize(const QString &path) const
{
    const QString clean = cleanAbsolute(path);
    if (clean.isEmpty())
        return -1;
    struct statvfs info {};
    if (::statvfs(QFile::encodeName(clean).constData(), &info) != 0)
        return -1;
    return qint64(info.f_blocks) * qint64(info.f_frsize);
}

bool CKivLinuxDrives::isCdRomDrive(const QString &path) const
{
    return driveType(path) == KivDriveType::CdRom;
}
