#include "media/DriveType.h"
#include "setup/EnsureFolder.h"
#include "setup/SetupChecks.h"
#include "setup/SetupData.h"
#include "setup/SetupTests.h"
#include "support/TestRegistry.h"
#include "support/FakeDrives.h"
#include "support/RecordingUi.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The checks of the wizard's pages and EnsureFolder: what is refused, with which message, and what a
// page clears.
class ChecksTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString lastMessage(const RecordingUi &ui) const
    {
        return ui.messages().isEmpty() ? QString() : ui.messages().constLast().text;
    }

private Q_SLOTS:
    void ensureFolderCreatesTheWholePathOrFails()
    {
        const QString deep = m_dir.filePath(QStringLiteral("a/b/c"));
        QVERIFY(KivSetup::EnsureFolder(deep));
        QVERIFY(QFileInfo(deep).isDir());
        QVERIFY(KivSetup::EnsureFolder(deep));  // existing: fine

        QFile file(m_dir.filePath(QStringLiteral("datei")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(!KivSetup::EnsureFolder(file.fileName()));
        QVERIFY(!KivSetup::EnsureFolder(file.fileName() + QStringLiteral("/unter")));
        QVERIFY(!KivSetup::EnsureFolder(QString()));
    }

    void theInstallationFolderMustBeChosenWritableAndShortEnough()
    {
        RecordingUi ui;
        QVERIFY(!CKivSetupChecks::InstallFolder(QString()));
        QCOMPARE(lastMessage(ui), QStringLiteral("Sie müssen erst einen Installations Ordner auswählen."));

        const QString invalid = QStringLiteral("Der Installations Ordner ist ungültig oder auf das Laufwerk kann "
                                               "nicht geschrieben werden.");
        QFile file(m_dir.filePath(QStringLiteral("blockiert")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(!CKivSetupChecks::InstallFolder(file.fileName() + QStringLiteral("/Melvora/")));
        QCOMPARE(lastMessage(ui), invalid);

        // Its catalog path would not fit the hand-over record and the registration.
        const QString tooLong = m_dir.filePath(QString(170, u'x')) + QLatin1Char('/');
        QVERIFY(!CKivSetupChecks::InstallFolder(tooLong));
        QCOMPARE(lastMessage(ui), invalid);
        QVERIFY(!QFileInfo::exists(tooLong));

        const int before = int(ui.messages().size());
        QVERIFY(CKivSetupChecks::InstallFolder(m_dir.filePath(QStringLiteral("Kiv/Melvora/"))));
        QCOMPARE(int(ui.messages().size()), before);
        QCOMPARE(ui.messages().constLast().caption, CKivSetupChecks::Caption());
    }

    void theUserAndTheCdDrive()
    {
        RecordingUi ui;
        FakeDrives drives;
        drives.addMount(QStringLiteral("/media/cdrom"), KivDriveType::CdRom);
        QVERIFY(!CKivSetupChecks::User(QString()));
        QCOMPARE(lastMessage(ui), QStringLiteral("Sie müssen einen Benutzername eingeben:"));
        QVERIFY(CKivSetupChecks::User(QStringLiteral("Hans")));

        QString drive = QStringLiteral("/media/cdrom/");
        QVERIFY(CKivSetupChecks::CdDrive(drive, true));
        QVERIFY(drive.isEmpty());  // "CD-Laufwerk nicht eingebaut"
        QVERIFY(!CKivSetupChecks::CdDrive(drive, false));
        QCOMPARE(lastMessage(ui), QStringLiteral("Bitte wählen Sie ein CD-Laufwerk aus."));
        drive = QStringLiteral("/home/");
        QVERIFY(!CKivSetupChecks::CdDrive(drive, false));
        QCOMPARE(lastMessage(ui), QStringLiteral("Das ausgewählte Laufwerk ist kein CD-Laufwerk."));
        drive = QStringLiteral("/media/cdrom/");
        QVERIFY(CKivSetupChecks::CdDrive(drive, false));
    }

    void theFirstMedium()
    {
        RecordingUi ui;
        FakeDrives drives;
        drives.addMount(QStringLiteral("/media/cdrom"), KivDriveType::CdRom);
        CKivSetupData data;
        data.mediumName = QStringLiteral("Musik");
        data.mediumFolder = QStringLiteral("/irgendwo/");
        data.scanMedium = 1;
        data.quickImport = 1;
        QVERIFY(CKivSetupChecks::FirstMedium(data));  // not to be created: everything cleared
        QVERIFY(data.mediumName.isEmpty() && data.mediumFolder.isEmpty());
        QCOMPARE(data.scanMedium + data.quickImport + data.createMedium, 0);

        data.createMedium = 1;
        QVERIFY(!CKivSetupChecks::FirstMedium(data));
        QCOMPARE(lastMessage(ui), QStringLiteral("Bitte geben Sie einen Namen für das neue Medium ein."));
        data.mediumName = QStringLiteral("Musik");
        QVERIFY(!CKivSetupChecks::FirstMedium(data));
        QCOMPARE(lastMessage(ui), QStringLiteral("Bitte Wählen Sie einen Ordner für das Medium aus."));
        data.mediumFolder = QStringLiteral("/media/cdrom/Alben/");
        QVERIFY(!CKivSetupChecks::FirstMedium(data));
        QCOMPARE(lastMessage(ui), QStringLiteral("Sie können kein Medium auf einer CD erstellen."));
        // A folder cut to fit the hand-over record would be another folder.
        data.mediumFolder = m_dir.filePath(QString(200, u'm')) + QLatin1Char('/');
        QVERIFY(!CKivSetupChecks::FirstMedium(data));
        QCOMPARE(lastMessage(ui), QStringLiteral("Der Medium Ordner ist ungültig oder auf das Laufwerk kann nicht "
                                                 "geschrieben werden."));
        data.mediumFolder = m_dir.filePath(QStringLiteral("Musik/Neu")) + QLatin1Char('/');
        QVERIFY(CKivSetupChecks::FirstMedium(data));
        QVERIFY(QFileInfo(data.mediumFolder).isDir());
    }
};

MELVORA_TEST(ChecksTest, setupSetUp);

#include "ChecksTest.moc"
