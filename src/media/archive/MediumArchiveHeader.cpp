#include "media/archive/MediumArchiveHeader.h"

#include "core/BinaryText.h"

namespace {

constexpr int NameAt = 0, NameSize = 100;
constexpr int DriveAt = 100, DriveSize = 20;
constexpr int PathAt = 120, PathSize = 150;
constexpr int VolumeAt = 270, VolumeSize = 20;
constexpr int CountAt = 292, DriveTypeAt = 296, HasVolumeAt = 300, IsCdAt = 301;

QString readText(const char *data, int size)
{
    QString text = KivBinary::readSlot(data, size);
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    text.truncate(end);
    return text;
}

} // namespace

QByteArray CKivMediumArchiveHeader::Block() const
{
    QByteArray block(Size, '\0');
    char *out = block.data();
    KivBinary::writeFullSlot(out + NameAt, NameSize, name);
    KivBinary::writeFullSlot(out + DriveAt, DriveSize, drive);
    KivBinary::writeFullSlot(out + PathAt, PathSize, path);
    KivBinary::writeFullSlot(out + VolumeAt, VolumeSize, volumeSize);
    KivBinary::writeLe32(out + CountAt, quint32(count));
    KivBinary::writeLe32(out + DriveTypeAt, quint32(driveType));
    out[HasVolumeAt] = hasVolumeSize ? 1 : 0;
    out[IsCdAt] = isCd ? 1 : 0;
    return block;
}

std::optional<CKivMediumArchiveHeader> CKivMediumArchiveHeader::Read(const QByteArray &bytes)
{
    if (bytes.size() < Size)
        return std::nullopt;
    const char *in = bytes.constData();
    CKivMediumArchiveHeader header;
    header.name = readText(in + NameAt, NameSize);
    header.drive = readText(in + DriveAt, DriveSize);
    header.path = readText(in + PathAt, PathSize);
    header.volumeSize = readText(in + VolumeAt, VolumeSize);
    header.count = KivBinary::readLe32Signed(in + CountAt);
    header.driveType = KivBinary::readLe32Signed(in + DriveTypeAt);
    header.hasVolumeSize = in[HasVolumeAt] != 0;
    header.isCd = in[IsCdAt] != 0;
    return header;
}
