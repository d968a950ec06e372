#include "setup/FileDownload.h"
#include "setup/PrerequisiteDownload.h"
#include "setup/Sha256Manifest.h"
#include "setup/ZipExtract.h"
#include "setup/TestHttpServer.h"
#include "setup/ZipFiles.h"
#include "support/RecordingUi.h"
#include "support/TestRegistry.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// Downloads against an HTTP server on 127.0.0.1, the checksum list, and the extraction of what
// arrived: a file only lands when it arrived whole, matches its listed sum and stays inside "System/".
class DownloadTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    static QByteArray payload(int size)
    {
        QByteArray data(size, '\0');
        for (int i = 0; i < size; ++i)
            data[i] = char((i * 31 + 7) & 0xff);
        return data;
    }

    static QByteArray sumLine(const QByteArray &data, const QString &name)
    {
        return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex() + "  " + name.toUtf8() + '\n';
    }

    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Runs one download to its end; the outcome and the last status.
    static CKivFileDownload::Outcome fetch(CKivFileDownload &download, const QUrl &url, const QString &folder)
    {
        QSignalSpy done(&download, &CKivFileDownload::finished);
        download.Start(url, folder);
        if (download.State() == CKivFileDownload::Outcome::Running && !done.wait(10000))
            return CKivFileDownload::Outcome::Running;
        return download.State();
    }

    // The download window without a window: the same transfer, run to its end.
    static CKivPrerequisiteDownload::DownloadWindow headlessWindow()
    {
        return [](const QUrl &address, const QString &folder) {
            CKivFileDownload download;
            return fetch(download, address, folder) == CKivFileDownload::Outcome::Completed;
        };
    }

    CKivSystemPaths emptySystem(const QString &name)
    {
        CKivSystemPaths system;
        const QString root = m_dir.filePath(name);
        system.odbcinstFiles = {root + QStringLiteral("/odbcinst.ini")};
        system.userOdbcinstFile = system.odbcinstFiles.constFirst();
        system.qtPluginFolder = root + QStringLiteral("/plugins");
        // Everything but the SQLite driver is there.
        for (const QString &file : {QStringLiteral("/plugins/sqldrivers/libqsqlodbc.so"),
                                    QStringLiteral("/plugins/multimedia/libgstreamermediaplugin.so"),
                                    QStringLiteral("/gst/libgstmpg123.so")}) {
            QDir().mkpath(QFileInfo(root + file).path());
            QFile f(root + file);
            f.open(QIODevice::WriteOnly);
        }
        system.gstreamerPluginFolders = {root + QStringLiteral("/gst")};
        return system;
    }

private Q_SLOTS:
    void aFileArrivesWholeWithItsProgress()
    {
        TestHttpServer server;
        const QByteArray data = payload(300 * 1024 + 17);
        server.put(QStringLiteral("lib.zip"), data);
        CKivFileDownload download;
        QStringList statuses;
        connect(&download, &CKivFileDownload::statusChanged, this, [&](const QString &s) { statuses.append(s); });
        QList<qint64> received;
        connect(&download, &CKivFileDownload::progressChanged, this, [&](qint64 r, qint64) { received.append(r); });
        const QString folder = m_dir.filePath(QStringLiteral("whole"));
        QCOMPARE(fetch(download, server.base().resolved(QUrl(QStringLiteral("lib.zip"))), folder),
                 CKivFileDownload::Outcome::Completed);
        QCOMPARE(readFile(folder + QStringLiteral("/lib.zip")), data);
        QCOMPARE(statuses.constFirst(), QStringLiteral("Requesting file"));
        QVERIFY(statuses.contains(QStringLiteral("Downloading...")));
        QCOMPARE(statuses.constLast(), QStringLiteral("Download complete"));
        QVERIFY(!received.isEmpty());
        QCOMPARE(received.constLast(), qint64(data.size()));
        QCOMPARE(download.Total(), qint64(data.size()));
        QCOMPARE(CKivFileDownload::ProgressText(received.constLast(), download.Total()),
                 QStringLiteral("Downloaded : 300kb/300kb"));
        QCOMPARE(CKivFileDownload::ProgressText(1023, 4096), QStringLiteral("Downloaded : 0kb/4kb"));
    }

    void aFailedOrCancelledDownloadLeavesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("statusPart");
        QTest::newRow("404") << QStringLiteral("fehlt.zip") << false << QStringLiteral("Not Found");
        QTest::newRow("cut in the middle") << QStringLiteral("cut.zip") << false << QString();
        QTest::newRow("cancel") << QStringLiteral("slow.zip") << true << QStringLiteral("Download cancelled by user");
    }

    void aFailedOrCancelledDownloadLeavesNothing()
    {
        QFETCH(QString, name);
        QFETCH(bool, cancel);
        QFETCH(QString, statusPart);
        TestHttpServer server;
        server.put(QStringLiteral("cut.zip"), payload(200000), TestHttpServer::Mode::CutInTheMiddle);
        server.put(QStringLiteral("slow.zip"), payload(200000), TestHttpServer::Mode::Slow);
        const QString folder = m_dir.filePath(QStringLiteral("failed-") + name);
        QDir().mkpath(folder);
        // A file of that name from before is not touched by a failed download.
        QFile old(folder + QLatin1Char('/') + name);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("alt");
        old.close();

        CKivFileDownload download;
        QSignalSpy done(&download, &CKivFileDownload::finished);
        if (cancel) {
            connect(&download, &CKivFileDownload::progressChanged, &download,
                    [&download](qint64 received, qint64) {
                        if (received > 0)
                            download.Cancel();
                    });
        }
        download.Start(server.base().resolved(QUrl(name)), folder);
        QVERIFY(done.wait(10000));
        QCOMPARE(download.State(), cancel ? CKivFileDownload::Outcome::Cancelled : CKivFileDownload::Outcome::Failed);
        QVERIFY(!download.Status().isEmpty());
        if (!statusPart.isEmpty())
            QVERIFY2(download.Status().contains(statusPart), qPrintable(download.Status()));
        QCOMPARE(readFile(folder + QLatin1Char('/') + name), QByteArray("alt"));
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 1);
    }

    void theChecksumListIsStrict()
    {
        const QByteArray a(64, 'a');
        const CKivSha256Manifest manifest = CKivSha256Manifest::Parse(
            a + "  eins.zip\r\n" + QByteArray(64, 'B') + " *zwei.zip\n" + "kaputt  drei.zip\n" + QByteArray(64, 'c')
            + "  doppelt.zip\n" + QByteArray(64, 'd') + "  doppelt.zip\n" + QByteArray(63, 'e') + "  kurz.zip\n");
        QCOMPARE(manifest.SumOf(QStringLiteral("eins.zip")), a);
        QCOMPARE(manifest.SumOf(QStringLiteral("zwei.zip")), QByteArray(64, 'b'));
        QVERIFY(manifest.SumOf(QStringLiteral("drei.zip")).isEmpty());
        QVERIFY(manifest.SumOf(QStringLiteral("doppelt.zip")).isEmpty());
        QVERIFY(manifest.SumOf(QStringLiteral("kurz.zip")).isEmpty());
        QVERIFY(!manifest.Matches(QStringLiteral("eins.zip"), m_dir.filePath(QStringLiteral("nicht-da"))));
    }

    void extractionRefusesEntriesThatLeaveTheFolder_data()
    {
        QTest::addColumn<QList<ZipEntry>>("entries");
        QTest::addColumn<bool>("ok");
        QTest::newRow("plain") << QList<ZipEntry>{{QStringLiteral("libx.so"), "so", false, true},
                                                  {QStringLiteral("sub/liby.so"), "y"},
                                                  {QStringLiteral("libx.so.1"), "libx.so", true}}
                               << true;
        QTest::newRow("dot-dot") << QList<ZipEntry>{{QStringLiteral("libx.so"), "so"},
                                                    {QStringLiteral("../evil.so"), "evil"}}
                                 << false;
        QTest::newRow("nested dot-dot") << QList<ZipEntry>{{QStringLiteral("sub/../../evil.so"), "evil"}} << false;
        QTest::newRow("absolute") << QList<ZipEntry>{{QStringLiteral("/tmp/evil.so"), "evil"}} << false;
        QTest::newRow("backslash") << QList<ZipEntry>{{QStringLiteral("..\\evil.so"), "evil"}} << false;
        QTest::newRow("link out") << QList<ZipEntry>{{QStringLiteral("ausgang"), "../../", true},
                                                     {QStringLiteral("ausgang/evil.so"), "evil"}}
                                  << false;
        QTest::newRow("absolute link") << QList<ZipEntry>{{QStringLiteral("passwd"), "/etc/passwd", true}} << false;
    }

    void extractionRefusesEntriesThatLeaveTheFolder()
    {
        QFETCH(QList<ZipEntry>, entries);
        QFETCH(bool, ok);
        const QString base = m_dir.filePath(QStringLiteral("zip-") + QString::fromLatin1(QTest::currentDataTag()));
        const QString system = base + QStringLiteral("/a/System");
        QDir().mkpath(system);
        const QString archive = base + QStringLiteral("/lib.zip");
        QVERIFY(writeZip(archive, entries));
        QString error;
        QCOMPARE(KivZip::Extract(archive, system, &error), ok);
        QCOMPARE(error.isEmpty(), ok);
        // Nothing at all lands beside or above the folder.
        QCOMPARE(QDir(base).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList({QStringLiteral("a"), QStringLiteral("lib.zip")}));
        QCOMPARE(QDir(base + QStringLiteral("/a")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{QStringLiteral("System")});
        if (ok) {
            QCOMPARE(readFile(system + QStringLiteral("/libx.so")), QByteArray("so"));
            QVERIFY(QFileInfo(system + QStringLiteral("/libx.so")).isExecutable());
            QCOMPARE(readFile(system + QStringLiteral("/sub/liby.so")), QByteArray("y"));
            QCOMPARE(QFileInfo(system + QStringLiteral("/libx.so.1")).symLinkTarget(), system + QStringLiteral("/libx.so"));
        } else {
            QVERIFY(QDir(system).isEmpty());
        }
    }

    void extractionNeverWritesThroughALinkInTheFolder()
    {
        const QString base = m_dir.filePath(QStringLiteral("through"));
        const QString system = base + QStringLiteral("/System");
        const QString outside = base + QStringLiteral("/draussen");
        QDir().mkpath(system);
        QDir().mkpath(outside);
        QFile target(outside + QStringLiteral("/lib.so"));
        QVERIFY(target.open(QIODevice::WriteOnly));
        target.write("original");
        target.close();
        QVERIFY(QFile::link(outside, system + QStringLiteral("/sub")));
        QVERIFY(QFile::link(outside + QStringLiteral("/lib.so"), system + QStringLiteral("/lib.so")));

        QVERIFY(writeZip(base + QStringLiteral("/a.zip"), {{QStringLiteral("sub/lib.so"), "boese"}}));
        QVERIFY(!KivZip::Extract(base + QStringLiteral("/a.zip"), system));
        // A link standing where a file goes is replaced, not followed.
        QVERIFY(writeZip(base + QStringLiteral("/b.zip"), {{QStringLiteral("lib.so"), "neu"}}));
        QVERIFY(KivZip::Extract(base + QStringLiteral("/b.zip"), system));
        QCOMPARE(readFile(outside + QStringLiteral("/lib.so")), QByteArray("original"));
        QCOMPARE(readFile(system + QStringLiteral("/lib.so")), QByteArray("neu"));
        QVERIFY(!QFileInfo(system + QStringLiteral("/lib.so")).isSymLink());
    }

    void damagedArchivesAreRefusedCalmly()
    {
        const QString folder = m_dir.filePath(QStringLiteral("damaged"));
        QDir().mkpath(folder + QStringLiteral("/System"));
        QVERIFY(writeZip(folder + QStringLiteral("/good.zip"), {{QStringLiteral("lib.so"), payload(5000)}}));
        const QByteArray good = readFile(folder + QStringLiteral("/good.zip"));
        const QList<QByteArray> damaged = {QByteArray(), QByteArray("PK\x03\x04", 4), good.left(good.size() / 2),
                                           payload(2000), good.left(good.size() - 10)};
        for (const QByteArray &bytes : damaged) {
            QFile file(folder + QStringLiteral("/bad.zip"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
            file.close();
            QString error;
            QVERIFY(!KivZip::Extract(file.fileName(), folder + QStringLiteral("/System"), &error));
            QVERIFY(!error.isEmpty());
        }
    }

    void missingPrerequisitesAreDownloadedVerifiedAndExtracted_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("message");
        QTest::newRow("all good") << QString() << QString();
        const QString downloadError = QStringLiteral("Beim download einer benötigten Datei ist ein Fehler aufgetreten.");
        QTest::newRow("wrong checksum") << QStringLiteral("checksum") << downloadError;
        QTest::newRow("no checksum") << QStringLiteral("unlisted") << downloadError;
        QTest::newRow("no list") << QStringLiteral("nolist") << downloadError;
        QTest::newRow("404") << QStringLiteral("missing") << downloadError;
        QTest::newRow("dot-dot entry") << QStringLiteral("zipslip")
                                       << QStringLiteral("Beim entpacken der Datei: libsqlite3odbc.zip ist ein Fehler "
                                                         "aufgetreten.");
    }

    void missingPrerequisitesAreDownloadedVerifiedAndExtracted()
    {
        QFETCH(QString, fault);
        QFETCH(QString, message);
        const QString tag = QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'-');
        const QString source = m_dir.filePath(QStringLiteral("prereq-") + tag + QStringLiteral("/Data/System/"));
        QDir().mkpath(source);
        const QString zip = m_dir.filePath(QStringLiteral("prereq-") + tag + QStringLiteral("/built.zip"));
        QList<ZipEntry> entries{{QStringLiteral("libsqlite3odbc.so"), "treiber"}};
        if (fault == QLatin1String("zipslip"))
            entries.append({QStringLiteral("../../gehackt.so"), "evil"});
        QVERIFY(writeZip(zip, entries));
        QByteArray archive = readFile(zip);

        TestHttpServer server;
        QByteArray sums = sumLine(archive, QStringLiteral("libsqlite3odbc.zip"));
        if (fault == QLatin1String("checksum"))
            archive.append('x');
        if (fault == QLatin1String("unlisted"))
            sums = sumLine(archive, QStringLiteral("anderes.zip"));
        if (fault != QLatin1String("nolist"))
            server.put(QStringLiteral("SHA256SUMS"), sums);
        if (fault != QLatin1String("missing"))
            server.put(QStringLiteral("libsqlite3odbc.zip"), archive);

        RecordingUi ui;
        CKivPrerequisites list(emptySystem(QStringLiteral("sys-") + tag), source);
        list.Check();
        QVERIFY(list.NeedsDownload());
        CKivPrerequisiteDownload download(server.base(), headlessWindow());
        QCOMPARE(download.Run(list), fault.isEmpty());
        if (message.isEmpty()) {
            QVERIFY(ui.messages().isEmpty());
            QCOMPARE(list.Entries().constFirst().state, CKivPrerequisite::Copy);
            QCOMPARE(readFile(source + QStringLiteral("libsqlite3odbc.so")), QByteArray("treiber"));
        } else {
            QCOMPARE(ui.messages().size(), 1);
            QCOMPARE(ui.messages().constFirst().text, message);
            QCOMPARE(ui.messages().constFirst().caption, QStringLiteral("Setup kann nicht fortgesetzt werden !"));
            QCOMPARE(list.Entries().constFirst().state, CKivPrerequisite::Download);
            QVERIFY(!QFile::exists(source + QStringLiteral("libsqlite3odbc.so")));
        }
        // Neither the archive nor the list stays behind, and nothing lands outside "System/".
        QVERIFY(!QFile::exists(source + QStringLiteral("libsqlite3odbc.zip")));
        QVERIFY(!QFile::exists(source + QStringLiteral("SHA256SUMS")));
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("prereq-") + tag + QStringLiteral("/gehackt.so"))));
    }
};

MELVORA_TEST(DownloadTest);

#include "DownloadTest.moc"
