#include "core/SetupRecord.h"
#include "catalog/PasswordHash.h"
#include "catalog/OdbcIni.h"
#include "setup/Installation.h"
#include "setup/SetupTests.h"
#include "support/TestRegistry.h"
#include "support/RecordingUi.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

// A whole installation: the catalog, its data source, the first user (hashed, updated on a second
// run), the hand-over record, a failing step reported as a failure, and melvora-setup itself.
class InstallationTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString source() const
    {
        const QString folder = m_dir.filePath(QStringLiteral("Data/"));
        QDir().mkpath(folder);
        QFile program(folder + QStringLiteral("melvora"));
        if (!program.exists() && program.open(QIODevice::WriteOnly))
            program.write("#!/bin/sh\n");
        return folder;
    }

    static CKivSetupData data(const QString &folder, const QString &password)
    {
        CKivSetupData d;
        d.installFolder = CKivSetupData::WithTrailingSlash(folder);
        d.userName = QStringLiteral("Hans");
        d.firstName = QStringLiteral("Hans");
        d.surname = QStringLiteral("Müller");
        d.email = QStringLiteral("hans@example.org");
        d.password = password;
        d.mediumName = QStringLiteral("Musik");
        d.mediumFolder = QStringLiteral("/srv/musik/");
        d.createMedium = 1;
        d.scanMedium = 1;
        return d;
    }

    // How many users of that name the catalog file holds; -1 when it cannot be read. The file is read
    // directly: the driver manager keeps what it read of odbc.ini for a while, and another process
    // (melvora-setup) changes it.
    static int countUsers(const QString &file, const QString &name, QString *password)
    {
        int count = -1;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), QStringLiteral("count"));
            db.setDatabaseName(QStringLiteral("DRIVER={SQLite3};Database=") + file);
            QSqlQuery query(db);
            if (db.open() && query.exec(QStringLiteral("SELECT Benutzername, Passwort FROM Benutzer"))) {
                count = 0;
                while (query.next()) {
                    if (query.value(0).toString() == name) {
                        ++count;
                        *password = query.value(1).toString();
                    }
                }
            }
            query.finish();
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("count"));
        return count;
    }

    static CKivSetupRecord readRecord(const QString &file)
    {
        QFile f(file);
        CKivSetupRecord record;
        if (f.open(QIODevice::ReadOnly))
            record.assign(f.readAll());
        return record;
    }

private Q_SLOTS:
    void installsTheCatalogTheDataSourceTheUserAndTheHandOver()
    {
        RecordingUi ui;
        const QString folder = m_dir.filePath(QStringLiteral("Kiv/Melvora/"));
        CKivInstallation installation(data(folder, QStringLiteral("geheim")), source(), {});
        QStringList titles;
        QVERIFY(installation.Run([&](const CKivInstallStep &step) {
            if (titles.isEmpty() || titles.constLast() != step.Title())
                titles.append(step.Title());
        }));
        QCOMPARE(titles, (QStringList{QStringLiteral("Programm Files werden kopiert."),
                                      QStringLiteral("Datenbank Files werden kopiert."),
                                      QStringLiteral("Hintergrundbilder werden kopiert."),
                                      QStringLiteral("Help Files werden kopiert."),
                                      QStringLiteral("Datenbank wird eingerichtet."),
                                      QStringLiteral("Installation wird abgeschlossen.")}));
        QVERIFY(ui.messages().isEmpty());

        const QString database = folder + QStringLiteral("Datenbank/Melvora.db");
        QVERIFY(QFileInfo(folder + QStringLiteral("melvora")).isFile());
        QCOMPARE(CKivOdbcIni::SqliteDatabaseFile(QStringLiteral("Melvora")), database);
        QString stored;
        QCOMPARE(countUsers(database, QStringLiteral("Hans"), &stored), 1);
        QVERIFY(KivPassword::IsHashed(stored));
        QVERIFY(KivPassword::Verify(stored, QStringLiteral("geheim")));

        QCOMPARE(QFileInfo(folder + QStringLiteral("Setup.ini")).size(), qint64(CKivSetupRecord::Size));
        const CKivSetupRecord record = readRecord(folder + QStringLiteral("Setup.ini"));
        QCOMPARE(record.ProgramFolder(), folder);
        QCOMPARE(record.DatabaseFile(), database);
        QCOMPARE(record.HelpFolder(), folder + QStringLiteral("Handbuch/"));
        QCOMPARE(record.DataSourceName(), QStringLiteral("Melvora"));
        QCOMPARE(record.UserName(), QStringLiteral("Hans"));
        QCOMPARE(record.UserSurname(), QStringLiteral("Müller"));
        QCOMPARE(record.UserPassword(), QString());  // not left lying about in plain text
        QCOMPARE(record.FirstMediumFolder(), QStringLiteral("/srv/musik/"));
        QCOMPARE(record.CreateFirstMedium(), 1);
        QCOMPARE(record.ScanFirstMedium(), 1);
        QCOMPARE(record.QuickImport(), 0);

        // A second run keeps the catalog with its rows and updates the user of that name.
        CKivInstallation again(data(folder, QString()), source(), {});
        QVERIFY(again.Run());
        QCOMPARE(countUsers(database, QStringLiteral("Hans"), &stored), 1);
        QCOMPARE(stored, QStringLiteral(""));
    }

    void aFailingStepIsReportedAndTheRestStillRuns()
    {
        RecordingUi ui;
        // The catalog path is too long to register as a data source.
        const QString folder = m_dir.filePath(QString(150, u'l') + QStringLiteral("/Melvora/"));
        CKivInstallation installation(data(folder, QString()), source(), {});
        QVERIFY(!installation.Run());
        QCOMPARE(installation.Failures().size(), 1);
        QVERIFY(installation.Failures().at(0).startsWith(QStringLiteral("Datenbank wird eingerichtet.")));
        QCOMPARE(ui.messages().size(), 1);
        QCOMPARE(ui.messages().at(0).caption, QStringLiteral("Kiv Setup"));
        QCOMPARE(ui.messages().at(0).text, QStringLiteral("Beim einrichten der ODBC Verbindung ist ein Fehler "
                                                          "aufgetreten. Datenbank kann nicht eingerichtet werden."));
        QVERIFY(QFileInfo::exists(folder + QStringLiteral("Setup.ini")));
    }

    void melvoraSetupInstallsUnattended()
    {
        const QString folder = m_dir.filePath(QStringLiteral("cli/Melvora"));
        QProcess setup;
        setup.start(QStringLiteral(MELVORA_SETUP_PROGRAM),
                    {QStringLiteral("--unattended"), QStringLiteral("--install-dir"), folder,
                     QStringLiteral("--user"), QStringLiteral("Eva"), QStringLiteral("--no-links")});
        QVERIFY(setup.waitForFinished(60000));
        QVERIFY2(setup.exitCode() == 0, setup.readAllStandardError().constData());
        QVERIFY(QFileInfo(folder + QStringLiteral("/melvora")).isExecutable());
        QVERIFY(QFileInfo::exists(folder + QStringLiteral("/Setup.ini")));
        QString stored;
        QCOMPARE(countUsers(folder + QStringLiteral("/Datenbank/Melvora.db"), QStringLiteral("Eva"), &stored), 1);
        QCOMPARE(stored, QStringLiteral(""));

        // Options it does not know are refused; a bad folder is refused.
        setup.start(QStringLiteral(MELVORA_SETUP_PROGRAM), {QStringLiteral("--gibts-nicht")});
        QVERIFY(setup.waitForFinished(60000));
        QCOMPARE(setup.exitCode(), 1);
        setup.start(QStringLiteral(MELVORA_SETUP_PROGRAM),
                    {QStringLiteral("--unattended"), QStringLiteral("--install-dir"),
                     folder + QStringLiteral("/Setup.ini/unter")});
        QVERIFY(setup.waitForFinished(60000));
        QCOMPARE(setup.exitCode(), 1);
        QVERIFY(QString::fromUtf8(setup.readAllStandardError()).contains(QStringLiteral("Der Installations Ordner ist")));
    }
};

MELVORA_TEST(InstallationTest, setupSetUp);

#include "InstallationTest.moc"
