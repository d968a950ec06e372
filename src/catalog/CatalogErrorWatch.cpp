#include "catalog/CatalogErrorWatch.h"

#include "catalog/Database.h"
#include "core/UserInterface.h"

CKivCatalogErrorWatch::CKivCatalogErrorWatch(CKivDatabase &db)
    : m_db(db), m_errorsAtStart(db.ErrorCount()), m_outermost(db.CommandDepth()++ == 0)
{
    // A connection lost during an earlier command is opened again before this one reads or writes.
    if (m_outermost)
        m_db.Revive();
    m_errorsAtStart = m_db.ErrorCount();
}

CKivCatalogErrorWatch::~CKivCatalogErrorWatch()
{
    --m_db.CommandDepth();
    if (!Failed())
        return;
    if (m_db.ConnectionLost())
        Report(LostConnectionText(m_db.DataSourceName(), m_db.LastErrorText()));
    else
        Report(m_db.LastErrorText());
    // A command run inside another reports its failure; the outer one does not repeat it.
    m_db.ErrorsShownSince(m_errorsAtStart);
}

bool CKivCatalogErrorWatch::Failed() const
{
    return m_db.ErrorCount() != m_errorsAtStart;
}

void CKivCatalogErrorWatch::Report(const QString &driverText)
{
    kivUi().showMessage(driverText, Caption(), KivIcon::Stop);
}

QString CKivCatalogErrorWatch::LostConnectionText(const QString &dataSource, const QString &driverText)
{
    return QStringLiteral("Die Verbindung zur Datenbank \"%1\" ist unterbrochen.\n%2").arg(dataSource, driverText);
}

QString CKivCatalogErrorWatch::Caption()
{
    return QStringLiteral("Datenbank Fehler");
}
