#include "support/TestRegistry.h"

#include "core/BinaryText.h"
#include "exchange/ExchangeFile.h"
#include "exchange/ExchangePaths.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The byte layout of import lists and export files against hand-made bytes, and the path checks
// that keep a friend's records inside the chosen folders.
class ExchangeFileTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return QString();
        return path;
    }

    static QByteArray slot(const QByteArray &text, int size)
    {
        QByteArray s = text.left(size);
        s.append(QByteArray(size - s.size(), '\0'));
        return s;
    }

    // A record made byte by byte, as a peer's program would write it.
    static QByteArray handRecord(qint32 id, const QByteArray &sm, const QByteArray &ss, const QByteArray &sf,
                                 const QByteArray &dm, const QByteArray &ds, const QByteArray &df)
    {
        QByteArray r(4, '\0');
        KivBinary::writeLe32(r.data(), quint32(id));
        r += slot(sm, 100) + slot(ss, 300) + slot(sf, 100) + slot(dm, 100) + slot(ds, 300) + slot(df, 100);
        return r;
    }

private Q_SLOTS:
    void writtenBytesMatchTheLayout()
    {
        const KivExchangeFile::Record record{-2, QStringLiteral("Friend"), QStringLiteral("Pop\\"),
                                             QStringLiteral("Süß.mp3"), QStringLiteral("Mine"),
                                             QStringLiteral("In\\"), QStringLiteral("x.mp3")};
        const QString path = m_dir.filePath(QStringLiteral("layout.imp"));
        QVERIFY(KivExchangeFile::Write(path, QStringLiteral("Anna, Berg, anna@example.org"), {record}));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QByteArray expected = slot("Anna, Berg, anna@example.org", 200);
        expected += handRecord(-2, "Friend", "Pop\\", "S\xFC\xDF.mp3", "Mine", "In\\", "x.mp3");
        QCOMPARE(bytes, expected);
    }

    void readsHandMadeFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("sender");
        QTest::addColumn<QStringList>("records");

        QTest::newRow("header only") << slot("Anna", 200) << QStringLiteral("Anna") << QStringList();
        QTest::newRow("empty header, two records")
            << slot("", 200) + handRecord(5, "F", "A\\", "a.mp3", "M", "B\\", "b.mp3")
                   + handRecord(6, "F", "", "c.mp3", "M", "", "d.mp3")
            << QString()
            << QStringList{QStringLiteral("5 (F)A\\a.mp3 (M)B\\b.mp3"), QStringLiteral("6 (F)c.mp3 (M)d.mp3")};
        // A full header slot has no zero: all 200 bytes are the text.
        QTest::newRow("full header") << QByteArray(200, 'h') << QString(200, QLatin1Char('h')) << QStringList();
        // The last record is cut inside the destination medium: the missing bytes read as zeros,
        // never as bytes of the record before.
        QTest::newRow("cut last record")
            << slot("S", 200) + handRecord(1, "Long", "Sub\\", "one.mp3", "Dest", "DSub\\", "dest.mp3")
                   + handRecord(2, "F", "X\\", "two.mp3", "MMMMMM", "", "").left(507)
            << QStringLiteral("S")
            << QStringList{QStringLiteral("1 (Long)Sub\\one.mp3 (Dest)DSub\\dest.mp3"),
                           QStringLiteral("2 (F)X\\two.mp3 (MMM)")};
        QTest::newRow("four bytes of a record") << slot("", 200) + QByteArray("\x07\0\0\0", 4) << QString()
                                                << QStringList{QStringLiteral("7 () ()")};
        QTest::newRow("shorter than a header") << QByteArray("Bo") << QStringLiteral("Bo") << QStringList();
    }

    void readsHandMadeFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, sender);
        QFETCH(QStringList, records);
        const QString path = write(QStringLiteral("hand.imp"), bytes);
        const std::optional<KivExchangeFile::Contents> contents = KivExchangeFile::Read(path);
        QVERIFY(contents);
        QCOMPARE(contents->sender, sender);
        QStringList got;
        for (const KivExchangeFile::Record &r : contents->records)
            got << QString::number(r.importId) + QLatin1String(" (") + r.sourceMedium + QLatin1Char(')')
                       + r.sourceSubPath + r.sourceFilename + QLatin1String(" (") + r.destMedium + QLatin1Char(')')
                       + r.destSubPath + r.destFilename;
        QCOMPARE(got, records);
    }

    void longSubPathIsCutTo300BytesWithoutZero()
    {
        const QString longPath = QString(299, QLatin1Char('a')) + QStringLiteral("\\bcdef\\");
        KivExchangeFile::Record record;
        record.sourceSubPath = longPath;
        const QByteArray bytes = KivExchangeFile::EncodeRecord(record);
        QCOMPARE(bytes.size(), KivExchangeFile::RecordSize);
        // The slot is full: its last byte is text, and the next slot starts right behind it.
        QCOMPARE(bytes.mid(104, 300), longPath.left(300).toLatin1());
        QCOMPARE(bytes.at(404), '\0');
        QCOMPARE(KivExchangeFile::DecodeRecord(bytes.constData()).sourceSubPath, longPath.left(300));
    }

    void recordCountFollowsTheLength_data()
    {
        QTest::addColumn<qint64>("length");
        QTest::addColumn<qint64>("count");
        QTest::newRow("empty") << qint64(0) << qint64(0);
        QTest::newRow("header") << qint64(200) << qint64(0);
        QTest::newRow("one byte more") << qint64(201) << qint64(1);
        QTest::newRow("one record") << qint64(1204) << qint64(1);
        QTest::newRow("one and a bit") << qint64(1205) << qint64(2);
        QTest::newRow("ten thousand") << qint64(200 + 1004 * 10000) << qint64(10000);
    }

    void recordCountFollowsTheLength()
    {
        QFETCH(qint64, length);
        QFETCH(qint64, count);
        QCOMPARE(KivExchangeFile::RecordCount(length), count);
    }

    void missingFileIsNotRead()
    {
        QVERIFY(!KivExchangeFile::Read(m_dir.filePath(QStringLiteral("none.imp"))));
    }

    void failedWriteKeepsTheOldFile()
    {
        const QString path = write(QStringLiteral("old.exp"), slot("old", 200));
        // A folder where the temporary file would go cannot be written: the old list stays whole.
        QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const bool written = KivExchangeFile::Write(path, QStringLiteral("new"), {KivExchangeFile::Record{}});
        QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        if (written)
            QSKIP("the file system lets this user write anyway (root)");
        QCOMPARE(KivExchangeFile::Read(path)->sender, QStringLiteral("old"));
    }

    void pathChecks_data()
    {
        QTest::addColumn<QString>("subPath");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("safe");
        QTest::newRow("plain") << QStringLiteral("Rock\\Live\\") << QStringLiteral("a.mp3") << true;
        QTest::newRow("root") << QString() << QStringLiteral("a.mp3") << true;
        QTest::newRow("dots in names") << QStringLiteral("..a\\b..\\") << QStringLiteral("..a.mp3") << true;
        QTest::newRow("parent in sub-path") << QStringLiteral("Rock\\..\\..\\") << QStringLiteral("a.mp3") << false;
        QTest::newRow("parent alone") << QStringLiteral("..\\") << QStringLiteral("a.mp3") << false;
        QTest::newRow("absolute") << QStringLiteral("\\etc\\") << QStringLiteral("a.mp3") << false;
        QTest::newRow("slash in sub-path") << QStringLiteral("a/../../") << QStringLiteral("a.mp3") << false;
        QTest::newRow("drive") << QStringLiteral("C:\\Windows\\") << QStringLiteral("a.mp3") << false;
        QTest::newRow("slash in name") << QString() << QStringLiteral("../a.mp3") << false;
        QTest::newRow("backslash in name") << QString() << QStringLiteral("x\\a.mp3") << false;
        QTest::newRow("parent as name") << QString() << QStringLiteral("..") << false;
        QTest::newRow("empty name") << QString() << QString() << false;
        QTest::newRow("drive name") << QString() << QStringLiteral("C:a.mp3") << false;
    }

    void pathChecks()
    {
        QFETCH(QString, subPath);
        QFETCH(QString, fileName);
        QFETCH(bool, safe);
        QCOMPARE(KivExchangePaths::IsSafeSubPath(subPath) && KivExchangePaths::IsSafeFileName(fileName), safe);
    }

    void volumeFoldersAndExportNames()
    {
        QCOMPARE(KivExchangePaths::VolumeFolder(QStringLiteral("/v"), 0), QStringLiteral("/v/Volume 0"));
        QCOMPARE(KivExchangePaths::VolumeFolder(QStringLiteral("/v/"), 12), QStringLiteral("/v/Volume 12"));
        QCOMPARE(KivExchangePaths::ExportFileName(QStringLiteral("/a/b/Wunsch.imp")), QStringLiteral("Wunsch.exp"));
        QCOMPARE(KivExchangePaths::ExportFileName(QStringLiteral("/a.b/x.IMP")), QStringLiteral("x.exp"));
    }
};

MELVORA_TEST(ExchangeFileTest);

#include "ExchangeFileTest.moc"
