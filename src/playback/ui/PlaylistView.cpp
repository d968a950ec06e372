#include "playback/ui/PlaylistView.h"

#include "browse/MelvoraDoc.h"
#include "browse/Mp3Liste.h"
#include "browse/ui/lists/Mp3TableView.h"
#include "controls/ui/CommandRegistry.h"
#include "core/Settings.h"
#include "core/UserInterface.h"
#include "playback/PlaylistFile.h"
#include "playback/PlaylistLoader.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

CKivPlaylistView::CKivPlaylistView(CMelvoraDoc &doc, CKivSettings &settings, CKivCommandRegistry &commands,
                                   QWidget *parent)
    : CKivMp3ListView(doc, settings, commands, CKivMp3ListModel::Layout::Playlist, parent)
    , m_data(std::make_unique<CKivMp3Liste>(doc.GetDatabase()))
{
    setObjectName(QStringLiteral("PlaylistView"));
    m_data->SetName(DisplayName());
    m_caption = new QPushButton(this);
    m_caption->setObjectName(QStringLiteral("captionButton"));
    m_caption->setFocusPolicy(Qt::NoFocus);
    static_cast<QVBoxLayout *>(layout())->insertWidget(0, m_caption);

    table().setAccessibleName(QStringLiteral("Playlist"));
    finishSetup();
    model().setList(m_data.get());
    if (!CKivColumnArrangement::load(m_settings.store(), ColumnProfile(), model().columnCount())) {
        // At first only the type, rating, file name and length columns show.
        const CKivColumnArrangement defaults = CKivColumnArrangement::defaults(model().columns());
        std::vector<bool> hidden = defaults.hidden();
        for (int column = 0; column < int(hidden.size()); ++column)
            hidden[size_t(column)] = !(column == 1 || column == 3 || column == 5 || column == 7);
        CKivColumnArrangement start;
        if (start.set(defaults.order(), defaults.widths(), hidden))
            applyArrangement(start);
    }
    connect(m_data.get(), &CKivMp3Liste::itemsReplaced, this, &CKivPlaylistView::refill);

    m_autoStart.setSingleShot(true);
    m_autoStart.setInterval(1000);
    connect(&m_autoStart, &QTimer::timeout, this, &CKivPlaylistView::autoStartRequested);

    // The first update empties the name so that the start-up load runs.
    setFileName(QString());
}

CKivPlaylistView::~CKivPlaylistView()
{
    Close();
}

QString CKivPlaylistView::DefaultPath()
{
    QString folder = QDir::currentPath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + DefaultFileName();
}

QString CKivPlaylistView::Caption() const
{
    return m_caption->text();
}

void CKivPlaylistView::setFileName(const QString &name)
{
    m_fileName = name;
    m_caption->setText(QStringLiteral("Playlist: ") + name);
}

CKivMp3ListView::Look CKivPlaylistView::look() const
{
    return Look{m_settings.GetPlaylistFlags(), m_settings.GetPlaylistBm(), m_settings.GetPlaylistColor1(),
                m_settings.GetPlaylistColor2()};
}

// --- the file

bool CKivPlaylistView::LoadFile(const QString &path)
{
    m_data->Reset();
    m_data->SetMedia(m_doc.GetMedia());
    const std::optional<QStringList> keys = KivPlaylistFile::Read(path);
    if (!keys) {
        kivUi().showMessage(KivPlaylistFile::OpenErrorText(), KivPlaylistFile::OpenErrorCaption(),
                            KivIcon::Exclamation);
        return false;
    }
    std::vector<CKivMp3::Ptr> items;
    KivPlaylistLoader::Load(m_doc.GetDatabase(), m_doc.GetMedia(), *keys, items);
    for (const CKivMp3::Ptr &item : items)
        m_data->Append(item);
    return true;
}

bool CKivPlaylistView::WriteFile(const QString &path)
{
    QStringList keys;
    keys.reserve(qsizetype(model().rows().size()));
    for (const CKivMp3::Ptr &item : model().rows())
        keys.append(item->MediumSubPathFilename());
    if (!KivPlaylistFile::Write(path, keys)) {
        kivUi().showMessage(KivPlaylistFile::SaveErrorText(), KivPlaylistFile::SaveErrorCaption(),
                            KivIcon::Exclamation);
        return false;
    }
    return true;
}

void CKivPlaylistView::refill()
{
    model().refill();
    table().horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    emitStatusPanes();
}

// The playlist data follows the rows after the user removed some.
void CKivPlaylistView::syncData()
{
    const std::vector<CKivMp3::Ptr> rows = model().rows();
    QSignalBlocker block(m_data.get());
    m_data->Reset();
    for (const CKivMp3::Ptr &item : rows)
        m_data->Append(item);
}

void CKivPlaylistView::startUpLoad()
{
    if (!m_fileName.isEmpty())
        return;
    const QString path = m_settings.GetPlaylistFilename();
    if (path.isEmpty() || !QFileInfo::exists(path))
        return;
    if (!LoadFile(path))
        return;
    refill();
    setFileName(QFileInfo(path).fileName());
    if (m_settings.GetPlaylistFlags() & 0x20)
        m_autoStart.start();
}

void CKivPlaylistView::New()
{
    const QString path = DefaultPath();
    // The rows as they were go into default.atp; the new, empty list replaces them there later.
    setFileName(DefaultFileName());
    if (WriteFile(path))
        m_settings.SetPlaylistFilename(path);
    m_data->Reset();
    m_data->SetMedia(m_doc.GetMedia());
    refill();
}

bool CKivPlaylistView::OpenPath(const QString &path)
{
    if (!LoadFile(path))
        return false;
    setFileName(QFileInfo(path).fileName());
    refill();
    m_settings.SetPlaylistFilename(QFileInfo(path).absoluteFilePath());
    return true;
}

bool CKivPlaylistView::SaveAsPath(const QString &path)
{
    if (!WriteFile(path))
        return false;
    setFileName(QFileInfo(path).fileName());
    m_settings.SetPlaylistFilename(QFileInfo(path).absoluteFilePath());
    return true;
}

void CKivPlaylistView::Close()
{
    // Before the first login there is nothing of a user's to write.
    if (!m_active)
        return;
    m_autoStart.stop();
    saveArrangement();
    const QString stored = m_settings.GetPlaylistFilename();
    if (!m_fileName.isEmpty() && !stored.isEmpty()) {
        WriteFile(stored);
        return;
    }
    setFileName(DefaultFileName());
    const QString path = DefaultPath();
    if (WriteFile(path))
        m_settings.SetPlaylistFilename(path);
}

void CKivPlaylistView::ResetForLogin()
{
    m_autoStart.stop();
    m_data->SetMedia(nullptr);
    m_data->Reset();
    refill();
    setFileName(QString());
    m_active = false;
}

// --- hints

void CKivPlaylistView::appendItems(const QVariant &payload)
{
    auto *collection = qobject_cast<CKivMp3Liste *>(payload.value<QObject *>());
    if (!collection || collection == m_data.get())
        return;
    if (!m_data->GetMedia())
        m_data->SetMedia(m_doc.GetMedia());
    // The playlist plays next to the MP3 list: it makes itself known to the player first.
    Q_EMIT playerSourceRequested(m_data.get());
    model().appendItems(collection->GetItems());
    emitStatusPanes();
}

void CKivPlaylistView::onHint(int hint, const QVariant &payload)
{
    switch (hint) {
    case CMelvoraDoc::HintListReplaced:
        if (qobject_cast<CKivMp3Liste *>(payload.value<QObject *>()) == m_doc.GetMp3Liste()
            && m_doc.GetMp3Liste()) {
            m_active = true;
            Q_EMIT playerSourceRequested(m_data.get());
            startUpLoad();
        }
        return;
    case HintOwnCollection:
    case HintToPlaylist:
        appendItems(payload);
        return;
    case 102:
    case HintListAppend:
    case CMelvoraDoc::HintOpenExport:
    case CMelvoraDoc::HintOpenImport:
        return;
    default:
        CKivMp3ListView::onHint(hint, payload);
        return;
    }
}

// --- commands

bool CKivPlaylistView::queryOwnCommand(int id, State &state) const
{
    switch (id) {
    case CmdPlaylistNew:
    case CmdPlaylistOpen:
    case CmdPlaylistSaveAs:
        return true;
    case CmdRemoveSelection:
        state.enabled = table().selectionModel() && table().selectionModel()->hasSelection();
        return true;
    default:
        return false;
    }
}

bool CKivPlaylistView::onOwnCommand(int id)
{
    switch (id) {
    case CmdPlaylistNew:
        New();
        return true;
    case CmdPlaylistOpen:
        openWithDialog();
        return true;
    case CmdPlaylistSaveAs:
        saveAsWithDialog();
        return true;
    case CmdRemoveSelection:
        removeSelection();
        return true;
    default:
        return false;
    }
}

void CKivPlaylistView::removeSelection()
{
    // Rows holding the same item are alike, so removing the item's row removes one of them.
    for (const CKivMp3::Ptr &item : selectedItems())
        model().removeItem(item.get());
    syncData();
    emitStatusPanes();
    m_doc.UpdateAllViews(HintSelection, QVariant::fromValue(static_cast<QObject *>(&table())));
}

std::unique_ptr<QMenu> CKivPlaylistView::buildContextMenu()
{
    return menuOf({
        {CmdPlaylistNew, CmdPlaylistOpen, CmdPlaylistSaveAs},
        {CmdClearList, CmdRemoveSelection},
        {CmdSelectAll, CmdClearSelection},
        {CmdRating1, CmdRating1 + 1, CmdRating1 + 2, CmdRating1 + 3, CmdRating5},
        {CmdOptionDragDrop, CmdOptionQuickImport, CmdOptionLabelEdit},
    });
}
