#include "catalog/CatalogErrorWatch.h"

#include "catalog/Database.h"
#include "core/UserInterface.h"

CKivCatalogErrorWatch::CKivCatalogErrorWatch(CKivDatabase &db) : m_db(db), m_errorsAtStart(db.ErrorCount()) {}

CKivCatalogErrorWatch::~CKivCatalogErrorWatch()
{
    if (!Failed())
        return;
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

QString CKivCatalogErrorWatch::Caption()
{
    return QStringLiteral("Datenbank Fehler");
}
