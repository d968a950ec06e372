#include "core/SetupRecord.h"
#include "core/StartFolder.h"
#include "browse/Filter.h"
#include "browse/MelvoraDoc.h"
#include "browse/Mp3Liste.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "support/MediaWorkspace.h"
#include "support/SyntheticMp3.h"
#include "support/TestRegistry.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

// The document on both catalog engines: what a login builds and announces, the installation
// hand-over, starting and finishing scans, the view options and the open-file dispatch.
class MelvoraDocTest : public QObject, private MediaWorkspace
{
    Q_OBJECT

private:
    std::unique_ptr<CKivFilter> filter;
    std::unique_ptr<CMelvoraDoc> doc;
    int anna = -1;
    int bob = -1;

    QString folderWithSongs(const QString &name, const QStringList &files)
    {
        const QString root = folder(name);
        for (const QString &file : files) {
            if (!SyntheticMp3::writeSong(root + file, "Title"))
                return QString();
        }
        return root;
    }

    // A disk medium of the user on a folder with songs.
    void addMedium(int userId, const QString &name, const QStringList &files)
    {
        CKivMedienListe media(userId, QString());
        QVERIFY(media.CreateFromFolder(db(), name, folderWithSongs(name, files)));
    }

    bool finishScan()
    {
        QDeadlineTimer deadline(60000);
        while (doc->PollScan()) {
            if (deadline.hasExpired())
                return false;
            QThread::msleep(5);
        }
        return true;
    }

    QString setupRecordPath() const { return KivStartFolder::path() + CKivSetupRecord::FileName; }

    void writeSetupRecord(int create, const QString &name, const QString &folder, int scan, int quick)
    {
        CKivSetupRecord record;
        record.SetCreateFirstMedium(create);
        record.SetFirstMediumName(name);
        record.SetFirstMediumFolder(folder);
        record.SetScanFirstMedium(scan);
        record.SetQuickImport(quick);
        QVERIFY(record.save(setupRecordPath()));
    }

    static QList<int> hints(const QSignalSpy &spy)
    {
        QList<int> result;
        for (const QList<QVariant> &call : spy)
            result << call.at(0).toInt();
        return result;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        KivStartFolder::set(dir.filePath(QStringLiteral("start")));
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("start"))));
    }

    void init()
    {
        doc.reset();
        QVERIFY(recreate());
        ui.fallback = KivAnswer::Yes;
        QFile::remove(setupRecordPath());
        anna = catalog.addUser(QStringLiteral("anna"));
        bob = catalog.addUser(QStringLiteral("bob"));
        filter = std::make_unique<CKivFilter>();
        doc = std::make_unique<CMelvoraDoc>(catalog.settings(), db(), *filter);
        QVERIFY(doc->OnNewDocument());
    }

    void cleanup() { doc.reset(); }

    void loginBuildsMediaAndAnnouncesThem()
    {
        addMedium(anna, QStringLiteral("Annas"), {QStringLiteral("a.mp3")});
        QCOMPARE(doc->GetUserID(), -1);
        QSignalSpy views(doc.get(), &CMelvoraDoc::updateAllViews);
        QSignalSpy user(doc.get(), &CMelvoraDoc::userChanged);
        doc->OnLogin(QStringLiteral("anna"), anna);

        QCOMPARE(hints(views), QList<int>({201, 101, 101, 202}));
        QVERIFY(views.at(0).at(1).isNull());
        QCOMPARE(views.at(1).at(1).value<CKivMp3Liste *>(), doc->GetMp3Liste());
        QCOMPARE(user.size(), 1);
        QCOMPARE(user.at(0).at(0).toString(), QStringLiteral("anna"));
        QCOMPARE(doc->GetUserID(), anna);
        QVERIFY(doc->FindMedium(QStringLiteral("Annas")));
        QCOMPARE(doc->FindMedium(QStringLiteral("Annas"))->GetState(), int(CKivMedium::Online));
        QCOMPARE(filter->GetMedia(), doc->GetMedia());
    }

    void aNewDocumentWarnsThenAnnouncesItsNewLists()
    {
        addMedium(anna, QStringLiteral("Annas"), {QStringLiteral("a.mp3")});
        doc->OnLogin(QStringLiteral("anna"), anna);
        const QPointer<CKivMp3Liste> old = doc->GetMp3Liste();
        QSignalSpy resetting(doc.get(), &CMelvoraDoc::documentResetting);
        QSignalSpy views(doc.get(), &CMelvoraDoc::updateAllViews);
        QVERIFY(doc->OnNewDocument());
        QCOMPARE(resetting.size(), 1);
        QVERIFY(!old);
        QVERIFY(!doc->GetMedia());
        QCOMPARE(hints(views), QList<int>({201, 101, 101}));
        QCOMPARE(views.at(1).at(1).value<CKivMp3Liste *>(), doc->GetMp3Liste());
        QCOMPARE(views.at(2).at(1).value<CKivMp3Liste *>(), doc->GetMediumListe());
    }

    void listsShowOnlyMediaTheUserHas()
    {
        addMedium(anna, QStringLiteral("Annas"), {QStringLiteral("a1.mp3"), QStringLiteral("Sub/a2.mp3")});
        addMedium(bob, QStringLiteral("Bobs"), {QStringLiteral("b1.mp3")});
        doc->OnLogin(QStringLiteral("bob"), bob);
        QVERIFY(doc->StartScan(QStringLiteral("Bobs"), QString()));
        QVERIFY(finishScan());
        doc->OnNewDocument();
        doc->OnLogin(QStringLiteral("anna"), anna);
        QVERIFY(doc->StartScan(QStringLiteral("Annas"), QString()));
        QVERIFY(finishScan());

        // Bob's rows match the search, but anna does not have his medium.
        doc->GetMp3Liste()->Search(QString(), QString());
        QCOMPARE(doc->GetMp3Liste()->ItemCount(), 2);
        for (const CKivMp3::Ptr &item : *doc->GetMp3Liste())
            QCOMPARE(item->GetMediumname(), QStringLiteral("Annas"));
        doc->GetMp3Liste()->Search(QString(), QStringLiteral("Bobs"));
        QCOMPARE(doc->GetMp3Liste()->ItemCount(), 0);
    }

    void finishedScanHandsItsItemsToTheList()
    {
        addMedium(anna, QStringLiteral("Annas"), {QStringLiteral("a.mp3"), QStringLiteral("Rock/b.mp3")});
        doc->OnLogin(QStringLiteral("anna"), anna);
        QSignalSpy views(doc.get(), &CMelvoraDoc::updateAllViews);
        QSignalSpy started(doc.get(), &CMelvoraDoc::scanStarted);
        QSignalSpy finished(doc.get(), &CMelvoraDoc::scanFinished);
        QVERIFY(!doc->IsImporting());
        QVERIFY(doc->StartScan(QStringLiteral("Annas"), QString()));
        QCOMPARE(ui.messages().last().caption, QStringLiteral("Medium nach neuen Mp3's durchsuchen ?"));
        QCOMPARE(started.size(), 1);
        CKivScanList *scanList = doc->GetScanList();
        QVERIFY(scanList);
        QCOMPARE(started.at(0).at(0).value<CKivScanList *>(), scanList);
        // A running scan stops a user switch.
        QVERIFY(doc->IsImporting());

        QDeadlineTimer deadline(60000);
        while (scanList->GetBusy() != 0 || doc->GetScanList() == scanList) {
            if (!doc->PollScan())
                break;
            QVERIFY(!deadline.hasExpired());
            QThread::msleep(5);
        }
        QCOMPARE(finished.size(), 1);
        QVERIFY(!doc->IsImporting());
        QVERIFY(!doc->GetScanList());
        QCOMPARE(hints(views), QList<int>({101}));
        QCOMPARE(doc->GetMp3Liste()->ItemCount(), 2);
        // The items keep working for the list: placed on a medium that is online.
        for (const CKivMp3::Ptr &item : *doc->GetMp3Liste()) {
            QVERIFY(item->GetID() > 0);
            QVERIFY(item->IsOnline());
        }
        doc->RefreshMediaState();
        QVERIFY(doc->GetMp3Liste()->GetItems().front()->IsOnline());
    }

    void secondScanIsRefusedAndNoMeansNoScan()
    {
        addMedium(anna, QStringLiteral("Annas"), {QStringLiteral("a.mp3")});
        doc->OnLogin(QStringLiteral("anna"), anna);
        ui.answers = {KivAnswer::No};
        QVERIFY(!doc->StartScan(QStringLiteral("Annas"), QString()));
        QVERIFY(!doc->GetScanList());

        QVERIFY(doc->StartScan(QStringLiteral("Annas"), QString()));
        ui.clear();
        QVERIFY(!doc->StartScan(QStringLiteral("Annas"), QString()));
        QCOMPARE(ui.messages().size(), 1);
        QCOMPARE(ui.messages().at(0).caption, QStringLiteral("Hinweis"));
        QCOMPARE(ui.messages().at(0).text, QStringLiteral("Sie können keine weitere Suche nach Mp3 Dateien\nstarten, "
                                                          "während schon eine Suchanforderung in Arbeit ist !"));
        QVERIFY(finishScan());
        QCOMPARE(doc->GetMp3Liste()->ItemCount(), 1);
    }

    void handOverCreatesTheFirstMediumAndOffersItsScan()
    {
        const QString folder = folderWithSongs(QStringLiteral("first"), {QStringLiteral("x.mp3")});
        writeSetupRecord(1, QStringLiteral("Erstes"), folder, 1, 1);
        QSignalSpy views(doc.get(), &CMelvoraDoc::updateAllViews);
        doc->OnLogin(QStringLiteral("anna"), anna);

        QVERIFY(!QFile::exists(setupRecordPath()));
        QVERIFY(doc->FindMedium(QStringLiteral("Erstes")));
        QCOMPARE(hints(views), QList<int>({201, 101, 101, 202, 201, 101}));
        QCOMPARE(doc->GetQuickImport(), 1);
        QVERIFY(doc->GetScanList());
        QVERIFY(doc->GetScanList()->IsQuickImport());
        QVERIFY(finishScan());
        QCOMPARE(doc->GetMp3Liste()->ItemCount(), 1);
        QCOMPARE(doc->GetMp3Liste()->GetItems().front()->GetLength(), -1);
    }

    void handOverCreatesNothingWithoutItsFlagOrName()
    {
        const QString folder = folderWithSongs(QStringLiteral("notcreated"), {QStringLiteral("x.mp3")});
        writeSetupRecord(0, QStringLiteral("Erstes"), folder, 1, 0);
        doc->OnLogin(QStringLiteral("anna"), anna);
        QVERIFY(!doc->FindMedium(QStringLiteral("Erstes")));
        QVERIFY(!doc->GetScanList());
        QVERIFY(ui.messages().isEmpty());
        QVERIFY(!QFile::exists(setupRecordPath()));

        writeSetupRecord(1, QString(), folder, 1, 0);
        doc->OnNewDocument();
        doc->OnLogin(QStringLiteral("anna"), anna);
        QCOMPARE(doc->GetMedia()->Count(), 0);
        QVERIFY(!doc->GetScanList());
        QVERIFY(!QFile::exists(setupRecordPath()));
    }

    void viewOptionsToggleAndLabelEditAnnouncesItself()
    {
        doc->OnLogin(QStringLiteral("anna"), anna);
        QSignalSpy views(doc.get(), &CMelvoraDoc::updateAllViews);
        doc->OnLabelEdit();
        doc->OnLabelEdit();
        QCOMPARE(hints(views), QList<int>({104, 104}));
        QCOMPARE(views.at(0).at(1).value<QObject *>(), doc.get());
        QVERIFY(views.at(1).at(1).isNull());

        doc->OnQuickImport();
        doc->OnDragDrop();
        doc->OnOfflineCds();
        QCOMPARE(doc->GetQuickImport() + doc->GetDragDrop() + doc->GetOfflineCds(), 3);
        const bool online = doc->IsOnlineMedia();
        doc->OnOnlineMedia();
        QCOMPARE(filter->IsOnlineOnly(), !online);
    }

    void openFileDispatchesByExactExtension()
    {
        bool archiveImported = false;
        QStringList archives;
        doc->SetArchiveOpener([&](const QString &path) {
            archives << path;
            return archiveImported;
        });
        QSignalSpy views(doc.get(), &CMelvoraDoc::updateAllViews);
        QSignalSpy standard(doc.get(), &CMelvoraDoc::showStandardList);

        doc->OpenFile(QStringLiteral("/tmp/list.imp"));
        doc->OpenFile(QStringLiteral("/tmp/volume.exp"));
        QCOMPARE(hints(views), QList<int>({106, 105}));
        QCOMPARE(views.at(0).at(1).toString(), QStringLiteral("/tmp/list.imp"));
        QCOMPARE(standard.size(), 2);

        doc->OpenFile(QStringLiteral("/tmp/a.mar"));
        archiveImported = true;
        doc->OpenFile(QStringLiteral("/tmp/b.mar"));
        QCOMPARE(archives.size(), 2);
        QCOMPARE(hints(views), QList<int>({106, 105, 201}));

        views.clear();
        for (const QString &path : {QStringLiteral("/tmp/LIST.IMP"), QStringLiteral("/tmp/list.imp.bak"),
                                    QStringLiteral("/tmp/x.imp/list"), QStringLiteral("/tmp/noextension")})
            doc->OpenFile(path);
        QVERIFY(views.isEmpty());
        QCOMPARE(ui.messages().size(), 4);
        QCOMPARE(ui.messages().at(0).text, QStringLiteral("Die ausgewählte Datei kann nicht geöffnet werden !"));
        QCOMPARE(ui.messages().at(0).caption, QStringLiteral("Warnung Dateiformat ungültig"));
        QCOMPARE(ui.messages().at(0).icon, KivIcon::Stop);
    }
};

MELVORA_TEST(MelvoraDocTest, CatalogFixture::isolateOdbcIni);

#include "MelvoraDocTest.moc"
