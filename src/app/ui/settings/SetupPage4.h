#pragma once

#include "app/ui/settings/SetupPage.h"

class CKivSettings;
class QCheckBox;

// Page "Ordneransicht": grid lines in the folder and file views.
class CKivSetupPage4 : public CKivSetupPage
{
    Q_OBJECT

public:
    CKivSetupPage4(CKivSettings &settings, QWidget *parent = nullptr);

    void apply() override;

private:
    CKivSettings &m_settings;
    QCheckBox *m_gridLines;
};
