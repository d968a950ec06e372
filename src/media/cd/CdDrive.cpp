#include "media/cd/CdDrive.h"

#include "media/DriveLayer.h"
#include "media/LinuxDrives.h"
#include "media/MediumHeaderFile.h"

#include <QFile>
#include <QFileInfo>

QString KivCdDrive::Root(const QString &setting)
{
    if (setting.isEmpty())
        return QString();
    if (!setting.startsWith(QLatin1String("/dev/")))
        return setting.endsWith(QLatin1Char('/')) ? setting : setting + QLatin1Char('/');
    // "/dev/cdrom" is usually a link to the device the mount table names.
    const QString device = QFileInfo(setting).canonicalFilePath();
    QFile file(QStringLiteral("/proc/self/mountinfo"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QString root;
    for (const CKivLinuxDrives::Mount &mount : CKivLinuxDrives::parseMountInfo(file.readAll())) {
        if (mount.source == setting || (!device.isEmpty() && mount.source == device))
            root = mount.mountPoint;
    }
    if (root.isEmpty())
        return QString();
    return root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
}

KivCdDrive::Disc KivCdDrive::Look(const QString &setting)
{
    Disc disc;
    disc.root = Root(setting);
    if (disc.root.isEmpty() || !kivDrives().isCdRomDrive(disc.root))
        return disc;
    const qint64 size = kivDrives().volumeSize(disc.root);
    if (size < 0)
        return disc;
    disc.sizeText = QString::number(quint64(size));
    const CKivMediumHeaderFile::Content header = CKivMediumHeaderFile::Read(disc.root);
    if (header.status == CKivMediumHeaderFile::Status::Ok)
        disc.headerName = header.name;
    return disc;
}
