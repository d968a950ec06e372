#include "core/BinaryText.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>
#include <cstring>

namespace KivBinary {
namespace {

// Code points of the bytes 0x80..0x9F; the five bytes Windows leaves undefined map to the C1
// control of the same value, as the system's own conversion does, so they round-trip.
constexpr std::array<char16_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Byte for a code point, or -1 when Windows-1252 has none.
int windows1252Byte(char16_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return ch;
    for (int i = 0; i < 32; ++i) {
        if (kHighControlRange[i] == ch)
            return 0x80 + i;
    }
    return -1;
}

bool isValidUtf8WithHighByte(const QByteArray &bytes)
{
    bool high = false;
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) > 127) {
            high = true;
            break;
        }
    }
    if (!high)
        return false;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString decoded = decoder.decode(bytes);
    return !decoder.hasError();
}

} // namespace

bool fitsWindows1252(const QString &text)
{
    for (QChar ch : text) {
        if (windows1252Byte(ch.unicode()) < 0)
            return false;
    }
    return true;
}

QByteArray toWindows1252(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar ch : text) {
        int b = windows1252Byte(ch.unicode());
        out.append(static_cast<char>(b < 0 ? '?' : b));
    }
    return out;
}

QString fromWindows1252(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        auto b = static_cast<unsigned char>(c);
        out.append(QChar(b >= 0x80 && b < 0xA0 ? kHighControlRange[b - 0x80] : char16_t(b)));
    }
    return out;
}

QByteArray encodeText(const QString &text)
{
    return fitsWindows1252(text) ? toWindows1252(text) : text.toUtf8();
}

QString decodeText(const QByteArray &bytes)
{
    return isValidUtf8WithHighByte(bytes) ? QString::fromUtf8(bytes) : fromWindows1252(bytes);
}

int encodedLength(const QString &text)
{
    return int(encodeText(text).size());
}

namespace {

// Longest prefix of encoded that is at most limit bytes and does not split a UTF-8 sequence.
qsizetype cutLength(const QByteArray &encoded, qsizetype limit, bool utf8)
{
    if (encoded.size() <= limit)
        return encoded.size();
    qsizetype n = limit;
    if (utf8) {
        while (n > 0 && (static_cast<unsigned char>(encoded[n]) & 0xC0) == 0x80)
            --n;
    }
    return n;
}

bool writeSlotImpl(char *data, int slotSize, const QString &text, qsizetype limit)
{
    if (slotSize <= 0)
        return text.isEmpty();
    const bool utf8 = !fitsWindows1252(text);
    const QByteArray encoded = utf8 ? text.toUtf8() : toWindows1252(text);
    const qsizetype n = cutLength(encoded, limit, utf8);
    std::memset(data, 0, size_t(slotSize));
    std::memcpy(data, encoded.constData(), size_t(n));
    return n == encoded.size();
}

} // namespace

bool writeSlot(char *data, int slotSize, const QString &text)
{
    return writeSlotImpl(data, slotSize, text, slotSize - 1);
}

bool writeFullSlot(char *data, int slotSize, const QString &text)
{
    return writeSlotImpl(data, slotSize, text, slotSize);
}

QString readSlot(const char *data, int slotSize)
{
    int n = 0;
    while (n < slotSize && data[n] != 0)
        ++n;
    return decodeText(QByteArray(data, n));
}

quint32 readLe32(const char *data)
{
    const auto *p = reinterpret_cast<const unsigned char *>(data);
    return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
}

qint32 readLe32Signed(const char *data)
{
    return static_cast<qint32>(readLe32(data));
}

void writeLe32(char *data, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        data[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

} // namespace KivBinary
