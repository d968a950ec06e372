#pragma once

#include <QDialog>

class CKivSleepTimer;
class QCheckBox;
class QDateEdit;
class QTimeEdit;

// "Sleep Timer Einstellen": the date and time at which the computer switches off, and whether it
// does. Opening it pauses the running check; OK stores the values and starts the check again when
// the box is ticked; a moment in the past is refused.
class CKivSleepTimerDlg : public QDialog
{
    Q_OBJECT

public:
    CKivSleepTimerDlg(CKivSleepTimer &timer, QWidget *parent = nullptr);

    QDateEdit &DateEdit() const { return *m_date; }
    QTimeEdit &TimeEdit() const { return *m_time; }
    QCheckBox &EnabledBox() const { return *m_enabled; }

    // Runs the command: the dialog, and with OK the new setting.
    static void Run(CKivSleepTimer &timer, QWidget *parent);

    void accept() override;

private:
    CKivSleepTimer &m_timer;
    QDateEdit *m_date;
    QTimeEdit *m_time;
    QCheckBox *m_enabled;
};
