#include "app/cli/Mp3Commands.h"

#include "app/cli/CliArgs.h"
#include "app/cli/CliText.h"
#include "mp3/MpegAudioInfo.h"
#include "mp3/AnalysisAhead.h"

#include <QFileInfo>
#include <QHash>

#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace {

// The values of one tag; genreName as the tag gives it.
void insertTagFields(QJsonObject &o, const QString &title, const QString &artist, const QString &album,
                     const QString &year, const QString &comment, int track, int genre, const QString &genreName)
{
    o.insert(QStringLiteral("title"), title);
    o.insert(QStringLiteral("artist"), artist);
    o.insert(QStringLiteral("album"), album);
    o.insert(QStringLiteral("year"), year);
    o.insert(QStringLiteral("comment"), comment);
    o.insert(QStringLiteral("track"), track);
    o.insert(QStringLiteral("genre"), genre);
    o.insert(QStringLiteral("genreName"), genreName);
}

// The ID3v1 fields at the top level, the ID3v2 tag (when the file has one) in "id3v2" beside them.
QJsonObject toJson(const CMpegAudioInfo &info)
{
    QJsonObject o;
    o.insert(QStringLiteral("path"), info.GetFilePath());
    o.insert(QStringLiteral("flags"), info.GetFlags());
    const CId3v1Tag &v1 = info.GetId3v1Tag();
    insertTagFields(o, v1.title, v1.artist, v1.album, v1.year, v1.comment, v1.track, v1.genre,
                    CMpegAudioInfo::GenreName(v1.genre));
    const CId3v2Tag &v2 = info.GetId3v2Tag();
    o.insert(QStringLiteral("id3v2Version"), v2.version);
    if (v2.isPresent()) {
        QJsonObject tag;
        tag.insert(QStringLiteral("version"), v2.version);
        tag.insert(QStringLiteral("size"), double(v2.tagSize));
        insertTagFields(tag, v2.title, v2.artist, v2.album, v2.year, v2.comment, v2.track, v2.genre, v2.genreName);
        o.insert(QStringLiteral("id3v2"), tag);
    }
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

int cannotOpen(const QString &path, const QString &fallback)
{
    return fail(QStringLiteral("cannot open %1: %2").arg(path, KivCliText::openFailureReason(path, fallback)), 1);
}

// analyze FILE...: one JSON object per line and file; exit code 1 when any file cannot be opened.
int analyze(const QStringList &arguments)
{
    if (const QString option = KivCliArgs::unknownOption(arguments); !option.isEmpty())
        return fail(QStringLiteral("unknown option ") + option, 1);
    const QStringList args = KivCliArgs::operands(arguments);
    if (args.isEmpty())
        return fail(QStringLiteral("analyze needs at least one file"), 1);
    int rc = 0;
    CMpegAudioInfo info;
    // The files are walked by a small pool ahead of the output, which stays in the order given.
    CKivAnalysisAhead analyses(std::vector<QString>(args.begin(), args.end()), CKivAnalysisAhead::Kind::Full);
    for (const QString &path : args) {
        const bool opened = analyses.TakeNext(info);
        // Only regular files: a folder or a device would open and read as an empty file.
        if (QFileInfo(path).isFile() && opened) {
            printJson(toJson(info));
        } else {
            cannotOpen(path, QStringLiteral("not readable"));
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

// The text fields of the tag, each with its option and accessors.
struct TextField
{
    const char *option;
    void (CMpegAudioInfo::*set)(const QString &);
    QString (CMpegAudioInfo::*get)() const;
};

const TextField kTextFields[] = {
    {"--title", &CMpegAudioInfo::SetTitle, &CMpegAudioInfo::GetTitle},
    {"--artist", &CMpegAudioInfo::SetArtist, &CMpegAudioInfo::GetArtist},
    {"--album", &CMpegAudioInfo::SetAlbum, &CMpegAudioInfo::GetAlbum},
    {"--year", &CMpegAudioInfo::SetYear, &CMpegAudioInfo::GetYear},
    {"--comment", &CMpegAudioInfo::SetComment, &CMpegAudioInfo::GetComment},
};

void warnChanged(const QString &option, const QString &given, const QString &stored)
{
    if (given != stored)
        QTextStream(stderr) << "melvora-cli: warning: " << option << " \"" << given
                            << "\" does not fit into the ID3v1 tag; stored as \"" << stored << "\"\n";
}

// tag FILE [--title T] [--artist A] [--album B] [--year Y] [--comment C] [--track N] [--genre NAME]:
// keeps the fields not given, writes the ID3v1 block (and the ID3v2 tag where the file has one) and
// prints the tags read back. A value that the tags cannot hold whole is cut or clamped, with a warning
// on stderr.
int tag(const QStringList &arguments)
{
    QStringList args = arguments;
    bool missing = false;
    QHash<QString, QString> texts;
    for (const TextField &field : kTextFields) {
        const QString value = KivCliArgs::takeOption(args, QLatin1String(field.option), &missing);
        if (!value.isNull())
            texts.insert(QLatin1String(field.option), value);
    }
    const QString trackText = KivCliArgs::takeOption(args, QStringLiteral("--track"), &missing);
    const QString genreText = KivCliArgs::takeOption(args, QStringLiteral("--genre"), &missing);
    if (missing)
        return fail(QStringLiteral("the options of tag need a value"), 1);
    if (const QString option = KivCliArgs::unknownOption(args); !option.isEmpty())
        return fail(QStringLiteral("unknown option ") + option, 1);
    args = KivCliArgs::operands(args);
    if (args.size() != 1)
        return fail(QStringLiteral("tag needs exactly one file"), 1);
    int track = 0;
    if (!trackText.isNull()) {
        bool ok = false;
        track = trackText.toInt(&ok);
        if (!ok)
            return fail(QStringLiteral("--track needs a number"), 1);
    }
    int genre = 255;
    if (!genreText.isNull() && !parseGenre(genreText, genre))
        return fail(QStringLiteral("unknown genre %1").arg(genreText), 1);

    const QString path = args.first();
    CMpegAudioInfo info;
    if (!QFileInfo(path).isFile() || !info.ReadTag(path))
        return cannotOpen(path, QStringLiteral("not readable"));
    for (const TextField &field : kTextFields) {
        if (texts.contains(QLatin1String(field.option)))
            (info.*field.set)(texts.value(QLatin1String(field.option)));
    }
    if (!trackText.isNull())
        info.SetTrack(track);
    if (!genreText.isNull())
        info.SetGenre(genre);
    if (!info.WriteTag(path))
        return fail(QStringLiteral("cannot write the tag of %1: %2")
                        .arg(path, KivCliText::openFailureReason(path, QStringLiteral("write failed"))),
                    1);
    CMpegAudioInfo check;
    if (!check.ReadTag(path))
        return cannotOpen(path, QStringLiteral("not readable"));
    for (const TextField &field : kTextFields) {
        if (texts.contains(QLatin1String(field.option)))
            warnChanged(QLatin1String(field.option), texts.value(QLatin1String(field.option)), (check.*field.get)());
    }
    if (!trackText.isNull() && track != check.GetTrack())
        warnChanged(QStringLiteral("--track"), trackText, QString::number(check.GetTrack()));
    printJson(toJson(check));
    return 0;
}

} // namespace

std::vector<CliCommand> mp3Commands()
{
    return {
        {"analyze", "analyze FILE...   frames, length, MPEG fields, ID3v1 and ID3v2 tags as JSON, one line per file",
         analyze},
        {"tag",
         "tag FILE [--title T] [--artist A] [--album B] [--year Y] [--comment C] [--track N] [--genre NAME]",
         tag},
    };
}
