#pragma once

#include "app/ui/settings/SetupPage.h"

class CKivSettings;
class QCheckBox;
class QComboBox;

// Page "Mp3 Tags": which tags of an MP3 file are read, and the code page of ID3v1 texts.
class CKivSetupTagsPage : public CKivSetupPage
{
    Q_OBJECT

public:
    CKivSetupTagsPage(CKivSettings &settings, QWidget *parent = nullptr);

    // Writes the values and puts them in force for every reader of the process at once.
    void apply() override;

private:
    CKivSettings &m_settings;
    QCheckBox *m_id3v1Only;
    QComboBox *m_codePage;
};
