#include "MgmtFixture.h"

#include "support/TestRegistry.h"

#include <QProcess>
#include <QTemporaryDir>

// melvora-cli's media catalog, archive and CD commands, run as a separate program.
class MgmtCliTest : public QObject
{
    Q_OBJECT

    struct Run
    {
        int code = -1;
        QString out;
        QString err;
    };

    MgmtFixture f;
    QTemporaryDir config;

    Run cli(QStringList args, const QString &user = QStringLiteral("anna"))
    {
        args << QStringLiteral("--dsn") << CatalogFixture::dataSourceName() << QStringLiteral("--user") << user
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
    void init()
    {
        QVERIFY(f.recreate());
        QVERIFY(f.catalog.addUser(QStringLiteral("anna"), QStringLiteral("geheim")) > 0);
        QVERIFY(f.catalog.addUser(QStringLiteral("bert"), QStringLiteral("geheim")) > 0);
    }

    void catalogListsAndAssignment()
    {
        const QString annas = f.folder(QStringLiteral("anna"));
        const QString berts = f.folder(QStringLiteral("bert"));
        QCOMPARE(cli({QStringLiteral("medium"), QStringLiteral("create"), QStringLiteral("Musik"), annas}).code, 0);
        QCOMPARE(cli({QStringLiteral("medium"), QStringLiteral("create"), QStringLiteral("Berts"), berts}, QStringLiteral("bert")).code, 0);

        Run all = cli({QStringLiteral("medium"), QStringLiteral("list"), QStringLiteral("--all")});
        QCOMPARE(all.code, 0);
        QVERIFY2(all.out.contains(QStringLiteral("Alle Medien des Benutzers:\nMusik\tonline\t")), qPrintable(all.out));
        QVERIFY(all.out.endsWith(QStringLiteral("Alle Medien in der Datenbank:\nBerts\n")));

        QCOMPARE(cli({QStringLiteral("medium"), QStringLiteral("assign"), QStringLiteral("Berts"), berts}).code, 0);
        all = cli({QStringLiteral("medium"), QStringLiteral("list"), QStringLiteral("--all")});
        QVERIFY2(all.out.contains(QStringLiteral("\nBerts\tonline\t")), qPrintable(all.out));
        QVERIFY(all.out.endsWith(QStringLiteral("Alle Medien in der Datenbank:\n")));

        QCOMPARE(cli({QStringLiteral("medium"), QStringLiteral("unassign"), QStringLiteral("Berts")}).code, 0);
        all = cli({QStringLiteral("medium"), QStringLiteral("list"), QStringLiteral("--all")});
        QVERIFY(all.out.endsWith(QStringLiteral("Alle Medien in der Datenbank:\nBerts\n")));
        // Bert keeps his own medium.
        QVERIFY(cli({QStringLiteral("medium"), QStringLiteral("list")}, QStringLiteral("bert")).out.startsWith(QStringLiteral("Berts\tonline")));
        QCOMPARE(cli({QStringLiteral("medium"), QStringLiteral("unassign"), QStringLiteral("Berts")}).code, 1);
    }

    void exportDeleteImport()
    {
        const QString root = f.folder(QStringLiteral("anna"));
        QCOMPARE(cli({QStringLiteral("medium"), QStringLiteral("create"), QStringLiteral("Musik"), root}).code, 0);
        QVERIFY(f.addRows(QStringLiteral("Musik"), 3));
        const QString file = f.dir.filePath(QStringLiteral("musik.mar"));

        Run exported = cli({QStringLiteral("archive"), QStringLiteral("export"), QStringLiteral("Musik"), file});
        QCOMPARE(exported.code, 0);
        QVERIFY(exported.out.contains(QStringLiteral("(3 items)")));
        QCOMPARE(QFileInfo(file).size(), 1864);

        QCOMPARE(cli({QStringLiteral("medium"), QStringLiteral("delete"), QStringLiteral("Musik")}).code, 1);
        QCOMPARE(f.count(QStringLiteral("Mp3s")), 3);
        Run deleted = cli({QStringLiteral("medium"), QStringLiteral("delete"), QStringLiteral("Musik"), QStringLiteral("--yes")});
        QCOMPARE(deleted.code, 0);
        QVERIFY(deleted.err.contains(QStringLiteral("Mp3 Dateien des Mediums werden aus der Datenbank gelöscht. 3/3")));
        QCOMPARE(f.count(QStringLiteral("Mp3s")), 0);
        QCOMPARE(f.count(QStringLiteral("MedienNamen")), 0);
        QVERIFY(!CKivMediumHeaderFile::Exists(root));

        Run imported = cli({QStringLiteral("archive"), QStringLiteral("import"), file});
        QCOMPARE(imported.code, 0);
        QCOMPARE(imported.out, QStringLiteral("medium Musik imported (3 items stored)\n"));
        QCOMPARE(f.count(QStringLiteral("Mp3s"), QStringLiteral("Mediumname='Musik'")), 3);
        QCOMPARE(cli({QStringLiteral("archive"), QStringLiteral("import"), file}).code, 1);
    }

    void cdStatusWithoutDisc()
    {
        const Run status = cli({QStringLiteral("cd"), QStringLiteral("status"), QStringLiteral("--drive"), f.folder(QStringLiteral("cd"))});
        QCOMPARE(status.code, 0);
        QCOMPARE(status.out, QStringLiteral("state 0 no CD\tlabel Keine CD\n"));
    }
};

MELVORA_TEST(MgmtCliTest);
#include "MgmtCliTest.moc"
