#pragma once

#include <QDialog>

class CKivSettings;
class QTextBrowser;

// The manual window "Handbuch": the manual's "index.htm" in an HTML view that fills the window.
class CKivManualWindow : public QDialog
{
    Q_OBJECT

public:
    CKivManualWindow(const QString &indexFile, QWidget *parent = nullptr);

    QTextBrowser *browser() const { return m_browser; }

    // The manual file of the settings: the manual folder directly followed by "index.htm".
    static QString indexFile(const CKivSettings &settings);
    // Shows the manual modally, or tells the user that it was not found. True when it was shown.
    static bool showManual(const CKivSettings &settings, QWidget *parent);
    static QString missingCaption() { return QStringLiteral("Handbuch kann nicht angezeigt werden."); }
    static QString missingText();

private:
    QTextBrowser *m_browser;
};
