#include "app/ui/frame/FrameLayouts.h"

#include "app/ui/frame/CommandTable.h"
#include "app/ui/frame/SplitterWnd.h"

#include <QStackedWidget>

CKivFrameLayouts::CKivFrameLayouts(CKivSplitterWnd &outer, CKivSplitterWnd &inner,
                                   const std::array<QWidget *, 8> &views, QObject *parent)
    : QObject(parent)
    , m_outer(outer)
    , m_inner(inner)
    , m_views(views)
    , m_row0Stack(new QStackedWidget)
    , m_row1Stack(new QStackedWidget)
    , m_rightStack(new QStackedWidget)
{
    m_row0Stack->setObjectName(QStringLiteral("innerRow0"));
    m_row1Stack->setObjectName(QStringLiteral("innerRow1"));
    m_rightStack->setObjectName(QStringLiteral("rightColumn"));
    for (int entry = 0; entry < 4; ++entry)
        m_row0Stack->addWidget(m_views[size_t(entry)]);
    m_row1Stack->addWidget(m_views[4]);
    for (int entry = 5; entry < 8; ++entry)
        m_rightStack->addWidget(m_views[size_t(entry)]);
    m_inner.addWidget(m_row0Stack);
    m_inner.addWidget(m_row1Stack);
    m_outer.addWidget(&m_inner);
    m_outer.addWidget(m_rightStack);
}

int CKivFrameLayouts::row0Entry(int leftLayout)
{
    if (leftLayout < 1 || leftLayout > 8)
        return -1;
    return (leftLayout - 1) % 4;
}

int CKivFrameLayouts::row1Entry(int leftLayout)
{
    return leftLayout >= 5 && leftLayout <= 8 ? 4 : -1;
}

int CKivFrameLayouts::leftCodeOf(int commandId)
{
    return int(KivCommandTable::leftLayoutCommands().indexOf(commandId)) + 1;
}

int CKivFrameLayouts::rightCodeOf(int commandId)
{
    return int(KivCommandTable::rightLayoutCommands().indexOf(commandId));
}

void CKivFrameLayouts::chooseLeft(int commandId)
{
    const int code = leftCodeOf(commandId);
    if (code == 0)
        return;
    m_left = code == m_left ? 0 : code;
    apply();
}

void CKivFrameLayouts::chooseRight(int commandId)
{
    const int code = rightCodeOf(commandId);
    if (code < 0)
        return;
    m_right = code;
    apply();
}

void CKivFrameLayouts::setLayouts(int left, int right)
{
    m_left = left >= 0 && left <= 8 ? left : 0;
    m_right = right >= 0 && right <= 2 ? right : 0;
    apply();
}

void CKivFrameLayouts::apply()
{
    m_outer.setPaneHidden(0, m_left == 0);
    if (m_left != 0) {
        m_row0Stack->setCurrentWidget(m_views[size_t(row0Entry(m_left))]);
        m_inner.setPaneHidden(1, row1Entry(m_left) < 0);
    }
    m_rightStack->setCurrentWidget(m_views[size_t(5 + m_right)]);
    Q_EMIT layoutChanged();
}

QWidget *CKivFrameLayouts::currentRightView() const
{
    return m_rightStack->currentWidget();
}
