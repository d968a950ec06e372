#include "sharedcat/SharedServer.h"

#include "DelayProxy.h"
#include "browse/Filter.h"
#include "browse/Mp3Liste.h"
#include "catalog/Database.h"
#include "catalog/PostgresSource.h"
#include "catalog/RsBenutzer.h"
#include "core/ProfileStore.h"
#include "core/Settings.h"
#include "media/MedienListe.h"
#include "mp3/item/Mp3Item.h"
#include "support/CatalogFixture.h"
#include "support/RecordingUi.h"
#include "support/SyntheticMp3.h"
#include "support/TestRegistry.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace SharedServer;

// Two computers on one shared catalog. Computer A is melvora-cli in its own home folder, reaching the
// server over a LAN (the delay proxy), and scans a new medium; meanwhile computer B (this program,
// with its own profile, odbc.ini and password file) searches, rates the files A has stored so far and
// edits the tags of its own medium. Nothing is lost, no row is doubled, and each sees the other's
// changes at its next refresh.
class TwoComputersTest : public QObject
{
    Q_OBJECT

    static constexpr int RockFiles = 300;
    static constexpr int PopFiles = 12;

    QTemporaryDir m_files;

    static QStringList login()
    {
        return {QStringLiteral("--dsn"), QStringLiteral("Haus"), QStringLiteral("--user"), QStringLiteral("anna"),
                QStringLiteral("--password"), QStringLiteral("geheim")};
    }

    QString writeFolder(const QString &name, int count)
    {
        const QString root = m_files.filePath(name) + QLatin1Char('/');
        for (int i = 0; i < count; ++i) {
            const QString path = root + QStringLiteral("CD%1/%2 Lied.mp3").arg(i % 5).arg(i, 3, 10, QLatin1Char('0'));
            if (!SyntheticMp3::writeSong(path, name.toUtf8() + ' ' + QByteArray::number(i), "Artist", 8))
                return {};
        }
        return root;
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (port() == 0)
            QSKIP("no test PostgreSQL server");
    }

    void oneScansWhileTheOtherSearchesRatesAndEdits()
    {
        const Account account = newAccount(QStringLiteral("zwei"));
        QVERIFY(!account.role.isEmpty());
        KivDelayProxy lan("127.0.0.1", std::uint16_t(port()));
        QVERIFY(lan.start());

        // Computer A: its data source leads over the LAN.
        Computer a;
        Computer setup;
        QVERIFY(setup.registerAccount(QStringLiteral("Haus"), account));
        QCOMPARE(setup.cli({QStringLiteral("catalog"), QStringLiteral("create"), QStringLiteral("--dsn"),
                            QStringLiteral("Haus")})
                     .code,
                 0);
        {
            const QString file = m_files.filePath(QStringLiteral("pw"));
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(account.password.toUtf8());
            out.close();
            const Run registered = a.cli({QStringLiteral("catalog"), QStringLiteral("register"), QStringLiteral("--dsn"),
                                          QStringLiteral("Haus"), QStringLiteral("--postgres"),
                                          QStringLiteral("127.0.0.1:%1/%2").arg(lan.port()).arg(account.database),
                                          QStringLiteral("--db-user"), account.role, QStringLiteral("--sslmode"),
                                          QStringLiteral("disable"), QStringLiteral("--db-password-file"), file});
            QVERIFY2(registered.code == 0, qPrintable(registered.err));
        }

        // Computer B: this program, with a data source of its own name on the same catalog.
        QTemporaryDir bHome;
        qputenv("PGPASSFILE", QFile::encodeName(bHome.filePath(QStringLiteral("pgpass"))));
        const CKivPostgresSource source{QStringLiteral("127.0.0.1"), port(), account.database, account.role,
                                        QStringLiteral("disable")};
        QVERIFY(CKivPgPass::Store(CKivPgPass::DefaultPath(), source.PasswordEntry(), account.password));
        QVERIFY(source.Register(QStringLiteral("Familie")));
        CKivProfileStore store(bHome.filePath(QStringLiteral("Melvora.ini")));
        CKivSettings settings(store);
        settings.SetOdbcAliasname(QStringLiteral("Familie"));
        CKivDatabase db(settings);
        QVERIFY(db.Connect(false));
        RecordingUi ui;
        int anna = 0;
        {
            CRsBenutzer user(db);
            user.AddNew();
            user.m_Benutzername = QStringLiteral("anna");
            user.m_Passwort = QStringLiteral("geheim");
            QVERIFY(user.Update());
            anna = user.m_ID;
        }

        const QString rock = writeFolder(QStringLiteral("Rock"), RockFiles);
        const QString pop = writeFolder(QStringLiteral("Pop"), PopFiles);
        QVERIFY(!rock.isEmpty() && !pop.isEmpty());
        QCOMPARE(setup.cli(QStringList{QStringLiteral("medium"), QStringLiteral("create"), QStringLiteral("Pop"), pop} + login()).code, 0);
        QCOMPARE(setup.cli(QStringList{QStringLiteral("scan"), QStringLiteral("Pop")} + login()).code, 0);
        QCOMPARE(a.cli(QStringList{QStringLiteral("medium"), QStringLiteral("create"), QStringLiteral("Rock"), rock} + login()).code, 0);

        CKivMedienListe media(anna, QString());
        QVERIFY(media.Load(db));
        CKivFilter filter;
        filter.SetMedia(&media);
        filter.SetInputValue(QStringLiteral("Artist"));
        CKivMp3Liste list(db);
        list.SetMedia(&media);

        QProcess scan;
        scan.setProcessEnvironment(a.environment());
        scan.start(QStringLiteral(MELVORA_CLI), QStringList{QStringLiteral("scan"), QStringLiteral("Rock")} + login());
        QVERIFY(scan.waitForStarted());

        QSet<QString> rated;
        QHash<QString, QString> albums;
        int rounds = 0;
        int ratedWhileScanning = 0;
        while (scan.state() != QProcess::NotRunning || rounds == 0) {
            ++rounds;
            list.LoadFiltered(filter);
            int ratedNow = 0;
            for (const CKivMp3::Ptr &item : list) {
                const QString key = item->FullPath();
                if (item->GetMediumname() == QLatin1String("Rock") && !rated.contains(key) && ratedNow < 10) {
                    QVERIFY(item->SetRating(5, db));
                    rated.insert(key);
                    ++ratedNow;
                } else if (item->GetMediumname() == QLatin1String("Pop") && !albums.contains(key)) {
                    const QString album = QStringLiteral("Neu %1").arg(rounds);
                    QVERIFY(item->SetAlbum(album, db));
                    albums.insert(key, album);
                    break;
                }
            }
            if (scan.state() != QProcess::NotRunning)
                ratedWhileScanning += ratedNow;
            scan.waitForFinished(20);
        }
        QCOMPARE(scan.exitStatus(), QProcess::NormalExit);
        QCOMPARE(scan.exitCode(), 0);
        QVERIFY2(QString::fromUtf8(scan.readAllStandardOutput()).contains(
                     QStringLiteral("%1 files found, %1 stored, 0 failed").arg(RockFiles)),
                 "the scan did not store every file");
        qInfo("%d rounds of B while A scanned, %d files rated meanwhile", rounds, ratedWhileScanning);
        QCOMPARE(ui.messages().size(), 0);

        // No row doubled or missing.
        QSqlQuery count(db.connection());
        QVERIFY(count.exec(QStringLiteral("SELECT COUNT(*), COUNT(DISTINCT MediumSubPathFilename) FROM Mp3s "
                                          "WHERE Mediumname = 'Rock'")));
        QVERIFY(count.next());
        QCOMPARE(count.value(0).toInt(), RockFiles);
        QCOMPARE(count.value(1).toInt(), RockFiles);
        count.finish();

        // B's next refresh shows all of A's files, with B's ratings and album edits kept.
        list.LoadFiltered(filter);
        QCOMPARE(int(list.ItemCount()), RockFiles + PopFiles);
        for (const CKivMp3::Ptr &item : list) {
            const QString key = item->FullPath();
            if (rated.contains(key))
                QCOMPARE(item->GetBewertung(), 5);
            if (albums.contains(key))
                QCOMPARE(item->GetAlbum(), albums.value(key));
        }

        // A's next search shows B's changes.
        const Run seen = a.cli(QStringList{QStringLiteral("search"), QStringLiteral("Artist"), QStringLiteral("--json")} + login());
        QCOMPARE(seen.code, 0);
        int ratedSeen = 0;
        int albumsSeen = 0;
        const QStringList lines = seen.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), RockFiles + PopFiles);
        for (const QString &line : lines) {
            const QJsonObject o = QJsonDocument::fromJson(line.toUtf8()).object();
            const QString key = o.value(QStringLiteral("path")).toString();
            if (rated.contains(key)) {
                QCOMPARE(o.value(QStringLiteral("rating")).toInt(), 5);
                ++ratedSeen;
            }
            if (albums.contains(key)) {
                QCOMPARE(o.value(QStringLiteral("album")).toString(), albums.value(key));
                ++albumsSeen;
            }
        }
        QCOMPARE(ratedSeen, int(rated.size()));
        QCOMPARE(albumsSeen, int(albums.size()));
        QVERIFY(!albums.isEmpty());
    }
};

MELVORA_TEST(TwoComputersTest, CatalogFixture::isolateOdbcIni);

#include "TwoComputersTest.moc"
