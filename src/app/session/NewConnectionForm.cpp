#include "app/session/NewConnectionForm.h"

#include "catalog/CatalogLog.h"
#include "catalog/Database.h"
#include "catalog/PgPass.h"
#include "core/UserInterface.h"

CKivNewConnectionForm::CKivNewConnectionForm(const QString &dataSourceName)
    : m_dsn(dataSourceName), m_portText(QString::number(m_source.port))
{
}

void CKivNewConnectionForm::SetPort(const QString &text)
{
    m_portText = text.trimmed();
    bool ok = false;
    const int port = m_portText.toInt(&ok);
    m_source.port = ok ? port : 0;
}

QStringList CKivNewConnectionForm::SslModeLabels()
{
    return {QStringLiteral("Keine"), QStringLiteral("Wenn der Server sie anbietet"), QStringLiteral("Immer"),
            QStringLiteral("Immer, mit geprüftem Server-Zertifikat")};
}

int CKivNewConnectionForm::SslModeIndex() const
{
    return int(CKivPostgresSource::SslModes().indexOf(m_source.sslmode));
}

void CKivNewConnectionForm::SetSslModeIndex(int index)
{
    m_source.sslmode = CKivPostgresSource::SslModes().value(index, QStringLiteral("prefer"));
}

QString CKivNewConnectionForm::MissingValuesText()
{
    return QStringLiteral("Bitte geben Sie Verbindungsname, Server, Port (1 bis 65535), Datenbank und Benutzer "
                          "an !\nSie dürfen keine Zeichen wie ; = { } enthalten.");
}

QString CKivNewConnectionForm::TestFailedText(const QString &driverText)
{
    return QStringLiteral("Die Verbindung zum Server kann nicht hergestellt werden:\n") + driverText;
}

bool CKivNewConnectionForm::refuse(const QString &text)
{
    kivUi().showMessage(text, QStringLiteral("Warnung !"), KivIcon::Exclamation);
    return false;
}

bool CKivNewConnectionForm::Accept()
{
    m_source.host = m_source.host.trimmed();
    m_source.database = m_source.database.trimmed();
    m_source.user = m_source.user.trimmed();
    if (m_dsn.isEmpty() || !m_source.Invalid().isEmpty())
        return refuse(MissingValuesText());
    // The client library reads the password from its password file: it is stored there first, so
    // that the test connects exactly as the registered data source will.
    QString error;
    if (!m_password.isEmpty() &&
        !CKivPgPass::Store(CKivPgPass::DefaultPath(), m_source.PasswordEntry(), m_password, &error)) {
        qCWarning(lcCatalog).noquote() << "Storing the password failed:" << error;
        return refuse(TestFailedText(error));
    }
    if (const QString driverText = m_source.TestConnection(); !driverText.isEmpty())
        return refuse(TestFailedText(driverText));
    if (!m_source.Register(m_dsn, &error)) {
        qCWarning(lcCatalog).noquote() << "Registering" << m_dsn << "failed:" << error;
        kivUi().showMessage(CKivDatabase::RegisterResultText(false), CKivDatabase::RegisterResultCaption(),
                            KivIcon::None);
        return false;
    }
    return true;
}
