// The exchange benchmark. On the first catalog engine named: exports MB megabytes of MP3 files (4 MB
// each) into a volume and imports them again, each timed against `cp -r` of the same files on the
// same disk. On every engine named: writes an import list of N waiting rows and reads an import list
// of N records against the catalog. Prints seconds, MB/s and the ratios.
//
//   bench_exchange [--mb MB] [--records N] [--work DIR] DSN...
//
// The data sources must be registered in the odbc.ini that ODBCINI names; bench/exchange/run.sh sets
// up a SQLite and a private PostgreSQL data source and runs it.

#include "catalog/CatalogCreator.h"
#include "catalog/Database.h"
#include "catalog/RsBenutzer.h"
#include "core/ProfileStore.h"
#include "core/Settings.h"
#include "core/UserInterface.h"
#include "exchange/ExchangeFile.h"
#include "exchange/ExchangeReader.h"
#include "exchange/ExchangeWriter.h"
#include "exchange/ExportRun.h"
#include "exchange/ImportRun.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "mp3/item/Mp3Item.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

#include <unistd.h>

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

constexpr qint64 kFileBytes = 4 * 1000 * 1000;

double seconds(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e9;
}

// Settles the written data, so each timed copy starts from the same state of the page cache.
void settle()
{
    ::sync();
}

struct Catalog
{
    QTemporaryDir dir;
    std::unique_ptr<CKivProfileStore> store;
    std::unique_ptr<CKivSettings> settings;
    std::unique_ptr<CKivDatabase> db;
    int user = -1;

    bool open(const QString &dsn)
    {
        store = std::make_unique<CKivProfileStore>(dir.filePath(QStringLiteral("Melvora.ini")));
        settings = std::make_unique<CKivSettings>(*store);
        settings->SetOdbcAliasname(dsn);
        CKivCatalogCreator creator;
        if (!creator.CreateForDataSource(dsn, true)) {
            out << dsn << ": cannot create the catalog: " << creator.lastError() << "\n";
            return false;
        }
        db = std::make_unique<CKivDatabase>(*settings);
        if (!db->Connect(false))
            return false;
        CRsBenutzer users(*db);
        users.AddNew();
        users.m_Benutzername = QStringLiteral("bench");
        users.m_Vorname = QStringLiteral("Bench");
        if (!users.Update())
            return false;
        user = users.m_ID;
        return true;
    }
};

bool exec(CKivDatabase &db, const QString &sql)
{
    QSqlQuery query(db.connection());
    if (!query.exec(sql)) {
        out << "  SQL failed: " << query.lastError().text() << "\n";
        return false;
    }
    return true;
}

// rows rows of medium, keys "(medium)Ordner k\Lied i.mp3"; with waiting, each waits for import
// (ImportID i + 1, its Import row from the medium "Away" that the user does not have).
bool fillRows(CKivDatabase &db, const QString &medium, int rows, bool waiting)
{
    const bool postgres = db.dialect().engine() == CKivSqlDialect::Engine::PostgreSQL;
    const QString series = postgres ? QStringLiteral(" FROM generate_series(0, %1) AS g(i)").arg(rows - 1)
                                    : QStringLiteral(" FROM n");
    const QString with = postgres ? QString()
                                  : QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n "
                                                   "WHERE i < %1) ")
                                        .arg(rows - 1);
    const QString subPath = QStringLiteral("'Ordner ' || (i / 100) || '\\'");
    const QString file = QStringLiteral("'Lied ' || i || '.mp3'");
    const QString m = QLatin1Char('\'') + medium + QLatin1Char('\'');
    if (waiting
        && !exec(db, with + QStringLiteral("INSERT INTO Import (SourceMedium, DestMedium, Anlegedatum, DestFilename, "
                                           "DestSubPath, SourceFilename, SourceSubPath) SELECT 'Away', %1, "
                                           "CURRENT_TIMESTAMP, %2, %3, %2, %3")
                                .arg(m, file, subPath)
                         + series))
        return false;
    const QString sql =
        with
        + QStringLiteral("INSERT INTO Mp3s (Anlegedatum, Title, Artist, ArtistID, Album, TrackNr, Year, Genre, "
                         "GenreName, Frames, Length, MpegVersion, MpegLayer, HasCRC, BitRate, SampleRate, Emphasis, "
                         "Copyright, Original, SearchIndex, Filename, Mediumname, MediumSubPathFilename, SubPath, "
                         "Comment, ChannelMode, Bewertung, FolderID, FileSize, Validity, ImportID) SELECT "
                         "CURRENT_TIMESTAMP, 'Titel ' || i, 'Artist', -1, 'Album', 1, '2001', 17, 'Rock', 9000, 240, "
                         "1, 3, 0, 128, 44100, 0, 0, 0, '(' || %1 || '),' || %2 || %3, %3, %1, '(' || %1 || ')' || "
                         "%2 || %3, %2, '', 0, 3, 0, 5000000, 3, %4")
              .arg(m, subPath, file, waiting ? QStringLiteral("i + 1") : QStringLiteral("0"))
        + series;
    return exec(db, sql);
}

void importLists(const QString &dsn, int records)
{
    Catalog c;
    if (!c.open(dsn))
        return;
    CKivMedienListe media(c.user, QString());
    if (!media.Load(*c.db) || !media.CreateFromFolder(*c.db, QStringLiteral("Mine"), c.dir.path() + QLatin1Char('/')))
        return;
    if (!fillRows(*c.db, QStringLiteral("Mine"), records, false) || !fillRows(*c.db, QStringLiteral("Wish"), records, true))
        return;
    // "Wish" is the user's too (its files wait for import); it lives in a folder of its own.
    QDir(c.dir.path()).mkpath(QStringLiteral("wish"));
    media.CreateFromFolder(*c.db, QStringLiteral("Wish"), c.dir.filePath(QStringLiteral("wish")) + QLatin1Char('/'));
    out << c.db->dialect().engineName() << " (" << dsn << "), " << records << " records\n";

    const QString path = c.dir.filePath(QStringLiteral("bench.imp"));
    QElapsedTimer timer;
    timer.start();
    const std::vector<CKivMp3::Ptr> waiting = KivExchangeWriter::WaitingItems(*c.db, media);
    const int written = KivExchangeWriter::SaveImportList(path, waiting, &media, QStringLiteral("Bench"));
    out << "  write import list (query + file): " << QString::number(seconds(timer), 'f', 3) << " s, " << written
        << " records\n";

    // A friend's list asking for every file of "Mine".
    std::vector<KivExchangeFile::Record> asked;
    for (int i = 0; i < records; ++i) {
        const QString sub = QStringLiteral("Ordner %1\\").arg(i / 100);
        const QString name = QStringLiteral("Lied %1.mp3").arg(i);
        asked.push_back({i + 1, QStringLiteral("Mine"), sub, name, QStringLiteral("Friend"), sub, name});
    }
    const QString askedPath = c.dir.filePath(QStringLiteral("asked.imp"));
    KivExchangeFile::Write(askedPath, QStringLiteral("Friend"), asked);
    timer.restart();
    const auto loaded = KivExchangeReader::ReadImportList(*c.db, &media, askedPath);
    int found = 0;
    if (loaded) {
        for (const auto &e : loaded->entries)
            found += e.item ? 1 : 0;
    }
    out << "  read import list (file + lookups): " << QString::number(seconds(timer), 'f', 3) << " s, " << found
        << " of " << records << " found\n";
    out.flush();
}

double runCp(const QString &from, const QString &to)
{
    settle();
    QElapsedTimer timer;
    timer.start();
    QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), from, to});
    settle();
    return seconds(timer);
}

void throughput(const QString &dsn, int mb, const QString &work)
{
    Catalog c;
    if (!c.open(dsn))
        return;
    const QString src = work + QStringLiteral("/src/");
    const QString req = work + QStringLiteral("/req/");
    const QString vol = work + QStringLiteral("/vol");
    for (const QString &d : {src, req, vol})
        QDir().mkpath(d);
    QDir().mkpath(src + QStringLiteral("Pop"));
    CKivMedienListe media(c.user, QString());
    media.Load(*c.db);
    CKivMedium *from = media.CreateFromFolder(*c.db, QStringLiteral("Src"), src);
    CKivMedium *to = media.CreateFromFolder(*c.db, QStringLiteral("Req"), req);
    if (!from || !to)
        return;

    const int files = qMax(1, mb * 1000 * 1000 / int(kFileBytes));
    QByteArray data(int(kFileBytes), '\0');
    QRandomGenerator random(42);
    random.fillRange(reinterpret_cast<quint32 *>(data.data()), data.size() / 4);
    std::vector<CKivMp3::Ptr> requested;
    for (int i = 0; i < files; ++i) {
        const QString name = QStringLiteral("Lied %1.mp3").arg(i);
        data[0] = char(i);
        data[1] = char(i >> 8);
        QFile file(src + QStringLiteral("Pop/") + name);
        if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
            return;
        CKivMp3Data d;
        d.m_Mediumname = QStringLiteral("Src");
        d.m_SubPath = QStringLiteral("Pop\\");
        d.m_Filename = name;
        d.m_Title = name;
        d.m_FileSize = qint32(kFileBytes);
        // The requester's pending import of this file.
        CKivMp3::Ptr pending = CKivMp3::FromRow(from, d, CKivMp3ImportData());
        if (!pending->Save(*c.db)
            || !pending->RegisterAtDestination(to, QStringLiteral("In\\"), name, true, *c.db))
            return;
        requested.push_back(CKivMp3::FromRequestedRow(from, d, {}, i + 1, QStringLiteral("Req"),
                                                      QStringLiteral("In\\"), name));
    }
    const double total = double(files) * kFileBytes / 1e6;
    out << "throughput, " << files << " files of 4 MB (" << QString::number(total, 'f', 0) << " MB) on "
        << c.db->dialect().engineName() << "\n";

    const double cp = runCp(src + QStringLiteral("Pop"), work + QStringLiteral("/cp-copy"));
    out << "  cp -r:  " << QString::number(cp, 'f', 2) << " s  " << QString::number(total / cp, 'f', 0) << " MB/s\n";

    settle();
    QElapsedTimer timer;
    timer.start();
    CKivExportRun run(vol, 0, QStringLiteral("bench.exp"), QStringLiteral("Bench"));
    const CKivExportRun::Result exported = run.Run(requested, &media);
    settle();
    const double exportSeconds = seconds(timer);
    out << "  export: " << QString::number(exportSeconds, 'f', 2) << " s  "
        << QString::number(total / exportSeconds, 'f', 0) << " MB/s  " << exported.exported
        << " files  ratio to cp -r " << QString::number(cp / exportSeconds, 'f', 2) << "\n";

    const auto loaded =
        KivExchangeReader::ReadExportFile(*c.db, &media, vol + QStringLiteral("/Volume 0/bench.exp"));
    std::vector<CKivMp3::Ptr> delivered;
    if (loaded) {
        for (const auto &e : loaded->entries) {
            if (e.item)
                delivered.push_back(e.item);
        }
    }
    settle();
    timer.restart();
    const KivImportRun::Result imported = KivImportRun::Run(delivered, &media, *c.db);
    settle();
    const double importSeconds = seconds(timer);
    out << "  import: " << QString::number(importSeconds, 'f', 2) << " s  "
        << QString::number(total / importSeconds, 'f', 0) << " MB/s  " << imported.imported
        << " files  ratio to cp -r " << QString::number(cp / importSeconds, 'f', 2) << "\n";
    out.flush();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    SilentUi ui;
    installKivUi(&ui);
    QStringList args = app.arguments().mid(1);
    int mb = 1024;
    int records = 10000;
    QString work;
    QStringList dsns;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--mb") && i + 1 < args.size())
            mb = args[++i].toInt();
        else if (args[i] == QLatin1String("--records") && i + 1 < args.size())
            records = args[++i].toInt();
        else if (args[i] == QLatin1String("--work") && i + 1 < args.size())
            work = args[++i];
        else
            dsns << args[i];
    }
    if (dsns.isEmpty()) {
        out << "usage: bench_exchange [--mb MB] [--records N] [--work DIR] DSN...\n";
        return 1;
    }
    QTemporaryDir own;
    if (work.isEmpty())
        work = own.path();
    if (mb > 0)
        throughput(dsns.first(), mb, work);
    for (const QString &dsn : dsns)
        importLists(dsn, records);
    installKivUi(nullptr);
    return 0;
}
