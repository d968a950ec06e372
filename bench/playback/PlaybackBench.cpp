// The playback benchmark: how long Play takes until audio runs, how long the step from the end of
// one track to the next one playing takes (Qt Multimedia on a local file), and how long a playlist
// of 10,000 entries takes to load from a catalog of 100,000 rows on every engine named.
//
//   bench_playback [--rows N] [--entries N] [--tone FILE.mp3] DSN...
//
// The data sources must be registered in the odbc.ini that ODBCINI names; bench/playback/run.sh sets
// up a SQLite and a private PostgreSQL data source and runs it.

#include "catalog/CatalogCreator.h"
#include "catalog/Database.h"
#include "catalog/RsBenutzer.h"
#include "core/ProfileStore.h"
#include "core/Settings.h"
#include "core/UserInterface.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "mp3/item/Mp3Item.h"
#include "playback/PlaySource.h"
#include "playback/Player.h"
#include "playback/PlaylistFile.h"
#include "playback/PlaylistLoader.h"
#include "playback/QtMediaBackend.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>

namespace {

QTextStream out(stdout);

class SilentUi final : public IKivUserInterface
{
public:
    KivAnswer showMessage(const QString &text, const QString &, KivIcon, KivButtons) override
    {
        out << "  message: " << text << "\n";
        return KivAnswer::Ok;
    }
    bool runConnectionDialog(CKivDatabase &) override { return false; }
    bool runFilterDialog(IKivMp3Filter &) override { return false; }
};

// The files of a folder in order, as the player sees a list.
class BenchSource : public IKivPlaySource
{
public:
    std::vector<CKivMp3::Ptr> items;
    int mark = -1;
    CKivPlayer *player = nullptr;
    int SourceKind() const override { return 0; }
    QString DisplayName() const override { return QStringLiteral("Bench"); }
    int RowCount() const override { return int(items.size()); }
    CKivMp3::Ptr ItemAt(int row) const override { return row >= 0 && row < RowCount() ? items[size_t(row)] : nullptr; }
    int MarkedRow() const override { return mark; }
    void SetMarkedRow(int row) override { mark = row; }
    CKivPlayer *GetPlayer() const override { return player; }
    void SetPlayer(CKivPlayer *p) override { player = p; }
};

// Waits (running the event loop) until done() holds; the milliseconds taken, or -1 after limitMs.
double waitFor(const std::function<bool()> &done, int limitMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > limitMs)
            return -1;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return timer.nsecsElapsed() / 1e6;
}

void runPlayer(CKivDatabase &db, CKivMedienListe &media, const QString &tone);

bool fillRows(CKivDatabase &db, int rows)
{
    const bool postgres = db.dialect().engine() == CKivSqlDialect::Engine::PostgreSQL;
    const QString columns = QStringLiteral(
        "Anlegedatum, Title, Artist, ArtistID, Album, TrackNr, Year, Genre, GenreName, Frames, Length, "
        "MpegVersion, MpegLayer, HasCRC, BitRate, SampleRate, Emphasis, Copyright, Original, SearchIndex, "
        "Filename, Mediumname, MediumSubPathFilename, SubPath, Comment, ChannelMode, Bewertung, FolderID, "
        "FileSize, Validity, ImportID");
    const QString values = QStringLiteral(
        "CURRENT_TIMESTAMP, 'Titel ' || i, 'Künstler ' || (i % 1000), -1, 'Album ' || (i / 10), 1, '2001', 17, "
        "'Rock', 9000, 240, 1, 3, 0, 128, 44100, 0, 0, 0, '(Bench),Lied ' || i, 'Lied ' || i || '.mp3', 'Bench', "
        "'(Bench)Ordner ' || (i / 100) || '\\Lied ' || i || '.mp3', 'Ordner ' || (i / 100) || '\\', '', 0, 3, 0, "
        "5000000, 3, 0");
    const QString last = QString::number(rows - 1);
    const QString sql =
        postgres ? QStringLiteral("INSERT INTO Mp3s (") + columns + QStringLiteral(") SELECT ") + values
                       + QStringLiteral(" FROM generate_series(0, ") + last + QStringLiteral(") AS g(i)")
                 : QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < ") + last
                       + QStringLiteral(") INSERT INTO Mp3s (") + columns + QStringLiteral(") SELECT ") + values
                       + QStringLiteral(" FROM n");
    QSqlQuery query(db.connection());
    if (!query.exec(sql)) {
        out << "filling rows failed: " << query.lastError().text() << "\n";
        return false;
    }
    if (postgres)
        query.exec(QStringLiteral("ANALYZE Mp3s"));
    return true;
}

bool runPlaylistLoad(const QString &dsn, int rows, int entries, const QString &tone)
{
    QTemporaryDir dir;
    CKivProfileStore store(dir.filePath(QStringLiteral("Melvora.ini")));
    CKivSettings settings(store);
    settings.SetOdbcAliasname(dsn);
    CKivCatalogCreator creator;
    if (!creator.CreateForDataSource(dsn, true)) {
        out << dsn << ": cannot create the catalog: " << creator.lastError() << "\n";
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
    if (!media.Load(db) || !media.CreateFromFolder(db, QStringLiteral("Bench"), dir.path() + QLatin1Char('/')))
        return false;
    if (!fillRows(db, rows))
        return false;
    // Every tenth row, from the end backwards, and one key in a hundred that the catalog lacks.
    QStringList keys;
    for (int n = 0; n < entries; ++n) {
        const int i = (rows - 1 - n * (rows / entries)) % rows;
        keys.append(n % 100 == 99 ? QStringLiteral("(Bench)gone %1.mp3").arg(n)
                                  : QStringLiteral("(Bench)Ordner %1\\Lied %2.mp3").arg(i / 100).arg(i));
    }
    const QString path = dir.filePath(QStringLiteral("bench.atp"));
    KivPlaylistFile::Write(path, keys);
    double seconds = 1e9;
    size_t found = 0;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        const std::optional<QStringList> read = KivPlaylistFile::Read(path);
        std::vector<CKivMp3::Ptr> items;
        KivPlaylistLoader::Load(db, &media, read.value_or(QStringList()), items);
        seconds = std::min(seconds, timer.nsecsElapsed() / 1e9);
        found = items.size();
    }
    out << db.dialect().engineName() << " (" << dsn << "): playlist of " << entries << " entries from " << rows
        << " rows loaded in " << QString::number(seconds, 'f', 3) << " s (best of 3), " << found << " items\n";
    out.flush();
    if (!tone.isEmpty())
        runPlayer(db, media, tone);
    return true;
}

// Play on a local file until the back end plays and the position advances; then the end of the
// first of two files until the player has the second one playing.
void runPlayer(CKivDatabase &db, CKivMedienListe &media, const QString &tone)
{
    QTemporaryDir dir;
    const QString root = dir.path() + QLatin1Char('/');
    for (const QString &name : {QStringLiteral("a.mp3"), QStringLiteral("b.mp3")})
        QFile::copy(tone, root + name);
    CKivMedium *medium = media.CreateFromFolder(db, QStringLiteral("Tone"), root);
    if (!medium)
        return;
    BenchSource source;
    for (const QString &name : {QStringLiteral("a.mp3"), QStringLiteral("b.mp3")})
        source.items.push_back(CKivMp3::FromFile(medium, QString(), name, true));
    out << "player (Qt Multimedia, " << QFileInfo(tone).fileName() << "):\n";
    for (int run = 0; run < 3; ++run) {
        auto owned = std::make_unique<CKivQtMediaBackend>();
        CKivQtMediaBackend *backend = owned.get();
        CKivPlayer player(std::move(owned));
        player.RegisterSource(&source);
        player.SetActiveSource(&source, false);
        source.mark = -1;
        QElapsedTimer timer;
        timer.start();
        player.Play();
        const double start = waitFor([&] {
            return backend->Player().playbackState() == QMediaPlayer::PlayingState && backend->CurrentPosition() > 0;
        }, 5000);
        QElapsedTimer sinceEnd;
        QObject::connect(backend, &IKivMediaBackend::mediaEnded, &player, [&] { sinceEnd.start(); });
        double next = -1;
        if (waitFor([&] { return backend->FileName().endsWith(QLatin1String("b.mp3")); }, 15000) >= 0
            && waitFor([&] { return backend->CurrentPosition() > 0; }, 5000) >= 0 && sinceEnd.isValid())
            next = sinceEnd.nsecsElapsed() / 1e6;
        out << "  run " << run + 1 << ": Play to audio running " << QString::number(start, 'f', 1)
            << " ms; end of a track to the next one playing " << QString::number(next, 'f', 1) << " ms\n";
        out.flush();
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    SilentUi ui;
    installKivUi(&ui);
    int rows = 100000;
    int entries = 10000;
    QString tone;
    QStringList dsns;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--rows") && i + 1 < args.size())
            rows = args[++i].toInt();
        else if (args[i] == QLatin1String("--entries") && i + 1 < args.size())
            entries = args[++i].toInt();
        else if (args[i] == QLatin1String("--tone") && i + 1 < args.size())
            tone = args[++i];
        else
            dsns << args[i];
    }
    if (rows <= 0 || entries <= 0 || entries > rows) {
        out << "usage: bench_playback [--rows N] [--entries N] [--tone FILE.mp3] DSN...\n";
        return 2;
    }
    bool ok = true;
    for (const QString &dsn : dsns) {
        ok = runPlaylistLoad(dsn, rows, entries, tone) && ok;
        tone.clear();
    }
    installKivUi(nullptr);
    return ok ? 0 : 1;
}
