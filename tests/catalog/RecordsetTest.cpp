#include "support/TestRegistry.h"

#include "catalog/RsBenutzer.h"
#include "catalog/RsFolder.h"
#include "catalog/RsImport.h"
#include "catalog/RsMedienNamen.h"
#include "catalog/RsMp3s.h"
#include "support/CatalogFixture.h"

#include <QSqlQuery>
#include <QtTest>

// The cursor over one table: order, IDs, NULL rules, writing, and text that must arrive whole.
class RecordsetTest : public QObject
{
    Q_OBJECT

    CatalogFixture m_fixture;

    qint32 addUser(const QString &name)
    {
        CRsBenutzer users(m_fixture.db());
        users.AddNew();
        users.m_Benutzername = name;
        users.m_Passwort = QStringLiteral("pw");
        return users.Update() ? users.m_ID : -1;
    }

    qint32 addMp3(const QString &medium, const QString &subPath, const QString &file, const QString &title)
    {
        CRsMp3s mp3s(m_fixture.db());
        mp3s.AddNew();
        mp3s.m_Mediumname = medium;
        mp3s.m_SubPath = subPath;
        mp3s.m_Filename = file;
        mp3s.m_MediumSubPathFilename = QLatin1Char('(') + medium + QLatin1Char(')') + subPath + file;
        mp3s.m_Title = title;
        mp3s.m_Artist = title;
        mp3s.m_ImportID = 0;
        mp3s.m_Anlegedatum = QDateTime::currentDateTime();
        return mp3s.Update() ? mp3s.m_ID : -1;
    }

    // The number of rows of a table matching a condition, asked directly.
    int count(const QString &table, const QString &condition)
    {
        QSqlQuery q(m_fixture.db().connection());
        if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM ") + table + QLatin1String(" WHERE ") + condition) ||
            !q.next())
            return -1;
        return q.value(0).toInt();
    }

private Q_SLOTS:
    void init() { QVERIFY(m_fixture.recreate()); }

    void rowsComeInAscendingIdWithoutSort()
    {
        const qint32 a = addUser(QStringLiteral("Zoe"));
        const qint32 b = addUser(QStringLiteral("Anna"));
        const qint32 c = addUser(QStringLiteral("Max"));
        QVERIFY(a > 0 && a < b && b < c);
        CRsBenutzer users(m_fixture.db());
        QVERIFY(users.Open());
        QList<qint32> ids;
        for (; !users.IsEOF(); users.MoveNext())
            ids << users.m_ID;
        QCOMPARE(ids, (QList<qint32>{a, b, c}));
        QVERIFY(!users.MoveNext());

        users.m_strSort = QStringLiteral("Benutzername");
        QVERIFY(users.Requery());
        QCOMPARE(users.m_Benutzername, QStringLiteral("Anna"));
    }

    void idsAreNeverReused()
    {
        const qint32 a = addUser(QStringLiteral("a"));
        const qint32 b = addUser(QStringLiteral("b"));
        CRsBenutzer users(m_fixture.db());
        QVERIFY(users.OpenById(b));
        QVERIFY(users.Delete());
        QVERIFY(users.OpenById(a));
        QVERIFY(users.Delete());
        QVERIFY(!users.OpenById(a));
        const qint32 c = addUser(QStringLiteral("c"));
        QVERIFY2(c > b, qPrintable(QStringLiteral("%1 after %2").arg(c).arg(b)));
    }

    void unsetColumnsStayNullAndReadAsEmpty()
    {
        CRsMedienNamen media(m_fixture.db());
        media.AddNew();
        media.m_Mediumname = QStringLiteral("Disk");
        QVERIFY(media.Update());
        media.AddNew();
        media.m_Mediumname = QStringLiteral("CD:\\Eins");
        media.m_CDRomID = 1;
        QVERIFY(media.Update());
        QCOMPARE(count(QStringLiteral("MedienNamen"), QStringLiteral("CDRomID IS NULL")), 1);
        QCOMPARE(media.m_CDRomID, 1);

        QVERIFY(media.OpenByName(QStringLiteral("Disk")));
        QCOMPARE(media.m_CDRomID, 0);
        // Editing another column leaves the unset one NULL.
        QVERIFY(media.Edit());
        media.m_Mediumname = QStringLiteral("Disk 2");
        QVERIFY(media.Update());
        QCOMPARE(
            count(QStringLiteral("MedienNamen"), QStringLiteral("CDRomID IS NULL AND Mediumname='Disk 2'")),
            1);

        CRsFolder folders(m_fixture.db());
        const qint32 folder =
            folders.GetOrCreateFolder(QStringLiteral("Disk 2"), QStringLiteral("Rock\\"), false);
        QVERIFY(folders.OpenById(folder));
        QVERIFY(!folders.m_CreationTime.isValid());
        QCOMPARE(count(QStringLiteral("Folder"), QStringLiteral("CreationTime IS NULL")), 1);

        QVERIFY(addUser(QStringLiteral("ohne Mail")) > 0);
        CRsBenutzer users(m_fixture.db());
        QVERIFY(users.Open());
        QVERIFY(users.m_Email.isEmpty());
        QVERIFY(users.m_Vorname.isEmpty());
    }

    void zeroIsStoredAsZeroNotNull()
    {
        CRsMedienNamen media(m_fixture.db());
        media.AddNew();
        media.m_Mediumname = QStringLiteral("Null");
        media.m_CDRomID = 0;
        QVERIFY(media.Update());
        QCOMPARE(count(QStringLiteral("MedienNamen"), QStringLiteral("CDRomID=0")), 1);

        const qint32 id =
            addMp3(QStringLiteral("M"), QString(), QStringLiteral("root.mp3"), QStringLiteral("t"));
        QCOMPARE(count(QStringLiteral("Mp3s"), QStringLiteral("ImportID=0 AND ID=") + QString::number(id)),
                 1);
    }

    void moveLastRequeryAndDelete()
    {
        const qint32 a = addUser(QStringLiteral("a"));
        addUser(QStringLiteral("b"));
        const qint32 c = addUser(QStringLiteral("c"));
        CRsBenutzer users(m_fixture.db());
        QVERIFY(users.Open());
        QCOMPARE(users.m_ID, a);
        QVERIFY(users.MoveLast());
        QCOMPARE(users.m_ID, c);
        QCOMPARE(users.m_Benutzername, QStringLiteral("c"));
        QVERIFY(!users.MoveNext());
        QVERIFY(users.IsEOF());

        QVERIFY(users.Requery());
        QCOMPARE(users.m_ID, a);
        QVERIFY(users.Delete());
        QVERIFY(users.MoveNext());
        QCOMPARE(users.m_Benutzername, QStringLiteral("b"));
        QVERIFY(users.Edit());
        users.m_Email = QStringLiteral("b@example.org");
        QVERIFY(users.Update());
        QVERIFY(users.Requery());
        QCOMPARE(users.m_Benutzername, QStringLiteral("b"));
        QCOMPARE(users.m_Email, QStringLiteral("b@example.org"));
        QCOMPARE(users.m_Passwort, QStringLiteral("pw"));
    }

    void editAfterInsertChangesTheNewRow()
    {
        const qint32 a = addUser(QStringLiteral("a"));
        CRsBenutzer users(m_fixture.db());
        QVERIFY(users.Open());
        users.AddNew();
        users.m_Benutzername = QStringLiteral("b");
        QVERIFY(users.Update());
        const qint32 b = users.m_ID;
        QVERIFY(users.Edit());
        users.m_Email = QStringLiteral("b@example.org");
        QVERIFY(users.Update());
        QVERIFY(users.OpenById(a));
        QCOMPARE(users.m_Benutzername, QStringLiteral("a"));
        QVERIFY(users.m_Email.isEmpty());
        QVERIFY(users.OpenById(b));
        QCOMPARE(users.m_Email, QStringLiteral("b@example.org"));

        // After a reconnect the record set prepares its statements anew.
        m_fixture.db().Close();
        QVERIFY(m_fixture.db().Connect(false));
        users.AddNew();
        users.m_Benutzername = QStringLiteral("c");
        QVERIFY(users.Update());
        QVERIFY(users.Edit());
        QVERIFY(users.Delete());
        QVERIFY(!users.OpenById(users.m_ID));
    }

    void databaseErrorsReturnFalse()
    {
        const qint32 id =
            addMp3(QStringLiteral("M"), QStringLiteral("A\\"), QStringLiteral("x.mp3"), QStringLiteral("t"));
        QVERIFY(id > 0);
        QCOMPARE(
            addMp3(QStringLiteral("M"), QStringLiteral("A\\"), QStringLiteral("x.mp3"), QStringLiteral("t")),
            -1);

        CRsMp3s mp3s(m_fixture.db());
        mp3s.m_strFilter = QStringLiteral("NoSuchColumn=1");
        QVERIFY(!mp3s.Open());
        QVERIFY(mp3s.lastOpenFailedInDatabase());
        QVERIFY(!mp3s.lastError().isEmpty());
        mp3s.m_strFilter = QStringLiteral("ID=-5");
        QVERIFY(mp3s.Open());
        QVERIFY(!mp3s.lastOpenFailedInDatabase());
        QVERIFY(mp3s.IsEOF());
        QVERIFY(!mp3s.Edit());
        QVERIFY(!mp3s.Delete());
    }

    void quotesInValuesAreStoredAndFound()
    {
        CRsMedienNamen media(m_fixture.db());
        media.AddNew();
        media.m_Mediumname = QStringLiteral("Rock'n'Roll");
        QVERIFY(media.Update());
        QVERIFY(media.OpenByName(QStringLiteral("Rock'n'Roll")));
        QCOMPARE(media.m_Mediumname, QStringLiteral("Rock'n'Roll"));
        QVERIFY(!media.OpenByName(QStringLiteral("x' OR '1'='1")));

        const QString subPath = QStringLiteral("Rock'n'Roll\\");
        const qint32 id =
            addMp3(QStringLiteral("Rock'n'Roll"), subPath, QStringLiteral("It's.mp3"), QStringLiteral("'"));
        CRsMp3s mp3s(m_fixture.db());
        QVERIFY(mp3s.OpenByKey(QStringLiteral("(Rock'n'Roll)Rock'n'Roll\\It's.mp3")));
        QCOMPARE(mp3s.m_ID, id);
        QCOMPARE(mp3s.m_Title, QStringLiteral("'"));
    }

    void textRoundTripsAsUtf8()
    {
        const QString german = QStringLiteral("Ärger über Öl – Größe ß");
        const QString japanese = QStringLiteral("日本語のタイトル");
        const qint32 id = addMp3(QStringLiteral("Medium ü"), QStringLiteral("音楽\\"),
                                 japanese + QStringLiteral(".mp3"), german);
        CRsMp3s mp3s(m_fixture.db());
        QVERIFY(mp3s.OpenByKey(QStringLiteral("(Medium ü)音楽\\") + japanese + QStringLiteral(".mp3")));
        QCOMPARE(mp3s.m_ID, id);
        QCOMPARE(mp3s.m_Title, german);
        QCOMPARE(mp3s.m_SubPath, QStringLiteral("音楽\\"));
        QVERIFY(mp3s.Edit());
        mp3s.m_Comment = japanese;
        QVERIFY(mp3s.Update());
        QVERIFY(mp3s.OpenById(id));
        QCOMPARE(mp3s.m_Comment, japanese);
    }

    void longKeysAreStoredWhole()
    {
        const QString subPath = QString(3000, QLatin1Char('s')) + QStringLiteral("\\");
        const QString file = QString(300, QLatin1Char('f')) + QStringLiteral(".mp3");
        const qint32 id = addMp3(QStringLiteral("M"), subPath, file, QStringLiteral("t"));
        QVERIFY(id > 0);
        CRsMp3s mp3s(m_fixture.db());
        QVERIFY(mp3s.OpenByKey(QStringLiteral("(M)") + subPath + file));
        QCOMPARE(mp3s.m_MediumSubPathFilename.size(), 3 + subPath.size() + file.size());
        QCOMPARE(addMp3(QStringLiteral("M"), subPath, file, QStringLiteral("t")), -1); // still unique

        CRsFolder folders(m_fixture.db());
        const qint32 folder = folders.GetOrCreateFolder(QStringLiteral("M"), subPath, false);
        QVERIFY(folder > 0);
        QCOMPARE(folders.GetOrCreateFolder(QStringLiteral("M"), subPath, false), folder);
    }

    void dateTimeRoundTrips()
    {
        CRsImport imports(m_fixture.db());
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        const qint32 id =
            imports.AddImport(QStringLiteral("S"), QStringLiteral("a\\"), QStringLiteral("x.mp3"),
                              QStringLiteral("D"), QString(), QStringLiteral("y.mp3"));
        QVERIFY(id > 0);
        QVERIFY(imports.OpenById(id));
        QVERIFY(imports.m_Anlegedatum >= before);
        QVERIFY(imports.m_Anlegedatum <= QDateTime::currentDateTime().addSecs(1));
        // An empty destination sub-path is text, not NULL: an "anywhere" search finds it.
        QCOMPARE(imports.m_DestSubPath, QString());
        QVERIFY(imports.OpenByDestSubPath(QStringLiteral("D"), QString()));
    }
};

MELVORA_TEST(RecordsetTest, CatalogFixture::isolateOdbcIni);

#include "RecordsetTest.moc"
