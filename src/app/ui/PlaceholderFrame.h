#pragma once

#include <QMainWindow>

class CMelvoraApp;
class CMelvoraDoc;
class QAction;
class QLabel;
class QTimer;

// PLACEHOLDER for the main frame: a window with the "Datei" menu of the session commands (user
// switch, user administration, catalog connection, exit) and a status bar with the user's name and
// the connection state. It drives a running scan with the 100 ms poll until the real frame, with
// its views, bars, layouts and progress window, takes its place.
class CKivPlaceholderFrame : public QMainWindow
{
    Q_OBJECT

public:
    CKivPlaceholderFrame(CMelvoraApp &app, CMelvoraDoc &doc, QWidget *parent = nullptr);

    // The action of a command id, or null.
    QAction *action(int commandId) const;
    QString userPaneText() const;
    QString connectionPaneText() const;

    // Sets "Online" or "Ofline" from the catalog connection.
    void updateConnectionPane();

private:
    QAction *addCommand(QMenu *menu, int id, const QString &text, const QString &prompt);
    void startScanPolling();

    CMelvoraApp &m_app;
    CMelvoraDoc &m_doc;
    QLabel *m_userPane;
    QLabel *m_connectionPane;
    QTimer *m_scanTimer;
};
