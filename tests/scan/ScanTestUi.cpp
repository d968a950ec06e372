#include "scan/ScanTestUi.h"

#include <QCoreApplication>
#include <QMutexLocker>

ScanTestUi::ScanTestUi()
{
    installKivUi(this);
}

ScanTestUi::~ScanTestUi()
{
    installKivUi(nullptr);
}

KivAnswer ScanTestUi::showMessage(const QString &text, const QString &caption, KivIcon icon, KivButtons)
{
    QThread *const raisedOn = QThread::currentThread();
    QCoreApplication *app = QCoreApplication::instance();
    if (!marshal || raisedOn == app->thread())
        return show(text, caption, icon, raisedOn);
    KivAnswer result = KivAnswer::Ok;
    QMetaObject::invokeMethod(
        app, [&] { result = show(text, caption, icon, raisedOn); }, Qt::BlockingQueuedConnection);
    return result;
}

KivAnswer ScanTestUi::show(const QString &text, const QString &caption, KivIcon icon, QThread *raisedOn)
{
    if (onMessage)
        onMessage(text);
    QMutexLocker lock(&m_mutex);
    m_messages.append({text, caption, icon, QThread::currentThread(), raisedOn});
    return answer;
}

QList<ScanTestUi::Message> ScanTestUi::messages() const
{
    QMutexLocker lock(&m_mutex);
    return m_messages;
}

int ScanTestUi::count(const QString &caption) const
{
    QMutexLocker lock(&m_mutex);
    int n = 0;
    for (const Message &m : m_messages)
        n += m.caption == caption ? 1 : 0;
    return n;
}

void ScanTestUi::clear()
{
    QMutexLocker lock(&m_mutex);
    m_messages.clear();
}
