#pragma once

#include <QStatusBar>

class QLabel;

// The main frame's status bar: the message pane, then selected / total rows, summed size, summed
// play time, the logged-in user, the catalog connection and the caps, num and scroll lock panes.
class CKivFrameStatusBar : public QStatusBar
{
    Q_OBJECT

public:
    enum Pane { Count = 1, Size = 2, Time = 3, User = 4, Connection = 5, CapsLock = 6, NumLock = 7, ScrollLock = 8 };

    explicit CKivFrameStatusBar(QWidget *parent = nullptr);

    QString paneText(int pane) const;
    QLabel *pane(int pane) const;

public Q_SLOTS:
    void setStatusPanes(const QString &count, const QString &size, const QString &time);
    void setUserName(const QString &userName);
    // "Online" while the catalog database is connected, else "Ofline".
    void setConnected(bool connected);

private:
    QLabel *m_panes[9] = {};
};
