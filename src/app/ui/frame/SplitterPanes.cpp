#include "app/ui/frame/SplitterPanes.h"

#include <QStringList>

#include <algorithm>

void KivSplitterPanes::parse(const QString &text)
{
    int *const fields[] = {&hiddenColumn, &size0, &hiddenRow, &size1};
    const QStringList parts = text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < 4; ++i) {
        bool ok = false;
        const int value = i < parts.size() ? parts.at(i).toInt(&ok) : 0;
        if (!ok)
            break;
        *fields[i] = value;
    }
    size0 = std::max(size0, 0);
    size1 = std::max(size1, 0);
}

QString KivSplitterPanes::format() const
{
    return QStringLiteral("%1 %2 %3 %4").arg(hiddenColumn).arg(storedSize(size0)).arg(hiddenRow).arg(storedSize(size1));
}
