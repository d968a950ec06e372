#pragma once

#include "mp3/Id3v1Tag.h"
#include "mp3/Id3v2Tag.h"

#include <QString>

class CKivPosixFile;

// Reader and writer of an MP3 file's contents: Analyze walks the MPEG audio frames and reads the
// ID3v1 tag, ReadTag reads only the tag, WriteTag writes the tag fields back into the file. The
// values stay in the object until the next Analyze, ReadTag or Reset.
//
// Frame values: frame count, playing time in whole seconds, the MPEG version code (3 = MPEG-1,
// 2 = MPEG-2, 1 = MPEG-2.5, 0 = reserved), layer code (1..3, 0 = reserved) and CRC flag of the first
// frame, the average bit rate in kbit/s over all counted frames, the sample rate in Hz, and the
// channel mode (0 stereo, 1 joint stereo, 2 dual channel, 3 single channel), emphasis code,
// copyright and original bits of the last frame. Tag values: texts, track (0 = none) and genre index
// (255 = none). A file that starts with an ID3v2 tag is walked from behind that tag.
//
// Tags: the ID3v1 block at the end and an ID3v2 tag (2.2, 2.3, 2.4) at the start. Each tag value is
// taken from ID3v2 where that frame is present and not empty, else from ID3v1; while
// SetReadId3v1Only(true) is in force only the ID3v1 block is read. WriteTag writes the values into the
// ID3v1 block and, where the file already carries an ID3v2 tag, into that tag too.
class CMpegAudioInfo
{
public:
    // Bits of GetFlags().
    static constexpr int kFlagTag = 1;    // an ID3v1 tag was found
    static constexpr int kFlagFrames = 2; // at least one audio frame was found
    static constexpr int kFlagId3v2 = 4;  // an ID3v2 tag was read

    CMpegAudioInfo() = default;

    // Resets every value, then walks the frames of the file at path and reads its tag. False, with
    // every value reset, only when the file cannot be opened (missing, unreadable, not a regular
    // file); a file without frames or tag succeeds and says so in GetFlags().
    bool Analyze(const QString &path);

    // Resets every value, then reads only the file size and the tags (the head and the tail of the
    // file). False only when the file cannot be opened; the frame values stay 0.
    bool ReadTag(const QString &path);

    // Writes the tag values into the file at path: the ID3v1 block with one 128-byte write, over the
    // block at the end when there is one, else appended; where the file has a readable ID3v2 tag, the
    // same values into it as well (KivId3v2Writer), unless only ID3v1 is read. False when the file cannot be opened for writing
    // or the write fails; the file is then left as it was whenever the system allows it.
    bool WriteTag(const QString &path) const;

    // Whether the file at path begins with a readable ID3v2 tag (into which WriteTag writes the full
    // texts, up to the catalog's 255 characters, while the ID3v1 block takes them cut). False while
    // only ID3v1 is read, since WriteTag then leaves the ID3v2 tag alone.
    static bool HasId3v2(const QString &path);

    // Whether the readers take only the ID3v1 block (the setting "Nur ID3v1 Tags lesen"), for the
    // whole process: scans on worker threads read it too.
    static void SetReadId3v1Only(bool only);
    static bool ReadId3v1Only();

    void Reset();

    QString GetFilePath() const { return m_filePath; }
    int GetFlags() const { return m_flags; }
    QString GetArtist() const { return m_tag.artist; }
    QString GetTitle() const { return m_tag.title; }
    QString GetAlbum() const { return m_tag.album; }
    QString GetComment() const { return m_tag.comment; }
    QString GetYear() const { return m_tag.year; }
    int GetTrack() const { return m_tag.track; }
    int GetGenre() const { return m_tag.genre; }
    // The genre as text: the table name of the genre, or a genre text of the ID3v2 tag that the table
    // does not know (then the genre is 255).
    QString GetGenreName() const { return m_genreName; }
    // The two tags as read from the file, before merging.
    const CId3v1Tag &GetId3v1Tag() const { return m_id3v1; }
    const CId3v2Tag &GetId3v2Tag() const { return m_id3v2; }
    int GetFrameCount() const { return m_frameCount; }
    int GetLength() const { return m_length; }
    int GetVersion() const { return m_version; }
    int GetLayer() const { return m_layer; }
    int GetCrc() const { return m_crc; }
    int GetBitRate() const { return m_bitRate; }
    int GetSampleRate() const { return m_sampleRate; }
    int GetChannelMode() const { return m_channelMode; }
    int GetEmphasis() const { return m_emphasis; }
    int GetCopyright() const { return m_copyright; }
    int GetOriginal() const { return m_original; }
    qint64 GetFileSize() const { return m_fileSize; }

    // Tag setters; texts longer than their slot (30 bytes, year 4, comment 28 with a track) are cut
    // on writing.
    void SetArtist(const QString &text) { m_tag.artist = text; }
    void SetTitle(const QString &text) { m_tag.title = text; }
    void SetAlbum(const QString &text) { m_tag.album = text; }
    void SetComment(const QString &text) { m_tag.comment = text; }
    void SetYear(const QString &text) { m_tag.year = text; }
    void SetTrack(int track) { m_tag.track = track; }
    // Sets the index and its table name as the genre text.
    void SetGenre(int genre);
    // Sets the genre text alone (for ID3v2): a table name or a free text.
    void SetGenreName(const QString &name) { m_genreName = name; }

    // Genre name for index 0..147, the empty text otherwise (255 included).
    static QString GenreName(int index);
    // Lowest genre index whose name equals text exactly (case-sensitive); -1 when none does.
    static int GenreByName(const QString &text);

    // Texts shown for the codes. They take the codes, not an object, since lists compute them from
    // catalog rows. An item catalogued without a walk (length -1) shows all four texts empty: that is
    // the caller's rule; LengthText gives the empty text for a negative length.
    static QString VersionText(int versionCode);
    static QString ChannelModeText(int channelModeCode);
    static QString EmphasisText(int emphasisCode);
    static QString LengthText(int lengthSeconds); // "m:ss", minutes not capped: 3725 -> "62:05"

private:
    // Reads both tags of the open file and merges them into the values.
    void readTags(CKivPosixFile &file);

    QString m_filePath;
    int m_flags = 0;
    CId3v1Tag m_tag;  // the merged values: what the getters give and WriteTag writes
    QString m_genreName;
    CId3v1Tag m_id3v1;
    CId3v2Tag m_id3v2;
    int m_frameCount = 0;
    int m_length = 0;
    int m_version = 0;
    int m_layer = 0;
    int m_crc = 0;
    int m_bitRate = 0;
    int m_sampleRate = 0;
    int m_channelMode = 0;
    int m_emphasis = 0;
    int m_copyright = 0;
    int m_original = 0;
    qint64 m_fileSize = 0;
};
