#include "exchange/ui/ExchangePanel.h"

#include "browse/MelvoraDoc.h"
#include "browse/Mp3Liste.h"
#include "media/ui/FolderChooser.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString systemSaveChooser(QWidget *parent)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("imp"));
    dialog.setNameFilter(QStringLiteral("*.imp"));
    dialog.selectFile(QStringLiteral("Neues Mp3ImportFile"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

CKivExchangePanel::SaveChooser &saveChooser()
{
    static CKivExchangePanel::SaveChooser chooser = systemSaveChooser;
    return chooser;
}

QColor bandColor()
{
    const int v = CKivExchangeForm::BannerColor;
    return QColor(v & 0xff, (v >> 8) & 0xff, (v >> 16) & 0xff);
}

// Commits the volume size when the edit loses the focus, as the form wants it.
class VolumeSizeEdit : public QLineEdit
{
public:
    VolumeSizeEdit(std::function<void(const QString &)> done, QWidget *parent)
        : QLineEdit(parent)
        , m_done(std::move(done))
    {
    }

protected:
    void focusOutEvent(QFocusEvent *event) override
    {
        QLineEdit::focusOutEvent(event);
        m_done(text());
    }

private:
    std::function<void(const QString &)> m_done;
};

// A right-aligned label that names its field.
QLabel *fieldLabel(const QString &text, QWidget *field, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(field);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

void CKivExchangePanel::SetSaveChooser(SaveChooser chooser)
{
    saveChooser() = chooser ? std::move(chooser) : SaveChooser(systemSaveChooser);
}

CKivExchangePanel::CKivExchangePanel(CMelvoraDoc &doc, SelectedItems selected, std::function<void()> rowsChanged,
                                     QWidget *parent)
    : QWidget(parent)
    , m_doc(doc)
    , m_form(doc)
    , m_selected(std::move(selected))
    , m_rowsChanged(std::move(rowsChanged))
{
    setObjectName(QStringLiteral("exchangePanel"));

    // The band: title and caption over the text, the import picture on the right.
    m_band = new QWidget(this);
    m_band->setAutoFillBackground(true);
    QPalette bandPalette = m_band->palette();
    bandPalette.setColor(QPalette::Window, bandColor());
    bandPalette.setColor(QPalette::WindowText, Qt::black);
    m_band->setPalette(bandPalette);
    m_bandTitle = new QLabel(m_band);
    QFont bold = m_bandTitle->font();
    bold.setBold(true);
    m_bandTitle->setFont(bold);
    m_bandCaption = new QLabel(m_band);
    m_bandCaption->setFont(bold);
    m_bandText = new QLabel(m_band);
    auto *picture = new QLabel(m_band);
    picture->setPixmap(QIcon(QStringLiteral(":/melvora/ui/icons/import.svg")).pixmap(QSize(40, 40)));
    auto *bandTexts = new QVBoxLayout;
    bandTexts->addWidget(m_bandTitle);
    bandTexts->addWidget(m_bandCaption);
    bandTexts->addWidget(m_bandText);
    auto *bandRow = new QHBoxLayout(m_band);
    bandRow->setContentsMargins(12, 6, 12, 6);
    bandRow->addLayout(bandTexts, 1);
    bandRow->addWidget(picture, 0, Qt::AlignTop);

    m_fileName = new QLineEdit(this);
    m_fileName->setReadOnly(true);
    m_sender = new QLineEdit(this);
    m_sender->setReadOnly(true);
    m_files = new QLabel(this);
    m_size = new QLabel(this);
    m_volumeSize = new VolumeSizeEdit([this](const QString &text) { m_form.VolumeSizeEdited(text); }, this);
    m_volumeSize->setMaximumWidth(120);
    m_volumePath = new QLabel(this);
    m_volumePath->setMinimumWidth(200);
    m_volumePath->setFrameShape(QFrame::StyledPanel);
    m_choose = new QPushButton(QStringLiteral("..."), this);
    m_choose->setMaximumWidth(40);
    m_choose->setAccessibleName(QStringLiteral("Volume Path wählen"));
    m_save = new QPushButton(QStringLiteral("Speichern"), this);
    m_import = new QPushButton(QStringLiteral("Importieren"), this);
    m_export = new QPushButton(QStringLiteral("Exportieren"), this);
    m_progress = new QProgressBar(this);
    m_progress->setTextVisible(false);
    m_info = new QLabel(this);
    m_info->setWordWrap(true);

    auto *fields = new QGridLayout;
    fields->addWidget(fieldLabel(QStringLiteral("Dateiname:"), m_fileName, this), 0, 0);
    fields->addWidget(m_fileName, 0, 1, 1, 3);
    fields->addWidget(fieldLabel(QStringLiteral("Absender:"), m_sender, this), 1, 0);
    fields->addWidget(m_sender, 1, 1, 1, 3);
    fields->addWidget(fieldLabel(QStringLiteral("Dateien:"), m_files, this), 2, 0);
    fields->addWidget(m_files, 2, 1);
    fields->addWidget(fieldLabel(QStringLiteral("Größe:"), m_size, this), 2, 2);
    fields->addWidget(m_size, 2, 3);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(3, 1);

    m_volumeRow = new QWidget(this);
    auto *volume = new QHBoxLayout(m_volumeRow);
    volume->setContentsMargins(0, 0, 0, 0);
    auto *sizeLabel = new QLabel(QStringLiteral("Volume Größe (MB):"), m_volumeRow);
    sizeLabel->setBuddy(m_volumeSize);
    volume->addWidget(sizeLabel);
    volume->addWidget(m_volumeSize);
    volume->addSpacing(12);
    volume->addWidget(new QLabel(QStringLiteral("Volume Path:"), m_volumeRow));
    volume->addWidget(m_volumePath, 1);
    volume->addWidget(m_choose);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_progress, 1);
    buttons->addWidget(m_save);
    buttons->addWidget(m_import);
    buttons->addWidget(m_export);

    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 6);
    box->addWidget(m_band);
    auto *body = new QVBoxLayout;
    body->setContentsMargins(8, 0, 8, 0);
    body->addLayout(fields);
    body->addWidget(m_volumeRow);
    body->addLayout(buttons);
    body->addWidget(m_info);
    box->addLayout(body);

    connect(m_save, &QPushButton::clicked, this, &CKivExchangePanel::onSave);
    connect(m_import, &QPushButton::clicked, this, &CKivExchangePanel::onImport);
    connect(m_export, &QPushButton::clicked, this, &CKivExchangePanel::onExport);
    connect(m_choose, &QPushButton::clicked, this, &CKivExchangePanel::onChooseVolume);
    connect(&m_form, &CKivExchangeForm::changed, this, &CKivExchangePanel::showForm);
    connect(&m_form, &CKivExchangeForm::progressed, this, &CKivExchangePanel::showProgress);
    connect(&m_form, &CKivExchangeForm::itemsChanged, this, [this] {
        if (m_rowsChanged)
            m_rowsChanged();
    });
    connect(&doc, &CMelvoraDoc::updateAllViews, this, &CKivExchangePanel::onHint);
    showForm();
}

void CKivExchangePanel::onHint(int hint, const QVariant &payload)
{
    switch (hint) {
    case CMelvoraDoc::HintListReplaced:
        if (qobject_cast<CKivMp3Liste *>(payload.value<QObject *>()) == m_doc.GetMp3Liste())
            m_form.OnListReplaced();
        break;
    case CMelvoraDoc::HintOpenExport:
        m_form.OpenExportFile(payload.toString());
        break;
    case CMelvoraDoc::HintOpenImport:
        m_form.OpenImportList(payload.toString());
        break;
    case 109:  // the selection of a list changed
        m_form.SetSelectionCount(int(m_selected().size()));
        break;
    default:
        break;
    }
}

void CKivExchangePanel::showForm()
{
    const CKivExchangeForm::Mode mode = m_form.GetMode();
    setVisible(mode != CKivExchangeForm::Mode::Normal);
    m_bandTitle->setText(m_form.BannerTitle());
    m_bandCaption->setText(m_form.BannerCaption());
    m_bandText->setText(m_form.BannerText());
    m_fileName->setText(m_form.FileName());
    m_sender->setText(m_form.Sender());
    m_files->setText(m_form.Files());
    m_size->setText(m_form.Size());
    if (!m_volumeSize->hasFocus())
        m_volumeSize->setText(m_form.VolumeSize());
    m_volumePath->setText(m_form.VolumePath());
    m_info->setText(m_form.Info());
    const bool exporting = mode == CKivExchangeForm::Mode::Export;
    m_volumeRow->setVisible(exporting);
    m_export->setVisible(exporting);
    m_save->setVisible(!exporting);
    m_import->setVisible(!exporting);
    m_save->setEnabled(m_form.CanSave());
    m_import->setEnabled(m_form.CanImport());
    m_export->setEnabled(m_form.CanExport());
    showProgress();
}

void CKivExchangePanel::showProgress()
{
    m_progress->setRange(0, qMax(1, m_form.ProgressMax()));
    m_progress->setValue(m_form.ProgressValue());
    m_info->setText(m_form.Info());
    // Long copies run on this thread: let the bar and the text repaint, but take no input meanwhile.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CKivExchangePanel::onSave()
{
    const QString path = saveChooser()(this);
    if (path.isEmpty())
        return;
    m_form.Save(path, m_selected());
}

void CKivExchangePanel::onChooseVolume()
{
    m_form.ChooseVolumePath(KivFolderChooser::choose(this, m_form.VolumePath()));
}

void CKivExchangePanel::onExport()
{
    m_form.VolumeSizeEdited(m_volumeSize->text());
    m_form.ExportVolumes(m_selected());
}

void CKivExchangePanel::onImport()
{
    m_form.ImportSelected(m_selected());
}
