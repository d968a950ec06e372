#include "app/ui/settings/SetupPage1.h"

#include "core/Settings.h"
#include "media/ui/FolderChooser.h"
#include "controls/ui/FieldLabel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int MinimumPathWidth = 320;
constexpr int MaximumPathWidth = 720;
} // namespace

CKivSetupPage1::CKivSetupPage1(CKivSettings &settings, QWidget *parent)
    : CKivSetupPage(parent)
    , m_settings(settings)
{
    auto *group = new QGroupBox(QStringLiteral("Verzeichniss Einstellungen:"), this);
    auto *grid = new QGridLayout(group);
    m_help = addRow(grid, 0, QStringLiteral(" Handbuch:"), settings.GetFolderHelpFiles(), "helpFiles", true);
    // The CD folder is shown only; nothing in the program uses it.
    m_cds = addRow(grid, 1, QStringLiteral(" CD-Ordner:"), settings.GetFolderCDs(), "cdFolder", false);
    m_cdDrive = addRow(grid, 2, QStringLiteral(" CD-Laufwerk:"), settings.GetCdDrive(), "cdDrive", true);
    grid->setColumnStretch(1, 1);

    auto *search = new QGroupBox(QStringLiteral("Suchfeld:"), this);
    m_searchWhileTyping = new QCheckBox(QStringLiteral("Suche während der Eingabe"), search);
    m_searchWhileTyping->setObjectName(QStringLiteral("searchWhileTyping"));
    m_searchWhileTyping->setChecked(settings.GetSearchWhileTyping() != 0);
    auto *searchBox = new QVBoxLayout(search);
    searchBox->addWidget(m_searchWhileTyping);
    connect(m_searchWhileTyping, &QCheckBox::toggled, this, &CKivSetupPage::changed);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(search);
    layout->addStretch(1);
}

QLineEdit *CKivSetupPage1::addRow(QGridLayout *grid, int row, const QString &label, const QString &value,
                                  const char *name, bool enabled)
{
    auto *field = new QLineEdit(value, this);
    field->setObjectName(QLatin1String(name));
    // Wide enough for the path it holds, within reason.
    const int textWidth = field->fontMetrics().horizontalAdvance(value) + 2 * field->fontMetrics().averageCharWidth();
    field->setMinimumWidth(qBound(MinimumPathWidth, textWidth + 12, MaximumPathWidth));
    field->setEnabled(enabled);
    auto *choose = new QPushButton(QStringLiteral("..."), this);
    choose->setObjectName(QLatin1String(name) + QStringLiteral("Choose"));
    choose->setAutoDefault(false);
    choose->setEnabled(enabled);
    choose->setAccessibleName(label.trimmed() + QStringLiteral(" wählen"));
    grid->addWidget(KivFieldLabel(label, field, this), row, 0);
    grid->addWidget(field, row, 1);
    grid->addWidget(choose, row, 2);
    connect(field, &QLineEdit::textEdited, this, &CKivSetupPage::changed);
    connect(choose, &QPushButton::clicked, this, [this, field] { chooseInto(field); });
    return field;
}

void CKivSetupPage1::chooseInto(QLineEdit *field)
{
    const QString folder = KivFolderChooser::choose(this, field->text());
    if (folder.isEmpty())
        return;
    field->setText(folder);
    Q_EMIT changed();
}

void CKivSetupPage1::apply()
{
    m_settings.SetFolderHelpFiles(m_help->text());
    m_settings.SetFolderCDs(m_cds->text());
    m_settings.SetCdDrive(m_cdDrive->text());
    m_settings.SetSearchWhileTyping(m_searchWhileTyping->isChecked() ? 1 : 0);
}
