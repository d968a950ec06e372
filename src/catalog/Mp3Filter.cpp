#include "catalog/Mp3Filter.h"

#include "core/UserInterface.h"

bool KivRefuseInvalidFilter(IKivMp3Filter &filter)
{
    kivUi().showMessage(QStringLiteral("Der eingestellte Filter ist ungültig ! Bitte Überprüfen Sie Ihre eingabe."),
                        QStringLiteral("Warnung !"), KivIcon::Exclamation);
    kivUi().runFilterDialog(filter);
    return false;
}
