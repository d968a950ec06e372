// Media management on a medium of many items, on each data source given: exporting its archive,
// deleting it, importing the archive again (items per second) and deleting the imported medium with
// its folders. Prints one line per figure.
#include "../scan/BenchCatalog.h"

#include "core/ConsoleUi.h"
#include "catalog/Database.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "media/archive/MediumArchiveExport.h"
#include "media/archive/MediumArchiveImport.h"
#include "media/catalog/MediumDeletion.h"
#include "media/scan/ScanList.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <sys/resource.h>

namespace {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

double seconds(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

long peakResidentMb()
{
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

bool deleteMedium(BenchCatalog &catalog, const QString &name, const QString &what)
{
    catalog.media().Load(catalog.db());
    const CKivMedium *medium = catalog.media().FindMedium(name);
    if (!medium)
        return false;
    QElapsedTimer timer;
    timer.start();
    if (!KivMediumDeletion::Run(catalog.db(), *medium))
        return false;
    out() << catalog.label() << "\tdelete " << what << "\t" << QString::number(seconds(timer), 'f', 2) << " s\n";
    out().flush();
    return true;
}

bool runEngine(const QString &dsn, int items, const QString &work)
{
    BenchCatalog catalog(dsn);
    if (!catalog.Recreate() || !catalog.AddMedium(QStringLiteral("Suche"), work + QStringLiteral("/")))
        return false;
    if (!catalog.FillRows(0, items))
        return false;
    catalog.media().Load(catalog.db());
    const CKivMedium *medium = catalog.media().FindMedium(QStringLiteral("Suche"));
    const QString file = work + QStringLiteral("/suche.mar");

    QElapsedTimer timer;
    timer.start();
    if (!KivMediumArchiveExport::Export(catalog.db(), *medium, [&file] { return file; }))
        return false;
    out() << catalog.label() << "\texport " << items << " items\t" << QString::number(seconds(timer), 'f', 2)
          << " s\t" << QFileInfo(file).size() / 1000000 << " MB\n";
    out().flush();

    if (!deleteMedium(catalog, QStringLiteral("Suche"), QStringLiteral("(rows only)")))
        return false;

    catalog.media().Load(catalog.db());
    timer.restart();
    const KivMediumArchiveImport::Prepared prepared =
        KivMediumArchiveImport::Prepare(catalog.db(), catalog.settings(), catalog.media(), file);
    const double read = seconds(timer);
    const int stored = KivMediumArchiveImport::StoreAndWait(prepared);
    const double total = seconds(timer);
    if (stored != items)
        return false;
    out() << catalog.label() << "\timport " << stored << " items\t" << QString::number(total, 'f', 2) << " s\t"
          << qRound(stored / total) << " items/s\t(reading " << QString::number(read, 'f', 2) << " s)\n";
    out().flush();

    if (!deleteMedium(catalog, QStringLiteral("Suche"), QStringLiteral("(rows and folders)")))
        return false;
    out() << catalog.label() << "\tpeak resident memory so far\t" << peakResidentMb() << " MB\n";
    out().flush();
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int items = 100000;
    const qsizetype at = args.indexOf(QStringLiteral("--items"));
    if (at >= 0 && at + 1 < args.size()) {
        items = args.at(at + 1).toInt();
        args.remove(at, 2);
    }
    CKivConsoleUi ui;
    for (const QString &dsn : args) {
        QTemporaryDir work;
        if (!runEngine(dsn, items, work.path())) {
            QTextStream(stderr) << dsn << ": the benchmark failed\n";
            return 1;
        }
    }
    return 0;
}
