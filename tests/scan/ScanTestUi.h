#pragma once

#include "app/core/UserInterface.h"

#include <QList>
#include <QMutex>
#include <QString>
#include <QThread>

#include <functional>

// The user interface of the scan tests: records every message with the thread that showed it and
// answers as told. With marshal set, a message raised on another thread is shown on the main thread
// through a blocking queued call, as the widget layer does; onMessage then runs there too.
class ScanTestUi final : public IKivUserInterface
{
public:
    struct Message
    {
        QString text;
        QString caption;
        KivIcon icon;
        QThread *shownOn;
        QThread *raisedOn;
    };

    ScanTestUi();
    ~ScanTestUi() override;

    KivAnswer showMessage(const QString &text, const QString &caption, KivIcon icon, KivButtons buttons) override;
    bool runConnectionDialog(CKivDatabase &) override { return false; }
    bool runFilterDialog(IKivMp3Filter &) override { return false; }

    bool marshal = false;
    KivAnswer answer = KivAnswer::Yes;
    // Runs for every message, before it is recorded.
    std::function<void(const QString &text)> onMessage;

    QList<Message> messages() const;
    int count(const QString &caption) const;
    void clear();

private:
    KivAnswer show(const QString &text, const QString &caption, KivIcon icon, QThread *raisedOn);

    mutable QMutex m_mutex;
    QList<Message> m_messages;
};
