#pragma once

#include "mp3/ByteSource.h"

#include <QString>
#include <QtGlobal>

// The fields of an ID3v2 tag (versions 2.2, 2.3 and 2.4) at the start of an MP3 file that the catalog
// shows. An empty text means the frame is missing or empty; track 0 means none; genre 255 with a
// genre name is a genre that the genre table does not know.
struct CId3v2Tag
{
    int version = 0;     // major version 2, 3 or 4; 0 when the file has no readable tag
    qint64 tagSize = 0;  // bytes from the start of the file to the end of the tag (header, footer included)
    QString title;       // TIT2 / TT2
    QString artist;      // TPE1 / TP1
    QString album;       // TALB / TAL
    QString year;        // TYER / TYE, else the first four digits of TDRC
    QString comment;     // the first COMM / COM with an empty description
    int track = 0;       // the number before "/" of TRCK / TRK
    int genre = 255;     // TCON / TCO as a table index, 255 when not in the table
    QString genreName;   // the table name of genre, or the text of TCON when the table lacks it

    bool isPresent() const { return version != 0; }

    // Reads the tag at the start of source (size bytes long). False, with the fields as after
    // construction, when there is no tag or it is broken: a size past the end of the data, a frame
    // longer than its tag, an unknown version, a read error. Frames that are compressed or
    // encrypted are passed over; so is every frame the catalog does not show.
    bool read(IKivByteSource &source, qint64 size);

    // Size of the tag at the start of source as its header gives it, 0 when there is none.
    static qint64 headerTagSize(IKivByteSource &source);
};
