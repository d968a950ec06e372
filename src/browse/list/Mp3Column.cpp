#include "browse/list/Mp3Column.h"

namespace KivMp3Column {

namespace {

Def text(Field field, const char *caption, int width, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    return Def{field, QString::fromUtf8(caption), QString(), width, alignment, Kind::Text};
}

Def image(Field field, const char *caption, const char *toolTip, int width)
{
    return Def{field, QString::fromUtf8(caption), QString::fromUtf8(toolTip), width, Qt::AlignCenter, Kind::Image};
}

Def hidden()
{
    return Def{Field::Hidden, QString(), QString(), 0, Qt::AlignLeft | Qt::AlignVCenter, Kind::Hidden};
}

} // namespace

const std::vector<Def> &standard()
{
    static const std::vector<Def> columns = {
        hidden(),
        image(Field::Type, "T", "Type", 25),
        image(Field::Status, "S", "Status", 25),
        image(Field::Rating, "N", "Bewertung", 25),
        text(Field::Id, "Id:", 68, Qt::AlignCenter),
        text(Field::Filename, "Filename:", 386),
        text(Field::Size, "Size:", 111),
        text(Field::Length, "Length", 63),
        text(Field::Album, "Album:", 153),
        text(Field::Artist, "Artist", 230),
        text(Field::Title, "Titel", 277),
        text(Field::Track, "Track", 100),
        text(Field::Genre, "Genre", 121),
        text(Field::Year, "Year", 50),
        text(Field::Comment, "Comment", 267),
        text(Field::Mediumname, "Mediumname", 133),
        text(Field::Drive, "Drive", 54),
        text(Field::Path, "Path", 437),
        text(Field::SampleRate, "SampleRate", 90),
        text(Field::BitRate, "Bitrate", 66),
        text(Field::Layer, "MPEG Layer", 91),
        text(Field::Version, "MPEG VERSION", 111),
        text(Field::ChannelMode, "Chanel Mode", 100),
        text(Field::Emphasis, "Emphasis", 75),
        text(Field::Copyright, "Copyright", 75),
        text(Field::Original, "Original", 70),
        text(Field::Frames, "Frames", 51),
        text(Field::Crc, "CRC", 55),
        text(Field::Anlegedatum, "Anlegedatum", 94),
    };
    return columns;
}

const std::vector<Def> &tv()
{
    static const std::vector<Def> columns = {
        hidden(),
        image(Field::Type, "Typ", "Type", 40),
        image(Field::Status, "Status", "", 40),
        image(Field::Rating, "Note", "Bewertung", 40),
        text(Field::Id, "Id:", 50, Qt::AlignCenter),
        text(Field::Filename, "Filename:", 760),
        text(Field::Size, "Size:", 100),
        text(Field::Length, "Length", 68),
        text(Field::Album, "Album:", 100),
        text(Field::Artist, "Artist", 80),
        text(Field::Title, "Titel", 300),
        text(Field::Track, "Track", 100),
        text(Field::Genre, "Genre", 120),
        text(Field::Year, "Year", 300),
        text(Field::Comment, "Comment", 300),
    };
    return columns;
}

const std::vector<Def> &playlist()
{
    static const std::vector<Def> columns = {
        hidden(),
        image(Field::Type, "T", "Type", 25),
        image(Field::Status, "S", "Status", 25),
        image(Field::Rating, "N", "Bewertung", 25),
        text(Field::Id, "Id:", 50, Qt::AlignCenter),
        text(Field::Filename, "Filename:", 213),
        text(Field::Size, "Size:", 100),
        text(Field::Length, "Length", 61),
        text(Field::Album, "Album:", 100),
        text(Field::Artist, "Artist", 80),
        text(Field::Title, "Titel", 300),
        text(Field::Track, "Track", 100),
        text(Field::Genre, "Genre", 120),
        text(Field::Year, "Year", 300),
        text(Field::Comment, "Comment", 300),
    };
    return columns;
}

bool isTagField(Field field)
{
    switch (field) {
    case Field::Album:
    case Field::Artist:
    case Field::Title:
    case Field::Track:
    case Field::Genre:
    case Field::Year:
    case Field::Comment:
        return true;
    default:
        return false;
    }
}

bool isEditable(Field field)
{
    return field == Field::Filename || isTagField(field);
}

} // namespace KivMp3Column
