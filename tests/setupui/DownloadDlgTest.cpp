#include "setup/TestHttpServer.h"
#include "setup/ui/DownloadDlg.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// The download window against a server on 127.0.0.1: its texts, its button through the transfer,
// and how it closes itself when the transfer ended, failed or was cancelled.
class DownloadDlgTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void theWindowFollowsTheTransferAndClosesItself_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("status");
        QTest::newRow("complete") << QStringLiteral("lib.zip") << false << int(QDialog::Accepted)
                                  << QStringLiteral("Schließen") << QStringLiteral("Download complete");
        QTest::newRow("404") << QStringLiteral("fehlt.zip") << false << int(QDialog::Rejected)
                             << QStringLiteral("Schließen") << QStringLiteral("Not Found");
        QTest::newRow("cancel") << QStringLiteral("slow.zip") << true << int(QDialog::Rejected)
                                << QStringLiteral("Exit") << QStringLiteral("Download cancelled by user");
    }

    void theWindowFollowsTheTransferAndClosesItself()
    {
        QFETCH(QString, name);
        QFETCH(bool, cancel);
        QFETCH(int, result);
        QFETCH(QString, button);
        QFETCH(QString, status);
        TestHttpServer server;
        server.put(QStringLiteral("lib.zip"), QByteArray(5000, 'z'));
        server.put(QStringLiteral("slow.zip"), QByteArray(400000, 's'), TestHttpServer::Mode::Slow);
        const QString folder = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()));
        QDir().mkpath(folder);
        CKivDownloadDlg dialog(server.base().resolved(QUrl(name)), folder);
        QCOMPARE(dialog.windowTitle(), QStringLiteral(" Melvora Setup - File Download"));
        QString seenButton;
        QString seenStatus;
        // Watch the window just before it closes itself.
        connect(&dialog, &QDialog::finished, this, [&] {
            seenButton = dialog.Button()->text();
            seenStatus = dialog.StatusLine()->text();
        });
        if (cancel) {
            connect(&dialog.Download(), &CKivFileDownload::progressChanged, &dialog, [&](qint64 received, qint64) {
                if (received > 0 && dialog.Button()->text() == QLatin1String("Abbruch"))
                    QTimer::singleShot(0, dialog.Button(), &QPushButton::click);
            });
        }
        QCOMPARE(dialog.exec(), result);
        QCOMPARE(seenButton, button);
        QVERIFY2(seenStatus.contains(status), qPrintable(seenStatus));
        if (cancel) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("File Downloader"));
            QCOMPARE(dialog.ProgressLine()->text(), QStringLiteral("Downloaded : "));
        }
        if (result == QDialog::Accepted) {
            QCOMPARE(dialog.ProgressLine()->text(), QStringLiteral("Downloaded : 4kb/4kb"));
            QCOMPARE(QFileInfo(folder + QStringLiteral("/lib.zip")).size(), 5000);
        } else {
            QVERIFY(QDir(folder).isEmpty());
        }
    }
};

int runDownloadDlgTest(int argc, char **argv)
{
    DownloadDlgTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DownloadDlgTest.moc"
