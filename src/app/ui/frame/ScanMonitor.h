#pragma once

#include "app/ui/frame/DialogLauncher.h"

#include <QObject>

class CKivScanList;
class CMelvoraDoc;
class QTimer;
class QWidget;

// Drives a running scan for the frame: when the document starts one, the progress window shows and
// a 100 ms timer lets the document poll the scan and the window refresh, until the scan has ended.
class CKivScanMonitor : public QObject
{
    Q_OBJECT

public:
    CKivScanMonitor(CMelvoraDoc &doc, QWidget &frame);

    bool isPolling() const;
    QWidget *progressWindow() const { return m_progress.window; }

private:
    void started();
    void tick();

    CMelvoraDoc &m_doc;
    QWidget &m_frame;
    QTimer *m_timer;
    KivDialogs::ScanProgress m_progress;
};
