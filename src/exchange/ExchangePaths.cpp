#include "exchange/ExchangePaths.h"

#include <QFileInfo>
#include <QStringList>

namespace KivExchangePaths {

namespace {

bool hasDrivePrefix(const QString &text)
{
    return text.size() >= 2 && text.at(1) == QLatin1Char(':') && text.at(0).isLetter();
}

bool isDotName(const QString &name)
{
    return name == QLatin1String(".") || name == QLatin1String("..");
}

} // namespace

bool IsSafeSubPath(const QString &subPath)
{
    if (subPath.isEmpty())
        return true;
    if (subPath.startsWith(QLatin1Char('\\')) || subPath.contains(QLatin1Char('/'))
        || subPath.contains(QChar(0)) || hasDrivePrefix(subPath))
        return false;
    const QStringList parts = subPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        if (isDotName(part))
            return false;
    }
    return true;
}

bool IsSafeFileName(const QString &name)
{
    return !name.isEmpty() && !isDotName(name) && !name.contains(QLatin1Char('/'))
        && !name.contains(QLatin1Char('\\')) && !name.contains(QChar(0)) && !hasDrivePrefix(name);
}

QString VolumeFolder(const QString &volumePath, int n)
{
    QString folder = volumePath;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + QStringLiteral("Volume ") + QString::number(n);
}

QString ExportFileName(const QString &importListPath)
{
    const QString name = QFileInfo(importListPath).fileName();
    return name.left(qMax<qsizetype>(0, name.size() - 4)) + QStringLiteral(".exp");
}

} // namespace KivExchangePaths
