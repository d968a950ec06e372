#pragma once

#include <QDialog>

#include <vector>

class CKivSettings;
class CKivSetupPage;
class QPushButton;
class QTabWidget;

// The settings sheet "Melvora Einstellungen": six pages of profile values. "OK" and "Übernehmen"
// write the values of every page the user has opened; "Abbrechen" writes nothing more.
class CKivSettingsSheet : public QDialog
{
    Q_OBJECT

public:
    CKivSettingsSheet(CKivSettings &settings, QWidget *parent = nullptr);

    // Runs the sheet modally. True when values were written ("OK", or "Übernehmen" before
    // "Abbrechen"): the caller then re-applies the colour mode and tells the views.
    static bool Run(CKivSettings &settings, QWidget *parent);

    QTabWidget *tabs() const { return m_tabs; }
    // Whether any page was written since the sheet opened.
    bool hasApplied() const { return m_applied; }

    void accept() override;

private:
    void addPage(CKivSetupPage *page, const QString &title);
    void applyPages();

    QTabWidget *m_tabs;
    QPushButton *m_apply = nullptr;
    std::vector<CKivSetupPage *> m_pages;
    std::vector<bool> m_opened;
    bool m_applied = false;
};
