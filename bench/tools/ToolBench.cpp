// Retagging the album of N catalogued files and renaming N files from their tags, on each catalog
// engine named on the command line, against the peer kid3-cli doing the same change on the same
// files in one process. Prints milliseconds per file and the ratio to the peer.
//
// bench_tools --work DIR [--files N] [--no-kid3] DSN...
#include "core/ProfileStore.h"
#include "core/Settings.h"
#include "catalog/CatalogCreator.h"
#include "catalog/Database.h"
#include "catalog/RsBenutzer.h"
#include "catalog/Transaction.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "mp3/item/Mp3Item.h"
#include "tools/RenameBatch.h"
#include "tools/RenameRules.h"
#include "tools/TagBatch.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <sys/resource.h>

namespace {

QTextStream out(stdout);

const QLatin1String BenchAlbum("Bench Album");

// An MPEG-1 Layer III file of 40 frames with an ID3v1 tag: title "Song n", artist "Artist".
QByteArray songBytes(int n)
{
    QByteArray frame(417, '\0');
    frame[0] = char(0xFF);
    frame[1] = char(0xFB);
    frame[2] = char(0x90);
    QByteArray tag(128, '\0');
    tag.replace(0, 3, "TAG");
    const QByteArray title = QStringLiteral("Song %1").arg(n, 4, 10, QLatin1Char('0')).toLatin1();
    tag.replace(3, int(title.size()), title);
    tag.replace(33, 6, "Artist");
    tag.replace(63, 5, "Album");
    tag[127] = char(17);
    return frame.repeated(40) + tag;
}

bool makeFiles(const QString &folder, int files)
{
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    for (int i = 0; i < files; ++i) {
        QFile file(folder + QStringLiteral("/Song %1.mp3").arg(i, 4, 10, QLatin1Char('0')));
        const QByteArray bytes = songBytes(i);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return false;
    }
    return true;
}

// Milliseconds of one kid3-cli run with the commands on folder; negative when it failed.
double kid3(const QStringList &commands, const QString &folder)
{
    QStringList args;
    for (const QString &command : commands)
        args << QStringLiteral("-c") << command;
    args << folder;
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(QStringLiteral("kid3-cli"), args);
    if (!process.waitForFinished(600000) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return timer.nsecsElapsed() / 1e6;
}

struct Peer
{
    double retag = -1;
    double rename = -1;
};

Peer measurePeer(const QString &work, int files)
{
    Peer peer;
    const QString folder = work + QStringLiteral("/kid3");
    if (!makeFiles(folder, files))
        return peer;
    // The same change as ours: the album of the ID3v1 tag (tag 1), which both write in place. Left to
    // its default, kid3-cli would add an ID3v2 tag instead and so rewrite every file whole.
    peer.retag = kid3({QStringLiteral("select all"), QStringLiteral("set album '%1' 1").arg(BenchAlbum)}, folder);
    peer.rename = kid3({QStringLiteral("select all"), QStringLiteral("fromtag '%{artist} - %{title}' 1")}, folder);
    const int renamed = int(QDir(folder).entryList({QStringLiteral("Artist - *.mp3")}, QDir::Files).size());
    // What one run costs without files (start and exit), for reading the figures.
    const QString empty = work + QStringLiteral("/kid3-empty");
    QDir().mkpath(empty);
    const double start = kid3({QStringLiteral("select all"), QStringLiteral("set album X 1")}, empty);
    out << "kid3-cli, " << files << " files: retag album " << QString::number(peer.retag / files, 'f', 3)
        << " ms/file, rename from tags " << QString::number(peer.rename / files, 'f', 3) << " ms/file (" << renamed
        << " renamed; one run without files takes " << QString::number(start, 'f', 0) << " ms)\n";
    QDir(empty).removeRecursively();
    out.flush();
    QDir(folder).removeRecursively();
    return peer;
}

void report(const QString &what, double ms, int files, double peerMs)
{
    out << QStringLiteral("  %1: %2 ms for %3 files, %4 ms/file").arg(what).arg(ms, 0, 'f', 1).arg(files).arg(ms / files, 0, 'f', 3);
    if (peerMs > 0)
        out << QStringLiteral(", kid3-cli %1 ms/file, %2x as fast").arg(peerMs / files, 0, 'f', 3).arg(peerMs / ms, 0, 'f', 1);
    out << (ms / files <= 2.0 ? "  (goal 2 ms/file met)\n" : "  (slower than 2 ms/file)\n");
    out.flush();
}

bool runEngine(const QString &dsn, const QString &work, int files, const Peer &peer)
{
    QTemporaryDir profile;
    CKivProfileStore store(profile.filePath(QStringLiteral("Melvora.ini")));
    CKivSettings settings(store);
    settings.SetOdbcAliasname(dsn);
    CKivCatalogCreator creator;
    if (!creator.CreateForDataSource(dsn, true)) {
        out << "cannot create the catalog in " << dsn << ": " << creator.lastError() << "\n";
        return false;
    }
    CKivDatabase db(settings);
    if (!db.Connect(false))
        return false;
    CRsBenutzer users(db);
    users.AddNew();
    users.m_Benutzername = QStringLiteral("bench");
    if (!users.Update())
        return false;
    CKivMedienListe media(users.m_ID, QString());
    const QString root = work + QStringLiteral("/medium-") + dsn + QLatin1Char('/');
    if (!makeFiles(root + QStringLiteral("Album"), files) || !media.Load(db)
        || !media.CreateFromFolder(db, QStringLiteral("Bench"), root)) {
        out << "cannot set up the medium in " << dsn << "\n";
        return false;
    }
    CKivMedium *medium = media.FindMedium(QStringLiteral("Bench"));
    std::vector<CKivMp3::Ptr> items;
    {
        CKivTransaction transaction(db);
        const QStringList names = QDir(root + QStringLiteral("Album")).entryList({QStringLiteral("*.mp3")}, QDir::Files, QDir::Name);
        for (const QString &name : names) {
            CKivMp3::Ptr item = CKivMp3::FromFile(medium, QStringLiteral("Album\\"), name, false);
            if (!item->Save(db))
                return false;
            items.push_back(item);
        }
        transaction.Commit();
    }
    out << dsn << " (" << db.dialect().engineName() << ")\n";

    KivTagEdits edits;
    edits.album = BenchAlbum;
    const std::vector<KivTagJob> jobs = KivTagBatch::FromEdits(items, edits);
    QElapsedTimer timer;
    timer.start();
    const KivBatchSummary tags = KivTagBatch::Run(jobs, db, {}, false, nullptr);
    report(QStringLiteral("retag album"), timer.nsecsElapsed() / 1e6, files, peer.retag);
    if (tags.ok != files)
        out << "  (only " << tags.ok << " files retagged)\n";

    const auto pattern = *KivRenameRules::TagPattern::FromText(QStringLiteral("Artist| - |Title"));
    std::vector<KivRenameJob> renames;
    for (const CKivMp3::Ptr &item : items)
        renames.push_back({item, pattern.Compose(*item, item->GetFilename())});
    timer.restart();
    const KivBatchSummary names = KivRenameBatch::Run(renames, db, {}, nullptr);
    report(QStringLiteral("rename from tags"), timer.nsecsElapsed() / 1e6, files, peer.rename);
    if (names.ok != files)
        out << "  (only " << names.ok << " files renamed)\n";
    items.clear();
    QDir(root).removeRecursively();
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    out << "  peak resident memory so far: " << usage.ru_maxrss / 1024 << " MB\n";
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString work = QDir::tempPath();
    int files = 1000;
    bool withPeer = true;
    QStringList dsns;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--work") && i + 1 < args.size())
            work = args[++i];
        else if (args[i] == QLatin1String("--files") && i + 1 < args.size())
            files = args[++i].toInt();
        else if (args[i] == QLatin1String("--no-kid3"))
            withPeer = false;
        else
            dsns << args[i];
    }
    QDir().mkpath(work);
    const Peer peer = withPeer ? measurePeer(work, files) : Peer{};
    int status = 0;
    for (const QString &dsn : dsns)
        status |= runEngine(dsn, work, files, peer) ? 0 : 1;
    return status;
}
