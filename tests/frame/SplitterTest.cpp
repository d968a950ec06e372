#include "core/ProfileStore.h"
#include "app/ui/frame/SplitterPanes.h"
#include "app/ui/frame/SplitterWnd.h"
#include "frame/FrameTests.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

// "Panes_<n>": reading stored texts (also broken ones), writing only real sizes, and a splitter
// that loads, hides and saves.
class SplitterTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    static KivSplitterPanes parsed(const QString &text)
    {
        KivSplitterPanes panes;
        panes.parse(text);
        return panes;
    }

private Q_SLOTS:
    void theStoredTextIsReadInOrderAndBrokenPartsKeepTheOldValues()
    {
        const KivSplitterPanes full = parsed(QStringLiteral("1 220 -1 180"));
        QCOMPARE(full.hiddenColumn, 1);
        QCOMPARE(full.size0, 220);
        QCOMPARE(full.hiddenRow, -1);
        QCOMPARE(full.size1, 180);
        QCOMPARE(full.format(), QStringLiteral("1 220 -1 180"));

        const KivSplitterPanes defaults = parsed(KivSplitterPanes::defaultText());
        QCOMPARE(defaults.size0, 150);
        QCOMPARE(defaults.size1, 150);

        const KivSplitterPanes partial = parsed(QStringLiteral("-1 240 x 9"));
        QCOMPARE(partial.size0, 240);
        QCOMPARE(partial.hiddenRow, -1);
        QCOMPARE(partial.size1, 100);

        const KivSplitterPanes garbage = parsed(QStringLiteral("\x01\xff zz"));
        QCOMPARE(garbage.format(), QStringLiteral("-1 100 -1 100"));
        const KivSplitterPanes negative = parsed(QStringLiteral("-1 -500 -1 99999999999"));
        QCOMPARE(negative.size0, 0);
        QCOMPARE(negative.size1, 100);  // too large for a number: not read

        QVERIFY(!KivSplitterPanes::shouldWrite(0, 200));
        QVERIFY(!KivSplitterPanes::shouldWrite(200, 0));
        QVERIFY(KivSplitterPanes::shouldWrite(1, 1));
        KivSplitterPanes unknown;
        unknown.size0 = -1;
        QCOMPARE(unknown.format(), QStringLiteral("-1 100 -1 100"));
        QCOMPARE(KivSplitterPanes::key(1), QStringLiteral("Panes_1"));
    }

    void aSplitterLoadsItsSizesAndKeepsTheStoredOnesWhenAPaneIsClosed()
    {
        CKivProfileStore store(m_dir.filePath(QStringLiteral("splitter.ini")));
        CKivSplitterWnd outer(Qt::Horizontal, store);
        auto *inner = new CKivSplitterWnd(Qt::Vertical, store, &outer);
        QCOMPARE(outer.number(), 0);
        QCOMPARE(inner->number(), 1);
        QCOMPARE(outer.profileSection(), QStringLiteral("SplitterWnd"));
        inner->addWidget(new QLabel(QStringLiteral("oben")));
        inner->addWidget(new QLabel(QStringLiteral("unten")));
        outer.addWidget(inner);
        outer.addWidget(new QLabel(QStringLiteral("rechts")));
        outer.setProfileSection(QStringLiteral("Eva\\KivSplitter"));
        inner->setProfileSection(QStringLiteral("Eva\\KivSplitter2"));
        outer.resize(800, 600);

        // A user without stored sizes gets 150 and 150.
        outer.loadState();
        inner->loadState();
        QCOMPARE(outer.requestedSize(0), 150);
        QCOMPARE(inner->requestedSize(1), 150);
        outer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&outer));
        QCOMPARE(outer.sizes().at(0), 150);

        outer.setSizes({260, 540});
        outer.saveState();
        QVERIFY(store.value(QStringLiteral("Eva\\KivSplitter"), QStringLiteral("Panes_0")).startsWith(
                 QStringLiteral("-1 260 -1 ")));

        // A closed pane has no size: the stored value stays.
        outer.setPaneHidden(0, true);
        QVERIFY(outer.isPaneHidden(0));
        outer.saveState();
        QVERIFY(store.value(QStringLiteral("Eva\\KivSplitter"), QStringLiteral("Panes_0")).startsWith(
                 QStringLiteral("-1 260 -1 ")));

        // A stored hidden row is hidden at loading; the views in it stay.
        store.setValue(QStringLiteral("Eva\\KivSplitter2"), QStringLiteral("Panes_1"), QStringLiteral("-1 200 1 100"));
        QWidget *lower = inner->widget(1);
        inner->loadState();
        QVERIFY(inner->isPaneHidden(1));
        QCOMPARE(inner->widget(1), lower);
        inner->setPaneHidden(1, false);
        QVERIFY(!inner->isPaneHidden(1));
    }
};

int runSplitterTest(int argc, char **argv)
{
    SplitterTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SplitterTest.moc"
