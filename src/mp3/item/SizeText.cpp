#include "mp3/item/SizeText.h"

namespace KivSizeText {

QString Format(qint64 bytes)
{
    const qint64 size = bytes < 0 ? 0 : bytes;
    const qint64 whole = size / 1000000;
    const qint64 hundredths = (size % 1000000) / 10000;
    return QStringLiteral("%1,%2 MB").arg(whole).arg(hundredths, 2, 10, QLatin1Char('0'));
}

} // namespace KivSizeText
