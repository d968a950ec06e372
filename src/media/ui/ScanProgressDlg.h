#pragma once

#include <QDialog>

class CMelvoraDoc;
class CKivScanList;
class QLabel;
class QProgressBar;
class QPushButton;

// The scan's progress window "Mp3 Import Toolbox" (modeless): the phase, the file being handled, a
// counter and a progress bar, read from the document's scan list whenever the frame's timer calls
// refresh(). "Abbruch" asks the running phase to stop; "Schließen" is disabled while a scan runs.
class CKivScanProgressDlg : public QDialog
{
    Q_OBJECT

public:
    CKivScanProgressDlg(CMelvoraDoc &doc, QWidget *parent = nullptr);

    // Shows the scan list's progress; called every 100 ms while a scan runs.
    void refresh();
    // The scan has ended: the window may be closed again.
    void scanEnded();

    // Closing is refused while a scan runs.
    void reject() override;

private:
    void scanStarted();
    void cancelScan();

    CMelvoraDoc &m_doc;
    QLabel *m_status;
    QLabel *m_file;
    QLabel *m_counter;
    QProgressBar *m_progress;
    QPushButton *m_cancel;
    QPushButton *m_close;
};
