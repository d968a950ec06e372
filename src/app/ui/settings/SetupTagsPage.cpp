#include "app/ui/settings/SetupTagsPage.h"

#include "mp3/TagSettings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

CKivSetupTagsPage::CKivSetupTagsPage(CKivSettings &settings, QWidget *parent)
    : CKivSetupPage(parent)
    , m_settings(settings)
    , m_id3v1Only(new QCheckBox(QStringLiteral("Nur ID3v1 Tags lesen"), this))
{
    m_id3v1Only->setObjectName(QStringLiteral("id3v1Only"));
    m_id3v1Only->setChecked(KivTagSettings::GetNurId3v1Lesen(settings));
    auto *group = new QGroupBox(QStringLiteral("Tag - Einstellungen:"), this);
    auto *box = new QVBoxLayout(group);
    box->addWidget(m_id3v1Only);
    auto *hint = new QLabel(QStringLiteral("Ohne Haken werden Titel, Interpret, Album, Jahr, Kommentar, Track und "
                                           "Genre aus dem ID3v2 Tag gelesen, wo er sie enthält, sonst aus dem "
                                           "ID3v1 Tag. Geänderte Tags werden in beide Tags geschrieben."),
                            group);
    hint->setWordWrap(true);
    box->addWidget(hint);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch(1);
    connect(m_id3v1Only, &QCheckBox::toggled, this, &CKivSetupPage::changed);
}

void CKivSetupTagsPage::apply()
{
    KivTagSettings::SetNurId3v1Lesen(m_settings, m_id3v1Only->isChecked());
    KivTagSettings::Apply(m_settings);
}
