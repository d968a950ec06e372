#include "app/cli/PlaylistCommands.h"

#include "app/cli/CliSession.h"
#include "browse/Mp3Liste.h"
#include "playback/PlaylistFile.h"
#include "playback/PlaylistLoader.h"

#include <QTextStream>

namespace {

const char *const Usage = "playlist show FILE.atp | playlist write FILE.atp (--search TEXT | --medium NAME)";

int login(CliSession &session, const QStringList &args)
{
    if (const QString option = CliSession::unknownOption(args); !option.isEmpty())
        return session.fail(QStringLiteral("unknown option ") + option, CliSession::UserError);
    if (args.size() != 1)
        return session.fail(QStringLiteral("usage: melvora-cli ") + QLatin1String(Usage), CliSession::UserError);
    return session.Login();
}

// One line per record: position, key, and the item's ID and title, or "missing".
int show(CliSession &session, const QString &path)
{
    const std::optional<QStringList> keys = KivPlaylistFile::Read(path);
    if (!keys)
        return session.fail(QStringLiteral("cannot read ") + path, CliSession::UserError);
    std::vector<CKivMp3::Ptr> items;
    if (!KivPlaylistLoader::Load(session.db(), &session.media(), *keys, items))
        return session.fail(QStringLiteral("the catalog lookup failed"), CliSession::CatalogUnreachable);
    // The items come in the keys' order with the missing keys left out.
    QTextStream out(stdout);
    size_t next = 0;
    for (qsizetype i = 0; i < keys->size(); ++i) {
        const QString &key = keys->at(i);
        out << (i + 1) << "\t" << key << "\t";
        if (next < items.size() && items[next]->MediumSubPathFilename() == key) {
            out << items[next]->GetID() << "\t" << items[next]->GetTitle() << "\n";
            ++next;
        } else {
            out << "missing\n";
        }
    }
    return CliSession::Success;
}

int write(CliSession &session, const QString &path, const QString &searchText, const QString &mediumName)
{
    CKivMp3Liste list(session.db());
    list.SetMedia(&session.media());
    if (!mediumName.isEmpty())
        list.LoadMedium(mediumName, QString());
    else
        list.Search(searchText, QString());
    QStringList keys;
    for (const CKivMp3::Ptr &item : list)
        keys.append(item->MediumSubPathFilename());
    if (!KivPlaylistFile::Write(path, keys))
        return session.fail(QStringLiteral("cannot write ") + path, CliSession::UserError);
    QTextStream(stdout) << keys.size() << " entries written to " << path << "\n";
    return CliSession::Success;
}

int playlist(const QStringList &arguments)
{
    QStringList args = arguments;
    CliSession session(args);
    const QString sub = args.isEmpty() ? QString() : args.takeFirst();
    if (sub == QLatin1String("show")) {
        if (const int code = login(session, args))
            return code;
        return show(session, args.at(0));
    }
    if (sub == QLatin1String("write")) {
        bool missingSearch = false;
        bool missingMedium = false;
        const QString search = CliSession::takeOption(args, QStringLiteral("--search"), &missingSearch);
        const QString medium = CliSession::takeOption(args, QStringLiteral("--medium"), &missingMedium);
        if (missingSearch || missingMedium || search.isEmpty() == medium.isEmpty())
            return session.fail(QStringLiteral("playlist write needs either --search TEXT or --medium NAME"),
                                CliSession::UserError);
        if (const int code = login(session, args))
            return code;
        return write(session, args.at(0), search, medium);
    }
    return session.fail(QStringLiteral("usage: melvora-cli ") + QLatin1String(Usage), CliSession::UserError);
}

} // namespace

std::vector<CliCommand> playlistCommands()
{
    return {{"playlist", Usage, playlist}};
}
