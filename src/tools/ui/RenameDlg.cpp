#include "tools/ui/RenameDlg.h"

#include "controls/ui/Banner.h"
#include "tools/BatchUndo.h"
#include "tools/RenameBatch.h"
#include "tools/ui/ToolDialogSupport.h"
#include "controls/ui/FieldLabel.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { FilenameColumn, PreviewColumn, AlbumColumn, ArtistColumn, TitleColumn, TrackColumn, YearColumn,
              CommentColumn };

QPushButton *previewButton(QWidget *parent, const char *name)
{
    auto *button = new QPushButton(QStringLiteral("Vorschau"), parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

CKivRenameDlg::CKivRenameDlg(std::vector<CKivMp3::Ptr> items, CKivDatabase &db, std::function<void()> releaseFile,
                             QWidget *parent)
    : QDialog(parent)
    , m_items(std::move(items))
    , m_db(db)
    , m_releaseFile(std::move(releaseFile))
{
    setObjectName(QStringLiteral("KivDateienUmbenennen"));
    setWindowTitle(QStringLiteral("Kiv Dateien Umbenennen"));
    auto *banner = new CKivBanner(QStringLiteral("Dateinamen umbenennen"),
                                  QStringLiteral("Hier können Sie die Dateinamen der ausgewählten Dateien umbenennen"),
                                  KivToolDialogs::bannerIcon(), this);

    auto *previewGroup = new QGroupBox(QStringLiteral("Vorschau:"), this);
    m_list = new QTreeWidget(previewGroup);
    m_list->setObjectName(QStringLiteral("preview"));
    m_list->setAccessibleName(QStringLiteral("Vorschau"));
    m_list->setRootIsDecorated(false);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setHeaderLabels({QStringLiteral("Filename:"), QStringLiteral("Vorschau:"), QStringLiteral("Album"),
                             QStringLiteral("Artist"), QStringLiteral("Title"), QStringLiteral("Track"),
                             QStringLiteral("Year"), QStringLiteral("Comment")});
    const int widths[] = {270, 270, 200, 200, 200, 50, 50, 200};
    for (int i = 0; i < 8; ++i)
        m_list->setColumnWidth(i, widths[i]);
    m_list->setMinimumSize(800, 220);
    m_list->setStyleSheet(QStringLiteral("QTreeView::item { border: 1px solid #d8d8d8; }"));
    (new QVBoxLayout(previewGroup))->addWidget(m_list);

    auto *tools = new QHBoxLayout;
    tools->addWidget(buildReplaceGroup());
    tools->addWidget(buildSpecialGroup());

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("Dateien umbenennen"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setEnabled(!m_items.empty());
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CKivRenameDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CKivRenameDlg::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(banner);
    layout->addWidget(previewGroup, 1);
    layout->addLayout(tools);
    layout->addWidget(buildTagGroup());
    layout->addWidget(buttons);
    fillList();
}

QWidget *CKivRenameDlg::buildReplaceGroup()
{
    auto *group = new QGroupBox(QStringLiteral("Ersetzten:"), this);
    m_oldText = new QLineEdit(group);
    m_oldText->setObjectName(QStringLiteral("oldText"));
    m_newText = new QLineEdit(group);
    m_newText->setObjectName(QStringLiteral("newText"));
    m_newText->setEnabled(false);
    m_characters = new QCheckBox(QStringLiteral("Zeichen"), group);
    m_characters->setObjectName(QStringLiteral("characters"));
    m_characters->setEnabled(false);
    m_runs = new QCheckBox(QStringLiteral("mehrfach nebeneinander vorkommende Zeichen nur einmal ersetzten"), group);
    m_runs->setObjectName(QStringLiteral("runs"));
    m_runs->setEnabled(false);
    m_replacePreview = previewButton(group, "replacePreview");
    m_replacePreview->setEnabled(false);

    auto *grid = new QGridLayout(group);
    grid->addWidget(KivFieldLabel(QStringLiteral("alter Text:"), m_oldText, group), 0, 0);
    grid->addWidget(m_oldText, 0, 1);
    grid->addWidget(KivFieldLabel(QStringLiteral("neuer Text:"), m_newText, group), 1, 0);
    grid->addWidget(m_newText, 1, 1);
    grid->addWidget(m_characters, 2, 0, 1, 2);
    grid->addWidget(m_runs, 3, 0, 1, 2);
    grid->addWidget(m_replacePreview, 4, 1, Qt::AlignRight);
    grid->setRowStretch(5, 1);
    connect(m_oldText, &QLineEdit::textChanged, this, &CKivRenameDlg::oldTextEdited);
    connect(m_replacePreview, &QPushButton::clicked, this, &CKivRenameDlg::applyReplace);
    return group;
}

QWidget *CKivRenameDlg::buildSpecialGroup()
{
    auto *group = new QGroupBox(QStringLiteral("Spezial Funktionen:"), this);
    m_modes = new QButtonGroup(group);
    const char *texts[] = {"Alle Zeichen durch Großbuchstaben ersetzten", "Alle Zeichen durch Kleinbuchstaben ersetzen",
                           "Wortanfang groß schreiben", "n Zeichen vom Anfang löschen",
                           "Leerzeichen an Stelle n einfügen"};
    auto *grid = new QGridLayout(group);
    for (int mode = 1; mode <= 5; ++mode) {
        auto *radio = new QRadioButton(QString::fromUtf8(texts[mode - 1]), group);
        radio->setObjectName(QStringLiteral("mode%1").arg(mode));
        m_modes->addButton(radio, mode);
        grid->addWidget(radio, mode - 1, 0);
    }
    m_deleteCount = new QSpinBox(group);
    m_deleteCount->setObjectName(QStringLiteral("deleteCount"));
    // The numbers belong to the options beside them: "n" is what they set.
    m_deleteCount->setAccessibleName(QStringLiteral("n Zeichen löschen"));
    m_deleteCount->setRange(1, 100);
    m_deleteCount->setValue(1);
    m_insertAt = new QSpinBox(group);
    m_insertAt->setObjectName(QStringLiteral("insertAt"));
    m_insertAt->setAccessibleName(QStringLiteral("Leerzeichen einfügen an Stelle n"));
    m_insertAt->setRange(0, 100);
    m_insertAt->setValue(0);
    grid->addWidget(m_deleteCount, 3, 1);
    grid->addWidget(m_insertAt, 4, 1);
    m_specialPreview = previewButton(group, "specialPreview");
    m_specialPreview->setEnabled(false);
    grid->addWidget(m_specialPreview, 5, 1, Qt::AlignRight);
    connect(m_modes, &QButtonGroup::idClicked, this, [this] { m_specialPreview->setEnabled(true); });
    connect(m_specialPreview, &QPushButton::clicked, this, &CKivRenameDlg::applySpecial);
    return group;
}

QWidget *CKivRenameDlg::buildTagGroup()
{
    auto *group = new QGroupBox(QStringLiteral("Dateiname aus aus Taginformationen erstellen:"), this);
    auto *row = new QHBoxLayout;
    const QStringList fields{QString(), QStringLiteral("Album"), QStringLiteral("Artist"), QStringLiteral("Title"),
                             QStringLiteral("Track"), QStringLiteral("Comment"), QStringLiteral("Filename"),
                             QStringLiteral("Vorschau")};
    for (std::size_t i = 0; i < m_tagFields.size(); ++i) {
        auto *field = new QComboBox(group);
        field->setObjectName(QStringLiteral("tagField%1").arg(i + 1));
        field->setAccessibleName(QStringLiteral("Feld %1").arg(i + 1));
        field->addItems(fields);
        field->installEventFilter(this);
        connect(field, &QComboBox::currentIndexChanged, this, &CKivRenameDlg::showPatternText);
        m_tagFields[i] = field;
        row->addWidget(field, 2);
        if (i < m_tagSeparators.size()) {
            auto *separator = new QComboBox(group);
            separator->setObjectName(QStringLiteral("tagSeparator%1").arg(i + 1));
            separator->setAccessibleName(QStringLiteral("Trennzeichen %1").arg(i + 1));
            separator->setEditable(true);
            separator->setInsertPolicy(QComboBox::NoInsert);
            separator->addItems({QString(), QStringLiteral(" - "), QStringLiteral("["), QStringLiteral("]")});
            separator->installEventFilter(this);
            connect(separator, &QComboBox::editTextChanged, this, &CKivRenameDlg::showPatternText);
            m_tagSeparators[i] = separator;
            row->addWidget(separator, 1);
        }
    }
    m_patternText = new QLabel(group);
    m_patternText->setObjectName(QStringLiteral("patternText"));
    auto *apply = previewButton(group, "tagPreview");
    connect(apply, &QPushButton::clicked, this, &CKivRenameDlg::applyTags);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(KivFieldLabel(QStringLiteral("Vorschau:"), m_patternText, group));
    bottom->addWidget(m_patternText, 1);
    bottom->addWidget(apply);
    auto *layout = new QVBoxLayout(group);
    layout->addLayout(row);
    layout->addLayout(bottom);
    return group;
}

void CKivRenameDlg::fillList()
{
    const QIcon icon = style()->standardIcon(QStyle::SP_FileIcon);
    for (const CKivMp3::Ptr &item : m_items) {
        const int track = item->GetTrackNr();
        auto *row = new QTreeWidgetItem(m_list, {item->GetFilename(), item->GetFilename(), item->GetAlbum(),
                                                 item->GetArtist(), item->GetTitle(),
                                                 track > 0 ? QString::number(track) : QString(), item->GetYear(),
                                                 item->GetComment()});
        row->setIcon(FilenameColumn, icon);
    }
}

void CKivRenameDlg::oldTextEdited(const QString &text)
{
    const qsizetype length = text.size();
    m_newText->setEnabled(length > 0);
    m_characters->setEnabled(length == 1);
    m_runs->setEnabled(length == 1);
    m_characters->setChecked(length == 1);
    if (length != 1)
        m_runs->setChecked(false);
    m_replacePreview->setEnabled(length > 0);
}

QStringList CKivRenameDlg::previews() const
{
    QStringList names;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        names.append(m_list->topLevelItem(i)->text(PreviewColumn));
    return names;
}

void CKivRenameDlg::applyToPreviews(const std::function<QString(const CKivMp3 &, const QString &)> &op)
{
    for (int i = 0; i < m_list->topLevelItemCount() && i < int(m_items.size()); ++i) {
        QTreeWidgetItem *row = m_list->topLevelItem(i);
        row->setText(PreviewColumn, op(*m_items[std::size_t(i)], row->text(PreviewColumn)));
    }
    markRows();
}

void CKivRenameDlg::applyReplace()
{
    const QString oldText = m_oldText->text();
    const QString newText = m_newText->text();
    if (m_characters->isChecked() && m_runs->isChecked() && !oldText.isEmpty()) {
        const QChar c = oldText.at(0);
        applyToPreviews([c, newText](const CKivMp3 &, const QString &p) { return KivRenameRules::replaceRuns(p, c, newText); });
    } else {
        applyToPreviews(
            [oldText, newText](const CKivMp3 &, const QString &p) { return KivRenameRules::replace(p, oldText, newText); });
    }
}

void CKivRenameDlg::applySpecial()
{
    const int n4 = m_deleteCount->value();
    const int n5 = m_insertAt->value();
    switch (m_modes->checkedId()) {
    case 1:
        applyToPreviews([](const CKivMp3 &, const QString &p) { return KivRenameRules::upper(p); });
        break;
    case 2:
        applyToPreviews([](const CKivMp3 &, const QString &p) { return KivRenameRules::lower(p); });
        break;
    case 3:
        applyToPreviews([](const CKivMp3 &, const QString &p) { return KivRenameRules::wordStarts(p); });
        break;
    case 4:
        applyToPreviews([n4](const CKivMp3 &, const QString &p) { return KivRenameRules::deleteFront(p, n4); });
        break;
    case 5:
        applyToPreviews([n5](const CKivMp3 &, const QString &p) { return KivRenameRules::insertSpace(p, n5); });
        break;
    default:
        break;
    }
}

KivRenameRules::TagPattern CKivRenameDlg::tagPattern() const
{
    KivRenameRules::TagPattern p;
    for (std::size_t i = 0; i < m_tagFields.size(); ++i)
        p.fields[i] = m_tagFields[i]->currentText();
    for (std::size_t i = 0; i < m_tagSeparators.size(); ++i)
        p.separators[i] = m_tagSeparators[i]->currentText();
    return p;
}

void CKivRenameDlg::applyTags()
{
    const KivRenameRules::TagPattern p = tagPattern();
    applyToPreviews([&p](const CKivMp3 &item, const QString &preview) { return p.Compose(item, preview); });
}

void CKivRenameDlg::showPatternText()
{
    m_patternText->setText(tagPattern().Text());
}

bool CKivRenameDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut)
        showPatternText();
    return QDialog::eventFilter(watched, event);
}

void CKivRenameDlg::markRows()
{
    std::vector<KivRenameJob> jobs;
    for (int i = 0; i < m_list->topLevelItemCount() && i < int(m_items.size()); ++i)
        jobs.push_back({m_items[std::size_t(i)], m_list->topLevelItem(i)->text(PreviewColumn)});
    const std::vector<bool> collides = KivRenameBatch::Collisions(jobs);
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        QTreeWidgetItem *row = m_list->topLevelItem(int(i));
        const QString reason = KivRenameRules::unusableReason(jobs[i].preview);
        QString tip;
        if (!reason.isEmpty())
            tip = QStringLiteral("Dieser Name ist als Dateiname nicht möglich (%1): die Datei wird nicht umbenannt.")
                      .arg(reason);
        else if (collides[i])
            tip = QStringLiteral("Eine andere Datei bekommt denselben Namen: diese erhält eine Nummer, z. B. \"(2)\".");
        row->setIcon(PreviewColumn, tip.isEmpty() ? QIcon() : warning);
        row->setToolTip(PreviewColumn, tip);
        row->setData(PreviewColumn, Qt::UserRole, !tip.isEmpty());
    }
}

void CKivRenameDlg::accept()
{
    std::vector<KivRenameJob> jobs;
    const QStringList names = previews();
    for (std::size_t i = 0; i < m_items.size() && i < std::size_t(names.size()); ++i)
        jobs.push_back({m_items[i], names.at(qsizetype(i))});
    QApplication::setOverrideCursor(Qt::WaitCursor);
    KivBatchHooks hooks;
    const auto progress = KivToolDialogs::progressHooks(this, int(jobs.size()),
                                                        QStringLiteral("Dateien werden umbenannt..."), m_releaseFile, hooks);
    const KivBatchSummary summary = KivRenameBatch::Run(jobs, m_db, hooks, &CKivBatchUndo::Last());
    QApplication::restoreOverrideCursor();
    summary.ReportFailures();
    QDialog::accept();
}
