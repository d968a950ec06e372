#pragma once

#include <QString>
#include <Qt>

#include <vector>

// The columns of the two MP3 lists: what each shows (its field), its caption, tool tip, width and
// alignment. The standard list shows all 29, the TV list the first 15 with its own captions.
namespace KivMp3Column {

enum class Field : int {
    Hidden,
    Type,        // image by item status
    Status,      // image by the medium's state
    Rating,      // image by the rating
    Id,
    Filename,
    Size,
    Length,
    Album,
    Artist,
    Title,
    Track,
    Genre,
    Year,
    Comment,
    Mediumname,
    Drive,
    Path,
    SampleRate,
    BitRate,
    Layer,
    Version,
    ChannelMode,
    Emphasis,
    Copyright,
    Original,
    Frames,
    Crc,
    Anlegedatum,
};

enum class Kind { Hidden, Image, Text };

struct Def
{
    Field field;
    QString caption;
    QString toolTip;
    int width;
    Qt::Alignment alignment;
    Kind kind;
};

// The 29 columns of the standard list.
const std::vector<Def> &standard();
// The 15 columns of the TV list.
const std::vector<Def> &tv();
// The 15 columns of the playlist (the standard captions, narrower).
const std::vector<Def> &playlist();

// True for the columns whose cells may be edited in place (tag fields and the file name).
bool isEditable(Field field);
// True for the columns that hold tag fields written into the file.
bool isTagField(Field field);

} // namespace KivMp3Column
