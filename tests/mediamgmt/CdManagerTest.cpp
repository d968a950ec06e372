#include "MgmtFixture.h"

#include "catalog/RsCDs.h"
#include "media/DriveType.h"
#include "media/cd/CdManager.h"
#include "media/cd/CdMediumForm.h"
#include "support/TestRegistry.h"

#include <QSignalSpy>

class CdManagerTest : public QObject
{
    Q_OBJECT

    MgmtFixture f;
    QString m_drive;
    std::unique_ptr<CKivMedienListe> m_media;
    std::unique_ptr<CKivCdManager> m_manager;

    static QString newCdQuestion()
    {
        return QStringLiteral("Es wurde eine neue CD gefunden ! Wollen Sie Sie als MediumCD\nin die Datenbank aufnehmen ?");
    }

    void storeCd(const QString &name, const QString &size)
    {
        std::unique_ptr<CKivMedium> cd = CKivMedium::NewCd(MgmtFixture::User, m_drive);
        QVERIFY(cd->SetName(name));
        cd->SetHasVolumeSize(true);
        cd->SetVolumeSize(size);
        QVERIFY(cd->SaveCd(f.db()));
    }

    // A disc of size bytes in the drive, with a header naming headerName when given.
    void insertDisc(qint64 size, const QString &headerName = QString())
    {
        QFile::remove(CKivMediumHeaderFile::PathIn(m_drive));
        if (!headerName.isEmpty())
            QVERIFY(CKivMediumHeaderFile::Write(m_drive, headerName));
        f.drives.addMount(m_drive, KivDriveType::CdRom, size);
    }

    void start()
    {
        m_media = f.load(MgmtFixture::User, m_drive);
        m_manager = std::make_unique<CKivCdManager>(f.db());
        m_manager->SetDrive(m_drive);
        m_manager->SetMedia(m_media.get());
        m_manager->Start();
    }

    int questions() const { return f.ui.count(QStringLiteral("Neue CD gefunden")); }
    CKivMedium *cd(const QString &name) const { return m_media->FindMedium(name); }

private Q_SLOTS:
    void init()
    {
        m_manager.reset();
        m_media.reset();
        QVERIFY(f.recreate());
        m_drive = f.folder(QStringLiteral("cdrom"));
        f.ui.fallback = KivAnswer::No;
    }
    void cleanupTestCase()
    {
        m_manager.reset();
        m_media.reset();
    }

    void noDiscNoQuestion()
    {
        start();
        QCOMPARE(m_manager->GetLabel(), QStringLiteral("Keine CD"));
        QCOMPARE(m_manager->GetState(), int(CKivCdManager::NoCd));
        QVERIFY(f.ui.messages().isEmpty());
        QVERIFY(m_manager->IsRunning());
        QVERIFY(!m_manager->CreateCdMedium());
        QCOMPARE(f.told(QStringLiteral("MediumCD kann nicht erstellt werden, da sich keine CD im Laufwerk befindet !"),
                        QStringLiteral("Warnung !")),
                 1);
    }

    // Without a header a disc is known by its size: two discs of the same size are the same medium.
    void recognisedBySize()
    {
        storeCd(QStringLiteral("CD:\\Rock"), QStringLiteral("700000"));
        insertDisc(700000);
        start();
        QCOMPARE(m_manager->GetLabel(), QStringLiteral("CD:\\Rock"));
        QCOMPARE(m_manager->GetState(), int(CKivCdManager::KnownCd));
        QCOMPARE(cd(QStringLiteral("CD:\\Rock"))->GetState(), int(CKivMedium::Online));
        QCOMPARE(m_manager->CdsToShow(false).size(), size_t(1));

        // Another disc of the same size: nothing changes.
        insertDisc(700000);
        m_manager->Tick();
        QCOMPARE(m_manager->GetLabel(), QStringLiteral("CD:\\Rock"));
        QCOMPARE(questions(), 0);

        // The disc goes: the medium goes offline.
        f.drives.addMount(m_drive, KivDriveType::Fixed, 0);
        QSignalSpy changed(m_manager.get(), &CKivCdManager::cdChanged);
        m_manager->Tick();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(m_manager->GetLabel(), QStringLiteral("Keine CD"));
        QCOMPARE(cd(QStringLiteral("CD:\\Rock"))->GetState(), int(CKivMedium::Offline));
        QVERIFY(m_manager->CdsToShow(false).empty());
        QCOMPARE(m_manager->CdsToShow(true).size(), size_t(1));
    }

    // A header naming a stored CD medium wins over a size that differs; a header naming a disk
    // medium counts as not found.
    void recognisedByHeaderName_data()
    {
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("questions");
        QTest::newRow("CD medium") << QStringLiteral("CD:\\Jazz") << QStringLiteral("CD:\\Jazz") << 0;
        QTest::newRow("disk medium") << QStringLiteral("Platte") << QStringLiteral("Unbekannte CD") << 1;
        QTest::newRow("unknown name") << QStringLiteral("Wer") << QStringLiteral("Unbekannte CD") << 1;
    }
    void recognisedByHeaderName()
    {
        QFETCH(QString, header);
        QFETCH(QString, label);
        QFETCH(int, questions);
        storeCd(QStringLiteral("CD:\\Jazz"), QStringLiteral("111"));
        QVERIFY(f.medium(QStringLiteral("Platte"), f.folder(QStringLiteral("platte"))));
        insertDisc(222, header);
        start();
        QCOMPARE(m_manager->GetLabel(), label);
        QCOMPARE(this->questions(), questions);
    }

    // "No" is not asked again by the poll for the same disc, but after a disc change or when the
    // media are set anew.
    void unknownCdAskedOncePerDisc()
    {
        insertDisc(5000);
        start();
        QCOMPARE(questions(), 1);
        QCOMPARE(f.told(newCdQuestion(), QStringLiteral("Neue CD gefunden")), 1);
        QCOMPARE(m_manager->GetLabel(), QStringLiteral("Unbekannte CD"));
        QCOMPARE(m_manager->GetState(), int(CKivCdManager::UnknownCd));
        m_manager->Tick();
        m_manager->Tick();
        QCOMPARE(questions(), 1);
        m_manager->SetMedia(m_media.get());
        QCOMPARE(questions(), 2);
        insertDisc(6000);
        m_manager->Tick();
        QCOMPARE(questions(), 3);
        QVERIFY(m_manager->IsRunning());
    }

    // "Yes" registers the disc through the CD medium dialog: the name typed gets the CD prefix.
    void newCdBecomesAMedium()
    {
        insertDisc(123456);
        f.ui.answers = {KivAnswer::Yes};
        m_media = f.load(MgmtFixture::User, m_drive);
        m_manager = std::make_unique<CKivCdManager>(f.db());
        m_manager->SetDrive(m_drive);
        m_manager->SetMedia(m_media.get());
        QString shownName, shownStatus;
        m_manager->SetDialogRunner([&](CKivCdMediumForm &form) {
            shownName = form.MediumNameLine();
            shownStatus = form.StatusText();
            form.SetNameField(QStringLiteral("Pop"));
            return form.Accept();
        });
        m_manager->Start();
        QCOMPARE(shownName, QStringLiteral("CD:\\Neue CD"));
        QCOMPARE(shownStatus, QStringLiteral("Neue CD gefunden."));
        QCOMPARE(m_manager->GetLabel(), QStringLiteral("CD:\\Pop"));
        QCOMPARE(m_manager->GetState(), int(CKivCdManager::KnownCd));
        CKivMedium *pop = cd(QStringLiteral("CD:\\Pop"));
        QVERIFY(pop);
        QCOMPARE(pop->GetState(), int(CKivMedium::Online));
        CRsCDs cds(f.db());
        QVERIFY(cds.OpenByMediumId(pop->GetID()));
        QCOMPARE(cds.m_VolumeSize, QStringLiteral("123456"));
        cds.Close();
        QVERIFY(!m_manager->CreateCdMedium());
        QCOMPARE(f.told(QStringLiteral("MediumCD kann nicht erstellt werden, da Sie bereits exsistiert !"),
                        QStringLiteral("Warnung !")),
                 1);
    }

    // The dialog refuses a taken name and the bare prefix.
    void cdFormRefusesTakenNames_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("taken") << QStringLiteral("Rock");
        QTest::newRow("empty") << QString();
    }
    void cdFormRefusesTakenNames()
    {
        QFETCH(QString, typed);
        storeCd(QStringLiteral("CD:\\Rock"), QStringLiteral("1"));
        std::unique_ptr<CKivMedium> medium = CKivMedium::NewCd(MgmtFixture::User, m_drive);
        CKivCdMediumForm form(f.db(), *medium, true);
        form.SetNameField(typed);
        QVERIFY(!form.Accept());
        QCOMPARE(f.told(QStringLiteral("Mediumname ist bereits vergeben oder ungültig!"), QStringLiteral("Warnung !")), 1);
        QCOMPARE(medium->GetID(), -1);
    }
};

MELVORA_TEST(CdManagerTest);
#include "CdManagerTest.moc"
