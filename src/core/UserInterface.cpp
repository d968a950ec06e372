#include "core/UserInterface.h"

#include <QLoggingCategory>

#include <atomic>

Q_LOGGING_CATEGORY(lcUi, "melvora.ui")

namespace {

class SilentUserInterface final : public IKivUserInterface
{
public:
    KivAnswer showMessage(const QString &text, const QString &caption, KivIcon, KivButtons buttons) override
    {
        qCInfo(lcUi).noquote() << caption << ":" << text;
        // Nobody can confirm anything here: every question is declined.
        switch (buttons) {
        case KivButtons::Ok:
            return KivAnswer::Ok;
        case KivButtons::YesNo:
            return KivAnswer::No;
        default:
            return KivAnswer::Cancel;
        }
    }
    bool runConnectionDialog(CKivDatabase &) override { return false; }
    bool runFilterDialog(IKivMp3Filter &) override { return false; }
};

SilentUserInterface g_silent;
std::atomic<IKivUserInterface *> g_current{nullptr};

} // namespace

IKivUserInterface &kivUi()
{
    IKivUserInterface *ui = g_current.load(std::memory_order_acquire);
    return ui ? *ui : g_silent;
}

void installKivUi(IKivUserInterface *ui)
{
    g_current.store(ui, std::memory_order_release);
}
