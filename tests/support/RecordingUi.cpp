#include "support/RecordingUi.h"

#include <QCoreApplication>

RecordingUi::RecordingUi()
{
    installKivUi(this);
}

RecordingUi::~RecordingUi()
{
    installKivUi(nullptr);
}

KivAnswer RecordingUi::showMessage(const QString &text, const QString &caption, KivIcon icon, KivButtons buttons)
{
    QThread *const raisedOn = QThread::currentThread();
    QCoreApplication *const app = QCoreApplication::instance();
    if (!marshal || !app || raisedOn == app->thread())
        return record({text, caption, icon, buttons, raisedOn, raisedOn});
    KivAnswer answer = KivAnswer::Ok;
    QMetaObject::invokeMethod(
        app, [&] { answer = record({text, caption, icon, buttons, QThread::currentThread(), raisedOn}); },
        Qt::BlockingQueuedConnection);
    return answer;
}

KivAnswer RecordingUi::record(const Message &message)
{
    if (onMessage)
        onMessage(message.text);
    QMutexLocker lock(&m_mutex);
    m_messages.append(message);
    return answers.isEmpty() ? fallback : answers.takeFirst();
}

bool RecordingUi::runConnectionDialog(CKivDatabase &db)
{
    {
        QMutexLocker lock(&m_mutex);
        ++m_connectionDialogs;
    }
    return onConnectionDialog ? onConnectionDialog(db) : false;
}

bool RecordingUi::runFilterDialog(IKivMp3Filter &filter)
{
    {
        QMutexLocker lock(&m_mutex);
        ++m_filterDialogs;
    }
    return onFilterDialog ? onFilterDialog(filter) : false;
}

QList<RecordingUi::Message> RecordingUi::messages() const
{
    QMutexLocker lock(&m_mutex);
    return m_messages;
}

int RecordingUi::count(const QString &caption) const
{
    QMutexLocker lock(&m_mutex);
    int n = 0;
    for (const Message &message : m_messages)
        n += message.caption == caption ? 1 : 0;
    return n;
}

int RecordingUi::connectionDialogs() const
{
    QMutexLocker lock(&m_mutex);
    return m_connectionDialogs;
}

bool RecordingUi::runWhileBusy(const QString &text, const QString &caption, const std::function<bool()> &work)
{
    {
        QMutexLocker lock(&m_mutex);
        m_busyWindows.append(caption + QStringLiteral(": ") + text);
    }
    return work();
}

QStringList RecordingUi::busyWindows() const
{
    QMutexLocker lock(&m_mutex);
    return m_busyWindows;
}

int RecordingUi::filterDialogs() const
{
    QMutexLocker lock(&m_mutex);
    return m_filterDialogs;
}

void RecordingUi::clear()
{
    QMutexLocker lock(&m_mutex);
    m_messages.clear();
    m_connectionDialogs = 0;
    m_filterDialogs = 0;
    m_busyWindows.clear();
}
