#include "core/CodePage.h"

#include "core/BinaryText.h"
#include "core/ProfileStore.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>
#include <atomic>
#include <cstring>

namespace KivCodePage {
namespace {

// The 8-bit code pages offered besides the automatic rule.
constexpr std::array<const char *, 13> kCodePages = {
    "Windows-1250", "Windows-1251", "Windows-1252", "Windows-1253", "Windows-1254", "Windows-1257", "ISO-8859-2",
    "ISO-8859-5",   "ISO-8859-7",   "ISO-8859-15",  "KOI8-R",       "KOI8-U",       "CP866"};

// Index into kCodePages, -1 for the automatic rule.
std::atomic<int> g_id3v1{-1};

int indexOf(const QString &name)
{
    for (std::size_t i = 0; i < kCodePages.size(); ++i) {
        if (name.compare(QLatin1String(kCodePages[i]), Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

QByteArray encodeIn(int index, const QString &text)
{
    if (index < 0)
        return KivBinary::encodeText(text);
    QStringEncoder encoder(kCodePages[std::size_t(index)]);
    if (!encoder.isValid())
        return KivBinary::encodeText(text);
    return encoder.encode(text);
}

QString decodeIn(int index, const QByteArray &bytes)
{
    if (index < 0)
        return KivBinary::decodeText(bytes);
    QStringDecoder decoder(kCodePages[std::size_t(index)]);
    if (!decoder.isValid())
        return KivBinary::decodeText(bytes);
    return decoder.decode(bytes);
}

} // namespace

QString automatic()
{
    return QStringLiteral("Automatisch");
}

QStringList names()
{
    QStringList list{automatic()};
    for (const char *name : kCodePages)
        list.append(QLatin1String(name));
    return list;
}

bool isKnown(const QString &name)
{
    return name == automatic() || indexOf(name) >= 0;
}

QByteArray encode(const QString &text, const QString &codePage)
{
    return encodeIn(indexOf(codePage), text);
}

QString decode(const QByteArray &bytes, const QString &codePage)
{
    return decodeIn(indexOf(codePage), bytes);
}

QString storedId3v1(const QString &userName, CKivProfileStore &store)
{
    return store.value(userName + QStringLiteral("\\Tags"), QStringLiteral("ID3v1CodePage"),
                                                  automatic());
}

void storeId3v1(const QString &userName, const QString &codePage, CKivProfileStore &store)
{
    store.setValue(userName + QStringLiteral("\\Tags"), QStringLiteral("ID3v1CodePage"),
                                              codePage);
}

void setId3v1(const QString &codePage)
{
    g_id3v1.store(indexOf(codePage));
}

QString id3v1()
{
    const int index = g_id3v1.load();
    return index < 0 ? automatic() : QLatin1String(kCodePages[std::size_t(index)]);
}

QString readId3v1Slot(const char *slot, int size)
{
    const int index = g_id3v1.load();
    if (index < 0)
        return KivBinary::readSlot(slot, size);
    const auto end = static_cast<const char *>(std::memchr(slot, 0, std::size_t(size)));
    return decodeIn(index, QByteArray(slot, end ? int(end - slot) : size));
}

void writeId3v1Slot(char *slot, int size, const QString &text)
{
    const int index = g_id3v1.load();
    if (index < 0) {
        KivBinary::writeFullSlot(slot, size, text);
        return;
    }
    // One byte per character in an 8-bit code page, so cutting the bytes cuts whole characters.
    const QByteArray bytes = encodeIn(index, text).left(size);
    std::memset(slot, 0, std::size_t(size));
    std::memcpy(slot, bytes.constData(), std::size_t(bytes.size()));
}

} // namespace KivCodePage
