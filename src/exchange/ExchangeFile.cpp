#include "exchange/ExchangeFile.h"

#include "core/BinaryText.h"

#include <QFile>
#include <QSaveFile>

namespace KivExchangeFile {

namespace {

struct Slot
{
    int offset;
    int size;
};

constexpr Slot kSourceMedium{4, 100};
constexpr Slot kSourceSubPath{104, 300};
constexpr Slot kSourceFilename{404, 100};
constexpr Slot kDestMedium{504, 100};
constexpr Slot kDestSubPath{604, 300};
constexpr Slot kDestFilename{904, 100};

void put(QByteArray &record, Slot slot, const QString &text)
{
    KivBinary::writeFullSlot(record.data() + slot.offset, slot.size, text);
}

QString get(const char *data, Slot slot)
{
    return KivBinary::readSlot(data + slot.offset, slot.size);
}

} // namespace

QByteArray EncodeHeader(const QString &sender)
{
    QByteArray header(HeaderSize, '\0');
    KivBinary::writeFullSlot(header.data(), HeaderSize, sender);
    return header;
}

QByteArray EncodeRecord(const Record &record)
{
    QByteArray data(RecordSize, '\0');
    KivBinary::writeLe32(data.data(), quint32(record.importId));
    put(data, kSourceMedium, record.sourceMedium);
    put(data, kSourceSubPath, record.sourceSubPath);
    put(data, kSourceFilename, record.sourceFilename);
    put(data, kDestMedium, record.destMedium);
    put(data, kDestSubPath, record.destSubPath);
    put(data, kDestFilename, record.destFilename);
    return data;
}

Record DecodeRecord(const char *data)
{
    Record r;
    r.importId = KivBinary::readLe32Signed(data);
    r.sourceMedium = get(data, kSourceMedium);
    r.sourceSubPath = get(data, kSourceSubPath);
    r.sourceFilename = get(data, kSourceFilename);
    r.destMedium = get(data, kDestMedium);
    r.destSubPath = get(data, kDestSubPath);
    r.destFilename = get(data, kDestFilename);
    return r;
}

qint64 RecordCount(qint64 fileLength)
{
    if (fileLength <= HeaderSize)
        return 0;
    return (fileLength + 803) / RecordSize;
}

std::optional<Contents> Read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    Contents contents;
    const QByteArray header = file.read(HeaderSize);
    if (header.isNull() && file.error() != QFileDevice::NoError)
        return std::nullopt;
    contents.sender = KivBinary::readSlot(header.constData(), int(header.size()));
    const qint64 count = RecordCount(file.size());
    contents.records.reserve(size_t(qMin<qint64>(count, 1 << 20)));
    // One buffer per record, zeroed each time: a short last record never keeps bytes of the one
    // before it.
    QByteArray buffer(RecordSize, '\0');
    for (qint64 i = 0; i < count; ++i) {
        buffer.fill('\0');
        const qint64 got = file.read(buffer.data(), RecordSize);
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        contents.records.push_back(DecodeRecord(buffer.constData()));
    }
    return contents;
}

bool Write(const QString &path, const QString &sender, const std::vector<Record> &records)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray block = EncodeHeader(sender);
    // Written in blocks of about 1 MB rather than record by record.
    constexpr qsizetype kBlock = 1 << 20;
    block.reserve(kBlock + RecordSize);
    for (const Record &record : records) {
        block += EncodeRecord(record);
        if (block.size() >= kBlock) {
            if (file.write(block) != block.size())
                return false;
            block.clear();
        }
    }
    if (!block.isEmpty() && file.write(block) != block.size())
        return false;
    return file.commit();
}

} // namespace KivExchangeFile
