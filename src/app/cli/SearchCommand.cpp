#include "app/cli/SearchCommand.h"

#include "app/cli/CliArgs.h"
#include "app/cli/CliSession.h"
#include "app/cli/CliText.h"
#include "browse/Mp3Liste.h"
#include "mp3/item/Mp3Item.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace {

// Every column of the MP3 list with the stored value, for scripts.
QJsonObject toJson(const CKivMp3 &item)
{
    QJsonObject o;
    o.insert(QStringLiteral("id"), item.GetID());
    o.insert(QStringLiteral("medium"), item.GetMediumname());
    o.insert(QStringLiteral("subPath"), item.GetSubPath());
    o.insert(QStringLiteral("filename"), item.GetFilename());
    o.insert(QStringLiteral("path"), item.FullPath());
    o.insert(QStringLiteral("size"), item.GetFileSize());
    o.insert(QStringLiteral("length"), item.GetLength());
    o.insert(QStringLiteral("album"), item.GetAlbum());
    o.insert(QStringLiteral("artist"), item.GetArtist());
    o.insert(QStringLiteral("title"), item.GetTitle());
    o.insert(QStringLiteral("track"), item.GetTrackNr());
    o.insert(QStringLiteral("genre"), item.GetGenre());
    o.insert(QStringLiteral("genreName"), item.GetGenreName());
    o.insert(QStringLiteral("year"), item.GetYear());
    o.insert(QStringLiteral("comment"), item.GetComment());
    o.insert(QStringLiteral("rating"), item.GetBewertung());
    o.insert(QStringLiteral("sampleRate"), item.GetSampleRate());
    o.insert(QStringLiteral("bitRate"), item.GetBitRate());
    o.insert(QStringLiteral("layer"), item.GetMpegLayer());
    o.insert(QStringLiteral("version"), item.GetMpegVersion());
    o.insert(QStringLiteral("channelMode"), item.GetChannelMode());
    o.insert(QStringLiteral("emphasis"), item.GetEmphasis());
    o.insert(QStringLiteral("copyright"), item.GetCopyright());
    o.insert(QStringLiteral("original"), item.GetOriginal());
    o.insert(QStringLiteral("frames"), item.GetFrames());
    o.insert(QStringLiteral("crc"), item.GetHasCRC());
    o.insert(QStringLiteral("created"), item.GetAnlegedatum().toString(Qt::ISODate));
    return o;
}

} // namespace

int RunSearchCommand(const QStringList &arguments)
{
    QStringList args = arguments;
    CliSession session(args);
    bool missing = false;
    const QString mediumName = CliSession::takeOption(args, QStringLiteral("--medium"), &missing);
    const bool json = CliSession::takeFlag(args, QStringLiteral("--json"));
    if (missing)
        return session.fail(QStringLiteral("--medium needs a name"), CliSession::UserError);
    if (const QString option = CliSession::unknownOption(args); !option.isEmpty())
        return session.fail(QStringLiteral("unknown option ") + option, CliSession::UserError);
    args = KivCliArgs::operands(args);
    if (args.size() != 1)
        return session.fail(
            QStringLiteral("usage: melvora-cli search TEXT [--medium NAME] [--json] [login options]"),
            CliSession::UserError);
    if (const int code = session.Login())
        return code;

    CKivMp3Liste list(session.db());
    list.SetMedia(&session.media());
    list.Search(args.at(0), mediumName);
    if (!list.LastReadError().isEmpty())
        return session.fail(QStringLiteral("the search failed: ") + list.LastReadError(),
                            CliSession::CatalogUnreachable);
    QTextStream out(stdout);
    for (const CKivMp3::Ptr &item : list) {
        if (json) {
            out << QString::fromUtf8(QJsonDocument(toJson(*item)).toJson(QJsonDocument::Compact)) << "\n";
            continue;
        }
        using KivCliText::escaped;
        out << item->GetID() << "\t" << escaped(item->GetMediumname()) << "\t" << escaped(item->GetSubPath())
            << "\t" << escaped(item->GetFilename()) << "\t" << escaped(item->GetArtist()) << "\t"
            << escaped(item->GetTitle()) << "\t" << item->LengthText() << "\n";
    }
    return CliSession::Success;
}
