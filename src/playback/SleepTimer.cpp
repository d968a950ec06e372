#include "playback/SleepTimer.h"

#include <QDir>
#include <QProcess>

CKivSleepTimer::CKivSleepTimer(QObject *parent)
    : QObject(parent)
    , m_clock([] { return QDateTime::currentDateTime(); })
    , m_launcher([](const QString &program) { QProcess::startDetached(program, {}); })
{
    m_check.setInterval(1000);
    connect(&m_check, &QTimer::timeout, this, &CKivSleepTimer::Check);
}

QDateTime CKivSleepTimer::Target(const QDateTime &date, const QDateTime &time)
{
    const QTime t = time.time();
    return QDateTime(date.date(), QTime(t.hour(), t.minute(), t.second()));
}

bool CKivSleepTimer::Accepts(const QDateTime &date, const QDateTime &time, bool enabled) const
{
    return !enabled || !(m_clock() > Target(date, time));
}

void CKivSleepTimer::Confirm(const QDateTime &date, const QDateTime &time, bool enabled)
{
    m_date = date;
    m_time = time;
    m_enabled = enabled;
    if (enabled)
        m_check.start();
    else
        m_check.stop();
}

bool CKivSleepTimer::Check()
{
    if (!m_enabled || !m_check.isActive() || !(m_clock() > Target(m_date, m_time)))
        return false;
    m_check.stop();
    m_launcher(HelperPath());
    Q_EMIT fired();
    return true;
}

QString CKivSleepTimer::HelperPath()
{
    QString folder = QDir::currentPath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + QStringLiteral("shutdown");
}
