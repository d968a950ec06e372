#pragma once

#include "core/UserInterface.h"

// Setup's user interface on widgets: the core's messages as message boxes with German buttons,
// owned by the wizard's window. Setup has no connection or filter dialog. Installs itself for its
// lifetime.
class CKivSetupUi final : public IKivUserInterface
{
public:
    CKivSetupUi();
    ~CKivSetupUi() override;
    CKivSetupUi(const CKivSetupUi &) = delete;
    CKivSetupUi &operator=(const CKivSetupUi &) = delete;

    KivAnswer showMessage(const QString &text, const QString &caption, KivIcon icon, KivButtons buttons) override;
    bool runConnectionDialog(CKivDatabase &) override { return false; }
    bool runFilterDialog(IKivMp3Filter &) override { return false; }
};
