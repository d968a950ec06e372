#include "setup/ui/SetupUi.h"

#include "controls/ui/MessageBox.h"

CKivSetupUi::CKivSetupUi()
{
    installKivUi(this);
}

CKivSetupUi::~CKivSetupUi()
{
    installKivUi(nullptr);
}

KivAnswer CKivSetupUi::showMessage(const QString &text, const QString &caption, KivIcon icon, KivButtons buttons)
{
    return KivMessageBox::show(text, caption, icon, buttons);
}
