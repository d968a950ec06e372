// The scan benchmark: scans a generated MP3 library end to end (quick and full), times the storing
// phase alone, lets beets import the same library as the peer, and times searches over 100,000 and
// 1,000,000 catalog rows, on every catalog engine named on the command line. Prints its figures.
//
//   bench_scan [--files N] [--frames N] [--memory-files N] [--search-rows N,N] [--no-beets]
//              [--work FOLDER] DSN...
//
// The data sources must be registered in the odbc.ini that ODBCINI names; bench/scan/run.sh sets up
// a SQLite and a private PostgreSQL data source and runs it.

#include "BeetsPeer.h"
#include "BenchCatalog.h"
#include "BenchLibrary.h"

#include "core/UserInterface.h"
#include "browse/Mp3Liste.h"
#include "catalog/Database.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "media/scan/ScanDriver.h"
#include "media/scan/ScanFind.h"
#include "media/scan/ScanList.h"
#include "media/scan/ScanMedium.h"
#include "media/scan/ScanStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QSqlQuery>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <atomic>

#include <sys/resource.h>

namespace {

QTextStream out(stdout);

// Counts the messages the core raises instead of showing them.
class CountingUi final : public IKivUserInterface
{
public:
    KivAnswer showMessage(const QString &, const QString &, KivIcon, KivButtons) override
    {
        ++messages;
        return KivAnswer::Ok;
    }
    bool runConnectionDialog(CKivDatabase &) override { return false; }
    bool runFilterDialog(IKivMp3Filter &) override { return false; }
    std::atomic<int> messages{0};
};

double peakResidentMb()
{
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

struct ScanRun
{
    double endToEnd = 0;  // start to the frame's timer seeing the end (100 ms ticks)
    double work = 0;      // start to the second phase clearing its busy flag
    double storing = 0;   // the second phase alone
    int found = 0;
    int stored = 0;
    int failed = 0;
};

// A scan driven as the frame drives it: a poll every 100 ms. Between the ticks the busy flag is
// watched closely to see when the work itself ended.
ScanRun runScan(BenchCatalog &catalog, const QString &mediumName, bool quick)
{
    ScanRun run;
    const CKivMedium *medium = catalog.media().FindMedium(mediumName);
    auto list = std::make_shared<CKivScanList>(catalog.settings(), mediumName, QString(), quick,
                                               KivScanMedium::Copy(catalog.db(), *medium));
    CKivScanDriver driver(list);
    QElapsedTimer timer;
    timer.start();
    driver.Start();
    qint64 nextTick = 100;
    qint64 storingStarted = -1;
    qint64 workEnded = -1;
    for (;;) {
        if (driver.GetState() == CKivScanDriver::State::Storing) {
            if (storingStarted < 0)
                storingStarted = timer.nsecsElapsed();
            if (workEnded < 0 && list->GetBusy() == 0)
                workEnded = timer.nsecsElapsed();
        }
        if (timer.elapsed() >= nextTick) {
            nextTick += 100;
            if (driver.Poll() == CKivScanDriver::State::Finished)
                break;
        }
        QThread::msleep(1);
    }
    const qint64 ended = timer.nsecsElapsed();
    if (workEnded < 0)
        workEnded = ended;
    run.endToEnd = double(ended) / 1e9;
    run.work = double(workEnded) / 1e9;
    run.storing = storingStarted < 0 ? 0 : double(workEnded - storingStarted) / 1e9;
    run.found = list->GetFoundCount();
    run.stored = list->GetStoredCount();
    run.failed = list->GetFailedCount();
    return run;
}

// The second phase alone on the items of a first phase run before it: rows per second.
double storingRate(BenchCatalog &catalog, const QString &mediumName, int *rows)
{
    const CKivMedium *medium = catalog.media().FindMedium(mediumName);
    CKivScanList list(catalog.settings(), mediumName, QString(), true, KivScanMedium::Copy(catalog.db(), *medium));
    KivScanFind::Run(list);
    QElapsedTimer timer;
    timer.start();
    KivScanStore::Run(list);
    *rows = list.GetStoredCount();
    return double(list.GetStoredCount()) / (double(timer.nsecsElapsed()) / 1e9);
}

struct SearchTime
{
    double ms = 0;
    int hits = 0;
};

// The document's search: the query and turning up to 1,000 hits into items; the median of 5 runs
// after one to warm up.
SearchTime timeSearch(BenchCatalog &catalog, const QString &text)
{
    CKivMp3Liste list(catalog.db());
    list.SetMedia(&catalog.media());
    list.Search(text, QString());
    std::vector<double> times;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        timer.start();
        list.Search(text, QString());
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], list.ItemCount()};
}

QString rate(double count, double seconds)
{
    return seconds > 0 ? QString::number(count / seconds, 'f', 0) : QStringLiteral("-");
}

struct Options
{
    int files = 10000;
    int frames = 40;
    int memoryFiles = 100000;
    QList<int> searchRows = {100000, 1000000};
    bool beets = true;
    QString work = QDir::tempPath() + QStringLiteral("/melvora-scan-bench");
    QStringList dsns;
};

bool parse(const QStringList &args, Options &o)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const QString next = args.value(i + 1);
        if (a == QLatin1String("--files")) {
            o.files = next.toInt(), ++i;
        } else if (a == QLatin1String("--frames")) {
            o.frames = next.toInt(), ++i;
        } else if (a == QLatin1String("--memory-files")) {
            o.memoryFiles = next.toInt(), ++i;
        } else if (a == QLatin1String("--search-rows")) {
            o.searchRows.clear();
            for (const QString &n : next.split(QLatin1Char(','), Qt::SkipEmptyParts))
                o.searchRows << n.toInt();
            ++i;
        } else if (a == QLatin1String("--no-beets")) {
            o.beets = false;
        } else if (a == QLatin1String("--work")) {
            o.work = next, ++i;
        } else if (a.startsWith(QLatin1String("--"))) {
            return false;
        } else {
            o.dsns << a;
        }
    }
    return !o.dsns.isEmpty() && o.files > 0;
}

void benchEngine(const Options &o, const QString &dsn, const QString &library, const QString &v2Library,
                 bool withMemory, double *quickRate)
{
    BenchCatalog catalog(dsn);
    if (!catalog.Recreate())
        return;
    out << "\n== " << dsn << " (" << catalog.label() << ")\n";

    // The same library with ID3v1 blocks and with ID3v2 tags: files per second of the work, side by side.
    double workRate[2][2] = {{0, 0}, {0, 0}};
    for (int kind = 0; kind < 2; ++kind) {
        for (const bool quick : {true, false}) {
            catalog.Recreate();
            catalog.AddMedium(QStringLiteral("Bench"), kind == 0 ? library : v2Library);
            const ScanRun run = runScan(catalog, QStringLiteral("Bench"), quick);
            out << (kind == 0 ? "ID3v1 " : "ID3v2 ") << (quick ? "quick scan " : "full scan  ") << run.found
                << " files: " << rate(run.found, run.endToEnd) << " files/s end to end ("
                << QString::number(run.endToEnd, 'f', 2) << " s with the 100 ms timer; work "
                << QString::number(run.work, 'f', 2) << " s = " << rate(run.found, run.work) << " files/s; storing "
                << QString::number(run.storing, 'f', 2) << " s), stored " << run.stored << ", failed " << run.failed
                << Qt::endl;
            workRate[kind][quick ? 0 : 1] = run.work > 0 ? double(run.found) / run.work : 0;
            if (kind == 0 && quick && quickRate)
                *quickRate = double(run.found) / run.endToEnd;
        }
    }
    for (int i = 0; i < 2; ++i) {
        if (workRate[0][i] > 0)
            out << "ID3v2 / ID3v1 " << (i == 0 ? "quick" : "full") << " scan work: "
                << QString::number(100.0 * workRate[1][i] / workRate[0][i], 'f', 0) << " % of the files per second"
                << Qt::endl;
    }

    catalog.Recreate();
    catalog.AddMedium(QStringLiteral("Bench"), library);
    int rows = 0;
    const double inserts = storingRate(catalog, QStringLiteral("Bench"), &rows);
    const double updates = storingRate(catalog, QStringLiteral("Bench"), &rows);
    // Rows another program changed since: the rescan writes two columns of every row back.
    QSqlQuery(catalog.db().connection()).exec(QStringLiteral("UPDATE Mp3s SET Comment = 'anders', Frames = Frames + 1"));
    const double changed = storingRate(catalog, QStringLiteral("Bench"), &rows);
    out << "storing phase: " << QString::number(inserts, 'f', 0) << " rows/s new rows, "
        << QString::number(updates, 'f', 0) << " rows/s rescanned rows, " << QString::number(changed, 'f', 0)
        << " rows/s rescanned rows that changed (" << rows << " rows)" << Qt::endl;

    out << "peak resident memory so far: " << QString::number(peakResidentMb(), 'f', 0) << " MB" << Qt::endl;

    if (!o.searchRows.isEmpty()) {
        catalog.Recreate();
        const QString empty = o.work + QStringLiteral("/search-medium");
        QDir().mkpath(empty);
        catalog.AddMedium(QStringLiteral("Suche"), empty);
        int filled = 0;
        for (const int target : o.searchRows) {
            QElapsedTimer fill;
            fill.start();
            if (!catalog.FillRows(filled, target))
                break;
            filled = target;
            out << "search over " << target << " rows (filled in " << QString::number(fill.elapsed() / 1000.0, 'f', 1)
                << " s):";
            for (const QString &text : {QStringLiteral("Artist00042"), QStringLiteral("Title 77777"),
                                        QStringLiteral("nicht vorhanden")}) {
                const SearchTime t = timeSearch(catalog, text);
                out << "  \"" << text << "\" " << QString::number(t.ms, 'f', 1) << " ms (" << t.hits << " hits)";
            }
            out << Qt::endl;
        }
    }

    if (withMemory && o.memoryFiles > 0) {
        const QString big = o.work + QStringLiteral("/library-big");
        if (!BenchLibrary::Make(big, o.memoryFiles, 1)) {
            out << "cannot make the library of " << o.memoryFiles << " files" << Qt::endl;
            return;
        }
        BenchLibrary::Warm(big);
        catalog.Recreate();
        catalog.AddMedium(QStringLiteral("Gross"), big);
        const ScanRun run = runScan(catalog, QStringLiteral("Gross"), true);
        out << "quick scan " << run.found << " files: " << rate(run.found, run.endToEnd) << " files/s end to end, "
            << "stored " << run.stored << "; peak resident memory " << QString::number(peakResidentMb(), 'f', 0)
            << " MB" << Qt::endl;
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("melvora.*.info=false"));
    Options o;
    if (!parse(app.arguments().mid(1), o)) {
        QTextStream(stderr) << "usage: bench_scan [--files N] [--frames N] [--memory-files N] [--search-rows N,N] "
                               "[--no-beets] [--work FOLDER] DSN...\n";
        return 2;
    }
    CountingUi ui;
    installKivUi(&ui);

    const QString library = o.work + QStringLiteral("/library");
    if (!BenchLibrary::Make(library, o.files, o.frames)) {
        QTextStream(stderr) << "cannot make the library in " << library << "\n";
        return 1;
    }
    const QString v2Library = o.work + QStringLiteral("/library-id3v2");
    if (!BenchLibrary::Make(v2Library, o.files, o.frames, BenchLibrary::Tags::Id3v2)) {
        QTextStream(stderr) << "cannot make the library in " << v2Library << "\n";
        return 1;
    }
    BenchLibrary::Warm(library);
    BenchLibrary::Warm(v2Library);
    out << "library: " << o.files << " files of " << o.frames << " frames (" << (o.frames * 417 + 128)
        << " bytes) in " << library << "; " << QThread::idealThreadCount() << " cores" << Qt::endl;

    double quickRate = 0;
    for (int i = 0; i < o.dsns.size(); ++i)
        benchEngine(o, o.dsns.at(i), library, v2Library, i == 0, i == 0 ? &quickRate : nullptr);

    if (o.beets) {
        const BeetsPeer::Result beets = BeetsPeer::Import(library, o.work + QStringLiteral("/beets"));
        out << "\n== peer: beet import -A -C -W -q\n";
        if (!beets.ran) {
            out << beets.error << Qt::endl;
        } else {
            const double beetsRate = double(o.files) / beets.seconds;
            out << beets.imported << " of " << o.files << " files in " << QString::number(beets.seconds, 'f', 1)
                << " s: " << QString::number(beetsRate, 'f', 0) << " files/s; quick scan on " << o.dsns.first()
                << " is " << QString::number(quickRate / beetsRate, 'f', 1) << " times as fast" << Qt::endl;
        }
    }
    out << "\npeak resident memory of the run: " << QString::number(peakResidentMb(), 'f', 0) << " MB; "
        << ui.messages << " messages" << Qt::endl;
    installKivUi(nullptr);
    return 0;
}
