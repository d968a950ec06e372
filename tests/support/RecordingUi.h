#pragma once

#include "core/UserInterface.h"

#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <QThread>

#include <functional>

// Test double of the user interface: records every message and dialog request and answers as the
// test tells it. Installs itself for its lifetime. With `marshal` set, a message raised on another
// thread is shown on the main thread through a blocking queued call, as the widget layer does.
class RecordingUi final : public IKivUserInterface
{
public:
    struct Message
    {
        QString text;
        QString caption;
        KivIcon icon;
        KivButtons buttons;
        QThread *shownOn;
        QThread *raisedOn;
    };

    RecordingUi();
    ~RecordingUi() override;

    KivAnswer showMessage(const QString &text, const QString &caption, KivIcon icon, KivButtons buttons) override;
    bool runConnectionDialog(CKivDatabase &db) override;
    bool runFilterDialog(IKivMp3Filter &filter) override;
    bool runWhileBusy(const QString &text, const QString &caption, const std::function<bool()> &work) override;

    // Answers given to showMessage in turn; once used up, every message is answered with `fallback`.
    QList<KivAnswer> answers;
    KivAnswer fallback = KivAnswer::Ok;
    std::function<bool(CKivDatabase &)> onConnectionDialog;
    std::function<bool(IKivMp3Filter &)> onFilterDialog;
    bool marshal = false;
    // Runs for every message (on the thread that shows it), before it is recorded.
    std::function<void(const QString &text)> onMessage;

    QList<Message> messages() const;
    // How many messages came with this caption.
    int count(const QString &caption) const;
    int connectionDialogs() const;
    int filterDialogs() const;
    // The texts of the busy windows shown, with their captions ("caption: text").
    QStringList busyWindows() const;
    void clear();

private:
    KivAnswer record(const Message &message);

    mutable QMutex m_mutex;
    QList<Message> m_messages;
    int m_connectionDialogs = 0;
    int m_filterDialogs = 0;
    QStringList m_busyWindows;
};
