#include "browse/Filter.h"
#include "browse/FilterFeld.h"
#include "browse/ui/filter/FilterDlg.h"
#include "browse/ui/filter/SortCombo.h"
#include "dialogs/DialogTests.h"
#include "support/RecordingUi.h"
#include "support/AccessibleNames.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

// The filter dialog edits the application's filter in place, refuses a numeric value that is no
// number, and the sort fields of the tool bars set the sort column and follow each other.
class FilterDlgTest : public QObject
{
    Q_OBJECT

    RecordingUi m_ui;

    static void chooseField(CKivFilterDlg &dialog, const QString &name)
    {
        auto *field = child<QComboBox>(&dialog, "field");
        const int row = field->findText(name);
        QVERIFY2(row >= 0, qPrintable(name));
        field->setCurrentIndex(row);
        Q_EMIT field->activated(row);
    }

    static void apply(CKivFilterDlg &dialog, const QString &name, const QString &condition, const QString &value)
    {
        chooseField(dialog, name);
        auto *conditions = child<QComboBox>(&dialog, "condition");
        conditions->setCurrentIndex(conditions->findText(condition));
        child<QLineEdit>(&dialog, "value")->setText(value);
        QTest::mouseClick(child<QPushButton>(&dialog, "apply"), Qt::LeftButton);
    }

    static void clickRow(CKivFilterDlg &dialog, int row)
    {
        auto *list = child<QTableWidget>(&dialog, "filterList");
        const QRect rect = list->visualItemRect(list->item(row, 1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }

    static QStringList row(CKivFilterDlg &dialog, int index)
    {
        auto *list = child<QTableWidget>(&dialog, "filterList");
        QStringList cells;
        for (int column = 0; column < list->columnCount(); ++column)
            cells << (list->item(index, column) ? list->item(index, column)->text() : QString());
        return cells;
    }

private Q_SLOTS:
    void init() { m_ui.clear(); }

    void opensOnTheActiveConditionsAndOffersOnlyTheFilterFields()
    {
        CKivFilter filter;
        CKivFilterDlg dialog(filter);
        dialog.show();
        QVERIFY2(KivAccessibleNames::unnamed(&dialog).isEmpty(), qPrintable(KivAccessibleNames::unnamed(&dialog).join(QLatin1Char(' '))));
        auto *list = child<QTableWidget>(&dialog, "filterList");
        QCOMPARE(list->rowCount(), 1);
        QCOMPARE(row(dialog, 0), (QStringList{QStringLiteral("AND"), QStringLiteral("SearchIndex"),
                                             QStringLiteral("LIKE"), QStringLiteral("'%%'")}));
        auto *field = child<QComboBox>(&dialog, "field");
        QCOMPARE(field->count(), 14);
        QCOMPARE(field->findText(QStringLiteral("Comment")), -1);
        QCOMPARE(field->findText(QStringLiteral("GenreName")), -1);
        QStringList names;
        for (int i = 0; i < field->count(); ++i)
            names << field->itemText(i);
        QStringList sorted = names;
        sorted.sort(Qt::CaseInsensitive);
        QCOMPARE(names, sorted);
        QCOMPARE(child<QComboBox>(&dialog, "condition")->count(), 5);
    }

    void applyWritesTheFilterInPlaceAndShowsTheSqlValue()
    {
        CKivFilter filter;
        filter.SetOnlineOnly(false);
        CKivFilterDlg dialog(filter);
        dialog.show();
        apply(dialog, QStringLiteral("Artist"), QStringLiteral("LIKE"), QStringLiteral("Ab'ba"));
        QCOMPARE(filter.WhereText(), QStringLiteral("SearchIndex LIKE '%%' AND Artist LIKE '%Ab''ba%'"));
        QCOMPARE(row(dialog, 1), (QStringList{QStringLiteral("AND"), QStringLiteral("Artist"), QStringLiteral("LIKE"),
                                             QStringLiteral("'%Ab''ba%'")}));

        // The same field again changes its row in place.
        apply(dialog, QStringLiteral("Artist"), QStringLiteral("="), QStringLiteral("ABBA"));
        QCOMPARE(child<QTableWidget>(&dialog, "filterList")->rowCount(), 2);
        QCOMPARE(filter.WhereText(), QStringLiteral("SearchIndex LIKE '%%' AND Artist = 'ABBA'"));

        // Clicking the row shows the value as typed, apostrophe and all.
        apply(dialog, QStringLiteral("Artist"), QStringLiteral("="), QStringLiteral("d'Arc"));
        child<QLineEdit>(&dialog, "value")->clear();
        clickRow(dialog, 1);
        QCOMPARE(child<QLineEdit>(&dialog, "value")->text(), QStringLiteral("d'Arc"));
        QCOMPARE(child<QComboBox>(&dialog, "condition")->currentText(), QStringLiteral("="));
        QVERIFY(m_ui.messages().isEmpty());
    }

    void aNumericFieldRefusesAValueThatIsNoNumber()
    {
        CKivFilter filter;
        filter.SetOnlineOnly(false);
        CKivFilterDlg dialog(filter);
        dialog.show();
        apply(dialog, QStringLiteral("Bewertung"), QStringLiteral(">"), QStringLiteral("3 OR 1=1"));
        QCOMPARE(m_ui.messages().size(), 1);
        QCOMPARE(m_ui.messages().first().text,
                 QStringLiteral("Der eingestellte Filter ist ungültig ! Bitte Überprüfen Sie Ihre eingabe."));
        QCOMPARE(m_ui.messages().first().caption, QStringLiteral("Warnung !"));
        QVERIFY(!filter.IsActive(14));
        QVERIFY(filter.IsValid());
        QCOMPARE(child<QTableWidget>(&dialog, "filterList")->rowCount(), 1);

        apply(dialog, QStringLiteral("Bewertung"), QStringLiteral(">"), QStringLiteral("3"));
        QCOMPARE(filter.WhereText(), QStringLiteral("SearchIndex LIKE '%%' AND Bewertung > 3"));
        // An active numeric field keeps its good value when a bad one is refused.
        apply(dialog, QStringLiteral("Bewertung"), QStringLiteral("="), QStringLiteral("drei"));
        QCOMPARE(m_ui.messages().size(), 2);
        QCOMPARE(filter.WhereText(), QStringLiteral("SearchIndex LIKE '%%' AND Bewertung > 3"));
    }

    void theInputFieldTakesOnlyItsConditionAndCannotBeDeleted()
    {
        CKivFilter filter;
        filter.SetOnlineOnly(false);
        filter.SetInputValue(QStringLiteral("Abba"));
        CKivFilterDlg dialog(filter);
        dialog.show();
        clickRow(dialog, 0);
        auto *value = child<QLineEdit>(&dialog, "value");
        QCOMPARE(value->text(), QStringLiteral("EINGABE"));
        QVERIFY(!value->isEnabled());
        auto *conditions = child<QComboBox>(&dialog, "condition");
        conditions->setCurrentIndex(conditions->findText(QStringLiteral("=")));
        QTest::mouseClick(child<QPushButton>(&dialog, "apply"), Qt::LeftButton);
        QCOMPARE(filter.WhereText(), QStringLiteral("SearchIndex = 'Abba'"));

        clickRow(dialog, 0);
        QTest::mouseClick(child<QPushButton>(&dialog, "remove"), Qt::LeftButton);
        QCOMPARE(m_ui.messages().size(), 1);
        QCOMPARE(m_ui.messages().first().text,
                 QStringLiteral("Das Filterfeld welches den Eingabefocus besitzt\nkann nicht gelöscht werden !"));
        QCOMPARE(filter.ActiveFields().size(), 1);

        // Another field becomes the input field; the old one can go then.
        apply(dialog, QStringLiteral("Title"), QStringLiteral("LIKE"), QStringLiteral("Love"));
        clickRow(dialog, 1);
        QTest::mouseClick(child<QPushButton>(&dialog, "input"), Qt::LeftButton);
        QCOMPARE(filter.GetInputField()->ColumnName(), QStringLiteral("Title"));
        QVERIFY(!value->isEnabled());
        clickRow(dialog, 0);
        QTest::mouseClick(child<QPushButton>(&dialog, "remove"), Qt::LeftButton);
        QCOMPARE(filter.WhereText(), QStringLiteral("Title LIKE '%Love%'"));
        QCOMPARE(child<QTableWidget>(&dialog, "filterList")->rowCount(), 1);
    }

    void okAndCancelBothKeepWhatWasApplied()
    {
        CKivFilter filter;
        filter.SetOnlineOnly(false);
        onModal([](QWidget *window) {
            auto *dialog = qobject_cast<CKivFilterDlg *>(window);
            QVERIFY(dialog);
            apply(*dialog, QStringLiteral("Year"), QStringLiteral("="), QStringLiteral("1999"));
            QTest::mouseClick(child<QPushButton>(dialog, "cancel"), Qt::LeftButton);
        });
        QVERIFY(!CKivFilterDlg::Run(filter, nullptr));
        QCOMPARE(filter.WhereText(), QStringLiteral("SearchIndex LIKE '%%' AND Year = '1999'"));

        onModal([](QWidget *window) {
            QTest::mouseClick(child<QPushButton>(window, "ok"), Qt::LeftButton);
        });
        QVERIFY(CKivFilterDlg::RunFor(filter, nullptr));
    }

    void sortFieldsStartEmptySetTheSortColumnAndFollowEachOther()
    {
        CKivFilter filter;
        CKivFilter other;
        CKivSortCombo first(filter);
        CKivSortCombo second(filter);
        CKivSortCombo elsewhere(other);
        QCOMPARE(first.count(), 14);
        QCOMPARE(first.findText(QStringLiteral("Comment")), -1);
        QCOMPARE(filter.GetSortField(), -1);
        QCOMPARE(first.currentIndex(), -1);
        QCOMPARE(second.currentIndex(), -1);

        first.setCurrentIndex(first.findText(QStringLiteral("Artist")));
        QCOMPARE(filter.SortColumn(), QStringLiteral("Artist"));
        QCOMPARE(second.currentText(), QStringLiteral("Artist"));
        QCOMPARE(elsewhere.currentIndex(), -1);
        QVERIFY(other.SortColumn().isEmpty());

        filter.SetSortByName(QStringLiteral("Year"));
        CKivSortCombo::SyncAll(filter);
        QCOMPARE(first.currentText(), QStringLiteral("Year"));
        QCOMPARE(second.currentText(), QStringLiteral("Year"));

        // A combo made later shows the sort in force; a sort setting naming no offered field none.
        CKivSortCombo later(filter);
        QCOMPARE(later.currentText(), QStringLiteral("Year"));
        CKivFilter unsorted(QStringLiteral("Comment"));
        CKivSortCombo none(unsorted);
        QCOMPARE(none.currentIndex(), -1);
    }
};

int runFilterDlgTest(int argc, char **argv)
{
    FilterDlgTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "FilterDlgTest.moc"
