// The cold scan benchmark: a scan's first phase (finding and reading the files, before the catalog
// stores them) and melvora-cli analyze, with the page cache dropped before every run, beside what
// the same machine does with the same files: cat in one and in four streams, the bare tag-read loop
// on 1 and 16 threads. Each cold figure is taken several times (the spread is printed, since other
// work on the machine makes cold figures noisy), then once warm. Needs root to drop the page cache;
// without it the figures are warm and it says so.
//
//   bench_coldscan [--small N] [--small-bytes N] [--large N] [--large-bytes N] [--runs N]
//                  --work FOLDER DSN
//
// The data source must be registered in the odbc.ini that ODBCINI names; bench/coldscan/run.sh sets
// up a SQLite data source and runs it.

#include "scan/BenchCatalog.h"
#include "ColdCorpus.h"

#include "core/UserInterface.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "media/scan/ScanFind.h"
#include "media/scan/ScanList.h"
#include "media/scan/ScanMedium.h"
#include "mp3/AnalysisAhead.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QProcess>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

QTextStream out(stdout);
bool g_cold = true;

class SilentUi final : public IKivUserInterface
{
public:
    KivAnswer showMessage(const QString &, const QString &, KivIcon, KivButtons) override
    {
        return KivAnswer::Ok;
    }
    bool runConnectionDialog(CKivDatabase &) override { return false; }
    bool runFilterDialog(IKivMp3Filter &) override { return false; }
};

// Runs measure `runs` times cold (the page cache dropped before each), then once more warm after a
// run that warms the cache, and prints one line: the median, the spread, the warm figure.
void figure(const QString &name, const QString &unit, int runs, const std::function<double()> &measure)
{
    std::vector<double> cold;
    for (int i = 0; i < runs; ++i) {
        if (g_cold && !ColdCorpus::DropPageCache()) {
            g_cold = false;
            out << "(the page cache cannot be dropped here, not root? every figure below is warm)\n";
        }
        cold.push_back(measure());
    }
    std::sort(cold.begin(), cold.end());
    measure();
    const double warm = measure();
    const auto n = [](double v) { return QString::number(v, 'f', 0); };
    out << qSetFieldWidth(52) << Qt::left << name << qSetFieldWidth(0) << n(cold[cold.size() / 2]) << " "
        << unit << " (" << n(cold.front()) << ".." << n(cold.back()) << ")   warm " << n(warm) << " " << unit
        << "\n";
    out.flush();
}

// The first phase of a scan of the medium: files per second.
double firstPhase(BenchCatalog &catalog, const QString &mediumName, bool quick, bool ahead, qint64 *bytes)
{
    const CKivMedium *medium = catalog.media().FindMedium(mediumName);
    CKivScanList list(catalog.settings(), mediumName, QString(), quick,
                      KivScanMedium::Copy(catalog.db(), *medium));
    CKivAnalysisAhead::SetEnabled(ahead);
    QElapsedTimer timer;
    timer.start();
    list.SetBusy(1);
    KivScanFind::Run(list);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    CKivAnalysisAhead::SetEnabled(true);
    if (bytes) {
        *bytes = 0;
        for (const CKivMp3::Ptr &item : list.items())
            *bytes += item->Data().m_FileSize;
    }
    return double(list.items().size()) / seconds;
}

// melvora-cli analyze over all files in one call: bytes per second.
double analyze(const QStringList &files, qint64 bytes)
{
    QProcess cli;
    cli.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    cli.start(QStringLiteral(MELVORA_CLI), QStringList{QStringLiteral("analyze")} + files);
    if (!cli.waitForFinished(-1) || cli.exitCode() != 0)
        return 0;
    return double(bytes) / (double(timer.nsecsElapsed()) / 1e9);
}

int option(const QStringList &args, const QString &name, int fallback)
{
    const qsizetype i = args.indexOf(name);
    return i >= 0 && i + 1 < args.size() ? args.at(i + 1).toInt() : fallback;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("melvora.*.info=false"));
    const QStringList args = app.arguments();
    const int small = option(args, QStringLiteral("--small"), 10000);
    const int smallBytes = option(args, QStringLiteral("--small-bytes"), 37000);
    const int large = option(args, QStringLiteral("--large"), 100);
    const int largeBytes = option(args, QStringLiteral("--large-bytes"), 3000000);
    const int runs = std::max(1, option(args, QStringLiteral("--runs"), 3));
    const qsizetype workAt = args.indexOf(QStringLiteral("--work"));
    if (workAt < 0 || workAt + 2 >= args.size()) {
        QTextStream(stderr) << "usage: bench_coldscan [--small N] [--large N] [--runs N] --work FOLDER DSN\n";
        return 2;
    }
    const QString work = args.at(workAt + 1);
    const QString dsn = args.last();
    const QString smallFolder = work + QStringLiteral("/small");
    const QString largeFolder = work + QStringLiteral("/large");
    if (!ColdCorpus::Make(smallFolder, small, smallBytes, 100) ||
        !ColdCorpus::Make(largeFolder, large, largeBytes, 1))
        return 1;
    const QStringList smallFiles = ColdCorpus::Files(smallFolder);
    const QStringList largeFiles = ColdCorpus::Files(largeFolder);
    qint64 largeTotal = 0;
    for (const QString &file : largeFiles)
        largeTotal += QFileInfo(file).size();

    SilentUi ui;
    installKivUi(&ui);
    BenchCatalog catalog(dsn);
    if (!catalog.Recreate() || !catalog.AddMedium(QStringLiteral("Klein"), smallFolder) ||
        !catalog.AddMedium(QStringLiteral("Gross"), largeFolder)) {
        installKivUi(nullptr);
        return 1;
    }

    out << "cold scan benchmark: " << smallFiles.size() << " files of " << smallBytes << " bytes, "
        << largeFiles.size() << " files of " << largeBytes << " bytes; " << runs
        << " cold runs each (median, lowest..highest), then warm\n\n";
    const double mb = 1e6;
    out << "quick scan of the small files\n";
    figure(QStringLiteral("  bare tag read, 1 thread"), QStringLiteral("files/s"), runs,
           [&] { return ColdCorpus::BareTagRead(smallFiles, 1); });
    figure(QStringLiteral("  bare tag read, 16 threads"), QStringLiteral("files/s"), runs,
           [&] { return ColdCorpus::BareTagRead(smallFiles, 16); });
    figure(QStringLiteral("  first phase, quick, one file after the other"), QStringLiteral("files/s"), runs,
           [&] { return firstPhase(catalog, QStringLiteral("Klein"), true, false, nullptr); });
    figure(QStringLiteral("  first phase, quick, analysed ahead"), QStringLiteral("files/s"), runs,
           [&] { return firstPhase(catalog, QStringLiteral("Klein"), true, true, nullptr); });

    out << "\nfull walk of the large files\n";
    figure(QStringLiteral("  cat, one stream"), QStringLiteral("MB/s"), runs,
           [&] { return ColdCorpus::Cat(largeFiles, 1) / mb; });
    figure(QStringLiteral("  cat, four streams"), QStringLiteral("MB/s"), runs,
           [&] { return ColdCorpus::Cat(largeFiles, 4) / mb; });
    const auto walk = [&](bool ahead) {
        qint64 bytes = 0;
        const double files = firstPhase(catalog, QStringLiteral("Gross"), false, ahead, &bytes);
        return files * double(bytes) / double(std::max<qsizetype>(1, largeFiles.size())) / mb;
    };
    figure(QStringLiteral("  first phase, full, one file after the other"), QStringLiteral("MB/s"), runs,
           [&] { return walk(false); });
    figure(QStringLiteral("  first phase, full, analysed ahead"), QStringLiteral("MB/s"), runs,
           [&] { return walk(true); });
    figure(QStringLiteral("  melvora-cli analyze (all files in one call)"), QStringLiteral("MB/s"), runs,
           [&] { return analyze(largeFiles, largeTotal) / mb; });
    installKivUi(nullptr);
    return 0;
}
