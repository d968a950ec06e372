#pragma once

#include <QDialog>

class IKivMediaHost;
class QKeyEvent;
class QLabel;
class QProgressBar;
class QTimer;

// "Bitte warten ...": follows the storing of an archive import every 500 ms (count, bar, status and
// file) and closes when it has ended. Escape asks whether to stop it.
class CKivArchiveImportDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr int TimerMilliseconds = 500;

    CKivArchiveImportDlg(IKivMediaHost &host, QWidget *parent = nullptr);

    // Imports the archive at path and shows this dialog until its items are stored; true when the
    // import started.
    static bool Import(IKivMediaHost &host, const QString &path, QWidget *parent);
    // "Importieren" of the media catalog: asks for the archive, then imports it.
    static bool ChooseAndImport(IKivMediaHost &host, QWidget *parent);

    // One tick of the timer.
    void Poll();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void reject() override;

private:
    IKivMediaHost &m_host;
    QLabel *m_counter;
    QProgressBar *m_bar;
    QLabel *m_status;
    QLabel *m_file;
    QTimer *m_timer;
};
