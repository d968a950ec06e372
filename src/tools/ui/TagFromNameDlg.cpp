#include "tools/ui/TagFromNameDlg.h"

#include "controls/ui/Banner.h"
#include "tools/BatchUndo.h"
#include "tools/TagBatch.h"
#include "tools/TagSelection.h"
#include "tools/ui/ToolDialogSupport.h"
#include "controls/ui/FieldLabel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

CKivTagFromNameDlg::CKivTagFromNameDlg(std::vector<CKivMp3::Ptr> items, CKivDatabase &db, CKivSettings &settings,
                                       std::function<void()> releaseFile, QWidget *parent)
    : QDialog(parent)
    , m_items(std::move(items))
    , m_db(db)
    , m_settings(settings)
    , m_releaseFile(std::move(releaseFile))
    , m_folder(new QLabel(this))
    , m_patternText(new QLabel(this))
    , m_albumFromFolder(new QCheckBox(QStringLiteral("Album aus Ordner übernehmen"), this))
    , m_artistFromFolder(new QCheckBox(QStringLiteral("Artist aus Ordner übernehmen"), this))
    , m_storeAsDefault(new QCheckBox(QStringLiteral("Als Standard-Filter Speichern"), this))
    , m_preview(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("KivTageditorFilename"));
    setWindowTitle(QStringLiteral("Kiv Tageditor Filename"));
    auto *banner = new CKivBanner(QStringLiteral("MP3 Tag Editor II"),
                                  QStringLiteral("Taginformationen der ausgewählten Mp3's bearbeiten"),
                                  KivToolDialogs::bannerIcon(), this);

    auto *filter = new QGroupBox(QStringLiteral("Filter:"), this);
    auto *row = new QHBoxLayout(filter);
    const KivFilenamePattern stored = KivFilenamePattern::Load(settings);
    for (int i = 0; i < KivFilenamePattern::kPairs; ++i) {
        auto *separator = new QComboBox(filter);
        separator->setObjectName(QStringLiteral("separator%1").arg(i + 1));
        separator->setAccessibleName(QStringLiteral("Trennzeichen %1").arg(i + 1));
        separator->setEditable(true);
        separator->setInsertPolicy(QComboBox::NoInsert);
        separator->addItems({QString(), QStringLiteral("-"), QStringLiteral("["), QStringLiteral("]")});
        separator->setFixedWidth(separator->fontMetrics().horizontalAdvance(QStringLiteral("MMM")) + 30);
        separator->setEditText(stored.separators[std::size_t(i)]);
        auto *field = new QComboBox(filter);
        field->setObjectName(QStringLiteral("field%1").arg(i + 1));
        field->setAccessibleName(QStringLiteral("Feld %1").arg(i + 1));
        field->addItems({QString(), QStringLiteral("Album"), QStringLiteral("Artist"), QStringLiteral("Title"),
                         QStringLiteral("Track"), QStringLiteral("Comment")});
        field->setCurrentIndex(qMax(0, field->findText(stored.fields[std::size_t(i)], Qt::MatchExactly)));
        row->addWidget(separator);
        row->addWidget(field, 1);
        m_separators[std::size_t(i)] = separator;
        m_fields[std::size_t(i)] = field;
        separator->installEventFilter(this);
        separator->lineEdit()->installEventFilter(this);
        field->installEventFilter(this);
        connect(separator, &QComboBox::editTextChanged, this, &CKivTagFromNameDlg::refreshPreview);
        connect(field, &QComboBox::currentIndexChanged, this, &CKivTagFromNameDlg::refreshPreview);
    }

    m_folder->setObjectName(QStringLiteral("folder"));
    m_patternText->setObjectName(QStringLiteral("patternText"));
    m_albumFromFolder->setObjectName(QStringLiteral("albumFromFolder"));
    m_artistFromFolder->setObjectName(QStringLiteral("artistFromFolder"));
    m_storeAsDefault->setObjectName(QStringLiteral("storeAsDefault"));
    auto *update = new QPushButton(QStringLiteral("Update"), this);
    update->setObjectName(QStringLiteral("update"));
    update->setAutoDefault(false);

    auto *options = new QGridLayout;
    options->addWidget(KivFieldLabel(QStringLiteral("Ordner:"), m_folder, this), 0, 0);
    options->addWidget(m_folder, 0, 1);
    options->addWidget(m_albumFromFolder, 0, 2);
    options->addWidget(KivFieldLabel(QStringLiteral("Vorschau:"), m_patternText, this), 1, 0);
    options->addWidget(m_patternText, 1, 1);
    options->addWidget(m_artistFromFolder, 1, 2);
    options->addWidget(m_storeAsDefault, 2, 2);
    options->addWidget(update, 2, 3);
    options->setColumnStretch(1, 1);

    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setAccessibleName(QStringLiteral("Vorschau"));
    m_preview->setRootIsDecorated(false);
    m_preview->setAllColumnsShowFocus(true);
    m_preview->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_preview->setHeaderLabels({QStringLiteral("Filename:"), QStringLiteral("Album"), QStringLiteral("Artist"),
                                QStringLiteral("Title"), QStringLiteral("Track"), QStringLiteral("Year"),
                                QStringLiteral("Comment")});
    const int widths[] = {200, 200, 200, 200, 50, 50, 200};
    for (int i = 0; i < 7; ++i)
        m_preview->setColumnWidth(i, widths[i]);
    m_preview->setMinimumSize(760, 240);
    m_preview->setStyleSheet(QStringLiteral("QTreeView::item { border: 1px solid #d8d8d8; }"));

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setEnabled(!m_items.empty());
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("cancel"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(banner);
    layout->addWidget(filter);
    layout->addLayout(options);
    layout->addWidget(m_preview, 1);
    layout->addWidget(buttons);

    m_folderName = KivTagSelection::Of(m_items).folderName;
    m_folder->setText(m_folderName);
    m_albumFromFolder->setEnabled(!m_folderName.isEmpty());
    m_artistFromFolder->setEnabled(!m_folderName.isEmpty());

    connect(update, &QPushButton::clicked, this, [this] {
        showPatternText();
        refreshPreview();
    });
    connect(m_albumFromFolder, &QCheckBox::clicked, this, &CKivTagFromNameDlg::refreshPreview);
    connect(m_artistFromFolder, &QCheckBox::clicked, this, &CKivTagFromNameDlg::refreshPreview);
    connect(buttons, &QDialogButtonBox::accepted, this, &CKivTagFromNameDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CKivTagFromNameDlg::reject);
    refreshPreview();
}

KivFilenamePattern CKivTagFromNameDlg::pattern() const
{
    KivFilenamePattern p;
    for (std::size_t i = 0; i < p.separators.size(); ++i) {
        p.separators[i] = m_separators[i]->currentText();
        p.fields[i] = m_fields[i]->currentText();
    }
    return p;
}

bool CKivTagFromNameDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut)
        refreshPreview();
    return QDialog::eventFilter(watched, event);
}

void CKivTagFromNameDlg::showPatternText()
{
    m_patternText->setText(pattern().Text());
}

void CKivTagFromNameDlg::refreshPreview()
{
    const KivFilenamePattern p = pattern();
    const QIcon matched = style()->standardIcon(QStyle::SP_DialogApplyButton);
    const QIcon failed = style()->standardIcon(QStyle::SP_DialogCancelButton);
    m_preview->clear();
    for (const CKivMp3::Ptr &item : m_items) {
        const KivFilenameFields f = p.Parse(item->GetFilename(), m_folderName, m_artistFromFolder->isChecked(),
                                            m_albumFromFolder->isChecked());
        auto *row = new QTreeWidgetItem(m_preview, {item->GetFilename(), f.album, f.artist, f.title,
                                                    f.track == -1 ? QString() : QString::number(f.track), f.year,
                                                    f.comment});
        row->setIcon(0, f.matched ? matched : failed);
        row->setData(0, Qt::UserRole, f.matched);
    }
}

void CKivTagFromNameDlg::accept()
{
    const KivFilenamePattern p = pattern();
    if (m_storeAsDefault->isChecked())
        p.Store(m_settings);
    const std::vector<KivTagJob> jobs = KivTagBatch::FromNames(m_items, p, m_folderName, m_artistFromFolder->isChecked(),
                                                               m_albumFromFolder->isChecked());
    KivBatchHooks hooks;
    const auto progress = KivToolDialogs::progressHooks(this, int(jobs.size()),
                                                        QStringLiteral("Tags werden geschrieben..."), m_releaseFile, hooks);
    const KivBatchSummary summary = KivTagBatch::Run(jobs, m_db, hooks, true, &CKivBatchUndo::Last());
    summary.ReportFailures();
    QDialog::accept();
}
