#include "media/DriveType.h"
#include "setup/ui/FolderField.h"
#include "setup/ui/SetupPage4.h"
#include "setup/ui/SetupPage5.h"
#include "setup/ui/SetupPage6.h"
#include "setup/ui/SetupPage7.h"
#include "setup/ui/SetupSheet.h"
#include "support/AccessibleNames.h"
#include "support/FakeDrives.h"
#include "support/RecordingUi.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <memory>

// The wizard on the offscreen platform: the pages in their order, each page's checks with their
// messages, Back keeping the values, the system page's states and download, and Finish with its
// closing message, complete or not.
class WizardTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_systems = 0;

    QString path(const QString &relative) const { return m_dir.filePath(relative); }

    void touch(const QString &file, const QByteArray &contents = "x")
    {
        QDir().mkpath(QFileInfo(file).path());
        QFile f(file);
        if (f.open(QIODevice::WriteOnly))
            f.write(contents);
    }

    // A system that has every prerequisite, or lacks the SQLite driver.
    CKivSystemPaths system(bool complete)
    {
        const QString root = path(QStringLiteral("system%1").arg(++m_systems));
        CKivSystemPaths paths;
        paths.odbcinstFiles = {root + QStringLiteral("/odbcinst.ini")};
        paths.userOdbcinstFile = paths.odbcinstFiles.constFirst();
        paths.libraryFolders = {root + QStringLiteral("/lib")};
        paths.qtPluginFolder = root + QStringLiteral("/plugins");
        paths.gstreamerPluginFolders = {root + QStringLiteral("/gst")};
        touch(root + QStringLiteral("/plugins/sqldrivers/libqsqlodbc.so"));
        touch(root + QStringLiteral("/plugins/multimedia/libgstreamermediaplugin.so"));
        touch(root + QStringLiteral("/gst/libgstmpg123.so"));
        if (complete) {
            touch(paths.odbcinstFiles.constFirst(), "[SQLite3]\nDriver=libsqlite3odbc.so\n");
            touch(root + QStringLiteral("/lib/libsqlite3odbc.so"));
        }
        return paths;
    }

    std::unique_ptr<CSetupSheet> makeSheet(const QString &name, bool completeSystem = true,
                                           const QByteArray &osRelease = "ID=debian\nVERSION_ID=12\nPRETTY_NAME=\"Debian 12\"\n")
    {
        CSetupSheet::Options options;
        options.data.installFolder = path(name + QStringLiteral("/Kiv/Melvora/"));
        options.sourceFolder = path(name + QStringLiteral("/Data/"));
        touch(options.sourceFolder + QStringLiteral("melvora"), "#!/bin/sh\n");
        options.system = system(completeSystem);
        options.osReleasePath = path(name + QStringLiteral("/os-release"));
        touch(options.osReleasePath, osRelease);
        auto sheet = std::make_unique<CSetupSheet>(options);
        sheet->show();
        return sheet;
    }

    // Goes to the next page; true when the wizard moved.
    static bool next(CSetupSheet &sheet)
    {
        const int before = sheet.currentId();
        sheet.next();
        return sheet.currentId() != before;
    }

    static QString lastMessage(const RecordingUi &ui)
    {
        return ui.messages().isEmpty() ? QString() : ui.messages().constLast().text;
    }

    template <typename T>
    static T *pageOf(CSetupSheet &sheet, int id)
    {
        return qobject_cast<T *>(sheet.page(id));
    }

    static QLineEdit *field(CSetupSheet &sheet, const QString &name)
    {
        return sheet.currentPage()->findChild<QLineEdit *>(name);
    }

    // Fills the pages up to the last one with a user of that name.
    static void goToFinish(CSetupSheet &sheet, const QString &user)
    {
        sheet.currentPage()->findChild<QCheckBox *>()->setChecked(true);
        QVERIFY(next(sheet));
        QVERIFY(next(sheet));  // folder
        QVERIFY(next(sheet));  // system
        field(sheet, QStringLiteral("userName"))->setText(user);
        field(sheet, QStringLiteral("password"))->setText(QStringLiteral("geheim"));
        QVERIFY(next(sheet));
        pageOf<CSetupPage4>(sheet, CSetupSheet::CdDrive)->NoDrive()->setChecked(true);
        QVERIFY(next(sheet));
        QVERIFY(next(sheet));  // no medium
        QCOMPARE(sheet.currentId(), int(CSetupSheet::Finish));
    }

    static int countUsers(const QString &file, const QString &name)
    {
        int count = -1;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), QStringLiteral("count"));
            db.setDatabaseName(QStringLiteral("DRIVER={SQLite3};Database=") + file);
            QSqlQuery query(db);
            if (db.open() && query.exec(QStringLiteral("SELECT Benutzername, Passwort FROM Benutzer"))) {
                count = 0;
                while (query.next()) {
                    if (query.value(0).toString() == name) {
                        ++count;
                        // Never the password as typed.
                        if (query.value(1).toString().contains(QStringLiteral("geheim")))
                            count = -100;
                    }
                }
            }
            query.finish();
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("count"));
        return count;
    }

private Q_SLOTS:
    void thePagesComeInTheirOrderUnderOneCaption()
    {
        RecordingUi ui;
        auto sheet = makeSheet(QStringLiteral("order"));
        QCOMPARE(sheet->windowTitle(), QStringLiteral("Melvora V 1.1 Setup (Vollversion)"));
        QCOMPARE(sheet->pageIds(), (QList<int>{0, 1, 2, 3, 4, 5, 6}));
        QVERIFY(pageOf<CSetupPage7>(*sheet, CSetupSheet::System));
        QVERIFY(pageOf<CSetupPage6>(*sheet, CSetupSheet::Finish));
        QVERIFY(!sheet->pixmap(QWizard::WatermarkPixmap).isNull());
        QVERIFY(!sheet->button(QWizard::CancelButton)->isVisible());
    }

    // A screen reader finds a name for every field and list of every page.
    void everyPageNamesItsFields()
    {
        RecordingUi ui;
        auto sheet = makeSheet(QStringLiteral("names"));
        const auto check = [&] {
            const QStringList missing = KivAccessibleNames::unnamed(sheet->currentPage());
            QVERIFY2(missing.isEmpty(), qPrintable(QString::number(sheet->currentId()) + QLatin1Char(' ')
                                                   + missing.join(QLatin1Char(' '))));
        };
        check();
        sheet->currentPage()->findChild<QCheckBox *>()->setChecked(true);
        for (int page = 0; page < 6; ++page) {
            QVERIFY(next(*sheet));
            check();
            if (QLineEdit *user = field(*sheet, QStringLiteral("userName"))) {
                user->setText(QStringLiteral("Eva"));
                field(*sheet, QStringLiteral("password"))->setText(QStringLiteral("geheim"));
            }
            if (sheet->currentId() == CSetupSheet::CdDrive)
                pageOf<CSetupPage4>(*sheet, CSetupSheet::CdDrive)->NoDrive()->setChecked(true);
        }
        QCOMPARE(sheet->currentId(), int(CSetupSheet::Finish));
    }

    void eachPageChecksWhatItCollects()
    {
        RecordingUi ui;
        FakeDrives drives;
        drives.addMount(QStringLiteral("/media/cdrom"), KivDriveType::CdRom);
        auto sheet = makeSheet(QStringLiteral("checks"));

        // 1: the terms must be accepted.
        QVERIFY(!next(*sheet));
        QCOMPARE(lastMessage(ui), QStringLiteral("Sie müssen erste die Vertragsbedingungen akzeptieren."));
        QCOMPARE(ui.messages().constLast().caption, QStringLiteral("Hinweis"));
        QCOMPARE(ui.messages().constLast().icon, KivIcon::Exclamation);
        sheet->currentPage()->findChild<QCheckBox *>()->setChecked(true);
        QVERIFY(next(*sheet));

        // 2: the proposed folder; a folder that cannot exist is refused.
        auto *folder = sheet->currentPage()->findChild<CKivFolderField *>();
        QCOMPARE(folder->text(), path(QStringLiteral("checks/Kiv/Melvora/")));
        touch(path(QStringLiteral("checks/datei")));
        folder->setText(path(QStringLiteral("checks/datei/Melvora/")));
        QVERIFY(!next(*sheet));
        QCOMPARE(lastMessage(ui), QStringLiteral("Der Installations Ordner ist ungültig oder auf das Laufwerk kann nicht "
                                                 "geschrieben werden."));
        folder->clear();
        QVERIFY(!next(*sheet));
        QCOMPARE(lastMessage(ui), QStringLiteral("Sie müssen erst einen Installations Ordner auswählen."));
        folder->setText(path(QStringLiteral("checks/Ziel/")));
        QVERIFY(next(*sheet));
        QVERIFY(QFileInfo(path(QStringLiteral("checks/Ziel"))).isDir());

        // 7 (third): everything there, Next at once.
        auto *list = pageOf<CSetupPage7>(*sheet, CSetupSheet::System)->List();
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("Betriebssystem: Debian 12"));
        QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("Valid"));
        QCOMPARE(list->topLevelItemCount(), 6);
        QCOMPARE(list->topLevelItem(1)->text(1), QStringLiteral("Installed"));
        QVERIFY(!pageOf<CSetupPage7>(*sheet, CSetupSheet::System)->DownloadButton()->isEnabled());
        QVERIFY(next(*sheet));

        // 3 (fourth): the user name is required.
        QVERIFY(!next(*sheet));
        QCOMPARE(lastMessage(ui), QStringLiteral("Sie müssen einen Benutzername eingeben:"));
        field(*sheet, QStringLiteral("userName"))->setText(QStringLiteral("Hans"));
        QVERIFY(next(*sheet));

        // 4: a CD-ROM drive, or none.
        auto *cd = pageOf<CSetupPage4>(*sheet, CSetupSheet::CdDrive);
        QVERIFY(!next(*sheet));
        QCOMPARE(lastMessage(ui), QStringLiteral("Bitte wählen Sie ein CD-Laufwerk aus."));
        cd->Field()->setText(QStringLiteral("/home/"));
        QVERIFY(!next(*sheet));
        QCOMPARE(lastMessage(ui), QStringLiteral("Das ausgewählte Laufwerk ist kein CD-Laufwerk."));
        cd->NoDrive()->setChecked(true);
        QVERIFY(!cd->Field()->isEnabled());
        QVERIFY(next(*sheet));
        QCOMPARE(cd->Field()->text(), QString());
        QCOMPARE(sheet->Data().cdDrive, QString());

        // 5: the first medium.
        auto *medium = pageOf<CSetupPage5>(*sheet, CSetupSheet::Medium);
        QVERIFY(!medium->Name()->isEnabled());
        QVERIFY(!medium->Scan()->isEnabled());
        medium->Create()->setChecked(true);
        QVERIFY(medium->Name()->isEnabled() && medium->Scan()->isChecked() && medium->Quick()->isChecked());
        QVERIFY(!next(*sheet));
        QCOMPARE(lastMessage(ui), QStringLiteral("Bitte geben Sie einen Namen für das neue Medium ein."));
        medium->Name()->setText(QStringLiteral("Musik"));
        QVERIFY(!next(*sheet));
        QCOMPARE(lastMessage(ui), QStringLiteral("Bitte Wählen Sie einen Ordner für das Medium aus."));
        medium->Folder()->setText(QStringLiteral("/media/cdrom/musik/"));
        QVERIFY(!next(*sheet));
        QCOMPARE(lastMessage(ui), QStringLiteral("Sie können kein Medium auf einer CD erstellen."));
        medium->Folder()->setText(path(QStringLiteral("checks/datei/musik/")));
        QVERIFY(!next(*sheet));
        QCOMPARE(lastMessage(ui), QStringLiteral("Der Medium Ordner ist ungültig oder auf das Laufwerk kann nicht "
                                                 "geschrieben werden."));
        medium->Create()->setChecked(false);
        QVERIFY(!medium->Name()->isEnabled());
        QVERIFY(medium->Scan()->isChecked());  // unticking keeps the ticks
        QVERIFY(next(*sheet));
        QCOMPARE(sheet->Data().mediumName, QString());
        QCOMPARE(sheet->Data().scanMedium, 0);

        // Back keeps every value.
        sheet->back();
        sheet->back();
        sheet->back();
        QCOMPARE(field(*sheet, QStringLiteral("userName"))->text(), QStringLiteral("Hans"));
        sheet->back();
        sheet->back();
        QCOMPARE(sheet->currentPage()->findChild<CKivFolderField *>()->text(), path(QStringLiteral("checks/Ziel/")));
    }

    void anInvalidSystemIsToldButDoesNotStopTheWizard()
    {
        RecordingUi ui;
        auto sheet = makeSheet(QStringLiteral("invalid"), true, "ID=fedora\nPRETTY_NAME=\"Fedora Linux 39\"\n");
        sheet->currentPage()->findChild<QCheckBox *>()->setChecked(true);
        QVERIFY(next(*sheet));
        QVERIFY(next(*sheet));
        QCOMPARE(lastMessage(ui), QStringLiteral("Das Programm kann nicht unter Fedora Linux 39 installiert werden."));
        QCOMPARE(ui.messages().constLast().caption, QStringLiteral("Installation kann nicht fortgesetzt werden !"));
        auto *list = pageOf<CSetupPage7>(*sheet, CSetupSheet::System)->List();
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("Invalid"));
        QVERIFY(sheet->button(QWizard::NextButton)->isEnabled());
    }

    void aMissingPrerequisiteHoldsTheWizardUntilItIsDownloaded()
    {
        RecordingUi ui;
        auto sheet = makeSheet(QStringLiteral("missing"), false);
        QStringList asked;
        sheet->SetDownloadWindow([&](const QUrl &address, const QString &folder) {
            asked.append(address.fileName());
            // What the real window would leave: the list and an archive holding the driver.
            if (address.fileName() == QLatin1String("SHA256SUMS"))
                return true;
            touch(folder + QStringLiteral("libsqlite3odbc.so"));
            return false;
        });
        sheet->currentPage()->findChild<QCheckBox *>()->setChecked(true);
        QVERIFY(next(*sheet));
        QVERIFY(next(*sheet));
        auto *page = pageOf<CSetupPage7>(*sheet, CSetupSheet::System);
        QCOMPARE(lastMessage(ui), QStringLiteral("Setup hat festgestellt das zusätzliche Dateien aus dem Internet "
                                                 "benötigt werden.\nStellen Sie die Verbindung mit dem Internet her "
                                                 "und klicken Sie auf Download."));
        QCOMPARE(ui.messages().constLast().caption, QStringLiteral("Melvora Setup"));
        QCOMPARE(page->List()->topLevelItem(1)->text(1), QStringLiteral("Download"));
        QVERIFY(page->DownloadButton()->isEnabled());
        QVERIFY(!sheet->button(QWizard::NextButton)->isEnabled());
        QVERIFY(!next(*sheet));

        // A failed download is told and the page stays; what did arrive (here: the library itself,
        // as an extracted archive would leave it) shows as "Copy" and frees the way.
        const int messages = ui.messages().size();
        page->DownloadButton()->click();
        QCOMPARE(asked, (QStringList{QStringLiteral("SHA256SUMS"), QStringLiteral("libsqlite3odbc.zip")}));
        QCOMPARE(ui.messages().size(), messages + 1);
        QCOMPARE(lastMessage(ui), QStringLiteral("Beim download einer benötigten Datei ist ein Fehler aufgetreten."));
        QCOMPARE(page->List()->topLevelItem(1)->text(1), QStringLiteral("Copy"));
        QVERIFY(sheet->button(QWizard::NextButton)->isEnabled());
    }

    void finishInstallsAndASecondRunUpdatesTheSameUser()
    {
        RecordingUi ui;
        for (int run = 0; run < 2; ++run) {
            auto sheet = makeSheet(QStringLiteral("finish"));
            goToFinish(*sheet, QStringLiteral("Hans"));
            ui.clear();
            sheet->button(QWizard::FinishButton)->click();
            QVERIFY(sheet->Installed());
            QCOMPARE(ui.messages().size(), 1);
            QCOMPARE(lastMessage(ui), CSetupPage6::SuccessText());
            QCOMPARE(ui.messages().constLast().caption, QStringLiteral("Installation Beendet"));
            QCOMPARE(ui.messages().constLast().icon, KivIcon::Information);
            QCOMPARE(sheet->result(), int(QDialog::Accepted));
            QCOMPARE(pageOf<CSetupPage6>(*sheet, CSetupSheet::Finish)->Description()->text(),
                     QStringLiteral("Installation wird abgeschlossen."));
        }
        const QString folder = path(QStringLiteral("finish/Kiv/Melvora/"));
        QVERIFY(QFileInfo(folder + QStringLiteral("melvora")).isFile());
        QVERIFY(QFileInfo(folder + QStringLiteral("Setup.ini")).isFile());
        QCOMPARE(countUsers(folder + QStringLiteral("Datenbank/Melvora.db"), QStringLiteral("Hans")), 1);
    }

    void aFailedStepEndsInTheIncompleteMessage()
    {
        RecordingUi ui;
        auto sheet = makeSheet(QStringLiteral("failing"));
        // The program itself is missing from the source.
        QFile::remove(path(QStringLiteral("failing/Data/melvora")));
        goToFinish(*sheet, QStringLiteral("Eva"));
        ui.clear();
        sheet->button(QWizard::FinishButton)->click();
        QVERIFY(!sheet->Installed());
        QCOMPARE(ui.messages().size(), 1);
        QVERIFY(lastMessage(ui).startsWith(QStringLiteral("Die Installation von Melvora ist unvollständig.")));
        QVERIFY(lastMessage(ui).contains(QStringLiteral("Programm Files werden kopiert. melvora")));
        QCOMPARE(ui.messages().constLast().icon, KivIcon::Exclamation);
        QVERIFY(pageOf<CSetupPage6>(*sheet, CSetupSheet::Finish)->Failures()->text().contains(QStringLiteral("melvora")));
    }
};

int runWizardTest(int argc, char **argv)
{
    WizardTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WizardTest.moc"
