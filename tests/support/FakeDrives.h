#pragma once

#include "media/DriveLayer.h"

#include <QHash>
#include <QMutex>
#include <QSet>
#include <QString>

// Test double of the drive layer: mount points, types and sizes as the test declares them. Paths
// below no declared mount lie on "/" (Fixed). Installs itself for its lifetime.
class FakeDrives final : public IKivDriveLayer
{
public:
    FakeDrives();
    ~FakeDrives() override;

    // Declares a mount point (with or without trailing "/").
    void addMount(const QString &mountPoint, int driveType, qint64 volumeSize = 0);
    // Makes every path at or below `path` report no root (an unplugged or unmounted drive).
    void setMissing(const QString &path, bool missing = true);

    QString mountPointOf(const QString &path) const override;
    int driveType(const QString &path) const override;
    qint64 volumeSize(const QString &path) const override;
    bool isCdRomDrive(const QString &path) const override;

    // How often driveType was asked.
    int driveTypeQueries() const;

private:
    QString holder(const QString &path) const;

    struct Mount
    {
        int type;
        qint64 size;
    };
    mutable QMutex m_mutex;
    QHash<QString, Mount> m_mounts;  // keyed by mount point with trailing "/"
    QSet<QString> m_missing;
    mutable int m_typeQueries = 0;
};
