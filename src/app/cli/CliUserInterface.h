#pragma once

#include "app/core/UserInterface.h"

#include <QMutex>

// The user interface of melvora-cli: every message goes to stderr as "caption: text", from whichever
// thread it comes. Nobody can answer a question here, so questions are declined (No / Cancel).
// Installs itself for its lifetime.
class CliUserInterface final : public IKivUserInterface
{
public:
    CliUserInterface();
    ~CliUserInterface() override;
    CliUserInterface(const CliUserInterface &) = delete;
    CliUserInterface &operator=(const CliUserInterface &) = delete;

    KivAnswer showMessage(const QString &text, const QString &caption, KivIcon icon, KivButtons buttons) override;
    bool runConnectionDialog(CKivDatabase &) override { return false; }
    bool runFilterDialog(IKivMp3Filter &) override { return false; }

    // Writes a line of the tool's own to stderr, in step with the messages.
    void printError(const QString &text);

private:
    QMutex m_mutex;
};
