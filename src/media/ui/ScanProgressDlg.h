#pragma once

#include <QDialog>

#include <functional>

class CKivScanList;
class QLabel;
class QProgressBar;
class QPushButton;

// The scan's progress window "Mp3 Import Toolbox" (modeless): the phase, the file being handled, a
// counter and a progress bar, read from the running scan's list whenever the frame's timer calls
// refresh(). "Abbruch" asks the running phase to stop; "Schließen" is disabled while a scan runs.
// The window asks its owner for the current scan list (null while no scan runs) and is told when a
// scan starts and ends.
class CKivScanProgressDlg : public QDialog
{
    Q_OBJECT

public:
    using ScanListSource = std::function<CKivScanList *()>;
    explicit CKivScanProgressDlg(ScanListSource currentList, QWidget *parent = nullptr);

    // Shows the scan list's progress; called every 100 ms while a scan runs.
    void refresh();
    // A scan has started: the window stays until it ends.
    void scanStarted();
    // The scan has ended: the window may be closed again.
    void scanEnded();

    // Closing is refused while a scan runs.
    void reject() override;

private:
    void cancelScan();

    ScanListSource m_currentList;
    QLabel *m_status;
    QLabel *m_file;
    QLabel *m_counter;
    QProgressBar *m_progress;
    QPushButton *m_cancel;
    QPushButton *m_close;
};
