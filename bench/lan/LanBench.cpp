// The LAN benchmark of a shared catalog: the program's login and the first list of a search, over a
// direct connection to the PostgreSQL server and through the delay proxy, which holds every chunk
// 0.25 ms in each direction (0.5 ms per round trip, a household LAN). The catalog holds N rows (100,000
// by default) of which the search finds 1,000. Prints milliseconds (best of five) and the chunks the
// proxy forwarded, a measure of the round trips.
//
//   bench_lan --port PG_PORT [--database NAME] [--rows N]
//
// The server must accept the role "postgres" without a password on 127.0.0.1; bench/lan/run.sh starts
// a private one. Data sources are written into the odbc.ini that ODBCINI names.

#include "DelayProxy.h"
#include "app/session/LoginForm.h"
#include "catalog/PasswordHash.h"
#include "browse/Filter.h"
#include "browse/Mp3Liste.h"
#include "catalog/CatalogCreator.h"
#include "catalog/Database.h"
#include "catalog/OdbcIni.h"
#include "catalog/RsBenutzer.h"
#include "core/ProfileStore.h"
#include "core/Settings.h"
#include "media/MedienListe.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

#include <functional>
#include <memory>

namespace {

QTextStream out(stdout);

// Rows of medium "Bench": 100 artists, so that "Künstler 42," finds one row in a hundred.
bool fillRows(CKivDatabase &db, int rows)
{
    const QString sql = QStringLiteral(
        "INSERT INTO Mp3s (Anlegedatum, Title, Artist, Album, TrackNr, Year, Genre, GenreName, Frames, Length, "
        "BitRate, SampleRate, SearchIndex, Filename, Mediumname, MediumSubPathFilename, SubPath, Comment, "
        "Bewertung, FolderID, FileSize, Validity, ImportID) "
        "SELECT CURRENT_TIMESTAMP, 'Titel ' || i, 'Künstler ' || (i % 100), 'Album ' || (i / 10), 1, '2001', 17, "
        "'Rock', 9000, 240, 128, 44100, '(Bench),Ordner ' || (i / 100) || '\\Lied ' || i || '.mp3,Album ' || "
        "(i / 10) || ',Künstler ' || (i % 100) || ',Titel ' || i || ',2001,Rock,', 'Lied ' || i || '.mp3', "
        "'Bench', '(Bench)Ordner ' || (i / 100) || '\\Lied ' || i || '.mp3', 'Ordner ' || (i / 100) || '\\', '', "
        "3, 0, 5000000, 3, 0 FROM generate_series(0, %1) AS g(i)")
                            .arg(rows - 1);
    QSqlQuery query(db.connection());
    if (!query.exec(sql)) {
        out << "filling rows failed: " << query.lastError().text() << "\n";
        return false;
    }
    query.exec(QStringLiteral("ANALYZE Mp3s"));
    return true;
}

double bestMs(const std::function<void()> &run)
{
    double best = 1e12;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

void row(const QString &what, double direct, double lan, std::uint64_t chunks)
{
    out << "  " << qSetFieldWidth(30) << Qt::left << what << qSetFieldWidth(9) << Qt::right
        << QString::number(direct, 'f', 1) << QString::number(lan, 'f', 1) << qSetFieldWidth(0) << " ms   "
        << chunks << " chunks\n";
    out.flush();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("port"), QStringLiteral("PostgreSQL port"), QStringLiteral("PORT")});
    parser.addOption({QStringLiteral("database"), QStringLiteral("database"), QStringLiteral("NAME"),
                      QStringLiteral("melvora_test")});
    parser.addOption({QStringLiteral("rows"), QStringLiteral("catalog rows"), QStringLiteral("N"),
                      QStringLiteral("100000")});
    parser.process(app);
    const int port = parser.value(QStringLiteral("port")).toInt();
    const int rows = parser.value(QStringLiteral("rows")).toInt();
    if (port <= 0 || rows < 1000) {
        out << "usage: bench_lan --port PG_PORT [--database NAME] [--rows N >= 1000]\n";
        return 1;
    }

    KivDelayProxy lan("127.0.0.1", std::uint16_t(port));
    if (!lan.start()) {
        out << "the delay proxy cannot listen\n";
        return 1;
    }
    const QString database = parser.value(QStringLiteral("database"));
    for (const auto &[dsn, serverPort] : {std::pair{QStringLiteral("BenchDirect"), port},
                                          std::pair{QStringLiteral("BenchLan"), int(lan.port())}}) {
        CKivOdbcIni::WriteUserDataSource(dsn, QStringLiteral("PostgreSQL Unicode"),
                                         {{QStringLiteral("Servername"), QStringLiteral("127.0.0.1")},
                                          {QStringLiteral("Port"), QString::number(serverPort)},
                                          {QStringLiteral("Database"), database},
                                          {QStringLiteral("Username"), QStringLiteral("postgres")},
                                          {QStringLiteral("SSLmode"), QStringLiteral("disable")}});
    }

    QTemporaryDir dir;
    CKivProfileStore store(dir.filePath(QStringLiteral("Melvora.ini")));
    CKivSettings settings(store);
    CKivCatalogCreator creator;
    if (!creator.CreateForDataSource(QStringLiteral("BenchDirect"), true)) {
        out << "creating the catalog failed: " << creator.lastError() << "\n";
        return 1;
    }
    int userId = 0;
    {
        settings.SetOdbcAliasname(QStringLiteral("BenchDirect"));
        CKivDatabase db(settings);
        if (!db.Connect(false) || !fillRows(db, rows))
            return 1;
        for (const QString &name : {QStringLiteral("anna"), QStringLiteral("bernd"), QStringLiteral("clara")}) {
            CRsBenutzer user(db);
            user.AddNew();
            user.m_Benutzername = name;
            user.m_Passwort = KivPassword::Hash(QStringLiteral("geheim")).value_or(QString());
            user.Update();
            if (!userId)
                userId = user.m_ID;
        }
        CKivMedienListe media(userId, QString());
        if (!media.CreateFromFolder(db, QStringLiteral("Bench"), dir.path() + QLatin1Char('/'))) {
            out << "creating the medium failed\n";
            return 1;
        }
    }
    settings.SetUserName(QStringLiteral("anna"));

    out << "shared catalog over a LAN (" << rows << " rows; proxy: 0.25 ms each way per chunk)\n";
    out << "  " << qSetFieldWidth(30) << Qt::left << "" << qSetFieldWidth(9) << Qt::right << "direct"
        << "LAN" << qSetFieldWidth(0) << "\n";

    // Login: connect, the login list, the password check, the user's media (what the login dialog
    // and the document do before the main window shows).
    double login[2] = {};
    double connect[2] = {};
    double passwordCheck[2] = {};
    double search[2] = {};
    double hash[2] = {};
    std::uint64_t connectChunks = 0;
    std::uint64_t loginChunks = 0;
    std::uint64_t searchChunks = 0;
    int found = 0;
    for (int lanRun = 0; lanRun < 2; ++lanRun) {
        settings.SetOdbcAliasname(lanRun ? QStringLiteral("BenchLan") : QStringLiteral("BenchDirect"));
        std::uint64_t before = lan.chunks();
        connect[lanRun] = bestMs([&] {
            CKivDatabase db(settings);
            db.Connect(false);
        });
        if (lanRun)
            connectChunks = (lan.chunks() - before) / 5;
        // The password hash alone: CPU time on this computer, the same with or without a LAN.
        const QString stored = KivPassword::Hash(QStringLiteral("geheim")).value_or(QString());
        hash[lanRun] = bestMs([&] { KivPassword::Verify(stored, QStringLiteral("geheim")); });
        CKivDatabase db(settings);
        db.Connect(false);
        passwordCheck[lanRun] = bestMs([&] {
            CKivLoginForm form(settings, db);
            form.Refill();
            form.Select(form.CurrentIndex());
            form.Accept(QStringLiteral("geheim"));
        });
        before = lan.chunks();
        login[lanRun] = bestMs([&] {
            CKivDatabase fresh(settings);
            fresh.Connect(false);
            CKivLoginForm form(settings, fresh);
            form.Refill();
            form.Select(form.CurrentIndex());
            if (!form.Accept(QStringLiteral("geheim")))
                out << "  login refused\n";
            CKivMedienListe media(form.GetUserId(), QString());
            media.Load(fresh);
        });
        if (lanRun)
            loginChunks = (lan.chunks() - before) / 5;

        CKivMedienListe media(userId, QString());
        media.Load(db);
        CKivFilter filter;
        filter.SetMedia(&media);
        filter.SetInputValue(QStringLiteral("Künstler 42,"));
        before = lan.chunks();
        search[lanRun] = bestMs([&] {
            CKivMp3Liste list(db);
            list.SetMedia(&media);
            list.LoadFiltered(filter);
            found = int(list.ItemCount());
        });
        if (lanRun)
            searchChunks = (lan.chunks() - before) / 5;
    }
    row(QStringLiteral("connect"), connect[0], connect[1], connectChunks);
    row(QStringLiteral("login list + password check"), passwordCheck[0], passwordCheck[1], 0);
    row(QStringLiteral("password hash (Argon2id) alone"), hash[0], hash[1], 0);
    row(QStringLiteral("login (all of it)"), login[0], login[1], loginChunks);
    row(QStringLiteral("login without the hash"), login[0] - hash[0], login[1] - hash[1], loginChunks);
    row(QStringLiteral("search, first %1 rows").arg(found), search[0], search[1], searchChunks);
    out << "  goal: login and first list under 300 ms each over the LAN: login "
        << (login[1] < 300 ? "met" : "missed") << " (without the hash: " << (login[1] - hash[1] < 300 ? "met" : "missed")
        << "), first list " << (search[1] < 300 ? "met" : "missed") << "\n";
    return 0;
}
