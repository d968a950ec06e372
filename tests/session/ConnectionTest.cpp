#include "core/Settings.h"
#include "app/session/ConnectionForm.h"
#include "catalog/CatalogCreator.h"
#include "catalog/OdbcIni.h"
#include "session/SessionTests.h"
#include "support/TestRegistry.h"
#include "support/CatalogFixture.h"
#include "support/RecordingUi.h"

#include <QTest>

// The connection dialog's actions against a private odbc.ini: opening with and without a connection,
// "OK" with bad and good values, and registering a chosen catalog file.
class ConnectionTest : public QObject
{
    Q_OBJECT

    CatalogFixture m_f;

private Q_SLOTS:
    void init() { QVERIFY(m_f.recreate()); }
    void cleanup()
    {
        m_f.db().Close();
        m_f.settings().SetOdbcAliasname(CatalogFixture::dataSourceName());
        m_f.settings().SetOdbcUsername(QString());
        m_f.settings().SetOdbcPasswort(QString());
    }

    void changingAnOpenConnectionTakesEffectAtTheNextStart()
    {
        m_f.settings().SetOdbcUsername(QStringLiteral("ich"));
        RecordingUi ui;
        CKivConnectionForm form(m_f.settings(), m_f.db());
        form.UpdateStatus();
        QCOMPARE(form.StatusText(), QStringLiteral("Verbunden"));
        QVERIFY(!form.Open());  // connected: no file choice is offered
        QCOMPARE(form.Aliasname(), CatalogFixture::dataSourceName());
        QCOMPARE(form.Username(), QStringLiteral("ich"));

        form.SetAliasname(QStringLiteral("Anderswo"));
        form.SetPasswort(QStringLiteral("pw"));
        QVERIFY(form.Accept());
        QCOMPARE(m_f.settings().GetOdbcAliasname(), QStringLiteral("Anderswo"));
        QCOMPARE(m_f.settings().GetOdbcPasswort(), QStringLiteral("pw"));
        QCOMPARE(ui.messages().size(), 1);
        QCOMPARE(ui.messages().at(0).text,
                 QStringLiteral("Die Änderungen der Verbindung wird erst nach dem Neustart des Programms wirksamm."));
        QCOMPARE(ui.messages().at(0).caption, QStringLiteral("Warnung !"));
        // The running program keeps its connection.
        QVERIFY(m_f.db().IsOpen());
        QCOMPARE(m_f.db().DataSourceName(), CatalogFixture::dataSourceName());
    }

    void withoutAConnectionTheFileChoiceLeadsToAWorkingCatalog()
    {
        m_f.db().Close();
        m_f.settings().SetOdbcAliasname(QString());  // stands for "Melvora", which the test ini lacks
        RecordingUi ui;
        CKivConnectionForm form(m_f.settings(), m_f.db());
        form.UpdateStatus();
        QCOMPARE(form.StatusText(), QStringLiteral("Nicht Verbunden"));
        QVERIFY(form.Open());
        QCOMPARE(form.Aliasname(), QStringLiteral("Melvora"));

        form.SetAliasname(QStringLiteral("MelvoraGewaehlt"));
        QVERIFY(!form.Accept());
        QCOMPARE(ui.messages().size(), 1);
        QCOMPARE(ui.messages().at(0).text, QStringLiteral("Datenbankverbindung kann nicht hergestellt werden! Die "
                                                          "Verbindungsdaten sind ungültig !"));

        const QString file = m_f.scratchPath(QStringLiteral("Gewaehlt.db"));
        QVERIFY(CKivCatalogCreator().CreateSqliteFile(file));
        QVERIFY(form.ChooseFile(file));
        QCOMPARE(ui.messages().size(), 2);
        QCOMPARE(ui.messages().at(1).caption, QStringLiteral("INFORMATION"));
        QCOMPARE(ui.messages().at(1).text, QStringLiteral("Datenbankverbindung wurde erfolgreich aktualisiert !"));
        QCOMPARE(ui.messages().at(1).icon, KivIcon::None);
        QCOMPARE(CKivOdbcIni::SqliteDatabaseFile(QStringLiteral("MelvoraGewaehlt")), file);
        QVERIFY(!m_f.db().IsOpen());  // registering does not connect

        QVERIFY(form.Accept());
        QVERIFY(m_f.db().IsOpen());
        QCOMPARE(m_f.db().DataSourceName(), QStringLiteral("MelvoraGewaehlt"));
        QCOMPARE(ui.messages().size(), 2);  // no restart message: there was no connection before
    }

    void aFileWhoseRegistrationDoesNotFitIsRefused()
    {
        RecordingUi ui;
        CKivConnectionForm form(m_f.settings(), m_f.db());
        form.Open();
        form.SetAliasname(QStringLiteral("MelvoraLang"));
        QVERIFY(!form.ChooseFile(QStringLiteral("/tmp/") + QString(200, u'x') + QStringLiteral(".db")));
        QCOMPARE(ui.messages().size(), 1);
        QCOMPARE(ui.messages().at(0).text,
                 QStringLiteral("Beim erstellen der Datenbankverbindung ist ein Fehler aufgetreten !"));
        QVERIFY(CKivOdbcIni::Driver(QStringLiteral("MelvoraLang")).isEmpty());
    }
};

MELVORA_TEST(ConnectionTest, sessionSetUp);

#include "ConnectionTest.moc"
