#pragma once

#include "app/core/UserInterface.h"

#include <QMutex>

// The user interface of the unattended installation: messages go to the standard error stream with
// their captions; every question is declined. Installs itself for its lifetime.
class ConsoleUi final : public IKivUserInterface
{
public:
    ConsoleUi();
    ~ConsoleUi() override;
    ConsoleUi(const ConsoleUi &) = delete;
    ConsoleUi &operator=(const ConsoleUi &) = delete;

    KivAnswer showMessage(const QString &text, const QString &caption, KivIcon icon, KivButtons buttons) override;
    bool runConnectionDialog(CKivDatabase &) override { return false; }
    bool runFilterDialog(IKivMp3Filter &) override { return false; }

    void printError(const QString &text);
    void print(const QString &text);

private:
    QMutex m_mutex;
};
