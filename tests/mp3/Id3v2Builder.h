#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Builds ID3v2 tags byte by byte for the tests, in each version and text encoding, with the
// variations the readers must handle (unsynchronisation, extended header, footer, frame flags).
namespace Id3v2Builder {

// A text in an ID3v2 encoding (0 ISO-8859-1, 1 UTF-16 with BOM, 2 UTF-16BE, 3 UTF-8), no terminator.
QByteArray encode(int encoding, const QString &text);

// A text frame body: the encoding byte and the values, separated by terminators.
QByteArray textBody(int encoding, const QStringList &values);
// A comment frame body: encoding, "eng", the terminated description, the text.
QByteArray commentBody(int encoding, const QString &description, const QString &text);
// A picture frame body of pictureSize bytes full of 0xFF 0xFB sync patterns and 0xFF 0x00 pairs.
QByteArray pictureBody(int pictureSize, int version = 3);

struct Frame
{
    QByteArray id;  // three characters for 2.2, four for 2.3 and 2.4
    QByteArray body;
    quint8 flags = 0;  // second flag byte (2.3, 2.4)
};

struct Options
{
    int version = 3;
    bool unsync = false;          // tag-wide (2.2, 2.3) or of every frame (2.4, with the frame flag)
    bool extendedHeader = false;  // 2.3, 2.4
    bool footer = false;          // 2.4
    bool dataLengthIndicator = false;  // 2.4: every frame gets one
    int padding = 0;
};

// The whole tag: header, frames, padding, footer.
QByteArray tag(const QList<Frame> &frames, const Options &options);

QByteArray unsynchronise(const QByteArray &data);

} // namespace Id3v2Builder
