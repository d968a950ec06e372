#include "browse/ui/lists/Mp3ListView.h"

#include "core/Settings.h"
#include "browse/MelvoraDoc.h"
#include "browse/Mp3Liste.h"
#include "browse/list/Mp3CategoryModel.h"
#include "browse/list/Mp3SelectionSums.h"
#include "browse/ui/lists/Mp3ItemDelegate.h"
#include "browse/ui/lists/Mp3TableView.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

QColor colorOf(const QString &text)
{
    const quint32 v = CKivSettings::ColorValue(text);
    return QColor(int(v & 0xff), int((v >> 8) & 0xff), int((v >> 16) & 0xff));
}

} // namespace

CKivMp3ListView::CKivMp3ListView(CMelvoraDoc &doc, CKivSettings &settings, CKivCommandRegistry &commands,
                                 CKivMp3ListModel::Layout layout, QWidget *parent)
    : QWidget(parent)
    , m_doc(doc)
    , m_settings(settings)
    , m_commands(commands)
    , m_model(std::make_unique<CKivMp3ListModel>(layout))
{
    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    m_table = new CKivMp3TableView(this);
    box->addWidget(m_table);
    m_delegate = new CKivMp3ItemDelegate(m_table);
    m_table->setItemDelegate(m_delegate);
    m_table->setDragItems([this] { return selectedItems(); });
    m_table->setDragDropOption([this] { return m_doc.GetDragDrop() != 0; });
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    setFocusProxy(m_table);

    connect(&doc, &CMelvoraDoc::updateAllViews, this, &CKivMp3ListView::onHint);
    m_model->setBeforeFileChange([this] { m_doc.ReleaseFile(); });
    connect(m_model.get(), &CKivMp3ListModel::fileRenamed, this,
            [this](const CKivMp3::Ptr &item, const QString &oldName, const QString &) {
                announceFile(item, QStringLiteral("renamed"), oldName);
            });
    connect(m_table, &CKivMp3TableView::itemsDropped, this, &CKivMp3ListView::takeDrop);
    connect(m_table, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &index) { playRow(index.row()); });
    connect(m_table, &CKivMp3TableView::enterPressed, this, [this](const QModelIndex &index) { playRow(index.row()); });
    connect(m_table, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        std::unique_ptr<QMenu> menu = buildContextMenu();
        if (menu)
            menu->exec(m_table->viewport()->mapToGlobal(pos));
    });
    connect(m_table->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        m_model->sortByHeader(column);
        m_table->horizontalHeader()->setSortIndicator(m_model->sortColumn(), m_model->sortOrder());
    });
    m_table->horizontalHeader()->setSortIndicatorShown(true);
    m_table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
}

CKivMp3ListView::~CKivMp3ListView() = default;

// Called by the derived view once it can answer look() and arrangementSection().
void CKivMp3ListView::finishSetup()
{
    m_table->setModel(m_model.get());
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CKivMp3ListView::announceSelection);
    m_table->verticalHeader()->setDefaultSectionSize(rowHeight());
    m_table->verticalHeader()->setMinimumSectionSize(qMin(rowHeight(), 10));
    loadArrangement();
    applyLook();
    setLabelEdit(m_doc.GetLabelEdit() != 0);
    m_model->setList(m_doc.GetMp3Liste());
    // Rows of a list loading in steps arrive after its refill: the total follows them.
    connect(m_model.get(), &QAbstractItemModel::rowsInserted, this, &CKivMp3ListView::emitStatusPanes);
    emitStatusPanes();
}

void CKivMp3ListView::applyLook()
{
    const Look l = look();
    m_delegate->setGrid(l.flags & 1, l.flags & 2);
    QPalette palette = m_table->palette();
    const QColor background = colorOf(l.background);
    palette.setColor(QPalette::Base, background);
    if (l.flags & 4 && !l.picture.isEmpty()) {
        const QPixmap picture(l.picture);
        if (!picture.isNull())
            palette.setBrush(QPalette::Base, QBrush(picture));
    }
    palette.setColor(QPalette::Text, colorOf(l.text));
    palette.setColor(QPalette::AlternateBase, background.lightness() > 128 ? background.darker(110)
                                                                           : background.lighter(150));
    m_table->setPalette(palette);
    m_delegate->setTextColor(colorOf(l.text));
    m_table->viewport()->update();
}

void CKivMp3ListView::setLabelEdit(bool on)
{
    m_model->setLabelEdit(on);
    m_table->setEditTriggers(on ? QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked
                                : QAbstractItemView::NoEditTriggers);
}

void CKivMp3ListView::onHint(int hint, const QVariant &payload)
{
    switch (hint) {
    case CMelvoraDoc::HintListReplaced: {
        auto *list = qobject_cast<CKivMp3Liste *>(payload.value<QObject *>());
        if (list && list == m_model->list()) {
            m_model->refill();
        } else if (list && list == m_doc.GetMp3Liste()) {
            // A new document brought a new list: the old one is gone or about to go.
            m_model->setList(list);
        } else {
            break;
        }
        m_table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
        emitStatusPanes();
        break;
    }
    case 102:
        if (isVisible())
            Q_EMIT playerSourceRequested(m_model->list());
        break;
    case HintListAppend:
        if (isVisible()) {
            appendCollection(payload);
            Q_EMIT playerSourceRequested(m_model->list());
        }
        break;
    case CMelvoraDoc::HintLabelEdit:
        setLabelEdit(payload.value<QObject *>() != nullptr);
        break;
    case HintSelection:
        if (payload.value<QObject *>() == m_table)
            emitStatusPanes();
        break;
    case HintFileOperation:
        m_model->updateAfterFileOperation();
        emitStatusPanes();
        break;
    case HintSettings:
        applyLook();
        break;
    default:
        break;
    }
}

void CKivMp3ListView::sortRows(int column, Qt::SortOrder order)
{
    if (column < 0)
        return;
    m_model->sort(column, order);
    m_table->horizontalHeader()->setSortIndicator(m_model->sortColumn(), m_model->sortOrder());
}

void CKivMp3ListView::appendCollection(const QVariant &payload)
{
    auto *collection = qobject_cast<CKivMp3Liste *>(payload.value<QObject *>());
    if (!collection || collection == m_model->list() || !m_model->list())
        return;
    m_model->appendItems(collection->GetItems());
    emitStatusPanes();
}

int CKivMp3ListView::sourceRow(int row) const
{
    return m_categoryOn ? m_category->sourceRow(row) : row;
}

int CKivMp3ListView::viewRow(int row) const
{
    return m_categoryOn ? m_category->rowOfSource(row) : row;
}

std::vector<CKivMp3::Ptr> CKivMp3ListView::selectedItems() const
{
    std::vector<int> rows;
    const QItemSelection selection = m_table->selectionModel()->selection();
    for (const QItemSelectionRange &range : selection) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::vector<CKivMp3::Ptr> items;
    items.reserve(rows.size());
    for (int row : rows) {
        const int source = sourceRow(row);
        if (source >= 0)
            items.push_back(m_model->item(source));
    }
    return items;
}

void CKivMp3ListView::selectRows(const std::vector<int> &rows)
{
    QItemSelection selection;
    const QAbstractItemModel *shown = m_table->model();
    for (int source : rows) {
        const int row = viewRow(source);
        if (row >= 0)
            selection.select(shown->index(row, 0), shown->index(row, shown->columnCount() - 1));
    }
    m_table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void CKivMp3ListView::announceSelection()
{
    m_doc.UpdateAllViews(HintSelection, QVariant::fromValue(static_cast<QObject *>(m_table)));
}

void CKivMp3ListView::emitStatusPanes()
{
    const std::vector<CKivMp3::Ptr> items = selectedItems();
    std::vector<const CKivMp3 *> selected;
    selected.reserve(items.size());
    for (const CKivMp3::Ptr &item : items)
        selected.push_back(item.get());
    const KivMp3SelectionSums sums = KivMp3SelectionSums::of(selected, m_model->rowCount());
    Q_EMIT statusPanesChanged(sums.count, sums.size, sums.time);
}

void CKivMp3ListView::playRow(int row)
{
    const CKivMp3::Ptr item = m_model->item(sourceRow(row));
    if (!item)
        return;
    m_table->setCurrentIndex(m_table->model()->index(row, m_table->currentIndex().column() < 0
                                                               ? 0
                                                               : m_table->currentIndex().column()));
    Q_EMIT playerSourceRequested(m_model->list());
    Q_EMIT playRequested(item);
}

CKivColumnArrangement CKivMp3ListView::currentArrangement() const
{
    const QHeaderView *header = m_table->horizontalHeader();
    const int n = m_model->columnCount();
    std::vector<int> order;
    std::vector<int> widths;
    std::vector<bool> hidden;
    for (int visual = 0; visual < n; ++visual)
        order.push_back(header->logicalIndex(visual));
    for (int logical = 0; logical < n; ++logical) {
        hidden.push_back(header->isSectionHidden(logical));
        // A hidden section reports no size: keep the width it had.
        widths.push_back(hidden.back() ? m_model->columns()[size_t(logical)].width : header->sectionSize(logical));
    }
    CKivColumnArrangement arrangement = CKivColumnArrangement::defaults(m_model->columns());
    arrangement.set(std::move(order), std::move(widths), std::move(hidden));
    return arrangement;
}

void CKivMp3ListView::applyArrangement(const CKivColumnArrangement &arrangement)
{
    QHeaderView *header = m_table->horizontalHeader();
    if (arrangement.columnCount() != m_model->columnCount())
        return;
    for (int visual = 0; visual < arrangement.columnCount(); ++visual) {
        const int logical = arrangement.order()[size_t(visual)];
        header->moveSection(header->visualIndex(logical), visual);
    }
    for (int logical = 0; logical < arrangement.columnCount(); ++logical) {
        header->resizeSection(logical, arrangement.widths()[size_t(logical)]);
        header->setSectionHidden(logical, arrangement.hidden()[size_t(logical)]);
    }
}

void CKivMp3ListView::saveArrangement()
{
    if (m_table->model() && !m_arrangementSection.isEmpty())
        currentArrangement().save(m_settings.store(), m_arrangementSection);
}

void CKivMp3ListView::loadArrangement()
{
    m_arrangementSection = arrangementSection();
    const std::optional<CKivColumnArrangement> stored =
        CKivColumnArrangement::load(m_settings.store(), m_arrangementSection, m_model->columnCount());
    applyArrangement(stored ? *stored : CKivColumnArrangement::defaults(m_model->columns()));
}

void CKivMp3ListView::setCategoryView(bool on)
{
    if (on == m_categoryOn)
        return;
    const CKivColumnArrangement arrangement = currentArrangement();
    const std::vector<CKivMp3::Ptr> selected = selectedItems();
    m_categoryOn = on;
    QItemSelectionModel *oldSelection = m_table->selectionModel();
    if (on) {
        m_category = std::make_unique<CKivMp3CategoryModel>(*m_model);
        // Grouped by the column the list is sorted by, else by artist.
        if (m_model->sortColumn() > 0)
            m_category->setGroupColumn(m_model->sortColumn());
        m_table->setModel(m_category.get());
    } else {
        m_table->setModel(m_model.get());
    }
    delete oldSelection;
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CKivMp3ListView::announceSelection);
    if (!on)
        m_category.reset();
    applyArrangement(arrangement);
    std::vector<int> rows;
    for (const CKivMp3::Ptr &item : selected)
        rows.push_back(m_model->rowOf(item.get()));
    selectRows(rows);
}
