#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <functional>

// Switches the computer off at a moment the user chose: the date part of one value and the time of
// day of another. A check once a second starts the "shutdown" helper beside the program when the
// moment has passed, then stops until the user confirms the dialog anew. Not kept across runs.
class CKivSleepTimer : public QObject
{
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;
    using Launcher = std::function<void(const QString &program)>;

    explicit CKivSleepTimer(QObject *parent = nullptr);

    // For tests: another clock than the system's, another way to start the helper.
    void SetClock(Clock clock) { m_clock = std::move(clock); }
    void SetLauncher(Launcher launcher) { m_launcher = std::move(launcher); }

    bool IsEnabled() const { return m_enabled; }
    QDateTime GetDate() const { return m_date; }
    QDateTime GetTime() const { return m_time; }
    bool IsRunning() const { return m_check.isActive(); }
    QDateTime Now() const { return m_clock(); }

    // The target moment: the date of date with the time of day of time.
    static QDateTime Target(const QDateTime &date, const QDateTime &time);
    // True when the dialog may close: the box is off, or the target is not in the past.
    bool Accepts(const QDateTime &date, const QDateTime &time, bool enabled) const;
    static QString PastText() { return QStringLiteral("Die von Ihnen eingestellte Zeit ist schon abgelaufen."); }
    static QString PastCaption() { return QStringLiteral("Warnung !"); }

    // The dialog opens: the check pauses until the dialog is confirmed.
    void Pause() { m_check.stop(); }
    // The dialog was confirmed: the values are kept and, with the box on, the check runs.
    void Confirm(const QDateTime &date, const QDateTime &time, bool enabled);
    // One check of a running timer: when the target has passed, the check stops and the helper
    // starts. True when it fired.
    bool Check();

    // The helper in the current folder.
    static QString HelperPath();

Q_SIGNALS:
    void fired();

private:
    Clock m_clock;
    Launcher m_launcher;
    bool m_enabled = false;
    QDateTime m_date;
    QDateTime m_time;
    QTimer m_check;
};
