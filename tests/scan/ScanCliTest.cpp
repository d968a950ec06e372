#include "media/MediumHeaderFile.h"
#include "scan/ScanFixture.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// melvora-cli's commands of a logged-in user, run as a separate program on the test catalog.
class ScanCliTest : public QObject
{
    Q_OBJECT

private:
    struct Run
    {
        int code = -1;
        QString out;
        QString err;
    };

    ScanFixture f;
    QTemporaryDir config;

    Run cli(QStringList args, bool login = true)
    {
        if (login)
            args << QStringLiteral("--dsn") << CatalogFixture::dataSourceName() << QStringLiteral("--user") << QStringLiteral("anna")
                 << QStringLiteral("--password") << QStringLiteral("geheim");
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        env.remove(QStringLiteral("MELVORA_PASSWORD"));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(MELVORA_CLI), args);
        Run run;
        if (!process.waitForFinished(120000))
            return run;
        run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

private Q_SLOTS:
    void init() { QVERIFY(f.recreate()); }

    void loginIsCheckedAsTheDialogChecks()
    {
        Run ok = cli({QStringLiteral("login")});
        QCOMPARE(ok.code, 0);
        QVERIFY(ok.out.startsWith(QStringLiteral("anna (ID ")));

        Run wrong = cli({QStringLiteral("login"), QStringLiteral("--dsn"), CatalogFixture::dataSourceName(), QStringLiteral("--user"),
                         QStringLiteral("anna"), QStringLiteral("--password"), QStringLiteral("GEHEIM")},
                        false);
        QCOMPARE(wrong.code, 1);
        QVERIFY(wrong.err.contains(QStringLiteral("Das von Ihnen eingegebene Paßwort ist Falsch.")));

        Run nobody = cli({QStringLiteral("login"), QStringLiteral("--dsn"), CatalogFixture::dataSourceName(), QStringLiteral("--user"),
                          QStringLiteral("ann"), QStringLiteral("--password"), QStringLiteral("geheim")},
                         false);
        QCOMPARE(nobody.code, 1);

        Run unreachable = cli({QStringLiteral("medium"), QStringLiteral("list"), QStringLiteral("--dsn"),
                               QStringLiteral("NoSuchSource"), QStringLiteral("--user"), QStringLiteral("anna")},
                              false);
        QCOMPARE(unreachable.code, 2);
    }

    void createScanQuickAndSearch()
    {
        const QString root = f.folder(QStringLiteral("CliMedium"));
        QVERIFY(ScanFixture::writeSong(root + QStringLiteral("a.mp3"), "Alpha"));
        QVERIFY(ScanFixture::writeSong(root + QStringLiteral("Rock/Live/b.mp3"), "Beta"));
        QVERIFY(ScanFixture::writeSong(root + QStringLiteral("Rock/c.mp3"), "Gamma"));

        QCOMPARE(cli({QStringLiteral("medium"), QStringLiteral("create"), QStringLiteral("Disk"), root}).code, 0);
        const Run list = cli({QStringLiteral("medium"), QStringLiteral("list")});
        QCOMPARE(list.code, 0);
        QCOMPARE(list.out, QStringLiteral("Disk\tonline\t") + root + QLatin1Char('\n'));

        const Run full = cli({QStringLiteral("scan"), QStringLiteral("Disk")});
        QCOMPARE(full.code, 0);
        QCOMPARE(full.out, QStringLiteral("3 files found, 3 stored, 0 failed\n"));
        QVERIFY(full.err.contains(QStringLiteral("Mp3 Dateien werden in die Datenbank geschrieben.")));

        QCOMPARE(cli({QStringLiteral("scan"), QStringLiteral("Disk"), QStringLiteral("Rock"), QStringLiteral("--quick")})
                     .out,
                 QStringLiteral("2 files found, 2 stored, 0 failed\n"));

        const Run found = cli({QStringLiteral("search"), QStringLiteral("a")});
        QCOMPARE(found.code, 0);
        QStringList lines = found.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        lines.sort();
        QCOMPARE(lines.size(), 3);
        QStringList alpha = lines.filter(QStringLiteral("\ta.mp3\t")).value(0).split(QLatin1Char('\t'));
        QCOMPARE(alpha.mid(1), QStringList({QStringLiteral("Disk"), QString(), QStringLiteral("a.mp3"),
                                           QStringLiteral("Artist"), QStringLiteral("Alpha"), QStringLiteral("0:01")}));
        // Rescanned by tag only: no length any more.
        QStringList beta = lines.filter(QStringLiteral("\tb.mp3\t")).value(0).split(QLatin1Char('\t'));
        QCOMPARE(beta.mid(1), QStringList({QStringLiteral("Disk"), QStringLiteral("Rock\\\\Live\\\\"),
                                          QStringLiteral("b.mp3"), QStringLiteral("Artist"), QStringLiteral("Beta"),
                                          QString()}));

        QCOMPARE(cli({QStringLiteral("search"), QStringLiteral("Gamma"), QStringLiteral("--medium"),
                      QStringLiteral("Disk")})
                     .out.count(QLatin1Char('\n')),
                 1);
        QVERIFY(cli({QStringLiteral("search"), QStringLiteral("Gamma"), QStringLiteral("--medium"),
                     QStringLiteral("Andere")})
                    .out.isEmpty());
    }

    void mistakesAreUserErrors()
    {
        const QString root = f.folder(QStringLiteral("CliMistakes"));
        QCOMPARE(cli({QStringLiteral("medium"), QStringLiteral("create"), QStringLiteral("Disk"), root}).code, 0);

        const Run taken = cli({QStringLiteral("medium"), QStringLiteral("create"), QStringLiteral("Disk"),
                               f.folder(QStringLiteral("Other"))});
        QCOMPARE(taken.code, 1);
        QVERIFY(taken.err.contains(QStringLiteral("Mediumname ist bereits vergeben oder ungültig!")));
        QCOMPARE(cli({QStringLiteral("medium"), QStringLiteral("create"), QStringLiteral("New"),
                      root + QStringLiteral("missing")})
                     .code,
                 1);
        const Run unknown = cli({QStringLiteral("scan"), QStringLiteral("Nirgends")});
        QCOMPARE(unknown.code, 1);
        QVERIFY(unknown.err.contains(QStringLiteral("wurde nicht gefunden !")));
        QCOMPARE(cli({QStringLiteral("scan"), QStringLiteral("Disk"), QStringLiteral("../..")}).code, 1);
        QCOMPARE(cli({QStringLiteral("scan"), QStringLiteral("Disk"), QStringLiteral("NoFolder")}).code, 1);
        QCOMPARE(cli({QStringLiteral("scan"), QStringLiteral("Disk"), QStringLiteral("--fast")}).code, 1);
        QCOMPARE(cli({QStringLiteral("search")}).code, 1);

        // Another medium's header in the root: the medium is offline and is not scanned.
        QVERIFY(CKivMediumHeaderFile::Write(root, QStringLiteral("Fremd")));
        const Run offline = cli({QStringLiteral("scan"), QStringLiteral("Disk")});
        QCOMPARE(offline.code, 1);
        QVERIFY(offline.err.contains(QStringLiteral("da das Medium nicht online ist !")));
    }

    void optionsStandAnywhereAndSearchPrintsJson()
    {
        const QString root = f.folder(QStringLiteral("CliJson"));
        QVERIFY(ScanFixture::writeSong(root + QStringLiteral("Sub/-dash.mp3"), "Tab\there"));
        const QStringList login = {QStringLiteral("--dsn=") + CatalogFixture::dataSourceName(), QStringLiteral("--user"),
                                   QStringLiteral("anna"), QStringLiteral("--password=geheim")};
        QCOMPARE(cli(login + QStringList{QStringLiteral("medium"), QStringLiteral("create"), QStringLiteral("Disk"), root},
                     false)
                     .code,
                 0);
        QCOMPARE(cli(QStringList{QStringLiteral("scan"), QStringLiteral("Disk")} + login, false).code, 0);

        // "--" ends the options: the login options stand before it.
        const Run text = cli(QStringList{QStringLiteral("search")} + login + QStringList{QStringLiteral("--"), QStringLiteral("-dash")},
                             false);
        QCOMPARE(text.code, 0);
        QCOMPARE(text.out.count(QLatin1Char('\n')), 1);
        QVERIFY2(text.out.contains(QStringLiteral("\tSub\\\\\t-dash.mp3\tArtist\tTab\\there\t")), qPrintable(text.out));

        const Run json = cli({QStringLiteral("search"), QStringLiteral("--json"), QStringLiteral("dash")});
        QCOMPARE(json.code, 0);
        const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QCOMPARE(o.value(QStringLiteral("title")).toString(), QStringLiteral("Tab\there"));
        QCOMPARE(o.value(QStringLiteral("subPath")).toString(), QStringLiteral("Sub\\"));
        QCOMPARE(o.value(QStringLiteral("filename")).toString(), QStringLiteral("-dash.mp3"));
        QCOMPARE(o.value(QStringLiteral("medium")).toString(), QStringLiteral("Disk"));
        QCOMPARE(o.value(QStringLiteral("frames")).toInt(), 40);
        QVERIFY(o.value(QStringLiteral("id")).toInt() > 0);
        QCOMPARE(o.size(), 27);

        // A search the database refuses is no empty result.
        QVERIFY(f.exec(QStringLiteral("ALTER TABLE Mp3s RENAME TO Mp3sAway")));
        const Run failed = cli({QStringLiteral("search"), QStringLiteral("dash")});
        QCOMPARE(failed.code, 2);
        QVERIFY(failed.err.contains(QStringLiteral("the search failed")));
        QVERIFY(f.exec(QStringLiteral("ALTER TABLE Mp3sAway RENAME TO Mp3s")));
    }

    void namesOutsideTheBasicPlane()
    {
        const QString medium = QStringLiteral("Musik \U0001F3B5");
        const QString subPath = QStringLiteral("\U0001D11E Noten\\");
        const QString root = f.folder(QStringLiteral("CliWide"));
        QVERIFY(ScanFixture::writeSong(root + QStringLiteral("\U0001D11E Noten/a.mp3"), "Clef"));
        QCOMPARE(cli({QStringLiteral("medium"), QStringLiteral("create"), medium, root}).code, 0);
        // The second scan is a rescan: it finds the row and the folder it stored.
        for (int round = 0; round < 2; ++round) {
            const Run scan = cli({QStringLiteral("scan"), medium});
            QCOMPARE(scan.code, 0);
            QCOMPARE(scan.out, QStringLiteral("1 files found, 1 stored, 0 failed\n"));
        }
        QVERIFY(f.folders(medium).contains(subPath));
        QCOMPARE(f.rows(medium).size(), 1);
        const QStringList needles = {QStringLiteral("\U0001D11E"), QStringLiteral("\U0001F3B5"), medium};
        for (const QString &needle : needles) {
            const Run found = cli({QStringLiteral("search"), QStringLiteral("--json"), needle});
            QCOMPARE(found.code, 0);
            QCOMPARE(found.out.count(QLatin1Char('\n')), 1);
            const QJsonObject o = QJsonDocument::fromJson(found.out.toUtf8()).object();
            QCOMPARE(o.value(QStringLiteral("medium")).toString(), medium);
            QCOMPARE(o.value(QStringLiteral("subPath")).toString(), subPath);
        }
        QCOMPARE(cli({QStringLiteral("search"), QStringLiteral("x"), QStringLiteral("--medium"), medium}).code, 0);
        QCOMPARE(cli({QStringLiteral("scan"), medium, QStringLiteral("\U0001D11E Noten")}).out,
                 QStringLiteral("1 files found, 1 stored, 0 failed\n"));
    }

    void anUnreadableCatalogIsACatalogError()
    {
        QTemporaryDir scratch;
        const QString file = scratch.filePath(QStringLiteral("broken.db"));
        const QString dsn = QStringLiteral("MelvoraBrokenCatalog");
        for (const QByteArray &content : {QByteArray(), QByteArray(8192, 'x')}) {
            QFile broken(file);
            QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
            broken.write(content);
            broken.close();
            QCOMPARE(cli({QStringLiteral("catalog"), QStringLiteral("register"), QStringLiteral("--dsn"), dsn,
                          QStringLiteral("--sqlite"), file},
                         false)
                         .code,
                     0);
            const Run login = cli({QStringLiteral("login"), QStringLiteral("--dsn"), dsn, QStringLiteral("--user"),
                                   QStringLiteral("anna"), QStringLiteral("--password"), QStringLiteral("geheim")},
                                  false);
            QCOMPARE(login.code, 2);
            QVERIFY2(!login.err.contains(QStringLiteral("Paßwort")), qPrintable(login.err));
        }
    }
};

MELVORA_TEST(ScanCliTest
, CatalogFixture::isolateOdbcIni);

#include "ScanCliTest.moc"
