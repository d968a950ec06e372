#include "browse/list/Mp3SelectionSums.h"

#include "mp3/item/SizeText.h"

KivMp3SelectionSums KivMp3SelectionSums::of(const std::vector<const CKivMp3 *> &selected, int total)
{
    qint64 bytes = 0;
    qint64 seconds = 0;
    for (const CKivMp3 *item : selected) {
        bytes += qMax(0, item->GetFileSize());
        seconds += qMax(0, item->GetLength());
    }
    KivMp3SelectionSums sums;
    sums.count = QString::number(selected.size()) + QStringLiteral(" / ") + QString::number(total);
    sums.size = KivSizeText::Format(bytes);
    sums.time = timeText(seconds);
    return sums;
}

QString KivMp3SelectionSums::timeText(qint64 seconds)
{
    const QLatin1Char zero('0');
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, zero)
        .arg((seconds / 60) % 60, 2, 10, zero)
        .arg(seconds % 60, 2, 10, zero);
}
