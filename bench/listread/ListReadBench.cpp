// The list-read benchmark: fills a catalog with N MP3 rows on one medium (100,000 by default) and
// times the list loads LoadMedium and LoadFiltered of all rows, through the record set (as the lists
// read before) and through the fast row reader, on every catalog engine named on the command line.
// Prints seconds, rows per second, the ratio, the resident memory after each load and the bytes one
// item costs.
//
//   bench_listread [--rows N] [--block N] DSN...
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
#include "catalog/Mp3RowReader.h"
#include "catalog/RsBenutzer.h"
#include "catalog/RsMp3s.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "mp3/item/Mp3Item.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

#include <malloc.h>

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

double residentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

// Rows 0..rows-1 of medium "Bench", written by the database itself: 100 files per folder, 10 per
// album, 1,000 artists, texts with umlauts.
bool fillRows(CKivDatabase &db, int rows)
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

bool runEngine(const QString &dsn, int rows, int block)
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
    QStringList dsns;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--rows") && i + 1 < args.size())
            rows = args[++i].toInt();
        else if (args[i] == QLatin1String("--block") && i + 1 < args.size())
            block = args[++i].toInt();
        else
            dsns << args[i];
    }
    if (dsns.isEmpty() || rows <= 0) {
        out << "usage: bench_listread [--rows N] [--block N] DSN...\n";
        return 2;
    }
    bool ok = true;
    for (const QString &dsn : dsns)
        ok = runEngine(dsn, rows, block) && ok;
    installKivUi(nullptr);
    return ok ? 0 : 1;
}
