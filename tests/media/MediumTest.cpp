#include "support/TestRegistry.h"

#include "media/DriveType.h"
#include "media/MediaFixture.h"
#include "media/Medium.h"
#include "media/MediumName.h"
#include "media/MediumRoot.h"
#include "support/TestFiles.h"

// One medium against the catalog and its folder: the online states, saving with the header check,
// the name rules and removing the user's assignment.
class MediumTest : public QObject
{
    Q_OBJECT

    MediaFixture m_f;
    static constexpr int User = MediaWorkspace::User;

    std::unique_ptr<CKivMedium> loaded(const QString &name, int user = User)
    {
        const std::unique_ptr<CRsMedienNamen> row = m_f.nameRow(name);
        return row ? CKivMedium::FromRow(m_f.db(), *row, user, m_f.catalog.settings().GetCdDrive()) : nullptr;
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_f.recreate());
    }

    void onlineOnlyWithItsOwnNameInTheHeader()
    {
        const QString root = m_f.folder(QStringLiteral("rock"));
        std::unique_ptr<CKivMedium> rock = m_f.medium(QStringLiteral("Rock"), root);
        QVERIFY(rock);
        QCOMPARE(MediaFixture::headerName(root), QStringLiteral("Rock"));
        QCOMPARE(rock->CheckOnline(), int(CKivMedium::Online));

        // Another medium on the same folder, stored without the check: its name differs in case only.
        std::unique_ptr<CKivMedium> lower = CKivMedium::NewDisk(User);
        QVERIFY(lower->SetName(QStringLiteral("rock")));
        lower->SetDrive(QStringLiteral("/"));
        lower->SetPath(root);
        QVERIFY(lower->Save(m_f.db(), false));
        QCOMPARE(lower->GetRoot(), root);
        QCOMPARE(lower->CheckOnline(), int(CKivMedium::Offline));

        // As loaded from the catalog, too.
        QCOMPARE(loaded(QStringLiteral("Rock"))->CheckOnline(), int(CKivMedium::Online));
        QCOMPARE(loaded(QStringLiteral("rock"))->CheckOnline(), int(CKivMedium::Offline));
    }

    void offlineFlagMissingDriveAndBrokenHeadersMeanOffline()
    {
        const QString root = m_f.folder(QStringLiteral("flag"));
        std::unique_ptr<CKivMedium> medium = m_f.medium(QStringLiteral("Flag"), root);
        QVERIFY(medium);
        medium->SetOffline(true);
        QCOMPARE(medium->CheckOnline(), int(CKivMedium::Offline));
        medium->SetOffline(false);
        QCOMPARE(medium->CheckOnline(), int(CKivMedium::Online));

        // An unplugged drive: the layer says so and the header is not even looked for.
        m_f.drives.setMissing(QStringLiteral("/"));
        QCOMPARE(medium->CheckOnline(), int(CKivMedium::Offline));
        m_f.drives.setMissing(QStringLiteral("/"), false);

        for (const QByteArray &bytes : {QByteArray(), QByteArray("Flag"), QByteArray(299, '\0').prepend("Fla")}) {
            QVERIFY(TestFiles::write(CKivMediumHeaderFile::PathIn(root), bytes));
            QCOMPARE(medium->CheckOnline(), int(CKivMedium::Offline));
        }
        QFile::remove(CKivMediumHeaderFile::PathIn(root));
        QCOMPARE(medium->CheckOnline(), int(CKivMedium::Offline));
    }

    void aMediumWithoutTheUsersAssignmentIsNotAssigned()
    {
        const QString root = m_f.folder(QStringLiteral("friend"));
        QVERIFY(m_f.medium(QStringLiteral("Friend"), root));
        std::unique_ptr<CKivMedium> other = loaded(QStringLiteral("Friend"), 2);
        QCOMPARE(other->GetAssignmentID(), -1);
        QCOMPARE(other->GetDrive(), KivMediumRoot::defaultDrive());
        QVERIFY(other->GetPath().isEmpty());
        QCOMPARE(other->CheckOnline(), int(CKivMedium::NotAssigned));
        QVERIFY(!other->IsUsersMedium());

        // Giving it a root of the user's own adds his assignment; the first user's row stays.
        other->SetDrive(QStringLiteral("/"));
        other->SetPath(root);
        QVERIFY(other->Save(m_f.db(), true));
        QVERIFY(other->GetAssignmentID() > 0);
        QCOMPARE(m_f.rowCount<CRsMedienUser>(), 2);
        QCOMPARE(loaded(QStringLiteral("Friend"), 2)->CheckOnline(), int(CKivMedium::Online));
    }

    void cdMediaStartOfflineAndOnlyTheCdManagerPutsThemOnline()
    {
        const QString cdRoot = m_f.folder(QStringLiteral("cdrom"));
        m_f.catalog.settings().SetCdDrive(cdRoot);
        MediaFixture::writeHeader(cdRoot, QStringLiteral("CD:\\Pop"));
        const qint32 id = m_f.insertName(QStringLiteral("CD:\\Pop"), 1);
        m_f.insertCdRow(id, QStringLiteral("700000000"));

        std::unique_ptr<CKivMedium> cd = loaded(QStringLiteral("CD:\\Pop"));
        QVERIFY(cd->IsCd());
        QVERIFY(cd->IsUsersMedium());
        QCOMPARE(cd->GetAssignmentID(), 0);
        QCOMPARE(cd->GetDriveType(), int(KivDriveType::CdRom));
        QCOMPARE(cd->GetRoot(), cdRoot);
        QCOMPARE(cd->GetVolumeSize(), QStringLiteral("700000000"));
        QVERIFY(cd->HasVolumeSize());
        QVERIFY(cd->IsOffline());
        QCOMPARE(cd->CheckOnline(), int(CKivMedium::Offline));

        cd->SetCdState(CKivMedium::Online);
        QVERIFY(!cd->IsOffline());
        QCOMPARE(cd->CheckOnline(), int(CKivMedium::Online));
        cd->SetCdState(CKivMedium::NotAssigned);
        QVERIFY(cd->IsOffline());
        QCOMPARE(cd->GetState(), int(CKivMedium::NotAssigned));

        QVERIFY(!cd->RemoveAssignment(m_f.db()));
        QVERIFY(!cd->Save(m_f.db(), true));

        // Disk media ignore the CD state.
        std::unique_ptr<CKivMedium> disk = CKivMedium::NewDisk(User);
        disk->SetCdState(CKivMedium::Online);
        QCOMPARE(disk->GetState(), int(CKivMedium::NotAssigned));
    }

    void saveRefusesAFolderHoldingAnotherMediumsHeader()
    {
        const QString root = m_f.folder(QStringLiteral("taken"));
        MediaFixture::writeHeader(root, QStringLiteral("Jazz"));
        QVERIFY(!m_f.medium(QStringLiteral("Rock"), root));
        QCOMPARE(m_f.told(QStringLiteral("Der von Ihnen gewählte MediumPath ist ungültig,\nda bereits ein Medium "
                                            "mit dem Namen: (Jazz)\nan dieser Stelle exsistiert."),
                             QStringLiteral("Warnung !")), 1);
        QVERIFY(m_f.mediumNames().isEmpty());
        QCOMPARE(MediaFixture::headerName(root), QStringLiteral("Jazz"));

        // The same folder carrying the medium's own header is accepted and keeps it.
        QVERIFY(m_f.medium(QStringLiteral("Jazz"), root));
        QCOMPARE(m_f.mediumNames(), QStringList{QStringLiteral("Jazz")});
    }

    void saveStoresBothRowsAndTheHeader()
    {
        const QString root = m_f.folder(QStringLiteral("new"));
        std::unique_ptr<CKivMedium> medium = m_f.medium(QStringLiteral("Rock'n'Roll"), root);
        QVERIFY(medium);
        QVERIFY(medium->GetID() > 0);
        CRsMedienUser users(m_f.db());
        QVERIFY(users.OpenByMediumAndUser(medium->GetID(), User));
        QCOMPARE(users.m_ID, medium->GetAssignmentID());
        QCOMPARE(users.m_Drive + users.m_Path, root);
        QCOMPARE(users.m_DriveType, int(KivDriveType::Fixed));
        QCOMPARE(users.m_Offline, 0);
        QCOMPARE(MediaFixture::headerName(root), QStringLiteral("Rock'n'Roll"));

        // Changing a stored medium's root edits the row, never adds one.
        const QString moved = m_f.folder(QStringLiteral("moved"));
        medium->SetPath(moved);
        medium->SetOffline(true);
        QVERIFY(medium->Save(m_f.db(), false));
        QCOMPARE(m_f.rowCount<CRsMedienUser>(), 1);
        QVERIFY(users.OpenByMediumAndUser(medium->GetID(), User));
        QCOMPARE(users.m_Drive + users.m_Path, moved);
        QCOMPARE(users.m_Offline, 1);
    }

    void aSaveWhoseHeaderCannotBeWrittenStoresNothing()
    {
        const QString root = m_f.dir.filePath(QStringLiteral("not-there/"));
        QVERIFY(!m_f.medium(QStringLiteral("Rock"), root));
        QCOMPARE(m_f.told(QStringLiteral("Beim Öffnen oder Speichern der Datei ist ein Fehler aufgetreten !"),
                             QStringLiteral("Warnung")), 1);
        QVERIFY(m_f.mediumNames().isEmpty());
        QCOMPARE(m_f.rowCount<CRsMedienUser>(), 0);

        // The name is still free once the folder exists.
        QDir().mkpath(root);
        QVERIFY(m_f.medium(QStringLiteral("Rock"), root));
    }

    void aNameAlreadyStoredIsNotStoredTwice()
    {
        QVERIFY(m_f.medium(QStringLiteral("Rock"), m_f.folder(QStringLiteral("one"))));
        const QString two = m_f.folder(QStringLiteral("two"));
        QVERIFY(!m_f.medium(QStringLiteral("Rock"), two));
        QCOMPARE(m_f.told(QStringLiteral("Beim Speichern des Mediums ist ein Fehler aufgetretten. Medium konnte "
                                            "nicht erstellt oder geändert werden !"),
                             QStringLiteral("Warnung !")), 1);
        QVERIFY(!CKivMediumHeaderFile::Exists(two));
        QCOMPARE(m_f.mediumNames(), QStringList{QStringLiteral("Rock")});
        QCOMPARE(m_f.rowCount<CRsMedienUser>(), 1);
    }

    void nameRules()
    {
        std::unique_ptr<CKivMedium> medium = CKivMedium::NewDisk(User);
        QCOMPARE(medium->GetName(), QStringLiteral("Neues Medium"));
        for (const QString &name : {QString(), QStringLiteral("CD"), QStringLiteral("CD:\\"), QStringLiteral("CD:\\Pop")}) {
            m_f.ui.clear();
            QVERIFY(!medium->SetName(name));
            QCOMPARE(m_f.ui.messages().value(0).text, QStringLiteral("Der von Ihnen gewählte Mediumname ist ungültig!"));
            QCOMPARE(m_f.ui.messages().value(0).caption, QStringLiteral("Warnung:"));
        }
        m_f.ui.clear();
        QVERIFY(!medium->SetName(QString(100, QLatin1Char('x'))));
        QCOMPARE(m_f.ui.messages().value(0).text, KivMediumName::tooLongText());
        QVERIFY(!medium->SetName(QString(34, QChar(0x97F3))));
        QCOMPARE(medium->GetName(), QStringLiteral("Neues Medium"));
        QVERIFY(medium->SetName(QString(99, QLatin1Char('x'))));

        std::unique_ptr<CKivMedium> cd = CKivMedium::NewCd(User, QStringLiteral("/media/cdrom/"));
        QVERIFY(cd->SetName(QStringLiteral("CD:\\Pop")));
        QVERIFY(!cd->SetName(QStringLiteral("CD:\\")));

        std::unique_ptr<CKivMedium> stored = m_f.medium(QStringLiteral("Rock"), m_f.folder(QStringLiteral("named")));
        m_f.ui.clear();
        QVERIFY(!stored->SetName(QStringLiteral("Pop")));
        QCOMPARE(m_f.ui.messages().value(0).caption, QStringLiteral("Benutzerfehler:"));
        QCOMPARE(stored->GetName(), QStringLiteral("Rock"));
    }

    void aStoredNameTooLongForTheHeaderIsNeverWrittenCut()
    {
        const QString root = m_f.folder(QStringLiteral("long"));
        const QString name(120, QLatin1Char('L'));
        const qint32 id = m_f.insertName(name);
        m_f.insertAssignment(id, User, QStringLiteral("/"), root.mid(1));
        std::unique_ptr<CKivMedium> medium = loaded(name);
        QVERIFY(!medium->WriteHeaderFile());
        QCOMPARE(m_f.ui.messages().value(0).text, KivMediumName::tooLongText());
        QVERIFY(!CKivMediumHeaderFile::Exists(root));
        QCOMPARE(medium->CheckOnline(), int(CKivMedium::Offline));
    }

    void removingTheAssignmentPutsTheMediumBackOnTheDefaultRoot()
    {
        const QString root = m_f.folder(QStringLiteral("remove"));
        std::unique_ptr<CKivMedium> medium = m_f.medium(QStringLiteral("Rock"), root);
        QCOMPARE(medium->CheckOnline(), int(CKivMedium::Online));
        QVERIFY(medium->RemoveAssignment(m_f.db()));
        QCOMPARE(medium->GetAssignmentID(), -1);
        QCOMPARE(medium->GetDrive(), QStringLiteral("/"));
        QCOMPARE(medium->GetRoot(), QStringLiteral("/"));
        QVERIFY(medium->GetPath().isEmpty());
        QCOMPARE(medium->GetDriveType(), int(KivDriveType::Unknown));
        QCOMPARE(medium->GetState(), int(CKivMedium::NotAssigned));
        QCOMPARE(m_f.rowCount<CRsMedienUser>(), 0);
        QCOMPARE(m_f.mediumNames(), QStringList{QStringLiteral("Rock")});
        QCOMPARE(loaded(QStringLiteral("Rock"))->CheckOnline(), int(CKivMedium::NotAssigned));
    }

    void rootsAlwaysEndWithTheSeparator()
    {
        std::unique_ptr<CKivMedium> medium = CKivMedium::NewDisk(User);
        medium->SetDrive(QStringLiteral("/mnt/usb"));
        medium->SetPath(QStringLiteral("/Musik/Rock"));
        QCOMPARE(medium->GetRoot(), QStringLiteral("/mnt/usb/Musik/Rock/"));
        medium->SetPath(QString());
        QCOMPARE(medium->GetRoot(), QStringLiteral("/mnt/usb/"));
    }

    void aRootWrittenOnAnotherSystemIsOffline()
    {
        const qint32 id = m_f.insertName(QStringLiteral("Windows"));
        m_f.insertAssignment(id, User, QStringLiteral("E:\\"), QStringLiteral("Musik\\"));
        std::unique_ptr<CKivMedium> medium = loaded(QStringLiteral("Windows"));
        QCOMPARE(medium->GetRoot(), QStringLiteral("E:\\Musik\\"));
        QCOMPARE(medium->CheckOnline(), int(CKivMedium::Offline));
    }
};

MELVORA_TEST(MediumTest, CatalogFixture::isolateOdbcIni);

#include "MediumTest.moc"
