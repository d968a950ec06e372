#include "media/MediumHeaderFile.h"
#include "scan/ScanFixture.h"
#include "support/TestRegistry.h"

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

        const Run text = cli({QStringLiteral("search"), QStringLiteral("--"), QStringLiteral("-dash")});
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
};

MELVORA_TEST(ScanCliTest, CatalogFixture::isolateOdbcIni);

#include "ScanCliTest.moc"
