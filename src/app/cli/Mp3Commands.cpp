#include "app/cli/Mp3Commands.h"

#include "mp3/MpegAudioInfo.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace {

QJsonObject toJson(const CMpegAudioInfo &info)
{
    QJsonObject o;
    o.insert(QStringLiteral("path"), info.GetFilePath());
    o.insert(QStringLiteral("flags"), info.GetFlags());
    o.insert(QStringLiteral("title"), info.GetTitle());
    o.insert(QStringLiteral("artist"), info.GetArtist());
    o.insert(QStringLiteral("album"), info.GetAlbum());
    o.insert(QStringLiteral("year"), info.GetYear());
    o.insert(QStringLiteral("comment"), info.GetComment());
    o.insert(QStringLiteral("track"), info.GetTrack());
    o.insert(QStringLiteral("genre"), info.GetGenre());
    o.insert(QStringLiteral("genreName"), CMpegAudioInfo::GenreName(info.GetGenre()));
    o.insert(QStringLiteral("frames"), info.GetFrameCount());
    o.insert(QStringLiteral("length"), info.GetLength());
    o.insert(QStringLiteral("version"), info.GetVersion());
    o.insert(QStringLiteral("layer"), info.GetLayer());
    o.insert(QStringLiteral("crc"), info.GetCrc());
    o.insert(QStringLiteral("bitRate"), info.GetBitRate());
    o.insert(QStringLiteral("sampleRate"), info.GetSampleRate());
    o.insert(QStringLiteral("channelMode"), info.GetChannelMode());
    o.insert(QStringLiteral("emphasis"), info.GetEmphasis());
    o.insert(QStringLiteral("copyright"), info.GetCopyright());
    o.insert(QStringLiteral("original"), info.GetOriginal());
    o.insert(QStringLiteral("fileSize"), double(info.GetFileSize()));
    return o;
}

void printJson(const QJsonObject &o)
{
    QTextStream out(stdout);
    out << QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)) << "\n";
}

int fail(const QString &text, int code)
{
    QTextStream err(stderr);
    err << "melvora-cli: " << text << "\n";
    return code;
}

// analyze FILE...: one JSON object per line and file; exit code 1 when any file cannot be opened.
int analyze(const QStringList &args)
{
    if (args.isEmpty())
        return fail(QStringLiteral("analyze needs at least one file"), 2);
    int rc = 0;
    CMpegAudioInfo info;
    for (const QString &path : args) {
        if (info.Analyze(path)) {
            printJson(toJson(info));
        } else {
            fail(QStringLiteral("cannot open %1").arg(path), 1);
            rc = 1;
        }
    }
    return rc;
}

// Parses the genre option: a genre name, a number 0..255, or the empty text for none.
bool parseGenre(const QString &text, int &genre)
{
    if (text.isEmpty()) {
        genre = 255;
        return true;
    }
    genre = CMpegAudioInfo::GenreByName(text);
    if (genre >= 0)
        return true;
    bool ok = false;
    genre = text.toInt(&ok);
    return ok && genre >= 0 && genre <= 255;
}

// tag FILE [--title T] [--artist A] [--album B] [--year Y] [--comment C] [--track N] [--genre NAME]:
// keeps the fields not given, writes the tag and prints the tag read back.
int tag(const QStringList &args)
{
    if (args.isEmpty())
        return fail(QStringLiteral("tag needs a file"), 2);
    const QString path = args.first();
    CMpegAudioInfo info;
    if (!info.ReadTag(path))
        return fail(QStringLiteral("cannot open %1").arg(path), 1);
    for (qsizetype i = 1; i < args.size(); i += 2) {
        const QString option = args[i];
        if (i + 1 >= args.size())
            return fail(QStringLiteral("%1 needs a value").arg(option), 2);
        const QString value = args[i + 1];
        if (option == QLatin1String("--title")) {
            info.SetTitle(value);
        } else if (option == QLatin1String("--artist")) {
            info.SetArtist(value);
        } else if (option == QLatin1String("--album")) {
            info.SetAlbum(value);
        } else if (option == QLatin1String("--year")) {
            info.SetYear(value);
        } else if (option == QLatin1String("--comment")) {
            info.SetComment(value);
        } else if (option == QLatin1String("--track")) {
            bool ok = false;
            const int track = value.toInt(&ok);
            if (!ok)
                return fail(QStringLiteral("--track needs a number"), 2);
            info.SetTrack(track);
        } else if (option == QLatin1String("--genre")) {
            int genre = 255;
            if (!parseGenre(value, genre))
                return fail(QStringLiteral("unknown genre %1").arg(value), 2);
            info.SetGenre(genre);
        } else {
            return fail(QStringLiteral("unknown option %1").arg(option), 2);
        }
    }
    if (!info.WriteTag(path))
        return fail(QStringLiteral("cannot write the tag of %1").arg(path), 1);
    CMpegAudioInfo check;
    if (!check.ReadTag(path))
        return fail(QStringLiteral("cannot open %1").arg(path), 1);
    printJson(toJson(check));
    return 0;
}

} // namespace

std::vector<CliCommand> mp3Commands()
{
    return {
        {"analyze", "analyze FILE...   frames, length, MPEG fields and ID3v1 tag as JSON, one line per file",
         analyze},
        {"tag",
         "tag FILE [--title T] [--artist A] [--album B] [--year Y] [--comment C] [--track N] [--genre NAME]",
         tag},
    };
}
