#include "mp3/Id3v2Text.h"

#include "mp3/GenreTable.h"


namespace KivId3v2Text {
namespace {

bool isWide(int encoding)
{
    return encoding == 1 || encoding == 2;
}

QString decodeUtf16(const char *data, qsizetype size, bool bigEndian)
{
    QString out;
    out.reserve(size / 2);
    for (qsizetype i = 0; i + 1 < size; i += 2) {
        const auto hi = static_cast<unsigned char>(data[bigEndian ? i : i + 1]);
        const auto lo = static_cast<unsigned char>(data[bigEndian ? i + 1 : i]);
        out.append(QChar(char16_t((hi << 8) | lo)));
    }
    return out;
}

} // namespace

qsizetype terminatedLength(int encoding, const char *data, qsizetype size)
{
    if (isWide(encoding)) {
        for (qsizetype i = 0; i + 1 < size; i += 2) {
            if (data[i] == 0 && data[i + 1] == 0)
                return i + 2;
        }
        return size;
    }
    for (qsizetype i = 0; i < size; ++i) {
        if (data[i] == 0)
            return i + 1;
    }
    return size;
}

QString firstValue(int encoding, const char *data, qsizetype size)
{
    if (encoding < 0 || encoding > 3 || size <= 0)
        return QString();
    qsizetype length = terminatedLength(encoding, data, size);
    // Drop the terminator.
    if (isWide(encoding)) {
        if (length >= 2 && length <= size && data[length - 2] == 0 && data[length - 1] == 0)
            length -= 2;
        length &= ~qsizetype(1);
    } else if (length > 0 && data[length - 1] == 0) {
        --length;
    }
    switch (encoding) {
    case 0:
        return QString::fromLatin1(data, length);
    case 3:
        return QString::fromUtf8(data, length);
    case 2:
        return decodeUtf16(data, length, true);
    default: {
        // UTF-16 with a byte-order mark; without one, little endian as most writers use.
        bool bigEndian = false;
        if (length >= 2) {
            const auto b0 = static_cast<unsigned char>(data[0]);
            const auto b1 = static_cast<unsigned char>(data[1]);
            if (b0 == 0xFE && b1 == 0xFF) {
                bigEndian = true;
                data += 2;
                length -= 2;
            } else if (b0 == 0xFF && b1 == 0xFE) {
                data += 2;
                length -= 2;
            }
        }
        return decodeUtf16(data, length, bigEndian);
    }
    }
}

QString textFrame(const QByteArray &body)
{
    if (body.isEmpty())
        return QString();
    return firstValue(static_cast<unsigned char>(body[0]), body.constData() + 1, body.size() - 1);
}

bool commentFrame(const QByteArray &body, QString &text)
{
    // Encoding, three bytes of language, the terminated description, the text.
    if (body.size() < 4)
        return false;
    const int encoding = static_cast<unsigned char>(body[0]);
    if (encoding > 3)
        return false;
    const char *description = body.constData() + 4;
    const qsizetype rest = body.size() - 4;
    const qsizetype descriptionLength = terminatedLength(encoding, description, rest);
    if (!firstValue(encoding, description, descriptionLength).isEmpty())
        return false;
    text = firstValue(encoding, description + descriptionLength, rest - descriptionLength);
    return true;
}

int trackNumber(const QString &text)
{
    int value = 0;
    int digits = 0;
    for (const QChar c : text.trimmed()) {
        if (c == QLatin1Char('/'))
            break;
        if (c < QLatin1Char('0') || c > QLatin1Char('9') || ++digits > 6)
            return 0;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

QString yearOfTimestamp(const QString &text)
{
    if (text.size() < 4)
        return QString();
    for (int i = 0; i < 4; ++i) {
        if (!text[i].isDigit() || text[i].unicode() > 127)
            return QString();
    }
    return text.left(4);
}

namespace {

// A number 0..999 made only of ASCII digits; -1 otherwise.
int smallNumber(QStringView digits)
{
    if (digits.isEmpty() || digits.size() > 3)
        return -1;
    int value = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

bool inTable(int index)
{
    return index >= 0 && !KivGenre::name(index).isEmpty();
}

} // namespace

void genre(const QString &text, int &index, QString &name)
{
    int found = -1;
    if (text.startsWith(QLatin1Char('('))) {
        const qsizetype close = text.indexOf(QLatin1Char(')'));
        if (close > 1)
            found = smallNumber(QStringView(text).mid(1, close - 1));
    } else {
        found = smallNumber(text);
        if (found < 0)
            found = KivGenre::byName(text);
    }
    if (inTable(found)) {
        index = found;
        name = KivGenre::name(found);
    } else {
        index = 255;
        name = text;
    }
}

} // namespace KivId3v2Text
