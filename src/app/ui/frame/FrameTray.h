#pragma once

#include <QObject>

class QMainWindow;
class QSystemTrayIcon;

// The tray icon of the main frame ("Melvora"): a double click brings the window back maximised,
// in front and focused. Minimising hides the window only while the icon can bring it back.
class CKivFrameTray : public QObject
{
    Q_OBJECT

public:
    explicit CKivFrameTray(QMainWindow &frame);
    ~CKivFrameTray() override;

    // Whether the window may hide itself when minimised.
    bool canHideWindow() const;
    void remove();
    // Shows the window maximised, raised and focused.
    void restoreWindow();

private:
    QMainWindow &m_frame;
    QSystemTrayIcon *m_icon = nullptr;
};
