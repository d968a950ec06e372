#include "media/MediumRoot.h"

#include "media/DriveLayer.h"

#include <QDir>

namespace KivMediumRoot {

QString defaultDrive()
{
    return QStringLiteral("/");
}

Parts split(const QString &folder)
{
    if (!folder.startsWith(QLatin1Char('/')))
        return {};
    QString clean = QDir::cleanPath(folder);
    if (!clean.endsWith(QLatin1Char('/')))
        clean += QLatin1Char('/');
    const QString mountPoint = kivDrives().mountPointOf(clean);
    if (!mountPoint.isEmpty() && clean.startsWith(mountPoint))
        return {mountPoint, clean.mid(mountPoint.size())};
    return {defaultDrive(), clean.mid(1)};
}

QString normalizedDrive(const QString &drive)
{
    if (drive.isEmpty() || drive.endsWith(QLatin1Char('/')))
        return drive;
    return drive + QLatin1Char('/');
}

QString normalizedPath(const QString &path)
{
    qsizetype start = 0;
    while (start < path.size() && path.at(start) == QLatin1Char('/'))
        ++start;
    QString result = path.mid(start);
    if (!result.isEmpty() && !result.endsWith(QLatin1Char('/')))
        result += QLatin1Char('/');
    return result;
}

} // namespace KivMediumRoot
