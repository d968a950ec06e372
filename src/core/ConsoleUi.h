#pragma once

#include "core/UserInterface.h"

#include <QMutex>

// The user interface of the command-line programs: messages go to the standard error stream with
// their captions, from whichever thread they come; nobody can answer, so every question is declined.
// Installs itself for its lifetime.
class CKivConsoleUi final : public IKivUserInterface
{
public:
    CKivConsoleUi();
    ~CKivConsoleUi() override;
    CKivConsoleUi(const CKivConsoleUi &) = delete;
    CKivConsoleUi &operator=(const CKivConsoleUi &) = delete;

    KivAnswer showMessage(const QString &text, const QString &caption, KivIcon icon, KivButtons buttons) override;
    bool runConnectionDialog(CKivDatabase &) override { return false; }
    bool runFilterDialog(IKivMp3Filter &) override { return false; }

    // Lines of the program's own, in step with the messages.
    void printError(const QString &text);
    void print(const QString &text);

private:
    QMutex m_mutex;
};
