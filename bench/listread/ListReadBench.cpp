// The list-read benchmark: fills a catalog with N MP3 rows on one medium (100,000 by default) and
// times the list loads LoadMedium and LoadFiltered of all rows, through the record set (as the lists
// read before) and through the fast row reader, on every catalog engine named on the command line.
// Prints seconds, rows per second, the ratio, the resident memory after each load and the bytes one
// item costs, how soon a list loading in steps shows its first rows and how long it holds up the
// event loop at most. With --search-rows the catalog then grows to that many rows and the search
// field's searches are timed (the query and up to 1,000 hits made items), and the peak resident
// memory of the whole run is printed last.
//
//   bench_listread [--rows N] [--block N] [--search-rows N] [--lan-port PG_PORT] DSN...
//
// --lan-port starts the delay proxy (0.25 ms each way per chunk) in front of the PostgreSQL server
// on 127.0.0.1:PG_PORT and registers it as the data source "MelvoraBenchPgLan" (database
// melvora_test, role postgres), which may then be named like any other.
//
// The data sources must be registered in the odbc.ini that ODBCINI names; bench/listread/run.sh
// sets up a SQLite and a private PostgreSQL data source and runs it.

#include "core/ProfileStore.h"
#include "core/Settings.h"
#include "core/UserInterface.h"
#include "browse/Filter.h"
#include "browse/Mp3Liste.h"
#include "catalog/CatalogCreator.h"
#include "catalog/Database.h"
#include "catalog/Mp3RowReadAhead.h"
#include "catalog/Mp3RowReader.h"
#include "catalog/OdbcIni.h"
#include "catalog/RsBenutzer.h"
#include "catalog/RsMp3s.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "mp3/item/Mp3Item.h"

#include "DelayProxy.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <malloc.h>

#include <algorithm>
#include <functional>
#include <memory>

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

double statusMb(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray name(key);
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(name))
            return line.mid(name.size()).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

double residentMb()
{
    return statusMb("VmRSS:");
}

// Rows 0..rows-1 of medium "Bench", written by the database itself: 100 files per folder, 10 per
// album, 1,000 artists, texts with umlauts.
bool fillRows(CKivDatabase &db, int rows, int first = 0)
{
    const bool postgres = db.dialect().engine() == CKivSqlDialect::Engine::PostgreSQL;
    const QString columns = QStringLiteral(
        "Anlegedatum, Title, Artist, ArtistID, Album, TrackNr, Year, Genre, GenreName, Frames, Length, "
        "MpegVersion, MpegLayer, HasCRC, BitRate, SampleRate, Emphasis, Copyright, Original, SearchIndex, "
        "Filename, Mediumname, MediumSubPathFilename, SubPath, Comment, ChannelMode, Bewertung, FolderID, "
        "FileSize, Validity, ImportID");
    const QString artist = QStringLiteral("'Künstler ' || (i % 1000)");
    const QString title = QStringLiteral("'Titel Nummer ' || i");
    const QString album = QStringLiteral("'Album Größe ' || (i / 10)");
    const QString subPath = QStringLiteral("'Musik\\Ordner ' || (i / 100) || '\\'");
    const QString file = QStringLiteral("'Künstler - Lied ' || i || '.mp3'");
    const QString values =
        QStringLiteral("CURRENT_TIMESTAMP, %1, %2, -1, %3, 1, '2001', 17, 'Rock', 9000, 240, 1, 3, 0, 128, 44100, "
                       "0, 0, 0, '(Bench),' || %4 || %5 || ',' || %3 || ',' || %2 || ',' || %1 || ',2001,Rock,', "
                       "%5, 'Bench', '(Bench)' || %4 || %5, %4, '', 0, 3, 0, 5000000, 3, 0")
            .arg(title, artist, album, subPath, file);
    const QString start = QString::number(first);
    const QString last = QString::number(rows - 1);
    const QString sql =
        postgres ? QStringLiteral("INSERT INTO Mp3s (") + columns + QStringLiteral(") SELECT ") + values
                       + QStringLiteral(" FROM generate_series(") + start + QStringLiteral(", ") + last
                       + QStringLiteral(") AS g(i)")
                 : QStringLiteral("WITH RECURSIVE n(i) AS (SELECT ") + start
                       + QStringLiteral(" UNION ALL SELECT i + 1 FROM n WHERE i < ") + last
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

// Best of three runs, in seconds.
double best(const std::function<void()> &run)
{
    double seconds = 1e9;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        seconds = std::min(seconds, timer.nsecsElapsed() / 1e9);
    }
    return seconds;
}

void report(const char *what, double seconds, qint64 rows)
{
    out << "  " << qSetFieldWidth(34) << Qt::left << what << qSetFieldWidth(0) << QString::number(seconds, 'f', 3)
        << " s  " << QString::number(rows / seconds, 'f', 0) << " rows/s  VmRSS " << QString::number(residentMb(), 'f', 1)
        << " MB\n";
    out.flush();
}

// The items as the lists made them from the record set.
std::vector<CKivMp3::Ptr> viaRecordSet(CKivDatabase &db, CKivMedienListe &media,
                                       const std::function<bool(CRsMp3s &)> &open)
{
    std::vector<CKivMp3::Ptr> items;
    CRsMp3s rs(db);
    if (open(rs)) {
        for (; !rs.IsEOF(); rs.MoveNext())
            items.push_back(CKivMp3::FromRow(media.FindMedium(rs.m_Mediumname), rs));
    }
    return items;
}

// A list loading in steps, as the program's window loads it: how soon the first rows show, the
// longest time the event loop waits for a step, and the whole load.
void timeSteps(CKivDatabase &db, CKivMedienListe &media, CKivFilter &filter)
{
    CKivMp3Liste list(db);
    list.SetMedia(&media);
    list.SetStepped(true);
    double first = 1e9;
    double longest = 0;
    double whole = 1e9;
    for (int run = 0; run < 3; ++run) {
        QEventLoop loop;
        QObject::connect(&list, &CKivMp3Liste::loadFinished, &loop, &QEventLoop::quit);
        QElapsedTimer timer;
        timer.start();
        list.LoadFiltered(filter);
        first = std::min(first, timer.nsecsElapsed() / 1e6);
        // Every further step runs from the event loop; the gaps between zero-timer ticks are the
        // steps' lengths.
        double runLongest = 0;
        QElapsedTimer tick;
        tick.start();
        QTimer probe;
        probe.setInterval(0);
        QObject::connect(&probe, &QTimer::timeout, [&] {
            runLongest = std::max(runLongest, tick.nsecsElapsed() / 1e6);
            tick.restart();
        });
        probe.start();
        if (list.IsLoading())
            loop.exec();
        probe.stop();
        whole = std::min(whole, timer.nsecsElapsed() / 1e6);
        longest = std::max(longest, runLongest);
    }
    malloc_trim(0);
    out << "  in steps: first rows shown after " << QString::number(first, 'f', 1) << " ms, longest step "
        << QString::number(longest, 'f', 1) << " ms, all " << list.ItemCount() << " rows after "
        << QString::number(whole / 1000.0, 'f', 3) << " s, VmRSS " << QString::number(residentMb(), 'f', 1)
        << " MB\n";
    out.flush();
}

// The search field's search as the program's window runs it (a list loading in steps): the query and
// up to 1,000 hits made items, until the last is in; the median of 5 runs after one to warm up.
void timeSearches(CKivDatabase &db, CKivMedienListe &media, int rows)
{
    out << "  search over " << rows << " rows" << (db.dialect().hasFullTextIndex() ? " (trigram index)" : "")
        << ":\n";
    for (const QString &text : {QStringLiteral("Künstler 42,"), QStringLiteral("Nummer 77777"),
                                QStringLiteral("Größe 4711,"), QStringLiteral("nicht vorhanden"),
                                QStringLiteral("zz")}) {
        CKivFilter filter;
        filter.SetMedia(&media);
        filter.SetInputValue(text);
        CKivMp3Liste list(db);
        list.SetMedia(&media);
        list.SetStepped(true);
        const auto search = [&] {
            QEventLoop loop;
            QObject::connect(&list, &CKivMp3Liste::loadFinished, &loop, &QEventLoop::quit);
            list.LoadFiltered(filter);
            if (list.IsLoading())
                loop.exec();
        };
        search();
        std::vector<double> times;
        for (int i = 0; i < 5; ++i) {
            QElapsedTimer timer;
            timer.start();
            search();
            times.push_back(timer.nsecsElapsed() / 1e6);
        }
        std::sort(times.begin(), times.end());
        out << "    \"" << text << "\" " << QString::number(times[times.size() / 2], 'f', 1) << " ms ("
            << list.ItemCount() << " hits)\n";
        out.flush();
    }
}

bool runEngine(const QString &dsn, int rows, int block, int searchRows)
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
    if (!db.Connect(false)) {
        out << dsn << ": cannot connect\n";
        return false;
    }
    CRsBenutzer users(db);
    users.AddNew();
    users.m_Benutzername = QStringLiteral("bench");
    if (!users.Update())
        return false;
    CKivMedienListe media(users.m_ID, QString());
    if (!media.Load(db) || !media.CreateFromFolder(db, QStringLiteral("Bench"), dir.path() + QLatin1Char('/')))
        return false;
    QElapsedTimer fillTimer;
    fillTimer.start();
    if (!fillRows(db, rows))
        return false;
    out << db.dialect().engineName() << " (" << dsn << "), " << rows << " rows on one medium, filled in "
        << QString::number(fillTimer.elapsed() / 1000.0, 'f', 1) << " s; block " << block << " rows\n";

    CKivFilter filter;
    filter.SetMedia(&media);
    filter.SetInputValue(QString());
    out << "  filter: " << filter.WhereText() << "\n";

    // The reader alone: query and rows, no items.
    qint64 count = 0;
    const double readOnly = best([&] {
        CKivMp3RowReader reader(db, block);
        count = 0;
        reader.Read(CKivMp3sQuery::ByMediumSubPath(QStringLiteral("Bench"), QString(), false),
                    [&](CKivMp3sRow &&) { ++count; });
    });
    report("reader rows only", readOnly, count);
    // The same through the read-ahead of a list loading in steps: its own thread and connection, the
    // driver handing rows out as they arrive.
    {
        CKivMp3RowReadAhead ahead(settings);
        const double readAhead = best([&] {
            CKivMp3RowReader reader(db, block);
            reader.SetReadAhead(&ahead);
            count = 0;
            reader.Read(CKivMp3sQuery::ByMediumSubPath(QStringLiteral("Bench"), QString(), false),
                        [&](CKivMp3sRow &&) { ++count; });
        });
        report("read ahead rows only", readAhead, count);
    }

    malloc_trim(0);
    const double before = residentMb();
    CKivMp3Liste list(db);
    list.SetMedia(&media);
    const double newMedium = best([&] { list.LoadMedium(QStringLiteral("Bench"), QString()); });
    report("LoadMedium, fast reader", newMedium, list.ItemCount());
    malloc_trim(0);
    const double after = residentMb();
    out << "  items held: " << list.ItemCount() << ", about "
        << QString::number((after - before) * 1024 * 1024 / std::max(1, list.ItemCount()), 'f', 0)
        << " bytes each (sizeof CKivMp3 " << sizeof(CKivMp3) << ")\n";
    const double newFiltered = best([&] { list.LoadFiltered(filter); });
    report("LoadFiltered, fast reader", newFiltered, list.ItemCount());
    const int listed = list.ItemCount();
    list.Reset();
    timeSteps(db, media, filter);

    std::vector<CKivMp3::Ptr> items;
    const double oldMedium = best([&] {
        items.clear();
        items = viaRecordSet(db, media, [](CRsMp3s &rs) {
            return rs.OpenByMediumSubPath(QStringLiteral("Bench"), QString(), false);
        });
    });
    report("LoadMedium, record set", oldMedium, qint64(items.size()));
    const double oldFiltered = best([&] {
        items.clear();
        items = viaRecordSet(db, media, [&](CRsMp3s &rs) { return rs.OpenWithFilter(filter); });
    });
    report("LoadFiltered, record set", oldFiltered, qint64(items.size()));
    out << "  ratio record set / fast reader: LoadMedium " << QString::number(oldMedium / newMedium, 'f', 1)
        << "x, LoadFiltered " << QString::number(oldFiltered / newFiltered, 'f', 1) << "x\n";
    if (listed != rows || qint64(items.size()) != rows)
        out << "  WARNING: expected " << rows << " items\n";
    items.clear();
    malloc_trim(0);

    if (searchRows > rows) {
        QElapsedTimer grow;
        grow.start();
        if (!fillRows(db, searchRows, rows))
            return false;
        out << "  grown to " << searchRows << " rows in " << QString::number(grow.elapsed() / 1000.0, 'f', 1)
            << " s\n";
        timeSearches(db, media, searchRows);
    }
    out << "  peak resident memory of the run: " << QString::number(statusMb("VmHWM:"), 'f', 1) << " MB\n";
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    SilentUi ui;
    installKivUi(&ui);
    int rows = 100000;
    int block = CKivMp3RowReader::DefaultBlockRows;
    int searchRows = 0;
    int lanPort = 0;
    QStringList dsns;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--rows") && i + 1 < args.size())
            rows = args[++i].toInt();
        else if (args[i] == QLatin1String("--block") && i + 1 < args.size())
            block = args[++i].toInt();
        else if (args[i] == QLatin1String("--search-rows") && i + 1 < args.size())
            searchRows = args[++i].toInt();
        else if (args[i] == QLatin1String("--lan-port") && i + 1 < args.size())
            lanPort = args[++i].toInt();
        else
            dsns << args[i];
    }
    if (dsns.isEmpty() || rows <= 0) {
        out << "usage: bench_listread [--rows N] [--block N] [--search-rows N] [--lan-port PG_PORT] DSN...\n";
        return 2;
    }
    std::unique_ptr<KivDelayProxy> lan;
    if (lanPort > 0) {
        lan = std::make_unique<KivDelayProxy>("127.0.0.1", std::uint16_t(lanPort));
        if (!lan->start()) {
            out << "the delay proxy cannot listen\n";
            return 2;
        }
        CKivOdbcIni::WriteUserDataSource(QStringLiteral("MelvoraBenchPgLan"), QStringLiteral("PostgreSQL Unicode"),
                                         {{QStringLiteral("Servername"), QStringLiteral("127.0.0.1")},
                                          {QStringLiteral("Port"), QString::number(lan->port())},
                                          {QStringLiteral("Database"), QStringLiteral("melvora_test")},
                                          {QStringLiteral("Username"), QStringLiteral("postgres")},
                                          {QStringLiteral("SSLmode"), QStringLiteral("disable")}});
        out << "MelvoraBenchPgLan: PostgreSQL through the delay proxy (0.25 ms each way per chunk)\n";
    }
    bool ok = true;
    for (const QString &dsn : dsns)
        ok = runEngine(dsn, rows, block, searchRows) && ok;
    installKivUi(nullptr);
    return ok ? 0 : 1;
}
