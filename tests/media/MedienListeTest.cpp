#include "support/TestRegistry.h"

#include "media/DriveType.h"
#include "media/MediaFixture.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "media/MediumForm.h"
#include "media/MediumName.h"

// The user's media set: loading every catalog medium as this user sees it, finding by name, and
// creating media with and without the dialog.
class MedienListeTest : public QObject
{
    Q_OBJECT

    MediaFixture m_f;
    static constexpr int User = MediaWorkspace::User;

    QString taken() const { return QStringLiteral("Mediumname ist bereits vergeben oder ungültig!"); }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_f.recreate());
    }

    void loadsEveryMediumInRowOrderAsTheUserSeesIt()
    {
        const QString mine = m_f.folder(QStringLiteral("mine"));
        MediaFixture::writeHeader(mine, QStringLiteral("Mine"));
        const qint32 mineId = m_f.insertName(QStringLiteral("Mine"));
        m_f.insertAssignment(mineId, User, QStringLiteral("/"), mine.mid(1));
        const qint32 friendId = m_f.insertName(QStringLiteral("Friend's"));
        m_f.insertAssignment(friendId, 2, QStringLiteral("/"), mine.mid(1));
        const qint32 cdId = m_f.insertName(QStringLiteral("CD:\\Pop"), 1);
        m_f.insertCdRow(cdId, QStringLiteral("123"));

        CKivMedienListe media(User, QStringLiteral("/media/cdrom/"));
        QVERIFY(media.Load(m_f.db()));
        QCOMPARE(media.Count(), 3);
        QCOMPARE(media.At(0)->GetName(), QStringLiteral("Mine"));
        QCOMPARE(media.At(0)->GetState(), int(CKivMedium::Online));
        QCOMPARE(media.At(1)->GetName(), QStringLiteral("Friend's"));
        QCOMPARE(media.At(1)->GetState(), int(CKivMedium::NotAssigned));
        QVERIFY(!media.At(1)->IsUsersMedium());
        QCOMPARE(media.At(2)->GetName(), QStringLiteral("CD:\\Pop"));
        QVERIFY(media.At(2)->IsCd());
        QCOMPARE(media.At(2)->GetState(), int(CKivMedium::Offline));
        QCOMPARE(media.At(2)->GetRoot(), QStringLiteral("/media/cdrom/"));
        QVERIFY(!media.At(3));

        QCOMPARE(media.FindMedium(QStringLiteral("Friend's")), media.At(1));
        QVERIFY(!media.FindMedium(QStringLiteral("mine")));

        // Loading again replaces the set.
        QVERIFY(media.Load(m_f.db()));
        QCOMPARE(media.Count(), 3);
    }

    void createsTheFirstMediumFromANameAndAFolder()
    {
        m_f.drives.addMount(m_f.dir.path(), KivDriveType::Removable);
        const QString root = m_f.folder(QStringLiteral("first"));
        CKivMedienListe media(User, QString());
        CKivMedium *medium = media.CreateFromFolder(m_f.db(), QStringLiteral("Musik"), root);
        QVERIFY(medium);
        QCOMPARE(medium->GetDrive(), m_f.dir.path() + QLatin1Char('/'));
        QCOMPARE(medium->GetPath(), QStringLiteral("first/"));
        QCOMPARE(medium->GetDriveType(), int(KivDriveType::Removable));
        QCOMPARE(medium->GetState(), int(CKivMedium::Online));
        QCOMPARE(MediaFixture::headerName(root), QStringLiteral("Musik"));
        QCOMPARE(media.FindMedium(QStringLiteral("Musik")), medium);
        QVERIFY(m_f.ui.messages().isEmpty());
    }

    void refusesTakenReservedAndOverlongNamesWithoutADialog()
    {
        CKivMedienListe media(User, QString());
        QVERIFY(media.CreateFromFolder(m_f.db(), QStringLiteral("Musik"), m_f.folder(QStringLiteral("a"))));
        for (const QString &name : {QStringLiteral("Musik"), QStringLiteral("CD:\\"), QStringLiteral("CD:\\Pop"),
                                    QStringLiteral("CD"), QString()}) {
            m_f.ui.clear();
            QVERIFY(!media.CreateFromFolder(m_f.db(), name, m_f.folder(QStringLiteral("b"))));
            QCOMPARE(m_f.told(taken(), QStringLiteral("Warnung !")), 1);
        }
        m_f.ui.clear();
        QVERIFY(!media.CreateFromFolder(m_f.db(), QString(100, QLatin1Char('n')), m_f.folder(QStringLiteral("c"))));
        QCOMPARE(m_f.told(KivMediumName::tooLongText(), QStringLiteral("Warnung !")), 1);

        // A folder that is no absolute path cannot take the header file.
        m_f.ui.clear();
        QVERIFY(!media.CreateFromFolder(m_f.db(), QStringLiteral("Relativ"), QStringLiteral("Musik/Rock")));
        QCOMPARE(m_f.mediumNames(), QStringList{QStringLiteral("Musik")});
        QCOMPARE(media.Count(), 1);
        QVERIFY(!QFile::exists(CKivMediumHeaderFile::PathIn(QString())));
    }

    void createsANewMediumThroughTheDialogOnlyWhenConfirmed()
    {
        CKivMedienListe media(User, QString());
        QVERIFY(!media.CreateNew(m_f.db(), [](CKivMediumForm &) { return false; }));
        QCOMPARE(media.Count(), 0);

        const QString root = m_f.folder(QStringLiteral("dialog"));
        CKivMedium *medium = media.CreateNew(m_f.db(), [&](CKivMediumForm &form) {
            if (!form.IsNameEditable() || form.Name() != QStringLiteral("Neues Medium"))
                return false;
            form.SetName(QStringLiteral("Dialog"));
            form.ChooseFolder(root);
            return form.Accept();
        });
        QVERIFY(medium);
        QCOMPARE(medium->GetState(), int(CKivMedium::Online));
        QCOMPARE(media.Count(), 1);
        QCOMPARE(m_f.mediumNames(), QStringList{QStringLiteral("Dialog")});
    }
};

MELVORA_TEST(MedienListeTest, CatalogFixture::isolateOdbcIni);

#include "MedienListeTest.moc"
