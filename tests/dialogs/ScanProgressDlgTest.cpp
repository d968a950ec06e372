#include "browse/Filter.h"
#include "browse/MelvoraDoc.h"
#include "dialogs/DialogTests.h"
#include "media/scan/ScanList.h"
#include "media/ui/ScanProgressDlg.h"
#include "support/MediaWorkspace.h"
#include "support/AccessibleNames.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

// The progress window shows what the scan list says, cancels only a running phase and cannot be
// closed until the scan has ended.
class ScanProgressDlgTest : public QObject
{
    Q_OBJECT

    MediaWorkspace m_w;

private Q_SLOTS:
    void init() { QVERIFY(m_w.recreate()); }

    void showsTheScanListAndClosesOnlyAfterTheScan()
    {
        CKivFilter filter;
        CMelvoraDoc doc(m_w.catalog.settings(), m_w.db(), filter);
        CKivScanProgressDlg dialog([&doc] { return doc.GetScanList(); });
        connect(&doc, &CMelvoraDoc::scanStarted, &dialog, &CKivScanProgressDlg::scanStarted);
        connect(&doc, &CMelvoraDoc::scanFinished, &dialog, &CKivScanProgressDlg::scanEnded);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Mp3 Import Toolbox"));
        QVERIFY2(KivAccessibleNames::unnamed(&dialog).isEmpty(), qPrintable(KivAccessibleNames::unnamed(&dialog).join(QLatin1Char(' '))));
        QVERIFY(!dialog.isModal());
        auto *close = child<QPushButton>(&dialog, "close");
        auto *cancel = child<QPushButton>(&dialog, "cancel");
        QCOMPARE(close->text(), QStringLiteral("Schließen"));
        QCOMPARE(cancel->text(), QStringLiteral("Abbruch"));
        QVERIFY(close->isEnabled());

        // A scan of a medium the user does not have: its first phase ends at once, which leaves the
        // list to the test until the frame's timer polls again.
        m_w.ui.answers = {KivAnswer::Yes};
        QVERIFY(doc.StartScan(QStringLiteral("Fehlt"), QString()));
        CKivScanList *list = doc.GetScanList();
        QVERIFY(list);
        QVERIFY(!close->isEnabled());
        QTRY_COMPARE(list->GetBusy(), 0);

        list->SetStatusText(CKivScanList::ReadingText());
        list->SetCurrentFile(QStringLiteral("b.mp3"));
        list->SetTotal(10);
        list->SetCurrentIndex(3);
        dialog.refresh();
        QCOMPARE(child<QLabel>(&dialog, "status")->text(), CKivScanList::ReadingText());
        QCOMPARE(child<QLabel>(&dialog, "file")->text(), QStringLiteral("b.mp3"));
        QCOMPARE(child<QLabel>(&dialog, "counter")->text(), QStringLiteral("3//10"));
        auto *bar = child<QProgressBar>(&dialog, "progress");
        QCOMPARE(bar->minimum(), 1);
        QCOMPARE(bar->maximum(), 10);
        QCOMPARE(bar->value(), 3);
        QVERIFY(!close->isEnabled());
        // The window stays while the scan runs.
        dialog.reject();
        QVERIFY(dialog.isVisible());

        // "Abbruch" stops a running phase only.
        QTest::mouseClick(cancel, Qt::LeftButton);
        QCOMPARE(list->GetCancel(), 0);
        list->SetBusy(1);
        QTest::mouseClick(cancel, Qt::LeftButton);
        QCOMPARE(list->GetCancel(), 1);
        list->SetBusy(0);
        list->SetCancel(0);

        // The frame polls until the scan has ended; the window may be closed then.
        QTRY_VERIFY_WITH_TIMEOUT(!doc.PollScan(), 20000);
        QVERIFY(!doc.GetScanList());
        QVERIFY(close->isEnabled());
        dialog.refresh();
        QCOMPARE(child<QLabel>(&dialog, "counter")->text(), QStringLiteral("3//10"));
        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
    }

    void countsFromNothingWithoutAnError()
    {
        CKivFilter filter;
        CMelvoraDoc doc(m_w.catalog.settings(), m_w.db(), filter);
        CKivScanProgressDlg dialog([&doc] { return doc.GetScanList(); });
        connect(&doc, &CMelvoraDoc::scanStarted, &dialog, &CKivScanProgressDlg::scanStarted);
        connect(&doc, &CMelvoraDoc::scanFinished, &dialog, &CKivScanProgressDlg::scanEnded);
        m_w.ui.answers = {KivAnswer::Yes};
        QVERIFY(doc.StartScan(QStringLiteral("Fehlt"), QString()));
        CKivScanList *list = doc.GetScanList();
        QTRY_COMPARE(list->GetBusy(), 0);
        list->SetStatusText(CKivScanList::FindingText());
        list->SetTotal(0);
        list->SetCurrentIndex(0);
        dialog.refresh();
        QCOMPARE(child<QLabel>(&dialog, "counter")->text(), QStringLiteral("0//0"));
        auto *bar = child<QProgressBar>(&dialog, "progress");
        QVERIFY(bar->value() < bar->minimum());  // nothing handled yet: an empty bar
        QTRY_VERIFY_WITH_TIMEOUT(!doc.PollScan(), 20000);
    }
};

int runScanProgressDlgTest(int argc, char **argv)
{
    ScanProgressDlgTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ScanProgressDlgTest.moc"
