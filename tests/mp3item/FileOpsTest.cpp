#include "support/TestRegistry.h"

#include "mp3/item/Mp3FileOps.h"
#include "mp3item/SyntheticMp3.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using namespace KivMp3FileOps;

// Copies and renames that never overwrite: free names, the name actually used, clean failures.
class FileOpsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString fresh(const QString &name)
    {
        const QString path = m_dir.filePath(name);
        QDir(path).removeRecursively();
        QDir().mkpath(path);
        return path + QLatin1Char('/');
    }

private Q_SLOTS:
    void candidateNamesPutTheNumberBeforeTheExtension()
    {
        QCOMPARE(CandidateName(QStringLiteral("Song.mp3"), 1), QStringLiteral("Song.mp3"));
        QCOMPARE(CandidateName(QStringLiteral("Song.mp3"), 2), QStringLiteral("Song (2).mp3"));
        QCOMPARE(CandidateName(QStringLiteral("a.b.mp3"), 3), QStringLiteral("a.b (3).mp3"));
        QCOMPARE(CandidateName(QStringLiteral("Song"), 2), QStringLiteral("Song (2)"));
        QCOMPARE(CandidateName(QStringLiteral(".mp3"), 2), QStringLiteral(".mp3 (2)"));
    }

    void renameOntoATakenNameUsesTheNextFreeOne()
    {
        const QString dir = fresh(QStringLiteral("rename"));
        QVERIFY(SyntheticMp3::write(dir + QStringLiteral("old.mp3"), "moving"));
        QVERIFY(SyntheticMp3::write(dir + QStringLiteral("Song.mp3"), "first"));
        QVERIFY(SyntheticMp3::write(dir + QStringLiteral("Song (2).mp3"), "second"));

        const std::optional<QString> used = RenameKeeping(dir + QStringLiteral("old.mp3"), dir, QStringLiteral("Song.mp3"));
        QCOMPARE(used.value_or(QString()), QStringLiteral("Song (3).mp3"));
        QCOMPARE(SyntheticMp3::read(dir + QStringLiteral("Song.mp3")), QByteArray("first"));
        QCOMPARE(SyntheticMp3::read(dir + QStringLiteral("Song (2).mp3")), QByteArray("second"));
        QCOMPARE(SyntheticMp3::read(dir + QStringLiteral("Song (3).mp3")), QByteArray("moving"));
        QVERIFY(!QFile::exists(dir + QStringLiteral("old.mp3")));
    }

    void renameToItsOwnNameChangesNothing()
    {
        const QString dir = fresh(QStringLiteral("self"));
        QVERIFY(SyntheticMp3::write(dir + QStringLiteral("Song.mp3"), "me"));
        QCOMPARE(RenameKeeping(dir + QStringLiteral("Song.mp3"), dir, QStringLiteral("Song.mp3")).value_or(QString()),
                 QStringLiteral("Song.mp3"));
        QCOMPARE(QDir(dir).entryList(QDir::Files), QStringList{QStringLiteral("Song.mp3")});
    }

    void copyKeepsTheOriginalAndTheTakenName()
    {
        const QString from = fresh(QStringLiteral("from"));
        const QString to = fresh(QStringLiteral("to"));
        const QByteArray song = SyntheticMp3::frames(5);
        QVERIFY(SyntheticMp3::write(from + QStringLiteral("Song.mp3"), song));
        QVERIFY(SyntheticMp3::write(to + QStringLiteral("Song.mp3"), "already here"));

        QCOMPARE(CopyKeeping(from + QStringLiteral("Song.mp3"), to, QStringLiteral("Song.mp3")).value_or(QString()),
                 QStringLiteral("Song (2).mp3"));
        QCOMPARE(SyntheticMp3::read(to + QStringLiteral("Song.mp3")), QByteArray("already here"));
        QCOMPARE(SyntheticMp3::read(to + QStringLiteral("Song (2).mp3")), song);
        QCOMPARE(SyntheticMp3::read(from + QStringLiteral("Song.mp3")), song);
        QCOMPARE(QFileInfo(to + QStringLiteral("Song (2).mp3")).lastModified(),
                 QFileInfo(from + QStringLiteral("Song.mp3")).lastModified());
    }

    void failedCopiesLeaveNothingBehind()
    {
        const QString from = fresh(QStringLiteral("cfrom"));
        const QString to = fresh(QStringLiteral("cto"));
        QVERIFY(!CopyKeeping(from + QStringLiteral("none.mp3"), to, QStringLiteral("none.mp3")));
        // A folder is no file to copy.
        QVERIFY(!CopyKeeping(from, to, QStringLiteral("x.mp3")));
        QVERIFY(SyntheticMp3::write(from + QStringLiteral("a.mp3"), "a"));
        QVERIFY(!CopyKeeping(from + QStringLiteral("a.mp3"), to + QStringLiteral("no/such/"), QStringLiteral("a.mp3")));
        QVERIFY(QDir(to).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());

        if (::geteuid() != 0) {
            QFile::setPermissions(to, QFile::ReadOwner | QFile::ExeOwner);
            QVERIFY(!CopyKeeping(from + QStringLiteral("a.mp3"), to, QStringLiteral("a.mp3")));
            QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }

};

MELVORA_TEST(FileOpsTest);

#include "FileOpsTest.moc"
