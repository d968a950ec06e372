#include "catalog/OdbcIni.h"

#include "catalog/CatalogLog.h"

#include <QByteArray>
#include <QMutex>
#include <QMutexLocker>

#include <odbcinst.h>

namespace {

QMutex g_installerMutex;
const char *const kOdbcIni = "odbc.ini";

QString readValue(const QString &dsn, const QString &key)
{
    const QByteArray section = dsn.toUtf8();
    const QByteArray entry = key.toUtf8();
    QByteArray buffer(4096, '\0');
    const int length = SQLGetPrivateProfileString(section.constData(), entry.constData(), "", buffer.data(),
                                                  int(buffer.size()), kOdbcIni);
    if (length <= 0)
        return {};
    return QString::fromUtf8(buffer.constData(), qMin<qsizetype>(length, qstrlen(buffer.constData())));
}

} // namespace

QString CKivOdbcIni::Value(const QString &dsn, const QString &key)
{
    if (dsn.isEmpty())
        return {};
    QMutexLocker lock(&g_installerMutex);
    return readValue(dsn, key);
}

bool CKivOdbcIni::IsSqliteDriver(const QString &driver)
{
    return driver.contains(QLatin1String("sqlite"), Qt::CaseInsensitive);
}

QString CKivOdbcIni::SqliteDatabaseFile(const QString &dsn)
{
    QMutexLocker lock(&g_installerMutex);
    const QString database = readValue(dsn, QStringLiteral("Database"));
    return database.isEmpty() ? readValue(dsn, QStringLiteral("DBQ")) : database;
}

bool CKivOdbcIni::WriteUserDataSource(const QString &dsn, const QString &driver, const Attributes &attributes)
{
    QMutexLocker lock(&g_installerMutex);
    SQLSetConfigMode(ODBC_USER_DSN);
    bool ok = SQLWriteDSNToIni(dsn.toUtf8().constData(), driver.toUtf8().constData());
    for (const auto &[key, value] : attributes) {
        if (!ok)
            break;
        ok = SQLWritePrivateProfileString(dsn.toUtf8().constData(), key.toUtf8().constData(),
                                          value.toUtf8().constData(), kOdbcIni);
    }
    SQLSetConfigMode(ODBC_BOTH_DSN);
    if (!ok)
        qCWarning(lcCatalog).noquote()
            << "Registering data source" << dsn << "failed:" << LastInstallerError();
    return ok;
}

QString CKivOdbcIni::LastInstallerError()
{
    DWORD code = 0;
    char message[512] = {};
    WORD length = 0;
    if (SQLInstallerError(1, &code, message, sizeof message, &length) == SQL_NO_DATA)
        return QStringLiteral("no installer error recorded");
    return QStringLiteral("%1 (%2)").arg(QString::fromUtf8(message)).arg(code);
}
