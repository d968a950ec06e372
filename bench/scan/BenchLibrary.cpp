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

} // namespace

bool BenchLibrary::Make(const QString &root, int count, int framesPerFile)
{
    const QString marker = root + QStringLiteral("/.complete-%1-%2").arg(count).arg(framesPerFile);
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
        file.write(audio);
        file.write(tag(title.toLatin1(), artistName.toLatin1(), albumName.toLatin1(), track));
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
