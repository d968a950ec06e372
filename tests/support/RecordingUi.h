#pragma once

#include "app/core/UserInterface.h"

#include <QList>
#include <QMutex>
#include <QString>

#include <functional>

// Test double of the user interface: records every message and dialog request and answers as the
// test tells it. Installs itself for its lifetime.
class RecordingUi final : public IKivUserInterface
{
public:
    struct Message
    {
        QString text;
        QString caption;
        KivIcon icon;
        KivButtons buttons;
    };

    RecordingUi();
    ~RecordingUi() override;

    KivAnswer showMessage(const QString &text, const QString &caption, KivIcon icon, KivButtons buttons) override;
    bool runConnectionDialog(CKivDatabase &db) override;
    bool runFilterDialog(IKivMp3Filter &filter) override;

    // Answers given to showMessage in turn; once used up, every message is answered with `fallback`.
    QList<KivAnswer> answers;
    KivAnswer fallback = KivAnswer::Ok;
    std::function<bool(CKivDatabase &)> onConnectionDialog;
    std::function<bool(IKivMp3Filter &)> onFilterDialog;

    QList<Message> messages() const;
    int connectionDialogs() const;
    int filterDialogs() const;
    void clear();

private:
    mutable QMutex m_mutex;
    QList<Message> m_messages;
    int m_connectionDialogs = 0;
    int m_filterDialogs = 0;
};
