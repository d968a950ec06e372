#include "BenchLibrary.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTextStream>

namespace {

constexpr int kTracksPerAlbum = 50;
constexpr int kAlbumsPerArtist = 10;

QByteArray frames(int count)
{
    QByteArray frame(417, '\0');
    frame[0] = char(0xFF);
    frame[1] = char(0xFB);
    frame[2] = char(0x90);
    // Filler that never looks like a frame sync.
    for (int i = 4; i < frame.size(); ++i)
        frame[i] = char(0x55);
    return frame.repeated(count);
}

QByteArray tag(const QByteArray &title, const QByteArray &artist, const QByteArray &album, int track)
{
    QByteArray block(128, '\0');
    block.replace(0, 3, "TAG");
    block.replace(3, int(qMin<qsizetype>(30, title.size())), title.left(30));
    block.replace(33, int(qMin<qsizetype>(30, artist.size())), artist.left(30));
    block.replace(63, int(qMin<qsizetype>(30, album.size())), album.left(30));
    block.replace(93, 4, "2001");
    block[126] = char(track);
    block[127] = char(17);
    return block;
}

QByteArray bigEndian(quint32 v)
{
    QByteArray out(4, '\0');
    for (int i = 0; i < 4; ++i)
        out[i] = char((v >> (8 * (3 - i))) & 0xFF);
    return out;
}

QByteArray textFrame(const char *id, const QString &text)
{
    // UTF-16 with a byte-order mark, as most taggers write 2.3 frames.
    QByteArray body("\x01\xFF\xFE", 3);
    for (const QChar c : text)
        body.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    return QByteArray(id) + bigEndian(quint32(body.size())) + QByteArray(2, '\0') + body;
}

QByteArray id3v2(const QString &title, const QString &artist, const QString &album, int track, bool picture)
{
    QByteArray frames;
    if (picture) {
        QByteArray body("\0image/jpeg\0\x03\0", 14);
        body += QByteArray("\xFF\xD8\xFF\xE0", 4).repeated(25000);
        frames += QByteArray("APIC") + bigEndian(quint32(body.size())) + QByteArray(2, '\0') + body;
    }
    frames += textFrame("TIT2", title) + textFrame("TPE1", artist) + textFrame("TALB", album)
            + textFrame("TYER", QStringLiteral("2001")) + textFrame("TRCK", QString::number(track))
            + textFrame("TCON", QStringLiteral("Rock"));
    frames += QByteArray(1024, '\0');  // padding
    const quint32 size = quint32(frames.size());
    QByteArray header("ID3\x03\0\0", 6);
    for (int i = 0; i < 4; ++i)
        header.append(char((size >> (7 * (3 - i))) & 0x7F));
    return header + frames;
}

} // namespace

bool BenchLibrary::Make(const QString &root, int count, int framesPerFile, Tags tags)
{
    const QString marker = root + QStringLiteral("/.complete-%1-%2-%3").arg(count).arg(framesPerFile).arg(int(tags));
    if (QFile::exists(marker))
        return true;
    QDir(root).removeRecursively();
    const QByteArray audio = frames(framesPerFile);
    for (int i = 0; i < count; ++i) {
        const int track = i % kTracksPerAlbum + 1;
        const int album = i / kTracksPerAlbum % kAlbumsPerArtist + 1;
        const int artist = i / (kTracksPerAlbum * kAlbumsPerArtist) + 1;
        const QString artistName = QStringLiteral("Artist %1").arg(artist, 3, 10, QLatin1Char('0'));
        const QString albumName = QStringLiteral("Album %1").arg(album, 2, 10, QLatin1Char('0'));
        const QString folder = root + QLatin1Char('/') + artistName + QLatin1Char('/') + albumName;
        if (track == 1 && !QDir().mkpath(folder))
            return false;
        const QString title = QStringLiteral("Title %1").arg(i);
        QFile file(folder + QStringLiteral("/%1 %2.mp3").arg(track, 3, 10, QLatin1Char('0')).arg(title));
        if (!file.open(QIODevice::WriteOnly))
            return false;
        if (tags == Tags::Id3v2) {
            file.write(id3v2(title, artistName, albumName, track, i % 4 == 0));
            file.write(audio);
        } else {
            file.write(audio);
            file.write(tag(title.toLatin1(), artistName.toLatin1(), albumName.toLatin1(), track));
        }
    }
    QFile done(marker);
    return done.open(QIODevice::WriteOnly);
}

void BenchLibrary::Warm(const QString &root)
{
    QDirIterator it(root, {QStringLiteral("*.mp3")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            file.readAll();
    }
}
