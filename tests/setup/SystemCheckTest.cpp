#include "setup/IniFile.h"
#include "setup/Prerequisites.h"
#include "setup/RuntimeLibraryStep.h"
#include "setup/SystemCheck.h"
#include "support/RecordingUi.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The third page's checks: the operating system from os-release, and the prerequisites in their three
// states on a fake system, with the copy of what the installation source brings.
class SystemCheckTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QString &relative, const QByteArray &contents = "x")
    {
        const QString path = m_dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(contents);
        return path;
    }

    // A system with nothing installed, rooted in its own folder.
    CKivSystemPaths emptySystem(const QString &name)
    {
        CKivSystemPaths system;
        const QString root = m_dir.filePath(name);
        system.odbcinstFiles = {root + QStringLiteral("/etc/odbcinst.ini"), root + QStringLiteral("/home/.odbcinst.ini")};
        system.userOdbcinstFile = system.odbcinstFiles.constLast();
        system.libraryFolders = {root + QStringLiteral("/lib/odbc")};
        system.qtPluginFolder = root + QStringLiteral("/qt/plugins");
        system.gstreamerPluginFolders = {root + QStringLiteral("/lib/gstreamer-1.0")};
        QDir().mkpath(root + QStringLiteral("/home"));
        return system;
    }

    static CKivPrerequisite::State stateOf(const CKivPrerequisites &list, const QString &fileName)
    {
        for (const CKivPrerequisite &e : list.Entries()) {
            if (e.fileName == fileName)
                return e.state;
        }
        return CKivPrerequisite::State(-1);
    }

private Q_SLOTS:
    void theSystemIsJudgedFromOsRelease_data()
    {
        QTest::addColumn<QByteArray>("osRelease");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("Debian 12") << QByteArray("PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nNAME=\"Debian GNU/Linux\"\n"
                                                 "VERSION_ID=\"12\"\nID=debian\n")
                                   << QStringLiteral("Debian GNU/Linux 12 (bookworm)") << true;
        QTest::newRow("Debian 13") << QByteArray("PRETTY_NAME='Debian GNU/Linux 13 (trixie)'\nVERSION_ID=13\nID=debian\n")
                                   << QStringLiteral("Debian GNU/Linux 13 (trixie)") << true;
        QTest::newRow("Debian 11") << QByteArray("PRETTY_NAME=\"Debian GNU/Linux 11 (bullseye)\"\nVERSION_ID=\"11\"\nID=debian\n")
                                   << QStringLiteral("Debian GNU/Linux 11 (bullseye)") << false;
        QTest::newRow("Ubuntu 22.04") << QByteArray("NAME=\"Ubuntu\"\nVERSION_ID=\"22.04\"\nID=ubuntu\nID_LIKE=debian\n"
                                                    "PRETTY_NAME=\"Ubuntu 22.04.3 LTS\"\nUBUNTU_CODENAME=jammy\n")
                                      << QStringLiteral("Ubuntu 22.04.3 LTS") << true;
        QTest::newRow("Ubuntu 20.04") << QByteArray("PRETTY_NAME=\"Ubuntu 20.04.6 LTS\"\nVERSION_ID=\"20.04\"\nID=ubuntu\n"
                                                    "ID_LIKE=debian\n")
                                      << QStringLiteral("Ubuntu 20.04.6 LTS") << false;
        QTest::newRow("Mint on jammy") << QByteArray("PRETTY_NAME=\"Linux Mint 21.2\"\nID=linuxmint\nID_LIKE=\"ubuntu debian\"\n"
                                                     "VERSION_ID=\"21.2\"\nUBUNTU_CODENAME=jammy\n")
                                       << QStringLiteral("Linux Mint 21.2") << true;
        QTest::newRow("Mint on focal") << QByteArray("PRETTY_NAME=\"Linux Mint 20.3\"\nID=linuxmint\nID_LIKE=\"ubuntu debian\"\n"
                                                     "VERSION_ID=\"20.3\"\nUBUNTU_CODENAME=focal\n")
                                       << QStringLiteral("Linux Mint 20.3") << false;
        QTest::newRow("unknown system") << QByteArray("NAME=\"Fedora Linux\"\nVERSION_ID=39\nID=fedora\n"
                                                      "PRETTY_NAME=\"Fedora Linux 39 (Workstation Edition)\"\n")
                                        << QStringLiteral("Fedora Linux 39 (Workstation Edition)") << false;
        QTest::newRow("garbage") << QByteArray("\x01\x02=\xff\n=\n\"\n", 9) << QString() << false;
        QTest::newRow("empty") << QByteArray() << QString() << false;
    }

    void theSystemIsJudgedFromOsRelease()
    {
        QFETCH(QByteArray, osRelease);
        QFETCH(QString, text);
        QFETCH(bool, valid);
        const CKivSystemCheck check = CKivSystemCheck::Read(write(QStringLiteral("os-release"), osRelease));
        QCOMPARE(check.text, text);
        QCOMPARE(check.valid, valid);
        QCOMPARE(check.RowText(), QStringLiteral("Betriebssystem: ") + text);
        QCOMPARE(check.StatusText(), valid ? QStringLiteral("Valid") : QStringLiteral("Invalid"));
    }

    void aMissingOsReleaseIsAnInvalidSystemWithItsStopMessage()
    {
        const CKivSystemCheck check = CKivSystemCheck::Read(m_dir.filePath(QStringLiteral("nicht-da")));
        QVERIFY(!check.valid);
        QVERIFY(check.text.isEmpty());
        RecordingUi ui;
        check.ShowInvalidMessage();
        QCOMPARE(ui.messages().size(), 1);
        QCOMPARE(ui.messages().constFirst().text, QStringLiteral("Das Programm kann nicht unter  installiert werden."));
        QCOMPARE(ui.messages().constFirst().caption, QStringLiteral("Installation kann nicht fortgesetzt werden !"));
        QCOMPARE(ui.messages().constFirst().icon, KivIcon::Stop);
    }

    void prerequisitesAreInstalledCopyOrDownload()
    {
        const CKivSystemPaths system = emptySystem(QStringLiteral("states"));
        const QString root = m_dir.filePath(QStringLiteral("states"));
        const QString source = m_dir.filePath(QStringLiteral("states-source/System/"));
        QDir().mkpath(source);
        // SQLite3: registered by name, library in a library folder -> Installed.
        write(QStringLiteral("states/etc/odbcinst.ini"),
              "[SQLite3]\nDescription=x\nDriver=libsqlite3odbc.so\n\n[PostgreSQL Unicode]\nDriver=/nirgends/psqlodbcw.so\n");
        write(QStringLiteral("states/lib/odbc/libsqlite3odbc.so"));
        // Qt's ODBC driver only in the source -> Copy; the rest nowhere -> Download.
        write(QStringLiteral("states-source/System/sqldrivers/libqsqlodbc.so"));
        write(QStringLiteral("states/lib/gstreamer-1.0/libgstmpg123.so"));

        CKivPrerequisites list(system, source);
        list.Check();
        QCOMPARE(list.Entries().size(), 5);
        QCOMPARE(stateOf(list, QStringLiteral("libsqlite3odbc.so")), CKivPrerequisite::Installed);
        // Registered, but its library is missing: not installed.
        QCOMPARE(stateOf(list, QStringLiteral("psqlodbcw.so")), CKivPrerequisite::Download);
        QCOMPARE(stateOf(list, QStringLiteral("sqldrivers/libqsqlodbc.so")), CKivPrerequisite::Copy);
        QCOMPARE(stateOf(list, QStringLiteral("multimedia/libgstreamermediaplugin.so")), CKivPrerequisite::Download);
        QCOMPARE(stateOf(list, QStringLiteral("libgstmpg123.so")), CKivPrerequisite::Installed);
        QVERIFY(list.NeedsDownload());
        QCOMPARE(list.Entries().at(2).StateText(), QStringLiteral("Copy"));

        // The optional PostgreSQL driver never holds the installation up.
        write(QStringLiteral("states/qt/plugins/multimedia/libgstreamermediaplugin.so"));
        list.Check();
        QCOMPARE(stateOf(list, QStringLiteral("psqlodbcw.so")), CKivPrerequisite::Download);
        QVERIFY(!list.NeedsDownload());
        Q_UNUSED(root);
    }

    void aCopiedDriverGoesIntoLibAndIsRegisteredForTheUser()
    {
        CKivSystemPaths system = emptySystem(QStringLiteral("copy"));
        const QString source = m_dir.filePath(QStringLiteral("copy-source/System/"));
        write(QStringLiteral("copy-source/System/libsqlite3odbc.so"), "driver");
        write(QStringLiteral("copy/home/.odbcinst.ini"), "[Other]\nDriver=/x/other.so\n");
        for (const QString &plugin : {QStringLiteral("copy/qt/plugins/sqldrivers/libqsqlodbc.so"),
                                      QStringLiteral("copy/qt/plugins/multimedia/libgstreamermediaplugin.so"),
                                      QStringLiteral("copy/lib/gstreamer-1.0/libgstmpg123.so")})
            write(plugin);
        CKivPrerequisites list(system, source);
        list.Check();
        QVERIFY(!list.NeedsDownload());

        const QString install = m_dir.filePath(QStringLiteral("copy-install/"));
        CKivRuntimeLibraryStep step(QStringLiteral("System Files werden kopiert."), list, install);
        QVERIFY(step.Begin());
        while (step.Next()) {
        }
        QVERIFY2(!step.Failed(), qPrintable(step.Failures().join(u',')));
        const QString library = install + QStringLiteral("lib/libsqlite3odbc.so");
        QFile copied(library);
        QVERIFY(copied.open(QIODevice::ReadOnly));
        QCOMPARE(copied.readAll(), QByteArray("driver"));
        QCOMPARE(KivIni::Value(system.userOdbcinstFile, QStringLiteral("sqlite3"), QStringLiteral("driver")), library);
        // The user's other registrations stay.
        QCOMPARE(KivIni::Value(system.userOdbcinstFile, QStringLiteral("Other"), QStringLiteral("Driver")),
                 QStringLiteral("/x/other.so"));
        // Now the system has it.
        list.Check();
        QCOMPARE(stateOf(list, QStringLiteral("libsqlite3odbc.so")), CKivPrerequisite::Installed);
    }

    void aRequiredPrerequisiteStillMissingFailsTheStep()
    {
        CKivPrerequisites list(emptySystem(QStringLiteral("missing")), m_dir.filePath(QStringLiteral("missing-src/")));
        list.Check();
        CKivRuntimeLibraryStep step(QStringLiteral("System Files werden kopiert."), list,
                                    m_dir.filePath(QStringLiteral("missing-install/")));
        QVERIFY(step.Begin());
        while (step.Next()) {
        }
        // Four required ones fail; the optional driver does not.
        QCOMPARE(step.Failures().size(), 4);
    }
};

MELVORA_TEST(SystemCheckTest);

#include "SystemCheckTest.moc"
