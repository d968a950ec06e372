#include "support/TestRegistry.h"

#include "media/MediumHeaderFile.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

// "MediumHeader.med": the exact 300-byte layout, the name limit, and calm reading of files that are
// missing, short, garbage or no files at all.
class HeaderFileTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString root() const { return m_dir.path() + QLatin1Char('/'); }
    QString headerPath() const { return CKivMediumHeaderFile::PathIn(root()); }

    void writeRaw(const QByteArray &bytes) { QVERIFY(TestFiles::write(headerPath(), bytes)); }
    QByteArray readRaw() const { return TestFiles::read(headerPath()); }

private Q_SLOTS:
    void init()
    {
        QFile::remove(headerPath());
        QDir(headerPath()).removeRecursively();
    }

    void writesThreeZeroPaddedSlotsOfExactly300Bytes()
    {
        writeRaw(QByteArray(1000, 'x'));  // an older, longer file is replaced, not overwritten in part
        QVERIFY(CKivMediumHeaderFile::Write(root(), QStringLiteral("Rock")));
        const QByteArray bytes = readRaw();
        QCOMPARE(bytes.size(), 300);
        for (int slot = 0; slot < 3; ++slot) {
            const QByteArray part = bytes.mid(slot * 100, 100);
            QCOMPARE(part.left(4), QByteArray("Rock"));
            QCOMPARE(part.mid(4), QByteArray(96, '\0'));
        }
    }

    void readsTheNameExactlyAsWritten_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("umlauts") << QStringLiteral("Größte Hits");
        QTest::newRow("japanese") << QStringLiteral("音楽コレクション");
        QTest::newRow("99 bytes") << QString(99, QLatin1Char('a'));
    }
    void readsTheNameExactlyAsWritten()
    {
        QFETCH(QString, name);
        QVERIFY(CKivMediumHeaderFile::Write(root(), name));
        const CKivMediumHeaderFile::Content content = CKivMediumHeaderFile::Read(root());
        QCOMPARE(content.status, CKivMediumHeaderFile::Status::Ok);
        QCOMPARE(content.name, name);
    }

    void refusesNamesThatDoNotFitASlotInsteadOfCuttingThem()
    {
        QVERIFY(!CKivMediumHeaderFile::Write(root(), QString(100, QLatin1Char('a'))));
        // 34 characters outside Windows-1252 take 102 bytes.
        QVERIFY(!CKivMediumHeaderFile::Write(root(), QString(34, QChar(0x97F3))));
        QVERIFY(!QFile::exists(headerPath()));
        QVERIFY(CKivMediumHeaderFile::Write(root(), QString(33, QChar(0x97F3))));
    }

    void takesTheTextUpToTheFirstZeroWithinTheFirst300Bytes()
    {
        QByteArray bytes(300, 'g');
        bytes[4] = '\0';
        bytes.append("and more beyond the header");
        writeRaw(bytes);
        QCOMPARE(CKivMediumHeaderFile::Read(root()).name, QStringLiteral("gggg"));

        writeRaw(QByteArray(400, 'z'));  // no zero at all: never beyond 300 bytes
        QCOMPARE(CKivMediumHeaderFile::Read(root()).name, QString(300, QLatin1Char('z')));
    }

    void missingShortAndStrangeFilesAreNoHeader()
    {
        QCOMPARE(CKivMediumHeaderFile::Read(root()).status, CKivMediumHeaderFile::Status::Missing);

        writeRaw(QByteArray());
        QCOMPARE(CKivMediumHeaderFile::Read(root()).status, CKivMediumHeaderFile::Status::Short);
        writeRaw(QByteArray("Rock"));
        QCOMPARE(CKivMediumHeaderFile::Read(root()).status, CKivMediumHeaderFile::Status::Short);
        writeRaw(QByteArray(299, '\0').prepend("Rock"));
        QCOMPARE(CKivMediumHeaderFile::Read(root()).status, CKivMediumHeaderFile::Status::Ok);
        QFile::remove(headerPath());

        QVERIFY(QDir().mkpath(headerPath()));
        QCOMPARE(CKivMediumHeaderFile::Read(root()).status, CKivMediumHeaderFile::Status::Unreadable);
        QVERIFY(!CKivMediumHeaderFile::Write(root(), QStringLiteral("Rock")));
        QVERIFY(QDir(headerPath()).removeRecursively());

        // A pipe of that name would block a reader forever.
        QCOMPARE(::mkfifo(QFile::encodeName(headerPath()).constData(), 0600), 0);
        QCOMPARE(CKivMediumHeaderFile::Read(root()).status, CKivMediumHeaderFile::Status::Unreadable);
        QFile::remove(headerPath());
    }

    void replacesAHeaderInAFolderThatTakesNoNewFiles()
    {
        QVERIFY(CKivMediumHeaderFile::Write(root(), QStringLiteral("Alt")));
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        const bool written = CKivMediumHeaderFile::Write(root(), QStringLiteral("Neu"));
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(written);
        QCOMPARE(CKivMediumHeaderFile::Read(root()).name, QStringLiteral("Neu"));
        QCOMPARE(QFileInfo(headerPath()).size(), 300);
    }
};

MELVORA_TEST(HeaderFileTest);

#include "HeaderFileTest.moc"
