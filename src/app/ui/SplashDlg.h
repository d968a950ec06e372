#pragma once

#include <QDialog>
#include <QTimer>

class QPixmap;

// The start picture with the build line, shown modally while the program starts. It closes itself
// after its time or at the first left mouse click, whichever comes first.
class CKivSplashDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CKivSplashDlg(int durationMs = DefaultDurationMs, QWidget *parent = nullptr);

    // Shows the picture modally until its time is over or it is clicked.
    void run();

    static constexpr int DefaultDurationMs = 3000;
    static QString BuildLine() { return QStringLiteral("Build: 1.1.01 Beta"); }
    // The start picture at its natural size.
    static QPixmap StartPicture();

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    QTimer m_timer;
};
