#include "browse/Filter.h"
#include "browse/MelvoraDoc.h"
#include "catalog/RsMp3s.h"
#include "dialogs/DialogTests.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "media/MediumHeaderFile.h"
#include "media/catalog/MediumDeletion.h"
#include "media/ui/MediaCatalogDlg.h"
#include "media/ui/MediumDeleteDlg.h"
#include "support/MediaWorkspace.h"
#include "support/AccessibleNames.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>

// The media catalog's lists and buttons, and the deletion dialog with its bar and status texts.
class MediaCatalogDlgTest : public QObject
{
    Q_OBJECT

    MediaWorkspace m_w;
    static constexpr int User = 1;

    void addRows(const QString &medium, int n)
    {
        CRsMp3s rows(m_w.db());
        for (int i = 0; i < n; ++i) {
            rows.AddNew();
            rows.m_Mediumname = medium;
            rows.m_Filename = QStringLiteral("%1.mp3").arg(i);
            rows.m_SubPath = QString();
            rows.m_MediumSubPathFilename = QLatin1Char('(') + medium + QLatin1Char(')') + rows.m_Filename;
            rows.m_ImportID = 0;
            QVERIFY(rows.Update());
        }
    }

    static void selectRow(QTableView *view, int row)
    {
        view->setCurrentIndex(view->model()->index(row, 0));
    }

private Q_SLOTS:
    void init() { QVERIFY(m_w.recreate()); }

    void listsAndButtons()
    {
        QVERIFY(m_w.medium(QStringLiteral("Eigen"), m_w.folder(QStringLiteral("own"))));
        QVERIFY(m_w.medium(QStringLiteral("Fremd"), m_w.folder(QStringLiteral("other")), 2));
        std::unique_ptr<CKivMedium> cd = CKivMedium::NewCd(User, QString());
        QVERIFY(cd->SetName(QStringLiteral("CD:\\Pop")));
        QVERIFY(cd->SaveCd(m_w.db()));
        CKivFilter filter;
        CMelvoraDoc doc(m_w.catalog.settings(), m_w.db(), filter);
        doc.OnLogin(QStringLiteral("anna"), User);

        CKivMediaCatalogDlg dialog(doc);
        dialog.show();
        QVERIFY2(KivAccessibleNames::unnamed(&dialog).isEmpty(), qPrintable(KivAccessibleNames::unnamed(&dialog).join(QLatin1Char(' '))));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Melvora -  Medienkatalog"));
        auto *users = child<QTableView>(&dialog, "userMedia");
        auto *others = child<QTableView>(&dialog, "catalogMedia");
        QCOMPARE(users->model()->rowCount(), 2);
        QCOMPARE(users->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Laufwerkstype:"));
        QCOMPARE(users->model()->index(0, 0).data().toString(), QStringLiteral("Fixed"));
        QCOMPARE(others->model()->rowCount(), 1);
        QCOMPARE(others->model()->index(0, 0).data().toString(), QStringLiteral("Fremd"));

        const auto enabled = [&dialog](const char *name) { return child<QPushButton>(&dialog, name)->isEnabled(); };
        QVERIFY(!enabled("edit") && !enabled("delete") && !enabled("export") && !enabled("add") && !enabled("remove"));
        selectRow(users, 1);  // the CD
        QVERIFY(!enabled("edit") && enabled("delete") && enabled("export") && !enabled("add") && !enabled("remove"));
        selectRow(users, 0);
        QVERIFY(enabled("edit") && enabled("delete") && enabled("export") && enabled("add") && enabled("remove"));

        child<QCheckBox>(&dialog, "showCds")->setChecked(false);
        QCOMPARE(users->model()->rowCount(), 1);
        QVERIFY(!enabled("delete"));

        // "<- Entfernem" moves the medium to the catalog list.
        selectRow(users, 0);
        QTest::mouseClick(child<QPushButton>(&dialog, "remove"), Qt::LeftButton);
        QCOMPARE(users->model()->rowCount(), 0);
        QCOMPARE(others->model()->rowCount(), 2);
    }

    // The bar runs to the number of files in the first step; the media are read anew afterwards.
    void deletionShowsItsSteps()
    {
        const QString root = m_w.folder(QStringLiteral("own"));
        QVERIFY(m_w.medium(QStringLiteral("Eigen"), root));
        addRows(QStringLiteral("Eigen"), 250);
        CKivFilter filter;
        CMelvoraDoc doc(m_w.catalog.settings(), m_w.db(), filter);
        doc.OnLogin(QStringLiteral("anna"), User);

        CKivMediumDeleteDlg dialog(doc, doc.FindMedium(QStringLiteral("Eigen")));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Medien Löschen"));
        auto *bar = child<QProgressBar>(&dialog, "progress");
        int highest = 0;
        connect(bar, &QProgressBar::valueChanged, &dialog, [&highest](int value) { highest = std::max(highest, value); });
        m_w.ui.answers = {KivAnswer::No};
        QTest::mouseClick(child<QPushButton>(&dialog, "delete"), Qt::LeftButton);
        QVERIFY(doc.FindMedium(QStringLiteral("Eigen")));
        m_w.ui.answers = {KivAnswer::Yes};
        QTest::mouseClick(child<QPushButton>(&dialog, "delete"), Qt::LeftButton);
        QCOMPARE(highest, 250);
        QVERIFY(dialog.Deleted());
        QCOMPARE(child<QLabel>(&dialog, "status")->text(), KivMediumDeletion::DoneText());
        QVERIFY(!doc.FindMedium(QStringLiteral("Eigen")));
        QVERIFY(!child<QPushButton>(&dialog, "delete")->isEnabled());
        QVERIFY(child<QPushButton>(&dialog, "close")->isEnabled());
        QVERIFY(!CKivMediumHeaderFile::Exists(root));
    }
};

int runMediaCatalogDlgTest(int argc, char **argv)
{
    MediaCatalogDlgTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MediaCatalogDlgTest.moc"
