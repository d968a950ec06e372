#include "support/CatalogFixture.h"

#include "catalog/CatalogCreator.h"
#include "catalog/RsBenutzer.h"

#include <QFile>
#include <QtGlobal>

namespace {

QTemporaryDir &privateIniFolder()
{
    static QTemporaryDir dir;
    return dir;
}

} // namespace

bool CatalogFixture::isolateOdbcIni()
{
    const QString shared = qEnvironmentVariable("ODBCINI");
    if (shared.isEmpty() || !QFile::exists(shared)) {
        qWarning("ODBCINI names no test odbc.ini: run the catalog tests through scripts/test.sh");
        return false;
    }
    const QString copy = privateIniFolder().filePath(QStringLiteral("odbc.ini"));
    QFile::remove(copy);
    if (!QFile::copy(shared, copy))
        return false;
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    qputenv("ODBCINI", QFile::encodeName(copy));
    return true;
}

QString CatalogFixture::dataSourceName()
{
    const QString dsn = qEnvironmentVariable("MELVORA_TEST_DSN");
    return dsn.isEmpty() ? QStringLiteral("MelvoraTestSqlite") : dsn;
}

CatalogFixture::CatalogFixture()
    : m_store(std::make_unique<CKivProfileStore>(m_dir.filePath(QStringLiteral("Melvora.ini")))),
      m_settings(std::make_unique<CKivSettings>(*m_store))
{
    m_settings->SetOdbcAliasname(dataSourceName());
    m_db = std::make_unique<CKivDatabase>(*m_settings);
}

CatalogFixture::~CatalogFixture() = default;

bool CatalogFixture::recreate()
{
    m_db->Close();
    CKivCatalogCreator creator;
    if (!creator.CreateForDataSource(dataSourceName(), true)) {
        qWarning("Creating the test catalog failed: %s", qPrintable(creator.lastError()));
        return false;
    }
    return m_db->Connect(false);
}

bool CatalogFixture::isPostgres() const
{
    return m_db->IsOpen() && m_db->dialect().engine() == CKivSqlDialect::Engine::PostgreSQL;
}

int CatalogFixture::addUser(const QString &name, const QString &storedPassword)
{
    CRsBenutzer user(*m_db);
    user.AddNew();
    user.m_Benutzername = name;
    user.m_Vorname = QStringLiteral("Vor ") + name;
    user.m_Name = QStringLiteral("Nach ") + name;
    user.m_Email = name + QStringLiteral("@example.org");
    user.m_Passwort = storedPassword.isNull() ? QStringLiteral("") : storedPassword;
    return user.Update() ? user.m_ID : 0;
}

QString CatalogFixture::storedPassword(int id)
{
    CRsBenutzer user(*m_db);
    return user.OpenById(id) ? user.m_Passwort : QString();
}
