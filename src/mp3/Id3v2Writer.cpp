#include "mp3/Id3v2Writer.h"

#include "mp3/GenreTable.h"
#include "mp3/Id3v2Text.h"
#include "mp3/PosixFile.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>

#include <taglib/commentsframe.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/textidentificationframe.h>

#include <algorithm>
#include <memory>

Q_DECLARE_LOGGING_CATEGORY(lcMp3)

namespace KivId3v2Writer {
namespace {

using TagLib::ByteVector;
using TagLib::String;

String toTagLib(const QString &text)
{
    return String(text.toStdWString());
}

QString fromTagLib(const String &text)
{
    return QString::fromStdWString(text.toWString());
}

// Latin-1 where it holds the text, else UTF-16 with a byte-order mark: both are valid in 2.3 and 2.4.
String::Type encodingFor(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0xFF)
            return String::UTF16;
    }
    return String::Latin1;
}

TagLib::ID3v2::TextIdentificationFrame *firstTextFrame(TagLib::ID3v2::Tag &tag, const char *id)
{
    const TagLib::ID3v2::FrameList frames = tag.frameList(id);
    return frames.isEmpty() ? nullptr : dynamic_cast<TagLib::ID3v2::TextIdentificationFrame *>(frames.front());
}

QString firstText(TagLib::ID3v2::TextIdentificationFrame *frame)
{
    const TagLib::StringList values = frame ? frame->fieldList() : TagLib::StringList();
    return values.isEmpty() ? QString() : fromTagLib(values.front());
}

// Sets a text frame to one value; the empty text removes it. A frame whose first value already is
// the text stays as it was.
void setText(TagLib::ID3v2::Tag &tag, const char *id, const QString &value)
{
    TagLib::ID3v2::TextIdentificationFrame *frame = firstTextFrame(tag, id);
    if (value.isEmpty()) {
        tag.removeFrames(id);
        return;
    }
    if (frame && firstText(frame) == value)
        return;
    if (!frame) {
        auto created = std::make_unique<TagLib::ID3v2::TextIdentificationFrame>(ByteVector(id), encodingFor(value));
        frame = created.get();
        tag.addFrame(created.release());
    } else if (frame->textEncoding() == String::Latin1 && encodingFor(value) != String::Latin1) {
        frame->setTextEncoding(String::UTF16);
    }
    frame->setText(toTagLib(value));
}

void setTrack(TagLib::ID3v2::Tag &tag, int track)
{
    const QString old = firstText(firstTextFrame(tag, "TRCK"));
    if (track <= 0) {
        tag.removeFrames("TRCK");
        return;
    }
    if (KivId3v2Text::trackNumber(old) == track)
        return;
    // The count of tracks after "/" stays.
    const qsizetype slash = old.indexOf(QLatin1Char('/'));
    setText(tag, "TRCK", QString::number(track) + (slash >= 0 ? old.mid(slash) : QString()));
}

void setGenre(TagLib::ID3v2::Tag &tag, int genre, const QString &genreName)
{
    const QString name = genreName.isEmpty() ? KivGenre::name(genre) : genreName;
    if (name.isEmpty()) {
        tag.removeFrames("TCON");
        return;
    }
    // "(17)" and "Rock" say the same: an old frame that already means this genre stays.
    int oldIndex = 255;
    QString oldName;
    const QString old = firstText(firstTextFrame(tag, "TCON"));
    if (!old.isEmpty())
        KivId3v2Text::genre(old, oldIndex, oldName);
    if (oldName == name)
        return;
    setText(tag, "TCON", name);
}

void setComment(TagLib::ID3v2::Tag &tag, const QString &value)
{
    TagLib::ID3v2::CommentsFrame *plain = nullptr;
    for (TagLib::ID3v2::Frame *frame : tag.frameList("COMM")) {
        auto *comment = dynamic_cast<TagLib::ID3v2::CommentsFrame *>(frame);
        if (comment && comment->description().isEmpty()) {
            plain = comment;
            break;
        }
    }
    if (value.isEmpty()) {
        if (plain)
            tag.removeFrame(plain);
        return;
    }
    if (plain && fromTagLib(plain->text()) == value)
        return;
    if (!plain) {
        auto created = std::make_unique<TagLib::ID3v2::CommentsFrame>(encodingFor(value));
        created->setLanguage(ByteVector("eng", 3));
        plain = created.get();
        tag.addFrame(created.release());
    } else if (plain->textEncoding() == String::Latin1 && encodingFor(value) != String::Latin1) {
        plain->setTextEncoding(String::UTF16);
    }
    plain->setText(toTagLib(value));
}

// The new tag: TagLib renders the old one with the fields set; 2.4 stays 2.4, 2.3 and 2.2 become 2.3.
// Empty when TagLib finds no tag.
QByteArray renderTag(const QString &path, const CId3v1Tag &fields, const QString &genreName)
{
    const QByteArray name = QFile::encodeName(path);
    TagLib::MPEG::File file(name.constData(), false);
    TagLib::ID3v2::Tag *tag = file.isOpen() ? file.ID3v2Tag(false) : nullptr;
    if (!tag || !tag->header())
        return QByteArray();
    const int major = int(tag->header()->majorVersion());
    setText(*tag, "TIT2", fields.title);
    setText(*tag, "TPE1", fields.artist);
    setText(*tag, "TALB", fields.album);
    setText(*tag, "TDRC", fields.year);  // written as TYER into a 2.3 tag
    setComment(*tag, fields.comment);
    setTrack(*tag, fields.track);
    setGenre(*tag, fields.genre, genreName);
    const ByteVector data = tag->render(major >= 4 ? TagLib::ID3v2::v4 : TagLib::ID3v2::v3);
    QByteArray out(data.data(), qsizetype(data.size()));
    if (out.size() < 10)
        return QByteArray();
    // No unsynchronisation, extended header or footer is written, whatever the old header said.
    out[5] = 0;
    return out;
}

void setTagSize(QByteArray &tag, qint64 total)
{
    const quint32 body = quint32(total - 10);
    for (int i = 0; i < 4; ++i)
        tag[6 + i] = char((body >> (7 * (3 - i))) & 0x7F);
}

// Writes the tag and the ID3v1 block over the old ones; the tag has exactly the old tag's size.
bool writeInPlace(const QString &path, const QByteArray &tag, const CId3v1Tag &fields)
{
    CKivPosixFile file;
    if (!file.open(path, CKivPosixFile::Mode::ReadWrite))
        return false;
    const qint64 size = file.size();
    char old[CId3v1Tag::kSize];
    const bool overwrite = size - tag.size() >= CId3v1Tag::kSize
                        && file.readAt(size - CId3v1Tag::kSize, old, CId3v1Tag::kSize) == CId3v1Tag::kSize
                        && CId3v1Tag::isTag(old);
    char block[CId3v1Tag::kSize];
    fields.build(block);
    if (file.writeAt(0, tag.constData(), tag.size()) != tag.size())
        return false;
    if (file.writeAt(overwrite ? size - CId3v1Tag::kSize : size, block, CId3v1Tag::kSize) != CId3v1Tag::kSize)
        return false;
    return file.close();
}

// Builds the new file beside the old one (new tag, the old audio, the ID3v1 block) and renames it over
// the old one once it is complete and on disk.
bool rewrite(const QString &path, qint64 oldTagSize, const QByteArray &tag, const CId3v1Tag &fields)
{
    CKivPosixFile source;
    if (!source.open(path, CKivPosixFile::Mode::Read))
        return false;
    const qint64 size = source.size();
    char old[CId3v1Tag::kSize];
    const bool hasBlock = size - oldTagSize >= CId3v1Tag::kSize
                       && source.readAt(size - CId3v1Tag::kSize, old, CId3v1Tag::kSize) == CId3v1Tag::kSize
                       && CId3v1Tag::isTag(old);
    const qint64 audioEnd = hasBlock ? size - CId3v1Tag::kSize : size;

    QSaveFile target(path);
    target.setDirectWriteFallback(false);
    if (!target.open(QIODevice::WriteOnly))
        return false;
    target.setPermissions(QFileInfo(path).permissions());
    if (target.write(tag) != tag.size())
        return false;
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    for (qint64 pos = oldTagSize; pos < audioEnd;) {
        const qint64 n = source.readAt(pos, chunk.data(), std::min<qint64>(chunk.size(), audioEnd - pos));
        if (n <= 0 || target.write(chunk.constData(), n) != n)
            return false;  // the save file is discarded, the old file stays
        pos += n;
    }
    char block[CId3v1Tag::kSize];
    fields.build(block);
    if (target.write(block, CId3v1Tag::kSize) != CId3v1Tag::kSize)
        return false;
    return target.commit();
}

} // namespace

bool write(const QString &path, qint64 oldTagSize, const CId3v1Tag &fields, const QString &genreName)
{
    QByteArray tag;
    try {
        tag = renderTag(path, fields, genreName);
    } catch (const std::exception &e) {
        qCWarning(lcMp3) << "cannot render the ID3v2 tag of" << path << e.what();
        return false;
    }
    if (tag.isEmpty()) {
        qCWarning(lcMp3) << "no ID3v2 tag to write in" << path;
        return false;
    }
    if (tag.size() <= oldTagSize) {
        // Fill the old tag's room with padding so the audio stays where it is.
        const qsizetype frames = tag.size();
        tag.resize(oldTagSize);
        std::fill(tag.begin() + frames, tag.end(), '\0');
        setTagSize(tag, oldTagSize);
        return writeInPlace(path, tag, fields);
    }
    return rewrite(path, oldTagSize, tag, fields);
}

} // namespace KivId3v2Writer
