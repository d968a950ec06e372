#include "app/ui/settings/SettingsSheet.h"

#include "app/ui/settings/SetupListPage.h"
#include "app/ui/settings/SetupPage1.h"
#include "app/ui/settings/SetupPage4.h"
#include "app/ui/settings/SetupTagsPage.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

CKivSettingsSheet::CKivSettingsSheet(CKivSettings &settings, QWidget *parent)
    : QDialog(parent)
    , m_tabs(new QTabWidget(this))
{
    setWindowTitle(QStringLiteral("Melvora Einstellungen"));
    m_tabs->setObjectName(QStringLiteral("pages"));
    // Every tab shows its whole title: the sheet is as wide as its tabs need.
    m_tabs->tabBar()->setUsesScrollButtons(false);
    m_tabs->tabBar()->setElideMode(Qt::ElideNone);
    addPage(new CKivSetupPage1(settings, this), QStringLiteral("Verzeichnisse:"));
    addPage(new CKivSetupListPage(settings, CKivSetupListPage::Keys::normal(), this),
            QStringLiteral("Mp3 Liste (Standard)"));
    addPage(new CKivSetupListPage(settings, CKivSetupListPage::Keys::tv(), this), QStringLiteral("Mp3 Liste (TV)"));
    addPage(new CKivSetupListPage(settings, CKivSetupListPage::Keys::playlistKeys(), this),
            QStringLiteral("Playlist"));
    addPage(new CKivSetupPage4(settings, this), QStringLiteral("Ordneransicht"));
    addPage(new CKivSetupTagsPage(settings, this), QStringLiteral("Mp3 Tags"));
    m_pages.front()->setObjectName(QStringLiteral("folders"));
    m_pages.at(1)->setObjectName(QStringLiteral("normalList"));
    m_pages.at(2)->setObjectName(QStringLiteral("tvList"));
    m_pages.at(3)->setObjectName(QStringLiteral("playlist"));
    m_pages.at(4)->setObjectName(QStringLiteral("folderView"));
    m_pages.at(5)->setObjectName(QStringLiteral("tags"));
    m_opened.assign(m_pages.size(), false);
    m_opened.front() = true;

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("ok"));
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cancel"));
    m_apply = buttons->addButton(QStringLiteral("Übernehmen"), QDialogButtonBox::ApplyRole);
    m_apply->setObjectName(QStringLiteral("apply"));
    m_apply->setEnabled(false);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(buttons);

    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (index >= 0 && index < int(m_opened.size()))
            m_opened[std::size_t(index)] = true;
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &CKivSettingsSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CKivSettingsSheet::reject);
    connect(m_apply, &QPushButton::clicked, this, &CKivSettingsSheet::applyPages);
}

void CKivSettingsSheet::addPage(CKivSetupPage *page, const QString &title)
{
    m_pages.push_back(page);
    m_tabs->addTab(page, title);
    connect(page, &CKivSetupPage::changed, this, [this] { m_apply->setEnabled(true); });
}

bool CKivSettingsSheet::Run(CKivSettings &settings, QWidget *parent)
{
    CKivSettingsSheet sheet(settings, parent);
    const bool ok = sheet.exec() == QDialog::Accepted;
    return ok || sheet.hasApplied();
}

void CKivSettingsSheet::applyPages()
{
    // A page the user never opened keeps the store as it is.
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        if (m_opened[i])
            m_pages[i]->apply();
    }
    m_applied = true;
    m_apply->setEnabled(false);
}

void CKivSettingsSheet::accept()
{
    applyPages();
    QDialog::accept();
}
