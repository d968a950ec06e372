#include "app/ui/frame/ScanMonitor.h"

#include "browse/MelvoraDoc.h"

#include <QTimer>
#include <QWidget>

CKivScanMonitor::CKivScanMonitor(CMelvoraDoc &doc, QWidget &frame)
    : QObject(&frame)
    , m_doc(doc)
    , m_frame(frame)
    , m_timer(new QTimer(this))
{
    m_timer->setInterval(100);
    connect(m_timer, &QTimer::timeout, this, &CKivScanMonitor::tick);
    connect(&m_doc, &CMelvoraDoc::scanStarted, this, &CKivScanMonitor::started);
}

bool CKivScanMonitor::isPolling() const
{
    return m_timer->isActive();
}

void CKivScanMonitor::started()
{
    if (!m_progress.window)
        m_progress = KivDialogs::createScanProgress(m_doc, &m_frame);
    m_progress.window->show();
    m_progress.window->raise();
    m_progress.refresh();
    m_timer->start();
}

void CKivScanMonitor::tick()
{
    const bool running = m_doc.PollScan();
    if (m_progress.refresh)
        m_progress.refresh();
    if (!running) {
        m_timer->stop();
        if (m_progress.scanEnded)
            m_progress.scanEnded();
    }
}
