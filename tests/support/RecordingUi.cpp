#include "support/RecordingUi.h"

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
    QMutexLocker lock(&m_mutex);
    m_messages.append({text, caption, icon, buttons});
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

int RecordingUi::connectionDialogs() const
{
    QMutexLocker lock(&m_mutex);
    return m_connectionDialogs;
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
}
