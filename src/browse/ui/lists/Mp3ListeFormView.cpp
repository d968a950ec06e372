#include "browse/ui/lists/Mp3ListeFormView.h"

#include "core/Settings.h"
#include "browse/ui/lists/Mp3TableView.h"

#include <QVBoxLayout>

CKivMp3ListeFormView::CKivMp3ListeFormView(CMelvoraDoc &doc, CKivSettings &settings, CKivCommandRegistry &commands,
                                           QWidget *parent)
    : CKivMp3ListView(doc, settings, commands, CKivMp3ListModel::Layout::Standard, parent)
{
    setObjectName(QStringLiteral("Mp3ListeFormView"));
    table().setAccessibleName(QStringLiteral("Mp3s (Standard)"));
    finishSetup();
}

CKivMp3ListeFormView::~CKivMp3ListeFormView()
{
    saveArrangement();
}

CKivMp3ListView::Look CKivMp3ListeFormView::look() const
{
    return Look{m_settings.GetNormalFlags(), m_settings.GetNormalBm(), m_settings.GetNormalColor1(),
                m_settings.GetNormalColor2()};
}

QString CKivMp3ListeFormView::arrangementSection() const
{
    return m_settings.ColumnProfileName();
}

int CKivMp3ListeFormView::ansichtOf(int command)
{
    switch (command) {
    case CmdAnsichtA:
        return 0;
    case CmdAnsichtB:
        return 1;
    case CmdAnsichtC:
        return 2;
    case CmdAnsichtD:
        return 3;
    default:
        return -1;
    }
}

bool CKivMp3ListeFormView::queryOwnCommand(int id, State &state) const
{
    if (queryToolCommand(id, state))
        return true;
    if (const int number = ansichtOf(id); number >= 0) {
        state.checkable = true;
        state.checked = m_settings.GetNormalAnsicht() == number;
        return true;
    }
    switch (id) {
    case CmdCategory:
        state.checkable = true;
        state.checked = isCategoryView();
        return true;
    case CmdBackground:
        state.checkable = true;
        state.checked = (m_settings.GetNormalFlags() & 4) != 0;
        return true;
    default:
        return false;
    }
}

bool CKivMp3ListeFormView::onOwnCommand(int id)
{
    if (onToolCommand(id))
        return true;
    if (const int number = ansichtOf(id); number >= 0) {
        switchAnsicht(number);
        return true;
    }
    switch (id) {
    case CmdCategory:
        setCategoryView(!isCategoryView());
        return true;
    case CmdBackground:
        m_settings.SetNormalFlags(m_settings.GetNormalFlags() ^ 4);
        applyLook();
        return true;
    default:
        return false;
    }
}

void CKivMp3ListeFormView::switchAnsicht(int number)
{
    saveArrangement();
    setCategoryView(false);
    m_settings.SetNormalAnsicht(number);
    loadArrangement();
}

void CKivMp3ListeFormView::addPanel(QWidget *panel)
{
    if (auto *box = qobject_cast<QVBoxLayout *>(layout())) {
        panel->setParent(this);
        box->insertWidget(0, panel);
    }
}

void CKivMp3ListeFormView::repaintRows()
{
    model().repaint();
    table().viewport()->update();
}
