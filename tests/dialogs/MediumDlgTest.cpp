#include "browse/Filter.h"
#include "browse/MelvoraDoc.h"
#include "catalog/RsMedienNamen.h"
#include "catalog/RsMedienUser.h"
#include "dialogs/DialogTests.h"
#include "media/DriveType.h"
#include "media/Medium.h"
#include "media/MediumForm.h"
#include "media/MediumHeaderFile.h"
#include "media/MediumName.h"
#include "media/ui/FolderChooser.h"
#include "media/ui/MediumDlg.h"
#include "support/MediaWorkspace.h"
#include "support/AccessibleNames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The medium dialog: what it shows, the checks of "OK" in their order with the core's messages, a
// new medium stored with its rows and header file, and the header re-created only after "Ja".
class MediumDlgTest : public QObject
{
    Q_OBJECT

    MediaWorkspace m_w;
    static constexpr int User = 1;

    void pressOk(CKivMediumDlg &dialog)
    {
        m_w.ui.clear();
        QTest::mouseClick(child<QPushButton>(&dialog, "ok"), Qt::LeftButton);
    }

    void expectRefusal(CKivMediumDlg &dialog, const QString &text, const QString &caption)
    {
        pressOk(dialog);
        QCOMPARE(m_w.ui.messages().size(), 1);
        QCOMPARE(m_w.ui.messages().first().text, text);
        QCOMPARE(m_w.ui.messages().first().caption, caption);
        QCOMPARE(m_w.ui.messages().first().icon, KivIcon::Exclamation);
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.result() != QDialog::Accepted);
    }

    static void chooseFolder(CKivMediumDlg &dialog, const QString &folder)
    {
        KivFolderChooser::setChooser([folder](QWidget *, const QString &, const QString &) { return folder; });
        QTest::mouseClick(child<QPushButton>(&dialog, "chooseFolder"), Qt::LeftButton);
    }

    static void typeName(CKivMediumDlg &dialog, const QString &name)
    {
        child<QLineEdit>(&dialog, "name")->setText(name);
    }

    int rows(const QString &table)
    {
        int count = 0;
        if (table == QLatin1String("MedienNamen")) {
            CRsMedienNamen names(m_w.db());
            if (names.Open())
                for (; !names.IsEOF(); names.MoveNext())
                    ++count;
        } else {
            CRsMedienUser users(m_w.db());
            if (users.Open())
                for (; !users.IsEOF(); users.MoveNext())
                    ++count;
        }
        return count;
    }

private Q_SLOTS:
    void init() { QVERIFY(m_w.recreate()); }
    void cleanup() { KivFolderChooser::setChooser({}); }

    void showsANewMedium()
    {
        std::unique_ptr<CKivMedium> medium = CKivMedium::NewDisk(User);
        CKivMediumForm form(m_w.db(), *medium);
        CKivMediumDlg dialog(form);
        dialog.show();
        QVERIFY2(KivAccessibleNames::unnamed(&dialog).isEmpty(), qPrintable(KivAccessibleNames::unnamed(&dialog).join(QLatin1Char(' '))));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Medium Erstellen/ Bearbeiten"));
        QCOMPARE(child<QLabel>(&dialog, "bandTitle")->text(), QStringLiteral("Kiv Medium"));
        QCOMPARE(child<QLineEdit>(&dialog, "name")->text(), QStringLiteral("Neues Medium"));
        QVERIFY(child<QLineEdit>(&dialog, "name")->isEnabled());
        QCOMPARE(child<QLineEdit>(&dialog, "drive")->text(), QStringLiteral("/"));
        QCOMPARE(child<QLabel>(&dialog, "status")->text(), QStringLiteral("Medium ist Offline"));
        auto *types = child<QComboBox>(&dialog, "driveType");
        QCOMPARE(types->count(), 7);
        QCOMPARE(types->itemText(5), QStringLiteral("CD-ROM"));
        QCOMPARE(types->currentText(), QStringLiteral("Unknown"));
        QVERIFY(!child<QCheckBox>(&dialog, "offline")->isChecked());

        // A folder splits into mount point and path; its drive type is selected.
        m_w.drives.addMount(m_w.dir.filePath(QStringLiteral("net")), KivDriveType::Remote);
        const QString folder = m_w.folder(QStringLiteral("net/musik"));
        chooseFolder(dialog, folder.chopped(1));
        QCOMPARE(child<QLineEdit>(&dialog, "drive")->text(), m_w.dir.filePath(QStringLiteral("net/")));
        QCOMPARE(child<QLineEdit>(&dialog, "path")->text(), QStringLiteral("musik/"));
        QCOMPARE(types->currentText(), QStringLiteral("Remote"));
        // A cancelled choice keeps the root.
        chooseFolder(dialog, QString());
        QCOMPARE(child<QLineEdit>(&dialog, "path")->text(), QStringLiteral("musik/"));
    }

    void okChecksInOrderAndKeepsTheDialogOpen()
    {
        m_w.drives.addMount(m_w.dir.filePath(QStringLiteral("cd")), KivDriveType::CdRom);
        const QString cd = m_w.folder(QStringLiteral("cd"));
        const QString music = m_w.folder(QStringLiteral("music"));
        CRsMedienNamen taken(m_w.db());
        taken.AddNew();
        taken.m_Mediumname = QStringLiteral("Vergeben");
        QVERIFY(taken.Update());
        std::unique_ptr<CKivMedium> medium = CKivMedium::NewDisk(User);
        CKivMediumForm form(m_w.db(), *medium);
        CKivMediumDlg dialog(form);
        dialog.show();
        const QString incomplete = QStringLiteral("Daten unvollständig !");
        const QString warning = QStringLiteral("Warnung !");

        // Every fault at once: each press names the first one left.
        typeName(dialog, QString());
        chooseFolder(dialog, QStringLiteral("relativ"));
        expectRefusal(dialog, QStringLiteral("Sie müssen einen Namen für das Medium festlegen."), incomplete);
        typeName(dialog, QStringLiteral("Vergeben"));
        expectRefusal(dialog, QStringLiteral("Sie müssen ein Laufwerk und ein Verzeichniss für das Medium festlegen."),
                      incomplete);
        chooseFolder(dialog, cd);
        expectRefusal(dialog, QStringLiteral("CD Laufwerke sind keine gültigen Speicherorte für Medien."), warning);
        chooseFolder(dialog, music);
        expectRefusal(dialog, QStringLiteral("Mediumname ist bereits vergeben oder ungültig!"), warning);
        typeName(dialog, QStringLiteral("CD:\\"));
        expectRefusal(dialog, QStringLiteral("Mediumname ist bereits vergeben oder ungültig!"), warning);
        typeName(dialog, QStringLiteral("CD:\\Rock"));
        expectRefusal(dialog, QStringLiteral("Mediumname ist bereits vergeben oder ungültig!"), warning);
        // 99 bytes fit a header slot with its zero; 100 do not, nor 34 characters of three bytes each.
        typeName(dialog, QString(100, QLatin1Char('a')));
        expectRefusal(dialog, KivMediumName::tooLongText(), warning);
        typeName(dialog, QString(34, QChar(0x4E2D)));
        expectRefusal(dialog, KivMediumName::tooLongText(), warning);
        QCOMPARE(rows(QStringLiteral("MedienNamen")), 1);
        QCOMPARE(rows(QStringLiteral("MedienUser")), 0);
        QCOMPARE(medium->GetID(), -1);

        const QString name(99, QLatin1Char('a'));
        typeName(dialog, name);
        pressOk(dialog);
        QVERIFY(m_w.ui.messages().isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(CKivMediumHeaderFile::Read(music).name, name);
    }

    void aSuccessfulCreateWritesTheRowsAndTheHeader()
    {
        const QString music = m_w.folder(QStringLiteral("music/rock"));
        CKivFilter filter;
        CMelvoraDoc doc(m_w.catalog.settings(), m_w.db(), filter);
        std::unique_ptr<CKivMedium> medium = CKivMedium::NewDisk(User);
        onModal([music](QWidget *window) {
            auto *dialog = qobject_cast<CKivMediumDlg *>(window);
            QVERIFY(dialog);
            typeName(*dialog, QStringLiteral("Rock"));
            child<QCheckBox>(dialog, "offline")->setChecked(true);
            chooseFolder(*dialog, music);
            QTest::mouseClick(child<QPushButton>(dialog, "ok"), Qt::LeftButton);
        });
        QVERIFY(CKivMediumDlg::Run(*medium, doc.GetDatabase(), nullptr));
        QVERIFY(m_w.ui.messages().isEmpty());
        QVERIFY(medium->GetID() > 0);
        QCOMPARE(medium->GetName(), QStringLiteral("Rock"));
        QVERIFY(medium->IsOffline());

        CRsMedienNamen names(m_w.db());
        QVERIFY(names.OpenByName(QStringLiteral("Rock")));
        QCOMPARE(names.m_ID, medium->GetID());
        CRsMedienUser users(m_w.db());
        QVERIFY(users.Open());
        QVERIFY(!users.IsEOF());
        QCOMPARE(users.m_MediumID, medium->GetID());
        QCOMPARE(users.m_UserID, User);
        QCOMPARE(users.m_Drive + users.m_Path, music);
        QCOMPARE(users.m_Offline, 1);
        QCOMPARE(CKivMediumHeaderFile::Read(music).name, QStringLiteral("Rock"));

        // Opened again, the stored medium keeps its name.
        CKivMediumForm form(m_w.db(), *medium);
        CKivMediumDlg again(form);
        QVERIFY(!child<QLineEdit>(&again, "name")->isEnabled());
        QCOMPARE(child<QLineEdit>(&again, "path")->text(), medium->GetPath());
    }

    void aFolderHoldingAnotherMediumIsRefusedAndCancelSavesNothing()
    {
        const QString music = m_w.folder(QStringLiteral("fremd"));
        QVERIFY(CKivMediumHeaderFile::Write(music, QStringLiteral("Jazz")));
        std::unique_ptr<CKivMedium> medium = CKivMedium::NewDisk(User);
        CKivMediumForm form(m_w.db(), *medium);
        CKivMediumDlg dialog(form);
        dialog.show();
        typeName(dialog, QStringLiteral("Rock"));
        chooseFolder(dialog, music);
        pressOk(dialog);
        QCOMPARE(m_w.ui.messages().size(), 1);
        QVERIFY(m_w.ui.messages().first().text.contains(QStringLiteral("(Jazz)")));
        QVERIFY(dialog.isVisible());
        QTest::mouseClick(child<QPushButton>(&dialog, "cancel"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(rows(QStringLiteral("MedienNamen")), 0);
        QCOMPARE(medium->GetName(), QStringLiteral("Neues Medium"));
    }

    void headerIsRecreatedOnlyAfterYes()
    {
        const QString music = m_w.folder(QStringLiteral("kopf"));
        std::unique_ptr<CKivMedium> medium = CKivMedium::NewDisk(User);
        CKivMediumForm form(m_w.db(), *medium);
        CKivMediumDlg dialog(form);
        dialog.show();
        typeName(dialog, QStringLiteral("Pop"));
        chooseFolder(dialog, music);
        m_w.ui.answers = {KivAnswer::No};
        QTest::mouseClick(child<QPushButton>(&dialog, "createHeader"), Qt::LeftButton);
        QCOMPARE(m_w.ui.messages().size(), 1);
        QCOMPARE(m_w.ui.messages().first().caption, QStringLiteral("Sicherheitsabfrage !"));
        QCOMPARE(m_w.ui.messages().first().buttons, KivButtons::YesNo);
        QVERIFY(!QFile::exists(music + QStringLiteral("MediumHeader.med")));
        m_w.ui.answers = {KivAnswer::Yes};
        QTest::mouseClick(child<QPushButton>(&dialog, "createHeader"), Qt::LeftButton);
        QCOMPARE(CKivMediumHeaderFile::Read(music).name, QStringLiteral("Pop"));
    }
};

int runMediumDlgTest(int argc, char **argv)
{
    MediumDlgTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MediumDlgTest.moc"
