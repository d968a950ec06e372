#include "playback/ui/ListPlaySource.h"

#include "browse/ui/lists/Mp3ListView.h"
#include "browse/ui/lists/Mp3TableView.h"

CKivListPlaySource::CKivListPlaySource(CKivMp3ListView &view, int kind, const QString &displayName)
    : m_view(&view)
    , m_kind(kind)
    , m_name(displayName)
{
}

CKivListPlaySource::~CKivListPlaySource()
{
    if (m_view)
        m_view->model().setPlaying(nullptr, false);
}

CKivMp3ListView *CKivListPlaySource::View() const
{
    return m_view.data();
}

int CKivListPlaySource::RowCount() const
{
    return m_view ? m_view->model().rowCount() : 0;
}

CKivMp3::Ptr CKivListPlaySource::ItemAt(int row) const
{
    return m_view ? m_view->model().item(row) : nullptr;
}

int CKivListPlaySource::RowOf(const CKivMp3 *item) const
{
    return m_view && item ? m_view->model().rowOf(item) : -1;
}

int CKivListPlaySource::MarkedRow() const
{
    if (!m_markItem || !m_view)
        return -1;
    if (m_markRow < 0 || ItemAt(m_markRow).get() != m_markItem)
        m_markRow = RowOf(m_markItem);
    return m_markRow;
}

void CKivListPlaySource::SetMarkedRow(int row)
{
    const CKivMp3::Ptr item = ItemAt(row);
    m_markRow = item ? row : -1;
    m_markItem = item.get();
    if (m_view)
        m_view->model().setPlaying(m_markItem, m_markItem != nullptr);
}

void CKivListPlaySource::SetPlayer(CKivPlayer *player)
{
    m_player = player;
    if (m_view)
        m_view->model().repaint();
}

void CKivListPlaySource::EnsureMarkedVisible()
{
    const int row = MarkedRow();
    if (!m_view || row < 0 || m_view->isCategoryView())
        return;
    CKivMp3TableView &table = m_view->table();
    table.scrollTo(table.model()->index(row, 0));
}
