#include "support/TestRegistry.h"

#include "media/DriveType.h"
#include "media/LinuxDrives.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The drive layer: mount points, the drive-type mapping over a mount table and the block devices'
// removable flags.
class DrivesTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString at(const QString &name) const { return m_dir.filePath(name); }

    // A mount table whose mount points lie in the test folder, and a /sys/block look-alike.
    CKivLinuxDrives fixtureDrives()
    {
        const QByteArray base = QFile::encodeName(m_dir.path());
        QByteArray table;
        auto line = [&](const char *point, const char *type, const char *source) {
            table += "30 1 8:1 / " + base + point + " rw,relatime shared:1 - " + type + ' ' + source + " rw\n";
        };
        table += "26 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n";
        line("/disk", "ext4", "/dev/vda2");
        line("/usb", "vfat", "/dev/sdb1");
        line("/usb\\040stick", "exfat", "/dev/sdc");
        line("/net", "nfs4", "server:/export");
        line("/share", "cifs", "//server/musik");
        line("/ssh", "fuse.sshfs", "user@host:");
        line("/cd", "iso9660", "/dev/sr0");
        line("/dvd", "udf", "/dev/sr1");
        line("/ram", "tmpfs", "tmpfs");
        line("/proc", "proc", "proc");
        line("/over", "ext4", "/dev/vda3");
        line("/over", "nfs", "server:/shadow");  // mounted later on the same point: it covers the first
        table += "garbage line without the separator\n\n";
        TestFiles::write(at(QStringLiteral("mountinfo")), table);

        for (const char *dir : {"disk", "usb", "usb stick", "net", "share", "ssh", "cd", "dvd", "ram", "proc", "over",
                                "usb2"})
            QDir().mkpath(at(QLatin1String(dir)));
        TestFiles::write(at(QStringLiteral("block/sdb/removable")), "1\n");
        QDir().mkpath(at(QStringLiteral("block/sdb/sdb1")));
        TestFiles::write(at(QStringLiteral("block/sdc/removable")), "1\n");
        TestFiles::write(at(QStringLiteral("block/vda/removable")), "0\n");
        QDir().mkpath(at(QStringLiteral("block/vda/vda2")));
        return CKivLinuxDrives(at(QStringLiteral("mountinfo")), at(QStringLiteral("block")));
    }

private Q_SLOTS:
    void mapsFileSystemsToDriveTypes_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("type");
        QTest::newRow("ext4 disk") << "disk" << int(KivDriveType::Fixed);
        QTest::newRow("removable partition") << "usb" << int(KivDriveType::Removable);
        QTest::newRow("removable disk, escaped blank") << "usb stick" << int(KivDriveType::Removable);
        QTest::newRow("nfs") << "net" << int(KivDriveType::Remote);
        QTest::newRow("cifs") << "share" << int(KivDriveType::Remote);
        QTest::newRow("sshfs") << "ssh" << int(KivDriveType::Remote);
        QTest::newRow("iso9660") << "cd" << int(KivDriveType::CdRom);
        QTest::newRow("udf") << "dvd" << int(KivDriveType::CdRom);
        QTest::newRow("tmpfs") << "ram" << int(KivDriveType::RamDisk);
        QTest::newRow("proc") << "proc" << int(KivDriveType::Unknown);
        QTest::newRow("covered mount") << "over" << int(KivDriveType::Remote);
        QTest::newRow("not below usb") << "usb2" << int(KivDriveType::Fixed);
        QTest::newRow("missing") << "gone" << int(KivDriveType::NoRootDir);
    }
    void mapsFileSystemsToDriveTypes()
    {
        QFETCH(QString, folder);
        QFETCH(int, type);
        const CKivLinuxDrives drives = fixtureDrives();
        QCOMPARE(drives.driveType(at(folder)), type);
        QCOMPARE(drives.isCdRomDrive(at(folder)), type == KivDriveType::CdRom);
    }

    void mountPointIsTheLongestHoldingMount()
    {
        const CKivLinuxDrives drives = fixtureDrives();
        QCOMPARE(drives.mountPointOf(at(QStringLiteral("usb/Musik/Rock"))), at(QStringLiteral("usb/")));
        QCOMPARE(drives.mountPointOf(at(QStringLiteral("usb stick/a"))), at(QStringLiteral("usb stick/")));
        QCOMPARE(drives.mountPointOf(at(QStringLiteral("usb"))), at(QStringLiteral("usb/")));
        // "usb2" merely begins with the letters of "usb".
        QCOMPARE(drives.mountPointOf(at(QStringLiteral("usb2/a"))), QStringLiteral("/"));
        QCOMPARE(drives.mountPointOf(at(QStringLiteral("usb/../usb2"))), QStringLiteral("/"));
        QCOMPARE(drives.mountPointOf(QStringLiteral("/")), QStringLiteral("/"));
        QCOMPARE(drives.mountPointOf(QStringLiteral("relative/folder")), QString());
        QCOMPARE(drives.driveType(QStringLiteral("relative/folder")), int(KivDriveType::NoRootDir));
        QCOMPARE(drives.driveType(QString()), int(KivDriveType::NoRootDir));
    }

    void unreadableTablesLeaveEverythingOnTheRoot()
    {
        const CKivLinuxDrives drives(at(QStringLiteral("no-such-table")), at(QStringLiteral("no-block")));
        QCOMPARE(drives.mountPointOf(at(QStringLiteral("usb"))), QStringLiteral("/"));
        QCOMPARE(drives.driveType(m_dir.path()), int(KivDriveType::Unknown));
    }

    void thisSystemsDrives()
    {
        const CKivLinuxDrives drives;
        QCOMPARE(drives.mountPointOf(QStringLiteral("/")), QStringLiteral("/"));
        QVERIFY(drives.volumeSize(QStringLiteral("/")) > 0);
        QCOMPARE(drives.volumeSize(QStringLiteral("/no/such/folder/anywhere")), qint64(-1));
        QCOMPARE(drives.driveType(QStringLiteral("/no/such/folder/anywhere")), int(KivDriveType::NoRootDir));
        QVERIFY(drives.driveType(QDir::tempPath()) != KivDriveType::NoRootDir);
    }

};

MELVORA_TEST(DrivesTest);

#include "DrivesTest.moc"
