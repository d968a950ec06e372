#include "mp3/item/Mp3ArchiveRecord.h"

#include "core/BinaryText.h"

#include <cstring>

namespace KivMp3ArchiveRecord {

namespace {

struct TextSlot
{
    int offset;
    int size;
    QString CKivMp3Data::*member;
};

struct IntSlot
{
    int offset;
    qint32 CKivMp3Data::*member;
};

constexpr TextSlot kTexts[] = {
    {0, 30, &CKivMp3Data::m_Title},        {30, 30, &CKivMp3Data::m_Artist},
    {60, 30, &CKivMp3Data::m_Album},       {90, 4, &CKivMp3Data::m_Year},
    {94, 28, &CKivMp3Data::m_Comment},     {122, 30, &CKivMp3Data::m_GenreName},
    {152, 100, &CKivMp3Data::m_Filename},  {252, 50, &CKivMp3Data::m_Mediumname},
    {302, 150, &CKivMp3Data::m_SubPath},
};

constexpr int kArtistIdOffset = 452;

constexpr IntSlot kInts[] = {
    {456, &CKivMp3Data::m_TrackNr},     {460, &CKivMp3Data::m_Genre},      {464, &CKivMp3Data::m_Frames},
    {468, &CKivMp3Data::m_Length},      {472, &CKivMp3Data::m_MpegVersion}, {476, &CKivMp3Data::m_MpegLayer},
    {480, &CKivMp3Data::m_HasCRC},      {484, &CKivMp3Data::m_BitRate},    {488, &CKivMp3Data::m_SampleRate},
    {492, &CKivMp3Data::m_ChannelMode}, {496, &CKivMp3Data::m_Emphasis},   {500, &CKivMp3Data::m_Copyright},
    {504, &CKivMp3Data::m_Original},    {508, &CKivMp3Data::m_Bewertung},  {512, &CKivMp3Data::m_FileSize},
    {516, &CKivMp3Data::m_Validity},
};

QString withoutTrailingBlanks(QString text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    text.truncate(end);
    return text;
}

} // namespace

QByteArray Fill(const CKivMp3Data &data)
{
    QByteArray record(kSize, '\0');
    FillInto(record.data(), data);
    return record;
}

void FillInto(char *out, const CKivMp3Data &data)
{
    std::memset(out, 0, kSize);
    for (const TextSlot &slot : kTexts)
        KivBinary::writeFullSlot(out + slot.offset, slot.size, data.*slot.member);
    KivBinary::writeLe32(out + kArtistIdOffset, quint32(qint32(-1)));
    for (const IntSlot &slot : kInts)
        KivBinary::writeLe32(out + slot.offset, quint32(data.*slot.member));
}

QStringList ColumnNames()
{
    return {QStringLiteral("Title"),    QStringLiteral("Artist"),      QStringLiteral("Album"),
            QStringLiteral("Year"),     QStringLiteral("Comment"),     QStringLiteral("GenreName"),
            QStringLiteral("Filename"), QStringLiteral("Mediumname"),  QStringLiteral("SubPath"),
            QStringLiteral("TrackNr"),  QStringLiteral("Genre"),       QStringLiteral("Frames"),
            QStringLiteral("Length"),   QStringLiteral("MpegVersion"), QStringLiteral("MpegLayer"),
            QStringLiteral("HasCRC"),   QStringLiteral("BitRate"),     QStringLiteral("SampleRate"),
            QStringLiteral("ChannelMode"), QStringLiteral("Emphasis"), QStringLiteral("Copyright"),
            QStringLiteral("Original"), QStringLiteral("Bewertung"),   QStringLiteral("FileSize"),
            QStringLiteral("Validity")};
}

std::optional<CKivMp3Data> Read(const QByteArray &record)
{
    if (record.size() < kSize)
        return std::nullopt;
    const char *in = record.constData();
    CKivMp3Data data;
    for (const TextSlot &slot : kTexts)
        data.*slot.member = withoutTrailingBlanks(KivBinary::readSlot(in + slot.offset, slot.size));
    for (const IntSlot &slot : kInts)
        data.*slot.member = KivBinary::readLe32Signed(in + slot.offset);
    data.m_ID = -1;
    data.m_FolderID = -1;
    data.m_ImportID = 0;
    data.m_ArtistID = -1;
    if (data.m_Bewertung < 1 || data.m_Bewertung > 5)
        data.m_Bewertung = 3;
    if (data.m_Genre < 0 || data.m_Genre > 255)
        data.m_Genre = 255;
    return data;
}

} // namespace KivMp3ArchiveRecord
