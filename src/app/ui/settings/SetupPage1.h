#pragma once

#include "app/ui/settings/SetupPage.h"

class CKivSettings;
class QCheckBox;
class QGridLayout;
class QLineEdit;
class QPushButton;

// Page "Verzeichnisse:": the manual's folder, the CD folder (shown, not editable) and the CD drive,
// each chosen with the folder chooser; below them whether the search field searches while typing.
class CKivSetupPage1 : public CKivSetupPage
{
    Q_OBJECT

public:
    CKivSetupPage1(CKivSettings &settings, QWidget *parent = nullptr);

    void apply() override;

private:
    QLineEdit *addRow(QGridLayout *grid, int row, const QString &label, const QString &value, const char *name,
                      bool enabled);
    void chooseInto(QLineEdit *field);

    CKivSettings &m_settings;
    QLineEdit *m_help = nullptr;
    QLineEdit *m_cds = nullptr;
    QLineEdit *m_cdDrive = nullptr;
    QCheckBox *m_searchWhileTyping = nullptr;
};
