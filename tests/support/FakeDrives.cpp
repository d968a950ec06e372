#include "support/FakeDrives.h"

#include "media/DriveType.h"

#include <QDir>

namespace {

QString withSlash(const QString &path)
{
    QString clean = QDir::cleanPath(path);
    if (!clean.endsWith(QLatin1Char('/')))
        clean += QLatin1Char('/');
    return clean;
}

} // namespace

FakeDrives::FakeDrives()
{
    installKivDrives(this);
}

FakeDrives::~FakeDrives()
{
    installKivDrives(nullptr);
}

void FakeDrives::addMount(const QString &mountPoint, int driveType, qint64 volumeSize)
{
    QMutexLocker lock(&m_mutex);
    m_mounts.insert(withSlash(mountPoint), {driveType, volumeSize});
}

void FakeDrives::setMissing(const QString &path, bool missing)
{
    QMutexLocker lock(&m_mutex);
    if (missing)
        m_missing.insert(withSlash(path));
    else
        m_missing.remove(withSlash(path));
}

QString FakeDrives::holder(const QString &path) const
{
    if (!path.startsWith(QLatin1Char('/')))
        return QString();
    const QString clean = withSlash(path);
    QString best = QStringLiteral("/");
    for (auto it = m_mounts.cbegin(); it != m_mounts.cend(); ++it) {
        if (clean.startsWith(it.key()) && it.key().size() > best.size())
            best = it.key();
    }
    return best;
}

QString FakeDrives::mountPointOf(const QString &path) const
{
    QMutexLocker lock(&m_mutex);
    return holder(path);
}

int FakeDrives::driveType(const QString &path) const
{
    QMutexLocker lock(&m_mutex);
    ++m_typeQueries;
    const QString mount = holder(path);
    if (mount.isEmpty())
        return KivDriveType::NoRootDir;
    const QString clean = withSlash(path);
    for (const QString &missing : m_missing) {
        if (clean.startsWith(missing))
            return KivDriveType::NoRootDir;
    }
    return m_mounts.contains(mount) ? m_mounts.value(mount).type : int(KivDriveType::Fixed);
}

qint64 FakeDrives::volumeSize(const QString &path) const
{
    QMutexLocker lock(&m_mutex);
    const QString mount = holder(path);
    return m_mounts.contains(mount) ? m_mounts.value(mount).size : -1;
}

bool FakeDrives::isCdRomDrive(const QString &path) const
{
    return driveType(path) == KivDriveType::CdRom;
}

int FakeDrives::driveTypeQueries() const
{
    QMutexLocker lock(&m_mutex);
    return m_typeQueries;
}
