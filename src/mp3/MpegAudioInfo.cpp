#include "mp3/MpegAudioInfo.h"

#include "mp3/FrameWalk.h"
#include "mp3/GenreTable.h"
#include "mp3/Id3v2Writer.h"
#include "mp3/PosixFile.h"

#include <QLoggingCategory>

#include <algorithm>
#include <atomic>
#include <climits>

Q_LOGGING_CATEGORY(lcMp3, "melvora.mp3")

namespace {

// Reads the ID3v1 block at the end of an open file into tag; false when there is none.
bool readTagBlock(CKivPosixFile &file, CId3v1Tag &tag)
{
    if (file.size() < CId3v1Tag::kSize)
        return false;
    char block[CId3v1Tag::kSize];
    if (file.readAt(file.size() - CId3v1Tag::kSize, block, CId3v1Tag::kSize) != CId3v1Tag::kSize)
        return false;
    return tag.parse(block);
}

std::atomic<bool> g_readId3v1Only{false};

} // namespace

void CMpegAudioInfo::SetReadId3v1Only(bool only)
{
    g_readId3v1Only.store(only, std::memory_order_relaxed);
}

bool CMpegAudioInfo::ReadId3v1Only()
{
    return g_readId3v1Only.load(std::memory_order_relaxed);
}

bool CMpegAudioInfo::HasId3v2(const QString &path)
{
    CKivPosixFile file;
    CId3v2Tag tag;
    return !ReadId3v1Only() && file.open(path, CKivPosixFile::Mode::Read) && tag.read(file, file.size());
}

void CMpegAudioInfo::SetGenre(int genre)
{
    m_tag.genre = genre;
    m_genreName = KivGenre::name(genre);
}

void CMpegAudioInfo::readTags(CKivPosixFile &file)
{
    if (readTagBlock(file, m_id3v1)) {
        m_flags |= kFlagTag;
        m_tag = m_id3v1;
    }
    m_genreName = KivGenre::name(m_tag.genre);
    if (ReadId3v1Only() || !m_id3v2.read(file, file.size()))
        return;
    m_flags |= kFlagId3v2;
    // Each value from ID3v2 where its frame is there and not empty.
    const auto take = [](QString &field, const QString &v2) {
        if (!v2.isEmpty())
            field = v2;
    };
    take(m_tag.title, m_id3v2.title);
    take(m_tag.artist, m_id3v2.artist);
    take(m_tag.album, m_id3v2.album);
    take(m_tag.year, m_id3v2.year);
    take(m_tag.comment, m_id3v2.comment);
    if (m_id3v2.track > 0)
        m_tag.track = m_id3v2.track;
    if (!m_id3v2.genreName.isEmpty()) {
        m_tag.genre = m_id3v2.genre;
        m_genreName = m_id3v2.genreName;
    }
}

void CMpegAudioInfo::Reset()
{
    *this = CMpegAudioInfo();
}

bool CMpegAudioInfo::Analyze(const QString &path)
{
    Reset();
    CKivPosixFile file;
    if (!file.open(path, CKivPosixFile::Mode::Read))
        return false;
    const KivMpeg::FrameWalkResult walk = KivMpeg::walkFrames(file);
    if (walk.frames > 0) {
        m_flags |= kFlagFrames;
        m_frameCount = walk.frames > INT_MAX ? INT_MAX : int(walk.frames);
        m_length = walk.lengthSeconds();
        m_version = walk.version;
        m_layer = walk.layer;
        m_crc = walk.crc;
        m_bitRate = walk.averageBitRate();
        m_sampleRate = walk.sampleRate;
        m_channelMode = walk.channelMode;
        m_emphasis = walk.emphasis;
        m_copyright = walk.copyright;
        m_original = walk.original;
    }
    readTags(file);
    m_fileSize = file.size();
    m_filePath = path;
    return true;
}

bool CMpegAudioInfo::ReadTag(const QString &path)
{
    Reset();
    CKivPosixFile file;
    if (!file.open(path, CKivPosixFile::Mode::Read))
        return false;
    // The head with the ID3v2 tag is asked for before the block at the end is read, so that on a cold
    // device both reads are under way at once instead of one after the other.
    if (!ReadId3v1Only())
        file.willNeed(0, std::min<qint64>(file.size(), 16 * 1024));
    readTags(file);
    m_fileSize = file.size();
    m_filePath = path;
    return true;
}

bool CMpegAudioInfo::WriteTag(const QString &path) const
{
    CKivPosixFile file;
    if (!file.open(path, CKivPosixFile::Mode::ReadWrite)) {
        qCWarning(lcMp3) << "cannot open for writing the tag:" << path;
        return false;
    }
    CId3v2Tag present;
    if (!ReadId3v1Only() && present.read(file, file.size())) {
        file.close();
        return KivId3v2Writer::write(path, present.tagSize, m_tag, m_genreName);
    }
    const qint64 size = file.size();
    char old[CId3v1Tag::kSize];
    const bool overwrite = size >= CId3v1Tag::kSize &&
                           file.readAt(size - CId3v1Tag::kSize, old, CId3v1Tag::kSize) == CId3v1Tag::kSize &&
                           CId3v1Tag::isTag(old);
    const qint64 pos = overwrite ? size - CId3v1Tag::kSize : size;

    char block[CId3v1Tag::kSize];
    m_tag.build(block);
    const qint64 written = file.writeAt(pos, block, CId3v1Tag::kSize);
    if (written != CId3v1Tag::kSize) {
        // A short write (disk full, size limit): put back what was there before.
        qCWarning(lcMp3) << "tag write failed:" << path;
        if (written > 0) {
            if (overwrite)
                file.writeAt(pos, old, written);
            else
                file.truncate(size);
        }
        file.close();
        return false;
    }
    // Some file systems report a failed write only on closing.
    return file.close();
}

QString CMpegAudioInfo::GenreName(int index)
{
    return KivGenre::name(index);
}

int CMpegAudioInfo::GenreByName(const QString &text)
{
    return KivGenre::byName(text);
}

QString CMpegAudioInfo::VersionText(int versionCode)
{
    switch (versionCode) {
    case 0:
        return QStringLiteral("Reserved, N/A");
    case 1:
        return QStringLiteral("Version 2.5");
    case 2:
        return QStringLiteral("Version 2.0");
    case 3:
        return QStringLiteral("Version 1.0");
    default:
        return QStringLiteral("N/A");
    }
}

QString CMpegAudioInfo::ChannelModeText(int channelModeCode)
{
    switch (channelModeCode) {
    case 0:
        return QStringLiteral("Stereo");
    case 1:
        return QStringLiteral("Joint Stereo");
    case 2:
        return QStringLiteral("Dual Channel");
    case 3:
        return QStringLiteral("Single Channel");
    default:
        return QStringLiteral("N/A");
    }
}

QString CMpegAudioInfo::EmphasisText(int emphasisCode)
{
    switch (emphasisCode) {
    case 0:
        return QStringLiteral("None");
    case 1:
        return QStringLiteral("50/15ms");
    case 2:
        return QStringLiteral("Reserved");
    case 3:
        return QStringLiteral("CCIT J17");
    default:
        return QStringLiteral("N/A");
    }
}

QString CMpegAudioInfo::LengthText(int lengthSeconds)
{
    if (lengthSeconds < 0)
        return QString();
    return QStringLiteral("%1:%2").arg(lengthSeconds / 60).arg(lengthSeconds % 60, 2, 10, QLatin1Char('0'));
}
