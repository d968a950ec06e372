#include "core/CodePage.h"
#include "core/ProfileStore.h"
#include "core/Settings.h"
#include "app/ui/settings/ColorButton.h"
#include "app/ui/settings/SettingsSheet.h"
#include "app/ui/settings/SetupListPage.h"
#include "dialogs/DialogTests.h"
#include "media/ui/FolderChooser.h"
#include "mp3/MpegAudioInfo.h"
#include "mp3/TagSettings.h"
#include "support/AccessibleNames.h"

#include <QComboBox>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTabBar>
#include <QTest>

#include <memory>

// The settings sheet: each label shows and writes its own key, "OK" writes the pages the user
// opened, "Abbrechen" writes nothing, and colours travel as the store's decimal text.
class SettingsSheetTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<CKivProfileStore> m_store;
    std::unique_ptr<CKivSettings> m_settings;

    QByteArray storeBytes() const
    {
        QFile file(m_store->filePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static QWidget *page(CKivSettingsSheet &sheet, const char *name)
    {
        QWidget *found = child<QWidget>(&sheet, name);
        sheet.tabs()->setCurrentWidget(found);
        return found;
    }

    static void click(const QObject *parent, const char *name)
    {
        auto *button = child<QAbstractButton>(parent, name);
        QVERIFY2(button, name);
        QTest::mouseClick(button, Qt::LeftButton);
    }

private Q_SLOTS:
    void init()
    {
        QFile::remove(m_dir.filePath(QStringLiteral("Melvora.ini")));
        m_store = std::make_unique<CKivProfileStore>(m_dir.filePath(QStringLiteral("Melvora.ini")));
        m_settings = std::make_unique<CKivSettings>(*m_store);
        m_settings->SetUserName(QStringLiteral("Hans"));
    }
    void cleanup()
    {
        KivFolderChooser::setChooser({});
        CKivColorButton::setChooser({});
        CKivSetupListPage::setPictureChooser({});
        m_settings.reset();
        m_store.reset();
    }

    void coloursTravelAsDecimalTextWithRedInTheLowestByte()
    {
        QCOMPARE(CKivColorButton::ColorOf(QStringLiteral("6160384")), QColor(0, 0, 94));
        QCOMPARE(CKivColorButton::ColorOf(QStringLiteral("14745599")), QColor(255, 255, 224));
        QCOMPARE(CKivColorButton::ColorOf(QStringLiteral("16777215")), QColor(Qt::white));
        QCOMPARE(CKivColorButton::ColorOf(QStringLiteral("kein Wert")), QColor(Qt::black));
        QCOMPARE(CKivColorButton::TextOf(QColor(255, 0, 0)), QStringLiteral("255"));
        QCOMPARE(CKivColorButton::TextOf(QColor(0, 0, 94)), QStringLiteral("6160384"));
    }

    void folderPageMapsEachLabelToItsOwnKey()
    {
        m_settings->SetFolderHelpFiles(QStringLiteral("/doc/melvora/"));
        m_settings->SetFolderCDs(QStringLiteral("/srv/cds/"));
        m_settings->SetCdDrive(QStringLiteral("/media/cdrom/"));
        CKivSettingsSheet sheet(*m_settings);
        sheet.show();
        QVERIFY2(KivAccessibleNames::unnamedOnEveryPage(&sheet).isEmpty(), qPrintable(KivAccessibleNames::unnamedOnEveryPage(&sheet).join(QLatin1Char(' '))));
        QCOMPARE(sheet.windowTitle(), QStringLiteral("Melvora Einstellungen"));
        QStringList titles;
        for (int i = 0; i < sheet.tabs()->count(); ++i)
            titles << sheet.tabs()->tabText(i);
        QCOMPARE(titles, (QStringList{QStringLiteral("Verzeichnisse:"), QStringLiteral("Mp3 Liste (Standard)"),
                                      QStringLiteral("Mp3 Liste (TV)"), QStringLiteral("Playlist"),
                                      QStringLiteral("Ordneransicht"), QStringLiteral("Mp3 Tags")}));
        auto *help = child<QLineEdit>(&sheet, "helpFiles");
        auto *cds = child<QLineEdit>(&sheet, "cdFolder");
        auto *cdDrive = child<QLineEdit>(&sheet, "cdDrive");
        QCOMPARE(help->text(), QStringLiteral("/doc/melvora/"));
        QCOMPARE(cds->text(), QStringLiteral("/srv/cds/"));
        QCOMPARE(cdDrive->text(), QStringLiteral("/media/cdrom/"));
        // Only the CD folder is shown disabled.
        QVERIFY(help->isEnabled() && cdDrive->isEnabled());
        QVERIFY(!cds->isEnabled() && !child<QPushButton>(&sheet, "cdFolderChoose")->isEnabled());

        QString askedTitle;
        KivFolderChooser::setChooser([&](QWidget *, const QString &title, const QString &) {
            askedTitle = title;
            return QStringLiteral("/media/sr0");
        });
        auto *apply = child<QPushButton>(&sheet, "apply");
        QVERIFY(!apply->isEnabled());
        click(&sheet, "cdDriveChoose");
        QCOMPARE(askedTitle, QStringLiteral("Wählen Sie das ein Medienverszeichniss:"));
        QCOMPARE(cdDrive->text(), QStringLiteral("/media/sr0/"));
        QVERIFY(apply->isEnabled());
        // A cancelled choice changes nothing.
        KivFolderChooser::setChooser([](QWidget *, const QString &, const QString &) { return QString(); });
        click(&sheet, "helpFilesChoose");
        QCOMPARE(help->text(), QStringLiteral("/doc/melvora/"));

        click(&sheet, "ok");
        QCOMPARE(sheet.result(), int(QDialog::Accepted));
        QCOMPARE(m_settings->GetCdDrive(), QStringLiteral("/media/sr0/"));
        QCOMPARE(m_settings->GetFolderHelpFiles(), QStringLiteral("/doc/melvora/"));
        QCOMPARE(m_settings->GetFolderCDs(), QStringLiteral("/srv/cds/"));
    }

    void theSheetOpensWideEnoughForItsTabsAndPaths()
    {
        const QString longPath = QStringLiteral("/home/eva/.local/opt/Kiv/Melvora/Handbuch/Deutsch/Ausgabe 2026/");
        m_settings->SetFolderHelpFiles(longPath);
        CKivSettingsSheet sheet(*m_settings);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        const QTabBar *bar = sheet.tabs()->tabBar();
        for (int i = 0; i < bar->count(); ++i)
            QVERIFY2(bar->tabRect(i).right() <= bar->width(), qPrintable(bar->tabText(i)));
        const auto *help = child<QLineEdit>(&sheet, "helpFiles");
        QVERIFY(help->width() > help->fontMetrics().horizontalAdvance(longPath));
    }

    void listPagesWriteFlagsPictureAndColoursOfTheirOwnSection()
    {
        m_settings->SetNormalColor1(QStringLiteral("6160384"));
        m_settings->SetNormalColor2(QStringLiteral("14745599"));
        m_settings->SetPlaylistFlags(8 | 16);
        CKivSettingsSheet sheet(*m_settings);
        sheet.show();

        QWidget *normal = page(sheet, "normalList");
        QCOMPARE(child<CKivColorButton>(normal, "backgroundColor")->color(), QColor(0, 0, 94));
        QCOMPARE(child<CKivColorButton>(normal, "textColor")->color(), QColor(255, 255, 224));
        QVERIFY(child<QCheckBox>(normal, "horizontalGrid")->isChecked());  // default 3
        QVERIFY(child<QCheckBox>(normal, "verticalGrid")->isChecked());
        QVERIFY(!child<QCheckBox>(normal, "picture")->isChecked());
        QVERIFY(!child<QCheckBox>(normal, "autoStart"));  // the playlist's own boxes only there

        // The vertical grid off, a background picture chosen, a new text colour.
        child<QCheckBox>(normal, "verticalGrid")->setChecked(false);
        child<QCheckBox>(normal, "picture")->setChecked(true);
        CKivSetupListPage::setPictureChooser([](QWidget *, const QString &) { return QStringLiteral("/bilder/a.bmp"); });
        click(normal, "pictureChoose");
        QCOMPARE(child<QLineEdit>(normal, "picturePath")->text(), QStringLiteral("/bilder/a.bmp"));
        CKivColorButton::setChooser([](QWidget *, const QColor &) { return QColor(255, 0, 0); });
        click(normal, "textColor");

        QWidget *playlist = page(sheet, "playlist");
        QVERIFY(child<QCheckBox>(playlist, "ownColors")->isChecked());
        QVERIFY(child<QCheckBox>(playlist, "tilePicture")->isChecked());
        QVERIFY(!child<QCheckBox>(playlist, "horizontalGrid")->isChecked());
        // A ticked background picture without a picture is cleared on writing.
        child<QCheckBox>(playlist, "picture")->setChecked(true);
        child<QCheckBox>(playlist, "autoStart")->setChecked(true);

        click(&sheet, "ok");
        QCOMPARE(m_settings->GetNormalFlags(), 2 | 4);
        QCOMPARE(m_settings->GetNormalBm(), QStringLiteral("/bilder/a.bmp"));
        QCOMPARE(m_settings->GetNormalColor1(), QStringLiteral("6160384"));
        QCOMPARE(m_settings->GetNormalColor2(), QStringLiteral("255"));
        QCOMPARE(m_settings->GetPlaylistFlags(), 8 | 16 | 32);
        QVERIFY(m_store->contains(QStringLiteral("Hans\\Normal"), QStringLiteral("Flags")));
        QVERIFY(m_store->contains(QStringLiteral("Hans\\Playlist"), QStringLiteral("Color1")));
        // Pages the user never opened leave the store alone.
        QVERIFY(!m_store->contains(QStringLiteral("Hans\\TV"), QStringLiteral("Flags")));
        QVERIFY(!m_store->contains(QStringLiteral("Hans\\FileList"), QStringLiteral("Flags")));
        // The colours in force are the caller's business.
        QVERIFY(!m_store->contains(QStringLiteral("Hans\\Color"), QStringLiteral("Color1")));
    }

    void tagsPageWritesTheSettingAndPutsItInForce()
    {
        CKivSettingsSheet sheet(*m_settings);
        sheet.show();
        auto *box = child<QCheckBox>(page(sheet, "tags"), "id3v1Only");
        QCOMPARE(box->text(), QStringLiteral("Nur ID3v1 Tags lesen"));
        QVERIFY(!box->isChecked());
        sheet.tabs()->setCurrentIndex(5);
        box->setChecked(true);
        sheet.accept();
        QVERIFY(KivTagSettings::GetNurId3v1Lesen(*m_settings));
        QVERIFY(CMpegAudioInfo::ReadId3v1Only());
        KivTagSettings::SetNurId3v1Lesen(*m_settings, false);
        KivTagSettings::Apply(*m_settings);
        QVERIFY(!CMpegAudioInfo::ReadId3v1Only());
    }

    void tagsPageChoosesTheId3v1CodePage()
    {
        CKivSettingsSheet sheet(*m_settings);
        sheet.show();
        auto *combo = child<QComboBox>(page(sheet, "tags"), "id3v1CodePage");
        QCOMPARE(combo->currentText(), KivCodePage::automatic());
        QCOMPARE(combo->itemText(0), KivCodePage::automatic());
        const QString cyrillic = KivCodePage::names().value(1);
        combo->setCurrentText(cyrillic);
        sheet.accept();
        QCOMPARE(KivCodePage::storedId3v1(m_settings->GetUserName(), *m_store), cyrillic);
        QCOMPARE(KivCodePage::id3v1(), cyrillic);

        // The next opening shows the stored choice; going back to automatic puts it in force.
        CKivSettingsSheet again(*m_settings);
        auto *next = child<QComboBox>(page(again, "tags"), "id3v1CodePage");
        QCOMPARE(next->currentText(), cyrillic);
        next->setCurrentIndex(0);
        again.accept();
        QCOMPARE(KivCodePage::id3v1(), KivCodePage::automatic());
    }

    void folderViewPageWritesOneOrZero()
    {
        m_settings->SetFileListFlags(3);
        CKivSettingsSheet sheet(*m_settings);
        sheet.show();
        QWidget *view = page(sheet, "folderView");
        auto *grid = child<QCheckBox>(view, "gridLines");
        QVERIFY(grid->isChecked());
        click(&sheet, "ok");
        QCOMPARE(m_settings->GetFileListFlags(), 1);

        CKivSettingsSheet again(*m_settings);
        child<QCheckBox>(page(again, "folderView"), "gridLines")->setChecked(false);
        click(&again, "ok");
        QCOMPARE(m_settings->GetFileListFlags(), 0);
    }

    // "Suche während der Eingabe" starts on for a user who never chose, and OK writes the choice
    // into the user's own section.
    void searchWhileTypingIsOnUntilTurnedOff()
    {
        CKivSettingsSheet sheet(*m_settings);
        sheet.show();
        auto *option = child<QCheckBox>(page(sheet, "folders"), "searchWhileTyping");
        QVERIFY(option);
        QCOMPARE(option->text(), QStringLiteral("Suche während der Eingabe"));
        QVERIFY(option->isChecked());
        option->setChecked(false);
        click(&sheet, "ok");
        QCOMPARE(m_settings->GetSearchWhileTyping(), 0);
        QCOMPARE(m_store->value(m_settings->UserSection(QStringLiteral("Suche")), QStringLiteral("WaehrendEingabe")),
                 QStringLiteral("0"));

        CKivSettingsSheet again(*m_settings);
        QVERIFY(!child<QCheckBox>(page(again, "folders"), "searchWhileTyping")->isChecked());
    }

    void cancelWritesNothing()
    {
        m_settings->SetTvColor1(QStringLiteral("0"));
        const QByteArray before = storeBytes();
        KivFolderChooser::setChooser([](QWidget *, const QString &, const QString &) { return QStringLiteral("/x"); });
        CKivColorButton::setChooser([](QWidget *, const QColor &) { return QColor(Qt::white); });
        onModal([](QWidget *window) {
            auto *sheet = qobject_cast<CKivSettingsSheet *>(window);
            QVERIFY(sheet);
            click(sheet, "cdDriveChoose");
            click(page(*sheet, "tvList"), "backgroundColor");
            child<QCheckBox>(page(*sheet, "folderView"), "gridLines")->setChecked(false);
            click(sheet, "cancel");
        });
        QVERIFY(!CKivSettingsSheet::Run(*m_settings, nullptr));
        QCOMPARE(storeBytes(), before);
        QCOMPARE(m_settings->GetTvColor1(), QStringLiteral("0"));
    }

    void applyThenCancelKeepsWhatWasAppliedAndTellsTheCaller()
    {
        CKivColorButton::setChooser([](QWidget *, const QColor &) { return QColor(0, 0, 94); });
        onModal([](QWidget *window) {
            auto *sheet = qobject_cast<CKivSettingsSheet *>(window);
            QVERIFY(sheet);
            click(page(*sheet, "tvList"), "backgroundColor");
            click(sheet, "apply");
            QVERIFY(!child<QPushButton>(sheet, "apply")->isEnabled());
            child<QCheckBox>(page(*sheet, "tvList"), "picture")->setChecked(true);
            click(sheet, "cancel");
        });
        // The caller must re-apply the colours: a value was written.
        QVERIFY(CKivSettingsSheet::Run(*m_settings, nullptr));
        QCOMPARE(m_settings->GetTvColor1(), QStringLiteral("6160384"));
        QCOMPARE(m_settings->GetTvFlags(), 3);
    }
};

int runSettingsSheetTest(int argc, char **argv)
{
    SettingsSheetTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SettingsSheetTest.moc"
