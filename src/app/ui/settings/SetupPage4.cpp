#include "app/ui/settings/SetupPage4.h"

#include "core/Settings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

CKivSetupPage4::CKivSetupPage4(CKivSettings &settings, QWidget *parent)
    : CKivSetupPage(parent)
    , m_settings(settings)
    , m_gridLines(new QCheckBox(QStringLiteral("Gridlines"), this))
{
    m_gridLines->setObjectName(QStringLiteral("gridLines"));
    m_gridLines->setChecked((settings.GetFileListFlags() & 1) != 0);
    auto *group = new QGroupBox(QStringLiteral("Layout - Einstellungen:"), this);
    auto *box = new QVBoxLayout(group);
    box->addWidget(m_gridLines);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch(1);
    connect(m_gridLines, &QCheckBox::toggled, this, &CKivSetupPage::changed);
}

void CKivSetupPage4::apply()
{
    m_settings.SetFileListFlags(m_gridLines->isChecked() ? 1 : 0);
}
