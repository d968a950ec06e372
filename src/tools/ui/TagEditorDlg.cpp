#include "tools/ui/TagEditorDlg.h"

#include "controls/ui/Banner.h"
#include "mp3/MpegAudioInfo.h"
#include "tools/BatchUndo.h"
#include "tools/TagSelection.h"
#include "tools/ui/ToolDialogSupport.h"
#include "controls/ui/FieldLabel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QComboBox *comboBox(QWidget *parent, const char *name, bool editable)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setEditable(editable);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumWidth(260);
    return box;
}

void setEditorText(QWidget *editor, const QString &text)
{
    if (auto *box = qobject_cast<QComboBox *>(editor))
        box->setEditText(text);
    else if (auto *edit = qobject_cast<QLineEdit *>(editor))
        edit->setText(text);
}

} // namespace

CKivTagEditorDlg::CKivTagEditorDlg(std::vector<CKivMp3::Ptr> items, CKivDatabase &db,
                                   std::function<void()> releaseFile, QWidget *parent)
    : QDialog(parent)
    , m_items(std::move(items))
    , m_db(db)
    , m_releaseFile(std::move(releaseFile))
    , m_subPaths(comboBox(this, "subPaths", true))
    , m_filenames(comboBox(this, "filenames", true))
    , m_count(new QLineEdit(this))
    , m_folder(new QLineEdit(this))
    , m_sameAsFolder(new QPushButton(QStringLiteral("= Ordner"), this))
{
    setObjectName(QStringLiteral("KivTagEditor"));
    setWindowTitle(QStringLiteral("Kiv Tag Editor"));
    auto *banner = new CKivBanner(QStringLiteral("MP3 Tag Editor I"),
                                  QStringLiteral("Taginformationen der ausgewählten Mp3's bearbeiten"),
                                  KivToolDialogs::bannerIcon(), this);

    m_count->setObjectName(QStringLiteral("count"));
    m_count->setReadOnly(true);
    m_folder->setObjectName(QStringLiteral("folder"));
    m_folder->setEnabled(false);
    m_sameAsFolder->setObjectName(QStringLiteral("sameAsFolder"));
    m_sameAsFolder->setAutoDefault(false);

    auto *grid = new QGridLayout;
    grid->addWidget(KivFieldLabel(QStringLiteral("Verzeichniss(e):"), m_subPaths, this), 0, 1);
    grid->addWidget(m_subPaths, 0, 2, 1, 2);
    grid->addWidget(KivFieldLabel(QStringLiteral("Dateiname(n):"), m_filenames, this), 1, 1);
    grid->addWidget(m_filenames, 1, 2, 1, 2);
    grid->addWidget(KivFieldLabel(QStringLiteral("Ausgewälte Dateien:"), m_count, this), 2, 1);
    grid->addWidget(m_count, 2, 2, 1, 2);
    grid->addWidget(KivFieldLabel(QStringLiteral("Ordner:"), m_folder, this), 3, 1);
    grid->addWidget(m_folder, 3, 2);
    grid->addWidget(m_sameAsFolder, 3, 3);
    setLayout(new QVBoxLayout);
    layout()->addWidget(banner);
    static_cast<QVBoxLayout *>(layout())->addLayout(grid);

    m_artist = addField("artist", comboBox(this, "artist", true));
    m_title = addField("title", comboBox(this, "title", true));
    m_album = addField("album", comboBox(this, "album", true));
    auto *track = new QLineEdit(this);
    track->setObjectName(QStringLiteral("track"));
    m_track = addField("track", track);
    m_genre = addField("genre", comboBox(this, "genre", false));
    m_comment = addField("comment", comboBox(this, "comment", true));
    m_year = addField("year", comboBox(this, "year", true));
    grid->setColumnStretch(2, 1);

    auto *buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("ok"));
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("cancel"));
    layout()->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CKivTagEditorDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CKivTagEditorDlg::reject);
    connect(m_sameAsFolder, &QPushButton::clicked, this, &CKivTagEditorDlg::takeFolderName);

    // Grid rows of the fields: check box, label, editor.
    const Field fields[] = {m_artist, m_title, m_album, m_track, m_genre, m_comment, m_year};
    const char *labels[] = {"Interpret:", "Titel:", "Album:", "Track-Nr.:", "Genre:", "Kommentar:", "Jahr:"};
    for (int i = 0; i < 7; ++i) {
        grid->addWidget(fields[i].check, 4 + i, 0);
        const QString label = QString::fromUtf8(labels[i]);
        grid->addWidget(KivFieldLabel(label, fields[i].editor, this), 4 + i, 1);
        // The check box in front of a field says whether that field is written.
        fields[i].check->setAccessibleName(label.chopped(1) + QStringLiteral(" übernehmen"));
        grid->addWidget(fields[i].editor, 4 + i, 2, 1, 2);
    }
    fillFromSelection();
}

CKivTagEditorDlg::Field CKivTagEditorDlg::addField(const char *name, QWidget *editor)
{
    auto *check = new QCheckBox(this);
    check->setObjectName(QLatin1String(name) + QStringLiteral("Check"));
    connect(check, &QCheckBox::toggled, editor, &QWidget::setEnabled);
    return {check, editor};
}

void CKivTagEditorDlg::fillFromSelection()
{
    const KivTagSelection s = KivTagSelection::Of(m_items);
    m_count->setText(QString::number(s.count));
    qobject_cast<QComboBox *>(m_artist.editor)->addItems(s.artists);
    qobject_cast<QComboBox *>(m_title.editor)->addItems(s.titles);
    qobject_cast<QComboBox *>(m_album.editor)->addItems(s.albums);
    qobject_cast<QComboBox *>(m_year.editor)->addItems(s.years);
    qobject_cast<QComboBox *>(m_comment.editor)->addItems(s.comments);
    m_subPaths->addItems(s.subPaths);
    m_filenames->addItems(s.filenames);
    auto *genre = qobject_cast<QComboBox *>(m_genre.editor);
    genre->addItem(QString());
    for (int i = 0; !CMpegAudioInfo::GenreName(i).isEmpty(); ++i)
        genre->addItem(CMpegAudioInfo::GenreName(i));

    m_folder->setText(s.folderName);
    m_sameAsFolder->setEnabled(!s.folderName.isEmpty());
    const Field fields[] = {m_artist, m_title, m_album, m_track, m_genre, m_comment, m_year};
    const bool one = m_items.size() == 1;
    for (const Field &f : fields) {
        f.check->setChecked(one);
        f.editor->setEnabled(one);
        f.check->setEnabled(!m_items.empty());
    }
    if (m_items.empty()) {
        m_ok->setEnabled(false);
        m_subPaths->setEnabled(false);
        m_filenames->setEnabled(false);
        return;
    }
    if (!one) {
        // Several files: the boxes list the values but none is chosen.
        for (QComboBox *box : {m_subPaths, m_filenames})
            box->setCurrentIndex(-1);
        for (const Field &f : fields) {
            if (auto *box = qobject_cast<QComboBox *>(f.editor); box && box->isEditable())
                box->setCurrentIndex(-1);
        }
        return;
    }
    const CKivMp3 &item = *m_items.front();
    setEditorText(m_artist.editor, item.GetArtist());
    setEditorText(m_album.editor, item.GetAlbum());
    setEditorText(m_comment.editor, item.GetComment());
    setEditorText(m_title.editor, item.GetTitle());
    setEditorText(m_track.editor, QString::number(item.GetTrackNr()));
    setEditorText(m_year.editor, item.GetYear());
    const int index = genre->findText(item.GetGenreName(), Qt::MatchExactly);
    if (index >= 0)
        genre->setCurrentIndex(index);
    m_subPaths->setEditText(item.GetSubPath());
    m_filenames->setEditText(item.GetFilename());
}

void CKivTagEditorDlg::takeFolderName()
{
    setEditorText(m_album.editor, m_folder->text());
    m_album.check->setChecked(true);
    m_album.editor->setEnabled(true);
}

QString CKivTagEditorDlg::textOf(const QWidget *editor)
{
    if (const auto *box = qobject_cast<const QComboBox *>(editor))
        return box->currentText();
    if (const auto *edit = qobject_cast<const QLineEdit *>(editor))
        return edit->text();
    return {};
}

KivTagEdits CKivTagEditorDlg::edits() const
{
    KivTagEdits e;
    auto take = [](const Field &f, std::optional<QString> &into) {
        if (f.check->isChecked())
            into = textOf(f.editor);
    };
    take(m_album, e.album);
    take(m_artist, e.artist);
    take(m_track, e.track);
    take(m_title, e.title);
    take(m_comment, e.comment);
    take(m_year, e.year);
    take(m_genre, e.genre);
    return e;
}

void CKivTagEditorDlg::accept()
{
    const std::vector<KivTagJob> jobs = KivTagBatch::FromEdits(m_items, edits());
    KivBatchHooks hooks;
    const auto progress = KivToolDialogs::progressHooks(this, int(jobs.size()),
                                                        QStringLiteral("Tags werden geschrieben..."), m_releaseFile, hooks);
    const KivBatchSummary summary = KivTagBatch::Run(jobs, m_db, hooks, true, &CKivBatchUndo::Last());
    summary.ReportFailures();
    QDialog::accept();
}
