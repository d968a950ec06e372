#include "mp3/Id3v2Tag.h"

#include "mp3/Id3v2Text.h"
#include "mp3/MemorySource.h"

#include <QByteArray>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr int kHeaderSize = 10;
// Frames the catalog shows are short texts; a bigger one is passed over unread.
constexpr qint64 kMaxWantedFrame = 1 << 20;
// A tag that must be read whole to undo its unsynchronisation is refused beyond this size.
constexpr qint64 kMaxWholeTag = 64 << 20;

quint32 syncSafe(const unsigned char *p)
{
    return (quint32(p[0] & 0x7F) << 21) | (quint32(p[1] & 0x7F) << 14) | (quint32(p[2] & 0x7F) << 7) | (p[3] & 0x7F);
}

quint32 bigEndian(const unsigned char *p, int bytes)
{
    quint32 v = 0;
    for (int i = 0; i < bytes; ++i)
        v = (v << 8) | p[i];
    return v;
}

bool hasHighBit(const unsigned char *p, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        if (p[i] & 0x80)
            return true;
    }
    return false;
}

// Undoes unsynchronisation: every 0xFF 0x00 becomes 0xFF.
QByteArray resynchronised(const QByteArray &data)
{
    QByteArray out;
    out.reserve(data.size());
    for (qsizetype i = 0; i < data.size(); ++i) {
        out.append(data[i]);
        if (static_cast<unsigned char>(data[i]) == 0xFF && i + 1 < data.size() && data[i + 1] == 0)
            ++i;
    }
    return out;
}

bool isFrameIdChar(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Which shown field a frame id stands for.
enum class Field { None, Title, Artist, Album, Year, Recorded, Comment, Track, Genre };

Field fieldOf(const char *id, int idSize)
{
    struct Entry
    {
        const char *v22;
        const char *v23;
        Field field;
    };
    static constexpr std::array<Entry, 8> kFields{{
        {"TT2", "TIT2", Field::Title},
        {"TP1", "TPE1", Field::Artist},
        {"TAL", "TALB", Field::Album},
        {"TYE", "TYER", Field::Year},
        {nullptr, "TDRC", Field::Recorded},
        {"COM", "COMM", Field::Comment},
        {"TRK", "TRCK", Field::Track},
        {"TCO", "TCON", Field::Genre},
    }};
    for (const Entry &e : kFields) {
        const char *name = idSize == 3 ? e.v22 : e.v23;
        if (name && std::memcmp(id, name, size_t(idSize)) == 0)
            return e.field;
    }
    return Field::None;
}

// Serves small reads from one window of the source, so that the frame headers and short text frames
// of a tag cost one system read instead of two each.
class WindowSource final : public IKivByteSource
{
public:
    explicit WindowSource(IKivByteSource &source) : m_source(source) {}

    qint64 readAt(qint64 pos, char *data, qint64 size) override
    {
        if (pos < 0 || size < 0)
            return -1;
        if (size > kWindow)
            return m_source.readAt(pos, data, size);
        if (pos < m_start || pos + size > m_start + m_length) {
            // Refill unless the window already holds everything up to the end of the data.
            if (!(m_atEnd && pos >= m_start)) {
                const qint64 n = m_source.readAt(pos, m_buffer, kWindow);
                if (n < 0)
                    return -1;
                m_start = pos;
                m_length = n;
                m_atEnd = n < kWindow;
            }
        }
        const qint64 available = std::max<qint64>(0, std::min(size, m_start + m_length - pos));
        std::memcpy(data, m_buffer + (pos - m_start), size_t(available));
        return available;
    }

private:
    static constexpr qint64 kWindow = 8192;
    IKivByteSource &m_source;
    char m_buffer[kWindow];
    qint64 m_start = 0;
    qint64 m_length = 0;
    bool m_atEnd = false;
};

// Walks the frames of one tag held by a source; positions are relative to the source.
class FrameWalker
{
public:
    FrameWalker(IKivByteSource &source, int version, bool tagUnsynchronised)
        : m_source(source), m_version(version), m_tagUnsync(tagUnsynchronised)
    {
    }

    // Reads the frames in [pos, end) into tag; false when the tag is broken.
    bool walk(qint64 pos, qint64 end, CId3v2Tag &tag)
    {
        const int idSize = m_version == 2 ? 3 : 4;
        const int headerSize = m_version == 2 ? 6 : 10;
        while (pos + headerSize <= end) {
            unsigned char h[10];
            if (m_source.readAt(pos, reinterpret_cast<char *>(h), headerSize) != headerSize)
                return false;
            if (h[0] == 0)
                break;  // padding
            bool validId = true;
            for (int i = 0; i < idSize; ++i)
                validId = validId && isFrameIdChar(h[i]);
            if (!validId)
                break;  // garbage after the last frame is taken as padding, as other readers do
            qint64 size;
            if (m_version == 2)
                size = bigEndian(h + 3, 3);
            else if (m_version == 4 && !hasHighBit(h + 4, 4))
                size = syncSafe(h + 4);
            else  // 2.3, and 2.4 tags whose writer used plain sizes
                size = bigEndian(h + 4, 4);
            const qint64 body = pos + headerSize;
            if (size > end - body)
                return false;  // a frame longer than its tag
            const Field field = fieldOf(reinterpret_cast<const char *>(h), idSize);
            if (field != Field::None && size <= kMaxWantedFrame)
                takeFrame(field, m_version == 2 ? 0 : h[9], body, size, tag);
            pos = body + size;
        }
        return true;
    }

private:
    void takeFrame(Field field, unsigned char flags, qint64 pos, qint64 size, CId3v2Tag &tag)
    {
        QByteArray data(size, Qt::Uninitialized);
        if (m_source.readAt(pos, data.data(), size) != size)
            return;
        bool unsync = false;
        if (m_version == 3) {
            if (flags & 0xC0)
                return;  // compressed or encrypted
            if (flags & 0x20)
                data.remove(0, 1);  // group id
        } else if (m_version == 4) {
            if (flags & 0x0C)
                return;  // compressed or encrypted
            if (flags & 0x40)
                data.remove(0, 1);  // group id
            if (flags & 0x01)
                data.remove(0, 4);  // data length indicator
            unsync = (flags & 0x02) || m_tagUnsync;
        }
        if (unsync)
            data = resynchronised(data);
        apply(field, data, tag);
    }

    static void apply(Field field, const QByteArray &data, CId3v2Tag &tag)
    {
        // The first frame of each kind counts.
        switch (field) {
        case Field::Title:
            takeFirst(tag.title, data);
            break;
        case Field::Artist:
            takeFirst(tag.artist, data);
            break;
        case Field::Album:
            takeFirst(tag.album, data);
            break;
        case Field::Year:
            takeFirst(tag.year, data);
            break;
        case Field::Recorded:
            if (tag.year.isEmpty())
                tag.year = KivId3v2Text::yearOfTimestamp(KivId3v2Text::textFrame(data));
            break;
        case Field::Comment:
            if (tag.comment.isEmpty())
                KivId3v2Text::commentFrame(data, tag.comment);
            break;
        case Field::Track:
            if (tag.track == 0)
                tag.track = KivId3v2Text::trackNumber(KivId3v2Text::textFrame(data));
            break;
        case Field::Genre:
            if (tag.genreName.isEmpty()) {
                const QString text = KivId3v2Text::textFrame(data);
                if (!text.isEmpty())
                    KivId3v2Text::genre(text, tag.genre, tag.genreName);
            }
            break;
        case Field::None:
            break;
        }
    }

    static void takeFirst(QString &target, const QByteArray &data)
    {
        if (target.isEmpty())
            target = KivId3v2Text::textFrame(data);
    }

    IKivByteSource &m_source;
    int m_version;
    bool m_tagUnsync;
};

} // namespace

qint64 CId3v2Tag::headerTagSize(IKivByteSource &source)
{
    unsigned char h[kHeaderSize];
    if (source.readAt(0, reinterpret_cast<char *>(h), kHeaderSize) != kHeaderSize)
        return 0;
    if (h[0] != 'I' || h[1] != 'D' || h[2] != '3' || h[3] == 0xFF || h[4] == 0xFF || hasHighBit(h + 6, 4))
        return 0;
    const bool footer = h[3] >= 4 && (h[5] & 0x10);
    return kHeaderSize + qint64(syncSafe(h + 6)) + (footer ? 10 : 0);
}

bool CId3v2Tag::read(IKivByteSource &source, qint64 size)
{
    *this = CId3v2Tag();
    const qint64 total = headerTagSize(source);
    if (total == 0 || total > size)
        return false;
    unsigned char h[kHeaderSize];
    if (source.readAt(0, reinterpret_cast<char *>(h), kHeaderSize) != kHeaderSize)
        return false;
    const int major = h[3];
    const unsigned char flags = h[5];
    if (major < 2 || major > 4)
        return false;
    if (major == 2 && (flags & 0x40))
        return false;  // 2.2 compression has no defined scheme
    const qint64 end = kHeaderSize + qint64(syncSafe(h + 6));
    const bool unsync = flags & 0x80;

    CId3v2Tag tag;
    if (unsync && major < 4) {
        // 2.2 and 2.3 unsynchronise the whole tag: undo it in memory, then walk the result.
        if (end > kMaxWholeTag)
            return false;
        QByteArray raw(end, Qt::Uninitialized);
        if (source.readAt(0, raw.data(), end) != end)
            return false;
        const QByteArray body = raw.left(kHeaderSize) + resynchronised(raw.mid(kHeaderSize));
        CKivMemorySource memory(body.constData(), body.size());
        qint64 start = kHeaderSize;
        if (major == 3 && (flags & 0x40)) {
            if (body.size() < start + 4)
                return false;
            start += 4 + bigEndian(reinterpret_cast<const unsigned char *>(body.constData()) + start, 4);
        }
        if (start > body.size())
            return false;
        FrameWalker walker(memory, major, false);
        if (!walker.walk(start, body.size(), tag))
            return false;
    } else {
        qint64 start = kHeaderSize;
        if (major >= 3 && (flags & 0x40)) {
            unsigned char ext[4];
            if (source.readAt(start, reinterpret_cast<char *>(ext), 4) != 4)
                return false;
            // 2.3 counts the size without its own four bytes, 2.4 with them (synchsafe).
            start += major == 3 ? 4 + qint64(bigEndian(ext, 4)) : qint64(syncSafe(ext));
        }
        if (start > end)
            return false;
        WindowSource window(source);
        FrameWalker walker(window, major, unsync);
        if (!walker.walk(start, end, tag))
            return false;
    }
    tag.version = major;
    tag.tagSize = total;
    *this = tag;
    return true;
}
