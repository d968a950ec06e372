#include "core/ProfileStore.h"
#include "core/SetupRecord.h"
#include "core/Settings.h"
#include "catalog/OdbcIni.h"
#include "setup/FirstStart.h"
#include "setup/Installation.h"
#include "setup/SetupTests.h"
#include "support/RecordingUi.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The first start of a packaged program without a catalog: the offer, declined or taken, and where a
// packaged program finds the files that go beside it.
class FirstStartTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void declinedNothingIsCreated()
    {
        RecordingUi ui;
        ui.fallback = KivAnswer::No;
        const QString folder = m_dir.filePath(QStringLiteral("abgelehnt/"));
        QVERIFY(KivFirstStart::OfferDefaultCatalog(m_dir.path() + QLatin1Char('/'), folder).isEmpty());
        QCOMPARE(ui.messages().size(), 1);
        QCOMPARE(ui.messages().constFirst().icon, KivIcon::Question);
        QCOMPARE(ui.messages().constFirst().buttons, KivButtons::YesNo);
        QVERIFY(!QFileInfo::exists(folder));
    }

    void takenTheCatalogTheUserAndTheHandOverAreCreated()
    {
        RecordingUi ui;
        ui.fallback = KivAnswer::Yes;
        const QString source = m_dir.filePath(QStringLiteral("lib/melvora/"));
        QDir().mkpath(source + QStringLiteral("Handbuch"));
        QFile helper(source + QStringLiteral("shutdown"));
        QVERIFY(helper.open(QIODevice::WriteOnly));
        helper.close();
        QFile manual(source + QStringLiteral("Handbuch/index.htm"));
        QVERIFY(manual.open(QIODevice::WriteOnly));
        manual.close();

        const QString folder = m_dir.filePath(QStringLiteral("home/.local/opt/Kiv/Melvora/"));
        QCOMPARE(KivFirstStart::OfferDefaultCatalog(source, folder), folder);
        QCOMPARE(ui.messages().size(), 1);  // only the question
        QVERIFY(QFileInfo(folder + QStringLiteral("Datenbank/Melvora.db")).size() > 0);
        QVERIFY(QFileInfo::exists(folder + QStringLiteral("shutdown")));
        QVERIFY(QFileInfo::exists(folder + QStringLiteral("Handbuch/index.htm")));
        // No program copy: the package's program stays the one that runs.
        QVERIFY(!QFileInfo::exists(folder + QStringLiteral("melvora")));
        QFile record(folder + CKivSetupRecord::FileName);
        QVERIFY(record.open(QIODevice::ReadOnly));
        CKivSetupRecord handOver;
        handOver.assign(record.readAll());
        QCOMPARE(handOver.UserName(), CKivInstallation::SystemUserName());
        QCOMPARE(handOver.DataSourceName(), QStringLiteral("Melvora"));
        QVERIFY(!CKivOdbcIni::Driver(QStringLiteral("Melvora")).isEmpty());

        // From now on there is a catalog.
        CKivProfileStore store(m_dir.filePath(QStringLiteral("Melvora.ini")));
        CKivSettings settings(store);
        QVERIFY(!KivFirstStart::NeedsCatalog(settings));
    }

    void aProfileThatNamesADataSourceNeedsNoOffer()
    {
        CKivProfileStore store(m_dir.filePath(QStringLiteral("named.ini")));
        CKivSettings settings(store);
        settings.SetOdbcAliasname(QStringLiteral("KeineSolcheQuelle"));
        QVERIFY(!KivFirstStart::NeedsCatalog(settings));
    }

    void aPackagedProgramTakesItsFilesFromLibMelvora()
    {
        const QString usr = m_dir.filePath(QStringLiteral("usr"));
        QDir().mkpath(usr + QStringLiteral("/bin"));
        QCOMPARE(KivFirstStart::PackageSourceFolder(usr + QStringLiteral("/bin")), usr + QStringLiteral("/bin/"));
        QDir().mkpath(usr + QStringLiteral("/lib/melvora"));
        QCOMPARE(KivFirstStart::PackageSourceFolder(usr + QStringLiteral("/bin")), usr + QStringLiteral("/lib/melvora/"));
    }
};

MELVORA_TEST(FirstStartTest, setupSetUp);

#include "FirstStartTest.moc"
