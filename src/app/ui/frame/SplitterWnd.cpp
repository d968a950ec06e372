#include "app/ui/frame/SplitterWnd.h"

#include "core/ProfileStore.h"
#include "app/ui/frame/SplitterPanes.h"

namespace {
constexpr int MinimumPaneSize = 10;
}

CKivSplitterWnd::CKivSplitterWnd(Qt::Orientation orientation, CKivProfileStore &store,
                                 CKivSplitterWnd *parentSplitter, QWidget *parent)
    : QSplitter(orientation, parent)
    , m_store(store)
    , m_number(parentSplitter ? parentSplitter->number() + 1 : 0)
{
    setChildrenCollapsible(false);
}

void CKivSplitterWnd::setPaneHidden(int pane, bool hidden)
{
    QWidget *w = widget(pane);
    if (!w || w->isHidden() == hidden)
        return;
    if (hidden) {
        // The sizes to come back to when the pane shows again. Before the splitter is on screen its
        // panes have no real sizes yet (a tiny default geometry): the loaded sizes stay.
        const QList<int> current = sizes();
        if (isVisible() && current.value(0) > 0 && current.value(1) > 0)
            m_restoreSizes = current;
        w->hide();
    } else {
        w->show();
        setSizes(m_restoreSizes);
    }
}

bool CKivSplitterWnd::isPaneHidden(int pane) const
{
    const QWidget *w = widget(pane);
    return w && w->isHidden();
}

void CKivSplitterWnd::loadState()
{
    KivSplitterPanes panes{m_hiddenColumn, m_size0, m_hiddenRow, m_size1};
    panes.parse(m_store.value(m_section, KivSplitterPanes::key(m_number), KivSplitterPanes::defaultText()));
    m_hiddenColumn = panes.hiddenColumn;
    m_size0 = panes.size0;
    m_hiddenRow = panes.hiddenRow;
    m_size1 = panes.size1;
    for (int i = 0; i < count(); ++i)
        widget(i)->setMinimumSize(orientation() == Qt::Horizontal ? QSize(MinimumPaneSize, 0)
                                                                  : QSize(0, MinimumPaneSize));
    // Pane 0 keeps its size when the splitter grows; pane 1 takes the rest.
    setStretchFactor(0, 0);
    setStretchFactor(1, 1);
    m_restoreSizes = {m_size0, m_size1};
    setSizes(m_restoreSizes);
    const int hidden = orientation() == Qt::Horizontal ? m_hiddenColumn : m_hiddenRow;
    if (hidden > -1 && hidden < count())
        setPaneHidden(hidden, true);
}

void CKivSplitterWnd::saveState() const
{
    const QList<int> current = sizes();
    const int size0 = current.value(0, -1);
    const int size1 = current.value(1, -1);
    if (!KivSplitterPanes::shouldWrite(size0, size1))
        return;
    // Both panes have a size, so neither is hidden now.
    KivSplitterPanes panes;
    panes.size0 = size0;
    panes.size1 = size1;
    m_store.setValue(m_section, KivSplitterPanes::key(m_number), panes.format());
}
