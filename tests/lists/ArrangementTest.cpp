#include "core/ProfileStore.h"
#include "core/Settings.h"
#include "browse/list/ColumnArrangement.h"
#include "browse/ui/lists/Mp3ListeBigFormView.h"
#include "browse/ui/lists/Mp3ListeFormView.h"
#include "browse/ui/lists/Mp3TableView.h"
#include "controls/ui/CommandRegistry.h"
#include "lists/ListFixture.h"
#include "lists/ListTests.h"

#include <QHeaderView>

// Column arrangements: the stored text and what a damaged one gives, and the standard list's four
// arrangements per user under their profile names.
class ArrangementTest : public QObject
{
    Q_OBJECT

    ListFixture f;

private Q_SLOTS:
    void init() { QVERIFY(f.setUp()); }
    void cleanup() { f.doc.reset(); }

    void textRoundTrip()
    {
        CKivColumnArrangement a = CKivColumnArrangement::defaults(KivMp3Column::tv());
        QCOMPARE(a.columnCount(), 15);
        QVERIFY(a.hidden()[0]);
        std::vector<int> order = a.order();
        std::swap(order[5], order[10]);
        std::vector<int> widths = a.widths();
        widths[5] = 123;
        std::vector<bool> hidden = a.hidden();
        hidden[14] = true;
        QVERIFY(a.set(order, widths, hidden));
        const std::optional<CKivColumnArrangement> back = CKivColumnArrangement::fromText(a.toText(), 15);
        QVERIFY(back);
        QVERIFY(*back == a);
    }

    void damagedTextsGiveNothing_data()
    {
        QTest::addColumn<QString>("text");
        const QString good = CKivColumnArrangement::defaults(KivMp3Column::tv()).toText();
        QTest::newRow("empty") << QString();
        QTest::newRow("other version") << QString(good).replace(0, 1, QStringLiteral("2"));
        QTest::newRow("cut") << good.left(good.size() / 2);
        QTest::newRow("29 columns") << CKivColumnArrangement::defaults(KivMp3Column::standard()).toText();
        QTest::newRow("twice the same column") << QString(good).replace(QStringLiteral("order=0,1,"),
                                                                        QStringLiteral("order=1,1,"));
        QTest::newRow("column out of range") << QString(good).replace(QStringLiteral("order=0,"),
                                                                      QStringLiteral("order=99,"));
        QTest::newRow("negative width") << QString(good).replace(QStringLiteral("widths=0,"),
                                                                 QStringLiteral("widths=-5,"));
        QTest::newRow("garbage number") << QString(good).replace(QStringLiteral("widths=0,"),
                                                                 QStringLiteral("widths=x,"));
        QTest::newRow("hidden flag 2") << QString(good).replace(QStringLiteral("hidden=1,"),
                                                                QStringLiteral("hidden=2,"));
    }

    void damagedTextsGiveNothing()
    {
        QFETCH(QString, text);
        QVERIFY(!CKivColumnArrangement::fromText(text, 15));
    }

    void arrangementsPerUserAndAnsicht()
    {
        CKivCommandRegistry commands;
        CKivSettings &settings = f.catalog.settings();
        QHeaderView *header = nullptr;
        {
            CKivMp3ListeFormView view(*f.doc, settings, commands);
            header = view.table().horizontalHeader();
            QCOMPARE(header->sectionSize(5), 386);
            QVERIFY(header->isSectionHidden(0));
            header->resizeSection(5, 200);
            header->moveSection(10, 4);  // "Titel" in front of "Id:"

            IKivCommandTarget::State state;
            QVERIFY(view.queryCommand(CKivMp3ListView::CmdAnsichtA, state));
            QVERIFY(state.checked);
            view.onCommand(CKivMp3ListView::CmdAnsichtC);
            QCOMPARE(settings.GetNormalAnsicht(), 2);
            QCOMPARE(settings.ColumnProfileName(), QStringLiteral("anna\\2V2"));
            // A new arrangement starts as defined.
            QCOMPARE(header->sectionSize(5), 386);
            QCOMPARE(header->visualIndex(10), 10);
            header->setSectionHidden(14, true);

            view.onCommand(CKivMp3ListView::CmdAnsichtA);
            QCOMPARE(header->sectionSize(5), 200);
            QCOMPARE(header->visualIndex(10), 4);
            QVERIFY(!header->isSectionHidden(14));
            view.onCommand(CKivMp3ListView::CmdAnsichtC);
            QVERIFY(header->isSectionHidden(14));
        }
        QVERIFY(CKivColumnArrangement::load(settings.store(), QStringLiteral("anna\\0V2"), 29));
        QVERIFY(CKivColumnArrangement::load(settings.store(), QStringLiteral("anna\\2V2"), 29));

        // Another user has arrangements of his own; anna's come back when she returns.
        settings.SetUserName(QStringLiteral("bob"));
        {
            CKivMp3ListeFormView view(*f.doc, settings, commands);
            QCOMPARE(view.table().horizontalHeader()->sectionSize(5), 386);
        }
        settings.SetUserName(QStringLiteral("anna"));
        settings.SetNormalAnsicht(0);
        {
            CKivMp3ListeFormView view(*f.doc, settings, commands);
            QCOMPARE(view.table().horizontalHeader()->sectionSize(5), 200);
        }

        // The TV list keeps one arrangement under its fixed name.
        {
            CKivMp3ListeBigFormView tv(*f.doc, settings, commands);
            QCOMPARE(tv.table().verticalHeader()->defaultSectionSize(), 40);
            tv.table().horizontalHeader()->resizeSection(10, 333);
        }
        const auto tv = CKivColumnArrangement::load(settings.store(), CKivColumnArrangement::TvProfileName(), 15);
        QVERIFY(tv);
        QCOMPARE(tv->widths()[10], 333);
        // A damaged stored arrangement gives the defined one.
        settings.store().setValue(CKivColumnArrangement::TvProfileName(), CKivColumnArrangement::Key(),
                                  QStringLiteral("1;order=;widths=;hidden="));
        CKivMp3ListeBigFormView again(*f.doc, settings, commands);
        QCOMPARE(again.table().horizontalHeader()->sectionSize(10), 300);
    }
};

int runArrangementTest(int argc, char **argv)
{
    ArrangementTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ArrangementTest.moc"
