#include "catalog/CatalogUpgradeOffer.h"

#include "catalog/CatalogIndexes.h"
#include "catalog/Database.h"
#include "core/UserInterface.h"

#include <QSqlDatabase>

namespace KivCatalogUpgradeOffer {

bool Run(CKivDatabase &db)
{
    if (!db.IsOpen())
        return false;
    QSqlDatabase connection = db.connection();
    const CKivSqlDialect::Engine engine = db.dialect().engine();
    if (CKivCatalogIndexes::MissingNames(CKivCatalogIndexes::Run(connection, engine)).isEmpty())
        return true;
    const KivAnswer answer = kivUi().showMessage(
        QStringLiteral("Dem Katalog fehlen Indizes, die das Suchen beschleunigen. Er funktioniert auch ohne "
                       "sie, nur langsamer.\nSollen sie jetzt angelegt werden ? Bei einem großen Katalog kann "
                       "das einige Minuten dauern."),
        QStringLiteral("Katalog aktualisieren"), KivIcon::Question, KivButtons::YesNo);
    if (answer != KivAnswer::Yes)
        return false;
    QString error;
    // Filling a new full-text index of a large catalog takes minutes: the user sees why he waits.
    const bool upgraded = kivUi().runWhileBusy(
        QStringLiteral("Der Katalog wird aktualisiert. Das kann einige Minuten dauern, bitte warten ..."),
        QStringLiteral("Katalog aktualisieren"),
        [&] { return CKivCatalogIndexes::Upgrade(connection, engine, nullptr, &error); });
    db.RedetectDialect();
    if (!upgraded) {
        db.NoteError(error);
        kivUi().showMessage(QStringLiteral("Der Katalog konnte nicht aktualisiert werden. Er bleibt, wie er "
                                           "war, und funktioniert weiter."),
                            QStringLiteral("Warnung"), KivIcon::Exclamation);
    }
    return upgraded;
}

} // namespace KivCatalogUpgradeOffer
