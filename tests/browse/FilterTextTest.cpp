#include "support/TestRegistry.h"

#include "core/ProfileStore.h"
#include "core/Settings.h"
#include "browse/Filter.h"
#include "browse/FilterFeld.h"
#include "catalog/Mp3SortClause.h"
#include "support/RecordingUi.h"

#include <QTemporaryDir>
#include <QtTest>

// The filter's texts without a catalog: the default filter, each kind of condition, the rules for
// activating and removing fields, the sort column, and numeric values that are no numbers.
class FilterTextTest : public QObject
{
    Q_OBJECT

    RecordingUi m_ui;

    static QList<int> indexes(const QList<CKivFilterFeld *> &fields)
    {
        QList<int> result;
        for (const CKivFilterFeld *field : fields)
            result << field->GetIndex();
        return result;
    }

private Q_SLOTS:
    void init()
    {
        m_ui.clear();
    }

    void theDefaultFilterSearchesTheSearchIndex()
    {
        CKivFilter filter;
        QCOMPARE(filter.WhereText(), QStringLiteral("SearchIndex LIKE '%%'"));
        QVERIFY(filter.IsOnlineOnly());
        QCOMPARE(indexes(filter.ActiveFields()), QList<int>{13});
        QCOMPARE(filter.GetInputField(), filter.ActiveFields().first());
        QCOMPARE(indexes(filter.AvailableFields()), (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 14, 15}));
        QCOMPARE(filter.AvailableFields().first()->GetCondition(), int(CKivFilterFeld::Equal));
        QVERIFY(!filter.ColumnNames().contains(QStringLiteral("Comment")));
        QVERIFY(!filter.ColumnNames().contains(QStringLiteral("GenreName")));
        QCOMPARE(filter.ColumnNames().size(), 14);

        filter.SetInputValue(QStringLiteral("Abba"));
        QCOMPARE(filter.WhereText(), QStringLiteral("SearchIndex LIKE '%Abba%'"));
    }

    void conditionTexts_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("condition");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("like") << 4 << 0 << "Abba" << "Artist LIKE '%Abba%'";
        QTest::newRow("numeric") << 14 << 3 << "3" << "Bewertung > 3";
        QTest::newRow("year is text") << 7 << 1 << "1999" << "Year = '1999'";
        QTest::newRow("apostrophe") << 4 << 1 << "Guns N' Roses" << "Artist = 'Guns N'' Roses'";
        QTest::newRow("apostrophes in like") << 3 << 0 << "Rock'n'Roll" << "Title LIKE '%Rock''n''Roll%'";
        QTest::newRow("negative") << 6 << 4 << "-5" << "TrackNr < -5";
        QTest::newRow("plus sign") << 15 << 3 << "+700" << "FileSize > +700";
        QTest::newRow("blanks around") << 10 << 1 << " 180 " << "Length = 180";
        // Conditions an empty text meets also meet a NULL that earlier versions stored.
        QTest::newRow("empty text") << 3 << 1 << "" << "COALESCE(Title, '') = ''";
        QTest::newRow("empty like") << 1 << 0 << "" << "COALESCE(SubPath, '') LIKE '%%'";
        QTest::newRow("not equal") << 4 << 2 << "Abba" << "COALESCE(Artist, '') <> 'Abba'";
        QTest::newRow("less") << 5 << 4 << "M" << "COALESCE(Album, '') < 'M'";
    }
    void conditionTexts()
    {
        QFETCH(int, index);
        QFETCH(int, condition);
        QFETCH(QString, value);
        QFETCH(QString, text);
        CKivFilterFeld field(index);
        field.SetCondition(condition);
        field.SetValue(value);
        QCOMPARE(field.SqlCondition(), text);
        QVERIFY(field.IsValid());
    }

    void conditionsOutsideTheFiveAreIgnored()
    {
        CKivFilterFeld field(4);
        field.SetCondition(5);
        field.SetCondition(-1);
        QCOMPARE(field.GetCondition(), int(CKivFilterFeld::Equal));
        QCOMPARE(CKivFilterFeld::ColumnName(16), QString());
    }

    void numericValuesThatAreNoNumbersNeverReachTheSqlBare_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("empty") << "";
        QTest::newRow("word") << "drei";
        QTest::newRow("injection") << "0 OR 1=1";
        QTest::newRow("statement") << "1; DROP TABLE Mp3s";
        QTest::newRow("quote") << "1' OR '1'='1";
        QTest::newRow("two signs") << "--1";
        QTest::newRow("other digits") << QStringLiteral("١٢");
    }
    void numericValuesThatAreNoNumbersNeverReachTheSqlBare()
    {
        QFETCH(QString, value);
        CKivFilter filter;
        CKivFilterFeld *rating = filter.FindField(QStringLiteral("Bewertung"));
        filter.ApplyField(rating, CKivFilterFeld::Greater, value);
        QVERIFY(!rating->IsValid());
        QVERIFY(!filter.IsValid());
        // Even if someone queries anyway, the value is quoted data.
        QCOMPARE(rating->SqlCondition(), QStringLiteral("Bewertung > '") + QString(value).replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\''));

        QVERIFY(!filter.ValidateForQuery());
        QCOMPARE(m_ui.messages().size(), 1);
        QCOMPARE(m_ui.messages().first().text,
                 QStringLiteral("Der eingestellte Filter ist ungültig ! Bitte Überprüfen Sie Ihre eingabe."));
        QCOMPARE(m_ui.messages().first().caption, QStringLiteral("Warnung !"));
        QCOMPARE(m_ui.messages().first().icon, KivIcon::Exclamation);
        QCOMPARE(m_ui.filterDialogs(), 1);
        m_ui.clear();
    }

    void aValidFilterPassesWithoutAWord()
    {
        CKivFilter filter;
        filter.ApplyField(filter.FindField(QStringLiteral("TrackNr")), CKivFilterFeld::Equal, QStringLiteral("5"));
        QVERIFY(filter.ValidateForQuery());
        QVERIFY(m_ui.messages().isEmpty());
        QCOMPARE(m_ui.filterDialogs(), 0);

        // A numeric input field is checked as well.
        filter.ActivateAsInput(14);
        filter.SetInputValue(QStringLiteral("viele"));
        QVERIFY(!filter.IsValid());
    }

    void activeFieldsJoinInActivationOrder()
    {
        CKivFilter filter;
        filter.SetInputValue(QStringLiteral("x"));
        filter.ApplyField(filter.FindField(4), CKivFilterFeld::Like, QStringLiteral("Abba"));
        filter.ApplyField(filter.FindField(14), CKivFilterFeld::Greater, QStringLiteral("3"));
        QCOMPARE(filter.WhereText(),
                 QStringLiteral("SearchIndex LIKE '%x%' AND Artist LIKE '%Abba%' AND Bewertung > 3"));

        // Applying to an active field changes it in place.
        filter.ApplyField(filter.FindField(4), CKivFilterFeld::Equal, QStringLiteral("ABBA"));
        QCOMPARE(filter.ActiveFields().size(), 3);
        QCOMPARE(filter.WhereText(), QStringLiteral("SearchIndex LIKE '%x%' AND Artist = 'ABBA' AND Bewertung > 3"));

        // The input field takes only the condition; its value is the search text.
        filter.ApplyField(filter.GetInputField(), CKivFilterFeld::Equal, QStringLiteral("EINGABE"));
        QCOMPARE(filter.GetInputField()->GetValue(), QStringLiteral("x"));

        QVERIFY(filter.RemoveField(filter.FindField(4)));
        QVERIFY(filter.RemoveField(filter.FindField(14)));
        QVERIFY(!filter.RemoveField(filter.FindField(14)));
        QCOMPARE(filter.WhereText(), QStringLiteral("SearchIndex = 'x'"));
        QCOMPARE(filter.AvailableFields().last()->GetIndex(), 14);
        QVERIFY(m_ui.messages().isEmpty());
    }

    void theInputFieldCannotBeRemoved()
    {
        CKivFilter filter;
        QVERIFY(!filter.RemoveField(filter.GetInputField()));
        QCOMPARE(m_ui.messages().size(), 1);
        QCOMPARE(m_ui.messages().first().text,
                 QStringLiteral("Das Filterfeld welches den Eingabefocus besitzt\nkann nicht gelöscht werden !"));
        QCOMPARE(m_ui.messages().first().caption, QStringLiteral("Warnung !"));
        QVERIFY(!filter.Deactivate(filter.GetInputField()));
        QCOMPARE(indexes(filter.ActiveFields()), QList<int>{13});
        QVERIFY(filter.GetInputField());
    }

    void anotherFieldBecomesTheInputField()
    {
        CKivFilter filter;
        CKivFilterFeld *artist = filter.ActivateAsInput(4);
        QVERIFY(artist);
        QCOMPARE(filter.GetInputField(), artist);
        QCOMPARE(indexes(filter.ActiveFields()), (QList<int>{13, 4}));
        filter.SetInputValue(QStringLiteral("Queen"));
        QCOMPARE(artist->GetValue(), QStringLiteral("Queen"));

        // An already active field is not added twice; a field that is not offered is no input.
        QCOMPARE(filter.ActivateAsInput(13), filter.ActiveFields().first());
        QCOMPARE(filter.ActiveFields().size(), 2);
        QVERIFY(!filter.ActivateAsInput(8));
        QCOMPARE(filter.GetInputField()->GetIndex(), 13);
        QVERIFY(!filter.Activate(filter.FindField(13)));
        QVERIFY(filter.Deactivate(artist));
        QCOMPARE(filter.ActiveFields().size(), 1);
    }

    void sortColumn()
    {
        CKivMp3SortClause::Set(QStringLiteral("Title"));
        CKivFilter unsorted;
        QCOMPARE(unsorted.GetSortField(), -1);
        QCOMPARE(unsorted.SortColumn(), QString());
        QCOMPARE(CKivMp3SortClause::Get(), QString());

        CKivFilter filter(QStringLiteral("Comment"));
        QCOMPARE(filter.SortClause(), QString());
        filter.SetSortByName(QStringLiteral("Artist"));
        QCOMPARE(filter.SortColumn(), QStringLiteral("Artist"));
        QCOMPARE(CKivMp3SortClause::Get(), QStringLiteral("Artist"));
        filter.SetSortByName(QStringLiteral("artist"));
        filter.SetSortByName(QStringLiteral("GenreName"));
        QCOMPARE(filter.SortColumn(), QStringLiteral("Artist"));
        filter.SetSortByName(QStringLiteral("SearchIndex"));  // an active field sorts as well
        QCOMPARE(CKivMp3SortClause::Get(), QStringLiteral("SearchIndex"));

        QTemporaryDir dir;
        CKivProfileStore store(dir.filePath(QStringLiteral("Melvora.ini")));
        CKivSettings settings(store);
        settings.SetMp3SortOrder(QStringLiteral("Length"));
        CKivFilter fromSettings(settings);
        QCOMPARE(fromSettings.SortColumn(), QStringLiteral("Length"));
        QCOMPARE(CKivMp3SortClause::Get(), QStringLiteral("Length"));
    }
};

MELVORA_TEST(FilterTextTest);

#include "FilterTextTest.moc"
