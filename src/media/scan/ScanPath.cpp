#include "media/scan/ScanPath.h"

#include <QStringList>

std::optional<QString> KivScanPath::Normalized(const QString &path)
{
    QString text = path;
    text.replace(QLatin1Char('/'), QLatin1Char('\\'));
    const QStringList segments = text.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    QString result;
    for (const QString &segment : segments) {
        if (segment == QLatin1String(".") || segment == QLatin1String(".."))
            return std::nullopt;
        result += segment + QLatin1Char('\\');
    }
    return result;
}
