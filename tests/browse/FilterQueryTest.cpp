#include "support/TestRegistry.h"

#include "browse/Filter.h"
#include "browse/FilterFeld.h"
#include "catalog/RsMp3s.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "media/MediumHeaderFile.h"
#include "support/MediaWorkspace.h"

#include <QFile>
#include <QtTest>

// The filter against a catalog: the clause of online media, and filtered queries on both engines.
class FilterQueryTest : public QObject, private MediaWorkspace
{
    Q_OBJECT


    // A medium of the user on its own folder; online when it has its header there.
    void addMedium(CKivMedienListe &media, const QString &name, bool online)
    {
        const QString root = folder(QString::number(media.Count()));
        QVERIFY(media.CreateFromFolder(db(), name, root));
        if (!online)
            QVERIFY(QFile::remove(CKivMediumHeaderFile::PathIn(root)));
    }

    void addMp3(const QString &medium, const QString &file, const QString &artist, int rating)
    {
        CRsMp3s mp3s(db());
        mp3s.AddNew();
        mp3s.m_Mediumname = medium;
        mp3s.m_Filename = file;
        mp3s.m_SubPath = QString(QLatin1String(""));
        mp3s.m_Artist = artist;
        mp3s.m_Bewertung = rating;
        mp3s.m_TrackNr = 1;
        mp3s.m_ImportID = 0;
        mp3s.m_MediumSubPathFilename = QLatin1Char('(') + medium + QLatin1Char(')') + file;
        mp3s.m_SearchIndex = QLatin1Char('(') + medium + QStringLiteral("),") + file + QStringLiteral(",,") + artist
                             + QStringLiteral(",,,,");
        QVERIFY(mp3s.Update());
    }

    QStringList filtered(CKivFilter &filter)
    {
        QStringList files;
        CRsMp3s mp3s(db());
        if (mp3s.OpenWithFilter(filter)) {
            for (; !mp3s.IsEOF(); mp3s.MoveNext())
                files << mp3s.m_Filename;
        }
        return files;
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(recreate());
    }

    void onlineClauseNamesTheOnlineMediaInSetOrder()
    {
        CKivMedienListe media(User, QString());
        addMedium(media, QStringLiteral("A"), true);
        addMedium(media, QStringLiteral("Offline"), false);
        addMedium(media, QStringLiteral("B"), true);
        media.Add(CKivMedium::NewDisk(User));  // never stored: skipped
        CKivFilter filter;
        filter.SetMedia(&media);
        filter.SetInputValue(QStringLiteral("Abba"));
        QCOMPARE(filter.WhereText(),
                 QStringLiteral("(SearchIndex LIKE '%Abba%') AND ((Mediumname='A') OR (Mediumname='B'))"));

        filter.SetOnlineOnly(false);
        QCOMPARE(filter.WhereText(), QStringLiteral("SearchIndex LIKE '%Abba%'"));
    }

    void theClauseFollowsTheMediaAsTheyAreNow()
    {
        CKivMedienListe media(User, QString());
        addMedium(media, QStringLiteral("Rock'n'Roll"), true);
        CKivFilter filter;
        filter.SetMedia(&media);
        QCOMPARE(filter.WhereText(), QStringLiteral("(SearchIndex LIKE '%%') AND ((Mediumname='Rock''n''Roll'))"));

        // Unplugged since the last check: no medium online, and the switch has no effect.
        QVERIFY(QFile::remove(CKivMediumHeaderFile::PathIn(media.At(0)->GetRoot())));
        QCOMPARE(filter.WhereText(), QStringLiteral("SearchIndex LIKE '%%'"));

        // A medium another user placed is not the user's, whatever its header says.
        media.At(0)->WriteHeaderFile();
        QVERIFY(media.At(0)->RemoveAssignment(db()));
        QCOMPARE(filter.WhereText(), QStringLiteral("SearchIndex LIKE '%%'"));
    }

    void filteredQueriesRunOnTheCatalog()
    {
        CKivMedienListe media(User, QString());
        addMedium(media, QStringLiteral("A"), true);
        addMedium(media, QStringLiteral("Rock'n'Roll"), true);
        addMedium(media, QStringLiteral("Offline"), false);
        addMp3(QStringLiteral("A"), QStringLiteral("a1.mp3"), QStringLiteral("Guns N' Roses"), 4);
        addMp3(QStringLiteral("A"), QStringLiteral("a2.mp3"), QStringLiteral("Abba"), 2);
        addMp3(QStringLiteral("Rock'n'Roll"), QStringLiteral("r1.mp3"), QStringLiteral("Abba"), 5);
        addMp3(QStringLiteral("Offline"), QStringLiteral("o1.mp3"), QStringLiteral("Abba"), 5);

        CKivFilter filter(QStringLiteral("Filename"));
        filter.SetMedia(&media);
        QCOMPARE(filtered(filter), (QStringList{QStringLiteral("a1.mp3"), QStringLiteral("a2.mp3"), QStringLiteral("r1.mp3")}));

        filter.SetInputValue(QStringLiteral("n' r"));  // an apostrophe, and letter case ignored
        QCOMPARE(filtered(filter), QStringList{QStringLiteral("a1.mp3")});

        filter.SetInputValue(QStringLiteral("abba"));
        filter.ApplyField(filter.FindField(QStringLiteral("Bewertung")), CKivFilterFeld::Greater, QStringLiteral("3"));
        QVERIFY(filter.ValidateForQuery());
        QCOMPARE(filtered(filter), QStringList{QStringLiteral("r1.mp3")});

        filter.SetOnlineOnly(false);
        QCOMPARE(filtered(filter), (QStringList{QStringLiteral("o1.mp3"), QStringLiteral("r1.mp3")}));
        QVERIFY(ui.messages().isEmpty());
    }

    void aNumericValueThatIsNoNumberIsNeverRunAsSql()
    {
        CKivMedienListe media(User, QString());
        addMedium(media, QStringLiteral("A"), true);
        addMp3(QStringLiteral("A"), QStringLiteral("a1.mp3"), QStringLiteral("Abba"), 3);
        CKivFilter filter;
        filter.SetMedia(&media);
        filter.ApplyField(filter.FindField(QStringLiteral("Bewertung")), CKivFilterFeld::Equal,
                          QStringLiteral("0 OR 1=1"));

        // The query code asks first and runs nothing.
        QVERIFY(!filter.ValidateForQuery());
        QCOMPARE(ui.filterDialogs(), 1);

        // Queried anyway, the value is compared as data: no row matches (or the engine refuses the
        // comparison and the user is sent to the filter dialog), never every row.
        QVERIFY(filtered(filter).isEmpty());
        filter.FindField(QStringLiteral("Bewertung"))->SetValue(QStringLiteral("1; DELETE FROM Mp3s"));
        QVERIFY(filtered(filter).isEmpty());
        filter.FindField(QStringLiteral("Bewertung"))->SetValue(QStringLiteral("3"));
        QCOMPARE(filtered(filter), QStringList{QStringLiteral("a1.mp3")});
    }
};

MELVORA_TEST(FilterQueryTest, CatalogFixture::isolateOdbcIni);

#include "FilterQueryTest.moc"
