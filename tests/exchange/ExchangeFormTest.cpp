#include "support/TestRegistry.h"

#include "browse/Filter.h"
#include "browse/MelvoraDoc.h"
#include "browse/Mp3Liste.h"
#include "core/StartFolder.h"
#include "exchange/ExchangeFixture.h"
#include "exchange/ExchangeForm.h"

// The standard list's exchange modes as its widgets show them: Anna's waiting files in "Import"
// mode, Bert's opened import list in "Export" mode with its volume, Anna's delivery back in "Import".
class ExchangeFormTest : public QObject
{
    Q_OBJECT

    ExchangeFixture m_f;
    std::unique_ptr<CKivFilter> m_filter;

    std::unique_ptr<CMelvoraDoc> login(const QString &name, int id)
    {
        auto doc = std::make_unique<CMelvoraDoc>(m_f.ws.catalog.settings(), m_f.db(), *m_filter);
        doc->OnNewDocument();
        doc->OnLogin(name, id);
        return doc;
    }

private Q_SLOTS:
    void initTestCase()
    {
        // No hand-over record of an installation is found at the logins here.
        const QString start = m_f.ws.dir.filePath(QStringLiteral("start"));
        QVERIFY(QDir().mkpath(start));
        KivStartFolder::set(start);
    }

    void init()
    {
        QVERIFY(m_f.setUp());
        m_filter = std::make_unique<CKivFilter>();
    }

    void cleanup()
    {
        m_filter.reset();
    }

    void modesFieldsAndButtonsThroughTheWholeExchange()
    {
        const QString wish = m_f.out + QStringLiteral("Wunsch.imp");
        {
            auto doc = login(QStringLiteral("anna"), m_f.anna);
            QVERIFY(m_f.request(*doc->GetMedia(), QStringLiteral("x.mp3")));
            CKivExchangeForm form(*doc);
            QCOMPARE(form.GetMode(), CKivExchangeForm::Mode::Normal);
            doc->GetMp3Liste()->LoadToImport(QStringLiteral("Anna"));
            form.OnListReplaced();
            QCOMPARE(form.ModeText(), QStringLiteral("Import"));
            QCOMPARE(form.BannerTitle(), QStringLiteral("Mp3 Import // Export"));
            QCOMPARE(form.BannerCaption(), QStringLiteral("Mp3's Importieren\\Exportieren"));
            QCOMPARE(form.BannerText(), QStringLiteral("Es sind Dateien zum Importieren gefunden wurden."));
            QCOMPARE(form.Info(), QStringLiteral("Bitte wählen Sie die die zu Importierenden Mp3's aus der Liste aus."));
            QCOMPARE(form.Files(), QStringLiteral("1"));
            QVERIFY(!form.CanSave() && !form.CanImport() && !form.CanExport());
            form.SetSelectionCount(1);
            QVERIFY(form.CanSave() && form.CanImport());
            QVERIFY(form.Save(wish, doc->GetMp3Liste()->GetItems()));
            QCOMPARE(form.FileName(), wish);
            QCOMPARE(form.Info(), QStringLiteral("Die Datei:Wunsch.imp wurde erfolgreich gespeichert."));
            QCOMPARE(form.ProgressValue(), 1);
            // Any other list puts the view back to normal.
            doc->GetMp3Liste()->LoadMedium(QStringLiteral("Anna"), QString());
            form.OnListReplaced();
            QCOMPARE(form.GetMode(), CKivExchangeForm::Mode::Normal);
        }
        const QString volumes = m_f.ws.folder(QStringLiteral("volumes"));
        {
            auto doc = login(QStringLiteral("bert"), m_f.bert);
            CKivExchangeForm form(*doc);
            form.OpenImportList(wish);
            QCOMPARE(form.ModeText(), QStringLiteral("Export"));
            QCOMPARE(form.BannerCaption(), QStringLiteral("Mp3's Exportieren"));
            QCOMPARE(form.BannerText(), QStringLiteral("Es sind Dateien zum Exportieren gefunden wurden."));
            QCOMPARE(form.FileName(), wish);
            QCOMPARE(form.Sender(), QStringLiteral("Vor anna, Nach anna, anna@example.org"));
            QCOMPARE(form.VolumeSize(), QStringLiteral("0 MB"));
            QCOMPARE(form.Info(), QStringLiteral("Bitte wählen Sie ein Volumen zum Export der Dateien aus."));
            QVERIFY(!form.CanExport());
            form.VolumeSizeEdited(QStringLiteral("12abc"));
            QCOMPARE(form.VolumeSize(), QStringLiteral("12 MB"));
            form.VolumeSizeEdited(QStringLiteral("viel"));
            QCOMPARE(form.VolumeSize(), QStringLiteral("0 MB"));
            form.ChooseVolumePath(m_f.out + QStringLiteral("nirgends/"));
            QVERIFY(!form.CanExport());
            QCOMPARE(form.Info(), QStringLiteral("Auf das Volumen kann nicht geschrieben werden. Bitte wählen Sie ein "
                                                 "anderes Volumen zum Export der Dateien aus."));
            form.ChooseVolumePath(volumes);
            QCOMPARE(form.VolumePath(), volumes.chopped(1));
            QVERIFY(form.CanExport());
            form.ExportVolumes(doc->GetMp3Liste()->GetItems());
            QCOMPARE(form.Info(), QStringLiteral("Das Exportieren der ausgewählten Dateien wurde erfolgreich abgeschlossen."));
            QVERIFY(QFile::exists(volumes + QStringLiteral("Volume 0/Wunsch.exp")));
        }
        {
            auto doc = login(QStringLiteral("anna"), m_f.anna);
            CKivExchangeForm form(*doc);
            const QString delivery = volumes + QStringLiteral("Volume 0/Wunsch.exp");
            form.OpenExportFile(delivery);
            QCOMPARE(form.ModeText(), QStringLiteral("Import"));
            QCOMPARE(form.FileName(), delivery);
            QCOMPARE(form.Sender(), QStringLiteral("Vor bert, Nach bert, bert@example.org"));
            QCOMPARE(form.Files(), QStringLiteral("1"));
            QSignalSpy changed(&form, &CKivExchangeForm::itemsChanged);
            m_f.ws.ui.clear();
            form.ImportSelected({});
            QCOMPARE(m_f.ws.ui.count(QStringLiteral("Warnung !")), 1);
            form.ImportSelected(doc->GetMp3Liste()->GetItems());
            QCOMPARE(changed.count(), 1);
            QCOMPARE(form.Info(), QStringLiteral("Das Importieren der ausgewählten Dateien wurde erfolgreich abgeschlossen."));
        }
        QCOMPARE(ExchangeFixture::contents(m_f.rootAnna + QStringLiteral("In/x.mp3")),
                 ExchangeFixture::contents(m_f.rootBert + QStringLiteral("Pop/x.mp3")));
    }
};

MELVORA_TEST(ExchangeFormTest);

#include "ExchangeFormTest.moc"
