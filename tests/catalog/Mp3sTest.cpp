#include "support/TestRegistry.h"

#include "catalog/Mp3Filter.h"
#include "catalog/Mp3SortClause.h"
#include "catalog/RsImport.h"
#include "catalog/RsMp3s.h"
#include "support/CatalogFixture.h"
#include "support/RecordingUi.h"

#include <QtTest>

namespace {

class FixedFilter final : public IKivMp3Filter
{
public:
    FixedFilter(const QString &where, const QString &sort) : m_where(where), m_sort(sort) {}
    QString WhereText() const override { return m_where; }
    QString SortClause() const override { return m_sort; }

private:
    QString m_where;
    QString m_sort;
};

} // namespace

// The MP3 queries: sub-path and search texts, wildcards, pending imports, sort, the filter's error path.
class Mp3sTest : public QObject
{
    Q_OBJECT

    CatalogFixture m_fixture;

    qint32 addMp3(const QString &medium, const QString &subPath, const QString &file,
                  const QString &searchText = QString(), qint32 importId = 0)
    {
        CRsMp3s mp3s(m_fixture.db());
        mp3s.AddNew();
        mp3s.m_Mediumname = medium;
        mp3s.m_SubPath = subPath;
        mp3s.m_Filename = file;
        mp3s.m_Title = file;
        mp3s.m_MediumSubPathFilename = QLatin1Char('(') + medium + QLatin1Char(')') + subPath + file;
        mp3s.m_SearchIndex =
            QLatin1Char('(') + medium + QLatin1String("),") + subPath + file + QLatin1Char(',') + searchText;
        mp3s.m_ImportID = importId;
        mp3s.m_FolderID = 0;
        return mp3s.Update() ? mp3s.m_ID : -1;
    }

    // File names of the rows an opened record set holds, in order; closes it.
    static QStringList names(CRsMp3s &mp3s, bool opened)
    {
        QStringList found;
        if (!opened)
            return found;
        for (; !mp3s.IsEOF(); mp3s.MoveNext())
            found << mp3s.m_Filename;
        mp3s.Close();
        return found;
    }

    QStringList search(const QString &field, const QString &op, const QString &value,
                       const QString &medium = QString())
    {
        CRsMp3s mp3s(m_fixture.db());
        QStringList found = names(mp3s, mp3s.OpenSearch(field, op, value, medium));
        found.sort();
        return found;
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_fixture.recreate());
        CKivMp3SortClause::Set(QString());
    }

    void cleanupTestCase() { CKivMp3SortClause::Set(QString()); }

    void subPathTextMatchesAnywhere()
    {
        addMp3(QStringLiteral("M"), QStringLiteral("Rock\\"), QStringLiteral("1.mp3"));
        addMp3(QStringLiteral("M"), QStringLiteral("Rock\\Alt\\"), QStringLiteral("2.mp3"));
        addMp3(QStringLiteral("M"), QStringLiteral("Hard Rock\\"), QStringLiteral("3.mp3"));
        addMp3(QStringLiteral("M"), QStringLiteral("Alt\\Rock\\"), QStringLiteral("4.mp3"), QString(), 7);
        addMp3(QStringLiteral("M"), QStringLiteral("Pop\\"), QStringLiteral("5.mp3"));
        addMp3(QStringLiteral("M"), QString(), QStringLiteral("6.mp3"));
        addMp3(QStringLiteral("N"), QStringLiteral("Rock\\"), QStringLiteral("7.mp3"));

        CRsMp3s mp3s(m_fixture.db());
        QCOMPARE(names(mp3s, mp3s.OpenByMediumSubPath(QStringLiteral("M"), QStringLiteral("Rock\\"), false)),
                 (QStringList{QStringLiteral("1.mp3"), QStringLiteral("2.mp3"), QStringLiteral("3.mp3"),
                              QStringLiteral("4.mp3")}));
        QCOMPARE(names(mp3s, mp3s.OpenByMediumSubPath(QStringLiteral("M"), QString(), false)).size(), 6);
        QCOMPARE(names(mp3s, mp3s.OpenByMediumSubPath(QStringLiteral("M"), QStringLiteral("Rock\\"), true)),
                 QStringList{QStringLiteral("4.mp3")});
        QVERIFY(!mp3s.OpenByMediumSubPath(QStringLiteral("M"), QStringLiteral("Jazz\\"), false));
        QVERIFY(!mp3s.IsOpen());
        QCOMPARE(names(mp3s, mp3s.OpenByFolder(QStringLiteral("M"), 0, true)),
                 QStringList{QStringLiteral("4.mp3")});

        CRsImport imports(m_fixture.db());
        for (const char *dest : {"Rock\\", "Hard Rock\\", "Alt\\Rock\\Live\\", "Pop\\"}) {
            QVERIFY(imports.AddImport(QStringLiteral("S"), QStringLiteral("x\\"), QStringLiteral("f.mp3"),
                                      QStringLiteral("M"), QString::fromLatin1(dest),
                                      QStringLiteral("f.mp3")) > 0);
        }
        QVERIFY(imports.OpenByDestSubPath(QStringLiteral("M"), QStringLiteral("Rock\\")));
        int found = 0;
        for (; !imports.IsEOF(); imports.MoveNext())
            ++found;
        QCOMPARE(found, 3);
        QVERIFY(!imports.OpenByDestSubPath(QStringLiteral("N"), QStringLiteral("Rock\\")));
    }

    void searchWildcardsAndLiterals()
    {
        addMp3(QStringLiteral("M"), QString(), QStringLiteral("star.mp3"), QStringLiteral("a*b"));
        addMp3(QStringLiteral("M"), QString(), QStringLiteral("question.mp3"), QStringLiteral("a?b"));
        addMp3(QStringLiteral("M"), QString(), QStringLiteral("x.mp3"), QStringLiteral("axb"));
        addMp3(QStringLiteral("M"), QString(), QStringLiteral("long.mp3"), QStringLiteral("a long b"));
        addMp3(QStringLiteral("M"), QString(), QStringLiteral("quote.mp3"), QStringLiteral("Rock'n'Roll"));
        addMp3(QStringLiteral("M"), QString(), QStringLiteral("pending.mp3"), QStringLiteral("axb"), 3);

        const QString like = QStringLiteral("LIKE");
        const QString index = QStringLiteral("SearchIndex");
        QCOMPARE(search(index, like, QStringLiteral("a*b")), QStringList{QStringLiteral("star.mp3")});
        QCOMPARE(search(index, like, QStringLiteral("a?b")), QStringList{QStringLiteral("question.mp3")});
        QCOMPARE(search(index, like, QStringLiteral("a_b")),
                 (QStringList{QStringLiteral("question.mp3"), QStringLiteral("star.mp3"),
                              QStringLiteral("x.mp3")}));
        QCOMPARE(search(index, like, QStringLiteral("a%b")).size(), 4);
        QCOMPARE(search(index, like, QStringLiteral("'n'")), QStringList{QStringLiteral("quote.mp3")});
        // Letter case does not matter; pending imports are never found.
        QCOMPARE(search(index, like, QStringLiteral("AXB")), QStringList{QStringLiteral("x.mp3")});
    }

    void searchFieldsOperatorsAndMedium()
    {
        addMp3(QStringLiteral("M"), QStringLiteral("A\\"), QStringLiteral("m.mp3"), QStringLiteral("song"));
        addMp3(QStringLiteral("N"), QStringLiteral("A\\"), QStringLiteral("n.mp3"), QStringLiteral("song"));
        addMp3(QStringLiteral("N"), QStringLiteral("A\\"), QStringLiteral("pending.mp3"),
               QStringLiteral("song"), 1);

        QCOMPARE(search(QStringLiteral("SearchIndex"), QStringLiteral("LIKE"), QStringLiteral("song")).size(),
                 2);
        QCOMPARE(search(QStringLiteral("SearchIndex"), QStringLiteral("LIKE"), QStringLiteral("song"),
                        QStringLiteral("N")),
                 QStringList{QStringLiteral("n.mp3")});
        QCOMPARE(search(QStringLiteral("Mediumname"), QStringLiteral("="), QStringLiteral("N")),
                 QStringList{QStringLiteral("n.mp3")});
        QCOMPARE(
            search(QStringLiteral("SearchIndex"), QStringLiteral("="), QStringLiteral("(M),A\\m.mp3,song")),
            QStringList{QStringLiteral("m.mp3")});

        CRsMp3s mp3s(m_fixture.db());
        QVERIFY(!mp3s.OpenSearch(QStringLiteral("Title"), QStringLiteral("LIKE"), QStringLiteral("m"),
                                 QString()));
        QVERIFY(!mp3s.IsOpen());
        QVERIFY(!mp3s.OpenSearch(QStringLiteral("Title"), QStringLiteral("="), QStringLiteral("m.mp3"),
                                 QString()));
    }

    void caseInsensitiveBeyondAsciiOnPostgres()
    {
        if (!m_fixture.isPostgres())
            QSKIP("SQLite's LIKE ignores the case of ASCII letters only");
        addMp3(QStringLiteral("M"), QStringLiteral("Ärger\\"), QStringLiteral("ä.mp3"),
               QStringLiteral("ÜBER GRÖSSE"));
        QCOMPARE(search(QStringLiteral("SearchIndex"), QStringLiteral("LIKE"), QStringLiteral("über grö")),
                 QStringList{QStringLiteral("ä.mp3")});
        CRsMp3s mp3s(m_fixture.db());
        QCOMPARE(names(mp3s, mp3s.OpenByMediumSubPath(QStringLiteral("M"), QStringLiteral("ärger\\"), false))
                     .size(),
                 1);
    }

    void listsFollowTheChosenSort()
    {
        addMp3(QStringLiteral("M"), QString(), QStringLiteral("b.mp3"));
        addMp3(QStringLiteral("M"), QString(), QStringLiteral("c.mp3"));
        const qint32 a = addMp3(QStringLiteral("M"), QString(), QStringLiteral("a.mp3"));
        CRsMp3s mp3s(m_fixture.db());
        QCOMPARE(names(mp3s, mp3s.OpenByMediumSubPath(QStringLiteral("M"), QString(), false)),
                 (QStringList{QStringLiteral("b.mp3"), QStringLiteral("c.mp3"), QStringLiteral("a.mp3")}));
        CKivMp3SortClause::Set(QStringLiteral("Filename DESC"));
        QCOMPARE(names(mp3s, mp3s.OpenByMediumSubPath(QStringLiteral("M"), QString(), false)),
                 (QStringList{QStringLiteral("c.mp3"), QStringLiteral("b.mp3"), QStringLiteral("a.mp3")}));
        QCOMPARE(names(mp3s, mp3s.OpenByFolder(QStringLiteral("M"), 0, false)).first(),
                 QStringLiteral("c.mp3"));
        QVERIFY(mp3s.OpenById(a));
        QVERIFY(mp3s.m_strSort.isEmpty());
    }

    void invalidFilterGoesThroughMessageAndDialog()
    {
        addMp3(QStringLiteral("M"), QString(), QStringLiteral("b.mp3"));
        addMp3(QStringLiteral("M"), QString(), QStringLiteral("a.mp3"));
        RecordingUi ui;
        CRsMp3s mp3s(m_fixture.db());

        FixedFilter invalid(QStringLiteral("NoSuchColumn LIKE '%x%'"), QString());
        IKivMp3Filter *seen = nullptr;
        ui.onFilterDialog = [&](IKivMp3Filter &f) {
            seen = &f;
            return true;
        };
        QVERIFY(!mp3s.OpenWithFilter(invalid));
        QVERIFY(!mp3s.IsOpen());
        QCOMPARE(ui.messages().size(), 1);
        QCOMPARE(ui.messages()[0].text,
                 QStringLiteral("Der eingestellte Filter ist ungültig ! Bitte Überprüfen Sie Ihre eingabe."));
        QCOMPARE(ui.messages()[0].caption, QStringLiteral("Warnung !"));
        QCOMPARE(ui.messages()[0].icon, KivIcon::Exclamation);
        QCOMPARE(ui.filterDialogs(), 1);
        QCOMPARE(seen, &invalid);

        ui.clear();
        FixedFilter none(QStringLiteral("Filename='none.mp3'"), QString());
        QVERIFY(!mp3s.OpenWithFilter(none));
        FixedFilter sorted(QStringLiteral("Filename LIKE '%.MP3'"), QStringLiteral("Filename"));
        QVERIFY(mp3s.OpenWithFilter(sorted));
        QCOMPARE(names(mp3s, true), (QStringList{QStringLiteral("a.mp3"), QStringLiteral("b.mp3")}));
        QVERIFY(ui.messages().isEmpty());
        QCOMPARE(ui.filterDialogs(), 0);
    }
};

MELVORA_TEST(Mp3sTest, CatalogFixture::isolateOdbcIni);

#include "Mp3sTest.moc"
