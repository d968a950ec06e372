#include "app/ui/settings/SetupTagsPage.h"

#include "core/CodePage.h"
#include "core/Settings.h"
#include "mp3/TagSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

CKivSetupTagsPage::CKivSetupTagsPage(CKivSettings &settings, QWidget *parent)
    : CKivSetupPage(parent)
    , m_settings(settings)
    , m_id3v1Only(new QCheckBox(QStringLiteral("Nur ID3v1 Tags lesen"), this))
    , m_codePage(new QComboBox(this))
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

    // ID3v1 has no encoding field: tags from other countries need their code page named.
    m_codePage->setObjectName(QStringLiteral("id3v1CodePage"));
    m_codePage->addItems(KivCodePage::names());
    m_codePage->setCurrentText(KivCodePage::storedId3v1(settings.GetUserName(), settings.store()));
    auto *codePageRow = new QFormLayout;
    codePageRow->addRow(QStringLiteral("ID3v1 Zeichensatz:"), m_codePage);
    box->addLayout(codePageRow);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch(1);
    connect(m_id3v1Only, &QCheckBox::toggled, this, &CKivSetupPage::changed);
    connect(m_codePage, &QComboBox::currentIndexChanged, this, &CKivSetupPage::changed);
}

void CKivSetupTagsPage::apply()
{
    KivTagSettings::SetNurId3v1Lesen(m_settings, m_id3v1Only->isChecked());
    KivTagSettings::Apply(m_settings);
    const QString codePage = m_codePage->currentText();
    KivCodePage::storeId3v1(m_settings.GetUserName(), codePage, m_settings.store());
    KivCodePage::setId3v1(codePage);
}
