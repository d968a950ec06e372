#include "MgmtFixture.h"

#include "media/MediumForm.h"
#include "media/catalog/MediaCatalog.h"
#include "support/TestRegistry.h"

class CatalogListsTest : public QObject
{
    Q_OBJECT

    MgmtFixture f;
    static constexpr int Friend = 2;

    static QStringList userNames(const CKivMediaCatalog &catalog)
    {
        QStringList names;
        for (const auto &entry : catalog.UserMedia())
            names << entry.medium->GetName();
        return names;
    }
    static QStringList catalogNames(const CKivMediaCatalog &catalog)
    {
        QStringList names;
        for (const CKivMedium *medium : catalog.CatalogMedia())
            names << medium->GetName();
        return names;
    }

private Q_SLOTS:
    void init() { QVERIFY(f.recreate()); }

    // A friend's medium is taken over with a root of the user's own and given up again; the friend
    // keeps his root and the rows stay.
    void assignmentMovesBetweenTheLists()
    {
        const QString friendsRoot = f.folder(QStringLiteral("friend"));
        QVERIFY(f.medium(QStringLiteral("Freund"), friendsRoot, Friend));
        QVERIFY(f.medium(QStringLiteral("Eigen"), f.folder(QStringLiteral("own"))));
        QVERIFY(f.addRows(QStringLiteral("Freund"), 2));
        auto media = f.load();
        CKivMediaCatalog catalog(f.db(), *media);
        catalog.Fill();
        QCOMPARE(userNames(catalog), QStringList{QStringLiteral("Eigen")});
        QCOMPARE(catalogNames(catalog), QStringList{QStringLiteral("Freund")});

        // My copy of the friend's folder carries the same header.
        const QString myRoot = f.folder(QStringLiteral("mine"));
        QVERIFY(CKivMediumHeaderFile::Write(myRoot, QStringLiteral("Freund")));
        CKivMedium *medium = media->FindMedium(QStringLiteral("Freund"));
        QVERIFY(catalog.Assign(medium, [&myRoot](CKivMediumForm &form) {
            form.ChooseFolder(myRoot);
            return form.Accept();
        }));
        catalog.Fill();
        QCOMPARE(userNames(catalog), QStringList({QStringLiteral("Freund"), QStringLiteral("Eigen")}));
        QVERIFY(catalogNames(catalog).isEmpty());
        QCOMPARE(medium->GetState(), int(CKivMedium::Online));
        auto friendsView = f.load(Friend);
        QCOMPARE(friendsView->FindMedium(QStringLiteral("Freund"))->GetRoot(), friendsRoot);

        QVERIFY(catalog.Unassign(medium));
        catalog.Fill();
        QCOMPARE(catalogNames(catalog), QStringList{QStringLiteral("Freund")});
        QCOMPARE(f.count(QStringLiteral("Mp3s")), 2);
    }

    // With "CD's Anzeigen" cleared CDs are in neither list; the buttons follow the current medium.
    void cdsAndButtons()
    {
        QVERIFY(f.medium(QStringLiteral("Eigen"), f.folder(QStringLiteral("own"))));
        std::unique_ptr<CKivMedium> cd = CKivMedium::NewCd(MgmtFixture::User, QString());
        QVERIFY(cd->SetName(QStringLiteral("CD:\\Pop")));
        QVERIFY(cd->SaveCd(f.db()));
        auto media = f.load();
        CKivMediaCatalog catalog(f.db(), *media);
        catalog.Fill();
        QCOMPARE(userNames(catalog), QStringList({QStringLiteral("Eigen"), QStringLiteral("CD:\\Pop")}));
        QCOMPARE(catalog.UserMedia().at(1).icon, 5 + CKivMediaCatalog::OfflineIconShift);
        QCOMPARE(catalog.UserMedia().at(0).icon, 3);

        const auto none = catalog.ButtonStates();
        QVERIFY(!none.edit && !none.add && !none.remove && !none.exportArchive && !none.deleteMedium);
        catalog.Select(media->FindMedium(QStringLiteral("CD:\\Pop")));
        const auto cdButtons = catalog.ButtonStates();
        QVERIFY(!cdButtons.edit && !cdButtons.add && !cdButtons.remove && cdButtons.exportArchive && cdButtons.deleteMedium);
        catalog.Select(media->FindMedium(QStringLiteral("Eigen")));
        const auto disk = catalog.ButtonStates();
        QVERIFY(disk.edit && disk.add && disk.remove && disk.exportArchive && disk.deleteMedium);

        catalog.SetShowCds(false);
        catalog.Fill();
        QCOMPARE(userNames(catalog), QStringList{QStringLiteral("Eigen")});
        QVERIFY(catalogNames(catalog).isEmpty());
        QVERIFY(!catalog.Unassign(media->FindMedium(QStringLiteral("CD:\\Pop"))));
    }
};

MELVORA_TEST(CatalogListsTest);
#include "CatalogListsTest.moc"
