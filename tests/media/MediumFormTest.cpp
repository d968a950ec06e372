#include "support/TestRegistry.h"

#include "media/DriveType.h"
#include "media/MediaFixture.h"
#include "media/Medium.h"
#include "media/MediumForm.h"
#include "media/MediumName.h"

// What the medium dialog decides: the folder split, the checks of "OK" in their order, a refused
// save that leaves the medium untouched, and re-creating the header only after the question.
class MediumFormTest : public QObject
{
    Q_OBJECT

    MediaFixture m_f;
    static constexpr int User = MediaWorkspace::User;

    void expectRefusal(CKivMediumForm &form, const QString &text, const QString &caption)
    {
        m_f.ui.clear();
        QVERIFY(!form.Accept());
        QCOMPARE(m_f.ui.messages().size(), 1);
        QCOMPARE(m_f.ui.messages().first().text, text);
        QCOMPARE(m_f.ui.messages().first().caption, caption);
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_f.recreate());
    }

    void choosingANetworkFolderSplitsAtItsMountPoint()
    {
        m_f.drives.addMount(QStringLiteral("/mnt/server"), KivDriveType::Remote);
        std::unique_ptr<CKivMedium> medium = CKivMedium::NewDisk(User);
        CKivMediumForm form(m_f.db(), *medium);
        form.ChooseFolder(QStringLiteral("/mnt/server/musik"));
        QCOMPARE(form.Drive(), QStringLiteral("/mnt/server/"));
        QCOMPARE(form.Path(), QStringLiteral("musik/"));
        QCOMPARE(form.DriveType(), int(KivDriveType::Remote));
        form.ChooseFolder(QStringLiteral("musik"));
        QVERIFY(form.Drive().isEmpty() && form.Path().isEmpty());
    }

    void okChecksInOrder()
    {
        m_f.drives.addMount(m_f.dir.filePath(QStringLiteral("cd")), KivDriveType::CdRom);
        QVERIFY(m_f.insertName(QStringLiteral("Vergeben")) > 0);
        std::unique_ptr<CKivMedium> medium = CKivMedium::NewDisk(User);
        CKivMediumForm form(m_f.db(), *medium);
        const QString incomplete = QStringLiteral("Daten unvollständig !");

        form.SetName(QString());
        form.SetDrive(QString());
        expectRefusal(form, QStringLiteral("Sie müssen einen Namen für das Medium festlegen."), incomplete);
        form.SetName(QStringLiteral("Vergeben"));
        expectRefusal(form, QStringLiteral("Sie müssen ein Laufwerk und ein Verzeichniss für das Medium festlegen."),
                      incomplete);
        form.ChooseFolder(m_f.folder(QStringLiteral("cd")));
        expectRefusal(form, QStringLiteral("CD Laufwerke sind keine gültigen Speicherorte für Medien."),
                      QStringLiteral("Warnung !"));
        form.ChooseFolder(m_f.folder(QStringLiteral("disk")));
        const QString taken = QStringLiteral("Mediumname ist bereits vergeben oder ungültig!");
        expectRefusal(form, taken, QStringLiteral("Warnung !"));
        form.SetName(QStringLiteral("CD:\\"));
        expectRefusal(form, taken, QStringLiteral("Warnung !"));
        form.SetName(QStringLiteral("CD:\\Disk"));
        expectRefusal(form, taken, QStringLiteral("Warnung !"));
        form.SetName(QString(100, QLatin1Char('d')));
        expectRefusal(form, KivMediumName::tooLongText(), QStringLiteral("Warnung !"));

        form.SetName(QStringLiteral("Disk"));
        form.SetOffline(true);
        m_f.ui.clear();
        QVERIFY(form.Accept());
        QVERIFY(m_f.ui.messages().isEmpty());
        QCOMPARE(medium->GetName(), QStringLiteral("Disk"));
        QVERIFY(medium->IsOffline());
        QCOMPARE(MediaFixture::headerName(medium->GetRoot()), QStringLiteral("Disk"));
    }

    void aRefusedSaveLeavesTheMediumAsItWas()
    {
        const QString root = m_f.folder(QStringLiteral("other"));
        MediaFixture::writeHeader(root, QStringLiteral("Fremd"));
        std::unique_ptr<CKivMedium> medium = CKivMedium::NewDisk(User);
        CKivMediumForm form(m_f.db(), *medium);
        form.SetName(QStringLiteral("Meins"));
        form.ChooseFolder(root);
        QVERIFY(!form.Accept());
        QCOMPARE(medium->GetID(), -1);
        QCOMPARE(medium->GetName(), QStringLiteral("Neues Medium"));
        QCOMPARE(medium->GetRoot(), QStringLiteral("/"));
        QVERIFY(m_f.mediumNames().isEmpty());
        // The form still holds what the user entered.
        QCOMPARE(form.Name(), QStringLiteral("Meins"));
    }

    void recreatingTheHeaderAsksFirst()
    {
        const QString root = m_f.folder(QStringLiteral("header"));
        std::unique_ptr<CKivMedium> medium = CKivMedium::NewDisk(User);
        CKivMediumForm form(m_f.db(), *medium);
        form.SetName(QStringLiteral("Kopf"));
        form.ChooseFolder(root);

        m_f.ui.answers = {KivAnswer::No};
        QVERIFY(!form.RecreateHeader());
        QCOMPARE(m_f.ui.messages().value(0).caption, QStringLiteral("Sicherheitsabfrage !"));
        QCOMPARE(m_f.ui.messages().value(0).buttons, KivButtons::YesNo);
        QVERIFY(!CKivMediumHeaderFile::Exists(root));

        m_f.ui.answers = {KivAnswer::Yes};
        QVERIFY(form.RecreateHeader());
        QCOMPARE(MediaFixture::headerName(root), QStringLiteral("Kopf"));
        // Saving finds its own header there and accepts it.
        QVERIFY(form.Accept());
    }
};

MELVORA_TEST(MediumFormTest, CatalogFixture::isolateOdbcIni);

#include "MediumFormTest.moc"
