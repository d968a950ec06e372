#include "core/ProfileStore.h"
#include "core/Settings.h"
#include "core/StartFolder.h"
#include "support/RecordingUi.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class SettingsTest : public QObject
{
    Q_OBJECT

    QString storePath() const { return m_dir.path() + QStringLiteral("/KIV/Melvora.ini"); }

    CKivSetupRecord fullRecord() const
    {
        CKivSetupRecord r;
        r.SetProgramFolder(QStringLiteral("/opt/Kiv/Melvora/"));
        r.SetCdDrive(QStringLiteral("/media/cdrom/"));
        r.SetHelpFolder(QStringLiteral("/opt/Kiv/Melvora/Hilfe/"));
        r.SetDatabaseFile(QStringLiteral("/opt/Kiv/Melvora/Datenbank/Melvora.db"));
        r.SetDataSourceName(QStringLiteral("Melvora"));
        r.SetDataSourceUser(QStringLiteral("dbuser"));
        r.SetDataSourcePassword(QStringLiteral("dbpass"));
        r.SetUserName(QStringLiteral("Jürgen"));
        r.SetFirstMediumName(QStringLiteral("Musik"));
        r.SetCreateFirstMedium(1);
        return r;
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QFile::remove(storePath());
        QFile::remove(m_dir.path() + QStringLiteral("/Setup.ini"));
        QDir(m_dir.path()).rmdir(QStringLiteral("Setup.ini"));
        KivStartFolder::set(m_dir.path());
    }

    void caseInsensitiveLookup()
    {
        CKivProfileStore store(storePath());
        CKivSettings s(store);
        QCOMPARE(s.GetTagFilenameField(6), QString());  // past the last field

        store.setValue(QStringLiteral("odbc"), QStringLiteral("ALIASNAME"), QStringLiteral("Shared"));
        QCOMPARE(s.GetOdbcAliasname(), QStringLiteral("Shared"));
        s.SetOdbcAliasname(QStringLiteral("Other"));
        QCOMPARE(store.keys(QStringLiteral("ODBC")), QStringList{QStringLiteral("ALIASNAME")});
    }

    void everySetterWritesThroughAndOddTextsRoundTrip()
    {
        const QString odd = QStringLiteral("a\\b\nc=d;[e] %41 ");
        {
            CKivProfileStore store(storePath());
            CKivSettings s(store);
            s.SetUserName(QStringLiteral("Hans"));
            s.SetNormalBm(odd);
            s.SetNormalAnsicht(2);
            store.setValue(QStringLiteral("We;ird\n[Sec]"), odd, odd);
        }
        CKivProfileStore reread(storePath());
        CKivSettings s(reread);
        QCOMPARE(s.GetNormalBm(), odd);
        QCOMPARE(reread.value(QStringLiteral("we;ird\n[sec]"), odd), odd);
        QCOMPARE(s.ColumnProfileName(), QStringLiteral("Hans\\2V2"));
        QCOMPARE(reread.value(QStringLiteral("HANS\\normal"), QStringLiteral("ansicht")), QStringLiteral("2"));
    }

    void twoProcessesLoseNoWrite()
    {
        // Another instance on the same file stands for the second process's values at start.
        CKivProfileStore mine(storePath());
        CKivSettings s(mine);
        s.SetOdbcAliasname(QStringLiteral("Alias"));
        CKivProfileStore other(storePath());
        CKivSettings t(other);
        t.SetUserName(QStringLiteral("Benutzer"));
        QCOMPARE(s.GetUserName(), QStringLiteral("Benutzer"));
        QCOMPARE(t.GetOdbcAliasname(), QStringLiteral("Alias"));

        constexpr int count = 1000;
        QProcess a;
        QProcess b;
        a.start(QStringLiteral(PROFILE_WRITER), {storePath(), QStringLiteral("a"), QString::number(count)});
        b.start(QStringLiteral(PROFILE_WRITER), {storePath(), QStringLiteral("b"), QString::number(count)});
        QVERIFY(a.waitForFinished(300000));
        QVERIFY(b.waitForFinished(300000));
        QCOMPARE(a.exitCode(), 0);
        QCOMPARE(b.exitCode(), 0);
        const QString section = QStringLiteral("Shared");
        for (const QString &prefix : {QStringLiteral("a"), QStringLiteral("b")}) {
            for (int i = 0; i < count; ++i)
                QCOMPARE(mine.value(section, prefix + QString::number(i)), QString::number(i));
        }
        QCOMPARE(mine.keys(section).size(), 2 * count);
        QCOMPARE(s.GetOdbcAliasname(), QStringLiteral("Alias"));
        QCOMPARE(s.GetUserName(), QStringLiteral("Benutzer"));
    }

    void perUserSectionsFollowTheStoredName()
    {
        CKivProfileStore store(storePath());
        CKivSettings s(store);
        // No user yet: the sections hang off an empty name.
        QCOMPARE(s.UserSection(QStringLiteral("Normal")), QStringLiteral("\\Normal"));
        s.SetNormalFlags(5);
        QCOMPARE(store.value(QStringLiteral("\\Normal"), QStringLiteral("Flags")), QStringLiteral("5"));

        // A backslash in the name nests one level deeper.
        s.SetUserName(QStringLiteral("Club\\Hans"));
        QCOMPARE(s.GetNormalFlags(), 3);
        s.SetNormalFlags(1);
        QCOMPARE(store.childSections(QStringLiteral("Club")), QStringList{QStringLiteral("Hans")});
        QCOMPARE(store.childSections(QStringLiteral("Club\\Hans")), QStringList{QStringLiteral("Normal")});
        QVERIFY(store.removeSection(QStringLiteral("club")));
        QCOMPARE(s.GetNormalFlags(), 3);
        QCOMPARE(store.value(QStringLiteral("\\Normal"), QStringLiteral("Flags")), QStringLiteral("5"));
    }

    void colourModeAndValues()
    {
        CKivProfileStore store(storePath());
        CKivSettings s(store);
        s.SetTvColor1(QStringLiteral("0"));
        s.ApplyTvColors();
        QVERIFY(!s.IsNormalColorMode());
        QCOMPARE(s.GetColorColor1(), QStringLiteral("0"));
        s.ApplyNormalColors();
        QVERIFY(s.IsNormalColorMode());
        QCOMPARE(s.GetColorColor1(), QStringLiteral("16777215"));
        s.SetColorMode(QStringLiteral("normal"));  // only the exact text is the normal mode
        QVERIFY(!s.IsNormalColorMode());

        QCOMPARE(CKivSettings::ColorValue(QStringLiteral("14745599")), 0xE0FFFFu);
        QCOMPARE(CKivSettings::ColorValue(QStringLiteral("blue")), 0u);
        // A number that is no integer is no colour either.
        s.SetNormalColor1(QStringLiteral("x"));
        s.SetNormalFlags(7);
        store.setValue(s.UserSection(QStringLiteral("Normal")), QStringLiteral("Flags"), QStringLiteral("zz"));
        QCOMPARE(s.GetNormalFlags(), 3);
    }

    void setupRecordLayout()
    {
        CKivSetupRecord r;
        const QString folder(199, u'f');
        QVERIFY(r.SetFirstMediumFolder(folder));
        QVERIFY(!r.SetFirstMediumFolder(folder + u'x'));  // 200 characters leave no room for the zero
        r.SetScanFirstMedium(1);
        r.SetCreateFirstMedium(1);
        r.SetQuickImport(1);
        const QByteArray b = r.bytes();
        QCOMPARE(b.size(), 1464);
        QCOMPARE(b.mid(1250, 199), QByteArray(199, 'f'));
        QCOMPARE(b.mid(1449, 3), QByteArray(3, '\0'));
        QCOMPARE(b.mid(1452, 12), QByteArray("\1\0\0\0\1\0\0\0\1\0\0\0", 12));
    }

    void importWritesTheHandOverValues()
    {
        CKivProfileStore store(storePath());
        CKivSettings s(store);
        QVERIFY(!s.ImportSetupRecord());  // no file
        QVERIFY(fullRecord().save(m_dir.path() + QStringLiteral("/Setup.ini")));
        RecordingUi ui;
        QVERIFY(s.ImportSetupRecord());
        QVERIFY(ui.messages().isEmpty());
        QCOMPARE(s.GetUserName(), QStringLiteral("Jürgen"));
        QCOMPARE(s.GetOdbcAliasname(), QStringLiteral("Melvora"));
        QCOMPARE(s.GetOdbcPasswort(), QStringLiteral("dbpass"));
        QCOMPARE(s.GetCdDrive(), QStringLiteral("/media/cdrom/"));
        QCOMPARE(s.GetFolderHelpFiles(), QStringLiteral("/opt/Kiv/Melvora/Hilfe/"));
        QCOMPARE(s.GetFolderDatenbank(), QStringLiteral("/opt/Kiv/Melvora/Datenbank/Melvora.db"));
        QCOMPARE(s.GetNormalColor1(), QStringLiteral("6160384"));  // in the new user's section
        QCOMPARE(s.GetTvColor2(), QStringLiteral("14745599"));
        // The file stays until the first login deletes it.
        QVERIFY(s.DeleteSetupRecord());
        QVERIFY(!s.DeleteSetupRecord());
    }

    void recordWithoutDataSourceImportsOnlyFoldersAndUser()
    {
        CKivProfileStore store(storePath());
        CKivSettings s(store);
        s.SetOdbcAliasname(QStringLiteral("Kept"));
        s.SetFolderDatenbank(QStringLiteral("kept.db"));
        CKivSetupRecord r = fullRecord();
        r.SetDataSourceName(QString());
        r.SetCdDrive(QString());
        s.SetCdDrive(QStringLiteral("/media/keep/"));
        QVERIFY(r.save(m_dir.path() + QStringLiteral("/Setup.ini")));
        QVERIFY(s.ImportSetupRecord());
        QCOMPARE(s.GetFolderProgram(), QStringLiteral("/opt/Kiv/Melvora/"));
        QCOMPARE(s.GetUserName(), QStringLiteral("Jürgen"));
        QCOMPARE(s.GetOdbcAliasname(), QStringLiteral("Kept"));
        QCOMPARE(s.GetFolderDatenbank(), QStringLiteral("kept.db"));
        QCOMPARE(s.GetCdDrive(), QStringLiteral("/media/keep/"));
        QCOMPARE(s.GetNormalColor1(), QStringLiteral("16777215"));
    }

    void recordsOfAWrongSizeAreUnreadable_data()
    {
        QTest::addColumn<QByteArray>("content");
        const QByteArray record = fullRecord().bytes();
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("short") << record.left(952);
        QTest::newRow("one byte short") << record.left(1463);
        QTest::newRow("one byte long") << record + 'x';
        QByteArray random(4096, '\0');
        for (qsizetype i = 0; i < random.size(); ++i)
            random[i] = char((i * 7919 + 13) % 251);
        QTest::newRow("random") << random;
    }

    void recordsOfAWrongSizeAreUnreadable()
    {
        QFETCH(QByteArray, content);
        CKivProfileStore store(storePath());
        CKivSettings s(store);
        s.SetOdbcAliasname(QStringLiteral("Kept"));
        s.SetUserName(QStringLiteral("anna"));
        QFile f(m_dir.path() + QStringLiteral("/Setup.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        RecordingUi ui;
        QVERIFY(!s.ReadSetupRecord().has_value());
        QVERIFY(!s.ImportSetupRecord());
        QCOMPARE(ui.messages().size(), 2);
        QCOMPARE(ui.messages()[1].text, QStringLiteral("Beim Öffnen oder Speichern der Datei ist ein Fehler aufgetreten !"));
        QCOMPARE(s.GetOdbcAliasname(), QStringLiteral("Kept"));
        QCOMPARE(s.GetUserName(), QStringLiteral("anna"));
        QCOMPARE(s.GetFolderProgram(), QString());
        QVERIFY(f.exists());
    }

    void shortAndUnreadableRecords()
    {
        CKivProfileStore store(storePath());
        CKivSettings s(store);
        // A folder named like the record: the warning, and nothing imported.
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("Setup.ini")));
        RecordingUi ui;
        QVERIFY(!s.ImportSetupRecord());
        QCOMPARE(ui.messages().size(), 1);
        QCOMPARE(ui.messages()[0].text, QStringLiteral("Beim Öffnen oder Speichern der Datei ist ein Fehler aufgetreten !"));
        QCOMPARE(ui.messages()[0].caption, QStringLiteral("Warnung"));
        QCOMPARE(ui.messages()[0].icon, KivIcon::Stop);
        QCOMPARE(s.GetUserName(), QString());
        QVERIFY(!s.DeleteSetupRecord());
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "SettingsTest.moc"
